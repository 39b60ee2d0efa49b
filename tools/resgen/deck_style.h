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
  std::string prefix;  // entry-name prefix in the archive
  int width = 0;
  int height = 0;
  double corner_radius = 0;
  Rgb paper;
  Rgb border;                   // the frame line round the face
  Rgb court_panel;              // background behind the court figures
  FontId index_font;            // corner ranks
  std::array<Rgb, 4> rank_ink;  // corner rank colour per suit, in IdSuitPlace order
  std::array<Rgb, 4> costumes;  // figure colours, one per suit, in IdSuitPlace order
  SuitPalette suits;
  Rgb back_field;
  Rgb back_pattern;
  Rgb back_edge;
  bool lattice = false;  // back: diamond lattice (else interlaced rings)
};

// Bresciane-style: 81 wide, warm paper, red and gold.
DeckStyle RoyalDeck();
// Trevigiane-style: 77 wide, white paper, blue and green.
DeckStyle TrevigianoDeck();

}  // namespace vantel
