#include "gfx/surface.h"

#include <SDL_image.h>

#include <system_error>

#include "game/fatal_error.h"
#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {

namespace {

// Error numbers of a failed load, shown in the fatal message box.
constexpr long kErrorFileMissing = 53;
constexpr long kErrorNotAPicture = 481;
constexpr long kErrorNoSurface = 7;

SurfacePtr ConvertToBackBufferFormat(SDL_Surface* loaded, std::string_view routine) {
  SurfacePtr source(loaded);
  SurfacePtr converted(SDL_ConvertSurfaceFormat(source.get(), kBackBufferFormat, 0));
  if (!converted) throw FatalError(routine, kErrorNoSurface, SDL_GetError());
  // Keys are set per picture later; a converted surface starts with none, and
  // never run-length encoded (RLE makes every blit decode the picture).
  SDL_SetSurfaceRLE(converted.get(), 0);
  SDL_SetSurfaceBlendMode(converted.get(), SDL_BLENDMODE_NONE);
  return converted;
}

}  // namespace

SurfacePtr CreateBlankSurface(int32_t width, int32_t height) {
  SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, kBackBufferFormat));
  if (s) SDL_SetSurfaceBlendMode(s.get(), SDL_BLENDMODE_NONE);
  return s;
}

void CreateSurfaceFromFile(SurfacePtr& slot, const std::filesystem::path& path,
                           std::string_view routine) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    throw FatalError(routine, kErrorFileMissing, Format(_("File not found: %s"), path.c_str()));
  }
  SDL_Surface* loaded = IMG_Load(path.c_str());
  if (!loaded) {
    throw FatalError(routine, kErrorNotAPicture, path.string() + ": " + SDL_GetError());
  }
  slot = ConvertToBackBufferFormat(loaded, routine);
}

void SetSurfaceColorKey(SDL_Surface* surface, int16_t mode) {
  if (!surface) return;
  if (mode == 1) {
    SDL_SetColorKey(surface, SDL_TRUE, 0);
  } else if (mode == 2) {
    const SDL_PixelFormat* f = surface->format;
    SDL_SetColorKey(surface, SDL_TRUE, f->Rmask + f->Bmask);
  }
}

}  // namespace vantel
