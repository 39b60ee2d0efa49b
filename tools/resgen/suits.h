#pragma once

#include <cairo.h>

#include "canvas.h"

namespace vantel {

// The Latin suits of the northern Italian pattern. The four file suits of the
// card names map onto them C = cups, D = coins, H = swords, S = batons (the
// score page calls suit S "Clubs", the batons).
enum class Suit { Cups, Coins, Swords, Batons };

// The colours of the emblems; each deck has its own set.
struct SuitPalette {
  Rgb Metal, MetalDark;  // gilding: cup rims, coins, hilts
  Rgb CupBowl;
  Rgb Rosette;  // the flower in a coin
  Rgb Blade, BladeDark;
  Rgb Grip;
  Rgb Wood, Binding;
};

Suit SuitOfFileLetter(char letter);  // 'C', 'D', 'H' or 'S'

// Draws the suit's emblem centred at (cx, cy), `size` pixels tall.
void DrawSuitSymbol(cairo_t* cr, Suit suit, double cx, double cy, double size,
                    const SuitPalette& colours);

}  // namespace vantel
