#include "ui/online_options.h"

#include <algorithm>
#include <cstddef>

#include "codec/player_name.h"
#include "codec/table_address.h"
#include "codec/table_codes.h"
#include "i18n/gettext.h"
#include "ui/online_texts.h"

namespace vantel {
namespace {

constexpr std::string_view kFieldSpace = " \t\r\n";

SeatOccupant OccupantOf(PlayerLevel level) {
  return level == PlayerLevel::kExpert ? SeatOccupant::kExpert : SeatOccupant::kClassic;
}

SeatChoice SeatOf(SeatOccupant occupant) {
  switch (occupant) {
    case SeatOccupant::kPerson: return {true, PlayerLevel::kClassic};
    case SeatOccupant::kExpert: return {false, PlayerLevel::kExpert};
    case SeatOccupant::kClassic: break;
  }
  return {false, PlayerLevel::kClassic};
}

// Code points, counting each byte that does not start one as its own.
std::size_t CodePoints(std::string_view text) {
  return static_cast<std::size_t>(std::ranges::count_if(
      text, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string ServerProblem(std::string_view server) {
  if (server.empty() || ParseTableAddress(server)) return "";
  if (!server.starts_with("ws://") && !server.starts_with("wss://")) return _(kServerWithoutScheme);
  return _(kServerMalformed);
}

std::string NameProblem(std::string_view name) {
  if (name.empty() || IsPlayerName(name)) return "";
  if (IsValidUtf8(name) && CodePoints(name) > kMaxPlayerNameLength) return _(kNameTooLong);
  return _(kNameUnprintable);
}

std::string CodeProblem(std::string_view code) {
  if (code.empty() || IsJoinCode(code)) return "";
  const bool known_symbols = std::ranges::all_of(
      code, [](char c) { return kJoinCodeAlphabet.find(c) != std::string_view::npos; });
  return known_symbols ? _(kCodeLength) : _(kCodeSymbols);
}

// The server and the name, checked: what both Host and Join need.
std::optional<OnlineChoice> Seated(const OnlineControls& controls) {
  OnlineChoice choice;
  choice.server = TrimmedField(controls.server);
  choice.name = TrimmedField(controls.name);
  if (!ParseTableAddress(choice.server) || !IsPlayerName(choice.name)) return std::nullopt;
  return choice;
}

}  // namespace

OnlineControls OnlineControlsFor(const Options& options) {
  OnlineControls c;
  c.server = options.online_server;
  c.name = options.online_name;
  c.others = {OccupantOf(options.opponent_level), OccupantOf(options.partner_level),
              OccupantOf(options.opponent_level)};
  c.six_card_selected = !DealsTwelve(options);
  return c;
}

OnlineProblems OnlineProblemsOf(const OnlineControls& controls) {
  return {ServerProblem(TrimmedField(controls.server)), NameProblem(TrimmedField(controls.name)),
          CodeProblem(FoldJoinCode(controls.code))};
}

std::optional<OnlineChoice> HostChoice(const OnlineControls& controls) {
  std::optional<OnlineChoice> choice = Seated(controls);
  if (!choice) return std::nullopt;
  if (controls.turn_limit_ticked &&
      (controls.turn_seconds < kMinTurnSeconds || controls.turn_seconds > kMaxTurnSeconds)) {
    return std::nullopt;
  }
  choice->host = true;
  choice->table.seats[0] = SeatOf(SeatOccupant::kPerson);
  for (std::size_t i = 0; i < controls.others.size(); ++i)
    choice->table.seats[i + 1] = SeatOf(controls.others[i]);
  choice->table.twelve_card_hands = !controls.six_card_selected;
  choice->table.turn_seconds = controls.turn_limit_ticked ? controls.turn_seconds : 0;
  return choice;
}

std::optional<OnlineChoice> JoinChoice(const OnlineControls& controls) {
  std::optional<OnlineChoice> choice = Seated(controls);
  if (!choice) return std::nullopt;
  choice->host = false;
  choice->code = FoldJoinCode(controls.code);
  if (!IsJoinCode(choice->code)) return std::nullopt;
  return choice;
}

std::string FoldJoinCode(std::string_view typed) {
  std::string code;
  for (char c : typed) {
    if (c == ' ' || c == '-' || c == '\t') continue;
    code += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return code;
}

std::string TrimmedField(std::string_view typed) {
  const std::size_t first = typed.find_first_not_of(kFieldSpace);
  if (first == std::string_view::npos) return "";
  const std::size_t last = typed.find_last_not_of(kFieldSpace);
  return std::string(typed.substr(first, last - first + 1));
}

void RememberOnline(const OnlineChoice& choice, Options& options) {
  options.online_server = choice.server;
  options.online_name = choice.name;
}

}  // namespace vantel
