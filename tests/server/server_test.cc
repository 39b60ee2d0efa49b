// The real program on loopback: every test starts its own vantel-server on a
// port of its choosing and talks to it as a client would.
#include <gtest/gtest.h>

#include <algorithm>

#include <signal.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "codec/server_messages.h"
#include "server_process.h"
#include "support/temp_folder.h"
#include "test_certificate.h"
#include "ws_client.h"

namespace vantel {
namespace {

using nlohmann::json;

HostMessage Seats(std::array<const char*, kSeats> kinds) {
  HostMessage host;
  for (std::size_t s = 0; s < kinds.size(); ++s) {
    const std::string kind = kinds[s];
    host.seats[s] = {kind == "person",
                     kind == "expert" ? PlayerLevel::kExpert : PlayerLevel::kClassic};
  }
  return host;
}

// A person who lays down the first card of the hand on every turn, keeping
// only what it needs of the messages: its hand and whose turn it is.
struct ScriptedPerson {
  WsClient client;
  int seat = -1;
  std::vector<int> hand;
  int turn = -1;
  bool ended = false;
  std::string ended_reason;
  std::string token;
  int errors = 0;
  int plays = 0;
  // What it was sent of the hand in play, from its view on.
  std::vector<json> of_hand;

  void Take(const json& m) {
    const std::string type = m["type"];
    if (type == "seated") {
      seat = m["seat"];
      token = m["token"];
    } else if (type == "view") {
      hand = m["hand"].get<std::vector<int>>();
      turn = m["phase"] == "playing" ? m["turn"].get<int>() : -1;
    } else if (type == "events") {
      for (const json& e : m["events"]) {
        if (e["kind"] == "laid") {
          if (e["seat"] == seat) std::erase(hand, e["card"].get<int>());
          turn = (e["seat"].get<int>() + 1) % kSeats;
        } else if (e["kind"] == "second-deal") {
          hand = e["hand"].get<std::vector<int>>();
        } else if (e["kind"] == "hand-scored") {
          turn = -1;
        }
      }
    } else if (type == "table-ended") {
      ended = true;
      ended_reason = m["reason"];
    } else if (type == "error") {
      ++errors;
    }
  }

  // Reads what has come and plays if it is its turn; false once nothing
  // more comes within `wait`.
  bool Step(std::chrono::milliseconds wait = 10s) {
    const std::optional<json> m = client.Read(wait);
    if (!m) return false;
    Take(*m);
    if (m->at("type") == "view" && m->at("phase") == "playing") of_hand.clear();
    if (m->at("type") == "view" || m->at("type") == "events") of_hand.push_back(*m);
    if (turn == seat && !hand.empty()) {
      client.Send(PlayMessage{{static_cast<int16_t>(hand.front()), {}}});
      turn = -1;  // until the events say whose turn it is
      ++plays;
    }
    return true;
  }
};

// Ada hosts a table with a person's seat open at 2 and computers at 1 and 3;
// the table's code, or nothing when she was not seated.
std::string AdaHostsWithSeat2Open(ScriptedPerson& ada, uint16_t port) {
  if (!ada.client.Connect(port)) return {};
  ada.client.Send(HelloMessage{kProtocolVersion, "Ada"});
  ada.client.Send(Seats({"person", "classic", "person", "classic"}));
  const json seated = ada.client.ReadType("seated");
  if (!seated.is_object()) return {};
  ada.Take(seated);
  return seated["code"].get<std::string>();
}

TEST(ServerTest, TwoPeopleAndTwoComputersPlayAMatchOverSockets) {
  ServerProcess server({"--hand-pause-seconds", "0", "--messages-per-second", "1000"});
  ASSERT_TRUE(server.Started());
  ScriptedPerson ada;
  ScriptedPerson bea;
  ASSERT_TRUE(ada.client.Connect(server.Port()));
  ASSERT_TRUE(bea.client.Connect(server.Port()));
  ada.client.Send(HelloMessage{kProtocolVersion, "Ada"});
  ASSERT_EQ(ada.client.ReadType("welcome")["protocol"], kProtocolVersion);
  ada.client.Send(Seats({"person", "expert", "person", "classic"}));
  const json seated = ada.client.ReadType("seated");
  ASSERT_TRUE(seated.is_object());
  ada.Take(seated);
  const std::string code = seated["code"];
  bea.client.Send(HelloMessage{kProtocolVersion, "Bea"});
  bea.client.Send(JoinMessage{code, "Bea"});
  // The log names the table from the start.
  EXPECT_TRUE(server.WaitForLine("table " + code + ": hosted", 5s).has_value());

  for (int step = 0; step < 20000 && !(ada.ended && bea.ended); ++step) {
    const bool ada_read = !ada.ended && ada.Step();
    const bool bea_read = !bea.ended && bea.Step();
    if (!ada_read && !bea_read) break;
  }
  EXPECT_EQ(ada.ended_reason, "match-over");
  EXPECT_EQ(bea.ended_reason, "match-over");
  EXPECT_EQ(bea.seat, 2);
  EXPECT_EQ(ada.errors, 0);
  EXPECT_EQ(bea.errors, 0);
  EXPECT_TRUE(server.WaitForLine("table " + code + ": ended (match over)", 5s).has_value());
  // Tokens never reach the log.
  for (const std::string& line : server.Lines()) {
    EXPECT_EQ(line.find(ada.token), std::string::npos) << line;
    EXPECT_EQ(line.find(bea.token), std::string::npos) << line;
  }
}

TEST(ServerTest, ALostConnectionComesBackToItsSeat) {
  ServerProcess server({});
  ASSERT_TRUE(server.Started());
  ScriptedPerson ada;
  const std::string code = AdaHostsWithSeat2Open(ada, server.Port());
  ASSERT_FALSE(code.empty());
  std::string token;
  std::vector<int> hand;
  {
    WsClient bea;
    ASSERT_TRUE(bea.Connect(server.Port()));
    bea.Send(HelloMessage{kProtocolVersion, "Bea"});
    bea.Send(JoinMessage{code, "Bea"});
    token = bea.ReadType("seated")["token"];
    hand = bea.ReadType("view")["hand"].get<std::vector<int>>();
  }  // Bea's connection drops here
  json seats;
  do {
    seats = ada.client.ReadType("seats");
  } while (seats.is_object() && seats["seats"][2]["presence"] != "away");
  ASSERT_TRUE(seats.is_object());
  EXPECT_TRUE(server.WaitForLine("table " + code + ": seat 2 away", 5s).has_value());

  WsClient again;
  ASSERT_TRUE(again.Connect(server.Port()));
  again.Send(HelloMessage{kProtocolVersion, "Bea"});
  again.Send(RejoinMessage{code, token});
  EXPECT_EQ(again.ReadType("seated")["seat"], 2);
  const json view = again.ReadType("view");
  ASSERT_TRUE(view.is_object());
  // The table waited for her: her hand is as it was dealt.
  EXPECT_EQ(view["hand"].get<std::vector<int>>(), hand);
  EXPECT_EQ(ada.client.ReadType("seats")["seats"][2]["presence"], "here");
}

// Bea plays a card, drops, and the others play on until her turn; on her
// rejoin she is given, after the view, the hand from its deal: what she had
// read, then what came while she was away.
TEST(ServerTest, ARejoinDuringAHandGetsTheHandSoFarAfterItsView) {
  ServerProcess server({"--messages-per-second", "1000"});
  ASSERT_TRUE(server.Started());
  ScriptedPerson ada;
  const std::string code = AdaHostsWithSeat2Open(ada, server.Port());
  ASSERT_FALSE(code.empty());
  std::string token;
  std::vector<json> read_before;
  {
    ScriptedPerson bea;
    ASSERT_TRUE(bea.client.Connect(server.Port()));
    bea.client.Send(HelloMessage{kProtocolVersion, "Bea"});
    bea.client.Send(JoinMessage{code, "Bea"});
    // Until the events of her own first card have come back to her.
    const auto own_play_seen = [&] {
      if (bea.plays == 0 || bea.of_hand.empty()) return false;
      const json& last = bea.of_hand.back();
      return last["type"] == "events" && last["events"][0]["seat"] == 2;
    };
    for (int step = 0; step < 200 && !own_play_seen(); ++step) {
      ada.Step(20ms);
      bea.Step(20ms);
    }
    ASSERT_TRUE(own_play_seen());
    token = bea.token;
    read_before = bea.of_hand;
  }  // Bea's connection drops here
  EXPECT_TRUE(server.WaitForLine("table " + code + ": seat 2 away", 5s).has_value());
  // The others play on until the table waits for her.
  while (ada.Step(500ms)) {
  }

  WsClient again;
  ASSERT_TRUE(again.Connect(server.Port()));
  again.Send(HelloMessage{kProtocolVersion, "Bea"});
  again.Send(RejoinMessage{code, token});
  std::vector<std::string> types;
  std::vector<json> got;
  for (std::optional<json> m = again.Read(); m; m = again.Read(500ms)) {
    types.push_back((*m)["type"]);
    got.push_back(*m);
  }
  const std::vector<std::string> want = {"welcome", "seated", "seats", "view", "hand-so-far"};
  ASSERT_EQ(types, want);
  const json& view = got[3];
  const std::optional<std::vector<std::string>> so_far = HandSoFarFromMessage(got[4]);
  ASSERT_TRUE(so_far.has_value()) << got[4].dump();
  // Her view and one events message for each card played since the deal.
  ASSERT_EQ(so_far->size(), 1 + view["cards_played"].get<std::size_t>());
  ASSERT_GT(so_far->size(), read_before.size());
  for (std::size_t i = 0; i < so_far->size(); ++i) {
    const json message = json::parse((*so_far)[i]);
    EXPECT_EQ(message["seat"], 2);
    if (i < read_before.size()) {
      EXPECT_EQ(message, read_before[i]) << i;
    } else {
      EXPECT_EQ(message["type"], "events") << i;
    }
  }
}

// Heartbeats: a connection that answers nothing is let go within about 15 s
// and its seat waits as after any lost connection, while one that reads on
// (and so answers the pings) keeps its seat however quiet its person is.
TEST(ServerTest, ASilentConnectionIsDroppedByItsHeartbeat) {
  ServerProcess server({});
  ASSERT_TRUE(server.Started());
  ScriptedPerson ada;
  const std::string code = AdaHostsWithSeat2Open(ada, server.Port());
  ASSERT_FALSE(code.empty());
  WsClient bea;
  ASSERT_TRUE(bea.Connect(server.Port()));
  bea.Send(HelloMessage{kProtocolVersion, "Bea"});
  bea.Send(JoinMessage{code, "Bea"});
  ASSERT_TRUE(bea.ReadType("seated").is_object());
  const auto silent_since = std::chrono::steady_clock::now();

  const std::string bea_away = "table " + code + ": seat 2 away";
  const auto said = [&](const std::string& text) {
    const std::vector<std::string> lines = server.Lines();
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
      return line.find(text) != std::string::npos;
    });
  };
  while (!said(bea_away) && std::chrono::steady_clock::now() - silent_since < 30s) {
    ada.client.Read(500ms);
  }
  const auto silent_for = std::chrono::steady_clock::now() - silent_since;
  ASSERT_TRUE(said(bea_away)) << "the silent connection was kept";
  EXPECT_GE(silent_for, 10s) << "dropped before its heartbeat could go unanswered";
  EXPECT_LE(silent_for, 25s);
  EXPECT_FALSE(said("table " + code + ": seat 0 away")) << "the reading connection was dropped";
}

TEST(ServerTest, TooLongAndTooManyMessagesAreRefused) {
  ServerProcess server({});
  ASSERT_TRUE(server.Started());
  {
    WsClient client;
    ASSERT_TRUE(client.Connect(server.Port()));
    // At the limit: read, and refused by the protocol's reader.
    client.Send(std::string(kMaxClientMessage, ' '));
    EXPECT_EQ(client.ReadType("error")["code"], "not-json");
    client.Send("{\"type\":\"ping\"}" + std::string(kMaxClientMessage, ' '));
    EXPECT_EQ(client.WaitForClose(), static_cast<int>(websocket::close_code::too_big));
  }
  {
    WsClient client;
    ASSERT_TRUE(client.Connect(server.Port()));
    for (int i = 0; i < 60 && !client.Closed(); ++i) client.Send(PingMessage{});
    int pongs = 0;
    int limited = 0;
    while (std::optional<json> m = client.Read(2s)) {
      pongs += (*m)["type"] == "pong";
      limited += (*m)["type"] == "error" && (*m)["code"] == "rate-limited";
    }
    EXPECT_GE(pongs, 20);  // the burst
    EXPECT_GT(limited, 0);
    EXPECT_TRUE(client.Closed());
  }
  const HttpAnswer metrics = HttpGet(server.Port(), "/metrics");
  EXPECT_NE(metrics.body.find("vantel_messages_too_long_total 1\n"), std::string::npos);
  EXPECT_NE(metrics.body.find("vantel_messages_rate_limited_total "), std::string::npos);
  EXPECT_EQ(metrics.body.find("vantel_messages_rate_limited_total 0\n"), std::string::npos);
}

TEST(ServerTest, HealthAndMetricsAnswerOverHttpAndNothingElseDoes) {
  ServerProcess server({"--no-web"});
  ASSERT_TRUE(server.Started());
  const HttpAnswer health = HttpGet(server.Port(), "/healthz");
  EXPECT_EQ(health.status, 200);
  EXPECT_EQ(health.body, "ok\n");
  WsClient client;
  ASSERT_TRUE(client.Connect(server.Port()));
  client.Send(HelloMessage{kProtocolVersion, "Ada"});
  client.Send(Seats({"person", "classic", "classic", "classic"}));
  ASSERT_TRUE(client.ReadType("seated").is_object());
  client.Send("{\"type\":\"dance\"}");
  EXPECT_EQ(client.ReadType("error")["code"], "unknown-type");
  const HttpAnswer metrics = HttpGet(server.Port(), "/metrics");
  EXPECT_EQ(metrics.status, 200);
  for (const char* line : {"vantel_tables 1\n", "vantel_tables_hosted_total 1\n",
                           "vantel_connections 1\n", "vantel_messages_received_total 3\n",
                           "vantel_messages_rejected_total 1\n", "# TYPE vantel_tables gauge\n"}) {
    EXPECT_NE(metrics.body.find(line), std::string::npos) << line << metrics.body;
  }
  EXPECT_EQ(HttpGet(server.Port(), "/").status, 404);  // the socket's path, without the upgrade
  EXPECT_EQ(HttpGet(server.Port(), "/index.html").status, 404);
}

TEST(ServerTest, ConnectionsFromOneAddressAreLimited) {
  ServerProcess server({"--max-connections-per-address", "2"});
  ASSERT_TRUE(server.Started());
  WsClient first;
  auto second = std::make_unique<WsClient>();
  ASSERT_TRUE(first.Connect(server.Port()));
  ASSERT_TRUE(second->Connect(server.Port()));
  {
    WsClient third;
    EXPECT_FALSE(third.Connect(server.Port()));
  }
  EXPECT_EQ(HttpGet(server.Port(), "/healthz").status, 0);  // plain HTTP counts too
  // A connection that goes gives its place back.
  second.reset();
  bool connected = false;
  for (int attempt = 0; attempt < 50 && !connected; ++attempt) {
    WsClient another;
    connected = another.Connect(server.Port());
    if (!connected) std::this_thread::sleep_for(20ms);
  }
  EXPECT_TRUE(connected);
}

// Plays Ada's turns of a table she shares with three computers until the
// table ends; the reason it ended.
std::string PlayUntilTheEnd(ScriptedPerson& ada) {
  for (int step = 0; step < 5000 && !ada.ended && ada.Step(); ++step) {
  }
  return ada.ended_reason;
}

TEST(ServerTest, SigtermLetsTheHandEndAndExitsCleanly) {
  ServerProcess server({"--hand-pause-seconds", "0", "--messages-per-second", "1000"});
  ASSERT_TRUE(server.Started());
  ScriptedPerson ada;
  ASSERT_TRUE(ada.client.Connect(server.Port()));
  ada.client.Send(HelloMessage{kProtocolVersion, "Ada"});
  ada.client.Send(Seats({"person", "classic", "classic", "classic"}));
  const json seated = ada.client.ReadType("seated");
  ada.Take(seated);
  server.Signal(SIGTERM);
  EXPECT_TRUE(server.WaitForLine("draining", 5s).has_value());
  EXPECT_EQ(HttpGet(server.Port(), "/healthz").status, 503);
  WsClient late;
  ASSERT_TRUE(late.Connect(server.Port()));
  late.Send(HelloMessage{kProtocolVersion, "Cy"});
  late.Send(Seats({"person", "classic", "classic", "classic"}));
  EXPECT_EQ(late.ReadType("error")["code"], "server-busy");
  // Ada plays her hand out: the table ends then, not before.
  EXPECT_EQ(PlayUntilTheEnd(ada), "server-closing");
  EXPECT_TRUE(ada.hand.empty());
  EXPECT_EQ(ada.client.WaitForClose(), static_cast<int>(websocket::close_code::going_away));
  EXPECT_EQ(server.WaitForExit(10s), 0);
}

TEST(ServerTest, ADrainThatTakesTooLongEndsTheTables) {
  ServerProcess server({"--drain-seconds", "1"});
  ASSERT_TRUE(server.Started());
  WsClient ada;
  ASSERT_TRUE(ada.Connect(server.Port()));
  ada.Send(HelloMessage{kProtocolVersion, "Ada"});
  ada.Send(Seats({"person", "classic", "classic", "classic"}));
  ASSERT_TRUE(ada.ReadType("view").is_object());
  server.Signal(SIGTERM);
  EXPECT_EQ(ada.ReadType("draining")["seconds"], 1);
  // Ada never plays: the drain limit ends her table.
  EXPECT_EQ(ada.ReadType("table-ended", 5s)["reason"], "server-closing");
  EXPECT_EQ(server.WaitForExit(10s), 0);
  EXPECT_TRUE(server.WaitForLine("drain limit reached", 1s).has_value());
}

TEST(ServerTest, TlsServesTheSameTables) {
  const TestFolder folder("tls");
  const TestCertificate made = MakeTestCertificate(folder);
  ASSERT_FALSE(made.cert.empty());
  {
    ServerProcess server({"--tls-cert", made.cert, "--tls-key", made.key});
    ASSERT_TRUE(server.Started());
    TlsWsClient client;
    ASSERT_TRUE(client.Connect(server.Port()));
    client.Send(HelloMessage{kProtocolVersion, "Ada"});
    EXPECT_EQ(client.ReadType("welcome")["protocol"], kProtocolVersion);
    client.Send(Seats({"person", "classic", "classic", "classic"}));
    EXPECT_EQ(client.ReadType("view")["phase"], "playing");
    // A plain connection to a TLS server gets nowhere.
    WsClient plain;
    EXPECT_FALSE(plain.Connect(server.Port(), 3s));
  }
}

TEST(ServerTest, AMissingCertificateIsReportedAndFails) {
  ServerProcess server({"--tls-cert", "/nonexistent/cert.pem", "--tls-key", "/nonexistent/key"});
  EXPECT_FALSE(server.Started());
  EXPECT_EQ(server.WaitForExit(5s), 1);
  EXPECT_TRUE(server.WaitForLine("TLS certificate", 1s).has_value());
}

}  // namespace
}  // namespace vantel
