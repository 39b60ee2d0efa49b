#include <algorithm>
#include <cmath>
#include <cstdint>

#include "canvas.h"
#include "scenery.h"

namespace vantel {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// A fixed integer hash, so the felt's grain is the same on every build.
uint32_t Grain(uint32_t x, uint32_t y) {
  uint32_t h = x * 0x9E3779B1u ^ (y + 0x7F4A7C15u) * 0x85EBCA77u;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  return h;
}

void Felt(cairo_t* cr) {
  cairo_pattern_t* light = cairo_pattern_create_radial(400, 290, 60, 400, 300, 560);
  cairo_pattern_add_color_stop_rgb(light, 0, 0.15, 0.50, 0.27);
  cairo_pattern_add_color_stop_rgb(light, 1, 0.06, 0.28, 0.14);
  cairo_set_source(cr, light);
  cairo_paint(cr);
  cairo_pattern_destroy(light);
}

// Slight per-pixel variation and a faint diagonal weave, straight into the pixels.
void Texture(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < kHeight; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < kWidth; ++x) {
      const int noise = static_cast<int>(Grain(x, y) % 9) - 4 + (((x + y) % 4 == 0) ? -2 : 0);
      uint32_t px = row[x];
      uint32_t out = 0xFF000000u;
      for (int shift = 0; shift <= 16; shift += 8) {
        const int c = static_cast<int>((px >> shift) & 0xFF) + noise;
        out |= static_cast<uint32_t>(std::clamp(c, 0, 255)) << shift;
      }
      row[x] = out;
    }
  }
  cairo_surface_mark_dirty(surface);
}

constexpr int kStripTop = 566;  // the clock and caption line sit below this

struct Mark {
  double x, y;
};
// The two piles and the stock of a six-card deal; the twelve-card stock lies
// under the We pile's place.
constexpr Mark kMarks[] = {{45, 240}, {635, 240}, {510, 420}};

void MarkPath(cairo_t* cr, Mark m) {
  RoundedRect(cr, m.x + 0.5, m.y + 0.5, 80, 152, 6);
}

void Marks(cairo_t* cr) {
  // An inlaid line round the cloth, broken where a mark crosses it.
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, kWidth, kHeight);
  for (Mark m : kMarks) MarkPath(cr, m);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_clip(cr);
  RoundedRect(cr, 10.5, 10.5, kWidth - 21, kStripTop - 24, 14);
  cairo_set_source_rgba(cr, 0.85, 0.75, 0.40, 0.22);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  cairo_restore(cr);

  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, kWidth, kStripTop);
  cairo_clip(cr);
  for (Mark m : kMarks) {
    MarkPath(cr, m);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.10);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.75, 0.92, 0.70, 0.22);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
  }
  cairo_restore(cr);

  // A darker strip under the clock and the caption line keeps them readable.
  cairo_rectangle(cr, 0, kStripTop, kWidth, kHeight - kStripTop);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.28);
  cairo_fill(cr);
  cairo_move_to(cr, 0, kStripTop + 0.5);
  cairo_line_to(cr, kWidth, kStripTop + 0.5);
  cairo_set_source_rgba(cr, 0.85, 0.75, 0.40, 0.35);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
}

}  // namespace

Picture DrawTableCloth() {
  Canvas canvas(kWidth, kHeight);
  Felt(canvas.Cr());
  Texture(canvas.Surface());
  Marks(canvas.Cr());
  return canvas.Opaque();
}

Picture DrawPlainCloth() {
  Canvas canvas(kWidth, kHeight);
  Felt(canvas.Cr());
  Texture(canvas.Surface());
  return canvas.Opaque();
}

}  // namespace vantel
