#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fonts.h"
#include "picture.h"

namespace vantel {

inline constexpr int kGlyphWidth = 19;
inline constexpr int kGlyphHeight = 27;
inline constexpr int kGlyphsPerRow = 20;
inline constexpr int kGlyphAdvance = kGlyphWidth - 2;  // the font's text step
inline constexpr int kFirstGlyphCode = 32;
inline constexpr int kGlyphCodes = 256 - kFirstGlyphCode;
inline constexpr int kGlyphRows = (kGlyphCodes + kGlyphsPerRow - 1) / kGlyphsPerRow;

// The Unicode character of a Windows-1252 code; 0 for the codes that have no
// printable character there (controls, 0x7F and the five undefined codes).
char32_t Cp1252ToUnicode(int code);

// The Windows-1252 codes of a UTF-8 text; characters without one become '?'.
std::vector<int> Cp1252Codes(const std::string& utf8);

struct GlyphStyle {
  FontId font;
  double size;           // pixels
  double baseline;       // from the top of the cell
  uint32_t fill;         // 0xRRGGBB
  uint32_t outline;      // 0xRRGGBB
  double outline_width;  // 0 for none
};

// A sheet of 19 x 27 cells, 20 per row, codes 32..255; glyphs wider than the
// text step are narrowed to fit it so neighbouring letters never collide.
Picture DrawGlyphSheet(const FontSet& fonts, const GlyphStyle& style);

GlyphStyle HandwritingGlyphs();  // the score page
GlyphStyle DigitGlyphs();        // the clock
GlyphStyle DeluxeGlyphs();       // the caption line

}  // namespace vantel
