#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vantel {

// The table's messages change shape only with a new version; a client that
// says hello with another one is refused rather than misread.
inline constexpr int kProtocolVersion = 1;

// Why the server refused a message. The set is fixed: a client words each
// code in its own language, so the message text beside it is only a hint.
enum class ProtocolError : int8_t {
  kTooLong,        // over kMaxClientMessage bytes
  kNotJson,        // not one JSON object
  kBadShape,       // a field missing, unknown, of the wrong type or length
  kUnknownType,    // "type" names no message
  kBadVersion,     // a protocol version this server does not speak
  kBadName,        // a player's name that is empty, too long or not printable
  kBadCode,        // not a join code
  kBadToken,       // not a seat token
  kBadCard,        // a card out of range, named twice or too many to take
  kBadTable,       // a table to host that cannot be played
  kRefusedPlay,    // the rules refuse the play (the message says why)
  kNoSuchTable,    // no table has this join code
  kTableFull,      // every seat for a person is taken
  kNotAtTable,     // a play or a leave from a client with no seat
  kServerProblem,  // the server could not do what was asked
  kOutOfOrder,     // a message the connection may not send now (no hello yet, host twice)
  kServerBusy,     // the server takes no new table now: full, or closing
  kRateLimited,    // more messages than the server takes from one connection
  kNotHost,        // a host's request from another seat
};

inline constexpr int kProtocolErrorCount = 19;

// The code as it travels ("bad-shape").
std::string_view ProtocolErrorName(ProtocolError error);
std::optional<ProtocolError> ProtocolErrorFromName(std::string_view name);

}  // namespace vantel
