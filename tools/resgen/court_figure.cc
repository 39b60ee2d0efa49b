#include "court_figure.h"

#include <numbers>

#include "canvas.h"
#include "palette.h"

namespace vantel {
namespace {

constexpr Rgb kHair = Hex(0x6A4020);
constexpr Rgb kBlonde = Hex(0xC89030);
constexpr Rgb kBeard = Hex(0x8A7058);
constexpr Rgb kErmine = Hex(0xFAF8F0);

// Drawing happens in figure units: the box is 120 units tall, x = 0 is its
// centre line, y = 0 its top.
struct Figure {
  cairo_t* cr;
  double unit;
  Rgb main;    // the costume colour of the suit
  Rgb second;  // a contrasting colour from the same deck
  const SuitPalette* colours;

  void Fill(Rgb c, double ink = 0.9) const {
    SetColour(cr, c);
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, ink / unit);
    cairo_stroke(cr);
  }
  void Polygon(std::initializer_list<std::pair<double, double>> points) const {
    bool first = true;
    for (auto [x, y] : points) {
      if (first)
        cairo_move_to(cr, x, y);
      else
        cairo_line_to(cr, x, y);
      first = false;
    }
    cairo_close_path(cr);
  }
  void Ellipse(double x, double y, double rx, double ry) const {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_restore(cr);
  }
  void Dot(double x, double y, double r, Rgb c) const {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * std::numbers::pi);
    SetColour(cr, c);
    cairo_fill(cr);
  }
};

void Face(const Figure& f, double y) {
  f.Ellipse(0, y, 7.5, 8.5);
  f.Fill(kSkin);
  f.Dot(-2.8, y - 0.5, 0.9, kInk);
  f.Dot(2.8, y - 0.5, 0.9, kInk);
  cairo_move_to(f.cr, -2, y + 4);
  cairo_curve_to(f.cr, -1, y + 5, 1, y + 5, 2, y + 4);
  SetColour(f.cr, kCupRed);
  cairo_set_line_width(f.cr, 0.9 / f.unit);
  cairo_stroke(f.cr);
}

void Hand(const Figure& f, double x, double y) {
  f.Ellipse(x, y, 2.8, 2.8);
  f.Fill(kSkin, 0.7);
}

// The suit emblem the figure holds beside its hand: the long ones upright
// and tall, the round ones smaller.
void HeldEmblem(const Figure& f, Suit suit, double x, double y) {
  const bool tall = suit == Suit::kSwords || suit == Suit::kBatons;
  DrawSuitSymbol(f.cr, suit, x, tall ? y - 12 : y - 9, tall ? 40 : 20, *f.colours);
  Hand(f, x, tall ? y + 2 : y);
}

void Ermine(const Figure& f, double x0, double y0, double x1, double y1) {
  cairo_rectangle(f.cr, x0, y0, x1 - x0, y1 - y0);
  f.Fill(kErmine, 0.7);
  for (double x = x0 + 3; x < x1 - 1; x += 5) f.Dot(x, (y0 + y1) / 2, 0.8, kInk);
}

void King(const Figure& f, Suit suit) {
  // Cloak behind, robe in front, ermine at collar and hem.
  f.Polygon({{-15, 30}, {15, 30}, {27, 117}, {-27, 117}});
  f.Fill(f.second);
  f.Polygon({{-8, 32}, {8, 32}, {14, 117}, {-14, 117}});
  f.Fill(f.main);
  cairo_move_to(f.cr, 0, 40);
  cairo_line_to(f.cr, 0, 110);
  SetColour(f.cr, kGold);
  cairo_set_line_width(f.cr, 2.0 / f.unit);
  cairo_stroke(f.cr);
  Ermine(f, -27, 110, 27, 117);
  f.Ellipse(0, 31, 14, 4);
  f.Fill(kErmine, 0.7);
  f.Ellipse(0, 19, 9.5, 10);  // grey hair round the face
  f.Fill(Hex(0xB4A48C));
  Face(f, 19);
  // Full beard.
  cairo_move_to(f.cr, -7.5, 20);
  cairo_curve_to(f.cr, -7, 32, -3, 36, 0, 37);
  cairo_curve_to(f.cr, 3, 36, 7, 32, 7.5, 20);
  cairo_curve_to(f.cr, 4, 25, -4, 25, -7.5, 20);
  f.Fill(kBeard, 0.7);
  // Crown with three points and jewels.
  f.Polygon({{-8.5, 11}, {-8.5, 0}, {-4.5, 5}, {0, -3}, {4.5, 5}, {8.5, 0}, {8.5, 11}});
  f.Fill(kGold);
  f.Dot(0, 7.5, 1.3, kCupRed);
  f.Dot(-5, 8, 1.0, kSteelDark);
  f.Dot(5, 8, 1.0, kSteelDark);
  Hand(f, -13, 62);
  HeldEmblem(f, suit, 15, 62);
}

void Queen(const Figure& f, Suit suit) {
  // Long hair behind the head.
  cairo_move_to(f.cr, -9, 18);
  cairo_curve_to(f.cr, -12, 30, -11, 38, -8, 42);
  cairo_line_to(f.cr, 8, 42);
  cairo_curve_to(f.cr, 11, 38, 12, 30, 9, 18);
  cairo_curve_to(f.cr, 8, 6, -8, 6, -9, 18);
  f.Fill(kBlonde);
  // Bell skirt, bodice, puffed sleeves.
  cairo_move_to(f.cr, -6, 56);
  cairo_curve_to(f.cr, -14, 70, -26, 100, -28, 117);
  cairo_line_to(f.cr, 28, 117);
  cairo_curve_to(f.cr, 26, 100, 14, 70, 6, 56);
  cairo_close_path(f.cr);
  f.Fill(f.main);
  f.Polygon({{-5, 60}, {5, 60}, {10, 117}, {-10, 117}});
  f.Fill(f.second, 0.6);
  for (double y = 70; y < 115; y += 9) f.Dot(0, y, 1.2, kGold);
  f.Polygon({{-9, 32}, {9, 32}, {6, 58}, {-6, 58}});
  f.Fill(f.second);
  f.Ellipse(-10, 36, 4.5, 5);
  f.Fill(f.main);
  f.Ellipse(10, 36, 4.5, 5);
  f.Fill(f.main);
  Face(f, 21);
  // Fringe and a small diadem.
  cairo_move_to(f.cr, -7.5, 19);
  cairo_curve_to(f.cr, -6, 11, 6, 11, 7.5, 19);
  cairo_curve_to(f.cr, 3, 15, -3, 15, -7.5, 19);
  f.Fill(kBlonde, 0.6);
  f.Polygon({{-6, 13}, {-3, 8}, {0, 11}, {3, 8}, {6, 13}});
  f.Fill(kGold, 0.7);
  f.Dot(0, 11.5, 1.0, kCupRed);
  for (double x = -4; x <= 4.1; x += 2) f.Dot(x, 33 + (x * x) / 8, 0.8, kGold);
  HeldEmblem(f, suit, -14, 62);
  Hand(f, 12, 60);
}

void Jack(const Figure& f, Suit suit, Rgb third) {
  // Legs in two colours, shoes.
  cairo_rectangle(f.cr, -8, 78, 6, 35);
  f.Fill(f.second);
  cairo_rectangle(f.cr, 2, 78, 6, 35);
  f.Fill(third);
  f.Ellipse(-5, 114, 5, 2.5);
  f.Fill(kInk);
  f.Ellipse(5, 114, 5, 2.5);
  f.Fill(kInk);
  // Short tunic with a belt, sleeves.
  f.Polygon({{-11, 31}, {11, 31}, {15, 82}, {-15, 82}});
  f.Fill(f.main);
  cairo_rectangle(f.cr, -13, 56, 26, 4);
  f.Fill(kWood, 0.6);
  f.Dot(0, 58, 1.5, kGold);
  f.Polygon({{-11, 31}, {-16, 56}, {-12, 58}, {-8, 38}});
  f.Fill(f.second);
  f.Polygon({{11, 31}, {16, 56}, {12, 58}, {8, 38}});
  f.Fill(f.second);
  f.Ellipse(0, 31, 8, 2.5);
  f.Fill(kErmine, 0.6);
  // Hair, face, feathered cap.
  f.Ellipse(0, 20, 8.5, 8.5);
  f.Fill(kHair);
  Face(f, 21);
  cairo_move_to(f.cr, 4, 10);
  cairo_curve_to(f.cr, 10, 4, 14, 0, 19, -3);
  SetColour(f.cr, kWhite);
  cairo_set_line_width(f.cr, 3.0);
  cairo_stroke_preserve(f.cr);
  SetColour(f.cr, kCupRed);
  cairo_set_line_width(f.cr, 1.2);
  cairo_stroke(f.cr);
  f.Ellipse(0, 12, 11, 4.5);
  f.Fill(f.second);
  HeldEmblem(f, suit, 16, 58);
  Hand(f, -14, 57);
}

}  // namespace

void DrawCourtFigure(cairo_t* cr, const DeckStyle& deck, int rank, Suit suit, double x, double y,
                     double w, double h) {
  const int s = IdSuitPlace(suit);
  const double unit = h / 120.0;
  cairo_save(cr);
  cairo_translate(cr, x + w / 2, y);
  cairo_scale(cr, unit, unit);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  // The two decks set their figures differently: an arch behind the Royal
  // figures, a strip of meadow under the Trevigiano ones.
  if (deck.lattice) {
    cairo_arc(cr, 0, 40, 26, std::numbers::pi, 2 * std::numbers::pi);
    SetColour(cr, deck.border, 0.5);
    cairo_set_line_width(cr, 1.2 / unit);
    cairo_stroke(cr);
  } else {
    cairo_rectangle(cr, -30, 112, 60, 8);
    SetColour(cr, Hex(0x7FB86A));
    cairo_fill(cr);
  }
  const Figure f{cr, unit, deck.costumes[s], deck.costumes[(s + 2) % 4], &deck.suits};
  switch (rank) {
    case 11: Jack(f, suit, deck.costumes[(s + 1) % 4]); break;
    case 12: Queen(f, suit); break;
    default: King(f, suit); break;
  }
  cairo_restore(cr);
}

}  // namespace vantel
