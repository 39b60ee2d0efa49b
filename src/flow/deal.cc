#include "flow/deal.h"

#include <algorithm>
#include <cmath>

#include "flow/flow.h"
#include "flow/movement.h"
#include "flow/observer.h"
#include "game/table.h"

namespace vantel {

namespace {

// The stock shows at most its top eight cards.
constexpr int kStockShown = 8;
// Table records 0..20 are hidden by a new hand.
constexpr int kTableRecordsCleared = 21;

void ResetMatchIfDecided(Game& g) {
  Scores& s = g.score;
  if (s.MatchOver) {
    s.MatchOver = false;
    s.HistoryRows = 0;
    s.WeMatchPoints = 0;
    s.TheyMatchPoints = 0;
    s.MatchTarget = 50;
  }
  if (s.MatchTied) {
    s.MatchTied = false;
    s.HistoryRows = 0;
  }
}

void ResetHandScores(Game& g) {
  g.capture.LastCaptureSize = -1;
  g.capture.We = SideFlags{};
  g.capture.They = SideFlags{};
  for (SideScore* s : {&g.score.We, &g.score.They}) {
    s->ScuaCount = 0;
    s->SimiliCount = 0;
    s->PicadaCount = 0;
    s->QuadrigliaCount = 0;
    s->Napula = 0;
  }
}

void ResetCardRecords(Game& g) {
  CardModel& m = g.model;
  const int16_t w = g.layout.CardWidth;
  const int16_t h = g.layout.CardHeight;
  // Every pile entry, not only the first 51: a side that took the whole pack
  // last hand filled entry 51, which would otherwise stay drawn.
  for (CardSprite& p : m.WePile) p.Shown = false;
  for (CardSprite& p : m.TheyPile) p.Shown = false;
  // The first seven stock records; LayOutDeck shows the eighth.
  for (int i = 0; i < kStockShown - 1; ++i) {
    m.Deck[i].Shown = true;
    m.Deck[i].FaceUp = false;
  }
  // Every table record gets the card size, not only the first thirty: a
  // crowded table must not end in a card that cannot be clicked.
  for (CardSprite& t : m.Table) {
    t.Width = w;
    t.Height = h;
  }
  for (int seat = 0; seat < kSeats; ++seat) {
    for (int j = 0; j < kHandSlots; ++j) {
      CardSprite& c = m.Hand[seat][j];
      c.Shown = false;
      c.Card = 1;
      if (seat == 0) {
        c.Width = w;
        c.Height = h;
        c.HomeX = c.X = static_cast<int16_t>(g.layout.HandBaseX[0] + g.layout.HandStepX[0] * j);
        c.HomeY = c.Y = g.layout.HandBaseY[0];
      } else {
        c.FaceUp = false;
        c.X = g.layout.HandBaseX[seat];
        c.Y = g.layout.HandBaseY[seat];
      }
    }
  }
  for (int i = 0; i < kTableRecordsCleared; ++i) {
    m.Table[i].Shown = false;
    m.Table[i].FaceUp = true;
  }
}

// The deck record goes back to its stock place, hidden, once its card landed.
void ReturnDeckRecord(CardSprite& card) {
  card.X = card.HomeX;
  card.Y = card.HomeY;
  card.Shown = false;
}

}  // namespace

void NewHand(Game& g) {
  ResetMatchIfDecided(g);
  ResetHandScores(g);
  ResetHandState(g);
  g.deal.PacketCount = 0;
  SetupTablePlaces(g);
  FlowData& f = g.flow;
  f.PickedHandIndex = -1;
  f.AwaitingHuman = false;
  f.HumanPlayed = false;
  f.CardsPlayed = 0;
  g.model.TableCount = 0;
  g.model.WePileCount = 0;
  g.model.TheyPileCount = 0;
  ResetCardRecords(g);
  LayOutDeck(g);
  ShuffleDeck(g);
  g.deal.DeckPosition = 0;
  f.Turn = ChooseFirstSeat(g);
  Notify(g, [&](GameObserver& o) { o.OnHandStart(g); });
  g.deal.DealTurn = 0;
  BuildDealOrder(g);
  f.State = FlowState::DealingCards;
  g.sound.Play(SoundId::Shuffle);
  g.deal.CardsDealt = 0;
  f.HumanPicked = false;
}

void ShuffleDeck(Game& g) {
  auto& order = g.deal.ShuffleOrder;
  std::array<bool, kCardCount> used{};
  for (int n = 0; n < kCardCount;) {
    const int r = g.random.Draw(kCardCount);
    if (used[r]) continue;  // rejection: draw again until an unused id comes up
    used[r] = true;
    g.model.Deck[n].Card = static_cast<int16_t>(r);
    order[n] = static_cast<int16_t>(r);
    ++n;
  }
}

void BuildDealOrder(Game& g) {
  for (int i = 0; i < kSeats; ++i) {
    g.deal.DealOrder[i] = static_cast<int16_t>((g.flow.Turn + i) % kSeats);
  }
}

void LayOutDeck(Game& g) {
  const int b = g.deal.DeckPosition;
  const int top = std::min(b + kStockShown - 1, kCardCount - 1);
  const Layout& l = g.layout;
  for (int i = top; i >= b; --i) {
    CardSprite& c = g.model.Deck[i];
    c.X = static_cast<float>(l.DeckBaseX + l.DeckRightOffset - (i - b) * l.DeckStep);
    c.Y = l.DeckY;
    c.HomeX = static_cast<int16_t>(std::nearbyint(c.X));
    c.HomeY = static_cast<int16_t>(std::nearbyint(c.Y));
    c.Shown = true;
    c.FaceUp = false;
  }
}

void DealToPlayer(Game& g, CardSprite& card, int p) {
  const int k = g.model.HandIdCount[p];
  card.FaceUp = p == 0;
  const float x = static_cast<float>(g.layout.HandBaseX[p] + g.layout.HandStepX[p] * k);
  const float y = g.layout.HandBaseY[p];
  PlayCardFlipSound(g.random, g.sound);
  StartMove(g, card, x, y, g.layout.ShortMoveSteps);
}

void DealOneCardToPlayer(Game& g) {
  DealState& d = g.deal;
  d.DealRecipient = d.DealTurn;
  DealToPlayer(g, g.model.Deck[d.DeckPosition], d.DealOrder[d.DealTurn]);
  d.DeckPosition += 1;
  d.PacketCount += 1;
  d.CardsDealt += 1;
  if (d.PacketCount == HandSize(g.options)) {
    d.PacketCount = 0;
    d.DealTurn = static_cast<int16_t>((d.DealTurn + 1) % kSeats);
  }
}

void DealToTable(Game& g, CardSprite& card) {
  card.FaceUp = true;
  const int16_t s = FirstFreeSlot(g);
  TableSlotEntry& place = g.model.TableSlot[s];
  const float x = place.X + static_cast<float>(g.random.Draw(g.layout.DealScatterX));
  const float y = place.Y + static_cast<float>(g.random.Draw(g.layout.DealScatterY));
  PlayCardFlipSound(g.random, g.sound);
  StartMove(g, card, x, y, g.layout.ShortMoveSteps);
  card.Slot = s;
  place.Used = true;
}

void DealOneTableCard(Game& g) {
  g.flow.PauseServed = false;
  DealToTable(g, g.model.Deck[g.deal.DeckPosition]);
  g.deal.DeckPosition += 1;
  g.deal.PacketCount += 1;
}

void LandPlayerCard(Game& g, CardSprite& card) {
  DealState& d = g.deal;
  CardModel& m = g.model;
  const int p = d.DealOrder[d.DealRecipient];
  const int k = m.HandIdCount[p];
  CardSprite& slot = m.Hand[p][k];
  slot.Card = card.Card;
  slot.X = card.X;
  slot.Y = card.Y;
  slot.Shown = true;
  slot.FaceUp = p == 0;
  m.HandIds[p][k] = card.Card;
  m.HandIdCount[p] += 1;
  ReturnDeckRecord(card);

  const int16_t perDeal = CardsPerDeal(g.options);
  if (d.CardsDealt == perDeal) {
    g.flow.State = FlowState::Deal4;
    if (DealsTwelve(g.options)) d.CardsDealt = 0;
    d.PacketCount = 0;
  }
  if (d.CardsDealt == 2 * perDeal) {
    d.CardsDealt = 0;
    d.PacketCount = 0;
    g.flow.State = FlowState::NormalPlay;
    Notify(g, [&](GameObserver& o) { o.OnDealt(g); });
  }
  LayOutDeck(g);
}

void LandTableCard(Game& g, CardSprite& card) {
  AddToTable(g, card);
  ReturnDeckRecord(card);
  if (g.deal.PacketCount == 4) {
    g.deal.PacketCount = 0;
    g.flow.State = FlowState::NormalPlay;
    // The first step of play advances the turn, which lands on the first seat.
    g.flow.Turn = static_cast<int16_t>((g.flow.Turn + kSeats - 1) % kSeats);
    Notify(g, [&](GameObserver& o) { o.OnDealt(g); });
  }
  if (!g.flow.PauseServed) StartPause(g, kDealPauseMs);
}

}  // namespace vantel
