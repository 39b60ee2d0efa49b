#include "app/run_app.h"

#include <SDL.h>

#include <cstdio>
#include <optional>
#include <utility>

#include "app/archive_entries.h"
#include "app/fatal_message.h"
#include "app/game_session.h"
#include "app/match_keeping.h"
#include "app/stop_guard.h"
#include "pak/sdl/sdl_picture_converter.h"
#include "pak/unpack.h"
#include "ui/online_choice.h"
#include "ui/startup_timing.h"

namespace vantel {
namespace {

struct GameEnd {
  std::string fatal_message;  // for the box; "" when the game ended normally
  bool window_lost = false;
};

GameEnd PlayGame(const Options& options, const ResourceRoot& root, AppPorts& ports, StopGuard& stop,
                 const std::optional<SavedMatch>& resume) {
  GameEnd end;
  try {
    GameSession session(options, root, ports, stop, resume);
    session.StartGame();
    end.window_lost = session.WindowLost();
  } catch (const FatalError& e) {
    end.fatal_message = FatalMessageText(e);
  }
  return end;
}

}  // namespace

int RunApp(const std::filesystem::path& app_folder, AppPorts& ports) {
  Options options;
  const std::filesystem::path archive = app_folder / options.pak_file_name;
  // The signals are the guard's: SDL's own handlers would only queue a quit
  // event, which nobody reads while the dialog is up or the main thread is
  // stuck in a driver.
  StopGuard stop;
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // The video system starts while the dialog is up, not after Play.
  SDL_InitSubSystem(SDL_INIT_VIDEO);
  if (ports.load_settings) ports.load_settings(options);
  StatisticsAccess statistics;
  if (StatisticsStore* store = ports.statistics) {
    statistics.read = [store] { return store->Current(); };
    statistics.reset = [store] { return store->Reset(); };
  }
  // A match resumed starts at once: its players are its own.
  const std::optional<SavedMatch> resume = MatchToResume(ports);
  // Where and how to play online, when the dialog's "Play online" tab closed it.
  std::optional<OnlineChoice> online;
  if (!resume && !ports.skip_dialog) {
    OnlineChoice chosen;
    const StartupChoice choice =
        ports.show_startup_dialog(options, ArchiveEntriesOf(archive), statistics, chosen);
    if (choice == StartupChoice::kExit) {
      SDL_Quit();
      return ShutDown("", ports.show_fatal_message);
    }
    if (choice == StartupChoice::kPlayOnline) online = std::move(chosen);
  }
  // From Play on the main thread looks for a stop between two unpacked files
  // and before each frame.
  stop.SetWake([] {});
  if (ports.save_settings) ports.save_settings(options);
  MarkStartupPhase("settings saved");

  SdlPictureConverter converter;
  const UnpackResult unpacked =
      Unpack(app_folder, options.pak_file_name, converter, [&stop] { return stop.Caught() != 0; });
  // Asked to stop: what was written is gone again, and there is nothing to tell.
  if (unpacked.status == UnpackStatus::kInterrupted) {
    SDL_Quit();
    return ExitStatusForSignal(stop.Caught());
  }
  stop.SetWake(nullptr);  // a box, if any, does not look
  if (!unpacked.Succeeded()) return ShutDown(unpacked.message, ports.show_fatal_message);
  MarkStartupPhase("unpack and picture conversion");

  if (unpacked.root.is_private) stop.SetRunFolder(unpacked.root.folder);
  stop.SetWake([] {});
  const GameEnd end = PlayGame(options, unpacked.root, ports, stop, resume);
  stop.SetWake(nullptr);
  if (end.window_lost) {
    // SDL_Quit would wait for the destroyed window, like the release did not.
    std::fprintf(stderr, "vantel: %s\n", WindowLostMessage().c_str());
    return kExitFailure;
  }
  SDL_Quit();
  return ShutDown(end.fatal_message, ports.show_fatal_message);
}

}  // namespace vantel
