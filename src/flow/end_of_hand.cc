#include "flow/end_of_hand.h"

#include "flow/movement.h"
#include "flow/observer.h"
#include "flow/shown_score.h"
#include "flow/table.h"

namespace vantel {

namespace {

void AppendToPile(Game& g, Side side, const CardSprite& t) {
  CardModel& m = g.model;
  auto& pile = side == Side::kWe ? m.we_pile : m.they_pile;
  int16_t& count = side == Side::kWe ? m.we_pile_count : m.they_pile_count;
  CardSprite& p = pile[count];
  p.card = t.card;
  p.x = t.x;
  p.y = t.y;
  p.face_up = t.face_up;
  p.shown = true;
  count += 1;
}

// Appends the ids of the travelled cards to the side's taken list; returns
// where the list stood before.
int16_t AppendTaken(Game& g, Side side) {
  CardModel& m = g.model;
  auto& taken = side == Side::kWe ? m.we_taken : m.they_taken;
  int16_t& count = side == Side::kWe ? m.we_taken_count : m.they_taken_count;
  const int16_t first = count;
  for (int i = 0; i < m.table_id_count; ++i) {
    if (i == m.table_count - 1 || m.table[i].captured) {
      taken[count] = m.table_ids[i];
      count += 1;
    }
  }
  return first;
}

}  // namespace

Side SideOfState(FlowState state) {
  switch (state) {
    case FlowState::kTheyGettingCardsGathering:
    case FlowState::kTheyGettingSpecialGathering:
    case FlowState::kTheyGettingCards:
    case FlowState::kTheyGettingSpecial:
    case FlowState::kTheirRemainders: return Side::kThey;
    default: return Side::kWe;
  }
}

void BankToPile(Game& g, Side side) {
  CardModel& m = g.model;
  for (int b = 0; b < m.table_count; ++b) {
    if (b == m.table_count - 1 || m.table[b].captured) AppendToPile(g, side, m.table[b]);
  }
  const int16_t first = AppendTaken(g, side);
  Notify(g, [&](GameObserver& o) { o.OnBank(g, side, first, -1); });
}

void BankSpecialCapture(Game& g, Side side) {
  CardModel& m = g.model;
  const int marker = g.flow.marker_index;
  FanEntry& fan = (side == Side::kWe ? m.we_fan : m.they_fan)[FanIndex(g, side)];
  fan.shown = true;
  fan.card = m.table[marker].card;
  fan.rest_x = m.table[marker].x;
  fan.rest_y = m.table[marker].y;
  // The count stops at the number of places; further markers share the last.
  int16_t& fan_count = side == Side::kWe ? m.we_fan_count : m.they_fan_count;
  if (fan_count < kFanPlaces) fan_count += 1;

  for (int c = 1; c < m.table_count; ++c) {
    if (m.table[c].captured && c != marker) AppendToPile(g, side, m.table[c]);
  }
  const int16_t first = AppendTaken(g, side);
  Notify(g, [&](GameObserver& o) { o.OnBank(g, side, first, fan.card); });
}

void CompactTable(Game& g) {
  DropBankedCards(g);
  Notify(g, [&](GameObserver& o) { o.OnScore(g); });
}

SoundId SoundOfOutcome(MatchOutcome outcome) {
  switch (outcome) {
    case MatchOutcome::kWeWon: return SoundId::kWinGame;
    case MatchOutcome::kWeLost: return SoundId::kLoseGame;
    case MatchOutcome::kTied:
    case MatchOutcome::kGoesOn: return SoundId::kIntro;
  }
  return SoundId::kIntro;
}

void FinishHand(Game& g, Side side) {
  StopTableCards(g);
  // The last play's special captures were shown with its capture; the
  // remainders earn none.
  g.capture.we = SideFlags{};
  g.capture.they = SideFlags{};
  BankToPile(g, side);
  HoldFinalHandScore(g);
  CompactTable(g);
  g.flow.state = FlowState::kEndOfMatch;
  g.aids.score_shown_tick = g.clock.GetTickCount();
  ShowMatchScore(g);
  g.sound.Play(SoundOfOutcome(g.score.outcome));
  Notify(g, [&](GameObserver& o) { o.OnHandEnd(g); });
}

}  // namespace vantel
