#pragma once

#include <cstdint>

namespace vantel {

// How a finished hand leaves the match.
enum class MatchOutcome : int8_t {
  kGoesOn,  // nobody past the target yet, or a side past it behind
  kWeWon,
  kWeLost,
  kTied,  // both past the target and level: the history starts again
};

}  // namespace vantel
