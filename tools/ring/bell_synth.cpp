#include "ring/bell_synth.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace klemvar::tools {
namespace {

struct Partial {
  double hz;
  double amplitude;
};

// The two loud modes give the bell its pitch; the weak ones its metallic colour.
constexpr std::array<Partial, 5> kPartials{{
    {2550.0, 1.00},
    {2090.0, 0.78},
    {1210.0, 0.07},
    {3380.0, 0.06},
    {4320.0, 0.04},
}};

constexpr double kStrikeRate = 10.0;         // clapper strikes per second
constexpr double kStrikeJitter = 0.06;       // +-6 % on each interval
constexpr double kStrikeDecaySeconds = 0.6;  // the bell sustains from strike to strike
constexpr double kRingOutSeconds = 0.032;    // ring-down after the last strike
constexpr double kClickSeconds = 0.003;      // the clapper's own knock
constexpr double kClickLevel = 0.10;
constexpr double kPeakDbfs = -1.5;

// A fixed linear congruential generator: unlike the <random> distributions its
// sequence is the same with every standard library.
class Lcg {
 public:
  double Next() {  // uniform in [-1, 1)
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(state_ >> 11) / 4503599627370496.0 - 1.0;
  }

 private:
  std::uint64_t state_ = 0x4B6C656D76617231ULL;
};

std::vector<int> StrikeFrames(Lcg& random) {
  std::vector<int> strikes;
  double t = 0.0;
  while (t < kRingSteadyFrames) {
    strikes.push_back(static_cast<int>(t));
    t += kRingSampleRate / kStrikeRate * (1.0 + kStrikeJitter * random.Next());
  }
  return strikes;
}

// Loudness of the bell's modes over time: each strike lifts the level back to
// full (a little more or less), and between strikes it rings down.
std::vector<double> BellEnvelope(const std::vector<int>& strikes, Lcg& random) {
  std::vector<double> envelope(kRingFrames, 0.0);
  double level = 0.0;
  std::size_t next = 0;
  const double strike_decay = std::exp(-1.0 / (kStrikeDecaySeconds * kRingSampleRate));
  const double ring_out = std::exp(-1.0 / (kRingOutSeconds * kRingSampleRate));
  for (int i = 0; i < kRingFrames; ++i) {
    if (next < strikes.size() && strikes[next] == i) {
      level = std::max(level, 1.0 + 0.05 * random.Next());
      ++next;
    }
    envelope[i] = level;
    level *= i < kRingSteadyFrames ? strike_decay : ring_out;
  }
  return envelope;
}

double Partials(int frame) {
  double sum = 0.0;
  const double t = static_cast<double>(frame) / kRingSampleRate;
  for (const Partial& p : kPartials)
    sum += p.amplitude * std::sin(2.0 * std::numbers::pi * p.hz * t);
  return sum;
}

// Broadband knock of metal on metal, a few milliseconds long.
void AddClicks(std::vector<double>& samples, const std::vector<int>& strikes, Lcg& random) {
  const int length = static_cast<int>(kClickSeconds * kRingSampleRate);
  for (int start : strikes) {
    for (int i = 0; i < length && start + i < kRingFrames; ++i) {
      const double fade = 1.0 - static_cast<double>(i) / length;
      samples[start + i] += kClickLevel * fade * fade * random.Next();
    }
  }
}

std::vector<std::int16_t> Quantise(const std::vector<double>& samples) {
  double peak = 0.0;
  for (double s : samples) peak = std::max(peak, std::abs(s));
  const double gain = 32767.0 * std::pow(10.0, kPeakDbfs / 20.0) / peak;
  std::vector<std::int16_t> out(samples.size());
  std::transform(samples.begin(), samples.end(), out.begin(),
                 [gain](double s) { return static_cast<std::int16_t>(std::lround(s * gain)); });
  return out;
}

}  // namespace

std::vector<std::int16_t> SynthesiseBell() {
  Lcg random;
  const std::vector<int> strikes = StrikeFrames(random);
  const std::vector<double> envelope = BellEnvelope(strikes, random);
  std::vector<double> samples(kRingFrames);
  for (int i = 0; i < kRingFrames; ++i) samples[i] = envelope[i] * Partials(i);
  AddClicks(samples, strikes, random);
  return Quantise(samples);
}

}  // namespace klemvar::tools
