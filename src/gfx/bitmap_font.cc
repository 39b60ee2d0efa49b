#include "gfx/bitmap_font.h"

#include <cmath>

namespace vantel {

void BitmapFont::CreateSpriteFromFile(const std::filesystem::path& file, int16_t cell_width,
                                      int16_t cell_height, int16_t columns) {
  width = cell_width;
  height = cell_height;
  columns_ = columns;
  CreateSurfaceFromFile(dds, file, "clsDXBitmapFont.CreateSpriteFromFile");
}

void BitmapFont::SetTransColor(int16_t color) {
  SetSurfaceColorKey(dds.get(), color);
}

Rect BitmapFont::GlyphCell(int32_t glyph) const {
  const int32_t columns = columns_ > 0 ? columns_ : 1;
  Rect cell;
  cell.Left = width * (glyph % columns);
  cell.Top = height * (glyph / columns);
  cell.Right = cell.Left + width;
  cell.Bottom = cell.Top + height;
  return cell;
}

void BitmapFont::DrawText(Display& destination, std::string_view text, bool colour_key) {
  const auto n = static_cast<int32_t>(text.size());
  for (int32_t i = 0; i < n; ++i) {
    const int code = static_cast<unsigned char>(text[static_cast<std::size_t>(i)]);
    // Control characters have no cell; a negative index would point before the sheet.
    if (code < 32) continue;
    glyph_ = static_cast<int16_t>(code - 32);
    DrawGlyph(destination, XPos + static_cast<float>((width - 2) * i), colour_key);
  }
  TotalWidth = (n + 1) * (width - 2);
}

void BitmapFont::DrawGlyph(Display& destination, float x, bool colourKey) {
  if (!dds) return;
  const auto xi = static_cast<int32_t>(std::nearbyint(x));
  const auto yi = static_cast<int32_t>(std::nearbyint(YPos));
  // The display applies the same clip arithmetic to glyph cells as to any
  // explicit rectangle.
  destination.DrawSurface(dds.get(), GlyphCell(glyph_), xi, yi, colourKey);
}

}  // namespace vantel
