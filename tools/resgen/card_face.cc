#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <utility>
#include <vector>

#include "canvas.h"
#include "cards.h"
#include "court_figure.h"
#include "palette.h"

namespace vantel {
namespace {

struct Spot {
  double col;  // 0 left column, 0.5 middle, 1 right column
  double row;  // 0 top .. 1 bottom
};

// The usual pip arrangements for two to ten.
std::vector<Spot> PipSpots(int count) {
  const std::vector<Spot> six = {{0, 0}, {1, 0}, {0, 0.5}, {1, 0.5}, {0, 1}, {1, 1}};
  switch (count) {
    case 2: return {{0.5, 0}, {0.5, 1}};
    case 3: return {{0.5, 0}, {0.5, 0.5}, {0.5, 1}};
    case 4: return {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    case 5: return {{0, 0}, {1, 0}, {0.5, 0.5}, {0, 1}, {1, 1}};
    case 6: return six;
    case 7: {
      auto s = six;
      s.push_back({0.5, 0.25});
      return s;
    }
    case 8: {
      auto s = six;
      s.push_back({0.5, 0.25});
      s.push_back({0.5, 0.75});
      return s;
    }
    case 9:
      return {{0, 0},       {1, 0},       {0, 1 / 3.0}, {1, 1 / 3.0}, {0.5, 0.5},
              {0, 2 / 3.0}, {1, 2 / 3.0}, {0, 1},       {1, 1}};
    case 10:
      return {{0, 0},       {1, 0},       {0.5, 1 / 6.0}, {0, 1 / 3.0}, {1, 1 / 3.0},
              {0, 2 / 3.0}, {1, 2 / 3.0}, {0.5, 5 / 6.0}, {0, 1},       {1, 1}};
  }
  return {};
}

void DrawPips(cairo_t* cr, const DeckStyle& deck, int count, Suit suit) {
  const double left = deck.width * 0.29;
  const double right = deck.width * 0.71;
  const double top = 44;
  const double bottom = deck.height - 44;
  // The slim emblems get more height so they weigh as much as cups and coins.
  const bool slim = suit == Suit::kSwords || suit == Suit::kBatons;
  const double stretch = slim ? (count >= 9 ? 1.06 : 1.18) : 1.0;
  const double size = (count <= 3 ? 26 : (count <= 6 ? 22 : 18)) * stretch;
  for (const Spot& s : PipSpots(count)) {
    DrawSuitSymbol(cr, suit, left + (right - left) * s.col, top + (bottom - top) * s.row, size,
                   deck.suits);
  }
}

// Royal aces sit in an oval ringed with dots, Trevigiano aces in a lozenge
// with a double line.
void AceCartouche(cairo_t* cr, const DeckStyle& deck, double cx, double cy) {
  const double rx = deck.width * 0.40;
  const double ry = deck.height * 0.30;
  if (deck.lattice) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, deck.width * 0.36, deck.height * 0.27);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_restore(cr);
  } else {
    cairo_move_to(cr, cx, cy - ry);
    cairo_line_to(cr, cx + rx, cy);
    cairo_line_to(cr, cx, cy + ry);
    cairo_line_to(cr, cx - rx, cy);
    cairo_close_path(cr);
  }
  SetColour(cr, deck.court_panel);
  cairo_fill_preserve(cr);
  SetColour(cr, deck.border);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  if (deck.lattice) {
    for (int i = 0; i < 16; ++i) {
      const double a = i * std::numbers::pi / 8;
      cairo_arc(cr, cx + std::cos(a) * deck.width * 0.42, cy + std::sin(a) * deck.height * 0.31,
                1.4, 0, 2 * std::numbers::pi);
      SetColour(cr, deck.border);
      cairo_fill(cr);
    }
  } else {
    const double inset = 4;
    cairo_move_to(cr, cx, cy - ry + inset * 1.6);
    cairo_line_to(cr, cx + rx - inset * 1.6, cy);
    cairo_line_to(cr, cx, cy + ry - inset * 1.6);
    cairo_line_to(cr, cx - rx + inset * 1.6, cy);
    cairo_close_path(cr);
    SetColour(cr, deck.suits.metal);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
  }
}

void DrawAce(cairo_t* cr, const DeckStyle& deck, Suit suit) {
  const double cx = deck.width / 2.0;
  const double cy = deck.height / 2.0;
  AceCartouche(cr, deck, cx, cy);
  DrawSuitSymbol(cr, suit, cx, cy, deck.lattice ? 54 : 48, deck.suits);
}

void DrawFrameLines(cairo_t* cr, const DeckStyle& deck) {
  const double w = deck.width;
  const double h = deck.height;
  RoundedRect(cr, 2.5, 2.5, w - 5, h - 5, deck.corner_radius - 1.5);
  SetColour(cr, deck.border);
  cairo_set_line_width(cr, deck.lattice ? 2.0 : 1.2);
  cairo_stroke(cr);
  if (deck.lattice) {
    RoundedRect(cr, 5.5, 5.5, w - 11, h - 11, 3);
    SetColour(cr, kGoldDark);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
  }
}

// Rank above a small suit emblem, in the top-left corner on a paper patch so
// it reads over a court figure too. Drawn twice, the second time upside down.
void DrawIndex(cairo_t* cr, const DeckStyle& deck, const FontSet& fonts, int rank, Suit suit) {
  const std::string label = RankLabel(rank);
  const double cx = 10.5;
  RoundedRect(cr, 3.5, 4, 14, 34, 3);
  SetColour(cr, deck.paper);
  cairo_fill(cr);
  fonts.Use(cr, deck.index_font, label.size() > 1 ? 13 : 16);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, label.c_str(), &ext);
  cairo_save(cr);
  const double squeeze = label.size() > 1 ? 0.78 : 1.0;
  cairo_translate(cr, cx, 19);
  cairo_scale(cr, squeeze, 1.0);
  cairo_move_to(cr, -ext.x_bearing - ext.width / 2, 0);
  SetColour(cr, deck.rank_ink[IdSuitPlace(suit)]);
  cairo_show_text(cr, label.c_str());
  cairo_restore(cr);
  const bool slim = suit == Suit::kSwords || suit == Suit::kBatons;
  DrawSuitSymbol(cr, suit, cx, 29.5, slim ? 15.5 : 14, deck.suits);
}

}  // namespace

std::string RankLabel(int rank) {
  switch (rank) {
    case 1: return "A";
    case 11: return "J";
    case 12: return "Q";
    case 13: return "K";
  }
  return std::to_string(rank);
}

int RankOfLabel(const std::string& label) {
  for (int rank = 1; rank <= 13; ++rank) {
    if (RankLabel(rank) == label) return rank;
  }
  throw std::invalid_argument("no rank is written \"" + label + "\"");
}

void CardOutline(cairo_t* cr, const DeckStyle& deck) {
  RoundedRect(cr, 0, 0, deck.width, deck.height, deck.corner_radius);
}

Picture DrawCardFace(const DeckStyle& deck, const FontSet& fonts, int rank, Suit suit) {
  Canvas canvas(deck.width, deck.height);
  cairo_t* cr = canvas.Cr();
  CardOutline(cr, deck);
  SetColour(cr, deck.paper);
  cairo_fill(cr);
  if (rank >= 11) {
    cairo_rectangle(cr, 6, 6, deck.width - 12, deck.height - 12);
    SetColour(cr, deck.court_panel);
    cairo_fill(cr);
    DrawCourtFigure(cr, deck, rank, suit, 12, 9, deck.width - 24, deck.height - 18);
  } else if (rank == 1) {
    DrawAce(cr, deck, suit);
  } else {
    DrawPips(cr, deck, rank, suit);
  }
  DrawFrameLines(cr, deck);
  DrawIndex(cr, deck, fonts, rank, suit);
  cairo_save(cr);
  cairo_translate(cr, deck.width, deck.height);
  cairo_rotate(cr, std::numbers::pi);
  DrawIndex(cr, deck, fonts, rank, suit);
  cairo_restore(cr);
  return canvas.Keyed();
}

}  // namespace vantel
