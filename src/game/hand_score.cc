#include "game/hand_score.h"

namespace vantel {

namespace {

// The Napula is made in cups; the suit majority is of batons.
constexpr Suit kNapulaSuit = Suit::kCups;
constexpr Suit kMajoritySuit = Suit::kBatons;
// The ace, two and three of cups start a Napula.
constexpr int16_t kNapulaStart = 3;

bool Holds(const PileCards& taken, Suit suit, int value) {
  for (int16_t id : taken) {
    if (SuitOf(id) == suit && ValueOf(id) == value) return true;
  }
  return false;
}

// The highest cup in unbroken run from the ace, or 0 without the ace, two and
// three.
int16_t NapulaOf(const PileCards& taken) {
  for (int value = kLowestValue; value <= kNapulaStart; ++value) {
    if (!Holds(taken, kNapulaSuit, value)) return 0;
  }
  int16_t run = kNapulaStart;
  while (run < kHighestValue && Holds(taken, kNapulaSuit, run + 1)) ++run;
  return run;
}

void CountTaken(const PileCards& taken, HandScore& s) {
  for (int16_t id : taken) {
    switch (CardOf(id).scored_key) {
      case ScoredKey::kTwoOfBatons: s.two_of_batons = 1; break;
      case ScoredKey::kTenOfCoins: s.ten_of_coins = 1; break;
      case ScoredKey::kJackOfSwords: s.jack_of_swords = 1; break;
      case ScoredKey::kNone: break;
    }
    if (SuitOf(id) == kMajoritySuit) s.batons += 1;
  }
}

void CountSpecials(const SpecialCaptures& f, HandScore& s) {
  s.picada = static_cast<int16_t>(s.picada + f.picada);
  s.quadriglia = static_cast<int16_t>(s.quadriglia + f.quadriglia);
  s.scua = static_cast<int16_t>(s.scua + f.scua);
  s.simili = static_cast<int16_t>(s.simili + f.simili);
}

// The values worked out from the taken cards start again from nothing; the
// running counts and the Napula stay.
void ClearWorkedOut(HandScore& s) {
  s.batons = 0;
  s.batons_point = 0;
  s.cards_point = 0;
  s.two_of_batons = 0;
  s.ten_of_coins = 0;
  s.jack_of_swords = 0;
  s.points = 0;
}

int16_t PointsOf(const HandScore& s) {
  return static_cast<int16_t>(s.cards_point + s.batons_point + s.jack_of_swords + s.two_of_batons +
                              s.picada + s.napula + s.quadriglia + s.scua + s.simili +
                              s.ten_of_coins);
}

void AwardMajority(int we, int they, int16_t& we_point, int16_t& they_point) {
  if (we > they) we_point = 1;
  if (we < they) they_point = 1;
}

}  // namespace

void RescoreHand(MatchState& state, const SpecialCaptures& we_specials,
                 const SpecialCaptures& they_specials) {
  SideState& we = state.Of(Side::kWe);
  SideState& they = state.Of(Side::kThey);
  ClearWorkedOut(we.hand);
  ClearWorkedOut(they.hand);
  CountTaken(we.taken, we.hand);
  CountTaken(they.taken, they.hand);
  AwardMajority(we.hand.batons, they.hand.batons, we.hand.batons_point, they.hand.batons_point);
  CountSpecials(we_specials, we.hand);
  CountSpecials(they_specials, they.hand);
  AwardMajority(we.taken.Size(), they.taken.Size(), we.hand.cards_point, they.hand.cards_point);
  // Once a side has the Napula it is settled for the hand: a later cup does
  // not lengthen it, and the other side cannot have one too.
  if (we.hand.napula == 0 && they.hand.napula == 0) {
    we.hand.napula = NapulaOf(we.taken);
    if (we.hand.napula == 0) they.hand.napula = NapulaOf(they.taken);
  }
  we.hand.points = PointsOf(we.hand);
  they.hand.points = PointsOf(they.hand);
}

MatchOutcome ScoreHandIntoMatch(MatchState& state) {
  SideState& we = state.Of(Side::kWe);
  SideState& they = state.Of(Side::kThey);
  if (state.history_rows == kHistoryRows) {
    state.history[0] = {we.match_points, they.match_points};
    state.history_rows = 1;
  }
  state.history[static_cast<size_t>(state.history_rows++)] = {we.hand.points, they.hand.points};
  we.match_points = static_cast<int16_t>(we.match_points + we.hand.points);
  they.match_points = static_cast<int16_t>(they.match_points + they.hand.points);

  const int16_t w = we.match_points;
  const int16_t t = they.match_points;
  MatchOutcome outcome = MatchOutcome::kGoesOn;
  if (w > state.match_target && w > t) {
    outcome = MatchOutcome::kWeWon;
  } else if (t > state.match_target && w < t) {
    outcome = MatchOutcome::kWeLost;
  } else if (t > state.match_target && w == t) {
    outcome = MatchOutcome::kTied;
  }
  state.outcome = outcome;
  return outcome;
}

}  // namespace vantel
