#include "pak/resource_root.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {

namespace fs = std::filesystem;

bool IsWritableFolder(const fs::path& folder) {
  std::error_code ec;
  return fs::is_directory(folder, ec) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::vector<fs::path> PrivateBases() {
  std::vector<fs::path> bases;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && fs::path(runtime).is_absolute()) bases.emplace_back(runtime);
  std::error_code ec;
  fs::path tmp = fs::temp_directory_path(ec);
  bases.push_back(ec ? fs::path("/tmp") : tmp);
  return bases;
}

std::optional<ResourceRoot> MakePrivateRoot(const fs::path& base, std::string* error) {
  ReclaimStaleRunFolders(base);
  std::shared_ptr<RunFolder> folder = RunFolder::Make(base, error);
  if (!folder) return std::nullopt;
  const fs::path path = folder->Path();
  return ResourceRoot{path, true, std::move(folder)};
}

std::optional<ResourceRoot> ChooseResourceRoot(const fs::path& app_folder, bool app_folder_writable,
                                               const std::vector<fs::path>& private_bases,
                                               std::string* error) {
  std::vector<fs::path> bases;
  if (app_folder_writable) bases.push_back(app_folder);
  bases.insert(bases.end(), private_bases.begin(), private_bases.end());
  std::string reasons;
  for (const fs::path& base : bases) {
    std::string why;
    if (std::optional<ResourceRoot> root = MakePrivateRoot(base, &why)) return root;
    reasons += reasons.empty() ? why : "; " + why;
  }
  *error = reasons.empty() ? _("no folder to unpack the resources into") : reasons;
  return std::nullopt;
}

}  // namespace vantel
