#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pak/run_folder.h"

namespace vantel {

// The folder that holds the unpacked "res" tree. The game unpacks into a
// private folder made for its run alone (is_private), which the removal deletes
// with everything in it; two copies started together never share a tree. A
// root that is not private is a folder the user named (vantel-pak unpack).
struct ResourceRoot {
  ResourceRoot() = default;
  ResourceRoot(std::filesystem::path folder, bool is_private,
               std::shared_ptr<RunFolder> owner = nullptr)
      : folder(std::move(folder)), is_private(is_private), owner(std::move(owner)) {}

  std::filesystem::path folder;
  bool is_private = false;
  // Holds a private folder's lock for as long as any copy of the root lives.
  std::shared_ptr<RunFolder> owner;
  // What an unpacking into a root that is not private placed there, oldest
  // first: the removal takes back exactly these.
  std::vector<std::filesystem::path> made;
};

// True when new files can be made in folder by this process.
bool IsWritableFolder(const std::filesystem::path& folder);

// Where private folders may go, best first: $XDG_RUNTIME_DIR when it names an
// absolute path, then the system temporary folder.
std::vector<std::filesystem::path> PrivateBases();

// A new, locked private folder below base, after clearing away the stale ones
// of killed runs there.
std::optional<ResourceRoot> MakePrivateRoot(const std::filesystem::path& base, std::string* error);

// A private root below the game's folder when that is writable, else below the
// first of private_bases that can take one; nothing (with every reason in
// *error) when none can.
std::optional<ResourceRoot> ChooseResourceRoot(
    const std::filesystem::path& app_folder, bool app_folder_writable,
    const std::vector<std::filesystem::path>& private_bases, std::string* error);

}  // namespace vantel
