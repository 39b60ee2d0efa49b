#include "flow/capture.h"

#include <algorithm>
#include <span>

#include "game/legal_captures.h"

namespace vantel {

namespace {

int16_t ValueAt(const Game& g, int index) {
  return ValueOf(g.model.table[index].card);
}

// Reads the played card where the id list ends: the table list and the id list
// grow together, so this is the card that just landed.
int16_t PlayedIndex(const Game& g) {
  return static_cast<int16_t>(g.model.table_id_count - 1);
}

// The table's cards before the card just played, and that card.
std::span<const int16_t> TableBeforePlay(const Game& g) {
  return {g.model.table_ids.data(), static_cast<size_t>(std::max<int>(0, PlayedIndex(g)))};
}

Side SideOfTurn(const Game& g) {
  return SideOfSeat(g.flow.turn);
}

// A card laid on an empty table captures nothing.
bool LandedOnEmptyTable(const Game& g) {
  return g.model.table_id_count == 1;
}

// A capture of `size` cards (none when below 1) by the seat on turn.
PlayVerdict VerdictOf(const Game& g, int16_t size) {
  if (size < 1) return {};
  const Side side = SideOfTurn(g);
  return {true, side, g.capture.Of(side).Any()};
}

}  // namespace

int16_t MustCapture(const Game& g) {
  if (g.model.table_count < 2) return 0;
  return static_cast<int16_t>(
      FirstCaptureSize(TableBeforePlay(g), g.model.table_ids[PlayedIndex(g)]));
}

bool PickedCardsMatch(const Game& g) {
  const int n = g.model.table_count - 1;
  if (n < 1) return false;
  int sum = 0;
  for (int i = 0; i < n; ++i) {
    const CardSprite& t = g.model.table[i];
    if (t.shown && t.picked) sum += ValueAt(g, i);
  }
  return sum == ValueAt(g, n);
}

int16_t ApplyComputerCapture(Game& g) {
  CaptureState& c = g.capture;
  if (c.capture_count == 0) return 0;
  for (int i = 0; i < c.capture_count; ++i) g.model.table[c.capture_idx[i]].captured = true;
  g.model.table[PlayedIndex(g)].captured = true;
  return c.capture_count;
}

bool ApplyHumanCapture(Game& g) {
  CaptureState& c = g.capture;
  if (c.capture_count > 0) g.model.table[PlayedIndex(g)].captured = true;
  return c.Of(PersonSide(g)).Any();
}

PlayVerdict JudgeChosenCapture(Game& g) {
  if (LandedOnEmptyTable(g)) return {};
  return VerdictOf(g, ApplyComputerCapture(g));
}

PlayVerdict JudgePlay(Game& g) {
  if (g.flow.turn != PersonSeat(g)) return JudgeChosenCapture(g);
  if (LandedOnEmptyTable(g)) return {};
  return VerdictOf(g, MustCapture(g));
}

void ClearPlayFlags(Game& g) {
  CaptureState& c = g.capture;
  c.we = SideFlags{};
  c.they = SideFlags{};
}

}  // namespace vantel
