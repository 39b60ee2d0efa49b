#include "glyph_sheet.h"

#include <array>
#include <string>

#include "canvas.h"

namespace vantel {
namespace {

// 0x80..0x9F of Windows-1252; 0 marks the undefined codes.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::string Utf8(char32_t c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

void DrawGlyph(cairo_t* cr, const FontSet& fonts, const GlyphStyle& style, char32_t c,
               double cell_x, double cell_y) {
  const std::string text = Utf8(c);
  // A face without the character borrows it from DejaVu rather than show a box.
  const FontId font = fonts.Covers(style.font, c) ? style.font : FontId::kSansBold;
  cairo_save(cr);
  cairo_rectangle(cr, cell_x, cell_y, kGlyphWidth, kGlyphHeight);
  cairo_clip(cr);
  fonts.Use(cr, font, style.size);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, text.c_str(), &ext);
  // Centre the ink in the part of the cell that the next letter leaves free,
  // narrowing anything wider than that.
  const double room = kGlyphAdvance - style.outline_width;
  const double squeeze = ext.width > room ? room / ext.width : 1.0;
  const double centre = cell_x + (kGlyphWidth - 1) / 2.0;
  cairo_translate(cr, centre, cell_y + style.baseline);
  cairo_scale(cr, squeeze, 1.0);
  cairo_move_to(cr, -ext.x_bearing - ext.width / 2, 0);
  cairo_text_path(cr, text.c_str());
  if (style.outline_width > 0) {
    SetColour(cr, Hex(style.outline));
    cairo_set_line_width(cr, style.outline_width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
  }
  SetColour(cr, Hex(style.fill));
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace

char32_t Cp1252ToUnicode(int code) {
  if (code < 32 || code > 255 || code == 0x7F) return 0;
  if (code >= 0x80 && code < 0xA0) return kHighControls[code - 0x80];
  return static_cast<char32_t>(code);
}

std::vector<int> Cp1252Codes(const std::string& utf8) {
  std::vector<int> codes;
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (int k = 1; k < length && i + k < utf8.size(); ++k) {
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    i += length;
    int code = '?';
    for (int candidate = kFirstGlyphCode; candidate < 256; ++candidate) {
      if (Cp1252ToUnicode(candidate) == c) code = candidate;
    }
    codes.push_back(code);
  }
  return codes;
}

Picture DrawGlyphSheet(const FontSet& fonts, const GlyphStyle& style) {
  Canvas canvas(kGlyphWidth * kGlyphsPerRow, kGlyphHeight * kGlyphRows);
  for (int code = kFirstGlyphCode; code < 256; ++code) {
    const char32_t c = Cp1252ToUnicode(code);
    if (c == 0 || c == 0x20 || c == 0xA0) continue;
    const int cell = code - kFirstGlyphCode;
    const int row = cell / kGlyphsPerRow;  // whole rows: the cells are on a grid
    const int column = cell % kGlyphsPerRow;
    DrawGlyph(canvas.Cr(), fonts, style, c, column * kGlyphWidth, row * kGlyphHeight);
  }
  return canvas.Keyed();
}

GlyphStyle HandwritingGlyphs() {
  return {FontId::kHand, 24, 20, 0x1A2A6C, 0x1A2A6C, 0};
}
GlyphStyle DigitGlyphs() {
  return {FontId::kMonoBold, 18, 19, 0xF4E7B0, 0x10301A, 2.4};
}
GlyphStyle DeluxeGlyphs() {
  return {FontId::kSerifBold, 17, 19, 0xFFF6DA, 0x3A1A08, 2.4};
}

}  // namespace vantel
