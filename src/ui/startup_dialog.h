#pragma once

#include "game/options.h"
#include "ui/deck_preview.h"

namespace vantel {

enum class StartupChoice { kStart, kExit };

// Shows the options dialog modally. Start stores the choices and closes the
// dialog; "Exit" and closing the window give Exit and
// store nothing. GTK must be initialised (InitGtk).
StartupChoice RunStartupDialog(Options& options, const ArchiveEntrySource& archive);

}  // namespace vantel
