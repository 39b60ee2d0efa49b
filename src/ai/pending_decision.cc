#include "ai/pending_decision.h"

#include <utility>

namespace vantel {

void DecisionSlot::Decided(const SeatDecision& d) {
  if (state_.load(std::memory_order_acquire) != kThinking) return;
  decision_ = d;
  Publish(StopRequested() ? kDropped : kDecided);
}

void DecisionSlot::Failed(std::string failure) {
  if (state_.load(std::memory_order_acquire) != kThinking) return;
  failure_ = std::move(failure);
  Publish(StopRequested() ? kDropped : kFailed);
}

void DecisionSlot::Publish(State state) {
  {
    // Under the lock, so that a waiter between its check and its sleep
    // cannot miss the news.
    const std::lock_guard lock(mutex_);
    state_.store(state, std::memory_order_release);
  }
  reported_.notify_all();
}

std::optional<ThinkingResult> DecisionSlot::Result() const {
  switch (state_.load(std::memory_order_acquire)) {
    case kDecided: return ThinkingResult{decision_, {}};
    case kFailed: return ThinkingResult{std::nullopt, failure_};
    default: return std::nullopt;
  }
}

bool DecisionSlot::WaitFor(std::chrono::milliseconds limit) const {
  std::unique_lock lock(mutex_);
  return reported_.wait_for(lock, limit, [this] { return Finished(); });
}

PendingDecision& PendingDecision::operator=(const PendingDecision& other) noexcept {
  if (this != &other) Cancel();
  return *this;
}

PendingDecision& PendingDecision::operator=(PendingDecision&& other) noexcept {
  if (this != &other) {
    Cancel();
    slot_ = std::move(other.slot_);
  }
  return *this;
}

void PendingDecision::Cancel() {
  if (slot_ == nullptr) return;
  slot_->RequestStop();
  slot_.reset();
}

std::optional<ThinkingResult> PendingDecision::TakeIfReady() {
  if (slot_ == nullptr || !slot_->Finished()) return std::nullopt;
  std::optional<ThinkingResult> result = slot_->Result();
  slot_.reset();
  return result;
}

bool PendingDecision::WaitFor(std::chrono::milliseconds limit) const {
  return slot_ != nullptr && slot_->WaitFor(limit);
}

}  // namespace vantel
