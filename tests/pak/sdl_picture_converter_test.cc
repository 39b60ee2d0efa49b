#include "pak/sdl/sdl_picture_converter.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "pak_test_support.h"

namespace vantel {
namespace {

namespace fs = std::filesystem;
using Surface = std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)>;

// A JPEG of a known size and colour, made with SDL_image itself.
void WriteJpeg(const fs::path& path, int w, int h, Uint8 r, Uint8 g, Uint8 b) {
  Surface s(SDL_CreateRGBSurfaceWithFormat(0, w, h, 24, SDL_PIXELFORMAT_RGB24), &SDL_FreeSurface);
  ASSERT_TRUE(s) << SDL_GetError();
  SDL_FillRect(s.get(), nullptr, SDL_MapRGB(s->format, r, g, b));
  ASSERT_EQ(IMG_SaveJPG(s.get(), path.c_str(), 95), 0) << IMG_GetError();
}

TEST(SdlPictureConverterTest, BitmapHasThePictureSizeAndColourAndLoadsWithSdl) {
  testing::TempFolder dir;
  WriteJpeg(dir / "Back_800x600.jpg", 80, 60, 20, 120, 40);
  SdlPictureConverter converter;
  std::string error;
  ASSERT_TRUE(converter.JpegToBmp(dir / "Back_800x600.jpg", dir / "Back_800x600.bmp", &error))
      << error;
  Surface bmp(SDL_LoadBMP((dir / "Back_800x600.bmp").c_str()), &SDL_FreeSurface);
  ASSERT_TRUE(bmp) << SDL_GetError();
  EXPECT_EQ(bmp->w, 80);
  EXPECT_EQ(bmp->h, 60);
  Surface rgb(SDL_ConvertSurfaceFormat(bmp.get(), SDL_PIXELFORMAT_RGB24, 0), &SDL_FreeSurface);
  ASSERT_TRUE(rgb);
  const auto* px = static_cast<const Uint8*>(rgb->pixels) + 30 * rgb->pitch + 40 * 3;
  EXPECT_NEAR(px[0], 20, 8);
  EXPECT_NEAR(px[1], 120, 8);
  EXPECT_NEAR(px[2], 40, 8);
}

TEST(SdlPictureConverterTest, UndecodableOrMissingPictureLeavesNoBitmap) {
  testing::TempFolder dir;
  testing::WriteBytes(dir / "bad.jpg", testing::ToBytes("not a picture at all"));
  SdlPictureConverter converter;
  for (const char* name : {"bad.jpg", "missing.jpg"}) {
    std::string error;
    EXPECT_FALSE(converter.JpegToBmp(dir / name, dir / "out.bmp", &error));
    EXPECT_NE(error.find(name), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(dir / "out.bmp"));
  }
}

TEST(SdlPictureConverterTest, UnwritableBitmapIsReported) {
  testing::TempFolder dir;
  WriteJpeg(dir / "in.jpg", 8, 8, 255, 255, 255);
  SdlPictureConverter converter;
  std::string error;
  EXPECT_FALSE(converter.JpegToBmp(dir / "in.jpg", dir / "no-folder" / "out.bmp", &error));
  EXPECT_NE(error.find("out.bmp"), std::string::npos) << error;
}

}  // namespace
}  // namespace vantel
