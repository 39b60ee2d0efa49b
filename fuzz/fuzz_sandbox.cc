#include "fuzz_sandbox.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>

#include "pak/resource_root.h"
#include "pak/run_folder.h"

namespace vantel {

namespace {

struct Sandbox {
  Sandbox() {
    std::string error;
    Run = RunFolder::Make(PrivateBases().back(), &error);
    Require(Run != nullptr, error.c_str());
    Folder = Run->Path();
  }
  ~Sandbox() { Run->Remove(); }
  std::unique_ptr<RunFolder> Run;
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
