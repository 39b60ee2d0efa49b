#pragma once

#include <SDL.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "gfx/surface.h"
#include "support/temp_folder.h"

namespace vantel::test {

inline constexpr uint32_t kMagenta = 0xFF00FF;
inline constexpr uint32_t kBlack = 0x000000;

// The RGB of a pixel of a surface in the back buffer's format.
inline uint32_t PixelAt(SDL_Surface* s, int x, int y) {
  const auto* row = static_cast<const uint8_t*>(s->pixels) + y * s->pitch;
  return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
}

inline void SetPixel(SDL_Surface* s, int x, int y, uint32_t rgb) {
  auto* row = static_cast<uint8_t*>(s->pixels) + y * s->pitch;
  reinterpret_cast<uint32_t*>(row)[x] =
      SDL_MapRGB(s->format, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

inline SurfacePtr SolidSurface(int w, int h, uint32_t rgb) {
  SurfacePtr s = CreateBlankSurface(w, h);
  SDL_FillRect(s.get(), nullptr,
               SDL_MapRGB(s->format, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
  return s;
}

// A picture whose pixel (x, y) has a colour unique to it: red = x, green = y,
// blue = `tag`. Lets a test tell exactly which source pixel landed where.
inline SurfacePtr CoordinateSurface(int w, int h, uint8_t tag) {
  SurfacePtr s = CreateBlankSurface(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x)
      SetPixel(s.get(), x, y, (uint32_t(x) << 16) | (uint32_t(y) << 8) | tag);
  }
  return s;
}

// Saves `s` as a 24-bit BMP file, the way the game's pictures are stored.
inline void SaveBmp24(SDL_Surface* s, const std::filesystem::path& path) {
  std::filesystem::create_directories(path.parent_path());
  SurfacePtr rgb24(SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_BGR24, 0));
  SDL_SaveBMP(rgb24.get(), path.c_str());
}

using TempFolder = ::vantel::TestFolder;

}  // namespace vantel::test
