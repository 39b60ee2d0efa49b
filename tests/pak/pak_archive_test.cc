#include "pak/pak_archive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "pak_test_support.h"

namespace vantel {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::Entry;
using testing::PatchI32;
using testing::ReadBytes;
using testing::TempFolder;
using testing::ToBytes;
using testing::WriteBytes;

class ZelPakTest : public ::testing::Test {
 protected:
  // Opens bytes written as an archive file; the path is returned for checks.
  std::string Open(PakArchive& pak, const Bytes& bytes, const std::string& name = "a.pak") {
    const fs::path path = dir_ / name;
    WriteBytes(path, bytes);
    pak.Open(path.string());
    return path.string();
  }
  Bytes ThreeEntries() const {
    return BuildPak(
        {Entry("Sounds_A.WAV", "alpha"), Entry("Royal_AC.BMP", "bravo!"), Entry("dummy65", "")});
  }
  TempFolder dir_;
};

TEST_F(ZelPakTest, DirectoryOfNEntriesAnswersByIndexWithLastIndexNotCount) {
  PakArchive pak;
  const std::string path = Open(pak, ThreeEntries());
  EXPECT_EQ(pak.LoadedPath(), path);
  EXPECT_TRUE(pak.OpenError().empty());
  ASSERT_EQ(pak.LastIndex(), 2);
  EXPECT_EQ(pak.EntryOffset(0), 12);
  EXPECT_EQ(pak.EntrySize(0), 5);
  EXPECT_EQ(pak.EntryOffset(1), 17);
  EXPECT_EQ(pak.EntrySize(1), 6);
  EXPECT_EQ(pak.EntrySize(2), 0);
  EXPECT_EQ(pak.EntryName(1).substr(0, 12), "Royal_AC.BMP");
  EXPECT_THROW(pak.EntryName(3), std::out_of_range);
  EXPECT_THROW(pak.EntryOffset(-1), std::out_of_range);
  EXPECT_THROW(pak.EntrySize(3), std::out_of_range);
}

TEST_F(ZelPakTest, NameFieldKeepsItsPaddingWhetherNulsOrSpaces) {
  const std::string name = "Bitmaps_mouse.bmp_";  // 18 characters
  const std::string spaced = name + std::string(38, ' ');
  PakArchive pak;
  Open(pak, BuildPak({Entry(name, "x"), Entry(spaced, "y")}));
  ASSERT_EQ(pak.LastIndex(), 1);
  EXPECT_EQ(pak.EntryName(0), name + std::string(38, '\0'));
  EXPECT_EQ(pak.EntryName(1), spaced);
  EXPECT_EQ(pak.EntryName(0).size(), 56u);
}

TEST_F(ZelPakTest, LastIndexIsRoundedHalfToEven) {
  // Four records are present after the header; the directory length decides
  // how many are read: length/64 - 1 rounded, halves to even.
  const Bytes four = BuildPak({Entry("a", "1"), Entry("b", "2"), Entry("c", "3"), Entry("d", "4")});
  const struct {
    int32_t length;
    int32_t last_index;
  } cases[] = {{0, -1}, {31, -1}, {32, 0}, {64, 0}, {96, 0}, {100, 1}, {160, 2}, {224, 2}};
  for (const auto& c : cases) {
    Bytes bytes = four;
    PatchI32(bytes, 8, c.length);
    PakArchive pak;
    Open(pak, bytes);
    ASSERT_FALSE(pak.LoadedPath().empty()) << c.length;
    EXPECT_EQ(pak.LastIndex(), c.last_index) << "directory length " << c.length;
  }
  // 100 bytes: the second entry is read past the directory's stated end.
  Bytes bytes = four;
  PatchI32(bytes, 8, 100);
  PakArchive pak;
  Open(pak, bytes);
  EXPECT_EQ(pak.EntryName(1)[0], 'b');
  EXPECT_EQ(pak.EntrySize(1), 1);
}

TEST_F(ZelPakTest, RefusedFilesLeaveTheAcceptedArchiveInPlace) {
  PakArchive pak;
  const std::string good = Open(pak, ThreeEntries());
  Bytes lower = ThreeEntries();
  lower[0] = 'p', lower[1] = 'a', lower[2] = 'c', lower[3] = 'k';
  Bytes negative_offset = ThreeEntries();
  PatchI32(negative_offset, 4, -64);
  Bytes negative_length = ThreeEntries();
  PatchI32(negative_length, 8, -64);
  Bytes oversized = ThreeEntries();
  PatchI32(oversized, 8, 0x7FFFFFC0);  // would ask for 33 million entries
  Bytes far_offset = ThreeEntries();
  PatchI32(far_offset, 4, 0x7FFFFFF0);
  const Bytes short_header = ToBytes("PACK\x0c");
  for (const Bytes& bad :
       {lower, negative_offset, negative_length, oversized, far_offset, short_header, Bytes{}}) {
    const std::string path = Open(pak, bad, "bad.pak");
    EXPECT_EQ(pak.LoadedPath(), good);
    EXPECT_NE(pak.OpenError().find(path), std::string::npos) << pak.OpenError();
    ASSERT_EQ(pak.LastIndex(), 2);
    EXPECT_EQ(pak.EntrySize(1), 6);
  }
  pak.Open((dir_ / "missing.pak").string());
  EXPECT_EQ(pak.LoadedPath(), good);
  EXPECT_NE(pak.OpenError().find("missing.pak"), std::string::npos);
}

TEST_F(ZelPakTest, SecondArchiveReplacesTheDirectoryWholly) {
  PakArchive pak;
  Open(pak, ThreeEntries());
  const std::string second = Open(pak, BuildPak({Entry("Bitmaps_x.bmp", "xyz")}), "b.pak");
  EXPECT_EQ(pak.LoadedPath(), second);
  ASSERT_EQ(pak.LastIndex(), 0);
  EXPECT_EQ(pak.EntryName(0).substr(0, 13), "Bitmaps_x.bmp");
  EXPECT_THROW(pak.EntryName(1), std::out_of_range);
  pak.SaveEntry(0, (dir_ / "out").string());
  EXPECT_EQ(ReadBytes(dir_ / "out"), ToBytes("xyz"));
}

TEST_F(ZelPakTest, NothingAnsweredBeforeAnArchiveIsAccepted) {
  PakArchive pak;
  EXPECT_EQ(pak.LoadedPath(), "");
  EXPECT_EQ(pak.LastIndex(), -1);
  EXPECT_THROW(pak.EntryName(0), std::out_of_range);
  EXPECT_THROW(pak.SaveEntry(0, (dir_ / "out").string()), std::out_of_range);
  EXPECT_FALSE(fs::exists(dir_ / "out"));
}

TEST_F(ZelPakTest, EmptyArchiveAndEmptyEntryAreAccepted) {
  PakArchive pak;
  const std::string path = Open(pak, BuildPak({}));
  EXPECT_EQ(pak.LoadedPath(), path);
  EXPECT_EQ(pak.LastIndex(), -1);
  Open(pak, ThreeEntries());
  pak.SaveEntry(2, (dir_ / "empty").string());
  EXPECT_TRUE(fs::exists(dir_ / "empty"));
  EXPECT_EQ(fs::file_size(dir_ / "empty"), 0u);
}

TEST_F(ZelPakTest, SavingReplacesTheDestinationWhollyAndRepeatsExactly) {
  PakArchive pak;
  Open(pak, ThreeEntries());
  const fs::path out = dir_ / "out";
  WriteBytes(out, ToBytes("a much longer file that was there before"));
  pak.SaveEntry(0, out.string());
  const Bytes first = ReadBytes(out);
  EXPECT_EQ(first, ToBytes("alpha"));
  pak.SaveEntry(0, out.string());
  EXPECT_EQ(ReadBytes(out), first);
}

TEST_F(ZelPakTest, EntryWhoseDataIsNotInTheArchiveIsRefusedWithoutWriting) {
  const Bytes base = ThreeEntries();
  const size_t rec = testing::EntryRecordAt(base, 1);
  const struct {
    int32_t pos, len;
  } cases[] = {{12, static_cast<int32_t>(base.size())},  // runs past the end
               {0x7FFFFF00, 6},                          // starts past the end
               {12, 0x7FFFFFFF},                         // larger than the archive
               {-5, 6},
               {12, -1}};
  for (const auto& c : cases) {
    Bytes bytes = base;
    PatchI32(bytes, rec + 56, c.pos);
    PatchI32(bytes, rec + 60, c.len);
    PakArchive pak;
    const std::string path = Open(pak, bytes);
    ASSERT_EQ(pak.LoadedPath(), path) << "listing such an archive still works";
    EXPECT_NE(pak.EntryProblem(1).find(path), std::string::npos);
    EXPECT_TRUE(pak.EntryProblem(0).empty());
    const fs::path out = dir_ / "out";
    WriteBytes(out, ToBytes("keep"));
    EXPECT_THROW(pak.SaveEntry(1, out.string()), PakError) << c.pos << " " << c.len;
    EXPECT_EQ(ReadBytes(out), ToBytes("keep"));
  }
}

TEST_F(ZelPakTest, ArchiveCutShortAfterOpeningIsCaughtWhenSaving) {
  PakArchive pak;
  const std::string path = Open(pak, ThreeEntries());
  WriteBytes(path, ToBytes("PACK"));
  EXPECT_THROW(pak.SaveEntry(1, (dir_ / "out").string()), PakError);
  EXPECT_FALSE(fs::exists(dir_ / "out"));
  fs::remove(path);
  EXPECT_THROW(pak.SaveEntry(1, (dir_ / "out").string()), PakError);
}

TEST_F(ZelPakTest, UncreatableDestinationIsReportedWithItsPath) {
  PakArchive pak;
  Open(pak, ThreeEntries());
  const std::string dest = (dir_ / "no-such-folder" / "out").string();
  try {
    pak.SaveEntry(0, dest);
    FAIL() << "saved into a missing folder";
  } catch (const PakError& e) {
    EXPECT_NE(std::string(e.what()).find(dest), std::string::npos);
  }
}

}  // namespace
}  // namespace vantel
