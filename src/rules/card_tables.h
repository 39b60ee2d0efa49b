#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vantel {

// Card identity. A card id is 4 * (rank - 1) + file suit, with file suits
// C = 0, D = 1, H = 2, S = 3; the suit *code* used by the rules is another
// order (C = 0, H = 1, S = 2, D = 3) and the two must never be merged.
struct CardTables {
  std::array<std::string, 56> CardFileName{};  // "AC.BMP" .. "KS.BMP" for ids 0..51
  std::array<int16_t, 55> CardValue{};         // 1..13
  std::array<int32_t, 55> CardSuit{};          // suit code
  std::array<int16_t, 16> RankReverse{};       // 13 - i for i = 0..13
};

inline constexpr int kSuitC = 0;
inline constexpr int kSuitH = 1;
inline constexpr int kSuitS = 2;
inline constexpr int kSuitD = 3;

// Fills the names, then the values and suits from the names.
void LoadCardNames(CardTables& tables);
void ParseCardNames(CardTables& tables);

}  // namespace vantel
