#include "ui/statistics_view.h"

#include "ui/statistics_texts.h"

namespace vantel {

const std::array<const char*, kStatisticsRowCount> kStatisticsRowNames = {
    kMatchesPlayedRow, kMatchesWonRow,  kMatchesLostRow,
    kMatchesTiedRow,   kHandsPlayedRow, kBestMarginRow};

std::string StatisticsCell(const LevelStatistics& level, int row) {
  switch (row) {
    case 0: return std::to_string(level.matches_played);
    case 1: return std::to_string(level.matches_won);
    case 2: return std::to_string(level.matches_lost);
    case 3: return std::to_string(level.matches_tied);
    case 4: return std::to_string(level.hands_played);
    case 5: return level.matches_won > 0 ? std::to_string(level.best_margin) : kNoMargin;
    default: return "";
  }
}

}  // namespace vantel
