#include "game/statistics.h"

#include <algorithm>
#include <cstddef>

namespace vantel {
namespace {

void Increment(int64_t& count) {
  count = std::min(count + 1, kMaxStatisticCount);
}

}  // namespace

bool CountFinishedHand(Statistics& statistics, PlayerLevel opponents, const MatchState& match) {
  LevelStatistics& level = statistics.Of(opponents);
  Increment(level.hands_played);
  if (match.outcome == MatchOutcome::kTied) Increment(level.matches_tied);
  if (!match.MatchDecided()) return false;
  Increment(level.matches_played);
  const int64_t margin =
      int64_t{match.Of(Side::kWe).match_points} - match.Of(Side::kThey).match_points;
  if (margin > 0) {
    Increment(level.matches_won);
    level.best_margin = std::clamp(margin, level.best_margin, kMaxStatisticCount);
  } else {
    Increment(level.matches_lost);
  }
  return true;
}

Statistics Combined(const Statistics& kept, const Statistics& more) {
  Statistics sum;
  for (std::size_t i = 0; i < sum.levels.size(); ++i) {
    for (int64_t LevelStatistics::*count : kLevelCounts) {
      const int64_t a = kept.levels[i].*count;
      const int64_t b = more.levels[i].*count;
      sum.levels[i].*count = count == &LevelStatistics::best_margin
                                 ? std::max(a, b)
                                 : std::min(a + b, kMaxStatisticCount);
    }
  }
  return sum;
}

bool Plausible(const LevelStatistics& level) {
  for (int64_t LevelStatistics::*count : kLevelCounts) {
    if (level.*count < 0 || level.*count > kMaxStatisticCount) return false;
  }
  return level.matches_won + level.matches_lost == level.matches_played &&
         (level.matches_won > 0) == (level.best_margin > 0) &&
         level.matches_played <= level.hands_played && level.matches_tied <= level.hands_played;
}

}  // namespace vantel
