#include "wav.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <stdexcept>
#include <string_view>

namespace vantel {
namespace {

constexpr int kChannels = 2;
constexpr int kBytesPerSample = 2;
constexpr uint32_t kFmtChunkBytes = 16;
constexpr uint32_t kPcmFormat = 1;
// "WAVE", the fmt chunk and the data chunk's own header: what the RIFF size
// counts besides the samples.
constexpr size_t kRiffHeaderBytes = 4 + 8 + kFmtChunkBytes + 8;
// "RIFF" and its size field come before that.
constexpr size_t kFileHeaderBytes = 8 + kRiffHeaderBytes;

// The file's size is known before anything is written, so it is allocated
// once and filled in place, each writer returning where the next field goes.
uint8_t* Put(uint8_t* at, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) *at++ = static_cast<uint8_t>(v >> (8 * i));
  return at;
}

uint8_t* Tag(uint8_t* at, std::string_view tag) {
  return std::transform(tag.begin(), tag.end(), at, [](char c) { return static_cast<uint8_t>(c); });
}

}  // namespace

std::vector<uint8_t> EncodeWav(const std::vector<float>& mono) {
  const size_t data_bytes = mono.size() * kChannels * kBytesPerSample;
  // The RIFF size fields are 32 bits wide.
  if (data_bytes > std::numeric_limits<uint32_t>::max() - kRiffHeaderBytes) {
    throw std::length_error("a sound too long for a WAVE file");
  }
  std::vector<uint8_t> out(kFileHeaderBytes + data_bytes);
  uint8_t* at = out.data();
  at = Tag(at, "RIFF");
  at = Put(at, static_cast<uint32_t>(kRiffHeaderBytes + data_bytes), 4);
  at = Tag(at, "WAVE");
  at = Tag(at, "fmt ");
  at = Put(at, kFmtChunkBytes, 4);
  at = Put(at, kPcmFormat, 2);
  at = Put(at, kChannels, 2);
  at = Put(at, kSampleRate, 4);
  at = Put(at, kSampleRate * kChannels * kBytesPerSample, 4);
  at = Put(at, kChannels * kBytesPerSample, 2);
  at = Put(at, 8 * kBytesPerSample, 2);
  at = Tag(at, "data");
  at = Put(at, static_cast<uint32_t>(data_bytes), 4);
  for (float s : mono) {
    const auto v = static_cast<int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
    for (int c = 0; c < kChannels; ++c) at = Put(at, static_cast<uint16_t>(v), kBytesPerSample);
  }
  return out;
}

}  // namespace vantel
