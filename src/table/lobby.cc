#include "table/lobby.h"

#include <utility>

#include "codec/json_fields.h"
#include "codec/table_codes.h"

namespace vantel {

namespace {

using nlohmann::json;

// Codes are drawn at random; with a few hundred tables among 887 million
// codes a clash is rare, and a full run of clashes means something is wrong.
constexpr int kCodeDraws = 64;

const char* NoteText(TableNote::Kind kind) {
  switch (kind) {
    case TableNote::Kind::kJoined: return "joined";
    case TableNote::Kind::kAway: return "away";
    case TableNote::Kind::kBack: return "back";
    case TableNote::Kind::kStandIn: return "played by the computer until its person is back";
    case TableNote::Kind::kComputer: return "given to the computer";
    case TableNote::Kind::kLeft: return "left";
    case TableNote::Kind::kStarted: return "match started";
    case TableNote::Kind::kEnded: return "ended";
  }
  return "";
}

const char* EndText(TableEnd reason) {
  switch (reason) {
    case TableEnd::kMatchOver: return "match over";
    case TableEnd::kLeft: return "left";
    case TableEnd::kEveryoneLeft: return "everyone left";
    case TableEnd::kReplaced: return "replaced";
    case TableEnd::kServerClosing: return "server closing";
  }
  return "";
}

}  // namespace

Lobby::Lobby(const LobbySettings& settings, std::function<uint64_t()> random)
    : settings_(settings), random_(std::move(random)) {}

void Lobby::Reply(ConnectionId to, const json& message) {
  deliveries_.push_back({to, MessageText(message)});
  ++counts_.messages_sent;
}

void Lobby::RefuseMessage(ConnectionId to, ProtocolError code, std::string_view why) {
  ++counts_.messages_rejected;
  Reply(to, ErrorMessage(code, why));
}

void Lobby::Refuse(ConnectionId to, ProtocolError code, std::string_view why) {
  RefuseMessage(to, code, why);
}

void Lobby::Received(ConnectionId from, std::string_view text, TableTime now) {
  ++counts_.messages_received;
  Connection& connection = connections_[from];
  const ClientParse parse = ParseClientMessage(text);
  if (!parse.message) {
    RefuseMessage(from, parse.error, parse.problem);
    return;
  }
  // A message speaks to the table the connection sat at, or to the one it
  // sits at now (hosted, joined or taken back): only those have news.
  const std::string before = connection.code;
  Handle(from, connection, *parse.message, now);
  const std::string after = connection.code;
  if (!before.empty()) Flush(before);
  if (!after.empty() && after != before) Flush(after);
}

void Lobby::Handle(ConnectionId from, Connection& connection, const ClientMessage& message,
                   TableTime now) {
  if (std::holds_alternative<PingMessage>(message)) {
    Reply(from, PongMessage());
    return;
  }
  if (const auto* hello = std::get_if<HelloMessage>(&message)) {
    if (connection.welcomed) {
      RefuseMessage(from, ProtocolError::kOutOfOrder, "hello: said already");
      return;
    }
    connection.welcomed = true;
    names_[from] = hello->name;
    Reply(from, WelcomeMessage());
    return;
  }
  if (!connection.welcomed) {
    RefuseMessage(from, ProtocolError::kOutOfOrder, "hello first");
    return;
  }
  const bool seated = !connection.code.empty();
  const bool seeks_seat = std::holds_alternative<HostMessage>(message) ||
                          std::holds_alternative<JoinMessage>(message) ||
                          std::holds_alternative<RejoinMessage>(message);
  if (seeks_seat && seated) {
    RefuseMessage(from, ProtocolError::kOutOfOrder, "already at a table");
    return;
  }
  if (!seeks_seat && !seated) {
    RefuseMessage(from, ProtocolError::kNotAtTable, "not at a table");
    return;
  }
  if (const auto* host = std::get_if<HostMessage>(&message)) {
    Host(from, names_[from], *host, now);
    return;
  }
  if (const auto* join = std::get_if<JoinMessage>(&message)) {
    Table* table = FindTable(join->code);
    if (table == nullptr) {
      RefuseMessage(from, ProtocolError::kNoSuchTable, "code: no such table");
      return;
    }
    // The seat is bound before the table's words are routed, so its first
    // words reach it.
    const std::optional<int> seat = table->Seat(join->name, NewToken(), now);
    if (!seat) {
      RefuseMessage(from, ProtocolError::kTableFull, "no seat for a person is free");
      return;
    }
    Bind(from, connection, join->code, *seat);
    return;
  }
  if (const auto* rejoin = std::get_if<RejoinMessage>(&message)) {
    Table* table = FindTable(rejoin->code);
    if (table == nullptr) {
      RefuseMessage(from, ProtocolError::kNoSuchTable, "code: no such table");
      return;
    }
    const std::optional<int> seat = table->SeatOfToken(rejoin->token);
    if (!seat) {
      RefuseMessage(from, ProtocolError::kBadToken, "token: holds no seat at this table");
      return;
    }
    if (const std::optional<ConnectionId> old = ConnectionAt(rejoin->code, *seat)) {
      Unbind(*old, connections_[*old]);
      Reply(*old, TableEndedMessage(TableEnd::kReplaced));
    }
    Bind(from, connection, rejoin->code, *seat);
    table->Back(*seat, now);
    return;
  }
  Table* table = FindTable(connection.code);
  if (table == nullptr) {
    RefuseMessage(from, ProtocolError::kNotAtTable, "not at a table");
    return;
  }
  if (const auto* play = std::get_if<PlayMessage>(&message)) {
    table->PersonPlays(connection.seat, play->play, now);
  } else if (const auto* give = std::get_if<ComputerSeatMessage>(&message)) {
    table->GiveToComputer(connection.seat, give->seat, give->level, now);
  } else if (std::holds_alternative<LeaveMessage>(message)) {
    table->Leave(connection.seat, now);
  }
}

void Lobby::Host(ConnectionId from, const std::string& name, const HostMessage& host,
                 TableTime now) {
  if (draining_) {
    RefuseMessage(from, ProtocolError::kServerBusy, "the server is closing");
    return;
  }
  if (tables_.size() >= static_cast<std::size_t>(settings_.max_tables)) {
    RefuseMessage(from, ProtocolError::kServerBusy, "the server holds all the tables it may");
    return;
  }
  std::string code = NewCode();
  if (code.empty()) {
    RefuseMessage(from, ProtocolError::kServerProblem, "no free join code");
    return;
  }
  TableSettings settings;
  settings.seats = host.seats;
  settings.twelve_card_hands = host.twelve_card_hands;
  settings.grace = settings_.grace;
  settings.hand_pause = settings_.hand_pause;
  settings.turn_limit = std::chrono::seconds(host.turn_seconds);
  settings.stand_in_level = settings_.stand_in_level;
  settings.seed = random_();
  auto table = std::make_unique<Table>(code, settings, now);
  Table& placed = *tables_.emplace(code, std::move(table)).first->second;
  ++counts_.tables_hosted;
  int people = 0;
  for (const SeatChoice& seat : host.seats) people += seat.person ? 1 : 0;
  log_.push_back({LogLevel::kInfo, "table " + code + ": hosted, " + std::to_string(people) +
                                       " of 4 seats for people, hands of " +
                                       (host.twelve_card_hands ? "12" : "6")});
  Bind(from, connections_[from], code, *placed.Seat(name, NewToken(), now));
}

std::string Lobby::NewCode() {
  for (int draw = 0; draw < kCodeDraws; ++draw) {
    std::string code = JoinCodeFromBits(random_(), settings_.code_symbols);
    if (!tables_.contains(code)) return code;
  }
  return {};
}

std::string Lobby::NewToken() {
  const uint64_t high = random_();
  return SeatTokenFromBits(high, random_());
}

Table* Lobby::FindTable(std::string_view code) {
  const auto found = tables_.find(code);
  return found == tables_.end() ? nullptr : found->second.get();
}

const Table* Lobby::Find(std::string_view code) const {
  const auto found = tables_.find(code);
  return found == tables_.end() ? nullptr : found->second.get();
}

std::optional<ConnectionId> Lobby::ConnectionAt(const std::string& code, int seat) const {
  const auto found = seated_.find(std::pair<std::string, int>(code, seat));
  if (found == seated_.end()) return std::nullopt;
  return found->second;
}

void Lobby::Bind(ConnectionId id, Connection& connection, const std::string& code, int seat) {
  Unbind(id, connection);
  connection.code = code;
  connection.seat = seat;
  seated_[{code, seat}] = id;
}

void Lobby::Unbind(ConnectionId id, Connection& connection) {
  const auto found = seated_.find(std::pair<std::string, int>(connection.code, connection.seat));
  if (found != seated_.end() && found->second == id) seated_.erase(found);
  connection.code.clear();
  connection.seat = -1;
}

void Lobby::Reschedule(const std::string& code, const Table* table) {
  if (const auto old = deadline_of_.find(code); old != deadline_of_.end()) {
    deadlines_.erase({old->second, code});
    deadline_of_.erase(old);
  }
  if (table == nullptr) return;
  if (const std::optional<TableTime> at = table->NextDeadline()) {
    deadlines_.insert({*at, code});
    deadline_of_.emplace(code, *at);
  }
}

void Lobby::Flush(const std::string& code) {
  const auto found = tables_.find(code);
  if (found == tables_.end()) return;
  Table& table = *found->second;
  for (SeatMessage& message : table.TakeMessages()) {
    const std::optional<ConnectionId> to = ConnectionAt(code, message.seat);
    if (!to) continue;
    deliveries_.push_back({*to, std::move(message.text)});
    ++counts_.messages_sent;
    if (message.ends_seat) Unbind(*to, connections_[*to]);
  }
  for (const TableNote& note : table.TakeNotes()) {
    std::string line = "table " + code + ": ";
    if (note.seat >= 0) line += "seat " + std::to_string(note.seat) + " ";
    line += NoteText(note.kind);
    if (note.kind == TableNote::Kind::kEnded)
      line += std::string(" (") + EndText(note.reason) + ")";
    log_.push_back({LogLevel::kInfo, std::move(line)});
  }
  if (std::optional<DecisionRequest> request = table.TakeDecisionRequest()) {
    decisions_.push_back({code, *request});
  }
  if (table.Ended()) {
    for (int seat = 0; seat < kSeats; ++seat) {
      if (const std::optional<ConnectionId> at = ConnectionAt(code, seat))
        Unbind(*at, connections_[*at]);
    }
    Reschedule(code, nullptr);
    tables_.erase(found);
    return;
  }
  Reschedule(code, &table);
}

void Lobby::FlushAll() {
  std::vector<std::string> codes;
  codes.reserve(tables_.size());
  for (const auto& [code, table] : tables_) codes.push_back(code);
  for (const std::string& code : codes) Flush(code);
}

void Lobby::Disconnected(ConnectionId connection, TableTime now) {
  const auto found = connections_.find(connection);
  if (found == connections_.end()) return;
  const Connection left = found->second;
  Unbind(connection, found->second);
  connections_.erase(found);
  names_.erase(connection);
  if (Table* table = FindTable(left.code)) {
    table->Lost(left.seat, now);
    Flush(left.code);
  }
}

void Lobby::Advance(TableTime now) {
  std::vector<std::string> due;
  for (auto at = deadlines_.begin(); at != deadlines_.end() && at->first <= now; ++at)
    due.push_back(at->second);
  for (const std::string& code : due) {
    if (Table* table = FindTable(code)) table->Advance(now);
    Flush(code);
  }
}

std::optional<TableTime> Lobby::NextDeadline() const {
  if (deadlines_.empty()) return std::nullopt;
  return deadlines_.begin()->first;
}

void Lobby::Drain(int seconds) {
  if (!draining_) log_.push_back({LogLevel::kInfo, "draining: no new tables"});
  draining_ = true;
  for (auto& [code, table] : tables_) table->Drain(seconds);
  FlushAll();
}

void Lobby::EndAll() {
  for (auto& [code, table] : tables_) table->End(TableEnd::kServerClosing);
  FlushAll();
}

std::vector<TableDecision> Lobby::TakeDecisionRequests() {
  return std::exchange(decisions_, {});
}

void Lobby::Decided(const TableDecision& decision, const SeatDecision& answer, TableTime now) {
  if (Table* table = FindTable(decision.code)) {
    table->Decided(decision.request.serial, answer, now);
    Flush(decision.code);
  }
}

std::vector<Delivery> Lobby::TakeDeliveries() {
  return std::exchange(deliveries_, {});
}

std::vector<LogLine> Lobby::TakeLog() {
  return std::exchange(log_, {});
}

}  // namespace vantel
