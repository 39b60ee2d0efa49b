#include "flow/capture.h"
#include "flow/deal.h"
#include "flow/end_of_hand.h"
#include "flow/flow.h"
#include "flow/human_turn.h"
#include "flow/match_sync.h"
#include "flow/movement.h"
#include "flow/observer.h"
#include "flow/table.h"
#include "flow/table_notes.h"

namespace vantel {

namespace {

FlowState GatheringState(const PlayVerdict& verdict) {
  if (verdict.side == Side::kWe) {
    return verdict.special ? FlowState::kWeGettingSpecialGathering
                           : FlowState::kWeGettingCardsGathering;
  }
  return verdict.special ? FlowState::kTheyGettingSpecialGathering
                         : FlowState::kTheyGettingCardsGathering;
}

void LandPlayedCard(Game& g, CardSprite& card) {
  FlowData& f = g.flow;
  f.cards_played += 1;
  AddToTable(g, card);
  const int16_t id = card.card;
  card.x = card.home_x;
  card.y = card.home_y;
  card.shown = false;
  card.face_up = f.turn == PersonSeat(g);
  RebuildHandIds(g, f.turn);
  NotePlayedCard(g, f.turn, id);
  // A computer's play was made as its card set off, and its specials come with
  // it. The person chooses what to take once the card is down; the rules hear
  // of the play then.
  if (f.turn != PersonSeat(g)) MatchShowLanded(g, f.turn, id);
  const PlayVerdict verdict = JudgePlay(g);
  if (f.turn == PersonSeat(g) && !verdict.captures) MatchLayDown(g, f.turn, id);
  if (verdict.captures) f.state = GatheringState(verdict);
  if (verdict.special) AnnounceSpecialCapture(g, verdict.side);
  Notify(g, [&](GameObserver& o) { o.OnLand(g, f.turn, id); });
  if (f.human_played) f.awaiting_human = false;
  if (f.state == FlowState::kNormalPlay) CheckMilestones(g);
  if (!f.timed_wait_served) StartTimedWait(g, kPlayWaitMs);
}

void LandGathered(Game& g, FlowState next) {
  StopTableCards(g);
  g.flow.state = next;
}

// The person's side gathers what it took once the person has chosen; the
// special captures of the choice are known only then.
void LandPersonSideGathered(Game& g, Side side) {
  const bool we = side == Side::kWe;
  LandGathered(g, we ? FlowState::kWeGettingCards : FlowState::kTheyGettingCards);
  const bool special = ApplyHumanCapture(g);
  Notify(g, [&](GameObserver& o) { o.OnApply(g, special); });
  if (special) AnnounceSpecialCapture(g, side);
  if (special && g.flow.turn == PersonSeat(g)) {
    g.flow.state = we ? FlowState::kWeGettingSpecial : FlowState::kTheyGettingSpecial;
  }
}

void LandCardsGathered(Game& g, Side side) {
  if (side == PersonSide(g)) {
    LandPersonSideGathered(g, side);
  } else {
    LandGathered(g, side == Side::kWe ? FlowState::kWeGettingCards : FlowState::kTheyGettingCards);
  }
}

void LandInPile(Game& g, Side side, bool special) {
  StopTableCards(g);
  if (special) {
    BankSpecialCapture(g, side);
  } else {
    BankToPile(g, side);
  }
  CompactTable(g);
  g.flow.state = FlowState::kNormalPlay;
  CheckMilestones(g);
}

}  // namespace

void CardArrived(Game& g, CardSprite& card) {
  if (!card.moving || !HasArrived(g, card)) return;
  card.moving = false;
  switch (g.flow.state) {
    case FlowState::kNormalPlay: LandPlayedCard(g, card); break;
    case FlowState::kDealingCards: LandPlayerCard(g, card); break;
    case FlowState::kDeal4: LandTableCard(g, card); break;
    case FlowState::kWeGettingCardsGathering: LandCardsGathered(g, Side::kWe); break;
    case FlowState::kTheyGettingCardsGathering: LandCardsGathered(g, Side::kThey); break;
    case FlowState::kWeGettingSpecialGathering:
      LandGathered(g, FlowState::kWeGettingSpecial);
      break;
    case FlowState::kTheyGettingSpecialGathering:
      LandGathered(g, FlowState::kTheyGettingSpecial);
      break;
    case FlowState::kWeGettingCards: LandInPile(g, Side::kWe, false); break;
    case FlowState::kTheyGettingCards: LandInPile(g, Side::kThey, false); break;
    case FlowState::kWeGettingSpecial: LandInPile(g, Side::kWe, true); break;
    case FlowState::kTheyGettingSpecial: LandInPile(g, Side::kThey, true); break;
    case FlowState::kOurRemainders: FinishHand(g, Side::kWe); break;
    case FlowState::kTheirRemainders: FinishHand(g, Side::kThey); break;
    case FlowState::kGatherAroundFirstCard:
      StopHandCards(g);
      SortHand(g);
      g.flow.state = FlowState::kSpreadAheadFirstCard;
      break;
    case FlowState::kSpreadAheadFirstCard:
      StopHandCards(g);
      g.flow.state = g.flow.saved_flow_state;
      break;
    case FlowState::kTimedWait:
    case FlowState::kEndOfMatch: break;
  }
}

}  // namespace vantel
