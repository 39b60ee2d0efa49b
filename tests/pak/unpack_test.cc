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
  void SetUp() override { fs::create_directory(Root.Folder); }
  UnpackResult Run(const std::vector<PakFile>& files) {
    WriteArchive(Archive, files);
    return UnpackInto(Archive, Root, Converter);
  }
  UnpackResult RunBytes(const Bytes& bytes) {
    WriteBytes(Archive, bytes);
    return UnpackInto(Archive, Root, Converter);
  }
  // Nothing was left anywhere: the root is empty and Dir holds only it and the archive.
  void ExpectNothingWritten() {
    EXPECT_TRUE(fs::is_empty(Root.Folder)) << ::testing::PrintToString(ListTree(Root.Folder));
    EXPECT_EQ(ListTree(Dir.Path()), (std::vector<std::string>{"game", "res065.pak"}));
  }
  TempFolder Dir;
  fs::path Archive = Dir / "res065.pak";
  ResourceRoot Root{Dir / "game", false};
  FakeConverter Converter;
};

TEST_F(UnpackTest, EachPrefixGoesToItsFolderAndTheClothIsConverted) {
  const UnpackResult r = Run(GameLikeFiles());
  ASSERT_EQ(r.Status, UnpackStatus::Unpacked) << r.Message;
  EXPECT_EQ(r.Root.Folder, Root.Folder);
  std::vector<std::string> expected = kEmptyTree;
  expected.insert(expected.end(), {"res/Bitmaps/Back_800x600.bmp", "res/Bitmaps/Back_800x600.jpg",
                                   "res/Royal/AC.BMP", "res/Sounds/CARD_FLIP.WAV",
                                   "res/Trevigiano/AC.BMP", "res/fntFonts/fntDigit.bmp"});
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ListTree(Root.Folder), expected);
  EXPECT_EQ(ReadBytes(Root.Folder / "res/Trevigiano/AC.BMP"), ToBytes("t-ace"));
  EXPECT_EQ(ReadBytes(Root.Folder / "res/Royal/AC.BMP"), ToBytes("r-ace"));
  EXPECT_EQ(ReadBytes(Root.Folder / "res/Bitmaps/Back_800x600.jpg"), ToBytes("jpeg!"));
  EXPECT_EQ(ReadBytes(Root.Folder / "res/Bitmaps/Back_800x600.bmp"), ToBytes("!gepj"));
  ASSERT_EQ(Converter.Calls.size(), 2u);
  // It converts the written picture (while it is still being staged).
  EXPECT_EQ(Converter.Calls[0].filename(), "Back_800x600.jpg");
  EXPECT_EQ(Converter.Calls[0].parent_path().filename(), "Bitmaps");
  EXPECT_EQ(Converter.Calls[1].filename(), "Back_800x600.bmp");
}

TEST_F(UnpackTest, PrefixesAreCaseSensitiveButFileNamesMatchAnyCase) {
  const UnpackResult r = Run({Entry("sounds_X.WAV", "skipped"), Entry("Sounds_a.wav", "first"),
                              Entry("Sounds_A.WAV", "second")});
  ASSERT_EQ(r.Status, UnpackStatus::Unpacked) << r.Message;
  EXPECT_EQ(ListTree(Root.Folder / "res/Sounds"), (std::vector<std::string>{"a.wav"}));
  EXPECT_EQ(ReadBytes(Root.Folder / "res/Sounds/a.wav"), ToBytes("second"));
}

TEST_F(UnpackTest, NulAndSpacePaddedNamesGiveTheSameFiles) {
  ASSERT_TRUE(Run({Entry("Sounds_CARD_FLIP.WAV", "x"), Entry("Royal_KS.BMP", "y")}).Succeeded());
  const std::vector<std::string> nulTree = ListTree(Root.Folder);
  RemoveUnpackedResources(Root);
  ASSERT_TRUE(fs::is_empty(Root.Folder));
  const UnpackResult r = Run({Entry("Sounds_CARD_FLIP.WAV" + std::string(36, ' '), "x"),
                              Entry("Royal_KS.BMP" + std::string(44, ' '), "y")});
  ASSERT_TRUE(r.Succeeded()) << r.Message;
  EXPECT_EQ(ListTree(Root.Folder), nulTree);
  EXPECT_EQ(ReadBytes(Root.Folder / "res/Royal/KS.BMP"), ToBytes("y"));
}

TEST_F(UnpackTest, PresenceMarkerSkipsEverythingEvenWithoutAnArchive) {
  fs::create_directories(Root.Folder / "res/sounds");
  WriteBytes(Root.Folder / "res/sounds/card_flip.wav", ToBytes("old"));
  const UnpackResult r = UnpackInto(Dir / "absent.pak", Root, Converter);
  EXPECT_EQ(r.Status, UnpackStatus::AlreadyPresent);
  EXPECT_TRUE(r.Succeeded());
  EXPECT_EQ(ListTree(Root.Folder),
            (std::vector<std::string>{"res", "res/sounds", "res/sounds/card_flip.wav"}));
}

TEST_F(UnpackTest, UnknownMarkerWritesNothing) {
  for (const char* marker : {"dummy66", "dumm", "dummy2", "dummY65"}) {
    std::vector<PakFile> files = GameLikeFiles();
    files.push_back(Entry(marker, ""));
    const UnpackResult r = Run(files);
    EXPECT_EQ(r.Status, UnpackStatus::UnknownMarker) << marker;
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
    EXPECT_EQ(r.Status, UnpackStatus::ArchiveRefused);
    EXPECT_NE(r.Message.find(Archive.string()), std::string::npos) << r.Message;
    ExpectNothingWritten();
  }
  fs::remove(Archive);
  const UnpackResult r = UnpackInto(Archive, Root, Converter);
  EXPECT_EQ(r.Status, UnpackStatus::ArchiveRefused);
  EXPECT_NE(r.Message.find(Archive.string()), std::string::npos);
  EXPECT_TRUE(fs::is_empty(Root.Folder));
}

TEST_F(UnpackTest, NamesThatWouldLeaveTheirFolderAreRefused) {
  for (const std::string name :
       {"Sounds_../../escaped", "Sounds_..", "Royal_.", "Bitmaps_/tmp/abs", "Royal_a/b",
        "fntFonts_..\\..\\x", "Trevigiano_C:x", "Sounds_bad\x01", "Sounds_", "Royal_   "}) {
    std::vector<PakFile> files = GameLikeFiles();
    files.push_back(Entry(name, "payload"));
    const UnpackResult r = Run(files);
    EXPECT_EQ(r.Status, UnpackStatus::EntryRefused) << name;
    EXPECT_NE(r.Message.find("entry 8 of " + Archive.string()), std::string::npos) << r.Message;
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
    EXPECT_EQ(r.Status, UnpackStatus::EntryRefused) << pos << " " << len;
    EXPECT_NE(r.Message.find(Archive.string()), std::string::npos);
    ExpectNothingWritten();
  }
}

TEST_F(UnpackTest, EmptyArchiveGivesAnEmptyTreeAndEmptyEntriesEmptyFiles) {
  ASSERT_EQ(Run({}).Status, UnpackStatus::Unpacked);
  EXPECT_EQ(ListTree(Root.Folder), kEmptyTree);
  fs::remove_all(Root.Folder / "res");
  ASSERT_TRUE(Run({Entry("Sounds_SILENT.WAV", "")}).Succeeded());
  EXPECT_EQ(fs::file_size(Root.Folder / "res/Sounds/SILENT.WAV"), 0u);
}

TEST_F(UnpackTest, HalfMadeTreeGetsItsMissingFoldersAndFilesReplaced) {
  fs::create_directories(Root.Folder / "res/Sounds");
  fs::create_directories(Root.Folder / "res/bitmaps");
  WriteBytes(Root.Folder / "res/bitmaps/back_800x600.JPG", ToBytes("an older, longer picture"));
  const UnpackResult r = Run(GameLikeFiles());
  ASSERT_EQ(r.Status, UnpackStatus::Unpacked) << r.Message;
  EXPECT_EQ(ReadBytes(Root.Folder / "res/bitmaps/back_800x600.JPG"), ToBytes("jpeg!"));
  EXPECT_TRUE(fs::exists(Root.Folder / "res/bitmaps/Back_800x600.bmp"));
  EXPECT_FALSE(fs::exists(Root.Folder / "res/Bitmaps"));
  EXPECT_TRUE(fs::is_directory(Root.Folder / "res/Royal"));
}

TEST_F(UnpackTest, LinksInTheTreeAreReplacedNotFollowed) {
  WriteBytes(Dir / "outside", ToBytes("precious"));
  fs::create_directories(Root.Folder / "res/Royal");
  fs::create_symlink(Dir / "outside", Root.Folder / "res/Royal/AC.BMP");
  ASSERT_TRUE(Run(GameLikeFiles()).Succeeded());
  EXPECT_EQ(ReadBytes(Dir / "outside"), ToBytes("precious"));
  EXPECT_FALSE(fs::is_symlink(Root.Folder / "res/Royal/AC.BMP"));
  EXPECT_EQ(ReadBytes(Root.Folder / "res/Royal/AC.BMP"), ToBytes("r-ace"));
}

TEST_F(UnpackTest, FoldersThatAreNotFoldersStopTheUnpacking) {
  fs::create_directory(Dir / "elsewhere");
  fs::create_directory_symlink(Dir / "elsewhere", Root.Folder / "res");
  UnpackResult r = Run(GameLikeFiles());
  EXPECT_EQ(r.Status, UnpackStatus::FileError);
  EXPECT_TRUE(fs::is_empty(Dir / "elsewhere"));
  fs::remove(Root.Folder / "res");
  fs::create_directories(Root.Folder / "res");
  WriteBytes(Root.Folder / "res/Royal", ToBytes("a file"));
  r = Run(GameLikeFiles());
  EXPECT_EQ(r.Status, UnpackStatus::FileError);
  EXPECT_NE(r.Message.find("res/Royal"), std::string::npos) << r.Message;
  // The folders this run made before the obstacle are gone again.
  EXPECT_EQ(ListTree(Root.Folder), (std::vector<std::string>{"res", "res/Royal"}));
}

TEST_F(UnpackTest, FailedConversionTakesBackEverythingWritten) {
  Converter.Fail = true;
  const UnpackResult r = Run(GameLikeFiles());
  EXPECT_EQ(r.Status, UnpackStatus::FileError);
  EXPECT_NE(r.Message.find("Back_800x600.jpg"), std::string::npos);
  ExpectNothingWritten();
}

TEST_F(UnpackTest, ReadOnlyGameFolderUnpacksIntoAPrivateFolder) {
  TempFolder base;
  std::string error;
  const std::optional<ResourceRoot> root =
      ChooseResourceRoot(Dir / "game", false, {base.Path()}, &error);
  ASSERT_TRUE(root) << error;
  EXPECT_TRUE(root->Private);
  EXPECT_EQ(root->Folder.parent_path(), base.Path());
  EXPECT_EQ(fs::status(root->Folder).permissions(), fs::perms::owner_all);
  WriteArchive(Archive, GameLikeFiles());
  const UnpackResult r = UnpackInto(Archive, *root, Converter);
  ASSERT_EQ(r.Status, UnpackStatus::Unpacked) << r.Message;
  EXPECT_TRUE(fs::exists(root->Folder / "res/Sounds/CARD_FLIP.WAV"));
  EXPECT_TRUE(fs::is_empty(Root.Folder));
  EXPECT_EQ(RemoveUnpackedResources(r.Root), "");
  EXPECT_TRUE(fs::is_empty(base.Path()));
  // A failed unpacking into a private folder removes the folder too.
  const std::optional<ResourceRoot> again =
      ChooseResourceRoot(Dir / "game", false, {base.Path()}, &error);
  ASSERT_TRUE(again);
  EXPECT_EQ(UnpackInto(Dir / "absent.pak", *again, Converter).Status, UnpackStatus::ArchiveRefused);
  EXPECT_TRUE(fs::is_empty(base.Path()));
  EXPECT_FALSE(ChooseResourceRoot(Dir / "game", false, {Dir / "absent"}, &error));
  EXPECT_NE(error.find("absent"), std::string::npos);
}

TEST_F(UnpackTest, GameUnpacksIntoAFolderOfItsRunBesideItselfWhenItsFolderIsWritable) {
  EXPECT_TRUE(IsWritableFolder(Root.Folder));
  EXPECT_FALSE(IsWritableFolder(Dir / "absent"));
  WriteArchive(Root.Folder / "res065.pak", GameLikeFiles());
  const UnpackResult r = Unpack(Root.Folder, "res065.pak", Converter);
  ASSERT_EQ(r.Status, UnpackStatus::Unpacked) << r.Message;
  EXPECT_EQ(r.Root.Folder.parent_path(), Root.Folder);
  EXPECT_TRUE(r.Root.Private);
  EXPECT_TRUE(fs::exists(r.Root.Folder / "res/fntFonts/fntDigit.bmp"));
  EXPECT_EQ(RemoveUnpackedResources(r.Root), "");
  EXPECT_EQ(ListTree(Root.Folder), (std::vector<std::string>{"res065.pak"}));
}

}  // namespace
}  // namespace vantel
