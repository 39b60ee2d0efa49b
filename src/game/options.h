#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/seats.h"

namespace vantel {

// The two decks of the archive. The Bresciane pictures are stored under the
// name "Royal" (entries "Royal_AC.BMP", folder res/Royal) and the Trevigiane
// under "Trevigiano"; those stored names are also what the settings file keeps.
enum class Deck { kBresciane, kTrevigiane };

constexpr std::string_view DeckStoredName(Deck deck) {
  return deck == Deck::kTrevigiane ? "Trevigiano" : "Royal";
}

constexpr std::optional<Deck> DeckFromStoredName(std::string_view name) {
  for (Deck deck : {Deck::kBresciane, Deck::kTrevigiane}) {
    if (DeckStoredName(deck) == name) return deck;
  }
  return std::nullopt;
}

// Who plays a computer seat: the Classic players, or the Expert ones that
// look ahead by sampling the cards they cannot see.
enum class PlayerLevel { kClassic, kExpert };

// "classic" or "expert": the name the settings file, the statistics file and
// the simulator's options use for a level.
constexpr std::string_view PlayerLevelStoredName(PlayerLevel level) {
  return level == PlayerLevel::kExpert ? "expert" : "classic";
}

constexpr std::optional<PlayerLevel> PlayerLevelFromStoredName(std::string_view name) {
  for (PlayerLevel level : {PlayerLevel::kClassic, PlayerLevel::kExpert}) {
    if (PlayerLevelStoredName(level) == name) return level;
  }
  return std::nullopt;
}

// How long the computer seats take over a play: at the animation's pace, or
// unhurried, their card held a moment before it moves so the person can
// follow it.
enum class ComputerPace { kNormal, kUnhurried };

// "normal" or "unhurried": the name the settings file keeps.
constexpr std::string_view ComputerPaceStoredName(ComputerPace pace) {
  return pace == ComputerPace::kUnhurried ? "unhurried" : "normal";
}

constexpr std::optional<ComputerPace> ComputerPaceFromStoredName(std::string_view name) {
  for (ComputerPace pace : {ComputerPace::kNormal, ComputerPace::kUnhurried}) {
    if (ComputerPaceStoredName(pace) == name) return pace;
  }
  return std::nullopt;
}

// How the 800 x 600 picture is scaled to the window or screen.
enum class PictureScaling { kAutomatic, kSharp, kSmooth };

// The choices of the options dialog, fixed for the run. The member defaults are
// what its start button stores when nothing was touched.
struct Options {
  std::string pak_file_name = "res065.pak";
  Deck deck = Deck::kBresciane;
  bool slow_animation = false;
  int32_t twelve_card_deal = 1;  // 1: one deal of 12; 0: two deals of 6
  bool full_screen = true;
  // A window's size to open with; 0: the largest whole multiple of 800 x 600
  // that fits the desktop.
  int32_t window_width = 0;
  int32_t window_height = 0;
  PictureScaling scaling = PictureScaling::kAutomatic;
  PlayerLevel partner_level = PlayerLevel::kClassic;
  PlayerLevel opponent_level = PlayerLevel::kClassic;
  ComputerPace computer_pace = ComputerPace::kNormal;
  // The seat the person plays, drawn at the bottom of the table. The game
  // always seats them at 0; the simulator can put its autopilot anywhere.
  int16_t person_seat = kHumanSeat;
  // The server and name last used to play online, offered again by the
  // dialog; the game on the table never reads them.
  std::string online_server;
  std::string online_name;
};

inline constexpr int16_t kTwelveCardHand = 12;
inline constexpr int16_t kSixCardHand = 6;
// The most cards a hand slot row is laid out for, and the most a seat holds.
inline constexpr int kHandSlots = kTwelveCardHand;

constexpr bool DealsTwelve(const Options& options) {
  return options.twelve_card_deal == 1;
}

// Cards each seat is dealt at once: twelve in one deal, or six in each of two.
constexpr int16_t HandSize(const Options& options) {
  return DealsTwelve(options) ? kTwelveCardHand : kSixCardHand;
}

// Cards dealt to the seats in one deal.
constexpr int16_t CardsPerDeal(const Options& options) {
  return static_cast<int16_t>(kSeats * HandSize(options));
}

// Every hand plays twelve cards per seat, in one deal or in two.
inline constexpr int kCardsPlayedPerHand = kSeats * kTwelveCardHand;

// Whether the second deal of six is due once `cards_played` cards of the hand
// are played: when the first deal's cards are all down, never with twelve.
constexpr bool SecondDealDue(const Options& options, int cards_played) {
  return !DealsTwelve(options) && cards_played == CardsPerDeal(options);
}

}  // namespace vantel
