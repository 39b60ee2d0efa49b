#include "app/leave_question.h"

#include <gtest/gtest.h>

namespace vantel {
namespace {

InputSnapshot Keys(std::initializer_list<int> codes) {
  InputSnapshot in;
  for (int code : codes) in.keys[static_cast<size_t>(code)] = 1;
  return in;
}

InputSnapshot Click(int button) {
  InputSnapshot in;
  in.buttons[static_cast<size_t>(button)] = 1;
  return in;
}

// Runs one frame through the question; returns what the game then sees.
InputSnapshot Frame(LeaveQuestion& q, InputSnapshot in, bool in_match = true,
                    LeaveQuestion::Step* step = nullptr) {
  const LeaveQuestion::Step s = q.Filter(in, in_match);
  if (step != nullptr) *step = s;
  return in;
}

TEST(LeaveQuestionTest, WithNoMatchToLoseEscapeEndsTheGameAsBefore) {
  LeaveQuestion q;
  EXPECT_TRUE(Frame(q, Keys({kKeyEscape}), false).KeyDown(kKeyEscape));
  EXPECT_FALSE(q.Asking());
}

TEST(LeaveQuestionTest, EscapeAsksAndEscapeOrReturnPressedAgainLeaves) {
  for (int answer : {kKeyEscape, kKeyReturn, kKeyPadEnter}) {
    LeaveQuestion q;
    EXPECT_FALSE(Frame(q, Keys({kKeyEscape})).KeyDown(kKeyEscape));  // the game never sees it
    EXPECT_TRUE(q.Asking());
    // Escape still held, then other keys: no answer, and nothing reaches the game.
    LeaveQuestion::Step step{};
    EXPECT_FALSE(Frame(q, Keys({kKeyEscape}), true, &step).KeyDown(kKeyEscape));
    EXPECT_EQ(step, LeaveQuestion::Step::kPlayOn);
    const InputSnapshot seen = Frame(q, Keys({kKeyH, kKey1, kKeyP}));
    EXPECT_FALSE(seen.KeyDown(kKeyH) || seen.KeyDown(kKey1) || seen.KeyDown(kKeyP));
    EXPECT_TRUE(q.Asking());

    EXPECT_TRUE(Frame(q, Keys({answer}), true, &step).KeyDown(kKeyEscape)) << answer;
    EXPECT_EQ(step, LeaveQuestion::Step::kLeave);
    EXPECT_FALSE(Frame(q, Keys({answer})).KeyDown(kKeyReturn));
  }
}

TEST(LeaveQuestionTest, AClickPlaysOnAndIsNotTakenAsAPlayWhileItIsHeld) {
  LeaveQuestion q;
  Frame(q, Keys({kKeyEscape}));
  ASSERT_TRUE(q.Asking());
  EXPECT_FALSE(Frame(q, Click(kLeftButton)).MouseButtonDown(kLeftButton));
  EXPECT_FALSE(q.Asking());
  EXPECT_FALSE(Frame(q, Click(kLeftButton)).MouseButtonDown(kLeftButton));  // still held
  Frame(q, {});                                                             // let go
  EXPECT_TRUE(Frame(q, Click(kLeftButton)).MouseButtonDown(kLeftButton));   // a new click plays
  // And the next Escape asks again.
  Frame(q, Keys({kKeyEscape}));
  EXPECT_TRUE(q.Asking());
}

}  // namespace
}  // namespace vantel
