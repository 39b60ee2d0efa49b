#pragma once

#include <array>
#include <cstdint>

#include "game/game.h"

namespace vantel {

// A decision's private view of the table: card ids in table order. It has room
// for a full table plus the card being tried on it: never more than the pack.
struct TableCopy {
  std::array<int16_t, kCardCount> ids{};
  int16_t count = 0;

  void Append(int16_t id) { ids[count++] = id; }
};

// The cards of Table(0 .. table_count - 1).
TableCopy CopyTable(const CardModel& model);

}  // namespace vantel
