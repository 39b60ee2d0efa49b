#pragma once

#include <SDL.h>

#include <memory>

namespace vantel {

struct SurfaceFree {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
// An SDL surface that frees itself.
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFree>;

}  // namespace vantel
