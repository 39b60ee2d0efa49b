#pragma once

#include <cstdint>
#include <string>

#include "gfx/rect.h"

namespace vantel {

struct Game;
struct Assets;
class Display;

// Where the label of a place at the table lies on the felt: its top left corner, or for
// a negative x its top right corner at -x.
PointerPosition SeatLabelPlace(int place);
// How wide that label may be: the two at the top share the felt between the
// top hands, the two at the bottom keep to their hand's side of the table.
int32_t SeatLabelRoom(int place);

// "You", "Right", "Partner" or "Left" for the place, in the reader's language
// and the table fonts' code page.
std::string PlaceLabelText(int place);

// The label of the seat at `place`: PlaceLabelText, or at a network table the
// name of the person there, cut to kLabelNameChars characters.
inline constexpr int kLabelNameChars = 12;
std::string SeatLabelText(const Game& g, int place);

// Where the label of the seat at `place` lies, as drawn.
Rect SeatLabelRect(const Game& g, const Assets& a, int place);

// Every seat's label beside its hand.
void DrawSeatLabels(const Game& g, const Assets& a, Display& d);

}  // namespace vantel
