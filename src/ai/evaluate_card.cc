#include "ai/ai.h"

namespace vantel {

void EvaluateCard(const TableKnowledge& known, std::span<const int16_t> hand, int position,
                  CardOptions& out) {
  const int16_t card = hand[static_cast<size_t>(position)];
  out = CardOptions{};
  out.value = ValueOf(card);
  out.is_key = CardOf(card).computer_key ? 1 : 0;
  int same_value = 0;
  for (int16_t id : hand) {
    if (ValueOf(id) == out.value) ++same_value;
  }
  out.value_count = static_cast<int16_t>(known.seen[static_cast<size_t>(out.value)] + same_value);

  ListCaptures(known, card, out);

  TableCopy with_card = CopyTable(known.table);
  with_card.Append(card);
  for (int o = 0; o < out.option_count; ++o) {
    CaptureOption& option = out.options[o];
    option.safe_table = TableIsSafe(known, TableAfterPlay(with_card, option));
  }
}

}  // namespace vantel
