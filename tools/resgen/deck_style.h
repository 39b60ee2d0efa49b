#pragma once

#include <array>
#include <string>

#include "canvas.h"
#include "fonts.h"
#include "suits.h"

namespace vantel {

// What sets one deck apart from the other: size, paper, frame, lettering,
// costume colours and the pattern of the back.
struct DeckStyle {
  std::string Prefix;  // entry-name prefix in the archive
  int Width = 0;
  int Height = 0;
  double CornerRadius = 0;
  Rgb Paper;
  Rgb Border;                   // the frame line round the face
  Rgb CourtPanel;               // background behind the court figures
  FontId IndexFont;             // corner ranks
  std::array<Rgb, 4> RankInk;   // corner rank colour per suit
  std::array<Rgb, 4> Costumes;  // figure colours, one per suit
  SuitPalette Suits;
  Rgb BackField;
  Rgb BackPattern;
  Rgb BackEdge;
  bool Lattice = false;  // back: diamond lattice (else interlaced rings)
};

// Bresciane-style: 81 wide, warm paper, red and gold.
DeckStyle RoyalDeck();
// Trevigiane-style: 77 wide, white paper, blue and green.
DeckStyle TrevigianoDeck();

}  // namespace vantel
