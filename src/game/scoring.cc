#include "game/scoring.h"

#include <array>

namespace vantel {

namespace {

// The cards of a side's taken list, by name.
struct TakenList {
  const std::array<int16_t, kTakenRecords>& ids;
  int16_t count;
};

TakenList TakenOf(const Game& g, Side side) {
  return side == Side::We ? TakenList{g.model.WeTaken, g.model.WeTakenCount}
                          : TakenList{g.model.TheyTaken, g.model.TheyTakenCount};
}

void CountTakenCards(const Game& g, Side side, SideScore& s) {
  const TakenList taken = TakenOf(g, side);
  for (int i = 0; i < taken.count; ++i) {
    const Card& card = CardOf(taken.ids[i]);
    if (card.scored_key == ScoredKey::kTenOfD) s.HasTenD = 1;
    if (card.scored_key == ScoredKey::kTwoOfS) s.HasTwoS = 1;
    if (card.scored_key == ScoredKey::kJackOfH) s.HasJackH = 1;
    if (card.suit == SuitCode::kS) s.SuitSCount += 1;
  }
}

void CountFlags(const SideFlags& f, SideScore& s) {
  if (f.Picada) s.PicadaCount += 1;
  if (f.Quadriglia) s.QuadrigliaCount += 1;
  if (f.Scua) s.ScuaCount += 1;
  if (f.Simili) s.SimiliCount += 1;
}

bool IsClubOfValue(int16_t id, int value) {
  const Card& card = CardOf(id);
  return card.suit == SuitCode::kC && card.value == value;
}

bool HoldsClub(const TakenList& taken, int value) {
  for (int i = 0; i < taken.count; ++i) {
    if (IsClubOfValue(taken.ids[i], value)) return true;
  }
  return false;
}

// The highest card of C in unbroken sequence from the ace, or 0 without the
// ace, two and three. Each pass may extend the run by several cards, so the
// passes stop once one of them finds nothing new.
int16_t EvaluateNapula(const Game& g, Side side) {
  constexpr int16_t kNapulaStart = 3;  // ace, two and three of C
  const TakenList taken = TakenOf(g, side);
  for (int value = kLowestValue; value <= kNapulaStart; ++value) {
    if (!HoldsClub(taken, value)) return 0;
  }
  int16_t s = kNapulaStart;
  bool changed = true;
  while (changed && s < kHighestValue) {
    changed = false;
    for (int i = 0; i < taken.count && s < kHighestValue; ++i) {
      if (IsClubOfValue(taken.ids[i], s + 1)) {
        s += 1;
        changed = true;
      }
    }
  }
  return s;
}

void ResetRecomputed(SideScore& s) {
  s.HandPoints = 0;
  s.SuitSPoint = 0;
  s.SuitSCount = 0;
  s.CardsPoint = 0;
  s.HasTwoS = 0;
  s.HasTenD = 0;
  s.HasJackH = 0;
}

int16_t SumHandPoints(const SideScore& s) {
  return static_cast<int16_t>(s.CardsPoint + s.SuitSPoint + s.HasJackH + s.HasTwoS + s.PicadaCount +
                              s.Napula + s.QuadrigliaCount + s.ScuaCount + s.SimiliCount +
                              s.HasTenD);
}

void AwardMajority(int16_t we, int16_t they, int16_t& wePoint, int16_t& theyPoint) {
  if (we > they) wePoint = 1;
  if (we < they) theyPoint = 1;
}

void AppendHistoryRow(Scores& s) {
  if (s.HistoryRows == 2) {
    s.HistoryWe[0] = s.WeMatchPoints;
    s.HistoryThey[0] = s.TheyMatchPoints;
    s.HistoryRows = 1;
  }
  s.HistoryWe[s.HistoryRows] = s.We.HandPoints;
  s.HistoryThey[s.HistoryRows] = s.They.HandPoints;
  s.HistoryRows += 1;
}

}  // namespace

void RecomputeHandScore(Game& g) {
  Scores& sc = g.score;
  ResetRecomputed(sc.We);
  ResetRecomputed(sc.They);
  CountTakenCards(g, Side::We, sc.We);
  CountTakenCards(g, Side::They, sc.They);
  AwardMajority(sc.We.SuitSCount, sc.They.SuitSCount, sc.We.SuitSPoint, sc.They.SuitSPoint);
  CountFlags(g.capture.We, sc.We);
  CountFlags(g.capture.They, sc.They);
  AwardMajority(g.model.WeTakenCount, g.model.TheyTakenCount, sc.We.CardsPoint, sc.They.CardsPoint);

  // Once a side has the Napula it is settled for the hand: a later card of C
  // does not raise it.
  if (sc.We.Napula == 0 && sc.They.Napula == 0) {
    sc.We.Napula = EvaluateNapula(g, Side::We);
    if (sc.We.Napula == 0) sc.They.Napula = EvaluateNapula(g, Side::They);
  }
  sc.We.HandPoints = SumHandPoints(sc.We);
  sc.They.HandPoints = SumHandPoints(sc.They);
}

MatchOutcome ScoreEndOfHand(Game& g) {
  Scores& s = g.score;
  AppendHistoryRow(s);
  s.WeMatchPoints = static_cast<int16_t>(s.WeMatchPoints + s.We.HandPoints);
  s.TheyMatchPoints = static_cast<int16_t>(s.TheyMatchPoints + s.They.HandPoints);

  s.MatchResultText.clear();
  const int16_t w = s.WeMatchPoints;
  const int16_t t = s.TheyMatchPoints;
  if (w > s.MatchTarget && w > t) {
    s.MatchResultText = "We Won!";
    s.MatchOver = true;
    return MatchOutcome::kWeWon;
  }
  if (t > s.MatchTarget && w < t) {
    s.MatchResultText = "We lost!";
    s.MatchOver = true;
    return MatchOutcome::kWeLost;
  }
  if (t > s.MatchTarget && w == t) {
    s.MatchTied = true;
    return MatchOutcome::kTied;
  }
  return MatchOutcome::kGoesOn;
}

}  // namespace vantel
