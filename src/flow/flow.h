#pragma once

#include <cstdint>

#include "flow/game.h"

namespace vantel {

// One step of the hand's state machine, once per frame: moves what travels,
// or dispatches the next card or group when nothing does.
void StepFlow(Game& g);

// Lets go of every decision being worked out on a worker (a seat's, the
// hint): their answers are dropped, and nothing waits for the workers.
void StopThinking(Game& g);

// Books a travelling card's arrival; does nothing while it is still on its way.
void CardArrived(Game& g, CardSprite& card);

// Holds the flow still for `milliseconds` of the tick clock.
void StartTimedWait(Game& g, uint32_t milliseconds);

// After every complete play: the second deal once the first deal's cards are
// played (6-card hands), the remainders once every seat's cards are.
void CheckMilestones(Game& g);

// How long the flow waits after a played card lands and after each table card
// of the deal.
inline constexpr uint32_t kPlayWaitMs = 1000;
inline constexpr uint32_t kDealWaitMs = 400;
// How much longer an unhurried computer seat's card waits before it moves.
inline constexpr uint32_t kUnhurriedWaitMs = 1500;
// The game window keeps a hand's score page up this long whatever is
// pressed, so a press meant for the hand's last card does not skip it unseen.
inline constexpr uint32_t kScorePageSettleMs = 1000;

}  // namespace vantel
