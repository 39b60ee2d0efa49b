#include "ui/startup_options.h"

#include "i18n/format.h"

namespace vantel {
namespace {

void ApplyCheck(CheckState state, bool when_ticked, bool& option) {
  if (state == CheckState::kTicked) option = when_ticked;
  if (state == CheckState::kClear) option = !when_ticked;
}

}  // namespace

void LoadStartupDialog(Options& options, StartupDialogState& state) {
  options.pak_file_name = "res065.pak";
  state.current_tab = kOptionsTab;
}

void StoreStartOptions(const StartupControls& controls, Options& options) {
  ApplyCheck(controls.windowed, false, options.full_screen);
  options.deck = controls.trevigiane_selected ? Deck::kTrevigiane : Deck::kBresciane;
  // The box opens showing the saved choice, so clearing it must clear it.
  options.slow_animation = controls.slow_animation_ticked;
  options.scaling = controls.scaling;
  options.opponent_level = controls.opponent_level;
  options.partner_level = controls.partner_level;
  options.computer_pace = controls.computer_pace;
  const bool twelve = !controls.six_card_selected;
  options.twelve_card_deal = twelve ? 1 : 0;
}

StartupControls ControlsFor(const Options& options) {
  StartupControls c;
  c.trevigiane_selected = options.deck == Deck::kTrevigiane;
  c.six_card_selected = options.twelve_card_deal == 0;
  c.slow_animation_ticked = options.slow_animation;
  c.windowed = options.full_screen ? CheckState::kClear : CheckState::kTicked;
  c.scaling = options.scaling;
  c.opponent_level = options.opponent_level;
  c.partner_level = options.partner_level;
  c.computer_pace = options.computer_pace;
  return c;
}

std::string VersionText(int major, int minor, int revision) {
  return Format(_("Version %d.%d.%d"), major, minor, revision);
}

}  // namespace vantel
