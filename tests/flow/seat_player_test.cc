#include <memory>
#include <optional>
#include <span>
#include <tuple>
#include <vector>

#include "flow/computer_seat.h"
#include "flow_fixture.h"
#include "game/fatal_error.h"

namespace vantel {
namespace {

// A seat that answers only after being looked at `delay` times, as a person
// at another table would: the Classic player's choice, late.
class LateSeat final : public SeatPlayer {
 public:
  explicit LateSeat(int delay) : delay_(delay) {}
  void Ask(const SeatView& view) override {
    inner_.Ask(view);
    waits_left_ = delay_;
  }
  std::optional<SeatDecision> Answer() override {
    if (waits_left_ > 0) {
      --waits_left_;
      ++waited;
      return std::nullopt;
    }
    return inner_.Answer();
  }
  void Drop() override { inner_.Drop(); }
  std::unique_ptr<SeatPlayer> Fresh() const override { return std::make_unique<LateSeat>(delay_); }
  int waited = 0;

 private:
  int delay_;
  int waits_left_ = 0;
  ComputerSeat inner_{PlayerLevel::kClassic, ComputerSeat::Thinking::kAtOnce};
};

// A seat that answers with the card at a position it does not hold.
class WrongSeat final : public SeatPlayer {
 public:
  void Ask(const SeatView& view) override { held_ = view.Hand().Size(); }
  std::optional<SeatDecision> Answer() override {
    return SeatDecision{static_cast<int16_t>(held_), {}};
  }
  void Drop() override {}
  std::unique_ptr<SeatPlayer> Fresh() const override { return std::make_unique<WrongSeat>(); }

 private:
  int held_ = 0;
};

// Every seat's choice, in the order the flow played them.
class PlaysSeen final : public GameObserver {
 public:
  void OnTurn(const Game&, int seat, int16_t choice, std::span<const int16_t> capture) override {
    plays.emplace_back(seat, choice, std::vector<int16_t>(capture.begin(), capture.end()));
  }
  std::vector<std::tuple<int, int16_t, std::vector<int16_t>>> plays;
};

class SeatPlayerTest : public FlowFixture {
 protected:
  // Plays one hand to its end and returns the plays and the frames it took.
  std::pair<PlaysSeen, int> PlayHand() {
    PlaysSeen seen;
    g_.observer = &seen;
    NewHand(g_);
    const int frames = RunUntil([&] { return g_.flow.state == FlowState::kEndOfMatch; });
    g_.observer = &events_;
    return {seen, frames};
  }
};

// The flow asks a seat and animates on until it answers: late answers make
// the same hand, only longer, and every seat is asked the same way.
TEST_F(SeatPlayerTest, ASeatThatAnswersLateMakesTheSameHand) {
  const auto [at_once, frames_at_once] = PlayHand();

  chance_ = Chance{11};  // the same deal again
  Configure(false, false);
  std::vector<LateSeat*> late;
  for (int seat = 1; seat < kSeats; ++seat) {
    auto player = std::make_unique<LateSeat>(25);
    late.push_back(player.get());
    g_.seats.Seat(seat, std::move(player));
  }
  const auto [answered_late, frames_late] = PlayHand();

  EXPECT_EQ(answered_late.plays, at_once.plays);
  EXPECT_EQ(at_once.plays.size(), static_cast<size_t>(kCardsPlayedPerHand));
  // Three seats, twelve cards each, 25 frames of waiting for every card.
  for (const LateSeat* seat : late) EXPECT_EQ(seat->waited, kTwelveCardHand * 25);
  EXPECT_GE(frames_late, frames_at_once + 3 * kTwelveCardHand * 25);
}

// A seat's answer comes from outside the flow; one the rules refuse ends the
// game loudly rather than skipping the seat's turn.
TEST_F(SeatPlayerTest, AnAnswerTheRulesRefuseIsAFatalError) {
  g_.seats.Seat(1, std::make_unique<WrongSeat>());
  NewHand(g_);
  try {
    RunUntil([&] { return g_.flow.state == FlowState::kEndOfMatch; });
    FAIL() << "the refused answer was played or skipped";
  } catch (const FatalError& e) {
    EXPECT_EQ(e.Routine(), "SeatAnswer");
    EXPECT_NE(e.Reason().find("seat 1"), std::string::npos) << e.Reason();
  }
}

// An empty seat is the person's, wherever it is; the others are computers at
// their side's level.
TEST_F(SeatPlayerTest, ComputersTakeEverySeatButThePersons) {
  g_.options.person_seat = 2;
  g_.options.partner_level = PlayerLevel::kExpert;
  SeatComputers(g_, ComputerSeat::Thinking::kAtOnce);
  EXPECT_EQ(g_.seats.At(2), nullptr);
  for (int seat : {0, 1, 3}) {
    const auto* player = dynamic_cast<const ComputerSeat*>(g_.seats.At(seat));
    ASSERT_NE(player, nullptr) << seat;
    EXPECT_EQ(player->Level(), seat == 0 ? PlayerLevel::kExpert : PlayerLevel::kClassic) << seat;
  }
}

}  // namespace
}  // namespace vantel
