#include "app/kept_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/file_contents.h"

namespace vantel {
namespace {

namespace fs = std::filesystem;

class KeptFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vantel-kept-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
};

void Put(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

// Set back by `age`, as a file untouched that long.
void Age(const fs::path& file, std::chrono::seconds age) {
  fs::last_write_time(file, fs::file_time_type::clock::now() - age);
}

TEST(ExcerptTest, ShortEscapedAndMarkedWhenCut) {
  EXPECT_EQ(Excerpt("deck=Piacentine", 40), "deck=Piacentine");
  EXPECT_EQ(Excerpt(std::string(1'000'000, 'a'), 40), std::string(40, 'a') + "…");
  // Control bytes (a terminal's escape among them), a broken sequence and a
  // character that reverses the text on screen; the letters of a language
  // stay as they are.
  EXPECT_EQ(Excerpt("a\x01\x1b[2Jb\xff\xfe\t\u202Eè", 40),
            "a\\x01\\x1B[2Jb\\xFF\\xFE\\x09\\xE2\\x80\\xAEè");
  // An escaped byte counts as one character of the bound.
  EXPECT_EQ(Excerpt(std::string(100, '\x07'), 3), "\\x07\\x07\\x07…");
}

TEST(ExcerptTest, ALibraryMessageKeepsItsWordsAndOnlyAnExcerptOfTheLine) {
  const std::string line = "\x1b]0;" + std::string(1 << 20, 'x');
  const std::string tamed = TamedMessage("Key file contains line “" + line +
                                         "” which is not a key-value pair, group, or comment");
  EXPECT_EQ(tamed, "Key file contains line “\\x1B]0;" + std::string(36, 'x') +
                       "…” which is not a key-value pair, group, or comment");
  // Bytes the library mended into U+FFFD are quoted as they stand in the file.
  const std::string file = "[game]\nk=v\n\xff\xfe\x80?\n";
  EXPECT_EQ(TamedMessage("line “\uFFFD\uFFFD\uFFFD?” is bad", file),
            "line “\\xFF\\xFE\\x80?” is bad");
  EXPECT_EQ(TamedMessage("line “\uFFFD?” is bad", "other\n"), "line “\uFFFD?” is bad");
  // A message that quotes nothing is bounded all the same.
  const std::string unquoted = TamedMessage("Invalid group name: " + std::string(1 << 20, 'g'));
  EXPECT_LT(unquoted.size(), 400U);
  EXPECT_EQ(unquoted.rfind("Invalid group name: ggg", 0), 0U);
}

TEST_F(KeptFileTest, ReadingIsBoundedAndNeverOpensWhatIsNoPlainFile) {
  const fs::path file = dir_ / "settings.ini";
  EXPECT_EQ(ReadKeptFile(file).state, KeptFileText::State::kMissing);
  fs::create_symlink("nowhere.ini", file);
  EXPECT_EQ(ReadKeptFile(file).state, KeptFileText::State::kMissing);
  fs::remove(file);

  Put(file, std::string(kMaxKeptFileSize, 'x'));
  EXPECT_EQ(ReadKeptFile(file).state, KeptFileText::State::kRead);
  Put(file, std::string(kMaxKeptFileSize + 1, 'x'));
  const KeptFileText large = ReadKeptFile(file);
  EXPECT_EQ(large.state, KeptFileText::State::kTooLarge);
  EXPECT_TRUE(large.text.empty());
  EXPECT_NE(large.reason.find("1024 KiB"), std::string::npos) << large.reason;
  fs::remove(file);

  // A pipe with no writer would hold a plain open() for ever.
  ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
  EXPECT_EQ(ReadKeptFile(file).state, KeptFileText::State::kFailed);
  fs::remove(file);
  fs::create_directory(file);
  const KeptFileText folder = ReadKeptFile(file);
  EXPECT_EQ(folder.state, KeptFileText::State::kFailed);
  EXPECT_EQ(folder.reason, "it is a folder");
}

TEST_F(KeptFileTest, AWriteGoesThroughLinksToTheTargetAndKeepsItsPermissions) {
  fs::create_directories(dir_ / "dotfiles");
  fs::create_directories(dir_ / "vantel");
  const fs::path target = dir_ / "dotfiles" / "vantel.ini";
  const fs::path file = dir_ / "vantel" / "settings.ini";
  Put(target, "old\n");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
  // Two links: a relative one to an absolute one.
  fs::create_symlink(dir_ / "dotfiles" / "vantel.ini", dir_ / "vantel" / "middle.ini");
  fs::create_symlink("middle.ini", file);
  std::string problem;
  EXPECT_EQ(KeptFileTarget(file, problem), target);

  ASSERT_EQ(WriteKeptFile(file, "new\n"), "");
  EXPECT_TRUE(fs::is_symlink(file));
  EXPECT_TRUE(fs::is_symlink(dir_ / "vantel" / "middle.ini"));
  EXPECT_EQ(FileContents(target), "new\n");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  // Nothing else was left in either folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "dotfiles"), {}), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "vantel"), {}), 2);
}

TEST_F(KeptFileTest, ADanglingLinkWritesItsTargetOnlyWhereTheFolderIs) {
  const fs::path file = dir_ / "settings.ini";
  fs::create_symlink("kept/settings.ini", file);
  const std::string problem = WriteKeptFile(file, "x\n");
  EXPECT_NE(problem.find("whose folder does not exist"), std::string::npos) << problem;
  EXPECT_NE(problem.find((dir_ / "kept/settings.ini").string()), std::string::npos) << problem;
  EXPECT_FALSE(fs::exists(dir_ / "kept"));

  fs::create_directory(dir_ / "kept");
  ASSERT_EQ(WriteKeptFile(file, "x\n"), "");
  EXPECT_TRUE(fs::is_symlink(file));
  EXPECT_EQ(FileContents(dir_ / "kept" / "settings.ini"), "x\n");
}

TEST_F(KeptFileTest, LinksInACircleOrToWhatIsNoPlainFileAreRefused) {
  fs::create_symlink("b.ini", dir_ / "a.ini");
  fs::create_symlink("a.ini", dir_ / "b.ini");
  EXPECT_NE(WriteKeptFile(dir_ / "a.ini", "x").find("circle"), std::string::npos);
  fs::create_directory(dir_ / "folder");
  fs::create_symlink("folder", dir_ / "c.ini");
  EXPECT_NE(WriteKeptFile(dir_ / "c.ini", "x").find("folder"), std::string::npos);
  EXPECT_TRUE(fs::is_empty(dir_ / "folder"));
  fs::create_symlink("/dev/null", dir_ / "d.ini");
  EXPECT_NE(WriteKeptFile(dir_ / "d.ini", "x"), "");
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "d.ini"));
}

// Only our own stale leftovers for this file go; everything that merely
// looks like one, and a fresh one another copy may be writing, stays.
TEST_F(KeptFileTest, TheNextWriteClearsOnlyStaleLeftoversOfOurOwn) {
  const fs::path file = dir_ / "settings.ini";
  const auto make = [&](const std::string& name) {
    Put(dir_ / name, "[game]\n");
    Age(dir_ / name, std::chrono::hours(1));
    return dir_ / name;
  };
  const fs::path stale = make("settings.ini.tmp-AbC123");
  const fs::path stale_too = make("settings.ini.tmp-zz9ZZ9");
  const fs::path fresh = make("settings.ini.tmp-Fresh1");
  Age(fresh, std::chrono::seconds(1));
  const fs::path kept[] = {
      fresh,
      make("settings.ini.backup"),        // the older writer's pattern, or the player's own
      make("settings.ini.tmp-AbC12"),     // not six
      make("settings.ini.tmp-AbC12-"),    // not letters or digits
      make("statistics.ini.tmp-AbC123"),  // another file's
      make("xsettings.ini.tmp-AbC123"),
  };
  fs::create_directory(dir_ / "settings.ini.tmp-Folder");
  fs::create_symlink("settings.ini.backup", dir_ / "settings.ini.tmp-Link12");
  const fs::path foreign = make("settings.ini.tmp-Other1");
  const bool can_give_away = geteuid() == 0 && chown(foreign.c_str(), 65534, 65534) == 0;
  Age(foreign, std::chrono::hours(1));

  ASSERT_EQ(WriteKeptFile(file, "[game]\n"), "");
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_FALSE(fs::exists(stale_too));
  for (const fs::path& name : kept) EXPECT_TRUE(fs::exists(name)) << name;
  EXPECT_TRUE(fs::is_directory(dir_ / "settings.ini.tmp-Folder"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "settings.ini.tmp-Link12"));
  if (can_give_away) {
    EXPECT_TRUE(fs::exists(foreign));
  }
}

TEST_F(KeptFileTest, TheLockIsExclusiveBetweenHoldersAndFreedWithTheHolder) {
  const fs::path file = dir_ / "statistics.ini";
  {
    const KeptFileLock first(file);
    EXPECT_FALSE(first.Busy());
    const KeptFileLock second(file, std::chrono::milliseconds(0));
    EXPECT_TRUE(second.Busy());
  }
  const KeptFileLock again(file, std::chrono::milliseconds(0));
  EXPECT_FALSE(again.Busy());
  EXPECT_TRUE(fs::is_regular_file(dir_ / "statistics.ini.lock"));
  // Where no lock file can be made the holder goes on unguarded, not busy.
  const KeptFileLock nowhere(dir_ / "missing" / "statistics.ini");
  EXPECT_FALSE(nowhere.Busy());
}

}  // namespace
}  // namespace vantel
