#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "app/statistics_file.h"
#include "flow/observer.h"

namespace vantel {

// The player's statistics for one run: read at the start, counted as hands
// finish, and after each finished match this run's new counts are added to
// what the file holds by then (AddStatistics), so other copies of the game
// playing meanwhile keep theirs. Trouble with the file is told through `warn`
// (one line each; a failing write only once a run) and never stops the game;
// counts not written are kept for the next save.
class StatisticsStore : public GameObserver {
 public:
  StatisticsStore(std::filesystem::path file, std::function<void(std::string_view)> warn);

  // Reads the kept counts, setting a corrupt file aside.
  void Load();
  const Statistics& Current() const { return statistics_; }

  // Counts the hand just scored; writes the file when it decided the match.
  void OnHandEnd(const Game& game) override;
  // Writes hands counted since the last finished match (the player left mid-match).
  void SaveIfChanged();
  // Back to zero, in the file too. Empty on success, else why not.
  std::string Reset();

 private:
  std::string Save();
  void Warn(const std::string& problem);

  std::filesystem::path file_;
  std::function<void(std::string_view)> warn_;
  // What the file held at the last load or save, with this run's counts since.
  Statistics statistics_;
  // This run's counts since the last save.
  Statistics unsaved_;
  // After a reset: the next save writes unsaved_ alone, whatever the file holds.
  bool replace_ = false;
  // False while an unreadable file holds counts a write would destroy.
  bool writable_ = true;
  bool changed_ = false;
  bool warned_of_writing_ = false;
};

}  // namespace vantel
