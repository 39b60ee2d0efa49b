#include <initializer_list>

#include "ai/ai.h"

namespace vantel {

namespace {

// Appends capture options until the card's record is full; once it is, every
// later capture is dropped so that the lay-down still fits as the last option.
class CaptureCollector {
 public:
  CaptureCollector(const TableCopy& table, CardOptions& out) : table_(table), out_(out) {}

  bool Full() const { return out_.option_count >= kMaxCaptureOptions; }

  void Add(std::initializer_list<int> indices) {
    if (Full()) return;
    CaptureOption& option = out_.options[out_.option_count++];
    option = CaptureOption{};
    for (int index : indices) {
      option.take_idx[option.take_count++] = static_cast<int16_t>(index);
      if (CardOf(table_.ids[index]).computer_key) option.bonus += 1;
    }
  }

  int Value(int index) const { return ValueOf(table_.ids[index]); }

 private:
  const TableCopy& table_;
  CardOptions& out_;
};

// Sets of four, three and two cards adding up to v, each size in turn, the
// first index varying slowest.
void ListSums(CaptureCollector& list, int n, int v) {
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      for (int k = j + 1; k < n; ++k) {
        for (int l = k + 1; l < n; ++l) {
          if (list.Full()) return;
          if (list.Value(i) + list.Value(j) + list.Value(k) + list.Value(l) == v) {
            list.Add({i, j, k, l});
          }
        }
      }
    }
  }
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      for (int k = j + 1; k < n; ++k) {
        if (list.Full()) return;
        if (list.Value(i) + list.Value(j) + list.Value(k) == v) list.Add({i, j, k});
      }
    }
  }
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      if (list.Full()) return;
      if (list.Value(i) + list.Value(j) == v) list.Add({i, j});
    }
  }
}

}  // namespace

void ListCaptures(const Game& g, int16_t card, const TableCopy& table, CardOptions& out) {
  out.option_count = 0;
  CaptureCollector list(table, out);
  const int v = ValueOf(card);
  if (v >= 2 && v <= kHighestSumValue) ListSums(list, table.count, v);
  for (int i = 0; i < table.count; ++i) {
    if (list.Value(i) == v) list.Add({i});
  }
  out.options[out.option_count++] = CaptureOption{};  // lay the card down
  AddBonuses(g, card, table, out);
}

namespace {

bool AllOfSuit(const TableCopy& table, const CaptureOption& option, Suit suit) {
  for (int t = 0; t < option.take_count; ++t) {
    if (SuitOf(table.ids[option.take_idx[t]]) != suit) return false;
  }
  return true;
}

}  // namespace

void AddBonuses(const Game& g, int16_t card, const TableCopy& table, CardOptions& out) {
  const Suit suit = SuitOf(card);
  for (int o = 0; o < out.option_count; ++o) {
    CaptureOption& option = out.options[o];
    if (option.take_count == 0) continue;
    const bool picada = option.take_count == 1 && g.model.table_count == option.take_idx[0] + 1 &&
                        g.capture.prev_capture_size == 0;
    const bool simili = AllOfSuit(table, option, suit);
    const bool quadriglia = option.take_count > 2;
    const bool scua = option.take_count == g.model.table_id_count;
    option.bonus = static_cast<int16_t>(option.bonus + picada + simili + quadriglia + scua);
  }
}

}  // namespace vantel
