#pragma once

#include <string>
#include <string_view>

#include "game/game.h"

namespace vantel {

// The most characters the status line holds: it must end before the clock.
inline constexpr int kStatusTextMaxChars = 60;

// The short name of a seat as the human sees the table: "You", "Right",
// "Partner", "Left".
std::string_view SeatName(int seat);

// What the status line under the table says: what the game waits for, who is
// playing, or the match score with its target. The text is in the table
// fonts' code page (the dot between parts is one byte, 0xB7).
std::string StatusText(const Game& g);

}  // namespace vantel
