#include "app/run_app.h"

#include <SDL.h>

#include "app/archive_entries.h"
#include "app/fatal_message.h"
#include "app/game_session.h"
#include "app/startup_signals.h"
#include "pak/sdl/sdl_picture_converter.h"
#include "pak/unpack.h"
#include "ui/startup_timing.h"

namespace vantel {
namespace {

std::string PlayGame(const Options& options, const ResourceRoot& root, AppPorts& ports) {
  try {
    GameSession session(options, root, ports);
    session.StartGame();
  } catch (const FatalError& e) {
    return FatalMessageText(e);
  }
  return "";
}

}  // namespace

int RunApp(const std::filesystem::path& app_folder, AppPorts& ports) {
  Options options;
  const std::filesystem::path archive = app_folder / options.pak_file_name;
  // The video system starts while the dialog is up, not after Play.
  SDL_InitSubSystem(SDL_INIT_VIDEO);
  if (ports.load_settings) ports.load_settings(options);
  StatisticsAccess statistics;
  if (StatisticsStore* store = ports.statistics) {
    statistics.read = [store] { return store->Current(); };
    statistics.reset = [store] { return store->Reset(); };
  }
  if (!ports.skip_dialog && ports.show_startup_dialog(options, ArchiveEntriesOf(archive),
                                                      statistics) == StartupChoice::kExit) {
    SDL_Quit();
    return ShutDown("", ports.show_fatal_message);
  }
  if (ports.save_settings) ports.save_settings(options);
  MarkStartupPhase("settings saved");

  SdlPictureConverter converter;
  UnpackResult unpacked;
  {
    const StartupSignals signals;
    unpacked = Unpack(app_folder, options.pak_file_name, converter,
                      [&signals] { return signals.Caught() != 0; });
    // Asked to stop: what was written is gone again, and there is nothing to tell.
    if (unpacked.status == UnpackStatus::kInterrupted) {
      return ExitStatusForSignal(signals.Caught());
    }
  }
  if (!unpacked.Succeeded()) return ShutDown(unpacked.message, ports.show_fatal_message);
  MarkStartupPhase("unpack and picture conversion");

  const std::string message = PlayGame(options, unpacked.root, ports);
  SDL_Quit();
  return ShutDown(message, ports.show_fatal_message);
}

}  // namespace vantel
