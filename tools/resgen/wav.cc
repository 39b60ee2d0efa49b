#include "wav.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace vantel {
namespace {

constexpr int kChannels = 2;
constexpr int kBytesPerSample = 2;

void Put(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void Tag(std::vector<uint8_t>& out, std::string_view tag) {
  out.insert(out.end(), tag.begin(), tag.end());
}

}  // namespace

std::vector<uint8_t> EncodeWav(const std::vector<float>& mono) {
  const uint32_t dataBytes = static_cast<uint32_t>(mono.size()) * kChannels * kBytesPerSample;
  std::vector<uint8_t> out;
  out.reserve(44 + dataBytes);
  Tag(out, "RIFF");
  Put(out, 36 + dataBytes, 4);
  Tag(out, "WAVE");
  Tag(out, "fmt ");
  Put(out, 16, 4);
  Put(out, 1, 2);  // PCM
  Put(out, kChannels, 2);
  Put(out, kSampleRate, 4);
  Put(out, kSampleRate * kChannels * kBytesPerSample, 4);
  Put(out, kChannels * kBytesPerSample, 2);
  Put(out, 8 * kBytesPerSample, 2);
  Tag(out, "data");
  Put(out, dataBytes, 4);
  for (float s : mono) {
    const auto v = static_cast<int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
    for (int c = 0; c < kChannels; ++c) Put(out, static_cast<uint16_t>(v), 2);
  }
  return out;
}

}  // namespace vantel
