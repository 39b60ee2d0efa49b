#pragma once

#include <string>
#include <vector>

#include "simulation.h"

namespace vantel {

// A mean and its 95 % interval, from the normal approximation.
struct Estimate {
  double mean = 0;
  double low = 0;
  double high = 0;
};

Estimate MeanWithInterval(const std::vector<double>& values);

// One pair of runs, the sides' players swapped: what the first kind of player
// scored when it sat at We and then at They.
struct PairResult {
  double first_wins = 0;    // matches won by the first kind, of the two (matches mode)
  double first_margin = 0;  // its mean hand points minus the other side's, per hand
  int hands = 0;            // hands in the pair (both runs)
};

// Matches mode: one match with `first` as We and `second` as They, then the
// same seed with the sides swapped. Every hand is dealt from its own seed, so
// the two matches see the same deals for as long as both last.
PairResult RunMatchPair(const SimConfig& base, PlayerLevel first, PlayerLevel second);

// `base.matches` pairs of base.we against base.they, pair i from seed
// base.seed + i.
std::vector<PairResult> RunMatchPairs(const SimConfig& base);

// Hands mode: `hands` hands each way from one seed; pair i holds hand i of
// both runs, dealt alike.
std::vector<double> RunHandPairs(const SimConfig& base, PlayerLevel first, PlayerLevel second);

// The machine-readable summary line.
std::string MatchesSummary(PlayerLevel first, PlayerLevel second,
                           const std::vector<PairResult>& pairs);
std::string HandsSummary(PlayerLevel first, PlayerLevel second, const std::vector<double>& margins);

}  // namespace vantel
