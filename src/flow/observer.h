#pragma once

#include <cstdint>
#include <span>

#include "flow/game.h"

namespace vantel {

// Sees what the flow does, as it does it. Every method is a no-op by default;
// the simulator's trace overrides them. Observers read the game, never change it.
class GameObserver {
 public:
  virtual ~GameObserver() = default;
  // A hand is set up: shuffled, first seat chosen.
  virtual void OnHandStart(const Game&) {}
  // A deal has ended and play starts.
  virtual void OnDealt(const Game&) {}
  // A seat chose its card: `choice` is its position in hand_ids(seat), `capture`
  // the table indices it means to take (empty for the human, who picks later).
  virtual void OnTurn(const Game&, int /*seat*/, int16_t /*choice*/,
                      std::span<const int16_t> /*capture*/) {}
  // A played card landed and was judged.
  virtual void OnLand(const Game&, int /*seat*/, int16_t /*card*/) {}
  // The human's selection was confirmed or declined.
  virtual void OnSelect(const Game&, bool /*declined*/) {}
  // ApplyHumanCapture ran and returned `special`.
  virtual void OnApply(const Game&, bool /*special*/) {}
  // Cards were banked: the side's taken list grew from `first_taken`; `marker`
  // is the card laid in the fan, or -1.
  virtual void OnBank(const Game&, Side /*side*/, int16_t /*firstTaken*/, int16_t /*marker*/) {}
  // The hand score was recomputed.
  virtual void OnScore(const Game&) {}
  // The human's hand was sorted.
  virtual void OnReorder(const Game&, std::span<const int16_t> /*before*/,
                         std::span<const int16_t> /*after*/) {}
  // The hand was scored and added to the match.
  virtual void OnHandEnd(const Game&) {}
};

// Calls `f` with the game's observer, if it has one.
template <class F>
void Notify(const Game& g, F&& f) {
  if (g.observer != nullptr) f(*g.observer);
}

}  // namespace vantel
