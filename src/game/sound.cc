#include "game/sound.h"

#include "game/random.h"

namespace vantel {

std::string_view SoundFileName(SoundId id) {
  switch (id) {
    case SoundId::CardFlip1: return "CARD_FLIP.WAV";
    case SoundId::CardFlip2: return "CARD_FLIP2.WAV";
    case SoundId::CardFlip3: return "CARD_FLIP3.WAV";
    case SoundId::Sign1: return "SIGN1.WAV";
    case SoundId::Sign2: return "SIGN2.WAV";
    case SoundId::Sign3: return "SIGN3.WAV";
    case SoundId::Shuffle: return "SHUFFLE.WAV";
    case SoundId::Intro: return "INTRO.WAV";
    case SoundId::WinGame: return "WIN_GAME.WAV";
    case SoundId::LoseGame: return "LOSE_GAME.WAV";
  }
  return "";
}

void PlayCardFlipSound(Random& random, SoundSink& sink) {
  static constexpr SoundId kFlips[3] = {SoundId::CardFlip1, SoundId::CardFlip2, SoundId::CardFlip3};
  sink.Play(kFlips[random.Draw(3)]);
}

void PlaySignSound(Random& random, SoundSink& sink) {
  static constexpr SoundId kSigns[3] = {SoundId::Sign1, SoundId::Sign2, SoundId::Sign3};
  sink.Play(kSigns[random.Draw(3)]);
}

}  // namespace vantel
