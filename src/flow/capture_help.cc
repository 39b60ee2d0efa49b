#include "flow/capture_help.h"

#include <span>
#include <vector>

#include "flow/human_turn.h"
#include "game/legal_captures.h"

namespace vantel {

namespace {

bool Eligible(const Game& g, int index) {
  const CardModel& m = g.model;
  if (index < 0 || index > m.table_count - 2) return false;
  const CardSprite& t = m.table[static_cast<std::size_t>(index)];
  return t.shown && t.card != m.table[static_cast<std::size_t>(m.table_count - 1)].card;
}

}  // namespace

bool CanPickTableCard(const Game& g, int index) {
  const CardModel& m = g.model;
  if (!Eligible(g, index) || m.table[static_cast<std::size_t>(index)].picked) return false;
  // The cards lying there before the played card; a hidden one counts as
  // absent, so it never completes a sum.
  std::vector<int16_t> table;
  std::vector<int16_t> picked;
  for (int i = 0; i < m.table_count - 1; ++i) {
    const CardSprite& t = m.table[static_cast<std::size_t>(i)];
    table.push_back(Eligible(g, i) ? t.card : kHiddenCard);
    if (t.shown && t.picked) picked.push_back(static_cast<int16_t>(i));
  }
  return CanStillComplete(table, m.table[static_cast<std::size_t>(m.table_count - 1)].card, picked,
                          index);
}

TableMarks TakeableTableCards(const Game& g) {
  TableMarks marks{};
  for (int i = 0; i < g.model.table_count - 1 && i < kTableRecords; ++i) {
    marks[static_cast<std::size_t>(i)] = CanPickTableCard(g, i);
  }
  return marks;
}

}  // namespace vantel
