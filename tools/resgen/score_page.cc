#include <numbers>

#include "canvas.h"
#include "palette.h"
#include "scenery.h"

namespace vantel {
namespace {

constexpr Rgb kPagePaper = Hex(0xF7EED2);
constexpr Rgb kPaperEdge = Hex(0xD9C89A);
constexpr Rgb kBinding = Hex(0x7A1E1E);
constexpr Rgb kPenInk = Hex(0x1A2A6C);

void Sheet(cairo_t* cr) {
  const double w = kScorePageWidth;
  const double h = kScorePageHeight;
  RoundedRect(cr, 0, 0, w, h, 10);
  cairo_pattern_t* shade = cairo_pattern_create_linear(0, 0, w, h);
  cairo_pattern_add_color_stop_rgb(shade, 0, kPagePaper.r, kPagePaper.g, kPagePaper.b);
  cairo_pattern_add_color_stop_rgb(shade, 1, kPaperEdge.r, kPaperEdge.g, kPaperEdge.b);
  cairo_set_source(cr, shade);
  cairo_fill(cr);
  cairo_pattern_destroy(shade);
  // Faint ruled lines like a score pad, under the rows the game writes.
  cairo_set_line_width(cr, 1.0);
  cairo_set_source_rgba(cr, 0.45, 0.60, 0.80, 0.35);
  // The page sits at (156, 4) on the screen; the rows start at (213, 94) and
  // step 31. Rows 1 to 7 get a pad line; the game's own rules underline the
  // header and row 8, and span x 223 to 473.
  for (int row = 1; row <= 7; ++row) {
    const double y = 94 - 4 + 31 * row + 23.5;
    cairo_move_to(cr, 213 - 156, y);
    cairo_line_to(cr, 473 - 156, y);
  }
  cairo_stroke(cr);
  RoundedRect(cr, 0.5, 0.5, w - 1, h - 1, 10);
  SetColour(cr, kGoldDark);
  cairo_stroke(cr);
}

// The bound left edge; these are the 20 columns that peek out as the tab.
void Binding(cairo_t* cr) {
  RoundedRect(cr, 0, 0, kScoreTabColumns + 10, kScorePageHeight, 10);
  cairo_rectangle(cr, kScoreTabColumns, 0, 10, kScorePageHeight);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  SetColour(cr, kBinding);
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  for (double y = 30; y < kScorePageHeight - 20; y += 40) {
    cairo_arc(cr, kScoreTabColumns / 2.0, y, 3.5, 0, 2 * std::numbers::pi);
    SetColour(cr, kGold);
    cairo_fill(cr);
  }
  cairo_move_to(cr, kScoreTabColumns - 0.5, 0);
  cairo_line_to(cr, kScoreTabColumns - 0.5, kScorePageHeight);
  SetColour(cr, kGoldDark);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
}

void Title(cairo_t* cr, const FontSet& fonts, const char* title) {
  fonts.Use(cr, FontId::kHand, 34);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, title, &ext);
  cairo_move_to(cr, (kScorePageWidth - ext.width) / 2 - ext.x_bearing, 52);
  SetColour(cr, kBinding);
  cairo_show_text(cr, title);
}

Picture Rule(int width, int height) {
  Canvas canvas(width, height);
  cairo_t* cr = canvas.Cr();
  const bool across = width > height;
  const double length = across ? width : height;
  // A pen line two pixels wide on whole pixels, its ends rounded off.
  const double mid = (across ? height : width) / 2.0;
  if (across) {
    cairo_move_to(cr, 1, mid);
    cairo_line_to(cr, length - 1, mid);
  } else {
    cairo_move_to(cr, mid, 1);
    cairo_line_to(cr, mid, length - 1);
  }
  cairo_set_line_width(cr, 2.0);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColour(cr, kPenInk);
  cairo_stroke(cr);
  return canvas.Keyed();
}

}  // namespace

Picture DrawScorePage(const FontSet& fonts, const char* heading) {
  Canvas canvas(kScorePageWidth, kScorePageHeight);
  cairo_t* cr = canvas.Cr();
  Sheet(cr);
  Binding(cr);
  Title(cr, fonts, heading);
  return canvas.Keyed();
}

Picture DrawHorizontalRule() {
  return Rule(kRuleLength, 4);
}
Picture DrawVerticalRule() {
  return Rule(4, kRuleVertLength);
}

Picture DrawPointer() {
  Canvas canvas(kPointerSize, kPointerSize);
  cairo_t* cr = canvas.Cr();
  // The tip sits a little up and left of the centre pixel so that pixel is
  // the first one more than half covered: the game's hot spot.
  const double c = kPointerSize / 2.0 - 0.4;
  cairo_move_to(cr, c, c);
  cairo_line_to(cr, c, c + 14);
  cairo_line_to(cr, c + 3.5, c + 10.5);
  cairo_line_to(cr, c + 6, c + 15.5);
  cairo_line_to(cr, c + 8.5, c + 14.5);
  cairo_line_to(cr, c + 6, c + 9.5);
  cairo_line_to(cr, c + 10.5, c + 9.5);
  cairo_close_path(cr);
  SetColour(cr, kWhite);
  cairo_fill_preserve(cr);
  // The outline stays inside the arrow, so nothing pokes past the tip.
  cairo_clip_preserve(cr);
  SetColour(cr, kInk);
  cairo_set_line_width(cr, 3.0);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  cairo_stroke(cr);
  return canvas.Keyed();
}

}  // namespace vantel
