#include "gfx/screen_display.h"

#include <gtest/gtest.h>

#include <cstdlib>
// GCC names an AddressSanitizer build by a macro, clang by a feature.
#if defined(__SANITIZE_ADDRESS__)
#define VANTEL_TEST_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VANTEL_TEST_UNDER_ASAN 1
#endif
#endif
#ifdef VANTEL_TEST_UNDER_ASAN
#include <sanitizer/lsan_interface.h>
#endif
#include <string>
#include <utility>

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
  InstantClock clock_;
};

TEST_F(ScreenDisplayTest, FullScreenGivesAnEightHundredBySixHundredBackBuffer) {
  ScreenDisplay d(true, clock_);
  ASSERT_NE(d.Window(), nullptr);
  EXPECT_FALSE(d.Windowed());
  EXPECT_EQ(d.ScreenRect(), (Rect{0, 0, 800, 600}));
  EXPECT_EQ(d.BackBuffer()->format->format, kBackBufferFormat);
  EXPECT_STREQ(SDL_GetWindowTitle(d.Window()), "Vantel");
  d.ResetClipRect();
  EXPECT_EQ(d.Clip().clip_right, 800);
  EXPECT_EQ(d.Clip().clip_bottom, 600);
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

TEST_F(ScreenDisplayTest, AWindowKeepsTheGamesWorldAndSwitchesToFullScreenAndBack) {
  ScreenChoice choice;
  choice.full_screen = false;
  choice.window_width = 1000;
  choice.window_height = 700;
  ScreenDisplay d(choice, clock_);
  EXPECT_TRUE(d.Windowed());
  EXPECT_EQ(d.ScreenRect(), (Rect{0, 0, 800, 600}));
  EXPECT_STREQ(SDL_GetWindowTitle(d.Window()), "Vantel");
  EXPECT_TRUE(SDL_GetWindowFlags(d.Window()) & SDL_WINDOW_RESIZABLE);
  EXPECT_EQ(d.WindowedSize().width, 1000);
  EXPECT_FALSE(d.Minimized());
  d.ToggleFullScreen();
  EXPECT_FALSE(d.Windowed());
  EXPECT_EQ(d.ScreenRect(), (Rect{0, 0, 800, 600}));
  SDL_DisplayMode desktop{};
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
  int w = 0, h = 0;
  SDL_GetWindowSize(d.Window(), &w, &h);
  EXPECT_EQ(w, desktop.w);  // the whole screen
  EXPECT_EQ(h, desktop.h);
  d.Present();
  d.ToggleFullScreen();
  EXPECT_TRUE(d.Windowed());
  EXPECT_EQ(d.WindowedSize().width, 1000);  // the window's size came back
  EXPECT_EQ(d.WindowedSize().height, 700);
  d.SetCaption("   1   2    Frames per Second =60.0");
  EXPECT_STREQ(SDL_GetWindowTitle(d.Window()), "   1   2    Frames per Second =60.0");
}

// Where the window shows a pixel of the game's picture, the pointer reads that
// pixel's position: checked against the picture really drawn, in blocks of
// distinct colours, at several window sizes, letter- and pillar-boxed, sharp
// and smooth.
TEST_F(ScreenDisplayTest, ThePointerLandsOnThePixelDrawnUnderIt) {
  constexpr int kBlock = 50;
  auto colour = [](int bx, int by) {
    return static_cast<uint32_t>(0x102030 + bx * 0x0B0000 + by * 0x000D00);
  };
  for (const PictureScaling scaling : {PictureScaling::kAutomatic, PictureScaling::kSharp}) {
    ScreenChoice choice;
    choice.full_screen = false;
    choice.scaling = scaling;
    ScreenDisplay d(choice, clock_);
    SDL_Surface* back = d.BackBuffer();
    for (int by = 0; by < 600 / kBlock; ++by)
      for (int bx = 0; bx < 800 / kBlock; ++bx) {
        const SDL_Rect r{bx * kBlock, by * kBlock, kBlock, kBlock};
        const uint32_t c = colour(bx, by);
        SDL_FillRect(back, &r, SDL_MapRGB(back->format, c >> 16, (c >> 8) & 0xFF, c & 0xFF));
      }
    for (const auto& [w, h] : {std::pair{800, 600}, std::pair{1000, 600}, std::pair{800, 900},
                               std::pair{1600, 1200}, std::pair{1234, 777}}) {
      SCOPED_TRACE(testing::Message() << w << "x" << h << " scaling " << static_cast<int>(scaling));
      SDL_SetWindowSize(d.Window(), w, h);
      SDL_PumpEvents();
      d.Present();
      SDL_Renderer* renderer = SDL_GetRenderer(d.Window());
      for (const auto& [wx, wy] : {std::pair{w / 2 + 7, h / 2 - 9}, std::pair{w / 5, h / 3},
                                   std::pair{w * 4 / 5, h * 2 / 3}}) {
        const LogicalPoint p = d.WindowToPicture(wx, wy);
        ASSERT_GE(p.x, 0);
        ASSERT_GE(p.y, 0);
        const int bx = static_cast<int>(p.x) / kBlock;
        const int by = static_cast<int>(p.y) / kBlock;
        // Smooth scaling blends a block's edge with its neighbour: look only
        // well inside blocks.
        const int in_x = static_cast<int>(p.x) % kBlock, in_y = static_cast<int>(p.y) % kBlock;
        if (in_x < 3 || in_x > kBlock - 4 || in_y < 3 || in_y > kBlock - 4) continue;
        const SDL_Rect at{wx, wy, 1, 1};
        uint32_t pixel = 0;
        ASSERT_EQ(SDL_RenderReadPixels(renderer, &at, SDL_PIXELFORMAT_RGB888, &pixel, 4), 0)
            << SDL_GetError();
        EXPECT_EQ(pixel & 0xFFFFFF, colour(bx, by)) << "window " << wx << "," << wy;
      }
      // Over the bars the pointer lies outside the picture.
      const PictureFit fit = d.Fit();
      if (fit.x > 0) {
        EXPECT_LT(d.WindowToPicture(fit.x - 1, h / 2).x, 0);
      }
      if (fit.y > 0) {
        EXPECT_LT(d.WindowToPicture(w / 2, fit.y - 1).y, 0);
      }
    }
  }
}

// The device is usable again by the time SDL reports the reset: waiting for
// it would wait for ever. The next Present makes the lost texture anew and
// shows the frame.
TEST_F(ScreenDisplayTest, AResetRenderDeviceIsNoReasonToWaitAndTheNextFrameShows) {
  ScreenDisplay d(true, clock_);
  const PictureFit fit = d.Fit();
  d.ResetClipRect();
  d.Present();
  SDL_Event reset{};
  reset.type = SDL_RENDER_DEVICE_RESET;
  SDL_PushEvent(&reset);
  EXPECT_TRUE(d.DisplayAvailable());
  const double before = clock_.now;
  d.PumpEvents();
  EXPECT_EQ(clock_.now, before);  // no sleep: nothing to wait for
  SDL_FillRect(d.BackBuffer(), nullptr, SDL_MapRGB(d.BackBuffer()->format, 0x12, 0x34, 0x56));
  d.Present();
  SDL_Renderer* renderer = SDL_GetRenderer(d.Window());
  ASSERT_NE(renderer, nullptr);
  const SDL_Rect middle{fit.x + fit.width / 2, fit.y + fit.height / 2, 1, 1};
  uint32_t pixel = 0;
  ASSERT_EQ(SDL_RenderReadPixels(renderer, &middle, SDL_PIXELFORMAT_RGB888, &pixel, 4), 0)
      << SDL_GetError();
  EXPECT_EQ(pixel & 0xFFFFFF, 0x123456u);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

TEST_F(ScreenDisplayTest, SetUpFailureEndsWithTheDisplaysMessage) {
  setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
  try {
    ScreenDisplay d(true, clock_);
    FAIL() << "no error";
  } catch (const FatalError& e) {
    const std::string text = e.what();
    EXPECT_EQ(text.rfind("Error in function DirectX() \r\nError Number: 1\r\n", 0), 0u) << text;
  }
}

// Without any window system SDL draws into memory; the game must not play on
// unseen there, unless that driver was asked for by name.
TEST_F(ScreenDisplayTest, NoWindowSystemIsASetUpFailureUnlessOffscreenWasAskedFor) {
#ifdef VANTEL_TEST_UNDER_ASAN
  // The video drivers SDL tries and unloads keep a few strings of their own
  // for good; they are not ours to free.
  __lsan_disable();
#endif
  unsetenv("SDL_VIDEODRIVER");
  const std::string display = getenv("DISPLAY") != nullptr ? getenv("DISPLAY") : "";
  const std::string wayland = getenv("WAYLAND_DISPLAY") != nullptr ? getenv("WAYLAND_DISPLAY") : "";
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  std::string failure;
  std::string driver;
  try {
    ScreenDisplay d(false, clock_);
    driver = SDL_GetCurrentVideoDriver();
  } catch (const FatalError& e) {
    failure = e.what();
  }
  if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
  if (!wayland.empty()) setenv("WAYLAND_DISPLAY", wayland.c_str(), 1);
  if (failure.empty()) {
    EXPECT_NE(driver, "offscreen");
    GTEST_SKIP() << "SDL found a display of its own here: " << driver;
  }
  EXPECT_EQ(failure.rfind("Error in function DirectX() \r\nError Number: 1\r\n", 0), 0u) << failure;
  if (failure.find("no window system answers") == std::string::npos) {
    GTEST_SKIP() << "this SDL has no offscreen driver: " << failure;
  }

  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  try {
    ScreenDisplay d(false, clock_);
    EXPECT_STREQ(SDL_GetCurrentVideoDriver(), "offscreen");
  } catch (const FatalError& e) {
    ADD_FAILURE() << "offscreen asked for by name was refused: " << e.what();
  }
#ifdef __SANITIZE_ADDRESS__
  __lsan_enable();
#endif
}

}  // namespace
}  // namespace vantel
