#include "flow/deal.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "flow/flow.h"
#include "flow/match_sync.h"
#include "flow/movement.h"
#include "flow/observer.h"
#include "flow/shown_score.h"
#include "flow/table.h"
#include "flow/table_notes.h"
#include "game/match_rules.h"

namespace vantel {

namespace {

// The seat that gets packet `packet` of a deal: the rules' first seat first.
int PacketSeat(const Game& g, int packet) {
  return (g.match.first_seat + packet) % kSeats;
}

// The stock shows at most its top eight cards.
constexpr int kStockShown = 8;
// Table records 0..20 are hidden by a new hand.
constexpr int kTableRecordsCleared = 21;

void ResetPlayFlags(Game& g) {
  g.capture.we = SideFlags{};
  g.capture.they = SideFlags{};
}

void ResetCardRecords(Game& g) {
  CardModel& m = g.model;
  const int16_t w = g.layout.card_width;
  const int16_t h = g.layout.card_height;
  // Every pile entry, not only the first 51: a side that took the whole pack
  // last hand filled entry 51, which would otherwise stay drawn.
  for (CardSprite& p : m.we_pile) p.shown = false;
  for (CardSprite& p : m.they_pile) p.shown = false;
  // The first seven stock records; LayOutDeck shows the eighth.
  for (int i = 0; i < kStockShown - 1; ++i) {
    m.deck[i].shown = true;
    m.deck[i].face_up = false;
  }
  // Every table record gets the card size, not only the first thirty: a
  // crowded table must not end in a card that cannot be clicked.
  // A hand can start again while cards fly (a table elsewhere is taken up
  // anew): no flight of the old one may go on into the new deal.
  for (CardSprite& t : m.table) {
    t.width = w;
    t.height = h;
    t.moving = false;
  }
  for (CardSprite& d : m.deck) d.moving = false;
  for (int seat = 0; seat < kSeats; ++seat) {
    for (int j = 0; j < kHandSlots; ++j) {
      CardSprite& c = m.hand[seat][j];
      c.shown = false;
      c.moving = false;
      c.card = 1;
      if (seat == PersonSeat(g)) {
        c.width = w;
        c.height = h;
        c.home_x = c.x =
            static_cast<int16_t>(g.layout.hand_base_x[0] + g.layout.hand_step_x[0] * j);
        c.home_y = c.y = g.layout.hand_base_y[0];
      } else {
        c.face_up = false;
        c.x = g.layout.hand_base_x[seat];
        c.y = g.layout.hand_base_y[seat];
      }
    }
  }
  for (int i = 0; i < kTableRecordsCleared; ++i) {
    m.table[i].shown = false;
    m.table[i].face_up = true;
  }
}

// The deck record goes back to its stock place, hidden, once its card landed.
void ReturnDeckRecord(CardSprite& card) {
  card.x = card.home_x;
  card.y = card.home_y;
  card.shown = false;
}

}  // namespace

namespace {

// Lays the pack out in the order a kept hand was dealt from.
void SetDeck(Game& g, const DeckOrder& deck) {
  for (int n = 0; n < kCardCount; ++n) g.model.deck[n].card = deck[static_cast<size_t>(n)];
}

// A new hand: shuffled, or when `kept` holds a hand in play, that hand's pack
// and first seat again.
void StartHand(Game& g, const MatchState* kept) {
  // Nothing worked out for the last hand (or match) may land in this one.
  StopThinking(g);
  ResetPlayFlags(g);
  ResetHandState(g);
  ClearPlayedCards(g);
  g.deal.packet_count = 0;
  SetupTablePlaces(g);
  FlowData& f = g.flow;
  f.picked_hand_index = -1;
  f.awaiting_human = false;
  f.human_played = false;
  f.cards_played = 0;
  g.model.table_count = 0;
  g.model.we_pile_count = 0;
  g.model.they_pile_count = 0;
  ResetCardRecords(g);
  LayOutDeck(g);
  if (kept != nullptr) {
    SetDeck(g, kept->deck);
    f.turn = kept->first_seat;
  } else {
    ShuffleDeck(g);
    f.turn = ChooseFirstSeat(g);
  }
  g.deal.deck_position = 0;
  DealMatchHand(g);
  ShowNewDeal(g);
  Notify(g, [&](GameObserver& o) { o.OnHandStart(g); });
  g.deal.deal_turn = 0;
  f.state = FlowState::kDealingCards;
  g.sound.Play(SoundId::kShuffle);
  g.deal.cards_dealt = 0;
  f.human_picked = false;
}

}  // namespace

void NewHand(Game& g) {
  if (g.deal.dealt_elsewhere) {
    g.deal.next_hand_wanted = true;
    return;
  }
  StartHand(g, nullptr);
}

void NextHandPressed(Game& g) {
  const TableAids& aids = g.aids;
  // A difference, as in a timed wait, so the tick count's wrap does no harm.
  if (aids.score_page_settles &&
      g.clock.GetTickCount() - aids.score_shown_tick < kScorePageSettleMs) {
    return;
  }
  NewHand(g);
}

std::optional<MatchState> MatchToKeep(const Game& g) {
  const MatchState& m = g.match;
  if (m.phase == HandPhase::kNotDealt || m.MatchDecided()) return std::nullopt;
  return RedealHand(m);
}

void ResumeMatch(Game& g, const MatchState& kept) {
  g.match = RedealHand(kept);
  g.options.twelve_card_deal = kept.twelve_card_hands ? 1 : 0;
  if (kept.phase == HandPhase::kNotDealt) {
    StartHand(g, nullptr);
    return;
  }
  // Later hands open one seat on from this one, as in a match never left.
  g.deal.first_hand_dealt = true;
  if (kept.phase == HandPhase::kPlaying) {
    StartHand(g, &g.match);
    return;
  }
  // Between hands: the next one is shuffled, opened by the seat after the
  // last hand's first.
  StartHand(g, nullptr);
}

void ForgetShownHand(Game& g) {
  StopThinking(g);
  FlowData& f = g.flow;
  FlowData fresh;
  fresh.think_in_background = f.think_in_background;
  fresh.game_paused = f.game_paused;
  fresh.pause_key_latch = f.pause_key_latch;
  fresh.hint_key_latch = f.hint_key_latch;
  fresh.state = FlowState::kEndOfMatch;
  f = std::move(fresh);
  g.model = CardModel{};
  SetupTablePlaces(g);
  g.capture = CaptureState{};
  DealState deal;
  deal.first_hand_dealt = g.deal.first_hand_dealt;
  deal.dealt_elsewhere = g.deal.dealt_elsewhere;
  g.deal = deal;
  g.aids.hand_cursor = -1;
  g.aids.table_cursor = -1;
}

bool DealInProgress(const Game& g) {
  const FlowData& f = g.flow;
  const FlowState state = f.state == FlowState::kTimedWait ? f.state_before_timed_wait : f.state;
  return state == FlowState::kDealingCards || state == FlowState::kDeal4;
}

void HurryDeal(Game& g) {
  // A whole pack at the slowest steps is far below this; it only keeps a
  // fault in the deal from hanging the frame.
  constexpr int kMostSteps = 100'000;
  FlowData& f = g.flow;
  for (int step = 0; step < kMostSteps && DealInProgress(g); ++step) {
    if (f.state == FlowState::kTimedWait) {
      f.state = f.state_before_timed_wait;
      f.timed_wait_served = true;
    } else {
      StepFlow(g);
    }
  }
}

void ShuffleDeck(Game& g) {
  std::array<bool, kCardCount> used{};
  for (int n = 0; n < kCardCount;) {
    const int r = g.chance.deal.Draw(kCardCount);
    if (used[r]) continue;  // rejection: draw again until an unused id comes up
    used[r] = true;
    g.model.deck[n].card = static_cast<int16_t>(r);
    ++n;
  }
}

void LayOutDeck(Game& g) {
  const int b = g.deal.deck_position;
  const int top = std::min(b + kStockShown - 1, kCardCount - 1);
  const Layout& l = g.layout;
  for (int i = top; i >= b; --i) {
    CardSprite& c = g.model.deck[i];
    c.x = static_cast<float>(l.deck_base_x + l.deck_right_offset - (i - b) * l.deck_step);
    c.y = l.deck_y;
    c.home_x = static_cast<int16_t>(std::nearbyint(c.x));
    c.home_y = static_cast<int16_t>(std::nearbyint(c.y));
    c.shown = true;
    c.face_up = false;
  }
}

void DealToPlayer(Game& g, CardSprite& card, int p) {
  const int k = g.model.hand_id_count[p];
  card.face_up = p == PersonSeat(g);
  const float x = static_cast<float>(g.layout.hand_base_x[p] + g.layout.hand_step_x[p] * k);
  const float y = g.layout.hand_base_y[p];
  PlayCardFlipSound(g.chance.looks, g.sound);
  StartMove(g, card, x, y, g.layout.short_move_steps);
}

void DealOneCardToPlayer(Game& g) {
  DealState& d = g.deal;
  d.deal_recipient = d.deal_turn;
  DealToPlayer(g, g.model.deck[d.deck_position], PacketSeat(g, d.deal_turn));
  d.deck_position += 1;
  d.packet_count += 1;
  d.cards_dealt += 1;
  if (d.packet_count == HandSize(g.options)) {
    d.packet_count = 0;
    d.deal_turn = static_cast<int16_t>((d.deal_turn + 1) % kSeats);
  }
}

void DealToTable(Game& g, CardSprite& card) {
  card.face_up = true;
  const int16_t s = FirstFreeSlot(g);
  TableSlotEntry& place = g.model.table_slot[s];
  const float x = place.x + static_cast<float>(g.chance.looks.Draw(g.layout.deal_scatter_x));
  const float y = place.y + static_cast<float>(g.chance.looks.Draw(g.layout.deal_scatter_y));
  PlayCardFlipSound(g.chance.looks, g.sound);
  StartMove(g, card, x, y, g.layout.short_move_steps);
  card.slot = s;
  place.used = true;
}

void DealOneTableCard(Game& g) {
  g.flow.timed_wait_served = false;
  DealToTable(g, g.model.deck[g.deal.deck_position]);
  g.deal.deck_position += 1;
  g.deal.packet_count += 1;
}

void LandPlayerCard(Game& g, CardSprite& card) {
  DealState& d = g.deal;
  CardModel& m = g.model;
  const int p = PacketSeat(g, d.deal_recipient);
  const int k = m.hand_id_count[p];
  CardSprite& slot = m.hand[p][k];
  slot.card = card.card;
  slot.x = card.x;
  slot.y = card.y;
  slot.shown = true;
  slot.face_up = p == PersonSeat(g);
  m.hand_ids[p][k] = card.card;
  m.hand_id_count[p] += 1;
  ReturnDeckRecord(card);

  const int16_t per_deal = CardsPerDeal(g.options);
  if (d.cards_dealt == per_deal) {
    g.flow.state = FlowState::kDeal4;
    if (DealsTwelve(g.options)) d.cards_dealt = 0;
    d.packet_count = 0;
  }
  if (d.cards_dealt == 2 * per_deal) {
    d.cards_dealt = 0;
    d.packet_count = 0;
    g.flow.state = FlowState::kNormalPlay;
    Notify(g, [&](GameObserver& o) { o.OnDealt(g); });
  }
  LayOutDeck(g);
}

void LandTableCard(Game& g, CardSprite& card) {
  AddToTable(g, card);
  ReturnDeckRecord(card);
  if (g.deal.packet_count == 4) {
    g.deal.packet_count = 0;
    g.flow.state = FlowState::kNormalPlay;
    // The first step of play advances the turn, which lands on the first seat.
    g.flow.turn = static_cast<int16_t>((g.flow.turn + kSeats - 1) % kSeats);
    Notify(g, [&](GameObserver& o) { o.OnDealt(g); });
  }
  if (!g.flow.timed_wait_served) StartTimedWait(g, kDealWaitMs);
}

}  // namespace vantel
