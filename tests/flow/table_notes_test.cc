#include "flow/table_notes.h"

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
  OpenSelection({CardId(5, 'C')}, CardId(5, 'D'));
  g_.capture.prev_capture_size = 0;
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

}  // namespace
}  // namespace vantel
