#include "image_codec.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "decode.h"

namespace vantel {
namespace {

Picture Gradient(int w, int h) {
  Picture p{w, h, {}};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      p.pixels.push_back((x * 255 / (w - 1)) << 16 | (y * 255 / (h - 1)) << 8 | 0x40);
    }
  }
  return p;
}

TEST(ImageCodecTest, BitmapKeepsEveryPixelAndTheKeyExactly) {
  // An odd width makes the rows need padding, a classic place for BMP faults.
  Picture p = Gradient(7, 5);
  p.pixels[0] = kKeyColour;
  p.pixels[12] = kKeyColour;
  const std::vector<uint8_t> bmp = EncodeBmp(p);
  ASSERT_GE(bmp.size(), 54u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  const Picture back = testing::DecodeEntry({"x.bmp", bmp});
  EXPECT_EQ(back.width, 7);
  EXPECT_EQ(back.height, 5);
  EXPECT_EQ(back.pixels, p.pixels);
}

TEST(ImageCodecTest, JpegDecodesToTheSamePictureWithinLossyError) {
  const Picture p = Gradient(64, 48);
  const std::vector<uint8_t> jpg = EncodeJpeg(p, 92);
  ASSERT_GE(jpg.size(), 4u);
  EXPECT_EQ(jpg[0], 0xFF);
  EXPECT_EQ(jpg[1], 0xD8);
  const Picture back = testing::DecodeEntry({"x.jpg", jpg});
  ASSERT_EQ(back.width, 64);
  ASSERT_EQ(back.height, 48);
  long error = 0;
  for (size_t i = 0; i < p.pixels.size(); ++i) {
    error += std::abs(testing::Red(p.pixels[i]) - testing::Red(back.pixels[i]));
    error += std::abs(testing::Green(p.pixels[i]) - testing::Green(back.pixels[i]));
  }
  EXPECT_LT(error / static_cast<long>(2 * p.pixels.size()), 4);
}

TEST(ImageCodecTest, EncodingIsRepeatable) {
  const Picture p = Gradient(33, 17);
  EXPECT_EQ(EncodeBmp(p), EncodeBmp(p));
  EXPECT_EQ(EncodeJpeg(p, 92), EncodeJpeg(p, 92));
}

}  // namespace
}  // namespace vantel
