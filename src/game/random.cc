#include "game/random.h"

#include <cmath>

namespace vantel {

int Random::Draw(int n) {
  return static_cast<int>(std::floor(Next() * n));
}

double MtRandom::Next() {
  // 53 random bits from two 32-bit outputs: exactly representable, never 1.0.
  const uint64_t hi = engine_() >> 5;  // 27 bits
  const uint64_t lo = engine_() >> 6;  // 26 bits
  return static_cast<double>((hi << 26) | lo) * (1.0 / 9007199254740992.0);
}

}  // namespace vantel
