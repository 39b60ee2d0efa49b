#include "ai/ai.h"

namespace vantel {

void ListCaptures(const TableKnowledge& known, int16_t card, CardOptions& out) {
  out.option_count = 0;
  const std::span<const int16_t> table = known.table.Span();
  // Once the record is full every later capture is dropped, so that the
  // lay-down still fits as the last option.
  ForEachLegalCapture(table, card, [&](const CaptureSet& set) {
    CaptureOption& option = out.options[static_cast<size_t>(out.option_count++)];
    option = CaptureOption{};
    option.take = set;
    for (int16_t p : set.Span()) {
      if (CardOf(table[static_cast<size_t>(p)]).computer_key) option.bonus += 1;
    }
    option.bonus = static_cast<int16_t>(
        option.bonus + SpecialsOf(table, card, set.Span(), known.previous_size).Count());
    return out.option_count < kMaxCaptureOptions;
  });
  out.options[static_cast<size_t>(out.option_count++)] = CaptureOption{};  // lay the card down
}

}  // namespace vantel
