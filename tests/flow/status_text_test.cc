#include "flow/status_text.h"

#include "flow_fixture.h"

namespace vantel {
namespace {

class StatusTextTest : public FlowFixture {};

struct StatusCase {
  const char* name;
  std::function<void(Game&)> set_up;
  std::string want;
};

TEST_F(StatusTextTest, EachMomentOfTheGameSaysWhatItWaitsForOrTheScore) {
  const std::string dot = " · ";
  const std::vector<StatusCase> cases = {
      {"our turn",
       [](Game& g) {
         g.flow.state = FlowState::kNormalPlay;
         g.flow.turn = 0;
         g.flow.awaiting_human = true;
       },
       "Your turn: play a card"},
      {"our turn with a hint shown",
       [](Game& g) {
         g.flow.state = FlowState::kNormalPlay;
         g.flow.turn = 0;
         g.flow.awaiting_human = true;
         g.flow.hint_reason = {HintReason::kCapture, 2};
       },
       "Hint: the best capture here takes 2"},
      {"our turn with a hint to lay a card",
       [](Game& g) {
         g.flow.state = FlowState::kNormalPlay;
         g.flow.turn = 0;
         g.flow.awaiting_human = true;
         g.flow.hint_reason = {HintReason::kSafeLay, 0};
       },
       "Hint: nothing to take" + dot + "no card left to Picada it"},
      {"our card on its way",
       [](Game& g) {
         g.flow.state = FlowState::kNormalPlay;
         g.flow.turn = 0;
         g.flow.awaiting_human = true;
         g.flow.human_picked = true;
       },
       "We 0" + dot + "They 0" + dot + "to 51"},
      {"right plays",
       [](Game& g) {
         g.flow.state = FlowState::kNormalPlay;
         g.flow.turn = 1;
       },
       "Right is playing"},
      {"partner plays",
       [](Game& g) {
         g.flow.state = FlowState::kNormalPlay;
         g.flow.turn = 2;
       },
       "Partner is playing"},
      {"left plays",
       [](Game& g) {
         g.flow.state = FlowState::kNormalPlay;
         g.flow.turn = 3;
       },
       "Left is playing"},
      {"a network table waits for its players",
       [](Game& g) {
         g.flow.state = FlowState::kEndOfMatch;
         g.aids.people.waiting = true;
         g.aids.people.code = "K7QH2M";
       },
       "Waiting for players" + dot + "table code K7QH2M"},
      {"a person at a network table plays",
       [](Game& g) {
         g.flow.state = FlowState::kNormalPlay;
         g.flow.turn = 2;
         g.aids.people.names[2] = "Niccolò";
       },
       "Niccolò is playing"},
      {"a person at a network table is away",
       [](Game& g) {
         g.flow.state = FlowState::kNormalPlay;
         g.flow.turn = 3;
         g.aids.people.names[3] = "Bea";
         g.aids.people.away[3] = true;
       },
       "Bea is away" + dot + "the table waits"},
      {"the host is told how to give the seat of a person away to the computer",
       [](Game& g) {
         g.flow.state = FlowState::kNormalPlay;
         g.flow.turn = 3;
         g.aids.people.names[3] = "Bea";
         g.aids.people.away[3] = true;
         g.aids.people.host = true;
       },
       "Bea is away" + dot + "C: the computer plays for them"},
      {"a lost connection is being made again, whoever's turn it is",
       [](Game& g) {
         g.flow.state = FlowState::kNormalPlay;
         g.flow.turn = 0;
         g.aids.people.rejoining = true;
       },
       "Connection lost" + dot + "rejoining the table"},
      {"a computer at a network table is named as offline",
       [](Game& g) {
         g.flow.state = FlowState::kNormalPlay;
         g.flow.turn = 1;
         g.aids.people.names[3] = "Bea";
       },
       "Right is playing"},
      {"seats are named from where the person sits",
       [](Game& g) {
         g.options.person_seat = 1;
         g.flow.state = FlowState::kNormalPlay;
         g.flow.turn = 0;
       },
       "Left is playing"},
      {"the person at seat 3 sees seat 1 opposite",
       [](Game& g) {
         g.options.person_seat = 3;
         g.flow.state = FlowState::kNormalPlay;
         g.flow.turn = 1;
       },
       "Partner is playing"},
      {"the person's own turn at seat 2",
       [](Game& g) {
         g.options.person_seat = 2;
         g.flow.state = FlowState::kNormalPlay;
         g.flow.turn = 2;
         g.flow.awaiting_human = true;
       },
       "Your turn: play a card"},
      {"dealing, with a score",
       [](Game& g) {
         g.flow.state = FlowState::kDealingCards;
         g.score.we_total = 25;
         g.score.they_total = 31;
       },
       "We 25" + dot + "They 31" + dot + "to 51"},
      {"their cards gathered",
       [](Game& g) {
         g.flow.state = FlowState::kTheyGettingCardsGathering;
         g.flow.turn = 3;
       },
       "Left is playing"},
      {"partner's special capture banked",
       [](Game& g) {
         g.flow.state = FlowState::kWeGettingSpecial;
         g.flow.turn = 2;
       },
       "Partner is playing"},
      {"the wait after right's card landed",
       [](Game& g) {
         g.flow.state = FlowState::kTimedWait;
         g.flow.state_before_timed_wait = FlowState::kTheyGettingSpecialGathering;
         g.flow.turn = 1;
       },
       "Right is playing"},
      {"their remainders at the end",
       [](Game& g) {
         g.flow.state = FlowState::kTheirRemainders;
         g.flow.turn = 1;
       },
       "We 0" + dot + "They 0" + dot + "to 51"},
      {"our special capture chosen",
       [](Game& g) {
         g.flow.state = FlowState::kWeGettingSpecialGathering;
         g.flow.turn = 0;
         g.flow.capture_confirmed = true;
       },
       "We 0" + dot + "They 0" + dot + "to 51"},
      {"paused in our turn",
       [](Game& g) {
         g.flow.state = FlowState::kNormalPlay;
         g.flow.awaiting_human = true;
         g.flow.game_paused = true;
       },
       "Paused" + dot + "P to resume"},
      {"a hand ended",
       [](Game& g) {
         g.flow.state = FlowState::kEndOfMatch;
         g.score.we_total = 20;
       },
       "Click for the next hand"},
      {"a tie past the target",
       [](Game& g) {
         g.flow.state = FlowState::kEndOfMatch;
         g.score.we_total = g.score.they_total = 55;
         g.score.outcome = MatchOutcome::kTied;
       },
       "Tied at 55" + dot + "click for the next hand"},
      {"we won",
       [](Game& g) {
         g.flow.state = FlowState::kEndOfMatch;
         g.score.we_total = 52;
         g.score.they_total = 40;
         g.score.outcome = MatchOutcome::kWeWon;
       },
       "We won 52 to 40" + dot + "click to play again"},
      {"they won",
       [](Game& g) {
         g.flow.state = FlowState::kEndOfMatch;
         g.score.we_total = 12;
         g.score.they_total = 57;
         g.score.outcome = MatchOutcome::kWeLost;
       },
       "They won 57 to 12" + dot + "click to play again"},
  };
  for (const StatusCase& c : cases) {
    Configure(false, false);
    c.set_up(g_);
    EXPECT_EQ(StatusText(g_), c.want) << c.name;
    EXPECT_LE(StatusText(g_).size(), static_cast<std::size_t>(kStatusTextMaxChars)) << c.name;
  }
}

TEST_F(StatusTextTest, ChoosingACaptureNamesThePlayedCardsValue) {
  OpenSelection({CardId(3, 'C'), CardId(4, 'H')}, CardId(7, 'S'));
  EXPECT_EQ(StatusText(g_), "Take a sum of 7 · none: Backspace or right-click your card");
  g_.model.table_count = 0;
  OpenSelection({CardId(13, 'C')}, CardId(13, 'S'));
  g_.flow.state = FlowState::kWeGettingSpecialGathering;
  EXPECT_EQ(StatusText(g_), "Take a sum of 13 · none: Backspace or right-click your card");
  EXPECT_LE(StatusText(g_).size(), static_cast<std::size_t>(kStatusTextMaxChars));
}

TEST_F(StatusTextTest, TheLineFollowsARealHandFromTheDealToTheScorePage) {
  NewHand(g_);
  EXPECT_EQ(StatusText(g_).rfind("We 0", 0), 0u);
  RunUntil([&] { return HumanMayPickHandCard(g_); });
  EXPECT_EQ(StatusText(g_), "Your turn: play a card");
  RunUntil([&] { return g_.flow.state == FlowState::kNormalPlay && g_.flow.turn == 1; });
  EXPECT_EQ(StatusText(g_), "Right is playing");
  RunUntil([&] { return g_.flow.state == FlowState::kEndOfMatch; });
  EXPECT_TRUE(StatusText(g_).find("click") != std::string::npos ||
              StatusText(g_).find("Click") != std::string::npos);
}

}  // namespace
}  // namespace vantel
