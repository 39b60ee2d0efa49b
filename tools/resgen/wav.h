#pragma once

#include <cstdint>
#include <vector>

namespace vantel {

inline constexpr int kSampleRate = 22050;

// A 16-bit PCM RIFF/WAVE file at 22050 Hz, stereo, the mono signal on both
// channels; samples are clamped to [-1, 1].
std::vector<uint8_t> EncodeWav(const std::vector<float>& mono);

}  // namespace vantel
