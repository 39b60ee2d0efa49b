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
  cell.left = width * (glyph % columns);
  cell.top = height * (glyph / columns);
  cell.right = cell.left + width;
  cell.bottom = cell.top + height;
  return cell;
}

void BitmapFont::DrawText(Display& destination, std::string_view text, bool colour_key) {
  const auto n = static_cast<int32_t>(text.size());
  for (int32_t i = 0; i < n; ++i) {
    const int code = static_cast<unsigned char>(text[static_cast<std::size_t>(i)]);
    // Control characters have no cell; a negative index would point before the sheet.
    if (code < 32) continue;
    glyph_ = static_cast<int16_t>(code - 32);
    DrawGlyph(destination, x_pos + static_cast<float>((width - 2) * i), colour_key);
  }
  total_width = (n + 1) * (width - 2);
}

void BitmapFont::DrawGlyph(Display& destination, float x, bool colour_key) {
  if (!dds) return;
  const auto xi = static_cast<int32_t>(std::nearbyint(x));
  const auto yi = static_cast<int32_t>(std::nearbyint(y_pos));
  // The display applies the same clip arithmetic to glyph cells as to any
  // explicit rectangle.
  destination.DrawSurface(dds.get(), GlyphCell(glyph_), xi, yi, colour_key);
}

}  // namespace vantel
