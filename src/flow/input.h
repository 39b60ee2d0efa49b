#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vantel {

// Key codes of the keyboard device the game reads.
inline constexpr int kKeyEscape = 1, kKeyR = 19, kKeyP = 25, kKeyH = 35, kKeyC = 46;
inline constexpr int kKey1 = 2;  // 1..9, 0, -, = follow: codes 2..13
inline constexpr int kKeyBackspace = 14, kKeyTab = 15, kKeyReturn = 28, kKeySpace = 57;
inline constexpr int kKeyPadEnter = 0x9C, kKeyLeft = 0xCB, kKeyRight = 0xCD;
inline constexpr int kLeftButton = 0;
inline constexpr int kRightButton = 1;

// What the devices said in one frame: 256 keys by device code and four mouse
// buttons (a non-zero byte is down), and the pointer in game pixels. The game
// fills it from SDL, the simulator from its autopilot.
struct InputSnapshot {
  std::array<uint8_t, 256> keys{};
  std::array<uint8_t, 4> buttons{};
  int32_t mouse_x = 0;
  int32_t mouse_y = 0;
  // Inline: every frame asks for a dozen keys.
  bool KeyDown(int code) const {
    return code >= 0 && code < static_cast<int>(keys.size()) &&
           keys[static_cast<std::size_t>(code)] != 0;
  }
  bool MouseButtonDown(int button) const {
    return button >= 0 && button < static_cast<int>(buttons.size()) &&
           buttons[static_cast<std::size_t>(button)] != 0;
  }
};

}  // namespace vantel
