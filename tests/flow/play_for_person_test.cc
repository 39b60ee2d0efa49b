#include "flow/play_for_person.h"

#include "ai/expert.h"
#include "flow_fixture.h"
#include "game/fatal_error.h"

namespace vantel {
namespace {

using PlayForPersonTest = FlowFixture;

// The Expert's choice for the person, as a table elsewhere would send it.
Play ExpertPlayFor(const Game& g) {
  const int seat = PersonSeat(g);
  const SeatDecision d = ChoosePlayAtLevel(SeatView(g.match, seat), PlayerLevel::kExpert);
  return *PlayOfDecision(g.match, seat, d);
}

// A whole hand in which every turn of the person is played for them: each
// play comes out of the flow as the one asked for, captures and declines
// alike, while the person's own clicks are not heard.
TEST_F(PlayForPersonTest, EveryTurnOfAHandIsMadeAsTheTableChoseIt) {
  NewHand(g_);
  int played = 0;
  while (g_.flow.state != FlowState::kEndOfMatch) {
    RunUntil([&] { return HumanToPlay(g_) || g_.flow.state == FlowState::kEndOfMatch; });
    if (g_.flow.state == FlowState::kEndOfMatch) break;
    const Play wanted = ExpertPlayFor(g_);
    g_.flow.play_for_person = wanted;
    RunUntil([&] {
      Frame(HumanInput());  // a click on some card, ignored while the table's play is made
      return g_.flow.person_play.has_value();
    });
    ASSERT_EQ(g_.flow.person_play, wanted) << "play " << played;
    g_.flow.person_play.reset();
    g_.flow.play_for_person.reset();
    ++played;
  }
  EXPECT_EQ(played, kCardsPlayedPerHand / kSeats);
}

TEST_F(PlayForPersonTest, APlayThatDoesNotFitThisTableEndsTheGame) {
  NewHand(g_);
  RunUntil([&] { return HumanMayPickHandCard(g_); });
  g_.flow.play_for_person = Play{g_.match.hands[(PersonSeat(g_) + 1) % kSeats][0], {}};
  EXPECT_THROW(Frame(), FatalError) << "a card the person does not hold";

  // The person's seven is down on 3, 4 and 2, choosing what to take.
  const int16_t seven = CardId(7, 'S');
  const auto choosing_with = [&](int16_t card, std::initializer_list<int16_t> take) {
    Configure(false, false);
    OpenSelection({CardId(3, 'C'), CardId(4, 'D'), CardId(2, 'H')}, seven);
    g_.flow.play_for_person = Play{card, {}};
    for (const int16_t taken : take) g_.flow.play_for_person->take.PushBack(taken);
  };
  choosing_with(seven, {CardId(3, 'C'), CardId(4, 'D')});
  Frame();
  EXPECT_EQ(g_.flow.person_play, g_.flow.play_for_person) << "the table's choice is made";

  choosing_with(CardId(6, 'S'), {});
  EXPECT_THROW(Frame(), FatalError) << "another card than the one down";
  choosing_with(seven, {CardId(5, 'C'), CardId(2, 'H')});
  EXPECT_THROW(Frame(), FatalError) << "a card not on the table";
  choosing_with(seven, {CardId(3, 'C')});
  EXPECT_THROW(Frame(), FatalError) << "cards that do not add up";
}

}  // namespace
}  // namespace vantel
