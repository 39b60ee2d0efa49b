#include "paired_run.h"

#include <cmath>
#include <numeric>

#include "i18n/format.h"

namespace vantel {

namespace {

constexpr double kZ95 = 1.959964;  // two-sided 95 % of the normal

SimConfig WithSides(const SimConfig& base, PlayerLevel we, PlayerLevel they) {
  SimConfig c = base;
  c.we = we;
  c.they = they;
  c.seed_each_hand = true;
  return c;
}

}  // namespace

Estimate MeanWithInterval(const std::vector<double>& values) {
  Estimate e;
  const double n = static_cast<double>(values.size());
  if (values.empty()) return e;
  e.mean = std::accumulate(values.begin(), values.end(), 0.0) / n;
  double squares = 0;
  for (double v : values) squares += (v - e.mean) * (v - e.mean);
  const double sd = values.size() > 1 ? std::sqrt(squares / (n - 1)) : 0.0;
  const double half = kZ95 * sd / std::sqrt(n);
  e.low = e.mean - half;
  e.high = e.mean + half;
  return e;
}

PairResult RunMatchPair(const SimConfig& base, PlayerLevel first, PlayerLevel second) {
  SimConfig one = WithSides(base, first, second);
  one.hands = 0;
  one.matches = 1;
  SimConfig two = WithSides(base, second, first);
  two.hands = 0;
  two.matches = 1;
  const SimStats a = Simulation(one).Run();
  const SimStats b = Simulation(two).Run();
  PairResult r;
  r.first_wins = 0.5 * (a.we_wins + b.they_wins);
  r.hands = a.hands + b.hands;
  const double margin = static_cast<double>(a.we_points - a.they_points) +
                        static_cast<double>(b.they_points - b.we_points);
  r.first_margin = r.hands > 0 ? margin / r.hands : 0;
  return r;
}

std::vector<PairResult> RunMatchPairs(const SimConfig& base) {
  std::vector<PairResult> pairs;
  for (int i = 0; i < base.matches; ++i) {
    SimConfig one = base;
    one.seed = base.seed + static_cast<uint32_t>(i);
    pairs.push_back(RunMatchPair(one, base.we, base.they));
  }
  return pairs;
}

std::vector<double> RunHandPairs(const SimConfig& base, PlayerLevel first, PlayerLevel second) {
  const SimStats a = Simulation(WithSides(base, first, second)).Run();
  const SimStats b = Simulation(WithSides(base, second, first)).Run();
  std::vector<double> margins;
  const size_t n = std::min(a.hand_margins.size(), b.hand_margins.size());
  // In the second run the first kind plays They: its margin is the negation.
  for (size_t i = 0; i < n; ++i) margins.push_back(0.5 * (a.hand_margins[i] - b.hand_margins[i]));
  return margins;
}

std::string MatchesSummary(PlayerLevel first, PlayerLevel second,
                           const std::vector<PairResult>& pairs) {
  std::vector<double> wins, margins;
  for (const PairResult& p : pairs) {
    wins.push_back(p.first_wins);
    margins.push_back(p.first_margin);
  }
  const Estimate w = MeanWithInterval(wins);
  const Estimate m = MeanWithInterval(margins);
  return std::string(PlayerLevelStoredName(first)) + "-vs-" +
         std::string(PlayerLevelStoredName(second)) + " matches=" + std::to_string(pairs.size()) +
         Format(" win_rate=%.3f ci=[%.3f,%.3f]", w.mean, w.low, w.high) +
         Format(" margin=%+.2f ci=[%+.2f,%+.2f]", m.mean, m.low, m.high);
}

std::string HandsSummary(PlayerLevel first, PlayerLevel second,
                         const std::vector<double>& margins) {
  const Estimate m = MeanWithInterval(margins);
  return std::string(PlayerLevelStoredName(first)) + "-vs-" +
         std::string(PlayerLevelStoredName(second)) + " hands=" + std::to_string(margins.size()) +
         Format(" margin=%+.2f ci=[%+.2f,%+.2f]", m.mean, m.low, m.high);
}

}  // namespace vantel
