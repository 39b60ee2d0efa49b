#include "gfx/table_drawing.h"

#include <gtest/gtest.h>

#include <cstring>

#include "flow/layout.h"
#include "gfx/aid_pictures.h"
#include "support/test_cards.h"
#include "table_fixture.h"

namespace vantel {
namespace {

using test::CardColour;
using test::kBackColour;
using test::kCardW;
using test::kFeltColour;
using test::kFrameColour;
using TableDrawingTest = test::TableFixture;

TEST(VisitOrderTest, BigPilesShowFromEntryEleven) {
  EXPECT_EQ(PileFirstEntry(0), 0);
  EXPECT_EQ(PileFirstEntry(11), 0);
  EXPECT_EQ(PileFirstEntry(12), 11);
  EXPECT_EQ(PileFirstEntry(30), 11);
}

TEST(VisitOrderTest, StockIsVisitedHighestFirstAroundTheDeckPosition) {
  EXPECT_EQ(StockVisitOrder(0), (std::vector<int32_t>{7, 6, 5, 4, 3, 2, 1, 0}));
  EXPECT_EQ(StockVisitOrder(10), (std::vector<int32_t>{16, 15, 14, 13, 12, 11, 10, 9}));
  EXPECT_EQ(StockVisitOrder(45), (std::vector<int32_t>{51, 50, 49, 48, 47, 46, 45, 44}));
  EXPECT_EQ(StockVisitOrder(46), (std::vector<int32_t>{51, 50, 49, 48, 47, 46, 45}));
  EXPECT_EQ(StockVisitOrder(51), (std::vector<int32_t>{51, 50}));
  EXPECT_EQ(StockVisitOrder(52), (std::vector<int32_t>{51}));
}

TEST_F(TableDrawingTest, PilesDrawBacksFromTheirFirstVisitedEntry) {
  for (int16_t i = 0; i < 30; ++i) Place(g_.model.we_pile[i], i, 10.0f + 25 * i, 300);
  g_.model.we_pile_count = 11;
  for (int16_t i = 0; i < 12; ++i) Place(g_.model.they_pile[i], i, 10.0f + 25 * i, 450);
  g_.model.they_pile_count = 12;
  Draw();
  EXPECT_EQ(CardAt(10, 300), kBackColour);
  EXPECT_EQ(CardAt(260, 300), kBackColour);  // entry 10
  EXPECT_EQ(CardAt(285, 300), kFeltColour);  // entry 11 is past the count
  EXPECT_EQ(CardAt(10, 450), kFeltColour);   // hidden under a big pile
  EXPECT_EQ(CardAt(260, 450), kFeltColour);
  EXPECT_EQ(CardAt(285, 450), kBackColour);  // entry 11 only
}

TEST_F(TableDrawingTest, StockDrawsItsVisitedCardsWithTheDealtCardOnTop) {
  g_.deal.deck_position = 10;
  for (int16_t i = 0; i <= 51; ++i) Place(g_.model.deck[i], i, 5.0f + 14 * i, 100);
  g_.model.deck[12].face_up = false;
  g_.model.deck[51].shown = false;
  // The card being dealt lies on the stock's top card.
  g_.model.deck[9].x = g_.model.deck[16].x;
  Draw();
  EXPECT_EQ(At(5 + 14 * 8 + 10, 110), kFeltColour);
  EXPECT_EQ(At(5 + 14 * 10 + 10, 110), CardColour(10));
  EXPECT_EQ(At(5 + 14 * 12 + 10, 110), kBackColour);
  EXPECT_EQ(At(5 + 14 * 16 + 10, 110), CardColour(9));
  EXPECT_EQ(At(5 + 14 * 17 + 15, 110), kFeltColour);
}

TEST_F(TableDrawingTest, LastStockCardShowsItsFaceOnlyToTheHumanWhileTravelling) {
  g_.deal.deck_position = 10;  // the stock itself then leaves Deck(51) alone
  Place(g_.model.deck[51], 51, 300, 300);
  g_.model.deck[51].moving = true;
  g_.flow.turn = 0;
  Draw();
  EXPECT_EQ(CardAt(300, 300), CardColour(51));
  g_.flow.turn = 2;
  Draw();
  EXPECT_EQ(CardAt(300, 300), kBackColour);
  g_.model.deck[51].moving = false;
  g_.model.deck[51].face_up = false;
  Draw();
  EXPECT_EQ(CardAt(300, 300), CardColour(51));
}

TEST_F(TableDrawingTest, PickedTableCardsGetTheFrameOnlyWhenFaceUp) {
  Place(g_.model.table[0], 7, 100, 200);
  g_.model.table[0].picked = true;
  Place(g_.model.table[1], 8, 150, 200, false);
  g_.model.table[1].picked = true;
  Place(g_.model.table[2], 9, 200, 200);
  g_.model.table_count = 2;
  Draw();
  EXPECT_EQ(At(100, 200), kFrameColour);
  EXPECT_EQ(At(101, 229), kFrameColour);
  EXPECT_EQ(CardAt(100, 200), CardColour(7));  // the frame's inside is see-through
  EXPECT_EQ(At(150, 200), kBackColour);
  EXPECT_EQ(CardAt(200, 200), kFeltColour);  // beyond table_count
}

TEST_F(TableDrawingTest, HumanHandIsAlwaysFaceUpAndDrawnOverTheOthers) {
  Place(g_.model.hand[0][0], 3, 400, 500, false);
  Place(g_.model.hand[1][5], 4, 50, 50, false);
  Place(g_.model.hand[2][11], 5, 100, 50, true);
  Place(g_.model.hand[3][12], 6, 150, 50, true);  // slot 12 is never drawn
  // Hand order 2, 1, 3, 0 and the table beneath them all.
  Place(g_.model.hand[3][0], 20, 600, 300);
  Place(g_.model.hand[1][0], 21, 600, 300);
  Place(g_.model.hand[0][1], 22, 610, 300);
  Place(g_.model.table[0], 23, 610, 300);
  g_.model.table_count = 1;
  Draw();
  EXPECT_EQ(CardAt(400, 500), CardColour(3));
  EXPECT_EQ(CardAt(50, 50), kBackColour);
  EXPECT_EQ(CardAt(100, 50), CardColour(5));
  EXPECT_EQ(CardAt(150, 50), kFeltColour);
  EXPECT_EQ(At(605, 310), CardColour(20));
  EXPECT_EQ(CardAt(610, 300), CardColour(22));
}

TEST_F(TableDrawingTest, MarkerFansFollowTheirOrderAndLieOverThePiles) {
  auto& fan = g_.model.we_fan;
  for (int i = 0; i <= 15; ++i) fan[i].order = static_cast<int16_t>(i);
  // Entry 4 is visited after entry 9 although it comes first.
  fan[0].order = 9;
  fan[1].order = 4;
  fan[4].order = 0;
  fan[9].order = 1;
  for (int e : {4, 9}) {
    fan[e].shown = true;
    fan[e].card = static_cast<int16_t>(30 + e);
    fan[e].rest_x = 500;
    fan[e].rest_y = 100;
  }
  g_.model.they_fan[3].order = 3;
  g_.model.they_fan[3].shown = true;
  g_.model.they_fan[3].card = 40;
  g_.model.they_fan[3].rest_x = 700.5f;  // halves go to even: 700
  g_.model.they_fan[3].rest_y = 101.5f;  // and 102
  Draw();
  EXPECT_EQ(CardAt(500, 100), CardColour(34));
  EXPECT_EQ(At(700 + 1, 102), CardColour(40));
  EXPECT_EQ(At(700 + 1, 101), kFeltColour);
  EXPECT_EQ(At(720, 110), kFeltColour);
  // A marker lies over a pile card at the same place, where it can be read.
  Place(g_.model.we_pile[0], 1, 500, 100);
  g_.model.we_pile_count = 1;
  Draw();
  EXPECT_EQ(CardAt(500, 100), CardColour(34));
}

TEST_F(TableDrawingTest, ClockAndStatusLineAreDrawnOverTheScorePage) {
  // Below the rows, where the page has no writing.
  Place(g_.model.hand[0][0], 3, 460, 400);
  g_.flow.state = FlowState::kEndOfMatch;
  Draw();
  EXPECT_EQ(CardAt(460, 400), test::kPageColour);
  // "09:05 PM" at (700, 572), 17 pixels a character.
  EXPECT_EQ(At(700, 572), test::GlyphColour('0' - 32));
  EXPECT_EQ(At(717, 572), test::GlyphColour('9' - 32));
  EXPECT_EQ(At(734, 598), test::GlyphColour(':' - 32));
  // "Click for the next hand", set tight: the test glyphs are inked edge to
  // edge, so each takes its 19 columns and one between.
  EXPECT_EQ(At(5, 572), test::GlyphColour('C' - 32));
  EXPECT_EQ(At(25, 572), test::GlyphColour('l' - 32));
  EXPECT_NE(At(24, 572), test::GlyphColour('C' - 32));
  EXPECT_NE(At(24, 572), test::GlyphColour('l' - 32));
}

TEST_F(TableDrawingTest, ALongStatusLineIsCutShortBeforeTheClock) {
  Place(g_.model.table[0], CardId(3, 'C'), 300, 200);
  Place(g_.model.table[1], CardId(7, 'S'), 400, 200);
  g_.model.table_count = 2;
  g_.flow.state = FlowState::kWeGettingCardsGathering;
  Draw();
  EXPECT_NE(At(5, 572), kFeltColour);
  for (int x = kClockX - 8; x < kClockX; ++x) EXPECT_EQ(At(x, 580), kFeltColour) << x;
}

TEST_F(TableDrawingTest, TakeableCardsAreOutlinedWhileTheHumanChooses) {
  // 7 played: the 3 and the 4 make it, the jack does not.
  Place(g_.model.table[0], CardId(3, 'C'), 100, 200);
  Place(g_.model.table[1], CardId(11, 'D'), 200, 200);
  Place(g_.model.table[2], CardId(4, 'H'), 300, 200);
  Place(g_.model.table[3], CardId(7, 'S'), 400, 200);
  g_.model.table_count = 4;
  g_.flow.turn = 0;
  g_.flow.state = FlowState::kWeGettingCardsGathering;
  Draw();
  const auto outlined = [&](int x, int y) { return At(x - 2, y + 5) != kFeltColour; };
  EXPECT_TRUE(outlined(100, 200));
  EXPECT_FALSE(outlined(200, 200));
  EXPECT_TRUE(outlined(300, 200));
  EXPECT_FALSE(outlined(400, 200));  // the played card
  // A picked card wears the selection frame instead; the 4 is still takeable.
  g_.model.table[0].picked = true;
  Clear();
  Draw();
  EXPECT_FALSE(outlined(100, 200));
  EXPECT_TRUE(outlined(300, 200));
  // Once chosen, nothing is outlined.
  g_.flow.capture_confirmed = true;
  Clear();
  Draw();
  EXPECT_FALSE(outlined(300, 200));
}

// The keys' white frame stands over the gold line only while the keys are
// in use; once the mouse moves, the card shows the gold line like the others.
TEST_F(TableDrawingTest, TheKeysFrameGivesWayToTheMouse) {
  Place(g_.model.table[0], CardId(3, 'C'), 100, 200);
  Place(g_.model.table[1], CardId(4, 'H'), 300, 200);
  Place(g_.model.table[2], CardId(7, 'S'), 400, 200);
  g_.model.table_count = 3;
  g_.flow.turn = 0;
  g_.flow.state = FlowState::kWeGettingCardsGathering;
  g_.aids.table_cursor = 0;
  Draw();
  const uint32_t gold = At(298, 205);
  EXPECT_NE(gold, kFeltColour);
  EXPECT_NE(At(98, 205), gold);  // the keys' frame
  g_.aids.mouse_in_use = true;
  Clear();
  Draw();
  EXPECT_EQ(At(98, 205), gold);
}

// Each pile wears its side's name at its foot, over its cards, on a plate.
TEST_F(TableDrawingTest, EachPileIsTaggedWithItsSide) {
  SetupLayout(g_.options, g_.layout);
  const Layout& l = g_.layout;
  // Test cards are smaller than the layout's: this pile reaches the tag.
  for (int i = 0; i < 12; ++i) {
    Place(g_.model.we_pile[i], 0, static_cast<float>(l.we_pile_x),
          static_cast<float>(l.we_pile_y + l.card_height - test::kCardH), false);
  }
  g_.model.we_pile_count = 12;
  Draw();
  const auto tag_text_at = [&](int32_t pile_x, int32_t pile_y, std::string_view name) {
    const int32_t width = a_.deluxe_font.SpacedWidth(name) + 12;
    return PointerPosition{pile_x + (l.card_width - width) / 2 + 6,
                           pile_y + l.card_height - kPlateHeight - 6 + 2};
  };
  const PointerPosition we = tag_text_at(l.we_pile_x, l.we_pile_y, "We");
  const PointerPosition they = tag_text_at(l.they_pile_x, l.they_pile_y, "They");
  EXPECT_EQ(At(we.x, we.y), test::GlyphColour('W' - 32));
  EXPECT_EQ(At(they.x, they.y), test::GlyphColour('T' - 32));
  // The plate darkens the felt around the name, and lies over the pile.
  EXPECT_NE(At(we.x - 4, we.y), kFeltColour);
  EXPECT_NE(At(we.x - 4, we.y), test::GlyphColour('W' - 32));
  EXPECT_EQ(At(l.we_pile_x + 2, l.we_pile_y + l.card_height - test::kCardH + 2), kBackColour);
}

// During a hand the match score stands above our hand on a plate, and each
// pile's tag adds its side's points from special captures once it has some.
TEST_F(TableDrawingTest, TheMatchScoreAndTheSpecialPointsStayInSight) {
  HandScore we;
  we.scua = 1;
  we.picada = 2;
  we.napula = 5;  // a category, not a special capture
  EXPECT_EQ(SpecialPointsOf(we), 3);
  EXPECT_EQ(PileTagText(Side::kWe, 3), "We +3");
  EXPECT_EQ(PileTagText(Side::kThey, 0), "They");

  g_.score.we_total = 12;
  g_.score.they_total = 8;
  Draw();  // before the first deal: no match yet
  const std::string text = "We 12 \xB7 They 8 \xB7 to 51";
  const int32_t x = (800 - a_.deluxe_font.SpacedWidth(text) - 12) / 2 + 6;
  EXPECT_EQ(At(x, kScoreStripY + 2), kFeltColour);
  g_.match.phase = HandPhase::kPlaying;
  Clear();
  Draw();
  EXPECT_EQ(At(x, kScoreStripY + 2), test::GlyphColour('W' - 32));
  g_.flow.state = FlowState::kEndOfMatch;  // the score page says it all
  Clear();
  Draw();
  EXPECT_NE(At(x, kScoreStripY + 2), test::GlyphColour('W' - 32));
}

// Before a network table's first deal the felt carries the link that brings
// a friend to it in a browser, and what became of copying it.
TEST_F(TableDrawingTest, AWaitingTableShowsItsJoinLinkAndTheCopyKey) {
  TablePeople& people = g_.aids.people;
  people.join_link = "http://h:8765/join/K7QH2M";
  const auto text_x = [&](const std::string& text) {
    return (800 - a_.deluxe_font.SpacedWidth(text) - 12) / 2 + 6;
  };
  const int32_t link_x = text_x(people.join_link);
  Draw();  // not waiting: a table at play has no use for it
  EXPECT_EQ(At(link_x, kJoinLinkY + 2), kFeltColour);

  people.waiting = true;
  Clear();
  Draw();
  EXPECT_EQ(At(link_x, kJoinLinkY + 2), test::GlyphColour('h' - 32));
  EXPECT_EQ(At(text_x("Ctrl+C: copy the link"), kJoinHintY + 2), test::GlyphColour('C' - 32));
  people.link_copy = TablePeople::LinkCopy::kCopied;
  Clear();
  Draw();
  EXPECT_EQ(At(text_x("Link copied"), kJoinHintY + 2), test::GlyphColour('L' - 32));
  people.link_copy = TablePeople::LinkCopy::kFailed;
  Clear();
  Draw();
  EXPECT_EQ(At(text_x("The link could not be copied"), kJoinHintY + 2),
            test::GlyphColour('T' - 32));

  // A link wider than the table is cut at its end, never at its start.
  people.join_link = "http://" + std::string(60, 'a') + ".example.org:8765/join/K7QH2M";
  Clear();
  Draw();
  int first_glyph = 0;
  while (first_glyph < 800 && At(first_glyph, kJoinLinkY + 2) != test::GlyphColour('h' - 32)) {
    ++first_glyph;
  }
  EXPECT_LT(first_glyph, 6 + a_.deluxe_font.SpacedWidth("h"));
}

// The score page's tab says nothing until the pointer rests on it; then the
// match score stands beside it.
TEST_F(TableDrawingTest, TheScoreTabShowsTheMatchScoreUnderThePointer) {
  g_.score.we_total = 3;
  g_.score.they_total = 7;
  EXPECT_EQ(ScoreTabText(3, 7), "Score: We 3 \xB7 They 7");
  const int32_t width = a_.deluxe_font.SpacedWidth(ScoreTabText(3, 7)) + 12;
  const int32_t text_x = kScorePageTabX - 4 - width + 6;
  DrawTable(g_, a_, d_, [] { return LocalTime{21, 5}; }, {790, 300});
  EXPECT_EQ(At(text_x, 300 - kPlateHeight / 2 + 2), test::GlyphColour('S' - 32));
  Clear();
  DrawTable(g_, a_, d_, [] { return LocalTime{21, 5}; }, {700, 300});
  EXPECT_EQ(At(text_x, 300 - kPlateHeight / 2 + 2), kFeltColour);
  // On the score page itself the tab is gone and says nothing.
  g_.flow.state = FlowState::kEndOfMatch;
  Clear();
  DrawTable(g_, a_, d_, [] { return LocalTime{21, 5}; }, {790, 300});
  EXPECT_NE(At(text_x, 300 - kPlateHeight / 2 + 2), test::GlyphColour('S' - 32));
}

TEST_F(TableDrawingTest, EachSeatsLastCardIsUnderlinedOnTheTable) {
  Place(g_.model.table[0], 5, 100, 200);
  Place(g_.model.table[1], 9, 200, 200);
  g_.model.table_count = 2;
  g_.aids.last_played = {-1, 9, -1, -1};
  Draw();
  const int below = 200 + test::kCardH + 3;
  EXPECT_EQ(At(100 + kCardW / 2, below), kFeltColour);
  EXPECT_NE(At(200 + kCardW / 2, below), kFeltColour);
}

TEST_F(TableDrawingTest, OnTheHumansTurnTheCardUnderThePointerStandsOut) {
  g_.flow.turn = 0;
  g_.flow.awaiting_human = true;
  for (int s = 0; s < 2; ++s) {
    CardSprite& c = g_.model.hand[0][s];
    Place(c, static_cast<int16_t>(10 + s), 100.0f + 50 * s, 400);
    c.home_x = static_cast<int16_t>(c.x);
    c.home_y = 400;
    c.width = kCardW;
    c.height = test::kCardH;
  }
  DrawTable(g_, a_, d_, [] { return LocalTime{21, 5}; }, {155, 410});
  EXPECT_EQ(At(155, 400 - kHandCardRise + 1), CardColour(11));
  EXPECT_EQ(At(105, 400 - kHandCardRise + 1), kFeltColour);
  EXPECT_EQ(At(105, 401), CardColour(10));
  // Out of turn the hand lies still.
  g_.flow.awaiting_human = false;
  Clear();
  DrawTable(g_, a_, d_, [] { return LocalTime{21, 5}; }, {155, 410});
  EXPECT_EQ(At(155, 400 - kHandCardRise + 1), kFeltColour);
}

TEST(ClockTextTest, TwelveHourClockWithTwoDigitFields) {
  EXPECT_EQ(ClockText({21, 5}), "09:05 PM");
  EXPECT_EQ(ClockText({0, 0}), "12:00 AM");
  EXPECT_EQ(ClockText({12, 30}), "12:30 PM");
  EXPECT_EQ(ClockText({11, 59}), "11:59 AM");
  EXPECT_EQ(ClockText({13, 7}), "01:07 PM");
}

}  // namespace
}  // namespace vantel
