#pragma once

namespace vantel {

inline constexpr int kSeats = 4;
inline constexpr int kHumanSeat = 0;  // where the game seats the person

enum class Side { kWe, kThey };

// Seats 0 and 2 play for We, anything else for They.
constexpr Side SideOfSeat(int seat) {
  return (seat == 0 || seat == 2) ? Side::kWe : Side::kThey;
}

}  // namespace vantel
