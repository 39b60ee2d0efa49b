#pragma once

#include <vector>

#include "flow/game.h"
#include "flow/input.h"

namespace vantel {

// The number keys 1..9, 0, - and = choose the twelve hand places in order.
inline constexpr int kPlaceKeys = 12;

// Playing by keys. On the human's turn Left/Right (or a place key) choose a
// hand card and Return plays it; while a capture is chosen Left/Right move
// among the table cards that can be picked or put back, Space picks or puts
// back, Return picks and so completes the capture, Backspace takes nothing;
// Return or Space leaves the score page. Every key acts once per press and
// goes through the same functions as the mouse. When only one set of table
// cards completes the capture, Return takes it at once. A move of the mouse or
// a click hides the keys' choice until the next key; Return or Space then
// shows it again before acting on it.
void ReadPlayKeys(Game& g, const InputSnapshot& input);

// Whether the keys' choice is on show: no mouse move or click since the last
// play key.
bool KeysChoiceShown(const Game& g);

// The human's shown hand slots from left to right.
std::vector<int16_t> HandSlotsInRow(const Game& g);

// The table cards the keys move among while a capture is chosen: those that
// can be picked and those already picked, from left to right.
std::vector<int16_t> KeyTableChoices(const Game& g);

}  // namespace vantel
