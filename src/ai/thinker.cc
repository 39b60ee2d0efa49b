#include "ai/thinker.h"

#include <exception>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "ai/expert.h"

namespace vantel {

namespace {

// The worker's whole life. Nothing may leave it as an exception: on a thread
// of its own, one would end the program. Once it returns, the thread touches
// nothing but what it owns, so a program ending meanwhile is no danger.
void Think(DecisionSlot& slot, const SeatView& view, const DecideFunction& decide) {
  try {
    slot.Decided(decide(view, slot.StopToken()));
  } catch (const std::exception& e) {
    slot.Failed(e.what());
  } catch (...) {
    slot.Failed("an exception of unknown type");
  }
}

}  // namespace

SeatDecision ExpertDecision(const SeatView& view, const std::stop_token& stop) {
  return ChooseExpertPlay(view, {}, stop);
}

void StartDetachedThread(std::function<void()>&& job) {
  std::thread(std::move(job)).detach();
}

PendingDecision ThinkAside(SeatView view, DecideFunction decide, StartThread start) {
  auto slot = std::make_shared<DecisionSlot>();
  try {
    start([slot, view, decide = std::move(decide)] { Think(*slot, view, decide); });
  } catch (const std::exception& e) {
    slot->Failed(std::string("could not start a thread to think on: ") + e.what());
  }
  return PendingDecision(slot);
}

}  // namespace vantel
