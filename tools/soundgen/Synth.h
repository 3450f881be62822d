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

// 16-bit PCM WAVE with an 18-byte "fmt " chunk, so the data starts at byte 46.
bool WriteWave(const std::string& path, int channels, int rate, const std::vector<int16_t>& samples);

// Peak-normalises float samples to `peakDb` dBFS and converts them.
std::vector<int16_t> ToPcm16(const std::vector<double>& samples, double peakDb);

double DbToGain(double db);
double MidiToHz(double note);

}  // namespace soundgen
