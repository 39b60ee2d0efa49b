#include "flow/movement.h"

#include <cmath>
#include <utility>

#include "flow/flow.h"
#include "game/table.h"

namespace vantel {

namespace {

int16_t SignOf(float d) {
  if (d > 0) return 1;
  if (d < 0) return -1;
  return 0;
}

// A step without the arrival test, for group members.
void Advance(CardSprite& card) {
  if (!card.Moving) return;
  card.X += static_cast<float>(card.DirX) * card.StepX;
  card.Y += static_cast<float>(card.DirY) * card.StepY;
}

bool AnyMoving(const CardSprite* first, int count) {
  for (int i = 0; i < count; ++i) {
    if (first[i].Moving) return true;
  }
  return false;
}

float Scatter(Game& g, int16_t range) {
  return static_cast<float>(g.random.Draw(range));
}

}  // namespace

void StartMove(Game&, CardSprite& card, float x, float y, int steps) {
  card.Moving = true;
  card.TargetX = x;
  card.TargetY = y;
  card.DirX = SignOf(card.TargetX - card.X);
  card.DirY = SignOf(card.TargetY - card.Y);
  card.StepX = std::fabs(card.TargetX - card.X) / static_cast<float>(steps);
  card.StepY = std::fabs(card.TargetY - card.Y) / static_cast<float>(steps);
}

bool HasArrived(const Game& g, const CardSprite& card) {
  return std::fabs(card.X - card.TargetX) <= g.layout.ArriveToleranceX &&
         std::fabs(card.Y - card.TargetY) <= g.layout.ArriveToleranceY;
}

void MoveCard(Game& g, CardSprite& card) {
  if (!card.Moving) return;
  Advance(card);
  CardArrived(g, card);
}

bool AnyCardMoving(const Game& g) {
  const CardModel& m = g.model;
  for (const auto& hand : m.Hand) {
    if (AnyMoving(hand.data(), 12)) return true;
  }
  return AnyMoving(m.Deck.data(), 52) || AnyMoving(m.Table.data(), m.TableCount);
}

void MoveGatheringCards(Game& g) {
  CardModel& m = g.model;
  for (int i = 0; i <= m.TableCount - 2; ++i) Advance(m.Table[i]);
  for (int i = 0; i <= m.TableCount - 2; ++i) {
    if (m.Table[i].Moving) {
      CardArrived(g, m.Table[i]);
      return;
    }
  }
}

void MoveTableCards(Game& g) {
  CardModel& m = g.model;
  for (int i = 0; i < m.TableCount; ++i) Advance(m.Table[i]);
  if (m.TableCount > 0 && m.Table[m.TableCount - 1].Moving) {
    CardArrived(g, m.Table[m.TableCount - 1]);
  }
}

void MoveHandCards(Game& g) {
  auto& hand = g.model.Hand[0];
  for (int i = 1; i < kHandRecords; ++i) Advance(hand[i]);
  for (int i = 12; i >= 1; --i) {
    if (hand[i].Moving) {
      CardArrived(g, hand[i]);
      return;
    }
  }
}

void StopTableCards(Game& g) {
  CardModel& m = g.model;
  for (int i = 0; i <= m.TableCount - 2; ++i) m.Table[i].Moving = false;
}

void StopHandCards(Game& g) {
  for (int i = 1; i < kHandRecords; ++i) g.model.Hand[0][i].Moving = false;
}

void PlayToTable(Game& g, CardSprite& card) {
  if (AnyCardMoving(g)) return;
  PlayCardFlipSound(g.random, g.sound);
  const int16_t s = FirstFreeSlot(g);
  TableSlotEntry& place = g.model.TableSlot[s];
  const float x = place.X + Scatter(g, g.layout.PlayScatterX);
  const float y = place.Y + Scatter(g, g.layout.PlayScatterY);
  StartMove(g, card, x, y, g.layout.ShortMoveSteps);
  card.Slot = s;
  place.Used = true;
}

void GatherCaptured(Game& g) {
  if (AnyCardMoving(g)) return;
  PlayCardFlipSound(g.random, g.sound);
  CardModel& m = g.model;
  const CardSprite& played = m.Table[m.TableCount - 1];
  for (int i = 0; i <= m.TableCount - 2; ++i) {
    CardSprite& t = m.Table[i];
    if (!t.Captured) continue;
    t.Picked = false;
    t.FaceUp = true;
    const float x = played.X + Scatter(g, g.layout.GatherScatterX);
    const float y = played.Y + Scatter(g, g.layout.GatherScatterY);
    StartMove(g, t, x, y, g.layout.LongMoveSteps);
  }
}

void SendToPile(Game& g, float x, float y) {
  if (AnyCardMoving(g)) return;
  PlaySignSound(g.random, g.sound);
  CardModel& m = g.model;
  for (int i = 0; i < m.TableCount; ++i) {
    CardSprite& t = m.Table[i];
    if (!t.Captured && i != m.TableCount - 1) continue;
    t.FaceUp = false;
    const float tx = x + Scatter(g, g.layout.GatherScatterX);
    const float ty = y + Scatter(g, g.layout.GatherScatterY);
    StartMove(g, t, tx, ty, g.layout.LongMoveSteps);
    m.TableSlot[t.Slot].Used = false;
  }
}

int FanIndex(const Game& g, Side side) {
  const int16_t count = side == Side::We ? g.model.WeFanCount : g.model.TheyFanCount;
  return count < kFanPlaces - 1 ? count : kFanPlaces - 1;
}

void SendSpecialCaptureToFan(Game& g, Side side) {
  if (AnyCardMoving(g)) return;
  PlaySignSound(g.random, g.sound);
  CardModel& m = g.model;
  const int last = m.TableCount - 1;
  int marker = 0;
  while (marker < last && !m.Table[marker].Captured) ++marker;
  g.flow.MarkerIndex = static_cast<int16_t>(marker);
  std::swap(m.Table[marker], m.Table[last]);

  const FanEntry& fan = (side == Side::We ? m.WeFan : m.TheyFan)[FanIndex(g, side)];
  const float pileX = side == Side::We ? g.layout.WePileX : g.layout.TheyPileX;
  const float pileY = side == Side::We ? g.layout.WePileY : g.layout.TheyPileY;
  m.Table[marker].FaceUp = true;
  m.Table[marker].TargetX = fan.X;
  m.Table[marker].TargetY = fan.Y;
  m.Table[last].FaceUp = false;
  for (int i = 1; i <= last; ++i) {
    CardSprite& t = m.Table[i];
    if (!t.Captured || i == marker) continue;
    t.FaceUp = false;
    t.TargetX = pileX;
    t.TargetY = pileY;
  }
  for (int i = 0; i <= last; ++i) {
    CardSprite& t = m.Table[i];
    if (!t.Captured && i != marker) continue;
    StartMove(g, t, t.TargetX, t.TargetY, g.layout.LongMoveSteps);
    m.TableSlot[t.Slot].Used = false;
  }
}

}  // namespace vantel
