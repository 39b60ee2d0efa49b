#include "app/statistics_store.h"

#include <utility>

namespace vantel {

StatisticsStore::StatisticsStore(std::filesystem::path file,
                                 std::function<void(std::string_view)> warn)
    : file_(std::move(file)), warn_(std::move(warn)) {}

void StatisticsStore::Load() {
  LoadedStatistics loaded = LoadStatistics(file_);
  statistics_ = loaded.statistics;
  writable_ = loaded.state != StatisticsFileState::kUnreadable;
  changed_ = false;
  if (!loaded.message.empty() && warn_) warn_(loaded.message);
}

void StatisticsStore::OnHandEnd(const Game& game) {
  changed_ = true;
  if (CountFinishedHand(statistics_, game.options.opponent_level, game.score)) Warn(Save());
}

void StatisticsStore::SaveIfChanged() {
  if (changed_) Warn(Save());
}

std::string StatisticsStore::Reset() {
  statistics_ = Statistics{};
  // The player asked for it: an unreadable file goes too, if it can.
  writable_ = true;
  changed_ = true;
  return Save();
}

std::string StatisticsStore::Save() {
  if (!writable_) return "";
  std::string problem = SaveStatistics(file_, statistics_);
  if (problem.empty()) changed_ = false;
  return problem;
}

void StatisticsStore::Warn(const std::string& problem) {
  if (problem.empty() || warned_of_writing_) return;
  warned_of_writing_ = true;
  if (warn_) warn_(problem);
}

}  // namespace vantel
