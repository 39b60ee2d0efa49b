#pragma once

#include <functional>
#include <string_view>

#include "app/shut_down.h"
#include "game/options.h"
#include "ui/deck_preview.h"
#include "ui/startup_dialog.h"

namespace vantel {

// What the game asks of the desktop around it: the options dialog and the
// message boxes. The real program passes the GTK ones; tests pass their own.
struct AppPorts {
  std::function<StartupChoice(Options&, const ArchiveEntrySource&)> ShowStartupDialog;
  // The one box of a fatal end.
  MessageBoxFn ShowFatalMessage;
  // Called after every pass of the frame loop, with the pass number; empty in
  // the game. Lets tests act as the user between frames.
  std::function<void(long pass)> AfterLoopPass;
};

}  // namespace vantel
