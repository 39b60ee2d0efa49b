#pragma once

#include <array>
#include <cstdint>

#include "game/legal_captures.h"

namespace vantel {

// Room in the records below. A card keeps at most this many capture options;
// the lay-down always follows them, so a card has at most kMaxCaptureOptions + 1.
inline constexpr int kMaxCaptureOptions = 20;
inline constexpr int kMaxOptions = kMaxCaptureOptions + 1;

// One possible play of one card: the table cards it would take (none for a
// lay-down) and how good the play looks.
struct CaptureOption {
  CaptureSet take;          // table positions; empty: the card is laid down
  bool safe_table = false;  // the next player cannot take the table left behind
  int16_t bonus = 0;        // key cards taken plus the special captures foreseen
  float score = 0;
};

// Everything one decision works out for one card of the hand.
struct CardOptions {
  std::array<CaptureOption, kMaxOptions> options{};
  int16_t option_count = 0;
  int16_t is_key = 0;       // 1 for the three key cards, else 0
  int16_t value_count = 0;  // cards of this value seen on the table plus those in the hand
  int16_t value = 0;
  double lay_down_score = 0;  // how good it is to get rid of the card
};

}  // namespace vantel
