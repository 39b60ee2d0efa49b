#include "flow/capture_help.h"

#include "flow/human_turn.h"

namespace vantel {

namespace {

// Sums reachable with a given number of cards, up to the highest card value.
using Reach = std::array<std::array<bool, kHighestValue + 1>, kMaxCaptureCards + 1>;

bool Eligible(const Game& g, int index) {
  const CardModel& m = g.model;
  if (index < 0 || index > m.table_count - 2) return false;
  const CardSprite& t = m.table[static_cast<std::size_t>(index)];
  return t.shown && t.card != m.table[static_cast<std::size_t>(m.table_count - 1)].card;
}

int Value(const Game& g, int index) {
  return ValueOf(g.model.table[static_cast<std::size_t>(index)].card);
}

}  // namespace

bool CanPickTableCard(const Game& g, int index) {
  const CardModel& m = g.model;
  if (!Eligible(g, index) || m.table[static_cast<std::size_t>(index)].picked) return false;
  int picked_sum = 0;
  int picked_count = 0;
  for (int i = 0; i < m.table_count - 1; ++i) {
    const CardSprite& t = m.table[static_cast<std::size_t>(i)];
    if (!t.shown || !t.picked) continue;
    picked_sum += Value(g, i);
    ++picked_count;
  }
  const int target = ValueOf(m.table[static_cast<std::size_t>(m.table_count - 1)].card);
  const int rest = target - picked_sum - Value(g, index);
  const int room = kMaxCaptureCards - picked_count - 1;
  if (rest < 0 || room < 0) return false;
  if (rest == 0) return true;

  // Which sums the other free cards reach with how many cards; values are
  // small, so this stays cheap enough to ask for every card every frame.
  Reach reach{};
  reach[0][0] = true;
  for (int i = 0; i < m.table_count - 1; ++i) {
    if (i == index || !Eligible(g, i) || m.table[static_cast<std::size_t>(i)].picked) continue;
    const int v = Value(g, i);
    for (int n = room; n >= 1; --n) {
      for (int s = rest; s >= v; --s) {
        if (reach[n - 1][s - v]) reach[n][s] = true;
      }
    }
  }
  for (int n = 1; n <= room; ++n) {
    if (reach[n][rest]) return true;
  }
  return false;
}

TableMarks TakeableTableCards(const Game& g) {
  TableMarks marks{};
  for (int i = 0; i < g.model.table_count - 1 && i < kTableRecords; ++i) {
    marks[static_cast<std::size_t>(i)] = CanPickTableCard(g, i);
  }
  return marks;
}

}  // namespace vantel
