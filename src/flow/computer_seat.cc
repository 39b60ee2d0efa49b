#include "flow/computer_seat.h"

#include "ai/expert.h"
#include "ai/thinker.h"
#include "game/fatal_error.h"

namespace vantel {

namespace {

// A computer seat that cannot decide cannot play on: the game ends as on any
// other fatal error, with the worker's own words for the reason.
constexpr const char* kComputerTurnRoutine = "ComputerTurn";
constexpr long kErrorThinkingFailed = 1;

}  // namespace

void ComputerSeat::Ask(const SeatView& view) {
  Drop();
  if (thinking_ == Thinking::kInBackground && level_ == PlayerLevel::kExpert) {
    pending_ = ThinkAside(view, think_);
  } else {
    decided_ = ChoosePlayAtLevel(view, level_);
  }
}

std::optional<SeatDecision> ComputerSeat::Answer() {
  if (decided_) {
    const SeatDecision d = *decided_;
    decided_.reset();
    return d;
  }
  if (!pending_.Active()) return std::nullopt;
  const std::optional<ThinkingResult> result = pending_.TakeIfReady();
  if (!result) return std::nullopt;
  if (!result->decision) {
    throw FatalError(kComputerTurnRoutine, kErrorThinkingFailed, result->failure);
  }
  return result->decision;
}

void ComputerSeat::Drop() {
  decided_.reset();
  pending_.Cancel();
}

std::unique_ptr<SeatPlayer> ComputerSeat::Fresh() const {
  return std::make_unique<ComputerSeat>(level_, thinking_, think_);
}

void SeatComputers(Game& g, ComputerSeat::Thinking thinking) {
  for (int seat = 0; seat < kSeats; ++seat) {
    if (seat == PersonSeat(g)) {
      g.seats.Seat(seat, nullptr);
    } else {
      g.seats.Seat(seat, std::make_unique<ComputerSeat>(LevelOfSeat(g.options, seat), thinking));
    }
  }
}

}  // namespace vantel
