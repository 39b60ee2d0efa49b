#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace vantel {
namespace {

constexpr uint32_t kNudgedKey = 0xFE00FE;

uint32_t Unpremultiply(uint32_t argb) {
  const uint32_t a = argb >> 24;
  auto channel = [&](int shift) {
    const uint32_t c = (argb >> shift) & 0xFF;
    return std::min<uint32_t>(255, (c * 255 + a / 2) / a);
  };
  return (channel(16) << 16) | (channel(8) << 8) | channel(0);
}

}  // namespace

void SetColour(cairo_t* cr, Rgb c, double alpha) {
  cairo_set_source_rgba(cr, c.R, c.G, c.B, alpha);
}

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
  if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
    throw std::runtime_error("cannot create a drawing surface");
  }
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

Picture Canvas::Keyed() const {
  cairo_surface_flush(surface_);
  Picture p{width_, height_, {}};
  p.Pixels.reserve(static_cast<size_t>(width_) * height_);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  for (int y = 0; y < height_; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < width_; ++x) {
      const uint32_t argb = row[x];
      if ((argb >> 24) < 128) {
        p.Pixels.push_back(kKeyColour);
        continue;
      }
      const uint32_t rgb = Unpremultiply(argb);
      p.Pixels.push_back(rgb == kKeyColour ? kNudgedKey : rgb);
    }
  }
  return p;
}

Picture Canvas::Opaque() const {
  cairo_surface_flush(surface_);
  Picture p{width_, height_, {}};
  p.Pixels.reserve(static_cast<size_t>(width_) * height_);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  for (int y = 0; y < height_; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    // Premultiplied colour is already the colour over black.
    for (int x = 0; x < width_; ++x) p.Pixels.push_back(row[x] & 0xFFFFFF);
  }
  return p;
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  constexpr double kQuarter = std::numbers::pi / 2;
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kQuarter, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kQuarter);
  cairo_arc(cr, x + r, y + h - r, r, kQuarter, 2 * kQuarter);
  cairo_arc(cr, x + r, y + r, r, 2 * kQuarter, 3 * kQuarter);
  cairo_close_path(cr);
}

}  // namespace vantel
