#include "platform/pointer.h"

#include <gtest/gtest.h>

#include <limits>

namespace vantel {
namespace {

constexpr ClampBox kScreen{0, 0, 800, 600};

TEST(PointerTest, PositionsBeyondTheScreenClampToItsInclusiveEdges) {
  GamePoint p = ClampPointer({900, 300}, kScreen);
  EXPECT_EQ(p.x, 800);
  EXPECT_EQ(p.y, 300);
  p = ClampPointer({-5, -40}, kScreen);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  p = ClampPointer({800, 600}, kScreen);  // both bounds are reachable
  EXPECT_EQ(p.x, 800);
  EXPECT_EQ(p.y, 600);
}

TEST(PointerTest, SmallerClampBoxCutsAScaledCorner) {
  // A window area scaled to 800 x 600 gives its far corner as (800, 600); a
  // 640 x 480 box takes it to (640, 480) and leaves the middle alone.
  constexpr ClampBox kWindowBox{0, 0, 640, 480};
  GamePoint corner = ClampPointer({800, 600}, kWindowBox);
  EXPECT_EQ(corner.x, 640);
  EXPECT_EQ(corner.y, 480);
  GamePoint middle = ClampPointer({400, 300}, kWindowBox);
  EXPECT_EQ(middle.x, 400);
  EXPECT_EQ(middle.y, 300);
}

TEST(PointerTest, LogicalPositionsTruncateAndLetterBoxClicksClamp) {
  GamePoint p = LogicalToGame(399.9f, 0.5f, kScreen);
  EXPECT_EQ(p.x, 399);
  EXPECT_EQ(p.y, 0);
  p = LogicalToGame(-62.5f, 612.0f, kScreen);  // left bar, below the game area
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 600);
  p = LogicalToGame(1e20f, -1e20f, kScreen);
  EXPECT_EQ(p.x, 800);
  EXPECT_EQ(p.y, 0);
  p = LogicalToGame(std::numeric_limits<float>::quiet_NaN(), 10.0f, kScreen);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 10);
}

}  // namespace
}  // namespace vantel
