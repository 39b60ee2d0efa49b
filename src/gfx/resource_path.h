#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace vantel {

// Turns a resource name as the game writes it ("res/bitmaps/mouse.bmp") into
// the path of the file to load. The game points it at the archive library's
// case-insensitive lookup of the unpacked tree.
using ResourceResolver = std::function<std::filesystem::path(std::string_view name)>;

}  // namespace vantel
