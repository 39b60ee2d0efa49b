#include "game/sound.h"

#include "game/random.h"

namespace vantel {

std::string_view SoundFileName(SoundId id) {
  switch (id) {
    case SoundId::kCardFlip1: return "CARD_FLIP.WAV";
    case SoundId::kCardFlip2: return "CARD_FLIP2.WAV";
    case SoundId::kCardFlip3: return "CARD_FLIP3.WAV";
    case SoundId::kSign1: return "SIGN1.WAV";
    case SoundId::kSign2: return "SIGN2.WAV";
    case SoundId::kSign3: return "SIGN3.WAV";
    case SoundId::kShuffle: return "SHUFFLE.WAV";
    case SoundId::kIntro: return "INTRO.WAV";
    case SoundId::kWinGame: return "WIN_GAME.WAV";
    case SoundId::kLoseGame: return "LOSE_GAME.WAV";
  }
  return "";
}

void PlayCardFlipSound(Random& random, SoundSink& sink) {
  static constexpr SoundId kFlips[3] = {SoundId::kCardFlip1, SoundId::kCardFlip2,
                                        SoundId::kCardFlip3};
  sink.Play(kFlips[random.Draw(3)]);
}

void PlaySignSound(Random& random, SoundSink& sink) {
  static constexpr SoundId kSigns[3] = {SoundId::kSign1, SoundId::kSign2, SoundId::kSign3};
  sink.Play(kSigns[random.Draw(3)]);
}

}  // namespace vantel
