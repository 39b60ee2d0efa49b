#include "game/legal_captures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <numeric>
#include <random>
#include <vector>

#include "game/seat_view.h"
#include "support/test_cards.h"

namespace vantel {
namespace {

// A table of the given values, suits cups, coins, swords, batons in turn.
std::vector<int16_t> TableOf(const std::vector<int>& values) {
  constexpr char kSuits[4] = {'C', 'D', 'H', 'S'};
  std::vector<int16_t> table;
  for (size_t i = 0; i < values.size(); ++i) table.push_back(CardId(values[i], kSuits[i % 4]));
  return table;
}

std::vector<std::vector<int16_t>> AllCaptures(const std::vector<int16_t>& table, int16_t card) {
  std::vector<std::vector<int16_t>> all;
  ForEachLegalCapture(table, card, [&](const CaptureSet& set) {
    all.emplace_back(set.Span().begin(), set.Span().end());
    return true;
  });
  return all;
}

using Sets = std::vector<std::vector<int16_t>>;

TEST(LegalCapturesTest, ListsSumsFromFourDownThenEqualCardsInTableOrder) {
  struct Case {
    std::vector<int> table;
    int played;
    Sets expected;
  };
  const Case cases[] = {
      {{5, 3, 2, 6}, 10, {{0, 1, 2}}},  // no four make 10
      {{1, 2, 3, 4, 6}, 10, {{0, 1, 2, 3}, {0, 2, 4}, {3, 4}}},
      {{5, 2, 5, 3}, 10, {{0, 1, 3}, {1, 2, 3}, {0, 2}}},  // 2+3+5 twice, then 5+5
      {{1, 3, 5, 13}, 10, {}},                             // each card counts once
      {{4, 4}, 8, {{0, 1}}},                               // a pair, no single 8
      {{5, 3, 2}, 5, {{1, 2}, {0}}},                       // the pair before the equal card
      {{11, 5, 6}, 11, {{0}}},                             // a court never takes by sum
      {{13, 5, 8, 13}, 13, {{0}, {3}}},                    //
      {{1, 13}, 1, {{0}}},                                 // an ace takes an ace
      {{1, 1, 2}, 2, {{0, 1}, {2}}},                       // two aces make a two
      {{}, 7, {}},                                         // nothing on the table
  };
  for (const Case& c : cases) {
    const std::vector<int16_t> table = TableOf(c.table);
    const Sets found = AllCaptures(table, CardId(c.played, 'D'));
    EXPECT_EQ(found, c.expected) << ::testing::PrintToString(c.table) << " + " << c.played;
    const int first = c.expected.empty() ? 0 : static_cast<int>(c.expected[0].size());
    EXPECT_EQ(FirstCaptureSize(table, CardId(c.played, 'D')), first);
  }
}

TEST(LegalCapturesTest, AFullTableIsEnumeratedAndCanBeCutShort) {
  // Every numeral of the pack on the table: many sums make a ten.
  std::vector<int16_t> table;
  for (int16_t id = 0; id < 40; ++id) table.push_back(id);
  int count = 0;
  ForEachLegalCapture(table, CardId(10, 'C'), [&](const CaptureSet& set) {
    EXPECT_GE(set.count, 1);
    EXPECT_LE(set.count, 4);
    ++count;
    return count < 20;
  });
  EXPECT_EQ(count, 20);
  EXPECT_EQ(FirstCaptureSize(table, CardId(10, 'C')), 4);
}

TEST(LegalCapturesTest, APersonMayTakeAnySetThatAddsUpOnceTheCardCanCapture) {
  const std::vector<int16_t> kings = TableOf({13, 5, 8, 1, 1, 1, 2, 2});
  const int16_t king = CardId(13, 'D');
  EXPECT_TRUE(IsAcceptedCapture(kings, king, std::vector<int16_t>{0}));
  EXPECT_TRUE(IsAcceptedCapture(kings, king, std::vector<int16_t>{1, 2}));           // 5 + 8
  EXPECT_TRUE(IsAcceptedCapture(kings, king, std::vector<int16_t>{2, 3, 4, 5, 6}));  // 8+1+1+1+2
  EXPECT_FALSE(IsAcceptedCapture(kings, king, std::vector<int16_t>{1, 3}));          // 6
  EXPECT_FALSE(IsAcceptedCapture(kings, king, std::vector<int16_t>{}));
  EXPECT_FALSE(IsAcceptedCapture(kings, king, std::vector<int16_t>{0, 0}));  // named twice
  EXPECT_FALSE(IsAcceptedCapture(kings, king, std::vector<int16_t>{8}));     // off the table
  // Seven cards are more than one play takes; six are not.
  const std::vector<int16_t> small = TableOf({1, 1, 1, 1, 2, 2, 2, 9});
  const int16_t ten = CardId(10, 'S');
  EXPECT_FALSE(IsAcceptedCapture(small, ten, std::vector<int16_t>{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_TRUE(IsAcceptedCapture(small, ten, std::vector<int16_t>{0, 7}));
  const std::vector<int16_t> six = TableOf({1, 1, 1, 2, 2, 3, 9});
  EXPECT_TRUE(IsAcceptedCapture(six, ten, std::vector<int16_t>{0, 1, 2, 3, 4, 5}));
}

TEST(LegalCapturesTest, WithoutACaptureOfItsOwnAKingTakesNoSum) {
  const std::vector<int16_t> table = TableOf({5, 8});
  EXPECT_FALSE(CanCapture(table, CardId(13, 'C')));
  EXPECT_FALSE(IsAcceptedCapture(table, CardId(13, 'C'), std::vector<int16_t>{0, 1}));
}

TEST(LegalCapturesTest, APickIsOfferedOnlyWhileItCanStillAddUp) {
  const std::vector<int16_t> table = TableOf({13, 5, 8, 4, 9});
  const int16_t king = CardId(13, 'D');
  const std::vector<int16_t> none;
  EXPECT_TRUE(CanStillComplete(table, king, none, 0));  // the king itself
  EXPECT_TRUE(CanStillComplete(table, king, none, 1));  // 5 + 8
  EXPECT_TRUE(CanStillComplete(table, king, none, 3));  // 4 + 9
  const std::vector<int16_t> five{1};
  EXPECT_TRUE(CanStillComplete(table, king, five, 2));   // 5 + 8 = 13
  EXPECT_FALSE(CanStillComplete(table, king, five, 4));  // 5 + 9 is too much
  EXPECT_FALSE(CanStillComplete(table, king, five, 3));  // 5 + 4 needs another 4
  EXPECT_FALSE(CanStillComplete(table, king, five, 1));  // already picked
  EXPECT_FALSE(CanStillComplete(table, king, none, 5));  // no such card

  // A card the person cannot see is never offered, nor counted in a sum.
  const std::vector<int16_t> hidden_eight{table[0], table[1], kHiddenCard, table[3], table[4]};
  EXPECT_FALSE(CanStillComplete(hidden_eight, king, five, 2));
  EXPECT_FALSE(CanStillComplete(hidden_eight, king, none, 2));
  EXPECT_TRUE(OnlyCompletion(hidden_eight, king, five).empty());
  EXPECT_EQ(OnlyCompletion(table, king, five), std::vector<int16_t>{2});
  const std::vector<int16_t> four{3};
  EXPECT_EQ(OnlyCompletion(hidden_eight, king, four), std::vector<int16_t>{4});
  EXPECT_TRUE(OnlyCompletion(table, king, std::vector<int16_t>{0}).empty());  // adds up already
}

TEST(LegalCapturesTest, SpecialCapturesOfAPlay) {
  const std::vector<int16_t> table = {CardId(3, 'C'), CardId(4, 'C'), CardId(7, 'S')};
  struct Case {
    int16_t card;
    std::vector<int16_t> take;
    int previous;
    SpecialCaptures expected;
  };
  const Case cases[] = {
      // the card laid last, after a play that took nothing: Picada
      {CardId(7, 'D'), {2}, 0, {.picada = true}},
      // the same after a capture, or on the first play of a hand: nothing
      {CardId(7, 'D'), {2}, 1, {}},
      {CardId(7, 'D'), {2}, -1, {}},
      // both cups with a cup: Simili
      {CardId(7, 'C'), {0, 1}, 0, {.simili = true}},
      // the whole table: Scua and Quadriglia, but a baton among the cups
      {CardId(13, 'C'), {0, 1, 2}, 0, {.scua = true, .quadriglia = true}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SpecialsOf(table, c.card, c.take, c.previous), c.expected)
        << ::testing::PrintToString(c.take) << " prev " << c.previous;
  }
  // The only card on the table, just laid: Scua and Picada together.
  const std::vector<int16_t> lone = {CardId(5, 'H')};
  const SpecialCaptures both = SpecialsOf(lone, CardId(5, 'S'), std::vector<int16_t>{0}, 0);
  EXPECT_TRUE(both.scua && both.picada && !both.simili && !both.quadriglia);
  EXPECT_EQ(both.Count(), 2);
}

// The capture functions held to a plain search over every subset of many
// random tables: the list of captures in its order, what a person may take,
// and which picks can still add up.
class BruteForceCaptures {
 public:
  BruteForceCaptures(std::vector<int16_t> table, int16_t card)
      : table_(std::move(table)), value_(ValueOf(card)), listed_(Search()) {}

  // Sums of four, three, then two positions in increasing order (the first
  // varying slowest), then single cards of the value in table order.
  const Sets& Listed() const { return listed_; }

  bool Accepted(const std::vector<int16_t>& take) const {
    return !take.empty() && take.size() <= static_cast<size_t>(kMaxTakenCards) &&
           Sum(take) == value_ && !Listed().empty();
  }

  // Some set of up to kMaxTakenCards positions holds `picked` and `index`
  // and adds up.
  bool Completes(const std::vector<int16_t>& picked, int16_t index) const {
    for (size_t size = 1; size <= static_cast<size_t>(kMaxTakenCards); ++size) {
      for (const std::vector<int16_t>& set : SubsetsOfSize(size)) {
        const auto holds = [&](int16_t p) {
          return std::find(set.begin(), set.end(), p) != set.end();
        };
        if (Sum(set) == value_ && holds(index) &&
            std::all_of(picked.begin(), picked.end(), holds)) {
          return true;
        }
      }
    }
    return false;
  }

  // What `picked` lacks of the one set of up to kMaxTakenCards positions that
  // holds it and adds up; empty when it adds up already, or when no set or
  // more than one would.
  std::vector<int16_t> Only(const std::vector<int16_t>& picked) const {
    std::vector<std::vector<int16_t>> completions;
    for (size_t size = picked.size() + 1; size <= static_cast<size_t>(kMaxTakenCards); ++size) {
      for (const std::vector<int16_t>& set : SubsetsOfSize(size)) {
        if (Sum(set) == value_ &&
            std::includes(set.begin(), set.end(), picked.begin(), picked.end()))
          completions.push_back(set);
      }
    }
    if (completions.size() != 1 || Sum(picked) == value_) return {};
    std::vector<int16_t> more;
    std::set_difference(completions[0].begin(), completions[0].end(), picked.begin(), picked.end(),
                        std::back_inserter(more));
    return more;
  }

  // Every set of `size` positions, in increasing order, lexicographically.
  Sets SubsetsOfSize(size_t size) const {
    Sets all;
    std::vector<int16_t> set;
    auto grow = [&](auto& self, int16_t from) -> void {
      if (set.size() == size) {
        all.push_back(set);
        return;
      }
      for (int16_t p = from; p < static_cast<int16_t>(table_.size()); ++p) {
        set.push_back(p);
        self(self, static_cast<int16_t>(p + 1));
        set.pop_back();
      }
    };
    grow(grow, 0);
    return all;
  }

 private:
  Sets Search() const {
    Sets sets;
    if (value_ >= 2 && value_ <= kHighestSumValue) {
      for (size_t size = 4; size >= 2; --size) {
        for (const std::vector<int16_t>& set : SubsetsOfSize(size)) {
          if (Sum(set) == value_) sets.push_back(set);
        }
      }
    }
    for (const std::vector<int16_t>& single : SubsetsOfSize(1)) {
      if (Sum(single) == value_) sets.push_back(single);
    }
    return sets;
  }

  int Sum(const std::vector<int16_t>& positions) const {
    int sum = 0;
    for (int16_t p : positions) sum += ValueOf(table_[static_cast<size_t>(p)]);
    return sum;
  }

  std::vector<int16_t> table_;
  int value_;
  Sets listed_;
};

TEST(LegalCapturesTest, AgreeWithASearchOverEverySubsetOfRandomTables) {
  std::mt19937 engine(2026);
  std::vector<int16_t> deck(kCardCount);
  std::iota(deck.begin(), deck.end(), int16_t{0});
  for (int round = 0; round < 300; ++round) {
    std::shuffle(deck.begin(), deck.end(), engine);
    const size_t size = static_cast<size_t>(round % 11);
    const std::vector<int16_t> table(deck.begin(), deck.begin() + static_cast<long>(size));
    const int16_t card = deck[size];
    SCOPED_TRACE(::testing::PrintToString(table) + " card " + std::to_string(card));
    const BruteForceCaptures brute(table, card);

    const Sets& listed = brute.Listed();
    ASSERT_EQ(AllCaptures(table, card), listed);
    EXPECT_EQ(CanCapture(table, card), !listed.empty());
    EXPECT_EQ(FirstCaptureSize(table, card),
              listed.empty() ? 0 : static_cast<int>(listed[0].size()));

    for (size_t take_size = 1; take_size <= std::min<size_t>(size, kMaxTakenCards + 1);
         ++take_size) {
      for (const std::vector<int16_t>& take : brute.SubsetsOfSize(take_size)) {
        ASSERT_EQ(IsAcceptedCapture(table, card, take), brute.Accepted(take))
            << ::testing::PrintToString(take);
      }
    }

    // A person picks only once the card can capture at all.
    if (listed.empty()) continue;
    for (size_t picked_size = 0; picked_size <= std::min<size_t>(size, 2); ++picked_size) {
      for (const std::vector<int16_t>& picked : brute.SubsetsOfSize(picked_size)) {
        for (int16_t index = 0; index < static_cast<int16_t>(size); ++index) {
          if (std::find(picked.begin(), picked.end(), index) != picked.end()) continue;
          ASSERT_EQ(CanStillComplete(table, card, picked, index), brute.Completes(picked, index))
              << ::testing::PrintToString(picked) << " + " << index;
        }
        ASSERT_EQ(OnlyCompletion(table, card, picked), brute.Only(picked))
            << ::testing::PrintToString(picked);
      }
    }
  }
}

}  // namespace
}  // namespace vantel
