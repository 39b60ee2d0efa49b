#include "app/archive_entries.h"

#include <gtest/gtest.h>

#include <fstream>

#include <unistd.h>

#include "pak/pak_writer.h"

namespace vantel {
namespace {

class ArchiveEntriesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = std::filesystem::temp_directory_path() /
            ("vantel_entries_" + std::to_string(getpid()) + ".pak");
  }
  void TearDown() override { std::filesystem::remove(path_); }
  std::filesystem::path path_;
};

TEST_F(ArchiveEntriesTest, FindsEntriesByCutNameWhateverTheCase) {
  std::string error;
  ASSERT_TRUE(WritePak(path_.string(),
                       {{"Royal_AC.BMP", {1, 2, 3}}, {"Royal_2C.BMP", {4, 5}}, {"dummy65", {}}},
                       &error))
      << error;
  ArchiveEntrySource source = ArchiveEntriesOf(path_);
  std::optional<std::vector<uint8_t>> bytes = source("Royal_2C.BMP");
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(*bytes, (std::vector<uint8_t>{4, 5}));
  bytes = source("royal_ac.bmp");
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(*bytes, (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_FALSE(source("Royal_3C.BMP").has_value());
}

TEST_F(ArchiveEntriesTest, MissingOrForeignArchiveHasNoEntries) {
  EXPECT_FALSE(ArchiveEntriesOf(path_)("Royal_AC.BMP").has_value());
  std::ofstream(path_) << "pack of lies, not an archive";
  EXPECT_FALSE(ArchiveEntriesOf(path_)("Royal_AC.BMP").has_value());
}

}  // namespace
}  // namespace vantel
