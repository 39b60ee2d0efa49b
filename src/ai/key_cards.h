#pragma once

#include <array>
#include <string_view>

namespace vantel {

// The cards the computer players value most. They are known by file name;
// note that the hand scoring counts the two of S, not the two of C, as a key
// card, and the players keep to these three all the same.
inline constexpr std::string_view kTwoOfC = "2C.BMP";
inline constexpr std::string_view kTenOfD = "10D.BMP";
inline constexpr std::string_view kJackOfH = "JH.BMP";
inline constexpr std::array<std::string_view, 3> kKeyCardNames = {kTwoOfC, kTenOfD, kJackOfH};

inline bool IsKeyCardName(std::string_view name) {
  for (std::string_view key : kKeyCardNames) {
    if (name == key) return true;
  }
  return false;
}

}  // namespace vantel
