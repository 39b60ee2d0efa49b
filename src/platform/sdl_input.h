#pragma once

#include <cstdint>
#include <optional>

#include "platform/input_latch.h"
#include "platform/pointer.h"

struct SDL_Window;
union SDL_Event;

namespace vantel {

// The keyboard and the mouse on SDL, read once per frame. Presses are latched
// from SDL's event queue as they arrive (an event watch), so whoever pumps the
// queue, every press reaches the next read. Set-up failures throw FatalError
// with the routine's "Error in function ...() " text.
class InputDevices {
 public:
  InputDevices() = default;
  InputDevices(const InputDevices&) = delete;
  InputDevices& operator=(const InputDevices&) = delete;
  ~InputDevices();

  // Starts reading the keyboard and the mouse of the game window, whose
  // renderer maps the pointer through the logical 800 x 600 scaling;
  // screen_width/height: the game screen. Throws FatalError when the event
  // system cannot start or the window cannot be read.
  void Open(SDL_Window* window, int32_t screen_width, int32_t screen_height);
  // Stops reading: every key and button reads as up from then on, until Open.
  void Close();

  // How window pixels become game pixels when the display letter-boxes the
  // picture itself; without one, the renderer's logical size does it.
  void SetPointerMap(PointerMap map) { pointer_map_ = std::move(map); }

  void ReadKeyboard();
  // The pointer and the buttons; UpdatePointer alone refreshes the position
  // (the pointer image follows it) without taking the latched buttons. When a
  // button went down since the last read, the frame's position is where it
  // went down: a click counts where it was made, however far the pointer
  // moved before the frame came.
  void UpdateMouse();
  void UpdatePointer();

  bool KeyDown(uint8_t code) const { return key_state_[code] != 0; }
  bool MouseButtonDown(int16_t button) const;
  int32_t MouseX() const { return mouse_.x; }
  int32_t MouseY() const { return mouse_.y; }
  const KeyTable& KeyState() const { return key_state_; }
  const ButtonTable& MouseButtons() const { return buttons_; }
  const ClampBox& MouseClamp() const { return clamp_; }

 private:
  static int Watch(void* self, SDL_Event* event);
  void OnEvent(const SDL_Event& event);
  GamePoint WindowToGame(int32_t x, int32_t y) const;

  bool events_started_ = false;  // this object started SDL's event system
  bool reading_ = false;         // the event watch latches presses
  SDL_Window* window_ = nullptr;
  InputLatch latch_;
  KeyTable key_state_{};
  ButtonTable buttons_{};
  ClampBox clamp_{};
  GamePoint mouse_{};
  std::optional<GamePoint> pressed_at_;
  PointerMap pointer_map_;
};

// SDL's button numbers to the game's: 0 left, 1 right, 2 middle, 3 the first
// extra button; -1 for any other.
int GameButton(uint8_t sdl_button);

}  // namespace vantel
