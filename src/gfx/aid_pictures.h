#pragma once

#include <cstdint>

#include "gfx/surface.h"

namespace vantel {

struct Assets;

// Colours of the table aids, 0xAARRGGBB: quiet on the felt, clear on a card.
inline constexpr uint32_t kHintColour = 0xF0FFD24A;    // takeable: a gold line
inline constexpr uint32_t kCursorColour = 0xF0FFFFFF;  // the keys' choice: white
inline constexpr uint32_t kPlayedColour = 0xD0FFF6DA;  // last played: a cream bar
inline constexpr uint32_t kPlateColour = 0x8C000000;   // behind words on the felt

inline constexpr int32_t kHintLine = 3;
inline constexpr int32_t kCursorLine = 3;
// The outlines lie around the card, on the felt, where they show best.
inline constexpr int32_t kOutlineMargin = 3;
inline constexpr int32_t kPlayedBarHeight = 4;
inline constexpr int32_t kPlayedBarShare = 6;  // a sixth of the card clear at each end
inline constexpr int32_t kPlateWidth = 480;
inline constexpr int32_t kPlateHeight = 31;

// A frame of `line` pixels in `argb`, clear inside; blended when drawn.
SurfacePtr MakeOutline(int32_t width, int32_t height, int32_t line, uint32_t argb);

// A filled rectangle in `argb`; blended when drawn.
SurfacePtr MakeFill(int32_t width, int32_t height, uint32_t argb);

// Makes the aids' pictures for cards of the size of the loaded card back; they
// are drawn, not read from the archive, so every deck has them.
void MakeAidPictures(Assets& a);

}  // namespace vantel
