#include "wav.h"

#include <gtest/gtest.h>

namespace vantel {
namespace {

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
int16_t S16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<int16_t>(b[at] | b[at + 1] << 8);
}
std::string Tag(const std::vector<uint8_t>& b, size_t at) {
  return std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4);
}

TEST(WavTest, HeaderDescribesStereo16BitPcmAt22050) {
  const std::vector<uint8_t> w = EncodeWav({0.0f, 0.5f, -0.5f});
  ASSERT_EQ(w.size(), 44u + 3 * 4);
  EXPECT_EQ(Tag(w, 0), "RIFF");
  EXPECT_EQ(U32(w, 4), w.size() - 8);
  EXPECT_EQ(Tag(w, 8), "WAVE");
  EXPECT_EQ(Tag(w, 12), "fmt ");
  EXPECT_EQ(U32(w, 16), 16u);
  EXPECT_EQ(S16(w, 20), 1);  // PCM
  EXPECT_EQ(S16(w, 22), 2);
  EXPECT_EQ(U32(w, 24), 22050u);
  EXPECT_EQ(U32(w, 28), 88200u);
  EXPECT_EQ(S16(w, 32), 4);
  EXPECT_EQ(S16(w, 34), 16);
  EXPECT_EQ(Tag(w, 36), "data");
  EXPECT_EQ(U32(w, 40), 12u);
}

TEST(WavTest, SamplesAreOnBothChannelsAndClampedNotWrapped) {
  const std::vector<uint8_t> w = EncodeWav({0.5f, -1.0f, 1.7f, -3.0f});
  const int16_t expected[] = {16384, -32767, 32767, -32767};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(S16(w, 44 + 4 * i), expected[i]) << "sample " << i;
    EXPECT_EQ(S16(w, 46 + 4 * i), expected[i]) << "sample " << i;
  }
}

TEST(WavTest, EmptySignalGivesAValidEmptyFile) {
  const std::vector<uint8_t> w = EncodeWav({});
  ASSERT_EQ(w.size(), 44u);
  EXPECT_EQ(U32(w, 40), 0u);
  EXPECT_EQ(U32(w, 4), 36u);
}

}  // namespace
}  // namespace vantel
