#pragma once

#include <cstdint>
#include <random>

namespace vantel {

// The game's single source of chance. Every draw of a hand (shuffle, first
// seat, scatters, which sound variant) comes from one of these, so a seed
// replays a whole game.
class Random {
 public:
  virtual ~Random() = default;
  // Uniform in [0, 1).
  virtual double Next() = 0;
  // Whole part of (Next() * n): 0 .. n-1.
  int Draw(int n);
};

// splitmix64's finishing step: every bit of `z` stirred into every bit of the
// result. Small, fast and the same on every standard library, for seeds and
// hashes made from a few numbers.
constexpr uint64_t SplitMix64Finish(uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

// Mersenne twister mapped to [0, 1) with our own arithmetic, because
// std::uniform_real_distribution differs between standard libraries and a seed
// must give the same game everywhere.
class MtRandom final : public Random {
 public:
  explicit MtRandom(uint32_t seed) : engine_(seed) {}
  double Next() override;

 private:
  std::mt19937 engine_;
};

}  // namespace vantel
