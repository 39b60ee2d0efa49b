#include "rules/card_tables.h"

#include <gtest/gtest.h>

namespace vantel {
namespace {

class CardTablesTest : public ::testing::Test {
 protected:
  void SetUp() override { LoadCardNames(tables); }
  CardTables tables;
};

TEST_F(CardTablesTest, IdsFollowRankAndFileSuit) {
  EXPECT_EQ(tables.CardFileName[0], "AC.BMP");
  EXPECT_EQ(tables.CardFileName[3], "AS.BMP");
  EXPECT_EQ(tables.CardFileName[4], "2C.BMP");
  EXPECT_EQ(tables.CardFileName[37], "10D.BMP");
  EXPECT_EQ(tables.CardFileName[39], "10S.BMP");
  EXPECT_EQ(tables.CardFileName[40], "JC.BMP");
  EXPECT_EQ(tables.CardFileName[51], "KS.BMP");
  for (int id = 52; id < 56; ++id) EXPECT_TRUE(tables.CardFileName[id].empty());
}

TEST_F(CardTablesTest, ValuesAndSuitCodesComeFromTheNames) {
  for (int id = 0; id <= 51; ++id) EXPECT_EQ(tables.CardValue[id], id / 4 + 1) << id;
  // The tens take their suit from the third character.
  EXPECT_EQ(tables.CardValue[37], 10);
  EXPECT_EQ(tables.CardSuit[37], kSuitD);
  EXPECT_EQ(tables.CardSuit[36], kSuitC);
  EXPECT_EQ(tables.CardSuit[38], kSuitH);
  EXPECT_EQ(tables.CardSuit[39], kSuitS);
  // Suit codes are not file suits: AS is id 3 but code 2, AH is id 2 but code 1.
  EXPECT_EQ(tables.CardSuit[3], 2);
  EXPECT_EQ(tables.CardSuit[2], 1);
  EXPECT_EQ(tables.CardSuit[1], 3);
}

TEST_F(CardTablesTest, RankReverseRunsDownFromThirteen) {
  for (int i = 0; i <= 13; ++i) EXPECT_EQ(tables.RankReverse[i], 13 - i);
}

}  // namespace
}  // namespace vantel
