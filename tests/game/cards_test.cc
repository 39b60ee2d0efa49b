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
    names.insert(CardPictureName(id));
  }
  EXPECT_EQ(names.size(), static_cast<size_t>(kCardCount));
}

TEST(CardsTest, SuitsFollowTheRulesOrderNotThePictureOrder) {
  EXPECT_EQ(SuitOf(CardId(10, 'D')), SuitCode::kD);
  EXPECT_EQ(SuitOf(CardId(10, 'C')), SuitCode::kC);
  EXPECT_EQ(SuitOf(CardId(10, 'H')), SuitCode::kH);
  EXPECT_EQ(SuitOf(CardId(10, 'S')), SuitCode::kS);
  // The ace of S is id 3 and the ace of H id 2, but S sorts before D and after H.
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
  EXPECT_EQ(CardOf(CardId(2, 'S')).scored_key, ScoredKey::kTwoOfS);
  EXPECT_FALSE(CardOf(CardId(2, 'S')).computer_key);
  EXPECT_EQ(CardOf(CardId(2, 'C')).scored_key, ScoredKey::kNone);
  EXPECT_TRUE(CardOf(CardId(2, 'C')).computer_key);
  for (const int16_t id : {CardId(10, 'D'), CardId(11, 'H')}) EXPECT_TRUE(CardOf(id).computer_key);
  EXPECT_EQ(CardOf(CardId(10, 'D')).scored_key, ScoredKey::kTenOfD);
  EXPECT_EQ(CardOf(CardId(11, 'H')).scored_key, ScoredKey::kJackOfH);
}

TEST(CardsTest, AnIdOutsideThePackIsNoCard) {
  for (const int id : {-1, kCardCount, 55, 1000}) {
    EXPECT_EQ(ValueOf(id), 0) << id;
    EXPECT_EQ(SuitOf(id), SuitCode::kC) << id;
    EXPECT_FALSE(CardOf(id).computer_key) << id;
    EXPECT_EQ(CardOf(id).scored_key, ScoredKey::kNone) << id;
    EXPECT_EQ(CardPictureName(id), "") << id;
  }
}

// The identities are fixed at compile time: no loader has to run first.
static_assert(kCards[37].value == 10 && kCards[37].suit == SuitCode::kD);
static_assert(CardIdOf(13, 'S') == 51);

}  // namespace
}  // namespace vantel
