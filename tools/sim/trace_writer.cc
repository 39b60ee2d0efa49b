#include "trace_writer.h"

#include <array>
#include <vector>

#include "flow/shown_score.h"
#include "game/legal_captures.h"

namespace vantel {

namespace {

void AppendList(std::string& s, std::span<const int16_t> ids) {
  s += '[';
  for (size_t i = 0; i < ids.size(); ++i) {
    if (i > 0) s += ',';
    s += std::to_string(ids[i]);
  }
  s += ']';
}

void AppendFlags(std::string& s, const SideFlags& f) {
  s += '[';
  s += f.scua ? '1' : '0';
  s += ',';
  s += f.simili ? '1' : '0';
  s += ',';
  s += f.picada ? '1' : '0';
  s += ',';
  s += f.quadriglia ? '1' : '0';
  s += ']';
}

// The keys keep the suits' old letters (S batons, D coins, H swords): the trace
// is a stored format.
void AppendSideScore(std::string& s, const HandScore& v, int16_t taken) {
  const std::array<std::pair<const char*, int>, 13> fields = {{{"cards", taken},
                                                               {"suit_s", v.batons},
                                                               {"suit_s_point", v.batons_point},
                                                               {"cards_point", v.cards_point},
                                                               {"napula", v.napula},
                                                               {"scua", v.scua},
                                                               {"picada", v.picada},
                                                               {"simili", v.simili},
                                                               {"quadriglia", v.quadriglia},
                                                               {"two_s", v.two_of_batons},
                                                               {"ten_d", v.ten_of_coins},
                                                               {"jack_h", v.jack_of_swords},
                                                               {"points", v.points}}};
  s += '{';
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) s += ',';
    s += '"';
    s += fields[i].first;
    s += "\":";
    s += std::to_string(fields[i].second);
  }
  s += '}';
}

std::span<const int16_t> Ids(const int16_t* first, int count) {
  return {first, static_cast<size_t>(count < 0 ? 0 : count)};
}

std::vector<int16_t> SpriteCards(const CardSprite* first, int count) {
  std::vector<int16_t> ids;
  for (int i = 0; i < count; ++i) ids.push_back(first[i].card);
  return ids;
}

std::span<const int16_t> Capture(const Game& g) {
  return Ids(g.capture.capture_idx.data(), g.capture.capture_count);
}

}  // namespace

void TraceWriter::Begin(const char* ev) {
  line_ = "{\"ev\":\"";
  line_ += ev;
  line_ += "\",\"hand\":";
  line_ += std::to_string(hand_);
}

void TraceWriter::End() {
  line_ += "}\n";
  out_ << line_;
}

void TraceWriter::Int(const char* key, long v) {
  line_ += ",\"";
  line_ += key;
  line_ += "\":";
  line_ += std::to_string(v);
}

void TraceWriter::Bool(const char* key, bool v) {
  line_ += ",\"";
  line_ += key;
  line_ += v ? "\":true" : "\":false";
}

void TraceWriter::Text(const char* key, std::string_view v) {
  line_ += ",\"";
  line_ += key;
  line_ += "\":\"";
  for (char c : v) {
    if (c == '"' || c == '\\') line_ += '\\';
    line_ += c;
  }
  line_ += '"';
}

void TraceWriter::List(const char* key, std::span<const int16_t> ids) {
  line_ += ",\"";
  line_ += key;
  line_ += "\":";
  AppendList(line_, ids);
}

void TraceWriter::TableCards(const Game& g) {
  const std::vector<int16_t> ids = SpriteCards(g.model.table.data(), g.model.table_count);
  List("table", ids);
}

void TraceWriter::Flags(const Game& g) {
  line_ += ",\"flags\":{\"we\":";
  AppendFlags(line_, g.capture.we);
  line_ += ",\"they\":";
  AppendFlags(line_, g.capture.they);
  line_ += '}';
}

void TraceWriter::OnHandStart(const Game& g) {
  ++hand_;
  Begin("hand");
  Bool("twelve", g.options.twelve_card_deal == 1);
  Int("first", g.flow.turn);
  List("deck", SpriteCards(g.model.deck.data(), 52));
  End();
}

void TraceWriter::OnDealt(const Game& g) {
  Begin("dealt");
  line_ += ",\"hands\":[";
  for (int s = 0; s < kSeats; ++s) {
    if (s > 0) line_ += ',';
    AppendList(line_, Ids(g.model.hand_ids[s].data(), g.model.hand_id_count[s]));
  }
  line_ += ']';
  TableCards(g);
  End();
}

void TraceWriter::OnTurn(const Game& g, int seat, int16_t choice,
                         std::span<const int16_t> capture) {
  const CardModel& m = g.model;
  Begin("turn");
  Int("seat", seat);
  List("hand_ids", Ids(m.hand_ids[seat].data(), m.hand_id_count[seat]));
  TableCards(g);
  Int("prev_capture_size", g.match.memory.previous_size);
  const ValueCounts seen =
      ValuesSeen(g.match.table, g.match.Of(Side::kWe).taken, g.match.Of(Side::kThey).taken);
  List("rank_seen", Ids(seen.data() + 1, kHighestValue));
  List("we_pile", SpriteCards(m.we_pile.data(), m.we_pile_count));
  List("they_pile", SpriteCards(m.they_pile.data(), m.they_pile_count));
  Int("choice", choice);
  List("capture", capture);
  End();
}

void TraceWriter::OnLand(const Game& g, int seat, int16_t card) {
  Begin("land");
  Int("seat", seat);
  Int("card", card);
  Int("n", g.flow.cards_played);
  TableCards(g);
  // The size of the play just landed; a person's card that can capture waits
  // for their choice, and reads as the first capture the rules list for it.
  const bool made = !g.match.hands[static_cast<size_t>(seat)].Contains(card);
  Int("size", made ? g.match.memory.last_size : FirstCaptureSize(g.match.table.Span(), card));
  Text("state", FlowStateText(g.flow.state));
  Flags(g);
  End();
}

void TraceWriter::OnSelect(const Game& g, bool declined) {
  Begin("select");
  Bool("declined", declined);
  List("capture", declined ? std::span<const int16_t>() : Capture(g));
  End();
}

void TraceWriter::OnApply(const Game& g, bool special) {
  Begin("apply");
  Int("seat", g.flow.turn);
  List("capture", Capture(g));
  TableCards(g);
  Flags(g);
  Bool("zolt", special);  // the stored trace format keeps its old key
  End();
}

void TraceWriter::OnBank(const Game& g, Side side, int16_t first_taken, int16_t marker) {
  const CardModel& m = g.model;
  const bool we = side == Side::kWe;
  const int16_t* taken = we ? m.we_taken.data() : m.they_taken.data();
  const int16_t count = we ? m.we_taken_count : m.they_taken_count;
  Begin("bank");
  Text("side", we ? "we" : "they");
  Text("state", FlowStateText(g.flow.state));
  List("ids", Ids(taken + first_taken, count - first_taken));
  if (marker >= 0) {
    Int("marker", marker);
  } else {
    line_ += ",\"marker\":null";
  }
  End();
}

void TraceWriter::OnScore(const Game& g) {
  Begin("score");
  line_ += ",\"we\":";
  AppendSideScore(line_, g.score.we, g.model.we_taken_count);
  line_ += ",\"they\":";
  AppendSideScore(line_, g.score.they, g.model.they_taken_count);
  End();
}

void TraceWriter::OnReorder(const Game&, std::span<const int16_t> before,
                            std::span<const int16_t> after) {
  Begin("reorder");
  List("before", before);
  List("after", after);
  End();
}

void TraceWriter::OnHandEnd(const Game& g) {
  const CardModel& m = g.model;
  const ShownScore& s = g.score;
  Begin("hand_end");
  List("we_taken", Ids(m.we_taken.data(), m.we_taken_count));
  List("they_taken", Ids(m.they_taken.data(), m.they_taken_count));
  line_ += ",\"history\":[";
  for (int r = 0; r < s.history_rows; ++r) {
    if (r > 0) line_ += ',';
    line_ += '[' + std::to_string(s.history[r].we) + ',' + std::to_string(s.history[r].they) + ']';
  }
  line_ += ']';
  line_ += ",\"match\":[" + std::to_string(s.we_total) + ',' + std::to_string(s.they_total) + ']';
  Text("result", MatchResultText(s.outcome));
  Text("sound", sound_.any ? SoundFileName(sound_.last) : "");
  Bool("match_over", s.MatchDecided());
  Bool("match_tied", s.outcome == MatchOutcome::kTied);
  End();
}

}  // namespace vantel
