#include <cmath>
#include <numbers>

#include "canvas.h"
#include "cards.h"
#include "palette.h"

namespace vantel {
namespace {

void DrawLattice(cairo_t* cr, const DeckStyle& deck) {
  SetColour(cr, deck.back_pattern, 0.85);
  cairo_set_line_width(cr, 1.0);
  for (double d = -deck.height; d < deck.width + deck.height; d += 9) {
    cairo_move_to(cr, d, 0);
    cairo_line_to(cr, d + deck.height * 0.6, deck.height);
    cairo_move_to(cr, d, 0);
    cairo_line_to(cr, d - deck.height * 0.6, deck.height);
  }
  cairo_stroke(cr);
}

void DrawRings(cairo_t* cr, const DeckStyle& deck) {
  SetColour(cr, deck.back_pattern, 0.9);
  cairo_set_line_width(cr, 0.9);
  for (double y = 0; y <= deck.height + 8; y += 11) {
    for (double x = 0; x <= deck.width + 8; x += 11) {
      cairo_new_sub_path(cr);
      cairo_arc(cr, x, y, 7.5, 0, 2 * std::numbers::pi);
    }
  }
  cairo_stroke(cr);
}

}  // namespace

Picture DrawCardBack(const DeckStyle& deck) {
  Canvas canvas(deck.width, deck.height);
  cairo_t* cr = canvas.Cr();
  CardOutline(cr, deck);
  SetColour(cr, deck.back_edge);
  cairo_fill(cr);
  const double inset = 5;
  RoundedRect(cr, inset, inset, deck.width - 2 * inset, deck.height - 2 * inset, 3);
  SetColour(cr, deck.back_field);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  if (deck.lattice) {
    DrawLattice(cr, deck);
  } else {
    DrawRings(cr, deck);
  }
  // A medallion in the middle.
  const double cx = deck.width / 2.0;
  const double cy = deck.height / 2.0;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, deck.width * 0.30, deck.height * 0.18);
  cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
  cairo_restore(cr);
  SetColour(cr, deck.back_field);
  cairo_fill_preserve(cr);
  SetColour(cr, deck.back_pattern);
  cairo_set_line_width(cr, 2.0);
  cairo_stroke(cr);
  for (int i = 0; i < 8; ++i) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, i * std::numbers::pi / 4);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, 4, -5, 4, -13, 0, -17);
    cairo_curve_to(cr, -4, -13, -4, -5, 0, 0);
    cairo_restore(cr);
    SetColour(cr, deck.back_pattern);
    cairo_fill(cr);
  }
  cairo_arc(cr, cx, cy, 3, 0, 2 * std::numbers::pi);
  SetColour(cr, deck.back_edge);
  cairo_fill(cr);
  cairo_restore(cr);
  RoundedRect(cr, inset, inset, deck.width - 2 * inset, deck.height - 2 * inset, 3);
  SetColour(cr, deck.back_pattern);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  return canvas.Keyed();
}

Picture DrawPickFrame(const DeckStyle& deck) {
  Canvas canvas(deck.width, deck.height);
  cairo_t* cr = canvas.Cr();
  // Outer band in a strong blue, a lighter line inside it so it reads on any face.
  CardOutline(cr, deck);
  RoundedRect(cr, 4, 4, deck.width - 8, deck.height - 8, 3);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  SetColour(cr, Hex(0x1E6CF0));
  cairo_fill(cr);
  RoundedRect(cr, 4.5, 4.5, deck.width - 9, deck.height - 9, 3);
  SetColour(cr, Hex(0x9CC8FF));
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  return canvas.Keyed();
}

}  // namespace vantel
