#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ai/hint_reason.h"
#include "ai/pending_decision.h"
#include "flow/card_sprite.h"
#include "flow/flow_state.h"
#include "flow/layout.h"
#include "flow/seat_player.h"
#include "flow/table_aids.h"
#include "game/cards.h"
#include "game/clock.h"
#include "game/match_events.h"
#include "game/match_rules.h"
#include "game/match_state.h"
#include "game/options.h"
#include "game/random.h"
#include "game/seat_view.h"
#include "game/seats.h"
#include "game/sound.h"

namespace vantel {

class GameObserver;  // sees the flow's events (traces); defined by the flow

// Room in the card model. Every array keeps the room the game has always had,
// one entry past its last index in use (the stock 0..52 has 53 entries), so a
// count that reaches its limit still lands inside.
inline constexpr int kStockRecords = kCardCount + 1;      // the stock, the piles, the shuffle
inline constexpr int kHandRecords = kHandSlots + 1;       // slots 0..11 in use
inline constexpr int kTableRecords = 36;                  // cards lying on the table
inline constexpr int kTablePlaces = 31;                   // fixed places 0..30
inline constexpr int kLastTablePlace = kTablePlaces - 1;  // where a full table stacks up
inline constexpr int kTakenRecords = 56;                  // a side's taken ids
inline constexpr int kFanPlaces = 15;                     // marker places of a side
inline constexpr int kFanRecords = kFanPlaces + 1;

// Every card position and list of a hand.
struct CardModel {
  std::array<CardSprite, kStockRecords> deck{};
  std::array<std::array<CardSprite, kHandRecords>, kSeats> hand{};  // Hand[0] is the human's
  std::array<CardSprite, kTableRecords> table{};
  std::array<CardSprite, kStockRecords> we_pile{};
  std::array<CardSprite, kStockRecords> they_pile{};
  int16_t table_count = 0;
  int16_t we_pile_count = 0;
  int16_t they_pile_count = 0;

  std::array<std::array<int16_t, kHandRecords>, kSeats> hand_ids{};
  std::array<int16_t, kSeats> hand_id_count{};
  std::array<int16_t, kTablePlaces> table_ids{};
  int16_t table_id_count = 0;
  std::array<int16_t, kTakenRecords> we_taken{};
  int16_t we_taken_count = 0;
  std::array<int16_t, kTakenRecords> they_taken{};
  int16_t they_taken_count = 0;

  std::array<TableSlotEntry, kTablePlaces> table_slot{};
  std::array<FanEntry, kFanRecords> we_fan{};  // places 0..14 are laid out
  std::array<FanEntry, kFanRecords> they_fan{};
  int16_t we_fan_count = 0;
  int16_t they_fan_count = 0;
};

struct SideFlags {
  bool scua = false;
  bool simili = false;
  bool picada = false;
  bool quadriglia = false;
  bool Any() const { return scua || simili || picada || quadriglia; }
};

// The capture hand-over between the deciding player, the landing and the flow.
struct CaptureState {
  std::array<int16_t, kMaxTakenCards> capture_idx{};  // table indices to take
  int16_t capture_count = 0;
  SideFlags we;  // special captures of the play just judged
  SideFlags they;
  SideFlags& Of(Side side) { return side == Side::kWe ? we : they; }
  const SideFlags& Of(Side side) const { return side == Side::kWe ? we : they; }
};

// The score as the table shows it: the rules' score, taken up as the cards
// reach the piles (shown_score.h), so that it never runs ahead of them.
struct ShownScore {
  HandScore we;
  HandScore they;
  const HandScore& Of(Side side) const { return side == Side::kWe ? we : they; }
  int16_t we_total = 0;
  int16_t they_total = 0;
  int16_t match_target = kMatchTarget;
  std::array<HistoryRow, kHistoryRows> history{};
  int16_t history_rows = 0;
  MatchOutcome outcome = MatchOutcome::kGoesOn;  // of the last hand shown
  bool MatchDecided() const {
    return outcome == MatchOutcome::kWeWon || outcome == MatchOutcome::kWeLost;
  }
  // The score of the capture on its way to a pile.
  HandScore we_on_bank;
  HandScore they_on_bank;
};

// A play the rules have made whose card is still on its way to the table:
// the table shows its events once the card lands.
struct DecidedPlay {
  int16_t seat = 0;
  Play play;
  MatchEvents events;
};

struct DealState {
  int16_t deck_position = 0;
  int16_t deal_turn = 0;
  int16_t deal_recipient = 0;
  int16_t packet_count = 0;
  int16_t cards_dealt = 0;
  bool first_hand_dealt = false;  // run-wide: the first hand's first seat is random
  // A table elsewhere deals every hand (network play): a new hand is not
  // shuffled here. The person's wish to go on is kept until that deal comes.
  bool dealt_elsewhere = false;
  bool next_hand_wanted = false;
  // Six-card hands: the person's second six are not known yet (the table
  // elsewhere has not told them), so the second deal waits.
  bool second_deal_withheld = false;
};

struct FlowData {
  FlowState state = FlowState::kDealingCards;  // the hand's flow state
  FlowState state_before_timed_wait = FlowState::kDealingCards;
  uint32_t timed_wait_start_tick = 0;
  uint32_t timed_wait_length = 0;
  bool timed_wait_served = false;  // the card just played or dealt has had its wait
  int16_t turn = 0;                // seat whose card is being played
  bool awaiting_human = false;
  bool human_played = false;
  bool human_picked = false;
  int16_t computer_card_slot = 0;
  int16_t cards_played = 0;
  bool capture_confirmed = false;
  bool capture_declined = false;
  FlowState saved_flow_state = FlowState::kNormalPlay;
  int16_t marker_index = 0;
  bool game_paused = false;
  bool pause_key_latch = false;
  int16_t picked_hand_index = -1;
  // The seat on turn was asked for its play and has not answered yet.
  bool awaiting_seat = false;
  // Unhurried computers: the seat's answer, held from `held_answer_tick`
  // until kUnhurriedWaitMs have passed; then its card moves.
  std::optional<SeatDecision> held_answer;
  uint32_t held_answer_tick = 0;
  // The game window sets this so that the hint is worked out on a worker
  // thread while frames go on (its seats think so too: SeatComputers);
  // headless runs decide at once, frame for frame the same every time.
  bool think_in_background = false;
  // The Expert's suggestion for the human (H): the card id to frame, -1 for
  // none, and the table indices it would take; made for the play numbered
  // hint_for_play.
  int16_t hint_card = -1;
  std::array<int16_t, kMaxTakenCards> hint_take{};
  int16_t hint_take_count = 0;
  int16_t hint_for_play = -1;
  HintExplained hint_reason;  // why the suggestion, for the status line
  bool hint_key_latch = false;
  PendingDecision pending_hint;
  // The person's latest play, made on the match: a table elsewhere takes it
  // from here to pass it on.
  std::optional<Play> person_play;
  // A play the table elsewhere made for the person (their turn ran out): the
  // flow makes it in their place, by the same steps a click would, and the
  // person's own input waits until the table hears of it.
  std::optional<Play> play_for_person;
};

// The whole state of one game. It owns no platform object: chance, sound and
// time come in through the three ports, so two games can run side by side in a
// test and a seed replays a game exactly.
struct Game {
  Game(Chance& chance, SoundSink& sound, TickClock& clock)
      : chance(chance), sound(sound), clock(clock) {}

  Chance& chance;
  SoundSink& sound;
  TickClock& clock;

  Options options;
  // The rules state of the match: every play is made on it the moment it is
  // decided (flow/match_sync.h), and the computer players decide from a seat's
  // view of it.
  MatchState match;
  // Plays made on the match, oldest first, that the table has yet to show:
  // rarely more than one, so a vector that keeps its room rather than a
  // deque that allocates for every play.
  std::vector<DecidedPlay> decided;
  Layout layout;
  CardModel model;
  CaptureState capture;
  ShownScore score;
  DealState deal;
  FlowData flow;
  // Who plays each seat the table's mouse and keys do not.
  SeatPlayers seats;
  TableAids aids;
  GameObserver* observer = nullptr;  // not owned; none by default
};

// The seat the person plays and their side; every other seat is a computer's.
inline int PersonSeat(const Game& g) {
  return g.options.person_seat;
}
inline Side PersonSide(const Game& g) {
  return SideOfSeat(PersonSeat(g));
}

}  // namespace vantel
