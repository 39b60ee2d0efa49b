// Failures that must not lose or touch anything that is not ours: interrupted
// and concurrent runs, hostile archives, links, devices and full disks.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "pak/file_writing.h"
#include "pak/pak_archive.h"
#include "pak/remove_resources.h"
#include "pak/resource_tree.h"
#include "pak/run_folder.h"
#include "pak/unpack.h"
#include "pak/unpack_plan.h"
#include "pak_test_support.h"

namespace vantel {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::Entry;
using testing::FakeConverter;
using testing::ListTree;
using testing::ReadBytes;
using testing::TempFolder;
using testing::ToBytes;
using testing::WriteArchive;
using testing::WriteBytes;

std::vector<PakFile> GameFiles() {
  return {Entry("dummy65", ""),
          Entry("Sounds_SIGN1.WAV", "s1"),
          Entry("Sounds_CARD_FLIP.WAV", "flip"),
          Entry("Bitmaps_mouse.bmp", "m"),
          Entry("Royal_AC.BMP", "r-ace"),
          Entry("Trevigiano_AC.BMP", "t-ace"),
          Entry("fntFonts_fntDigit.bmp", "d")};
}

// The tree an unpacking of GameFiles() gives, relative to its root.
const std::vector<std::string> kGameTree = {"res",
                                            "res/Bitmaps",
                                            "res/Bitmaps/mouse.bmp",
                                            "res/Royal",
                                            "res/Royal/AC.BMP",
                                            "res/Sounds",
                                            "res/Sounds/CARD_FLIP.WAV",
                                            "res/Sounds/SIGN1.WAV",
                                            "res/Trevigiano",
                                            "res/Trevigiano/AC.BMP",
                                            "res/fntFonts",
                                            "res/fntFonts/fntDigit.bmp"};

// A game folder with its archive, as the game is installed or unpacked.
class HardeningTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(game_);
    WriteArchive(game_ / "res065.pak", GameFiles());
  }
  UnpackResult StartGame(const StopCheck& stop = {}) {
    return Unpack(game_, "res065.pak", converter_, stop);
  }
  TempFolder dir_;
  fs::path game_ = dir_ / "game";
  FakeConverter converter_;
};

// --- Outputs that are not ours to write or delete -------------------------

TEST_F(HardeningTest, ExtractToAPipeOrDeviceIsRefusedAndLeavesItInPlace) {
  PakArchive pak;
  pak.Open((game_ / "res065.pak").string());
  const fs::path fifo = dir_ / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  try {
    pak.SaveEntry(1, fifo.string());
    FAIL() << "a pipe was written";
  } catch (const PakError& e) {
    EXPECT_NE(std::string(e.what()).find("a pipe"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(fs::is_fifo(fifo));
  // A device node: only root can make one, so the check runs where it can.
  const fs::path device = dir_ / "null";
  if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
    EXPECT_THROW(pak.SaveEntry(1, device.string()), PakError);
    EXPECT_TRUE(fs::is_character_file(device));
  }
  fs::create_directory(dir_ / "folder");
  EXPECT_THROW(pak.SaveEntry(1, (dir_ / "folder").string()), PakError);
  EXPECT_TRUE(fs::is_directory(dir_ / "folder"));
  std::vector<std::string> expected = {"fifo", "folder", "game", "game/res065.pak"};
  if (fs::exists(device)) expected.push_back("null");
  EXPECT_EQ(ListTree(dir_.Path()), expected);
}

TEST_F(HardeningTest, HardAndSymbolicLinksAreReplacedNeverWrittenThrough) {
  WriteBytes(dir_ / "outside", ToBytes("precious"));
  WriteBytes(dir_ / "linked", ToBytes("also precious"));
  const fs::path out = dir_ / "out";
  fs::create_directories(out / "res/Bitmaps");
  fs::create_directories(out / "res/Royal");
  fs::create_hard_link(dir_ / "outside", out / "res/Bitmaps/mouse.bmp");
  fs::create_symlink(dir_ / "linked", out / "res/Royal/ac.bmp");
  const UnpackResult r = UnpackInto(game_ / "res065.pak", ResourceRoot{out, false}, converter_);
  ASSERT_EQ(r.status, UnpackStatus::kUnpacked) << r.message;
  EXPECT_EQ(ReadBytes(dir_ / "outside"), ToBytes("precious"));
  EXPECT_EQ(ReadBytes(dir_ / "linked"), ToBytes("also precious"));
  EXPECT_EQ(ReadBytes(out / "res/Bitmaps/mouse.bmp"), ToBytes("m"));
  EXPECT_FALSE(fs::is_symlink(out / "res/Royal/ac.bmp"));
  EXPECT_EQ(ReadBytes(out / "res/Royal/ac.bmp"), ToBytes("r-ace"));
  // The same for a single entry copied out.
  PakArchive pak;
  pak.Open((game_ / "res065.pak").string());
  fs::create_hard_link(dir_ / "outside", dir_ / "second");
  pak.SaveEntry(4, (dir_ / "second").string());
  EXPECT_EQ(ReadBytes(dir_ / "outside"), ToBytes("precious"));
  EXPECT_EQ(ReadBytes(dir_ / "second"), ToBytes("r-ace"));
}

// --- Interrupted runs -------------------------------------------------------

TEST_F(HardeningTest, TreeOfAKilledRunIsReclaimedAndNeverUsed) {
  // A run killed after writing some files, the presence marker among them:
  // its folder is there, its lock gone with it.
  std::string error;
  fs::path killed;
  {
    std::unique_ptr<RunFolder> run = RunFolder::Make(game_, &error);
    ASSERT_TRUE(run) << error;
    killed = run->Path();
  }
  fs::create_directories(killed / "res/Sounds");
  WriteBytes(killed / "res/Sounds/CARD_FLIP.WAV", ToBytes("flip"));
  // And a killed vantel-pak run's staging folder inside a folder it unpacks to.
  const fs::path out = dir_ / "out";
  fs::create_directory(out);
  fs::path staging;
  {
    std::unique_ptr<RunFolder> run = RunFolder::Make(out, &error);
    ASSERT_TRUE(run) << error;
    staging = run->Path();
  }
  fs::create_directories(staging / "res/Sounds");
  WriteBytes(staging / "res/Sounds/CARD_FLIP.WAV", ToBytes("flip"));

  const UnpackResult r = StartGame();
  ASSERT_EQ(r.status, UnpackStatus::kUnpacked) << r.message;
  EXPECT_FALSE(fs::exists(killed));
  std::vector<std::string> with_owner = kGameTree;
  with_owner.insert(with_owner.begin(), "owner");
  EXPECT_EQ(ListTree(r.root.folder), with_owner);
  EXPECT_EQ(ReadBytes(r.root.folder / "res/Sounds/SIGN1.WAV"), ToBytes("s1"));
  EXPECT_EQ(RemoveUnpackedResources(r.root), "");

  const UnpackResult into_out =
      UnpackInto(game_ / "res065.pak", ResourceRoot{out, false}, converter_);
  ASSERT_EQ(into_out.status, UnpackStatus::kUnpacked) << into_out.message;
  EXPECT_EQ(ListTree(out), kGameTree);
  EXPECT_EQ(ListTree(game_), (std::vector<std::string>{"res065.pak"}));
}

TEST_F(HardeningTest, StopRequestedPartWayTakesBackEverything) {
  int asked = 0;
  const UnpackResult r = StartGame([&asked] { return ++asked > 3; });
  EXPECT_EQ(r.status, UnpackStatus::kInterrupted);
  EXPECT_FALSE(r.Succeeded());
  EXPECT_EQ(ListTree(game_), (std::vector<std::string>{"res065.pak"}));
  const fs::path out = dir_ / "out";
  fs::create_directory(out);
  asked = 0;
  EXPECT_EQ(UnpackInto(game_ / "res065.pak", ResourceRoot{out, false}, converter_,
                       [&asked] { return ++asked > 3; })
                .status,
            UnpackStatus::kInterrupted);
  EXPECT_TRUE(fs::is_empty(out));
}

// A stopped unpacking is never taken for a finished one: the presence marker
// alone does not make a tree.
TEST_F(HardeningTest, UnpackingIsPlacedOnlyWhenComplete) {
  const fs::path out = dir_ / "out";
  fs::create_directory(out);
  int asked = 0;
  std::vector<std::string> seen_during_unpacking;
  UnpackInto(game_ / "res065.pak", ResourceRoot{out, false}, converter_, [&] {
    if (++asked == 4) {
      for (const std::string& p : ListTree(out))
        if (p.starts_with("res")) seen_during_unpacking.push_back(p);
    }
    return false;
  });
  EXPECT_TRUE(seen_during_unpacking.empty()) << ::testing::PrintToString(seen_during_unpacking);
  EXPECT_EQ(ListTree(out), kGameTree);
}

// --- Two copies at once -----------------------------------------------------

TEST_F(HardeningTest, TwoRunsFromOneFolderInterleavedKeepTheirOwnTrees) {
  UnpackResult second;
  std::vector<std::string> second_tree_while_first_unpacked;
  int asked = 0;
  // The second copy starts, loads and removes its tree while the first is
  // half-way through its unpacking; then the first finishes and loads.
  const UnpackResult first = StartGame([&] {
    if (++asked == 3) {
      second = StartGame();
      second_tree_while_first_unpacked = ListTree(second.root.folder);
    }
    return false;
  });
  ASSERT_EQ(second.status, UnpackStatus::kUnpacked) << second.message;
  ASSERT_EQ(first.status, UnpackStatus::kUnpacked) << first.message;
  EXPECT_NE(first.root.folder, second.root.folder);
  std::vector<std::string> with_owner = kGameTree;
  with_owner.insert(with_owner.begin(), "owner");
  EXPECT_EQ(second_tree_while_first_unpacked, with_owner);
  // The second removes its tree while the first still loads from its own.
  EXPECT_EQ(RemoveUnpackedResources(second.root), "");
  EXPECT_EQ(ListTree(first.root.folder), with_owner);
  EXPECT_EQ(ReadBytes(first.root.folder / "res/Sounds/CARD_FLIP.WAV"), ToBytes("flip"));
  // A third start while the first is still running does not take its folder.
  const UnpackResult third = StartGame();
  ASSERT_TRUE(third.Succeeded()) << third.message;
  EXPECT_TRUE(fs::exists(first.root.folder / "res/Sounds/SIGN1.WAV"));
  EXPECT_EQ(RemoveUnpackedResources(third.root), "");
  EXPECT_EQ(RemoveUnpackedResources(first.root), "");
  EXPECT_EQ(ListTree(game_), (std::vector<std::string>{"res065.pak"}));
}

// --- Cleanup without the marker ---------------------------------------------

TEST_F(HardeningTest, ArchiveWithoutTheMarkerLeavesNothingBehind) {
  std::vector<PakFile> files = GameFiles();
  files.erase(files.begin() + 2);  // Sounds_CARD_FLIP.WAV
  WriteArchive(game_ / "res065.pak", files);
  const UnpackResult r = StartGame();
  ASSERT_EQ(r.status, UnpackStatus::kUnpacked) << r.message;
  EXPECT_EQ(RemoveUnpackedResources(r.root), "");
  EXPECT_EQ(ListTree(game_), (std::vector<std::string>{"res065.pak"}));
  // Into a folder the user named: exactly what was placed goes, and what the
  // user keeps in the tree stays.
  const fs::path out = dir_ / "out";
  fs::create_directories(out / "res/Royal");
  WriteBytes(out / "res/Royal/mine.txt", ToBytes("mine"));
  const UnpackResult named = UnpackInto(game_ / "res065.pak", ResourceRoot{out, false}, converter_);
  ASSERT_EQ(named.status, UnpackStatus::kUnpacked) << named.message;
  EXPECT_EQ(RemoveUnpackedResources(named.root), "");
  EXPECT_EQ(ListTree(out), (std::vector<std::string>{"res", "res/Royal", "res/Royal/mine.txt"}));
}

// --- Hostile sizes ----------------------------------------------------------

TEST_F(HardeningTest, ArchivesPastTheBoundsAreRefusedBeforeWritingAnything) {
  std::vector<PakFile> many;
  for (int64_t i = 0; i <= kMaxUnpackEntries; ++i) {
    many.push_back(Entry("Sounds_" + std::to_string(i), ""));
  }
  WriteArchive(game_ / "res065.pak", many);
  UnpackResult r = StartGame();
  EXPECT_EQ(r.status, UnpackStatus::kArchiveRefused);
  EXPECT_NE(r.message.find(std::to_string(kMaxUnpackEntries + 1) + " entries"), std::string::npos)
      << r.message;
  EXPECT_EQ(ListTree(game_), (std::vector<std::string>{"res065.pak"}));
  // Entries whose data overlaps: a small archive claiming a large total.
  Bytes data(kMaxUnpackBytes / 8 + 1, 'x');
  std::vector<PakFile> big;
  for (int i = 0; i < 8; ++i) big.push_back(PakFile{"Royal_" + std::to_string(i), data});
  WriteArchive(game_ / "res065.pak", big);
  r = StartGame();
  EXPECT_EQ(r.status, UnpackStatus::kArchiveRefused);
  EXPECT_NE(r.message.find("MiB"), std::string::npos) << r.message;
  EXPECT_EQ(ListTree(game_), (std::vector<std::string>{"res065.pak"}));
}

// --- Private folders --------------------------------------------------------

TEST_F(HardeningTest, StalePrivateFoldersAreReclaimedAndOnlyThose) {
  TempFolder base;
  std::string error;
  fs::path stale;
  {
    std::unique_ptr<RunFolder> gone = RunFolder::Make(base.Path(), &error);
    ASSERT_TRUE(gone) << error;
    stale = gone->Path();
    WriteBytes(stale / "leftover", ToBytes("x"));
  }
  std::unique_ptr<RunFolder> alive = RunFolder::Make(base.Path(), &error);
  ASSERT_TRUE(alive) << error;
  // Look-alikes that are not run folders of ours, and one with a wrong name.
  fs::create_directory(base / "vantel-abcdef");
  WriteBytes(base / "vantel-abcdef/photo", ToBytes("p"));
  WriteBytes(base / "vantel-ghijkl", ToBytes("a file"));
  fs::create_directory(base / "vantel-old-one");
  WriteBytes(base / "vantel-old-one/owner", ToBytes("1"));

  EXPECT_EQ(ReclaimStaleRunFolders(base.Path()), 1);
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(alive->Path() / "owner"));
  EXPECT_TRUE(fs::exists(base / "vantel-abcdef/photo"));
  EXPECT_TRUE(fs::exists(base / "vantel-ghijkl"));
  EXPECT_TRUE(fs::exists(base / "vantel-old-one/owner"));
  // The game's start clears them too, in a read-only game's private base.
  {
    std::unique_ptr<RunFolder> gone = RunFolder::Make(base.Path(), &error);
    stale = gone->Path();
  }
  const std::optional<ResourceRoot> root = ChooseResourceRoot(game_, false, {base.Path()}, &error);
  ASSERT_TRUE(root) << error;
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_EQ(RemoveUnpackedResources(*root), "");
}

// A removal cut short once the owner record was gone (the listing may give it
// before "res") leaves a folder without a record: the next start takes it
// back when it holds only what a run puts there, and nothing else.
TEST_F(HardeningTest, ARunFolderStrandedWithoutItsOwnerRecordIsReclaimedAtTheNextStart) {
  TempFolder base;
  std::string error;
  const auto strip_record = [](const fs::path& folder) {
    fs::create_directories(folder / "res/Sounds");
    WriteBytes(folder / "res/Sounds/CARD_FLIP.WAV", ToBytes("flip"));
    fs::create_directory(folder / "vantel-Stage1");  // an unpacking's staging folder
    ASSERT_TRUE(fs::remove(folder / "owner"));
  };
  fs::path stranded;
  {
    std::unique_ptr<RunFolder> killed = RunFolder::Make(base.Path(), &error);
    ASSERT_TRUE(killed) << error;
    stranded = killed->Path();
    strip_record(stranded);
  }
  // A live copy's folder is left alone even so: its lock is what counts.
  std::unique_ptr<RunFolder> alive = RunFolder::Make(base.Path(), &error);
  ASSERT_TRUE(alive) << error;
  strip_record(alive->Path());
  // Folders of the same name and shape that are somebody else's: one with a
  // file of its own beside "res", one not made private, one whose "res" is a
  // link to a folder outside.
  fs::create_directories(base / "vantel-Notes1/res");
  WriteBytes(base / "vantel-Notes1/notes.txt", ToBytes("mine"));
  fs::permissions(base / "vantel-Notes1", fs::perms::owner_all);
  fs::create_directories(base / "vantel-Shared/res");
  fs::permissions(base / "vantel-Shared", fs::perms::owner_all | fs::perms::group_read |
                                              fs::perms::group_exec | fs::perms::others_read |
                                              fs::perms::others_exec);
  fs::create_directories(dir_ / "precious");
  WriteBytes(dir_ / "precious/kept", ToBytes("k"));
  fs::create_directory(base / "vantel-Linked");
  fs::permissions(base / "vantel-Linked", fs::perms::owner_all);
  fs::create_directory_symlink(dir_ / "precious", base / "vantel-Linked/res");

  const std::optional<ResourceRoot> root = ChooseResourceRoot(game_, false, {base.Path()}, &error);
  ASSERT_TRUE(root) << error;
  EXPECT_FALSE(fs::exists(stranded));
  EXPECT_TRUE(fs::exists(alive->Path() / "res/Sounds/CARD_FLIP.WAV"));
  EXPECT_TRUE(fs::exists(base / "vantel-Notes1/notes.txt"));
  EXPECT_TRUE(fs::exists(base / "vantel-Shared/res"));
  EXPECT_TRUE(fs::is_symlink(base / "vantel-Linked/res"));
  EXPECT_TRUE(fs::exists(dir_ / "precious/kept"));
  EXPECT_EQ(RemoveUnpackedResources(*root), "");
  EXPECT_FALSE(fs::exists(root->folder));
}

// The owner record is the last thing a removal takes: what a failure (or a
// kill) leaves behind is still known for a run's folder.
TEST_F(HardeningTest, ARemovalThatFailsPartWayKeepsTheOwnerRecord) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may delete from a read-only folder";
  TempFolder base;
  std::string error;
  fs::path kept;
  {
    std::unique_ptr<RunFolder> run = RunFolder::Make(base.Path(), &error);
    ASSERT_TRUE(run) << error;
    kept = run->Path();
    fs::create_directories(kept / "res/Sounds");
    WriteBytes(kept / "res/Sounds/CARD_FLIP.WAV", ToBytes("flip"));
    fs::permissions(kept / "res/Sounds", fs::perms::owner_read | fs::perms::owner_exec);
    const std::string left = run->Remove();
    EXPECT_NE(left.find("res"), std::string::npos) << left;
    EXPECT_TRUE(fs::exists(kept / "owner"));
    fs::permissions(kept / "res/Sounds", fs::perms::owner_all);
  }
  EXPECT_EQ(ReclaimStaleRunFolders(base.Path()), 1);
  EXPECT_FALSE(fs::exists(kept));
}

TEST_F(HardeningTest, UnusableRuntimeFolderFallsBackToTheNextBase) {
  TempFolder fallback;
  WriteBytes(dir_ / "not-a-folder", ToBytes("f"));
  std::string error;
  std::optional<ResourceRoot> root = ChooseResourceRoot(
      game_, false, {dir_ / "not-a-folder", dir_ / "absent", fallback.Path()}, &error);
  ASSERT_TRUE(root) << error;
  EXPECT_EQ(root->folder.parent_path(), fallback.Path());
  EXPECT_EQ(RemoveUnpackedResources(*root), "");
  // A folder this user cannot write to (root may write anywhere; the check
  // of a read-only file system is in the command-line tests).
  fs::create_directory(dir_ / "locked");
  fs::permissions(dir_ / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  root = ChooseResourceRoot(game_, false, {dir_ / "locked", fallback.Path()}, &error);
  ASSERT_TRUE(root) << error;
  EXPECT_EQ(root->is_private, true);
  EXPECT_EQ(RemoveUnpackedResources(*root), "");
  fs::permissions(dir_ / "locked", fs::perms::owner_all);
  // Every base unusable: the message gives each reason.
  EXPECT_FALSE(ChooseResourceRoot(game_, false, {dir_ / "not-a-folder", dir_ / "absent"}, &error));
  EXPECT_NE(error.find("not-a-folder"), std::string::npos) << error;
  EXPECT_NE(error.find("absent"), std::string::npos) << error;
  EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
}

TEST(PrivateBases, RuntimeFolderFirstThenTheTemporaryFolder) {
  const char* saved = std::getenv("XDG_RUNTIME_DIR");
  const std::string keep = saved ? saved : "";
  ::setenv("XDG_RUNTIME_DIR", "/nonexistent/runtime", 1);
  std::vector<fs::path> bases = PrivateBases();
  ASSERT_EQ(bases.size(), 2u);
  EXPECT_EQ(bases[0], "/nonexistent/runtime");
  ::setenv("XDG_RUNTIME_DIR", "relative", 1);
  EXPECT_EQ(PrivateBases().size(), 1u);
  if (saved) {
    ::setenv("XDG_RUNTIME_DIR", keep.c_str(), 1);
  } else {
    ::unsetenv("XDG_RUNTIME_DIR");
  }
}

// --- Full disks ---------------------------------------------------------------

// A file-size limit stands in for a full disk: writes past it fail.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, old_handler_);
  }

 private:
  rlimit saved_{};
  void (*old_handler_)(int) = nullptr;
};

TEST_F(HardeningTest, FullDiskIsReportedWithItsReasonAndLeavesNothing) {
  WriteBytes(dir_ / "kept", ToBytes("old"));
  std::string error;
  {
    const FileSizeLimit limit(1024);
    error = ReplaceFile(dir_ / "kept", Bytes(4096, 'x'));
  }
  EXPECT_NE(error.find("cannot write " + (dir_ / "kept").string()), std::string::npos) << error;
  EXPECT_NE(error.find("File too large"), std::string::npos) << error;
  EXPECT_EQ(ReadBytes(dir_ / "kept"), ToBytes("old"));
  EXPECT_EQ(ListTree(dir_.Path()), (std::vector<std::string>{"game", "game/res065.pak", "kept"}));
  // The game's start on a full disk: a message with the reason, nothing left.
  std::vector<PakFile> files = GameFiles();
  files.push_back(PakFile{"Bitmaps_big.bmp", Bytes(8192, 'b')});
  WriteArchive(game_ / "res065.pak", files);
  UnpackResult r;
  {
    const FileSizeLimit limit(4096);
    r = StartGame();
  }
  EXPECT_EQ(r.status, UnpackStatus::kFileError);
  EXPECT_NE(r.message.find("big.bmp: File too large"), std::string::npos) << r.message;
  EXPECT_EQ(ListTree(game_), (std::vector<std::string>{"res065.pak"}));
}

}  // namespace
}  // namespace vantel
