#include "platform/sdl_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <string>

#ifdef VANTEL_HAVE_ALSA
#include <alsa/asoundlib.h>
#endif

#include "game/fatal_error.h"
#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {
namespace {

constexpr int kFrequency = 22050;
constexpr int kChannels = 2;
constexpr int kChunkSize = 1024;

int Channel(SoundId id) {
  return static_cast<int>(id);
}

#ifdef VANTEL_HAVE_ALSA
extern "C" void IgnoreAlsaError(const char* /*file*/, int /*line*/, const char* /*function*/,
                                int /*err*/, const char* /*format*/, ...) {}
#endif

// ALSA's library reports every step of a failed device probe on stderr
// itself, eight lines on a machine without a sound card; the game says it
// once in its own words instead (SDL keeps the reason). Its reports are
// silenced only while the device is looked for and opened.
class QuietSoundProbe {
 public:
#ifdef VANTEL_HAVE_ALSA
  QuietSoundProbe() {
    snd_lib_error_set_handler(IgnoreAlsaError);
  }
  ~QuietSoundProbe() {
    snd_lib_error_set_handler(nullptr);
  }
#else
  QuietSoundProbe() = default;
#endif
  QuietSoundProbe(const QuietSoundProbe&) = delete;
  QuietSoundProbe& operator=(const QuietSoundProbe&) = delete;
};

}  // namespace

SdlSound::~SdlSound() {
  Close();
}

void SdlSound::SoundInit() {
  if (available_) return;
  const QuietSoundProbe quiet;
  // No device: a silent game.
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    why_silent_ = SDL_GetError();
    return;
  }
  if (Mix_OpenAudio(kFrequency, AUDIO_S16SYS, kChannels, kChunkSize) != 0) {
    why_silent_ = Mix_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  Mix_AllocateChannels(kSoundCount);
  available_ = true;
  why_silent_.clear();
}

void SdlSound::LoadSound(SoundId id, const std::filesystem::path& file) {
  if (!available_) return;
  // The file is closed here rather than by the mixer, which does not free it
  // when the file is not a sound it can read.
  Mix_Chunk* chunk = nullptr;
  if (SDL_RWops* rw = SDL_RWFromFile(file.c_str(), "rb")) {
    chunk = Mix_LoadWAV_RW(rw, 0);
    SDL_RWclose(rw);
  }
  if (chunk == nullptr) {
    throw FatalError(
        "LoadSound", -1,
        Format(_("Cannot load the sound file \"%s\": %s"), file.c_str(), Mix_GetError()));
  }
  Mix_Chunk*& slot = chunks_[Channel(id)];
  if (slot != nullptr) {
    Mix_HaltChannel(Channel(id));
    Mix_FreeChunk(slot);
  }
  slot = chunk;
}

void SdlSound::LoadSounds(const SoundPathResolver& resolve) {
  if (!available_) return;
  for (SoundId id : kSoundLoadOrder) LoadSound(id, resolve(SoundFileName(id)));
}

void SdlSound::PlaySound(SoundId id, bool looping) {
  if (!available_) return;
  int channel = Channel(id);
  Mix_Chunk* chunk = chunks_[channel];
  if (chunk == nullptr || Mix_Playing(channel)) return;
  // A failed start only costs this one effect; the game goes on.
  if (Mix_PlayChannel(channel, chunk, looping ? -1 : 0) == channel) ++starts_[channel];
}

void SdlSound::StopAll() {
  if (available_) Mix_HaltChannel(-1);
}

void SdlSound::ReleaseSounds() {
  StopAll();
  for (Mix_Chunk*& chunk : chunks_) {
    if (chunk != nullptr) Mix_FreeChunk(chunk);
    chunk = nullptr;
  }
}

void SdlSound::Close() {
  if (!available_) return;
  ReleaseSounds();
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  available_ = false;
}

bool SdlSound::Loaded(SoundId id) const {
  return chunks_[Channel(id)] != nullptr;
}

bool SdlSound::Sounding(SoundId id) const {
  return available_ && Mix_Playing(Channel(id)) != 0;
}

int SdlSound::StartCount(SoundId id) const {
  return starts_[Channel(id)];
}

}  // namespace vantel
