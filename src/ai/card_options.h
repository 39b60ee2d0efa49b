#pragma once

#include <array>
#include <cstdint>

#include "game/game.h"

namespace vantel {

// Room in the records below. A card keeps at most this many capture options;
// the lay-down always follows them, so a card has at most kMaxCaptureOptions + 1.
inline constexpr int kMaxCaptureOptions = 20;
inline constexpr int kMaxOptions = kMaxCaptureOptions + 1;
inline constexpr int kMaxTakeCards = kMaxTakenPerPlay;  // the hand-over's room

// One possible play of one card: the table cards it would take (none for a
// lay-down) and how good the play looks.
struct CaptureOption {
  std::array<int16_t, kMaxTakeCards> TakeIdx{};  // indices into the table
  bool SafeTable = false;  // the next player cannot take the table left behind
  int16_t TakeCount = 0;   // 0: the card is laid down
  int16_t Bonus = 0;       // key cards taken plus the special captures foreseen
  float Score = 0;
};

// Everything one decision works out for one card of the hand.
struct CardOptions {
  std::array<CaptureOption, kMaxOptions> Options{};
  int16_t OptionCount = 0;
  int16_t IsKey = 0;       // 1 for the three key cards, else 0
  int16_t ValueCount = 0;  // cards of this value seen on the table plus those in the hand
  int16_t Value = 0;
  double LayDownScore = 0;  // how good it is to get rid of the card
};

}  // namespace vantel
