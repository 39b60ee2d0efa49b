#pragma once

#include <gtest/gtest.h>

#include "flow/game.h"
#include "gfx/assets.h"
#include "gfx/display.h"
#include "gfx/table_drawing.h"
#include "resource_tree.h"

namespace vantel::test {

// A headless display, the small test pictures loaded, and a game whose cards
// are all hidden until a test places them.
class TableFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteResourceTree(dir_.Path(), "Royal");
    LoadBitmaps(a_, g_, test::ResolverUnder(dir_.Path()));
    d_.ResetClipRect();
    d_.DrawSurface(a_.background_surface.get(), kWholeSurface, 0, 0, false);
    g_.flow.state = FlowState::kNormalPlay;
    g_.deal.deck_position = 52;
  }

  static void Place(CardSprite& c, int16_t card, float x, float y, bool face_up = true) {
    c.card = card;
    c.x = x;
    c.y = y;
    c.shown = true;
    c.face_up = face_up;
  }

  // The felt again, as a new frame starts.
  void Clear() { d_.DrawSurface(a_.background_surface.get(), kWholeSurface, 0, 0, false); }

  void Draw() {
    DrawTable(g_, a_, d_, [] { return LocalTime{21, 5}; });
  }
  // Colour at the centre of a card drawn at (x, y).
  uint32_t CardAt(int x, int y) { return PixelAt(d_.BackBuffer(), x + kCardW / 2, y + kCardH / 2); }
  uint32_t At(int x, int y) { return PixelAt(d_.BackBuffer(), x, y); }

  TempFolder dir_{"table"};
  Chance chance_{1};
  SilentSound sound_;
  ManualClock clock_;
  Game g_{chance_, sound_, clock_};
  Assets a_;
  HeadlessDisplay d_;
};

}  // namespace vantel::test
