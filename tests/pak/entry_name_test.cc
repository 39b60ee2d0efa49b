#include "pak/entry_name.h"

#include <gtest/gtest.h>

#include <string>

namespace vantel {
namespace {

TEST(EntryNameTest, CutEndsAtFirstNulAndDropsTrailingSpaces) {
  using namespace std::string_literals;
  EXPECT_EQ(CutEntryName("CARD_FLIP.WAV"s + std::string(43, '\0')), "CARD_FLIP.WAV");
  EXPECT_EQ(CutEntryName("CARD_FLIP.WAV"s + std::string(43, ' ')), "CARD_FLIP.WAV");
  EXPECT_EQ(CutEntryName("A B.WAV  \0junk after"s), "A B.WAV");
  EXPECT_EQ(CutEntryName("name\0  "s), "name");
  EXPECT_EQ(CutEntryName("   "), "");
  EXPECT_EQ(CutEntryName(std::string(56, '\0')), "");
  EXPECT_EQ(CutEntryName(" lead"), " lead");
}

TEST(EntryNameTest, OnlyPlainNamesInsideTheFolderAreSafe) {
  for (const char* ok : {"CARD_FLIP.WAV", "Back_800x600.jpg", ".hidden", "a b", "...", "x..y"}) {
    EXPECT_TRUE(IsSafeFileName(ok)) << ok;
  }
  for (const char* bad : {"", ".", "..", "../x", "a/b", "/etc/passwd", "a\\b", "..\\..\\x", "C:x",
                          "C:", "tab\tname", "bell\x07", "del\x7f", "new\nline"}) {
    EXPECT_FALSE(IsSafeFileName(bad)) << bad;
  }
}

TEST(EntryNameTest, CaseIsIgnoredForAsciiLettersOnly) {
  EXPECT_TRUE(EqualsNoCase("Back_800x600.JPG", "back_800X600.jpg"));
  EXPECT_FALSE(EqualsNoCase("Back_800x600.jpg", "Back_800x600.jp"));
  EXPECT_FALSE(EqualsNoCase("[", "{"));  // 0x5B and 0x7B differ by the case bit only
  EXPECT_FALSE(EqualsNoCase("\xc4", "\xe4"));
}

}  // namespace
}  // namespace vantel
