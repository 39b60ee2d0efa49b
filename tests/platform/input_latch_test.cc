#include "platform/input_latch.h"

#include <gtest/gtest.h>

namespace vantel {
namespace {

TEST(InputLatchTest, TapBetweenTwoReadsCountsOnceInTheNextRead) {
  InputLatch latch;
  latch.KeyPressed(25);
  latch.KeyReleased(25);
  EXPECT_EQ(latch.TakeKeys()[25], 1);
  EXPECT_EQ(latch.TakeKeys()[25], 0);

  latch.ButtonPressed(0);
  latch.ButtonReleased(0);
  EXPECT_EQ(latch.TakeButtons()[0], 1);
  EXPECT_EQ(latch.TakeButtons()[0], 0);
}

TEST(InputLatchTest, HeldKeyReadsDownInEveryReadUntilReleased) {
  InputLatch latch;
  latch.KeyPressed(1);
  for (int frame = 0; frame < 3; ++frame) EXPECT_EQ(latch.TakeKeys()[1], 1) << frame;
  latch.KeyReleased(1);
  EXPECT_EQ(latch.TakeKeys()[1], 0);

  latch.ButtonPressed(1);
  EXPECT_EQ(latch.TakeButtons()[1], 1);
  EXPECT_EQ(latch.TakeButtons()[1], 1);
  latch.ButtonReleased(1);
  EXPECT_EQ(latch.TakeButtons()[1], 0);
}

TEST(InputLatchTest, KeysAndButtonsAreIndependent) {
  InputLatch latch;
  latch.KeyPressed(19);
  KeyTable keys = latch.TakeKeys();
  ButtonTable buttons = latch.TakeButtons();
  for (int code = 0; code < kKeyTableSize; ++code) EXPECT_EQ(keys[code], code == 19) << code;
  for (int b = 0; b < kMouseButtons; ++b) EXPECT_EQ(buttons[b], 0) << b;
}

TEST(InputLatchTest, FocusLossReleasesHeldButKeepsUnreadPresses) {
  InputLatch latch;
  latch.KeyPressed(1);
  latch.ButtonPressed(0);
  latch.ReleaseAll();
  EXPECT_EQ(latch.TakeKeys()[1], 1);  // the press still happened
  EXPECT_EQ(latch.TakeButtons()[0], 1);
  EXPECT_EQ(latch.TakeKeys()[1], 0);
  EXPECT_EQ(latch.TakeButtons()[0], 0);
}

TEST(InputLatchTest, UnmappedKeysAndOutOfRangeButtonsAreIgnored) {
  InputLatch latch;
  latch.KeyPressed(0);
  latch.ButtonPressed(-1);
  latch.ButtonPressed(kMouseButtons);
  EXPECT_EQ(latch.TakeKeys()[0], 0);
  ButtonTable buttons = latch.TakeButtons();
  for (int b = 0; b < kMouseButtons; ++b) EXPECT_EQ(buttons[b], 0) << b;
}

}  // namespace
}  // namespace vantel
