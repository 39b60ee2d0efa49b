#pragma once

#include <cairo.h>

#include "picture.h"

namespace vantel {

struct Rgb {
  double r = 0, g = 0, b = 0;
};

// 0xRRGGBB to Cairo's 0..1 components.
constexpr Rgb Hex(uint32_t v) {
  return {((v >> 16) & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0};
}
void SetColour(cairo_t* cr, Rgb c, double alpha = 1.0);

// A transparent ARGB32 drawing surface with its context; everything is drawn
// on transparency and only turned into a keyed picture at the end, so that
// anti-aliased edges never blend with the key colour.
class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* Cr() const { return cr_; }
  cairo_surface_t* Surface() const { return surface_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Pixels with alpha >= 128 become solid in their own (unpremultiplied)
  // colour, the rest exactly the key; a drawn pixel that happens to equal the
  // key is nudged off it so it stays visible.
  Picture Keyed() const;
  // Composites over black and drops alpha: for pictures without a key.
  Picture Opaque() const;

 private:
  // Every pixel of the drawing, row by row, through `map` (premultiplied ARGB in, RGB out).
  template <typename Map>
  Picture Convert(Map map) const {
    cairo_surface_flush(surface_);
    Picture p{width_, height_, {}};
    p.pixels.reserve(static_cast<size_t>(width_) * height_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    for (int y = 0; y < height_; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
      for (int x = 0; x < width_; ++x) p.pixels.push_back(map(row[x]));
    }
    return p;
  }

  int width_;
  int height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// A closed rounded rectangle path.
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

}  // namespace vantel
