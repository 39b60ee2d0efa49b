#pragma once

#include <vector>

#include "game/sound.h"

namespace vantel {

// The headless sound sink: hears nothing, remembers every request in order,
// so tests and the simulator can check which effects a game asked for.
class RecordingSound final : public SoundSink {
 public:
  void Play(SoundId id) override { played_.push_back(id); }
  const std::vector<SoundId>& Played() const { return played_; }
  void Clear() { played_.clear(); }

 private:
  std::vector<SoundId> played_;
};

}  // namespace vantel
