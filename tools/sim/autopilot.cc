#include "autopilot.h"

#include <algorithm>
#include <span>

#include "ai/ai.h"
#include "ai/expert.h"
#include "flow/human_turn.h"
#include "flow/movement.h"

namespace vantel {

namespace {

// Points inside a card, from its middle outwards, in a fixed order.
template <class Pred>
bool FindPoint(float x0, float y0, int w, int h, Pred pred, int& out_x, int& out_y) {
  const int cx = static_cast<int>(x0) + w / 2;
  const int cy = static_cast<int>(y0) + h / 2;
  for (int r = 0; r <= std::max(w, h); r += 3) {
    for (int dy = -r; dy <= r; dy += std::max(r, 1)) {
      for (int dx = -r; dx <= r; dx += 3) {
        if (pred(cx + dx, cy + dy)) {
          out_x = cx + dx;
          out_y = cy + dy;
          return true;
        }
      }
    }
    for (int dx = -r; dx <= r; dx += std::max(r, 1)) {
      for (int dy = -r; dy <= r; dy += 3) {
        if (pred(cx + dx, cy + dy)) {
          out_x = cx + dx;
          out_y = cy + dy;
          return true;
        }
      }
    }
  }
  return false;
}

bool HumanMayPick(const Game& g) {
  const FlowData& f = g.flow;
  return f.state == FlowState::kNormalPlay && f.turn == PersonSeat(g) && f.awaiting_human &&
         !f.human_picked && !f.game_paused && !AnyCardMoving(g);
}

// The human's cards in slot order, and the slot of each.
int HandInSlotOrder(const Game& g, std::array<int16_t, kHandRecords>& ids,
                    std::array<int, kHandRecords>& slots) {
  int n = 0;
  for (int s = 0; s < kHandSlots; ++s) {
    const CardSprite& card = g.model.hand[PersonSeat(g)][s];
    if (!card.shown) continue;
    ids[n] = card.card;
    slots[n] = s;
    ++n;
  }
  return n;
}

// The player of `level` decides over the seat's view; its card is found
// again among `ids` (the slot order) to be clicked.
int ChoiceInSlotOrder(const Game& g, PlayerLevel level, std::span<const int16_t> ids,
                      CaptureSet& take) {
  const SeatView view(g.match, PersonSeat(g));
  const SeatDecision d = ChoosePlayAtLevel(view, level);
  take = d.take;
  if (d.position < 0) return -1;
  const auto at = std::find(ids.begin(), ids.end(), view.Hand()[d.position]);
  return at == ids.end() ? -1 : static_cast<int>(at - ids.begin());
}

}  // namespace

bool Autopilot::PressLeft(InputSnapshot& in, int x, int y) {
  in.buttons[kLeftButton] = 1;
  in.mouse_x = mouse_x_ = x;
  in.mouse_y = mouse_y_ = y;
  release_ = true;
  return true;
}

bool Autopilot::PressRight(InputSnapshot& in, int x, int y) {
  in.buttons[kRightButton] = 1;
  in.mouse_x = mouse_x_ = x;
  in.mouse_y = mouse_y_ = y;
  release_ = true;
  return true;
}

InputSnapshot Autopilot::NextInput(const Game& g, bool click_score_page) {
  InputSnapshot in;
  in.mouse_x = mouse_x_;
  in.mouse_y = mouse_y_;
  if (release_) {
    release_ = false;
    return in;
  }
  if (g.flow.state == FlowState::kEndOfMatch) {
    if (click_score_page) PressLeft(in, 400, 300);
    return in;
  }
  if (HumanMayPick(g)) {
    StartPlay(g, in);
  } else if (SelectionOpen(g)) {
    if (!Select(g, in)) Decline(g, in);
  } else {
    planning_ = planning_ && IsHumanGatheringState(g);
    if (mode_ != HumanMode::kAi) StrayInput(g, in);
  }
  return in;
}

bool Autopilot::StartPlay(const Game& g, InputSnapshot& in) {
  // Now and then, before the first card of a deal, have the hand sorted.
  const int16_t held = g.model.hand_id_count[0];
  const bool whole = held == HandSize(g.options);
  if (whole && last_reorder_played_ != g.flow.cards_played && Chance(30)) {
    last_reorder_played_ = g.flow.cards_played;
    last_reorder_hand_cards_ = held;
    in.keys[kKeyR] = 1;
    release_ = true;
    return true;
  }
  last_reorder_played_ = g.flow.cards_played;

  std::array<int16_t, kHandRecords> ids{};
  std::array<int, kHandRecords> slots{};
  const int n = HandInSlotOrder(g, ids, slots);
  if (n == 0) return false;
  int choice = 0;
  plan_.clear();
  if (mode_ == HumanMode::kAi) {
    CaptureSet take;
    choice = ChoiceInSlotOrder(g, level_, std::span<const int16_t>(ids.data(), n), take);
    if (choice < 0) choice = 0;
    plan_.assign(take.Span().begin(), take.Span().end());
  } else {
    choice = random_.Draw(n);
  }
  planning_ = mode_ == HumanMode::kAi;
  const int slot = slots[choice];
  const CardSprite& c = g.model.hand[PersonSeat(g)][slot];
  int x = 0, y = 0;
  auto hits = [&](int px, int py) { return PickHandCard(g, px, py) == slot; };
  if (!FindPoint(c.home_x, c.home_y, c.width, c.height, hits, x, y)) return false;
  return PressLeft(in, x, y);
}

bool Autopilot::Select(const Game& g, InputSnapshot& in) {
  switch (mode_) {
    case HumanMode::kAi: return SelectAsPlanned(g, in);
    case HumanMode::kRandom: return SelectAtRandom(g, in);
    case HumanMode::kDecline: return Decline(g, in);
  }
  return false;
}

bool Autopilot::SelectAsPlanned(const Game& g, InputSnapshot& in) {
  for (int16_t idx : plan_) {
    if (idx < g.model.table_count - 1 && !g.model.table[idx].picked) {
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
  const int last = g.model.table_count - 1;
  std::vector<int16_t> picked;
  for (int i = 0; i < last; ++i) {
    if (g.model.table[i].picked) picked.push_back(static_cast<int16_t>(i));
  }
  const auto in_plan = [&](int16_t i) {
    return std::find(plan_.begin(), plan_.end(), i) != plan_.end();
  };
  for (int16_t i : picked) {
    if (!in_plan(i) && Chance(40)) return RemoveTableCard(g, in, i);
  }
  if (!picked.empty() && Chance(8))
    return RemoveTableCard(g, in, picked[random_.Draw(static_cast<int>(picked.size()))]);
  if (last > 0 && Chance(12)) return ClickTableCard(g, in, random_.Draw(last));
  for (int16_t i : plan_) {
    if (!g.model.table[i].picked) return ClickTableCard(g, in, i);
  }
  if (last > 0) return ClickTableCard(g, in, random_.Draw(last));
  return false;
}

// Chooses, at random, one set of table cards that would add up to the played
// card (sums of up to four cards, or one equal card); empty when there is none.
void Autopilot::PlanRandomCapture(const Game& g) {
  plan_.clear();
  const int n = g.model.table_count - 1;
  if (n < 1) return;
  const auto value = [&](int i) { return ValueOf(g.model.table[i].card); };
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
  const CardSprite& t = g.model.table[index];
  int x = 0, y = 0;
  auto hits = [&](int px, int py) { return SelectableCardAt(g, px, py) == index; };
  if (!FindPoint(t.x, t.y, t.width, t.height, hits, x, y)) {
    ++unreachable_;
    return false;
  }
  return PressLeft(in, x, y);
}

bool Autopilot::RemoveTableCard(const Game& g, InputSnapshot& in, int index) {
  const CardSprite& t = g.model.table[index];
  int x = 0, y = 0;
  auto hits = [&](int px, int py) {
    return !PlayedCardAt(g, px, py) && RemovableCardAt(g, px, py) == index;
  };
  if (!FindPoint(t.x, t.y, t.width, t.height, hits, x, y)) return false;
  return PressRight(in, x, y);
}

bool Autopilot::Decline(const Game& g, InputSnapshot& in) {
  const CardSprite& t = g.model.table[g.model.table_count - 1];
  int x = 0, y = 0;
  auto hits = [&](int px, int py) { return PlayedCardAt(g, px, py); };
  if (!FindPoint(t.x, t.y, t.width, t.height, hits, x, y)) return false;
  return PressRight(in, x, y);
}

// Presses that the game must ignore: R and clicks while it is not the human's
// moment.
bool Autopilot::StrayInput(const Game& g, InputSnapshot& in) {
  (void)g;
  if (Chance(1)) {
    in.keys[kKeyR] = 1;
    release_ = true;
    return true;
  }
  if (Chance(1)) return PressLeft(in, 5 + random_.Draw(790), 5 + random_.Draw(590));
  return false;
}

}  // namespace vantel
