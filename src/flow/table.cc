#include "flow/table.h"

#include <array>

#include "flow/shown_score.h"
#include "game/match_rules.h"

namespace vantel {

void ResetHandState(Game& g) {
  CardModel& m = g.model;
  m.we_taken_count = 0;
  m.they_taken_count = 0;
  m.table_id_count = 0;
  m.hand_id_count.fill(0);
  m.we_fan_count = 0;
  m.they_fan_count = 0;
}

namespace {

struct Place {
  int16_t x, y;
};

// The fourteen places a table card takes first, in the order they fill.
constexpr std::array<Place, 14> kTablePlaces800 = {{{242, 219},
                                                    {336, 47},
                                                    {430, 219},
                                                    {336, 219},
                                                    {242, 47},
                                                    {430, 47},
                                                    {508, 219},
                                                    {164, 219},
                                                    {164, 47},
                                                    {508, 47},
                                                    {297, 164},
                                                    {375, 164},
                                                    {203, 164},
                                                    {469, 164}}};

// Places for a crowded table. They sit between
// the rows and columns of the first fourteen, on the felt between the marker
// fans and above the human's hand, so a card laid there leaves the corners of
// its neighbours visible and clickable.
constexpr std::array<Place, 17> kExtraPlaces800 = {{{183, 105},
                                                    {270, 105},
                                                    {356, 105},
                                                    {450, 105},
                                                    {183, 249},
                                                    {270, 249},
                                                    {356, 249},
                                                    {450, 249},
                                                    {203, 0},
                                                    {297, 0},
                                                    {375, 0},
                                                    {469, 0},
                                                    {222, 190},
                                                    {316, 190},
                                                    {414, 190},
                                                    {500, 135},
                                                    {164, 135}}};

constexpr int kPositionedPlaces = static_cast<int>(kTablePlaces800.size());
static_assert(kPositionedPlaces + kExtraPlaces800.size() == kTablePlaces);

void SetupFan(std::array<FanEntry, kFanRecords>& fan, int16_t base_x, int16_t base_y) {
  constexpr int kPerRow = 5;
  static constexpr int16_t kDx[kPerRow] = {0, 15, -15, 30, -30};
  static constexpr int16_t kDy[kFanPlaces / kPerRow] = {-40, -20, -60};
  static constexpr int16_t kOrder[kFanPlaces] = {14, 12, 10, 11, 13, 4, 2, 0, 1, 3, 9, 7, 5, 6, 8};
  for (int i = 0; i < kFanPlaces; ++i) {
    fan[i].x = static_cast<int16_t>(base_x + kDx[i % kPerRow]);
    fan[i].y = static_cast<int16_t>(base_y + kDy[i / kPerRow]);
    fan[i].order = kOrder[i];
    fan[i].shown = false;
  }
}

}  // namespace

void SetupTablePlaces(Game& g) {
  CardModel& m = g.model;
  SetupFan(m.we_fan, g.layout.we_fan_base_x, g.layout.fan_base_y);
  SetupFan(m.they_fan, g.layout.they_fan_base_x, g.layout.fan_base_y);

  for (int s = 0; s < kTablePlaces; ++s) {
    const Place p =
        s < kPositionedPlaces ? kTablePlaces800[s] : kExtraPlaces800[s - kPositionedPlaces];
    m.table_slot[s].x = p.x;
    m.table_slot[s].y = p.y;
  }
  for (int s = 0; s < kLastTablePlace; ++s) {
    m.table_slot[s].used = false;
    m.table[s].slot = static_cast<int16_t>(s);
  }
}

int16_t FirstFreeSlot(const Game& g) {
  for (int s = 0; s < kTablePlaces; ++s) {
    if (!g.model.table_slot[s].used) return static_cast<int16_t>(s);
  }
  return kLastTablePlace;
}

void AddToTable(Game& g, const CardSprite& card) {
  CardModel& m = g.model;
  CardSprite& t = m.table[m.table_count];
  t.card = card.card;
  t.x = card.x;
  t.y = card.y;
  t.slot = card.slot;
  t.shown = true;
  t.face_up = true;
  m.table_slot[card.slot].used = true;
  m.table_count += 1;
  m.table_ids[m.table_id_count] = card.card;
  m.table_id_count += 1;
}

CardSprite& LayOnTable(Game& g, int16_t id) {
  CardSprite card;
  card.card = id;
  card.slot = FirstFreeSlot(g);
  AddToTable(g, card);
  return g.model.table[g.model.table_count - 1];
}

void MarkAllCaptured(Game& g) {
  for (int i = 0; i < g.model.table_count; ++i) g.model.table[i].captured = true;
}

void DropBankedCards(Game& g) {
  CardModel& m = g.model;
  for (TableSlotEntry& place : m.table_slot) place.used = false;
  int kept = 0;
  const int last = m.table_count - 1;
  for (int i = 0; i <= last; ++i) {
    CardSprite& t = m.table[i];
    if (i == last || t.captured) {
      t.captured = false;
      continue;
    }
    if (kept != i) m.table[kept] = t;
    m.table_slot[m.table[kept].slot].used = true;
    m.table_ids[kept] = m.table[kept].card;
    ++kept;
  }
  m.table_count = static_cast<int16_t>(kept);
  m.table_id_count = static_cast<int16_t>(kept);
  ShowBankedScore(g);
}

void RebuildHandIds(Game& g, int seat) {
  CardModel& m = g.model;
  m.hand_id_count[seat] = 0;
  for (int slot = 0; slot < kHandSlots; ++slot) {
    if (m.hand[seat][slot].shown) {
      m.hand_ids[seat][m.hand_id_count[seat]] = m.hand[seat][slot].card;
      m.hand_id_count[seat] += 1;
    }
  }
}

int16_t ChooseFirstSeat(Game& g) {
  if (!g.deal.first_hand_dealt) {
    g.deal.first_hand_dealt = true;
    return static_cast<int16_t>(g.chance.deal.Draw(kSeats));
  }
  return static_cast<int16_t>(NextFirstSeat(g.match));
}

}  // namespace vantel
