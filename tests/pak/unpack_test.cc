#include "pak/unpack.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "pak/remove_resources.h"
#include "pak_test_support.h"

namespace vantel {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::Entry;
using testing::FakeConverter;
using testing::ListTree;
using testing::PatchI32;
using testing::ReadBytes;
using testing::TempFolder;
using testing::ToBytes;
using testing::WriteArchive;
using testing::WriteBytes;

const std::vector<std::string> kEmptyTree = {"res",        "res/Bitmaps",    "res/Royal",
                                             "res/Sounds", "res/Trevigiano", "res/fntFonts"};

std::vector<PakFile> GameLikeFiles() {
  return {Entry("dummy65", "m"),
          Entry("fntFonts_fntDigit.bmp", "digits"),
          Entry("Sounds_CARD_FLIP.WAV", "flip"),
          Entry("Bitmaps_Back_800x600.jpg", "jpeg!"),
          Entry("Trevigiano_AC.BMP", "t-ace"),
          Entry("Royal_AC.BMP", "r-ace"),
          Entry("readme.txt", "not a resource"),
          Entry("dummy2_xyz", "m2")};
}

// The archive beside an (empty) game folder, unpacked into a root of its own
// so that anything written outside the root shows up in Dir.
class UnpackTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directory(root_.folder); }
  UnpackResult Run(const std::vector<PakFile>& files) {
    WriteArchive(archive_, files);
    return UnpackInto(archive_, root_, converter_);
  }
  UnpackResult RunBytes(const Bytes& bytes) {
    WriteBytes(archive_, bytes);
    return UnpackInto(archive_, root_, converter_);
  }
  // Nothing was left anywhere: the root is empty and Dir holds only it and the archive.
  void ExpectNothingWritten() {
    EXPECT_TRUE(fs::is_empty(root_.folder)) << ::testing::PrintToString(ListTree(root_.folder));
    EXPECT_EQ(ListTree(dir_.Path()), (std::vector<std::string>{"game", "res065.pak"}));
  }
  TempFolder dir_;
  fs::path archive_ = dir_ / "res065.pak";
  ResourceRoot root_{dir_ / "game", false};
  FakeConverter converter_;
};

TEST_F(UnpackTest, EachPrefixGoesToItsFolderAndTheClothIsConverted) {
  const UnpackResult r = Run(GameLikeFiles());
  ASSERT_EQ(r.status, UnpackStatus::kUnpacked) << r.message;
  EXPECT_EQ(r.root.folder, root_.folder);
  std::vector<std::string> expected = kEmptyTree;
  expected.insert(expected.end(), {"res/Bitmaps/Back_800x600.bmp", "res/Bitmaps/Back_800x600.jpg",
                                   "res/Royal/AC.BMP", "res/Sounds/CARD_FLIP.WAV",
                                   "res/Trevigiano/AC.BMP", "res/fntFonts/fntDigit.bmp"});
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ListTree(root_.folder), expected);
  EXPECT_EQ(ReadBytes(root_.folder / "res/Trevigiano/AC.BMP"), ToBytes("t-ace"));
  EXPECT_EQ(ReadBytes(root_.folder / "res/Royal/AC.BMP"), ToBytes("r-ace"));
  EXPECT_EQ(ReadBytes(root_.folder / "res/Bitmaps/Back_800x600.jpg"), ToBytes("jpeg!"));
  EXPECT_EQ(ReadBytes(root_.folder / "res/Bitmaps/Back_800x600.bmp"), ToBytes("!gepj"));
  ASSERT_EQ(converter_.calls.size(), 2u);
  // It converts the written picture (while it is still being staged).
  EXPECT_EQ(converter_.calls[0].filename(), "Back_800x600.jpg");
  EXPECT_EQ(converter_.calls[0].parent_path().filename(), "Bitmaps");
  EXPECT_EQ(converter_.calls[1].filename(), "Back_800x600.bmp");
}

TEST_F(UnpackTest, PrefixesAreCaseSensitiveButFileNamesMatchAnyCase) {
  const UnpackResult r = Run({Entry("sounds_X.WAV", "skipped"), Entry("Sounds_a.wav", "first"),
                              Entry("Sounds_A.WAV", "second")});
  ASSERT_EQ(r.status, UnpackStatus::kUnpacked) << r.message;
  EXPECT_EQ(ListTree(root_.folder / "res/Sounds"), (std::vector<std::string>{"a.wav"}));
  EXPECT_EQ(ReadBytes(root_.folder / "res/Sounds/a.wav"), ToBytes("second"));
}

TEST_F(UnpackTest, NulAndSpacePaddedNamesGiveTheSameFiles) {
  ASSERT_TRUE(Run({Entry("Sounds_CARD_FLIP.WAV", "x"), Entry("Royal_KS.BMP", "y")}).Succeeded());
  const std::vector<std::string> nul_tree = ListTree(root_.folder);
  RemoveUnpackedResources(root_);
  ASSERT_TRUE(fs::is_empty(root_.folder));
  const UnpackResult r = Run({Entry("Sounds_CARD_FLIP.WAV" + std::string(36, ' '), "x"),
                              Entry("Royal_KS.BMP" + std::string(44, ' '), "y")});
  ASSERT_TRUE(r.Succeeded()) << r.message;
  EXPECT_EQ(ListTree(root_.folder), nul_tree);
  EXPECT_EQ(ReadBytes(root_.folder / "res/Royal/KS.BMP"), ToBytes("y"));
}

TEST_F(UnpackTest, PresenceMarkerSkipsEverythingEvenWithoutAnArchive) {
  fs::create_directories(root_.folder / "res/sounds");
  WriteBytes(root_.folder / "res/sounds/card_flip.wav", ToBytes("old"));
  const UnpackResult r = UnpackInto(dir_ / "absent.pak", root_, converter_);
  EXPECT_EQ(r.status, UnpackStatus::kAlreadyPresent);
  EXPECT_TRUE(r.Succeeded());
  EXPECT_EQ(ListTree(root_.folder),
            (std::vector<std::string>{"res", "res/sounds", "res/sounds/card_flip.wav"}));
}

TEST_F(UnpackTest, UnknownMarkerWritesNothing) {
  for (const char* marker : {"dummy66", "dumm", "dummy2", "dummY65"}) {
    std::vector<PakFile> files = GameLikeFiles();
    files.push_back(Entry(marker, ""));
    const UnpackResult r = Run(files);
    EXPECT_EQ(r.status, UnpackStatus::kUnknownMarker) << marker;
    EXPECT_FALSE(r.Succeeded());
    ExpectNothingWritten();
  }
  // Known markers are recognised by their first seven characters.
  EXPECT_TRUE(Run({Entry("dummy65 and more", ""), Entry("dummy2_", "")}).Succeeded());
}

TEST_F(UnpackTest, MissingOrMalformedArchiveIsRefusedNamingThePath) {
  Bytes lower = BuildPak(GameLikeFiles());
  lower[0] = 'p';
  Bytes oversized = BuildPak(GameLikeFiles());
  PatchI32(oversized, 8, 0x40000000);
  Bytes negative = BuildPak(GameLikeFiles());
  PatchI32(negative, 4, -1);
  for (const Bytes& bad : {lower, oversized, negative, Bytes{'P', 'A', 'C', 'K'}}) {
    const UnpackResult r = RunBytes(bad);
    EXPECT_EQ(r.status, UnpackStatus::kArchiveRefused);
    EXPECT_NE(r.message.find(archive_.string()), std::string::npos) << r.message;
    ExpectNothingWritten();
  }
  fs::remove(archive_);
  const UnpackResult r = UnpackInto(archive_, root_, converter_);
  EXPECT_EQ(r.status, UnpackStatus::kArchiveRefused);
  EXPECT_NE(r.message.find(archive_.string()), std::string::npos);
  EXPECT_TRUE(fs::is_empty(root_.folder));
}

TEST_F(UnpackTest, NamesThatWouldLeaveTheirFolderAreRefused) {
  for (const std::string name :
       {"Sounds_../../escaped", "Sounds_..", "Royal_.", "Bitmaps_/tmp/abs", "Royal_a/b",
        "fntFonts_..\\..\\x", "Trevigiano_C:x", "Sounds_bad\x01", "Sounds_", "Royal_   "}) {
    std::vector<PakFile> files = GameLikeFiles();
    files.push_back(Entry(name, "payload"));
    const UnpackResult r = Run(files);
    EXPECT_EQ(r.status, UnpackStatus::kEntryRefused) << name;
    EXPECT_NE(r.message.find("entry 8 of " + archive_.string()), std::string::npos) << r.message;
    ExpectNothingWritten();
  }
}

TEST_F(UnpackTest, EntryDataOutsideTheArchiveIsRefused) {
  const Bytes base = BuildPak(GameLikeFiles());
  const size_t rec = testing::EntryRecordAt(base, 4);
  for (const auto& [pos, len] : std::vector<std::pair<int32_t, int32_t>>{
           {12, 0x7FFFFFFF}, {static_cast<int32_t>(base.size()) - 2, 5}, {-12, 5}, {12, -5}}) {
    Bytes bytes = base;
    PatchI32(bytes, rec + 56, pos);
    PatchI32(bytes, rec + 60, len);
    const UnpackResult r = RunBytes(bytes);
    EXPECT_EQ(r.status, UnpackStatus::kEntryRefused) << pos << " " << len;
    EXPECT_NE(r.message.find(archive_.string()), std::string::npos);
    ExpectNothingWritten();
  }
}

TEST_F(UnpackTest, EmptyArchiveGivesAnEmptyTreeAndEmptyEntriesEmptyFiles) {
  ASSERT_EQ(Run({}).status, UnpackStatus::kUnpacked);
  EXPECT_EQ(ListTree(root_.folder), kEmptyTree);
  fs::remove_all(root_.folder / "res");
  ASSERT_TRUE(Run({Entry("Sounds_SILENT.WAV", "")}).Succeeded());
  EXPECT_EQ(fs::file_size(root_.folder / "res/Sounds/SILENT.WAV"), 0u);
}

TEST_F(UnpackTest, HalfMadeTreeGetsItsMissingFoldersAndFilesReplaced) {
  fs::create_directories(root_.folder / "res/Sounds");
  fs::create_directories(root_.folder / "res/bitmaps");
  WriteBytes(root_.folder / "res/bitmaps/back_800x600.JPG", ToBytes("an older, longer picture"));
  const UnpackResult r = Run(GameLikeFiles());
  ASSERT_EQ(r.status, UnpackStatus::kUnpacked) << r.message;
  EXPECT_EQ(ReadBytes(root_.folder / "res/bitmaps/back_800x600.JPG"), ToBytes("jpeg!"));
  EXPECT_TRUE(fs::exists(root_.folder / "res/bitmaps/Back_800x600.bmp"));
  EXPECT_FALSE(fs::exists(root_.folder / "res/Bitmaps"));
  EXPECT_TRUE(fs::is_directory(root_.folder / "res/Royal"));
}

TEST_F(UnpackTest, LinksInTheTreeAreReplacedNotFollowed) {
  WriteBytes(dir_ / "outside", ToBytes("precious"));
  fs::create_directories(root_.folder / "res/Royal");
  fs::create_symlink(dir_ / "outside", root_.folder / "res/Royal/AC.BMP");
  ASSERT_TRUE(Run(GameLikeFiles()).Succeeded());
  EXPECT_EQ(ReadBytes(dir_ / "outside"), ToBytes("precious"));
  EXPECT_FALSE(fs::is_symlink(root_.folder / "res/Royal/AC.BMP"));
  EXPECT_EQ(ReadBytes(root_.folder / "res/Royal/AC.BMP"), ToBytes("r-ace"));
}

TEST_F(UnpackTest, FoldersThatAreNotFoldersStopTheUnpacking) {
  fs::create_directory(dir_ / "elsewhere");
  fs::create_directory_symlink(dir_ / "elsewhere", root_.folder / "res");
  UnpackResult r = Run(GameLikeFiles());
  EXPECT_EQ(r.status, UnpackStatus::kFileError);
  EXPECT_TRUE(fs::is_empty(dir_ / "elsewhere"));
  fs::remove(root_.folder / "res");
  fs::create_directories(root_.folder / "res");
  WriteBytes(root_.folder / "res/Royal", ToBytes("a file"));
  r = Run(GameLikeFiles());
  EXPECT_EQ(r.status, UnpackStatus::kFileError);
  EXPECT_NE(r.message.find("res/Royal"), std::string::npos) << r.message;
  // The folders this run made before the obstacle are gone again.
  EXPECT_EQ(ListTree(root_.folder), (std::vector<std::string>{"res", "res/Royal"}));
}

TEST_F(UnpackTest, FailedConversionTakesBackEverythingWritten) {
  converter_.fail = true;
  const UnpackResult r = Run(GameLikeFiles());
  EXPECT_EQ(r.status, UnpackStatus::kFileError);
  EXPECT_NE(r.message.find("Back_800x600.jpg"), std::string::npos);
  ExpectNothingWritten();
}

TEST_F(UnpackTest, ReadOnlyGameFolderUnpacksIntoAPrivateFolder) {
  TempFolder base;
  std::string error;
  const std::optional<ResourceRoot> root =
      ChooseResourceRoot(dir_ / "game", false, {base.Path()}, &error);
  ASSERT_TRUE(root) << error;
  EXPECT_TRUE(root->is_private);
  EXPECT_EQ(root->folder.parent_path(), base.Path());
  EXPECT_EQ(fs::status(root->folder).permissions(), fs::perms::owner_all);
  WriteArchive(archive_, GameLikeFiles());
  const UnpackResult r = UnpackInto(archive_, *root, converter_);
  ASSERT_EQ(r.status, UnpackStatus::kUnpacked) << r.message;
  EXPECT_TRUE(fs::exists(root->folder / "res/Sounds/CARD_FLIP.WAV"));
  EXPECT_TRUE(fs::is_empty(root_.folder));
  EXPECT_EQ(RemoveUnpackedResources(r.root), "");
  EXPECT_TRUE(fs::is_empty(base.Path()));
  // A failed unpacking into a private folder removes the folder too.
  const std::optional<ResourceRoot> again =
      ChooseResourceRoot(dir_ / "game", false, {base.Path()}, &error);
  ASSERT_TRUE(again);
  EXPECT_EQ(UnpackInto(dir_ / "absent.pak", *again, converter_).status,
            UnpackStatus::kArchiveRefused);
  EXPECT_TRUE(fs::is_empty(base.Path()));
  EXPECT_FALSE(ChooseResourceRoot(dir_ / "game", false, {dir_ / "absent"}, &error));
  EXPECT_NE(error.find("absent"), std::string::npos);
}

TEST_F(UnpackTest, GameUnpacksIntoAFolderOfItsRunBesideItselfWhenItsFolderIsWritable) {
  EXPECT_TRUE(IsWritableFolder(root_.folder));
  EXPECT_FALSE(IsWritableFolder(dir_ / "absent"));
  WriteArchive(root_.folder / "res065.pak", GameLikeFiles());
  const UnpackResult r = Unpack(root_.folder, "res065.pak", converter_);
  ASSERT_EQ(r.status, UnpackStatus::kUnpacked) << r.message;
  EXPECT_EQ(r.root.folder.parent_path(), root_.folder);
  EXPECT_TRUE(r.root.is_private);
  EXPECT_TRUE(fs::exists(r.root.folder / "res/fntFonts/fntDigit.bmp"));
  EXPECT_EQ(RemoveUnpackedResources(r.root), "");
  EXPECT_EQ(ListTree(root_.folder), (std::vector<std::string>{"res065.pak"}));
}

}  // namespace
}  // namespace vantel
