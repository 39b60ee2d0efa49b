#include "platform/sdl_input.h"

#include <SDL.h>

#include "game/fatal_error.h"
#include "i18n/gettext.h"
#include "platform/key_codes.h"

namespace vantel {
namespace {

[[noreturn]] void Fail(const char* routine, int number, const char* description) {
  throw FatalError(routine, number, description);
}

}  // namespace

int GameButton(uint8_t sdl_button) {
  switch (sdl_button) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    case SDL_BUTTON_X1: return 3;
    default: return -1;
  }
}

InputDevices::~InputDevices() {
  Close();
  if (events_started_) SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

// The failures keep the texts the game has always shown for them: the event
// system's under one routine name, the window's under another.
void InputDevices::Open(SDL_Window* window, int32_t screen_width, int32_t screen_height) {
  if (!events_started_) {
    const int rc = SDL_InitSubSystem(SDL_INIT_EVENTS);
    if (rc != 0) Fail("GiveMeInput", rc, SDL_GetError());
    events_started_ = true;
  }
  if (window == nullptr) Fail("Mouse", -1, _("There is no game window to read the mouse in."));
  if (SDL_GetRenderer(window) == nullptr) Fail("Mouse", -1, SDL_GetError());
  window_ = window;
  clamp_ = {0, 0, screen_width, screen_height};
  mouse_ = {screen_width / 2, screen_height / 2};
  if (!reading_) SDL_AddEventWatch(&InputDevices::Watch, this);
  reading_ = true;
}

void InputDevices::Close() {
  if (reading_) SDL_DelEventWatch(&InputDevices::Watch, this);
  reading_ = false;
  window_ = nullptr;
  key_state_.fill(0);
  buttons_.fill(0);
  pressed_at_.reset();
}

int InputDevices::Watch(void* self, SDL_Event* event) {
  static_cast<InputDevices*>(self)->OnEvent(*event);
  return 1;
}

void InputDevices::OnEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
      if (!IsWindowModeShortcut(event.key.keysym)) {
        latch_.KeyPressed(GameKeyCode(event.key.keysym.scancode));
      }
      break;
    case SDL_KEYUP: latch_.KeyReleased(GameKeyCode(event.key.keysym.scancode)); break;
    case SDL_MOUSEBUTTONDOWN:
      latch_.ButtonPressed(GameButton(event.button.button));
      if (pressed_at_) break;
      // Without a map of its own the renderer's logical size has already made
      // the event's position logical.
      pressed_at_ = pointer_map_ ? WindowToGame(event.button.x, event.button.y)
                                 : LogicalToGame(static_cast<float>(event.button.x),
                                                 static_cast<float>(event.button.y), clamp_);
      break;
    case SDL_MOUSEBUTTONUP: latch_.ButtonReleased(GameButton(event.button.button)); break;
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
  if (!reading_) {
    key_state_.fill(0);
    return;
  }
  key_state_ = latch_.TakeKeys();
}

void InputDevices::UpdatePointer() {
  if (!reading_) return;
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
  if (!reading_) {
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
