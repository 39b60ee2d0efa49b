#pragma once

#include <string>

#include "flow/game.h"

namespace vantel {

// Marks `card` as the last one `seat` played.
void NotePlayedCard(Game& g, int seat, int16_t card);

// Starts the announcement of the special captures `side` just made, if any.
void AnnounceSpecialCapture(Game& g, Side side);

// One frame passed: the announcement fades after its time.
void TickTableNotes(Game& g);

// Forgets the marks of the hand before (a new deal).
void ClearPlayedCards(Game& g);

// The words of an announcement: "Picada!", "Scua!  Simili!", ...; empty for none.
std::string AnnouncementText(uint8_t announced);

}  // namespace vantel
