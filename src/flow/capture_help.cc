#include "flow/capture_help.h"

#include <vector>

#include "game/legal_captures.h"
#include "game/seat_view.h"

namespace vantel {

namespace {

bool Eligible(const Game& g, int index) {
  const CardModel& m = g.model;
  if (index < 0 || index > m.table_count - 2) return false;
  const CardSprite& t = m.table[static_cast<std::size_t>(index)];
  return t.shown && t.card != m.table[static_cast<std::size_t>(m.table_count - 1)].card;
}

// The choice as the capture rule sees it: the cards lying there before the
// played card, a hidden one as no card so it never completes a sum, and the
// positions picked so far.
struct Choice {
  std::vector<int16_t> table;
  std::vector<int16_t> picked;
  int16_t card = kHiddenCard;
};

Choice ChoiceOf(const Game& g) {
  const CardModel& m = g.model;
  Choice c;
  if (m.table_count < 2) return c;
  for (int i = 0; i < m.table_count - 1; ++i) {
    const CardSprite& t = m.table[static_cast<std::size_t>(i)];
    c.table.push_back(Eligible(g, i) ? t.card : kHiddenCard);
    if (t.shown && t.picked) c.picked.push_back(static_cast<int16_t>(i));
  }
  c.card = m.table[static_cast<std::size_t>(m.table_count - 1)].card;
  return c;
}

bool CanPickInChoice(const Game& g, const Choice& c, int index) {
  if (!Eligible(g, index) || g.model.table[static_cast<std::size_t>(index)].picked) return false;
  return CanStillComplete(c.table, c.card, c.picked, index);
}

}  // namespace

bool CanPickTableCard(const Game& g, int index) {
  return CanPickInChoice(g, ChoiceOf(g), index);
}

TableMarks TakeableTableCards(const Game& g) {
  // Drawn every frame: the choice is read from the sprites once, not per card.
  const Choice c = ChoiceOf(g);
  TableMarks marks{};
  for (int i = 0; i < g.model.table_count - 1 && i < kTableRecords; ++i) {
    marks[static_cast<std::size_t>(i)] = CanPickInChoice(g, c, i);
  }
  return marks;
}

std::vector<int16_t> OnlyCompletion(const Game& g) {
  const Choice c = ChoiceOf(g);
  return OnlyCompletion(c.table, c.card, c.picked);
}

}  // namespace vantel
