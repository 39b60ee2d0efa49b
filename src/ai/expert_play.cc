#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <numeric>

#include "ai/ai.h"
#include "ai/expert.h"
#include "ai/simulated_hand.h"

namespace vantel {

namespace {

// The most plays tried at all; beyond it only the Classic scoring's favourites
// are kept, so a crowded table cannot multiply the work.
constexpr int kMaxCandidates = 40;
// What winning the match with this hand is worth, in hand points.
constexpr double kMatchWeight = 10.0;

struct Candidate {
  int16_t position = 0;
  CaptureOption option;
  double total = 0;
  int played = 0;  // worlds 0 .. played - 1 have been tried
  double Mean() const { return played > 0 ? total / played : 0; }
};

std::vector<Candidate> ListCandidates(const Game& g, std::span<const int16_t> hand) {
  std::vector<Candidate> list;
  for (size_t d = 0; d < hand.size(); ++d) {
    CardOptions c;
    EvaluateCard(g, hand, static_cast<int>(d), c);
    ScoreCard(g, hand[d], c);
    for (int o = 0; o < c.option_count; ++o) {
      list.push_back({static_cast<int16_t>(d), c.options[o]});
    }
  }
  if (static_cast<int>(list.size()) > kMaxCandidates) {
    std::stable_sort(list.begin(), list.end(), [](const Candidate& a, const Candidate& b) {
      return a.option.score > b.option.score;
    });
    list.resize(kMaxCandidates);
  }
  return list;
}

// The game as `seat` may know it: every hidden card wiped, so nothing in the
// copy can leak into a playout.
Game PublicView(const Game& g, int seat) {
  Game view(g);
  CardModel& m = view.model;
  for (int s = 0; s < kSeats; ++s) {
    if (s == seat) continue;
    m.hand_ids[s].fill(-1);
    for (CardSprite& sprite : m.hand[s]) sprite.card = -1;
  }
  for (CardSprite& sprite : m.deck) sprite.card = -1;
  view.deal.shuffle_order.fill(-1);
  view.observer = nullptr;
  return view;
}

double Utility(const Game& w, Side mine) {
  const Side theirs = mine == Side::kWe ? Side::kThey : Side::kWe;
  const int own = w.score.Of(mine).hand_points;
  const int other = w.score.Of(theirs).hand_points;
  const bool we = mine == Side::kWe;
  const int own_total = own + (we ? w.score.we_match_points : w.score.they_match_points);
  const int other_total = other + (we ? w.score.they_match_points : w.score.we_match_points);
  const int target = w.score.match_target;
  double u = own - other;
  if (own_total > target && own_total > other_total) u += kMatchWeight;
  if (other_total > target && other_total > own_total) u -= kMatchWeight;
  return u;
}

class Search {
 public:
  Search(const Game& g, int seat, const ExpertSettings& settings)
      : view_(PublicView(g, seat)), seat_(seat), seed_(ExpertSeed(g, seat, settings.salt)) {}

  // Tries the candidate in the next world it has not seen.
  void PlayOnce(Candidate& c) {
    const SampledWorld& world = World(c.played);
    Game w(view_);
    for (int s = 0; s < kSeats; ++s) {
      if (s == seat_) continue;
      const auto& cards = world.hands[s];
      w.model.hand_id_count[s] = static_cast<int16_t>(cards.size());
      std::copy(cards.begin(), cards.end(), w.model.hand_ids[s].begin());
    }
    CaptureState choice;
    choice.capture_idx = c.option.take_idx;
    choice.capture_count = c.option.take_count;
    PlaySimulated(w, seat_, c.position, choice);
    PlayOutSimulated(w, (seat_ + 1) % kSeats, world.stock);
    c.total += Utility(w, SideOfSeat(seat_));
    c.played += 1;
  }

 private:
  // Worlds are shared by the candidates (the same index, the same deal), so
  // they are compared on equal terms.
  const SampledWorld& World(int index) {
    while (static_cast<int>(worlds_.size()) <= index) {
      uint64_t state = seed_ + 0x1000193ull * (worlds_.size() + 1);
      worlds_.push_back(SampleWorld(view_, seat_, state));
    }
    return worlds_[index];
  }

  Game view_;
  int seat_;
  uint64_t seed_;
  std::vector<SampledWorld> worlds_;
};

}  // namespace

int16_t ChooseExpertPlay(const Game& g, int seat, CaptureState& hand_over,
                         const ExpertSettings& settings) {
  hand_over.capture_count = 0;
  if (seat < 0 || seat >= kSeats) return -1;
  const int count = std::clamp<int>(g.model.hand_id_count[seat], 0, kMaxHandCards);
  if (count == 0) return -1;
  const std::span<const int16_t> hand(g.model.hand_ids[seat].data(), count);
  std::vector<Candidate> candidates = ListCandidates(g, hand);

  if (candidates.size() > 1) {
    // Sequential halving: the budget is spread over rounds, and each round
    // keeps the better half of the plays still in the running.
    Search search(g, seat, settings);
    const int rounds = std::bit_width(candidates.size() - 1);
    const int budget = std::max(settings.playouts, 1);
    std::vector<int> alive(candidates.size());
    std::iota(alive.begin(), alive.end(), 0);
    for (int r = 0; r < rounds && alive.size() > 1; ++r) {
      const int per = std::max<int>(1, budget / (static_cast<int>(alive.size()) * rounds));
      for (int i : alive) {
        for (int k = 0; k < per; ++k) search.PlayOnce(candidates[i]);
      }
      std::stable_sort(alive.begin(), alive.end(),
                       [&](int a, int b) { return candidates[a].Mean() > candidates[b].Mean(); });
      alive.resize((alive.size() + 1) / 2);
    }
    std::swap(candidates[0], candidates[alive.front()]);
  }
  const Candidate& best = candidates.front();
  hand_over.capture_idx = best.option.take_idx;
  hand_over.capture_count = best.option.take_count;
  return best.position;
}

ComputerDecision ExpertDecision(const Game& g, int seat) {
  CaptureState hand_over;
  ComputerDecision d;
  d.position = ChooseExpertPlay(g, seat, hand_over);
  d.capture_idx = hand_over.capture_idx;
  d.capture_count = hand_over.capture_count;
  return d;
}

std::shared_future<ComputerDecision> ThinkAside(const Game& g, int seat) {
  return std::async(std::launch::async,
                    [snapshot = Game(g), seat]() { return ExpertDecision(snapshot, seat); })
      .share();
}

std::optional<ComputerDecision> TakeIfReady(std::shared_future<ComputerDecision>& pending) {
  if (!pending.valid() || pending.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
    return std::nullopt;
  }
  const ComputerDecision d = pending.get();
  pending = {};
  return d;
}

int16_t ChooseExpertComputerPlay(Game& g, int seat) {
  return ChooseExpertPlay(g, seat, g.capture);
}

int16_t ChooseSeatPlay(Game& g, int seat) {
  if (seat >= 0 && seat < kSeats && LevelOfSeat(g.options, seat) == PlayerLevel::kExpert) {
    return ChooseExpertComputerPlay(g, seat);
  }
  return ChooseComputerPlay(g, seat);
}

}  // namespace vantel
