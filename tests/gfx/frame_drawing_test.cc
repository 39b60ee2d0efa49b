#include "gfx/frame_drawing.h"

#include <gtest/gtest.h>

#include "flow/deal.h"
#include "table_fixture.h"

namespace vantel {
namespace {

using test::kFeltColour;
using test::kPointerColour;
using test::PixelAt;

class FrameDrawingTest : public test::TableFixture {
 protected:
  void SetUp() override {
    TableFixture::SetUp();
    g.options = Options{};
    SetupLayout(g.options, g.layout);
    NewHand(g);
    SDL_FillRect(d.BackBuffer(), nullptr, 0);
  }
  // (660, 595) lies between the caption line and the clock: felt, once drawn.
  uint32_t At(int x, int y) { return PixelAt(d.BackBuffer(), x, y); }

  static LocalTime TwentyToTen() { return LocalTime{9, 41}; }

  PointerPosition pointer;
  FrameDrawing hooks{d, a, [this] { return pointer; }, TwentyToTen};
  InputSnapshot input;
};

TEST_F(FrameDrawingTest, AFrameIsComposedAndPresented) {
  pointer = {400, 300};
  ASSERT_FALSE(RunFrame(g, input, hooks));
  EXPECT_EQ(d.PresentCount(), 1);
  EXPECT_EQ(hooks.FramesPresented(), 1);
  EXPECT_EQ(At(660, 595), kFeltColour);
  EXPECT_EQ(At(799, 10), test::kPageColour);  // the score-page tab
  EXPECT_EQ(At(779, 10), kFeltColour);
  EXPECT_EQ(At(384, 284), kPointerColour);  // centred on the pointer
  EXPECT_EQ(At(415, 315), kPointerColour);
  EXPECT_EQ(At(700, 572), test::GlyphColour('0' - 32));
}

TEST_F(FrameDrawingTest, APausedFrameDrawsNothing) {
  g.flow.GamePaused = true;
  RunFrame(g, input, hooks);
  EXPECT_EQ(d.PresentCount(), 0);
  EXPECT_EQ(At(660, 595), 0u);
}

TEST_F(FrameDrawingTest, AfterALostDisplayTheNextFrameShowsEveryPicture) {
  int reloads = 0;
  FrameDrawing reloading(
      d, a, [this] { return pointer; }, TwentyToTen, [&](Game&) { ++reloads; });
  d.LoseDisplay(5);
  RunFrame(g, input, reloading);
  EXPECT_EQ(d.RestoreCount(), 1);
  EXPECT_EQ(reloads, 1);
  EXPECT_EQ(d.PresentCount(), 1);
  EXPECT_EQ(At(660, 595), kFeltColour);
  EXPECT_EQ(At(799, 10), test::kPageColour);
  // Without a reload hook the pictures held in memory serve as they are.
  d.LoseDisplay(2);
  SDL_FillRect(d.BackBuffer(), nullptr, 0);
  RunFrame(g, input, hooks);
  EXPECT_EQ(At(660, 595), kFeltColour);
  EXPECT_EQ(d.RestoreCount(), 2);
}

}  // namespace
}  // namespace vantel
