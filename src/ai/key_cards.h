#pragma once

#include <cstdint>

#include "game/cards.h"

namespace vantel {

// The cards the computer players value most (see Card::computer_key).
inline constexpr int16_t kTwoOfCups = CardIdOf(2, Suit::kCups);
inline constexpr int16_t kTenOfCoins = CardIdOf(10, Suit::kCoins);
inline constexpr int16_t kJackOfSwords = CardIdOf(kJackValue, Suit::kSwords);

static_assert(kCards[kTwoOfCups].computer_key && kCards[kTenOfCoins].computer_key &&
              kCards[kJackOfSwords].computer_key);

}  // namespace vantel
