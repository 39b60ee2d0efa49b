#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "codec/protocol_error.h"
#include "game/match_events.h"
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

// A view message read back, or why it could not be.
struct ViewRead {
  std::optional<SeatView> view;
  std::string problem;  // empty when `view` holds one
};

// The client's side of ViewMessage. It checks the shape and the ranges, not
// the rules: the server's word on the match is taken as it is.
ViewRead ViewFromMessage(const nlohmann::json& message);

}  // namespace vantel
