#include "flow/hint.h"

#include <algorithm>
#include <optional>

#include "ai/expert.h"
#include "ai/thinker.h"
#include "flow/human_turn.h"
#include "game/fatal_error.h"

namespace vantel {

namespace {

// A suggestion that could not be worked out means the Expert itself is
// broken, seats and all: the game ends as on a seat's failure.
constexpr const char* kHintRoutine = "Hint";
constexpr long kErrorHintFailed = 2;

SeatView ViewOfHuman(const Game& g) {
  return SeatView(g.match, PersonSeat(g));
}

void ClearHint(FlowData& f) {
  f.hint_card = -1;
  f.hint_take_count = 0;
  f.hint_reason = {};
}

void ShowHint(Game& g, const SeatDecision& d) {
  FlowData& f = g.flow;
  const HandCards& hand = g.match.hands[PersonSeat(g)];
  if (d.position < 0 || d.position >= hand.Size()) return;
  f.hint_card = hand[d.position];
  f.hint_take.fill(0);
  std::copy(d.take.Span().begin(), d.take.Span().end(), f.hint_take.begin());
  f.hint_take_count = d.take.count;
  const SeatView view = ViewOfHuman(g);
  const std::optional<Play> play = PlayOfDecision(g.match, PersonSeat(g), d);
  f.hint_reason = play ? ExplainHint(view, *play) : HintExplained{};
}

// Only a suggestion for the play at hand is still held here: one for an
// earlier play was let go of when the human acted.
void CollectHint(Game& g) {
  FlowData& f = g.flow;
  const std::optional<ThinkingResult> result = f.pending_hint.TakeIfReady();
  if (!result) return;
  if (!result->decision) throw FatalError(kHintRoutine, kErrorHintFailed, result->failure);
  ShowHint(g, *result->decision);
}

}  // namespace

bool HumanTurnOpen(const Game& g) {
  return HumanToPlay(g) && !g.flow.game_paused && g.model.hand_id_count[PersonSeat(g)] > 0;
}

void ReadHintKey(Game& g, const InputSnapshot& input) {
  FlowData& f = g.flow;
  // The human acted (or the turn moved on): the suggestion is gone, and one
  // still being worked out is not wanted any more.
  if (!HumanTurnOpen(g) || f.hint_for_play != f.cards_played) {
    ClearHint(f);
    f.pending_hint.Cancel();
  }
  CollectHint(g);

  const bool down = input.KeyDown(kKeyH);
  const bool pressed = down && !f.hint_key_latch;
  f.hint_key_latch = down;
  if (!pressed || !HumanTurnOpen(g) || f.hint_card >= 0 || f.pending_hint.Active()) return;
  f.hint_for_play = f.cards_played;
  if (f.think_in_background) {
    f.pending_hint = ThinkAside(ViewOfHuman(g));
  } else {
    ShowHint(g, ChooseExpertPlay(ViewOfHuman(g)));
  }
}

}  // namespace vantel
