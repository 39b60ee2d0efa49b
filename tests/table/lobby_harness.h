#pragma once

#include <chrono>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "ai/expert.h"
#include "codec/client_messages.h"
#include "table/lobby.h"

namespace vantel {

// A lobby with a clock the test moves and every connection's inbox, the
// computers' decisions worked out on the spot.
struct LobbyHarness {
  explicit LobbyHarness(const LobbySettings& settings = Quick())
      : lobby(settings, [this] { return engine(); }) {}

  static LobbySettings Quick() {
    LobbySettings settings;
    settings.hand_pause = TableTime::zero();
    return settings;
  }

  void Send(ConnectionId from, const ClientMessage& message) {
    lobby.Received(from, ClientMessageToText(message), now);
    Collect();
  }
  void SendText(ConnectionId from, const std::string& text) {
    lobby.Received(from, text, now);
    Collect();
  }
  void Wait(TableTime time) {
    now += time;
    lobby.Advance(now);
    Collect();
  }
  void Drop(ConnectionId connection) {
    lobby.Disconnected(connection, now);
    Collect();
  }
  // Works out every decision asked for; false when none was.
  bool Decide() {
    const std::vector<TableDecision> asked = lobby.TakeDecisionRequests();
    for (const TableDecision& d : asked) {
      lobby.Decided(d, WorkOutDecision(d.request), now);
    }
    Collect();
    return !asked.empty();
  }
  void Collect() {
    for (Delivery& d : lobby.TakeDeliveries()) inbox[d.to].push_back(nlohmann::json::parse(d.text));
  }
  // The latest message of `type` to `to`, or null.
  nlohmann::json Last(ConnectionId to, const std::string& type) const {
    const auto found = inbox.find(to);
    if (found == inbox.end()) return nullptr;
    for (auto it = found->second.rbegin(); it != found->second.rend(); ++it) {
      if ((*it)["type"] == type) return *it;
    }
    return nullptr;
  }
  int Count(ConnectionId to, const std::string& type) const {
    const auto found = inbox.find(to);
    int n = 0;
    if (found == inbox.end()) return 0;
    for (const auto& m : found->second) n += m["type"] == type ? 1 : 0;
    return n;
  }

  std::mt19937_64 engine{77};
  TableTime now{0};
  Lobby lobby;
  std::map<ConnectionId, std::vector<nlohmann::json>> inbox;
};

inline HostMessage TwoPeopleTwoComputers(PlayerLevel level = PlayerLevel::kClassic) {
  HostMessage host;
  host.seats = {{{true, PlayerLevel::kClassic},
                 {false, level},
                 {true, PlayerLevel::kClassic},
                 {false, PlayerLevel::kClassic}}};
  return host;
}

}  // namespace vantel
