#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "game/match_state.h"
#include "game/seat_view.h"

namespace vantel {

// What the Classic player knows when it decides, all of it public: the cards
// on the table, how many of each value have been on it this hand, which cards
// are gone (on the table or in a pile: a special capture's card shown face up
// is not counted as gone), and how many cards the previous play took.
struct TableKnowledge {
  TableCards table;
  ValueCounts seen{};
  std::array<bool, kCardCount> gone{};
  int previous_size = 0;
};

TableKnowledge KnowledgeOf(const TableCards& table, const std::array<SideState, kSides>& sides,
                           const CaptureMemory& memory);

inline TableKnowledge KnowledgeOf(const SeatView& view) {
  const MatchState& m = view.Masked();
  return KnowledgeOf(m.table, m.sides, m.memory);
}

// A decision's private view of the table: card ids in table order. It has room
// for a full table plus the card being tried on it: never more than the pack.
struct TableCopy {
  std::array<int16_t, kCardCount> ids{};
  int16_t count = 0;

  void Append(int16_t id) { ids[static_cast<size_t>(count++)] = id; }
  std::span<const int16_t> Span() const { return {ids.data(), static_cast<size_t>(count)}; }
};

TableCopy CopyTable(const TableCards& table);

}  // namespace vantel
