#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "codec/protocol_error.h"
#include "codec/server_messages.h"
#include "flow/game.h"
#include "game/match_rules.h"
#include "game/seat_view.h"

namespace vantel {

// Follows a table elsewhere (a table server) on a game of this program: the
// same table, animation, keys, hints and score page as offline. The table
// deals and decides the other seats' plays; its messages say what happened,
// and the game animates it in order, at its own pace, while the person plays
// their seat here and their plays go back to the table.
//
// The game holds only what the person's seat may see. The other hands and the
// pack are a guess (online/guessed_deal.h) that a card corrects when it shows
// itself, so the rules run here on a whole match as they do offline.
class OnlineTable {
 public:
  OnlineTable() = default;

  // One message as the table sent it. Messages are kept until the game gets
  // to them; those it cannot read are counted and otherwise ignored.
  void Receive(std::string_view text);

  // The game to follow the table on, for the person at `seat`: it must have
  // been made for that seat. Its other seats become the table's.
  void Follow(Game& game);

  // Call before each frame of the followed game: starts a hand the table dealt
  // once the game is ready for it, and takes the person's play to send.
  void BeforeFrame();

  // The host's answer to a person away on their turn: the computer plays
  // their seat from now on (the table still gives it back if they return).
  // Only when the game says so on its status line; true when asked.
  bool GiveAwaySeatToComputer();

  // The texts to send the table, oldest first.
  std::vector<std::string> TakeOutgoing();

  // The next play of `seat` as the table reported it, turned into a decision
  // on the game's match: the card is put in the seat's hand in place of a
  // guessed one. Nothing while the report has not come.
  std::optional<SeatDecision> TakePlayOf(int seat);

  // What the table said of itself.
  const std::optional<SeatedReport>& Seated() const { return seated_; }
  const std::optional<SeatsReport>& Seats() const { return seats_; }
  std::optional<TableEnd> Ended() const { return ended_; }
  std::optional<ProtocolError> LastError() const { return last_error_; }
  // The game and the table no longer agree (or the table sent what the game
  // cannot show yet); the game should stop following it.
  bool OutOfStep() const { return !out_of_step_.empty(); }
  const std::string& OutOfStepReason() const { return out_of_step_; }
  // Messages that were not the protocol's.
  int Unreadable() const { return unreadable_; }
  // A hand the table dealt is waiting for the person to go on from the score.
  bool HandWaiting() const;
  // Everything received is played out here and the game waits on the table
  // or its person: a game taken up again from the hand's messages so far
  // (after a lost connection) runs frames unseen until then.
  bool CaughtUp() const;
  // A rejoin's view of a hand in play came, and the hand's messages so far
  // that the game follows it from have not yet.
  bool TakingUpHand() const { return rejoin_answer_ == RejoinAnswer::kHandInPlay; }
  // The table said which seat is this game's and then showed that seat its
  // view. The two may come in different reads, and a game that went on
  // before the view would take up nothing of the hand in play.
  bool SeatShown() const { return seated_.has_value() && view_since_seated_; }

 private:
  using Pending = std::variant<SeatView, PlayReport>;
  // What the last message, when a view, says of a "hand-so-far" after it.
  enum class RejoinAnswer {
    kNone,          // the last message was no view: none may follow
    kDealQueued,    // a hand just dealt, queued; a hand-so-far restates it
    kHandInPlay,    // only a hand-so-far says how the hand got there
    kBetweenHands,  // the hand just ended may follow, to be shown to its end
  };

  void StartDealtHand(const SeatView& view);
  void EchoOfOwnPlay(const PlayReport& report);
  // The table played the person's turn for them (their time ran out).
  void TakeStandInPlay(const PlayReport& report);
  void PlaceSecondDeal(const HandCards& cards);
  void Fail(std::string reason);
  int Seat() const;

  Game* game_ = nullptr;
  std::deque<Pending> pending_;
  std::deque<Play> sent_;  // the person's plays the table has not reported yet
  std::vector<std::string> outgoing_;
  bool hand_started_ = false;
  RejoinAnswer rejoin_answer_ = RejoinAnswer::kNone;
  std::optional<SeatedReport> seated_;
  bool view_since_seated_ = false;
  std::optional<SeatsReport> seats_;
  std::optional<TableEnd> ended_;
  std::optional<ProtocolError> last_error_;
  std::string out_of_step_;
  int unreadable_ = 0;
};

}  // namespace vantel
