#include "flow/deal.h"
#include "flow/flow.h"
#include "flow_fixture.h"

namespace vantel {
namespace {

using ComputerPaceTest = FlowFixture;

// Unhurried computers: the card a seat chose waits kUnhurriedWaitMs more
// before it moves, and nothing else changes.
TEST_F(ComputerPaceTest, UnhurriedSeatsHoldTheirCardOnlyWhenAskedTo) {
  const auto first_computer_card_moves = [&](ComputerPace pace) {
    chance_ = Chance(7);
    clock_ = ManualClock();
    Configure(false, false);
    g_.options.computer_pace = pace;
    NewHand(g_);
    const uint32_t start = clock_.GetTickCount();
    RunUntil([&] {
      if (g_.flow.state != FlowState::kNormalPlay || g_.flow.turn == PersonSeat(g_)) return false;
      return g_.model.hand[g_.flow.turn][g_.flow.computer_card_slot].moving;
    });
    return clock_.GetTickCount() - start;
  };
  const uint32_t normal = first_computer_card_moves(ComputerPace::kNormal);
  const uint32_t unhurried = first_computer_card_moves(ComputerPace::kUnhurried);
  EXPECT_GT(unhurried - normal, kUnhurriedWaitMs);
  EXPECT_LE(unhurried - normal, kUnhurriedWaitMs + 2 * kFrameMs);
}

TEST_F(ComputerPaceTest, AHeldCardIsDroppedWithItsHand) {
  Configure(false, false);
  g_.options.computer_pace = ComputerPace::kUnhurried;
  NewHand(g_);
  RunUntil([&] { return g_.flow.held_answer.has_value(); });
  const int seat = g_.flow.turn;
  const int cards_held = g_.match.hands[seat].Size();
  // It does not move, and the rules have not heard of it, while it is held.
  for (int n = 0; n < 10; ++n) Frame();
  EXPECT_TRUE(g_.flow.held_answer.has_value());
  EXPECT_EQ(g_.match.hands[seat].Size(), cards_held);
  EXPECT_FALSE(AnyCardMoving(g_));
  NewHand(g_);
  EXPECT_FALSE(g_.flow.held_answer.has_value());
}

}  // namespace
}  // namespace vantel
