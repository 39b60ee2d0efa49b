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
  heldKeys_[code] = 1;
  pressedKeys_[code] = 1;
}

void InputLatch::KeyReleased(uint8_t code) {
  if (code != 0) heldKeys_[code] = 0;
}

void InputLatch::ButtonPressed(int button) {
  if (!ValidButton(button)) return;
  heldButtons_[button] = 1;
  pressedButtons_[button] = 1;
}

void InputLatch::ButtonReleased(int button) {
  if (ValidButton(button)) heldButtons_[button] = 0;
}

void InputLatch::ReleaseAll() {
  heldKeys_.fill(0);
  heldButtons_.fill(0);
}

KeyTable InputLatch::TakeKeys() {
  return TakeLatched(heldKeys_, pressedKeys_);
}

ButtonTable InputLatch::TakeButtons() {
  return TakeLatched(heldButtons_, pressedButtons_);
}

}  // namespace vantel
