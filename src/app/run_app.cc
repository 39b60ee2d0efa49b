#include "app/run_app.h"

#include <SDL.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <utility>

#include "app/archive_entries.h"
#include "app/fatal_message.h"
#include "app/game_session.h"
#include "app/match_keeping.h"
#include "app/online_start.h"
#include "app/stop_guard.h"
#include "codec/table_address.h"
#include "i18n/format.h"
#include "i18n/gettext.h"
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
                 const std::optional<SavedMatch>& resume, OnlineSeat* online) {
  GameEnd end;
  try {
    GameSession session(options, root, ports, stop, resume, online);
    session.StartGame();
    end.window_lost = session.WindowLost();
  } catch (const FatalError& e) {
    end.fatal_message = FatalMessageText(e);
  }
  return end;
}

// The dialog has checked every field, so the address reads.
OnlineRequest RequestOfChoice(const OnlineChoice& choice) {
  OnlineRequest request;
  request.address = ParseTableAddress(choice.server).value_or(TableAddress{});
  request.name = choice.name;
  request.host = choice.host;
  request.table = choice.table;
  request.code = choice.code;
  return request;
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
  // A network table's match is the table's: nothing kept here is resumed.
  const std::optional<SavedMatch> resume = ports.online ? std::nullopt : MatchToResume(ports);
  // A table hosted from the command line deals the hands last chosen in the dialog.
  if (ports.online && ports.online->host) {
    ports.online->table.twelve_card_hands = DealsTwelve(options);
  }
  if (!resume && !ports.skip_dialog && !ports.online) {
    OnlineChoice chosen;
    const StartupChoice choice =
        ports.show_startup_dialog(options, ArchiveEntriesOf(archive), statistics, chosen);
    if (choice == StartupChoice::kExit) {
      SDL_Quit();
      return ShutDown("", ports.show_fatal_message);
    }
    // The dialog's "Play online" tab: where, who and which table.
    if (choice == StartupChoice::kPlayOnline) ports.online = RequestOfChoice(chosen);
  }
  // From Play on the main thread looks for a stop between two unpacked files
  // and before each frame.
  stop.SetWake([] {});
  if (ports.save_settings) ports.save_settings(options);
  MarkStartupPhase("settings saved");

  std::unique_ptr<OnlineSeat> online;
  if (ports.online) {
    // The seat is taken before anything is unpacked or the window opens: a
    // table that cannot be reached is one box, and the game is laid out
    // around the seat. What the table says meanwhile waits for the game.
    OnlineStart start = TakeSeat(*ports.online, [&stop] { return stop.Caught() == 0; });
    if (!start.seat) {
      SDL_Quit();
      if (start.problem.empty()) return ExitStatusForSignal(stop.Caught());
      return ShutDown(start.problem, ports.show_fatal_message);
    }
    online = std::move(start.seat);
    if (ports.online->host) {
      std::printf("%s\n", Format(_("Table code: %s"), online->code.c_str()).c_str());
      // A friend without the game opens this in a browser.
      std::printf("%s\n", Format(_("Join link: %s"),
                                 JoinLinkText(online->settings.address, online->code).c_str())
                              .c_str());
      std::fflush(stdout);
    }
  }

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
  const GameEnd end = PlayGame(options, unpacked.root, ports, stop, resume, online.get());
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
