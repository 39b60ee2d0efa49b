#include "flow/flow_state.h"

namespace vantel {

std::string_view FlowStateText(FlowState state) {
  switch (state) {
    case FlowState::kDealingCards: return "DEALING CARDS";
    case FlowState::kDeal4: return "DEAL 4";
    case FlowState::kNormalPlay: return "NORMAL PLAY";
    case FlowState::kTimedWait: return "PAUSED";
    case FlowState::kWeGettingCardsGathering: return "WE ARE GETTING CARDS - GOTHERING";
    case FlowState::kTheyGettingCardsGathering: return "THEY ARE GETTING CARDS - GOTHERING";
    case FlowState::kWeGettingSpecialGathering: return "WE ARE GETTING ZOLT - GOTHERING";
    case FlowState::kTheyGettingSpecialGathering: return "THEY ARE GETTING ZOLT - GOTHERING";
    case FlowState::kWeGettingCards: return "WE ARE GETTING CARDS";
    case FlowState::kTheyGettingCards: return "THEY ARE GETTING CARDS";
    case FlowState::kWeGettingSpecial: return "WE ARE GETTING ZOLT";
    case FlowState::kTheyGettingSpecial: return "THEY ARE GETTING ZOLT";
    case FlowState::kOurRemainders: return "OUR REMAINDERS";
    case FlowState::kTheirRemainders: return "THEIR REMAINDERS";
    case FlowState::kEndOfMatch: return "END OF MATCH";
    case FlowState::kGatherAroundFirstCard: return "GOTHER AROUND FIRST CARD";
    case FlowState::kSpreadAheadFirstCard: return "SPREAD AHEAD FIRST CARD";
  }
  return "";
}

}  // namespace vantel
