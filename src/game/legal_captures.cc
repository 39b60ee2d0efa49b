#include "game/legal_captures.h"

#include <algorithm>

namespace vantel {

namespace {

bool ValidPositions(std::span<const int16_t> table, std::span<const int16_t> positions) {
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
  if (!ValidPositions(table, picked)) return false;
  if (std::find(picked.begin(), picked.end(), index) != picked.end()) return false;
  const int rest =
      ValueOf(card) - SumAt(table, picked) - ValueOf(table[static_cast<size_t>(index)]);
  const int room = kMaxTakenCards - static_cast<int>(picked.size()) - 1;
  if (rest < 0 || room < 0) return false;
  if (rest == 0) return true;

  // Which sums the other free cards reach with how many cards; values are
  // small, so this stays cheap enough to ask for every card every frame.
  std::array<std::array<bool, kHighestValue + 1>, kMaxTakenCards + 1> reach{};
  reach[0][0] = true;
  for (size_t i = 0; i < table.size(); ++i) {
    if (static_cast<int>(i) == index ||
        std::find(picked.begin(), picked.end(), static_cast<int16_t>(i)) != picked.end()) {
      continue;
    }
    const int v = ValueOf(table[i]);
    for (int n = room; n >= 1; --n) {
      for (int s = rest; s >= v; --s) {
        if (reach[static_cast<size_t>(n - 1)][static_cast<size_t>(s - v)]) {
          reach[static_cast<size_t>(n)][static_cast<size_t>(s)] = true;
        }
      }
    }
  }
  for (int n = 1; n <= room; ++n) {
    if (reach[static_cast<size_t>(n)][static_cast<size_t>(rest)]) return true;
  }
  return false;
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
