#include "platform/input_latch.h"

#include <cstddef>

namespace vantel {
namespace {

template <typename Table>
Table TakeLatched(const Table& held, Table& pressed) {
  Table result{};
  for (std::size_t i = 0; i < result.size(); ++i) result[i] = (held[i] || pressed[i]) ? 1 : 0;
  pressed.fill(0);
  return result;
}

bool ValidButton(int button) {
  return button >= 0 && button < kMouseButtons;
}

}  // namespace

void InputLatch::KeyPressed(uint8_t code) {
  if (code == 0) return;  // keys without a place in the table
  held_keys_[code] = 1;
  pressed_keys_[code] = 1;
}

void InputLatch::KeyReleased(uint8_t code) {
  if (code != 0) held_keys_[code] = 0;
}

void InputLatch::ButtonPressed(int button) {
  if (!ValidButton(button)) return;
  held_buttons_[button] = 1;
  pressed_buttons_[button] = 1;
}

void InputLatch::ButtonReleased(int button) {
  if (ValidButton(button)) held_buttons_[button] = 0;
}

void InputLatch::ReleaseAll() {
  held_keys_.fill(0);
  held_buttons_.fill(0);
}

KeyTable InputLatch::TakeKeys() {
  return TakeLatched(held_keys_, pressed_keys_);
}

ButtonTable InputLatch::TakeButtons() {
  return TakeLatched(held_buttons_, pressed_buttons_);
}

}  // namespace vantel
