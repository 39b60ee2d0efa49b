#pragma once

#include <filesystem>

#include "gfx/bitmap_font.h"
#include "gfx_fixture.h"

namespace vantel::test {

inline constexpr int kCellW = 19;
inline constexpr int kCellH = 27;
inline constexpr int kCellsPerRow = 20;

// A colour that tells glyph cells apart (never magenta, never black).
inline uint32_t GlyphColour(int glyph) {
  return 0x200000u | (uint32_t(glyph) << 8) | 0x40u;
}

// A sheet of 5 rows of 20 cells (codes 32..131): each cell solid in its own
// colour, the blank (cell 0) all magenta so it draws nothing, like a real sheet.
inline SurfacePtr GlyphSheet() {
  SurfacePtr sheet = CreateBlankSurface(kCellW * kCellsPerRow, kCellH * 5);
  for (int g = 0; g < 100; ++g) {
    SDL_Rect r{kCellW * (g % kCellsPerRow), kCellH * (g / kCellsPerRow), kCellW, kCellH};
    const uint32_t c = g == 0 ? kMagenta : GlyphColour(g);
    SDL_FillRect(sheet.get(), &r, SDL_MapRGB(sheet->format, c >> 16, (c >> 8) & 0xFF, c & 0xFF));
  }
  return sheet;
}

inline void WriteGlyphSheet(const std::filesystem::path& path) {
  SurfacePtr sheet = GlyphSheet();
  SaveBmp24(sheet.get(), path);
}

}  // namespace vantel::test
