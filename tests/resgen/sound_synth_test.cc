#include "sound_synth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "wav.h"

namespace vantel {
namespace {

double Seconds(const std::vector<float>& s) {
  return static_cast<double>(s.size()) / kSampleRate;
}

// The fundamental of a steady tone between two times, from its zero crossings.
double PitchBetween(const std::vector<float>& s, double from, double to) {
  const auto a = static_cast<size_t>(from * kSampleRate);
  const auto b = static_cast<size_t>(to * kSampleRate);
  int crossings = 0;
  for (size_t i = a + 1; i < b; ++i) crossings += (s[i - 1] < 0) != (s[i] < 0);
  return crossings / (2.0 * (to - from));
}

TEST(SoundSynthTest, EveryEffectIsShortLevelledAndStartsAndEndsInSilence) {
  for (SoundId id : kSoundLoadOrder) {
    SCOPED_TRACE(std::string(SoundFileName(id)));
    const std::vector<float> s = SynthesiseSound(id);
    ASSERT_GT(s.size(), 100u);
    EXPECT_LT(Seconds(s), 2.5);
    float peak = 0;
    for (float v : s) {
      ASSERT_TRUE(std::isfinite(v));
      peak = std::max(peak, std::fabs(v));
    }
    EXPECT_NEAR(peak, 0.707, 0.01);
    EXPECT_LT(std::fabs(s.front()), 0.01);
    EXPECT_LT(std::fabs(s.back()), 0.01);
  }
}

TEST(SoundSynthTest, NoEffectEndsWithAnAbruptCut) {
  // The last 5 ms may only fade: a cut shows as a big step near the end.
  for (SoundId id : kSoundLoadOrder) {
    SCOPED_TRACE(std::string(SoundFileName(id)));
    const std::vector<float> s = SynthesiseSound(id);
    const size_t tail = kSampleRate / 200;
    float worst = 0;
    for (size_t i = s.size() - tail; i < s.size(); ++i) worst = std::max(worst, std::fabs(s[i]));
    EXPECT_LT(worst, 0.2f);
  }
}

TEST(SoundSynthTest, CardFlipsAreSnapsAndDifferFromEachOther) {
  const std::vector<float> a = SynthesiseSound(SoundId::kCardFlip1);
  const std::vector<float> b = SynthesiseSound(SoundId::kCardFlip2);
  const std::vector<float> c = SynthesiseSound(SoundId::kCardFlip3);
  for (const auto* s : {&a, &b, &c}) EXPECT_LT(Seconds(*s), 0.35);
  EXPECT_NE(a, b);
  EXPECT_NE(b, c);
  EXPECT_NE(a, c);
}

TEST(SoundSynthTest, SignsDifferAndAreLongerThanAFlip) {
  const std::vector<float> a = SynthesiseSound(SoundId::kSign1);
  const std::vector<float> b = SynthesiseSound(SoundId::kSign2);
  const std::vector<float> c = SynthesiseSound(SoundId::kSign3);
  EXPECT_NE(a, b);
  EXPECT_NE(b, c);
  EXPECT_NE(a, c);
  for (const auto* s : {&a, &b, &c}) {
    EXPECT_GT(Seconds(*s), Seconds(SynthesiseSound(SoundId::kCardFlip1)));
    EXPECT_LT(Seconds(*s), 0.8);
  }
}

TEST(SoundSynthTest, ShuffleIsAboutASecondOfManySmallClicks) {
  const std::vector<float> s = SynthesiseSound(SoundId::kShuffle);
  EXPECT_GT(Seconds(s), 0.8);
  EXPECT_LT(Seconds(s), 1.4);
  // Count onsets: a 1 ms block that is loud after a quieter one.
  const size_t block = kSampleRate / 1000;
  int onsets = 0;
  float previous = 0;
  for (size_t at = 0; at + block <= s.size(); at += block) {
    float peak = 0;
    for (size_t i = at; i < at + block; ++i) peak = std::max(peak, std::fabs(s[i]));
    if (peak > 0.12f && peak > 2.5f * previous) ++onsets;
    previous = peak;
  }
  EXPECT_GE(onsets, 30);
}

TEST(SoundSynthTest, WinRisesAndLoseFalls) {
  const std::vector<float> win = SynthesiseSound(SoundId::kWinGame);
  EXPECT_NEAR(PitchBetween(win, 0.02, 0.12), 523.25, 40);
  EXPECT_NEAR(PitchBetween(win, 0.32, 0.42), 783.99, 60);
  const std::vector<float> lose = SynthesiseSound(SoundId::kLoseGame);
  EXPECT_NEAR(PitchBetween(lose, 0.03, 0.22), 659.25, 50);
  EXPECT_NEAR(PitchBetween(lose, 0.59, 0.78), 440.0, 35);
  EXPECT_GT(Seconds(lose), Seconds(win) * 0.9);
}

TEST(SoundSynthTest, IntroIsBright) {
  EXPECT_GT(PitchBetween(SynthesiseSound(SoundId::kIntro), 0.3, 0.6), 900);
}

}  // namespace
}  // namespace vantel
