#include "flow/end_of_hand.h"

#include "flow/movement.h"
#include "flow/observer.h"
#include "game/scoring.h"

namespace vantel {

namespace {

void AppendToPile(Game& g, Side side, const CardSprite& t) {
  CardModel& m = g.model;
  auto& pile = side == Side::We ? m.WePile : m.TheyPile;
  int16_t& count = side == Side::We ? m.WePileCount : m.TheyPileCount;
  CardSprite& p = pile[count];
  p.Card = t.Card;
  p.X = t.X;
  p.Y = t.Y;
  p.FaceUp = t.FaceUp;
  p.Shown = true;
  count += 1;
}

// Appends the ids of the travelled cards to the side's taken list; returns
// where the list stood before.
int16_t AppendTaken(Game& g, Side side) {
  CardModel& m = g.model;
  auto& taken = side == Side::We ? m.WeTaken : m.TheyTaken;
  int16_t& count = side == Side::We ? m.WeTakenCount : m.TheyTakenCount;
  const int16_t first = count;
  for (int i = 0; i < m.TableIdCount; ++i) {
    if (i == m.TableCount - 1 || m.Table[i].Captured) {
      taken[count] = m.TableIds[i];
      count += 1;
    }
  }
  return first;
}

}  // namespace

Side SideOfState(FlowState state) {
  switch (state) {
    case FlowState::TheyGettingCardsGathering:
    case FlowState::TheyGettingSpecialGathering:
    case FlowState::TheyGettingCards:
    case FlowState::TheyGettingSpecial:
    case FlowState::TheirRemainders: return Side::They;
    default: return Side::We;
  }
}

void BankToPile(Game& g, Side side) {
  CardModel& m = g.model;
  for (int b = 0; b < m.TableCount; ++b) {
    if (b == m.TableCount - 1 || m.Table[b].Captured) AppendToPile(g, side, m.Table[b]);
  }
  const int16_t first = AppendTaken(g, side);
  Notify(g, [&](GameObserver& o) { o.OnBank(g, side, first, -1); });
}

void BankSpecialCapture(Game& g, Side side) {
  CardModel& m = g.model;
  const int marker = g.flow.MarkerIndex;
  FanEntry& fan = (side == Side::We ? m.WeFan : m.TheyFan)[FanIndex(g, side)];
  fan.Shown = true;
  fan.Card = m.Table[marker].Card;
  fan.RestX = m.Table[marker].X;
  fan.RestY = m.Table[marker].Y;
  // The count stops at the number of places; further markers share the last.
  int16_t& fanCount = side == Side::We ? m.WeFanCount : m.TheyFanCount;
  if (fanCount < kFanPlaces) fanCount += 1;

  for (int c = 1; c < m.TableCount; ++c) {
    if (m.Table[c].Captured && c != marker) AppendToPile(g, side, m.Table[c]);
  }
  const int16_t first = AppendTaken(g, side);
  Notify(g, [&](GameObserver& o) { o.OnBank(g, side, first, fan.Card); });
}

void CompactTable(Game& g) {
  CardModel& m = g.model;
  for (TableSlotEntry& place : m.TableSlot) place.Used = false;
  int kept = 0;
  const int last = m.TableCount - 1;
  for (int i = 0; i <= last; ++i) {
    CardSprite& t = m.Table[i];
    if (i == last || t.Captured) {
      t.Captured = false;
      continue;
    }
    if (kept != i) m.Table[kept] = t;
    m.TableSlot[m.Table[kept].Slot].Used = true;
    m.TableIds[kept] = m.Table[kept].Card;
    ++kept;
  }
  m.TableCount = static_cast<int16_t>(kept);
  m.TableIdCount = static_cast<int16_t>(kept);
  RecomputeHandScore(g);
  Notify(g, [&](GameObserver& o) { o.OnScore(g); });
}

void MarkAllCaptured(Game& g) {
  for (int i = 0; i < g.model.TableCount; ++i) g.model.Table[i].Captured = true;
}

SoundId SoundOfOutcome(MatchOutcome outcome) {
  switch (outcome) {
    case MatchOutcome::kWeWon: return SoundId::WinGame;
    case MatchOutcome::kWeLost: return SoundId::LoseGame;
    case MatchOutcome::kTied:
    case MatchOutcome::kGoesOn: return SoundId::Intro;
  }
  return SoundId::Intro;
}

void FinishHand(Game& g, Side side) {
  StopTableCards(g);
  // The last play's special captures were counted when its capture was
  // compacted; clearing them here keeps the final recomputation from counting
  // them a second time.
  g.capture.We = SideFlags{};
  g.capture.They = SideFlags{};
  BankToPile(g, side);
  CompactTable(g);
  g.flow.State = FlowState::EndOfMatch;
  g.sound.Play(SoundOfOutcome(ScoreEndOfHand(g)));
  Notify(g, [&](GameObserver& o) { o.OnHandEnd(g); });
}

}  // namespace vantel
