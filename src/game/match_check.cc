#include "game/match_check.h"

#include <array>
#include <span>
#include <string_view>

namespace vantel {

namespace {

// Far above any real score, far below what an int16_t sum could overflow to.
constexpr int kMaxMatchPoints = 5000;
constexpr int kMaxHandPoints = 200;

bool InRange(int value, int lowest, int highest) {
  return value >= lowest && value <= highest;
}

std::string Problem(std::string_view what, int value) {
  return std::string(what) + " (" + std::to_string(value) + ")";
}

// Where each card is: nowhere yet, or once in a hand, on the table or in a
// side's taken cards.
class CardPlaces {
 public:
  // False when a card is not a card or was placed already.
  bool Place(std::span<const int16_t> cards, std::string& problem, std::string_view where) {
    for (int16_t card : cards) {
      if (!InRange(card, 0, kCardCount - 1)) {
        problem = Problem(std::string(where) + ": not a card", card);
        return false;
      }
      if (placed_[static_cast<size_t>(card)]) {
        problem = Problem(std::string(where) + ": card held twice", card);
        return false;
      }
      placed_[static_cast<size_t>(card)] = true;
      ++count_;
    }
    return true;
  }
  bool Placed(int16_t card) const { return placed_[static_cast<size_t>(card)]; }
  int Count() const { return count_; }

 private:
  std::array<bool, kCardCount> placed_{};
  int count_ = 0;
};

std::string DeckProblem(const MatchState& state) {
  // Before the first deal there is no pack yet.
  if (state.phase == HandPhase::kNotDealt) return {};
  std::array<bool, kCardCount> seen{};
  for (int16_t card : state.deck) {
    if (!InRange(card, 0, kCardCount - 1)) return Problem("pack: not a card", card);
    if (seen[static_cast<size_t>(card)]) return Problem("pack: card twice", card);
    seen[static_cast<size_t>(card)] = true;
  }
  if (!InRange(state.dealt, 0, kCardCount)) return Problem("cards dealt", state.dealt);
  return {};
}

std::string PlacesProblem(const MatchState& state) {
  CardPlaces places;
  std::string problem;
  for (const HandCards& hand : state.hands) {
    if (!places.Place(hand.Span(), problem, "hand")) return problem;
  }
  if (!places.Place(state.table.Span(), problem, "table")) return problem;
  for (const SideState& side : state.sides) {
    if (!places.Place(side.taken.Span(), problem, "taken cards")) return problem;
    for (int16_t marker : side.markers) {
      if (!side.taken.Contains(marker)) return Problem("marker not among the taken cards", marker);
    }
  }
  // Every dealt card is somewhere, and nothing else is.
  if (places.Count() != state.dealt) return Problem("cards placed", places.Count());
  for (int i = 0; i < state.dealt; ++i) {
    const int16_t card = state.deck[static_cast<size_t>(i)];
    if (!places.Placed(card)) return Problem("dealt card missing", card);
  }
  return {};
}

std::string TurnProblem(const MatchState& state) {
  if (!InRange(state.first_seat, 0, kSeats - 1)) return Problem("first seat", state.first_seat);
  if (!InRange(state.turn, 0, kSeats - 1)) return Problem("seat on turn", state.turn);
  if (!InRange(state.cards_played, 0, kCardsPlayedPerHand)) {
    return Problem("cards played", state.cards_played);
  }
  const CaptureMemory& m = state.memory;
  if (!InRange(m.last_capturer, 0, kSeats - 1)) return Problem("last capturer", m.last_capturer);
  if (!InRange(m.last_size, -1, kMaxTakenCards) || !InRange(m.previous_size, -1, kMaxTakenCards)) {
    return Problem("capture size", m.last_size);
  }
  if (state.phase == HandPhase::kPlaying) {
    int held = 0;
    for (const HandCards& hand : state.hands) held += hand.Size();
    if (held + state.cards_played + kOpeningTableCards != state.dealt) {
      return Problem("cards held and played do not add up to the cards dealt", held);
    }
  } else if (state.phase == HandPhase::kNotDealt && state.dealt != 0) {
    return Problem("cards dealt before the first deal", state.dealt);
  }
  return {};
}

std::string ScoreProblem(const MatchState& state) {
  if (!InRange(state.match_target, 1, kMaxMatchPoints)) {
    return Problem("match target", state.match_target);
  }
  if (!InRange(state.history_rows, 0, kHistoryRows)) {
    return Problem("history rows", state.history_rows);
  }
  for (const HistoryRow& row : state.history) {
    if (!InRange(row.we, 0, kMaxMatchPoints) || !InRange(row.they, 0, kMaxMatchPoints)) {
      return Problem("history", row.we);
    }
  }
  for (const SideState& side : state.sides) {
    if (!InRange(side.match_points, 0, kMaxMatchPoints)) {
      return Problem("match points", side.match_points);
    }
    const HandScore& h = side.hand;
    for (int16_t v : {h.scua, h.simili, h.picada, h.quadriglia, h.napula, h.batons, h.batons_point,
                      h.cards_point, h.two_of_batons, h.ten_of_coins, h.jack_of_swords, h.points}) {
      if (!InRange(v, 0, kMaxHandPoints)) return Problem("hand score", v);
    }
  }
  return {};
}

}  // namespace

std::string MatchStateProblem(const MatchState& state) {
  for (auto check : {DeckProblem, PlacesProblem, TurnProblem, ScoreProblem}) {
    std::string problem = check(state);
    if (!problem.empty()) return problem;
  }
  return {};
}

}  // namespace vantel
