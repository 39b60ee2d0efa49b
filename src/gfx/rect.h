#pragma once

#include <cstdint>

namespace vantel {

// Left, top, right, bottom; right and bottom are exclusive.
struct Rect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool IsWhole() const { return Left == 0 && Top == 0 && Right == 0 && Bottom == 0; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// All zeros: "the whole source surface". Never changed.
inline constexpr Rect WholeSurface{};

struct ClipRect {
  int32_t ClipLeft = 0;
  int32_t ClipTop = 0;
  int32_t ClipRight = 0;
  int32_t ClipBottom = 0;
};

// A source rectangle and where it lands, after clipping.
struct ClippedBlit {
  Rect Source;
  int32_t X = 0;
  int32_t Y = 0;
};

// The clip arithmetic every blit and glyph goes through. It works on the
// rectangle's own width and height, so the all-zero WholeSurface comes through
// unchanged whenever (x, y) lies inside the clip rectangle.
ClippedBlit ClipSource(const Rect& source, int32_t x, int32_t y, const ClipRect& clip);

}  // namespace vantel
