#pragma once

#include <filesystem>
#include <string>

#include "game/statistics.h"

namespace vantel {

// $XDG_DATA_HOME/vantel/statistics.ini, or ~/.local/share/vantel/statistics.ini
// when the variable is unset, empty or not an absolute path.
std::filesystem::path StatisticsPath();

enum class StatisticsFileState {
  kRead,        // the file's counts
  kMissing,     // none kept yet: zeros
  kSetAside,    // corrupt, renamed out of the way: zeros
  kUnreadable,  // could not be read (or set aside): zeros, and the file must not be replaced
};

struct LoadedStatistics {
  Statistics statistics;
  StatisticsFileState state = StatisticsFileState::kMissing;
  std::string message;  // one line for the player when not kRead or kMissing
};

// Reads the kept counts. A file that is not a key file, is larger than
// kMaxKeptFileSize, or holds a count that is not a number, out of range or at
// odds with the others, is renamed to `<name>.corrupt-<time>` beside it (beside
// a link's target, for a link) so nothing is lost, and counting starts again
// from zero. Messages quote no more than an excerpt of the file.
LoadedStatistics LoadStatistics(const std::filesystem::path& file);

// Writes the counts as WriteKeptFile does: atomically, into a link's target
// rather than over the link. Empty on success, else one line saying why.
std::string SaveStatistics(const std::filesystem::path& file, const Statistics& statistics);

}  // namespace vantel
