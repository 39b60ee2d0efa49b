#include "pak/program_folder.h"

#include <system_error>

namespace vantel {

std::filesystem::path ProgramFolder(const char* argv0) {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) {
    exe = std::filesystem::absolute(argv0 != nullptr ? argv0 : "", ec);
    if (ec) return std::filesystem::current_path();
  }
  return exe.parent_path();
}

}  // namespace vantel
