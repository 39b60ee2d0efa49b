#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "flow/game.h"

namespace vantel {

// The most characters the status line holds: it must end before the clock.
inline constexpr int kStatusTextMaxChars = 60;

// The short name of a place at the table as the person sees it (see
// PlaceOfSeat): "You", "Right", "Partner", "Left" (English; the screen may
// show them translated).
std::string_view SeatName(int place);

// The situations the status line speaks of: what the game waits for, who is
// playing, or the match score with its target.
enum class StatusKind : uint8_t {
  kLeaveQuestion,
  kPaused,
  kWeWon,
  kTheyWon,
  kTied,
  kNextHand,
  kTakeCards,
  kYourTurn,
  kRightPlaying,
  kPartnerPlaying,
  kLeftPlaying,
  kHintScua,  // the hint's reasons, in the order of HintReason from kScua
  kHintPicada,
  kHintQuadriglia,
  kHintSimili,
  kHintKeyCard,
  kHintCapture,
  kHintSafeLay,
  kHintLay,
  kMatchScore,
  kWaitingForPeople,  // network play: the name is the table's code
  kPersonPlaying,     // network play: the name is the person's
  kPersonAway,
  kPersonAwayHostMayGive,  // the same, said to the table's host, with the key that helps
  kTableLost,              // network play: the connection is being made again
};

// One status line: its situation and the numbers its sentence names, in order.
struct StatusLine {
  StatusLine() = default;
  StatusLine(StatusKind kind, std::array<int, 3> numbers, std::string name = {})
      : kind(kind), numbers(numbers), name(std::move(name)) {}

  StatusKind kind = StatusKind::kMatchScore;
  std::array<int, 3> numbers{};
  std::string name;  // for the situations that name someone or something
};

StatusLine StatusOf(const Game& g);

// The English sentence of a situation, UTF-8, with a printf conversion for
// each of its numbers, or one %s for its name. The screen may put it in the reader's language
// first.
const char* StatusPattern(StatusKind kind);

// `pattern` (a situation's sentence, or its translation) with the line's numbers.
std::string FillStatus(const char* pattern, const StatusLine& line);

// The English status line, UTF-8.
std::string StatusText(const Game& g);

}  // namespace vantel
