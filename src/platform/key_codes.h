#pragma once

#include <cstdint>

#include <SDL_scancode.h>

namespace vantel {

// The game's key table is indexed by PC keyboard scan codes (Escape 1, R 19,
// P 25). 0 means the key has no place in that table.
uint8_t OriginalKeyCode(SDL_Scancode scancode);

inline constexpr uint8_t kOriginalEscape = 1;
inline constexpr uint8_t kOriginalR = 19;
inline constexpr uint8_t kOriginalP = 25;

}  // namespace vantel
