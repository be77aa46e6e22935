// The ring's sound: level, pitch, rattle and ring-out, measured on the samples.
// Where the figures come from: the rate (11,025 Hz), the 24,047 frames and the
// 2.0 s steady part followed by a 0.18 s (1,997-frame) ring-out are the layout of
// the bell recording the program carries; -8.7 dBFS RMS, -1.5 dBFS peaks, the
// partials near 2.55 and 2.09 kHz and about ten strikes a second are what that
// recording measures, and tools/ring synthesises to match. The tolerances are
// this file's own: the 5 Hz scan and 5 ms steps plus a margin for the synthesis,
// 1 dB on the level (1.5 dB per quarter second), and -40 dBFS as "near silence".
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <vector>

#include "resource_bytes.h"

namespace klemvar::test {
namespace {

constexpr int kRate = 11025;
constexpr int kSteadyFrames = 2 * kRate;  // 2.0 s of steady ringing
constexpr int kTailFrames = 1997;         // the last 0.18 s
constexpr qsizetype kDataOffset = 44;     // fmt is the only chunk before data

using Samples = std::vector<double>;

Samples LoadRing() {
  const QByteArray wave = ResourceBytes(":/sounds/RING.wav");
  if (wave.size() < kDataOffset || wave.mid(kDataOffset - 8, 4) != "data") return {};
  const qsizetype frames = Le32(wave, kDataOffset - 4) / 2;
  Samples samples(frames);
  for (qsizetype i = 0; i < frames; ++i)
    samples[i] = static_cast<std::int16_t>(Le16(wave, kDataOffset + 2 * i)) / 32768.0;
  return samples;
}

double RmsDb(const Samples& s, int from, int to) {
  double sum = 0.0;
  for (int i = from; i < to; ++i) sum += s[i] * s[i];
  return 10.0 * std::log10(sum / (to - from) + 1e-20);
}

double PeakDb(const Samples& s, int from, int to) {
  double peak = 0.0;
  for (int i = from; i < to; ++i) peak = std::max(peak, std::abs(s[i]));
  return 20.0 * std::log10(peak);
}

// Power at one frequency over the Hann-windowed steady part (Goertzel).
double PowerAt(const Samples& s, double hz) {
  const double coeff = 2.0 * std::cos(2.0 * std::numbers::pi * hz / kRate);
  double s1 = 0.0, s2 = 0.0;
  for (int i = 0; i < kSteadyFrames; ++i) {
    const double hann = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / (kSteadyFrames - 1));
    const double s0 = s[i] * hann + coeff * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  return s1 * s1 + s2 * s2 - coeff * s1 * s2;
}

// The frequency with the most power in a 5 Hz scan, ignoring the band around `skip`.
double StrongestPartial(const Samples& s, double skip) {
  double best_hz = 0.0, best_power = -1.0;
  for (double hz = 50.0; hz < 5500.0; hz += 5.0) {
    if (std::abs(hz - skip) < 150.0) continue;
    const double power = PowerAt(s, hz);
    if (power > best_power) best_hz = hz, best_power = power;
  }
  return best_hz;
}

class RingSound : public ::testing::Test {
 protected:
  Samples ring = LoadRing();
  void SetUp() override { ASSERT_EQ(ring.size(), 24047u); }
};

TEST_F(RingSound, SteadyLevelAndPeaks) {
  EXPECT_NEAR(RmsDb(ring, 0, kSteadyFrames), -8.7, 1.0);
  EXPECT_NEAR(PeakDb(ring, 0, kSteadyFrames), -1.5, 0.5);
  // Steady means steady: every quarter second is as loud as the whole.
  for (int from = 0; from + kRate / 4 <= kSteadyFrames; from += kRate / 4)
    EXPECT_NEAR(RmsDb(ring, from, from + kRate / 4), -8.7, 1.5) << "at frame " << from;
}

TEST_F(RingSound, TwoBellPartialsAreTheStrongest) {
  const double first = StrongestPartial(ring, -1000.0);
  const double second = StrongestPartial(ring, first);
  EXPECT_NEAR(std::max(first, second), 2550.0, 30.0);
  EXPECT_NEAR(std::min(first, second), 2090.0, 30.0);
}

TEST_F(RingSound, ClapperStrikesAboutTenTimesASecond) {
  // The loudness in 5 ms steps repeats with the strike period.
  constexpr int kStep = kRate / 200;
  std::vector<double> loudness;
  for (int i = 0; i + kStep <= kSteadyFrames; i += kStep)
    loudness.push_back(RmsDb(ring, i, i + kStep));
  const double mean = std::accumulate(loudness.begin(), loudness.end(), 0.0) / loudness.size();
  for (double& l : loudness) l -= mean;
  int best_lag = 0;
  double best = -1e300;
  for (int lag = 10; lag <= 40; ++lag) {  // 50..200 ms
    double sum = 0.0;
    for (std::size_t i = 0; i + lag < loudness.size(); ++i) sum += loudness[i] * loudness[i + lag];
    if (sum > best) best = sum, best_lag = lag;
  }
  EXPECT_NEAR(best_lag * 5.0, 100.0, 12.0) << "strike period in ms";
}

TEST_F(RingSound, RingsOutToNearSilenceInTheLastPart) {
  const int tail = static_cast<int>(ring.size()) - kTailFrames;
  double previous = RmsDb(ring, kSteadyFrames - 330, kSteadyFrames);
  for (int from = tail; from + 330 <= static_cast<int>(ring.size()); from += 330) {
    const double level = RmsDb(ring, from, from + 330);
    EXPECT_LT(level, previous) << "30 ms from frame " << from;
    previous = level;
  }
  EXPECT_LT(RmsDb(ring, ring.size() - 220, ring.size()), -40.0);
}

}  // namespace
}  // namespace klemvar::test
