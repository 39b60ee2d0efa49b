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
  card.face_up = f.turn == 0;
  RebuildHandIds(g, f.turn);
  // The human's card only may capture until the human chooses; it becomes the
  // last capture when the selection is confirmed, not if it is declined.
  const int16_t capturer = g.capture.last_capturer;
  NotePlayedCard(g, f.turn, id);
  const PlayVerdict verdict = JudgePlay(g);
  // The person chooses what to take once the card is down; the rules hear
  // of the play then.
  const bool person_chooses = f.turn == kHumanSeat && verdict.captures;
  if (!person_chooses && verdict.captures) {
    const CaptureState& c = g.capture;
    MatchTake(g, f.turn, id, {c.capture_idx.data(), static_cast<size_t>(c.capture_count)});
  } else if (!person_chooses) {
    MatchLayDown(g, f.turn, id);
  }
  if (verdict.captures) f.state = GatheringState(verdict);
  if (verdict.special) AnnounceSpecialCapture(g, verdict.side);
  if (f.turn == 0) g.capture.last_capturer = capturer;
  Notify(g, [&](GameObserver& o) { o.OnLand(g, f.turn, id); });
  if (f.human_played) f.awaiting_human = false;
  if (f.state == FlowState::kNormalPlay) CheckMilestones(g);
  if (!f.timed_wait_served) StartTimedWait(g, kPlayWaitMs);
}

void LandGathered(Game& g, FlowState next) {
  StopTableCards(g);
  g.flow.state = next;
}

void LandOurGathered(Game& g) {
  LandGathered(g, FlowState::kWeGettingCards);
  const bool special = ApplyHumanCapture(g);
  Notify(g, [&](GameObserver& o) { o.OnApply(g, special); });
  if (special) AnnounceSpecialCapture(g, Side::kWe);
  if (special && g.flow.turn == 0) g.flow.state = FlowState::kWeGettingSpecial;
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
    case FlowState::kWeGettingCardsGathering: LandOurGathered(g); break;
    case FlowState::kTheyGettingCardsGathering:
      LandGathered(g, FlowState::kTheyGettingCards);
      break;
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
