#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vantel {

// The folder that holds the unpacked "res" tree. Normally the game's own
// folder; when that cannot be written (an installed game), a private folder
// made for this run, which the removal deletes as well.
struct ResourceRoot {
  std::filesystem::path Folder;
  bool Private = false;
};

// True when new files can be made in folder by this process.
bool IsWritableFolder(const std::filesystem::path& folder);

// $XDG_RUNTIME_DIR when it names an existing absolute folder, else the system
// temporary folder.
std::filesystem::path DefaultPrivateBase();

// A new folder below base that only this user can enter, named uniquely.
std::optional<ResourceRoot> MakePrivateRoot(const std::filesystem::path& base, std::string* error);

// The game's folder when it is writable, otherwise a private root below
// privateBase; nothing (with the reason in *error) if that cannot be made.
std::optional<ResourceRoot> ChooseResourceRoot(const std::filesystem::path& appFolder,
                                               bool appFolderWritable,
                                               const std::filesystem::path& privateBase,
                                               std::string* error);

}  // namespace vantel
