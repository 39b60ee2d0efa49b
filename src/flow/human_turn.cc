#include "flow/human_turn.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "flow/movement.h"
#include "flow/observer.h"
#include "game/capture.h"

namespace vantel {

namespace {

bool StrictlyInside(float x, float y, int w, int h, int mouseX, int mouseY) {
  return x < mouseX && mouseX < x + w && y < mouseY && mouseY < y + h;
}

bool Contains(const CardSprite& c, int mouseX, int mouseY) {
  return StrictlyInside(c.X, c.Y, c.Width, c.Height, mouseX, mouseY);
}

int16_t PositionInHandIds(const Game& g, int16_t card) {
  for (int i = 0; i < g.model.HandIdCount[0]; ++i) {
    if (g.model.HandIds[0][i] == card) return static_cast<int16_t>(i);
  }
  return -1;
}

int PickedCount(const Game& g) {
  int n = 0;
  for (int i = 0; i < g.model.TableCount; ++i) n += g.model.Table[i].Picked ? 1 : 0;
  return n;
}

// Takes the picked cards as the capture once they add up. A selection that
// adds up but holds more cards than a capture can is left open: the human
// removes cards or declines.
void ConfirmIfMatched(Game& g) {
  if (!PickedCardsMatch(g) || PickedCount(g) > kMaxCaptureCards) return;
  CardModel& m = g.model;
  CaptureState& c = g.capture;
  g.flow.CaptureConfirmed = true;
  c.LastCapturer = 0;
  c.CaptureCount = 0;
  for (int i = 0; i < m.TableCount; ++i) {
    if (!m.Table[i].Picked) continue;
    m.Table[i].Picked = false;
    c.CaptureIdx[c.CaptureCount] = static_cast<int16_t>(i);
    c.CaptureCount += 1;
    m.Table[i].Captured = true;
  }
  Notify(g, [&](GameObserver& o) { o.OnSelect(g, false); });
}

void Decline(Game& g) {
  CardModel& m = g.model;
  for (int i = 0; i <= m.TableCount - 2; ++i) {
    m.Table[i].Picked = false;
    m.Table[i].Captured = false;
  }
  g.capture.LastCaptureSize = 0;
  g.capture.PrevCaptureSize = 0;
  g.flow.CaptureConfirmed = true;
  g.flow.CaptureDeclined = true;
  Notify(g, [&](GameObserver& o) { o.OnSelect(g, true); });
}

std::array<int16_t, kHandRecords> ShownHandCards(const Game& g, int& count) {
  std::array<int16_t, kHandRecords> ids{};
  count = 0;
  for (const CardSprite& c : g.model.Hand[0]) {
    if (c.Shown) ids[count++] = c.Card;
  }
  return ids;
}

}  // namespace

bool IsHumanGatheringState(FlowState state) {
  return state == FlowState::WeGettingCardsGathering ||
         state == FlowState::WeGettingSpecialGathering;
}

int16_t PickHandCard(const Game& g, int mouseX, int mouseY) {
  for (int slot = 11; slot >= 0; --slot) {
    const CardSprite& c = g.model.Hand[0][slot];
    if (!c.Shown || c.Moving) continue;
    if (StrictlyInside(c.HomeX, c.HomeY, c.Width, c.Height, mouseX, mouseY)) {
      return static_cast<int16_t>(slot);
    }
  }
  return -1;
}

void TryPickHandCard(Game& g, int mouseX, int mouseY) {
  FlowData& f = g.flow;
  if (f.State != FlowState::NormalPlay || f.Turn != 0 || !f.AwaitingHuman || f.HumanPicked ||
      f.GamePaused || AnyCardMoving(g)) {
    return;
  }
  const int16_t slot = PickHandCard(g, mouseX, mouseY);
  if (slot < 0) return;
  f.HumanPlayed = true;
  f.HumanPicked = true;
  f.PickedHandIndex = slot;
  const int16_t k = PositionInHandIds(g, g.model.Hand[0][slot].Card);
  Notify(g, [&](GameObserver& o) { o.OnTurn(g, 0, k, {}); });
}

int16_t SelectableCardAt(const Game& g, int mouseX, int mouseY) {
  const CardModel& m = g.model;
  if (m.TableCount < 1) return -1;
  const int16_t played = m.Table[m.TableCount - 1].Card;
  for (int i = m.TableCount - 2; i >= 0; --i) {
    const CardSprite& t = m.Table[i];
    if (t.Shown && t.Card != played && Contains(t, mouseX, mouseY)) return static_cast<int16_t>(i);
  }
  return -1;
}

bool PlayedCardAt(const Game& g, int mouseX, int mouseY) {
  const CardModel& m = g.model;
  if (m.TableCount < 1) return false;
  const CardSprite& t = m.Table[m.TableCount - 1];
  return t.Shown && Contains(t, mouseX, mouseY);
}

int16_t RemovableCardAt(const Game& g, int mouseX, int mouseY) {
  const CardModel& m = g.model;
  for (int i = m.TableCount - 2; i >= 0; --i) {
    const CardSprite& t = m.Table[i];
    if (t.Shown && Contains(t, mouseX, mouseY)) return static_cast<int16_t>(i);
  }
  return -1;
}

bool SelectionOpen(const Game& g) {
  return IsHumanGatheringState(g.flow.State) && g.flow.Turn == 0 && !g.flow.CaptureConfirmed &&
         !AnyCardMoving(g);
}

void SelectCapture(Game& g, int button, int mouseX, int mouseY) {
  if (!SelectionOpen(g)) return;
  if (button == 0) {
    const int16_t i = SelectableCardAt(g, mouseX, mouseY);
    if (i < 0) return;
    g.model.Table[i].Picked = true;
    ConfirmIfMatched(g);
    return;
  }
  if (PlayedCardAt(g, mouseX, mouseY)) Decline(g);
  const int16_t i = RemovableCardAt(g, mouseX, mouseY);
  if (i < 0) return;
  g.model.Table[i].Picked = false;
  // After a decline nothing is picked, so this cannot confirm anything.
  if (!g.flow.CaptureDeclined) ConfirmIfMatched(g);
}

void TryReorderHand(Game& g) {
  FlowData& f = g.flow;
  if (f.State != FlowState::NormalPlay || g.model.HandIdCount[0] != HandSize(g.options) ||
      f.Turn != 0 || AnyCardMoving(g)) {
    return;
  }
  f.SavedFlowState = f.State;
  f.State = FlowState::GatherAroundFirstCard;
}

void GatherHand(Game& g) {
  PlayCardFlipSound(g.random, g.sound);
  auto& hand = g.model.Hand[0];
  for (int slot = 1; slot < kHandRecords; ++slot) {
    CardSprite& c = hand[slot];
    if (!c.Shown) continue;
    c.HomeX = static_cast<int16_t>(std::nearbyint(c.X));
    c.HomeY = static_cast<int16_t>(std::nearbyint(c.Y));
    c.FaceUp = true;
    StartMove(g, c, hand[0].X, hand[0].Y, g.layout.LongMoveSteps);
  }
}

void SpreadHand(Game& g) {
  PlaySignSound(g.random, g.sound);
  for (int slot = 1; slot < kHandRecords; ++slot) {
    CardSprite& c = g.model.Hand[0][slot];
    if (!c.Shown) continue;
    c.FaceUp = true;
    StartMove(g, c, c.HomeX, c.HomeY, g.layout.LongMoveSteps);
  }
}

void SortHand(Game& g) {
  int count = 0;
  const std::array<int16_t, kHandRecords> before = ShownHandCards(g, count);
  std::array<int16_t, kHandRecords> sorted{};
  int n = 0;
  // Kings first, down to the aces; within a value in the rules' suit order.
  for (int value = kHighestValue; value >= kLowestValue; --value) {
    for (int s = 0; s < kSuitCount; ++s) {
      for (int i = 0; i < count; ++i) {
        const int16_t id = before[i];
        if (ValueOf(id) == value && SuitOf(id) == static_cast<SuitCode>(s)) {
          sorted[n++] = id;
        }
      }
    }
  }
  int next = 0;
  for (CardSprite& c : g.model.Hand[0]) {
    if (c.Shown) c.Card = sorted[next++];
  }
  const std::span<const int16_t> b(before.data(), static_cast<size_t>(count));
  const std::span<const int16_t> a(sorted.data(), static_cast<size_t>(count));
  Notify(g, [&](GameObserver& o) { o.OnReorder(g, b, a); });
}

}  // namespace vantel
