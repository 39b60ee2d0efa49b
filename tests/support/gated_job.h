#pragma once

#include <chrono>
#include <future>
#include <memory>
#include <optional>
#include <stdexcept>
#include <stop_token>

#include "ai/thinker.h"

namespace vantel {

// Far longer than any job here takes once it may run; reached only when
// something is broken, and then a test fails instead of hanging.
inline constexpr std::chrono::minutes kGenerousWait{1};

// A worker's job that holds until the test opens the gate, then tells the
// test whether it had been told to stop by then. It is shared with the
// worker, which may outlive the test's own variables.
struct GatedJob {
  std::promise<void> open;
  std::shared_future<void> opened = open.get_future().share();
  std::promise<void> entered;    // the worker has started
  std::promise<bool> stop_seen;  // after the gate: was it told to stop?

  static std::shared_ptr<GatedJob> Make() { return std::make_shared<GatedJob>(); }

  // Answers position 0 with no capture once through the gate.
  static DecideFunction Hold(const std::shared_ptr<GatedJob>& job) {
    return [job](const SeatView&, const std::stop_token& stop) {
      job->entered.set_value();
      if (job->opened.wait_for(kGenerousWait) != std::future_status::ready) {
        throw std::runtime_error("the gate was never opened");
      }
      job->stop_seen.set_value(stop.stop_requested());
      return SeatDecision{0, {}};
    };
  }

  // Waits until the worker is at the gate; false if it never got there.
  static bool Entered(const std::shared_ptr<GatedJob>& job) {
    return job->entered.get_future().wait_for(kGenerousWait) == std::future_status::ready;
  }

  // Opens the gate and returns whether the worker had been told to stop by
  // then; nothing if it never got past the gate.
  static std::optional<bool> OpenAndSawStop(const std::shared_ptr<GatedJob>& job) {
    job->open.set_value();
    std::future<bool> seen = job->stop_seen.get_future();
    if (seen.wait_for(kGenerousWait) != std::future_status::ready) return std::nullopt;
    return seen.get();
  }
};

}  // namespace vantel
