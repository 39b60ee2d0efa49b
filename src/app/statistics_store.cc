#include "app/statistics_store.h"

#include <utility>

namespace vantel {

StatisticsStore::StatisticsStore(std::filesystem::path file,
                                 std::function<void(std::string_view)> warn)
    : file_(std::move(file)), warn_(std::move(warn)) {}

void StatisticsStore::Load() {
  LoadedStatistics loaded = LoadStatistics(file_);
  statistics_ = loaded.statistics;
  unsaved_ = Statistics{};
  replace_ = false;
  writable_ = loaded.state != StatisticsFileState::kUnreadable;
  changed_ = false;
  if (!loaded.message.empty() && warn_) warn_(loaded.message);
}

void StatisticsStore::OnHandEnd(const Game& game) {
  changed_ = true;
  CountFinishedHand(unsaved_, game.options.opponent_level, game.match);
  if (CountFinishedHand(statistics_, game.options.opponent_level, game.match)) Warn(Save());
}

void StatisticsStore::SaveIfChanged() {
  if (changed_) Warn(Save());
}

std::string StatisticsStore::Reset() {
  statistics_ = Statistics{};
  unsaved_ = Statistics{};
  // The player asked for it: an unreadable file goes too, if it can, and a
  // failed write is tried again as a reset, never as an addition.
  replace_ = true;
  writable_ = true;
  changed_ = true;
  return Save();
}

std::string StatisticsStore::Save() {
  if (!writable_) return "";
  if (replace_) {
    std::string problem = SaveStatistics(file_, unsaved_);
    if (!problem.empty()) return problem;
    statistics_ = unsaved_;
  } else {
    AddedStatistics added = AddStatistics(file_, unsaved_);
    if (!added.notice.empty() && warn_) warn_(added.notice);
    if (!added.problem.empty()) return added.problem;
    statistics_ = added.statistics;
  }
  unsaved_ = Statistics{};
  replace_ = false;
  changed_ = false;
  return "";
}

void StatisticsStore::Warn(const std::string& problem) {
  if (problem.empty() || warned_of_writing_) return;
  warned_of_writing_ = true;
  if (warn_) warn_(problem);
}

}  // namespace vantel
