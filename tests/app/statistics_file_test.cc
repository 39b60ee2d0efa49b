#include "app/statistics_file.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/kept_file.h"
#include "app/statistics_store.h"
#include "flow/make_game.h"
#include "game/hand_score.h"
#include "game/sound.h"
#include "support/file_contents.h"

namespace vantel {
namespace {

namespace fs = std::filesystem;

class StatisticsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vantel-statistics-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    file_ = dir_ / "vantel" / "statistics.ini";
  }
  void TearDown() override {
    if (fs::exists(dir_ / "vantel")) fs::permissions(dir_ / "vantel", fs::perms::owner_all);
    fs::remove_all(dir_);
  }
  void Write(const std::string& text) {
    fs::create_directories(file_.parent_path());
    std::ofstream(file_) << text;
  }
  // Every file in the folder but the lock beside the file, which stays once made.
  std::vector<fs::path> FilesBeside() const {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(file_.parent_path())) {
      if (entry.path().filename() != "statistics.ini.lock") files.push_back(entry.path());
    }
    return files;
  }

  fs::path dir_;
  fs::path file_;
};

Statistics Kept() {
  Statistics s;
  s.Of(PlayerLevel::kClassic) = {12, 7, 5, 2, 61, 23};
  s.Of(PlayerLevel::kExpert) = {3, 0, 3, 0, 9, 0};
  return s;
}

void ExpectSame(const Statistics& a, const Statistics& b) {
  for (int i = 0; i < kPlayerLevelCount; ++i) {
    const LevelStatistics& x = a.levels[i];
    const LevelStatistics& y = b.levels[i];
    EXPECT_EQ(x.matches_played, y.matches_played) << "level " << i;
    EXPECT_EQ(x.matches_won, y.matches_won) << "level " << i;
    EXPECT_EQ(x.matches_lost, y.matches_lost) << "level " << i;
    EXPECT_EQ(x.matches_tied, y.matches_tied) << "level " << i;
    EXPECT_EQ(x.hands_played, y.hands_played) << "level " << i;
    EXPECT_EQ(x.best_margin, y.best_margin) << "level " << i;
  }
}

TEST_F(StatisticsFileTest, WhatIsSavedComesBackAndNoTemporaryFileStays) {
  ASSERT_EQ(SaveStatistics(file_, Kept()), "");  // the folder is made
  LoadedStatistics loaded = LoadStatistics(file_);
  EXPECT_EQ(loaded.state, StatisticsFileState::kRead);
  EXPECT_EQ(loaded.message, "");
  ExpectSame(loaded.statistics, Kept());
  // Written again over the old file.
  ASSERT_EQ(SaveStatistics(file_, Statistics{}), "");
  ExpectSame(LoadStatistics(file_).statistics, Statistics{});
  EXPECT_EQ(FilesBeside().size(), 1U);
}

TEST_F(StatisticsFileTest, AMissingFileOrGroupCountsFromZeroQuietly) {
  LoadedStatistics none = LoadStatistics(file_);
  EXPECT_EQ(none.state, StatisticsFileState::kMissing);
  EXPECT_EQ(none.message, "");
  ExpectSame(none.statistics, Statistics{});
  // A file from before the Expert level: its counts read, the rest zero.
  Write("[classic]\nmatches_played=2\nmatches_won=2\nhands_played=5\nbest_margin=4\n");
  LoadedStatistics old = LoadStatistics(file_);
  EXPECT_EQ(old.state, StatisticsFileState::kRead);
  EXPECT_EQ(old.statistics.Of(PlayerLevel::kClassic).matches_won, 2);
  EXPECT_EQ(old.statistics.Of(PlayerLevel::kClassic).best_margin, 4);
  EXPECT_EQ(old.statistics.Of(PlayerLevel::kExpert).hands_played, 0);
}

// Each is corrupt in its own way; each is set aside whole and counting starts
// again, with one line that names the file.
TEST_F(StatisticsFileTest, ACorruptFileIsSetAsideWholeAndCountingStartsAgain) {
  const char* corrupt[] = {
      "this is [not a key file\n\x01\x02 = =\n",
      "[classic]\nmatches_played=many\n",
      "[expert]\nhands_played=99999999999999999999999\n",
      "[classic]\nmatches_played=3\nmatches_won=1\nmatches_lost=1\nbest_margin=2\n",
      "[classic]\nhands_played=-4\n",
      "\xff\xfe[classic]\n",
  };
  for (const char* text : corrupt) {
    SCOPED_TRACE(text);
    fs::remove_all(file_.parent_path());
    Write(text);
    LoadedStatistics loaded = LoadStatistics(file_);
    EXPECT_EQ(loaded.state, StatisticsFileState::kSetAside);
    ExpectSame(loaded.statistics, Statistics{});
    EXPECT_NE(loaded.message.find(file_.string()), std::string::npos) << loaded.message;
    EXPECT_EQ(loaded.message.find('\n'), std::string::npos);
    EXPECT_FALSE(fs::exists(file_));
    const std::vector<fs::path> files = FilesBeside();
    ASSERT_EQ(files.size(), 1U);
    EXPECT_EQ(files[0].filename().string().rfind("statistics.ini.corrupt-", 0), 0U);
    EXPECT_EQ(FileContents(files[0]), text);
    EXPECT_NE(loaded.message.find(files[0].string()), std::string::npos) << loaded.message;
  }
}

TEST_F(StatisticsFileTest, ASecondCorruptFileDoesNotReplaceTheFirstSetAside) {
  Write("[classic\n");
  LoadStatistics(file_);
  Write("[expert\n");
  LoadStatistics(file_);  // within the same second: a name of its own all the same
  std::vector<std::string> kept;
  for (const fs::path& f : FilesBeside()) kept.push_back(FileContents(f));
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(kept, (std::vector<std::string>{"[classic\n", "[expert\n"}));
}

TEST_F(StatisticsFileTest, AFileThatCannotBeReadIsLeftAlone) {
  // A folder where the file should be: no key file, but not a corrupt one.
  fs::create_directories(file_);
  LoadedStatistics loaded = LoadStatistics(file_);
  EXPECT_EQ(loaded.state, StatisticsFileState::kUnreadable);
  EXPECT_NE(loaded.message, "");
  EXPECT_TRUE(fs::is_directory(file_));
  EXPECT_EQ(FilesBeside().size(), 1U);
}

TEST_F(StatisticsFileTest, AReadOnlyFolderCostsOnlyTheSaving) {
  if (geteuid() == 0) {
    std::ofstream(dir_ / "vantel") << "a file where the folder should be";
  } else {
    fs::create_directories(file_.parent_path());
    fs::permissions(file_.parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
  }
  const std::string problem = SaveStatistics(file_, Kept());
  EXPECT_NE(problem, "");
  EXPECT_EQ(problem.find('\n'), std::string::npos);
}

TEST_F(StatisticsFileTest, ThePathFollowsXdgDataHomeOrHome) {
  const char* old_xdg = std::getenv("XDG_DATA_HOME");
  const std::string kept_xdg = old_xdg ? old_xdg : "";
  const char* old_home = std::getenv("HOME");
  const std::string kept_home = old_home ? old_home : "";
  setenv("XDG_DATA_HOME", "/x/data", 1);
  EXPECT_EQ(StatisticsPath(), fs::path("/x/data/vantel/statistics.ini"));
  setenv("HOME", "/home/player", 1);
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(StatisticsPath(), fs::path("/home/player/.local/share/vantel/statistics.ini"));
  setenv("XDG_DATA_HOME", "", 1);
  EXPECT_EQ(StatisticsPath(), fs::path("/home/player/.local/share/vantel/statistics.ini"));
  if (old_xdg) {
    setenv("XDG_DATA_HOME", kept_xdg.c_str(), 1);
  } else {
    unsetenv("XDG_DATA_HOME");
  }
  if (old_home) setenv("HOME", kept_home.c_str(), 1);
}

// Ends a hand of `game` that brings the match totals to we / they, and hands
// it to the store as the flow's observer would.
void FinishHand(Game& game, StatisticsStore& store, int16_t we, int16_t they) {
  MatchState& m = game.match;
  if (m.MatchDecided()) m = MatchState{};
  SideState& our = m.Of(Side::kWe);
  SideState& their = m.Of(Side::kThey);
  our.hand.points = static_cast<int16_t>(we - our.match_points);
  their.hand.points = static_cast<int16_t>(they - their.match_points);
  ScoreHandIntoMatch(m);
  store.OnHandEnd(game);
}

// One copy of the game: a game of its own and a store over the shared file.
struct Copy {
  explicit Copy(const fs::path& file)
      : store(file, [this](std::string_view line) { warnings.emplace_back(line); }) {}
  Copy(const Copy&) = delete;
  Copy& operator=(const Copy&) = delete;

  Chance chance{5};
  SilentSound sound;
  ManualClock clock;
  Game game = MakeGame(Options{}, {chance, sound, clock});
  std::vector<std::string> warnings;
  StatisticsStore store;
};

// The store as the game uses it: a game's end-of-hand scores are handed to it
// as the flow's observer would.
class StatisticsStoreTest : public StatisticsFileTest {
 protected:
  StatisticsStore MakeStore() {
    return StatisticsStore(file_, [this](std::string_view line) { warnings_.emplace_back(line); });
  }
  void EndHand(StatisticsStore& store, int16_t we, int16_t they) {
    FinishHand(game_, store, we, they);
  }

  Chance chance_{3};
  SilentSound sound_;
  ManualClock clock_;
  Game game_ = MakeGame(Options{}, {chance_, sound_, clock_});
  std::vector<std::string> warnings_;
};

TEST_F(StatisticsStoreTest, TheFileIsWrittenWhenAMatchIsDecidedAndAddsToWhatWasKept) {
  ASSERT_EQ(SaveStatistics(file_, Kept()), "");
  StatisticsStore store = MakeStore();
  store.Load();
  game_.options.opponent_level = PlayerLevel::kExpert;
  EndHand(store, 30, 20);
  // A hand alone is not written yet.
  ExpectSame(LoadStatistics(file_).statistics, Kept());
  EndHand(store, 55, 40);
  Statistics want = Kept();
  want.Of(PlayerLevel::kExpert) = {4, 1, 3, 0, 11, 15};
  ExpectSame(store.Current(), want);
  ExpectSame(LoadStatistics(file_).statistics, want);
  // Leaving mid-match keeps the hands played so far.
  EndHand(store, 10, 5);
  store.SaveIfChanged();
  EXPECT_EQ(LoadStatistics(file_).statistics.Of(PlayerLevel::kExpert).hands_played, 12);
  EXPECT_TRUE(warnings_.empty());
}

TEST_F(StatisticsStoreTest, ResetClearsTheFileAndTheCounts) {
  ASSERT_EQ(SaveStatistics(file_, Kept()), "");
  StatisticsStore store = MakeStore();
  store.Load();
  EXPECT_EQ(store.Reset(), "");
  ExpectSame(store.Current(), Statistics{});
  LoadedStatistics loaded = LoadStatistics(file_);
  EXPECT_EQ(loaded.state, StatisticsFileState::kRead);
  ExpectSame(loaded.statistics, Statistics{});
}

TEST_F(StatisticsStoreTest, ACorruptFileIsToldOnceAndTheGameCountsOn) {
  Write("[classic]\nmatches_won=lots\n");
  StatisticsStore store = MakeStore();
  store.Load();
  ASSERT_EQ(warnings_.size(), 1U);
  EXPECT_NE(warnings_[0].find("corrupt"), std::string::npos);
  EndHand(store, 60, 20);
  LoadedStatistics loaded = LoadStatistics(file_);
  EXPECT_EQ(loaded.state, StatisticsFileState::kRead);
  EXPECT_EQ(loaded.statistics.Of(PlayerLevel::kClassic).matches_won, 1);
  EXPECT_EQ(warnings_.size(), 1U);
}

TEST_F(StatisticsStoreTest, AnUnreadableFileIsNeverReplacedByFreshCounts) {
  fs::create_directories(file_);  // stands in for a file the game may not read
  StatisticsStore store = MakeStore();
  store.Load();
  EXPECT_EQ(warnings_.size(), 1U);
  EndHand(store, 60, 20);
  store.SaveIfChanged();
  EXPECT_TRUE(fs::is_directory(file_));
  EXPECT_EQ(store.Current().Of(PlayerLevel::kClassic).matches_won, 1);  // still shown
  EXPECT_EQ(warnings_.size(), 1U);
}

TEST_F(StatisticsStoreTest, AFailingWriteIsToldOnlyOnce) {
  StatisticsStore store = MakeStore();
  store.Load();
  std::ofstream(dir_ / "vantel") << "a file where the folder should be";
  EndHand(store, 60, 20);
  EndHand(store, 60, 20);
  store.SaveIfChanged();
  EXPECT_EQ(warnings_.size(), 1U);
  EXPECT_EQ(store.Current().Of(PlayerLevel::kClassic).matches_won, 2);
}

// The tester's case: both copies read the same counts at the start, and each
// save adds only its own hands to what the other has written meanwhile.
TEST_F(StatisticsStoreTest, TwoCopiesStartedTogetherBothKeepTheirHands) {
  ASSERT_EQ(SaveStatistics(file_, Kept()), "");  // 61 Classic hands
  Copy first(file_);
  Copy second(file_);
  first.store.Load();
  second.store.Load();
  for (Copy* copy : {&first, &second}) {
    FinishHand(copy->game, copy->store, 10, 5);
    FinishHand(copy->game, copy->store, 20, 15);
  }
  first.store.SaveIfChanged();
  second.store.SaveIfChanged();
  EXPECT_EQ(LoadStatistics(file_).statistics.Of(PlayerLevel::kClassic).hands_played, 65);
  // The later copy now shows everyone's; the earlier one its own last save.
  EXPECT_EQ(second.store.Current().Of(PlayerLevel::kClassic).hands_played, 65);
  EXPECT_EQ(first.store.Current().Of(PlayerLevel::kClassic).hands_played, 63);
  // A won match adds to all of that, the best margin staying the better one.
  FinishHand(first.game, first.store, 60, 20);
  Statistics want = Kept();
  want.Of(PlayerLevel::kClassic) = {13, 8, 5, 2, 66, 40};
  ExpectSame(LoadStatistics(file_).statistics, want);
  EXPECT_TRUE(first.warnings.empty());
  EXPECT_TRUE(second.warnings.empty());
}

// Real processes saving into one file at the same moments, while a third
// reads it throughout: every count arrives, and none is ever seen to go down.
TEST_F(StatisticsStoreTest, CopiesSavingAtOnceLoseNothingAndNoCountGoesDown) {
  constexpr int kMatches = 20;  // each: a hand, then the deciding hand and a save
  constexpr int kCopies = 2;
  ASSERT_EQ(SaveStatistics(file_, Kept()), "");
  std::vector<pid_t> children;
  for (int c = 0; c < kCopies; ++c) {
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      Copy copy(file_);
      copy.store.Load();
      for (int m = 0; m < kMatches; ++m) {
        FinishHand(copy.game, copy.store, 30, 20);
        FinishHand(copy.game, copy.store, 55, 40);
      }
      _exit(copy.warnings.empty() ? 0 : 1);
    }
    children.push_back(pid);
  }
  int64_t last_hands = 0;
  int running = kCopies;
  int failed = 0;
  while (running > 0) {
    // No ASSERT in here: the copies must be waited for whatever is seen.
    const LoadedStatistics seen = LoadStatistics(file_);
    EXPECT_EQ(seen.state, StatisticsFileState::kRead) << seen.message;
    const int64_t hands = seen.statistics.Of(PlayerLevel::kClassic).hands_played;
    EXPECT_GE(hands, last_hands);
    last_hands = hands;
    for (pid_t& pid : children) {
      int status = 0;
      if (pid > 0 && waitpid(pid, &status, WNOHANG) == pid) {
        pid = 0;
        --running;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++failed;
      }
    }
    usleep(1000);
  }
  EXPECT_EQ(failed, 0);
  Statistics want = Kept();
  LevelStatistics& classic = want.Of(PlayerLevel::kClassic);
  classic.matches_played += kCopies * kMatches;
  classic.matches_won += kCopies * kMatches;
  classic.hands_played += 2 * kCopies * kMatches;
  classic.best_margin = 23;
  ExpectSame(LoadStatistics(file_).statistics, want);
  // No temporary file is left beside it.
  EXPECT_EQ(FilesBeside().size(), 1U);
}

TEST_F(StatisticsStoreTest, AResetIsNotUndoneByTheCopyThatMadeIt) {
  ASSERT_EQ(SaveStatistics(file_, Kept()), "");
  Copy copy(file_);
  copy.store.Load();
  FinishHand(copy.game, copy.store, 10, 5);
  EXPECT_EQ(copy.store.Reset(), "");
  FinishHand(copy.game, copy.store, 20, 10);
  copy.store.SaveIfChanged();
  // The hand before the reset is gone with the rest; the one after counts.
  EXPECT_EQ(LoadStatistics(file_).statistics.Of(PlayerLevel::kClassic).hands_played, 1);
}

TEST_F(StatisticsStoreTest, ASaveClearsWhatAKilledSaveLeftButNotAFreshOne) {
  fs::create_directories(file_.parent_path());
  const fs::path stale = file_.parent_path() / "statistics.ini.tmp-k1LLed";
  const fs::path fresh = file_.parent_path() / "statistics.ini.tmp-nOw123";
  std::ofstream(stale) << "[classic]\n";
  std::ofstream(fresh) << "[classic]\n";
  fs::last_write_time(stale, fs::file_time_type::clock::now() - std::chrono::minutes(5));
  StatisticsStore store = MakeStore();
  store.Load();
  EndHand(store, 60, 20);
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(fresh));
  EXPECT_EQ(LoadStatistics(file_).statistics.Of(PlayerLevel::kClassic).matches_won, 1);
}

TEST_F(StatisticsStoreTest, ALinkedFileStaysLinkedThroughSavesAndSettingAside) {
  const fs::path target = dir_ / "elsewhere" / "stats.ini";
  fs::create_directories(target.parent_path());
  fs::create_directories(file_.parent_path());
  ASSERT_EQ(SaveStatistics(target, Kept()), "");
  fs::create_symlink(target, file_);
  StatisticsStore store = MakeStore();
  store.Load();
  EndHand(store, 60, 20);
  EXPECT_TRUE(fs::is_symlink(file_));
  EXPECT_EQ(LoadStatistics(target).statistics.Of(PlayerLevel::kClassic).matches_won, 8);

  // A corrupt target is set aside beside itself; the link waits for the next save.
  std::ofstream(target) << "[classic\n";
  store.Load();
  ASSERT_EQ(warnings_.size(), 1U);
  EXPECT_TRUE(fs::is_symlink(file_));
  EXPECT_FALSE(fs::exists(target));
  bool set_aside = false;
  for (const auto& entry : fs::directory_iterator(target.parent_path())) {
    set_aside = set_aside || entry.path().filename().string().rfind("stats.ini.corrupt-", 0) == 0;
  }
  EXPECT_TRUE(set_aside);
  EndHand(store, 60, 20);
  EXPECT_TRUE(fs::is_symlink(file_));
  EXPECT_EQ(LoadStatistics(target).statistics.Of(PlayerLevel::kClassic).matches_won, 1);
}

TEST_F(StatisticsFileTest, ABadLineIsQuotedOnlyAsAShortEscapedExcerpt) {
  Write("[classic]\n\x1b[2J\x1b]0;owned\x07" + std::string(1'000'000, 'y') + "\n");
  LoadedStatistics loaded = LoadStatistics(file_);
  EXPECT_EQ(loaded.state, StatisticsFileState::kSetAside);
  EXPECT_LT(loaded.message.size(), 500U) << loaded.message.substr(0, 500);
  EXPECT_NE(loaded.message.find("\\x1B[2J\\x1B]0;owned\\x07yyy"), std::string::npos)
      << loaded.message;
  EXPECT_NE(loaded.message.find("y…"), std::string::npos) << loaded.message;
  for (char c : loaded.message) EXPECT_GE(static_cast<unsigned char>(c), 0x20);

  // Past the size bound the file is not even read, only set aside.
  fs::remove_all(file_.parent_path());
  Write("[classic]\nhands_played=1\n" + std::string(kMaxKeptFileSize, '#') + "\n");
  loaded = LoadStatistics(file_);
  EXPECT_EQ(loaded.state, StatisticsFileState::kSetAside);
  EXPECT_NE(loaded.message.find("larger than"), std::string::npos) << loaded.message;
  EXPECT_LT(loaded.message.size(), 500U);
}

}  // namespace
}  // namespace vantel
