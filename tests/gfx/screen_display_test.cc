#include "gfx/screen_display.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "game/fatal_error.h"
#include "gfx_fixture.h"

namespace vantel {
namespace {

// Time that never waits, so presenting runs unpaced.
class InstantClock final : public PaceClock {
 public:
  double NowMs() override { return now += 1.0; }
  void SleepMs(double ms) override { now += ms; }
  double now = 0;
};

class ScreenDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("SDL_VIDEODRIVER", "dummy", 1); }
  InstantClock clock;
};

TEST_F(ScreenDisplayTest, FullScreenGivesAnEightHundredBySixHundredBackBuffer) {
  ScreenDisplay d(true, clock);
  ASSERT_NE(d.Window(), nullptr);
  EXPECT_FALSE(d.Windowed());
  EXPECT_EQ(d.ScreenRect(), (Rect{0, 0, 800, 600}));
  EXPECT_EQ(d.BackBuffer()->format->format, kBackBufferFormat);
  EXPECT_STREQ(SDL_GetWindowTitle(d.Window()), "Greek Morvik");
  d.ResetClipRect();
  EXPECT_EQ(d.Clip().ClipRight, 800);
  EXPECT_EQ(d.Clip().ClipBottom, 600);
  EXPECT_TRUE(d.DisplayAvailable());
  d.Present();
  d.Present();
  d.ShowSystemCursor(false);
  EXPECT_FALSE(d.CursorShown());
  d.Release();
  EXPECT_TRUE(d.CursorShown());  // the release gives the cursor back
  EXPECT_EQ(d.Window(), nullptr);
  d.Release();
}

TEST_F(ScreenDisplayTest, WindowedVariantUsesSixFortyByFourEighty) {
  ScreenDisplay d(false, clock);
  EXPECT_TRUE(d.Windowed());
  EXPECT_EQ(d.ScreenRect(), (Rect{0, 0, 640, 480}));
  d.SetWindowOffsets(23, 0);
  d.Present();
  EXPECT_EQ(d.WindowRect().Width(), 640 + 23);
  d.UpdateWindowCursor(false);
  EXPECT_FALSE(d.Minimized());
  d.SetCaption("   1   2    Frames per Second =60.0");
  EXPECT_STREQ(SDL_GetWindowTitle(d.Window()), "   1   2    Frames per Second =60.0");
}

// The device is usable again by the time SDL reports the reset: waiting for
// it would wait for ever. The next Present makes the lost texture anew and
// shows the frame.
TEST_F(ScreenDisplayTest, AResetRenderDeviceIsNoReasonToWaitAndTheNextFrameShows) {
  ScreenDisplay d(true, clock);
  d.ResetClipRect();
  d.Present();
  SDL_Event reset{};
  reset.type = SDL_RENDER_DEVICE_RESET;
  SDL_PushEvent(&reset);
  EXPECT_TRUE(d.DisplayAvailable());
  const double before = clock.now;
  d.PumpEvents();
  EXPECT_EQ(clock.now, before);  // no sleep: nothing to wait for
  SDL_FillRect(d.BackBuffer(), nullptr, SDL_MapRGB(d.BackBuffer()->format, 0x12, 0x34, 0x56));
  d.Present();
  SDL_Renderer* renderer = SDL_GetRenderer(d.Window());
  ASSERT_NE(renderer, nullptr);
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(renderer, &w, &h);
  const SDL_Rect middle{w / 2, h / 2, 1, 1};
  uint32_t pixel = 0;
  ASSERT_EQ(SDL_RenderReadPixels(renderer, &middle, SDL_PIXELFORMAT_RGB888, &pixel, 4), 0)
      << SDL_GetError();
  EXPECT_EQ(pixel & 0xFFFFFF, 0x123456u);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

TEST_F(ScreenDisplayTest, SetUpFailureEndsWithTheDisplaysMessage) {
  setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
  try {
    ScreenDisplay d(true, clock);
    FAIL() << "no error";
  } catch (const FatalError& e) {
    const std::string text = e.what();
    EXPECT_EQ(text.rfind("Error in function DirectX() \r\nError Number: 1\r\n", 0), 0u) << text;
  }
}

}  // namespace
}  // namespace vantel
