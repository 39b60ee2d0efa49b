#include "pak/sdl/sdl_picture_converter.h"

#include <SDL.h>
#include <SDL_image.h>

#include <memory>

#include "pak/sdl/sdl_memory_file.h"

#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {

bool SdlPictureConverter::JpegToBmp(const std::filesystem::path& jpeg,
                                    const std::filesystem::path& bmp, std::string* error) {
  std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> picture(IMG_Load(jpeg.c_str()),
                                                               &SDL_FreeSurface);
  if (!picture) {
    *error = Format(_("cannot decode %s: %s"), jpeg.c_str(), IMG_GetError());
    return false;
  }
  // Whole or not there: no half-written bitmap for the loader.
  *error =
      SaveThroughMemory(bmp, [&](SDL_RWops* out) { return SDL_SaveBMP_RW(picture.get(), out, 0); });
  return error->empty();
}

}  // namespace vantel
