#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

namespace vantel {

// A short list of card ids kept inside its owner, so that a whole match state
// copies with one memcpy and compares with ==: the Expert copies it hundreds of
// times a decision, and the network sends it. Only the first size() entries
// count; the rest stay zero so that two equal lists are equal byte for byte.
template <int Capacity>
class CardList {
 public:
  static constexpr int kMaxSize = Capacity;

  CardList() = default;
  CardList(std::initializer_list<int16_t> cards) {
    for (int16_t card : cards) PushBack(card);
  }

  int Size() const { return size_; }
  bool Empty() const { return size_ == 0; }
  bool Full() const { return size_ >= Capacity; }
  int16_t operator[](int index) const { return cards_[static_cast<size_t>(index)]; }
  // Lower case, as range-for asks.
  // NOLINTBEGIN(readability-identifier-naming)
  const int16_t* begin() const { return cards_.data(); }
  const int16_t* end() const { return cards_.data() + size_; }
  // NOLINTEND(readability-identifier-naming)
  std::span<const int16_t> Span() const { return {cards_.data(), static_cast<size_t>(size_)}; }

  // False, changing nothing, when the list is full.
  bool PushBack(int16_t card) {
    if (Full()) return false;
    cards_[static_cast<size_t>(size_++)] = card;
    return true;
  }

  // The position of `card`, or -1.
  int Find(int16_t card) const {
    const int16_t* at = std::find(begin(), end(), card);
    return at == end() ? -1 : static_cast<int>(at - begin());
  }
  bool Contains(int16_t card) const { return Find(card) >= 0; }

  // Puts `card` in the place of the entry at `index`; nothing out of range.
  void Replace(int index, int16_t card) {
    if (index >= 0 && index < size_) cards_[static_cast<size_t>(index)] = card;
  }

  // Removes the entry at `index`, keeping the order of the others.
  void EraseAt(int index) {
    if (index < 0 || index >= size_) return;
    std::copy(cards_.begin() + index + 1, cards_.begin() + size_, cards_.begin() + index);
    cards_[static_cast<size_t>(--size_)] = 0;
  }

  void Clear() { *this = CardList(); }

  bool operator==(const CardList&) const = default;

 private:
  std::array<int16_t, Capacity> cards_{};
  int16_t size_ = 0;
};

}  // namespace vantel
