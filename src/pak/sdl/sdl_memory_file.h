#pragma once

#include <SDL.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vantel {

// Runs an SDL writer (SDL_SaveBMP_RW, IMG_SavePNG_RW) into memory and writes
// the bytes with ReplaceFile, so that a picture file is either whole or not
// there, and a failed write says why (a full disk, no permission). Returns ""
// or the reason, naming path.
std::string SaveThroughMemory(const std::filesystem::path& path,
                              const std::function<int(SDL_RWops*)>& save);

}  // namespace vantel
