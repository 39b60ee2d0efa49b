#include "game/options.h"

#include <gtest/gtest.h>

namespace vantel {
namespace {

TEST(OptionsTest, SecondDealIsDueOnlyWhenTheFirstOfSixIsPlayedOut) {
  Options six;
  six.twelve_card_deal = 0;
  const Options twelve;
  for (int played = 0; played <= kCardsPlayedPerHand; ++played) {
    EXPECT_EQ(SecondDealDue(six, played), played == kSeats * kSixCardHand) << played;
    EXPECT_FALSE(SecondDealDue(twelve, played)) << played;
  }
}

}  // namespace
}  // namespace vantel
