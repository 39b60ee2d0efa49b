#pragma once

#include <cstdint>

#include "game/cards.h"

namespace vantel {

// The cards the computer players value most (see Card::computer_key).
inline constexpr int16_t kTwoOfC = CardIdOf(2, 'C');
inline constexpr int16_t kTenOfD = CardIdOf(10, 'D');
inline constexpr int16_t kJackOfH = CardIdOf(11, 'H');

static_assert(kCards[kTwoOfC].computer_key && kCards[kTenOfD].computer_key &&
              kCards[kJackOfH].computer_key);

}  // namespace vantel
