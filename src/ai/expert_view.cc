#include <algorithm>
#include <array>

#include "ai/expert.h"
#include "game/random.h"

namespace vantel {

namespace {

void MarkSeen(std::array<bool, kCardCount>& seen, int16_t id) {
  if (id >= 0 && id < kCardCount) seen[id] = true;
}

uint64_t Mix(uint64_t& state) {
  // splitmix64: the golden-ratio step, then its finish.
  return SplitMix64Finish(state += 0x9E3779B97F4A7C15ull);
}

void HashIn(uint64_t& h, int64_t v) {
  uint64_t state = h ^ static_cast<uint64_t>(v);
  h = Mix(state);
}

}  // namespace

std::vector<int16_t> UnseenCards(const Game& g, int seat) {
  const CardModel& m = g.model;
  std::array<bool, kCardCount> seen{};
  for (int i = 0; i < m.hand_id_count[seat]; ++i) MarkSeen(seen, m.hand_ids[seat][i]);
  for (int i = 0; i < m.table_count; ++i) MarkSeen(seen, m.table[i].card);
  for (int i = 0; i < m.we_taken_count; ++i) MarkSeen(seen, m.we_taken[i]);
  for (int i = 0; i < m.they_taken_count; ++i) MarkSeen(seen, m.they_taken[i]);
  std::vector<int16_t> unseen;
  for (int16_t id = 0; id < kCardCount; ++id) {
    if (!seen[id]) unseen.push_back(id);
  }
  return unseen;
}

SampledWorld SampleWorld(const Game& g, int seat, uint64_t& state) {
  std::vector<int16_t> cards = UnseenCards(g, seat);
  // Fisher-Yates with our own draws: std::shuffle differs between libraries.
  for (size_t i = cards.size(); i > 1; --i) {
    const size_t j = Mix(state) % i;
    std::swap(cards[i - 1], cards[j]);
  }
  SampledWorld world;
  size_t next = 0;
  for (int s = 0; s < kSeats; ++s) {
    if (s == seat) continue;
    const size_t want = std::clamp<int>(g.model.hand_id_count[s], 0, kHandSlots);
    const size_t take = std::min(want, cards.size() - next);
    world.hands[s].assign(cards.begin() + next, cards.begin() + next + take);
    next += take;
  }
  world.stock.assign(cards.begin() + next, cards.end());
  return world;
}

uint64_t ExpertSeed(const Game& g, int seat, uint64_t salt) {
  const CardModel& m = g.model;
  uint64_t h = salt ^ 0x5EEDull;
  HashIn(h, seat);
  for (int i = 0; i < m.hand_id_count[seat]; ++i) HashIn(h, m.hand_ids[seat][i]);
  for (int i = 0; i < m.table_count; ++i) HashIn(h, m.table[i].card);
  for (int i = 0; i < m.we_taken_count; ++i) HashIn(h, m.we_taken[i]);
  for (int i = 0; i < m.they_taken_count; ++i) HashIn(h, m.they_taken[i] + kCardCount);
  for (int s = 0; s < kSeats; ++s) HashIn(h, m.hand_id_count[s]);
  HashIn(h, g.score.we_match_points);
  HashIn(h, g.score.they_match_points);
  return h;
}

}  // namespace vantel
