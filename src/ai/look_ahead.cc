#include <algorithm>

#include "ai/ai.h"

namespace vantel {

TableKnowledge KnowledgeOf(const TableCards& table, const std::array<SideState, kSides>& sides,
                           const CaptureMemory& memory) {
  // One pass over every card that has been on the table: the playouts ask
  // for this before every play they make.
  TableKnowledge known;
  known.table = table;
  auto see = [&](int16_t card) {
    known.seen[static_cast<size_t>(ValueOf(card))] += 1;
    known.gone[static_cast<size_t>(card)] = true;
  };
  for (int16_t card : table) see(card);
  for (const SideState& side : sides) {
    for (int16_t card : side.taken) see(card);
  }
  for (const SideState& side : sides) {
    for (int16_t card : side.markers) known.gone[static_cast<size_t>(card)] = false;
  }
  known.previous_size = memory.previous_size;
  return known;
}

TableCopy CopyTable(const TableCards& table) {
  TableCopy copy;
  for (int16_t card : table) copy.Append(card);
  return copy;
}

namespace {

bool IsTaken(const CaptureOption& option, int index) {
  const std::span<const int16_t> take = option.take.Span();
  return std::find(take.begin(), take.end(), index) != take.end();
}

}  // namespace

TableCopy TableAfterPlay(const TableCopy& with_card, const CaptureOption& option) {
  TableCopy after;
  const int played = with_card.count - 1;
  for (int i = 0; i < played; ++i) {
    if (!IsTaken(option, i)) after.Append(with_card.ids[static_cast<size_t>(i)]);
  }
  // A card that takes nothing stays on the table with the others.
  if (option.take.count == 0 && played >= 0)
    after.Append(with_card.ids[static_cast<size_t>(played)]);
  return after;
}

bool TableIsSafe(const TableKnowledge& known, const TableCopy& table) {
  const ValueCounts& seen = known.seen;
  if (table.count == 0) return true;
  // A lone card is taken only by an equal one; once four of its value have
  // been played there is none left to fear.
  if (table.count == 1) return seen[static_cast<size_t>(ValueOf(table.ids[0]))] > 3;
  int sum = 0;
  for (int16_t id : table.Span()) sum += ValueOf(id);
  // No card above 10 takes by sum, and no sum above 10 has a single taker.
  if (sum > kHighestSumValue) return true;
  return seen[static_cast<size_t>(sum)] > 3;
}

}  // namespace vantel
