#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "gfx/display.h"
#include "gfx/rect.h"
#include "gfx/surface.h"

namespace vantel {

// Text drawn from a glyph sheet: equal cells of width x height, columns cells a
// row, the cell of character code c being cell c - 32. Characters advance
// width - 2 pixels, so neighbouring cells overlap by two columns.
class BitmapFont {
 public:
  float x_pos = 0;
  float y_pos = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t total_width = 0;
  SurfacePtr dds;

  // Throws FatalError "Error in function clsDXBitmapFont.CreateSpriteFromFile() ...".
  void CreateSpriteFromFile(const std::filesystem::path& file, int16_t cell_width,
                            int16_t cell_height, int16_t columns);
  void SetTransColor(int16_t color);

  // Draws at (XPos, YPos) on the display's back buffer and sets total_width.
  void DrawText(Display& destination, std::string_view text, bool colour_key);

  // Draws at (XPos, YPos) with each glyph only as wide as its ink (plus a
  // column between glyphs), for newer text that reads better set tight.
  void DrawSpaced(Display& destination, std::string_view text);
  // The width DrawSpaced gives `text`.
  int32_t SpacedWidth(std::string_view text);

  // The sheet cell of glyph index `glyph` (character code - 32).
  Rect GlyphCell(int32_t glyph) const;
  int32_t Columns() const { return columns_; }

 private:
  void DrawGlyph(Display& destination, float x, bool colour_key);

  // The first and last inked column of each cell, measured from the sheet on
  // first use; a cell without ink has first > last.
  struct Ink {
    int16_t first = 0;
    int16_t last = -1;
  };
  static constexpr int kSheetGlyphs = 256 - 32;
  void MeasureInk();
  Ink InkOf(char c);

  int32_t columns_ = 1;
  int16_t glyph_ = 0;
  bool ink_measured_ = false;
  std::array<Ink, kSheetGlyphs> ink_{};
};

}  // namespace vantel
