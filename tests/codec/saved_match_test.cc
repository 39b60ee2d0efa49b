#include "codec/saved_match.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>

#include "game/match_rules.h"

namespace vantel {
namespace {

SavedMatch MidMatch() {
  SavedMatch saved;
  saved.opponents = PlayerLevel::kExpert;
  saved.match = NewMatch(Options{});
  saved.match.Of(Side::kWe).match_points = 23;
  saved.match.Of(Side::kThey).match_points = 31;
  saved.match.history_rows = 1;
  saved.match.history[0] = {23, 31};
  DeckOrder deck{};
  std::iota(deck.begin(), deck.end(), int16_t{0});
  DealHand(saved.match, deck, 3);
  return saved;
}

TEST(SavedMatchTest, ReadsBackWhoPlayedAndTheMatch) {
  const SavedMatch saved = MidMatch();
  const SavedMatchRead read = SavedMatchFromText(SavedMatchToText(saved));
  ASSERT_TRUE(read.saved.has_value()) << read.problem;
  EXPECT_EQ(*read.saved, saved);
}

TEST(SavedMatchTest, AnythingElseIsRefusedWithAReason) {
  const std::string good = SavedMatchToText(MidMatch());
  auto changed = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
  };
  const std::string damaged[] = {
      "",
      good.substr(0, good.size() / 2),  // cut short, as by a full disk
      changed("\"format\": 1", "\"format\": 7"),
      changed("\"expert\"", "\"grandmaster\""),
      changed("\"match\"", "\"game\""),
      changed("\"turn\": 3", "\"turn\": 9"),
  };
  for (const std::string& text : damaged) {
    const SavedMatchRead read = SavedMatchFromText(text);
    EXPECT_FALSE(read.saved.has_value()) << text;
    EXPECT_FALSE(read.problem.empty()) << text;
  }
}

}  // namespace
}  // namespace vantel
