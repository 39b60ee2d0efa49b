#pragma once

#include <SDL_surface.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

namespace vantel {

struct SurfaceDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// Every picture is held in the back buffer's own format: a blit between equal
// formats is a plain copy, an unconverted source costs five times as much.
inline constexpr uint32_t kBackBufferFormat = SDL_PIXELFORMAT_RGB888;

// A new surface in the back buffer's format, filled with black.
SurfacePtr CreateBlankSurface(int32_t width, int32_t height);

// Loads a BMP or JPEG file into `slot` (replacing what it held), converted to
// the back buffer's format. Throws FatalError "Error in function
// <routine>() ..." when the file is missing or is no picture.
void CreateSurfaceFromFile(SurfacePtr& slot, const std::filesystem::path& path,
                           std::string_view routine = "CreateSurfaceFromFile");

// Mode 1: black; mode 2: pure magenta (red mask + blue mask of the surface's
// own format); any other mode leaves the key as it is.
void SetSurfaceColorKey(SDL_Surface* surface, int16_t mode);

}  // namespace vantel
