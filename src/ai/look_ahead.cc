#include <algorithm>

#include "ai/ai.h"

namespace vantel {

TableCopy CopyTable(const CardModel& model) {
  TableCopy copy;
  const int count = std::clamp<int>(model.table_count, 0, static_cast<int>(model.table.size()));
  for (int i = 0; i < count; ++i) copy.Append(model.table[i].card);
  return copy;
}

namespace {

bool IsTaken(const CaptureOption& option, int index) {
  for (int t = 0; t < option.take_count; ++t) {
    if (option.take_idx[t] == index) return true;
  }
  return false;
}

}  // namespace

TableCopy TableAfterPlay(const TableCopy& with_card, const CaptureOption& option) {
  TableCopy after;
  const int played = with_card.count - 1;
  for (int i = 0; i < played; ++i) {
    if (!IsTaken(option, i)) after.Append(with_card.ids[i]);
  }
  // A card that takes nothing stays on the table with the others.
  if (option.take_count == 0 && played >= 0) after.Append(with_card.ids[played]);
  return after;
}

bool TableIsSafe(const Game& g, const TableCopy& table) {
  const auto& seen = g.model.rank_seen;
  if (table.count == 0) return true;
  // A lone card is taken only by an equal one; once four of its value have
  // been played there is none left to fear.
  if (table.count == 1) return seen[ValueOf(table.ids[0])] > 3;
  int sum = 0;
  for (int i = 0; i < table.count; ++i) sum += ValueOf(table.ids[i]);
  // No card above 10 takes by sum, and no sum above 10 has a single taker.
  if (sum > kHighestSumValue) return true;
  return seen[sum] > 3;
}

namespace {

bool CardInSprites(std::span<const CardSprite> sprites, int count, int16_t card) {
  const int n = std::clamp<int>(count, 0, static_cast<int>(sprites.size()));
  for (int i = 0; i < n; ++i) {
    if (sprites[i].card == card) return true;
  }
  return false;
}

}  // namespace

bool CardAccountedFor(const Game& g, int16_t card) {
  const CardModel& m = g.model;
  return CardInSprites(m.we_pile, m.we_pile_count, card) ||
         CardInSprites(m.they_pile, m.they_pile_count, card) ||
         CardInSprites(m.table, m.table_count, card);
}

}  // namespace vantel
