#include "ai/ai.h"
#include "ai/key_cards.h"

namespace vantel {

namespace {

// Cards taken, an untakeable table left behind and every bonus, with the
// clubs taken as the tie-breaker.
float OptionScore(const Game& g, const CaptureOption& option) {
  float score = 4.0f * static_cast<float>(option.TakeCount);
  if (option.SafeTable) score += 50.0f;
  score += 20.0f * static_cast<float>(option.Bonus);
  for (int t = 0; t < option.TakeCount; ++t) {
    const int16_t id = g.model.Table[option.TakeIdx[t]].Card;
    if (SuitOf(id) == SuitCode::kC) score += 1.0f;
  }
  return score;
}

// Plentiful values and courts are cheap to give away; key cards, clubs and the
// companions of a key card still out in play are kept.
double LayDownScore(const Game& g, int16_t card, const CardOptions& c) {
  double score = 0;
  score -= c.IsKey;
  if (CardOf(card).computer_key) score -= 10;
  score += 4.0 * c.ValueCount;
  if (c.Value > 11) score += 1;
  if (c.Value == 10 && !CardAccountedFor(g, kTenOfD)) score -= 5;
  if (c.Value == 2 && !CardAccountedFor(g, kTwoOfC)) score -= 5;
  if (c.Value == 11 && !CardAccountedFor(g, kJackOfH)) score -= 5;
  if (SuitOf(card) == SuitCode::kC) score -= 1;
  return score;
}

}  // namespace

void ScoreCard(const Game& g, int16_t card, CardOptions& out) {
  for (int o = 0; o < out.OptionCount; ++o) out.Options[o].Score = OptionScore(g, out.Options[o]);
  out.LayDownScore = LayDownScore(g, card, out);
  for (int o = 0; o < out.OptionCount; ++o) {
    CaptureOption& option = out.Options[o];
    const float tenfold = 10.0f * option.Score;
    // The lay-down's fraction is worked out in double and rounded once, when
    // it is stored back into the single-precision score.
    option.Score =
        option.TakeCount != 0
            ? tenfold
            : static_cast<float>(out.LayDownScore / 100.0 + static_cast<double>(tenfold));
  }
}

}  // namespace vantel
