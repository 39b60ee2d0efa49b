#include "sim_args.h"

#include <gtest/gtest.h>

namespace vantel {
namespace {

std::optional<SimArgs> Parse(const std::vector<std::string_view>& args,
                             std::string* error = nullptr) {
  std::string e;
  auto parsed = ParseSimArgs(args, e);
  if (error != nullptr) *error = e;
  return parsed;
}

TEST(SimArgs, ReadsEveryOption) {
  const auto a = Parse({"--seed", "7", "--hands", "200", "--six", "--slow", "--deck", "trevigiano",
                        "--human", "random", "--frame-ms", "20", "--trace", "t.jsonl", "--quiet"});
  ASSERT_TRUE(a);
  EXPECT_EQ(a->Config.Seed, 7u);
  EXPECT_EQ(a->Config.Hands, 200);
  EXPECT_TRUE(a->Config.Six && a->Config.Slow && a->Quiet);
  EXPECT_EQ(a->Config.Deck, "Trevigiano");
  EXPECT_EQ(a->Config.Human, HumanMode::Random);
  EXPECT_DOUBLE_EQ(a->Config.FrameMs, 20.0);
  EXPECT_EQ(a->TracePath, "t.jsonl");
  const SimConfig defaults = Parse({})->Config;
  EXPECT_EQ(defaults.Hands, 1);
  EXPECT_NEAR(defaults.FrameMs, 16.667, 0.001);
  EXPECT_EQ(HandSize(MakeOptions(a->Config)), 6);
  EXPECT_EQ(CardsPerDeal(MakeOptions(a->Config)), 24);
}

TEST(SimArgs, FrameLengthUpToAMinuteIsAccepted) {
  std::string error;
  const auto a = Parse({"--frame-ms", "60000"}, &error);
  ASSERT_TRUE(a) << error;
  EXPECT_DOUBLE_EQ(a->Config.FrameMs, 60000.0);
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
