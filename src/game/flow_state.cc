#include "game/flow_state.h"

namespace vantel {

std::string_view FlowStateText(FlowState state) {
  switch (state) {
    case FlowState::DealingCards: return "DEALING CARDS";
    case FlowState::Deal4: return "DEAL 4";
    case FlowState::NormalPlay: return "NORMAL PLAY";
    case FlowState::Paused: return "PAUSED";
    case FlowState::WeGettingCardsGathering: return "WE ARE GETTING CARDS - GOTHERING";
    case FlowState::TheyGettingCardsGathering: return "THEY ARE GETTING CARDS - GOTHERING";
    case FlowState::WeGettingSpecialGathering: return "WE ARE GETTING ZOLT - GOTHERING";
    case FlowState::TheyGettingSpecialGathering: return "THEY ARE GETTING ZOLT - GOTHERING";
    case FlowState::WeGettingCards: return "WE ARE GETTING CARDS";
    case FlowState::TheyGettingCards: return "THEY ARE GETTING CARDS";
    case FlowState::WeGettingSpecial: return "WE ARE GETTING ZOLT";
    case FlowState::TheyGettingSpecial: return "THEY ARE GETTING ZOLT";
    case FlowState::OurRemainders: return "OUR REMAINDERS";
    case FlowState::TheirRemainders: return "THEIR REMAINDERS";
    case FlowState::EndOfMatch: return "END OF MATCH";
    case FlowState::GatherAroundFirstCard: return "GOTHER AROUND FIRST CARD";
    case FlowState::SpreadAheadFirstCard: return "SPREAD AHEAD FIRST CARD";
  }
  return "";
}

}  // namespace vantel
