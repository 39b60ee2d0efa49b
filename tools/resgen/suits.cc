#include "suits.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "canvas.h"
#include "palette.h"

namespace vantel {
namespace {

constexpr double kPi = std::numbers::pi;

// Fills the current path and outlines it with the ink colour; `px` is the
// outline width in device pixels while the context is scaled by `scale`.
void FillAndInk(cairo_t* cr, Rgb fill, double scale, double px = 1.0) {
  SetColour(cr, fill);
  cairo_fill_preserve(cr);
  SetColour(cr, kInk);
  cairo_set_line_width(cr, px / scale);
  cairo_stroke(cr);
}

void DrawCup(cairo_t* cr, double s, const SuitPalette& p) {
  // Foot.
  cairo_save(cr);
  cairo_translate(cr, 0, 0.40);
  cairo_scale(cr, 0.30, 0.08);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
  FillAndInk(cr, p.metal, s);
  // Stem with a knot.
  cairo_rectangle(cr, -0.05, 0.02, 0.10, 0.36);
  FillAndInk(cr, p.metal, s);
  cairo_arc(cr, 0, 0.18, 0.09, 0, 2 * kPi);
  FillAndInk(cr, p.metal_dark, s);
  // Bowl.
  cairo_move_to(cr, -0.36, -0.32);
  cairo_curve_to(cr, -0.36, -0.05, -0.20, 0.06, 0, 0.06);
  cairo_curve_to(cr, 0.20, 0.06, 0.36, -0.05, 0.36, -0.32);
  cairo_close_path(cr);
  FillAndInk(cr, p.cup_bowl, s);
  // A band of gold across the bowl.
  cairo_move_to(cr, -0.33, -0.18);
  cairo_curve_to(cr, -0.15, -0.12, 0.15, -0.12, 0.33, -0.18);
  SetColour(cr, p.metal);
  cairo_set_line_width(cr, 2.0 / s);
  cairo_stroke(cr);
  // Rim.
  cairo_save(cr);
  cairo_translate(cr, 0, -0.33);
  cairo_scale(cr, 0.40, 0.08);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
  FillAndInk(cr, p.metal, s);
}

void DrawCoin(cairo_t* cr, double s, const SuitPalette& p) {
  cairo_arc(cr, 0, 0, 0.45, 0, 2 * kPi);
  cairo_pattern_t* shine = cairo_pattern_create_radial(-0.15, -0.15, 0.05, 0, 0, 0.45);
  cairo_pattern_add_color_stop_rgb(shine, 0, 1.0, 0.93, 0.55);
  cairo_pattern_add_color_stop_rgb(shine, 1, p.metal_dark.r, p.metal_dark.g, p.metal_dark.b);
  cairo_set_source(cr, shine);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(shine);
  SetColour(cr, kInk);
  cairo_set_line_width(cr, 1.0 / s);
  cairo_stroke(cr);
  cairo_arc(cr, 0, 0, 0.31, 0, 2 * kPi);
  SetColour(cr, p.metal_dark);
  cairo_set_line_width(cr, 1.2 / s);
  cairo_stroke(cr);
  // A four-petalled rosette in the middle.
  for (int i = 0; i < 4; ++i) {
    cairo_save(cr);
    cairo_rotate(cr, i * kPi / 2 + kPi / 4);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, 0.10, -0.06, 0.10, -0.20, 0, -0.24);
    cairo_curve_to(cr, -0.10, -0.20, -0.10, -0.06, 0, 0);
    cairo_restore(cr);
    SetColour(cr, p.rosette);
    cairo_fill(cr);
  }
  cairo_arc(cr, 0, 0, 0.06, 0, 2 * kPi);
  SetColour(cr, p.metal);
  cairo_fill(cr);
}

void DrawSword(cairo_t* cr, double s, const SuitPalette& p) {
  // Blade with a point, a touch curved like a sabre.
  cairo_move_to(cr, -0.065, 0.14);
  cairo_curve_to(cr, -0.08, -0.10, -0.06, -0.30, 0.0, -0.50);
  cairo_curve_to(cr, 0.06, -0.30, 0.08, -0.10, 0.065, 0.14);
  cairo_close_path(cr);
  FillAndInk(cr, p.blade, s);
  cairo_move_to(cr, 0, 0.12);
  cairo_line_to(cr, 0, -0.40);
  SetColour(cr, p.blade_dark);
  cairo_set_line_width(cr, 1.0 / s);
  cairo_stroke(cr);
  // Cross-guard with curled ends.
  cairo_move_to(cr, -0.26, 0.10);
  cairo_curve_to(cr, -0.18, 0.20, 0.18, 0.20, 0.26, 0.10);
  cairo_line_to(cr, 0.26, 0.16);
  cairo_curve_to(cr, 0.18, 0.26, -0.18, 0.26, -0.26, 0.16);
  cairo_close_path(cr);
  FillAndInk(cr, p.metal, s);
  // Grip and pommel.
  cairo_rectangle(cr, -0.045, 0.22, 0.09, 0.17);
  FillAndInk(cr, p.grip, s);
  cairo_arc(cr, 0, 0.43, 0.065, 0, 2 * kPi);
  FillAndInk(cr, p.metal, s);
}

void DrawBaton(cairo_t* cr, double s, const SuitPalette& p) {
  // A knotty cudgel, thicker at the head.
  cairo_move_to(cr, -0.06, 0.48);
  cairo_line_to(cr, -0.13, -0.30);
  cairo_curve_to(cr, -0.15, -0.52, 0.15, -0.52, 0.13, -0.30);
  cairo_line_to(cr, 0.06, 0.48);
  cairo_close_path(cr);
  FillAndInk(cr, p.wood, s);
  // Lopped branches.
  cairo_move_to(cr, -0.09, -0.05);
  cairo_line_to(cr, -0.20, -0.12);
  cairo_line_to(cr, -0.18, -0.02);
  cairo_close_path(cr);
  FillAndInk(cr, p.wood, s, 0.8);
  cairo_move_to(cr, 0.08, 0.15);
  cairo_line_to(cr, 0.19, 0.08);
  cairo_line_to(cr, 0.18, 0.18);
  cairo_close_path(cr);
  FillAndInk(cr, p.wood, s, 0.8);
  // Green bindings.
  for (double y : {-0.32, 0.30}) {
    const double half = 0.13 - (y + 0.30) * 0.09;
    cairo_rectangle(cr, -half, y - 0.035, 2 * half, 0.07);
    FillAndInk(cr, p.binding, s, 0.8);
  }
}

}  // namespace

Suit SuitOfFileLetter(char letter) {
  switch (letter) {
    case 'C': return Suit::kCups;
    case 'D': return Suit::kCoins;
    case 'H': return Suit::kSwords;
    case 'S': return Suit::kBatons;
  }
  throw std::invalid_argument(std::string("no suit for the letter ") + letter);
}

void DrawSuitSymbol(cairo_t* cr, Suit suit, double cx, double cy, double size,
                    const SuitPalette& colours) {
  // Text leaves a current point behind; an arc would draw a line from it.
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, size, size);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  switch (suit) {
    case Suit::kCups: DrawCup(cr, size, colours); break;
    case Suit::kCoins: DrawCoin(cr, size, colours); break;
    case Suit::kSwords: DrawSword(cr, size, colours); break;
    case Suit::kBatons: DrawBaton(cr, size, colours); break;
  }
  cairo_restore(cr);
}

}  // namespace vantel
