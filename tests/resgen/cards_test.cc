#include "cards.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "game/cards.h"

namespace vantel {
namespace {

TEST(CardLabelTest, EveryCardNameSpellsARankAndASuit) {
  for (int id = 0; id < kCardCount; ++id) {
    const std::string name = CardPictureName(id);
    const size_t dot = name.find('.');
    ASSERT_NE(dot, std::string::npos) << name;
    // Ranks come four ids at a time, suits cycle C, D, H, S.
    EXPECT_EQ(RankOfLabel(name.substr(0, dot - 1)), id / 4 + 1) << name;
    EXPECT_EQ(SuitOfFileLetter(name[dot - 1]), SuitOfFileLetter("CDHS"[id % 4])) << name;
  }
}

TEST(CardLabelTest, LabelsRoundTripAndNonsenseIsRefused) {
  for (int rank = 1; rank <= 13; ++rank) EXPECT_EQ(RankOfLabel(RankLabel(rank)), rank);
  EXPECT_THROW(RankOfLabel("11"), std::invalid_argument);
  EXPECT_THROW(RankOfLabel(""), std::invalid_argument);
  EXPECT_THROW(SuitOfFileLetter('X'), std::invalid_argument);
}

TEST(CardLabelTest, TheFourFileSuitsAreFourDifferentLatinSuits) {
  std::set<Suit> suits;
  for (char letter : std::string("CDHS")) suits.insert(SuitOfFileLetter(letter));
  EXPECT_EQ(suits.size(), 4u);
  // The letter S is the suit the score page counts as "Clubs": the batons.
  EXPECT_EQ(SuitOfFileLetter('S'), Suit::kBatons);
}

}  // namespace
}  // namespace vantel
