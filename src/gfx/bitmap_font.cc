#include "gfx/bitmap_font.h"

#include <cmath>

namespace vantel {

void clsDXBitmapFont::CreateSpriteFromFile(const std::filesystem::path& strFile, int16_t intWidth,
                                           int16_t intHeight, int16_t Colums) {
  width = intWidth;
  height = intHeight;
  colums_ = Colums;
  CreateSurfaceFromFile(dds, strFile, "clsDXBitmapFont.CreateSpriteFromFile");
}

void clsDXBitmapFont::SetTransColor(int16_t color) {
  SetSurfaceColorKey(dds.get(), color);
}

Rect clsDXBitmapFont::GlyphCell(int32_t glyph) const {
  const int32_t columns = colums_ > 0 ? colums_ : 1;
  Rect cell;
  cell.Left = width * (glyph % columns);
  cell.Top = height * (glyph / columns);
  cell.Right = cell.Left + width;
  cell.Bottom = cell.Top + height;
  return cell;
}

void clsDXBitmapFont::DrawText(Display& DstSurface, std::string_view sText, bool ColKey) {
  const auto n = static_cast<int32_t>(sText.size());
  for (int32_t i = 0; i < n; ++i) {
    const int code = static_cast<unsigned char>(sText[static_cast<std::size_t>(i)]);
    // Control characters have no cell; a negative index would point before the sheet.
    if (code < 32) continue;
    glyph_ = static_cast<int16_t>(code - 32);
    DrawGlyph(DstSurface, XPos + static_cast<float>((width - 2) * i), ColKey);
  }
  TotalWidth = (n + 1) * (width - 2);
}

void clsDXBitmapFont::DrawGlyph(Display& destination, float x, bool colourKey) {
  if (!dds) return;
  const auto xi = static_cast<int32_t>(std::nearbyint(x));
  const auto yi = static_cast<int32_t>(std::nearbyint(YPos));
  // The display applies the same clip arithmetic to glyph cells as to any
  // explicit rectangle.
  destination.DrawSurface(dds.get(), GlyphCell(glyph_), xi, yi, colourKey);
}

}  // namespace vantel
