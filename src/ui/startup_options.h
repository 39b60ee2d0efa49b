#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/options.h"
#include "i18n/gettext.h"
#include "ui/online_texts.h"
#include "ui/statistics_texts.h"

namespace vantel {

// A check box of the options dialog; a grey box leaves its option unchanged.
enum class CheckState { kClear, kTicked, kGrey };

// What the options dialog's controls show when its start button is pressed.
// Kept apart from the widgets so what the start button stores can be tested
// without a screen.
struct StartupControls {
  bool trevigiane_selected = false;  // else the Bresciane deck (selected at load)
  bool six_card_selected = false;    // else "12-card hand" (selected at load)
  bool slow_animation_ticked = false;
  CheckState windowed = CheckState::kClear;  // "Play in a window"
  PictureScaling scaling = PictureScaling::kAutomatic;
  PlayerLevel opponent_level = PlayerLevel::kClassic;
  PlayerLevel partner_level = PlayerLevel::kClassic;
  ComputerPace computer_pace = ComputerPace::kNormal;
};

// The controls as the dialog opens: what the options (the saved settings, or
// the defaults) say.
StartupControls ControlsFor(const Options& options);

// The dialog's tabs in their order: the choices most players make first.
enum StartupTab {
  kOptionsTab,
  kOnlineTab,
  kDeckTab,
  kKeysTab,
  kRulesTab,
  kCreditsTab,
  kStatisticsTab
};
inline constexpr int kStartupTabCount = 7;
// By StartupTab. Marked for translation; shown through _() (an underscore
// marks the Alt key that opens the tab).
inline constexpr std::array<const char*, kStartupTabCount> kStartupTabNames = {
    N_("Options"), kOnlineTabName, N_("Deck"),        N_("Keys"),
    N_("Rules"),   N_("Credits"),  kStatisticsTabName};

struct StartupDialogState {
  int16_t current_tab = 0;
};

// The dialog's load: the archive name, the "Options" tab in front.
void LoadStartupDialog(Options& options, StartupDialogState& state);

// The start button: stores the choices in the order the game expects. The
// screen layout follows from the options when the game is
// made (MakeGame); the unpacking that follows is the caller's.
void StoreStartOptions(const StartupControls& controls, Options& options);

// "Version 2.0.0", in the reader's language.
std::string VersionText(int major, int minor, int revision);

}  // namespace vantel
