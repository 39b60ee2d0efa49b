#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/clock_text.h"
#include "i18n/gettext.h"

namespace vantel {

struct Game;
struct Assets;
class Display;

// The caption line under the table: the keys, short enough to end before the clock.
// TRANSLATORS: the key line under the table, 40 letters at most.
inline constexpr const char* kCaptionText = N_("VANTEL  R reorder  P pause  Esc quit");
// From x 5 at 17 pixels a letter, a caption of this many letters ends before
// the clock at x 700.
inline constexpr std::size_t kCaptionGlyphs = 40;

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
