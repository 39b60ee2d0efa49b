#include "deck_style.h"

namespace vantel {

DeckStyle RoyalDeck() {
  DeckStyle d;
  d.prefix = "Royal_";
  d.width = 81;
  d.height = 153;
  d.corner_radius = 7;
  d.paper = Hex(0xFBF3DE);
  d.border = Hex(0xA8231E);
  d.court_panel = Hex(0xF6DE9A);
  d.index_font = FontId::kSerifBold;
  d.rank_ink = {Hex(0xB01E22), Hex(0x9A5A00), Hex(0x1C3F8C), Hex(0x1F6B2A)};
  d.costumes = {Hex(0xC0282C), Hex(0x2D56A8), Hex(0x2E7D3A), Hex(0x7A3C9A)};
  d.suits = {Hex(0xE8B830), Hex(0xA8741A), Hex(0xC0282C), Hex(0xC0282C), Hex(0xB8C8DC),
             Hex(0x4A6488), Hex(0xC0282C), Hex(0x9A6234), Hex(0x2E7D3A)};
  d.back_field = Hex(0x8E1C1C);
  d.back_pattern = Hex(0xE0B040);
  d.back_edge = Hex(0xFBF3DE);
  d.lattice = true;
  return d;
}

DeckStyle TrevigianoDeck() {
  DeckStyle d;
  d.prefix = "Trevigiano_";
  d.width = 77;
  d.height = 153;
  d.corner_radius = 5;
  d.paper = Hex(0xFFFFFF);
  d.border = Hex(0x1F4E9A);
  d.court_panel = Hex(0xD6E8F7);
  d.index_font = FontId::kSansBold;
  d.rank_ink = {Hex(0xC02030), Hex(0xA06000), Hex(0x1A3A9A), Hex(0x15702A)};
  d.costumes = {Hex(0x1F5FB0), Hex(0xD04A20), Hex(0x2B8A6A), Hex(0xB02050)};
  // Blue cups, green-flowered coins, red-bound batons: told apart at a glance.
  d.suits = {Hex(0xF2CC50), Hex(0x9C6A10), Hex(0x2A56B8), Hex(0x1E8A4A), Hex(0xD8DEE6),
             Hex(0x505A68), Hex(0x1E8A4A), Hex(0xC88A40), Hex(0xC0282C)};
  d.back_field = Hex(0x173A7A);
  d.back_pattern = Hex(0x7FB8E8);
  d.back_edge = Hex(0xFFFFFF);
  d.lattice = false;
  return d;
}

}  // namespace vantel
