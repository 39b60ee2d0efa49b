#include "gfx/bitmap_font.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vantel {

namespace {

// A blank is a third of a cell; glyphs stand one column apart.
int32_t Advance(int16_t first, int16_t last, int32_t cell_width) {
  return last < first ? cell_width / 3 : last - first + 2;
}

// Control characters have no cell; a negative index would point before the sheet.
bool HasCell(int code) {
  return code >= 32;
}

}  // namespace

BitmapFont BitmapFont::Load(const std::filesystem::path& file, int16_t cell_width,
                            int16_t cell_height, int16_t columns, int16_t key_mode) {
  auto glyphs = std::make_shared<Glyphs>();
  glyphs->cell_width = cell_width;
  glyphs->cell_height = cell_height;
  glyphs->columns = columns > 0 ? columns : 1;
  // The routine as the player's message box has always named it.
  CreateSurfaceFromFile(glyphs->surface, file, "clsDXBitmapFont.CreateSpriteFromFile");
  SetSurfaceColorKey(glyphs->surface.get(), key_mode);
  MeasureInk(*glyphs);
  BitmapFont font;
  font.sheet_ = std::move(glyphs);
  return font;
}

Rect BitmapFont::CellOf(const Glyphs& glyphs, int32_t glyph) {
  Rect cell;
  cell.left = glyphs.cell_width * (glyph % glyphs.columns);
  cell.top = glyphs.cell_height * (glyph / glyphs.columns);
  cell.right = cell.left + glyphs.cell_width;
  cell.bottom = cell.top + glyphs.cell_height;
  return cell;
}

Rect BitmapFont::GlyphCell(int32_t glyph) const {
  return sheet_ ? CellOf(*sheet_, glyph) : Rect{};
}

int32_t BitmapFont::CellWidth() const {
  return sheet_ ? sheet_->cell_width : 0;
}

int32_t BitmapFont::CellHeight() const {
  return sheet_ ? sheet_->cell_height : 0;
}

int32_t BitmapFont::Columns() const {
  return sheet_ ? sheet_->columns : 1;
}

SDL_Surface* BitmapFont::Sheet() const {
  return sheet_ ? sheet_->surface.get() : nullptr;
}

void BitmapFont::MeasureInk(Glyphs& glyphs) {
  SDL_Surface* sheet = glyphs.surface.get();
  if (!sheet || sheet->format->BytesPerPixel != 4 || SDL_LockSurface(sheet) != 0) return;
  Uint32 key = 0;
  const bool keyed = SDL_GetColorKey(sheet, &key) == 0;
  const Uint32 colour = sheet->format->Rmask | sheet->format->Gmask | sheet->format->Bmask;
  key &= colour;
  const auto* pixels = static_cast<const uint8_t*>(sheet->pixels);
  for (int glyph = 0; glyph < kSheetGlyphs; ++glyph) {
    const Rect cell = CellOf(glyphs, glyph);
    Ink ink;
    ink.first = static_cast<int16_t>(glyphs.cell_width);
    for (int32_t y = cell.top; y < cell.bottom && y < sheet->h; ++y) {
      const auto* row = reinterpret_cast<const Uint32*>(pixels + y * sheet->pitch);
      for (int32_t x = cell.left; x < cell.right && x < sheet->w; ++x) {
        if (keyed && (row[x] & colour) == key) continue;
        const auto column = static_cast<int16_t>(x - cell.left);
        ink.first = std::min(ink.first, column);
        ink.last = std::max(ink.last, column);
      }
    }
    glyphs.ink[static_cast<std::size_t>(glyph)] = ink;
  }
  SDL_UnlockSurface(sheet);
}

BitmapFont::Ink BitmapFont::InkOf(char c) const {
  const int code = static_cast<unsigned char>(c);
  if (!sheet_ || !HasCell(code)) return {};
  return sheet_->ink[static_cast<std::size_t>(code - 32)];
}

void BitmapFont::Draw(Display& destination, float x, float y, std::string_view text) const {
  if (!sheet_) return;
  const int32_t advance = sheet_->cell_width - 2;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int code = static_cast<unsigned char>(text[i]);
    if (!HasCell(code)) continue;
    DrawGlyph(destination, code - 32, x + static_cast<float>(advance * static_cast<int32_t>(i)), y);
  }
}

int32_t BitmapFont::Width(std::string_view text) const {
  if (!sheet_) return 0;
  return (static_cast<int32_t>(text.size()) + 1) * (sheet_->cell_width - 2);
}

void BitmapFont::DrawSpaced(Display& destination, float x, float y, std::string_view text) const {
  if (!sheet_) return;
  for (const char c : text) {
    const Ink ink = InkOf(c);
    if (ink.last >= ink.first) {
      DrawGlyph(destination, static_cast<unsigned char>(c) - 32, x - static_cast<float>(ink.first),
                y);
    }
    x += static_cast<float>(Advance(ink.first, ink.last, sheet_->cell_width));
  }
}

int32_t BitmapFont::SpacedWidth(std::string_view text) const {
  if (!sheet_) return 0;
  int32_t w = 0;
  for (const char c : text) {
    const Ink ink = InkOf(c);
    w += Advance(ink.first, ink.last, sheet_->cell_width);
  }
  return w;
}

void BitmapFont::DrawGlyph(Display& destination, int32_t glyph, float x, float y) const {
  const auto xi = static_cast<int32_t>(std::nearbyint(x));
  const auto yi = static_cast<int32_t>(std::nearbyint(y));
  // The display applies the same clip arithmetic to glyph cells as to any
  // explicit rectangle.
  destination.DrawSurface(sheet_->surface.get(), CellOf(*sheet_, glyph), xi, yi, true);
}

}  // namespace vantel
