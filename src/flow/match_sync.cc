#include "flow/match_sync.h"

#include <variant>

#include "flow/shown_score.h"
#include "flow/table_notes.h"
#include "game/match_rules.h"

namespace vantel {

namespace {

void Make(Game& g, int seat, const Play& play) {
  // The flow has checked the play already. Tests that lay cards by hand may
  // leave the rules state behind, where ApplyPlay refuses and changes
  // nothing; whole games are held to agree by the shadow test.
  const PlayResult result = ApplyPlay(g.match, seat, play);
  if (result.Ok() && seat == PersonSeat(g) && g.seats.At(seat) == nullptr) {
    g.flow.person_play = play;
  }
  NotePlayEvents(g, result.events);
  for (const MatchEvent& event : result.events) {
    if (const auto* taken = std::get_if<CardsTaken>(&event)) HoldScoreForBank(g, *taken);
  }
}

}  // namespace

void DealMatchHand(Game& g) {
  DeckOrder deck{};
  for (int i = 0; i < kCardCount; ++i) deck[static_cast<size_t>(i)] = g.deal.shuffle_order[i];
  DealHand(g.match, deck, g.flow.turn);
}

void MatchLayDown(Game& g, int seat, int16_t card) {
  Make(g, seat, Play{card, {}});
}

void MatchTake(Game& g, int seat, int16_t card, std::span<const int16_t> table_indices) {
  Play play{card, {}};
  for (int16_t index : table_indices) play.take.PushBack(g.model.table[index].card);
  Make(g, seat, play);
}

void MatchReorderHand(Game& g, std::span<const int16_t> order) {
  ReorderHand(g.match, PersonSeat(g), order);
}

}  // namespace vantel
