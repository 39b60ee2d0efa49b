#pragma once

#include <cstdint>

namespace vantel {

// Left, top, right, bottom; right and bottom are exclusive.
struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool IsWhole() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// Where the pointer is, in game pixels.
struct PointerPosition {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const PointerPosition&) const = default;
};

// All zeros: "the whole source surface". Never changed.
inline constexpr Rect kWholeSurface{};

struct ClipRect {
  int32_t clip_left = 0;
  int32_t clip_top = 0;
  int32_t clip_right = 0;
  int32_t clip_bottom = 0;
};

// A source rectangle and where it lands, after clipping.
struct ClippedBlit {
  Rect source;
  int32_t x = 0;
  int32_t y = 0;
};

// The clip arithmetic every blit and glyph goes through. It works on the
// rectangle's own width and height, so the all-zero kWholeSurface comes through
// unchanged whenever (x, y) lies inside the clip rectangle.
ClippedBlit ClipSource(const Rect& source, int32_t x, int32_t y, const ClipRect& clip);

}  // namespace vantel
