#include "flow/seat_player.h"

#include <cstddef>
#include <utility>

namespace vantel {

SeatPlayers::SeatPlayers(const SeatPlayers& other) {
  *this = other;
}

SeatPlayers& SeatPlayers::operator=(const SeatPlayers& other) {
  if (this == &other) return *this;
  for (std::size_t s = 0; s < players_.size(); ++s) {
    players_[s] = other.players_[s] ? other.players_[s]->Fresh() : nullptr;
  }
  return *this;
}

void SeatPlayers::Seat(int seat, std::unique_ptr<SeatPlayer> player) {
  players_.at(static_cast<std::size_t>(seat)) = std::move(player);
}

SeatPlayer* SeatPlayers::At(int seat) const {
  return players_.at(static_cast<std::size_t>(seat)).get();
}

void SeatPlayers::DropAll() {
  for (const auto& player : players_) {
    if (player) player->Drop();
  }
}

}  // namespace vantel
