#include "flow/hint.h"

#include <algorithm>
#include <optional>

#include "ai/expert.h"
#include "flow/human_turn.h"

namespace vantel {

namespace {

SeatView ViewOfHuman(const Game& g) {
  return SeatView(g.match, PersonSeat(g));
}

void ClearHint(FlowData& f) {
  f.hint_card = -1;
  f.hint_take_count = 0;
}

void ShowHint(Game& g, const SeatDecision& d) {
  FlowData& f = g.flow;
  const HandCards& hand = g.match.hands[PersonSeat(g)];
  if (d.position < 0 || d.position >= hand.Size()) return;
  f.hint_card = hand[d.position];
  f.hint_take.fill(0);
  std::copy(d.take.Span().begin(), d.take.Span().end(), f.hint_take.begin());
  f.hint_take_count = d.take.count;
}

// A finished suggestion is shown only if the human is still at the play it
// was worked out for.
void CollectHint(Game& g) {
  FlowData& f = g.flow;
  const std::optional<SeatDecision> d = TakeIfReady(f.pending_hint);
  if (d && HumanTurnOpen(g) && f.hint_for_play == f.cards_played) ShowHint(g, *d);
}

}  // namespace

bool HumanTurnOpen(const Game& g) {
  return HumanToPlay(g) && !g.flow.game_paused && g.model.hand_id_count[PersonSeat(g)] > 0;
}

void ReadHintKey(Game& g, const InputSnapshot& input) {
  FlowData& f = g.flow;
  // The human acted (or the turn moved on): the suggestion is gone.
  if (!HumanTurnOpen(g) || f.hint_for_play != f.cards_played) ClearHint(f);
  CollectHint(g);

  const bool down = input.KeyDown(kKeyH);
  const bool pressed = down && !f.hint_key_latch;
  f.hint_key_latch = down;
  if (!pressed || !HumanTurnOpen(g) || f.hint_card >= 0 || f.pending_hint.valid()) return;
  f.hint_for_play = f.cards_played;
  if (f.think_in_background) {
    f.pending_hint = ThinkAside(ViewOfHuman(g));
  } else {
    ShowHint(g, ChooseExpertPlay(ViewOfHuman(g)));
  }
}

}  // namespace vantel
