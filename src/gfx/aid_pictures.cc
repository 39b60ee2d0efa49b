#include "gfx/aid_pictures.h"

#include "gfx/assets.h"

namespace vantel {

namespace {

// Colours of the table aids, 0xAARRGGBB: quiet on the felt, clear on a card.
constexpr uint32_t kHintColour = 0xF0FFD24A;    // takeable: a gold line
constexpr uint32_t kCursorColour = 0xF0FFFFFF;  // the keys' choice: white
constexpr uint32_t kPlayedColour = 0xD0FFF6DA;  // last played: a cream bar
// The previous player's card, the one a Picada takes: amber, warmer and
// stronger than the cream of the other last cards.
constexpr uint32_t kPreviousColour = 0xF8FFA628;
constexpr uint32_t kPlateColour = 0x8C000000;  // behind words on the felt

constexpr int32_t kHintLine = 3;
constexpr int32_t kCursorLine = 3;
constexpr int32_t kPlayedBarHeight = 4;
constexpr int32_t kPlayedBarShare = 6;  // a sixth of the card clear at each end

SurfacePtr BlendedSurface(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return nullptr;
  SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888));
  if (!s) return nullptr;
  SDL_SetSurfaceBlendMode(s.get(), SDL_BLENDMODE_BLEND);
  SDL_FillRect(s.get(), nullptr, 0);
  return s;
}

SurfacePtr MakeOutline(int32_t width, int32_t height, int32_t line, uint32_t argb) {
  SurfacePtr s = BlendedSurface(width, height);
  if (!s) return nullptr;
  const SDL_Rect sides[] = {{0, 0, width, line},
                            {0, height - line, width, line},
                            {0, 0, line, height},
                            {width - line, 0, line, height}};
  for (const SDL_Rect& r : sides) SDL_FillRect(s.get(), &r, argb);
  return s;
}

SurfacePtr MakeFill(int32_t width, int32_t height, uint32_t argb) {
  SurfacePtr s = BlendedSurface(width, height);
  if (s) SDL_FillRect(s.get(), nullptr, argb);
  return s;
}

}  // namespace

void MakeAidPictures(Assets& a) {
  const SDL_Surface* back = a.card_back_surface.get();
  const int32_t w = back ? back->w : 0;
  const int32_t h = back ? back->h : 0;
  const int32_t ow = w + 2 * kOutlineMargin;
  const int32_t oh = h + 2 * kOutlineMargin;
  a.hint_outline_surface = MakeOutline(ow, oh, kHintLine, kHintColour);
  a.cursor_outline_surface = MakeOutline(ow, oh, kCursorLine, kCursorColour);
  a.played_bar_surface = MakeFill(w - 2 * (w / kPlayedBarShare), kPlayedBarHeight, kPlayedColour);
  a.plate_surface = MakeFill(kPlateWidth, kPlateHeight, kPlateColour);
  a.previous_mark_surface = MakeFill(kPlateWidth, kPreviousMarkHeight, kPreviousColour);
}

}  // namespace vantel
