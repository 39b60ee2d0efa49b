#include "ai/hint_reason.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "support/test_cards.h"

namespace vantel {
namespace {

struct HintCase {
  const char* what;
  std::initializer_list<int16_t> table;
  std::initializer_list<int16_t> hand;
  int16_t previous_size;  // cards the play before took; 0 when it laid its card down
  int16_t card;
  std::initializer_list<int16_t> take;
  HintExplained expected;
};

MatchState Position(const HintCase& c) {
  MatchState s;
  s.phase = HandPhase::kPlaying;
  s.dealt = kCardCount;
  for (int16_t card : c.table) s.table.PushBack(card);
  for (int16_t card : c.hand) s.hands[0].PushBack(card);
  // The other seats hold cards the person cannot see.
  s.hands[1].PushBack(CardId(13, 'C'));
  s.memory.previous_size = c.previous_size;
  s.memory.last_size = c.previous_size;
  return s;
}

TEST(HintReasonTest, NamesTheMostTellingThingThePlayDoes) {
  const HintCase cases[] = {
      {"sweeps the only card, just laid: Scua before Picada",
       {CardId(7, 'C')},
       {CardId(7, 'D')},
       0,
       CardId(7, 'D'),
       {CardId(7, 'C')},
       {HintReason::kScua, 0}},
      {"takes the card just laid",
       {CardId(7, 'C'), CardId(3, 'D')},
       {CardId(3, 'S')},
       0,
       CardId(3, 'S'),
       {CardId(3, 'D')},
       {HintReason::kPicada, 0}},
      {"takes three",
       {CardId(2, 'C'), CardId(3, 'C'), CardId(4, 'D'), CardId(12, 'H')},
       {CardId(9, 'C')},
       1,
       CardId(9, 'C'),
       {CardId(2, 'C'), CardId(3, 'C'), CardId(4, 'D')},
       {HintReason::kQuadriglia, 0}},
      {"takes cards of its suit",
       {CardId(2, 'C'), CardId(3, 'C'), CardId(12, 'H')},
       {CardId(5, 'C')},
       1,
       CardId(5, 'C'),
       {CardId(2, 'C'), CardId(3, 'C')},
       {HintReason::kSimili, 0}},
      {"takes the two of batons",
       {CardId(2, 'S'), CardId(12, 'H')},
       {CardId(2, 'D')},
       1,
       CardId(2, 'D'),
       {CardId(2, 'S')},
       {HintReason::kKeyCard, 0}},
      {"a plain capture",
       {CardId(4, 'D'), CardId(1, 'H'), CardId(12, 'H')},
       {CardId(5, 'C')},
       1,
       CardId(5, 'C'),
       {CardId(4, 'D'), CardId(1, 'H')},
       {HintReason::kCapture, 2}},
      {"lays a card three of whose value are unseen",
       {CardId(12, 'H')},
       {CardId(5, 'C'), CardId(6, 'C')},
       1,
       CardId(5, 'C'),
       {},
       {HintReason::kLay, 3}},
      {"a capture the rules refuse",
       {CardId(4, 'D'), CardId(12, 'H')},
       {CardId(5, 'C')},
       1,
       CardId(5, 'C'),
       {CardId(4, 'D')},
       {HintReason::kNone, 0}},
  };
  for (const HintCase& c : cases) {
    const MatchState s = Position(c);
    Play play{c.card, {}};
    for (int16_t card : c.take) play.take.PushBack(card);
    EXPECT_EQ(ExplainHint(SeatView(s, 0), play), c.expected) << c.what;
  }
}

TEST(HintReasonTest, ALaidCardIsSafeOnceEveryOtherOfItsValueIsSeen) {
  HintCase c{"", {CardId(12, 'H')}, {CardId(5, 'C'), CardId(6, 'C')}, 1, CardId(5, 'C'), {}, {}};
  MatchState s = Position(c);
  s.Of(Side::kThey).taken.PushBack(CardId(5, 'D'));
  s.Of(Side::kWe).taken.PushBack(CardId(5, 'H'));
  const Play lay{CardId(5, 'C'), {}};
  EXPECT_EQ(ExplainHint(SeatView(s, 0), lay), (HintExplained{HintReason::kLay, 1}));
  s.table.PushBack(CardId(5, 'S'));  // the last five lies on the table
  EXPECT_EQ(ExplainHint(SeatView(s, 0), lay), (HintExplained{HintReason::kSafeLay, 0}));
}

}  // namespace
}  // namespace vantel
