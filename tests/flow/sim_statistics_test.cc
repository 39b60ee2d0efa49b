// The statistics as the game keeps them, counted from the flow's end-of-hand
// notices over whole matches, must agree with what the simulator saw happen.
#include <gtest/gtest.h>

#include "game/statistics.h"
#include "simulation.h"

namespace vantel {
namespace {

class StatisticsCounter final : public GameObserver {
 public:
  void OnHandEnd(const Game& g) override {
    CountFinishedHand(statistics, g.options.opponent_level, g.match);
  }
  Statistics statistics;
};

TEST(SimStatisticsTest, EveryHandAndDecidedMatchIsCountedOnce) {
  for (bool six : {false, true}) {
    SCOPED_TRACE(six ? "six-card hands" : "twelve-card hands");
    SimConfig config;
    config.seed = 11;
    config.six = six;
    config.matches = 3;
    StatisticsCounter counter;
    Simulation sim(config, &counter);
    const SimStats stats = sim.Run({});
    ASSERT_FALSE(stats.stuck);
    ASSERT_EQ(stats.matches, 3);
    const LevelStatistics& classic = counter.statistics.Of(PlayerLevel::kClassic);
    EXPECT_EQ(classic.hands_played, stats.hands);
    EXPECT_EQ(classic.matches_played, stats.matches);
    EXPECT_EQ(classic.matches_won, stats.we_wins);
    EXPECT_EQ(classic.matches_lost, stats.they_wins);
    EXPECT_TRUE(Plausible(classic));
    EXPECT_EQ(counter.statistics.Of(PlayerLevel::kExpert).hands_played, 0);
  }
}

}  // namespace
}  // namespace vantel
