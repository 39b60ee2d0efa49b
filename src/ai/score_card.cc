#include "ai/ai.h"
#include "ai/key_cards.h"

namespace vantel {

namespace {

// Cards taken, an untakeable table left behind and every bonus, with the
// cups taken as the tie-breaker (the suit of the Napula).
float OptionScore(const TableKnowledge& known, const CaptureOption& option) {
  float score = 4.0f * static_cast<float>(option.take.count);
  if (option.safe_table) score += 50.0f;
  score += 20.0f * static_cast<float>(option.bonus);
  for (int16_t p : option.take.Span()) {
    if (SuitOf(known.table[p]) == Suit::kCups) score += 1.0f;
  }
  return score;
}

// Plentiful values and courts are cheap to give away; key cards, cups and the
// companions of a key card still out in play are kept.
double LayDownScore(const TableKnowledge& known, int16_t card, const CardOptions& c) {
  double score = 0;
  score -= c.is_key;
  if (CardOf(card).computer_key) score -= 10;
  score += 4.0 * c.value_count;
  if (c.value > kJackValue) score += 1;  // queens and kings
  if (c.value == 10 && !known.gone[kTenOfCoins]) score -= 5;
  if (c.value == 2 && !known.gone[kTwoOfCups]) score -= 5;
  if (c.value == kJackValue && !known.gone[kJackOfSwords]) score -= 5;
  if (SuitOf(card) == Suit::kCups) score -= 1;
  return score;
}

}  // namespace

void ScoreCard(const TableKnowledge& known, int16_t card, CardOptions& out) {
  for (int o = 0; o < out.option_count; ++o)
    out.options[o].score = OptionScore(known, out.options[o]);
  out.lay_down_score = LayDownScore(known, card, out);
  for (int o = 0; o < out.option_count; ++o) {
    CaptureOption& option = out.options[o];
    const float tenfold = 10.0f * option.score;
    // The lay-down's fraction is worked out in double and rounded once, when
    // it is stored back into the single-precision score.
    option.score =
        option.take.count != 0
            ? tenfold
            : static_cast<float>(out.lay_down_score / 100.0 + static_cast<double>(tenfold));
  }
}

}  // namespace vantel
