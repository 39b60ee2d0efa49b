#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/card_list.h"
#include "game/match_state.h"
#include "game/seats.h"

namespace vantel {

// The special captures a play can announce, one bit each.
inline constexpr uint8_t kAnnounceScua = 1;
inline constexpr uint8_t kAnnouncePicada = 2;
inline constexpr uint8_t kAnnounceQuadriglia = 4;
inline constexpr uint8_t kAnnounceSimili = 8;

// One play as the table remembers it: who played which card, and what it took
// (nothing: laid down).
struct NotedPlay {
  int16_t seat = -1;  // -1: no play
  int16_t card = -1;
  CardList<kMaxTakenCards> taken;
  bool operator==(const NotedPlay&) const = default;
};

// The plays the round view lists: one round of the table, so each seat's
// latest play is among them.
inline constexpr int kRoundPlays = kSeats;

// How long an announcement stays on the felt, in frames of 60 a second.
inline constexpr int16_t kAnnouncementFrames = 66;

// Network play: who sits at the table with the person. Offline every name
// is empty and the table shows "Right", "Partner" and "Left".
struct TablePeople {
  std::array<std::string, kSeats> names{};  // a person's; empty for a computer
  std::array<bool, kSeats> away{};          // its person lost the connection
  std::string code;                         // the table's join code
  bool waiting = false;                     // seats are open: nothing dealt yet
  bool host = false;                        // the person here hosts the table
  bool rejoining = false;                   // the connection was lost: making it again
  // The page that joins the table in a browser (ASCII), and what came of the
  // person's asking for it on the clipboard.
  std::string join_link;
  enum class LinkCopy { kNotAsked, kCopied, kFailed };
  LinkCopy link_copy = LinkCopy::kNotAsked;
};

// What the table shows to help the player follow and choose: the keyboard's
// choice, the last card of each seat, the announcement of a special capture.
// None of it takes part in the game's decisions, draws or timing.
struct TableAids {
  // A pick that cannot complete any capture is refused. The simulator turns
  // this off: its careless player's stray clicks are part of its traces.
  bool refuse_impossible_picks = true;

  int16_t hand_cursor = -1;   // hand slot chosen by the keys; -1: none
  int16_t table_cursor = -1;  // table index chosen by the keys; -1: none
  uint32_t keys_held = 0;     // the play keys down in the last frame, one bit each
  // The pointer moved or a button was pressed since the last play key: the
  // keys' choice is not shown, so its frame does not hide the mouse's outline.
  bool mouse_in_use = false;
  bool pointer_seen = false;
  int32_t pointer_x = 0;  // where the pointer was in the last frame
  int32_t pointer_y = 0;

  std::array<int16_t, kSeats> last_played{-1, -1, -1, -1};  // card ids; -1: none yet

  // The latest plays of this hand as the rules made them, oldest first. The
  // newest is the previous player's: the card a Picada takes.
  std::array<NotedPlay, kRoundPlays> round{};
  int16_t round_count = 0;

  // The game window lists the round on request (a held key, the pointer on a
  // seat's label). Off in the simulator, whose frames never show it.
  bool round_view_allowed = false;
  bool round_view_key_held = false;

  // The game window asks whether to leave the match (Escape was pressed).
  bool asking_to_leave = false;

  // The game window keeps a click on a table card made while the person's
  // card is still flying, and picks that card once the choice opens. Off in
  // the simulator: its careless player's early clicks belong to its traces.
  bool keep_clicks_in_flight = false;
  int16_t card_clicked_in_flight = -1;  // card id; -1: none

  // The game window lets a click or key put the deal's cards in place at
  // once. Off in the simulator, whose traces follow the deal card by card.
  bool hurry_deal_on_press = false;
  bool deal_press_held = false;  // a key or button was down in the last frame

  TablePeople people;

  // The game window keeps the score page up for kScorePageSettleMs from
  // `score_shown_tick`. Off in the simulator, whose clicks are its traces.
  bool score_page_settles = false;
  uint32_t score_shown_tick = 0;

  uint8_t announced = 0;  // kAnnounce* bits of the special capture on show
  Side announced_side = Side::kWe;
  int16_t announcement_frames_left = 0;
};

}  // namespace vantel
