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
    font_.CreateSpriteFromFile(dir_.Path() / "sheet.bmp", 19, 27, 20);
    font_.SetTransColor(2);
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
  font_.x_pos = 100;
  font_.y_pos = 50;
  font_.DrawText(d_, "AB", true);
  EXPECT_EQ(font_.total_width, 51);
  EXPECT_EQ(At(99, 50), kGround);
  EXPECT_EQ(At(100, 50), GlyphColour('A' - 32));
  EXPECT_EQ(At(116, 76), GlyphColour('A' - 32));
  EXPECT_EQ(At(117, 50), GlyphColour('B' - 32));  // the two-column overlap goes to B
  EXPECT_EQ(At(135, 50), GlyphColour('B' - 32));
  EXPECT_EQ(At(136, 50), kGround);
  EXPECT_EQ(At(100, 77), kGround);
}

TEST_F(BitmapFontTest, BlanksAndEmptyTextDrawNothing) {
  font_.x_pos = 10;
  font_.y_pos = 10;
  font_.DrawText(d_, "", true);
  EXPECT_EQ(font_.total_width, 17);
  font_.DrawText(d_, " 1", true);
  EXPECT_EQ(At(10, 10), kGround);
  EXPECT_EQ(At(27, 10), GlyphColour('1' - 32));
  EXPECT_EQ(font_.total_width, 51);
  // Without the colour key the blank's magenta cell is copied as it is.
  font_.DrawText(d_, " ", false);
  EXPECT_EQ(At(10, 10), test::kMagenta);
}

TEST_F(BitmapFontTest, PositionsRoundHalvesToEven) {
  font_.x_pos = 212.5f;
  font_.y_pos = 300.5f;
  font_.DrawText(d_, "A", true);
  EXPECT_EQ(At(211, 300), kGround);
  EXPECT_EQ(At(212, 300), GlyphColour('A' - 32));
  EXPECT_EQ(At(212, 326), GlyphColour('A' - 32));
  EXPECT_EQ(At(212, 327), kGround);
  font_.x_pos = 213.5f;
  font_.y_pos = 400;
  font_.DrawText(d_, "A", true);
  EXPECT_EQ(At(213, 400), kGround);
  EXPECT_EQ(At(214, 400), GlyphColour('A' - 32));
}

TEST_F(BitmapFontTest, GlyphsAreCutAtTheClipEdges) {
  font_.x_pos = 790;
  font_.y_pos = 590;
  font_.DrawText(d_, "AB", true);
  EXPECT_EQ(At(799, 599), GlyphColour('A' - 32));
  font_.x_pos = -10;
  font_.y_pos = 0;
  font_.DrawText(d_, "C", true);
  // Column 10 of the cell lands on x = 0; its neighbours on the sheet stay out.
  EXPECT_EQ(At(0, 0), GlyphColour('C' - 32));
  EXPECT_EQ(At(8, 0), GlyphColour('C' - 32));
  EXPECT_EQ(At(9, 0), kGround);
}

TEST_F(BitmapFontTest, MissingSheetEndsWithTheFontsMessage) {
  BitmapFont other;
  try {
    other.CreateSpriteFromFile(dir_.Path() / "absent.bmp", 19, 27, 20);
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
