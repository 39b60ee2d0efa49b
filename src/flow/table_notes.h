#pragma once

#include <string>

#include "flow/game.h"
#include "game/match_events.h"

namespace vantel {

// Marks `card` as the last one `seat` played.
void NotePlayedCard(Game& g, int seat, int16_t card);

// Notes the play whose events the rules just gave, for the plates by the
// seats' labels and the round view.
void NotePlayEvents(Game& g, const MatchEvents& events);

// The latest play of `seat` this hand, or nullptr.
const NotedPlay* LastPlayOf(const TableAids& aids, int seat);

// The play just before the one awaited: the previous player's; nullptr when
// the hand has had none.
const NotedPlay* PreviousPlay(const TableAids& aids);

// Whether the round view is asked for by the keys (the pointer is the
// drawing's to judge).
bool RoundViewKeyed(const TableAids& aids);

// Starts the announcement of the special captures `side` just made, if any.
void AnnounceSpecialCapture(Game& g, Side side);

// One frame passed: the announcement fades after its time.
void TickTableNotes(Game& g);

// Forgets the marks of the hand before (a new deal).
void ClearPlayedCards(Game& g);

// The words of an announcement: "Picada!", "Scua!  Simili!", ...; empty for none.
std::string AnnouncementText(uint8_t announced);

}  // namespace vantel
