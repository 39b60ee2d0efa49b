#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>

#include "game/seat_view.h"

namespace vantel {

// What a worker handed back: its decision, or what went wrong instead. A
// worker's exception ends here as text, never on the worker's own stack,
// where it would end the program.
struct ThinkingResult {
  std::optional<SeatDecision> decision;  // absent when the worker failed
  std::string failure;                   // the failure's own words
};

// Where one worker leaves its answer. The worker owns a share of it, so the
// answer has somewhere to go even after everyone waiting for it has left.
class DecisionSlot {
 public:
  std::stop_token StopToken() const { return stop_.get_token(); }
  void RequestStop() { stop_.request_stop(); }
  bool StopRequested() const { return stop_.stop_requested(); }

  // The worker's side: the first report wins, later ones are ignored. A
  // worker told to stop reports nothing: its answer is for nobody.
  void Decided(const SeatDecision& d);
  void Failed(std::string failure);

  // The frame thread's side: never blocks on the worker.
  bool Finished() const { return state_.load(std::memory_order_acquire) != kThinking; }
  // The report once Finished(); nothing before, nor after a stop.
  std::optional<ThinkingResult> Result() const;

  // For tests, which have no frames to go on with: waits until the worker has
  // reported (or was stopped) or `limit` has passed. True once finished.
  bool WaitFor(std::chrono::milliseconds limit) const;

 private:
  enum State : int { kThinking, kDecided, kFailed, kDropped };
  void Publish(State state);

  std::stop_source stop_;
  std::atomic<int> state_{kThinking};
  // Written by the worker before state_ leaves kThinking, read only after.
  SeatDecision decision_;
  std::string failure_;
  mutable std::mutex mutex_;  // only for WaitFor
  mutable std::condition_variable reported_;
};

// The frame thread's hold on one decision being worked out on a worker.
// Letting go of it (Cancel, destroying it, giving it a new job) asks the
// worker to stop and forgets whatever it would have answered; none of these
// waits for the worker. Copying a handle gives an empty one, so a copied game
// never holds, takes or cancels another's work.
class PendingDecision {
 public:
  PendingDecision() = default;
  explicit PendingDecision(std::shared_ptr<DecisionSlot> slot) : slot_(std::move(slot)) {}
  PendingDecision(const PendingDecision&) noexcept {}
  PendingDecision& operator=(const PendingDecision& other) noexcept;
  PendingDecision(PendingDecision&& other) noexcept = default;
  PendingDecision& operator=(PendingDecision&& other) noexcept;
  ~PendingDecision() { Cancel(); }

  // True while a job is held: thinking, or finished and not yet taken.
  bool Active() const { return slot_ != nullptr; }
  void Cancel();

  // The worker's report once it is there, leaving the handle empty; nothing
  // while it is still thinking or when nothing was started.
  std::optional<ThinkingResult> TakeIfReady();

  // See DecisionSlot::WaitFor; false when no job is held.
  bool WaitFor(std::chrono::milliseconds limit) const;

 private:
  std::shared_ptr<DecisionSlot> slot_;
};

}  // namespace vantel
