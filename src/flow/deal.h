#pragma once

#include <cstdint>
#include <optional>

#include "flow/game.h"

namespace vantel {

// Resets the hand, shuffles, chooses the first seat and starts dealing.
void NewHand(Game& g);

// A press on the score page: the next hand, unless the page has only just
// opened in the game window (kScorePageSettleMs).
void NextHandPressed(Game& g);

// The match as it can be resumed later: the hand in play as it was dealt, or
// between hands the match as it stands; nothing once the match is decided or
// before its first deal.
std::optional<MatchState> MatchToKeep(const Game& g);

// Goes on with a kept match (see MatchToKeep): its hand in play is dealt
// again, the same cards to the same seats, or the next hand is dealt.
void ResumeMatch(Game& g, const MatchState& kept);

// Lets go of the hand the game was showing, wherever it stood: its cards'
// places and flights, the capture under way, the turn, the person's choice.
// The game then rests, as before a first deal, until a hand is started. For
// a game that follows a table anew after a lost connection, from that hand's
// deal. The score, the settings and the people at the table stay.
void ForgetShownHand(Game& g);

// Whether cards are being dealt (a pause between two of the deal's cards
// included).
bool DealInProgress(const Game& g);

// Puts the cards of the deal in progress in place at once: each card still
// flies its steps, only without frames between them, and the deal's pauses
// end early, so every card lands where it would have, chance drawn in the
// same order. The pause before the first play is kept.
void HurryDeal(Game& g);

// Fills Deck(0..51) with a permutation of the pack by rejection sampling: a
// drawn id already used is drawn again, so every position gets a card.
void ShuffleDeck(Game& g);

// Lays the undealt stock out from deck_position, at most eight cards.
void LayOutDeck(Game& g);

// The flow steps of the deal: one card to the seat now receiving, or one
// card to the table.
void DealOneCardToPlayer(Game& g);
void DealOneTableCard(Game& g);

// Starts `card` (a deck record) towards seat p's next hand place.
void DealToPlayer(Game& g, CardSprite& card, int p);
// Starts `card` towards the first free table place.
void DealToTable(Game& g, CardSprite& card);

// Landing handlers of a dealt card.
void LandPlayerCard(Game& g, CardSprite& card);
void LandTableCard(Game& g, CardSprite& card);

}  // namespace vantel
