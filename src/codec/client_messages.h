#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "codec/protocol_error.h"
#include "game/match_rules.h"
#include "game/options.h"
#include "game/seats.h"

namespace vantel {

// What a client may send a table server. Every message is one JSON object
// whose "type" names it; its other fields are exactly the ones below.

// A client's longest message is a play or a name; anything longer is not one.
inline constexpr std::size_t kMaxClientMessage = 4096;

// The first message of a connection.
struct HelloMessage {
  int protocol = kProtocolVersion;
  std::string name;
  bool operator==(const HelloMessage&) const = default;
};

// Who sits at each seat of a table to host: a person (the host takes the
// first such seat, people who join the others) or a computer player.
struct SeatChoice {
  bool person = false;
  PlayerLevel level = PlayerLevel::kClassic;  // of a computer seat
  bool operator==(const SeatChoice&) const = default;
};

// A turn limit of a hosted table: off, or this many seconds.
inline constexpr int kMinTurnSeconds = 10;
inline constexpr int kMaxTurnSeconds = 600;

// By default the table of the game on one screen: the host at seat 0, the
// Classic players at the others.
struct HostMessage {
  std::array<SeatChoice, kSeats> seats{{{true, PlayerLevel::kClassic}, {}, {}, {}}};
  bool twelve_card_hands = true;
  // 0: a person may think as long as they like; otherwise the computer plays
  // a turn left longer than this.
  int turn_seconds = 0;
  bool operator==(const HostMessage&) const = default;
};

struct JoinMessage {
  std::string code;
  std::string name;
  bool operator==(const JoinMessage&) const = default;
};

struct RejoinMessage {
  std::string code;
  std::string token;
  bool operator==(const RejoinMessage&) const = default;
};

// The card played and the table cards it takes (ids); whether the rules
// allow it is the table's question.
struct PlayMessage {
  Play play;
  bool operator==(const PlayMessage&) const = default;
};

// The host hands a person's seat nobody holds now (not joined yet, or away)
// to a computer player.
struct ComputerSeatMessage {
  int16_t seat = 0;
  PlayerLevel level = PlayerLevel::kClassic;
  bool operator==(const ComputerSeatMessage&) const = default;
};

struct LeaveMessage {
  bool operator==(const LeaveMessage&) const = default;
};

struct PingMessage {
  bool operator==(const PingMessage&) const = default;
};

using ClientMessage = std::variant<HelloMessage, HostMessage, JoinMessage, RejoinMessage,
                                   PlayMessage, ComputerSeatMessage, LeaveMessage, PingMessage>;

// A message read, or the code to refuse it with and a short English reason.
struct ClientParse {
  std::optional<ClientMessage> message;
  ProtocolError error = ProtocolError::kBadShape;
  std::string problem;  // empty when `message` holds one
};

// Reads raw text off the wire. Refuses, never throws: too long, not JSON,
// not an object, an unknown type, a field missing, unknown or of the wrong
// type, a string that is not UTF-8 or out of bounds, a card out of range.
ClientParse ParseClientMessage(std::string_view text) noexcept;

// The text a client sends for `message`; what ParseClientMessage reads back.
std::string ClientMessageToText(const ClientMessage& message);

}  // namespace vantel
