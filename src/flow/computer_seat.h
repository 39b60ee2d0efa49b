#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <utility>

#include "ai/pending_decision.h"
#include "ai/thinker.h"
#include "flow/game.h"
#include "game/options.h"

namespace vantel {

// A seat the computer plays at `level`. Deciding at once is what headless
// runs need (frame for frame the same every time); in the game window an
// Expert thinks on a worker instead, so the frames go on meanwhile.
class ComputerSeat final : public SeatPlayer {
 public:
  enum class Thinking { kAtOnce, kInBackground };

  // `think` is what the worker runs; a test may hold it or make it fail.
  ComputerSeat(PlayerLevel level, Thinking thinking, DecideFunction think = ExpertDecision)
      : level_(level), thinking_(thinking), think_(std::move(think)) {}

  void Ask(const SeatView& view) override;
  std::optional<SeatDecision> Answer() override;
  void Drop() override;
  std::unique_ptr<SeatPlayer> Fresh() const override;

  // True while a worker is deciding or its answer waits to be taken.
  bool Deciding() const { return pending_.Active(); }
  PlayerLevel Level() const { return level_; }
  // For tests, which have no frames to go on with; see PendingDecision.
  bool WaitForWorker(std::chrono::milliseconds limit) const { return pending_.WaitFor(limit); }

 private:
  PlayerLevel level_;
  Thinking thinking_;
  DecideFunction think_;
  std::optional<SeatDecision> decided_;  // made at once, not yet handed over
  PendingDecision pending_;              // being made on a worker
};

// Seats the computer at every seat but the person's, each at its side's level
// from the options, thinking as `thinking` says.
void SeatComputers(Game& g, ComputerSeat::Thinking thinking);

}  // namespace vantel
