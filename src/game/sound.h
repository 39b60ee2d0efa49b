#pragma once

#include <array>
#include <string_view>

namespace vantel {

class Random;

// The ten effects, in the order their buffers are loaded.
enum class SoundId {
  kCardFlip1,
  kCardFlip2,
  kCardFlip3,
  kSign1,
  kSign2,
  kSign3,
  kShuffle,
  kIntro,
  kWinGame,
  kLoseGame,
};
inline constexpr int kSoundCount = 10;
inline constexpr std::array<SoundId, kSoundCount> kSoundLoadOrder = {
    SoundId::kCardFlip1, SoundId::kCardFlip2, SoundId::kCardFlip3, SoundId::kSign1,
    SoundId::kSign2,     SoundId::kSign3,     SoundId::kShuffle,   SoundId::kIntro,
    SoundId::kWinGame,   SoundId::kLoseGame};

// File name of the effect inside the sounds folder, e.g. "CARD_FLIP2.WAV".
std::string_view SoundFileName(SoundId id);

// Where the game's sounds go: the mixer in the game, nothing or a recorder
// elsewhere.
class SoundSink {
 public:
  virtual ~SoundSink() = default;
  virtual void Play(SoundId id) = 0;
};

class SilentSound final : public SoundSink {
 public:
  void Play(SoundId) override {}
};

// Another sink that can be silenced for a while: for time the game plays
// out unseen.
class SoundSwitch final : public SoundSink {
 public:
  explicit SoundSwitch(SoundSink& sink) : sink_(sink) {}
  void Play(SoundId id) override {
    if (on_) sink_.Play(id);
  }
  void Turn(bool on) { on_ = on; }

 private:
  SoundSink& sink_;
  bool on_ = true;
};

// One of the three flip (or sign) variants, chosen with the game's generator:
// the draw happens whether or not anything is heard, so a seed replays the same.
void PlayCardFlipSound(Random& random, SoundSink& sink);
void PlaySignSound(Random& random, SoundSink& sink);

}  // namespace vantel
