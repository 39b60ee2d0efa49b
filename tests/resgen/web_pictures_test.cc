#include "web_pictures.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "deck_style.h"
#include "fonts.h"
#include "game/cards.h"
#include "sdl_surface.h"

namespace vantel {
namespace {

SurfacePtr DecodePng(const std::vector<uint8_t>& png) {
  SDL_RWops* rw = SDL_RWFromConstMem(png.data(), static_cast<int>(png.size()));
  SurfacePtr raw(IMG_Load_RW(rw, 1));
  if (!raw) return nullptr;
  return SurfacePtr(SDL_ConvertSurfaceFormat(raw.get(), SDL_PIXELFORMAT_ARGB8888, 0));
}

uint32_t PixelAt(const SDL_Surface& s, int x, int y) {
  const auto* row =
      reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(s.pixels) + y * s.pitch);
  return row[x];
}

TEST(WebPicturesTest, PngKeepsColoursAndMakesTheKeyTransparent) {
  Picture p{3, 2, {0x102030, kKeyColour, 0xFFFFFF, 0x000000, 0xFE00FE, kKeyColour}};
  const SurfacePtr back = DecodePng(EncodePng(p));
  ASSERT_NE(back, nullptr) << IMG_GetError();
  ASSERT_EQ(back->w, 3);
  ASSERT_EQ(back->h, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      const uint32_t want = p.At(x, y);
      const uint32_t got = PixelAt(*back, x, y);
      if (want == kKeyColour) {
        EXPECT_EQ(got >> 24, 0u) << x << "," << y;
      } else {
        EXPECT_EQ(got, 0xFF000000u | want) << x << "," << y;
      }
    }
  }
}

TEST(WebPicturesTest, EveryCardByItsIdTheBackAndTheCloth) {
  const FontSet fonts;
  const std::vector<PakFile> files = BuildWebPictures(fonts);
  std::set<std::string> names;
  for (const PakFile& f : files) names.insert(f.name);
  ASSERT_EQ(names.size(), files.size()) << "a name given twice";
  for (int id = 0; id < kCardCount; ++id) EXPECT_TRUE(names.contains(std::to_string(id) + ".png"));
  EXPECT_TRUE(names.contains("back.png"));
  EXPECT_TRUE(names.contains("cloth.jpg"));
  EXPECT_EQ(files.size(), static_cast<std::size_t>(kCardCount) + 2);

  // The faces are the game's own size, with see-through rounded corners and
  // a solid middle.
  const DeckStyle deck = RoyalDeck();
  for (const PakFile& f : files) {
    if (!f.name.ends_with(".png")) continue;
    const SurfacePtr card = DecodePng(f.data);
    ASSERT_NE(card, nullptr) << f.name;
    EXPECT_EQ(card->w, deck.width) << f.name;
    EXPECT_EQ(card->h, deck.height) << f.name;
    EXPECT_EQ(PixelAt(*card, 0, 0) >> 24, 0u) << f.name;
    EXPECT_EQ(PixelAt(*card, deck.width / 2, deck.height / 2) >> 24, 0xFFu) << f.name;
  }
}

TEST(WebPicturesTest, AFolderThatCannotBeMadeIsSaidSo) {
  const FontSet fonts;
  const std::string problem = WriteWebPictures(fonts, "/proc/self/status/cards");
  EXPECT_NE(problem.find("/proc/self/status/cards"), std::string::npos) << problem;
}

}  // namespace
}  // namespace vantel
