#include "ai/ai.h"

namespace vantel {

void EvaluateCard(const Game& g, std::span<const int16_t> hand, int position, CardOptions& out) {
  const int16_t card = hand[position];
  const TableCopy table = CopyTable(g.model);

  out = CardOptions{};
  out.Value = ValueOf(card);
  out.IsKey = CardOf(card).computer_key ? 1 : 0;
  int sameValue = 0;
  for (int16_t id : hand) {
    if (ValueOf(id) == out.Value) ++sameValue;
  }
  out.ValueCount = static_cast<int16_t>(g.model.RankSeen[out.Value] + sameValue);

  ListCaptures(g, card, table, out);

  TableCopy withCard = table;
  withCard.Append(card);
  for (int o = 0; o < out.OptionCount; ++o) {
    CaptureOption& option = out.Options[o];
    option.SafeTable = TableIsSafe(g, TableAfterPlay(withCard, option));
  }
}

}  // namespace vantel
