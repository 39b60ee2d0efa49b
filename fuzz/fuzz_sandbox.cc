#include "fuzz_sandbox.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

#include "pak/resource_root.h"

namespace vantel {

namespace {

struct Sandbox {
  Sandbox() {
    std::string error;
    auto root = MakePrivateRoot(DefaultPrivateBase(), &error);
    Require(root.has_value(), error.c_str());
    Folder = root->Folder;
  }
  ~Sandbox() {
    std::error_code ec;
    std::filesystem::remove_all(Folder, ec);
  }
  std::filesystem::path Folder;
};

}  // namespace

const std::filesystem::path& FuzzSandbox() {
  static const Sandbox sandbox;
  return sandbox.Folder;
}

std::filesystem::path WriteInput(const char* name, const uint8_t* data, size_t size) {
  const std::filesystem::path path = FuzzSandbox() / name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  Require(out.good(), "cannot write the fuzz input");
  return path;
}

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

}  // namespace vantel
