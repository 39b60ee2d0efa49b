#include "platform/key_codes.h"

#include <gtest/gtest.h>

#include <set>

namespace vantel {
namespace {

TEST(KeyCodesTest, GameKeysMapToTheirScanCodes) {
  EXPECT_EQ(GameKeyCode(SDL_SCANCODE_ESCAPE), kKeyEscape);
  EXPECT_EQ(GameKeyCode(SDL_SCANCODE_R), kKeyR);
  EXPECT_EQ(GameKeyCode(SDL_SCANCODE_P), kKeyP);
  EXPECT_EQ(kKeyEscape, 1);
  EXPECT_EQ(kKeyR, 19);
  EXPECT_EQ(kKeyP, 25);
}

TEST(KeyCodesTest, LetterRowsFollowTheKeyboardOrder) {
  const SDL_Scancode top[] = {SDL_SCANCODE_Q, SDL_SCANCODE_W, SDL_SCANCODE_E, SDL_SCANCODE_R,
                              SDL_SCANCODE_T, SDL_SCANCODE_Y, SDL_SCANCODE_U, SDL_SCANCODE_I,
                              SDL_SCANCODE_O, SDL_SCANCODE_P};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(GameKeyCode(top[i]), 16 + i) << i;
  EXPECT_EQ(GameKeyCode(SDL_SCANCODE_A), 30);
  EXPECT_EQ(GameKeyCode(SDL_SCANCODE_Z), 44);
  EXPECT_EQ(GameKeyCode(SDL_SCANCODE_SPACE), 57);
}

TEST(KeyCodesTest, NoTwoKeysShareACodeAndUnknownKeysHaveNone) {
  std::set<int> seen;
  for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc) {
    int code = GameKeyCode(static_cast<SDL_Scancode>(sc));
    if (code == 0) continue;
    EXPECT_TRUE(seen.insert(code).second) << "scancode " << sc << " repeats code " << code;
  }
  EXPECT_EQ(GameKeyCode(SDL_SCANCODE_UNKNOWN), 0);
  EXPECT_EQ(GameKeyCode(SDL_SCANCODE_AUDIOPLAY), 0);
  EXPECT_EQ(GameKeyCode(static_cast<SDL_Scancode>(SDL_NUM_SCANCODES)), 0);
}

}  // namespace
}  // namespace vantel
