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
    g_.options = Options{};
    SetupLayout(g_.options, g_.layout);
    NewHand(g_);
    SDL_FillRect(d_.BackBuffer(), nullptr, 0);
  }
  // (660, 595) lies between the caption line and the clock: felt, once drawn.
  uint32_t At(int x, int y) { return PixelAt(d_.BackBuffer(), x, y); }

  static LocalTime TwentyToTen() { return LocalTime{9, 41}; }

  PointerPosition pointer_;
  FrameDrawing hooks_{d_, a_, [this] { return pointer_; }, TwentyToTen};
  InputSnapshot input_;
};

TEST_F(FrameDrawingTest, AFrameIsComposedAndPresented) {
  pointer_ = {400, 300};
  ASSERT_FALSE(RunFrame(g_, input_, hooks_));
  EXPECT_EQ(d_.PresentCount(), 1);
  EXPECT_EQ(hooks_.FramesPresented(), 1);
  EXPECT_EQ(At(660, 595), kFeltColour);
  EXPECT_EQ(At(799, 10), test::kPageColour);  // the score-page tab
  EXPECT_EQ(At(779, 10), kFeltColour);
  EXPECT_EQ(At(384, 284), kPointerColour);  // centred on the pointer
  EXPECT_EQ(At(415, 315), kPointerColour);
  EXPECT_EQ(At(700, 572), test::GlyphColour('0' - 32));
}

TEST_F(FrameDrawingTest, APausedFrameDrawsNothing) {
  g_.flow.game_paused = true;
  RunFrame(g_, input_, hooks_);
  EXPECT_EQ(d_.PresentCount(), 0);
  EXPECT_EQ(At(660, 595), 0u);
}

TEST_F(FrameDrawingTest, PressingPDrawsTheFrozenTableOnceAndThenNothing) {
  InputSnapshot p;
  p.keys[kKeyP] = 1;
  RunFrame(g_, p, hooks_);
  ASSERT_TRUE(g_.flow.game_paused);
  EXPECT_EQ(d_.PresentCount(), 1);
  EXPECT_EQ(At(5, 572), test::GlyphColour('P' - 32));  // "Paused ..."
  pointer_ = {200, 200};
  RunFrame(g_, input_, hooks_);
  RunFrame(g_, input_, hooks_);
  EXPECT_EQ(d_.PresentCount(), 1);
}

TEST_F(FrameDrawingTest, AfterALostDisplayTheNextFrameShowsEveryPicture) {
  int reloads = 0;
  FrameDrawing reloading(
      d_, a_, [this] { return pointer_; }, TwentyToTen, [&](Game&) { ++reloads; });
  d_.LoseDisplay(5);
  RunFrame(g_, input_, reloading);
  EXPECT_EQ(d_.RestoreCount(), 1);
  EXPECT_EQ(reloads, 1);
  EXPECT_EQ(d_.PresentCount(), 1);
  EXPECT_EQ(At(660, 595), kFeltColour);
  EXPECT_EQ(At(799, 10), test::kPageColour);
  // Without a reload hook the pictures held in memory serve as they are.
  d_.LoseDisplay(2);
  SDL_FillRect(d_.BackBuffer(), nullptr, 0);
  RunFrame(g_, input_, hooks_);
  EXPECT_EQ(At(660, 595), kFeltColour);
  EXPECT_EQ(d_.RestoreCount(), 2);
}

// The game's drawing skips frames that would look like the last one shown.
// The hooks are run by hand around a step that does nothing, so each test
// changes exactly one thing the picture shows.
class RedrawTest : public FrameDrawingTest {
 protected:
  void SetUp() override {
    FrameDrawingTest::SetUp();
    skipping_.SetSkipUnchanged(true);
    g_.flow.state = FlowState::kNormalPlay;
    g_.model.table_count = 1;
    Place(g_.model.table[0], 7, 300, 200);
    pointer_ = {400, 300};
    ASSERT_TRUE(Frame());  // the first frame always shows
  }

  // One frame; true when it presented a picture.
  bool Frame() {
    const int64_t before = skipping_.FramesPresented();
    skipping_.BeforeStep(g_);
    skipping_.AfterStep(g_);
    skipping_.AfterPickStart(g_);
    EXPECT_EQ(skipping_.LastFramePresented(), skipping_.FramesPresented() > before);
    return skipping_.FramesPresented() > before;
  }

  LocalTime time_{9, 41};
  FrameDrawing skipping_{d_, a_, [this] { return pointer_; }, [this] { return time_; }};
};

TEST_F(RedrawTest, AFrameLikeTheLastPresentsNothingAndLeavesTheBufferAlone) {
  const int presents = d_.PresentCount();
  SDL_Rect corner{0, 0, 4, 4};
  SDL_FillRect(d_.BackBuffer(), &corner, 0x123456);
  for (int i = 0; i < 10; ++i) EXPECT_FALSE(Frame());
  EXPECT_EQ(d_.PresentCount(), presents);
  EXPECT_EQ(skipping_.FramesSkipped(), 10);
  EXPECT_EQ(At(1, 1), 0x123456u);  // nothing was composed
}

TEST_F(RedrawTest, EachKindOfChangeRedraws) {
  g_.model.table[0].x += 1;  // a card moved
  EXPECT_TRUE(Frame());
  EXPECT_FALSE(Frame());
  g_.model.table[0].picked = true;  // a selection
  EXPECT_TRUE(Frame());
  EXPECT_FALSE(Frame());
  g_.model.table[0].face_up = false;  // a card turned
  EXPECT_TRUE(Frame());
  Place(g_.model.hand[0][3], 12, 100, 420);  // a card appeared
  EXPECT_TRUE(Frame());
  g_.model.hand[0][3].shown = false;  // and went
  EXPECT_TRUE(Frame());
  EXPECT_FALSE(Frame());
  time_.minute = 42;  // the clock's text
  EXPECT_TRUE(Frame());
  EXPECT_FALSE(Frame());
  g_.flow.state = FlowState::kEndOfMatch;  // a state that shows the score page
  EXPECT_TRUE(Frame());
  EXPECT_FALSE(Frame());
  g_.score.we_total += 3;  // a score on that page
  EXPECT_TRUE(Frame());
  EXPECT_FALSE(Frame());
  skipping_.ForceRedraw();  // the window was switched or uncovered
  EXPECT_TRUE(Frame());
  EXPECT_FALSE(Frame());
  d_.LoseDisplay(1);  // the display came back
  EXPECT_TRUE(Frame());
  EXPECT_FALSE(Frame());
}

TEST_F(RedrawTest, APointerThatMovedAloneIsDrawnOverTheKeptTable) {
  ASSERT_EQ(At(400 - kPointerHotSpotX, 300 - kPointerHotSpotY), kPointerColour);
  pointer_ = {150, 450};
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
  FrameDrawing plain{plain_display, a_, [this] { return pointer_; }, [this] { return time_; }};
  auto same = [&] {
    plain.BeforeStep(g_);
    plain.AfterStep(g_);
    plain.AfterPickStart(g_);
    Frame();
    const SDL_Surface* x = d_.BackBuffer();
    const SDL_Surface* y = plain_display.BackBuffer();
    for (int row = 0; row < x->h; ++row) {
      const auto* p = static_cast<const uint8_t*>(x->pixels) + row * x->pitch;
      const auto* q = static_cast<const uint8_t*>(y->pixels) + row * y->pitch;
      if (std::memcmp(p, q, static_cast<size_t>(x->w) * 4) != 0) return false;
    }
    return true;
  };
  EXPECT_TRUE(same());
  pointer_ = {20, 590};
  EXPECT_TRUE(same());
  g_.model.table[0].y += 30;
  EXPECT_TRUE(same());
  pointer_ = {700, 100};
  EXPECT_TRUE(same());
}

}  // namespace
}  // namespace vantel
