#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "codec/saved_match.h"

namespace vantel {

// $XDG_DATA_HOME/vantel/match.json, or ~/.local/share/vantel/match.json: the
// match the player left, kept until it is resumed to its end or given up.
std::filesystem::path SavedMatchPath();

struct LoadedMatch {
  std::optional<SavedMatch> saved;
  std::string message;  // one line for the player when a file was there but is of no use
};

// Reads the match kept in `file`. None kept is no message. A damaged one (not
// one the game wrote, or a match the rules could not go on from) is renamed to
// `<name>.corrupt-<time>` beside it, and the message says so: the player starts
// a new match and loses nothing that could be looked at later.
LoadedMatch LoadSavedMatch(const std::filesystem::path& file);

// Keeps `saved` in `file`, written atomically. Empty on success, else why not.
std::string KeepSavedMatch(const std::filesystem::path& file, const SavedMatch& saved);

// Nothing is to be resumed any more. Empty on success (a file already gone
// included), else why not.
std::string ForgetSavedMatch(const std::filesystem::path& file);

}  // namespace vantel
