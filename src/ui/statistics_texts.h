#pragma once

#include "i18n/gettext.h"

namespace vantel {

// The texts of the Statistics tab and of the players' levels on the Options tab,
// marked for translation and shown through _().
inline constexpr const char* kStatisticsTabName = N_("Statistics");
inline constexpr const char* kClassicColumn = N_("Classic opponents");
inline constexpr const char* kExpertColumn = N_("Expert opponents");
inline constexpr const char* kMatchesPlayedRow = N_("Matches played");
inline constexpr const char* kMatchesWonRow = N_("Won");
inline constexpr const char* kMatchesLostRow = N_("Lost");
inline constexpr const char* kMatchesTiedRow = N_("Tied, then played on");
inline constexpr const char* kHandsPlayedRow = N_("Hands played");
inline constexpr const char* kBestMarginRow = N_("Best winning margin");
inline constexpr const char* kNoMargin = "-";
inline constexpr const char* kStatisticsNote =
    N_("A match level past the target is played on until one side leads, so it also counts as won "
       "or lost. The counts are saved after each finished match.");
inline constexpr const char* kResetStatisticsCaption = N_("Reset statistics");
inline constexpr const char* kResetStatisticsQuestion =
    N_("Clear all statistics? This cannot be undone.");
inline constexpr const char* kResetStatisticsFailed = N_("The statistics could not be cleared:");

inline constexpr const char* kOpponentsLabel = N_("Opponents:");
inline constexpr const char* kPartnerLabel = N_("Partner:");
inline constexpr const char* kClassicLevelOption = N_("Classic");
inline constexpr const char* kExpertLevelOption = N_("Expert");
inline constexpr const char* kLevelNote =
    N_("Classic players are those of the standard game. Expert players think ahead about the "
       "cards they cannot see.");

}  // namespace vantel
