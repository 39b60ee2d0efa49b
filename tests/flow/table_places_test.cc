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
  for (const char* deck : {"Royal", "Trevigiano"}) {
    for (bool six : {false, true}) {
      g.options.DeckName = deck;
      Configure(six, false);
      const Layout& l = g.layout;
      const int w = l.CardWidth, h = l.CardHeight;
      std::vector<Rect> busy;
      for (int s = 0; s < 4; ++s) {
        busy.push_back({l.HandBaseX[s], l.HandBaseY[s], l.HandBaseX[s] + l.HandStepX[s] * 11 + w,
                        l.HandBaseY[s] + h});
      }
      for (auto [px, py] : {std::pair{l.WePileX, l.WePileY}, std::pair{l.TheyPileX, l.TheyPileY}}) {
        busy.push_back({px, py, px + l.GatherScatterX + w, py + l.GatherScatterY + h});
      }
      busy.push_back({l.DeckBaseX, l.DeckY, l.DeckBaseX + l.DeckRightOffset + w, l.DeckY + h});
      for (int i = 0; i < 15; ++i) {
        for (const FanEntry& f : {g.model.WeFan[i], g.model.TheyFan[i]}) {
          busy.push_back({f.X, f.Y, f.X + w, f.Y + h});
        }
      }
      for (int s = 14; s <= 30; ++s) {
        const TableSlotEntry& p = g.model.TableSlot[s];
        const Rect card{p.X, p.Y, p.X + l.PlayScatterX - 1 + w, p.Y + l.PlayScatterY - 1 + h};
        EXPECT_TRUE(card.x0 >= 0 && card.y0 >= 0 && card.x1 <= 800 && card.y1 <= 600)
            << deck << " place " << s;
        for (size_t b = 0; b < busy.size(); ++b) {
          EXPECT_FALSE(card.Overlaps(busy[b]))
              << deck << (six ? " six" : " twelve") << " place " << s << " meets area " << b;
        }
      }
    }
  }
}

}  // namespace
}  // namespace vantel
