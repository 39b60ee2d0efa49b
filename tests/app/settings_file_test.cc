#include "app/settings_file.h"

#include <glib.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/kept_file.h"

namespace vantel {
namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vantel-settings-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    file_ = dir_ / "vantel" / "settings.ini";
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all);
    if (fs::exists(dir_ / "vantel")) fs::permissions(dir_ / "vantel", fs::perms::owner_all);
    fs::remove_all(dir_);
  }
  void Write(const std::string& text) {
    fs::create_directories(file_.parent_path());
    std::ofstream(file_) << text;
  }

  fs::path dir_;
  fs::path file_;
};

Options Chosen() {
  Options o;
  o.deck = Deck::kTrevigiane;
  o.twelve_card_deal = 0;
  o.slow_animation = true;
  o.full_screen = false;
  o.window_width = 1234;
  o.window_height = 777;
  o.scaling = PictureScaling::kSmooth;
  o.opponent_level = PlayerLevel::kExpert;
  o.partner_level = PlayerLevel::kExpert;
  o.computer_pace = ComputerPace::kUnhurried;
  // What a key file would take for syntax: a comment sign, a separator, a
  // leading space, letters past ASCII.
  o.online_server = "wss://[::1]:7420";
  o.online_name = " Niccolò; #1 = ";
  return o;
}

void ExpectSameSettings(const Options& a, const Options& b) {
  EXPECT_EQ(a.deck, b.deck);
  EXPECT_EQ(a.twelve_card_deal, b.twelve_card_deal);
  EXPECT_EQ(HandSize(a), HandSize(b));
  EXPECT_EQ(a.slow_animation, b.slow_animation);
  EXPECT_EQ(a.full_screen, b.full_screen);
  EXPECT_EQ(a.window_width, b.window_width);
  EXPECT_EQ(a.window_height, b.window_height);
  EXPECT_EQ(a.scaling, b.scaling);
  EXPECT_EQ(a.opponent_level, b.opponent_level);
  EXPECT_EQ(a.partner_level, b.partner_level);
  EXPECT_EQ(a.computer_pace, b.computer_pace);
  EXPECT_EQ(a.online_server, b.online_server);
  EXPECT_EQ(a.online_name, b.online_name);
}

TEST_F(SettingsFileTest, WhatIsSavedComesBackAndNoTemporaryFileStays) {
  ASSERT_EQ(SaveSettings(file_, Chosen()), "");  // the folder is made
  Options read;
  EXPECT_EQ(LoadSettings(file_, read), "");
  ExpectSameSettings(read, Chosen());
  // Saved again over the old file: the defaults come back just as well.
  ASSERT_EQ(SaveSettings(file_, Options{}), "");
  Options again = Chosen();
  EXPECT_EQ(LoadSettings(file_, again), "");
  ExpectSameSettings(again, Options{});
  int files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(file_.parent_path())) ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(SettingsFileTest, AMissingFileKeepsTheDefaultsQuietly) {
  Options read;
  EXPECT_EQ(LoadSettings(file_, read), "");
  ExpectSameSettings(read, Options{});
}

TEST_F(SettingsFileTest, ACorruptFileGivesTheDefaultsAndOneLine) {
  Write("this is [not a key file\n\x01\x02 = =\n");
  Options read;
  const std::string problem = LoadSettings(file_, read);
  EXPECT_NE(problem, "");
  EXPECT_EQ(problem.find('\n'), std::string::npos);
  EXPECT_NE(problem.find(file_.string()), std::string::npos);
  ExpectSameSettings(read, Options{});
}

// What goes to the terminal: one short line whatever the file holds.
TEST_F(SettingsFileTest, ABadLineIsQuotedOnlyAsAShortEscapedExcerpt) {
  Write("[game]\n" + std::string(1'000'000, 'x') + "\n");
  Options read;
  const std::string long_line = LoadSettings(file_, read);
  EXPECT_LT(long_line.size(), 400U) << long_line.substr(0, 400);
  EXPECT_NE(long_line.find("xxxxxxxxxx…"), std::string::npos) << long_line;
  EXPECT_NE(long_line.find(file_.string()), std::string::npos) << long_line;

  Write("[game]\ndeck=Piacentine\n\x01\x1b[2J\x1b]0;owned\x07\xff\xfe garbage\n");
  const std::string binary = LoadSettings(file_, read);
  EXPECT_NE(binary.find("“\\x01\\x1B[2J\\x1B]0;owned\\x07\\xFF\\xFE garbage”"), std::string::npos)
      << binary;
  for (char c : binary) EXPECT_GE(static_cast<unsigned char>(c), 0x20) << binary;
  EXPECT_EQ(binary.find('\x7f'), std::string::npos);
  ExpectSameSettings(read, Options{});
}

TEST_F(SettingsFileTest, AnOversizedFileIsNotReadAndSaysSo) {
  // Valid settings, then padding: a file this size was not written by the game.
  Write("[game]\ndeck=Trevigiane\n" + std::string(kMaxKeptFileSize, '#') + "\n");
  Options read;
  const std::string problem = LoadSettings(file_, read);
  EXPECT_NE(problem.find("larger than 1024 KiB"), std::string::npos) << problem.substr(0, 400);
  EXPECT_LT(problem.size(), 400U);
  ExpectSameSettings(read, Options{});
}

TEST_F(SettingsFileTest, ASymlinkedFileKeepsItsLinkAndItsTargetGetsTheSettings) {
  const fs::path target = dir_ / "dotfiles" / "vantel-settings.ini";
  fs::create_directories(target.parent_path());
  fs::create_directories(file_.parent_path());
  std::ofstream(target) << "[game]\ndeck=Bresciane\n";
  fs::create_symlink("../dotfiles/vantel-settings.ini", file_);
  ASSERT_EQ(SaveSettings(file_, Chosen()), "");
  EXPECT_TRUE(fs::is_symlink(file_));
  EXPECT_EQ(fs::read_symlink(file_), "../dotfiles/vantel-settings.ini");
  Options read;
  EXPECT_EQ(LoadSettings(target, read), "");
  ExpectSameSettings(read, Chosen());
  // A link to a file not there yet: it is made where the link says.
  fs::remove(target);
  ASSERT_EQ(SaveSettings(file_, Options{}), "");
  EXPECT_TRUE(fs::is_symlink(file_));
  Options again = Chosen();
  EXPECT_EQ(LoadSettings(target, again), "");
  ExpectSameSettings(again, Options{});
  // A link into a folder that is gone: said, and the link stays.
  fs::remove_all(target.parent_path());
  const std::string problem = SaveSettings(file_, Chosen());
  EXPECT_NE(problem.find("folder does not exist"), std::string::npos) << problem;
  EXPECT_TRUE(fs::is_symlink(file_));
}

TEST_F(SettingsFileTest, ASaveClearsWhatAKilledSaveLeftButNotAFreshOne) {
  fs::create_directories(file_.parent_path());
  const fs::path stale = file_.parent_path() / "settings.ini.tmp-k1LLed";
  const fs::path fresh = file_.parent_path() / "settings.ini.tmp-nOw123";
  std::ofstream(stale) << "[game]\n";
  std::ofstream(fresh) << "[game]\n";
  fs::last_write_time(stale, fs::file_time_type::clock::now() - std::chrono::minutes(5));
  ASSERT_EQ(SaveSettings(file_, Chosen()), "");
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(fresh));  // another copy may be about to rename it
}

TEST_F(SettingsFileTest, ValuesOutOfRangeFallBackOneByOneAndAreNamed) {
  Write(
      "[game]\n"
      "deck=Piacentine\n"
      "hand_size=7\n"
      "slow_animation=maybe\n"
      "play_in_window=true\n"
      "window_width=99999\n"
      "window_height=700\n"
      "scaling=smooth\n"
      "opponents=Expert\n"
      "partner=expert\n"
      "computer_pace=slow\n");
  Options read;
  const std::string problem = LoadSettings(file_, read);
  for (const char* key :
       {"deck", "hand_size", "slow_animation", "window_width", "opponents", "computer_pace"})
    EXPECT_NE(problem.find(key), std::string::npos) << key << " in: " << problem;
  EXPECT_EQ(problem.find("scaling"), std::string::npos);
  EXPECT_EQ(problem.find('\n'), std::string::npos);
  // What was wrong kept its default; what was right was read.
  EXPECT_EQ(read.deck, Deck::kBresciane);
  EXPECT_EQ(HandSize(read), 12);
  EXPECT_FALSE(read.slow_animation);
  EXPECT_EQ(read.window_width, 0);  // half a size is no size
  EXPECT_EQ(read.window_height, 0);
  EXPECT_FALSE(read.full_screen);
  EXPECT_EQ(read.scaling, PictureScaling::kSmooth);
  EXPECT_EQ(read.opponent_level, PlayerLevel::kClassic);
  EXPECT_EQ(read.partner_level, PlayerLevel::kExpert);
  EXPECT_EQ(read.computer_pace, ComputerPace::kNormal);
}

// A server or name the dialog would refuse is not offered again; the rest of
// the file still counts.
TEST_F(SettingsFileTest, ABadOnlineServerOrNameIsIgnoredAndNamed) {
  Write(
      "[game]\n"
      "deck=Trevigiano\n"
      "online_server=http://127.0.0.1:7420\n"
      "online_name=Be\\ta\n");
  Options read;
  read.online_server = "ws://kept:1";
  const std::string problem = LoadSettings(file_, read);
  EXPECT_NE(problem.find("online_server"), std::string::npos) << problem;
  EXPECT_NE(problem.find("online_name"), std::string::npos) << problem;
  EXPECT_EQ(read.online_server, "ws://kept:1");
  EXPECT_EQ(read.online_name, "");
  EXPECT_EQ(read.deck, Deck::kTrevigiane);

  Write("[game]\nonline_name=" + std::string(25, 'x') + "\n");
  Options too_long;
  EXPECT_NE(LoadSettings(file_, too_long).find("online_name"), std::string::npos);
  EXPECT_EQ(too_long.online_name, "");
}

// The game once offered a 1024 x 768 screen; a file from then still reads,
// its resolution passed over without a word.
TEST_F(SettingsFileTest, AnOldResolutionKeyIsIgnoredQuietly) {
  Write(
      "[game]\n"
      "deck=Trevigiano\n"
      "resolution=1024x768\n"
      "hand_size=6\n");
  Options read;
  EXPECT_EQ(LoadSettings(file_, read), "");
  EXPECT_EQ(read.deck, Deck::kTrevigiane);
  EXPECT_EQ(HandSize(read), 6);
  // Saving it again writes only what the game knows.
  ASSERT_EQ(SaveSettings(file_, read), "");
  std::ifstream in(file_);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text.find("resolution"), std::string::npos);
}

TEST_F(SettingsFileTest, AReadOnlyFolderCostsOnlyTheSaving) {
  if (geteuid() == 0) {
    // root writes anywhere: a path through a plain file stands in for the
    // folder that cannot be written.
    std::ofstream(dir_ / "vantel") << "a file where the folder should be";
  } else {
    fs::create_directories(file_.parent_path());
    fs::permissions(file_.parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
  }
  const std::string problem = SaveSettings(file_, Chosen());
  EXPECT_NE(problem, "");
  EXPECT_EQ(problem.find('\n'), std::string::npos);
  Options read;
  EXPECT_NE(LoadSettings(file_, read), "x");  // reading goes on without a crash
  ExpectSameSettings(read, Options{});
}

TEST_F(SettingsFileTest, ThePathFollowsXdgConfigHomeOrHome) {
  const char* old_xdg = std::getenv("XDG_CONFIG_HOME");
  const std::string kept_xdg = old_xdg ? old_xdg : "";
  const char* old_home = std::getenv("HOME");
  const std::string kept_home = old_home ? old_home : "";
  setenv("XDG_CONFIG_HOME", "/x/config", 1);
  EXPECT_EQ(SettingsPath(), fs::path("/x/config/vantel/settings.ini"));
  setenv("HOME", "/home/player", 1);
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(SettingsPath(), fs::path("/home/player/.config/vantel/settings.ini"));
  setenv("XDG_CONFIG_HOME", "relative/dir", 1);  // not absolute: ignored
  EXPECT_EQ(SettingsPath(), fs::path("/home/player/.config/vantel/settings.ini"));
  if (old_xdg) {
    setenv("XDG_CONFIG_HOME", kept_xdg.c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
  if (old_home) setenv("HOME", kept_home.c_str(), 1);
}

}  // namespace
}  // namespace vantel
