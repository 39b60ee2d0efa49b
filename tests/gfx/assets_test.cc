#include "gfx/assets.h"

#include <gtest/gtest.h>

#include <fstream>

#include "flow/game.h"
#include "game/fatal_error.h"
#include "resource_tree.h"

namespace vantel {
namespace {

using test::PixelAt;

class AssetsTest : public ::testing::Test {
 protected:
  void SetUp() override { test::WriteResourceTree(dir_.Path(), "Royal"); }

  test::TempFolder dir_{"assets"};
  Chance chance_{1};
  SilentSound sound_;
  ManualClock clock_;
  Game g_{chance_, sound_, clock_};
  Assets a_;
};

TEST(AssetNamesTest, FoldersFollowTheDeck) {
  EXPECT_EQ(DeckFolder(Deck::kBresciane), "res/Royal/");
  EXPECT_EQ(DeckFolder(Deck::kTrevigiane), "res/Trevigiano/");
}

TEST_F(AssetsTest, ScorePageFollowsTheLanguageWhenThereIsAPageForIt) {
  const ResourceResolver resolve = test::ResolverUnder(dir_.Path());
  const std::string english = "res/bitmaps/Scorepage_800x600.bmp";
  const std::string italian = "res/bitmaps/Scorepage_800x600_it.bmp";
  // No Italian page among the resources: every language reads the English one.
  EXPECT_EQ(ScorePageFile("it", resolve), english);
  test::WriteSolid(dir_.Path() / "res" / "bitmaps" / "Scorepage_800x600_it.bmp", 400, 500,
                   test::kPageColour);
  EXPECT_EQ(ScorePageFile("it", resolve), italian);
  EXPECT_EQ(ScorePageFile("it_CH.UTF-8", resolve), italian);
  EXPECT_EQ(ScorePageFile("it@euro", resolve), italian);
  EXPECT_EQ(ScorePageFile("", resolve), english);
  EXPECT_EQ(ScorePageFile("fr", resolve), english);
  // The language comes from a file; nothing but a plain code names a picture.
  EXPECT_EQ(ScorePageFile("../it", resolve), english);
  EXPECT_EQ(ScorePageFile("IT", resolve), english);
}

TEST_F(AssetsTest, LoadsEverySlotConvertedAndKeyed) {
  LoadBitmaps(a_, g_, test::ResolverUnder(dir_.Path()));
  ASSERT_TRUE(a_.background_surface);
  EXPECT_EQ(a_.background_surface->w, 800);
  EXPECT_EQ(a_.background_surface->format->format, kBackBufferFormat);
  EXPECT_EQ(SDL_HasColorKey(a_.background_surface.get()), SDL_FALSE);
  for (int id = 0; id <= 51; ++id) {
    SDL_Surface* card = a_.card_surfaces[static_cast<std::size_t>(id)].get();
    ASSERT_NE(card, nullptr) << id;
    EXPECT_EQ(PixelAt(card, 5, 5), test::CardColour(id)) << id;
    EXPECT_EQ(SDL_HasColorKey(card), SDL_TRUE);
  }
  EXPECT_EQ(a_.card_surfaces[52], nullptr);
  for (SDL_Surface* s :
       {a_.card_back_surface.get(), a_.frame_surface.get(), a_.score_page_surface.get(),
        a_.line_horz_surface.get(), a_.line_vert_surface.get(), a_.cursor_surface.get()}) {
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(SDL_HasColorKey(s), SDL_TRUE);
  }
  EXPECT_EQ(a_.cursor_surface->w, 32);
  for (const BitmapFont* font : {&a_.digit_font, &a_.deluxe_font, &a_.hand_font}) {
    ASSERT_TRUE(font->Loaded());
    EXPECT_EQ(SDL_HasColorKey(font->Sheet()), SDL_TRUE);
    EXPECT_EQ(font->CellWidth(), 19);
    EXPECT_EQ(font->CellHeight(), 27);
    EXPECT_EQ(font->Columns(), 20);
  }
  // Three sheets from three files.
  EXPECT_NE(a_.digit_font.Sheet(), a_.hand_font.Sheet());
  EXPECT_NE(a_.deluxe_font.Sheet(), a_.hand_font.Sheet());
}

TEST_F(AssetsTest, ReloadReplacesSurfacesAndSheets) {
  const auto resolve = test::ResolverUnder(dir_.Path());
  LoadBitmaps(a_, g_, resolve);
  const BitmapFont kept = a_.digit_font;  // a copy keeps its sheet alive
  SDL_Surface* old_background = a_.background_surface.get();
  LoadBitmaps(a_, g_, resolve);
  EXPECT_NE(a_.background_surface.get(), old_background);
  EXPECT_NE(a_.digit_font.Sheet(), kept.Sheet());
  EXPECT_TRUE(a_.hand_font.Loaded());
  EXPECT_EQ(a_.card_surfaces[52], nullptr);
}

TEST_F(AssetsTest, AMissingPictureEndsWithTheLoadersMessage) {
  std::filesystem::remove(dir_.Path() / "res" / "Royal" / "KS.BMP");
  try {
    LoadBitmaps(a_, g_, test::ResolverUnder(dir_.Path()));
    FAIL() << "no error";
  } catch (const FatalError& e) {
    const std::string text = e.what();
    EXPECT_EQ(text.rfind("Error in function CreateSurfaceFromFile() \r\nError Number: ", 0), 0u);
    EXPECT_NE(text.find("KS.BMP"), std::string::npos);
  }
  std::filesystem::remove(dir_.Path() / "res" / "fntFonts" / "fntDigit.bmp");
  test::WriteResourceTree(dir_.Path(), "Royal");
  std::filesystem::remove(dir_.Path() / "res" / "fntFonts" / "fntDigit.bmp");
  try {
    LoadBitmaps(a_, g_, test::ResolverUnder(dir_.Path()));
    FAIL() << "no error";
  } catch (const FatalError& e) {
    EXPECT_EQ(
        std::string(e.what()).rfind("Error in function clsDXBitmapFont.CreateSpriteFromFile() ", 0),
        0u);
  }
}

TEST_F(AssetsTest, AFileThatIsNoPictureIsAnError) {
  { std::ofstream(dir_.Path() / "res" / "bitmaps" / "mouse.bmp") << "not a picture"; }
  EXPECT_THROW(LoadBitmaps(a_, g_, test::ResolverUnder(dir_.Path())), FatalError);
}

TEST_F(AssetsTest, ReleaseDropsEverything) {
  LoadBitmaps(a_, g_, test::ResolverUnder(dir_.Path()));
  ReleaseBitmaps(a_);
  EXPECT_EQ(a_.background_surface, nullptr);
  EXPECT_EQ(a_.card_surfaces[0], nullptr);
  EXPECT_FALSE(a_.hand_font.Loaded());
  EXPECT_EQ(a_.line_horz_surface, nullptr);
}

}  // namespace
}  // namespace vantel
