#include "rules/scoring.h"

#include <array>
#include <string_view>

namespace vantel {

namespace {

bool StartsWith(std::string_view name, std::string_view prefix) {
  return name.substr(0, prefix.size()) == prefix;
}

// The cards of a side's taken list, by name.
struct TakenList {
  const std::array<int16_t, 56>& ids;
  int16_t count;
};

TakenList TakenOf(const Game& g, Side side) {
  return side == Side::We ? TakenList{g.model.WeTaken, g.model.WeTakenCount}
                          : TakenList{g.model.TheyTaken, g.model.TheyTakenCount};
}

// The key cards and the suit-S count are read from the image names, so a ten
// ("10S") is recognised by its third character and every other card by its
// second.
void CountTakenCards(const Game& g, Side side, SideScore& s) {
  const TakenList taken = TakenOf(g, side);
  for (int i = 0; i < taken.count; ++i) {
    const std::string_view name = g.cards.CardFileName[taken.ids[i]];
    if (StartsWith(name, "10D")) s.HasTenD = 1;
    if (StartsWith(name, "2S")) s.HasTwoS = 1;
    if (StartsWith(name, "JH")) s.HasJackH = 1;
    if (name.size() > 1 && name[1] == 'S') s.SuitSCount += 1;
    if (name.size() > 2 && name[2] == 'S') s.SuitSCount += 1;
  }
}

void CountFlags(const SideFlags& f, SideScore& s) {
  if (f.Picada) s.PicadaCount += 1;
  if (f.Quadriglia) s.QuadrigliaCount += 1;
  if (f.Scua) s.ScuaCount += 1;
  if (f.Simili) s.SimiliCount += 1;
}

bool Holds(const Game& g, const TakenList& taken, std::string_view prefix) {
  for (int i = 0; i < taken.count; ++i) {
    if (StartsWith(g.cards.CardFileName[taken.ids[i]], prefix)) return true;
  }
  return false;
}

// The highest card of C in unbroken sequence from the ace, or 0 without the
// ace, two and three. Each pass may extend the run by several cards, so the
// passes stop once one of them finds nothing new.
int16_t EvaluateNapula(const Game& g, Side side) {
  static constexpr std::array<std::string_view, 10> kNext = {"4C", "5C",  "6C", "7C", "8C",
                                                             "9C", "10C", "JC", "QC", "KC"};
  const TakenList taken = TakenOf(g, side);
  if (!Holds(g, taken, "AC") || !Holds(g, taken, "2C") || !Holds(g, taken, "3C")) return 0;
  int16_t s = 3;
  bool changed = true;
  while (changed && s < 13) {
    changed = false;
    for (int i = 0; i < taken.count && s < 13; ++i) {
      if (StartsWith(g.cards.CardFileName[taken.ids[i]], kNext[s - 3])) {
        s += 1;
        changed = true;
      }
    }
  }
  return s;
}

void ResetRecomputed(SideScore& s) {
  s.HandPoints = 0;
  s.SuitSPoint = 0;
  s.SuitSCount = 0;
  s.CardsPoint = 0;
  s.HasTwoS = 0;
  s.HasTenD = 0;
  s.HasJackH = 0;
}

int16_t SumHandPoints(const SideScore& s) {
  return static_cast<int16_t>(s.CardsPoint + s.SuitSPoint + s.HasJackH + s.HasTwoS + s.PicadaCount +
                              s.Napula + s.QuadrigliaCount + s.ScuaCount + s.SimiliCount +
                              s.HasTenD);
}

void AwardMajority(int16_t we, int16_t they, int16_t& wePoint, int16_t& theyPoint) {
  if (we > they) wePoint = 1;
  if (we < they) theyPoint = 1;
}

void AppendHistoryRow(Scores& s) {
  if (s.HistoryRows == 2) {
    s.HistoryWe[0] = s.WeMatchPoints;
    s.HistoryThey[0] = s.TheyMatchPoints;
    s.HistoryRows = 1;
  }
  s.HistoryWe[s.HistoryRows] = s.We.HandPoints;
  s.HistoryThey[s.HistoryRows] = s.They.HandPoints;
  s.HistoryRows += 1;
}

}  // namespace

void RecomputeHandScore(Game& g) {
  Scores& sc = g.score;
  ResetRecomputed(sc.We);
  ResetRecomputed(sc.They);
  CountTakenCards(g, Side::We, sc.We);
  CountTakenCards(g, Side::They, sc.They);
  AwardMajority(sc.We.SuitSCount, sc.They.SuitSCount, sc.We.SuitSPoint, sc.They.SuitSPoint);
  CountFlags(g.capture.We, sc.We);
  CountFlags(g.capture.They, sc.They);
  AwardMajority(g.model.WeTakenCount, g.model.TheyTakenCount, sc.We.CardsPoint, sc.They.CardsPoint);

  // Once a side has the Napula it is settled for the hand: a later card of C
  // does not raise it.
  if (sc.We.Napula == 0 && sc.They.Napula == 0) {
    sc.We.Napula = EvaluateNapula(g, Side::We);
    if (sc.We.Napula == 0) sc.They.Napula = EvaluateNapula(g, Side::They);
  }
  sc.We.HandPoints = SumHandPoints(sc.We);
  sc.They.HandPoints = SumHandPoints(sc.They);
}

void ScoreEndOfHand(Game& g) {
  Scores& s = g.score;
  AppendHistoryRow(s);
  s.WeMatchPoints = static_cast<int16_t>(s.WeMatchPoints + s.We.HandPoints);
  s.TheyMatchPoints = static_cast<int16_t>(s.TheyMatchPoints + s.They.HandPoints);

  s.MatchResultText.clear();
  const int16_t w = s.WeMatchPoints;
  const int16_t t = s.TheyMatchPoints;
  if (w > s.MatchTarget && w > t) {
    s.MatchResultText = "We Won!";
    g.sound.Play(SoundId::WinGame);
    s.MatchOver = true;
  } else if (t > s.MatchTarget && w < t) {
    s.MatchResultText = "We lost!";
    g.sound.Play(SoundId::LoseGame);
    s.MatchOver = true;
  } else if (t > s.MatchTarget && w == t) {
    g.sound.Play(SoundId::Intro);
    s.MatchTied = true;
  } else {
    g.sound.Play(SoundId::Intro);
  }
}

}  // namespace vantel
