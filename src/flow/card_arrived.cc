#include "flow/deal.h"
#include "flow/end_of_hand.h"
#include "flow/flow.h"
#include "flow/human_turn.h"
#include "flow/movement.h"
#include "flow/observer.h"
#include "game/capture.h"
#include "game/table.h"

namespace vantel {

namespace {

FlowState GatheringState(const PlayVerdict& verdict) {
  if (verdict.side == Side::We) {
    return verdict.special ? FlowState::WeGettingSpecialGathering
                           : FlowState::WeGettingCardsGathering;
  }
  return verdict.special ? FlowState::TheyGettingSpecialGathering
                         : FlowState::TheyGettingCardsGathering;
}

void LandPlayedCard(Game& g, CardSprite& card) {
  FlowData& f = g.flow;
  f.CardsPlayed += 1;
  AddToTable(g, card);
  const int16_t id = card.Card;
  card.X = card.HomeX;
  card.Y = card.HomeY;
  card.Shown = false;
  card.FaceUp = f.Turn == 0;
  RebuildHandIds(g, f.Turn);
  // The human's card only may capture until the human chooses; it becomes the
  // last capture when the selection is confirmed, not if it is declined.
  const int16_t capturer = g.capture.LastCapturer;
  const PlayVerdict verdict = JudgePlay(g);
  if (verdict.captures) f.State = GatheringState(verdict);
  if (f.Turn == 0) g.capture.LastCapturer = capturer;
  Notify(g, [&](GameObserver& o) { o.OnLand(g, f.Turn, id); });
  if (f.HumanPlayed) f.AwaitingHuman = false;
  if (f.State == FlowState::NormalPlay) CheckMilestones(g);
  if (!f.PauseServed) StartPause(g, kPlayPauseMs);
}

void LandGathered(Game& g, FlowState next) {
  StopTableCards(g);
  g.flow.State = next;
}

void LandOurGathered(Game& g) {
  LandGathered(g, FlowState::WeGettingCards);
  const bool special = ApplyHumanCapture(g);
  Notify(g, [&](GameObserver& o) { o.OnApply(g, special); });
  if (special && g.flow.Turn == 0) g.flow.State = FlowState::WeGettingSpecial;
}

void LandInPile(Game& g, Side side, bool special) {
  StopTableCards(g);
  if (special) {
    BankSpecialCapture(g, side);
  } else {
    BankToPile(g, side);
  }
  CompactTable(g);
  g.flow.State = FlowState::NormalPlay;
  CheckMilestones(g);
}

}  // namespace

void CardArrived(Game& g, CardSprite& card) {
  if (!card.Moving || !HasArrived(g, card)) return;
  card.Moving = false;
  switch (g.flow.State) {
    case FlowState::NormalPlay: LandPlayedCard(g, card); break;
    case FlowState::DealingCards: LandPlayerCard(g, card); break;
    case FlowState::Deal4: LandTableCard(g, card); break;
    case FlowState::WeGettingCardsGathering: LandOurGathered(g); break;
    case FlowState::TheyGettingCardsGathering: LandGathered(g, FlowState::TheyGettingCards); break;
    case FlowState::WeGettingSpecialGathering: LandGathered(g, FlowState::WeGettingSpecial); break;
    case FlowState::TheyGettingSpecialGathering:
      LandGathered(g, FlowState::TheyGettingSpecial);
      break;
    case FlowState::WeGettingCards: LandInPile(g, Side::We, false); break;
    case FlowState::TheyGettingCards: LandInPile(g, Side::They, false); break;
    case FlowState::WeGettingSpecial: LandInPile(g, Side::We, true); break;
    case FlowState::TheyGettingSpecial: LandInPile(g, Side::They, true); break;
    case FlowState::OurRemainders: FinishHand(g, Side::We); break;
    case FlowState::TheirRemainders: FinishHand(g, Side::They); break;
    case FlowState::GatherAroundFirstCard:
      StopHandCards(g);
      SortHand(g);
      g.flow.State = FlowState::SpreadAheadFirstCard;
      break;
    case FlowState::SpreadAheadFirstCard:
      StopHandCards(g);
      g.flow.State = g.flow.SavedFlowState;
      break;
    case FlowState::Paused:
    case FlowState::EndOfMatch: break;
  }
}

}  // namespace vantel
