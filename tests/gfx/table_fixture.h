#pragma once

#include <gtest/gtest.h>

#include "game/game.h"
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
    WriteResourceTree(dir.Path(), "Royal");
    LoadBitmaps(a, g, test::ResolverUnder(dir.Path()));
    d.ResetClipRect();
    d.DrawSurface(a.BackgroundSurface.get(), WholeSurface, 0, 0, false);
    g.flow.State = FlowState::NormalPlay;
    g.deal.DeckPosition = 52;
  }

  static void Place(CardSprite& c, int16_t card, float x, float y, bool faceUp = true) {
    c.Card = card;
    c.X = x;
    c.Y = y;
    c.Shown = true;
    c.FaceUp = faceUp;
  }

  void Draw() {
    DrawTable(g, a, d, [] { return LocalTime{21, 5}; });
  }
  // Colour at the centre of a card drawn at (x, y).
  uint32_t CardAt(int x, int y) { return PixelAt(d.BackBuffer(), x + kCardW / 2, y + kCardH / 2); }
  uint32_t At(int x, int y) { return PixelAt(d.BackBuffer(), x, y); }

  TempFolder dir{"table"};
  MtRandom random{1};
  SilentSound sound;
  ManualClock clock;
  Game g{random, sound, clock};
  Assets a;
  HeadlessDisplay d;
};

}  // namespace vantel::test
