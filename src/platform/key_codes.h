#pragma once

#include <cstdint>

#include <SDL_keyboard.h>
#include <SDL_scancode.h>

#include "flow/input.h"  // the game's codes of the keys it answers

namespace vantel {

// The game's key table is indexed by PC keyboard scan codes (Escape 1, R 19,
// P 25). 0 means the key has no place in that table.
uint8_t GameKeyCode(SDL_Scancode scancode);

// Alt+Enter switches between the window and the full screen. Its Enter is not
// the Enter that plays a card or confirms a capture, so it never reaches the
// game's key table.
bool IsWindowModeShortcut(const SDL_Keysym& key);

}  // namespace vantel
