#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/gettext.h"
#include "screenshot_options.h"
#include "simulation.h"

namespace vantel {

struct SimArgs {
  SimConfig config;
  std::string trace_path;  // empty: no trace
  bool quiet = false;
  bool paired = false;  // each deal twice, the sides' players swapped
  bool help = false;
  bool version = false;
  ScreenshotOptions shots;  // pictures of the frames, when shots.dir is set
};

// Shown through _().
// TRANSLATORS: the options and their values stay as they are.
inline constexpr const char* kSimUsage =
    N_("usage: vantel-sim [--seed N] [--hands N | --matches N] [--six] [--slow]\n"
       "                  [--deck bresciane|trevigiane] [--human ai|random] [--human-seat 0-3]\n"
       "                  [--frame-ms MS]\n"
       "                  [--we classic|expert] [--they classic|expert] [--paired]\n"
       "                  [--trace FILE] [--quiet] [--help] [--version]\n"
       "                  [--screenshot-dir DIR --screenshot-every N --screenshot-at N,N,...]\n"
       "                  [--screenshot-round-view]\n"
       "Plays whole games without a screen; an autopilot plays seat 0, or the seat\n"
       "--human-seat names, the way a person would; computers play the others.\n"
       "Without --hands or --matches one hand is played.\n"
       "--frame-ms is the virtual time of one frame, from 1 to 60000 milliseconds.\n"
       "Each option may be given once.\n"
       "Screenshots are numbered PNG files of the frames drawn with the pictures of\n"
       "res065.pak (beside the program): every N-th frame, the frames listed and the\n"
       "first frame of every score page; with --screenshot-round-view they show the\n"
       "plays of the round as the game does while Tab is held.\n"
       "--we and --they choose the players of each side's computer seats; with\n"
       "--human ai the autopilot plays like its partner. --paired plays each\n"
       "match (--matches N: N pairs) or hand (--hands N) twice from the same deals with\n"
       "the sides' players swapped, and prints one summary line for the --we kind:\n"
       "win rate and mean hand-point margin with 95-percent intervals (normal approximation\n"
       "over the pairs).\n");

// Parses the command line (without the program name). On a bad argument
// returns nothing and sets `error`.
std::optional<SimArgs> ParseSimArgs(const std::vector<std::string_view>& args, std::string& error);

}  // namespace vantel
