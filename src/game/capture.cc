#include "game/capture.h"

namespace vantel {

namespace {

int16_t ValueAt(const Game& g, int index) {
  return ValueOf(g.model.Table[index].Card);
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
  return static_cast<int16_t>(g.model.TableIdCount - 1);
}

bool AllTakenShareSuit(const Game& g) {
  const SuitCode played = SuitOf(g.model.Table[PlayedIndex(g)].Card);
  for (int c = 0; c < g.capture.CaptureCount; ++c) {
    if (SuitOf(g.model.Table[g.capture.CaptureIdx[c]].Card) != played) return false;
  }
  return true;
}

// Picada: a single card taken, the one laid just before the played card, by a
// player whose predecessor did not capture.
bool IsPicada(const Game& g) {
  const CaptureState& c = g.capture;
  return c.CaptureCount == 1 && g.model.TableCount == c.CaptureIdx[0] + 2 && c.PrevCaptureSize == 0;
}

Side SideOfTurn(const Game& g) {
  return SideOfSeat(g.flow.Turn);
}

}  // namespace

int16_t MustCapture(const Game& g) {
  const int n = g.model.TableCount - 1;
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
  const int n = g.model.TableCount - 1;
  if (n < 1) return false;
  int sum = 0;
  for (int i = 0; i < n; ++i) {
    const CardSprite& t = g.model.Table[i];
    if (t.Shown && t.Picked) sum += ValueAt(g, i);
  }
  return sum == ValueAt(g, n);
}

int16_t ApplyComputerCapture(Game& g) {
  CaptureState& c = g.capture;
  if (c.CaptureCount == 0) return 0;
  for (int i = 0; i < c.CaptureCount; ++i) g.model.Table[c.CaptureIdx[i]].Captured = true;

  SideFlags& flags = c.Of(SideOfTurn(g));
  if (IsPicada(g)) flags.Picada = true;
  flags.Simili = AllTakenShareSuit(g);
  if (c.CaptureCount > 2) flags.Quadriglia = true;
  if (g.model.TableCount == c.CaptureCount + 1) flags.Scua = true;
  g.model.Table[PlayedIndex(g)].Captured = true;
  return c.CaptureCount;
}

bool ApplyHumanCapture(Game& g) {
  CaptureState& c = g.capture;
  const int16_t n = c.CaptureCount;
  SideFlags& flags = c.We;
  if (IsPicada(g)) flags.Picada = true;
  // With nothing taken there is no suit to share; an empty capture must not
  // pass for a Simili.
  flags.Simili = n > 0 && AllTakenShareSuit(g);
  if (n > 2) flags.Quadriglia = true;
  if (n == g.model.TableCount - 1) flags.Scua = true;
  if (n > 0) g.model.Table[PlayedIndex(g)].Captured = true;
  c.LastCaptureSize = n;
  c.PrevCaptureSize = n;
  return flags.Any();
}

PlayVerdict JudgePlay(Game& g) {
  CaptureState& c = g.capture;
  if (g.model.TableIdCount == 1) {
    // A card laid on an empty table captures nothing; the next player's
    // Picada depends on this being recorded as such.
    c.LastCaptureSize = 0;
    return {};
  }
  const int16_t size = g.flow.Turn == kHumanSeat ? MustCapture(g) : ApplyComputerCapture(g);
  c.LastCaptureSize = size;
  if (size < 1) return {};
  c.LastCapturer = g.flow.Turn;

  const Side side = SideOfTurn(g);
  return {true, side, c.Of(side).Any()};
}

void ClearPlayFlags(Game& g) {
  CaptureState& c = g.capture;
  c.PrevCaptureSize = c.LastCaptureSize;
  c.We = SideFlags{};
  c.They = SideFlags{};
}

}  // namespace vantel
