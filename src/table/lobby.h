#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "codec/protocol_error.h"
#include "table/table.h"

namespace vantel {

// Whoever carries the messages names each connection with a number it
// never gives another.
using ConnectionId = uint64_t;

struct LobbySettings {
  int max_tables = 100;
  TableTime grace = kDefaultGrace;
  TableTime hand_pause = kDefaultHandPause;
  PlayerLevel stand_in_level = PlayerLevel::kClassic;
  // The first symbols of this lobby's join codes; empty: any.
  std::string code_symbols;
};

struct Delivery {
  ConnectionId to = 0;
  std::string text;
};

// A table's decision to work out; see DecisionRequest.
struct TableDecision {
  std::string code;
  DecisionRequest request;
};

enum class LogLevel { kError, kWarn, kInfo, kDebug };

struct LogLine {
  LogLevel level = LogLevel::kInfo;
  std::string text;
};

// What the metrics count, from the start.
struct LobbyCounts {
  uint64_t tables_hosted = 0;
  uint64_t messages_received = 0;
  uint64_t messages_rejected = 0;
  uint64_t messages_sent = 0;
};

// Every table of a server by its join code, and which connection sits
// where. It reads the clients' texts and answers with texts; it draws
// nothing from the world but the numbers `random` gives (join codes, seat
// tokens and each table's shuffle), so a test replays a whole server.
class Lobby {
 public:
  Lobby(const LobbySettings& settings, std::function<uint64_t()> random);

  void Received(ConnectionId from, std::string_view text, TableTime now);
  // A refusal from outside the protocol's reading (a rate limit).
  void Refuse(ConnectionId to, ProtocolError code, std::string_view why);
  void Disconnected(ConnectionId connection, TableTime now);
  void Advance(TableTime now);
  std::optional<TableTime> NextDeadline() const;

  // No new tables; each running one ends at its hand's end.
  void Drain(int seconds);
  // The drain took too long: every table ends now.
  void EndAll();
  bool Draining() const { return draining_; }

  std::vector<TableDecision> TakeDecisionRequests();
  void Decided(const TableDecision& decision, const SeatDecision& answer, TableTime now);

  std::vector<Delivery> TakeDeliveries();
  std::vector<LogLine> TakeLog();

  std::size_t TableCount() const { return tables_.size(); }
  const LobbyCounts& Counts() const { return counts_; }
  // For tests: the table of a code, or null.
  const Table* Find(std::string_view code) const;

 private:
  struct Connection {
    bool welcomed = false;
    std::string code;  // of its table; empty when it holds no seat
    int seat = -1;
  };

  void Reply(ConnectionId to, const nlohmann::json& message);
  void RefuseMessage(ConnectionId to, ProtocolError code, std::string_view why);
  void Handle(ConnectionId from, Connection& connection, const ClientMessage& message,
              TableTime now);
  void Host(ConnectionId from, const std::string& name, const HostMessage& host, TableTime now);
  std::string NewCode();
  std::string NewToken();
  // Routes what the table of `code` has to say, and drops it once ended.
  void Flush(const std::string& code);
  void FlushAll();
  Table* FindTable(std::string_view code);
  std::optional<ConnectionId> ConnectionAt(const std::string& code, int seat) const;
  // Puts the connection at the seat, or takes it from the one it held; the
  // seat index follows.
  void Bind(ConnectionId id, Connection& connection, const std::string& code, int seat);
  void Unbind(ConnectionId id, Connection& connection);
  // The table's next deadline, as the index of deadlines should hold it.
  void Reschedule(const std::string& code, const Table* table);

  LobbySettings settings_;
  std::function<uint64_t()> random_;
  std::map<std::string, std::unique_ptr<Table>, std::less<>> tables_;
  std::map<ConnectionId, Connection> connections_;
  std::map<ConnectionId, std::string> names_;  // from hello
  // Who holds each seat, and every table's next deadline with the earliest
  // first: a message or a tick touches its own table only, whatever the
  // number of tables and connections.
  std::map<std::pair<std::string, int>, ConnectionId> seated_;
  std::set<std::pair<TableTime, std::string>> deadlines_;
  std::map<std::string, TableTime, std::less<>> deadline_of_;
  std::vector<Delivery> deliveries_;
  std::vector<TableDecision> decisions_;
  std::vector<LogLine> log_;
  LobbyCounts counts_;
  bool draining_ = false;
};

}  // namespace vantel
