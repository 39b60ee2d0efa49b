#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantel {

// Which presented frames (counted from 1) become pictures, and where they go.
struct ScreenshotOptions {
  std::filesystem::path dir;  // empty: no screenshots
  int64_t every = 0;          // every N-th frame, when > 0
  std::vector<int64_t> at;    // and these frames
  // The pictures show the round view, as if its key were held; the game
  // itself never reads it.
  bool round_view = false;

  bool Enabled() const { return !dir.empty(); }
  bool Wants(int64_t frame) const;
};

// "120,360,1000" to frame numbers; nothing for an empty list, a number below 1
// or anything that is not a number.
std::optional<std::vector<int64_t>> ParseFrameList(std::string_view text);

// "frame_000120.png": numbered so that a folder lists in frame order.
std::string ScreenshotFileName(int64_t frame);

}  // namespace vantel
