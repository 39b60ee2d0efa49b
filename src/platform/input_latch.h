#pragma once

#include <array>
#include <cstdint>

namespace vantel {

inline constexpr int kKeyTableSize = 256;
inline constexpr int kMouseButtons = 4;

using KeyTable = std::array<uint8_t, kKeyTableSize>;
using ButtonTable = std::array<uint8_t, kMouseButtons>;

// Key and button states built from press and release events. The game polls
// once per frame, but a click or a tap can begin and end between two polls;
// a press seen since the last read therefore reads as down in that read even
// when the release came first, so no input is lost on a slow frame.
class InputLatch {
 public:
  void KeyPressed(uint8_t code);
  void KeyReleased(uint8_t code);
  void ButtonPressed(int button);
  void ButtonReleased(int button);
  // The window lost the focus: nothing is held any more (presses not yet read
  // still count once).
  void ReleaseAll();

  // Non-zero for every key held now or pressed since the previous TakeKeys.
  KeyTable TakeKeys();
  ButtonTable TakeButtons();

 private:
  KeyTable held_keys_{};
  KeyTable pressed_keys_{};
  ButtonTable held_buttons_{};
  ButtonTable pressed_buttons_{};
};

}  // namespace vantel
