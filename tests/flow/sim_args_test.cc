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
  const auto a = Parse(
      {"--seed",           "7",      "--hands",         "200",     "--six",
       "--slow",           "--deck", "trevigiano",      "--human", "random",
       "--frame-ms",       "20",     "--trace",         "t.jsonl", "--quiet",
       "--screenshot-dir", "s",      "--screenshot-at", "5",       "--screenshot-round-view"});
  ASSERT_TRUE(a);
  EXPECT_TRUE(a->shots.round_view);
  EXPECT_FALSE(Parse({})->shots.round_view);
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

// Each number out of its range is refused with a message that names the
// option and what it takes; the ends of each range are accepted.
TEST(SimArgs, HoldsEveryNumberToItsRangeAndSaysWhichRange) {
  struct Case {
    std::string_view option, value, range;
  };
  const std::vector<Case> bad = {{"--frame-ms", "1e-300", "from 1 to 60000"},
                                 {"--frame-ms", "0.999", "from 1 to 60000"},
                                 {"--frame-ms", "-16", "from 1 to 60000"},
                                 {"--frame-ms", "inf", "from 1 to 60000"},
                                 {"--frame-ms", "-inf", "from 1 to 60000"},
                                 {"--frame-ms", "NaN", "from 1 to 60000"},
                                 {"--frame-ms", "1e400", "from 1 to 60000"},
                                 {"--frame-ms", " 20", "from 1 to 60000"},
                                 {"--hands", "0", "from 1 to 10000000"},
                                 {"--hands", "10000001", "from 1 to 10000000"},
                                 {"--hands", "-3", "from 1 to 10000000"},
                                 {"--hands", "99999999999999999999", "to"},
                                 {"--matches", "0", "from 1 to 1000000"},
                                 {"--matches", "1000001", "from 1 to 1000000"},
                                 {"--seed", "-1", "from 0 to 4294967295"},
                                 {"--human-seat", "4", "from 0 to 3"},
                                 {"--human-seat", "-1", "from 0 to 3"},
                                 {"--seed", "4294967296", "from 0 to 4294967295"},
                                 {"--seed", "", "from 0 to 4294967295"},
                                 {"--screenshot-every", "0", "from 1 to"},
                                 {"--screenshot-every", "1000000000001", "to 1000000000000"},
                                 {"--screenshot-at", "5,0", "from 1 to 1000000000000"},
                                 {"--screenshot-at", "1,1000000000001", "from 1 to 1000000000000"}};
  for (const Case& c : bad) {
    std::string error;
    EXPECT_FALSE(Parse({c.option, c.value}, &error)) << c.option << " " << c.value;
    EXPECT_NE(error.find(c.option), std::string::npos) << error;
    EXPECT_NE(error.find(c.range), std::string::npos) << error;
  }
  std::string error;
  auto a =
      Parse({"--frame-ms", "1", "--hands", "10000000", "--seed", "4294967295", "--human-seat", "3"},
            &error);
  ASSERT_TRUE(a) << error;
  EXPECT_EQ(a->config.human_seat, 3);
  EXPECT_DOUBLE_EQ(a->config.frame_ms, 1.0);
  EXPECT_EQ(a->config.hands, 10000000);
  EXPECT_EQ(a->config.seed, 4294967295u);
  a = Parse({"--seed", "0", "--matches", "1000000", "--screenshot-dir", "d", "--screenshot-every",
             "1000000000000", "--screenshot-at", "1,1000000000000"},
            &error);
  ASSERT_TRUE(a) << error;
  EXPECT_EQ(a->config.seed, 0u);
  EXPECT_EQ(a->config.matches, 1000000);
  EXPECT_EQ(a->shots.every, 1000000000000);
  EXPECT_EQ(a->shots.at, (std::vector<int64_t>{1, 1000000000000}));
}

// A second value would have replaced the first without a word.
TEST(SimArgs, RefusesAnOptionGivenTwice) {
  const std::vector<std::vector<std::string_view>> twice = {
      {"--hands", "1", "--hands", "2"},
      {"--seed", "3", "--six", "--seed", "3"},
      {"--trace", "a.jsonl", "--trace", "b.jsonl"},
      {"--we", "expert", "--we", "classic"},
      {"--six", "--six"},
      {"-h", "--help"}};
  for (const auto& args : twice) {
    std::string error;
    EXPECT_FALSE(Parse(args, &error)) << args.front();
    EXPECT_NE(error.find(args.front() == "-h" ? "--help" : args.front()), std::string::npos)
        << error;
    EXPECT_NE(error.find("more than once"), std::string::npos) << error;
  }
  // An option's value may look like another option's name.
  std::string error;
  const auto a = Parse({"--trace", "--hands", "--hands", "2"}, &error);
  ASSERT_TRUE(a) << error;
  EXPECT_EQ(a->trace_path, "--hands");
  EXPECT_EQ(a->config.hands, 2);
}

// The shortest frame still lets the slowest hand end within the frames a
// hand is given, every pause included.
TEST(SimArgs, TheShortestFrameStillEndsEveryHand) {
  const auto a = Parse({"--frame-ms", "1", "--slow", "--six", "--human", "random", "--hands", "2"});
  ASSERT_TRUE(a);
  Simulation sim(a->config);
  const SimStats stats = sim.Run({});
  EXPECT_FALSE(stats.stuck);
  EXPECT_EQ(stats.hands, 2);
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
