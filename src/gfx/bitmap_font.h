#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

#include "gfx/display.h"
#include "gfx/rect.h"
#include "gfx/surface.h"

namespace vantel {

// Text drawn from a glyph sheet: equal cells of width x height, columns cells a
// row, the cell of character code c being cell c - 32. Characters advance
// width - 2 pixels, so neighbouring cells overlap by two columns.
//
// A value: the sheet is loaded once and every copy draws from it, and drawing
// changes nothing, so any number of places can write with one font at once.
// A font made by the default constructor has no sheet and draws nothing.
class BitmapFont {
 public:
  BitmapFont() = default;

  // The sheet keyed with colour mode `key_mode` (see SetSurfaceColorKey).
  // Throws FatalError "Error in function clsDXBitmapFont.CreateSpriteFromFile() ...".
  static BitmapFont Load(const std::filesystem::path& file, int16_t cell_width, int16_t cell_height,
                         int16_t columns, int16_t key_mode);

  bool Loaded() const { return sheet_ != nullptr; }

  // Draws `text` with its first cell's top-left corner at (x, y), rounded to
  // the nearest pixel (halves to even), on the display's back buffer.
  void Draw(Display& destination, float x, float y, std::string_view text) const;
  // How far Draw's text reaches: one advance per character and one more.
  int32_t Width(std::string_view text) const;

  // Like Draw, but each glyph only as wide as its ink (plus a column between
  // glyphs), for newer text that reads better set tight.
  void DrawSpaced(Display& destination, float x, float y, std::string_view text) const;
  // The width DrawSpaced gives `text`.
  int32_t SpacedWidth(std::string_view text) const;

  // The sheet cell of glyph index `glyph` (character code - 32).
  Rect GlyphCell(int32_t glyph) const;
  int32_t CellWidth() const;
  int32_t CellHeight() const;
  int32_t Columns() const;
  // The glyph sheet itself; null without one.
  SDL_Surface* Sheet() const;

 private:
  // The first and last inked column of a cell; a cell without ink has
  // first > last.
  struct Ink {
    int16_t first = 0;
    int16_t last = -1;
  };
  static constexpr int kSheetGlyphs = 256 - 32;
  struct Glyphs {
    SurfacePtr surface;
    int32_t cell_width = 0;
    int32_t cell_height = 0;
    int32_t columns = 1;
    std::array<Ink, kSheetGlyphs> ink{};  // measured once, when the sheet is loaded
  };

  static Rect CellOf(const Glyphs& glyphs, int32_t glyph);
  static void MeasureInk(Glyphs& glyphs);
  Ink InkOf(char c) const;
  void DrawGlyph(Display& destination, int32_t glyph, float x, float y) const;

  std::shared_ptr<const Glyphs> sheet_;
};

}  // namespace vantel
