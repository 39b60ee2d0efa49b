#include "pak/resource_path.h"

#include <string>
#include <system_error>

#include "pak/entry_name.h"

namespace vantel {

namespace fs = std::filesystem;

namespace {

bool Exists(const fs::path& p) {
  std::error_code ec;
  return fs::symlink_status(p, ec).type() != fs::file_type::not_found && !ec;
}

// The entry of folder whose name equals name but for letter case, or "".
std::string MatchNoCase(const fs::path& folder, std::string_view name) {
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  std::string best;
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::string candidate = it->path().filename().string();
    if (EqualsNoCase(candidate, name) && (best.empty() || candidate < best)) {
      best = std::move(candidate);
    }
  }
  return best;
}

}  // namespace

fs::path ResolveResourcePath(const fs::path& root, std::string_view relative) {
  fs::path result = root;
  bool searching = true;
  while (!relative.empty()) {
    const size_t cut = relative.find('/');
    const std::string_view name = relative.substr(0, cut);
    relative = cut == std::string_view::npos ? std::string_view() : relative.substr(cut + 1);
    if (name.empty()) continue;
    if (searching && !Exists(result / name)) {
      const std::string match = MatchNoCase(result, name);
      if (!match.empty()) {
        result /= match;
        continue;
      }
      searching = false;
    }
    result /= std::string(name);
  }
  return result;
}

std::optional<fs::path> FindResourceFile(const fs::path& root, std::string_view relative) {
  fs::path p = ResolveResourcePath(root, relative);
  std::error_code ec;
  if (fs::is_regular_file(p, ec)) return p;
  return std::nullopt;
}

}  // namespace vantel
