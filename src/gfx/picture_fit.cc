#include "gfx/picture_fit.h"

#include <algorithm>

namespace vantel {
namespace {

int32_t WholeFactor(int32_t out_width, int32_t out_height) {
  return std::min(out_width / kPictureWidth, out_height / kPictureHeight);
}

PictureFit Centred(int32_t out_width, int32_t out_height, int32_t width, int32_t height,
                   bool sharp) {
  return PictureFit{(out_width - width) / 2, (out_height - height) / 2, width, height, sharp};
}

PictureFit SmoothFit(int32_t out_width, int32_t out_height) {
  // An output wider than 4:3 is filled top to bottom, a narrower one side to
  // side; the other side is rounded down so the picture never spills.
  if (static_cast<int64_t>(out_width) * kPictureHeight >=
      static_cast<int64_t>(out_height) * kPictureWidth) {
    const int32_t width =
        static_cast<int32_t>(static_cast<int64_t>(out_height) * kPictureWidth / kPictureHeight);
    return Centred(out_width, out_height, width, out_height, false);
  }
  const int32_t height =
      static_cast<int32_t>(static_cast<int64_t>(out_width) * kPictureHeight / kPictureWidth);
  return Centred(out_width, out_height, out_width, height, false);
}

}  // namespace

PictureFit FitPicture(int32_t out_width, int32_t out_height, PictureScaling scaling) {
  out_width = std::max(out_width, 1);
  out_height = std::max(out_height, 1);
  const int32_t factor = WholeFactor(out_width, out_height);
  const PictureFit smooth = SmoothFit(out_width, out_height);
  if (scaling == PictureScaling::kSmooth || factor < 1) return smooth;
  const PictureFit sharp =
      Centred(out_width, out_height, factor * kPictureWidth, factor * kPictureHeight, true);
  if (scaling == PictureScaling::kSharp) return sharp;
  const bool little_lost = sharp.width >= kSharpMinShare * smooth.width;
  return factor >= 2 && little_lost ? sharp : smooth;
}

LogicalPoint OutputToPicture(int32_t x, int32_t y, const PictureFit& fit) {
  const float sx = static_cast<float>(kPictureWidth) / static_cast<float>(std::max(fit.width, 1));
  const float sy = static_cast<float>(kPictureHeight) / static_cast<float>(std::max(fit.height, 1));
  return LogicalPoint{static_cast<float>(x - fit.x) * sx, static_cast<float>(y - fit.y) * sy};
}

WindowSize FirstWindowSize(int32_t work_width, int32_t work_height) {
  const int32_t factor = std::max(WholeFactor(work_width, work_height), 1);
  return WindowSize{factor * kPictureWidth, factor * kPictureHeight};
}

WindowPlace ReturnPlace(WindowPlace before, WindowSize size, DesktopArea desktop) {
  const auto inside = [](int32_t v, int32_t start, int32_t length) {
    return v >= start && v < start + length;
  };
  if (inside(before.x, desktop.x, desktop.width) && inside(before.y, desktop.y, desktop.height))
    return before;
  const auto pull = [](int32_t v, int32_t start, int32_t length, int32_t extent) {
    return std::clamp(v, start, std::max(start, start + length - extent));
  };
  return WindowPlace{pull(before.x, desktop.x, desktop.width, size.width),
                     pull(before.y, desktop.y, desktop.height, size.height)};
}

}  // namespace vantel
