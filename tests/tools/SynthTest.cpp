// The oscillators of the sound maker: centred on zero whatever their duty,
// and band-limited so that no harmonic folds back under the Nyquist rate.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "Synth.h"

namespace {

constexpr int kRate = 22050;

std::vector<double> Tone(const std::string& kind, double hz, double duty, double seconds) {
    std::vector<double> out(static_cast<size_t>(seconds * kRate));
    double phase = 0;
    for (double& v : out) {
        v = soundgen::Oscillator(kind, phase, hz / kRate, duty);
        phase += hz / kRate;
    }
    return out;
}

// Amplitude of one frequency in a signal (a single DFT bin).
double Amplitude(const std::vector<double>& x, double hz) {
    double re = 0, im = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        const double a = 2.0 * soundgen::kPi * hz * static_cast<double>(i) / kRate;
        re += x[i] * std::cos(a);
        im -= x[i] * std::sin(a);
    }
    return 2.0 * std::hypot(re, im) / static_cast<double>(x.size());
}

TEST(SynthOscillators, EveryWaveIsCentredOnZero) {
    // 441 Hz fits a whole number of cycles in a second.
    for (const char* kind : {"sine", "square", "saw", "tri"}) {
        for (double duty : {0.1, 0.25, 0.3, 0.4, 0.5, 0.75}) {
            const std::vector<double> x = Tone(kind, 441.0, duty, 1.0);
            double mean = 0;
            for (double v : x) mean += v;
            EXPECT_NEAR(mean / static_cast<double>(x.size()), 0.0, 1e-3) << kind << " duty " << duty;
        }
    }
}

TEST(SynthOscillators, SquareAndSawDoNotAlias) {
    // A 3 kHz tone at 22050 Hz: its 7th harmonic (21 kHz) would fold back to
    // 1050 Hz, the 8th of the saw (24 kHz) to 1950 Hz. A naive wave leaves
    // them at -17 and -18 dB under the fundamental.
    for (const char* kind : {"square", "saw"}) {
        const std::vector<double> x = Tone(kind, 3000.0, 0.5, 1.0);
        const double fundamental = Amplitude(x, 3000.0);
        ASSERT_GT(fundamental, 0.5) << kind;
        for (double folded : {1050.0, 1950.0}) {
            EXPECT_LT(20.0 * std::log10(Amplitude(x, folded) / fundamental), -30.0) << kind << " at " << folded;
        }
    }
}

TEST(SynthOscillators, TriangleDoesNotAlias) {
    // A 5 kHz triangle at 22050 Hz: its 3rd and 5th harmonics (15 and 25
    // kHz) would fold back to 7050 and 2950 Hz, at -19 and -28 dB under the
    // fundamental for a naive wave.
    const std::vector<double> x = Tone("tri", 5000.0, 0.5, 1.0);
    const double fundamental = Amplitude(x, 5000.0);
    ASSERT_GT(fundamental, 0.5);
    for (double folded : {7050.0, 2950.0})
        EXPECT_LT(20.0 * std::log10(Amplitude(x, folded) / fundamental), -30.0) << "at " << folded;
}

TEST(SynthLoudness, HearsAToneAsLoudAsItsLevelAndIgnoresSilenceAround) {
    // A full-scale 1 kHz sine measures about -3 dB (its mean square) plus
    // the K weighting's small lift there; silence around it changes nothing.
    std::vector<double> x = Tone("sine", 1000.0, 0.5, 0.2);
    const double alone = soundgen::ShortTermLoudness(x, kRate);
    EXPECT_NEAR(alone, -2.3, 0.6);
    x.insert(x.begin(), kRate, 0.0);
    x.insert(x.end(), kRate, 0.0);
    EXPECT_NEAR(soundgen::ShortTermLoudness(x, kRate), alone, 0.1);
    for (double& v : x) v *= 0.1;
    EXPECT_NEAR(soundgen::ShortTermLoudness(x, kRate), alone - 20.0, 0.1);
}

}  // namespace
