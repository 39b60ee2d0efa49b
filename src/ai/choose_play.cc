#include <algorithm>
#include <array>

#include "ai/ai.h"

namespace vantel {

void EvaluateHand(const TableKnowledge& known, std::span<const int16_t> hand,
                  std::span<CardOptions> out) {
  const size_t count = std::min(hand.size(), out.size());
  for (size_t d = 0; d < count; ++d) {
    EvaluateCard(known, hand, static_cast<int>(d), out[d]);
    ScoreCard(known, hand[d], out[d]);
  }
}

namespace {

float BestScore(std::span<const CardOptions> cards) {
  float best = -100.0f;
  for (const CardOptions& c : cards) {
    for (int o = 0; o < c.option_count; ++o) best = std::max(best, c.options[o].score);
  }
  return best;
}

}  // namespace

SeatDecision ChooseBestPlay(const TableKnowledge& known, std::span<const int16_t> hand) {
  hand = hand.first(std::min<size_t>(hand.size(), kMaxHandCards));
  std::array<CardOptions, kMaxHandCards> cards;
  const std::span<CardOptions> evaluated(cards.data(), hand.size());
  EvaluateHand(known, hand, evaluated);

  const float best = BestScore(evaluated);
  for (size_t d = 0; d < evaluated.size(); ++d) {
    const CardOptions& c = evaluated[d];
    for (int o = 0; o < c.option_count; ++o) {
      if (c.options[o].score == best) return {static_cast<int16_t>(d), c.options[o].take};
    }
  }
  return {};
}

SeatDecision ChooseClassicPlay(const SeatView& view) {
  return ChooseBestPlay(KnowledgeOf(view), view.Hand().Span());
}

}  // namespace vantel
