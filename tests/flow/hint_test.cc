#include <chrono>
#include <vector>

#include "ai/expert.h"
#include "flow/hint.h"
#include "flow_fixture.h"

namespace vantel {
namespace {

class HintTest : public FlowFixture {
 protected:
  // Deals and plays on until the human may choose a card.
  void ReachHumanTurn() {
    NewHand(g_);
    RunUntil([&] { return HumanTurnOpen(g_) && !AnyCardMoving(g_); });
  }

  // What the Expert itself plays for seat 0 here: the card id and the take.
  std::pair<int16_t, std::vector<int16_t>> ExpertChoice() const {
    const SeatView view(g_.match, kHumanSeat);
    const SeatDecision d = ChooseExpertPlay(view);
    return {view.Hand()[d.position],
            std::vector<int16_t>(d.take.Span().begin(), d.take.Span().end())};
  }

  std::pair<int16_t, std::vector<int16_t>> Shown() const {
    const FlowData& f = g_.flow;
    return {f.hint_card,
            std::vector<int16_t>(f.hint_take.begin(), f.hint_take.begin() + f.hint_take_count)};
  }
};

TEST_F(HintTest, ShowsTheExpertsOwnChoiceUntilTheHumanPlays) {
  ReachHumanTurn();
  EXPECT_EQ(g_.flow.hint_card, -1);
  const auto expected = ExpertChoice();
  Frame(Key(kKeyH));
  EXPECT_EQ(Shown(), expected);
  Frame(Key(kKeyH));  // held down: the same suggestion stays
  EXPECT_EQ(Shown(), expected);

  // Playing any card takes the suggestion away.
  Frame(HumanInput());
  EXPECT_TRUE(g_.flow.human_picked);
  EXPECT_EQ(g_.flow.hint_card, -1);
  EXPECT_EQ(g_.flow.hint_take_count, 0);
  Frame(Key(kKeyH));  // and H asks for nothing until the human's next turn
  EXPECT_EQ(g_.flow.hint_card, -1);
}

TEST_F(HintTest, OutsideTheHumansTurnHAsksForNothing) {
  NewHand(g_);
  Frame(Key(kKeyH));  // still dealing
  EXPECT_EQ(g_.flow.hint_card, -1);
  EXPECT_FALSE(g_.flow.pending_hint.Active());
}

TEST_F(HintTest, ThinkingOnAWorkerGivesTheSameSuggestion) {
  g_.flow.think_in_background = true;
  ReachHumanTurn();
  const auto expected = ExpertChoice();
  Frame(Key(kKeyH));
  ASSERT_TRUE(g_.flow.pending_hint.Active());
  ASSERT_TRUE(g_.flow.pending_hint.WaitFor(std::chrono::minutes(1)));
  Frame();
  EXPECT_EQ(Shown(), expected);
}

}  // namespace
}  // namespace vantel
