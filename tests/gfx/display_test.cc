#include "gfx/display.h"

#include <gtest/gtest.h>

#include <string>

#include "game/fatal_error.h"
#include "gfx/rect.h"
#include "gfx_fixture.h"

namespace vantel {
namespace {

using test::CoordinateSurface;
using test::PixelAt;
using test::SolidSurface;

constexpr uint32_t kGreen = 0x00C000;

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    d_.ResetClipRect();
    SDL_FillRect(d_.BackBuffer(), nullptr, SDL_MapRGB(d_.BackBuffer()->format, 0, 0xC0, 0));
  }
  HeadlessDisplay d_;
};

TEST(ClipSourceTest, ClipsEachEdgeByTheRectanglesOwnSize) {
  const ClipRect screen{0, 0, 800, 600};
  // Pointer examples: hot spot (16, 16), 32 x 32 picture.
  ClippedBlit top_left = ClipSource(Rect{0, 0, 32, 32}, 5 - 16, 5 - 16, screen);
  EXPECT_EQ(top_left.source, (Rect{11, 11, 32, 32}));
  EXPECT_EQ(top_left.x, 0);
  EXPECT_EQ(top_left.y, 0);
  ClippedBlit bottom_right = ClipSource(Rect{0, 0, 32, 32}, 790 - 16, 595 - 16, screen);
  EXPECT_EQ(bottom_right.source, (Rect{0, 0, 26, 21}));
  EXPECT_EQ(bottom_right.x, 774);
  EXPECT_EQ(bottom_right.y, 579);
  // An offset source rectangle (a glyph cell) keeps its offset.
  ClippedBlit cell = ClipSource(Rect{38, 27, 57, 54}, -5, 590, screen);
  EXPECT_EQ(cell.source, (Rect{43, 27, 57, 37}));
  // kWholeSurface passes unchanged when it starts inside the clip rectangle.
  ClippedBlit whole = ClipSource(kWholeSurface, 780, 5, screen);
  EXPECT_TRUE(whole.source.IsWhole());
}

TEST_F(DisplayTest, PointerAtTopLeftDrawsColumnsAndRowsElevenOn) {
  SurfacePtr pointer = CoordinateSurface(32, 32, 7);
  d_.DrawAtCursor(pointer.get(), 16, 16, 32, 32, true, 5, 5);
  SDL_Surface* bb = d_.BackBuffer();
  // Source pixel (11 + x, 11 + y) lands on (x, y) for x, y in 0..20.
  EXPECT_EQ(PixelAt(bb, 0, 0), (11u << 16) | (11u << 8) | 7);
  EXPECT_EQ(PixelAt(bb, 20, 20), (31u << 16) | (31u << 8) | 7);
  EXPECT_EQ(PixelAt(bb, 5, 17), (16u << 16) | (28u << 8) | 7);
  EXPECT_EQ(PixelAt(bb, 21, 0), kGreen);
  EXPECT_EQ(PixelAt(bb, 0, 21), kGreen);
}

TEST_F(DisplayTest, PointerAtBottomRightIsCutAtTheScreenEdge) {
  SurfacePtr pointer = CoordinateSurface(32, 32, 9);
  d_.DrawAtCursor(pointer.get(), 16, 16, 32, 32, true, 790, 595);
  SDL_Surface* bb = d_.BackBuffer();
  EXPECT_EQ(PixelAt(bb, 773, 579), kGreen);
  EXPECT_EQ(PixelAt(bb, 774, 578), kGreen);
  EXPECT_EQ(PixelAt(bb, 774, 579), 9u);
  EXPECT_EQ(PixelAt(bb, 799, 599), (25u << 16) | (20u << 8) | 9);
}

TEST_F(DisplayTest, ColourKeyLeavesMagentaUndrawnOnlyWhenTransparent) {
  SurfacePtr pic = SolidSurface(4, 4, 0x123456);
  test::SetPixel(pic.get(), 1, 1, test::kMagenta);
  SetSurfaceColorKey(pic.get(), 2);
  d_.DrawSurface(pic.get(), kWholeSurface, 10, 10, true);
  EXPECT_EQ(PixelAt(d_.BackBuffer(), 10, 10), 0x123456u);
  EXPECT_EQ(PixelAt(d_.BackBuffer(), 11, 11), kGreen);
  d_.DrawSurface(pic.get(), kWholeSurface, 20, 20, false);
  EXPECT_EQ(PixelAt(d_.BackBuffer(), 21, 21), test::kMagenta);
  // The opaque draw must not have cost the surface its key.
  d_.DrawSurface(pic.get(), kWholeSurface, 30, 30, true);
  EXPECT_EQ(PixelAt(d_.BackBuffer(), 31, 31), kGreen);
}

TEST_F(DisplayTest, KeyModesBlackMagentaAndOthers) {
  SurfacePtr pic = SolidSurface(2, 1, test::kBlack);
  test::SetPixel(pic.get(), 1, 0, test::kMagenta);
  SetSurfaceColorKey(pic.get(), 1);
  d_.DrawSurface(pic.get(), kWholeSurface, 0, 0, true);
  EXPECT_EQ(PixelAt(d_.BackBuffer(), 0, 0), kGreen);
  EXPECT_EQ(PixelAt(d_.BackBuffer(), 1, 0), test::kMagenta);
  // Mode 3 leaves the black key in place.
  SetSurfaceColorKey(pic.get(), 3);
  d_.DrawSurface(pic.get(), kWholeSurface, 0, 1, true);
  EXPECT_EQ(PixelAt(d_.BackBuffer(), 0, 1), kGreen);
  SetSurfaceColorKey(pic.get(), 2);
  d_.DrawSurface(pic.get(), kWholeSurface, 0, 2, true);
  EXPECT_EQ(PixelAt(d_.BackBuffer(), 0, 2), test::kBlack);
  EXPECT_EQ(PixelAt(d_.BackBuffer(), 1, 2), kGreen);
}

TEST_F(DisplayTest, WholeSurfaceDrawsOnlyWhatLiesOnTheBackBuffer) {
  SurfacePtr page = CoordinateSurface(64, 8, 3);
  // The score-page tab: only its left 20 columns reach the screen.
  d_.DrawSurface(page.get(), kWholeSurface, 780, 5, true);
  EXPECT_EQ(PixelAt(d_.BackBuffer(), 799, 5), (19u << 16) | 3);
  EXPECT_EQ(PixelAt(d_.BackBuffer(), 779, 5), kGreen);
  // Starting left of the screen, the visible part is still the right one.
  d_.DrawSurface(page.get(), kWholeSurface, -10, 100, true);
  EXPECT_EQ(PixelAt(d_.BackBuffer(), 0, 100), (10u << 16) | 3);
  EXPECT_EQ(PixelAt(d_.BackBuffer(), 53, 107), (63u << 16) | (7u << 8) | 3);
  EXPECT_EQ(PixelAt(d_.BackBuffer(), 54, 100), kGreen);
}

TEST(DisplayClipTest, NothingExplicitIsDrawnBeforeTheClipRectIsSet) {
  HeadlessDisplay d;
  SurfacePtr pic = SolidSurface(8, 8, 0xABCDEF);
  d.DrawSurface(pic.get(), Rect{0, 0, 8, 8}, 2, 2, false);
  EXPECT_EQ(PixelAt(d.BackBuffer(), 3, 3), 0u);
  d.ResetClipRect();
  EXPECT_EQ(d.Clip().clip_right, 800);
  EXPECT_EQ(d.Clip().clip_bottom, 600);
  EXPECT_EQ(d.ScreenRect(), (Rect{0, 0, 800, 600}));
  d.DrawSurface(pic.get(), Rect{0, 0, 8, 8}, 2, 2, false);
  EXPECT_EQ(PixelAt(d.BackBuffer(), 3, 3), 0xABCDEFu);
  d.ClearBackBuffer();
  EXPECT_EQ(PixelAt(d.BackBuffer(), 3, 3), 0u);
}

TEST(DisplayLossTest, WaitsThenRestoresAndReloadsOnce) {
  HeadlessDisplay d;
  int reloads = 0;
  EXPECT_FALSE(CheckLostSurfaces(d, [&] { ++reloads; }));
  EXPECT_EQ(reloads, 0);
  d.LoseDisplay(3);
  EXPECT_TRUE(CheckLostSurfaces(d, [&] { ++reloads; }));
  EXPECT_EQ(reloads, 1);
  EXPECT_EQ(d.RestoreCount(), 1);
  EXPECT_TRUE(d.DisplayAvailable());
}

// Only the game's own screen speaks of the old routine in its box; the
// simulator's and the tests' display names itself.
TEST(HeadlessDisplayTest, ABackBufferThatCannotBeMadeNamesTheHeadlessDisplay) {
  try {
    HeadlessDisplay d(1 << 29, 1);  // its rows would not fit SDL's pitch
    FAIL() << "no error";
  } catch (const FatalError& e) {
    EXPECT_EQ(e.Routine(), "HeadlessDisplay");
    EXPECT_EQ(std::string(e.what()).rfind("Error in function HeadlessDisplay() \r\n", 0), 0u)
        << e.what();
  }
}

TEST(DisplaySaveTest, WritesPngAndBmpThatReadBack) {
  test::TempFolder dir("save");
  HeadlessDisplay d;
  d.ResetClipRect();
  SurfacePtr pic = SolidSurface(10, 10, 0x3366CC);
  d.DrawSurface(pic.get(), kWholeSurface, 100, 200, false);
  for (const char* name : {"shot.png", "shot.bmp"}) {
    ASSERT_TRUE(d.SaveBackBuffer(dir.Path() / name)) << name;
    SurfacePtr back;
    CreateSurfaceFromFile(back, dir.Path() / name);
    EXPECT_EQ(back->w, 800);
    EXPECT_EQ(back->h, 600);
    EXPECT_EQ(PixelAt(back.get(), 105, 205), 0x3366CCu) << name;
    EXPECT_EQ(PixelAt(back.get(), 99, 205), 0u) << name;
  }
  EXPECT_FALSE(d.SaveBackBuffer(dir.Path() / "missing-folder" / "x.png"));
}

}  // namespace
}  // namespace vantel
