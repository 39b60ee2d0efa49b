#include "platform/sdl_input.h"

#include <SDL.h>

#include "game/fatal_error.h"
#include "platform/key_codes.h"

namespace vantel {
namespace {

[[noreturn]] void Fail(const char* routine, int number, const char* description) {
  throw FatalError(ErrorInFunction(routine, number, description));
}

}  // namespace

int GameButton(uint8_t sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    case SDL_BUTTON_X1: return 3;
    default: return -1;
  }
}

InputDevices::~InputDevices() {
  keyboardAcquired_ = mouseAcquired_ = false;
  UpdateWatch();
  if (inputCreated_) SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

void InputDevices::GiveMeInput() {
  if (inputCreated_) return;
  int rc = SDL_InitSubSystem(SDL_INIT_EVENTS);
  if (rc != 0) Fail("GiveMeInput", rc, SDL_GetError());
  inputCreated_ = true;
}

void InputDevices::KeyBoard() {
  if (!inputCreated_) Fail("KeyBoard", -1, "The input system has not been set up.");
  keyboardExists_ = true;
  AcquireKeyBoard();
}

void InputDevices::Mouse(SDL_Window* window, int32_t screenWidth, int32_t screenHeight) {
  if (!inputCreated_) Fail("Mouse", -1, "The input system has not been set up.");
  if (window == nullptr) Fail("Mouse", -1, "There is no game window to read the mouse in.");
  if (SDL_GetRenderer(window) == nullptr) Fail("Mouse", -1, SDL_GetError());
  window_ = window;
  mouseExists_ = true;
  clamp_ = {0, 0, screenWidth, screenHeight};
  mouse_ = {screenWidth / 2, screenHeight / 2};
  AcquireMouse();
}

void InputDevices::AcquireKeyBoard() {
  if (!keyboardExists_) return;
  keyboardAcquired_ = true;
  UpdateWatch();
}

void InputDevices::AcquireMouse() {
  if (!mouseExists_) return;
  mouseAcquired_ = true;
  UpdateWatch();
}

void InputDevices::UnAcquireKeyBoard() {
  if (!keyboardExists_) return;
  keyboardAcquired_ = false;
  keyboardExists_ = false;
  keyState_.fill(0);
  UpdateWatch();
}

void InputDevices::UnAcquireMouse() {
  if (!mouseExists_) return;
  mouseAcquired_ = false;
  mouseExists_ = false;
  window_ = nullptr;
  buttons_.fill(0);
  UpdateWatch();
}

void InputDevices::UpdateWatch() {
  bool want = keyboardAcquired_ || mouseAcquired_;
  if (want && !watching_) SDL_AddEventWatch(&InputDevices::Watch, this);
  if (!want && watching_) SDL_DelEventWatch(&InputDevices::Watch, this);
  watching_ = want;
}

int InputDevices::Watch(void* self, SDL_Event* event) {
  static_cast<InputDevices*>(self)->OnEvent(*event);
  return 1;
}

void InputDevices::OnEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
      if (keyboardAcquired_) latch_.KeyPressed(OriginalKeyCode(event.key.keysym.scancode));
      break;
    case SDL_KEYUP:
      if (keyboardAcquired_) latch_.KeyReleased(OriginalKeyCode(event.key.keysym.scancode));
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (!mouseAcquired_) break;
      latch_.ButtonPressed(GameButton(event.button.button));
      if (pressed_at_) break;
      // Without a map of its own the renderer's logical size has already made
      // the event's position logical.
      pressed_at_ = pointer_map_ ? WindowToGame(event.button.x, event.button.y)
                                 : LogicalToGame(static_cast<float>(event.button.x),
                                                 static_cast<float>(event.button.y), clamp_);
      break;
    case SDL_MOUSEBUTTONUP:
      if (mouseAcquired_) latch_.ButtonReleased(GameButton(event.button.button));
      break;
    case SDL_WINDOWEVENT:
      // SDL forgets held keys when the focus goes; so must the game, or a key
      // released elsewhere would stay down for ever.
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) latch_.ReleaseAll();
      break;
    default: break;
  }
}

// Without a device there is nothing to read: every key reads as up rather
// than keeping the last frame's state.
void InputDevices::ReadKeyboard() {
  if (!keyboardAcquired_) {
    keyState_.fill(0);
    return;
  }
  keyState_ = latch_.TakeKeys();
}

void InputDevices::UpdatePointer() {
  if (!mouseExists_) return;
  SDL_Renderer* renderer = SDL_GetRenderer(window_);
  if (renderer == nullptr) return;  // the display is going away; keep the last position
  int x = 0, y = 0;
  if (SDL_GetMouseFocus() == window_) {
    SDL_GetMouseState(&x, &y);
  } else {
    // Outside the window (or before it saw the pointer): the system cursor,
    // relative to the window. X11 caches this between its own motion events,
    // so it serves only where the window's events cannot.
    int wx = 0, wy = 0;
    SDL_GetGlobalMouseState(&x, &y);
    SDL_GetWindowPosition(window_, &wx, &wy);
    x -= wx;
    y -= wy;
  }
  mouse_ = WindowToGame(x, y);
}

GamePoint InputDevices::WindowToGame(int32_t x, int32_t y) const {
  if (pointer_map_) {
    const LogicalPoint p = pointer_map_(x, y);
    return LogicalToGame(p.x, p.y, clamp_);
  }
  SDL_Renderer* renderer = window_ ? SDL_GetRenderer(window_) : nullptr;
  float lx = static_cast<float>(x), ly = static_cast<float>(y);
  if (renderer) SDL_RenderWindowToLogical(renderer, x, y, &lx, &ly);
  return LogicalToGame(lx, ly, clamp_);
}

void InputDevices::UpdateMouse() {
  UpdatePointer();
  if (!mouseAcquired_) {
    buttons_.fill(0);
    pressed_at_.reset();
    return;
  }
  buttons_ = latch_.TakeButtons();
  if (pressed_at_) mouse_ = *pressed_at_;
  pressed_at_.reset();
}

bool InputDevices::MouseButtonDown(int16_t button) const {
  return button >= 0 && button < kMouseButtons && buttons_[button] != 0;
}

}  // namespace vantel
