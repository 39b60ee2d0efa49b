#include "app/run_app.h"

#include <SDL.h>

#include "app/archive_entries.h"
#include "app/game_session.h"
#include "app/startup_signals.h"
#include "game/fatal_error.h"
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
    return e.what();
  }
  return "";
}

}  // namespace

int RunApp(const std::filesystem::path& appFolder, AppPorts& ports) {
  Options options;
  const std::filesystem::path archive = appFolder / options.PakFileName;
  // The video system starts while the dialog is up, not after Play.
  SDL_InitSubSystem(SDL_INIT_VIDEO);
  if (ports.LoadSettings) ports.LoadSettings(options);
  if (!ports.SkipDialog &&
      ports.ShowStartupDialog(options, ArchiveEntriesOf(archive)) == StartupChoice::Exit) {
    SDL_Quit();
    return ShutDown("", ports.ShowFatalMessage);
  }
  if (ports.SaveSettings) ports.SaveSettings(options);
  MarkStartupPhase("settings saved");

  SdlPictureConverter converter;
  UnpackResult unpacked;
  {
    const StartupSignals signals;
    unpacked = Unpack(appFolder, options.PakFileName, converter,
                      [&signals] { return signals.Caught() != 0; });
    // Asked to stop: what was written is gone again, and there is nothing to tell.
    if (unpacked.Status == UnpackStatus::Interrupted) {
      return ExitStatusForSignal(signals.Caught());
    }
  }
  if (!unpacked.Succeeded()) return ShutDown(unpacked.Message, ports.ShowFatalMessage);
  MarkStartupPhase("unpack and picture conversion");

  const std::string message = PlayGame(options, unpacked.Root, ports);
  SDL_Quit();
  return ShutDown(message, ports.ShowFatalMessage);
}

}  // namespace vantel
