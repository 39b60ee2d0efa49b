#include "game/capture.h"

namespace vantel {

namespace {

int16_t ValueAt(const Game& g, int index) {
  return ValueOf(g.model.table[index].card);
}

// The first sum of `size` distinct table cards (indices below `n`, in index
// order) that adds up to `target`. Searched recursively so the order is that of
// nested loops i < j < k < l.
bool FindSum(const Game& g, int n, int size, int first, int target) {
  if (size == 0) return target == 0;
  for (int i = first; i <= n - size; ++i) {
    if (FindSum(g, n, size - 1, i + 1, target - ValueAt(g, i))) return true;
  }
  return false;
}

// Reads the played card where the id list ends: the table list and the id list
// grow together, so this is the card that just landed.
int16_t PlayedIndex(const Game& g) {
  return static_cast<int16_t>(g.model.table_id_count - 1);
}

bool AllTakenShareSuit(const Game& g) {
  const Suit played = SuitOf(g.model.table[PlayedIndex(g)].card);
  for (int c = 0; c < g.capture.capture_count; ++c) {
    if (SuitOf(g.model.table[g.capture.capture_idx[c]].card) != played) return false;
  }
  return true;
}

// Picada: a single card taken, the one laid just before the played card, by a
// player whose predecessor did not capture.
bool IsPicada(const Game& g) {
  const CaptureState& c = g.capture;
  return c.capture_count == 1 && g.model.table_count == c.capture_idx[0] + 2 &&
         c.prev_capture_size == 0;
}

Side SideOfTurn(const Game& g) {
  return SideOfSeat(g.flow.turn);
}

// A card laid on an empty table captures nothing; the next player's Picada
// depends on this being recorded as such.
bool LandedOnEmptyTable(Game& g) {
  if (g.model.table_id_count != 1) return false;
  g.capture.last_capture_size = 0;
  return true;
}

// Records a capture of `size` cards (none when below 1) by the seat on turn.
PlayVerdict RecordCapture(Game& g, int16_t size) {
  CaptureState& c = g.capture;
  c.last_capture_size = size;
  if (size < 1) return {};
  c.last_capturer = g.flow.turn;
  const Side side = SideOfTurn(g);
  return {true, side, c.Of(side).Any()};
}

}  // namespace

int16_t MustCapture(const Game& g) {
  const int n = g.model.table_count - 1;
  if (n < 1) return 0;
  const int p = ValueAt(g, n);
  if (p >= 2 && p <= 10) {
    for (int size = 4; size >= 2; --size) {
      if (n >= size && FindSum(g, n, size, 0, p)) return static_cast<int16_t>(size);
    }
  }
  for (int i = 0; i < n; ++i) {
    if (ValueAt(g, i) == p) return 1;
  }
  return 0;
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

  SideFlags& flags = c.Of(SideOfTurn(g));
  if (IsPicada(g)) flags.picada = true;
  flags.simili = AllTakenShareSuit(g);
  if (c.capture_count > 2) flags.quadriglia = true;
  if (g.model.table_count == c.capture_count + 1) flags.scua = true;
  g.model.table[PlayedIndex(g)].captured = true;
  return c.capture_count;
}

bool ApplyHumanCapture(Game& g) {
  CaptureState& c = g.capture;
  const int16_t n = c.capture_count;
  SideFlags& flags = c.we;
  if (IsPicada(g)) flags.picada = true;
  // With nothing taken there is no suit to share; an empty capture must not
  // pass for a Simili.
  flags.simili = n > 0 && AllTakenShareSuit(g);
  if (n > 2) flags.quadriglia = true;
  if (n == g.model.table_count - 1) flags.scua = true;
  if (n > 0) g.model.table[PlayedIndex(g)].captured = true;
  c.last_capture_size = n;
  c.prev_capture_size = n;
  return flags.Any();
}

PlayVerdict JudgeChosenCapture(Game& g) {
  if (LandedOnEmptyTable(g)) return {};
  return RecordCapture(g, ApplyComputerCapture(g));
}

PlayVerdict JudgePlay(Game& g) {
  if (g.flow.turn != kHumanSeat) return JudgeChosenCapture(g);
  if (LandedOnEmptyTable(g)) return {};
  return RecordCapture(g, MustCapture(g));
}

void ClearPlayFlags(Game& g) {
  CaptureState& c = g.capture;
  c.prev_capture_size = c.last_capture_size;
  c.we = SideFlags{};
  c.they = SideFlags{};
}

}  // namespace vantel
