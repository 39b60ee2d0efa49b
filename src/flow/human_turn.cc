#include "flow/human_turn.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "flow/capture.h"
#include "flow/capture_help.h"
#include "flow/match_sync.h"
#include "flow/movement.h"
#include "flow/observer.h"

namespace vantel {

namespace {

bool StrictlyInside(float x, float y, int w, int h, int mouse_x, int mouse_y) {
  return x < mouse_x && mouse_x < x + w && y < mouse_y && mouse_y < y + h;
}

bool Contains(const CardSprite& c, int mouse_x, int mouse_y) {
  return StrictlyInside(c.x, c.y, c.width, c.height, mouse_x, mouse_y);
}

int16_t PositionInHandIds(const Game& g, int16_t card) {
  const int seat = PersonSeat(g);
  for (int i = 0; i < g.model.hand_id_count[seat]; ++i) {
    if (g.model.hand_ids[seat][i] == card) return static_cast<int16_t>(i);
  }
  return -1;
}

int PickedCount(const Game& g) {
  int n = 0;
  for (int i = 0; i < g.model.table_count; ++i) n += g.model.table[i].picked ? 1 : 0;
  return n;
}

// Takes the picked cards as the capture once they add up. A selection that
// adds up but holds more cards than a capture can is left open: the human
// removes cards or declines.
void ConfirmIfMatched(Game& g) {
  if (!PickedCardsMatch(g) || PickedCount(g) > kMaxTakenCards) return;
  CardModel& m = g.model;
  CaptureState& c = g.capture;
  g.flow.capture_confirmed = true;
  c.capture_count = 0;
  for (int i = 0; i < m.table_count; ++i) {
    if (!m.table[i].picked) continue;
    m.table[i].picked = false;
    c.capture_idx[c.capture_count] = static_cast<int16_t>(i);
    c.capture_count += 1;
    m.table[i].captured = true;
  }
  MatchTake(g, PersonSeat(g), m.table[m.table_count - 1].card,
            {c.capture_idx.data(), static_cast<size_t>(c.capture_count)});
  Notify(g, [&](GameObserver& o) { o.OnSelect(g, false); });
}

void Decline(Game& g) {
  CardModel& m = g.model;
  for (int i = 0; i <= m.table_count - 2; ++i) {
    m.table[i].picked = false;
    m.table[i].captured = false;
  }
  g.flow.capture_confirmed = true;
  g.flow.capture_declined = true;
  MatchLayDown(g, PersonSeat(g), m.table[m.table_count - 1].card);
  Notify(g, [&](GameObserver& o) { o.OnSelect(g, true); });
}

std::array<int16_t, kHandRecords> ShownHandCards(const Game& g, int& count) {
  std::array<int16_t, kHandRecords> ids{};
  count = 0;
  for (const CardSprite& c : g.model.hand[PersonSeat(g)]) {
    if (c.shown) ids[count++] = c.card;
  }
  return ids;
}

}  // namespace

bool IsHumanGatheringState(const Game& g) {
  const FlowState state = g.flow.state;
  if (PersonSide(g) == Side::kWe) {
    return state == FlowState::kWeGettingCardsGathering ||
           state == FlowState::kWeGettingSpecialGathering;
  }
  return state == FlowState::kTheyGettingCardsGathering ||
         state == FlowState::kTheyGettingSpecialGathering;
}

int16_t PickHandCard(const Game& g, int mouse_x, int mouse_y) {
  for (int slot = kHandSlots - 1; slot >= 0; --slot) {
    const CardSprite& c = g.model.hand[PersonSeat(g)][slot];
    if (!c.shown || c.moving) continue;
    if (StrictlyInside(c.home_x, c.home_y, c.width, c.height, mouse_x, mouse_y)) {
      return static_cast<int16_t>(slot);
    }
  }
  return -1;
}

bool HumanToPlay(const Game& g) {
  const FlowData& f = g.flow;
  return f.state == FlowState::kNormalPlay && f.turn == PersonSeat(g) && f.awaiting_human &&
         !f.human_picked;
}

bool CaptureChoicePending(const Game& g) {
  return IsHumanGatheringState(g) && g.flow.turn == PersonSeat(g) && !g.flow.capture_confirmed;
}

bool HumanMayPickHandCard(const Game& g) {
  return HumanToPlay(g) && !g.flow.game_paused && !AnyCardMoving(g);
}

void TryPickHandCard(Game& g, int mouse_x, int mouse_y) {
  if (!HumanMayPickHandCard(g)) return;
  TryPlayHandSlot(g, PickHandCard(g, mouse_x, mouse_y));
}

void TryPlayHandSlot(Game& g, int16_t slot) {
  if (!HumanMayPickHandCard(g) || slot < 0 || slot >= kHandSlots) return;
  const CardSprite& card = g.model.hand[PersonSeat(g)][slot];
  if (!card.shown) return;
  FlowData& f = g.flow;
  f.human_played = true;
  f.human_picked = true;
  f.picked_hand_index = slot;
  const int16_t k = PositionInHandIds(g, card.card);
  Notify(g, [&](GameObserver& o) { o.OnTurn(g, PersonSeat(g), k, {}); });
}

int16_t SelectableCardAt(const Game& g, int mouse_x, int mouse_y) {
  const CardModel& m = g.model;
  if (m.table_count < 1) return -1;
  const int16_t played = m.table[m.table_count - 1].card;
  for (int i = m.table_count - 2; i >= 0; --i) {
    const CardSprite& t = m.table[i];
    if (t.shown && t.card != played && Contains(t, mouse_x, mouse_y))
      return static_cast<int16_t>(i);
  }
  return -1;
}

bool PlayedCardAt(const Game& g, int mouse_x, int mouse_y) {
  const CardModel& m = g.model;
  if (m.table_count < 1) return false;
  const CardSprite& t = m.table[m.table_count - 1];
  return t.shown && Contains(t, mouse_x, mouse_y);
}

int16_t RemovableCardAt(const Game& g, int mouse_x, int mouse_y) {
  const CardModel& m = g.model;
  for (int i = m.table_count - 2; i >= 0; --i) {
    const CardSprite& t = m.table[i];
    if (t.shown && Contains(t, mouse_x, mouse_y)) return static_cast<int16_t>(i);
  }
  return -1;
}

bool SelectionOpen(const Game& g) {
  return CaptureChoicePending(g) && !AnyCardMoving(g);
}

bool PickTableCard(Game& g, int16_t index) {
  if (!SelectionOpen(g) || index < 0 || index > g.model.table_count - 2) return false;
  if (g.aids.refuse_impossible_picks && !CanPickTableCard(g, index)) {
    // Heard, not seen: nothing is framed, the choice stays as it was.
    g.sound.Play(kRefusedPickSound);
    return false;
  }
  g.model.table[index].picked = true;
  ConfirmIfMatched(g);
  return true;
}

namespace {

bool PersonCardInFlight(const Game& g) {
  const FlowData& f = g.flow;
  return f.state == FlowState::kNormalPlay && f.turn == PersonSeat(g) && f.human_played &&
         AnyCardMoving(g);
}

// The top table card under the pointer, by id; -1 for none.
int16_t TableCardAt(const Game& g, int mouse_x, int mouse_y) {
  for (int i = g.model.table_count - 1; i >= 0; --i) {
    const CardSprite& t = g.model.table[i];
    if (t.shown && Contains(t, mouse_x, mouse_y)) return t.card;
  }
  return -1;
}

}  // namespace

void KeepClickInFlight(Game& g, bool left_down, int mouse_x, int mouse_y) {
  TableAids& aids = g.aids;
  if (!aids.keep_clicks_in_flight) return;
  if (PersonCardInFlight(g)) {
    const int16_t card = left_down ? TableCardAt(g, mouse_x, mouse_y) : int16_t{-1};
    if (card >= 0) aids.card_clicked_in_flight = card;
    return;
  }
  const int16_t kept = aids.card_clicked_in_flight;
  if (kept < 0) return;
  if (g.flow.turn != PersonSeat(g)) {
    aids.card_clicked_in_flight = -1;  // the card took nothing: the turn is over
    return;
  }
  if (!SelectionOpen(g)) return;  // landing, or the short wait after it
  aids.card_clicked_in_flight = -1;
  for (int i = 0; i < g.model.table_count - 1; ++i) {
    if (g.model.table[i].card != kept) continue;
    PickTableCard(g, static_cast<int16_t>(i));
    return;
  }
}

void PutBackTableCard(Game& g, int16_t index) {
  if (!SelectionOpen(g) || index < 0 || index > g.model.table_count - 2) return;
  g.model.table[index].picked = false;
  // After a decline nothing is picked, so this cannot confirm anything.
  if (!g.flow.capture_declined) ConfirmIfMatched(g);
}

void DeclineCapture(Game& g) {
  if (SelectionOpen(g)) Decline(g);
}

void SelectCapture(Game& g, int button, int mouse_x, int mouse_y) {
  if (!SelectionOpen(g)) return;
  if (button == 0) {
    const int16_t i = SelectableCardAt(g, mouse_x, mouse_y);
    if (i >= 0) PickTableCard(g, i);
    return;
  }
  // A decline confirms, and PutBackTableCard asks for an open selection: the
  // card removed after a decline is removed here.
  const bool declined = PlayedCardAt(g, mouse_x, mouse_y);
  if (declined) Decline(g);
  const int16_t i = RemovableCardAt(g, mouse_x, mouse_y);
  if (i < 0) return;
  if (declined) {
    g.model.table[i].picked = false;
    return;
  }
  PutBackTableCard(g, i);
}

void TryReorderHand(Game& g) {
  FlowData& f = g.flow;
  const int seat = PersonSeat(g);
  if (f.state != FlowState::kNormalPlay || g.model.hand_id_count[seat] != HandSize(g.options) ||
      f.turn != seat || AnyCardMoving(g)) {
    return;
  }
  f.saved_flow_state = f.state;
  f.state = FlowState::kGatherAroundFirstCard;
}

void GatherHand(Game& g) {
  PlayCardFlipSound(g.chance.looks, g.sound);
  auto& hand = g.model.hand[PersonSeat(g)];
  for (int slot = 1; slot < kHandRecords; ++slot) {
    CardSprite& c = hand[slot];
    if (!c.shown) continue;
    c.home_x = static_cast<int16_t>(std::nearbyint(c.x));
    c.home_y = static_cast<int16_t>(std::nearbyint(c.y));
    c.face_up = true;
    StartMove(g, c, hand[0].x, hand[0].y, g.layout.long_move_steps);
  }
}

void SpreadHand(Game& g) {
  PlaySignSound(g.chance.looks, g.sound);
  for (int slot = 1; slot < kHandRecords; ++slot) {
    CardSprite& c = g.model.hand[PersonSeat(g)][slot];
    if (!c.shown) continue;
    c.face_up = true;
    StartMove(g, c, c.home_x, c.home_y, g.layout.long_move_steps);
  }
}

void SortHand(Game& g) {
  int count = 0;
  const std::array<int16_t, kHandRecords> before = ShownHandCards(g, count);
  std::array<int16_t, kHandRecords> sorted{};
  int n = 0;
  // Kings first, down to the aces; within a value in the rules' suit order.
  for (int value = kHighestValue; value >= kLowestValue; --value) {
    for (int s = 0; s < kSuitCount; ++s) {
      for (int i = 0; i < count; ++i) {
        const int16_t id = before[i];
        if (ValueOf(id) == value && SuitOf(id) == static_cast<Suit>(s)) {
          sorted[n++] = id;
        }
      }
    }
  }
  int next = 0;
  for (CardSprite& c : g.model.hand[PersonSeat(g)]) {
    if (c.shown) c.card = sorted[next++];
  }
  const std::span<const int16_t> b(before.data(), static_cast<size_t>(count));
  const std::span<const int16_t> a(sorted.data(), static_cast<size_t>(count));
  MatchReorderHand(g, a);
  Notify(g, [&](GameObserver& o) { o.OnReorder(g, b, a); });
}

}  // namespace vantel
