#include "ui/statistics_view.h"

#include <gtest/gtest.h>

#include <string>

namespace vantel {
namespace {

TEST(StatisticsViewTest, EachRowShowsItsOwnCount) {
  const LevelStatistics level{12, 7, 5, 2, 61, 23};
  const std::string want[kStatisticsRowCount] = {"12", "7", "5", "2", "61", "23"};
  for (int row = 0; row < kStatisticsRowCount; ++row)
    EXPECT_EQ(StatisticsCell(level, row), want[row]) << kStatisticsRowNames[row];
}

TEST(StatisticsViewTest, NoMarginIsShownBeforeAMatchIsWon) {
  const int margin_row = kStatisticsRowCount - 1;
  EXPECT_EQ(StatisticsCell(LevelStatistics{3, 0, 3, 0, 9, 0}, margin_row), "-");
  EXPECT_EQ(StatisticsCell(LevelStatistics{}, 0), "0");
}

}  // namespace
}  // namespace vantel
