#include "autopilot.h"

#include <algorithm>
#include <span>

#include "ai/ai.h"
#include "flow/human_turn.h"
#include "flow/movement.h"

namespace vantel {

namespace {

// Points inside a card, from its middle outwards, in a fixed order.
template <class Pred>
bool FindPoint(float x0, float y0, int w, int h, Pred pred, int& outX, int& outY) {
  const int cx = static_cast<int>(x0) + w / 2;
  const int cy = static_cast<int>(y0) + h / 2;
  for (int r = 0; r <= std::max(w, h); r += 3) {
    for (int dy = -r; dy <= r; dy += std::max(r, 1)) {
      for (int dx = -r; dx <= r; dx += 3) {
        if (pred(cx + dx, cy + dy)) {
          outX = cx + dx;
          outY = cy + dy;
          return true;
        }
      }
    }
    for (int dx = -r; dx <= r; dx += std::max(r, 1)) {
      for (int dy = -r; dy <= r; dy += 3) {
        if (pred(cx + dx, cy + dy)) {
          outX = cx + dx;
          outY = cy + dy;
          return true;
        }
      }
    }
  }
  return false;
}

bool HumanMayPick(const Game& g) {
  const FlowData& f = g.flow;
  return f.State == FlowState::NormalPlay && f.Turn == 0 && f.AwaitingHuman && !f.HumanPicked &&
         !f.GamePaused && !AnyCardMoving(g);
}

// The human's cards in slot order, and the slot of each.
int HandInSlotOrder(const Game& g, std::array<int16_t, kHandRecords>& ids,
                    std::array<int, kHandRecords>& slots) {
  int n = 0;
  for (int s = 0; s < kHandSlots; ++s) {
    if (!g.model.Hand[0][s].Shown) continue;
    ids[n] = g.model.Hand[0][s].Card;
    slots[n] = s;
    ++n;
  }
  return n;
}

}  // namespace

bool Autopilot::PressLeft(InputSnapshot& in, int x, int y) {
  in.Buttons[kLeftButton] = 1;
  in.MouseX = mouseX_ = x;
  in.MouseY = mouseY_ = y;
  release_ = true;
  return true;
}

bool Autopilot::PressRight(InputSnapshot& in, int x, int y) {
  in.Buttons[kRightButton] = 1;
  in.MouseX = mouseX_ = x;
  in.MouseY = mouseY_ = y;
  release_ = true;
  return true;
}

InputSnapshot Autopilot::NextInput(const Game& g, bool clickScorePage) {
  InputSnapshot in;
  in.MouseX = mouseX_;
  in.MouseY = mouseY_;
  if (release_) {
    release_ = false;
    return in;
  }
  if (g.flow.State == FlowState::EndOfMatch) {
    if (clickScorePage) PressLeft(in, 400, 300);
    return in;
  }
  if (HumanMayPick(g)) {
    StartPlay(g, in);
  } else if (SelectionOpen(g)) {
    if (!Select(g, in)) Decline(g, in);
  } else {
    planning_ = planning_ && IsHumanGatheringState(g.flow.State);
    if (mode_ != HumanMode::Ai) StrayInput(g, in);
  }
  return in;
}

bool Autopilot::StartPlay(const Game& g, InputSnapshot& in) {
  // Now and then, before the first card of a deal, have the hand sorted.
  const int16_t held = g.model.HandIdCount[0];
  const bool whole = held == HandSize(g.options);
  if (whole && lastReorderPlayed_ != g.flow.CardsPlayed && Chance(30)) {
    lastReorderPlayed_ = g.flow.CardsPlayed;
    lastReorderHandCards_ = held;
    in.Keys[kKeyR] = 1;
    release_ = true;
    return true;
  }
  lastReorderPlayed_ = g.flow.CardsPlayed;

  std::array<int16_t, kHandRecords> ids{};
  std::array<int, kHandRecords> slots{};
  const int n = HandInSlotOrder(g, ids, slots);
  if (n == 0) return false;
  int choice = 0;
  plan_.clear();
  if (mode_ == HumanMode::Ai) {
    CaptureState handOver;
    choice = ChooseBestPlay(g, std::span<const int16_t>(ids.data(), n), handOver);
    if (choice < 0) choice = 0;
    plan_.assign(handOver.CaptureIdx.begin(), handOver.CaptureIdx.begin() + handOver.CaptureCount);
  } else {
    choice = random_.Draw(n);
  }
  planning_ = mode_ == HumanMode::Ai;
  const int slot = slots[choice];
  const CardSprite& c = g.model.Hand[0][slot];
  int x = 0, y = 0;
  auto hits = [&](int px, int py) { return PickHandCard(g, px, py) == slot; };
  if (!FindPoint(c.HomeX, c.HomeY, c.Width, c.Height, hits, x, y)) return false;
  return PressLeft(in, x, y);
}

bool Autopilot::Select(const Game& g, InputSnapshot& in) {
  switch (mode_) {
    case HumanMode::Ai: return SelectAsPlanned(g, in);
    case HumanMode::Random: return SelectAtRandom(g, in);
    case HumanMode::Decline: return Decline(g, in);
  }
  return false;
}

bool Autopilot::SelectAsPlanned(const Game& g, InputSnapshot& in) {
  for (int16_t idx : plan_) {
    if (idx < g.model.TableCount - 1 && !g.model.Table[idx].Picked) {
      return ClickTableCard(g, in, idx);
    }
  }
  return false;  // a lay-down where a capture was possible: decline
}

// A random person: aims at some capture that adds up, but clicks stray cards,
// takes cards back and sometimes gives up.
bool Autopilot::SelectAtRandom(const Game& g, InputSnapshot& in) {
  if (!planning_) PlanRandomCapture(g);
  planning_ = true;
  if (Chance(4)) return Decline(g, in);
  const int last = g.model.TableCount - 1;
  std::vector<int16_t> picked;
  for (int i = 0; i < last; ++i) {
    if (g.model.Table[i].Picked) picked.push_back(static_cast<int16_t>(i));
  }
  const auto inPlan = [&](int16_t i) {
    return std::find(plan_.begin(), plan_.end(), i) != plan_.end();
  };
  for (int16_t i : picked) {
    if (!inPlan(i) && Chance(40)) return RemoveTableCard(g, in, i);
  }
  if (!picked.empty() && Chance(8))
    return RemoveTableCard(g, in, picked[random_.Draw(static_cast<int>(picked.size()))]);
  if (last > 0 && Chance(12)) return ClickTableCard(g, in, random_.Draw(last));
  for (int16_t i : plan_) {
    if (!g.model.Table[i].Picked) return ClickTableCard(g, in, i);
  }
  if (last > 0) return ClickTableCard(g, in, random_.Draw(last));
  return false;
}

// Chooses, at random, one set of table cards that would add up to the played
// card (sums of up to four cards, or one equal card); empty when there is none.
void Autopilot::PlanRandomCapture(const Game& g) {
  plan_.clear();
  const int n = g.model.TableCount - 1;
  if (n < 1) return;
  const auto value = [&](int i) { return ValueOf(g.model.Table[i].Card); };
  const int target = value(n);
  std::vector<std::vector<int16_t>> found;
  std::vector<int16_t> cur;
  auto search = [&](auto&& self, int from, int sum) -> void {
    if (sum == target && !cur.empty()) found.push_back(cur);
    if (cur.size() == 4 || sum >= target || found.size() > 64) return;
    for (int i = from; i < n; ++i) {
      cur.push_back(static_cast<int16_t>(i));
      self(self, i + 1, sum + value(i));
      cur.pop_back();
    }
  };
  search(search, 0, 0);
  if (!found.empty()) plan_ = found[random_.Draw(static_cast<int>(found.size()))];
}

bool Autopilot::ClickTableCard(const Game& g, InputSnapshot& in, int index) {
  const CardSprite& t = g.model.Table[index];
  int x = 0, y = 0;
  auto hits = [&](int px, int py) { return SelectableCardAt(g, px, py) == index; };
  if (!FindPoint(t.X, t.Y, t.Width, t.Height, hits, x, y)) {
    ++unreachable_;
    return false;
  }
  return PressLeft(in, x, y);
}

bool Autopilot::RemoveTableCard(const Game& g, InputSnapshot& in, int index) {
  const CardSprite& t = g.model.Table[index];
  int x = 0, y = 0;
  auto hits = [&](int px, int py) {
    return !PlayedCardAt(g, px, py) && RemovableCardAt(g, px, py) == index;
  };
  if (!FindPoint(t.X, t.Y, t.Width, t.Height, hits, x, y)) return false;
  return PressRight(in, x, y);
}

bool Autopilot::Decline(const Game& g, InputSnapshot& in) {
  const CardSprite& t = g.model.Table[g.model.TableCount - 1];
  int x = 0, y = 0;
  auto hits = [&](int px, int py) { return PlayedCardAt(g, px, py); };
  if (!FindPoint(t.X, t.Y, t.Width, t.Height, hits, x, y)) return false;
  return PressRight(in, x, y);
}

// Presses that the game must ignore: R and clicks while it is not the human's
// moment.
bool Autopilot::StrayInput(const Game& g, InputSnapshot& in) {
  (void)g;
  if (Chance(1)) {
    in.Keys[kKeyR] = 1;
    release_ = true;
    return true;
  }
  if (Chance(1)) return PressLeft(in, 5 + random_.Draw(790), 5 + random_.Draw(590));
  return false;
}

}  // namespace vantel
