#include "codec/match_json.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "game/match_check.h"
#include "game/match_rules.h"
#include "support/shuffled_deck.h"

namespace vantel {
namespace {

using nlohmann::json;

// Plays the seat on turn: a random card, taking the first capture it has,
// or laying it down now and then even so.
void PlayOnce(MatchState& s, std::mt19937& engine) {
  const HandCards& hand = s.hands[static_cast<size_t>(s.turn)];
  const int16_t card = hand[static_cast<int>(engine() % static_cast<uint32_t>(hand.Size()))];
  Play play{card, {}};
  if (engine() % 4 != 0) {
    ForEachLegalCapture(s.table.Span(), card, [&](const CaptureSet& set) {
      for (int i = 0; i < set.count; ++i) play.take.PushBack(s.table[set.index[i]]);
      return false;
    });
  }
  ASSERT_TRUE(ApplyPlay(s, s.turn, play).Ok());
}

// Every state of a few random matches, six- and twelve-card hands alike.
std::vector<MatchState> StatesOfRandomMatches() {
  std::vector<MatchState> states;
  std::mt19937 engine(7);
  for (bool twelve : {true, false}) {
    Options options;
    options.twelve_card_deal = twelve ? 1 : 0;
    MatchState s = NewMatch(options);
    states.push_back(s);
    for (int hand = 0; hand < 6; ++hand) {
      DealHand(s, ShuffledDeck(engine), hand % kSeats);
      while (s.phase == HandPhase::kPlaying) {
        states.push_back(s);
        PlayOnce(s, engine);
      }
      states.push_back(s);
    }
  }
  return states;
}

TEST(MatchJsonTest, EveryStateOfAMatchReadsBackEqual) {
  const std::vector<MatchState> states = StatesOfRandomMatches();
  ASSERT_GT(states.size(), 400u);
  for (const MatchState& s : states) {
    ASSERT_EQ(MatchStateProblem(s), "") << MatchToText(s);
    const MatchRead read = MatchFromText(MatchToText(s));
    ASSERT_TRUE(read.state.has_value()) << read.problem << "\n" << MatchToText(s);
    EXPECT_EQ(*read.state, s);
  }
}

// A mid-hand state, written out, to damage one way at a time.
json MidHandJson() {
  std::mt19937 engine(3);
  MatchState s = NewMatch(Options{});
  DealHand(s, ShuffledDeck(engine), 1);
  for (int i = 0; i < 9; ++i) PlayOnce(s, engine);
  return MatchToJson(s);
}

TEST(MatchJsonTest, ADamagedMatchIsRefusedWithTheReason) {
  struct Case {
    const char* what;
    std::function<void(json&)> damage;
    const char* problem;  // a part of the reason given
  };
  const Case cases[] = {
      {"a field missing", [](json& j) { j.erase("turn"); }, "\"turn\": missing"},
      {"a field of the wrong type", [](json& j) { j["turn"] = "2"; }, "\"turn\": wrong type"},
      {"a seat out of range", [](json& j) { j["turn"] = 4; }, "\"turn\": out of range"},
      {"another format", [](json& j) { j["format"] = 2; }, "\"format\""},
      {"a card that is no card", [](json& j) { j["table"].push_back(52); }, "not a card"},
      {"a huge number", [](json& j) { j["dealt"] = 1e12; }, "\"dealt\""},
      {"a hand too large", [](json& j) { j["hands"][0] = std::vector<int>(13, 1); },
       "too many cards"},
      {"three hands", [](json& j) { j["hands"].erase(3); }, "wrong length"},
      {"a card in two places", [](json& j) { j["table"].push_back(j["hands"][0][0]); }, "twice"},
      {"a dealt card gone", [](json& j) { j["table"].erase(0); }, "cards placed"},
      {"a pack with a card twice", [](json& j) { j["deck"][0] = j["deck"][1]; }, "pack"},
      {"a marker never taken", [](json& j) { j["sides"][0]["markers"] = {j["hands"][0][0]}; },
       "marker"},
      {"hands that do not add up",
       [](json& j) { j["cards_played"] = j["cards_played"].get<int>() + 1; }, "add up"},
      {"an unknown phase", [](json& j) { j["phase"] = "paused"; }, "\"phase\": unknown"},
      {"three history rows",
       [](json& j) {
         j["history"] = {{1, 2}, {3, 4}, {5, 6}};
       },
       "too many rows"},
      {"a negative total", [](json& j) { j["sides"][1]["match_points"] = -3; }, "out of range"},
      {"a score beyond reason", [](json& j) { j["sides"][1]["hand"]["scua"] = 900; }, "hand score"},
  };
  const json good = MidHandJson();
  ASSERT_TRUE(MatchFromJson(good).state.has_value());
  for (const Case& c : cases) {
    json damaged = good;
    c.damage(damaged);
    const MatchRead read = MatchFromJson(damaged);
    EXPECT_FALSE(read.state.has_value()) << c.what;
    EXPECT_NE(read.problem.find(c.problem), std::string::npos) << c.what << ": " << read.problem;
  }
  for (const std::string text : {"", "{", "[1,2]", "null", "{\"format\":1}"}) {
    const MatchRead read = MatchFromText(text);
    EXPECT_FALSE(read.state.has_value()) << text;
    EXPECT_FALSE(read.problem.empty()) << text;
  }
  EXPECT_NE(MatchFromText(std::string(kMaxMatchText + 1, ' ')).problem.find("too long"),
            std::string::npos);
}

// Whatever the bytes, reading gives a state the rules can go on from or a
// reason, and a state it gives writes back to the same text.
TEST(MatchJsonTest, DamagedBytesNeverGiveAStateTheRulesCannotUse) {
  const std::string good = MidHandJson().dump();
  std::mt19937 engine(11);
  int accepted = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string text = good;
    for (int k = 0; k <= static_cast<int>(engine() % 3); ++k) {
      text[engine() % text.size()] = static_cast<char>("0123456789,[]{}\":-ae"[engine() % 20]);
    }
    const MatchRead read = MatchFromText(text);
    if (!read.state) {
      EXPECT_FALSE(read.problem.empty());
      continue;
    }
    ++accepted;
    EXPECT_EQ(MatchStateProblem(*read.state), "");
    EXPECT_EQ(MatchFromText(MatchToText(*read.state)).state, read.state);
  }
  EXPECT_GT(accepted, 0);  // some changes (a score, a total) are still a match
}

}  // namespace
}  // namespace vantel
