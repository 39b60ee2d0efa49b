#include "ui/startup_options.h"

#include <gtest/gtest.h>

#include <utility>

#include "game/layout.h"

namespace vantel {
namespace {

// Options as a previous run of the dialog code could never leave them, so a
// value the start button forgets to store shows up.
Options Scrambled() {
  Options o;
  o.DeckName = "";
  o.Resolution = "";
  o.ScreenWidth = 0;
  o.ScreenHeight = 0;
  o.TwelveCardDeal = 7;
  o.FullScreen = false;
  return o;
}

struct Started {
  Options options;
  Layout layout;
  StartupDialogState state;
};

Started Start(const StartupControls& controls, Options options = Scrambled()) {
  Started s{std::move(options), Layout{}, {}};
  LoadStartupDialog(s.options, s.state);
  StoreStartOptions(controls, s.options);
  SetupLayout(s.options, s.layout);  // what the game made from them will use
  return s;
}

TEST(StartupOptionsTest, LoadingPutsTheDeckTabInFrontAndNamesTheArchive) {
  Options options;
  options.PakFileName = "";
  StartupDialogState state{3};
  LoadStartupDialog(options, state);
  EXPECT_EQ(options.PakFileName, "res065.pak");
  EXPECT_EQ(state.CurrentTab, 0);
}

TEST(StartupOptionsTest, UntouchedDialogStartsTheStandardGame) {
  Started s = Start(StartupControls{});
  EXPECT_EQ(s.options.DeckName, "Royal");
  EXPECT_EQ(s.options.Resolution, "800x600");
  EXPECT_EQ(s.options.ScreenWidth, 800);
  EXPECT_EQ(s.options.ScreenHeight, 600);
  EXPECT_EQ(s.options.TwelveCardDeal, 1);
  EXPECT_EQ(HandSize(s.options), 12);
  EXPECT_EQ(CardsPerDeal(s.options), 48);
  EXPECT_FALSE(s.options.SlowAnimation);
  EXPECT_TRUE(s.options.FullScreen);
  // The layout was computed for that game.
  EXPECT_EQ(s.layout.HandBaseY[0], 420);
  EXPECT_EQ(s.layout.LongMoveSteps, 20);
  EXPECT_EQ(s.layout.DeckBaseX, 5);
}

TEST(StartupOptionsTest, TrevigianeDeckSwitchesTheDeckName) {
  StartupControls controls;
  controls.TrevigianeSelected = true;
  Started s = Start(controls);
  EXPECT_EQ(s.options.DeckName, "Trevigiano");
  EXPECT_EQ(s.options.Resolution, "800x600");
  EXPECT_EQ(s.options.ScreenWidth, 800);
}

TEST(StartupOptionsTest, SixCardHandsAndSlowAnimationReachTheLayout) {
  StartupControls controls;
  controls.SixCardSelected = true;
  controls.SlowAnimationTicked = true;
  Started s = Start(controls);
  EXPECT_EQ(s.options.TwelveCardDeal, 0);
  EXPECT_EQ(HandSize(s.options), 6);
  EXPECT_EQ(CardsPerDeal(s.options), 24);
  EXPECT_TRUE(s.options.SlowAnimation);
  // Stored before the layout is computed, so the layout sees them.
  EXPECT_EQ(s.layout.DeckBaseX, 510);
  EXPECT_EQ(s.layout.LongMoveSteps, 40);
  EXPECT_EQ(s.layout.ShortMoveSteps, 20);
}

// The box opens showing the saved choice: clearing it must take effect.
TEST(StartupOptionsTest, SlowAnimationFollowsTheBox) {
  Options before = Scrambled();
  before.SlowAnimation = true;
  Started s = Start(StartupControls{}, before);  // box cleared
  EXPECT_FALSE(s.options.SlowAnimation);
  EXPECT_EQ(s.layout.LongMoveSteps, 20);
  StartupControls ticked;
  ticked.SlowAnimationTicked = true;
  s = Start(ticked);
  EXPECT_TRUE(s.options.SlowAnimation);
}

TEST(StartupOptionsTest, WindowBoxDecidesTheWindowAndGreyKeepsTheValue) {
  StartupControls ticked;
  ticked.Windowed = CheckState::Ticked;
  Options clean;  // full screen
  Started s = Start(ticked, clean);
  EXPECT_FALSE(s.options.FullScreen);

  StartupControls grey;
  grey.Windowed = CheckState::Grey;
  s = Start(grey, Scrambled());  // scrambled: windowed
  EXPECT_FALSE(s.options.FullScreen);
  s = Start(grey, clean);
  EXPECT_TRUE(s.options.FullScreen);
}

// Whatever the options say, the dialog opens showing it, and Play with
// nothing touched gives the same options back.
TEST(StartupOptionsTest, TheDialogOpensWithTheSavedChoicesAndGivesThemBack) {
  Options saved;
  saved.DeckName = "Trevigiano";
  saved.TwelveCardDeal = 0;
  saved.SlowAnimation = true;
  saved.FullScreen = false;
  saved.Scaling = PictureScaling::Sharp;
  for (const Options& options : {Options{}, saved}) {
    Started s = Start(ControlsFor(options), options);
    EXPECT_EQ(s.options.DeckName, options.DeckName);
    EXPECT_EQ(s.options.TwelveCardDeal, options.TwelveCardDeal);
    EXPECT_EQ(HandSize(s.options), HandSize(options));
    EXPECT_EQ(s.options.SlowAnimation, options.SlowAnimation);
    EXPECT_EQ(s.options.FullScreen, options.FullScreen);
    EXPECT_EQ(s.options.Scaling, options.Scaling);
  }
}

TEST(StartupOptionsTest, VersionTextJoinsTheThreeNumbers) {
  EXPECT_EQ(VersionText(2, 0, 0), "Version 2.0.0");
  EXPECT_EQ(VersionText(10, 4, 17), "Version 10.4.17");
}

}  // namespace
}  // namespace vantel
