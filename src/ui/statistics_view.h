#pragma once

#include <array>
#include <functional>
#include <string>

#include "game/statistics.h"

namespace vantel {

// What the dialog may do with the player's statistics. Empty functions: none
// kept (the tab shows zeros and cannot reset).
struct StatisticsAccess {
  std::function<Statistics()> read;
  std::function<std::string()> reset;  // empty on success, else why not
};

// One row per count, in kLevelCounts' order.
inline constexpr int kStatisticsRowCount = static_cast<int>(kLevelCounts.size());
// The row captions of the Statistics tab, top to bottom.
extern const std::array<const char*, kStatisticsRowCount> kStatisticsRowNames;

// The text of one cell: row `row` (as kStatisticsRowNames) for one level.
std::string StatisticsCell(const LevelStatistics& level, int row);

}  // namespace vantel
