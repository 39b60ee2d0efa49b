#include "glyph_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace vantel {
namespace {

TEST(Cp1252Test, MapsTheCodesThatDifferFromLatin1) {
  EXPECT_EQ(Cp1252ToUnicode(0x80), U'\u20AC');  // euro
  EXPECT_EQ(Cp1252ToUnicode(0x89), U'\u2030');  // per mille
  EXPECT_EQ(Cp1252ToUnicode(0x8C), U'\u0152');  // OE
  EXPECT_EQ(Cp1252ToUnicode(0x9F), U'\u0178');  // Y diaeresis
  EXPECT_EQ(Cp1252ToUnicode(0xE9), U'\u00E9');
  EXPECT_EQ(Cp1252ToUnicode('A'), U'A');
}

TEST(Cp1252Test, ControlsAndUndefinedCodesHaveNoCharacter) {
  for (int code : {0, 31, 0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D, 256}) {
    EXPECT_EQ(Cp1252ToUnicode(code), 0u) << code;
  }
}

TEST(Cp1252Test, TextToCodesRoundTripsAndMarksTheUnknown) {
  EXPECT_EQ(Cp1252Codes("A\xC3\xA9\xE2\x82\xAC"), (std::vector<int>{65, 0xE9, 0x80}));
  EXPECT_EQ(Cp1252Codes("\xE4\xB8\xAD!"), (std::vector<int>{'?', '!'}));
  EXPECT_TRUE(Cp1252Codes("").empty());
}

struct Ink {
  int count = 0;
  int left = kGlyphWidth, right = -1, top = kGlyphHeight, bottom = -1;
};

Ink InkOf(const Picture& sheet, int code) {
  const int cell = code - kFirstGlyphCode;
  const int x0 = (cell % kGlyphsPerRow) * kGlyphWidth;
  const int y0 = (cell / kGlyphsPerRow) * kGlyphHeight;
  Ink ink;
  for (int y = 0; y < kGlyphHeight; ++y) {
    for (int x = 0; x < kGlyphWidth; ++x) {
      if (sheet.At(x0 + x, y0 + y) == kKeyColour) continue;
      ++ink.count;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

std::vector<uint32_t> Cell(const Picture& sheet, int code) {
  const int cell = code - kFirstGlyphCode;
  std::vector<uint32_t> out;
  for (int y = 0; y < kGlyphHeight; ++y) {
    for (int x = 0; x < kGlyphWidth; ++x) {
      out.push_back(sheet.At((cell % kGlyphsPerRow) * kGlyphWidth + x,
                             (cell / kGlyphsPerRow) * kGlyphHeight + y));
    }
  }
  return out;
}

class GlyphSheetTest : public ::testing::TestWithParam<GlyphStyle (*)()> {
 protected:
  static const FontSet& Fonts() {
    static const FontSet kFonts;
    return kFonts;
  }
  Picture Sheet() const { return DrawGlyphSheet(Fonts(), GetParam()()); }
};

TEST_P(GlyphSheetTest, HoldsTwelveRowsOfTwentyCells) {
  const Picture sheet = Sheet();
  EXPECT_EQ(sheet.width, 19 * 20);
  EXPECT_EQ(sheet.height, 27 * 12);
}

TEST_P(GlyphSheetTest, EveryCharacterHasInkAndTheRestAreBlank) {
  const Picture sheet = Sheet();
  for (int code = 32; code < 256; ++code) {
    const char32_t c = Cp1252ToUnicode(code);
    const bool blank = c == 0 || c == U' ' || c == U'\u00A0';
    EXPECT_EQ(InkOf(sheet, code).count == 0, blank) << "code " << code;
  }
  // Cells past code 255 at the end of the last row stay empty too.
  for (int x = 0; x < sheet.width; ++x) {
    for (int y = 0; y < sheet.height; ++y) {
      if ((y / kGlyphHeight) * kGlyphsPerRow + x / kGlyphWidth >= kGlyphCodes) {
        ASSERT_EQ(sheet.At(x, y), kKeyColour);
      }
    }
  }
}

TEST_P(GlyphSheetTest, GlyphsFitTheTextStepSoNeighboursNeverTouch) {
  // Text advances 17 pixels while cells are 19 wide: ink wider than 17
  // columns would run into the next letter.
  const Picture sheet = Sheet();
  for (int code = 33; code < 256; ++code) {
    const Ink ink = InkOf(sheet, code);
    if (ink.count == 0) continue;
    EXPECT_LE(ink.right - ink.left + 1, kGlyphAdvance) << "code " << code;
  }
}

TEST_P(GlyphSheetTest, PlainLettersAndDigitsAreNotCutAtTheCellEdges) {
  const Picture sheet = Sheet();
  for (int code = 33; code < 127; ++code) {
    const Ink ink = InkOf(sheet, code);
    EXPECT_GT(ink.top, 0) << "code " << code;
    EXPECT_LT(ink.bottom, kGlyphHeight - 1) << "code " << code;
  }
}

TEST_P(GlyphSheetTest, LookAlikeCharactersStayDistinct) {
  const Picture sheet = Sheet();
  std::set<std::vector<uint32_t>> seen;
  for (char c : std::string("0OQoDl1I|!.,:;'`5S8B2Z")) {
    EXPECT_TRUE(seen.insert(Cell(sheet, c)).second) << "'" << c << "' repeats another glyph";
  }
}

INSTANTIATE_TEST_SUITE_P(AllSheets, GlyphSheetTest,
                         ::testing::Values(&HandwritingGlyphs, &DigitGlyphs, &DeluxeGlyphs));

}  // namespace
}  // namespace vantel
