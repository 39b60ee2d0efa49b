#pragma once

#include "canvas.h"

namespace vantel {

// Colours shared by the suit emblems, figures and indices of both decks.
inline constexpr Rgb kInk = Hex(0x231A14);
inline constexpr Rgb kGold = Hex(0xE8B830);
inline constexpr Rgb kGoldDark = Hex(0xA8741A);
inline constexpr Rgb kCupRed = Hex(0xC0282C);
inline constexpr Rgb kSteel = Hex(0xB8C8DC);
inline constexpr Rgb kSteelDark = Hex(0x4A6488);
inline constexpr Rgb kWood = Hex(0x9A6234);
inline constexpr Rgb kBatonGreen = Hex(0x2E7D3A);
inline constexpr Rgb kSkin = Hex(0xF4CFA8);
inline constexpr Rgb kWhite = Hex(0xFFFFFF);

}  // namespace vantel
