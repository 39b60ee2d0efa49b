#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "game/sound.h"

namespace vantel {

// Id of the card with `rank` (1 ace .. 13 king) and file suit letter C, D, H
// or S, as the image names spell it.
inline int16_t CardId(int rank, char suit) {
  constexpr std::string_view kFileSuits = "CDHS";
  return static_cast<int16_t>(4 * (rank - 1) + static_cast<int>(kFileSuits.find(suit)));
}

// A sound sink that remembers every effect, in order.
class RecordingSound final : public SoundSink {
 public:
  void Play(SoundId id) override { played.push_back(id); }
  std::vector<SoundId> played;
};

}  // namespace vantel
