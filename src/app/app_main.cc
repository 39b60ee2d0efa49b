#include "app/app_main.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "app/app_folder.h"
#include "app/run_app.h"
#include "ui/message_box.h"
#include "ui/startup_dialog.h"
#include "ui/startup_texts.h"

namespace vantel {

int Main(const char* argv0) {
  const std::filesystem::path appFolder = ProgramFolder(argv0);
  // A write past a file-size limit then fails with a reason to show instead
  // of killing the game.
  std::signal(SIGXFSZ, SIG_IGN);
  if (!InitGtk()) {
    const char* display = std::getenv("DISPLAY");
    std::fprintf(stderr, "vantel: cannot open the display%s%s; the game needs a desktop.\n",
                 display ? " " : "", display ? display : "");
    return kExitFailure;
  }
  AppPorts ports;
  ports.ShowStartupDialog = RunStartupDialog;
  ports.ShowFatalMessage = [](std::string_view text) { ShowErrorBox(kDialogTitle, text); };
  return RunApp(appFolder, ports);
}

}  // namespace vantel
