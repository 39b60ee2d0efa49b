#include "flow/status_text.h"

#include <algorithm>
#include <array>

#include "flow/human_turn.h"

namespace vantel {

namespace {

constexpr std::string_view kDot = " \xB7 ";
constexpr std::array<std::string_view, kSeats> kSeatNames = {"You", "Right", "Partner", "Left"};

std::string Number(int n) {
  return std::to_string(n);
}

std::string MatchScore(const Scores& s) {
  // The match is won by passing the target, so the side needs one more.
  return "We " + Number(s.we_match_points) + std::string(kDot) + "They " +
         Number(s.they_match_points) + std::string(kDot) + "to " + Number(s.match_target + 1);
}

std::string MatchEnd(const Scores& s) {
  const int w = s.we_match_points;
  const int t = s.they_match_points;
  if (s.match_over) {
    const std::string who = w > t ? "We won " : "They won ";
    return who + Number(std::max(w, t)) + " to " + Number(std::min(w, t)) + std::string(kDot) +
           "click to play again";
  }
  if (s.match_tied) return "Tied at " + Number(w) + std::string(kDot) + "click for the next hand";
  return "Click for the next hand";
}

bool ChoosingCapture(const FlowData& f) {
  return IsHumanGatheringState(f.state) && f.turn == kHumanSeat && !f.capture_confirmed;
}

// A computer seat's play runs from its card leaving the hand until the cards
// it took lie in the pile.
bool ComputerPlaying(const FlowData& f) {
  if (f.turn == kHumanSeat || f.turn < 0 || f.turn >= kSeats) return false;
  // The short wait after a card lands belongs to the play it follows.
  switch (f.state == FlowState::kPaused ? f.state_before_pause : f.state) {
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

std::string_view SeatName(int seat) {
  if (seat < 0 || seat >= kSeats) return {};
  return kSeatNames[static_cast<std::size_t>(seat)];
}

std::string StatusText(const Game& g) {
  const FlowData& f = g.flow;
  if (f.game_paused) return "Paused" + std::string(kDot) + "P to resume";
  if (f.state == FlowState::kEndOfMatch) return MatchEnd(g.score);
  if (ChoosingCapture(f)) {
    return "Take cards worth " + Number(PlayedValue(g)) + std::string(kDot) +
           "right-click your card to take nothing";
  }
  if (f.state == FlowState::kNormalPlay && f.turn == kHumanSeat && f.awaiting_human &&
      !f.human_picked) {
    return "Your turn: play a card";
  }
  if (ComputerPlaying(f)) return std::string(SeatName(f.turn)) + " is playing";
  return MatchScore(g.score);
}

}  // namespace vantel
