#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace vantel {

// The path under root that relative names, matching each folder and file name
// without regard to letter case as the loaders expect ("res/sounds/x.wav" finds
// "res/Sounds/X.WAV"). Only "/" separates names, as on the disk: neither the
// archive nor the unpacked tree knows another separator. An exact match wins;
// among several case-insensitive matches the first in name order is taken.
// Names not found are kept as written, so the result is where a new file goes.
std::filesystem::path ResolveResourcePath(const std::filesystem::path& root,
                                          std::string_view relative);

// The existing regular file that relative names under root (see above), or
// nothing. This is what the bitmap, font and sound loaders call.
std::optional<std::filesystem::path> FindResourceFile(const std::filesystem::path& root,
                                                      std::string_view relative);

}  // namespace vantel
