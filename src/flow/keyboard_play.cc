#include "flow/keyboard_play.h"

#include <algorithm>
#include <array>

#include "flow/capture_help.h"
#include "flow/deal.h"
#include "flow/human_turn.h"

namespace vantel {

namespace {

// The keys read here, one bit each in TableAids::keys_held.
constexpr std::array<int, 6 + kPlaceKeys> kPlayKeys = {
    kKeyLeft,  kKeyRight, kKeyReturn, kKeyPadEnter, kKeySpace,  kKeyBackspace,
    kKey1,     kKey1 + 1, kKey1 + 2,  kKey1 + 3,    kKey1 + 4,  kKey1 + 5,
    kKey1 + 6, kKey1 + 7, kKey1 + 8,  kKey1 + 9,    kKey1 + 10, kKey1 + 11};

constexpr uint32_t BitOf(int key) {
  for (std::size_t i = 0; i < kPlayKeys.size(); ++i) {
    if (kPlayKeys[i] == key) return 1U << i;
  }
  return 0;
}

constexpr uint32_t kEnterKeys = BitOf(kKeyReturn) | BitOf(kKeyPadEnter);

// Moves one step left (-1) or right (+1) in `row`, round at the ends; from
// outside the row, Right starts at its left end and Left at its right end.
int16_t StepInRow(const std::vector<int16_t>& row, int16_t current, int step) {
  if (row.empty()) return -1;
  const auto at = std::find(row.begin(), row.end(), current);
  if (at == row.end()) return step > 0 ? row.front() : row.back();
  const auto n = static_cast<int>(row.size());
  const int i = (static_cast<int>(at - row.begin()) + step + n) % n;
  return row[static_cast<std::size_t>(i)];
}

int Step(uint32_t pressed) {
  if (pressed & BitOf(kKeyLeft)) return -1;
  if (pressed & BitOf(kKeyRight)) return 1;
  return 0;
}

// `was_hidden`: the keys' choice was not on show (the mouse was in use), so
// Return or Space only show it again rather than act on a card not framed.
void HandKeys(Game& g, uint32_t pressed, bool was_hidden) {
  TableAids& a = g.aids;
  a.table_cursor = -1;
  const std::vector<int16_t> row = HandSlotsInRow(g);
  if (const int step = Step(pressed); step != 0)
    a.hand_cursor = StepInRow(row, a.hand_cursor, step);
  for (int place = 0; place < kPlaceKeys; ++place) {
    if ((pressed & BitOf(kKey1 + place)) == 0) continue;
    if (std::find(row.begin(), row.end(), place) != row.end())
      a.hand_cursor = static_cast<int16_t>(place);
  }
  if ((pressed & kEnterKeys) && !was_hidden &&
      std::find(row.begin(), row.end(), a.hand_cursor) != row.end()) {
    TryPlayHandSlot(g, a.hand_cursor);
  }
}

void CaptureKeys(Game& g, uint32_t pressed, bool was_hidden) {
  TableAids& a = g.aids;
  if (pressed & BitOf(kKeyBackspace)) {
    DeclineCapture(g);
    return;
  }
  if (pressed & kEnterKeys) {
    // Nothing to choose: Return takes the one set the table offers.
    const std::vector<int16_t> only = OnlyCompletion(g);
    if (!only.empty()) {
      for (const int16_t i : only) PickTableCard(g, i);
      return;
    }
  }
  const std::vector<int16_t> row = KeyTableChoices(g);
  const bool on_row = std::find(row.begin(), row.end(), a.table_cursor) != row.end();
  if (const int step = Step(pressed); step != 0) {
    a.table_cursor = StepInRow(row, a.table_cursor, step);
    return;
  }
  const bool space = (pressed & BitOf(kKeySpace)) != 0;
  if (!space && (pressed & kEnterKeys) == 0) return;
  if (!on_row || was_hidden) {
    // The first press shows where the keys are before it does anything.
    if (!on_row) a.table_cursor = row.empty() ? int16_t{-1} : row.front();
    return;
  }
  const bool picked = g.model.table[static_cast<std::size_t>(a.table_cursor)].picked;
  if (picked && space) {
    PutBackTableCard(g, a.table_cursor);
  } else if (!picked) {
    PickTableCard(g, a.table_cursor);
  }
}

void NoteMouse(TableAids& a, const InputSnapshot& input) {
  // The first sighting of the pointer is where it lies, not a move.
  const bool moved =
      a.pointer_seen && (input.mouse_x != a.pointer_x || input.mouse_y != a.pointer_y);
  if (moved || input.MouseButtonDown(kLeftButton) || input.MouseButtonDown(kRightButton))
    a.mouse_in_use = true;
  a.pointer_seen = true;
  a.pointer_x = input.mouse_x;
  a.pointer_y = input.mouse_y;
}

}  // namespace

std::vector<int16_t> HandSlotsInRow(const Game& g) {
  std::vector<int16_t> row;
  const auto& hand = g.model.hand[PersonSeat(g)];
  for (int slot = 0; slot < kHandSlots; ++slot) {
    if (hand[static_cast<std::size_t>(slot)].shown) row.push_back(static_cast<int16_t>(slot));
  }
  std::stable_sort(row.begin(), row.end(),
                   [&](int16_t a, int16_t b) { return hand[a].home_x < hand[b].home_x; });
  return row;
}

std::vector<int16_t> KeyTableChoices(const Game& g) {
  const TableMarks takeable = TakeableTableCards(g);
  std::vector<int16_t> row;
  for (int i = 0; i < g.model.table_count - 1 && i < kTableRecords; ++i) {
    const CardSprite& t = g.model.table[static_cast<std::size_t>(i)];
    if (takeable[static_cast<std::size_t>(i)] || (t.shown && t.picked))
      row.push_back(static_cast<int16_t>(i));
  }
  const auto& table = g.model.table;
  std::stable_sort(row.begin(), row.end(), [&](int16_t a, int16_t b) {
    return table[a].x != table[b].x ? table[a].x < table[b].x : table[a].y < table[b].y;
  });
  return row;
}

bool KeysChoiceShown(const Game& g) {
  return !g.aids.mouse_in_use;
}

void ReadPlayKeys(Game& g, const InputSnapshot& input) {
  NoteMouse(g.aids, input);
  uint32_t down = 0;
  for (int key : kPlayKeys) {
    if (input.KeyDown(key)) down |= BitOf(key);
  }
  const uint32_t pressed = down & ~g.aids.keys_held;
  g.aids.keys_held = down;
  if (pressed == 0 || g.flow.game_paused) return;
  const bool was_hidden = g.aids.mouse_in_use;
  g.aids.mouse_in_use = false;
  if (g.flow.state == FlowState::kEndOfMatch) {
    if (pressed & (kEnterKeys | BitOf(kKeySpace))) NextHandPressed(g);
    return;
  }
  if (SelectionOpen(g)) {
    CaptureKeys(g, pressed, was_hidden);
  } else if (HumanMayPickHandCard(g)) {
    HandKeys(g, pressed, was_hidden);
  }
}

}  // namespace vantel
