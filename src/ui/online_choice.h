#pragma once

#include <string>

#include "codec/client_messages.h"

namespace vantel {

// What the "Play online" tab hands over when Host or Join closes the dialog:
// everything the connection needs, already checked.
struct OnlineChoice {
  std::string server;  // as typed, valid for ParseTableAddress
  std::string name;    // valid for IsPlayerName
  bool host = true;    // else join
  HostMessage table;   // when hosting: seats[0] is the host's person seat; hand size; turn_seconds
  std::string code;    // when joining, upper case, valid for IsJoinCode
  bool operator==(const OnlineChoice&) const = default;
};

}  // namespace vantel
