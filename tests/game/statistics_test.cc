#include "game/statistics.h"

#include <gtest/gtest.h>

#include "game/hand_score.h"

namespace vantel {
namespace {

class StatisticsTest : public ::testing::Test {
 protected:
  // Scores a hand that brings the match totals to we / they, the way the end
  // of a hand does, and counts it against `opponents`. A decided match starts
  // again first, as the next deal does.
  bool Hand(int16_t we, int16_t they, PlayerLevel opponents = PlayerLevel::kClassic) {
    if (match_.MatchDecided()) match_ = MatchState{};
    SideState& our = match_.Of(Side::kWe);
    SideState& their = match_.Of(Side::kThey);
    our.hand.points = static_cast<int16_t>(we - our.match_points);
    their.hand.points = static_cast<int16_t>(they - their.match_points);
    ScoreHandIntoMatch(match_);
    return CountFinishedHand(statistics_, opponents, match_);
  }

  MatchState match_;
  Statistics statistics_;
};

TEST_F(StatisticsTest, HandsCountAtOnceAndTheMatchWhenItIsDecided) {
  EXPECT_FALSE(Hand(20, 15));
  EXPECT_FALSE(Hand(45, 40));
  const LevelStatistics& classic = statistics_.Of(PlayerLevel::kClassic);
  EXPECT_EQ(classic.hands_played, 2);
  EXPECT_EQ(classic.matches_played, 0);
  EXPECT_TRUE(Hand(58, 51));
  EXPECT_EQ(classic.hands_played, 3);
  EXPECT_EQ(classic.matches_played, 1);
  EXPECT_EQ(classic.matches_won, 1);
  EXPECT_EQ(classic.matches_lost, 0);
  EXPECT_EQ(classic.best_margin, 7);
  EXPECT_TRUE(Plausible(classic));
}

TEST_F(StatisticsTest, OnlyTheLargestWinningMarginIsKeptAndLossesHaveNone) {
  Hand(70, 40);  // won by 30
  Hand(52, 51);  // won by 1
  Hand(30, 60);  // lost by 30
  const LevelStatistics& classic = statistics_.Of(PlayerLevel::kClassic);
  EXPECT_EQ(classic.matches_played, 3);
  EXPECT_EQ(classic.matches_won, 2);
  EXPECT_EQ(classic.matches_lost, 1);
  EXPECT_EQ(classic.best_margin, 30);
  EXPECT_TRUE(Plausible(classic));
}

TEST_F(StatisticsTest, ALevelFinishIsCountedAndTheMatchPlaysOnToADecision) {
  EXPECT_FALSE(Hand(55, 55));
  const LevelStatistics& classic = statistics_.Of(PlayerLevel::kClassic);
  EXPECT_EQ(classic.matches_tied, 1);
  EXPECT_EQ(classic.matches_played, 0);
  EXPECT_TRUE(Hand(60, 64));
  EXPECT_EQ(classic.matches_tied, 1);
  EXPECT_EQ(classic.matches_lost, 1);
  EXPECT_EQ(classic.best_margin, 0);
  EXPECT_TRUE(Plausible(classic));
}

TEST_F(StatisticsTest, EachOpponentLevelKeepsItsOwnCounts) {
  Hand(60, 10, PlayerLevel::kExpert);
  Hand(20, 10, PlayerLevel::kClassic);
  EXPECT_EQ(statistics_.Of(PlayerLevel::kExpert).matches_won, 1);
  EXPECT_EQ(statistics_.Of(PlayerLevel::kExpert).hands_played, 1);
  EXPECT_EQ(statistics_.Of(PlayerLevel::kClassic).matches_played, 0);
  EXPECT_EQ(statistics_.Of(PlayerLevel::kClassic).hands_played, 1);
}

TEST(StatisticsPlausibleTest, CountsThatCannotAllBeTrueAreRefused) {
  const LevelStatistics good{4, 3, 1, 1, 20, 9};
  EXPECT_TRUE(Plausible(good));
  EXPECT_TRUE(Plausible(LevelStatistics{}));
  auto with = [good](auto change) {
    LevelStatistics l = good;
    change(l);
    return Plausible(l);
  };
  EXPECT_FALSE(with([](LevelStatistics& l) { l.matches_played = 5; }));  // 3 + 1 is not 5
  EXPECT_FALSE(with([](LevelStatistics& l) { l.hands_played = 3; }));    // a match takes a hand
  EXPECT_FALSE(with([](LevelStatistics& l) { l.best_margin = 0; }));     // won, yet no margin
  EXPECT_FALSE(with([](LevelStatistics& l) {
    l.matches_won = 0;
    l.matches_lost = 4;  // nothing won, yet a margin
  }));
  EXPECT_FALSE(with([](LevelStatistics& l) { l.matches_tied = -1; }));
  EXPECT_FALSE(with([](LevelStatistics& l) { l.hands_played = kMaxStatisticCount + 1; }));
}

// Two copies' records of separate play make the record of all of it.
TEST(StatisticsCombinedTest, CountsAddAndTheBetterMarginStays) {
  Statistics kept;
  kept.Of(PlayerLevel::kClassic) = {4, 3, 1, 1, 20, 9};
  kept.Of(PlayerLevel::kExpert) = {1, 0, 1, 0, 3, 0};
  Statistics more;
  more.Of(PlayerLevel::kClassic) = {2, 1, 1, 0, 5, 4};
  more.Of(PlayerLevel::kExpert) = {1, 1, 0, 1, 2, 12};
  const Statistics sum = Combined(kept, more);
  const LevelStatistics& classic = sum.Of(PlayerLevel::kClassic);
  const LevelStatistics& expert = sum.Of(PlayerLevel::kExpert);
  EXPECT_EQ(classic.matches_played, 6);
  EXPECT_EQ(classic.matches_won, 4);
  EXPECT_EQ(classic.matches_lost, 2);
  EXPECT_EQ(classic.matches_tied, 1);
  EXPECT_EQ(classic.hands_played, 25);
  EXPECT_EQ(classic.best_margin, 9);
  EXPECT_EQ(expert.best_margin, 12);
  EXPECT_EQ(expert.matches_tied, 1);
  EXPECT_TRUE(Plausible(classic));
  EXPECT_TRUE(Plausible(expert));
  // Nothing counted on top changes nothing; no count passes the cap.
  EXPECT_EQ(Combined(kept, Statistics{}).Of(PlayerLevel::kClassic).hands_played, 20);
  Statistics full;
  full.Of(PlayerLevel::kClassic).hands_played = kMaxStatisticCount - 1;
  EXPECT_EQ(Combined(full, more).Of(PlayerLevel::kClassic).hands_played, kMaxStatisticCount);
}

}  // namespace
}  // namespace vantel
