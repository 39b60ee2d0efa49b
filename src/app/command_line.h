#pragma once

#include <optional>
#include <string>

#include "app/online_start.h"

namespace vantel {

inline constexpr int kExitUsage = 2;

// What the command line asks of this run.
struct CommandLine {
  std::optional<bool> full_screen;  // --window / --fullscreen
  bool skip_dialog = false;
  bool resume = false;
  bool show_frame_rate = false;
  // --connect with --host or --join: a network table instead of the dialog.
  std::optional<OnlineRequest> online;
  // Set when the program should end at once: with this status after printing
  // `out` on stdout and `err` on stderr (--help, --version, a mistake).
  std::optional<int> exit_status;
  std::string out;
  std::string err;
};

// GNU-style options: --help, --version, --window, --fullscreen,
// --skip-dialog, --resume, --show-frame-rate; for network play --connect,
// --host or --join, --name, --seats, --turn-seconds, --trust-cert. An unknown option or a stray
// argument gives the usage on stderr and status 2.
CommandLine ParseCommandLine(int argc, char** argv);

}  // namespace vantel
