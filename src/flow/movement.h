#pragma once

#include "flow/game.h"

namespace vantel {

// Starts `card` towards (x, y) in `steps` equal steps: both axes take the same
// number of frames, so the card flies in a straight line.
void StartMove(Game& g, CardSprite& card, float x, float y, int steps);

// Whether a travelling card is within the arrival tolerances of its target.
bool HasArrived(const Game& g, const CardSprite& card);

// One step of one travelling card, then its arrival test (CardArrived).
void MoveCard(Game& g, CardSprite& card);

// True while any hand card, deck card or table card travels.
bool AnyCardMoving(const Game& g);

// Group movers: every travelling member steps, then exactly one member is
// tested for arrival (the group started together and arrives together).
void MoveGatheringCards(Game& g);  // table but the played card; tests the lowest travelling
void MoveTableCards(Game& g);      // the whole table; tests the played card
void MoveHandCards(Game& g);       // human's slots 1..12; tests the highest travelling

// End a group's flight where its members are.
void StopTableCards(Game& g);
void StopHandCards(Game& g);

// The move kinds of play. Each does nothing while a card travels.
void PlayToTable(Game& g, CardSprite& card);
void GatherCaptured(Game& g);
void SendToPile(Game& g, float x, float y);
void SendSpecialCaptureToFan(Game& g, Side side);

// The fan place the side's next marker goes to: past the last place further
// markers stack on it.
int FanIndex(const Game& g, Side side);

}  // namespace vantel
