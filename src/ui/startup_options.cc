#include "ui/startup_options.h"

namespace vantel {
namespace {

void ApplyCheck(CheckState state, bool whenTicked, bool& option) {
  if (state == CheckState::Ticked) option = whenTicked;
  if (state == CheckState::Clear) option = !whenTicked;
}

}  // namespace

void LoadStartupDialog(Options& options, StartupDialogState& state) {
  options.PakFileName = "res065.pak";
  state.CurrentTab = 0;
}

void StoreStartOptions(const StartupControls& controls, Options& options) {
  ApplyCheck(controls.Windowed, false, options.FullScreen);
  options.DeckName = controls.TrevigianeSelected ? "Trevigiano" : "Royal";
  options.Resolution = "800x600";
  // The box opens showing the saved choice, so clearing it must clear it.
  options.SlowAnimation = controls.SlowAnimationTicked;
  options.Scaling = controls.Scaling;
  const bool twelve = !controls.SixCardSelected;
  options.TwelveCardDeal = twelve ? 1 : 0;
  const bool small = options.Resolution == "800x600";
  options.ScreenWidth = small ? 800 : 1024;
  options.ScreenHeight = small ? 600 : 768;
}

StartupControls ControlsFor(const Options& options) {
  StartupControls c;
  c.TrevigianeSelected = options.DeckName == "Trevigiano";
  c.SixCardSelected = options.TwelveCardDeal == 0;
  c.SlowAnimationTicked = options.SlowAnimation;
  c.Windowed = options.FullScreen ? CheckState::Clear : CheckState::Ticked;
  c.Scaling = options.Scaling;
  return c;
}

std::string VersionText(int major, int minor, int revision) {
  return "Version " + std::to_string(major) + "." + std::to_string(minor) + "." +
         std::to_string(revision);
}

}  // namespace vantel
