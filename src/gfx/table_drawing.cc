#include "gfx/table_drawing.h"

#include <cmath>

#include "game/game.h"
#include "gfx/assets.h"
#include "gfx/display.h"
#include "gfx/score_page.h"
#include "gfx/screen_text.h"

namespace vantel {

namespace {

int32_t Pixel(float v) {
  return static_cast<int32_t>(std::nearbyint(v));
}

class TablePainter {
 public:
  TablePainter(const Game& g, Assets& a, Display& d) : g_(g), a_(a), d_(d) {}

  void Face(int16_t card, float x, float y) {
    if (card < 0 || card >= kCardCount) return;
    Draw(a_.card_surfaces[static_cast<std::size_t>(card)].get(), x, y);
  }
  void Back(float x, float y) { Draw(a_.card_back_surface.get(), x, y); }
  void Frame(float x, float y) { Draw(a_.frame_surface.get(), x, y); }

  void Fan(const std::array<FanEntry, kFanRecords>& fan) {
    for (int i = 0; i < kFanPlaces; ++i) {
      const int order = fan[static_cast<std::size_t>(i)].order;
      if (order < 0 || order >= static_cast<int>(fan.size())) continue;
      const FanEntry& e = fan[static_cast<std::size_t>(order)];
      if (e.shown) Face(e.card, e.rest_x, e.rest_y);
    }
  }

  void Pile(const std::array<CardSprite, kStockRecords>& pile, int16_t count) {
    const int32_t last = std::min<int32_t>(count, static_cast<int32_t>(pile.size()));
    for (int32_t i = PileFirstEntry(count); i < last; ++i) {
      const CardSprite& c = pile[static_cast<std::size_t>(i)];
      if (c.shown) Back(c.x, c.y);
    }
  }

  void LastStockCard() {
    const CardSprite& c = g_.model.deck[kCardCount - 1];
    if (c.moving) {
      if (g_.flow.turn == 0) {
        Face(c.card, c.x, c.y);
      } else {
        Back(c.x, c.y);
      }
    } else if (c.shown) {
      Face(c.card, c.x, c.y);
    }
  }

  void TableCards() {
    const int32_t count = std::min<int32_t>(g_.model.table_count, g_.model.table.size());
    for (int32_t j = 0; j < count; ++j) {
      const CardSprite& c = g_.model.table[static_cast<std::size_t>(j)];
      if (!c.shown) continue;
      if (c.face_up) {
        Face(c.card, c.x, c.y);
        if (c.picked) Frame(c.x, c.y);
      } else {
        Back(c.x, c.y);
      }
    }
  }

  void Hand(int seat, bool always_face_up) {
    const auto& hand = g_.model.hand[static_cast<std::size_t>(seat)];
    for (int slot = 0; slot < kHandSlots; ++slot) {
      const CardSprite& c = hand[static_cast<std::size_t>(slot)];
      if (!c.shown) continue;
      if (c.face_up || always_face_up) {
        Face(c.card, c.x, c.y);
      } else {
        Back(c.x, c.y);
      }
    }
  }

  void Stock() {
    for (int32_t i : StockVisitOrder(g_.deal.deck_position)) {
      const CardSprite& c = g_.model.deck[static_cast<std::size_t>(i)];
      if (!c.shown) continue;
      if (c.face_up) {
        Face(c.card, c.x, c.y);
      } else {
        Back(c.x, c.y);
      }
    }
  }

 private:
  void Draw(SDL_Surface* s, float x, float y) {
    d_.DrawSurface(s, kWholeSurface, Pixel(x), Pixel(y), true);
  }

  const Game& g_;
  Assets& a_;
  Display& d_;
};

void Text(BitmapFont* font, Display& d, float x, float y, const std::string& text) {
  if (!font) return;
  font->x_pos = x;
  font->y_pos = y;
  font->DrawText(d, text, true);
}

}  // namespace

int32_t PileFirstEntry(int32_t count) {
  constexpr int32_t kHiddenUnderPile = 11;
  return count <= kHiddenUnderPile ? 0 : kHiddenUnderPile;
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
  paint.Fan(g.model.we_fan);
  paint.Fan(g.model.they_fan);
  paint.Pile(g.model.we_pile, g.model.we_pile_count);
  paint.Pile(g.model.they_pile, g.model.they_pile_count);
  paint.LastStockCard();
  paint.TableCards();
  paint.Hand(2, false);
  paint.Hand(1, false);
  paint.Hand(3, false);
  paint.Hand(0, true);
  paint.Stock();
  if (g.flow.state == FlowState::kEndOfMatch) DrawScorePage(g, a, d);
  Text(a.digit_font.get(), d, 700, 572, ClockText(now()));
  Text(a.deluxe_font.get(), d, 5, 572, ScreenText(kCaptionText, kCaptionGlyphs));
}

}  // namespace vantel
