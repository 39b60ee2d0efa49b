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
    fs::create_directories(dir_ / "res" / "Sounds");
    fs::create_directories(dir_ / "res" / "Bitmaps");
    WriteBytes(dir_ / "res" / "Sounds" / "CARD_FLIP.WAV", ToBytes("w"));
    WriteBytes(dir_ / "res" / "Bitmaps" / "mouse.bmp", ToBytes("b"));
  }
  TempFolder dir_;
};

TEST_F(ResourcePathTest, LoaderSpellingFindsTheUnpackedFile) {
  EXPECT_EQ(FindResourceFile(dir_.Path(), "res/sounds/CARD_FLIP.WAV"),
            dir_ / "res/Sounds/CARD_FLIP.WAV");
  EXPECT_EQ(FindResourceFile(dir_.Path(), "RES/bitmaps/MOUSE.BMP"), dir_ / "res/Bitmaps/mouse.bmp");
  EXPECT_EQ(FindResourceFile(dir_.Path(), "res//Bitmaps//mouse.bmp"),
            dir_ / "res/Bitmaps/mouse.bmp");
  // A backslash is part of a name, as it is on the disk, not a separator.
  EXPECT_FALSE(FindResourceFile(dir_.Path(), "res\\Bitmaps\\mouse.bmp"));
}

TEST_F(ResourcePathTest, MissingFilesAndFoldersAreNotFound) {
  EXPECT_FALSE(FindResourceFile(dir_.Path(), "res/sounds/NOPE.WAV"));
  EXPECT_FALSE(FindResourceFile(dir_.Path(), "res/fntFonts/fntDigit.bmp"));
  EXPECT_FALSE(FindResourceFile(dir_.Path(), "res/sounds"));  // a folder is not a file
  EXPECT_FALSE(FindResourceFile(dir_ / "absent", "res/sounds/CARD_FLIP.WAV"));
}

TEST_F(ResourcePathTest, ExactSpellingWinsOverOtherCases) {
  WriteBytes(dir_ / "res" / "Sounds" / "card_flip.wav", ToBytes("lower"));
  EXPECT_EQ(ResolveResourcePath(dir_.Path(), "res/Sounds/card_flip.wav"),
            dir_ / "res/Sounds/card_flip.wav");
  EXPECT_EQ(ResolveResourcePath(dir_.Path(), "res/Sounds/CARD_FLIP.WAV"),
            dir_ / "res/Sounds/CARD_FLIP.WAV");
  // With neither spelling exact, the first in name order is taken, every time.
  EXPECT_EQ(ResolveResourcePath(dir_.Path(), "res/Sounds/Card_Flip.Wav"),
            dir_ / "res/Sounds/CARD_FLIP.WAV");
}

TEST_F(ResourcePathTest, NamesNotFoundKeepTheirSpellingForNewFiles) {
  EXPECT_EQ(ResolveResourcePath(dir_.Path(), "res/sounds/NEW.WAV"), dir_ / "res/Sounds/NEW.WAV");
  EXPECT_EQ(ResolveResourcePath(dir_.Path(), "res/Royal/AC.BMP"), dir_ / "res/Royal/AC.BMP");
}

}  // namespace
}  // namespace vantel
