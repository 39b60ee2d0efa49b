#pragma once

#include <cairo.h>

#include "canvas.h"
#include "game/cards.h"

namespace vantel {

// The emblems are the Latin suits of the northern Italian pattern, the game's
// own Suit. The letters of the card names map onto them C = cups, D = coins,
// H = swords, S = batons (the score page calls the batons "Clubs").

// The colours of the emblems; each deck has its own set.
struct SuitPalette {
  Rgb metal, metal_dark;  // gilding: cup rims, coins, hilts
  Rgb cup_bowl;
  Rgb rosette;  // the flower in a coin
  Rgb blade, blade_dark;
  Rgb grip;
  Rgb wood, binding;
};

Suit SuitOfFileLetter(char letter);  // 'C', 'D', 'H' or 'S'

// Draws the suit's emblem centred at (cx, cy), `size` pixels tall.
void DrawSuitSymbol(cairo_t* cr, Suit suit, double cx, double cy, double size,
                    const SuitPalette& colours);

}  // namespace vantel
