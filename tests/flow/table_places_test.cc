#include "flow_fixture.h"

namespace vantel {
namespace {

struct Rect {
  int x0, y0, x1, y1;  // x1, y1 exclusive
  bool Overlaps(const Rect& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};

// The places a crowded table spills onto must keep its cards on the felt: on
// the screen and clear of the hands, the piles, the stock and the marker fans,
// wherever the play scatter puts a card, with either deck and hand size.
using TablePlacesTest = FlowFixture;

TEST_F(TablePlacesTest, PlacesBeyondTheFirstFourteenStayOnTheFeltClearOfEverythingElse) {
  for (Deck deck : {Deck::kBresciane, Deck::kTrevigiane}) {
    for (bool six : {false, true}) {
      g_.options.deck = deck;
      Configure(six, false);
      const Layout& l = g_.layout;
      const int w = l.card_width, h = l.card_height;
      std::vector<Rect> busy;
      for (int s = 0; s < 4; ++s) {
        busy.push_back({l.hand_base_x[s], l.hand_base_y[s],
                        l.hand_base_x[s] + l.hand_step_x[s] * 11 + w, l.hand_base_y[s] + h});
      }
      for (auto [px, py] :
           {std::pair{l.we_pile_x, l.we_pile_y}, std::pair{l.they_pile_x, l.they_pile_y}}) {
        busy.push_back({px, py, px + l.gather_scatter_x + w, py + l.gather_scatter_y + h});
      }
      busy.push_back(
          {l.deck_base_x, l.deck_y, l.deck_base_x + l.deck_right_offset + w, l.deck_y + h});
      for (int i = 0; i < 15; ++i) {
        for (const FanEntry& f : {g_.model.we_fan[i], g_.model.they_fan[i]}) {
          busy.push_back({f.x, f.y, f.x + w, f.y + h});
        }
      }
      for (int s = 14; s <= 30; ++s) {
        const TableSlotEntry& p = g_.model.table_slot[s];
        const Rect card{p.x, p.y, p.x + l.play_scatter_x - 1 + w, p.y + l.play_scatter_y - 1 + h};
        EXPECT_TRUE(card.x0 >= 0 && card.y0 >= 0 && card.x1 <= 800 && card.y1 <= 600)
            << DeckStoredName(deck) << " place " << s;
        for (size_t b = 0; b < busy.size(); ++b) {
          EXPECT_FALSE(card.Overlaps(busy[b])) << DeckStoredName(deck) << (six ? " six" : " twelve")
                                               << " place " << s << " meets area " << b;
        }
      }
    }
  }
}

}  // namespace
}  // namespace vantel
