#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "app/online_start.h"

namespace vantel {

// How long after losing its connection the game tries to take its seat back:
// the table's usual grace. Later, the table's computer has the seat, and
// rejoining would still give it back; by then the person has been told.
inline constexpr int kRejoinSeconds = 60;

// Takes a seat back after its connection was lost: connects again, waiting a
// little longer after each failed try, and rejoins with the seat's code and
// token. Polled from the frame loop, so the game never waits on it.
class TableRejoin {
 public:
  using Clock = std::chrono::steady_clock;
  enum class Progress { kTrying, kBack, kGivenUp };

  TableRejoin(const OnlineSeat& seat, Clock::time_point lost_at);

  Progress Poll(Clock::time_point now);
  // After kBack: puts the new connection and a table holding all the table
  // answered (the hand so far among it) into `seat`; the table follows no
  // game yet.
  void MoveInto(OnlineSeat& seat);
  // After kGivenUp: why, in the reader's language.
  const std::string& Problem() const { return problem_; }

 private:
  void Try();

  ConnectionSettings settings_;
  std::string name_;
  std::string code_;
  std::string token_;
  Clock::time_point give_up_at_;
  Clock::time_point next_try_at_;
  Clock::duration wait_;
  std::unique_ptr<TableConnection> connection_;
  std::unique_ptr<OnlineTable> table_;
  std::string problem_;  // why the last try failed, or why it was given up
  bool given_up_ = false;
};

}  // namespace vantel
