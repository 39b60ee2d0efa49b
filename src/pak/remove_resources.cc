#include "pak/remove_resources.h"

#include <filesystem>
#include <system_error>

#include "pak/resource_path.h"
#include "pak/resource_tree.h"
#include "pak/run_folder.h"

#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {

namespace fs = std::filesystem;

namespace {

void Note(std::string* first, const std::string& message) {
  if (first->empty()) *first = message;
}

// The files of folder (not its subfolders, which stay and keep it in place).
void RemoveFiles(const fs::path& folder, std::string* error) {
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code type_error;
    if (it->is_directory(type_error) && !it->is_symlink(type_error)) continue;
    std::error_code remove_error;
    if (!fs::remove(it->path(), remove_error)) {
      Note(error,
           Format(_("cannot delete %s: %s"), it->path().c_str(), remove_error.message().c_str()));
    }
  }
  if (ec) Note(error, Format(_("cannot list %s: %s"), folder.c_str(), ec.message().c_str()));
}

void RemoveFolder(const fs::path& folder, std::string* error) {
  std::error_code ec;
  const fs::file_status st = fs::symlink_status(folder, ec);
  if (st.type() == fs::file_type::not_found) return;
  if (!fs::is_directory(st)) {
    Note(error, Format(_("%s is not a folder; left in place"), folder.c_str()));
    return;
  }
  if (!fs::remove(folder, ec))
    Note(error, Format(_("cannot remove %s: %s"), folder.c_str(), ec.message().c_str()));
}

// What an unpacking placed in a root that is not private, newest first:
// files go, folders only when nothing else was put in them.
void RemoveMade(const std::vector<fs::path>& made, std::string* error) {
  for (auto it = made.rbegin(); it != made.rend(); ++it) {
    std::error_code ec;
    fs::remove(*it, ec);
    if (ec && ec != std::errc::no_such_file_or_directory) {
      Note(error, Format(_("cannot remove %s: %s"), it->c_str(), ec.message().c_str()));
    }
  }
}

void RemoveMarkedTree(const fs::path& root, std::string* error) {
  if (!FindResourceFile(root, kPresenceMarker)) return;
  for (const std::string_view name : kTreeRemovalOrder) {
    const fs::path folder = ResolveResourcePath(root, name);
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(folder, ec))) RemoveFiles(folder, error);
    RemoveFolder(folder, error);
  }
  RemoveFolder(ResolveResourcePath(root, kTreeTop), error);
}

}  // namespace

std::string RemoveUnpackedResources(const ResourceRoot& root) {
  std::string error;
  if (root.is_private) {
    Note(&error, RemoveRunFolder(root.folder));
  } else if (!root.made.empty()) {
    RemoveMade(root.made, &error);
  } else {
    RemoveMarkedTree(root.folder, &error);
  }
  return error;
}

}  // namespace vantel
