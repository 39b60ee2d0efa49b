#include "online/guessed_deal.h"

#include <array>
#include <cstddef>

#include "game/match_rules.h"

namespace vantel {

std::optional<MatchState> GuessedDeal(const SeatView& view) {
  const MatchState& seen = view.Masked();
  if (seen.phase != HandPhase::kPlaying || seen.cards_played != 0) return std::nullopt;

  // Where each place of the pack ends up: a deal of the places themselves.
  DeckOrder places{};
  for (int i = 0; i < kCardCount; ++i)
    places[static_cast<std::size_t>(i)] = static_cast<int16_t>(i);
  MatchState placed = seen;
  DealHand(placed, places, seen.first_seat);
  const HandCards& own_places = placed.hands[static_cast<std::size_t>(view.Seat())];
  if (own_places.Size() != view.Hand().Size() || placed.table.Size() != view.Table().Size()) {
    return std::nullopt;
  }

  constexpr int16_t kUnplaced = -1;
  DeckOrder deck{};
  deck.fill(kUnplaced);
  std::array<bool, kCardCount> seen_card{};
  const auto put = [&](int16_t place, int16_t card) {
    if (card < 0 || card >= kCardCount || seen_card[static_cast<std::size_t>(card)]) return false;
    seen_card[static_cast<std::size_t>(card)] = true;
    deck[static_cast<std::size_t>(place)] = card;
    return true;
  };
  for (int i = 0; i < own_places.Size(); ++i) {
    if (!put(own_places[i], view.Hand()[i])) return std::nullopt;
  }
  for (int i = 0; i < placed.table.Size(); ++i) {
    if (!put(placed.table[i], view.Table()[i])) return std::nullopt;
  }
  int16_t guess = 0;
  for (int16_t& card : deck) {
    if (card != kUnplaced) continue;
    while (guess < kCardCount && seen_card[static_cast<std::size_t>(guess)]) ++guess;
    if (guess == kCardCount) return std::nullopt;
    card = guess++;
  }

  MatchState dealt = seen;
  DealHand(dealt, deck, seen.first_seat);
  return dealt;
}

}  // namespace vantel
