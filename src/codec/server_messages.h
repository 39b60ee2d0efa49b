#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "codec/protocol_error.h"
#include "game/match_events.h"
#include "game/options.h"
#include "game/seat_view.h"

namespace vantel {

// What a table server sends one seat. Each message is built from that seat's
// view, never from the match state, so a card the seat may not see cannot be
// written: other hands travel as their sizes, the pack as its size.

// "view": everything the seat may see now. A client starts from it and after
// a reconnect.
nlohmann::json ViewMessage(const SeatView& view);

// "events": what one play did, for the seat whose view `after` is (taken
// just after the play). Every event is public except the second deal, which
// carries the seat's own new cards and nothing of the others'.
nlohmann::json EventsMessage(const MatchEvents& events, const SeatView& after);

// "error": a refusal's code and a short English reason.
nlohmann::json ErrorMessage(ProtocolError code, std::string_view message);

// The messages of a table's life, none of which carries a card.

// "welcome": the answer to hello.
nlohmann::json WelcomeMessage();

// "seated": the connection holds `seat` at the table `code`; `token` takes
// the seat back after a lost connection, so the client keeps it and shows it
// to nobody.
nlohmann::json SeatedMessage(std::string_view code, int seat, std::string_view token);

// Who holds a seat now.
enum class SeatPresence : int8_t {
  kOpen,      // a person's seat nobody has joined yet
  kHere,      // its person is connected
  kAway,      // its person lost the connection; the seat waits for them
  kStandIn,   // its person has been away too long: the computer plays until they are back
  kComputer,  // a computer player's seat
};

struct SeatInfo {
  std::string name;  // a person's; empty for a computer seat or one not taken yet
  SeatPresence presence = SeatPresence::kComputer;
  PlayerLevel level = PlayerLevel::kClassic;  // of the computer, where it plays
  bool operator==(const SeatInfo&) const = default;
};

// "seats": every seat's holder, the host's seat and the turn limit (0: none).
nlohmann::json SeatsMessage(const std::array<SeatInfo, kSeats>& seats, int host_seat,
                            int turn_seconds);

// Why a table ended, or why the connection is no longer at it.
enum class TableEnd : int8_t {
  kMatchOver,      // a side won the match
  kLeft,           // this connection left the table
  kEveryoneLeft,   // no person is left at the table
  kReplaced,       // another connection took the seat back with its token
  kServerClosing,  // the server is shutting down
};

// "table-ended": the connection is no longer at a table; it may host or
// join another.
nlohmann::json TableEndedMessage(TableEnd reason);

// "pong": the answer to ping.
nlohmann::json PongMessage();

// "draining": the server is shutting down; the table ends when the hand in
// play is over, or after `seconds` at the latest.
nlohmann::json DrainingMessage(int seconds);

// The most messages one hand sends a seat that a rejoining seat is given
// again: the dealt view and one "events" message for each card played.
inline constexpr int kMaxHandSoFarMessages = 1 + kCardsPlayedPerHand;

// "hand-so-far": after a rejoin during a hand, the messages the seat was sent
// since that hand's view, oldest first, each as the JSON object it was. A
// client that cannot take up a hand from its middle follows it from the deal.
// `texts` are messages this codec wrote for that seat.
nlohmann::json HandSoFarMessage(const std::vector<std::string>& texts);

// A view message read back, or why it could not be.
struct ViewRead {
  std::optional<SeatView> view;
  std::string problem;  // empty when `view` holds one
};

// The client's side of ViewMessage. It checks the shape and the ranges, not
// the rules: the server's word on the match is taken as it is.
ViewRead ViewFromMessage(const nlohmann::json& message);

// The client's side of the other messages. Each reads a message of its type
// (the caller has looked at "type") and checks shape and ranges; nothing
// when the message is not one the server sends.

// A play as an "events" message reports it.
struct PlayReport {
  int16_t seat = 0;
  int16_t card = 0;
  CardList<kMaxTakenCards> taken;  // the table cards it took, by id
  // Six-card hands, when the play brought the second deal: the receiving
  // seat's own six new cards.
  std::optional<HandCards> second_deal;
  bool operator==(const PlayReport&) const = default;
};
std::optional<PlayReport> PlayReportFromMessage(const nlohmann::json& message);

struct SeatedReport {
  std::string code;
  int seat = 0;
  std::string token;
};
std::optional<SeatedReport> SeatedFromMessage(const nlohmann::json& message);

struct SeatsReport {
  std::array<SeatInfo, kSeats> seats{};
  int host_seat = 0;
  int turn_seconds = 0;
};
std::optional<SeatsReport> SeatsFromMessage(const nlohmann::json& message);

std::optional<TableEnd> TableEndFromMessage(const nlohmann::json& message);

// A "hand-so-far" message's inner messages as compact texts, oldest first,
// each ready to be read as if it had come on its own. Nothing unless they
// are a hand's view followed by at most one "events" message per card played.
std::optional<std::vector<std::string>> HandSoFarFromMessage(const nlohmann::json& message);

// An "error" message's code.
std::optional<ProtocolError> ErrorCodeFromMessage(const nlohmann::json& message);

}  // namespace vantel
