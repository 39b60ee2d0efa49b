#include "pak/remove_resources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "pak_test_support.h"

namespace vantel {
namespace {

namespace fs = std::filesystem;
using testing::ListTree;
using testing::TempFolder;
using testing::ToBytes;
using testing::WriteBytes;

class RemoveResourcesTest : public ::testing::Test {
 protected:
  void MakeTree() {
    for (const char* f : {"fntFonts", "Sounds", "Bitmaps", "Trevigiano", "Royal"}) {
      fs::create_directories(dir_ / "res" / f);
      WriteBytes(dir_ / "res" / f / "file.bin", ToBytes(f));
    }
    WriteBytes(dir_ / "res/Sounds/CARD_FLIP.WAV", ToBytes("marker"));
  }
  TempFolder dir_;
  ResourceRoot root_{dir_.Path(), false};
};

TEST_F(RemoveResourcesTest, CompleteTreeIsDeletedAndTheRestOfTheFolderKept) {
  MakeTree();
  WriteBytes(dir_ / "res/Bitmaps/.hidden", ToBytes("h"));
  WriteBytes(dir_ / "res065.pak", ToBytes("archive"));
  EXPECT_EQ(RemoveUnpackedResources(root_), "");
  EXPECT_EQ(ListTree(dir_.Path()), (std::vector<std::string>{"res065.pak"}));
}

TEST_F(RemoveResourcesTest, WithoutThePresenceMarkerNothingIsTouched) {
  MakeTree();
  fs::remove(dir_ / "res/Sounds/CARD_FLIP.WAV");
  const std::vector<std::string> before = ListTree(dir_.Path());
  EXPECT_EQ(RemoveUnpackedResources(root_), "");
  EXPECT_EQ(ListTree(dir_.Path()), before);
}

TEST_F(RemoveResourcesTest, FoldersAreFoundWhateverTheirCase) {
  fs::create_directories(dir_ / "RES/sounds");
  fs::create_directories(dir_ / "RES/royal");
  WriteBytes(dir_ / "RES/sounds/card_flip.wav", ToBytes("marker"));
  WriteBytes(dir_ / "RES/royal/ac.bmp", ToBytes("a"));
  EXPECT_EQ(RemoveUnpackedResources(root_), "");
  EXPECT_TRUE(fs::is_empty(dir_.Path()));
}

TEST_F(RemoveResourcesTest, SubfolderKeepsItsFolderAndIsReportedWhileTheRestGoes) {
  MakeTree();
  fs::create_directories(dir_ / "res/Royal/extra");
  const std::string error = RemoveUnpackedResources(root_);
  EXPECT_NE(error.find("Royal"), std::string::npos) << error;
  EXPECT_EQ(ListTree(dir_.Path()),
            (std::vector<std::string>{"res", "res/Royal", "res/Royal/extra"}));
}

TEST_F(RemoveResourcesTest, LinkedFilesAreRemovedWithoutTouchingTheirTargets) {
  MakeTree();
  fs::create_directory(dir_ / "keep");
  WriteBytes(dir_ / "keep/target", ToBytes("t"));
  fs::create_symlink(dir_ / "keep/target", dir_ / "res/Royal/link");
  fs::create_directory_symlink(dir_ / "keep", dir_ / "res/Bitmaps/dirlink");
  EXPECT_EQ(RemoveUnpackedResources(root_), "");
  EXPECT_EQ(ListTree(dir_.Path()), (std::vector<std::string>{"keep", "keep/target"}));
}

TEST_F(RemoveResourcesTest, PrivateRootGoesEvenWithoutATree) {
  fs::create_directory(dir_ / "private");
  WriteBytes(dir_ / "private/stray", ToBytes("s"));
  EXPECT_EQ(RemoveUnpackedResources(ResourceRoot{dir_ / "private", true}), "");
  EXPECT_FALSE(fs::exists(dir_ / "private"));
}

}  // namespace
}  // namespace vantel
