#pragma once

#include "flow/input.h"

namespace vantel {

// Escape during a match asks first: Escape again or Return leaves (the match
// is kept for the next start), a click plays on. Looks at each frame's input
// before the game does and takes out what was meant for the question, so the
// game never sees the first Escape nor the answer's keys and click.
class LeaveQuestion {
 public:
  enum class Step {
    kPlayOn,  // nothing to do: the game reads the input as it is
    kLeave,   // the input now holds Escape: the frame ends the game
  };

  // `in_match`: a match is in progress, so there is something to lose.
  Step Filter(InputSnapshot& input, bool in_match);
  bool Asking() const { return asking_; }

 private:
  bool Pressed(const InputSnapshot& input, int key) const;

  bool asking_ = false;
  // The click that answered is still down: the game must not take it as one.
  bool swallow_buttons_ = false;
  // What was down in the last frame: a key held from before is no answer.
  InputSnapshot last_;
};

}  // namespace vantel
