#include "ui/startup_options.h"

#include <gtest/gtest.h>

#include <utility>

#include "flow/layout.h"

namespace vantel {
namespace {

// Options as a previous run of the dialog code could never leave them, so a
// value the start button forgets to store shows up.
Options Scrambled() {
  Options o;
  o.deck = Deck::kTrevigiane;
  o.twelve_card_deal = 7;
  o.full_screen = false;
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

// The players, the window and the animation are what a newcomer looks for
// first; the deck is a matter of taste.
TEST(StartupOptionsTest, LoadingPutsTheOptionsTabInFrontAndNamesTheArchive) {
  Options options;
  options.pak_file_name = "";
  StartupDialogState state{3};
  LoadStartupDialog(options, state);
  EXPECT_EQ(options.pak_file_name, "res065.pak");
  ASSERT_GE(state.current_tab, 0);
  ASSERT_LT(state.current_tab, kStartupTabCount);
  EXPECT_STREQ(kStartupTabNames[static_cast<std::size_t>(state.current_tab)], "Options");
  EXPECT_EQ(state.current_tab, 0);  // and it is the first tab
}

TEST(StartupOptionsTest, UntouchedDialogStartsTheStandardGame) {
  Started s = Start(StartupControls{});
  EXPECT_EQ(s.options.deck, Deck::kBresciane);
  EXPECT_EQ(s.options.twelve_card_deal, 1);
  EXPECT_EQ(HandSize(s.options), 12);
  EXPECT_EQ(CardsPerDeal(s.options), 48);
  EXPECT_FALSE(s.options.slow_animation);
  EXPECT_TRUE(s.options.full_screen);
  EXPECT_EQ(s.options.opponent_level, PlayerLevel::kClassic);
  EXPECT_EQ(s.options.partner_level, PlayerLevel::kClassic);
  EXPECT_EQ(s.options.computer_pace, ComputerPace::kNormal);
  // The layout was computed for that game.
  EXPECT_EQ(s.layout.hand_base_y[0], 420);
  EXPECT_EQ(s.layout.long_move_steps, 20);
  EXPECT_EQ(s.layout.deck_base_x, 5);
}

TEST(StartupOptionsTest, TrevigianeDeckSwitchesTheDeckName) {
  StartupControls controls;
  controls.trevigiane_selected = true;
  Started s = Start(controls);
  EXPECT_EQ(s.options.deck, Deck::kTrevigiane);
}

TEST(StartupOptionsTest, SixCardHandsAndSlowAnimationReachTheLayout) {
  StartupControls controls;
  controls.six_card_selected = true;
  controls.slow_animation_ticked = true;
  Started s = Start(controls);
  EXPECT_EQ(s.options.twelve_card_deal, 0);
  EXPECT_EQ(HandSize(s.options), 6);
  EXPECT_EQ(CardsPerDeal(s.options), 24);
  EXPECT_TRUE(s.options.slow_animation);
  // Stored before the layout is computed, so the layout sees them.
  EXPECT_EQ(s.layout.deck_base_x, 510);
  EXPECT_EQ(s.layout.long_move_steps, 40);
  EXPECT_EQ(s.layout.short_move_steps, 20);
}

// The box opens showing the saved choice: clearing it must take effect.
TEST(StartupOptionsTest, SlowAnimationFollowsTheBox) {
  Options before = Scrambled();
  before.slow_animation = true;
  Started s = Start(StartupControls{}, before);  // box cleared
  EXPECT_FALSE(s.options.slow_animation);
  EXPECT_EQ(s.layout.long_move_steps, 20);
  StartupControls ticked;
  ticked.slow_animation_ticked = true;
  s = Start(ticked);
  EXPECT_TRUE(s.options.slow_animation);
}

TEST(StartupOptionsTest, WindowBoxDecidesTheWindowAndGreyKeepsTheValue) {
  StartupControls ticked;
  ticked.windowed = CheckState::kTicked;
  Options clean;  // full screen
  Started s = Start(ticked, clean);
  EXPECT_FALSE(s.options.full_screen);

  StartupControls grey;
  grey.windowed = CheckState::kGrey;
  s = Start(grey, Scrambled());  // scrambled: windowed
  EXPECT_FALSE(s.options.full_screen);
  s = Start(grey, clean);
  EXPECT_TRUE(s.options.full_screen);
}

// Whatever the options say, the dialog opens showing it, and Play with
// nothing touched gives the same options back.
TEST(StartupOptionsTest, TheDialogOpensWithTheSavedChoicesAndGivesThemBack) {
  Options saved;
  saved.deck = Deck::kTrevigiane;
  saved.twelve_card_deal = 0;
  saved.slow_animation = true;
  saved.full_screen = false;
  saved.scaling = PictureScaling::kSharp;
  saved.opponent_level = PlayerLevel::kExpert;
  saved.computer_pace = ComputerPace::kUnhurried;
  // Each level on its own, so a crossed opponent and partner shows.
  Options expert_partner;
  expert_partner.partner_level = PlayerLevel::kExpert;
  for (const Options& options : {Options{}, saved, expert_partner}) {
    Started s = Start(ControlsFor(options), options);
    EXPECT_EQ(s.options.deck, options.deck);
    EXPECT_EQ(s.options.twelve_card_deal, options.twelve_card_deal);
    EXPECT_EQ(HandSize(s.options), HandSize(options));
    EXPECT_EQ(s.options.slow_animation, options.slow_animation);
    EXPECT_EQ(s.options.full_screen, options.full_screen);
    EXPECT_EQ(s.options.scaling, options.scaling);
    EXPECT_EQ(s.options.opponent_level, options.opponent_level);
    EXPECT_EQ(s.options.partner_level, options.partner_level);
    EXPECT_EQ(s.options.computer_pace, options.computer_pace);
  }
}

TEST(StartupOptionsTest, VersionTextJoinsTheThreeNumbers) {
  EXPECT_EQ(VersionText(2, 0, 0), "Version 2.0.0");
  EXPECT_EQ(VersionText(10, 4, 17), "Version 10.4.17");
}

}  // namespace
}  // namespace vantel
