#include "pak/resource_root.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <vector>

namespace vantel {

namespace fs = std::filesystem;

bool IsWritableFolder(const fs::path& folder) {
  std::error_code ec;
  return fs::is_directory(folder, ec) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

fs::path DefaultPrivateBase() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::error_code ec;
  if (runtime != nullptr && *runtime != '\0') {
    const fs::path p(runtime);
    if (p.is_absolute() && fs::is_directory(p, ec)) return p;
  }
  fs::path tmp = fs::temp_directory_path(ec);
  return ec ? fs::path("/tmp") : tmp;
}

std::optional<ResourceRoot> MakePrivateRoot(const fs::path& base, std::string* error) {
  const std::string pattern = (base / "vantel-XXXXXX").string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  // mkdtemp makes the folder with mode 0700 under a name nobody else can take.
  if (::mkdtemp(name.data()) == nullptr) {
    *error =
        "cannot create a private resource folder in " + base.string() + ": " + std::strerror(errno);
    return std::nullopt;
  }
  return ResourceRoot{fs::path(name.data()), true};
}

std::optional<ResourceRoot> ChooseResourceRoot(const fs::path& appFolder, bool appFolderWritable,
                                               const fs::path& privateBase, std::string* error) {
  if (appFolderWritable) return ResourceRoot{appFolder, false};
  return MakePrivateRoot(privateBase, error);
}

}  // namespace vantel
