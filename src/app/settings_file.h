#pragma once

#include <filesystem>
#include <string>

#include "game/options.h"

namespace vantel {

// Bounds of a saved window size (0 x 0: the game chooses): smaller would not
// show the table, larger is no screen made.
inline constexpr int32_t kMinSavedWindowWidth = 400;
inline constexpr int32_t kMinSavedWindowHeight = 300;
inline constexpr int32_t kMaxSavedWindowSide = 16384;

// $XDG_CONFIG_HOME/vantel/settings.ini, or ~/.config/vantel/settings.ini when
// the variable is unset, empty or not an absolute path.
std::filesystem::path SettingsPath();

// Sets the options the file names: deck, hand size, slow animation, window or
// full screen, the window's size, the scaling, the computer players' levels
// and the server and name last played online. A missing file changes nothing
// and says nothing. Anything unreadable, corrupt or out of range keeps the
// default for what is wrong; the return is then one line saying what (quoting
// no more than an excerpt of the file), else empty. A file larger than kMaxKeptFileSize is not
// read.
std::string LoadSettings(const std::filesystem::path& file, Options& options);

// Writes those options as WriteKeptFile does: atomically, into a link's target
// rather than over the link, clearing leftovers of killed saves. Empty on
// success, else one line saying why.
std::string SaveSettings(const std::filesystem::path& file, const Options& options);

}  // namespace vantel
