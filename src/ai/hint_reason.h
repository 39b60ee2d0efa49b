#pragma once

#include <cstdint>

#include "game/match_rules.h"
#include "game/seat_view.h"

namespace vantel {

// Why a suggested play is good, in the words a player learns the game by:
// the most telling thing it does, worked out by making it on the seat's view.
enum class HintReason : uint8_t {
  kNone,
  kScua,        // it sweeps the table
  kPicada,      // it takes the card just laid
  kQuadriglia,  // it takes three cards or more
  kSimili,      // every card taken is of its suit
  kKeyCard,     // it takes the two of batons, the ten of coins or the jack of swords
  kCapture,     // a plain capture; `count` cards taken
  kSafeLay,     // nothing to take, and no card of its value is left to take it alone
  kLay,         // nothing to take; `count` cards of its value are still unseen
};

struct HintExplained {
  HintReason reason = HintReason::kNone;
  int count = 0;
  bool operator==(const HintExplained&) const = default;
};

// The reason for `play` by the view's seat; kNone when the rules refuse it.
HintExplained ExplainHint(const SeatView& view, const Play& play);

}  // namespace vantel
