#include "gfx/assets.h"

#include <gtest/gtest.h>

#include <fstream>

#include "game/fatal_error.h"
#include "game/game.h"
#include "resource_tree.h"

namespace vantel {
namespace {

using test::PixelAt;

class AssetsTest : public ::testing::Test {
 protected:
  void SetUp() override { test::WriteResourceTree(dir.Path(), "Royal"); }

  test::TempFolder dir{"assets"};
  MtRandom random{1};
  SilentSound sound;
  ManualClock clock;
  Game g{random, sound, clock};
  Assets a;
};

TEST(AssetNamesTest, FoldersAndBackgroundFollowTheOptions) {
  EXPECT_EQ(DeckFolder("Royal"), "res\\Royal\\");
  EXPECT_EQ(DeckFolder("Trevigiano"), "res\\Trevigiano\\");
  EXPECT_EQ(BackgroundFile("800x600"), "res\\bitmaps\\Back_800x600.bmp");
  EXPECT_EQ(BackgroundFile("1024x768"), "res\\bitmaps\\Back_1024x768.bmp");
  EXPECT_EQ(BackgroundFile(""), "res\\bitmaps\\Back_1024x768.bmp");
}

TEST_F(AssetsTest, LoadsEverySlotConvertedAndKeyed) {
  LoadBitmaps(a, g, test::ResolverUnder(dir.Path()));
  ASSERT_TRUE(a.BackgroundSurface);
  EXPECT_EQ(a.BackgroundSurface->w, 800);
  EXPECT_EQ(a.BackgroundSurface->format->format, kBackBufferFormat);
  EXPECT_EQ(SDL_HasColorKey(a.BackgroundSurface.get()), SDL_FALSE);
  for (int id = 0; id <= 51; ++id) {
    SDL_Surface* card = a.CardSurfaces[static_cast<std::size_t>(id)].get();
    ASSERT_NE(card, nullptr) << id;
    EXPECT_EQ(PixelAt(card, 5, 5), test::CardColour(id)) << id;
    EXPECT_EQ(SDL_HasColorKey(card), SDL_TRUE);
  }
  EXPECT_EQ(a.CardSurfaces[52], nullptr);
  for (SDL_Surface* s :
       {a.CardBackSurface.get(), a.FrameSurface.get(), a.ScorePageSurface.get(),
        a.LineHorzSurface1.get(), a.LineVertSurface.get(), a.LineHorzSurface2.get(),
        a.LineHorzSurface3.get(), a.CursorSurface.get()}) {
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(SDL_HasColorKey(s), SDL_TRUE);
  }
  // Three rules from one file are three surfaces, so one frame can draw all three.
  EXPECT_NE(a.LineHorzSurface1.get(), a.LineHorzSurface2.get());
  EXPECT_EQ(a.CursorSurface->w, 32);
  ASSERT_TRUE(a.DigitFont && a.DeluxeFont && a.HandFont);
  EXPECT_EQ(a.DigitFont->width, 19);
  EXPECT_EQ(a.DigitFont->height, 27);
  EXPECT_EQ(a.DigitFont->Columns(), 20);
}

TEST_F(AssetsTest, ReloadReplacesSurfacesAndKeepsFontObjects) {
  const auto resolve = test::ResolverUnder(dir.Path());
  LoadBitmaps(a, g, resolve);
  BitmapFont* digit = a.DigitFont.get();
  BitmapFont* score7 = a.ScoreFonts[7].get();
  digit->XPos = 700;
  SDL_Surface* oldBackground = a.BackgroundSurface.get();
  LoadBitmaps(a, g, resolve);
  EXPECT_EQ(a.DigitFont.get(), digit);
  EXPECT_EQ(a.ScoreFonts[7].get(), score7);
  EXPECT_EQ(a.DigitFont->XPos, 700);
  EXPECT_NE(a.BackgroundSurface.get(), oldBackground);
  int fonts = 0;
  for (const auto& f : a.ScoreFonts) fonts += (f && f->dds) ? 1 : 0;
  EXPECT_EQ(fonts, 11);
  // Every score font has a sheet of its own.
  EXPECT_NE(a.ScoreFonts[0]->dds.get(), a.ScoreFonts[1]->dds.get());
  EXPECT_EQ(a.CardSurfaces[52], nullptr);
}

TEST_F(AssetsTest, AMissingPictureEndsWithTheLoadersMessage) {
  std::filesystem::remove(dir.Path() / "res" / "Royal" / "KS.BMP");
  try {
    LoadBitmaps(a, g, test::ResolverUnder(dir.Path()));
    FAIL() << "no error";
  } catch (const FatalError& e) {
    const std::string text = e.what();
    EXPECT_EQ(text.rfind("Error in function CreateSurfaceFromFile() \r\nError Number: ", 0), 0u);
    EXPECT_NE(text.find("KS.BMP"), std::string::npos);
  }
  std::filesystem::remove(dir.Path() / "res" / "fntFonts" / "fntDigit.bmp");
  test::WriteResourceTree(dir.Path(), "Royal");
  std::filesystem::remove(dir.Path() / "res" / "fntFonts" / "fntDigit.bmp");
  try {
    LoadBitmaps(a, g, test::ResolverUnder(dir.Path()));
    FAIL() << "no error";
  } catch (const FatalError& e) {
    EXPECT_EQ(
        std::string(e.what()).rfind("Error in function clsDXBitmapFont.CreateSpriteFromFile() ", 0),
        0u);
  }
}

TEST_F(AssetsTest, AFileThatIsNoPictureIsAnError) {
  { std::ofstream(dir.Path() / "res" / "bitmaps" / "mouse.bmp") << "not a picture"; }
  EXPECT_THROW(LoadBitmaps(a, g, test::ResolverUnder(dir.Path())), FatalError);
}

TEST_F(AssetsTest, ReleaseDropsEverything) {
  LoadBitmaps(a, g, test::ResolverUnder(dir.Path()));
  ReleaseBitmaps(a);
  EXPECT_EQ(a.BackgroundSurface, nullptr);
  EXPECT_EQ(a.CardSurfaces[0], nullptr);
  EXPECT_EQ(a.ScoreFonts[10], nullptr);
  EXPECT_EQ(a.LineHorzSurface3, nullptr);
}

}  // namespace
}  // namespace vantel
