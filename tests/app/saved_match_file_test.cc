#include "app/saved_match_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <numeric>
#include <string>

#include "app/match_keeping.h"
#include "flow/deal.h"
#include "flow/make_game.h"
#include "game/clock.h"
#include "game/match_rules.h"
#include "game/random.h"
#include "game/sound.h"

namespace vantel {
namespace {

namespace fs = std::filesystem;

class SavedMatchFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vantel-match-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    file_ = dir_ / "vantel" / "match.json";
    ports_.saved_match_file = file_;
  }
  void TearDown() override { fs::remove_all(dir_); }

  static SavedMatch MidMatch() {
    SavedMatch saved;
    saved.opponents = PlayerLevel::kExpert;
    saved.match = NewMatch(Options{});
    saved.match.Of(Side::kThey).match_points = 12;
    DeckOrder deck{};
    std::iota(deck.begin(), deck.end(), int16_t{0});
    DealHand(saved.match, deck, 2);
    return saved;
  }
  int CorruptCopies() const {
    int n = 0;
    for (const auto& entry : fs::directory_iterator(file_.parent_path())) {
      n += entry.path().filename().string().rfind("match.json.corrupt-", 0) == 0 ? 1 : 0;
    }
    return n;
  }

  fs::path dir_, file_;
  AppPorts ports_;
};

TEST_F(SavedMatchFileTest, AKeptMatchLoadsBackAndIsGoneOnceForgotten) {
  EXPECT_EQ(LoadSavedMatch(file_).message, "");  // none kept: nothing to say
  EXPECT_FALSE(LoadSavedMatch(file_).saved.has_value());
  const SavedMatch saved = MidMatch();
  ASSERT_EQ(KeepSavedMatch(file_, saved), "");
  const LoadedMatch loaded = LoadSavedMatch(file_);
  ASSERT_TRUE(loaded.saved.has_value()) << loaded.message;
  EXPECT_EQ(*loaded.saved, saved);
  EXPECT_EQ(ForgetSavedMatch(file_), "");
  EXPECT_FALSE(fs::exists(file_));
  EXPECT_EQ(ForgetSavedMatch(file_), "");  // already gone is no trouble
}

TEST_F(SavedMatchFileTest, ADamagedMatchIsSetAsideWithAMessageAndNeverStopsTheStart) {
  ASSERT_EQ(KeepSavedMatch(file_, MidMatch()), "");
  std::string text;
  {
    std::ifstream in(file_);
    text.assign(std::istreambuf_iterator<char>(in), {});
  }
  std::ofstream(file_, std::ios::trunc) << text.substr(0, text.size() / 2);  // a cut-short save
  ports_.resume = true;
  EXPECT_FALSE(MatchToResume(ports_).has_value());
  EXPECT_FALSE(fs::exists(file_));
  EXPECT_EQ(CorruptCopies(), 1);

  const LoadedMatch again = LoadSavedMatch(file_);  // nothing left to resume
  EXPECT_FALSE(again.saved.has_value());
  EXPECT_EQ(again.message, "");
}

TEST_F(SavedMatchFileTest, TheOfferDecidesAndAMatchGivenUpIsForgotten) {
  ASSERT_EQ(KeepSavedMatch(file_, MidMatch()), "");
  int offered = 0;
  ports_.offer_resume = [&](const SavedMatch& saved) {
    ++offered;
    EXPECT_EQ(saved.match.Of(Side::kThey).match_points, 12);
    return true;
  };
  EXPECT_TRUE(MatchToResume(ports_).has_value());
  EXPECT_TRUE(fs::exists(file_));  // kept until the match is played on and left or ended

  ports_.skip_dialog = true;  // --skip-dialog: a new match, nothing asked
  EXPECT_FALSE(MatchToResume(ports_).has_value());
  EXPECT_EQ(offered, 1);

  ports_.skip_dialog = false;
  ports_.offer_resume = [](const SavedMatch&) { return false; };
  EXPECT_FALSE(MatchToResume(ports_).has_value());
  EXPECT_FALSE(fs::exists(file_));
}

TEST_F(SavedMatchFileTest, TheEndOfARunKeepsTheMatchInProgressWithItsPlayers) {
  Chance chance(5);
  SilentSound sound;
  ManualClock clock(0);
  Options options;
  options.opponent_level = PlayerLevel::kExpert;
  Game game = MakeGame(options, {chance, sound, clock});
  KeepMatchInProgress(ports_, game);  // before the first deal: nothing
  EXPECT_FALSE(fs::exists(file_));
  NewHand(game);
  KeepMatchInProgress(ports_, game);
  const LoadedMatch loaded = LoadSavedMatch(file_);
  ASSERT_TRUE(loaded.saved.has_value()) << loaded.message;
  EXPECT_EQ(loaded.saved->match, game.match);
  EXPECT_EQ(loaded.saved->opponents, PlayerLevel::kExpert);
  // The resumed match is played as it was, whatever the settings say now.
  const Options played = PlayedAsSaved(Options{}, *loaded.saved);
  EXPECT_EQ(played.opponent_level, PlayerLevel::kExpert);
  EXPECT_EQ(PlayersChoices(played, Options{}).opponent_level, PlayerLevel::kClassic);

  game.match.outcome = MatchOutcome::kWeWon;  // decided: nothing to resume
  game.match.phase = HandPhase::kOver;
  KeepMatchInProgress(ports_, game);
  EXPECT_FALSE(fs::exists(file_));
}

}  // namespace
}  // namespace vantel
