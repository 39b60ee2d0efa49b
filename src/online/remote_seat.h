#pragma once

#include <memory>
#include <optional>

#include "flow/seat_player.h"
#include "online/online_table.h"

namespace vantel {

// A seat played at a table elsewhere: by a person there, or by the table's
// computer. Its answer is the play the table reports.
class RemoteSeat : public SeatPlayer {
 public:
  RemoteSeat(OnlineTable& table, int seat) : table_(table), seat_(seat) {}

  void Ask(const SeatView& /*view*/) override {}
  std::optional<SeatDecision> Answer() override { return table_.TakePlayOf(seat_); }
  void Drop() override {}
  std::unique_ptr<SeatPlayer> Fresh() const override {
    return std::make_unique<RemoteSeat>(table_, seat_);
  }

 private:
  OnlineTable& table_;
  int seat_;
};

}  // namespace vantel
