#pragma once

#include <cstdint>
#include <string>

#include "game/seats.h"

namespace vantel {

// How the 800 x 600 picture is scaled to the window or screen.
enum class PictureScaling { kAutomatic, kSharp, kSmooth };

// The choices of the options dialog, fixed for the run. The member defaults are
// what its start button stores when nothing was touched.
struct Options {
  std::string pak_file_name = "res065.pak";
  std::string deck_name = "Royal";  // "Royal" or "Trevigiano": the deck folder
  std::string resolution = "800x600";
  int16_t screen_width = 800;
  int16_t screen_height = 600;
  bool slow_animation = false;
  int32_t twelve_card_deal = 1;  // 1: one deal of 12; 0: two deals of 6
  bool full_screen = true;
  // A window's size to open with; 0: the largest whole multiple of 800 x 600
  // that fits the desktop.
  int32_t window_width = 0;
  int32_t window_height = 0;
  PictureScaling scaling = PictureScaling::kAutomatic;
};

inline constexpr int16_t kTwelveCardHand = 12;
inline constexpr int16_t kSixCardHand = 6;
// The most cards a hand slot row is laid out for, and the most a seat holds.
inline constexpr int kHandSlots = kTwelveCardHand;

constexpr bool DealsTwelve(const Options& options) {
  return options.twelve_card_deal == 1;
}

// Cards each seat is dealt at once: twelve in one deal, or six in each of two.
constexpr int16_t HandSize(const Options& options) {
  return DealsTwelve(options) ? kTwelveCardHand : kSixCardHand;
}

// Cards dealt to the seats in one deal.
constexpr int16_t CardsPerDeal(const Options& options) {
  return static_cast<int16_t>(kSeats * HandSize(options));
}

}  // namespace vantel
