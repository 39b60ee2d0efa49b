#include <cmath>
#include <numbers>

#include "canvas.h"
#include "cards.h"
#include "palette.h"

namespace vantel {
namespace {

void DrawLattice(cairo_t* cr, const DeckStyle& deck) {
  SetColour(cr, deck.BackPattern, 0.85);
  cairo_set_line_width(cr, 1.0);
  for (double d = -deck.Height; d < deck.Width + deck.Height; d += 9) {
    cairo_move_to(cr, d, 0);
    cairo_line_to(cr, d + deck.Height * 0.6, deck.Height);
    cairo_move_to(cr, d, 0);
    cairo_line_to(cr, d - deck.Height * 0.6, deck.Height);
  }
  cairo_stroke(cr);
}

void DrawRings(cairo_t* cr, const DeckStyle& deck) {
  SetColour(cr, deck.BackPattern, 0.9);
  cairo_set_line_width(cr, 0.9);
  for (double y = 0; y <= deck.Height + 8; y += 11) {
    for (double x = 0; x <= deck.Width + 8; x += 11) {
      cairo_new_sub_path(cr);
      cairo_arc(cr, x, y, 7.5, 0, 2 * std::numbers::pi);
    }
  }
  cairo_stroke(cr);
}

}  // namespace

Picture DrawCardBack(const DeckStyle& deck) {
  Canvas canvas(deck.Width, deck.Height);
  cairo_t* cr = canvas.Cr();
  CardOutline(cr, deck);
  SetColour(cr, deck.BackEdge);
  cairo_fill(cr);
  const double inset = 5;
  RoundedRect(cr, inset, inset, deck.Width - 2 * inset, deck.Height - 2 * inset, 3);
  SetColour(cr, deck.BackField);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  if (deck.Lattice) {
    DrawLattice(cr, deck);
  } else {
    DrawRings(cr, deck);
  }
  // A medallion in the middle.
  const double cx = deck.Width / 2.0;
  const double cy = deck.Height / 2.0;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, deck.Width * 0.30, deck.Height * 0.18);
  cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
  cairo_restore(cr);
  SetColour(cr, deck.BackField);
  cairo_fill_preserve(cr);
  SetColour(cr, deck.BackPattern);
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
    SetColour(cr, deck.BackPattern);
    cairo_fill(cr);
  }
  cairo_arc(cr, cx, cy, 3, 0, 2 * std::numbers::pi);
  SetColour(cr, deck.BackEdge);
  cairo_fill(cr);
  cairo_restore(cr);
  RoundedRect(cr, inset, inset, deck.Width - 2 * inset, deck.Height - 2 * inset, 3);
  SetColour(cr, deck.BackPattern);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  return canvas.Keyed();
}

Picture DrawPickFrame(const DeckStyle& deck) {
  Canvas canvas(deck.Width, deck.Height);
  cairo_t* cr = canvas.Cr();
  // Outer band in a strong blue, a lighter line inside it so it reads on any face.
  CardOutline(cr, deck);
  RoundedRect(cr, 4, 4, deck.Width - 8, deck.Height - 8, 3);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  SetColour(cr, Hex(0x1E6CF0));
  cairo_fill(cr);
  RoundedRect(cr, 4.5, 4.5, deck.Width - 9, deck.Height - 9, 3);
  SetColour(cr, Hex(0x9CC8FF));
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  return canvas.Keyed();
}

}  // namespace vantel
