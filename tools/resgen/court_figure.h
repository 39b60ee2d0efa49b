#pragma once

#include <cairo.h>

#include "deck_style.h"
#include "suits.h"

namespace vantel {

// A full-length court figure (11 jack, 12 queen, 13 king) standing in the box
// (x, y, w, h), holding the emblem of its suit.
void DrawCourtFigure(cairo_t* cr, const DeckStyle& deck, int rank, Suit suit, double x, double y,
                     double w, double h);

}  // namespace vantel
