#include "gfx/bitmap_font.h"

#include <gtest/gtest.h>

#include "game/fatal_error.h"
#include "glyph_sheet.h"

namespace vantel {
namespace {

using test::GlyphColour;
using test::PixelAt;

constexpr uint32_t kGround = 0x00C000;

class BitmapFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteGlyphSheet(dir_.Path() / "sheet.bmp");
    font_ = BitmapFont::Load(dir_.Path() / "sheet.bmp", 19, 27, 20, 2);
    d_.ResetClipRect();
    SDL_FillRect(d_.BackBuffer(), nullptr, SDL_MapRGB(d_.BackBuffer()->format, 0, 0xC0, 0));
  }
  uint32_t At(int x, int y) { return PixelAt(d_.BackBuffer(), x, y); }

  test::TempFolder dir_{"font"};
  BitmapFont font_;
  HeadlessDisplay d_;
};

TEST_F(BitmapFontTest, GlyphCellsAreCountedRowByRowFromTheBlank) {
  EXPECT_EQ(font_.GlyphCell(0), (Rect{0, 0, 19, 27}));
  EXPECT_EQ(font_.GlyphCell('4' - 32), (Rect{0, 27, 19, 54}));
  EXPECT_EQ(font_.GlyphCell('H' - 32), (Rect{0, 54, 19, 81}));
  EXPECT_EQ(font_.GlyphCell('A' - 32), (Rect{13 * 19, 27, 14 * 19, 54}));
}

TEST_F(BitmapFontTest, TextAdvancesSeventeenPixelsAndLaterGlyphsCoverEarlier) {
  font_.Draw(d_, 100, 50, "AB");
  EXPECT_EQ(font_.Width("AB"), 51);
  EXPECT_EQ(At(99, 50), kGround);
  EXPECT_EQ(At(100, 50), GlyphColour('A' - 32));
  EXPECT_EQ(At(116, 76), GlyphColour('A' - 32));
  EXPECT_EQ(At(117, 50), GlyphColour('B' - 32));  // the two-column overlap goes to B
  EXPECT_EQ(At(135, 50), GlyphColour('B' - 32));
  EXPECT_EQ(At(136, 50), kGround);
  EXPECT_EQ(At(100, 77), kGround);
}

TEST_F(BitmapFontTest, BlanksAndEmptyTextDrawNothing) {
  font_.Draw(d_, 10, 10, "");
  EXPECT_EQ(font_.Width(""), 17);
  font_.Draw(d_, 10, 10, " 1");
  // The blank's cell is all key colour: nothing of it reaches the screen.
  EXPECT_EQ(At(10, 10), kGround);
  EXPECT_EQ(At(27, 10), GlyphColour('1' - 32));
  EXPECT_EQ(font_.Width(" 1"), 51);
}

TEST_F(BitmapFontTest, PositionsRoundHalvesToEven) {
  font_.Draw(d_, 212.5f, 300.5f, "A");
  EXPECT_EQ(At(211, 300), kGround);
  EXPECT_EQ(At(212, 300), GlyphColour('A' - 32));
  EXPECT_EQ(At(212, 326), GlyphColour('A' - 32));
  EXPECT_EQ(At(212, 327), kGround);
  font_.Draw(d_, 213.5f, 400, "A");
  EXPECT_EQ(At(213, 400), kGround);
  EXPECT_EQ(At(214, 400), GlyphColour('A' - 32));
}

TEST_F(BitmapFontTest, GlyphsAreCutAtTheClipEdges) {
  font_.Draw(d_, 790, 590, "AB");
  EXPECT_EQ(At(799, 599), GlyphColour('A' - 32));
  font_.Draw(d_, -10, 0, "C");
  // Column 10 of the cell lands on x = 0; its neighbours on the sheet stay out.
  EXPECT_EQ(At(0, 0), GlyphColour('C' - 32));
  EXPECT_EQ(At(8, 0), GlyphColour('C' - 32));
  EXPECT_EQ(At(9, 0), kGround);
}

TEST_F(BitmapFontTest, SpacedTextTakesEachGlyphAsWideAsItsInk) {
  // The test sheet's glyphs are inked across the whole cell (19 columns, then
  // one free column); the blank has no ink and advances a third of a cell.
  font_.DrawSpaced(d_, 100, 50, "A B");
  EXPECT_EQ(font_.SpacedWidth("A B"), 20 + 6 + 20);
  EXPECT_EQ(At(100, 50), GlyphColour('A' - 32));
  EXPECT_EQ(At(118, 50), GlyphColour('A' - 32));
  EXPECT_EQ(At(119, 50), kGround);
  EXPECT_EQ(At(125, 50), kGround);
  EXPECT_EQ(At(126, 50), GlyphColour('B' - 32));
  EXPECT_EQ(At(144, 50), GlyphColour('B' - 32));
  EXPECT_EQ(At(145, 50), kGround);
}

TEST_F(BitmapFontTest, CopiesShareOneSheetAndDrawAlike) {
  const BitmapFont copy = font_;
  EXPECT_EQ(copy.Sheet(), font_.Sheet());
  copy.Draw(d_, 300, 100, "7");
  font_.Draw(d_, 300, 200, "7");
  EXPECT_EQ(At(300, 100), GlyphColour('7' - 32));
  EXPECT_EQ(At(300, 100), At(300, 200));
  EXPECT_EQ(copy.SpacedWidth("77"), font_.SpacedWidth("77"));
}

TEST_F(BitmapFontTest, AFontWithoutASheetDrawsAndMeasuresNothing) {
  const BitmapFont none;
  EXPECT_FALSE(none.Loaded());
  EXPECT_EQ(none.Sheet(), nullptr);
  none.Draw(d_, 10, 10, "AB");
  none.DrawSpaced(d_, 10, 10, "AB");
  EXPECT_EQ(At(10, 10), kGround);
  EXPECT_EQ(none.Width("AB"), 0);
  EXPECT_EQ(none.SpacedWidth("AB"), 0);
}

TEST_F(BitmapFontTest, MissingSheetEndsWithTheFontsMessage) {
  try {
    BitmapFont::Load(dir_.Path() / "absent.bmp", 19, 27, 20, 2);
    FAIL() << "no error";
  } catch (const FatalError& e) {
    const std::string text = e.what();
    EXPECT_EQ(text.rfind(
                  "Error in function clsDXBitmapFont.CreateSpriteFromFile() \r\nError Number: ", 0),
              0u)
        << text;
  }
}

}  // namespace
}  // namespace vantel
