#include "flow/movement.h"

#include <cmath>
#include <utility>

#include "flow/flow.h"
#include "flow/table.h"

namespace vantel {

namespace {

int16_t SignOf(float d) {
  if (d > 0) return 1;
  if (d < 0) return -1;
  return 0;
}

// A step without the arrival test, for group members.
void Advance(CardSprite& card) {
  if (!card.moving) return;
  card.x += static_cast<float>(card.dir_x) * card.step_x;
  card.y += static_cast<float>(card.dir_y) * card.step_y;
}

bool AnyMoving(const CardSprite* first, int count) {
  for (int i = 0; i < count; ++i) {
    if (first[i].moving) return true;
  }
  return false;
}

float Scatter(Game& g, int16_t range) {
  return static_cast<float>(g.chance.looks.Draw(range));
}

}  // namespace

void StartMove(Game&, CardSprite& card, float x, float y, int steps) {
  card.moving = true;
  card.target_x = x;
  card.target_y = y;
  card.dir_x = SignOf(card.target_x - card.x);
  card.dir_y = SignOf(card.target_y - card.y);
  card.step_x = std::fabs(card.target_x - card.x) / static_cast<float>(steps);
  card.step_y = std::fabs(card.target_y - card.y) / static_cast<float>(steps);
}

bool HasArrived(const Game& g, const CardSprite& card) {
  return std::fabs(card.x - card.target_x) <= g.layout.arrive_tolerance_x &&
         std::fabs(card.y - card.target_y) <= g.layout.arrive_tolerance_y;
}

void MoveCard(Game& g, CardSprite& card) {
  if (!card.moving) return;
  Advance(card);
  CardArrived(g, card);
}

bool AnyCardMoving(const Game& g) {
  const CardModel& m = g.model;
  for (const auto& hand : m.hand) {
    if (AnyMoving(hand.data(), 12)) return true;
  }
  return AnyMoving(m.deck.data(), kCardCount) || AnyMoving(m.table.data(), m.table_count);
}

void MoveGatheringCards(Game& g) {
  CardModel& m = g.model;
  for (int i = 0; i <= m.table_count - 2; ++i) Advance(m.table[i]);
  for (int i = 0; i <= m.table_count - 2; ++i) {
    if (m.table[i].moving) {
      CardArrived(g, m.table[i]);
      return;
    }
  }
}

void MoveTableCards(Game& g) {
  CardModel& m = g.model;
  for (int i = 0; i < m.table_count; ++i) Advance(m.table[i]);
  if (m.table_count > 0 && m.table[m.table_count - 1].moving) {
    CardArrived(g, m.table[m.table_count - 1]);
  }
}

void MoveHandCards(Game& g) {
  auto& hand = g.model.hand[PersonSeat(g)];
  for (int i = 1; i < kHandRecords; ++i) Advance(hand[i]);
  for (int i = kHandRecords - 1; i >= 1; --i) {
    if (hand[i].moving) {
      CardArrived(g, hand[i]);
      return;
    }
  }
}

void StopTableCards(Game& g) {
  CardModel& m = g.model;
  for (int i = 0; i <= m.table_count - 2; ++i) m.table[i].moving = false;
}

void StopHandCards(Game& g) {
  for (int i = 1; i < kHandRecords; ++i) g.model.hand[PersonSeat(g)][i].moving = false;
}

void PlayToTable(Game& g, CardSprite& card) {
  if (AnyCardMoving(g)) return;
  PlayCardFlipSound(g.chance.looks, g.sound);
  const int16_t s = FirstFreeSlot(g);
  TableSlotEntry& place = g.model.table_slot[s];
  const float x = place.x + Scatter(g, g.layout.play_scatter_x);
  const float y = place.y + Scatter(g, g.layout.play_scatter_y);
  StartMove(g, card, x, y, g.layout.short_move_steps);
  card.slot = s;
  place.used = true;
}

void GatherCaptured(Game& g) {
  if (AnyCardMoving(g)) return;
  PlayCardFlipSound(g.chance.looks, g.sound);
  CardModel& m = g.model;
  const CardSprite& played = m.table[m.table_count - 1];
  for (int i = 0; i <= m.table_count - 2; ++i) {
    CardSprite& t = m.table[i];
    if (!t.captured) continue;
    t.picked = false;
    t.face_up = true;
    const float x = played.x + Scatter(g, g.layout.gather_scatter_x);
    const float y = played.y + Scatter(g, g.layout.gather_scatter_y);
    StartMove(g, t, x, y, g.layout.long_move_steps);
  }
}

void SendToPile(Game& g, float x, float y) {
  if (AnyCardMoving(g)) return;
  PlaySignSound(g.chance.looks, g.sound);
  CardModel& m = g.model;
  for (int i = 0; i < m.table_count; ++i) {
    CardSprite& t = m.table[i];
    if (!t.captured && i != m.table_count - 1) continue;
    t.face_up = false;
    const float tx = x + Scatter(g, g.layout.gather_scatter_x);
    const float ty = y + Scatter(g, g.layout.gather_scatter_y);
    StartMove(g, t, tx, ty, g.layout.long_move_steps);
    m.table_slot[t.slot].used = false;
  }
}

int FanIndex(const Game& g, Side side) {
  const int16_t count = side == Side::kWe ? g.model.we_fan_count : g.model.they_fan_count;
  return count < kFanPlaces - 1 ? count : kFanPlaces - 1;
}

void SendSpecialCaptureToFan(Game& g, Side side) {
  if (AnyCardMoving(g)) return;
  PlaySignSound(g.chance.looks, g.sound);
  CardModel& m = g.model;
  const int last = m.table_count - 1;
  int marker = 0;
  while (marker < last && !m.table[marker].captured) ++marker;
  g.flow.marker_index = static_cast<int16_t>(marker);
  std::swap(m.table[marker], m.table[last]);

  const FanEntry& fan = (side == Side::kWe ? m.we_fan : m.they_fan)[FanIndex(g, side)];
  const float pile_x = side == Side::kWe ? g.layout.we_pile_x : g.layout.they_pile_x;
  const float pile_y = side == Side::kWe ? g.layout.we_pile_y : g.layout.they_pile_y;
  m.table[marker].face_up = true;
  m.table[marker].target_x = fan.x;
  m.table[marker].target_y = fan.y;
  m.table[last].face_up = false;
  for (int i = 1; i <= last; ++i) {
    CardSprite& t = m.table[i];
    if (!t.captured || i == marker) continue;
    t.face_up = false;
    t.target_x = pile_x;
    t.target_y = pile_y;
  }
  for (int i = 0; i <= last; ++i) {
    CardSprite& t = m.table[i];
    if (!t.captured && i != marker) continue;
    StartMove(g, t, t.target_x, t.target_y, g.layout.long_move_steps);
    m.table_slot[t.slot].used = false;
  }
}

}  // namespace vantel
