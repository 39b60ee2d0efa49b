#pragma once

#include <string>

#include "deck_style.h"
#include "fonts.h"
#include "picture.h"
#include "suits.h"

namespace vantel {

// rank 1 (ace) .. 13 (king).
Picture DrawCardFace(const DeckStyle& deck, const FontSet& fonts, int rank, Suit suit);
Picture DrawCardBack(const DeckStyle& deck);
// The highlight laid over a picked table card: a frame with a transparent middle.
Picture DrawPickFrame(const DeckStyle& deck);

// The path of the card's outline, shared by faces, backs and frames.
void CardOutline(cairo_t* cr, const DeckStyle& deck);

// Rank letter(s) of the corner index: "A", "2" .. "10", "J", "Q", "K".
std::string RankLabel(int rank);
// The inverse; throws std::invalid_argument for anything else.
int RankOfLabel(const std::string& label);

}  // namespace vantel
