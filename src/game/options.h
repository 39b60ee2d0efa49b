#pragma once

#include <cstdint>
#include <string>

#include "game/seats.h"

namespace vantel {

// How the 800 x 600 picture is scaled to the window or screen.
enum class PictureScaling { Automatic, Sharp, Smooth };

// The choices of the options dialog, fixed for the run. The member defaults are
// what its start button stores when nothing was touched.
struct Options {
  std::string PakFileName = "res065.pak";
  std::string DeckName = "Royal";  // "Royal" or "Trevigiano": the deck folder
  std::string Resolution = "800x600";
  int16_t ScreenWidth = 800;
  int16_t ScreenHeight = 600;
  bool SlowAnimation = false;
  int32_t TwelveCardDeal = 1;  // 1: one deal of 12; 0: two deals of 6
  bool FullScreen = true;
  // A window's size to open with; 0: the largest whole multiple of 800 x 600
  // that fits the desktop.
  int32_t WindowWidth = 0;
  int32_t WindowHeight = 0;
  PictureScaling Scaling = PictureScaling::Automatic;
};

inline constexpr int16_t kTwelveCardHand = 12;
inline constexpr int16_t kSixCardHand = 6;
// The most cards a hand slot row is laid out for, and the most a seat holds.
inline constexpr int kHandSlots = kTwelveCardHand;

constexpr bool DealsTwelve(const Options& options) {
  return options.TwelveCardDeal == 1;
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
