#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "game/cards.h"
#include "game/match_state.h"

namespace vantel {

// The capture rule, stated once. A card takes one table card of its value, or
// two, three or four table cards whose values add up to it; sums count only
// for a played card of 2 to 10 (an ace counts 1). These are the captures the
// computer players choose from, and a card that has one of them "can capture".
//
// A person may take more freely: once the card can capture at all, any set of
// up to kMaxTakenCards table cards adding up to its value is accepted (so a
// king with a king on the table may take a five and an eight instead).

// Table positions of one capture, in increasing order.
struct CaptureSet {
  std::array<int16_t, kMaxTakenCards> index{};
  int16_t count = 0;

  std::span<const int16_t> Span() const { return {index.data(), static_cast<size_t>(count)}; }
  bool operator==(const CaptureSet&) const = default;
};

namespace capture_detail {

template <class Visit>
bool VisitSums(std::span<const int16_t> table, int value, Visit& visit) {
  const int n = static_cast<int>(std::min(table.size(), static_cast<size_t>(kCardCount)));
  // The values once, not in every pass of the innermost loop; the computer
  // players ask for every card of a hand against every table they try.
  std::array<int8_t, kCardCount> values{};
  for (int i = 0; i < n; ++i)
    values[static_cast<size_t>(i)] = static_cast<int8_t>(ValueOf(table[static_cast<size_t>(i)]));
  auto v = [&](int i) { return int{values[static_cast<size_t>(i)]}; };
  auto offer = [&](std::initializer_list<int> indices) {
    CaptureSet set;
    for (int i : indices) set.index[static_cast<size_t>(set.count++)] = static_cast<int16_t>(i);
    return visit(set);
  };
  // Every card is worth at least 1, so a partial sum that has reached the
  // value cannot be completed by more cards: skipping it leaves the order of
  // the sets found as it is.
  for (int i = 0; i < n; ++i)
    for (int j = i + 1; j < n; ++j) {
      if (v(i) + v(j) + 2 > value) continue;
      for (int k = j + 1; k < n; ++k) {
        if (v(i) + v(j) + v(k) + 1 > value) continue;
        for (int l = k + 1; l < n; ++l)
          if (v(i) + v(j) + v(k) + v(l) == value && !offer({i, j, k, l})) return false;
      }
    }
  for (int i = 0; i < n; ++i)
    for (int j = i + 1; j < n; ++j) {
      if (v(i) + v(j) + 1 > value) continue;
      for (int k = j + 1; k < n; ++k)
        if (v(i) + v(j) + v(k) == value && !offer({i, j, k})) return false;
    }
  for (int i = 0; i < n; ++i)
    for (int j = i + 1; j < n; ++j)
      if (v(i) + v(j) == value && !offer({i, j})) return false;
  return true;
}

}  // namespace capture_detail

// Calls `visit(const CaptureSet&)` for every capture `card` can make on
// `table`: sums of four cards, then of three, then of two (the first position
// varying slowest), then single cards of its value, in table order. Stops
// early when `visit` returns false. The order matters: the computer players
// break ties by it.
template <class Visit>
void ForEachLegalCapture(std::span<const int16_t> table, int16_t card, Visit&& visit) {
  const int value = ValueOf(card);
  if (value >= 2 && value <= kHighestSumValue && !capture_detail::VisitSums(table, value, visit)) {
    return;
  }
  for (size_t i = 0; i < table.size(); ++i) {
    if (ValueOf(table[i]) != value) continue;
    CaptureSet set;
    set.index[0] = static_cast<int16_t>(i);
    set.count = 1;
    if (!visit(set)) return;
  }
}

// The size of the first capture ForEachLegalCapture finds (4, 3, 2 or 1), or
// 0 when the card cannot capture.
int FirstCaptureSize(std::span<const int16_t> table, int16_t card);

inline bool CanCapture(std::span<const int16_t> table, int16_t card) {
  return FirstCaptureSize(table, card) > 0;
}

// Whether taking `take` (table positions) with `card` is a capture the game
// accepts from any seat: the card can capture, and `take` is one to
// kMaxTakenCards distinct positions whose values add up to the card's.
bool IsAcceptedCapture(std::span<const int16_t> table, int16_t card, std::span<const int16_t> take);

// Whether a person who has picked `picked` (table positions) can still reach
// an accepted capture by adding `index`, with or without more cards. A
// position that holds no card (kHiddenCard) never completes a sum.
bool CanStillComplete(std::span<const int16_t> table, int16_t card, std::span<const int16_t> picked,
                      int index);

// The table positions that, added to `picked`, make the one capture a person
// can still complete, in increasing order; empty when `picked` already adds up
// or when no set, or more than one, would complete it.
std::vector<int16_t> OnlyCompletion(std::span<const int16_t> table, int16_t card,
                                    std::span<const int16_t> picked);

// The special captures of taking `take` from `table` (the table before the
// card is laid) with `card`, when the previous play took `previous_size`
// cards.
SpecialCaptures SpecialsOf(std::span<const int16_t> table, int16_t card,
                           std::span<const int16_t> take, int previous_size);

}  // namespace vantel
