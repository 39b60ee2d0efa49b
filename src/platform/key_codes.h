#pragma once

#include <cstdint>

#include <SDL_scancode.h>

#include "flow/input.h"  // the game's codes of the keys it answers

namespace vantel {

// The game's key table is indexed by PC keyboard scan codes (Escape 1, R 19,
// P 25). 0 means the key has no place in that table.
uint8_t GameKeyCode(SDL_Scancode scancode);

}  // namespace vantel
