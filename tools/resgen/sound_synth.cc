#include "sound_synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "wav.h"

namespace vantel {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kRate = kSampleRate;

// Fixed-seed white noise in [-1, 1]; our own generator so every build gives
// the same samples.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed ? seed : 1) {}
  double Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_ / 2147483647.5 - 1.0;
  }

 private:
  uint32_t state_;
};

// A state-variable band-pass; the centre may change per sample for sweeps.
class BandPass {
 public:
  double Step(double in, double centre, double q) {
    const double f = 2 * std::sin(std::numbers::pi * std::min(centre, kRate / 6) / kRate);
    low_ += f * band_;
    const double high = in - low_ - band_ / q;
    band_ += f * high;
    return band_;
  }

 private:
  double low_ = 0, band_ = 0;
};

size_t Samples(double seconds) {
  return static_cast<size_t>(seconds * kRate);
}

// Linear rise over `attack` seconds, exponential fall with time constant `tau`.
double Pluck(double t, double attack, double tau) {
  if (t < 0) return 0;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / tau);
}

void Mix(std::vector<float>& out, size_t at, const std::vector<float>& in, double gain) {
  if (out.size() < at + in.size()) out.resize(at + in.size());
  for (size_t i = 0; i < in.size(); ++i) out[at + i] += static_cast<float>(in[i] * gain);
}

// A short fade at both ends so nothing starts or stops with a click, then the
// peak to -3 dB.
std::vector<float> Finish(std::vector<float> s) {
  const size_t fade = std::min(Samples(0.004), s.size() / 2);
  for (size_t i = 0; i < fade; ++i) {
    const auto edge = static_cast<float>(static_cast<double>(i) / fade);
    s[i] *= edge;
    s[s.size() - 1 - i] *= edge;
  }
  float peak = 0;
  for (float v : s) peak = std::max(peak, std::fabs(v));
  const float gain = peak > 0 ? 0.707f / peak : 0.0f;
  for (float& v : s) v *= gain;
  return s;
}

// A card snapping down: a burst of band-passed noise over a soft thump.
std::vector<float> Snap(uint32_t seed, double centre, double tau, double thump_hz) {
  Noise noise(seed);
  BandPass band;
  std::vector<float> s(Samples(0.02 + tau * 6));
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = i / kRate;
    const double crack = band.Step(noise.Next(), centre, 1.6) * Pluck(t, 0.0015, tau);
    const double thump = std::sin(kTwoPi * thump_hz * t) * Pluck(t, 0.002, 0.018) * 0.5;
    s[i] = static_cast<float>(crack + thump);
  }
  return s;
}

std::vector<float> CardFlip(int variant) {
  switch (variant) {
    case 0: return Finish(Snap(11, 2200, 0.022, 170));
    case 1: return Finish(Snap(23, 3300, 0.014, 210));
    default: {
      // A slide and a snap: the card drawn across the cloth, then laid.
      std::vector<float> s = Snap(37, 1500, 0.030, 140);
      std::vector<float> slide(Samples(0.06));
      Noise noise(41);
      BandPass band;
      for (size_t i = 0; i < slide.size(); ++i) {
        const double t = i / kRate;
        slide[i] = static_cast<float>(band.Step(noise.Next(), 4000, 0.8) *
                                      std::sin(std::numbers::pi * t / 0.06) * 0.25);
      }
      std::vector<float> out;
      Mix(out, 0, slide, 1.0);
      Mix(out, Samples(0.045), s, 1.0);
      return Finish(out);
    }
  }
}

// A soft whoosh whose colour sweeps from one frequency to another.
std::vector<float> Whoosh(uint32_t seed, double seconds, double from_hz, double to_hz) {
  Noise noise(seed);
  BandPass band;
  std::vector<float> s(Samples(seconds));
  for (size_t i = 0; i < s.size(); ++i) {
    const double x = static_cast<double>(i) / s.size();
    const double centre = from_hz * std::pow(to_hz / from_hz, x);
    const double env = std::pow(std::sin(std::numbers::pi * x), 2);
    s[i] = static_cast<float>(band.Step(noise.Next(), centre, 2.5) * env);
  }
  return s;
}

// A bell-like tone: the fundamental and a quieter inharmonic partial.
std::vector<float> Bell(double hz, double seconds, double tau) {
  std::vector<float> s(Samples(seconds));
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = i / kRate;
    const double tone = std::sin(kTwoPi * hz * t) +
                        0.25 * std::sin(kTwoPi * hz * 2.76 * t) * std::exp(-t / (tau * 0.3));
    s[i] = static_cast<float>(tone * Pluck(t, 0.004, tau));
  }
  return s;
}

std::vector<float> Sign(int variant) {
  switch (variant) {
    case 0: return Finish(Whoosh(101, 0.38, 500, 2800));
    case 1: return Finish(Whoosh(202, 0.42, 2600, 600));
    default: {
      std::vector<float> out = Whoosh(303, 0.30, 800, 2000);
      Mix(out, Samples(0.12), Bell(1568.0, 0.45, 0.12), 0.35);
      return Finish(out);
    }
  }
}

// A riffle: a second of small clicks, quickening and then slowing, with the
// cards squared up at the end.
std::vector<float> Shuffle() {
  std::vector<float> out(Samples(1.05));
  Noise jitter(5150);
  double t = 0.03;
  uint32_t seed = 900;
  while (t < 0.88) {
    const double x = t / 0.88;
    const double gap = 0.010 + 0.012 * std::pow(2 * x - 1, 2);
    const double level = 0.55 + 0.3 * std::sin(std::numbers::pi * x) + 0.12 * jitter.Next();
    Mix(out, Samples(t), Snap(seed++, 2600 + 900 * jitter.Next(), 0.004, 0), level);
    t += gap * (1 + 0.25 * jitter.Next());
  }
  Mix(out, Samples(0.92), Snap(seed, 900, 0.018, 120), 1.1);
  return Finish(out);
}

struct Note {
  double hz;
  double start;   // seconds
  double length;  // seconds
};

// A soft rounded tone with a quick rise and a gentle release.
std::vector<float> Tone(double hz, double length, double bend = 0) {
  const double release = 0.12;
  std::vector<float> s(Samples(length + release));
  double phase = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = i / kRate;
    phase += kTwoPi * hz * (1 + bend * t) / kRate;
    const double attack = std::min(1.0, t / 0.012);
    const double tail = t < length ? 1.0 : std::exp(-(t - length) / (release / 4));
    const double body = 0.85 + 0.15 * std::exp(-t / 0.08);
    s[i] = static_cast<float>(
        (std::sin(phase) + 0.18 * std::sin(3 * phase) + 0.08 * std::sin(2 * phase)) * attack *
        tail * body);
  }
  return s;
}

std::vector<float> Melody(const std::vector<Note>& notes, double bend = 0) {
  std::vector<float> out;
  for (const Note& n : notes) Mix(out, Samples(n.start), Tone(n.hz, n.length, bend), 0.5);
  return Finish(out);
}

std::vector<float> Intro() {
  std::vector<float> out;
  const double notes[] = {1046.5, 1318.5, 1568.0, 2093.0};
  for (int i = 0; i < 4; ++i) Mix(out, Samples(0.07 * i), Bell(notes[i], 1.0, 0.28), 0.4);
  return Finish(out);
}

std::vector<float> WinGame() {
  // C major rising: C5 E5 G5 C6, then the full chord.
  return Melody({{523.25, 0.00, 0.14},
                 {659.25, 0.15, 0.14},
                 {783.99, 0.30, 0.14},
                 {1046.5, 0.45, 0.70},
                 {659.25, 0.45, 0.70},
                 {783.99, 0.45, 0.70}});
}

std::vector<float> LoseGame() {
  // A minor falling: E5 C5 A4, then a low A minor chord that sags a little.
  return Melody({{659.25, 0.00, 0.24},
                 {523.25, 0.28, 0.24},
                 {440.00, 0.56, 0.24},
                 {220.00, 0.86, 0.80},
                 {261.63, 0.86, 0.80},
                 {329.63, 0.86, 0.80}},
                -0.012);
}

}  // namespace

std::vector<float> SynthesiseSound(SoundId id) {
  switch (id) {
    case SoundId::kCardFlip1: return CardFlip(0);
    case SoundId::kCardFlip2: return CardFlip(1);
    case SoundId::kCardFlip3: return CardFlip(2);
    case SoundId::kSign1: return Sign(0);
    case SoundId::kSign2: return Sign(1);
    case SoundId::kSign3: return Sign(2);
    case SoundId::kShuffle: return Shuffle();
    case SoundId::kIntro: return Intro();
    case SoundId::kWinGame: return WinGame();
    case SoundId::kLoseGame: return LoseGame();
  }
  return {};
}

}  // namespace vantel
