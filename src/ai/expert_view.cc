#include <algorithm>
#include <array>

#include "ai/expert.h"
#include "game/random.h"

namespace vantel {

namespace {

void MarkSeen(std::array<bool, kCardCount>& seen, int16_t id) {
  if (id >= 0 && id < kCardCount) seen[static_cast<size_t>(id)] = true;
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

std::vector<int16_t> UnseenCards(const SeatView& view) {
  std::array<bool, kCardCount> seen{};
  for (int16_t id : view.Hand()) MarkSeen(seen, id);
  for (int16_t id : view.Table()) MarkSeen(seen, id);
  for (Side side : {Side::kWe, Side::kThey}) {
    for (int16_t id : view.Of(side).taken) MarkSeen(seen, id);
  }
  std::vector<int16_t> unseen;
  for (int16_t id = 0; id < kCardCount; ++id) {
    if (!seen[static_cast<size_t>(id)]) unseen.push_back(id);
  }
  return unseen;
}

SampledWorld SampleWorld(const SeatView& view, uint64_t& state) {
  std::vector<int16_t> cards = UnseenCards(view);
  // Fisher-Yates with our own draws: std::shuffle differs between libraries.
  for (size_t i = cards.size(); i > 1; --i) {
    const size_t j = Mix(state) % i;
    std::swap(cards[i - 1], cards[j]);
  }
  SampledWorld world;
  size_t next = 0;
  for (int s = 0; s < kSeats; ++s) {
    if (s == view.Seat()) continue;
    const size_t want = static_cast<size_t>(std::clamp(view.HandSize(s), 0, kHandSlots));
    const size_t take = std::min(want, cards.size() - next);
    world.hands[static_cast<size_t>(s)].assign(cards.begin() + static_cast<ptrdiff_t>(next),
                                               cards.begin() + static_cast<ptrdiff_t>(next + take));
    next += take;
  }
  world.stock.assign(cards.begin() + static_cast<ptrdiff_t>(next), cards.end());
  return world;
}

uint64_t ExpertSeed(const SeatView& view, uint64_t salt) {
  uint64_t h = salt ^ 0x5EEDull;
  HashIn(h, view.Seat());
  for (int16_t id : view.Hand()) HashIn(h, id);
  for (int16_t id : view.Table()) HashIn(h, id);
  for (int16_t id : view.Of(Side::kWe).taken) HashIn(h, id);
  for (int16_t id : view.Of(Side::kThey).taken) HashIn(h, id + kCardCount);
  for (int s = 0; s < kSeats; ++s) HashIn(h, view.HandSize(s));
  HashIn(h, view.Of(Side::kWe).match_points);
  HashIn(h, view.Of(Side::kThey).match_points);
  return h;
}

}  // namespace vantel
