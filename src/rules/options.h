#pragma once

#include <cstdint>
#include <string>

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
  int16_t HandSize = 12;
  int16_t CardsPerDeal = 48;
  bool FullScreen = true;
  // A window's size to open with; 0: the largest whole multiple of 800 x 600
  // that fits the desktop.
  int32_t WindowWidth = 0;
  int32_t WindowHeight = 0;
  PictureScaling Scaling = PictureScaling::Automatic;
};

}  // namespace vantel
