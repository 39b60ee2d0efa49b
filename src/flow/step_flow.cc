#include "ai/ai.h"
#include "flow/deal.h"
#include "flow/end_of_hand.h"
#include "flow/flow.h"
#include "flow/human_turn.h"
#include "flow/movement.h"
#include "flow/observer.h"
#include "game/capture.h"

namespace vantel {

namespace {

CardSprite& LastDispatchedDeckCard(Game& g) {
  return g.model.Deck[g.deal.DeckPosition - 1];
}

// The hand slot holding the k-th remaining card of a seat (HandIds order).
int SlotOfPosition(const Game& g, int seat, int k) {
  for (int slot = 0; slot < kHandSlots; ++slot) {
    if (!g.model.Hand[seat][slot].Shown) continue;
    if (k == 0) return slot;
    --k;
  }
  return -1;
}

void PlayComputerCard(Game& g) {
  const int seat = g.flow.Turn;
  const int16_t k = ChooseComputerPlay(g, seat);
  const std::span<const int16_t> capture(g.capture.CaptureIdx.data(),
                                         static_cast<size_t>(g.capture.CaptureCount));
  Notify(g, [&](GameObserver& o) { o.OnTurn(g, seat, k, capture); });
  const int slot = SlotOfPosition(g, seat, k);
  if (slot < 0) return;
  g.flow.ComputerCardSlot = static_cast<int16_t>(slot);
  CardSprite& card = g.model.Hand[seat][slot];
  card.FaceUp = true;
  PlayToTable(g, card);
}

void PassTurn(Game& g) {
  FlowData& f = g.flow;
  f.PauseServed = false;
  f.Turn += 1;
  ClearPlayFlags(g);
  if (f.Turn == 4) {
    f.Turn = 0;
    f.HumanPicked = false;
    f.HumanPlayed = false;
    f.AwaitingHuman = true;
    return;
  }
  PlayComputerCard(g);
}

void StepNormalPlay(Game& g) {
  FlowData& f = g.flow;
  if (AnyCardMoving(g)) {
    for (int slot = 0; slot < kHandSlots && f.State == FlowState::NormalPlay; ++slot) {
      if (g.model.Hand[0][slot].Moving) MoveCard(g, g.model.Hand[0][slot]);
    }
  }
  if (f.State != FlowState::NormalPlay || f.AwaitingHuman) return;
  if (AnyCardMoving(g)) {
    MoveCard(g, g.model.Hand[f.Turn][f.ComputerCardSlot]);
  } else {
    PassTurn(g);
  }
}

void StepGathering(Game& g, bool ourSide) {
  FlowData& f = g.flow;
  if (AnyCardMoving(g)) {
    MoveGatheringCards(g);
    return;
  }
  if (ourSide && f.Turn == 0) {
    if (!f.CaptureConfirmed) return;
    f.CaptureConfirmed = false;
    if (f.CaptureDeclined) {
      f.State = FlowState::NormalPlay;
      CheckMilestones(g);
      f.CaptureDeclined = false;
      return;
    }
  }
  GatherCaptured(g);
}

void StepToPile(Game& g, Side side) {
  if (AnyCardMoving(g)) {
    MoveTableCards(g);
  } else if (side == Side::We) {
    SendToPile(g, g.layout.WePileX, g.layout.WePileY);
  } else {
    SendToPile(g, g.layout.TheyPileX, g.layout.TheyPileY);
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
  } else if (g.model.TableIdCount > 0) {
    MarkAllCaptured(g);
    StepToPile(g, side);
  } else {
    FinishHand(g, side);
  }
}

void StepPaused(Game& g) {
  FlowData& f = g.flow;
  if (g.clock.GetTickCount() > f.PauseStartTick + f.PauseLength) {
    f.State = f.StateBeforePause;
    f.PauseServed = true;
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

void StartPause(Game& g, uint32_t milliseconds) {
  FlowData& f = g.flow;
  f.StateBeforePause = f.State;
  f.State = FlowState::Paused;
  f.PauseStartTick = g.clock.GetTickCount();
  f.PauseLength = milliseconds;
}

void CheckMilestones(Game& g) {
  FlowData& f = g.flow;
  if (f.CardsPlayed == CardsPerDeal(g.options) && !DealsTwelve(g.options)) {
    f.State = FlowState::DealingCards;
  }
  if (f.CardsPlayed == kCardsPlayedPerHand) {
    const Side last = SideOfSeat(g.capture.LastCapturer);
    f.State = last == Side::They ? FlowState::TheirRemainders : FlowState::OurRemainders;
  }
}

void StepFlow(Game& g) {
  switch (g.flow.State) {
    case FlowState::Paused: StepPaused(g); break;
    case FlowState::DealingCards:
      if (AnyCardMoving(g)) {
        MoveCard(g, LastDispatchedDeckCard(g));
      } else {
        DealOneCardToPlayer(g);
      }
      break;
    case FlowState::Deal4:
      if (AnyCardMoving(g)) {
        MoveCard(g, LastDispatchedDeckCard(g));
      } else {
        DealOneTableCard(g);
      }
      break;
    case FlowState::NormalPlay: StepNormalPlay(g); break;
    case FlowState::WeGettingCardsGathering:
    case FlowState::WeGettingSpecialGathering: StepGathering(g, true); break;
    case FlowState::TheyGettingCardsGathering:
    case FlowState::TheyGettingSpecialGathering: StepGathering(g, false); break;
    case FlowState::WeGettingCards: StepToPile(g, Side::We); break;
    case FlowState::TheyGettingCards: StepToPile(g, Side::They); break;
    case FlowState::WeGettingSpecial: StepSpecialCapture(g, Side::We); break;
    case FlowState::TheyGettingSpecial: StepSpecialCapture(g, Side::They); break;
    case FlowState::OurRemainders: StepRemainders(g, Side::We); break;
    case FlowState::TheirRemainders: StepRemainders(g, Side::They); break;
    case FlowState::GatherAroundFirstCard: StepHandAnimation(g, true); break;
    case FlowState::SpreadAheadFirstCard: StepHandAnimation(g, false); break;
    case FlowState::EndOfMatch: break;
  }
}

}  // namespace vantel
