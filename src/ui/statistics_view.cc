#include "ui/statistics_view.h"

#include "ui/statistics_texts.h"

namespace vantel {

const std::array<const char*, kStatisticsRowCount> kStatisticsRowNames = {
    kMatchesPlayedRow, kMatchesWonRow,  kMatchesLostRow,
    kMatchesTiedRow,   kHandsPlayedRow, kBestMarginRow};

std::string StatisticsCell(const LevelStatistics& level, int row) {
  if (row < 0 || row >= kStatisticsRowCount) return "";
  int64_t LevelStatistics::*count = kLevelCounts[static_cast<std::size_t>(row)];
  // A margin exists only once a match was won.
  if (count == &LevelStatistics::best_margin && level.matches_won == 0) return kNoMargin;
  return std::to_string(level.*count);
}

}  // namespace vantel
