#include "ai/hint_reason.h"

#include <variant>

namespace vantel {

namespace {

// Cards of `value` the seat cannot see anywhere: in no hand of its own, not
// on the table, not among the taken cards. They may take a laid card alone.
int UnseenOfValue(const SeatView& view, int value) {
  int seen = 0;
  auto count = [&](const auto& cards) {
    for (int16_t card : cards) seen += card != kHiddenCard && ValueOf(card) == value ? 1 : 0;
  };
  count(view.Hand());
  count(view.Table());
  count(view.Of(Side::kWe).taken);
  count(view.Of(Side::kThey).taken);
  return kSuitCount - seen;
}

HintExplained ExplainCapture(const CardsTaken& taken) {
  const SpecialCaptures& s = taken.specials;
  if (s.scua) return {HintReason::kScua, 0};
  if (s.picada) return {HintReason::kPicada, 0};
  if (s.quadriglia) return {HintReason::kQuadriglia, 0};
  if (s.simili) return {HintReason::kSimili, 0};
  for (int16_t card : taken.taken) {
    if (CardOf(card).scored_key != ScoredKey::kNone) return {HintReason::kKeyCard, 0};
  }
  return {HintReason::kCapture, taken.taken.Size()};
}

}  // namespace

HintExplained ExplainHint(const SeatView& view, const Play& play) {
  // The rules make the play on a copy of what the seat sees: what it earns is
  // theirs to say, not worked out here a second time.
  MatchState made = view.Masked();
  const PlayResult result = ApplyPlay(made, view.Seat(), play);
  if (!result.Ok()) return {};
  for (const MatchEvent& event : result.events) {
    if (const auto* taken = std::get_if<CardsTaken>(&event)) return ExplainCapture(*taken);
  }
  const int unseen = UnseenOfValue(view, ValueOf(play.card));
  return unseen == 0 ? HintExplained{HintReason::kSafeLay, 0}
                     : HintExplained{HintReason::kLay, unseen};
}

}  // namespace vantel
