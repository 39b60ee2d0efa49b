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
      fs::create_directories(Dir / "res" / f);
      WriteBytes(Dir / "res" / f / "file.bin", ToBytes(f));
    }
    WriteBytes(Dir / "res/Sounds/CARD_FLIP.WAV", ToBytes("marker"));
  }
  TempFolder Dir;
  ResourceRoot Root{Dir.Path(), false};
};

TEST_F(RemoveResourcesTest, CompleteTreeIsDeletedAndTheRestOfTheFolderKept) {
  MakeTree();
  WriteBytes(Dir / "res/Bitmaps/.hidden", ToBytes("h"));
  WriteBytes(Dir / "res065.pak", ToBytes("archive"));
  EXPECT_EQ(RemoveUnpackedResources(Root), "");
  EXPECT_EQ(ListTree(Dir.Path()), (std::vector<std::string>{"res065.pak"}));
}

TEST_F(RemoveResourcesTest, WithoutThePresenceMarkerNothingIsTouched) {
  MakeTree();
  fs::remove(Dir / "res/Sounds/CARD_FLIP.WAV");
  const std::vector<std::string> before = ListTree(Dir.Path());
  EXPECT_EQ(RemoveUnpackedResources(Root), "");
  EXPECT_EQ(ListTree(Dir.Path()), before);
}

TEST_F(RemoveResourcesTest, FoldersAreFoundWhateverTheirCase) {
  fs::create_directories(Dir / "RES/sounds");
  fs::create_directories(Dir / "RES/royal");
  WriteBytes(Dir / "RES/sounds/card_flip.wav", ToBytes("marker"));
  WriteBytes(Dir / "RES/royal/ac.bmp", ToBytes("a"));
  EXPECT_EQ(RemoveUnpackedResources(Root), "");
  EXPECT_TRUE(fs::is_empty(Dir.Path()));
}

TEST_F(RemoveResourcesTest, SubfolderKeepsItsFolderAndIsReportedWhileTheRestGoes) {
  MakeTree();
  fs::create_directories(Dir / "res/Royal/extra");
  const std::string error = RemoveUnpackedResources(Root);
  EXPECT_NE(error.find("Royal"), std::string::npos) << error;
  EXPECT_EQ(ListTree(Dir.Path()),
            (std::vector<std::string>{"res", "res/Royal", "res/Royal/extra"}));
}

TEST_F(RemoveResourcesTest, LinkedFilesAreRemovedWithoutTouchingTheirTargets) {
  MakeTree();
  fs::create_directory(Dir / "keep");
  WriteBytes(Dir / "keep/target", ToBytes("t"));
  fs::create_symlink(Dir / "keep/target", Dir / "res/Royal/link");
  fs::create_directory_symlink(Dir / "keep", Dir / "res/Bitmaps/dirlink");
  EXPECT_EQ(RemoveUnpackedResources(Root), "");
  EXPECT_EQ(ListTree(Dir.Path()), (std::vector<std::string>{"keep", "keep/target"}));
}

TEST_F(RemoveResourcesTest, PrivateRootGoesEvenWithoutATree) {
  fs::create_directory(Dir / "private");
  WriteBytes(Dir / "private/stray", ToBytes("s"));
  EXPECT_EQ(RemoveUnpackedResources(ResourceRoot{Dir / "private", true}), "");
  EXPECT_FALSE(fs::exists(Dir / "private"));
}

}  // namespace
}  // namespace vantel
