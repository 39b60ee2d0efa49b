#include "app/table_rejoin.h"

#include <algorithm>

#include "codec/client_messages.h"
#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {

namespace {

// The first try goes out at once; after each failure the wait doubles, up to
// the longest: a server restarting is found within seconds, a lost network
// is not asked forty times a second.
constexpr auto kFirstWait = std::chrono::milliseconds(250);
constexpr auto kLongestWait = std::chrono::seconds(4);

}  // namespace

TableRejoin::TableRejoin(const OnlineSeat& seat, Clock::time_point lost_at)
    : settings_(seat.settings),
      name_(seat.name),
      code_(seat.code),
      token_(seat.token),
      give_up_at_(lost_at + std::chrono::seconds(kRejoinSeconds)),
      next_try_at_(lost_at),
      wait_(kFirstWait) {}

void TableRejoin::Try() {
  connection_ = std::make_unique<TableConnection>(settings_);
  table_ = std::make_unique<OnlineTable>();
  connection_->Send(ClientMessageToText(HelloMessage{kProtocolVersion, name_}));
  connection_->Send(ClientMessageToText(RejoinMessage{code_, token_}));
}

TableRejoin::Progress TableRejoin::Poll(Clock::time_point now) {
  if (given_up_) return Progress::kGivenUp;
  if (!connection_ && now >= next_try_at_) Try();
  if (connection_) {
    const SeatAnswer answer = ReadSeatAnswer(*connection_, *table_);
    if (answer == SeatAnswer::kSeated) return Progress::kBack;
    if (answer != SeatAnswer::kWaiting) {
      problem_ = SeatProblem(answer, *table_, *connection_, settings_.address, code_);
    }
    // The table is gone, or the seat is no longer this person's: trying
    // again would get the same answer.
    if (answer == SeatAnswer::kRefused) given_up_ = true;
    if (answer == SeatAnswer::kClosed) {
      connection_.reset();
      table_.reset();
      next_try_at_ = now + wait_;
      wait_ = std::min<Clock::duration>(wait_ * 2, kLongestWait);
    }
  }
  if (now >= give_up_at_ && !given_up_) {
    given_up_ = true;
    // The last try's problem says why; a try still unanswered says nothing.
    if (problem_.empty() || connection_) {
      problem_ = Format(_("The server at %s did not answer in time."),
                        TableAddressText(settings_.address).c_str());
    }
  }
  return given_up_ ? Progress::kGivenUp : Progress::kTrying;
}

void TableRejoin::MoveInto(OnlineSeat& seat) {
  seat.connection = std::move(connection_);
  seat.table = std::move(table_);
}

}  // namespace vantel
