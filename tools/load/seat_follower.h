#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "codec/client_messages.h"
#include "game/cards.h"
#include "game/seats.h"

namespace vantel {

// What the load tool knows of one table across its four simulated people:
// each seat's hand as that seat's own messages told it. Since the tool holds
// all four connections, a card another seat still holds that turns up in a
// message to this one is a card its seat could not see.
struct TableKnowledge {
  std::array<std::vector<int16_t>, kSeats> held;
};

// One simulated person's picture of the table, from its own messages only.
struct SeatFollower {
  int seat = -1;
  std::vector<int16_t> hand;
  std::vector<int16_t> table;
  int turn = -1;
  bool playing = false;  // a hand is in play and this seat knows its cards
};

// What one message from the server meant to the load tool.
struct MessageMeaning {
  std::string type;          // the message's "type"; empty when it had none
  int leaks = 0;             // cards in it this seat could not see
  int played_by = -1;        // the seat whose play it reported (events)
  bool hand_scored = false;  // the hand ended with it
  bool malformed = false;    // not a message this protocol sends
};

// Follows one message to `follower`'s seat: its hand, the table and whose turn
// it is; counts its leaks against what the other seats hold, and takes the
// cards played out of their holders' hands.
MessageMeaning FollowMessage(const nlohmann::json& message, SeatFollower& follower,
                             TableKnowledge& table);

// A play a person could make now: a card of the hand (chosen by `draw`, a
// number below the hand's size), taking the first capture it has, if any.
PlayMessage ChooseLoadPlay(const SeatFollower& follower, std::size_t draw);

}  // namespace vantel
