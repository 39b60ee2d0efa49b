#pragma once

#include "game/options.h"
#include "ui/deck_preview.h"
#include "ui/statistics_view.h"

namespace vantel {

enum class StartupChoice { kStart, kExit };

// Shows the options dialog modally. Start stores the choices and closes the
// dialog; "Exit" and closing the window give Exit and
// store nothing. The Statistics tab shows and resets what `statistics` gives.
// GTK must be initialised (InitGtk).
StartupChoice RunStartupDialog(Options& options, const ArchiveEntrySource& archive,
                               const StatisticsAccess& statistics);

}  // namespace vantel
