#include "pak/pak_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "pak/entry_name.h"
#include "pak/pak_archive.h"
#include "pak_test_support.h"

namespace vantel {
namespace {

namespace fs = std::filesystem;
using testing::Entry;
using testing::ReadBytes;
using testing::TempFolder;

TEST(PakWriterTest, WrittenArchiveReadsBackEntryForEntry) {
  TempFolder dir;
  const std::vector<PakFile> files = {Entry("Sounds_WIN.WAV", "win"), Entry("empty", ""),
                                      Entry(std::string(56, 'n'), "full-width name")};
  std::string error;
  ASSERT_TRUE(WritePak((dir / "a.pak").string(), files, &error)) << error;
  EXPECT_EQ(ReadBytes(dir / "a.pak"), BuildPak(files));
  PakArchive pak;
  pak.Open((dir / "a.pak").string());
  ASSERT_EQ(pak.LastIndex(), 2);
  for (int32_t i = 0; i <= pak.LastIndex(); ++i) {
    EXPECT_EQ(CutEntryName(pak.EntryName(i)), files[i].name);
    pak.SaveEntry(i, (dir / "out").string());
    EXPECT_EQ(ReadBytes(dir / "out"), files[i].data);
  }
}

TEST(PakWriterTest, OverlongNameOrUnwritablePathFailsWithoutAFile) {
  TempFolder dir;
  std::string error;
  EXPECT_FALSE(WritePak((dir / "a.pak").string(), {Entry(std::string(57, 'n'), "")}, &error));
  EXPECT_NE(error.find("56"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir / "a.pak"));
  const std::string nowhere = (dir / "missing" / "a.pak").string();
  EXPECT_FALSE(WritePak(nowhere, {Entry("x", "y")}, &error));
  EXPECT_NE(error.find(nowhere), std::string::npos);
}

}  // namespace
}  // namespace vantel
