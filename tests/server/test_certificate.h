#pragma once

#include <cstdlib>
#include <string>

#include "support/temp_folder.h"

namespace vantel {

struct TestCertificate {
  std::string cert;  // empty when openssl could not make one
  std::string key;
};

// A self-signed certificate for 127.0.0.1, valid a day, and its key, made in
// `folder` by the openssl program.
inline TestCertificate MakeTestCertificate(const TestFolder& folder) {
  TestCertificate made{(folder / "cert.pem").string(), (folder / "key.pem").string()};
  const std::string command =
      "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1 -keyout " + made.key +
      " -out " + made.cert + " >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) return {};
  return made;
}

}  // namespace vantel
