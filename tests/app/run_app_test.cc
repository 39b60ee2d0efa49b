#include "app/run_app.h"
#include "app/saved_match_file.h"
#include "game/fatal_error.h"
#include "game/match_rules.h"

#include <SDL.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/stop_guard.h"
#include "pak/entry_name.h"
#include "pak/pak_archive.h"
#include "pak/pak_writer.h"
#include "ui/startup_options.h"

namespace vantel {
namespace {

std::vector<PakFile> ReadArchive(const std::filesystem::path& path) {
  PakArchive pak;
  pak.Open(path.string());
  std::vector<PakFile> files;
  std::ifstream in(path, std::ios::binary);
  for (int32_t i = 0; i <= pak.LastIndex(); ++i) {
    PakFile f{CutEntryName(pak.EntryName(i)), std::vector<uint8_t>(pak.EntrySize(i))};
    in.seekg(pak.EntryOffset(i));
    in.read(reinterpret_cast<char*>(f.data.data()), static_cast<std::streamsize>(f.data.size()));
    files.push_back(std::move(f));
  }
  return files;
}

// A program folder of its own per test, holding the archive the build made
// (or a changed copy), and ports that act as the user and record every box.
class RunAppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    folder_ = std::filesystem::temp_directory_path() /
              ("vantel_app_" + std::to_string(getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    ports_.show_startup_dialog = [this](Options& o, const ArchiveEntrySource& archive,
                                        const StatisticsAccess&, OnlineChoice&) {
      ++dialogs_;
      preview_found_ = archive("Royal_AC.BMP").has_value();
      if (!start_) return StartupChoice::kExit;
      StartupDialogState state;
      LoadStartupDialog(o, state);
      StoreStartOptions(StartupControls{}, o);
      return StartupChoice::kStart;
    };
    ports_.show_fatal_message = [this](std::string_view t) { boxes_.emplace_back(t); };
    ports_.after_loop_pass = [this](long pass) {
      ++passes_;
      if (pass == 0) {
        res_left_at_first_frame_ = std::filesystem::exists(folder_ / "res");
        unpacked_gone_at_first_frame_ = FolderHoldsOnlyTheArchive();
      }
      if (pass == end_at_pass_) SDL_PushEvent(&end_event_);
    };
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  void CopyArchive() {
    std::filesystem::copy_file(VANTEL_TEST_PAK, folder_ / "res065.pak",
                               std::filesystem::copy_options::overwrite_existing);
  }
  // The build's archive without the entry `drop`, plus `extra` entries.
  void WriteChangedArchive(const std::string& drop, const std::vector<PakFile>& extra = {}) {
    std::vector<PakFile> files;
    bool dropped = false;
    for (PakFile& f : ReadArchive(VANTEL_TEST_PAK)) {
      if (EqualsNoCase(f.name, drop)) {
        dropped = true;
        continue;
      }
      files.push_back(std::move(f));
    }
    ASSERT_TRUE(drop.empty() || dropped) << drop << " is not in the archive";
    files.insert(files.end(), extra.begin(), extra.end());
    std::string error;
    ASSERT_TRUE(WritePak((folder_ / "res065.pak").string(), files, &error)) << error;
  }
  // The user presses (and releases) a key after `pass` loop passes.
  void PressKeyAt(long pass, SDL_Scancode key) {
    end_at_pass_ = pass;
    end_event_ = {};
    end_event_.type = SDL_KEYDOWN;
    end_event_.key.keysym.scancode = key;
  }
  void CloseWindowAt(long pass) {
    end_at_pass_ = pass;
    end_event_ = {};
    end_event_.type = SDL_QUIT;
  }
  int Run() { return RunApp(folder_, ports_); }
  bool ResLeft() const { return std::filesystem::exists(folder_ / "res"); }
  // Nothing the run unpacked is left beside the game (its own folder included).
  bool FolderHoldsOnlyTheArchive() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder_))
      names.push_back(e.path().filename().string());
    return names == std::vector<std::string>{"res065.pak"};
  }

  std::filesystem::path folder_;
  AppPorts ports_;
  bool start_ = true;
  int dialogs_ = 0;
  bool preview_found_ = false;
  std::vector<std::string> boxes_;
  long passes_ = 0;
  long end_at_pass_ = -1;
  SDL_Event end_event_{};
  bool res_left_at_first_frame_ = true;
  bool unpacked_gone_at_first_frame_ = false;
};

TEST_F(RunAppTest, ExitInTheDialogEndsWithStatusZeroAndNoBox) {
  CopyArchive();
  start_ = false;
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(dialogs_, 1);
  EXPECT_TRUE(preview_found_);  // the dialog could show the deck from the archive
  EXPECT_TRUE(boxes_.empty());
  EXPECT_FALSE(ResLeft());
  EXPECT_EQ(passes_, 0);
}

TEST_F(RunAppTest, EscapeEndsTheGameNormallyWithTheTreeGoneBeforeTheFirstFrame) {
  CopyArchive();
  PressKeyAt(20, SDL_SCANCODE_ESCAPE);
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_FALSE(res_left_at_first_frame_);
  EXPECT_TRUE(unpacked_gone_at_first_frame_);
  EXPECT_TRUE(FolderHoldsOnlyTheArchive());
  EXPECT_EQ(passes_, 21);  // the pass after the press ended the game
}

TEST_F(RunAppTest, ClosingTheWindowEndsTheGameNormally) {
  CopyArchive();
  CloseWindowAt(5);
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_FALSE(ResLeft());
  EXPECT_EQ(passes_, 6);
}

// Until the game can follow a network table, the online tab's choice starts
// the game as Play does, with the options (and the server and name) saved.
// "Play online" takes the seat before anything is unpacked: a table that
// cannot be reached is one box with its address, no game, nothing left
// behind, and the choices are kept all the same.
TEST_F(RunAppTest, PlayOnlineGoesToTheTableChosenAndSavesTheChoices) {
  CopyArchive();
  ports_.show_startup_dialog = [this](Options& o, const ArchiveEntrySource&,
                                      const StatisticsAccess&, OnlineChoice& online) {
    ++dialogs_;
    // A port of this machine that no table server listens on.
    o.online_server = "ws://127.0.0.1:1";
    o.online_name = "Bea";
    online.server = o.online_server;
    online.name = o.online_name;
    online.host = false;
    online.code = "K7QH2M";
    return StartupChoice::kPlayOnline;
  };
  std::optional<Options> saved;
  ports_.save_settings = [&saved](const Options& o) {
    if (!saved) saved = o;
  };
  CloseWindowAt(5);
  EXPECT_NE(Run(), 0);
  EXPECT_EQ(dialogs_, 1);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_NE(boxes_[0].find("ws://127.0.0.1:1"), std::string::npos) << boxes_[0];
  EXPECT_EQ(passes_, 0);
  EXPECT_FALSE(ResLeft());
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->online_server, "ws://127.0.0.1:1");
  EXPECT_EQ(saved->online_name, "Bea");
}

TEST_F(RunAppTest, TerminationSignalEndsTheGameLikeClosingTheWindow) {
  CopyArchive();
  ports_.after_loop_pass = [this](long pass) {
    ++passes_;
    if (pass == 4) std::raise(SIGTERM);
  };
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_FALSE(ResLeft());
  EXPECT_EQ(passes_, 5);
}

// Closing the window mid-match keeps it; the next start with --resume goes
// on with it at once, with its own players, and a failure in the frame loop
// keeps it as well.
TEST_F(RunAppTest, AMatchLeftIsKeptAndTheNextStartGoesOnWithIt) {
  CopyArchive();
  const std::filesystem::path kept = folder_ / "data" / "match.json";
  ports_.saved_match_file = kept;
  CloseWindowAt(40);
  EXPECT_EQ(Run(), 0);
  LoadedMatch first = LoadSavedMatch(kept);
  ASSERT_TRUE(first.saved.has_value()) << first.message;
  EXPECT_EQ(first.saved->match.phase, HandPhase::kPlaying);

  // Played against the Expert, whatever the dialog would say: it is not shown.
  // Kept five cards into its hand: it comes back as that hand was dealt.
  first.saved->opponents = PlayerLevel::kExpert;
  MatchState& m = first.saved->match;
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(ApplyPlay(m, m.turn, Play{m.hands[static_cast<size_t>(m.turn)][0], {}}).Ok());
  }
  ASSERT_EQ(KeepSavedMatch(kept, *first.saved), "");
  ports_.resume = true;
  ports_.after_loop_pass = [](long pass) {
    if (pass == 30) throw FatalError("Test", 1, "a failure in the frame loop");
  };
  EXPECT_NE(Run(), 0);
  EXPECT_EQ(dialogs_, 1);  // only the first run's
  ASSERT_EQ(boxes_.size(), 1u);
  const LoadedMatch second = LoadSavedMatch(kept);
  ASSERT_TRUE(second.saved.has_value()) << second.message;
  EXPECT_EQ(second.saved->match, RedealHand(m));  // kept again, though the game failed
  EXPECT_EQ(second.saved->match.cards_played, 0);
  EXPECT_EQ(second.saved->opponents, PlayerLevel::kExpert);
}

TEST_F(RunAppTest, MissingArchiveShowsOneBoxAndFails) {
  EXPECT_NE(Run(), 0);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_NE(boxes_[0].find("res065.pak"), std::string::npos) << boxes_[0];
  EXPECT_FALSE(preview_found_);
  EXPECT_FALSE(ResLeft());
  EXPECT_EQ(passes_, 0);
}

TEST_F(RunAppTest, UnknownMarkerEntryEndsWithABoxSayingWhy) {
  WriteChangedArchive("", {{"dummy99", {}}});
  EXPECT_NE(Run(), 0);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_NE(boxes_[0].find("unknown marker \"dummy99\""), std::string::npos) << boxes_[0];
  EXPECT_TRUE(FolderHoldsOnlyTheArchive());
  EXPECT_EQ(passes_, 0);
}

TEST_F(RunAppTest, ArchiveWithoutThePresenceMarkerLeavesNothingBeside) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);  // so the missing sound is not looked for
  WriteChangedArchive("Sounds_CARD_FLIP.WAV");
  PressKeyAt(2, SDL_SCANCODE_ESCAPE);
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_TRUE(unpacked_gone_at_first_frame_);
  EXPECT_TRUE(FolderHoldsOnlyTheArchive());
}

TEST_F(RunAppTest, MissingSoundWhileSoundWorksShowsOneBoxAndLeavesNoTree) {
  WriteChangedArchive("Sounds_SIGN2.WAV");
  EXPECT_NE(Run(), 0);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].rfind("Error in function LoadSound() \r\nError Number: ", 0), 0u)
      << boxes_[0];
  EXPECT_NE(boxes_[0].find("SIGN2.WAV"), std::string::npos) << boxes_[0];
  EXPECT_FALSE(ResLeft());
  EXPECT_EQ(passes_, 0);
}

TEST_F(RunAppTest, WithoutAnAudioDeviceTheGameRunsSilently) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  WriteChangedArchive("Sounds_SIGN2.WAV");  // not even looked for
  PressKeyAt(3, SDL_SCANCODE_ESCAPE);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Run(), 0);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_TRUE(boxes_.empty());
  EXPECT_FALSE(ResLeft());
  // One line, ours, with the sound library's reason.
  EXPECT_EQ(said.rfind("vantel: no sound device (", 0), 0u) << said;
  EXPECT_NE(said.find("no-such-driver"), std::string::npos) << said;
  EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
}

TEST_F(RunAppTest, MissingBitmapShowsTheLoadersBox) {
  WriteChangedArchive("Bitmaps_mouse.bmp");
  EXPECT_NE(Run(), 0);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].rfind("Error in function CreateSurfaceFromFile() \r\nError Number: ", 0), 0u)
      << boxes_[0];
  EXPECT_FALSE(ResLeft());
}

TEST_F(RunAppTest, MissingGlyphSheetShowsTheFontLoadersBox) {
  WriteChangedArchive("fntFonts_fntDigit.bmp");
  EXPECT_NE(Run(), 0);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].rfind(
                "Error in function clsDXBitmapFont.CreateSpriteFromFile() \r\nError Number: ", 0),
            0u)
      << boxes_[0];
  EXPECT_FALSE(ResLeft());
}

TEST_F(RunAppTest, DisplayThatCannotStartShowsTheDisplayBox) {
  setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
  CopyArchive();
  EXPECT_NE(Run(), 0);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].rfind("Error in function DirectX() \r\nError Number: ", 0), 0u) << boxes_[0];
  EXPECT_FALSE(ResLeft());
}

// The watchdog ends the process: these run in a child of the test.
using RunAppDeathTest = RunAppTest;

TEST_F(RunAppDeathTest, SignalWhileTheMainThreadIsStuckEndsTheGameAfterTheGrace) {
  CopyArchive();
  ports_.after_loop_pass = [](long pass) {
    if (pass < 4) return;
    std::raise(SIGTERM);
    for (;;) pause();  // stuck where no signal is looked at, as in a display driver
  };
  EXPECT_EXIT(Run(), ::testing::ExitedWithCode(143),
              "vantel: the game did not answer SIGTERM within 1500 ms and was stopped");
}

TEST_F(RunAppDeathTest, SignalDuringTheDialogEndsAtOnceWithoutAWord) {
  CopyArchive();
  ports_.show_startup_dialog = [](Options&, const ArchiveEntrySource&, const StatisticsAccess&,
                                  OnlineChoice&) {
    std::raise(SIGHUP);
    for (;;) pause();  // the dialog does not look at signals
    return StartupChoice::kExit;
  };
  EXPECT_EXIT(Run(), ::testing::ExitedWithCode(ExitStatusForSignal(SIGHUP)),
              ::testing::Not(::testing::HasSubstr("vantel:")));
}

}  // namespace
}  // namespace vantel
