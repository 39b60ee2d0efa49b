#pragma once

#include <string>

namespace vantel {

// A well-formed seat token of its own for each seat of a test table.
inline std::string TestSeatToken(int seat) {
  return "token-of-seat-" + std::to_string(seat) + "-xxxxxx";
}

}  // namespace vantel
