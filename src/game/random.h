#pragma once

#include <cstdint>
#include <random>

namespace vantel {

// A source of chance: the game draws from two (see Chance), so a seed replays
// a whole game.
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

// The game's chance, two streams from one seed. The deal's stream decides the
// shuffle and the first seat; the looks' stream decides only what looks or
// sounds different: where a card lands within its place, and which of a
// sound's variants plays. An animation or a sound may then draw as often as it
// likes, and sorting a hand with R may change nothing, without changing any
// later deal of the seed.
struct Chance {
  explicit Chance(uint32_t seed)
      : deal(seed), looks(static_cast<uint32_t>(SplitMix64Finish(seed ^ kLooksSalt))) {}

  MtRandom deal;
  MtRandom looks;

 private:
  // Keeps the looks' stream apart from the deal's of any other seed.
  static constexpr uint64_t kLooksSalt = 0x6c6f6f6b73ull;  // "looks"
};

}  // namespace vantel
