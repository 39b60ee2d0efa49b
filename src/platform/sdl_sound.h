#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "game/sound.h"

struct Mix_Chunk;

namespace vantel {

// Where a sound file of the resource tree lies, given its file name
// ("CARD_FLIP.WAV"); the resource lookup decides (letter case, root folder).
using SoundPathResolver = std::function<std::filesystem::path(std::string_view file_name)>;

// The ten effects on SDL_mixer. Each buffer owns one mixer channel, so asking
// for a buffer that is still sounding leaves it playing where it is instead of
// starting a second copy. Without an audio device the game is silent: loads and
// plays do nothing. A missing or unreadable file while sound works throws
// FatalError: the game cannot start without its sounds.
class SdlSound final : public SoundSink {
 public:
  SdlSound() = default;
  SdlSound(const SdlSound&) = delete;
  SdlSound& operator=(const SdlSound&) = delete;
  ~SdlSound() override;

  // Opens the sound device, saying nothing on stderr when there is none.
  void SoundInit();
  bool SoundAvailable() const { return available_; }
  // Why SoundInit found no device, in the sound library's words; "" once it
  // found one.
  const std::string& WhySilent() const { return why_silent_; }

  void LoadSound(SoundId id, const std::filesystem::path& file);
  void LoadSounds(const SoundPathResolver& resolve);
  void PlaySound(SoundId id, bool looping);
  void Play(SoundId id) override { PlaySound(id, false); }

  // Stops every buffer; the buffers stay loaded.
  void StopAll();
  // The game's end routine drops the ten buffers, the shutdown the device.
  void ReleaseSounds();
  void Close();

  bool Loaded(SoundId id) const;
  bool Sounding(SoundId id) const;
  // How often a buffer was actually started (a request while it sounds does
  // not count).
  int StartCount(SoundId id) const;

 private:
  bool available_ = false;
  std::string why_silent_;
  std::array<Mix_Chunk*, kSoundCount> chunks_{};
  std::array<int, kSoundCount> starts_{};
};

}  // namespace vantel
