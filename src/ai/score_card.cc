#include "ai/ai.h"
#include "ai/key_cards.h"

namespace vantel {

namespace {

// Cards taken, an untakeable table left behind and every bonus, with the
// cups taken as the tie-breaker.
float OptionScore(const Game& g, const CaptureOption& option) {
  float score = 4.0f * static_cast<float>(option.take_count);
  if (option.safe_table) score += 50.0f;
  score += 20.0f * static_cast<float>(option.bonus);
  for (int t = 0; t < option.take_count; ++t) {
    const int16_t id = g.model.table[option.take_idx[t]].card;
    if (SuitOf(id) == Suit::kCups) score += 1.0f;
  }
  return score;
}

// Plentiful values and courts are cheap to give away; key cards, cups and the
// companions of a key card still out in play are kept.
double LayDownScore(const Game& g, int16_t card, const CardOptions& c) {
  double score = 0;
  score -= c.is_key;
  if (CardOf(card).computer_key) score -= 10;
  score += 4.0 * c.value_count;
  if (c.value > kJackValue) score += 1;  // queens and kings
  if (c.value == 10 && !CardAccountedFor(g, kTenOfCoins)) score -= 5;
  if (c.value == 2 && !CardAccountedFor(g, kTwoOfCups)) score -= 5;
  if (c.value == kJackValue && !CardAccountedFor(g, kJackOfSwords)) score -= 5;
  if (SuitOf(card) == Suit::kCups) score -= 1;
  return score;
}

}  // namespace

void ScoreCard(const Game& g, int16_t card, CardOptions& out) {
  for (int o = 0; o < out.option_count; ++o) out.options[o].score = OptionScore(g, out.options[o]);
  out.lay_down_score = LayDownScore(g, card, out);
  for (int o = 0; o < out.option_count; ++o) {
    CaptureOption& option = out.options[o];
    const float tenfold = 10.0f * option.score;
    // The lay-down's fraction is worked out in double and rounded once, when
    // it is stored back into the single-precision score.
    option.score =
        option.take_count != 0
            ? tenfold
            : static_cast<float>(out.lay_down_score / 100.0 + static_cast<double>(tenfold));
  }
}

}  // namespace vantel
