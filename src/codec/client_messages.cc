#include "codec/client_messages.h"

#include <initializer_list>
#include <utility>

#include <nlohmann/json.hpp>

#include "codec/json_fields.h"
#include "codec/player_name.h"
#include "codec/table_codes.h"

namespace vantel {

namespace {

using nlohmann::json;

// A seat's choice as it travels: "person", or the computer level's name.
constexpr std::string_view kPersonSeat = "person";

ClientParse Refuse(ProtocolError error, std::string problem) {
  return {std::nullopt, error, std::move(problem)};
}

// The fields of `object` are exactly `keys`, and perhaps some of `optional`:
// none missing, none more.
std::optional<ClientParse> CheckShape(const json& object, std::initializer_list<const char*> keys,
                                      std::initializer_list<const char*> optional = {}) {
  for (const char* key : keys) {
    if (!object.contains(key))
      return Refuse(ProtocolError::kBadShape, std::string(key) + ": missing");
  }
  for (const auto& [key, value] : object.items()) {
    bool known = false;
    for (const char* k : keys) known = known || key == k;
    for (const char* k : optional) known = known || key == k;
    if (!known) return Refuse(ProtocolError::kBadShape, "unknown field");
  }
  return std::nullopt;
}

// A string field, well-formed UTF-8; nothing when it is not a string.
std::optional<std::string> StringField(const json& object, const char* key) {
  const json& value = object.at(key);
  if (!value.is_string()) return std::nullopt;
  std::string text = value.get<std::string>();
  if (!IsValidUtf8(text)) return std::nullopt;
  return text;
}

ClientParse ParseHello(const json& in) {
  if (auto refused = CheckShape(in, {"type", "protocol", "name"})) return *refused;
  const json& protocol = in.at("protocol");
  if (!protocol.is_number_integer())
    return Refuse(ProtocolError::kBadShape, "protocol: not a number");
  if (protocol.is_number_unsigned() ? protocol.get<uint64_t>() != kProtocolVersion
                                    : protocol.get<int64_t>() != kProtocolVersion) {
    return Refuse(ProtocolError::kBadVersion, "protocol: not spoken here");
  }
  const std::optional<std::string> name = StringField(in, "name");
  if (!name) return Refuse(ProtocolError::kBadShape, "name: not a string");
  if (!IsPlayerName(*name)) return Refuse(ProtocolError::kBadName, "name: not a player's name");
  return {HelloMessage{kProtocolVersion, *name}, ProtocolError::kBadShape, {}};
}

ClientParse ParseHost(const json& in) {
  if (auto refused = CheckShape(in, {"type", "seats", "hand_size"}, {"turn_seconds"}))
    return *refused;
  const json& seats = in.at("seats");
  if (!seats.is_array() || seats.size() != static_cast<std::size_t>(kSeats)) {
    return Refuse(ProtocolError::kBadShape, "seats: not four seats");
  }
  HostMessage host;
  bool someone = false;
  for (std::size_t s = 0; s < seats.size(); ++s) {
    if (!seats[s].is_string()) return Refuse(ProtocolError::kBadShape, "seats: not a name");
    const std::string choice = seats[s].get<std::string>();
    if (choice == kPersonSeat) {
      host.seats[s].person = true;
      someone = true;
    } else if (const std::optional<PlayerLevel> level = PlayerLevelFromStoredName(choice)) {
      host.seats[s].level = *level;
    } else {
      return Refuse(ProtocolError::kBadTable, "seats: neither a person nor a computer level");
    }
  }
  if (!someone) return Refuse(ProtocolError::kBadTable, "seats: none for the host");
  const json& size = in.at("hand_size");
  if (!size.is_number_integer()) return Refuse(ProtocolError::kBadShape, "hand_size: not a number");
  if (size != 6 && size != 12) return Refuse(ProtocolError::kBadTable, "hand_size: 6 or 12");
  host.twelve_card_hands = size == 12;
  if (const auto turn = in.find("turn_seconds"); turn != in.end()) {
    if (!turn->is_number_integer())
      return Refuse(ProtocolError::kBadShape, "turn_seconds: not a number");
    if (*turn != 0 && (*turn < kMinTurnSeconds || *turn > kMaxTurnSeconds)) {
      return Refuse(ProtocolError::kBadTable, "turn_seconds: 0, or 10 to 600");
    }
    host.turn_seconds = turn->get<int>();
  }
  return {host, ProtocolError::kBadShape, {}};
}

ClientParse ParseJoin(const json& in) {
  if (auto refused = CheckShape(in, {"type", "code", "name"})) return *refused;
  const std::optional<std::string> code = StringField(in, "code");
  const std::optional<std::string> name = StringField(in, "name");
  if (!code || !name) return Refuse(ProtocolError::kBadShape, "code, name: not strings");
  if (!IsJoinCode(*code)) return Refuse(ProtocolError::kBadCode, "code: not a join code");
  if (!IsPlayerName(*name)) return Refuse(ProtocolError::kBadName, "name: not a player's name");
  return {JoinMessage{*code, *name}, ProtocolError::kBadShape, {}};
}

ClientParse ParseRejoin(const json& in) {
  if (auto refused = CheckShape(in, {"type", "code", "token"})) return *refused;
  const std::optional<std::string> code = StringField(in, "code");
  const std::optional<std::string> token = StringField(in, "token");
  if (!code || !token) return Refuse(ProtocolError::kBadShape, "code, token: not strings");
  if (!IsJoinCode(*code)) return Refuse(ProtocolError::kBadCode, "code: not a join code");
  if (!IsSeatToken(*token)) return Refuse(ProtocolError::kBadToken, "token: not a seat token");
  return {RejoinMessage{*code, *token}, ProtocolError::kBadShape, {}};
}

ClientParse ParsePlay(const json& in) {
  if (auto refused = CheckShape(in, {"type", "card", "take"})) return *refused;
  const json& card = in.at("card");
  const json& take = in.at("take");
  if (!card.is_number_integer() || !take.is_array()) {
    return Refuse(ProtocolError::kBadShape, "card, take: a number and an array");
  }
  PlayMessage out;
  const std::optional<int16_t> played = CardOf(card);
  if (!played) return Refuse(ProtocolError::kBadCard, "card: out of range");
  out.play.card = *played;
  if (take.size() > static_cast<std::size_t>(kMaxTakenCards)) {
    return Refuse(ProtocolError::kBadCard, "take: too many cards");
  }
  for (const json& taken : take) {
    if (!taken.is_number_integer()) return Refuse(ProtocolError::kBadShape, "take: not a number");
    const std::optional<int16_t> id = CardOf(taken);
    if (!id) return Refuse(ProtocolError::kBadCard, "take: out of range");
    if (*id == out.play.card || out.play.take.Contains(*id)) {
      return Refuse(ProtocolError::kBadCard, "take: a card named twice");
    }
    out.play.take.PushBack(*id);
  }
  return {out, ProtocolError::kBadShape, {}};
}

ClientParse ParseComputerSeat(const json& in) {
  if (auto refused = CheckShape(in, {"type", "seat", "level"})) return *refused;
  const json& seat = in.at("seat");
  const json& level = in.at("level");
  if (!seat.is_number_integer() || !level.is_string()) {
    return Refuse(ProtocolError::kBadShape, "seat, level: a number and a string");
  }
  if (seat < 0 || seat >= kSeats) return Refuse(ProtocolError::kBadTable, "seat: 0 to 3");
  const std::optional<PlayerLevel> chosen =
      PlayerLevelFromStoredName(level.get_ref<const std::string&>());
  if (!chosen) return Refuse(ProtocolError::kBadTable, "level: not a computer level");
  return {ComputerSeatMessage{seat.get<int16_t>(), *chosen}, ProtocolError::kBadShape, {}};
}

ClientParse ParseBare(const json& in, ClientMessage message) {
  if (auto refused = CheckShape(in, {"type"})) return *refused;
  return {std::move(message), ProtocolError::kBadShape, {}};
}

ClientParse ParseObject(const json& in) {
  if (!in.is_object()) return Refuse(ProtocolError::kNotJson, "not a JSON object");
  const auto type = in.find("type");
  if (type == in.end() || !type->is_string())
    return Refuse(ProtocolError::kBadShape, "type: missing");
  const std::string& name = type->get_ref<const std::string&>();
  if (name == "hello") return ParseHello(in);
  if (name == "host") return ParseHost(in);
  if (name == "join") return ParseJoin(in);
  if (name == "rejoin") return ParseRejoin(in);
  if (name == "play") return ParsePlay(in);
  if (name == "computer-seat") return ParseComputerSeat(in);
  if (name == "leave") return ParseBare(in, LeaveMessage{});
  if (name == "ping") return ParseBare(in, PingMessage{});
  return Refuse(ProtocolError::kUnknownType, "type: no such message");
}

struct ToJson {
  json operator()(const HelloMessage& m) const {
    return {{"type", "hello"}, {"protocol", m.protocol}, {"name", m.name}};
  }
  json operator()(const HostMessage& m) const {
    json seats = json::array();
    for (const SeatChoice& seat : m.seats) {
      seats.push_back(seat.person ? kPersonSeat : PlayerLevelStoredName(seat.level));
    }
    json out = {{"type", "host"}, {"seats", seats}, {"hand_size", m.twelve_card_hands ? 12 : 6}};
    if (m.turn_seconds != 0) out["turn_seconds"] = m.turn_seconds;
    return out;
  }
  json operator()(const JoinMessage& m) const {
    return {{"type", "join"}, {"code", m.code}, {"name", m.name}};
  }
  json operator()(const RejoinMessage& m) const {
    return {{"type", "rejoin"}, {"code", m.code}, {"token", m.token}};
  }
  json operator()(const PlayMessage& m) const {
    return {{"type", "play"}, {"card", m.play.card}, {"take", CardsJson(m.play.take)}};
  }
  json operator()(const ComputerSeatMessage& m) const {
    return {{"type", "computer-seat"}, {"seat", m.seat}, {"level", PlayerLevelStoredName(m.level)}};
  }
  json operator()(const LeaveMessage&) const { return {{"type", "leave"}}; }
  json operator()(const PingMessage&) const { return {{"type", "ping"}}; }
};

}  // namespace

ClientParse ParseClientMessage(std::string_view text) noexcept {
  try {
    if (text.size() > kMaxClientMessage) return Refuse(ProtocolError::kTooLong, "too long");
    const json in = json::parse(text, nullptr, /*allow_exceptions=*/false);
    if (in.is_discarded()) return Refuse(ProtocolError::kNotJson, "not JSON");
    return ParseObject(in);
  } catch (...) {
    // Only memory running out can land here; the connection is refused, the
    // server goes on.
    return {std::nullopt, ProtocolError::kServerProblem, "could not read the message"};
  }
}

std::string ClientMessageToText(const ClientMessage& message) {
  return MessageText(std::visit(ToJson{}, message));
}

}  // namespace vantel
