#include "rules/card_tables.h"

namespace vantel {

void LoadCardNames(CardTables& tables) {
  static constexpr const char* kSuffix[4] = {"C.BMP", "D.BMP", "H.BMP", "S.BMP"};
  for (int r = 0; r <= 8; ++r) {
    for (int s = 0; s < 4; ++s) {
      tables.CardFileName[4 * r + 4 + s] = std::to_string(r + 2) + kSuffix[s];
    }
  }
  static constexpr const char* kLetters[4] = {"A", "J", "Q", "K"};
  static constexpr int kFirstId[4] = {0, 40, 44, 48};
  for (int f = 0; f < 4; ++f) {
    for (int s = 0; s < 4; ++s) {
      tables.CardFileName[kFirstId[f] + s] = std::string(kLetters[f]) + kSuffix[s];
    }
  }
  ParseCardNames(tables);
}

namespace {

// Suit code of a name character; -1 for a character that names no suit.
int SuitCodeOf(char c) {
  switch (c) {
    case 'D': return kSuitD;
    case 'S': return kSuitS;
    case 'C': return kSuitC;
    case 'H': return kSuitH;
    default: return -1;
  }
}

}  // namespace

void ParseCardNames(CardTables& tables) {
  for (int id = 0; id <= 51; ++id) {
    const std::string& name = tables.CardFileName[id];
    if (name.size() < 3) continue;
    int16_t value;
    switch (name[0]) {
      case 'J': value = 11; break;
      case 'Q': value = 12; break;
      case 'K': value = 13; break;
      case 'A': value = 1; break;
      case '1': value = 10; break;
      default: value = static_cast<int16_t>(name[0] - '0'); break;
    }
    tables.CardValue[id] = value;
    // The tens carry their suit in the third character ("10D.BMP"); for the
    // others the third character is '.' and changes nothing.
    for (int i = 1; i <= 2; ++i) {
      const int suit = SuitCodeOf(name[i]);
      if (suit >= 0) tables.CardSuit[id] = suit;
    }
  }
  for (int i = 0; i <= 13; ++i) tables.RankReverse[i] = static_cast<int16_t>(13 - i);
}

}  // namespace vantel
