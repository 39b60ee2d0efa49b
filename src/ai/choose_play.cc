#include <algorithm>
#include <array>

#include "ai/ai.h"

namespace vantel {

void EvaluateHand(const Game& g, std::span<const int16_t> hand, std::span<CardOptions> out) {
  const size_t count = std::min(hand.size(), out.size());
  for (size_t d = 0; d < count; ++d) {
    EvaluateCard(g, hand, static_cast<int>(d), out[d]);
    ScoreCard(g, hand[d], out[d]);
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

int16_t ChooseBestPlay(const Game& g, std::span<const int16_t> hand, CaptureState& hand_over) {
  hand_over.capture_count = 0;
  hand = hand.first(std::min<size_t>(hand.size(), kMaxHandCards));
  std::array<CardOptions, kMaxHandCards> cards;
  const std::span<CardOptions> evaluated(cards.data(), hand.size());
  EvaluateHand(g, hand, evaluated);

  const float best = BestScore(evaluated);
  for (size_t d = 0; d < evaluated.size(); ++d) {
    const CardOptions& c = evaluated[d];
    for (int o = 0; o < c.option_count; ++o) {
      if (c.options[o].score != best) continue;
      hand_over.capture_idx = c.options[o].take_idx;
      hand_over.capture_count = c.options[o].take_count;
      return static_cast<int16_t>(d);
    }
  }
  return -1;
}

int16_t ChooseComputerPlay(Game& g, int seat) {
  if (seat < 0 || seat >= kSeats) {
    g.capture.capture_count = 0;
    return -1;
  }
  const int count = std::clamp<int>(g.model.hand_id_count[seat], 0, kMaxHandCards);
  const std::span<const int16_t> hand(g.model.hand_ids[seat].data(), count);
  return ChooseBestPlay(g, hand, g.capture);
}

}  // namespace vantel
