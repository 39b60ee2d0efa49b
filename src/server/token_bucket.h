#pragma once

#include <algorithm>

namespace vantel {

// A connection's allowance of messages: `capacity` at once, refilled at
// `rate` a second. Time is passed in, in seconds from any fixed start.
class TokenBucket {
 public:
  TokenBucket(double capacity, double rate) : capacity_(capacity), rate_(rate), tokens_(capacity) {}

  // Spends one message's token; false, spending nothing, when none is left.
  bool Take(double now) {
    if (now > last_) {
      tokens_ = std::min(capacity_, tokens_ + (now - last_) * rate_);
      last_ = now;
    }
    if (tokens_ < 1) return false;
    tokens_ -= 1;
    return true;
  }

 private:
  double capacity_;
  double rate_;
  double tokens_;
  double last_ = 0;
};

}  // namespace vantel
