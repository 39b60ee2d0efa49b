#include "ui/title_picture.h"

namespace vantel {
namespace {

constexpr int kWidth = 520;
constexpr int kHeight = 84;

void DrawBaize(cairo_t* cr, int width, int height) {
  cairo_pattern_t* baize = cairo_pattern_create_linear(0, 0, 0, height);
  cairo_pattern_add_color_stop_rgb(baize, 0.0, 0.05, 0.38, 0.18);
  cairo_pattern_add_color_stop_rgb(baize, 1.0, 0.02, 0.22, 0.10);
  cairo_set_source(cr, baize);
  cairo_rectangle(cr, 0, 0, width, height);
  cairo_fill(cr);
  cairo_pattern_destroy(baize);
  cairo_set_source_rgb(cr, 0.85, 0.70, 0.30);
  cairo_set_line_width(cr, 3);
  cairo_rectangle(cr, 4.5, 4.5, width - 9, height - 9);
  cairo_stroke(cr);
}

void DrawName(cairo_t* cr, int width, int height) {
  cairo_select_font_face(cr, "DejaVu Serif", CAIRO_FONT_SLANT_ITALIC, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 48);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, "Vantel", &ext);
  const double x = (width - ext.width) / 2 - ext.x_bearing;
  const double y = (height - ext.height) / 2 - ext.y_bearing;
  cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
  cairo_move_to(cr, x + 3, y + 3);
  cairo_show_text(cr, "Vantel");
  cairo_set_source_rgb(cr, 0.98, 0.88, 0.55);
  cairo_move_to(cr, x, y);
  cairo_show_text(cr, "Vantel");
}

gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer) {
  const int width = gtk_widget_get_allocated_width(widget);
  const int height = gtk_widget_get_allocated_height(widget);
  DrawBaize(cr, width, height);
  DrawName(cr, width, height);
  return FALSE;
}

}  // namespace

GtkWidget* NewTitlePicture() {
  GtkWidget* area = gtk_drawing_area_new();
  gtk_widget_set_size_request(area, kWidth, kHeight);
  g_signal_connect(area, "draw", G_CALLBACK(OnDraw), nullptr);
  return area;
}

}  // namespace vantel
