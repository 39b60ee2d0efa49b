#pragma once

#include <cstdint>

#include "game/options.h"
#include "platform/pointer.h"

namespace vantel {

// The game's picture: the world is 800 x 600 in a window and full screen.
inline constexpr int32_t kPictureWidth = 800;
inline constexpr int32_t kPictureHeight = 600;

// A whole factor is chosen automatically only when the picture keeps at least
// this share of the size smooth scaling would give it.
inline constexpr double kSharpMinShare = 0.8;

// Where the picture lies in a window or screen of out_width x out_height
// pixels: centred, the bars black.
struct PictureFit {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = kPictureWidth;
  int32_t height = kPictureHeight;
  bool sharp = false;  // a whole factor, drawn with the nearest pixel
  bool operator==(const PictureFit&) const = default;
};

// Sharp: the largest whole factor that fits (smooth below 1). Smooth: the
// largest size of the picture's shape that fits. Automatic: sharp when the
// whole factor is 2 or more and loses little, else smooth.
PictureFit FitPicture(int32_t out_width, int32_t out_height, PictureScaling scaling);

// A window or screen pixel to the picture's pixels (outside 0..800 x 0..600
// over the bars).
LogicalPoint OutputToPicture(int32_t x, int32_t y, const PictureFit& fit);

// A window's first size: the largest whole multiple of 800 x 600 that fits the
// work area, never less than 800 x 600.
struct WindowSize {
  int32_t width = kPictureWidth;
  int32_t height = kPictureHeight;
};
WindowSize FirstWindowSize(int32_t work_width, int32_t work_height);

// A window's top-left corner on the desktop, in screen pixels.
struct WindowPlace {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};

// The screens' area: left, top and the size around all of them.
struct DesktopArea {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// Where a window of `size` goes back to from full screen: where it was before
// (`before`), unless that corner is no longer on the desktop (a screen was
// unplugged meanwhile); then the window is pulled inside it, as far as it fits.
WindowPlace ReturnPlace(WindowPlace before, WindowSize size, DesktopArea desktop);

}  // namespace vantel
