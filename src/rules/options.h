#pragma once

#include <cstdint>
#include <string>

namespace vantel {

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
};

}  // namespace vantel
