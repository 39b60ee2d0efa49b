#pragma once

#include <string_view>

namespace vantel {

// The states of a hand. Each has a fixed text (FlowStateText) used in traces
// and logs; the game compares states, never texts.
enum class FlowState {
  DealingCards,                 // "DEALING CARDS"
  Deal4,                        // "DEAL 4"
  NormalPlay,                   // "NORMAL PLAY"
  Paused,                       // "PAUSED"
  WeGettingCardsGathering,      // "WE ARE GETTING CARDS - GOTHERING"
  TheyGettingCardsGathering,    // "THEY ARE GETTING CARDS - GOTHERING"
  WeGettingSpecialGathering,    // "WE ARE GETTING ZOLT - GOTHERING"
  TheyGettingSpecialGathering,  // "THEY ARE GETTING ZOLT - GOTHERING"
  WeGettingCards,               // "WE ARE GETTING CARDS"
  TheyGettingCards,             // "THEY ARE GETTING CARDS"
  WeGettingSpecial,             // "WE ARE GETTING ZOLT"
  TheyGettingSpecial,           // "THEY ARE GETTING ZOLT"
  OurRemainders,                // "OUR REMAINDERS"
  TheirRemainders,              // "THEIR REMAINDERS"
  EndOfMatch,                   // "END OF MATCH"
  GatherAroundFirstCard,        // "GOTHER AROUND FIRST CARD"
  SpreadAheadFirstCard,         // "SPREAD AHEAD FIRST CARD"
};
inline constexpr int kFlowStateCount = 17;

std::string_view FlowStateText(FlowState state);

}  // namespace vantel
