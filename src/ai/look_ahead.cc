#include <algorithm>

#include "ai/ai.h"

namespace vantel {

TableCopy CopyTable(const CardModel& model) {
  TableCopy copy;
  const int count = std::clamp<int>(model.TableCount, 0, static_cast<int>(model.Table.size()));
  for (int i = 0; i < count; ++i) copy.Append(model.Table[i].Card);
  return copy;
}

namespace {

bool IsTaken(const CaptureOption& option, int index) {
  for (int t = 0; t < option.TakeCount; ++t) {
    if (option.TakeIdx[t] == index) return true;
  }
  return false;
}

}  // namespace

TableCopy TableAfterPlay(const TableCopy& withCard, const CaptureOption& option) {
  TableCopy after;
  const int played = withCard.Count - 1;
  for (int i = 0; i < played; ++i) {
    if (!IsTaken(option, i)) after.Append(withCard.Ids[i]);
  }
  // A card that takes nothing stays on the table with the others.
  if (option.TakeCount == 0 && played >= 0) after.Append(withCard.Ids[played]);
  return after;
}

bool TableIsSafe(const Game& g, const TableCopy& table) {
  const auto& seen = g.model.RankSeen;
  if (table.Count == 0) return true;
  // A lone card is taken only by an equal one; once four of its value have
  // been played there is none left to fear.
  if (table.Count == 1) return seen[ValueOf(table.Ids[0])] > 3;
  int sum = 0;
  for (int i = 0; i < table.Count; ++i) sum += ValueOf(table.Ids[i]);
  // No card above 10 takes by sum, and no sum above 10 has a single taker.
  if (sum > kHighestSumValue) return true;
  return seen[sum] > 3;
}

namespace {

bool CardInSprites(std::span<const CardSprite> sprites, int count, int16_t card) {
  const int n = std::clamp<int>(count, 0, static_cast<int>(sprites.size()));
  for (int i = 0; i < n; ++i) {
    if (sprites[i].Card == card) return true;
  }
  return false;
}

}  // namespace

bool CardAccountedFor(const Game& g, int16_t card) {
  const CardModel& m = g.model;
  return CardInSprites(m.WePile, m.WePileCount, card) ||
         CardInSprites(m.TheyPile, m.TheyPileCount, card) ||
         CardInSprites(m.Table, m.TableCount, card);
}

}  // namespace vantel
