#include <algorithm>
#include <optional>
#include <string>

#include "flow/capture.h"
#include "flow/deal.h"
#include "flow/end_of_hand.h"
#include "flow/flow.h"
#include "flow/human_turn.h"
#include "flow/match_sync.h"
#include "flow/movement.h"
#include "flow/observer.h"
#include "flow/table.h"
#include "game/fatal_error.h"
#include "game/match_rules.h"

namespace vantel {

namespace {

constexpr const char* kSeatAnswerRoutine = "SeatAnswer";
constexpr long kErrorPlayRefused = 1;

CardSprite& LastDispatchedDeckCard(Game& g) {
  return g.model.deck[g.deal.deck_position - 1];
}

// The hand slot holding the k-th remaining card of a seat (hand_ids order).
int SlotOfPosition(const Game& g, int seat, int k) {
  for (int slot = 0; slot < kHandSlots; ++slot) {
    if (!g.model.hand[seat][slot].shown) continue;
    if (k == 0) return slot;
    --k;
  }
  return -1;
}

// Plays the card the seat on turn chose: the card at `d.position` of its
// hand, taking the table cards at `d.take`.
void PlayComputerCard(Game& g, const SeatDecision& d) {
  const int seat = g.flow.turn;
  const int16_t k = d.position;
  g.capture.capture_idx.fill(0);
  std::copy(d.take.Span().begin(), d.take.Span().end(), g.capture.capture_idx.begin());
  g.capture.capture_count = d.take.count;
  const std::span<const int16_t> capture(g.capture.capture_idx.data(),
                                         static_cast<size_t>(g.capture.capture_count));
  Notify(g, [&](GameObserver& o) { o.OnTurn(g, seat, k, capture); });
  const int slot = SlotOfPosition(g, seat, k);
  if (slot < 0) return;
  // Checked when the seat answered; the match makes it now, as the card goes.
  if (const std::optional<Play> play = PlayOfDecision(g.match, seat, d))
    MatchDecide(g, seat, *play);
  g.flow.computer_card_slot = static_cast<int16_t>(slot);
  CardSprite& card = g.model.hand[seat][slot];
  card.face_up = true;
  PlayToTable(g, card);
}

// The play a seat answered, checked against the rules before a card moves:
// a seat's answer comes from outside the flow (a worker, later the network),
// and a refused one would otherwise skip the seat's turn unnoticed.
void PlaySeatAnswer(Game& g, const SeatDecision& d) {
  const int seat = g.flow.turn;
  const std::optional<Play> play = PlayOfDecision(g.match, seat, d);
  const PlayError error = play ? CheckPlay(g.match, seat, *play) : PlayError::kCardNotHeld;
  if (error != PlayError::kNone) {
    throw FatalError(kSeatAnswerRoutine, kErrorPlayRefused,
                     "seat " + std::to_string(seat) + " answered a play the rules refuse (" +
                         std::string(PlayErrorName(error)) + ")");
  }
  if (g.options.computer_pace == ComputerPace::kUnhurried) {
    g.flow.held_answer = d;
    g.flow.held_answer_tick = g.clock.GetTickCount();
    return;
  }
  PlayComputerCard(g, d);
}

// True while an unhurried seat's answer is held, and on the frame its card
// starts to move.
bool ServeHeldAnswer(Game& g) {
  FlowData& f = g.flow;
  if (!f.held_answer) return false;
  // A difference, as in a timed wait, so the tick count's wrap does no harm.
  if (g.clock.GetTickCount() - f.held_answer_tick <= kUnhurriedWaitMs) return true;
  const SeatDecision d = *f.held_answer;
  f.held_answer.reset();
  PlayComputerCard(g, d);
  return true;
}

// Asks the seat on turn for its play. A seat that answers at once has its
// card on the way in the same frame; one that thinks is looked at again every
// frame while the others animate.
void AskSeatOnTurn(Game& g, SeatPlayer& player) {
  const int seat = g.flow.turn;
  player.Ask(SeatView(g.match, seat));
  if (const std::optional<SeatDecision> d = player.Answer()) {
    PlaySeatAnswer(g, *d);
  } else {
    g.flow.awaiting_seat = true;
  }
}

// True while a seat's answer is awaited, and on the frame it arrives: the
// card then starts to move on the next frame, as a card decided at once does.
bool AwaitSeatAnswer(Game& g) {
  FlowData& f = g.flow;
  if (!f.awaiting_seat) return false;
  SeatPlayer* player = g.seats.At(f.turn);
  const std::optional<SeatDecision> d = player ? player->Answer() : std::nullopt;
  if (player && !d) return true;
  f.awaiting_seat = false;
  if (d) PlaySeatAnswer(g, *d);
  return true;
}

void PassTurn(Game& g) {
  FlowData& f = g.flow;
  f.timed_wait_served = false;
  f.turn = static_cast<int16_t>((f.turn + 1) % kSeats);
  ClearPlayFlags(g);
  SeatPlayer* player = g.seats.At(f.turn);
  if (player == nullptr) {  // the person at this table
    f.human_picked = false;
    f.human_played = false;
    f.awaiting_human = true;
    return;
  }
  AskSeatOnTurn(g, *player);
}

void StepNormalPlay(Game& g) {
  FlowData& f = g.flow;
  if (AnyCardMoving(g)) {
    for (int slot = 0; slot < kHandSlots && f.state == FlowState::kNormalPlay; ++slot) {
      CardSprite& card = g.model.hand[PersonSeat(g)][slot];
      if (card.moving) MoveCard(g, card);
    }
  }
  if (f.state != FlowState::kNormalPlay || f.awaiting_human) return;
  if (AwaitSeatAnswer(g)) return;
  if (ServeHeldAnswer(g)) return;
  if (AnyCardMoving(g)) {
    MoveCard(g, g.model.hand[f.turn][f.computer_card_slot]);
  } else {
    PassTurn(g);
  }
}

void StepGathering(Game& g, Side side) {
  FlowData& f = g.flow;
  if (AnyCardMoving(g)) {
    MoveGatheringCards(g);
    return;
  }
  if (side == PersonSide(g) && f.turn == PersonSeat(g)) {
    if (!f.capture_confirmed) return;
    f.capture_confirmed = false;
    if (f.capture_declined) {
      f.state = FlowState::kNormalPlay;
      CheckMilestones(g);
      f.capture_declined = false;
      return;
    }
  }
  GatherCaptured(g);
}

void StepToPile(Game& g, Side side) {
  if (AnyCardMoving(g)) {
    MoveTableCards(g);
  } else if (side == Side::kWe) {
    SendToPile(g, g.layout.we_pile_x, g.layout.we_pile_y);
  } else {
    SendToPile(g, g.layout.they_pile_x, g.layout.they_pile_y);
  }
}

void StepSpecialCapture(Game& g, Side side) {
  if (AnyCardMoving(g)) {
    MoveTableCards(g);
  } else {
    SendSpecialCaptureToFan(g, side);
  }
}

void StepRemainders(Game& g, Side side) {
  if (AnyCardMoving(g)) {
    MoveTableCards(g);
  } else if (g.model.table_id_count > 0) {
    MarkAllCaptured(g);
    StepToPile(g, side);
  } else {
    FinishHand(g, side);
  }
}

void StepTimedWait(Game& g) {
  FlowData& f = g.flow;
  // The tick count wraps every 2^32 ms, so the time waited is measured as a
  // difference: `start + length` would wrap too and a wait ending just before
  // the wrap could be stepped over. Strictly more than the length, as a wait
  // has always ended: the first frame past its last millisecond.
  const uint32_t waited = g.clock.GetTickCount() - f.timed_wait_start_tick;
  if (waited > f.timed_wait_length) {
    f.state = f.state_before_timed_wait;
    f.timed_wait_served = true;
  }
}

void StepHandAnimation(Game& g, bool gather) {
  if (AnyCardMoving(g)) {
    MoveHandCards(g);
  } else if (gather) {
    GatherHand(g);
  } else {
    SpreadHand(g);
  }
}

}  // namespace

void StartTimedWait(Game& g, uint32_t milliseconds) {
  FlowData& f = g.flow;
  f.state_before_timed_wait = f.state;
  f.state = FlowState::kTimedWait;
  f.timed_wait_start_tick = g.clock.GetTickCount();
  f.timed_wait_length = milliseconds;
}

void CheckMilestones(Game& g) {
  FlowData& f = g.flow;
  if (SecondDealDue(g.options, f.cards_played)) {
    f.state = FlowState::kDealingCards;
  }
  if (f.cards_played == kCardsPlayedPerHand) {
    // The rules have given the remainders away already.
    const Side last = SideOfSeat(g.match.memory.last_capturer);
    f.state = last == Side::kThey ? FlowState::kTheirRemainders : FlowState::kOurRemainders;
  }
}

void StopThinking(Game& g) {
  g.seats.DropAll();
  g.flow.awaiting_seat = false;
  g.flow.held_answer.reset();
  g.flow.pending_hint.Cancel();
}

void StepFlow(Game& g) {
  switch (g.flow.state) {
    case FlowState::kTimedWait: StepTimedWait(g); break;
    case FlowState::kDealingCards:
      if (g.deal.second_deal_withheld && g.flow.cards_played > 0) break;
      if (AnyCardMoving(g)) {
        MoveCard(g, LastDispatchedDeckCard(g));
      } else {
        DealOneCardToPlayer(g);
      }
      break;
    case FlowState::kDeal4:
      if (AnyCardMoving(g)) {
        MoveCard(g, LastDispatchedDeckCard(g));
      } else {
        DealOneTableCard(g);
      }
      break;
    case FlowState::kNormalPlay: StepNormalPlay(g); break;
    case FlowState::kWeGettingCardsGathering:
    case FlowState::kWeGettingSpecialGathering: StepGathering(g, Side::kWe); break;
    case FlowState::kTheyGettingCardsGathering:
    case FlowState::kTheyGettingSpecialGathering: StepGathering(g, Side::kThey); break;
    case FlowState::kWeGettingCards: StepToPile(g, Side::kWe); break;
    case FlowState::kTheyGettingCards: StepToPile(g, Side::kThey); break;
    case FlowState::kWeGettingSpecial: StepSpecialCapture(g, Side::kWe); break;
    case FlowState::kTheyGettingSpecial: StepSpecialCapture(g, Side::kThey); break;
    case FlowState::kOurRemainders: StepRemainders(g, Side::kWe); break;
    case FlowState::kTheirRemainders: StepRemainders(g, Side::kThey); break;
    case FlowState::kGatherAroundFirstCard: StepHandAnimation(g, true); break;
    case FlowState::kSpreadAheadFirstCard: StepHandAnimation(g, false); break;
    case FlowState::kEndOfMatch: break;
  }
}

}  // namespace vantel
