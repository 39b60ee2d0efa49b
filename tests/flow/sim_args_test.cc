#include "sim_args.h"

#include <gtest/gtest.h>
#include <utility>

namespace vantel {
namespace {

std::optional<SimArgs> Parse(const std::vector<std::string_view>& args,
                             std::string* error = nullptr) {
  std::string e;
  auto parsed = ParseSimArgs(args, e);
  if (error != nullptr) *error = e;
  return parsed;
}

// Each deck answers to its own name and to the name its pictures are stored under.
TEST(SimArgs, NamesEachDeckByItsNameOrItsStoredName) {
  for (auto [name, deck] : {std::pair{"bresciane", Deck::kBresciane},
                            {"royal", Deck::kBresciane},
                            {"trevigiane", Deck::kTrevigiane},
                            {"trevigiano", Deck::kTrevigiane}}) {
    const auto a = Parse({"--deck", name});
    ASSERT_TRUE(a) << name;
    EXPECT_EQ(a->config.deck, deck) << name;
  }
  EXPECT_FALSE(Parse({"--deck", "trevigian"}));
}

TEST(SimArgs, ReadsEveryOption) {
  const auto a = Parse({"--seed", "7", "--hands", "200", "--six", "--slow", "--deck", "trevigiano",
                        "--human", "random", "--frame-ms", "20", "--trace", "t.jsonl", "--quiet"});
  ASSERT_TRUE(a);
  EXPECT_EQ(a->config.seed, 7u);
  EXPECT_EQ(a->config.hands, 200);
  EXPECT_TRUE(a->config.six && a->config.slow && a->quiet);
  EXPECT_EQ(a->config.deck, Deck::kTrevigiane);
  EXPECT_EQ(a->config.human, HumanMode::kRandom);
  EXPECT_DOUBLE_EQ(a->config.frame_ms, 20.0);
  EXPECT_EQ(a->trace_path, "t.jsonl");
  const SimConfig defaults = Parse({})->config;
  EXPECT_EQ(defaults.hands, 1);
  EXPECT_NEAR(defaults.frame_ms, 16.667, 0.001);
  EXPECT_EQ(HandSize(MakeOptions(a->config)), 6);
  EXPECT_EQ(CardsPerDeal(MakeOptions(a->config)), 24);
}

TEST(SimArgs, FrameLengthUpToAMinuteIsAccepted) {
  std::string error;
  const auto a = Parse({"--frame-ms", "60000"}, &error);
  ASSERT_TRUE(a) << error;
  EXPECT_DOUBLE_EQ(a->config.frame_ms, 60000.0);
}

TEST(SimArgs, RefusesBadArgumentsWithAReason) {
  const std::vector<std::vector<std::string_view>> bad = {{"--seed"},
                                                          {"--seed", "x"},
                                                          {"--seed", "-1"},
                                                          {"--hands", "0"},
                                                          {"--hands", "3x"},
                                                          {"--matches", "-2"},
                                                          {"--deck", "tarot"},
                                                          {"--human", "cat"},
                                                          {"--frame-ms", "0"},
                                                          {"--frame-ms", "nan"},
                                                          {"--frame-ms", "1e16"},
                                                          {"--frame-ms", "60000.5"},
                                                          {"--bogus"},
                                                          {"--hands", "2", "--matches", "1"},
                                                          {"--trace", ""}};
  for (const auto& args : bad) {
    std::string error;
    EXPECT_FALSE(Parse(args, &error)) << args.front();
    EXPECT_FALSE(error.empty()) << args.front();
  }
}

}  // namespace
}  // namespace vantel

namespace vantel {
namespace {

TEST(SimArgs, ChoosesEachSidesPlayersAndPairedRuns) {
  const auto a = Parse({"--we", "expert", "--they", "classic", "--paired", "--matches", "5"});
  ASSERT_TRUE(a);
  EXPECT_EQ(a->config.we, PlayerLevel::kExpert);
  EXPECT_EQ(a->config.they, PlayerLevel::kClassic);
  EXPECT_TRUE(a->paired);
  EXPECT_EQ(MakeOptions(a->config).partner_level, PlayerLevel::kExpert);
  EXPECT_EQ(MakeOptions(a->config).opponent_level, PlayerLevel::kClassic);

  const auto d = Parse({});
  ASSERT_TRUE(d);
  EXPECT_EQ(d->config.we, PlayerLevel::kClassic);
  EXPECT_EQ(d->config.they, PlayerLevel::kClassic);
  EXPECT_FALSE(d->paired);

  std::string error;
  EXPECT_FALSE(Parse({"--they", "strong"}, &error));
  EXPECT_NE(error.find("--they"), std::string::npos);
  EXPECT_FALSE(Parse({"--paired", "--trace", "t.jsonl"}, &error));
}

}  // namespace
}  // namespace vantel
