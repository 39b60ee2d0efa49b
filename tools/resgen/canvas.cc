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
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
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
  return Convert([](uint32_t argb) {
    if ((argb >> 24) < 128) return kKeyColour;
    const uint32_t rgb = Unpremultiply(argb);
    return rgb == kKeyColour ? kNudgedKey : rgb;
  });
}

Picture Canvas::Opaque() const {
  // Premultiplied colour is already the colour over black.
  return Convert([](uint32_t argb) { return argb & 0xFFFFFF; });
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
