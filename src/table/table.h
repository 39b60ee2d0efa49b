#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "codec/client_messages.h"
#include "codec/server_messages.h"
#include "game/match_state.h"
#include "game/seat_view.h"

namespace vantel {

// A table knows no clock: whoever drives it says what time it is, counted
// from any fixed start, so a test can play an hour in a moment.
using TableTime = std::chrono::milliseconds;

inline constexpr TableTime kDefaultGrace = std::chrono::seconds(60);
// Between a hand's score and the next deal, for the people to read the score.
inline constexpr TableTime kDefaultHandPause = std::chrono::seconds(3);

struct TableSettings {
  std::array<SeatChoice, kSeats> seats{};
  bool twelve_card_hands = true;
  // How long a person's lost seat waits for them before the computer plays it.
  TableTime grace = kDefaultGrace;
  // A person's turn left longer is played by the computer; zero: no limit.
  TableTime turn_limit{0};
  TableTime hand_pause = kDefaultHandPause;
  // Who plays a seat its person left or lost.
  PlayerLevel stand_in_level = PlayerLevel::kClassic;
  // Shuffles every deal, so a seed and the same messages replay a table.
  uint64_t seed = 0;
};

// A message text for the person at `seat`. `ends_seat`: after it the
// connection no longer holds the seat.
struct SeatMessage {
  int seat = 0;
  std::string text;
  bool ends_seat = false;
};

// A computer seat's turn: whoever runs the table works it out with
// WorkOutDecision, away from anything that must answer quickly, and hands it
// back with Decided and the same serial. A serial the table has moved on from
// is dropped, so a late answer never plays.
struct DecisionRequest {
  uint64_t serial = 0;
  int seat = 0;
  SeatView view;
  PlayerLevel level = PlayerLevel::kClassic;
};

// The play the request's computer player chooses from the seat's view. An
// Expert may think for a while; it throws only if it fails.
SeatDecision WorkOutDecision(const DecisionRequest& request);

// Something worth a line in the server's log. Never a card or a token.
struct TableNote {
  enum class Kind { kJoined, kAway, kBack, kStandIn, kComputer, kLeft, kStarted, kEnded };
  Kind kind = Kind::kJoined;
  int seat = -1;
  TableEnd reason = TableEnd::kMatchOver;  // of kEnded
};

// One table: four seats, the match played at it and the people's comings
// and goings. Every message it sends a seat is built from that seat's view.
class Table {
 public:
  Table(std::string code, const TableSettings& settings, TableTime now);

  const std::string& Code() const { return code_; }

  // Seats a person at the first open person's seat (the first one seated is
  // the host); nothing when there is none. `token` is theirs to come back with.
  std::optional<int> Seat(std::string name, std::string token, TableTime now);
  std::optional<int> SeatOfToken(std::string_view token) const;
  // The person of `seat` is connected again (or on a new connection): a
  // whole view, and the computer hands the seat back.
  void Back(int seat, TableTime now);
  void Lost(int seat, TableTime now);
  void Leave(int seat, TableTime now);

  void PersonPlays(int seat, const vantel::Play& play, TableTime now);
  void GiveToComputer(int by_seat, int seat, PlayerLevel level, TableTime now);

  // Timers: the grace periods and the turn limit.
  void Advance(TableTime now);
  // The earliest time Advance has something to do.
  std::optional<TableTime> NextDeadline() const;

  // Ends the table when the hand in play is over (at once when none is);
  // the people are told it may take `seconds`.
  void Drain(int seconds);
  void End(TableEnd reason);

  std::optional<DecisionRequest> TakeDecisionRequest();
  void Decided(uint64_t serial, const SeatDecision& decision, TableTime now);

  std::vector<SeatMessage> TakeMessages();
  std::vector<TableNote> TakeNotes();

  bool Ended() const { return ended_; }
  bool Started() const { return started_; }
  int HostSeat() const { return host_seat_; }
  SeatPresence PresenceOf(int seat) const { return At(seat).presence; }
  const MatchState& Match() const { return match_; }

 private:
  struct SeatSlot {
    SeatPresence presence = SeatPresence::kComputer;
    PlayerLevel level = PlayerLevel::kClassic;
    std::string name;
    std::string token;
    TableTime away_since{0};
  };

  SeatSlot& At(int seat) { return seats_[static_cast<std::size_t>(seat)]; }
  const SeatSlot& At(int seat) const { return seats_[static_cast<std::size_t>(seat)]; }
  bool ComputerPlays(int seat) const;
  bool SomeoneIsLeft() const;

  void Send(int seat, const nlohmann::json& message, bool ends_seat = false);
  // What `seat` was sent of the last hand dealt, its view first, written
  // again for a rejoin (hand-so-far).
  std::vector<std::string> HandSoFar(int seat) const;
  void SendView(int seat);
  void SendSeats();
  void Note(TableNote::Kind kind, int seat);
  void Refuse(int seat, ProtocolError code, std::string_view why);

  void StartIfReady(TableTime now);
  void Deal(TableTime now);
  void MakePlay(int seat, const vantel::Play& play, TableTime now);
  // Something changed that a pending computer decision may rest on.
  void MovedOn(TableTime now);
  void PassHostOn();
  void EndIfNobodyIsLeft();

  std::string code_;
  TableSettings settings_;
  std::array<SeatSlot, kSeats> seats_{};
  MatchState match_;
  std::mt19937_64 engine_;
  bool started_ = false;
  bool ended_ = false;
  bool draining_ = false;
  int host_seat_ = -1;
  bool first_hand_ = true;

  uint64_t serial_ = 1;
  uint64_t asked_serial_ = 0;  // the serial whose decision was handed out
  std::optional<DecisionRequest> pending_;
  TableTime turn_since_{0};
  std::optional<TableTime> deal_at_;  // the next hand's, once one is scored

  // The last hand as dealt and each play made in it since, kept until the
  // next deal: a rejoining seat is sent again all it was sent of that hand.
  // A few kilobytes a table, where the texts themselves were tens a seat.
  struct MadePlay {
    int seat = 0;
    vantel::Play play;
  };
  std::optional<MatchState> hand_dealt_;
  std::vector<MadePlay> hand_plays_;

  std::vector<SeatMessage> outbox_;
  std::vector<TableNote> notes_;
};

}  // namespace vantel
