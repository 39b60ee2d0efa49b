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

// The suit as the rules order it (sorting, Simili, the cups tie-break). The
// card id orders suits differently (cups, coins, swords, batons: the picture
// order of the letters C, D, H, S); the two orders must never be merged.
enum class Suit : int8_t { kCups = 0, kSwords = 1, kBatons = 2, kCoins = 3 };

// Which point card of the hand scoring a card is: the two of batons, the ten
// of coins and the jack of swords each earn a point.
enum class ScoredKey : int8_t { kNone, kTwoOfBatons, kTenOfCoins, kJackOfSwords };

// Everything the game knows about one card.
struct Card {
  int16_t value = 0;  // what captures add up: 1 ace .. 10, 11 jack, 12 queen, 13 king
  Suit suit = Suit::kCups;
  std::string_view rank_letters;  // "A", "2" .. "10", "J", "Q", "K"
  char suit_letter = '\0';        // of the picture's name: 'C', 'D', 'H' or 'S'
  ScoredKey scored_key = ScoredKey::kNone;
  // The computer players hold on to the two of cups, the ten of coins and the
  // jack of swords. The scoring counts the two of batons instead; the players
  // keep to their three all the same.
  bool computer_key = false;
};

namespace card_detail {

// Both indexed by the suit's place in the card id.
inline constexpr std::array<char, kSuitCount> kIdSuitLetters = {'C', 'D', 'H', 'S'};
inline constexpr std::array<Suit, kSuitCount> kIdSuits = {Suit::kCups, Suit::kCoins, Suit::kSwords,
                                                          Suit::kBatons};
inline constexpr std::array<std::string_view, kHighestValue> kRankLetters = {
    "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};

constexpr Card MakeCard(int id) {
  const int value = id / kSuitCount + 1;
  const Suit suit = kIdSuits[id % kSuitCount];
  Card card;
  card.value = static_cast<int16_t>(value);
  card.suit = suit;
  card.rank_letters = kRankLetters[value - 1];
  card.suit_letter = kIdSuitLetters[id % kSuitCount];
  if (value == 2 && suit == Suit::kBatons) card.scored_key = ScoredKey::kTwoOfBatons;
  if (value == 10 && suit == Suit::kCoins) card.scored_key = ScoredKey::kTenOfCoins;
  if (value == kJackValue && suit == Suit::kSwords) card.scored_key = ScoredKey::kJackOfSwords;
  card.computer_key = (value == 2 && suit == Suit::kCups) ||
                      (value == 10 && suit == Suit::kCoins) ||
                      (value == kJackValue && suit == Suit::kSwords);
  return card;
}

inline constexpr Card kNoCard{};

constexpr std::array<Card, kCardCount> MakeDeck() {
  std::array<Card, kCardCount> deck{};
  for (int id = 0; id < kCardCount; ++id) deck[id] = MakeCard(id);
  return deck;
}

}  // namespace card_detail

// Card id = 4 * (value - 1) + picture suit (cups 0, coins 1, swords 2,
// batons 3): id 0 is the ace of cups, 37 the ten of coins, 51 the king of
// batons.
inline constexpr std::array<Card, kCardCount> kCards = card_detail::MakeDeck();

// The suit's place in the card id and in the pictures' order (cups 0 .. batons 3).
constexpr int IdSuitPlace(Suit suit) {
  int place = 0;
  while (place < kSuitCount && card_detail::kIdSuits[place] != suit) ++place;
  return place;
}

// By the letter of the picture's name, as the card files spell it.
constexpr int16_t CardIdOf(int value, char suit_letter) {
  int suit = 0;
  while (suit < kSuitCount && card_detail::kIdSuitLetters[suit] != suit_letter) ++suit;
  return static_cast<int16_t>(kSuitCount * (value - 1) + suit);
}

constexpr int16_t CardIdOf(int value, Suit suit) {
  return static_cast<int16_t>(kSuitCount * (value - 1) + IdSuitPlace(suit));
}

// The card of an id. A position that holds no card (an id outside the pack)
// reads as a card of no value, of cups, and no key card, so a stray id never
// indexes past the table.
constexpr const Card& CardOf(int id) {
  return id >= 0 && id < kCardCount ? kCards[id] : card_detail::kNoCard;
}

constexpr int16_t ValueOf(int id) {
  return CardOf(id).value;
}
constexpr Suit SuitOf(int id) {
  return CardOf(id).suit;
}

// The picture of a card inside a deck folder, the same in every deck:
// "AC.BMP", "10D.BMP", "KS.BMP".
std::string CardPictureName(int id);

}  // namespace vantel
