#pragma once

#include <algorithm>
#include <numeric>
#include <random>

#include "game/match_state.h"

namespace vantel {

// A pack shuffled by `engine`, for matches played at random in tests.
inline DeckOrder ShuffledDeck(std::mt19937& engine) {
  DeckOrder deck{};
  std::iota(deck.begin(), deck.end(), int16_t{0});
  std::shuffle(deck.begin(), deck.end(), engine);
  return deck;
}

}  // namespace vantel
