#include "gfx/frame_drawing.h"

#include <gtest/gtest.h>

#include <cstring>

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

// The game's drawing skips frames that would look like the last one shown.
// The hooks are run by hand around a step that does nothing, so each test
// changes exactly one thing the picture shows.
class RedrawTest : public FrameDrawingTest {
 protected:
  void SetUp() override {
    FrameDrawingTest::SetUp();
    skipping.SetSkipUnchanged(true);
    g.flow.State = FlowState::NormalPlay;
    g.model.TableCount = 1;
    Place(g.model.Table[0], 7, 300, 200);
    pointer = {400, 300};
    ASSERT_TRUE(Frame());  // the first frame always shows
  }

  // One frame; true when it presented a picture.
  bool Frame() {
    const int64_t before = skipping.FramesPresented();
    skipping.BeforeStep(g);
    skipping.AfterStep(g);
    skipping.AfterPickStart(g);
    EXPECT_EQ(skipping.LastFramePresented(), skipping.FramesPresented() > before);
    return skipping.FramesPresented() > before;
  }

  LocalTime time{9, 41};
  FrameDrawing skipping{d, a, [this] { return pointer; }, [this] { return time; }};
};

TEST_F(RedrawTest, AFrameLikeTheLastPresentsNothingAndLeavesTheBufferAlone) {
  const int presents = d.PresentCount();
  SDL_Rect corner{0, 0, 4, 4};
  SDL_FillRect(d.BackBuffer(), &corner, 0x123456);
  for (int i = 0; i < 10; ++i) EXPECT_FALSE(Frame());
  EXPECT_EQ(d.PresentCount(), presents);
  EXPECT_EQ(skipping.FramesSkipped(), 10);
  EXPECT_EQ(At(1, 1), 0x123456u);  // nothing was composed
}

TEST_F(RedrawTest, EachKindOfChangeRedraws) {
  g.model.Table[0].X += 1;  // a card moved
  EXPECT_TRUE(Frame());
  EXPECT_FALSE(Frame());
  g.model.Table[0].Picked = true;  // a selection
  EXPECT_TRUE(Frame());
  EXPECT_FALSE(Frame());
  g.model.Table[0].FaceUp = false;  // a card turned
  EXPECT_TRUE(Frame());
  Place(g.model.Hand[0][3], 12, 100, 420);  // a card appeared
  EXPECT_TRUE(Frame());
  g.model.Hand[0][3].Shown = false;  // and went
  EXPECT_TRUE(Frame());
  EXPECT_FALSE(Frame());
  time.Minute = 42;  // the clock's text
  EXPECT_TRUE(Frame());
  EXPECT_FALSE(Frame());
  g.flow.State = FlowState::EndOfMatch;  // a state that shows the score page
  EXPECT_TRUE(Frame());
  EXPECT_FALSE(Frame());
  g.score.WeMatchPoints += 3;  // a score on that page
  EXPECT_TRUE(Frame());
  EXPECT_FALSE(Frame());
  skipping.ForceRedraw();  // the window was switched or uncovered
  EXPECT_TRUE(Frame());
  EXPECT_FALSE(Frame());
  d.LoseDisplay(1);  // the display came back
  EXPECT_TRUE(Frame());
  EXPECT_FALSE(Frame());
}

TEST_F(RedrawTest, APointerThatMovedAloneIsDrawnOverTheKeptTable) {
  ASSERT_EQ(At(400 - kPointerHotSpotX, 300 - kPointerHotSpotY), kPointerColour);
  pointer = {150, 450};
  EXPECT_TRUE(Frame());
  EXPECT_EQ(At(150 - kPointerHotSpotX, 450 - kPointerHotSpotY), kPointerColour);
  // Where the pointer was, the table shows again.
  EXPECT_EQ(At(400 - kPointerHotSpotX, 300 - kPointerHotSpotY), kFeltColour);
  EXPECT_FALSE(Frame());
}

// The same frames drawn with and without skipping look the same.
TEST_F(RedrawTest, SkippingChangesNoPictureThatIsShown) {
  HeadlessDisplay plain_display;
  plain_display.ResetClipRect();
  FrameDrawing plain{plain_display, a, [this] { return pointer; }, [this] { return time; }};
  auto same = [&] {
    plain.BeforeStep(g);
    plain.AfterStep(g);
    plain.AfterPickStart(g);
    Frame();
    const SDL_Surface* x = d.BackBuffer();
    const SDL_Surface* y = plain_display.BackBuffer();
    for (int row = 0; row < x->h; ++row) {
      const auto* p = static_cast<const uint8_t*>(x->pixels) + row * x->pitch;
      const auto* q = static_cast<const uint8_t*>(y->pixels) + row * y->pitch;
      if (std::memcmp(p, q, static_cast<size_t>(x->w) * 4) != 0) return false;
    }
    return true;
  };
  EXPECT_TRUE(same());
  pointer = {20, 590};
  EXPECT_TRUE(same());
  g.model.Table[0].Y += 30;
  EXPECT_TRUE(same());
  pointer = {700, 100};
  EXPECT_TRUE(same());
}

}  // namespace
}  // namespace vantel
