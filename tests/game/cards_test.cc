#include "game/cards.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/test_cards.h"

namespace vantel {
namespace {

TEST(CardsTest, IdsFollowValueAndPictureSuit) {
  EXPECT_EQ(CardPictureName(0), "AC.BMP");
  EXPECT_EQ(CardPictureName(3), "AS.BMP");
  EXPECT_EQ(CardPictureName(4), "2C.BMP");
  EXPECT_EQ(CardPictureName(37), "10D.BMP");
  EXPECT_EQ(CardPictureName(39), "10S.BMP");
  EXPECT_EQ(CardPictureName(40), "JC.BMP");
  EXPECT_EQ(CardPictureName(51), "KS.BMP");
  std::set<std::string> names;
  for (int id = 0; id < kCardCount; ++id) {
    EXPECT_EQ(kCards[id].value, id / 4 + 1) << id;
    EXPECT_EQ(CardIdOf(kCards[id].value, kCards[id].suit_letter), id);
    EXPECT_EQ(CardId(kCards[id].value, kCards[id].suit_letter), id);
    // The suit names the same card as the picture's letter.
    EXPECT_EQ(CardIdOf(kCards[id].value, kCards[id].suit), id);
    EXPECT_EQ(IdSuitPlace(kCards[id].suit), id % kSuitCount);
    names.insert(CardPictureName(id));
  }
  EXPECT_EQ(names.size(), static_cast<size_t>(kCardCount));
}

TEST(CardsTest, SuitsFollowTheRulesOrderNotThePictureOrder) {
  EXPECT_EQ(SuitOf(CardId(10, 'D')), Suit::kCoins);
  EXPECT_EQ(SuitOf(CardId(10, 'C')), Suit::kCups);
  EXPECT_EQ(SuitOf(CardId(10, 'H')), Suit::kSwords);
  EXPECT_EQ(SuitOf(CardId(10, 'S')), Suit::kBatons);
  // The ace of batons is id 3 and the ace of swords id 2, but batons sort
  // before coins and after swords.
  EXPECT_EQ(static_cast<int>(SuitOf(3)), 2);
  EXPECT_EQ(static_cast<int>(SuitOf(2)), 1);
  EXPECT_EQ(static_cast<int>(SuitOf(1)), 3);
}

TEST(CardsTest, ScoringAndComputerPlayersKnowDifferentTwos) {
  int scored = 0, computer = 0;
  for (const Card& card : kCards) {
    scored += card.scored_key != ScoredKey::kNone;
    computer += card.computer_key;
  }
  EXPECT_EQ(scored, 3);
  EXPECT_EQ(computer, 3);
  EXPECT_EQ(CardOf(CardId(2, 'S')).scored_key, ScoredKey::kTwoOfBatons);
  EXPECT_FALSE(CardOf(CardId(2, 'S')).computer_key);
  EXPECT_EQ(CardOf(CardId(2, 'C')).scored_key, ScoredKey::kNone);
  EXPECT_TRUE(CardOf(CardId(2, 'C')).computer_key);
  for (const int16_t id : {CardId(10, 'D'), CardId(11, 'H')}) EXPECT_TRUE(CardOf(id).computer_key);
  EXPECT_EQ(CardOf(CardId(10, 'D')).scored_key, ScoredKey::kTenOfCoins);
  EXPECT_EQ(CardOf(CardId(11, 'H')).scored_key, ScoredKey::kJackOfSwords);
}

TEST(CardsTest, AnIdOutsideThePackIsNoCard) {
  for (const int id : {-1, kCardCount, 55, 1000}) {
    EXPECT_EQ(ValueOf(id), 0) << id;
    EXPECT_EQ(SuitOf(id), Suit::kCups) << id;
    EXPECT_FALSE(CardOf(id).computer_key) << id;
    EXPECT_EQ(CardOf(id).scored_key, ScoredKey::kNone) << id;
    EXPECT_EQ(CardPictureName(id), "") << id;
  }
}

// The identities are fixed at compile time: no loader has to run first.
static_assert(kCards[37].value == 10 && kCards[37].suit == Suit::kCoins);
static_assert(CardIdOf(13, 'S') == 51);

}  // namespace
}  // namespace vantel
