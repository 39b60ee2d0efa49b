#include "flow/match_sync.h"

#include <cassert>

#include "game/match_rules.h"

namespace vantel {

namespace {

void Make(Game& g, int seat, const Play& play) {
  // The flow has checked the play already; a refusal here means the two
  // disagree about the rules, which the tests hold them to never do.
  [[maybe_unused]] const PlayResult result = ApplyPlay(g.match, seat, play);
  assert(result.Ok());
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
  [[maybe_unused]] const bool reordered = ReorderHand(g.match, kHumanSeat, order);
  assert(reordered);
}

}  // namespace vantel
