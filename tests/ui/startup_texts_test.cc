#include "ui/startup_texts.h"

#include <gtest/gtest.h>

#include <string_view>

#include "ui/startup_options.h"

namespace vantel {
namespace {

// The dialog speaks to players, not to the people who build the game: no
// library names, screen modes or bracketed notes in what they read first.
TEST(StartupTextsTest, TheOptionsAndDeckTextsAreFreeOfJargon) {
  for (const char* text :
       {kStartHintText, kBrescianeOption, kTrevigianeOption, kBrescianeDescription,
        kTrevigianeDescription, kTwelveCardOption, kTwelveCardNote, kSixCardOption, kSixCardNote,
        kSlowAnimationOption, kSlowAnimationNote, kWindowedOption, kWindowedNote, kScalingNote}) {
    const std::string_view t(text);
    for (const std::string_view jargon :
         {"SDL", "800x600", "resolution", "[", "computers", "Click for"}) {
      EXPECT_EQ(t.find(jargon), std::string_view::npos) << '"' << t << "\" says " << jargon;
    }
  }
}

}  // namespace
}  // namespace vantel
