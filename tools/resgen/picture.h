#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantel {

// The colour that the game's blits treat as transparent.
inline constexpr uint32_t kKeyColour = 0xFF00FF;

// An opaque RGB picture, one 0xRRGGBB value per pixel, row by row. Keyed
// pictures use kKeyColour where nothing is drawn.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

}  // namespace vantel
