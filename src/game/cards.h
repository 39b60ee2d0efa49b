#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantel {

// The pack: forty numerals and twelve courts, four suits of thirteen values.
inline constexpr int kCardCount = 52;
inline constexpr int kSuitCount = 4;
inline constexpr int kLowestValue = 1;       // the ace
inline constexpr int kHighestValue = 13;     // the king
inline constexpr int kHighestSumValue = 10;  // no card above a ten takes by sum
inline constexpr int kJackValue = 11;

// The suit as the rules order it (sorting, Simili, the C tie-break). The
// card id orders suits differently (C, D, H, S, the picture order); the two
// orders must never be merged.
enum class SuitCode : int8_t { kC = 0, kH = 1, kS = 2, kD = 3 };

// Which point card of the hand scoring a card is: the two of S, the ten of D
// and the jack of H each earn a point.
enum class ScoredKey : int8_t { kNone, kTwoOfS, kTenOfD, kJackOfH };

// Everything the game knows about one card.
struct Card {
  int16_t value = 0;  // what captures add up: 1 ace .. 10, 11 jack, 12 queen, 13 king
  SuitCode suit = SuitCode::kC;
  std::string_view rank_letters;  // "A", "2" .. "10", "J", "Q", "K"
  char suit_letter = '\0';        // 'C', 'D', 'H' or 'S'
  ScoredKey scored_key = ScoredKey::kNone;
  // The computer players hold on to the two of C, the ten of D and the jack of
  // H. The scoring counts the two of S instead; the players keep to their
  // three all the same.
  bool computer_key = false;
};

namespace card_detail {

inline constexpr std::array<char, kSuitCount> kIdSuitLetters = {'C', 'D', 'H', 'S'};
inline constexpr std::array<SuitCode, kSuitCount> kIdSuits = {SuitCode::kC, SuitCode::kD,
                                                              SuitCode::kH, SuitCode::kS};
inline constexpr std::array<std::string_view, kHighestValue> kRankLetters = {
    "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};

constexpr Card MakeCard(int id) {
  const int value = id / kSuitCount + 1;
  const char letter = kIdSuitLetters[id % kSuitCount];
  Card card;
  card.value = static_cast<int16_t>(value);
  card.suit = kIdSuits[id % kSuitCount];
  card.rank_letters = kRankLetters[value - 1];
  card.suit_letter = letter;
  if (value == 2 && letter == 'S') card.scored_key = ScoredKey::kTwoOfS;
  if (value == 10 && letter == 'D') card.scored_key = ScoredKey::kTenOfD;
  if (value == kJackValue && letter == 'H') card.scored_key = ScoredKey::kJackOfH;
  card.computer_key = (value == 2 && letter == 'C') || (value == 10 && letter == 'D') ||
                      (value == kJackValue && letter == 'H');
  return card;
}

inline constexpr Card kNoCard{};

constexpr std::array<Card, kCardCount> MakeDeck() {
  std::array<Card, kCardCount> deck{};
  for (int id = 0; id < kCardCount; ++id) deck[id] = MakeCard(id);
  return deck;
}

}  // namespace card_detail

// Card id = 4 * (value - 1) + picture suit (C 0, D 1, H 2, S 3): id 0 is the
// ace of C, 37 the ten of D, 51 the king of S.
inline constexpr std::array<Card, kCardCount> kCards = card_detail::MakeDeck();

constexpr int16_t CardIdOf(int value, char suit_letter) {
  int suit = 0;
  while (suit < kSuitCount && card_detail::kIdSuitLetters[suit] != suit_letter) ++suit;
  return static_cast<int16_t>(kSuitCount * (value - 1) + suit);
}

// The card of an id. A position that holds no card (an id outside the pack)
// reads as a card of no value, of clubs, and no key card, so a stray id never
// indexes past the table.
constexpr const Card& CardOf(int id) {
  return id >= 0 && id < kCardCount ? kCards[id] : card_detail::kNoCard;
}

constexpr int16_t ValueOf(int id) {
  return CardOf(id).value;
}
constexpr SuitCode SuitOf(int id) {
  return CardOf(id).suit;
}

// The picture of a card inside a deck folder, the same in every deck:
// "AC.BMP", "10D.BMP", "KS.BMP".
std::string CardPictureName(int id);

}  // namespace vantel
