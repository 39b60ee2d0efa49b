#pragma once

namespace vantel {

// The texts of the Statistics tab and of the players' levels on the Options tab.
inline constexpr const char* kStatisticsTabName = "Statistics";
inline constexpr const char* kClassicColumn = "Classic opponents";
inline constexpr const char* kExpertColumn = "Expert opponents";
inline constexpr const char* kMatchesPlayedRow = "Matches played";
inline constexpr const char* kMatchesWonRow = "Won";
inline constexpr const char* kMatchesLostRow = "Lost";
inline constexpr const char* kMatchesTiedRow = "Tied, then played on";
inline constexpr const char* kHandsPlayedRow = "Hands played";
inline constexpr const char* kBestMarginRow = "Best winning margin";
inline constexpr const char* kNoMargin = "-";
inline constexpr const char* kStatisticsNote =
    "A match level past the target is played on until one side leads, so it also counts as won "
    "or lost. The counts are saved after each finished match.";
inline constexpr const char* kResetStatisticsCaption = "Reset statistics";
inline constexpr const char* kResetStatisticsQuestion =
    "Clear all statistics? This cannot be undone.";
inline constexpr const char* kResetStatisticsFailed = "The statistics could not be cleared:";

inline constexpr const char* kOpponentsLabel = "Opponents:";
inline constexpr const char* kPartnerLabel = "Partner:";
inline constexpr const char* kClassicLevelOption = "Classic";
inline constexpr const char* kExpertLevelOption = "Expert";
inline constexpr const char* kLevelNote =
    "Classic players are those of the standard game. Expert players think ahead about the cards "
    "they cannot see.";

}  // namespace vantel
