#include "app/app_main.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "app/command_line.h"
#include "app/run_app.h"
#include "app/saved_match_file.h"
#include "app/settings_file.h"
#include "app/statistics_file.h"
#include "app/statistics_store.h"
#include "app/stop_guard.h"
#include "i18n/format.h"
#include "i18n/gettext.h"
#include "i18n/localisation.h"
#include "pak/program_folder.h"
#include "platform/window_loss.h"
#include "ui/message_box.h"
#include "ui/startup_dialog.h"
#include "ui/startup_texts.h"

namespace vantel {
namespace {

// The run's guard knows its run folder; before and after the run there is none.
void EndForLostDisplay() {
  if (StopGuard* stop = StopGuard::Current()) stop->EndForLostDisplay();
  EndProcessNow({kExitFailure, DisplayLostMessage(), {}});
}

// Puts Xlib's own handler back however Main ends.
struct DisplayConnectionWatch {
  DisplayConnectionWatch() { WatchDisplayConnection(EndForLostDisplay); }
  ~DisplayConnectionWatch() { StopWatchingDisplayConnection(); }
  DisplayConnectionWatch(const DisplayConnectionWatch&) = delete;
  DisplayConnectionWatch& operator=(const DisplayConnectionWatch&) = delete;
};

}  // namespace

int Main(int argc, char** argv) {
  const std::filesystem::path app_folder = ProgramFolder(argc > 0 ? argv[0] : nullptr);
  StartLocalisation(app_folder);
  const CommandLine line = ParseCommandLine(argc, argv);
  if (line.exit_status) {
    std::fputs(line.out.c_str(), stdout);
    std::fputs(line.err.c_str(), stderr);
    return *line.exit_status;
  }
  // A write past a file-size limit then fails with a reason to show instead
  // of killing the game.
  std::signal(SIGXFSZ, SIG_IGN);
  if (!InitGtk()) {
    const char* display = std::getenv("DISPLAY");
    std::fprintf(
        stderr, "vantel: %s\n",
        display
            ? Format(_("cannot open the display %s; the game needs a desktop."), display).c_str()
            : _("cannot open the display; the game needs a desktop."));
    return kExitFailure;
  }
  // From here on a broken connection to the X server ends the game with a
  // word and without its run folder, not silently inside Xlib.
  const DisplayConnectionWatch display_watch;
  AppPorts ports;
  ports.show_startup_dialog = RunStartupDialog;
  ports.show_fatal_message = [](std::string_view text) { ShowErrorBox(kDialogTitle, text); };
  const std::filesystem::path settings = SettingsPath();
  ports.load_settings = [settings](Options& options) {
    const std::string problem = LoadSettings(settings, options);
    if (!problem.empty()) std::fprintf(stderr, "vantel: %s\n", problem.c_str());
  };
  // A read-only folder costs the saving, said once, and nothing else.
  ports.save_settings = [settings, said = false](const Options& options) mutable {
    const std::string problem = SaveSettings(settings, options);
    if (!problem.empty() && !said) std::fprintf(stderr, "vantel: %s\n", problem.c_str());
    said = said || !problem.empty();
  };
  StatisticsStore statistics(StatisticsPath(), [](std::string_view problem) {
    std::fprintf(stderr, "vantel: %.*s\n", static_cast<int>(problem.size()), problem.data());
  });
  statistics.Load();
  ports.statistics = &statistics;
  ports.full_screen_this_run = line.full_screen;
  ports.skip_dialog = line.skip_dialog;
  ports.online = line.online;
  ports.saved_match_file = SavedMatchPath();
  ports.resume = line.resume;
  ports.offer_resume = [](const SavedMatch& saved) {
    const MatchState& m = saved.match;
    return AskEitherOr(
        kDialogTitle,
        Format(_("You left a match unfinished: We %d, They %d, playing to %d.\n"
                 "Resume it?"),
               m.Of(Side::kWe).match_points, m.Of(Side::kThey).match_points, m.match_target + 1),
        _("Resume"), _("New match"));
  };
  ports.show_frame_rate = line.show_frame_rate;
  return RunApp(app_folder, ports);
}

}  // namespace vantel
