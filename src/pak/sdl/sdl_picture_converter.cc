#include "pak/sdl/sdl_picture_converter.h"

#include <SDL.h>
#include <SDL_image.h>

#include <memory>
#include <system_error>

namespace vantel {

bool SdlPictureConverter::JpegToBmp(const std::filesystem::path& jpeg,
                                    const std::filesystem::path& bmp, std::string* error) {
  std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> picture(IMG_Load(jpeg.c_str()),
                                                               &SDL_FreeSurface);
  if (!picture) {
    *error = "cannot decode " + jpeg.string() + ": " + IMG_GetError();
    return false;
  }
  if (SDL_SaveBMP(picture.get(), bmp.c_str()) != 0) {
    *error = "cannot write " + bmp.string() + ": " + SDL_GetError();
    std::error_code ec;
    std::filesystem::remove(bmp, ec);  // no half-written bitmap for the loader
    return false;
  }
  return true;
}

}  // namespace vantel
