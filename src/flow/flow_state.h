#pragma once

#include <string_view>

namespace vantel {

// The states of a hand. Each has a fixed text (FlowStateText) used in traces
// and logs; the game compares states, never texts. kTimedWait is the short
// wait after a card lands, whose text says "PAUSED"; the player's own pause
// (P) is FlowData::game_paused and no state of its own.
enum class FlowState {
  kDealingCards,                 // "DEALING CARDS"
  kDeal4,                        // "DEAL 4"
  kNormalPlay,                   // "NORMAL PLAY"
  kTimedWait,                    // "PAUSED"
  kWeGettingCardsGathering,      // "WE ARE GETTING CARDS - GOTHERING"
  kTheyGettingCardsGathering,    // "THEY ARE GETTING CARDS - GOTHERING"
  kWeGettingSpecialGathering,    // "WE ARE GETTING ZOLT - GOTHERING"
  kTheyGettingSpecialGathering,  // "THEY ARE GETTING ZOLT - GOTHERING"
  kWeGettingCards,               // "WE ARE GETTING CARDS"
  kTheyGettingCards,             // "THEY ARE GETTING CARDS"
  kWeGettingSpecial,             // "WE ARE GETTING ZOLT"
  kTheyGettingSpecial,           // "THEY ARE GETTING ZOLT"
  kOurRemainders,                // "OUR REMAINDERS"
  kTheirRemainders,              // "THEIR REMAINDERS"
  kEndOfMatch,                   // "END OF MATCH"
  kGatherAroundFirstCard,        // "GOTHER AROUND FIRST CARD"
  kSpreadAheadFirstCard,         // "SPREAD AHEAD FIRST CARD"
};
inline constexpr int kFlowStateCount = 17;

std::string_view FlowStateText(FlowState state);

}  // namespace vantel
