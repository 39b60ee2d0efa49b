#pragma once

#include <functional>
#include <stop_token>

#include "ai/pending_decision.h"
#include "game/seat_view.h"

namespace vantel {

// Decides from a seat's view, looking at `stop` between units of work.
using DecideFunction =
    std::function<SeatDecision(const SeatView& view, const std::stop_token& stop)>;

// The Expert's decision, giving up (position -1) soon after a stop.
SeatDecision ExpertDecision(const SeatView& view, const std::stop_token& stop);

// Runs `job` on a thread nobody joins; throws std::system_error when no
// thread can be started.
using StartThread = void (*)(std::function<void()>&& job);
void StartDetachedThread(std::function<void()>&& job);

// Starts deciding from `view` on a thread of its own and returns at once; the
// handle is the caller's only tie to it. The thread owns its view and its
// share of the answer's slot and reads nothing else, so letting go of the
// handle never waits: the worker notices the stop between playouts, or
// finishes, and its answer goes nowhere. An exception in the worker, or a
// thread that could not be started, comes back as the result's failure.
PendingDecision ThinkAside(SeatView view, DecideFunction decide = ExpertDecision,
                           StartThread start = StartDetachedThread);

}  // namespace vantel
