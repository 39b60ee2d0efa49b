#include "platform/sdl_input.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "flow/input.h"
#include "game/fatal_error.h"
#include "platform/input_snapshot.h"
#include "platform/key_codes.h"

namespace vantel {
namespace {

// A real SDL window and renderer on the dummy video driver: the 800 x 600 game
// drawn letter-boxed in a 1000 x 600 window, so the bars are 100 pixels wide.
class SdlInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    window_ = SDL_CreateWindow("input", 0, 0, 1000, 600, 0);
    ASSERT_NE(window_, nullptr) << SDL_GetError();
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    ASSERT_NE(renderer_, nullptr) << SDL_GetError();
    SDL_RenderSetLogicalSize(renderer_, 800, 600);
  }
  void TearDown() override {
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    SDL_Quit();
  }

  void SetUpDevices(InputDevices& input) { input.Open(window_, 800, 600); }

  static void Key(Uint32 type, SDL_Scancode scancode, Uint16 mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.scancode = scancode;
    e.key.keysym.mod = mod;
    SDL_PushEvent(&e);
  }
  // x, y: window pixels, where the button went down or up.
  void Button(Uint32 type, Uint8 button, int x = 0, int y = 0) {
    SDL_Event e{};
    e.type = type;
    e.button.windowID = SDL_GetWindowID(window_);
    e.button.button = button;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
  }
  // What the frame loop does between frames.
  static void Pump() {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
    }
  }

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
};

std::string FailureText(const std::function<void()>& f) {
  try {
    f();
  } catch (const FatalError& e) {
    return e.what();
  }
  return "";
}

TEST_F(SdlInputTest, SetUpFailuresCarryTheRoutinesText) {
  InputDevices input;
  std::string text = FailureText([&] { input.Open(nullptr, 800, 600); });
  EXPECT_EQ(text.rfind("Error in function Mouse() \r\nError Number: ", 0), 0u) << text;
  SDL_Window* bare = SDL_CreateWindow("bare", 0, 0, 100, 100, 0);
  ASSERT_NE(bare, nullptr);
  text = FailureText([&] { input.Open(bare, 800, 600); });
  EXPECT_EQ(text.rfind("Error in function Mouse() \r\n", 0), 0u) << text;
  SDL_DestroyWindow(bare);
}

TEST_F(SdlInputTest, KeyTappedBetweenFramesReadsDownForOneFrame) {
  InputDevices input;
  SetUpDevices(input);
  Key(SDL_KEYDOWN, SDL_SCANCODE_P);
  Key(SDL_KEYUP, SDL_SCANCODE_P);
  Pump();
  input.ReadKeyboard();
  EXPECT_TRUE(input.KeyDown(kKeyP));
  EXPECT_FALSE(input.KeyDown(kKeyR));
  input.ReadKeyboard();
  EXPECT_FALSE(input.KeyDown(kKeyP));
}

// Alt+Enter switches the window mode; a card chosen by its number key must
// not be played by the same press.
TEST_F(SdlInputTest, AltEnterNeverReachesTheGameButEnterAloneDoes) {
  InputDevices input;
  SetUpDevices(input);
  for (SDL_Scancode enter : {SDL_SCANCODE_RETURN, SDL_SCANCODE_KP_ENTER}) {
    for (Uint16 alt : {KMOD_LALT, KMOD_RALT}) {
      Key(SDL_KEYDOWN, SDL_SCANCODE_3);
      Key(SDL_KEYUP, SDL_SCANCODE_3);
      Key(SDL_KEYDOWN, enter, alt);
      Key(SDL_KEYUP, enter, alt);
      Pump();
      input.ReadKeyboard();
      EXPECT_TRUE(input.KeyDown(kKey1 + 2));
      EXPECT_FALSE(input.KeyDown(kKeyReturn) || input.KeyDown(kKeyPadEnter)) << enter << alt;
    }
  }
  Key(SDL_KEYDOWN, SDL_SCANCODE_RETURN);
  Key(SDL_KEYUP, SDL_SCANCODE_RETURN);
  Pump();
  input.ReadKeyboard();
  EXPECT_TRUE(input.KeyDown(kKeyReturn));
}

TEST_F(SdlInputTest, HeldEscapeReadsDownInEveryFrame) {
  InputDevices input;
  SetUpDevices(input);
  Key(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE);
  for (int frame = 0; frame < 3; ++frame) {
    Pump();
    input.ReadKeyboard();
    EXPECT_TRUE(input.KeyDown(kKeyEscape)) << frame;
  }
  Key(SDL_KEYUP, SDL_SCANCODE_ESCAPE);
  Pump();
  input.ReadKeyboard();
  EXPECT_FALSE(input.KeyDown(kKeyEscape));
}

TEST_F(SdlInputTest, ClickBetweenFramesAndRightButtonReachTheirSlots) {
  InputDevices input;
  SetUpDevices(input);
  Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
  Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
  Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
  Pump();
  input.UpdateMouse();
  EXPECT_TRUE(input.MouseButtonDown(0));
  EXPECT_TRUE(input.MouseButtonDown(1));
  EXPECT_FALSE(input.MouseButtonDown(2));
  EXPECT_FALSE(input.MouseButtonDown(4));  // outside the four buttons
  input.UpdatePointer();                   // the pointer image's refresh keeps the buttons
  EXPECT_TRUE(input.MouseButtonDown(0));
  input.UpdateMouse();
  EXPECT_FALSE(input.MouseButtonDown(0));
  EXPECT_TRUE(input.MouseButtonDown(1));
}

TEST_F(SdlInputTest, PointerStartsCentredAndMapsThroughTheLetterBox) {
  InputDevices input;
  SetUpDevices(input);
  EXPECT_EQ(input.MouseX(), 400);
  EXPECT_EQ(input.MouseY(), 300);
  EXPECT_EQ(input.MouseClamp().max_x, 800);
  EXPECT_EQ(input.MouseClamp().max_y, 600);

  struct Case {
    int window_x, window_y, game_x, game_y;
  } cases[] = {
      {500, 300, 400, 300},  // the middle of the window is the middle of the game
      {100, 0, 0, 0},        // the game's top-left corner
      {50, 300, 0, 300},     // left bar
      {950, 599, 800, 599},  // right bar
      {900, 599, 800, 599},  // the right edge itself
  };
  for (const Case& c : cases) {
    SDL_WarpMouseInWindow(window_, c.window_x, c.window_y);
    Pump();
    input.UpdateMouse();
    EXPECT_EQ(input.MouseX(), c.game_x) << c.window_x << "," << c.window_y;
    EXPECT_EQ(input.MouseY(), c.game_y) << c.window_x << "," << c.window_y;
  }
}

TEST_F(SdlInputTest, ReleasedDevicesReadAllUpAndIgnoreEvents) {
  InputDevices input;
  SetUpDevices(input);
  Key(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE);
  Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
  Pump();
  input.ReadKeyboard();
  input.UpdateMouse();
  ASSERT_TRUE(input.KeyDown(kKeyEscape));
  ASSERT_TRUE(input.MouseButtonDown(0));

  input.Close();
  Key(SDL_KEYDOWN, SDL_SCANCODE_R);
  Pump();
  input.ReadKeyboard();
  input.UpdateMouse();
  EXPECT_FALSE(input.KeyDown(kKeyEscape));
  EXPECT_FALSE(input.KeyDown(kKeyR));
  EXPECT_FALSE(input.MouseButtonDown(0));
  // Opened again, the devices read again.
  input.Open(window_, 800, 600);
  Key(SDL_KEYDOWN, SDL_SCANCODE_R);
  Pump();
  input.ReadKeyboard();
  EXPECT_TRUE(input.KeyDown(kKeyR));
}

TEST_F(SdlInputTest, SnapshotCarriesTheFramesStatesUnderTheGamesCodes) {
  InputDevices input;
  SetUpDevices(input);
  Key(SDL_KEYDOWN, SDL_SCANCODE_R);
  Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 150, 20);
  SDL_WarpMouseInWindow(window_, 150, 20);
  Pump();
  input.ReadKeyboard();
  input.UpdateMouse();
  InputSnapshot snapshot = TakeSnapshot(input);
  EXPECT_TRUE(snapshot.KeyDown(kKeyR));
  EXPECT_FALSE(snapshot.KeyDown(kKeyEscape));
  EXPECT_FALSE(snapshot.KeyDown(kKeyP));
  EXPECT_TRUE(snapshot.MouseButtonDown(kRightButton));
  EXPECT_FALSE(snapshot.MouseButtonDown(kLeftButton));
  EXPECT_EQ(snapshot.mouse_x, 50);
  EXPECT_EQ(snapshot.mouse_y, 20);
}

// The pointer moves on between the press and the frame that reads it: the
// click counts where the button went down, while the pointer picture follows
// the mouse. The window is 1000 x 600 with the 800 x 600 picture in the middle.
TEST_F(SdlInputTest, AClickCountsWhereTheButtonWentDown) {
  InputDevices input;
  SetUpDevices(input);
  Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 400, 300);
  Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 420, 310);
  SDL_WarpMouseInWindow(window_, 700, 500);
  Pump();
  input.ReadKeyboard();
  input.UpdateMouse();
  InputSnapshot snapshot = TakeSnapshot(input);
  EXPECT_TRUE(snapshot.MouseButtonDown(kLeftButton));
  EXPECT_EQ(snapshot.mouse_x, 300);
  EXPECT_EQ(snapshot.mouse_y, 300);
  input.UpdatePointer();  // the pointer picture, drawn after the step
  EXPECT_EQ(input.MouseX(), 600);
  EXPECT_EQ(input.MouseY(), 500);
  // The next frame has no press: the frame's position is the mouse's again.
  Pump();
  input.UpdateMouse();
  snapshot = TakeSnapshot(input);
  EXPECT_FALSE(snapshot.MouseButtonDown(kLeftButton));
  EXPECT_EQ(snapshot.mouse_x, 600);
  EXPECT_EQ(snapshot.mouse_y, 500);
  // Two presses before one frame: the first one's place counts.
  Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 150, 50);
  Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 850, 550);
  Pump();
  input.UpdateMouse();
  EXPECT_EQ(input.MouseX(), 50);
  EXPECT_EQ(input.MouseY(), 50);
}

// The game's display letter-boxes the picture itself and hands the input its
// map from window pixels; presses and the pointer both go through it.
TEST_F(SdlInputTest, APointerMapPlacesPressesAndThePointer) {
  SDL_RenderSetLogicalSize(renderer_, 0, 0);  // event positions stay in window pixels
  InputDevices input;
  SetUpDevices(input);
  input.SetPointerMap([](int32_t x, int32_t y) {
    return LogicalPoint{static_cast<float>(x) / 1.25f - 10, static_cast<float>(y) - 5};
  });
  Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 500, 305);
  SDL_WarpMouseInWindow(window_, 900, 500);
  Pump();
  input.UpdateMouse();
  EXPECT_EQ(input.MouseX(), 390);
  EXPECT_EQ(input.MouseY(), 300);
  input.UpdatePointer();
  EXPECT_EQ(input.MouseX(), 710);
  EXPECT_EQ(input.MouseY(), 495);
}

}  // namespace
}  // namespace vantel
