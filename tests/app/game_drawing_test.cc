#include "app/game_drawing.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "flow/deal.h"
#include "flow/game.h"
#include "flow/layout.h"
#include "flow/run_frame.h"
#include "gfx/assets.h"
#include "gfx/resource_path.h"
#include "gfx/screen_display.h"
#include "platform/input_snapshot.h"
#include "platform/sdl_input.h"
#include "resource_tree.h"

namespace vantel {
namespace {

using test::kFeltColour;
using test::kPageColour;
using test::kPointerColour;

// Time that never waits, so presenting runs unpaced. A display that keeps
// the game waiting would hang the test: after a minute of virtual waiting the
// clock closes the window, which ends any wait, and says so.
class InstantClock final : public PaceClock {
 public:
  double NowMs() override { return now_ += 1.0; }
  void SleepMs(double ms) override {
    now_ += ms;
    waited_ += ms;
    if (waited_ >= kPatienceMs && !gave_up_) {
      gave_up_ = true;
      SDL_Event quit{};
      quit.type = SDL_QUIT;
      SDL_PushEvent(&quit);
    }
  }
  bool GaveUp() const { return gave_up_; }

 private:
  static constexpr double kPatienceMs = 60000;
  double now_ = 0;
  double waited_ = 0;
  bool gave_up_ = false;
};

// The game's own display, devices and frame drawing on SDL's dummy video
// driver, set up in the game's order, with small pictures of known colours.
class GameDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    test::WriteResourceTree(dir_.Path(), "Royal");
  }
  void TearDown() override {
    drawing_.reset();
    input_.reset();
    display_.reset();
    SDL_Quit();
  }

  void StartGame(bool full_screen) {
    display_ = std::make_unique<ScreenDisplay>(full_screen, pace_);
    input_ = std::make_unique<InputDevices>();
    const Rect& screen = display_->ScreenRect();
    input_->Open(display_->Window(), screen.right, screen.bottom);
    SetupLayout(game_.options, game_.layout);
    LoadBitmaps(assets_, game_, test::ResolverUnder(dir_.Path()));
    display_->ResetClipRect();
    NewHand(game_);
    drawing_ = MakeGameDrawing(*display_, assets_, *input_);
  }

  // What the game's frame loop does for one frame.
  bool RunGameFrame() {
    input_->ReadKeyboard();
    input_->UpdateMouse();
    return RunFrame(game_, TakeSnapshot(*input_), *drawing_);
  }

  void MoveMouse(int window_x, int window_y) {
    SDL_WarpMouseInWindow(display_->Window(), window_x, window_y);
    SDL_PumpEvents();
  }

  uint32_t At(int x, int y) { return test::PixelAt(display_->BackBuffer(), x, y); }

  test::TempFolder dir_{"game-drawing"};
  Chance chance_{5};
  SilentSound sound_;
  ManualClock clock_;
  Game game_{chance_, sound_, clock_};
  InstantClock pace_;
  std::unique_ptr<ScreenDisplay> display_;
  std::unique_ptr<InputDevices> input_;
  Assets assets_;
  std::unique_ptr<FrameDrawing> drawing_;
};

TEST_F(GameDrawingTest, AFrameShowsTableTabClockAndThePointerWhereTheMouseIsNow) {
  StartGame(true);
  SDL_FillRect(display_->BackBuffer(), nullptr, 0);
  MoveMouse(150, 150);
  input_->UpdateMouse();
  const int first_x = input_->MouseX();
  const int first_y = input_->MouseY();
  // The mouse moves on while the frame runs: the pointer is drawn where it
  // is when the picture is drawn, not where the frame's input found it.
  MoveMouse(600, 300);
  ASSERT_FALSE(RunFrame(game_, TakeSnapshot(*input_), *drawing_));
  const int x = input_->MouseX();
  const int y = input_->MouseY();
  ASSERT_NE(x, first_x);
  ASSERT_NE(y, first_y);

  EXPECT_EQ(drawing_->FramesPresented(), 1);
  EXPECT_EQ(At(660, 595), kFeltColour);
  EXPECT_EQ(At(799, 10), kPageColour);  // the score-page tab
  EXPECT_EQ(At(779, 10), kFeltColour);
  EXPECT_EQ(At(x - kPointerHotSpotX, y - kPointerHotSpotY), kPointerColour);
  EXPECT_EQ(At(x + kPointerWidth - kPointerHotSpotX - 1, y + kPointerHeight - kPointerHotSpotY - 1),
            kPointerColour);
  EXPECT_NE(At(first_x, first_y), kPointerColour);
  // The clock reads the local time: its first digit is that of 01..12.
  const uint32_t hour_tens = At(700, 572);
  EXPECT_TRUE(hour_tens == test::GlyphColour('0' - 32) || hour_tens == test::GlyphColour('1' - 32))
      << std::hex << hour_tens;
  // Without --show-frame-rate the title stays the game's name.
  EXPECT_STREQ(SDL_GetWindowTitle(display_->Window()), kWindowCaption);
}

TEST_F(GameDrawingTest, WithShowFrameRateTheCaptionShowsThePointerAndTheRate) {
  StartGame(false);
  EXPECT_STREQ(SDL_GetWindowTitle(display_->Window()), "Vantel");
  drawing_->SetShowFrameRate(true);
  MoveMouse(200, 100);
  ASSERT_FALSE(RunGameFrame());
  EXPECT_STREQ(SDL_GetWindowTitle(display_->Window()),
               WindowCaptionText(input_->MouseX(), input_->MouseY(), 0.0).c_str());
  EXPECT_EQ(At(input_->MouseX(), input_->MouseY()), kPointerColour);
}

TEST_F(GameDrawingTest, AfterTheRenderDeviceWasResetTheNextFrameIsDrawnInFull) {
  StartGame(true);
  ASSERT_FALSE(RunGameFrame());
  SDL_Event reset{};
  reset.type = SDL_RENDER_DEVICE_RESET;
  SDL_PushEvent(&reset);
  SDL_PumpEvents();
  SDL_FillRect(display_->BackBuffer(), nullptr, 0);
  ASSERT_FALSE(RunGameFrame());
  EXPECT_FALSE(pace_.GaveUp()) << "the frame waited for a display that was there";
  EXPECT_EQ(drawing_->FramesPresented(), 2);
  EXPECT_TRUE(display_->DisplayAvailable());
  EXPECT_EQ(At(660, 595), kFeltColour);
  EXPECT_EQ(At(799, 10), kPageColour);
}

}  // namespace
}  // namespace vantel
