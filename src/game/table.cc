#include "game/table.h"

#include <array>

namespace vantel {

void ResetHandState(Game& g) {
  CardModel& m = g.model;
  m.WeTakenCount = 0;
  m.TheyTakenCount = 0;
  m.TableIdCount = 0;
  m.HandIdCount.fill(0);
  for (int v = kLowestValue; v <= kHighestValue; ++v) m.RankSeen[v] = 0;
  m.WeFanCount = 0;
  m.TheyFanCount = 0;
  g.capture.LastCapturer = 0;
}

namespace {

struct Place {
  int16_t x, y;
};

// The fourteen places of the 1024 x 768 table.
constexpr std::array<Place, 14> kTablePlaces1024 = {{{310, 280},
                                                     {430, 60},
                                                     {550, 280},
                                                     {430, 280},
                                                     {310, 60},
                                                     {550, 60},
                                                     {650, 280},
                                                     {210, 280},
                                                     {210, 60},
                                                     {650, 60},
                                                     {380, 210},
                                                     {480, 210},
                                                     {260, 210},
                                                     {600, 210}}};

// Places for a crowded table, already in 800 x 600 pixels. They sit between
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

constexpr int kPositionedPlaces = static_cast<int>(kTablePlaces1024.size());
static_assert(kPositionedPlaces + kExtraPlaces800.size() == kTablePlaces);

void SetupFan(std::array<FanEntry, kFanRecords>& fan, int16_t baseX, int16_t baseY) {
  constexpr int kPerRow = 5;
  static constexpr int16_t kDx[kPerRow] = {0, 15, -15, 30, -30};
  static constexpr int16_t kDy[kFanPlaces / kPerRow] = {-40, -20, -60};
  static constexpr int16_t kOrder[kFanPlaces] = {14, 12, 10, 11, 13, 4, 2, 0, 1, 3, 9, 7, 5, 6, 8};
  for (int i = 0; i < kFanPlaces; ++i) {
    fan[i].X = static_cast<int16_t>(baseX + kDx[i % kPerRow]);
    fan[i].Y = static_cast<int16_t>(baseY + kDy[i / kPerRow]);
    fan[i].Order = kOrder[i];
    fan[i].Shown = false;
  }
}

}  // namespace

void SetupTablePlaces(Game& g) {
  CardModel& m = g.model;
  SetupFan(m.WeFan, g.layout.WeFanBaseX, g.layout.FanBaseY);
  SetupFan(m.TheyFan, g.layout.TheyFanBaseX, g.layout.FanBaseY);

  const bool is800 = g.options.Resolution == "800x600";
  for (int s = 0; s < kPositionedPlaces; ++s) {
    const Place p = kTablePlaces1024[s];
    m.TableSlot[s].X = is800 ? ScaleTo800(p.x) : p.x;
    m.TableSlot[s].Y = is800 ? ScaleTo800(p.y) : p.y;
  }
  for (int s = kPositionedPlaces; s < kTablePlaces; ++s) {
    const Place p = is800 ? kExtraPlaces800[s - kPositionedPlaces] : Place{0, 0};
    m.TableSlot[s].X = p.x;
    m.TableSlot[s].Y = p.y;
  }
  for (int s = 0; s < kLastTablePlace; ++s) {
    m.TableSlot[s].Used = false;
    m.Table[s].Slot = static_cast<int16_t>(s);
  }
}

int16_t FirstFreeSlot(const Game& g) {
  for (int s = 0; s < kTablePlaces; ++s) {
    if (!g.model.TableSlot[s].Used) return static_cast<int16_t>(s);
  }
  return kLastTablePlace;
}

void NoteRankSeen(Game& g, int16_t cardId) {
  g.model.RankSeen[ValueOf(cardId)] += 1;
}

void AddToTable(Game& g, const CardSprite& card) {
  CardModel& m = g.model;
  CardSprite& t = m.Table[m.TableCount];
  t.Card = card.Card;
  t.X = card.X;
  t.Y = card.Y;
  t.Slot = card.Slot;
  t.Shown = true;
  t.FaceUp = true;
  m.TableSlot[card.Slot].Used = true;
  m.TableCount += 1;
  NoteRankSeen(g, card.Card);
  m.TableIds[m.TableIdCount] = card.Card;
  m.TableIdCount += 1;
}

void RebuildHandIds(Game& g, int seat) {
  CardModel& m = g.model;
  m.HandIdCount[seat] = 0;
  for (int slot = 0; slot < kHandSlots; ++slot) {
    if (m.Hand[seat][slot].Shown) {
      m.HandIds[seat][m.HandIdCount[seat]] = m.Hand[seat][slot].Card;
      m.HandIdCount[seat] += 1;
    }
  }
}

int16_t ChooseFirstSeat(Game& g) {
  if (!g.deal.FirstHandDealt) {
    g.deal.FirstHandDealt = true;
    return static_cast<int16_t>(g.random.Draw(kSeats));
  }
  return static_cast<int16_t>((g.flow.Turn + 2) % kSeats);
}

}  // namespace vantel
