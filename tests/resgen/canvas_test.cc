#include "canvas.h"

#include <gtest/gtest.h>

#include <numbers>

namespace vantel {
namespace {

TEST(CanvasKeyTest, AntiAliasedEdgesBecomeSolidOrExactKey) {
  Canvas canvas(40, 40);
  cairo_arc(canvas.Cr(), 20, 20, 13.3, 0, 2 * std::numbers::pi);
  cairo_set_source_rgb(canvas.Cr(), 0.2, 0.4, 0.9);
  cairo_fill(canvas.Cr());
  const Picture p = canvas.Keyed();
  ASSERT_EQ(p.width, 40);
  ASSERT_EQ(p.height, 40);
  int solid = 0;
  for (uint32_t c : p.pixels) {
    // Unpremultiplying may be off by a unit in rounding; never a blend with magenta.
    if (c == kKeyColour) continue;
    ++solid;
    EXPECT_NEAR((c >> 16) & 0xFF, 0x33, 1);
    EXPECT_NEAR((c >> 8) & 0xFF, 0x66, 1);
    EXPECT_NEAR(c & 0xFF, 0xE6, 1);
  }
  // Roughly the disc's area: edge pixels at least half covered count as drawn.
  EXPECT_NEAR(solid, std::numbers::pi * 13.3 * 13.3, 40);
  EXPECT_EQ(p.At(0, 0), kKeyColour);
  EXPECT_NE(p.At(20, 20), kKeyColour);
}

TEST(CanvasKeyTest, HalfTransparentPaintSplitsAtOneHalf) {
  Canvas below(2, 1), above(2, 1);
  cairo_set_source_rgba(below.Cr(), 0, 1, 0, 127 / 255.0);
  cairo_paint(below.Cr());
  cairo_set_source_rgba(above.Cr(), 0, 1, 0, 128 / 255.0);
  cairo_paint(above.Cr());
  EXPECT_EQ(below.Keyed().At(0, 0), kKeyColour);
  EXPECT_EQ(above.Keyed().At(0, 0), 0x00FF00u);
}

TEST(CanvasKeyTest, DrawnMagentaIsMovedOffTheKey) {
  Canvas canvas(3, 3);
  cairo_set_source_rgb(canvas.Cr(), 1, 0, 1);
  cairo_rectangle(canvas.Cr(), 1, 1, 1, 1);
  cairo_fill(canvas.Cr());
  const Picture p = canvas.Keyed();
  EXPECT_EQ(p.At(0, 0), kKeyColour);
  EXPECT_NE(p.At(1, 1), kKeyColour);
  EXPECT_GE((p.At(1, 1) >> 16) & 0xFF, 0xF0u);  // still visibly magenta
}

TEST(CanvasKeyTest, OpaqueDropsAlphaOverBlack) {
  Canvas canvas(2, 1);
  cairo_set_source_rgba(canvas.Cr(), 1, 1, 1, 0.5);
  cairo_paint(canvas.Cr());
  const uint32_t c = canvas.Opaque().At(1, 0);
  EXPECT_NEAR((c >> 8) & 0xFF, 128, 1);
  EXPECT_EQ((c >> 16) & 0xFF, c & 0xFF);
}

}  // namespace
}  // namespace vantel
