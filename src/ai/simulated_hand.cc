#include "ai/simulated_hand.h"

#include <algorithm>

#include "ai/ai.h"
#include "game/capture.h"
#include "game/scoring.h"
#include "game/table.h"

namespace vantel {

namespace {

void RemoveFromHand(CardModel& m, int seat, int position) {
  auto& ids = m.hand_ids[seat];
  const int count = m.hand_id_count[seat];
  for (int i = position; i + 1 < count; ++i) ids[i] = ids[i + 1];
  m.hand_id_count[seat] = static_cast<int16_t>(count - 1);
}

void AppendPile(CardModel& m, Side side, int16_t id) {
  auto& pile = side == Side::kWe ? m.we_pile : m.they_pile;
  int16_t& count = side == Side::kWe ? m.we_pile_count : m.they_pile_count;
  if (count >= static_cast<int16_t>(pile.size())) return;
  pile[count].card = id;
  pile[count].shown = true;
  count += 1;
}

void AppendTaken(CardModel& m, Side side, int16_t id) {
  auto& taken = side == Side::kWe ? m.we_taken : m.they_taken;
  int16_t& count = side == Side::kWe ? m.we_taken_count : m.they_taken_count;
  if (count >= static_cast<int16_t>(taken.size())) return;
  taken[count] = id;
  count += 1;
}

// The captured cards and the played one (the last entry) go to the side; a
// special capture's played card lies in the side's fan instead of its pile,
// which is what the Classic players see when they count what is gone.
void Bank(Game& w, Side side, bool marker_to_fan) {
  CardModel& m = w.model;
  const int last = m.table_count - 1;
  for (int i = 0; i <= last; ++i) {
    const CardSprite& t = m.table[i];
    if (i != last && !t.captured) continue;
    AppendTaken(m, side, t.card);
    if (!(marker_to_fan && i == last)) AppendPile(m, side, t.card);
  }
  DropBankedCards(w);
}

}  // namespace

void PlaySimulated(Game& w, int seat, int position, const CaptureState& choice) {
  CardModel& m = w.model;
  const int16_t id = m.hand_ids[seat][position];
  RemoveFromHand(m, seat, position);
  w.flow.turn = static_cast<int16_t>(seat);
  w.flow.cards_played += 1;
  LayOnTable(w, id);

  CaptureState& c = w.capture;
  c.capture_count = 0;
  if (m.table_id_count > 1) {
    c.capture_idx = choice.capture_idx;
    c.capture_count = std::clamp<int16_t>(choice.capture_count, 0, kMaxTakenPerPlay);
  }
  // Every seat, the human's included, takes what it chose the way a computer
  // seat does.
  const PlayVerdict verdict = JudgeChosenCapture(w);
  if (verdict.captures) Bank(w, verdict.side, verdict.special);
  ClearPlayFlags(w);
}

int DealSimulated(Game& w, std::span<const int16_t> stock, int per_seat) {
  CardModel& m = w.model;
  int used = 0;
  for (int seat = 0; seat < kSeats; ++seat) {
    for (int k = 0; k < per_seat && used < static_cast<int>(stock.size()); ++k) {
      if (m.hand_id_count[seat] >= kHandSlots) break;
      m.hand_ids[seat][m.hand_id_count[seat]++] = stock[used++];
    }
  }
  return used;
}

void FinishSimulatedHand(Game& w) {
  w.capture.we = SideFlags{};
  w.capture.they = SideFlags{};
  if (w.model.table_count > 0) {
    MarkAllCaptured(w);
    Bank(w, SideOfSeat(w.capture.last_capturer), false);
  } else {
    RecomputeHandScore(w);
  }
}

void PlayOutSimulated(Game& w, int seat, std::span<const int16_t> stock) {
  int turn = seat;
  while (w.flow.cards_played < kCardsPlayedPerHand) {
    if (SecondDealDue(w.options, w.flow.cards_played) && w.model.hand_id_count[turn] == 0) {
      stock = stock.subspan(DealSimulated(w, stock, kSixCardHand));
    }
    const int count = w.model.hand_id_count[turn];
    if (count <= 0) break;  // a world short of cards: stop rather than loop
    CaptureState choice;
    const std::span<const int16_t> hand(w.model.hand_ids[turn].data(), count);
    const int16_t position = ChooseBestPlay(w, hand, choice);
    PlaySimulated(w, turn, std::max<int16_t>(position, 0), choice);
    turn = (turn + 1) % kSeats;
  }
  FinishSimulatedHand(w);
}

}  // namespace vantel
