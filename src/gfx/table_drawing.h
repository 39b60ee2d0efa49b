#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/match_state.h"
#include "gfx/clock_text.h"
#include "gfx/rect.h"

namespace vantel {

struct Game;
struct Assets;
class Display;

// Where the status line starts; it must end before the clock at kClockX.
inline constexpr int32_t kStatusX = 5;
inline constexpr int32_t kStatusY = 572;
inline constexpr int32_t kClockX = 700;
// The gap the status line keeps before the clock, and so its room.
inline constexpr int32_t kStatusGap = 8;
inline constexpr int32_t kStatusRoom = kClockX - kStatusGap - kStatusX;

// The score page lies off the right edge during a hand; its spine shows there
// as a tab.
inline constexpr int32_t kScorePageTabX = 780;
inline constexpr int32_t kScorePageTabY = 5;

// How far a hand card the human may play rises under the pointer or the keys.
inline constexpr int32_t kHandCardRise = 10;
// The match score's plate, above our hand and below the table's lowest cards.
inline constexpr int32_t kScoreStripY = 390;
// While a network table waits for its people: the join link and its key, one
// plate above the other mid-table, where the table cards will lie.
inline constexpr int32_t kJoinLinkY = 250;
inline constexpr int32_t kJoinHintY = kJoinLinkY + 35;

// The text shown beside the score page's tab: "Score: We 12 · They 8", in the
// table fonts' code page.
std::string ScoreTabText(int we, int they);

// The points a side has from special captures this hand (Scua, Picada,
// Simili, Quadriglia), and its pile's tag: "We", or "We +2" once it has some.
int SpecialPointsOf(const HandScore& score);
std::string PileTagText(Side side, int special_points);

// First pile entry drawn for a pile of `count` cards: a big pile shows from
// entry 11 on (the cards below are hidden under it anyway).
int32_t PileFirstEntry(int32_t count);

// Stock entries visited for deck position `p`, in drawing order (highest first).
std::vector<int32_t> StockVisitOrder(int32_t p);

// Composes everything of a frame that depends on the hand, over the
// background: marker fans, piles, stock, table, hands, the score page at the
// end of a hand, the clock and the status line, and the aids: the seats'
// labels, the last card of each seat, the takeable cards, the keys' choice,
// the raised hand card under `pointer`, the announcement of a special capture,
// the side's name over each pile, and the match score beside the score page's
// tab while the pointer is on it.
// Reads the game, never changes it.
void DrawTable(const Game& g, const Assets& a, Display& d,
               const LocalTimeSource& now = SystemLocalTime, PointerPosition pointer = {-1, -1});

}  // namespace vantel
