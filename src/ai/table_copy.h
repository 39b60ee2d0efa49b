#pragma once

#include <array>
#include <cstdint>

#include "game/game.h"

namespace vantel {

// A decision's private view of the table: card ids in table order. It has room
// for a full table plus the card being tried on it: never more than the pack.
struct TableCopy {
  std::array<int16_t, kCardCount> Ids{};
  int16_t Count = 0;

  void Append(int16_t id) { Ids[Count++] = id; }
};

// The cards of Table(0 .. TableCount - 1).
TableCopy CopyTable(const CardModel& model);

}  // namespace vantel
