#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace soundgen {

double Envelope::At(double t) const {
    if (points.empty()) return 0.0;
    if (t <= points.front().first) return points.front().second;
    for (size_t i = 1; i < points.size(); ++i) {
        const auto& a = points[i - 1];
        const auto& b = points[i];
        if (t <= b.first) {
            const double span = b.first - a.first;
            const double u = span > 0 ? (t - a.first) / span : 1.0;
            if (exponential && a.second > 0 && b.second > 0) return a.second * std::pow(b.second / a.second, u);
            return a.second + (b.second - a.second) * u;
        }
    }
    return points.back().second;
}

bool Envelope::Parse(const std::string& text, bool exponential, Envelope& out) {
    out = Envelope();
    out.exponential = exponential;
    std::stringstream ss(text);
    std::string item;
    while (std::getline(ss, item, ',')) {
        const size_t colon = item.find(':');
        char* end = nullptr;
        if (colon == std::string::npos) {
            const double v = std::strtod(item.c_str(), &end);
            if (end == item.c_str() || *end) return false;
            out.points.push_back({0.0, v});
            continue;
        }
        const std::string ts = item.substr(0, colon), vs = item.substr(colon + 1);
        const double t = std::strtod(ts.c_str(), &end);
        if (end == ts.c_str() || *end) return false;
        const double v = std::strtod(vs.c_str(), &end);
        if (end == vs.c_str() || *end) return false;
        if (!out.points.empty() && t < out.points.back().first) return false;
        out.points.push_back({t, v});
    }
    return !out.points.empty();
}

double Noise::Next() {
    // xorshift32
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return (m_state / 4294967295.0) * 2.0 - 1.0;
}

void Svf::Set(double cutoffHz, double q, double rate) {
    const double fc = std::clamp(cutoffHz, 10.0, rate * 0.45);
    m_g = std::tan(kPi * fc / rate);
    m_k = 1.0 / std::max(q, 0.05);
}

double Svf::Process(double x) {
    const double a1 = 1.0 / (1.0 + m_g * (m_g + m_k));
    const double a2 = m_g * a1;
    const double a3 = m_g * a2;
    const double v3 = x - m_ic2;
    const double v1 = a1 * m_ic1 + a2 * v3;
    const double v2 = m_ic2 + a2 * m_ic1 + a3 * v3;
    m_ic1 = 2 * v1 - m_ic1;
    m_ic2 = 2 * v2 - m_ic2;
    low = v2;
    band = v1;
    high = x - m_k * v1 - v2;
    return low;
}

Reverb::Reverb(double rate, double roomSize, double damping) : m_feedback(roomSize), m_damping(damping) {
    static const int kCombTunings[] = {1116, 1188, 1277, 1356, 1422, 1491};
    static const int kAllPassTunings[] = {556, 441, 341};
    const double scale = rate / 44100.0;
    for (int ch = 0; ch < 2; ++ch) {
        const int spread = ch * 23;
        for (int t : kCombTunings) {
            Comb c;
            c.buffer.assign(static_cast<size_t>((t + spread) * scale), 0.0);
            m_combs[ch].push_back(c);
        }
        for (int t : kAllPassTunings) {
            AllPass a;
            a.buffer.assign(static_cast<size_t>((t + spread) * scale), 0.0);
            m_allPasses[ch].push_back(a);
        }
    }
}

double Reverb::CombStep(Comb& c, double in) {
    const double out = c.buffer[c.pos];
    c.store = out * (1.0 - m_damping) + c.store * m_damping;
    c.buffer[c.pos] = in + c.store * m_feedback;
    if (++c.pos >= c.buffer.size()) c.pos = 0;
    return out;
}

double Reverb::AllPassStep(AllPass& a, double in) {
    const double buffered = a.buffer[a.pos];
    const double out = buffered - in;
    a.buffer[a.pos] = in + buffered * 0.5;
    if (++a.pos >= a.buffer.size()) a.pos = 0;
    return out;
}

void Reverb::Process(double in, double& outLeft, double& outRight) {
    double out[2];
    for (int ch = 0; ch < 2; ++ch) {
        double sum = 0;
        for (Comb& c : m_combs[ch]) sum += CombStep(c, in);
        for (AllPass& a : m_allPasses[ch]) sum = AllPassStep(a, sum);
        out[ch] = sum;
    }
    outLeft = out[0];
    outRight = out[1];
}

double Biquad::Process(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
}

Biquad Biquad::HighPass(double cutoffHz, double rate) {
    const double k = std::tan(kPi * cutoffHz / rate);
    const double q = 1.0 / std::sqrt(2.0);
    const double norm = 1.0 / (1.0 + k / q + k * k);
    return Biquad{norm, -2.0 * norm, norm, 2.0 * (k * k - 1.0) * norm, (1.0 - k / q + k * k) * norm};
}

double BandLimitedStep(double phase, double increment) {
    if (increment <= 0.0) return 0.0;
    if (phase < increment) {
        const double t = phase / increment;
        return t + t - t * t - 1.0;
    }
    if (phase > 1.0 - increment) {
        const double t = (phase - 1.0) / increment;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

// The same for a corner (a jump in the slope): the integral of the step's
// correction, (1 - |t|)^3 / 6 within one sample of the corner, for a slope
// that grows by 1 per sample.
double BandLimitedRamp(double phase, double increment) {
    if (increment <= 0.0) return 0.0;
    double t;
    if (phase < increment) t = 1.0 - phase / increment;
    else if (phase > 1.0 - increment) t = 1.0 - (1.0 - phase) / increment;
    else return 0.0;
    return t * t * t / 6.0;
}

double Oscillator(const std::string& kind, double phase, double increment, double duty) {
    const double p = phase - std::floor(phase);
    if (kind == "sine") return std::sin(2 * kPi * p);
    if (kind == "square") {
        double v = p < duty ? 1.0 : -1.0;
        v += BandLimitedStep(p, increment);
        const double fall = p - duty + 1.0;
        v -= BandLimitedStep(fall - std::floor(fall), increment);
        return v - (2.0 * duty - 1.0);
    }
    if (kind == "saw") return 2.0 * p - 1.0 - BandLimitedStep(p, increment);
    if (kind == "tri") {
        // The slope turns from -4 to +4 at the bottom and back at the top:
        // a jump of 8 per cycle, 8 * increment per sample.
        double v = p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p;
        const double half = p + 0.5;
        v += 8.0 * increment * (BandLimitedRamp(p, increment) - BandLimitedRamp(half - std::floor(half), increment));
        return v;
    }
    return 0.0;
}

std::vector<double> KWeighted(const std::vector<double>& samples, int rate) {
    // The two stages of the K weighting, designed for any sample rate.
    double k = std::tan(kPi * 1681.974450955533 / rate);
    const double vh = std::pow(10.0, 3.999843853973347 / 20.0);
    const double vb = std::pow(vh, 0.4996667741545416);
    double q = 0.7071752369554196;
    double a0 = 1.0 + k / q + k * k;
    Biquad shelf{(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
                 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
    k = std::tan(kPi * 38.13547087602444 / rate);
    q = 0.5003270373238773;
    a0 = 1.0 + k / q + k * k;
    Biquad highPass{1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
    std::vector<double> out(samples.size());
    for (size_t i = 0; i < samples.size(); ++i) out[i] = highPass.Process(shelf.Process(samples[i]));
    return out;
}

double ShortTermLoudness(const std::vector<double>& samples, int rate) {
    const std::vector<double> weighted = KWeighted(samples, rate);
    const size_t window = static_cast<size_t>(rate / 20), hop = static_cast<size_t>(rate / 200);
    double loudest = 0;
    for (size_t start = 0; start < weighted.size(); start += hop) {
        const size_t end = std::min(weighted.size(), start + window);
        double sum = 0;
        for (size_t i = start; i < end; ++i) sum += weighted[i] * weighted[i];
        loudest = std::max(loudest, sum / static_cast<double>(window));
        if (end == weighted.size()) break;
    }
    return loudest > 0 ? 10.0 * std::log10(loudest) : -200.0;
}

static void Put16(std::string& s, uint16_t v) {
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>(v >> 8));
}
static void Put32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

bool WriteWave(const std::string& path, int channels, int rate, const std::vector<int16_t>& samples) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::string s;
    s += "RIFF";
    Put32(s, 4 + 8 + 18 + 8 + dataBytes);
    s += "WAVE";
    s += "fmt ";
    Put32(s, 18);
    Put16(s, 1);
    Put16(s, static_cast<uint16_t>(channels));
    Put32(s, static_cast<uint32_t>(rate));
    Put32(s, static_cast<uint32_t>(rate * channels * 2));
    Put16(s, static_cast<uint16_t>(channels * 2));
    Put16(s, 16);
    Put16(s, 0);  // no extra format bytes
    s += "data";
    Put32(s, dataBytes);
    for (int16_t v : samples) Put16(s, static_cast<uint16_t>(v));
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(s.data(), 1, s.size(), f) == s.size();
    return std::fclose(f) == 0 && ok;
}

double DbToGain(double db) { return std::pow(10.0, db / 20.0); }

double MidiToHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

double PeakDb(const std::vector<double>& samples, double gain) {
    double peak = 0;
    for (double v : samples) peak = std::max(peak, std::fabs(v) * gain);
    return 20.0 * std::log10(std::max(peak, 1e-9));
}

std::vector<int16_t> ScaledPcm16(const std::vector<double>& samples, double gain) {
    std::vector<int16_t> out(samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        const double v = std::clamp(samples[i] * gain, -1.0, 1.0);
        out[i] = static_cast<int16_t>(std::lrint(v * 32767.0));
    }
    return out;
}

}  // namespace soundgen
