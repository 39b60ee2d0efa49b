#include "trace_writer.h"

#include <array>
#include <vector>

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
  s += f.Scua ? '1' : '0';
  s += ',';
  s += f.Simili ? '1' : '0';
  s += ',';
  s += f.Picada ? '1' : '0';
  s += ',';
  s += f.Quadriglia ? '1' : '0';
  s += ']';
}

void AppendSideScore(std::string& s, const SideScore& v, int16_t taken) {
  const std::array<std::pair<const char*, int>, 13> fields = {{{"cards", taken},
                                                               {"suit_s", v.SuitSCount},
                                                               {"suit_s_point", v.SuitSPoint},
                                                               {"cards_point", v.CardsPoint},
                                                               {"napula", v.Napula},
                                                               {"scua", v.ScuaCount},
                                                               {"picada", v.PicadaCount},
                                                               {"simili", v.SimiliCount},
                                                               {"quadriglia", v.QuadrigliaCount},
                                                               {"two_s", v.HasTwoS},
                                                               {"ten_d", v.HasTenD},
                                                               {"jack_h", v.HasJackH},
                                                               {"points", v.HandPoints}}};
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
  for (int i = 0; i < count; ++i) ids.push_back(first[i].Card);
  return ids;
}

std::span<const int16_t> Capture(const Game& g) {
  return Ids(g.capture.CaptureIdx.data(), g.capture.CaptureCount);
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
  const std::vector<int16_t> ids = SpriteCards(g.model.Table.data(), g.model.TableCount);
  List("table", ids);
}

void TraceWriter::Flags(const Game& g) {
  line_ += ",\"flags\":{\"we\":";
  AppendFlags(line_, g.capture.We);
  line_ += ",\"they\":";
  AppendFlags(line_, g.capture.They);
  line_ += '}';
}

void TraceWriter::OnHandStart(const Game& g) {
  ++hand_;
  Begin("hand");
  Bool("twelve", g.options.TwelveCardDeal == 1);
  Int("first", g.flow.Turn);
  List("deck", SpriteCards(g.model.Deck.data(), 52));
  End();
}

void TraceWriter::OnDealt(const Game& g) {
  Begin("dealt");
  line_ += ",\"hands\":[";
  for (int s = 0; s < kSeats; ++s) {
    if (s > 0) line_ += ',';
    AppendList(line_, Ids(g.model.HandIds[s].data(), g.model.HandIdCount[s]));
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
  List("hand_ids", Ids(m.HandIds[seat].data(), m.HandIdCount[seat]));
  TableCards(g);
  Int("prev_capture_size", g.capture.PrevCaptureSize);
  List("rank_seen", Ids(m.RankSeen.data() + 1, 13));
  List("we_pile", SpriteCards(m.WePile.data(), m.WePileCount));
  List("they_pile", SpriteCards(m.TheyPile.data(), m.TheyPileCount));
  Int("choice", choice);
  List("capture", capture);
  End();
}

void TraceWriter::OnLand(const Game& g, int seat, int16_t card) {
  Begin("land");
  Int("seat", seat);
  Int("card", card);
  Int("n", g.flow.CardsPlayed);
  TableCards(g);
  Int("size", g.capture.LastCaptureSize);
  Text("state", FlowStateText(g.flow.State));
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
  Int("seat", g.flow.Turn);
  List("capture", Capture(g));
  TableCards(g);
  Flags(g);
  Bool("zolt", special);  // the stored trace format keeps its old key
  End();
}

void TraceWriter::OnBank(const Game& g, Side side, int16_t firstTaken, int16_t marker) {
  const CardModel& m = g.model;
  const bool we = side == Side::We;
  const int16_t* taken = we ? m.WeTaken.data() : m.TheyTaken.data();
  const int16_t count = we ? m.WeTakenCount : m.TheyTakenCount;
  Begin("bank");
  Text("side", we ? "we" : "they");
  Text("state", FlowStateText(g.flow.State));
  List("ids", Ids(taken + firstTaken, count - firstTaken));
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
  AppendSideScore(line_, g.score.We, g.model.WeTakenCount);
  line_ += ",\"they\":";
  AppendSideScore(line_, g.score.They, g.model.TheyTakenCount);
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
  const Scores& s = g.score;
  Begin("hand_end");
  List("we_taken", Ids(m.WeTaken.data(), m.WeTakenCount));
  List("they_taken", Ids(m.TheyTaken.data(), m.TheyTakenCount));
  line_ += ",\"history\":[";
  for (int r = 0; r < s.HistoryRows; ++r) {
    if (r > 0) line_ += ',';
    line_ += '[' + std::to_string(s.HistoryWe[r]) + ',' + std::to_string(s.HistoryThey[r]) + ']';
  }
  line_ += ']';
  line_ += ",\"match\":[" + std::to_string(s.WeMatchPoints) + ',' +
           std::to_string(s.TheyMatchPoints) + ']';
  Text("result", s.MatchResultText);
  Text("sound", sound_.any ? SoundFileName(sound_.last) : "");
  Bool("match_over", s.MatchOver);
  Bool("match_tied", s.MatchTied);
  End();
}

}  // namespace vantel
