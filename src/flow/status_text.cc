#include "flow/status_text.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "flow/human_turn.h"
#include "i18n/marker.h"

namespace vantel {

namespace {

constexpr std::array<const char*, kSeats> kSeatNames = {N_("You"), N_("Right"), N_("Partner"),
                                                        N_("Left")};

// Indexed by StatusKind. The dot between parts has a cell on the table fonts.
constexpr std::array<const char*, 25> kStatusPatterns = {
    // TRANSLATORS: Escape was pressed during a match; the match is kept for the next start.
    N_("Leave? Esc or Return saves and leaves · a click plays on"),
    N_("Paused · P to resume"),
    N_("We won %d to %d · click to play again"),
    N_("They won %d to %d · click to play again"),
    N_("Tied at %d · click for the next hand"),
    N_("Click for the next hand"),
    N_("Take a sum of %d · none: Backspace or right-click your card"),
    N_("Your turn: play a card"),
    N_("Right is playing"),
    N_("Partner is playing"),
    N_("Left is playing"),
    // TRANSLATORS: the reasons of the hint (H); Scua, Picada, Quadriglia and
    // Simili are the game's own words.
    N_("Hint: it takes the whole table · Scua"),
    N_("Hint: it takes the card just laid · Picada"),
    N_("Hint: it takes three cards or more · Quadriglia"),
    N_("Hint: it takes cards all of its suit · Simili"),
    N_("Hint: it takes a 2-10-J card before they can"),
    N_("Hint: the best capture here takes %d"),
    N_("Hint: nothing to take · no card left to Picada it"),
    N_("Hint: nothing to take · %d of its value still unseen"),
    // TRANSLATORS: the running match score; the last number is the points to reach.
    N_("We %d · They %d · to %d"),
    // TRANSLATORS: network play, before the first deal; the code is six letters and digits.
    N_("Waiting for players · table code %s"),
    // TRANSLATORS: network play; the name is a person's at another screen.
    N_("%s is playing"),
    N_("%s is away · the table waits"),
    // TRANSLATORS: said to the host of a network table only; C is the key.
    N_("%s is away · C: the computer plays for them"),
    // TRANSLATORS: network play; the game is connecting to the table again.
    N_("Connection lost · rejoining the table"),
};

bool NamesSomeone(StatusKind kind) {
  return kind == StatusKind::kWaitingForPeople || kind == StatusKind::kPersonPlaying ||
         kind == StatusKind::kPersonAway || kind == StatusKind::kPersonAwayHostMayGive;
}

StatusLine MatchEnd(const ShownScore& s) {
  const int w = s.we_total;
  const int t = s.they_total;
  if (s.MatchDecided()) {
    return {w > t ? StatusKind::kWeWon : StatusKind::kTheyWon, {std::max(w, t), std::min(w, t)}};
  }
  if (s.outcome == MatchOutcome::kTied) return {StatusKind::kTied, {w}};
  return {StatusKind::kNextHand, {}};
}

// On the person's turn: the hint's reason while its card is framed.
StatusLine HintOrYourTurn(const HintExplained& hint) {
  if (hint.reason == HintReason::kNone) return {StatusKind::kYourTurn, {}};
  const int offset = static_cast<int>(hint.reason) - static_cast<int>(HintReason::kScua);
  return {static_cast<StatusKind>(static_cast<int>(StatusKind::kHintScua) + offset), {hint.count}};
}

// A computer seat's play runs from its card leaving the hand until the cards
// it took lie in the pile.
bool ComputerPlaying(const Game& g) {
  const FlowData& f = g.flow;
  if (f.turn == PersonSeat(g) || f.turn < 0 || f.turn >= kSeats) return false;
  // The short wait after a card lands belongs to the play it follows.
  switch (f.state == FlowState::kTimedWait ? f.state_before_timed_wait : f.state) {
    case FlowState::kNormalPlay:
    case FlowState::kTheyGettingCardsGathering:
    case FlowState::kTheyGettingSpecialGathering:
    case FlowState::kTheyGettingCards:
    case FlowState::kTheyGettingSpecial:
    case FlowState::kWeGettingCardsGathering:
    case FlowState::kWeGettingSpecialGathering:
    case FlowState::kWeGettingCards:
    case FlowState::kWeGettingSpecial: return true;
    default: return false;
  }
}

int PlayedValue(const Game& g) {
  if (g.model.table_count < 1) return 0;
  return ValueOf(g.model.table[static_cast<std::size_t>(g.model.table_count - 1)].card);
}

}  // namespace

std::string_view SeatName(int place) {
  if (place < 0 || place >= kSeats) return {};
  return kSeatNames[static_cast<std::size_t>(place)];
}

StatusLine StatusOf(const Game& g) {
  const FlowData& f = g.flow;
  if (g.aids.asking_to_leave) return {StatusKind::kLeaveQuestion, {}};
  if (f.game_paused) return {StatusKind::kPaused, {}};
  const TablePeople& people = g.aids.people;
  if (people.rejoining) return {StatusKind::kTableLost, {}};
  if (people.waiting) return {StatusKind::kWaitingForPeople, {}, people.code};
  if (f.state == FlowState::kEndOfMatch) return MatchEnd(g.score);
  if (CaptureChoicePending(g)) return {StatusKind::kTakeCards, {PlayedValue(g)}};
  if (HumanToPlay(g)) return HintOrYourTurn(g.flow.hint_reason);
  if (ComputerPlaying(g) && !people.names[static_cast<std::size_t>(f.turn)].empty()) {
    const auto seat = static_cast<std::size_t>(f.turn);
    StatusKind kind = StatusKind::kPersonPlaying;
    if (people.away[seat]) {
      kind = people.host ? StatusKind::kPersonAwayHostMayGive : StatusKind::kPersonAway;
    }
    return {kind, {}, people.names[seat]};
  }
  if (ComputerPlaying(g)) {
    constexpr std::array<StatusKind, kSeats> kPlaying = {
        StatusKind::kYourTurn, StatusKind::kRightPlaying, StatusKind::kPartnerPlaying,
        StatusKind::kLeftPlaying};
    return {kPlaying[static_cast<std::size_t>(PlaceOfSeat(g.options, f.turn))], {}};
  }
  // The match is won by passing the target, so the side needs one more.
  const ShownScore& s = g.score;
  return {StatusKind::kMatchScore, {s.we_total, s.they_total, s.match_target + 1}};
}

const char* StatusPattern(StatusKind kind) {
  return kStatusPatterns[static_cast<std::size_t>(kind)];
}

std::string FillStatus(const char* pattern, const StatusLine& line) {
  std::array<char, 4 * kStatusTextMaxChars> text{};
  // The patterns come from this file or from the catalogue, whose compiler
  // checks that a translation keeps the conversions of its English.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  const int n = NamesSomeone(line.kind)
                    ? std::snprintf(text.data(), text.size(), pattern, line.name.c_str())
                    : std::snprintf(text.data(), text.size(), pattern, line.numbers[0],
                                    line.numbers[1], line.numbers[2]);
#pragma GCC diagnostic pop
  if (n < 0) return {};
  return std::string(text.data(),
                     std::min<std::size_t>(static_cast<std::size_t>(n), text.size() - 1));
}

std::string StatusText(const Game& g) {
  const StatusLine line = StatusOf(g);
  return FillStatus(StatusPattern(line.kind), line);
}

}  // namespace vantel
