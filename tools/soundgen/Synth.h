#pragma once
// Small synthesis kit shared by the effect and music renderers: envelopes,
// a deterministic noise source, a state-variable filter, a reverb and the
// WAVE / MIDI writers.
#include <cstdint>
#include <string>
#include <vector>

namespace soundgen {

constexpr double kPi = 3.14159265358979323846;

// Breakpoint envelope: (time, value) pairs, held flat outside.
struct Envelope {
    std::vector<std::pair<double, double>> points;
    bool exponential = false;  // geometric interpolation (pitches, cutoffs)

    bool Empty() const { return points.empty(); }
    double At(double t) const;
    double End() const { return points.empty() ? 0.0 : points.back().first; }
    // "0:880,0.1:440" or a single value "880". False on a syntax error.
    static bool Parse(const std::string& text, bool exponential, Envelope& out);
};

// Deterministic white noise (same sound every build).
class Noise {
public:
    explicit Noise(uint32_t seed = 1) : m_state(seed ? seed : 1) {}
    double Next();  // -1 .. 1

private:
    uint32_t m_state;
};

// Topology-preserving state-variable filter.
class Svf {
public:
    void Set(double cutoffHz, double q, double rate);
    double Process(double x);  // updates low/band/high
    double low = 0, band = 0, high = 0;

private:
    double m_g = 0, m_k = 1, m_ic1 = 0, m_ic2 = 0;
};

// A plain stereo reverb (parallel combs into all-passes).
class Reverb {
public:
    Reverb(double rate, double roomSize, double damping);
    void Process(double in, double& outLeft, double& outRight);

private:
    struct Comb {
        std::vector<double> buffer;
        size_t pos = 0;
        double store = 0;
    };
    struct AllPass {
        std::vector<double> buffer;
        size_t pos = 0;
    };
    double CombStep(Comb& c, double in);
    static double AllPassStep(AllPass& a, double in);
    std::vector<Comb> m_combs[2];
    std::vector<AllPass> m_allPasses[2];
    double m_feedback, m_damping;
};

// One biquad section in direct form I.
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    double Process(double x);
    // Second-order Butterworth high-pass (removes DC and rumble).
    static Biquad HighPass(double cutoffHz, double rate);
};

// The correction of a naive step at a phase wrap (polynomial band-limited
// step): subtracting it from a saw and adding it at each edge of a square
// keeps their harmonics from folding back above the Nyquist rate.
double BandLimitedStep(double phase, double increment);

// One sample of an oscillator ("sine", "square", "saw" or "tri") at `phase`
// (in cycles), moving by `increment` cycles a sample. Square and saw are
// band-limited, and every wave is centred on zero: a square whose duty is
// not one half is shifted by its mean.
double Oscillator(const std::string& kind, double phase, double increment, double duty);

// A signal through the K weighting of loudness meters (a 4 dB shelf over
// 1.7 kHz and a high-pass at 38 Hz): it hears as a listener does, so a thump
// and a whistle of equal level measure alike.
std::vector<double> KWeighted(const std::vector<double>& samples, int rate);

// Short-term loudness of mono samples: the loudest 50 ms (sliding by 5 ms)
// of the K-weighted signal, as a mean-square level in dB below full scale.
double ShortTermLoudness(const std::vector<double>& samples, int rate);

// 16-bit PCM WAVE with an 18-byte "fmt " chunk, so the data starts at byte 46.
bool WriteWave(const std::string& path, int channels, int rate, const std::vector<int16_t>& samples);

// The peak of float samples scaled by `gain`, in dBFS.
double PeakDb(const std::vector<double>& samples, double gain);
// Scales float samples by `gain` and converts them (no clamping needed when
// the caller has kept the peak below full scale).
std::vector<int16_t> ScaledPcm16(const std::vector<double>& samples, double gain);

double DbToGain(double db);
double MidiToHz(double note);

}  // namespace soundgen
