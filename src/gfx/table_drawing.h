#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/clock_text.h"

namespace vantel {

struct Game;
struct Assets;
class Display;

// The caption line under the table: the keys, short enough to end before the clock.
inline constexpr const char* kCaptionText = "VANTEL  R reorder  P pause  Esc quit";

// First pile entry drawn for a pile of `count` cards: a big pile shows from
// entry 11 on (the cards below are hidden under it anyway).
int32_t PileFirstEntry(int32_t count);

// Stock entries visited for deck position `p`, in drawing order (highest first).
std::vector<int32_t> StockVisitOrder(int32_t p);

// Composes everything of a frame that depends on the hand, over the
// background: marker fans, piles, stock, table, hands, the score page at the
// end of a hand, the clock and the caption. Reads the game, never changes it.
void DrawTable(const Game& g, Assets& a, Display& d, const LocalTimeSource& now = SystemLocalTime);

}  // namespace vantel
