#include "gfx/table_drawing.h"

#include <cmath>

#include "game/game.h"
#include "gfx/assets.h"
#include "gfx/display.h"
#include "gfx/score_page.h"

namespace vantel {

namespace {

int32_t Pixel(float v) {
  return static_cast<int32_t>(std::nearbyint(v));
}

class TablePainter {
 public:
  TablePainter(const Game& g, Assets& a, Display& d) : g_(g), a_(a), d_(d) {}

  void Face(int16_t card, float x, float y) {
    if (card < 0 || card > 51) return;
    Draw(a_.CardSurfaces[static_cast<std::size_t>(card)].get(), x, y);
  }
  void Back(float x, float y) { Draw(a_.CardBackSurface.get(), x, y); }
  void Frame(float x, float y) { Draw(a_.FrameSurface.get(), x, y); }

  void Fan(const std::array<FanEntry, kFanRecords>& fan) {
    for (int i = 0; i < kFanPlaces; ++i) {
      const int order = fan[static_cast<std::size_t>(i)].Order;
      if (order < 0 || order >= static_cast<int>(fan.size())) continue;
      const FanEntry& e = fan[static_cast<std::size_t>(order)];
      if (e.Shown) Face(e.Card, e.RestX, e.RestY);
    }
  }

  void Pile(const std::array<CardSprite, kStockRecords>& pile, int16_t count) {
    const int32_t last = std::min<int32_t>(count, static_cast<int32_t>(pile.size()));
    for (int32_t i = PileFirstEntry(count); i < last; ++i) {
      const CardSprite& c = pile[static_cast<std::size_t>(i)];
      if (c.Shown) Back(c.X, c.Y);
    }
  }

  void LastStockCard() {
    const CardSprite& c = g_.model.Deck[51];
    if (c.Moving) {
      if (g_.flow.Turn == 0) {
        Face(c.Card, c.X, c.Y);
      } else {
        Back(c.X, c.Y);
      }
    } else if (c.Shown) {
      Face(c.Card, c.X, c.Y);
    }
  }

  void TableCards() {
    const int32_t count = std::min<int32_t>(g_.model.TableCount, g_.model.Table.size());
    for (int32_t j = 0; j < count; ++j) {
      const CardSprite& c = g_.model.Table[static_cast<std::size_t>(j)];
      if (!c.Shown) continue;
      if (c.FaceUp) {
        Face(c.Card, c.X, c.Y);
        if (c.Picked) Frame(c.X, c.Y);
      } else {
        Back(c.X, c.Y);
      }
    }
  }

  void Hand(int seat, bool alwaysFaceUp) {
    const auto& hand = g_.model.Hand[static_cast<std::size_t>(seat)];
    for (int slot = 0; slot < kHandSlots; ++slot) {
      const CardSprite& c = hand[static_cast<std::size_t>(slot)];
      if (!c.Shown) continue;
      if (c.FaceUp || alwaysFaceUp) {
        Face(c.Card, c.X, c.Y);
      } else {
        Back(c.X, c.Y);
      }
    }
  }

  void Stock() {
    for (int32_t i : StockVisitOrder(g_.deal.DeckPosition)) {
      const CardSprite& c = g_.model.Deck[static_cast<std::size_t>(i)];
      if (!c.Shown) continue;
      if (c.FaceUp) {
        Face(c.Card, c.X, c.Y);
      } else {
        Back(c.X, c.Y);
      }
    }
  }

 private:
  void Draw(SDL_Surface* s, float x, float y) {
    d_.DrawSurface(s, WholeSurface, Pixel(x), Pixel(y), true);
  }

  const Game& g_;
  Assets& a_;
  Display& d_;
};

void Text(BitmapFont* font, Display& d, float x, float y, const std::string& text) {
  if (!font) return;
  font->XPos = x;
  font->YPos = y;
  font->DrawText(d, text, true);
}

}  // namespace

int32_t PileFirstEntry(int32_t count) {
  return count <= 11 ? 0 : 11;
}

std::vector<int32_t> StockVisitOrder(int32_t p) {
  const int32_t s = p != 0 ? 1 : 0;
  const int32_t m = p <= 45 ? 6 : 51 - p;
  std::vector<int32_t> order;
  for (int32_t i = p + m - s + 1; i >= p - s; --i) {
    // Past the end of the stock there is nothing left to show.
    if (i >= 0 && i < kStockRecords) order.push_back(i);
  }
  return order;
}

void DrawTable(const Game& g, Assets& a, Display& d, const LocalTimeSource& now) {
  TablePainter paint(g, a, d);
  paint.Fan(g.model.WeFan);
  paint.Fan(g.model.TheyFan);
  paint.Pile(g.model.WePile, g.model.WePileCount);
  paint.Pile(g.model.TheyPile, g.model.TheyPileCount);
  paint.LastStockCard();
  paint.TableCards();
  paint.Hand(2, false);
  paint.Hand(1, false);
  paint.Hand(3, false);
  paint.Hand(0, true);
  paint.Stock();
  if (g.flow.State == FlowState::EndOfMatch) DrawScorePage(g, a, d);
  Text(a.DigitFont.get(), d, 700, 572, ClockText(now()));
  Text(a.DeluxeFont.get(), d, 5, 572, kCaptionText);
}

}  // namespace vantel
