#include "app/statistics_file.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <system_error>

#include "app/kept_file.h"
#include "app/key_file.h"
#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {
namespace {

// One group per opponents' level, named as the settings name the level.
std::string LevelGroup(int level) {
  return std::string(PlayerLevelStoredName(static_cast<PlayerLevel>(level)));
}

// The file's key of each count, in kLevelCounts' order.
constexpr std::array<const char*, kLevelCounts.size()> kCountKeys = {
    "matches_played", "matches_won", "matches_lost", "matches_tied", "hands_played", "best_margin"};

// The counts of one group; a missing group or key counts zero (a file kept
// before a level existed). Empty when a count is not a number or the counts
// could not all be true.
std::optional<LevelStatistics> ReadLevel(GKeyFile* keys, const char* group, std::string& why) {
  LevelStatistics level;
  for (std::size_t i = 0; i < kLevelCounts.size(); ++i) {
    const char* key = kCountKeys[i];
    if (!g_key_file_has_key(keys, group, key, nullptr)) continue;
    GError* raw = nullptr;
    const gint64 value = g_key_file_get_int64(keys, group, key, &raw);
    if (raw != nullptr) {
      ErrorPtr error(raw);
      why = Format(_("%s/%s is not a count"), group, key);
      return std::nullopt;
    }
    level.*kLevelCounts[i] = value;
  }
  if (!Plausible(level)) {
    why = Format(_("the %s counts do not add up"), group);
    return std::nullopt;
  }
  return level;
}

LoadedStatistics SetAside(const std::filesystem::path& file, const std::string& why) {
  LoadedStatistics loaded;
  // A link's target is set aside, not the link: the next save writes a new
  // target through the same link.
  std::string reason;
  const std::filesystem::path aside = SetKeptFileAside(file, reason);
  if (aside.empty()) {
    loaded.state = StatisticsFileState::kUnreadable;
    loaded.message = Format(_("statistics in %s are corrupt (%s) and could not be set aside (%s); "
                              "nothing is counted this time"),
                            file.c_str(), why.c_str(), reason.c_str());
    return loaded;
  }
  loaded.state = StatisticsFileState::kSetAside;
  loaded.message = Format(_("statistics in %s are corrupt (%s); kept as %s, counting starts again"),
                          file.c_str(), why.c_str(), aside.c_str());
  return loaded;
}

// LoadStatistics for a caller that holds the lock.
LoadedStatistics ReadStatistics(const std::filesystem::path& file) {
  // Only what was read and is no key file is corrupt; a file that could not
  // be read (a folder, no permission) is left as it is.
  const KeptFileText kept = ReadKeptFile(file);
  if (kept.state == KeptFileText::State::kMissing) return {};
  if (kept.state == KeptFileText::State::kFailed) {
    LoadedStatistics loaded;
    loaded.state = StatisticsFileState::kUnreadable;
    loaded.message = Format(_("statistics in %s not read (%s); nothing is counted this time"),
                            file.c_str(), kept.reason.c_str());
    return loaded;
  }
  // Far larger than the game ever writes: not its file any more.
  if (kept.state == KeptFileText::State::kTooLarge) return SetAside(file, kept.reason);
  std::string why;
  const KeyFilePtr keys = ParseKeyFile(kept.text, why);
  if (!keys) return SetAside(file, why);
  LoadedStatistics loaded;
  for (int i = 0; i < kPlayerLevelCount; ++i) {
    const std::optional<LevelStatistics> level = ReadLevel(keys.get(), LevelGroup(i).c_str(), why);
    if (!level) return SetAside(file, why);
    loaded.statistics.levels[i] = *level;
  }
  loaded.state = StatisticsFileState::kRead;
  return loaded;
}

std::string WriteStatistics(const std::filesystem::path& file, const Statistics& statistics) {
  KeyFilePtr keys(g_key_file_new());
  for (int i = 0; i < kPlayerLevelCount; ++i) {
    const std::string group = LevelGroup(i);
    for (std::size_t c = 0; c < kLevelCounts.size(); ++c) {
      g_key_file_set_int64(keys.get(), group.c_str(), kCountKeys[c],
                           statistics.levels[i].*kLevelCounts[c]);
    }
  }
  const std::string problem = WriteKeyFile(file, keys.get());
  return problem.empty() ? "" : Format(_("statistics not saved: %s"), problem.c_str());
}

std::string Busy(const std::filesystem::path& file) {
  return Format(_("statistics not saved: another copy of the game keeps %s locked"), file.c_str());
}

}  // namespace

std::filesystem::path StatisticsPath() {
  return XdgFile("XDG_DATA_HOME", ".local/share", "statistics.ini");
}

LoadedStatistics LoadStatistics(const std::filesystem::path& file) {
  // Under the lock, so a corrupt file is never set aside just as another copy
  // replaces it with good counts. A copy that keeps the lock too long is not
  // waited for: saves rename whole files into place, so reading is safe.
  const KeptFileLock lock(file);
  return ReadStatistics(file);
}

std::string SaveStatistics(const std::filesystem::path& file, const Statistics& statistics) {
  std::error_code ec;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
  const KeptFileLock lock(file);
  if (lock.Busy()) return Busy(file);
  return WriteStatistics(file, statistics);
}

AddedStatistics AddStatistics(const std::filesystem::path& file, const Statistics& increments) {
  AddedStatistics added;
  std::error_code ec;
  // The lock file lies in the folder.
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
  if (ec) {
    const std::string why =
        Format(_("cannot make %s: %s"), file.parent_path().c_str(), ec.message().c_str());
    added.problem = Format(_("statistics not saved: %s"), why.c_str());
    return added;
  }
  const KeptFileLock lock(file);
  if (lock.Busy()) {
    added.problem = Busy(file);
    return added;
  }
  const LoadedStatistics now = ReadStatistics(file);
  if (now.state == StatisticsFileState::kUnreadable) {
    added.problem = now.message;
    return added;
  }
  if (now.state == StatisticsFileState::kSetAside) added.notice = now.message;
  const Statistics sum = Combined(now.statistics, increments);
  added.problem = WriteStatistics(file, sum);
  if (added.problem.empty()) added.statistics = sum;
  return added;
}

}  // namespace vantel
