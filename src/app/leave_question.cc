#include "app/leave_question.h"

namespace vantel {

bool LeaveQuestion::Pressed(const InputSnapshot& input, int key) const {
  return input.KeyDown(key) && !last_.KeyDown(key);
}

LeaveQuestion::Step LeaveQuestion::Filter(InputSnapshot& input, bool in_match) {
  const InputSnapshot seen = input;
  Step step = Step::kPlayOn;
  if (swallow_buttons_) {
    swallow_buttons_ = input.MouseButtonDown(kLeftButton) || input.MouseButtonDown(kRightButton);
    input.buttons = {};
  }
  if (!asking_) {
    // Nothing to lose, or Escape still held from before: the old way.
    if (!in_match || !Pressed(input, kKeyEscape)) {
      last_ = seen;
      return Step::kPlayOn;
    }
    asking_ = true;
    input.keys = {};
  } else {
    const bool leave =
        Pressed(input, kKeyEscape) || Pressed(input, kKeyReturn) || Pressed(input, kKeyPadEnter);
    const bool click =
        (input.MouseButtonDown(kLeftButton) && !last_.MouseButtonDown(kLeftButton)) ||
        (input.MouseButtonDown(kRightButton) && !last_.MouseButtonDown(kRightButton));
    input.keys = {};
    input.buttons = {};
    if (leave) {
      input.keys[kKeyEscape] = 1;
      step = Step::kLeave;
    } else if (click) {
      asking_ = false;
      swallow_buttons_ = true;
    }
  }
  last_ = seen;
  return step;
}

}  // namespace vantel
