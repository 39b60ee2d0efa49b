#include "game/legal_captures.h"

#include <algorithm>

namespace vantel {

namespace {

bool ValidPositions(std::span<const int16_t> table, std::span<const int16_t> positions) {
  // No table holds more than the pack, so `used` covers every position.
  if (table.size() > static_cast<size_t>(kCardCount)) return false;
  std::array<bool, kCardCount> used{};
  for (int16_t p : positions) {
    if (p < 0 || static_cast<size_t>(p) >= table.size() || used[static_cast<size_t>(p)]) {
      return false;
    }
    used[static_cast<size_t>(p)] = true;
  }
  return true;
}

int SumAt(std::span<const int16_t> table, std::span<const int16_t> positions) {
  int sum = 0;
  for (int16_t p : positions) sum += ValueOf(table[static_cast<size_t>(p)]);
  return sum;
}

// Calls `visit(more)` for every set `more` of table positions, apart from
// `picked` and from those that hold no card, that adds up with `picked` to the
// card's value in at most kMaxTakenCards cards: the empty set first when
// `picked` adds up already, then the others depth first in increasing order.
// Stops when `visit` returns false. This is the one search behind what a
// person may still pick; values are small and tables short, so it is cheap
// enough to ask for every card every frame.
template <class Visit>
void ForEachCompletion(std::span<const int16_t> table, int16_t card,
                       std::span<const int16_t> picked, Visit&& visit) {
  if (!ValidPositions(table, picked)) return;
  const int rest = ValueOf(card) - SumAt(table, picked);
  const int room = kMaxTakenCards - static_cast<int>(picked.size());
  if (rest < 0 || room < 0) return;
  if (rest == 0) {
    if (!visit(std::span<const int16_t>{})) return;
  }
  std::array<bool, kCardCount> taken{};
  for (int16_t p : picked) taken[static_cast<size_t>(p)] = true;
  std::array<int16_t, kMaxTakenCards> more{};
  size_t count = 0;
  const size_t n = table.size();  // at most the pack: ValidPositions saw to it
  auto search = [&](auto& self, size_t from, int left) -> bool {
    if (left == 0) return visit(std::span<const int16_t>(more.data(), count));
    if (count == static_cast<size_t>(room)) return true;
    for (size_t i = from; i < n; ++i) {
      const int v = ValueOf(table[i]);
      if (taken[i] || v == 0 || v > left) continue;
      more[count++] = static_cast<int16_t>(i);
      const bool go_on = self(self, i + 1, left - v);
      --count;
      if (!go_on) return false;
    }
    return true;
  };
  if (rest > 0) search(search, 0, rest);
}

}  // namespace

int FirstCaptureSize(std::span<const int16_t> table, int16_t card) {
  int size = 0;
  ForEachLegalCapture(table, card, [&](const CaptureSet& set) {
    size = set.count;
    return false;
  });
  return size;
}

bool IsAcceptedCapture(std::span<const int16_t> table, int16_t card,
                       std::span<const int16_t> take) {
  if (take.empty() || take.size() > static_cast<size_t>(kMaxTakenCards)) return false;
  if (!ValidPositions(table, take)) return false;
  const int value = ValueOf(card);
  if (SumAt(table, take) != value) return false;
  // A set the rule itself lists needs no search for another; only a wider
  // choice must show that the card can capture at all.
  const bool listed =
      take.size() == 1 || (take.size() <= 4 && value >= 2 && value <= kHighestSumValue);
  return listed || CanCapture(table, card);
}

bool CanStillComplete(std::span<const int16_t> table, int16_t card, std::span<const int16_t> picked,
                      int index) {
  if (index < 0 || static_cast<size_t>(index) >= table.size()) return false;
  if (ValueOf(table[static_cast<size_t>(index)]) == 0) return false;
  std::array<int16_t, kCardCount> with_index{};
  if (picked.size() >= with_index.size()) return false;
  std::copy(picked.begin(), picked.end(), with_index.begin());
  with_index[picked.size()] = static_cast<int16_t>(index);
  const std::span<const int16_t> chosen(with_index.data(), picked.size() + 1);
  bool found = false;
  ForEachCompletion(table, card, chosen, [&](std::span<const int16_t>) {
    found = true;
    return false;
  });
  return found;
}

std::vector<int16_t> OnlyCompletion(std::span<const int16_t> table, int16_t card,
                                    std::span<const int16_t> picked) {
  std::vector<int16_t> only;
  int sets = 0;
  ForEachCompletion(table, card, picked, [&](std::span<const int16_t> more) {
    if (more.empty()) return false;  // it adds up already: nothing to add
    if (++sets == 1) only.assign(more.begin(), more.end());
    return sets < 2;
  });
  if (sets != 1) only.clear();
  return only;
}

SpecialCaptures SpecialsOf(std::span<const int16_t> table, int16_t card,
                           std::span<const int16_t> take, int previous_size) {
  SpecialCaptures s;
  if (take.empty()) return s;
  const int count = static_cast<int>(take.size());
  // The card laid last lies at the end of the table; it was laid without a
  // capture when the play before took nothing.
  s.picada = count == 1 && static_cast<size_t>(take[0]) + 1 == table.size() && previous_size == 0;
  const Suit suit = SuitOf(card);
  s.simili = std::all_of(take.begin(), take.end(),
                         [&](int16_t p) { return SuitOf(table[static_cast<size_t>(p)]) == suit; });
  s.quadriglia = count > 2;
  s.scua = static_cast<size_t>(count) == table.size();
  return s;
}

}  // namespace vantel
