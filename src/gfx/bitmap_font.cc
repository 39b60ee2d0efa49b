#include "gfx/bitmap_font.h"

#include <algorithm>
#include <cmath>

namespace vantel {

void BitmapFont::CreateSpriteFromFile(const std::filesystem::path& file, int16_t cell_width,
                                      int16_t cell_height, int16_t columns) {
  width = cell_width;
  height = cell_height;
  columns_ = columns;
  CreateSurfaceFromFile(dds, file, "clsDXBitmapFont.CreateSpriteFromFile");
  ink_measured_ = false;
}

void BitmapFont::SetTransColor(int16_t color) {
  SetSurfaceColorKey(dds.get(), color);
  ink_measured_ = false;
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

void BitmapFont::MeasureInk() {
  ink_measured_ = true;
  ink_.fill(Ink{});
  SDL_Surface* sheet = dds.get();
  if (!sheet || sheet->format->BytesPerPixel != 4 || SDL_LockSurface(sheet) != 0) return;
  Uint32 key = 0;
  const bool keyed = SDL_GetColorKey(sheet, &key) == 0;
  const Uint32 colour = sheet->format->Rmask | sheet->format->Gmask | sheet->format->Bmask;
  key &= colour;
  const auto* pixels = static_cast<const uint8_t*>(sheet->pixels);
  for (int glyph = 0; glyph < kSheetGlyphs; ++glyph) {
    const Rect cell = GlyphCell(glyph);
    Ink ink;
    ink.first = static_cast<int16_t>(width);
    for (int32_t y = cell.top; y < cell.bottom && y < sheet->h; ++y) {
      const auto* row = reinterpret_cast<const Uint32*>(pixels + y * sheet->pitch);
      for (int32_t x = cell.left; x < cell.right && x < sheet->w; ++x) {
        if (keyed && (row[x] & colour) == key) continue;
        const auto column = static_cast<int16_t>(x - cell.left);
        ink.first = std::min(ink.first, column);
        ink.last = std::max(ink.last, column);
      }
    }
    ink_[static_cast<std::size_t>(glyph)] = ink;
  }
  SDL_UnlockSurface(sheet);
}

BitmapFont::Ink BitmapFont::InkOf(char c) {
  if (!ink_measured_) MeasureInk();
  const int code = static_cast<unsigned char>(c);
  if (code < 32) return {};
  return ink_[static_cast<std::size_t>(code - 32)];
}

namespace {

// A blank is a third of a cell; glyphs stand one column apart.
int32_t Advance(int16_t first, int16_t last, int32_t cell_width) {
  return last < first ? cell_width / 3 : last - first + 2;
}

}  // namespace

void BitmapFont::DrawSpaced(Display& destination, std::string_view text) {
  float x = x_pos;
  for (const char c : text) {
    const Ink ink = InkOf(c);
    const int code = static_cast<unsigned char>(c);
    if (code >= 32 && ink.last >= ink.first) {
      glyph_ = static_cast<int16_t>(code - 32);
      DrawGlyph(destination, x - static_cast<float>(ink.first), true);
    }
    x += static_cast<float>(Advance(ink.first, ink.last, width));
  }
  total_width = static_cast<int32_t>(x - x_pos);
}

int32_t BitmapFont::SpacedWidth(std::string_view text) {
  int32_t w = 0;
  for (const char c : text) {
    const Ink ink = InkOf(c);
    w += Advance(ink.first, ink.last, width);
  }
  return w;
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
