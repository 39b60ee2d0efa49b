#include "flow/table_notes.h"

#include <algorithm>

#include "flow/deal.h"
#include "flow_fixture.h"

namespace vantel {
namespace {

using TableNotesTest = FlowFixture;

TEST_F(TableNotesTest, EachSpecialCaptureIsAnnouncedForItsSideAndFades) {
  struct Case {
    void (*set)(SideFlags&);
    const char* words;
  };
  const Case cases[] = {
      {[](SideFlags& f) { f.scua = true; }, "Scua!"},
      {[](SideFlags& f) { f.picada = true; }, "Picada!"},
      {[](SideFlags& f) { f.quadriglia = true; }, "Quadriglia!"},
      {[](SideFlags& f) { f.simili = true; }, "Simili!"},
      {[](SideFlags& f) { f.scua = f.simili = true; }, "Scua!  Simili!"},
  };
  for (const Case& c : cases) {
    for (Side side : {Side::kWe, Side::kThey}) {
      Configure(false, false);
      c.set(g_.capture.Of(side));
      AnnounceSpecialCapture(g_, side);
      EXPECT_EQ(AnnouncementText(g_.aids.announced), c.words);
      EXPECT_EQ(g_.aids.announced_side, side);
      for (int n = 1; n < kAnnouncementFrames; ++n) TickTableNotes(g_);
      EXPECT_EQ(AnnouncementText(g_.aids.announced), c.words) << "still on its last frame";
      TickTableNotes(g_);
      EXPECT_EQ(g_.aids.announced, 0);
    }
  }
  // A plain capture says nothing.
  AnnounceSpecialCapture(g_, Side::kWe);
  EXPECT_EQ(g_.aids.announced, 0);
  EXPECT_EQ(AnnouncementText(0), "");
}

TEST_F(TableNotesTest, OurSpecialCaptureIsAnnouncedWhenItsCardsAreGathered) {
  // The 5 laid just before takes the single card: a Scua as the table empties.
  last_capture_size_ = 0;
  OpenSelection({CardId(5, 'C')}, CardId(5, 'D'));
  ClickTable(kLeftButton, 0);
  ASSERT_EQ(events_.confirms, 1);
  RunUntil([&] { return g_.aids.announced != 0; }, 600);
  EXPECT_EQ(g_.aids.announced_side, Side::kWe);
  EXPECT_NE(g_.aids.announced & kAnnounceScua, 0);
  EXPECT_NE(g_.aids.announced & kAnnouncePicada, 0);
}

TEST_F(TableNotesTest, EverySeatsLastCardIsMarkedUntilItPlaysAgainAndANewDealClearsThem) {
  NewHand(g_);
  std::array<int16_t, kSeats> seen{-1, -1, -1, -1};
  int changes = 0;
  RunUntil([&] {
    for (int s = 0; s < kSeats; ++s) {
      if (g_.aids.last_played[s] != seen[s]) {
        // A seat's mark only changes to a card it had, and each play replaces it.
        EXPECT_NE(g_.aids.last_played[s], -1);
        seen[s] = g_.aids.last_played[s];
        ++changes;
      }
    }
    return g_.flow.state == FlowState::kEndOfMatch;
  });
  EXPECT_EQ(changes, kSeats * HandSize(g_.options));
  NewHand(g_);
  for (int16_t id : g_.aids.last_played) EXPECT_EQ(id, -1);
}

MatchEvents LaidEvents(int seat, int16_t card) {
  MatchEvents events;
  events.Add(CardLaid{static_cast<int16_t>(seat), card});
  return events;
}

MatchEvents TookEvents(int seat, int16_t card, std::initializer_list<int16_t> taken) {
  MatchEvents events = LaidEvents(seat, card);
  CardsTaken took;
  took.seat = static_cast<int16_t>(seat);
  took.card = card;
  took.taken = CardList<kMaxTakenCards>(taken);
  events.Add(took);
  return events;
}

TEST_F(TableNotesTest, TheRoundKeepsTheLatestFourPlaysOldestFirst) {
  EXPECT_EQ(PreviousPlay(g_.aids), nullptr);
  EXPECT_EQ(LastPlayOf(g_.aids, 2), nullptr);
  NotePlayEvents(g_, LaidEvents(1, 11));
  NotePlayEvents(g_, TookEvents(2, 12, {11}));
  NotePlayEvents(g_, LaidEvents(3, 13));
  NotePlayEvents(g_, TookEvents(0, 14, {13, 3}));
  ASSERT_EQ(g_.aids.round_count, kRoundPlays);
  EXPECT_EQ(*PreviousPlay(g_.aids), (NotedPlay{0, 14, {13, 3}}));
  EXPECT_EQ(*LastPlayOf(g_.aids, 2), (NotedPlay{2, 12, {11}}));
  // A fifth play pushes the oldest out; a seat's latest play replaces its older one.
  NotePlayEvents(g_, LaidEvents(1, 15));
  ASSERT_EQ(g_.aids.round_count, kRoundPlays);
  EXPECT_EQ(g_.aids.round[0], (NotedPlay{2, 12, {11}}));
  EXPECT_EQ(*LastPlayOf(g_.aids, 1), (NotedPlay{1, 15, {}}));
  EXPECT_EQ(*PreviousPlay(g_.aids), (NotedPlay{1, 15, {}}));
  // Events that lay no card (a second deal, the remainders) change nothing.
  MatchEvents later;
  later.Add(SecondDealt{});
  NotePlayEvents(g_, later);
  EXPECT_EQ(*PreviousPlay(g_.aids), (NotedPlay{1, 15, {}}));
  ClearPlayedCards(g_);
  EXPECT_EQ(g_.aids.round_count, 0);
  EXPECT_EQ(LastPlayOf(g_.aids, 1), nullptr);
}

// Whole hands through the frame function, each play checked against what
// the rules' state says happened: the card that left the seat's hand and the
// table cards that went with it. Six-card hands, so a second deal falls in
// the middle; the next hand starts with nothing noted.
TEST_F(TableNotesTest, TheNotesFollowEveryPlayAcrossTheSecondDealAndResetForANewHand) {
  Configure(true, false);
  NewHand(g_);
  int plays = 0;
  int second_deals_seen = 0;
  // The match makes a play as its card sets off; the notes show it once the
  // card is down, and by then the match has made no other.
  MatchState before = g_.match;
  int16_t noted = -1;
  RunUntil([&] {
    const NotedPlay* previous = PreviousPlay(g_.aids);
    const MatchState& now = g_.match;
    if (previous != nullptr && previous->card != noted && now.phase == HandPhase::kPlaying) {
      noted = previous->card;
      EXPECT_EQ(now.cards_played, before.cards_played + 1);
      const int seat = before.turn;
      EXPECT_EQ(previous->seat, seat);
      EXPECT_FALSE(now.hands[seat].Contains(previous->card));
      EXPECT_TRUE(before.hands[seat].Contains(previous->card));
      for (int16_t card : before.table) {
        EXPECT_EQ(previous->taken.Contains(card), !now.table.Contains(card)) << "card " << card;
      }
      EXPECT_EQ(now.table.Contains(previous->card), previous->taken.Empty());
      EXPECT_EQ(LastPlayOf(g_.aids, seat), previous);
      // The others' latest plays are the ones noted before.
      for (int other = 0; other < kSeats; ++other) {
        if (other == seat || LastPlayOf(g_.aids, other) == nullptr) continue;
        EXPECT_FALSE(now.hands[other].Contains(LastPlayOf(g_.aids, other)->card));
      }
      if (before.dealt != now.dealt) ++second_deals_seen;
      ++plays;
      before = now;
    }
    return g_.flow.state == FlowState::kEndOfMatch;
  });
  EXPECT_EQ(plays, kCardsPlayedPerHand - 1);  // the last one ends the hand
  EXPECT_EQ(second_deals_seen, 1);
  NewHand(g_);
  EXPECT_EQ(g_.aids.round_count, 0);
  EXPECT_EQ(PreviousPlay(g_.aids), nullptr);
}

}  // namespace
}  // namespace vantel
