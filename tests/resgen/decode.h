#pragma once

#include <SDL.h>
#include <SDL_image.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "pak/pak_writer.h"
#include "picture.h"

namespace vantel::testing {

// Decodes an archive entry the way the game's loaders do (SDL for BMP,
// SDL_image for JPEG) into an RGB picture.
inline Picture DecodeEntry(const PakFile& entry) {
  SDL_RWops* rw = SDL_RWFromConstMem(entry.data.data(), static_cast<int>(entry.data.size()));
  const bool jpeg = entry.name.ends_with(".jpg");
  SDL_Surface* raw = jpeg ? IMG_Load_RW(rw, 1) : SDL_LoadBMP_RW(rw, 1);
  if (!raw) throw std::runtime_error("cannot decode " + entry.name + ": " + SDL_GetError());
  SDL_Surface* rgb = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGB888, 0);
  SDL_FreeSurface(raw);
  if (!rgb) throw std::runtime_error("cannot convert " + entry.name);
  Picture p{rgb->w, rgb->h, {}};
  for (int y = 0; y < rgb->h; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(rgb->pixels) +
                                                        static_cast<size_t>(y) * rgb->pitch);
    for (int x = 0; x < rgb->w; ++x) p.pixels.push_back(row[x] & 0xFFFFFF);
  }
  SDL_FreeSurface(rgb);
  return p;
}

inline int Red(uint32_t c) {
  return static_cast<int>((c >> 16) & 0xFF);
}
inline int Green(uint32_t c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
inline int Blue(uint32_t c) {
  return static_cast<int>(c & 0xFF);
}

// A colour that reads as a blend of something with the key: strong red and
// blue over weak green.
inline bool LooksPink(uint32_t c) {
  return c != kKeyColour && Red(c) >= 0xC0 && Blue(c) >= 0xC0 && Green(c) < 0x90;
}

}  // namespace vantel::testing
