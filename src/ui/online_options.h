#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "game/options.h"
#include "game/seats.h"
#include "ui/online_choice.h"

namespace vantel {

// Who the host puts at one of the three other seats.
enum class SeatOccupant { kPerson, kClassic, kExpert };
inline constexpr int kSeatOccupantCount = 3;
inline constexpr int kOtherSeatCount = kSeats - 1;

// The turn limit's box opens at this, long enough to think, short enough
// that nobody waits for someone who went to make coffee.
inline constexpr int kDefaultTurnSeconds = 60;

// What the "Play online" tab's controls show, kept apart from the widgets so
// that what Host and Join hand over can be tested without a screen.
struct OnlineControls {
  std::string server;
  std::string name;
  // Seats 1 to 3 (index seat - 1): the opponent on the right, the partner
  // opposite, the opponent on the left.
  std::array<SeatOccupant, kOtherSeatCount> others{
      {SeatOccupant::kClassic, SeatOccupant::kClassic, SeatOccupant::kClassic}};
  bool six_card_selected = false;
  bool turn_limit_ticked = false;
  int turn_seconds = kDefaultTurnSeconds;
  std::string code;
};

// The tab as the dialog opens: the server and name remembered, the computer
// seats at the Options tab's levels and its hand size.
OnlineControls OnlineControlsFor(const Options& options);

// What is wrong with each field, in the reader's language; empty where
// nothing is. An empty field says nothing (its example shows what to type)
// but still keeps Host and Join from closing the dialog.
struct OnlineProblems {
  std::string server;
  std::string name;
  std::string code;
};

OnlineProblems OnlineProblemsOf(const OnlineControls& controls);

// What Host and Join hand over; nothing when the controls do not make one,
// so that the dialog never closes on bad input.
std::optional<OnlineChoice> HostChoice(const OnlineControls& controls);
std::optional<OnlineChoice> JoinChoice(const OnlineControls& controls);

// A join code as the table reads it: upper case, without the spaces and
// dashes a code read aloud or copied from a message tends to carry.
std::string FoldJoinCode(std::string_view typed);

// The server or name a person typed, without the white space around it that
// a paste brings along.
std::string TrimmedField(std::string_view typed);

// The server and name used, for the next run's dialog (the settings file
// keeps them with the options).
void RememberOnline(const OnlineChoice& choice, Options& options);

}  // namespace vantel
