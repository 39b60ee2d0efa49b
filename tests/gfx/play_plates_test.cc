#include "gfx/play_plates.h"

#include <gtest/gtest.h>

#include "flow/table_notes.h"
#include "gfx/aid_pictures.h"
#include "table_fixture.h"

namespace vantel {
namespace {

using test::CardColour;
using test::kFeltColour;
using PlayPlatesTest = test::TableFixture;

class PlayPlatesDrawingTest : public PlayPlatesTest {
 protected:
  // Right laid 11, Partner took 3 with 12, Left laid 13: Left played last.
  void SetUp() override {
    PlayPlatesTest::SetUp();
    Note({1, 11, {}});
    Note({2, 12, {3}});
    Note({3, 13, {}});
  }
  void Note(const NotedPlay& play) {
    g_.aids.round[static_cast<std::size_t>(g_.aids.round_count++)] = play;
  }
  void DrawWithPointer(PointerPosition pointer) {
    Clear();
    DrawTable(
        g_, a_, d_,
        [] {
          return LocalTime{21, 5};
        },
        pointer);
  }
  // The colour inside the corner of the first card a plate at `r` shows.
  uint32_t CornerOn(const Rect& r) {
    return At(r.left + kCornerGap + 3, r.top + kCornerPlatePadding + 3);
  }
};

TEST_F(PlayPlatesDrawingTest, EachOtherSeatShowsItsLatestCardAndThePreviousPlayerIsFramed) {
  Draw();
  const Rect right = SeatPlateNow(g_, a_, 1);
  const Rect partner = SeatPlateNow(g_, a_, 2);
  const Rect left = SeatPlateNow(g_, a_, 3);
  EXPECT_EQ(CornerOn(right), CardColour(11));
  EXPECT_EQ(CornerOn(partner), CardColour(12));
  EXPECT_EQ(CornerOn(left), CardColour(13));
  // The person's own seat has no plate, and the plates keep apart.
  EXPECT_EQ(SeatPlateNow(g_, a_, 0), Rect{});
  EXPECT_LE(left.right, partner.left);
  // Only the previous player's plate has the amber frame at its edge.
  const auto edge = [&](const Rect& r) { return At(r.left, (r.top + r.bottom) / 2); };
  EXPECT_EQ(edge(right), edge(partner));
  EXPECT_NE(edge(left), edge(right));
  // Once Right plays again, it is the one framed.
  Note({1, 14, {13}});
  Clear();
  Draw();
  EXPECT_EQ(CornerOn(SeatPlateNow(g_, a_, 1)), CardColour(14));
  EXPECT_NE(edge(SeatPlateNow(g_, a_, 1)), edge(SeatPlateNow(g_, a_, 2)));
}

TEST_F(PlayPlatesDrawingTest, NothingIsShownBeforeTheFirstPlay) {
  ClearPlayedCards(g_);
  Draw();
  const Rect left = SeatPlateRect(3, 60, PlateHeight(a_), 40);
  EXPECT_EQ(At(left.left + 2, left.top + 2), kFeltColour);
}

// The previous player's card is the one a Picada takes: its bar on the table
// is thicker than the other last cards' and of another colour.
TEST_F(PlayPlatesDrawingTest, ThePreviousCardOnTheTableHasItsOwnBar) {
  Place(g_.model.table[0], 11, 100, 200);
  Place(g_.model.table[1], 13, 200, 200);
  g_.model.table_count = 2;
  g_.aids.last_played = {-1, 11, 12, 13};
  Draw();
  const int top_of_bars = 200 + test::kCardH + 2;
  const int centre = test::kCardW / 2;
  EXPECT_NE(At(100 + centre, top_of_bars), kFeltColour);
  EXPECT_NE(At(200 + centre, top_of_bars), At(100 + centre, top_of_bars));
  EXPECT_EQ(At(100 + centre, top_of_bars + kPreviousBarHeight - 1), kFeltColour);
  EXPECT_NE(At(200 + centre, top_of_bars + kPreviousBarHeight - 1), kFeltColour);
  // A card the previous player took with is not on the table to be marked.
  Note({0, 5, {13}});
  Clear();
  Draw();
  EXPECT_NE(At(200 + centre, top_of_bars), kFeltColour);  // still Left's last card
  EXPECT_EQ(At(200 + centre, top_of_bars + kPreviousBarHeight - 1), kFeltColour);
}

TEST_F(PlayPlatesDrawingTest, TheRoundViewListsThePlaysInOrderOnlyWhenAskedFor) {
  const int32_t row_height = PlateHeight(a_) + kRoundRowGap;
  const auto row_cards = [&](int row) {
    // Every card colour along the row's corner line, left to right.
    std::vector<uint32_t> seen;
    const int y = kRoundViewTop + kRoundPanelMargin + row * row_height + kCornerPlatePadding + 3;
    for (int x = 0; x < 800; ++x) {
      const uint32_t c = At(x, y);
      if ((c & 0xFF00FFu) == 0x800011u && (seen.empty() || seen.back() != c)) seen.push_back(c);
    }
    return seen;
  };
  g_.aids.round_view_key_held = true;
  DrawWithPointer({-1, -1});
  EXPECT_TRUE(row_cards(0).empty()) << "off unless the game window allows it";

  g_.aids.round_view_allowed = true;
  DrawWithPointer({-1, -1});
  EXPECT_EQ(row_cards(0), (std::vector<uint32_t>{CardColour(11)}));
  EXPECT_EQ(row_cards(1), (std::vector<uint32_t>{CardColour(12), CardColour(3)}));
  EXPECT_EQ(row_cards(2), (std::vector<uint32_t>{CardColour(13)}));

  // The pointer on a seat's plate asks for it too; elsewhere it is gone.
  g_.aids.round_view_key_held = false;
  const Rect partner = SeatPlateNow(g_, a_, 2);
  DrawWithPointer({partner.left + 1, partner.top + 1});
  EXPECT_EQ(row_cards(0), (std::vector<uint32_t>{CardColour(11)}));
  DrawWithPointer({400, 560});
  EXPECT_TRUE(row_cards(0).empty());
}

}  // namespace
}  // namespace vantel
