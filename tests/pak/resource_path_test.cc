#include "pak/resource_path.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "pak_test_support.h"

namespace vantel {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::ToBytes;
using testing::WriteBytes;

class ResourcePathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(Dir / "res" / "Sounds");
    fs::create_directories(Dir / "res" / "Bitmaps");
    WriteBytes(Dir / "res" / "Sounds" / "CARD_FLIP.WAV", ToBytes("w"));
    WriteBytes(Dir / "res" / "Bitmaps" / "mouse.bmp", ToBytes("b"));
  }
  TempFolder Dir;
};

TEST_F(ResourcePathTest, LoaderSpellingFindsTheUnpackedFile) {
  EXPECT_EQ(FindResourceFile(Dir.Path(), "res\\sounds\\CARD_FLIP.WAV"),
            Dir / "res/Sounds/CARD_FLIP.WAV");
  EXPECT_EQ(FindResourceFile(Dir.Path(), "RES/bitmaps/MOUSE.BMP"), Dir / "res/Bitmaps/mouse.bmp");
  EXPECT_EQ(FindResourceFile(Dir.Path(), "res//Bitmaps\\/mouse.bmp"),
            Dir / "res/Bitmaps/mouse.bmp");
}

TEST_F(ResourcePathTest, MissingFilesAndFoldersAreNotFound) {
  EXPECT_FALSE(FindResourceFile(Dir.Path(), "res\\sounds\\NOPE.WAV"));
  EXPECT_FALSE(FindResourceFile(Dir.Path(), "res\\fntFonts\\fntDigit.bmp"));
  EXPECT_FALSE(FindResourceFile(Dir.Path(), "res\\sounds"));  // a folder is not a file
  EXPECT_FALSE(FindResourceFile(Dir / "absent", "res\\sounds\\CARD_FLIP.WAV"));
}

TEST_F(ResourcePathTest, ExactSpellingWinsOverOtherCases) {
  WriteBytes(Dir / "res" / "Sounds" / "card_flip.wav", ToBytes("lower"));
  EXPECT_EQ(ResolveResourcePath(Dir.Path(), "res/Sounds/card_flip.wav"),
            Dir / "res/Sounds/card_flip.wav");
  EXPECT_EQ(ResolveResourcePath(Dir.Path(), "res/Sounds/CARD_FLIP.WAV"),
            Dir / "res/Sounds/CARD_FLIP.WAV");
  // With neither spelling exact, the first in name order is taken, every time.
  EXPECT_EQ(ResolveResourcePath(Dir.Path(), "res/Sounds/Card_Flip.Wav"),
            Dir / "res/Sounds/CARD_FLIP.WAV");
}

TEST_F(ResourcePathTest, NamesNotFoundKeepTheirSpellingForNewFiles) {
  EXPECT_EQ(ResolveResourcePath(Dir.Path(), "res\\sounds\\NEW.WAV"), Dir / "res/Sounds/NEW.WAV");
  EXPECT_EQ(ResolveResourcePath(Dir.Path(), "res/Royal/AC.BMP"), Dir / "res/Royal/AC.BMP");
}

}  // namespace
}  // namespace vantel
