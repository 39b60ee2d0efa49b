#pragma once

#include <array>
#include <cstdint>

#include "game/match_state.h"
#include "game/options.h"

namespace vantel {

inline constexpr int kPlayerLevelCount = 2;
// No count grows past this: a kept file holding more was not written by us.
inline constexpr int64_t kMaxStatisticCount = 1'000'000'000;

// What was played against one level of opponents.
struct LevelStatistics {
  int64_t matches_played = 0;  // finished ones: won or lost
  int64_t matches_won = 0;
  int64_t matches_lost = 0;
  // A match that drew level past the target: the game plays it on until one
  // side leads, so it is also counted as won or lost later.
  int64_t matches_tied = 0;
  int64_t hands_played = 0;
  int64_t best_margin = 0;  // our points less theirs in a won match; 0: none won
};

// Every count of LevelStatistics, in the order the statistics file and the
// dialog list them.
inline constexpr std::array<int64_t LevelStatistics::*, 6> kLevelCounts = {
    &LevelStatistics::matches_played, &LevelStatistics::matches_won,
    &LevelStatistics::matches_lost,   &LevelStatistics::matches_tied,
    &LevelStatistics::hands_played,   &LevelStatistics::best_margin};

// The player's record, by the opponents' level.
struct Statistics {
  std::array<LevelStatistics, kPlayerLevelCount> levels{};

  LevelStatistics& Of(PlayerLevel level) { return levels[static_cast<int>(level)]; }
  const LevelStatistics& Of(PlayerLevel level) const { return levels[static_cast<int>(level)]; }
};

// Counts the hand `match` has just scored, and the match when that hand
// decided it. True when the match is over.
bool CountFinishedHand(Statistics& statistics, PlayerLevel opponents, const MatchState& match);

// `kept` with `more` counted on top: two records of separate play (copies of
// the game running at once) make one. Counts add, capped like every count;
// the best margin is the better of the two.
Statistics Combined(const Statistics& kept, const Statistics& more);

// Whether the counts could have come from CountFinishedHand: every count in
// [0, kMaxStatisticCount], won and lost adding up to played, a margin exactly
// when a match was won, no more matches or ties than hands.
bool Plausible(const LevelStatistics& level);

}  // namespace vantel
