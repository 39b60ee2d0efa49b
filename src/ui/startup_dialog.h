#pragma once

#include "game/options.h"
#include "ui/deck_preview.h"
#include "ui/online_choice.h"
#include "ui/statistics_view.h"

namespace vantel {

enum class StartupChoice { kStart, kPlayOnline, kExit };

// Shows the options dialog modally. Start stores the choices and closes the
// dialog; "Exit" and closing the window give Exit and
// store nothing. Host and Join on the "Play online" tab store the choices too
// (the server and name among them), fill `online` and give PlayOnline; they
// never close the dialog on input the table would refuse.
// The Statistics tab shows and resets what `statistics` gives.
// GTK must be initialised (InitGtk).
StartupChoice RunStartupDialog(Options& options, const ArchiveEntrySource& archive,
                               const StatisticsAccess& statistics, OnlineChoice& online);

}  // namespace vantel
