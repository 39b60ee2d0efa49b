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

// Replaces the kept counts with `statistics` (the player cleared them), under
// the lock beside the file, written as WriteKeptFile does. Empty on success,
// else one line saying why.
std::string SaveStatistics(const std::filesystem::path& file, const Statistics& statistics);

struct AddedStatistics {
  Statistics statistics;  // what the file holds now, when written
  std::string problem;    // one line when nothing was written, else empty
  std::string notice;     // one line when a corrupt file was set aside on the way
};

// Adds one run's counts since its last save (`increments`, its best margin
// the best of them) to what the file holds at this moment, and writes the sum:
// read, added and written under an exclusive lock on `<name>.lock` beside the
// file, so copies of the game saving at once all count and no count goes
// down. A corrupt file is set aside as LoadStatistics does and the increments
// start the count again; one that cannot be read is left as it is.
AddedStatistics AddStatistics(const std::filesystem::path& file, const Statistics& increments);

}  // namespace vantel
