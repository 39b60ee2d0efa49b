#include "table/lobby.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "codec/table_codes.h"
#include "lobby_harness.h"

namespace vantel {
namespace {

using nlohmann::json;

constexpr ConnectionId kAda = 1;
constexpr ConnectionId kBea = 2;

// Ada hosts seat 0, Bea joins seat 2; returns the join code.
std::string SeatBoth(LobbyHarness& h, PlayerLevel computers = PlayerLevel::kClassic) {
  h.Send(kAda, HelloMessage{kProtocolVersion, "Ada"});
  h.Send(kAda, TwoPeopleTwoComputers(computers));
  const json seated = h.Last(kAda, "seated");
  EXPECT_EQ(seated["seat"], 0);
  const std::string code = seated["code"];
  h.Send(kBea, HelloMessage{kProtocolVersion, "Bea"});
  h.Send(kBea, JoinMessage{code, "Bea"});
  EXPECT_EQ(h.Last(kBea, "seated")["seat"], 2);
  return code;
}

// The person of `connection` plays the Classic choice when it is their turn.
bool PersonPlays(LobbyHarness& h, ConnectionId connection, const std::string& code, int seat) {
  const Table* table = h.lobby.Find(code);
  if (table == nullptr || table->Match().phase != HandPhase::kPlaying) return false;
  if (table->Match().turn != seat) return false;
  const SeatView view(table->Match(), seat);
  const std::optional<Play> play =
      PlayOfDecision(table->Match(), seat, ChoosePlayAtLevel(view, PlayerLevel::kClassic));
  h.Send(connection, PlayMessage{*play});
  return true;
}

// Plays on until nothing moves: people, computers and the pause between hands.
void PlayOn(LobbyHarness& h, const std::string& code, int max_steps = 100000,
            ConnectionId at0 = kAda, ConnectionId at2 = kBea) {
  for (int step = 0; step < max_steps && h.lobby.Find(code) != nullptr; ++step) {
    if (PersonPlays(h, at0, code, 0) || PersonPlays(h, at2, code, 2) || h.Decide()) continue;
    h.Wait(std::chrono::milliseconds(1));
  }
}

TEST(LobbyTest, TwoPeopleAndTwoComputersPlayAWholeMatch) {
  LobbyHarness h;
  const std::string code = SeatBoth(h, PlayerLevel::kExpert);
  // The match starts once the last person's seat is taken: both see a deal.
  EXPECT_EQ(h.Last(kAda, "view")["phase"], "playing");
  EXPECT_EQ(h.Last(kBea, "view")["phase"], "playing");
  EXPECT_EQ(h.Last(kBea, "seats")["seats"][0]["name"], "Ada");
  EXPECT_EQ(h.Last(kBea, "seats")["seats"][1]["level"], "expert");
  PlayOn(h, code);
  EXPECT_EQ(h.lobby.Find(code), nullptr);
  EXPECT_EQ(h.lobby.TableCount(), 0u);
  for (ConnectionId c : {kAda, kBea}) {
    EXPECT_EQ(h.Last(c, "table-ended")["reason"], "match-over");
    const json last = h.Last(c, "events")["events"].back();
    EXPECT_EQ(last["kind"], "hand-scored");
    EXPECT_TRUE(last["outcome"] == "we-won" || last["outcome"] == "we-lost") << last.dump();
    EXPECT_GT(h.Count(c, "view"), 2);  // a deal per hand
    EXPECT_GT(h.Count(c, "events"), 100);
  }
  EXPECT_EQ(h.Count(kAda, "error"), 0);
  // No longer seated: a play is refused, a new table may be hosted.
  h.Send(kAda, PlayMessage{{3, {}}});
  EXPECT_EQ(h.Last(kAda, "error")["code"], "not-at-table");
  h.Send(kAda, TwoPeopleTwoComputers());
  EXPECT_NE(h.Last(kAda, "seated")["code"], code);
}

TEST(LobbyTest, AReconnectWithinTheGraceGetsTheSeatAndTheExactView) {
  LobbyHarness h;
  const std::string code = SeatBoth(h);
  const std::string token = h.Last(kBea, "seated")["token"];
  for (int i = 0; i < 10; ++i) {
    PersonPlays(h, kAda, code, 0);
    h.Decide();
  }
  h.Drop(kBea);
  EXPECT_EQ(h.Last(kAda, "seats")["seats"][2]["presence"], "away");
  h.Wait(kDefaultGrace - std::chrono::seconds(1));
  EXPECT_EQ(h.lobby.Find(code)->PresenceOf(2), SeatPresence::kAway);

  constexpr ConnectionId kBeaAgain = 3;
  h.Send(kBeaAgain, HelloMessage{kProtocolVersion, "Bea"});
  h.Send(kBeaAgain, RejoinMessage{code, "wrongwrongwrongwrong"});
  EXPECT_EQ(h.Last(kBeaAgain, "error")["code"], "bad-token");
  h.Send(kBeaAgain, RejoinMessage{code, token});
  EXPECT_EQ(h.Last(kBeaAgain, "seated")["seat"], 2);
  const Table& table = *h.lobby.Find(code);
  const json view = h.Last(kBeaAgain, "view");
  EXPECT_EQ(view, ViewMessage(SeatView(table.Match(), 2)));
  EXPECT_EQ(*ViewFromMessage(view).view, SeatView(table.Match(), 2));
  EXPECT_EQ(h.Last(kAda, "seats")["seats"][2]["presence"], "here");
  // The seat plays on from the new connection.
  PlayOn(h, code, 200, kAda, kBeaAgain);
  EXPECT_GT(h.Count(kBeaAgain, "events"), 10);
  EXPECT_EQ(h.Count(kBeaAgain, "error"), 1);  // the wrong token's
}

TEST(LobbyTest, TheComputerPlaysAfterTheGraceAndHandsTheSeatBack) {
  LobbyHarness h;
  const std::string code = SeatBoth(h);
  const std::string token = h.Last(kBea, "seated")["token"];
  h.Drop(kBea);
  h.Wait(kDefaultGrace);
  EXPECT_EQ(h.Last(kAda, "seats")["seats"][2]["presence"], "stand-in");
  // Seat 2's turns are now the computer's: play until one is asked for it.
  std::optional<TableDecision> for_bea;
  for (int i = 0; i < 200 && !for_bea; ++i) {
    if (PersonPlays(h, kAda, code, 0)) continue;
    for (const TableDecision& d : h.lobby.TakeDecisionRequests()) {
      if (d.request.seat == 2) {
        for_bea = d;
      } else {
        h.lobby.Decided(d, WorkOutDecision(d.request), h.now);
      }
    }
    h.Collect();
  }
  ASSERT_TRUE(for_bea.has_value());
  const MatchState before = h.lobby.Find(code)->Match();
  // Bea is back while the computer thinks for her: its answer is dropped.
  constexpr ConnectionId kBeaAgain = 3;
  h.Send(kBeaAgain, HelloMessage{kProtocolVersion, "Bea"});
  h.Send(kBeaAgain, RejoinMessage{code, token});
  h.lobby.Decided(*for_bea, ChoosePlayAtLevel(for_bea->request.view, PlayerLevel::kClassic), h.now);
  h.Collect();
  EXPECT_EQ(h.lobby.Find(code)->Match(), before);
  EXPECT_EQ(h.lobby.Find(code)->PresenceOf(2), SeatPresence::kHere);
  EXPECT_TRUE(h.lobby.TakeDecisionRequests().empty());
  EXPECT_TRUE(PersonPlays(h, kBeaAgain, code, 2));
  EXPECT_NE(h.lobby.Find(code)->Match(), before);
}

TEST(LobbyTest, ARejoinFromANewConnectionTakesTheSeatFromTheOld) {
  LobbyHarness h;
  const std::string code = SeatBoth(h);
  const std::string token = h.Last(kBea, "seated")["token"];
  constexpr ConnectionId kBeaElsewhere = 3;
  h.Send(kBeaElsewhere, HelloMessage{kProtocolVersion, "Bea"});
  h.Send(kBeaElsewhere, RejoinMessage{code, token});
  EXPECT_EQ(h.Last(kBea, "table-ended")["reason"], "replaced");
  EXPECT_EQ(h.Last(kBeaElsewhere, "seated")["seat"], 2);
  h.Send(kBea, LeaveMessage{});
  EXPECT_EQ(h.Last(kBea, "error")["code"], "not-at-table");
  EXPECT_EQ(h.lobby.Find(code)->PresenceOf(2), SeatPresence::kHere);
  // The old connection closing later does not take the seat away.
  h.Drop(kBea);
  EXPECT_EQ(h.lobby.Find(code)->PresenceOf(2), SeatPresence::kHere);
}

TEST(LobbyTest, TheHostsTurnLimitReachesTheTable) {
  LobbyHarness h;
  HostMessage host = TwoPeopleTwoComputers();
  host.seats[2] = {false, PlayerLevel::kClassic};
  host.turn_seconds = 15;
  h.Send(kAda, HelloMessage{kProtocolVersion, "Ada"});
  h.Send(kAda, host);
  EXPECT_EQ(h.Last(kAda, "seats")["turn_seconds"], 15);
  const std::string code = h.Last(kAda, "seated")["code"];
  while (h.lobby.Find(code)->Match().turn != 0) ASSERT_TRUE(h.Decide());
  const int played = h.lobby.Find(code)->Match().cards_played;
  h.Wait(std::chrono::seconds(14));
  EXPECT_FALSE(h.Decide());
  h.Wait(std::chrono::seconds(1));
  EXPECT_TRUE(h.Decide());
  EXPECT_EQ(h.lobby.Find(code)->Match().cards_played, played + 1);
}

TEST(LobbyTest, TheHostLeavingPassesTheTableOnAndTheLastPersonEndsIt) {
  LobbyHarness h;
  const std::string code = SeatBoth(h);
  h.Send(kAda, LeaveMessage{});
  EXPECT_EQ(h.Last(kAda, "table-ended")["reason"], "left");
  const json seats = h.Last(kBea, "seats");
  EXPECT_EQ(seats["host"], 2);
  EXPECT_EQ(seats["seats"][0]["presence"], "computer");
  EXPECT_EQ(seats["seats"][0]["name"], "");
  // The computer plays seat 0 from now on; Bea plays hers.
  PlayOn(h, code, 300);
  ASSERT_NE(h.lobby.Find(code), nullptr);
  h.Send(kBea, LeaveMessage{});
  EXPECT_EQ(h.lobby.Find(code), nullptr);
  EXPECT_EQ(h.Last(kBea, "table-ended")["reason"], "left");
  // The table is gone with its code.
  h.Send(kAda, JoinMessage{code, "Ada"});
  EXPECT_EQ(h.Last(kAda, "error")["code"], "no-such-table");
}

TEST(LobbyTest, TheHostGivesAnOpenSeatToTheComputerAndTheMatchStarts) {
  LobbyHarness h;
  h.Send(kAda, HelloMessage{kProtocolVersion, "Ada"});
  h.Send(kAda, TwoPeopleTwoComputers());
  EXPECT_EQ(h.Last(kAda, "view")["phase"], "not-dealt");
  h.Send(kAda, ComputerSeatMessage{0, PlayerLevel::kExpert});
  EXPECT_EQ(h.Last(kAda, "error")["code"], "not-host");  // a person holds seat 0
  h.Send(kAda, ComputerSeatMessage{2, PlayerLevel::kExpert});
  EXPECT_EQ(h.Last(kAda, "seats")["seats"][2]["level"], "expert");
  EXPECT_EQ(h.Last(kAda, "view")["phase"], "playing");
  const std::string code = h.Last(kAda, "seated")["code"];
  h.Send(kBea, HelloMessage{kProtocolVersion, "Bea"});
  h.Send(kBea, JoinMessage{code, "Bea"});
  EXPECT_EQ(h.Last(kBea, "error")["code"], "table-full");
}

TEST(LobbyTest, MessagesOutOfTurnAreRefusedWithTheirCode) {
  LobbyHarness h;
  h.Send(kAda, TwoPeopleTwoComputers());
  EXPECT_EQ(h.Last(kAda, "error")["code"], "out-of-order");
  h.Send(kAda, PingMessage{});
  EXPECT_EQ(h.Count(kAda, "pong"), 1);
  h.SendText(kAda, "{\"type\":\"hello\"");
  EXPECT_EQ(h.Last(kAda, "error")["code"], "not-json");
  h.Send(kAda, HelloMessage{kProtocolVersion, "Ada"});
  EXPECT_EQ(h.Count(kAda, "welcome"), 1);
  h.Send(kAda, HelloMessage{kProtocolVersion, "Ada"});
  EXPECT_EQ(h.Last(kAda, "error")["code"], "out-of-order");
  h.Send(kAda, LeaveMessage{});
  EXPECT_EQ(h.Last(kAda, "error")["code"], "not-at-table");
  h.Send(kAda, JoinMessage{"ZZZZZZ", "Ada"});
  EXPECT_EQ(h.Last(kAda, "error")["code"], "no-such-table");
  h.Send(kAda, TwoPeopleTwoComputers());
  h.Send(kAda, TwoPeopleTwoComputers());
  EXPECT_EQ(h.Last(kAda, "error")["code"], "out-of-order");
  EXPECT_EQ(h.lobby.TableCount(), 1u);
  EXPECT_EQ(h.lobby.Counts().messages_rejected, 6u);
}

TEST(LobbyTest, TablesHaveDistinctCodesUpToTheLimit) {
  LobbySettings settings = LobbyHarness::Quick();
  settings.max_tables = 40;
  LobbyHarness h(settings);
  std::set<std::string> codes;
  for (ConnectionId c = 1; c <= 41; ++c) {
    h.Send(c, HelloMessage{kProtocolVersion, "P"});
    h.Send(c, TwoPeopleTwoComputers());
    const json seated = h.Last(c, "seated");
    if (c <= 40) {
      ASSERT_TRUE(seated.is_object());
      EXPECT_TRUE(IsJoinCode(seated["code"].get<std::string>()));
      EXPECT_TRUE(IsSeatToken(seated["token"].get<std::string>()));
      codes.insert(seated["code"].get<std::string>());
    } else {
      EXPECT_TRUE(seated.is_null());
      EXPECT_EQ(h.Last(c, "error")["code"], "server-busy");
    }
  }
  EXPECT_EQ(codes.size(), 40u);
}

TEST(LobbyTest, DrainingEndsEachTableAtItsHandsEnd) {
  LobbyHarness h;
  const std::string code = SeatBoth(h);
  h.Send(3, HelloMessage{kProtocolVersion, "Cy"});
  h.Send(3, TwoPeopleTwoComputers());  // waits for its second person: ends at once
  PersonPlays(h, kAda, code, 0);
  h.lobby.Drain(30);
  h.Collect();
  EXPECT_EQ(h.Last(3, "table-ended")["reason"], "server-closing");
  EXPECT_EQ(h.Last(kAda, "draining")["seconds"], 30);
  h.Send(4, HelloMessage{kProtocolVersion, "Di"});
  h.Send(4, TwoPeopleTwoComputers());
  EXPECT_EQ(h.Last(4, "error")["code"], "server-busy");
  ASSERT_NE(h.lobby.Find(code), nullptr);
  const int hands_dealt = h.Count(kAda, "view");
  PlayOn(h, code);
  EXPECT_EQ(h.lobby.TableCount(), 0u);
  EXPECT_EQ(h.Count(kAda, "view"), hands_dealt);  // no new deal
  EXPECT_EQ(h.Last(kAda, "events")["events"].back()["kind"], "hand-scored");
  EXPECT_EQ(h.Last(kBea, "table-ended")["reason"], "server-closing");
}

}  // namespace
}  // namespace vantel
