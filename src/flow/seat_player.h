#pragma once

#include <array>
#include <memory>
#include <optional>

#include "game/seat_view.h"
#include "game/seats.h"

namespace vantel {

// Who plays a seat that the table's own mouse and keys do not: a computer
// player, or a person at another table. When the seat is on turn the flow
// asks it once and then looks for the answer every frame, animating on
// meanwhile, so a seat may answer at once or many frames later. A seat sees
// the match only through the view it is asked with.
class SeatPlayer {
 public:
  SeatPlayer() = default;
  SeatPlayer(const SeatPlayer&) = delete;
  SeatPlayer& operator=(const SeatPlayer&) = delete;
  SeatPlayer(SeatPlayer&&) = delete;
  SeatPlayer& operator=(SeatPlayer&&) = delete;
  virtual ~SeatPlayer() = default;

  // The seat is on turn and may see `view`.
  virtual void Ask(const SeatView& view) = 0;
  // The play once decided, handed over once; nothing while the seat is still
  // deciding. A seat that can no longer decide throws FatalError: the hand
  // cannot go on without its play.
  virtual std::optional<SeatDecision> Answer() = 0;
  // Forgets an open question without waiting for its answer.
  virtual void Drop() = 0;
  // A player of the same kind with no question open.
  virtual std::unique_ptr<SeatPlayer> Fresh() const = 0;
};

// The players of the four seats; an empty seat is the person's at this
// table. A copy seats fresh players of the same kinds, so a copied game never
// takes or drops another's answer.
class SeatPlayers {
 public:
  SeatPlayers() = default;
  SeatPlayers(const SeatPlayers& other);
  SeatPlayers& operator=(const SeatPlayers& other);
  SeatPlayers(SeatPlayers&&) noexcept = default;
  SeatPlayers& operator=(SeatPlayers&&) noexcept = default;
  ~SeatPlayers() = default;

  void Seat(int seat, std::unique_ptr<SeatPlayer> player);
  // Nothing for the person's seat.
  SeatPlayer* At(int seat) const;
  // Every open question forgotten: a new hand, or the game is left.
  void DropAll();

 private:
  std::array<std::unique_ptr<SeatPlayer>, kSeats> players_;
};

}  // namespace vantel
