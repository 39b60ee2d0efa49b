#include "gfx/picture_fit.h"

#include <gtest/gtest.h>

namespace vantel {
namespace {

TEST(PictureFitTest, AutomaticIsSharpOnlyAtAWholeFactorOfTwoOrMoreThatLosesLittle) {
  // 1024 x 768: 1.28 times; no whole factor of 2, so smooth and filling the screen.
  EXPECT_EQ(FitPicture(1024, 768, PictureScaling::kAutomatic),
            (PictureFit{0, 0, 1024, 768, false}));
  // 1920 x 1080: 1.8 times, pillar-boxed.
  EXPECT_EQ(FitPicture(1920, 1080, PictureScaling::kAutomatic),
            (PictureFit{240, 0, 1440, 1080, false}));
  // 1600 x 1200: exactly twice.
  EXPECT_EQ(FitPicture(1600, 1200, PictureScaling::kAutomatic),
            (PictureFit{0, 0, 1600, 1200, true}));
  // 2560 x 1440: twice (1600 x 1200) keeps 83 % of the smooth 1920 x 1440.
  EXPECT_EQ(FitPicture(2560, 1440, PictureScaling::kAutomatic),
            (PictureFit{480, 120, 1600, 1200, true}));
  // 3000 x 1300: twice keeps 1200 of 1300 rows.
  EXPECT_TRUE(FitPicture(3000, 1300, PictureScaling::kAutomatic).sharp);
  // 1599 x 1199: just short of twice, smooth.
  EXPECT_FALSE(FitPicture(1599, 1199, PictureScaling::kAutomatic).sharp);
  // 2390 x 1790: twice would keep only 67 %.
  EXPECT_FALSE(FitPicture(2390, 1790, PictureScaling::kAutomatic).sharp);
}

TEST(PictureFitTest, ThePlayersChoiceWinsWhereItCan) {
  EXPECT_EQ(FitPicture(1920, 1080, PictureScaling::kSharp), (PictureFit{560, 240, 800, 600, true}));
  EXPECT_EQ(FitPicture(1600, 1200, PictureScaling::kSmooth), (PictureFit{0, 0, 1600, 1200, false}));
  // Smaller than the picture: no whole factor, so smooth whatever was chosen.
  EXPECT_EQ(FitPicture(400, 600, PictureScaling::kSharp), (PictureFit{0, 150, 400, 300, false}));
  // A window squashed to nothing still gives a picture of at least a pixel's room.
  const PictureFit empty = FitPicture(0, 0, PictureScaling::kAutomatic);
  EXPECT_GE(empty.width, 0);
  EXPECT_GE(empty.height, 0);
}

// The pointer over the picture's corners and middle comes out at the picture's
// corners and middle at every size; over the bars it lies outside 0..800.
TEST(PictureFitTest, WindowPixelsMapToThePictureAtEverySizeAndScaling) {
  struct Case {
    int32_t w, h;
    PictureScaling scaling;
  };
  for (const Case c :
       {Case{800, 600, PictureScaling::kAutomatic}, Case{1024, 768, PictureScaling::kAutomatic},
        Case{1920, 1080, PictureScaling::kAutomatic}, Case{1920, 1080, PictureScaling::kSharp},
        Case{1600, 1200, PictureScaling::kAutomatic}, Case{900, 1000, PictureScaling::kSmooth},
        Case{640, 480, PictureScaling::kAutomatic}}) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " " << static_cast<int>(c.scaling));
    const PictureFit fit = FitPicture(c.w, c.h, c.scaling);
    const LogicalPoint top_left = OutputToPicture(fit.x, fit.y, fit);
    EXPECT_FLOAT_EQ(top_left.x, 0);
    EXPECT_FLOAT_EQ(top_left.y, 0);
    const LogicalPoint middle = OutputToPicture(fit.x + fit.width / 2, fit.y + fit.height / 2, fit);
    EXPECT_NEAR(middle.x, 400, 1.0);
    EXPECT_NEAR(middle.y, 300, 1.0);
    const LogicalPoint end = OutputToPicture(fit.x + fit.width, fit.y + fit.height, fit);
    EXPECT_NEAR(end.x, 800, 0.01);
    EXPECT_NEAR(end.y, 600, 0.01);
    if (fit.x > 0) {
      EXPECT_LT(OutputToPicture(0, fit.y, fit).x, 0);
    }
    if (fit.y > 0) {
      EXPECT_LT(OutputToPicture(fit.x, 0, fit).y, 0);
    }
  }
}

TEST(PictureFitTest, FirstWindowIsTheLargestWholeMultipleThatFits) {
  EXPECT_EQ(FirstWindowSize(1008, 720).width, 800);  // 1024 x 768 less a frame
  EXPECT_EQ(FirstWindowSize(1904, 1032).width, 800);
  const WindowSize big = FirstWindowSize(2544, 1392);
  EXPECT_EQ(big.width, 1600);
  EXPECT_EQ(big.height, 1200);
  EXPECT_EQ(FirstWindowSize(3840, 2112).width, 2400);
  // A work area smaller than the picture still gets the picture's size.
  EXPECT_EQ(FirstWindowSize(640, 400).width, 800);
  EXPECT_EQ(FirstWindowSize(640, 400).height, 600);
}

// The window comes back from full screen where it was, on any screen; only
// a place no screen shows any more is pulled back onto the desktop.
TEST(PictureFitTest, AWindowReturnsFromFullScreenWhereItWas) {
  const DesktopArea one{0, 0, 1920, 1080};
  const WindowSize size{800, 600};
  EXPECT_EQ(ReturnPlace({123, 45}, size, one), (WindowPlace{123, 45}));
  EXPECT_EQ(ReturnPlace({0, 0}, size, one), (WindowPlace{0, 0}));
  EXPECT_EQ(ReturnPlace({1800, 1000}, size, one),
            (WindowPlace{1800, 1000}));     // partly off, by choice
  const DesktopArea two{0, 0, 3840, 1080};  // a second screen on the right
  EXPECT_EQ(ReturnPlace({2500, 300}, size, two), (WindowPlace{2500, 300}));
  // That screen is gone: back onto the first, whole.
  EXPECT_EQ(ReturnPlace({2500, 300}, size, one), (WindowPlace{1120, 300}));
  EXPECT_EQ(ReturnPlace({-900, -50}, size, one), (WindowPlace{0, 0}));
  // A window larger than the desktop keeps its corner on it.
  EXPECT_EQ(ReturnPlace({5000, 5000}, WindowSize{2400, 1600}, one), (WindowPlace{0, 0}));
  // Screens left of and above the first have negative coordinates.
  const DesktopArea left{-1280, 0, 3200, 1080};
  EXPECT_EQ(ReturnPlace({-1000, 100}, size, left), (WindowPlace{-1000, 100}));
}

}  // namespace
}  // namespace vantel
