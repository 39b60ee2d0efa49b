#include "flow/shown_score.h"

namespace vantel {

void HoldScoreForBank(Game& g, const CardsTaken& taken) {
  g.score.we_on_bank = taken.we_score;
  g.score.they_on_bank = taken.they_score;
}

void ShowBankedScore(Game& g) {
  g.score.we = g.score.we_on_bank;
  g.score.they = g.score.they_on_bank;
}

void HoldFinalHandScore(Game& g) {
  g.score.we_on_bank = g.match.Of(Side::kWe).hand;
  g.score.they_on_bank = g.match.Of(Side::kThey).hand;
}

void ShowMatchScore(Game& g) {
  ShownScore& s = g.score;
  const MatchState& m = g.match;
  s.we_total = m.Of(Side::kWe).match_points;
  s.they_total = m.Of(Side::kThey).match_points;
  s.match_target = m.match_target;
  s.history = m.history;
  s.history_rows = m.history_rows;
  s.outcome = m.outcome;
}

void ShowNewDeal(Game& g) {
  HoldFinalHandScore(g);
  ShowBankedScore(g);
  ShowMatchScore(g);
}

const char* MatchResultText(MatchOutcome outcome) {
  switch (outcome) {
    case MatchOutcome::kWeWon: return "We Won!";
    case MatchOutcome::kWeLost: return "We lost!";
    case MatchOutcome::kTied:
    case MatchOutcome::kGoesOn: return "";
  }
  return "";
}

}  // namespace vantel
