#pragma once

#include <cstdint>
#include <string>

#include "gfx/rect.h"

namespace vantel {

struct Game;
struct Assets;
struct NotedPlay;
class Display;

// A played card is shown by its corner, the value and suit a fanned hand
// shows: a share of the card's width and height.
inline constexpr int32_t kCornerWidthTenths = 3;
inline constexpr int32_t kCornerHeightQuarters = 1;
// Room around the corners and words on a plate.
inline constexpr int32_t kCornerPlatePadding = 3;
inline constexpr int32_t kCornerGap = 6;
// The round view's panel: its top, the room around its rows and between them.
inline constexpr int32_t kRoundViewTop = 118;
inline constexpr int32_t kRoundPanelMargin = 8;
inline constexpr int32_t kRoundRowGap = 6;

// How tall a plate with a card's corner is.
int32_t PlateHeight(const Assets& a);

// The word for what a play did, in the table fonts' code page: "laid" for a
// card laid down; "took" and the number of cards on a seat's plate, just
// "took" in the round view, where the cards follow.
std::string PlayWord(const NotedPlay& play, bool with_count);

// Where the plate of the seat at `place` (1 to 3, the person's being 0) lies
// when it is `width` wide: under the top hands, beside the label of the
// hand on the right. `right_label_width` is that label's width.
Rect SeatPlateRect(int place, int32_t width, int32_t height, int32_t right_label_width);

// The plate of the seat at `place` as it is drawn now; all zero when that
// seat has not played this hand.
Rect SeatPlateNow(const Game& g, const Assets& a, int place);

// How wide the round view's row for `play` by the seat at `place` is, its
// name column as wide as that seat's name.
int32_t RoundRowWidth(const Assets& a, const NotedPlay& play, int place);

// The other seats' latest plays, each on a plate by its hand, the previous
// player's framed. Only cards already face up on the table are named.
void DrawSeatPlates(const Game& g, const Assets& a, Display& d);

// The round view is on while its key is held or the pointer rests on a
// seat's plate or label; never in the simulator.
bool RoundViewShown(const Game& g, const Assets& a, PointerPosition pointer);

// The latest plays of the hand, oldest first, one row each: the seat, its
// card, and what it took.
void DrawRoundView(const Game& g, const Assets& a, Display& d);

}  // namespace vantel
