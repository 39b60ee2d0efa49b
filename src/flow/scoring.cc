#include "flow/scoring.h"

#include <array>

namespace vantel {

namespace {

// The cards of a side's taken list, by name.
struct TakenList {
  const std::array<int16_t, kTakenRecords>& ids;
  int16_t count;
};

TakenList TakenOf(const Game& g, Side side) {
  return side == Side::kWe ? TakenList{g.model.we_taken, g.model.we_taken_count}
                           : TakenList{g.model.they_taken, g.model.they_taken_count};
}

void CountTakenCards(const Game& g, Side side, SideScore& s) {
  const TakenList taken = TakenOf(g, side);
  for (int i = 0; i < taken.count; ++i) {
    const Card& card = CardOf(taken.ids[i]);
    if (card.scored_key == ScoredKey::kTenOfCoins) s.has_ten_of_coins = 1;
    if (card.scored_key == ScoredKey::kTwoOfBatons) s.has_two_of_batons = 1;
    if (card.scored_key == ScoredKey::kJackOfSwords) s.has_jack_of_swords = 1;
    if (card.suit == Suit::kBatons) s.batons_count += 1;
  }
}

void CountFlags(const SideFlags& f, SideScore& s) {
  if (f.picada) s.picada_count += 1;
  if (f.quadriglia) s.quadriglia_count += 1;
  if (f.scua) s.scua_count += 1;
  if (f.simili) s.simili_count += 1;
}

bool IsCupOfValue(int16_t id, int value) {
  const Card& card = CardOf(id);
  return card.suit == Suit::kCups && card.value == value;
}

bool HoldsCup(const TakenList& taken, int value) {
  for (int i = 0; i < taken.count; ++i) {
    if (IsCupOfValue(taken.ids[i], value)) return true;
  }
  return false;
}

// The highest card of cups in unbroken sequence from the ace, or 0 without the
// ace, two and three. Each pass may extend the run by several cards, so the
// passes stop once one of them finds nothing new.
int16_t EvaluateNapula(const Game& g, Side side) {
  constexpr int16_t kNapulaStart = 3;  // ace, two and three of cups
  const TakenList taken = TakenOf(g, side);
  for (int value = kLowestValue; value <= kNapulaStart; ++value) {
    if (!HoldsCup(taken, value)) return 0;
  }
  int16_t s = kNapulaStart;
  bool changed = true;
  while (changed && s < kHighestValue) {
    changed = false;
    for (int i = 0; i < taken.count && s < kHighestValue; ++i) {
      if (IsCupOfValue(taken.ids[i], s + 1)) {
        s += 1;
        changed = true;
      }
    }
  }
  return s;
}

void ResetRecomputed(SideScore& s) {
  s.hand_points = 0;
  s.batons_point = 0;
  s.batons_count = 0;
  s.cards_point = 0;
  s.has_two_of_batons = 0;
  s.has_ten_of_coins = 0;
  s.has_jack_of_swords = 0;
}

int16_t SumHandPoints(const SideScore& s) {
  return static_cast<int16_t>(s.cards_point + s.batons_point + s.has_jack_of_swords +
                              s.has_two_of_batons + s.picada_count + s.napula + s.quadriglia_count +
                              s.scua_count + s.simili_count + s.has_ten_of_coins);
}

void AwardMajority(int16_t we, int16_t they, int16_t& we_point, int16_t& they_point) {
  if (we > they) we_point = 1;
  if (we < they) they_point = 1;
}

void AppendHistoryRow(Scores& s) {
  if (s.history_rows == 2) {
    s.history_we[0] = s.we_match_points;
    s.history_they[0] = s.they_match_points;
    s.history_rows = 1;
  }
  s.history_we[s.history_rows] = s.we.hand_points;
  s.history_they[s.history_rows] = s.they.hand_points;
  s.history_rows += 1;
}

}  // namespace

void RecomputeHandScore(Game& g) {
  Scores& sc = g.score;
  ResetRecomputed(sc.we);
  ResetRecomputed(sc.they);
  CountTakenCards(g, Side::kWe, sc.we);
  CountTakenCards(g, Side::kThey, sc.they);
  AwardMajority(sc.we.batons_count, sc.they.batons_count, sc.we.batons_point, sc.they.batons_point);
  CountFlags(g.capture.we, sc.we);
  CountFlags(g.capture.they, sc.they);
  AwardMajority(g.model.we_taken_count, g.model.they_taken_count, sc.we.cards_point,
                sc.they.cards_point);

  // Once a side has the Napula it is settled for the hand: a later card of cups
  // does not raise it.
  if (sc.we.napula == 0 && sc.they.napula == 0) {
    sc.we.napula = EvaluateNapula(g, Side::kWe);
    if (sc.we.napula == 0) sc.they.napula = EvaluateNapula(g, Side::kThey);
  }
  sc.we.hand_points = SumHandPoints(sc.we);
  sc.they.hand_points = SumHandPoints(sc.they);
}

MatchOutcome ScoreEndOfHand(Game& g) {
  Scores& s = g.score;
  AppendHistoryRow(s);
  s.we_match_points = static_cast<int16_t>(s.we_match_points + s.we.hand_points);
  s.they_match_points = static_cast<int16_t>(s.they_match_points + s.they.hand_points);

  s.match_result_text.clear();
  const int16_t w = s.we_match_points;
  const int16_t t = s.they_match_points;
  if (w > s.match_target && w > t) {
    s.match_result_text = "We Won!";
    s.match_over = true;
    return MatchOutcome::kWeWon;
  }
  if (t > s.match_target && w < t) {
    s.match_result_text = "We lost!";
    s.match_over = true;
    return MatchOutcome::kWeLost;
  }
  if (t > s.match_target && w == t) {
    s.match_tied = true;
    return MatchOutcome::kTied;
  }
  return MatchOutcome::kGoesOn;
}

}  // namespace vantel
