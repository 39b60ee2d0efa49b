#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "app/online_start.h"
#include "app/shut_down.h"
#include "app/statistics_store.h"
#include "codec/saved_match.h"
#include "game/options.h"
#include "ui/deck_preview.h"
#include "ui/startup_dialog.h"

namespace vantel {

// What the game asks of the desktop around it: the options dialog and the
// message boxes. The real program passes the GTK ones; tests pass their own.
struct AppPorts {
  // Fills the OnlineChoice when it gives PlayOnline.
  std::function<StartupChoice(Options&, const ArchiveEntrySource&, const StatisticsAccess&,
                              OnlineChoice&)>
      show_startup_dialog;
  // The one box of a fatal end.
  MessageBoxFn show_fatal_message;
  // Called after every pass of the frame loop, with the pass number; empty in
  // the game. Lets tests act as the user between frames.
  std::function<void(long pass)> after_loop_pass;
  // The saved settings: read before the dialog, written when Play is pressed
  // and (the window's size) when the game ends. Empty: nothing remembered.
  std::function<void(Options&)> load_settings;
  std::function<void(const Options&)> save_settings;
  // The player's statistics, read before the dialog; the game counts into it.
  // Null: nothing counted.
  StatisticsStore* statistics = nullptr;
  // --window / --fullscreen: this run only, the saved choice stays.
  std::optional<bool> full_screen_this_run;
  // The dialog is not shown; the game starts with the settings read.
  bool skip_dialog = false;
  // Where a match left part-way is kept for the next start. Empty: nothing kept.
  std::filesystem::path saved_match_file;
  // Asked, where the options dialog would be, whether to resume the match
  // kept; true resumes it, false gives it up. Empty: never asked.
  std::function<bool(const SavedMatch&)> offer_resume;
  // --resume: the match kept is resumed without asking.
  bool resume = false;
  // The window's caption shows the pointer and the frame rate.
  bool show_frame_rate = false;
  // --connect: the game plays at this network table, without the dialog.
  std::optional<OnlineRequest> online;
};

}  // namespace vantel
