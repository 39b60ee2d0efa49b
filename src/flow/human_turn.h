#pragma once

#include <cstdint>

#include "flow/game.h"

namespace vantel {

// The short sound of a pick the table refuses.
inline constexpr SoundId kRefusedPickSound = SoundId::kSign1;

// The hand slot whose resting place strictly contains the point, highest slot
// first (the card drawn on top wins); -1 when none.
int16_t PickHandCard(const Game& g, int mouse_x, int mouse_y);

// The left button's pick of a card to play, when the human's turn allows it.
// Sets picked_hand_index; RunFrame starts the card later in the frame.
void TryPickHandCard(Game& g, int mouse_x, int mouse_y);

// Whether the human is to choose a card to play: normal play on the human's
// turn, no card picked yet. The flow only waits for the human on seat 0.
bool HumanToPlay(const Game& g);

// Whether the capture of the human's card is still being chosen.
bool CaptureChoicePending(const Game& g);

// Whether the human may pick a card to play now: also not paused, and nothing
// moving.
bool HumanMayPickHandCard(const Game& g);

// Plays the card of hand slot `slot` as a left click on it would; the click
// and the keys both come here.
void TryPlayHandSlot(Game& g, int16_t slot);

// The table card a left click at the point would add: the highest index below
// the played card that is shown, is not the played card and contains the point.
int16_t SelectableCardAt(const Game& g, int mouse_x, int mouse_y);

// Whether the played card (the last table entry) is under the point.
bool PlayedCardAt(const Game& g, int mouse_x, int mouse_y);

// The card a right click at the point would remove: the first shown entry
// under the point below the played card; -1 when none.
int16_t RemovableCardAt(const Game& g, int mouse_x, int mouse_y);

// Whether the human may choose the capture now.
bool SelectionOpen(const Game& g);

// With keep_clicks_in_flight: a left click on a table card while the person's
// card flies is kept (the card, not the place) and picked once the choice
// opens; a kept click the card cannot use is let go of with its turn.
void KeepClickInFlight(Game& g, bool left_down, int mouse_x, int mouse_y);

// Adds table card `index` to the capture, confirming it once the picked cards
// add up. A card that cannot be part of any capture with those already picked
// is refused with a sound (unless the table aids allow it). True when picked.
bool PickTableCard(Game& g, int16_t index);

// Takes table card `index` out of the capture being chosen.
void PutBackTableCard(Game& g, int16_t index);

// Takes nothing with the card just played.
void DeclineCapture(Game& g);

// Left button (0) adds a card, right button (1) removes one or, on the played
// card, declines. Confirms once the picked cards add up.
void SelectCapture(Game& g, int button, int mouse_x, int mouse_y);

// Key R: starts the re-ordering when the hand is still whole.
void TryReorderHand(Game& g);

// The two animated halves of the re-ordering.
void GatherHand(Game& g);
void SpreadHand(Game& g);

// Sorts the human's cards by value, highest first, then by suit code.
void SortHand(Game& g);

// Whether `state` is one in which the human chooses a capture.
bool IsHumanGatheringState(const Game& g);

}  // namespace vantel
