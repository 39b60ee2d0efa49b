#include "screenshot_options.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace vantel {

bool ScreenshotOptions::Wants(int64_t frame) const {
  if (every > 0 && frame % every == 0) return true;
  return std::find(at.begin(), at.end(), frame) != at.end();
}

std::optional<std::vector<int64_t>> ParseFrameList(std::string_view text) {
  std::vector<int64_t> frames;
  while (true) {
    const std::size_t comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    int64_t frame = 0;
    const auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), frame);
    if (item.empty() || ec != std::errc() || end != item.data() + item.size() || frame < 1) {
      return std::nullopt;
    }
    frames.push_back(frame);
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return frames;
}

std::string ScreenshotFileName(int64_t frame) {
  char name[40];
  std::snprintf(name, sizeof name, "frame_%06lld.png", static_cast<long long>(frame));
  return name;
}

}  // namespace vantel
