#include "flow/match_sync.h"

#include <string>
#include <variant>

#include "flow/shown_score.h"
#include "flow/table_notes.h"
#include "game/fatal_error.h"
#include "game/match_rules.h"

namespace vantel {

namespace {

constexpr const char* kMatchPlayRoutine = "MatchPlay";
constexpr long kErrorPlayRefused = 1;

void Make(Game& g, int seat, const Play& play) {
  // The flow has checked the play already, so a refusal means the cards on
  // the table and the match no longer agree: going on would show one game
  // and score another.
  const PlayResult result = ApplyPlay(g.match, seat, play);
  if (!result.Ok()) {
    throw FatalError(kMatchPlayRoutine, kErrorPlayRefused,
                     "the rules refuse the play of seat " + std::to_string(seat) + " (" +
                         std::string(PlayErrorName(result.error)) + ")");
  }
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
