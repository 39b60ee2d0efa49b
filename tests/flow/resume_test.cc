// A match left part-way and resumed in a new game: the hand in play comes
// back with the same cards to the same seats, the score as it stood, and the
// match goes on to its end.
#include <gtest/gtest.h>

#include "flow/shown_score.h"
#include "flow_fixture.h"
#include "game/match_rules.h"

namespace vantel {
namespace {

class ResumeTest : public FlowFixture {
 protected:
  // Plays on until `hands` hands have ended and `plays` cards of the next
  // are down.
  void PlayInto(int hands, int plays) {
    NewHand(g_);
    for (int ended = 0; ended < hands; ++ended) {
      RunUntil([&] { return events_.hand_ends == ended + 1; });
      Frame(Click(kLeftButton, 400, 300));  // the score page's click: the next hand
    }
    RunUntil([&] { return g_.match.cards_played == plays; });
  }
};

TEST_F(ResumeTest, AHandLeftPartWayIsDealtAgainWithTheSameCardsAndScore) {
  PlayInto(2, 17);
  const std::optional<MatchState> kept = MatchToKeep(g_);
  ASSERT_TRUE(kept.has_value());
  EXPECT_EQ(kept->cards_played, 0);
  const int16_t we_total = g_.match.Of(Side::kWe).match_points;
  const int16_t they_total = g_.match.Of(Side::kThey).match_points;
  ASSERT_GT(we_total + they_total, 0);

  Configure(false, false);  // a new game, as at the next start
  ResumeMatch(g_, *kept);
  EXPECT_EQ(g_.match, *kept);
  EXPECT_EQ(g_.score.we_total, we_total);
  EXPECT_EQ(g_.score.they_total, they_total);
  RunUntil([&] { return g_.flow.state == FlowState::kNormalPlay; });
  // The cards that fly to each seat are the kept hand's.
  for (int seat = 0; seat < kSeats; ++seat) {
    std::vector<int16_t> shown(g_.model.hand_ids[seat].begin(),
                               g_.model.hand_ids[seat].begin() + g_.model.hand_id_count[seat]);
    std::vector<int16_t> kept_hand(kept->hands[seat].begin(), kept->hands[seat].end());
    std::sort(shown.begin(), shown.end());
    std::sort(kept_hand.begin(), kept_hand.end());
    EXPECT_EQ(shown, kept_hand) << "seat " << seat;
  }
  // The match plays on to its end from there.
  const int hands_before = events_.hand_ends;
  RunUntil(
      [&] {
        if (g_.flow.state == FlowState::kEndOfMatch && !g_.match.MatchDecided()) {
          Frame(Click(kLeftButton, 400, 300));
        }
        return g_.match.MatchDecided();
      },
      2'000'000);
  EXPECT_GT(events_.hand_ends, hands_before);
}

TEST_F(ResumeTest, BetweenHandsTheNextHandIsShuffledAndOpenedByTheNextSeat) {
  NewHand(g_);
  RunUntil([&] { return events_.hand_ends == 1; });
  const std::optional<MatchState> kept = MatchToKeep(g_);
  ASSERT_TRUE(kept.has_value());
  EXPECT_EQ(kept->phase, HandPhase::kOver);

  Configure(false, false);
  ResumeMatch(g_, *kept);
  EXPECT_EQ(g_.match.first_seat, (kept->first_seat + 1) % kSeats);
  EXPECT_EQ(g_.match.history_rows, kept->history_rows);
  EXPECT_EQ(g_.match.Of(Side::kWe).match_points, kept->Of(Side::kWe).match_points);
}

TEST_F(ResumeTest, NothingIsKeptBeforeTheFirstDealOrOnceTheMatchIsDecided) {
  EXPECT_FALSE(MatchToKeep(g_).has_value());
  NewHand(g_);
  EXPECT_TRUE(MatchToKeep(g_).has_value());
  g_.match.phase = HandPhase::kOver;
  g_.match.outcome = MatchOutcome::kWeWon;
  EXPECT_FALSE(MatchToKeep(g_).has_value());
}

TEST_F(ResumeTest, ASixCardMatchResumesAsOneWhateverTheOptionsSay) {
  Configure(true, false);
  PlayInto(0, 30);  // into the second deal
  const std::optional<MatchState> kept = MatchToKeep(g_);
  ASSERT_TRUE(kept.has_value());
  Configure(false, false);
  ResumeMatch(g_, *kept);
  EXPECT_EQ(g_.options.twelve_card_deal, 0);
  RunUntil([&] { return g_.flow.state == FlowState::kNormalPlay; });
  EXPECT_EQ(g_.model.hand_id_count[0], kSixCardHand);
}

}  // namespace
}  // namespace vantel
