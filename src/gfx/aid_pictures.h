#pragma once

#include <cstdint>

#include "gfx/surface.h"

namespace vantel {

struct Assets;

// The outlines lie around the card, on the felt, where they show best.
inline constexpr int32_t kOutlineMargin = 3;
inline constexpr int32_t kPlateWidth = 480;
inline constexpr int32_t kPlateHeight = 31;
// The previous player's mark: a frame around its plate is cut from it, and a
// bar under its card on the table.
inline constexpr int32_t kPreviousMarkHeight = 64;
inline constexpr int32_t kPreviousBarHeight = 6;

// Makes the aids' pictures for cards of the size of the loaded card back; they
// are drawn, not read from the archive, so every deck has them.
void MakeAidPictures(Assets& a);

}  // namespace vantel
