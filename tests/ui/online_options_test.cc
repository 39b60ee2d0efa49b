#include "ui/online_options.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "codec/client_messages.h"
#include "ui/online_texts.h"

namespace vantel {
namespace {

OnlineControls Typed(std::string server, std::string name, std::string code = "") {
  OnlineControls c;
  c.server = std::move(server);
  c.name = std::move(name);
  c.code = std::move(code);
  return c;
}

// The tab opens with what was used last time and with the Options tab's
// players and hand, so that hosting asks for no more than the differences.
TEST(OnlineOptionsTest, TheTabOpensWithTheRememberedFieldsAndTheOptionsTabsChoices) {
  Options options;
  options.online_server = "ws://cards.example:7420";
  options.online_name = "Bea";
  options.opponent_level = PlayerLevel::kExpert;
  options.partner_level = PlayerLevel::kClassic;
  options.twelve_card_deal = 0;
  const OnlineControls c = OnlineControlsFor(options);
  EXPECT_EQ(c.server, "ws://cards.example:7420");
  EXPECT_EQ(c.name, "Bea");
  EXPECT_EQ(c.others[0], SeatOccupant::kExpert);   // seat 1, an opponent
  EXPECT_EQ(c.others[1], SeatOccupant::kClassic);  // seat 2, the partner
  EXPECT_EQ(c.others[2], SeatOccupant::kExpert);   // seat 3, an opponent
  EXPECT_TRUE(c.six_card_selected);
  EXPECT_FALSE(c.turn_limit_ticked);
  EXPECT_TRUE(c.code.empty());
  // Untouched, it hosts the default table of the game on one screen.
  const std::optional<OnlineChoice> hosted = HostChoice(OnlineControlsFor(Options{}));
  EXPECT_FALSE(hosted.has_value());  // nothing typed yet
  OnlineControls typed = OnlineControlsFor(Options{});
  typed.server = "ws://127.0.0.1:7420";
  typed.name = "Bea";
  ASSERT_TRUE(HostChoice(typed).has_value());
  EXPECT_EQ(HostChoice(typed)->table, HostMessage{});
}

TEST(OnlineOptionsTest, HostingSeatsTheHostAtSeatZeroAndEachOtherSeatAsChosen) {
  OnlineControls c = Typed("wss://cards.example", "Bea");
  c.others = {SeatOccupant::kExpert, SeatOccupant::kPerson, SeatOccupant::kClassic};
  c.six_card_selected = true;
  const std::optional<OnlineChoice> choice = HostChoice(c);
  ASSERT_TRUE(choice.has_value());
  EXPECT_TRUE(choice->host);
  EXPECT_EQ(choice->server, "wss://cards.example");
  EXPECT_EQ(choice->name, "Bea");
  EXPECT_TRUE(choice->code.empty());
  const HostMessage& table = choice->table;
  EXPECT_EQ(table.seats[0], (SeatChoice{true, PlayerLevel::kClassic}));
  EXPECT_EQ(table.seats[1], (SeatChoice{false, PlayerLevel::kExpert}));
  EXPECT_TRUE(table.seats[2].person);
  EXPECT_EQ(table.seats[3], (SeatChoice{false, PlayerLevel::kClassic}));
  EXPECT_FALSE(table.twelve_card_hands);
  EXPECT_EQ(table.turn_seconds, 0);
  // What is handed over is a message the table reads back as it was meant.
  const ClientParse parsed = ParseClientMessage(ClientMessageToText(table));
  ASSERT_TRUE(parsed.message.has_value()) << parsed.problem;
  EXPECT_EQ(std::get<HostMessage>(*parsed.message), table);
}

TEST(OnlineOptionsTest, TheTurnLimitIsOffUntilTickedAndHeldToTheTablesBounds) {
  OnlineControls c = Typed("ws://127.0.0.1:7420", "Bea");
  c.turn_seconds = 45;
  EXPECT_EQ(HostChoice(c)->table.turn_seconds, 0);  // a number left in the box counts for nothing
  c.turn_limit_ticked = true;
  EXPECT_EQ(HostChoice(c)->table.turn_seconds, 45);
  for (int seconds : {kMinTurnSeconds, kMaxTurnSeconds}) {
    c.turn_seconds = seconds;
    ASSERT_TRUE(HostChoice(c).has_value()) << seconds;
    EXPECT_EQ(HostChoice(c)->table.turn_seconds, seconds);
  }
  // 0 would mean no limit at all, which the box does not say.
  for (int seconds : {0, kMinTurnSeconds - 1, kMaxTurnSeconds + 1}) {
    c.turn_seconds = seconds;
    EXPECT_FALSE(HostChoice(c).has_value()) << seconds;
  }
}

TEST(OnlineOptionsTest, AJoinCodeIsFoldedAsTypedOrReadAloud) {
  EXPECT_EQ(FoldJoinCode("k7qh2m"), "K7QH2M");
  EXPECT_EQ(FoldJoinCode(" K7Q-H2M "), "K7QH2M");
  EXPECT_EQ(FoldJoinCode("k7q h2m"), "K7QH2M");
  EXPECT_EQ(FoldJoinCode("ò"), "ò");  // nothing past ASCII is made a symbol
  const std::optional<OnlineChoice> choice = JoinChoice(Typed("ws://h:1", "Bea", "k7q-h2m"));
  ASSERT_TRUE(choice.has_value());
  EXPECT_FALSE(choice->host);
  EXPECT_EQ(choice->code, "K7QH2M");
  // The table reads what is handed over as a join.
  const JoinMessage join{choice->code, choice->name};
  EXPECT_TRUE(ParseClientMessage(ClientMessageToText(join)).message.has_value());
}

TEST(OnlineOptionsTest, ABadCodeNeverJoinsAndSaysWhatIsWrong) {
  struct Case {
    const char* code;
    const char* problem;
  };
  for (const Case& c : {Case{"K7QH2", kCodeLength}, Case{"K7QH2MM", kCodeLength},
                        Case{"K7QH20", kCodeSymbols}, Case{"K7QHIM", kCodeSymbols},
                        Case{"K7QH2Mò", kCodeSymbols}, Case{"K7Q_H2M", kCodeSymbols}}) {
    const OnlineControls controls = Typed("ws://127.0.0.1:7420", "Bea", c.code);
    EXPECT_FALSE(JoinChoice(controls).has_value()) << c.code;
    EXPECT_EQ(OnlineProblemsOf(controls).code, c.problem) << c.code;
    EXPECT_TRUE(HostChoice(controls).has_value()) << "hosting needs no code: " << c.code;
  }
  const OnlineControls empty = Typed("ws://127.0.0.1:7420", "Bea", "");
  EXPECT_FALSE(JoinChoice(empty).has_value());
  EXPECT_EQ(OnlineProblemsOf(empty).code, "");  // nothing typed is nothing wrong yet
}

TEST(OnlineOptionsTest, TheServerAndNameAreCheckedAsTheTableChecksThem) {
  struct Case {
    const char* server;
    const char* name;
    const char* server_problem;
    const char* name_problem;
  };
  const std::string long_name(25, 'x');
  for (const Case& c : {
           Case{"127.0.0.1:7420", "Bea", kServerWithoutScheme, ""},
           Case{"http://cards.example", "Bea", kServerWithoutScheme, ""},
           Case{"ws://cards.example:0", "Bea", kServerMalformed, ""},
           Case{"ws://cards.example:7420/table", "Bea", kServerMalformed, ""},
           Case{"ws://", "Bea", kServerMalformed, ""},
           Case{"ws://127.0.0.1:7420", long_name.c_str(), "", kNameTooLong},
           Case{"ws://127.0.0.1:7420", "Be\001a", "", kNameUnprintable},
           Case{"ws://127.0.0.1:7420", "Be\377a", "", kNameUnprintable},  // not UTF-8
           Case{"", "Bea", "", ""},
           Case{"ws://127.0.0.1:7420", "   ", "", ""},
       }) {
    const OnlineControls controls = Typed(c.server, c.name, "K7QH2M");
    const OnlineProblems problems = OnlineProblemsOf(controls);
    EXPECT_EQ(problems.server, c.server_problem) << c.server;
    EXPECT_EQ(problems.name, c.name_problem) << c.name;
    EXPECT_FALSE(HostChoice(controls).has_value()) << c.server << " / " << c.name;
    EXPECT_FALSE(JoinChoice(controls).has_value()) << c.server << " / " << c.name;
  }
}

// Letters, not bytes: 24 accented letters are 48 bytes and a good name.
TEST(OnlineOptionsTest, NamesAreCountedInLettersAndTrimmedOfPastedSpace) {
  std::string accented;
  for (int i = 0; i < 24; ++i) accented += "ò";
  const OnlineControls fits = Typed(" ws://127.0.0.1:7420\n", accented + " ");
  ASSERT_TRUE(HostChoice(fits).has_value());
  EXPECT_EQ(HostChoice(fits)->name, accented);
  EXPECT_EQ(HostChoice(fits)->server, "ws://127.0.0.1:7420");
  EXPECT_EQ(OnlineProblemsOf(Typed("ws://h:1", accented + "ò")).name, kNameTooLong);
  // Spaces inside a name are the name's own.
  EXPECT_EQ(HostChoice(Typed("ws://h:1", " Anna Maria "))->name, "Anna Maria");
}

TEST(OnlineOptionsTest, TheServerAndNameUsedAreRememberedForTheNextRun) {
  const std::optional<OnlineChoice> choice =
      JoinChoice(Typed(" wss://cards.example:8443 ", " Bea ", "K7QH2M"));
  ASSERT_TRUE(choice.has_value());
  Options options;
  RememberOnline(*choice, options);
  const OnlineControls next = OnlineControlsFor(options);
  EXPECT_EQ(next.server, "wss://cards.example:8443");
  EXPECT_EQ(next.name, "Bea");
  EXPECT_TRUE(next.code.empty());  // a table's code is good for that table only
}

}  // namespace
}  // namespace vantel
