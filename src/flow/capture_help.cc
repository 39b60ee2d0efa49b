#include "flow/capture_help.h"

#include <algorithm>
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

std::vector<int16_t> OnlyCompletion(const Game& g) {
  const CardModel& m = g.model;
  if (m.table_count < 2) return {};
  int rest = ValueOf(m.table[static_cast<std::size_t>(m.table_count - 1)].card);
  int picked = 0;
  std::vector<int16_t> free;
  for (int i = 0; i < m.table_count - 1; ++i) {
    const CardSprite& t = m.table[static_cast<std::size_t>(i)];
    if (t.shown && t.picked) {
      rest -= ValueOf(t.card);
      ++picked;
    } else if (CanPickTableCard(g, i)) {
      free.push_back(static_cast<int16_t>(i));
    }
  }
  const std::size_t room = static_cast<std::size_t>(std::max(kMaxTakenCards - picked, 0));
  std::vector<int16_t> chosen;
  std::vector<int16_t> found;
  int sets = 0;
  // Depth first over the free cards, given up at the second set found.
  auto search = [&](auto& self, std::size_t from, int left) -> void {
    if (left == 0) {
      if (!chosen.empty() && ++sets == 1) found = chosen;
      return;
    }
    if (chosen.size() == room) return;
    for (std::size_t i = from; i < free.size() && sets < 2; ++i) {
      const int v = ValueOf(m.table[static_cast<std::size_t>(free[i])].card);
      if (v > left) continue;
      chosen.push_back(free[i]);
      self(self, i + 1, left - v);
      chosen.pop_back();
    }
  };
  if (rest > 0) search(search, 0, rest);
  return sets == 1 ? found : std::vector<int16_t>{};
}

}  // namespace vantel
