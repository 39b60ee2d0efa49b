#include "platform/sdl_sound.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "game/fatal_error.h"

namespace vantel {
namespace {

void Put16(std::ofstream& out, uint16_t v) {
  out.put(static_cast<char>(v & 0xFF)).put(static_cast<char>(v >> 8));
}
void Put32(std::ofstream& out, uint32_t v) {
  Put16(out, static_cast<uint16_t>(v & 0xFFFF));
  Put16(out, static_cast<uint16_t>(v >> 16));
}

// A PCM WAV of the format the game's sounds use (22050 Hz, 16-bit, stereo):
// long enough to be still sounding when a test asks for it again.
void WriteWav(const std::filesystem::path& path, double seconds) {
  const uint32_t frames = static_cast<uint32_t>(22050 * seconds);
  const uint32_t bytes = frames * 4;
  std::ofstream out(path, std::ios::binary);
  out.write("RIFF", 4);
  Put32(out, 36 + bytes);
  out.write("WAVEfmt ", 8);
  Put32(out, 16);
  Put16(out, 1);
  Put16(out, 2);
  Put32(out, 22050);
  Put32(out, 88200);
  Put16(out, 4);
  Put16(out, 16);
  out.write("data", 4);
  Put32(out, bytes);
  for (uint32_t i = 0; i < frames; ++i) {
    int16_t v = static_cast<int16_t>((i % 50) * 200);
    Put16(out, static_cast<uint16_t>(v));
    Put16(out, static_cast<uint16_t>(v));
  }
}

class SdlSoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("vantel_sound_" + std::to_string(getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
    for (SoundId id : kSoundLoadOrder) WriteWav(dir_ / std::string(SoundFileName(id)), 5.0);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  SoundPathResolver Resolver() const {
    return [this](std::string_view name) { return dir_ / std::string(name); };
  }

  std::filesystem::path dir_;
};

TEST_F(SdlSoundTest, BufferStillSoundingIsNotStartedAgain) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SdlSound sound;
  sound.SoundInit();
  ASSERT_TRUE(sound.SoundAvailable());
  sound.LoadSounds(Resolver());
  for (SoundId id : kSoundLoadOrder) EXPECT_TRUE(sound.Loaded(id));

  sound.Play(SoundId::kCardFlip2);
  sound.Play(SoundId::kCardFlip2);
  EXPECT_TRUE(sound.Sounding(SoundId::kCardFlip2));
  EXPECT_EQ(sound.StartCount(SoundId::kCardFlip2), 1);

  // Other buffers overlap freely.
  sound.Play(SoundId::kShuffle);
  EXPECT_TRUE(sound.Sounding(SoundId::kShuffle));
  EXPECT_TRUE(sound.Sounding(SoundId::kCardFlip2));
  EXPECT_EQ(sound.StartCount(SoundId::kShuffle), 1);

  // Once it has stopped, the same buffer starts again.
  sound.StopAll();
  EXPECT_FALSE(sound.Sounding(SoundId::kCardFlip2));
  sound.Play(SoundId::kCardFlip2);
  EXPECT_EQ(sound.StartCount(SoundId::kCardFlip2), 2);

  sound.ReleaseSounds();
  EXPECT_FALSE(sound.Loaded(SoundId::kCardFlip2));
  sound.Play(SoundId::kCardFlip2);  // nothing to play, nothing breaks
  EXPECT_EQ(sound.StartCount(SoundId::kCardFlip2), 2);
}

TEST_F(SdlSoundTest, MissingFileWhileSoundWorksIsFatalAndNamesTheFile) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  std::filesystem::remove(dir_ / "SIGN2.WAV");
  SdlSound sound;
  sound.SoundInit();
  ASSERT_TRUE(sound.SoundAvailable());
  try {
    sound.LoadSounds(Resolver());
    FAIL() << "a missing sound file was accepted";
  } catch (const FatalError& e) {
    std::string text = e.what();
    EXPECT_EQ(text.rfind("Error in function LoadSound() \r\nError Number: ", 0), 0u) << text;
    EXPECT_NE(text.find("SIGN2.WAV"), std::string::npos) << text;
  }
  // Loaded in table order: the files before the missing one are in.
  EXPECT_TRUE(sound.Loaded(SoundId::kSign1));
  EXPECT_FALSE(sound.Loaded(SoundId::kSign2));
}

TEST_F(SdlSoundTest, UnreadableFileWhileSoundWorksIsFatal) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  std::ofstream(dir_ / "INTRO.WAV", std::ios::trunc) << "not a sound";
  SdlSound sound;
  sound.SoundInit();
  ASSERT_TRUE(sound.SoundAvailable());
  EXPECT_THROW(sound.LoadSounds(Resolver()), FatalError);
}

TEST_F(SdlSoundTest, NoAudioDeviceGivesASilentGameWithoutErrors) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  SdlSound sound;
  sound.SoundInit();
  EXPECT_FALSE(sound.SoundAvailable());
  std::filesystem::remove_all(dir_);  // not even the files are looked at
  EXPECT_NO_THROW(sound.LoadSounds(Resolver()));
  sound.Play(SoundId::kIntro);
  EXPECT_FALSE(sound.Loaded(SoundId::kIntro));
  EXPECT_FALSE(sound.Sounding(SoundId::kIntro));
  EXPECT_EQ(sound.StartCount(SoundId::kIntro), 0);
}

// ALSA's library tells every step of a failed open on stderr itself; the
// probe keeps it quiet and keeps the reason for the game's own line.
TEST_F(SdlSoundTest, SoundCardThatIsNotThereIsProbedQuietly) {
  setenv("SDL_AUDIODRIVER", "alsa", 1);
  setenv("AUDIODEV", "hw:99", 1);  // a card no machine has
  ::testing::internal::CaptureStderr();
  SdlSound sound;
  sound.SoundInit();
  const std::string said = ::testing::internal::GetCapturedStderr();
  unsetenv("AUDIODEV");
  EXPECT_FALSE(sound.SoundAvailable());
  if (sound.WhySilent().find("'alsa' not available") != std::string::npos)
    GTEST_SKIP() << "SDL has no ALSA driver here";
  EXPECT_EQ(said, "");
  EXPECT_FALSE(sound.WhySilent().empty());
}

TEST_F(SdlSoundTest, DeviceFoundAfterASilentProbeForgetsTheReason) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  SdlSound sound;
  sound.SoundInit();
  EXPECT_NE(sound.WhySilent().find("no-such-driver"), std::string::npos) << sound.WhySilent();
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  sound.SoundInit();
  ASSERT_TRUE(sound.SoundAvailable());
  EXPECT_EQ(sound.WhySilent(), "");
}

}  // namespace
}  // namespace vantel
