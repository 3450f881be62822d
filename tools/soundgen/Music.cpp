// Music from notes in text (data/sound/*.song). A song names its tempo, its
// bars before the loop and in the loop, and tracks of notes in an MML-like
// notation. It becomes either a 16-bit stereo 44100 Hz WAVE rendered with
// our own instruments, made so that the loop is seamless, or a Standard MIDI
// File for the game's General MIDI synthesiser.
//
// Notation: c d e f g a b (+ or # sharp, - flat), then an optional length
// (1 2 4 8 16 32, dots allowed, ^LEN extends), r rest, oN octave, > and <
// octave up/down, lN default length, vN velocity 1-15, qN gate in eighths
// of the length, [ ... ]N repeat, | bar check. In a kit track the letter
// picks the drum.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include "Soundgen.h"
#include "Synth.h"

namespace soundgen {
namespace {

constexpr int kRate = 44100;
constexpr double kReverbSendHighPassHz = 200.0;

struct Note {
    double beat = 0;    // start, in quarter notes from the song start
    double length = 0;  // sounding length in quarter notes (gate applied)
    double fullLength = 0;
    int key = 60;       // MIDI key; for kits the drum letter index 0..6 (c..b)
    double velocity = 0.8;
};

struct Track {
    std::string name;
    std::map<std::string, std::string> keys;
    std::string body;
    std::vector<Note> notes;
    int line = 0;
};

struct Song {
    std::string name;
    double tempo = 120;
    int meter = 4;
    int introBars = 0;
    int loopBars = 0;
    double reverb = 0.2;
    double room = 0.8;
    double highPass = 0;  // Hz, 0 for none
    double loudness = 0;  // dB, K-weighted over the whole piece (wave songs)
    bool hasLoudness = false;
    std::string output;  // "wave" or "midi"
    int resource = 0;
    std::vector<Track> tracks;
};

// ---------------------------------------------------------------------------
// Notation

struct Parser {
    const std::string& text;
    size_t pos = 0;
    std::string error;

    explicit Parser(const std::string& t) : text(t) {}
    void SkipSpace() {
        while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
    }
    bool Digit() const { return pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])); }
    int Integer() {
        int v = 0;
        while (Digit()) v = v * 10 + (text[pos++] - '0');
        return v;
    }
    // A length in quarter notes from "4", "8.", ... or the default.
    bool Length(double fallback, double& out) {
        out = fallback;
        if (Digit()) {
            const int n = Integer();
            if (n <= 0 || n > 64) {
                error = "bad length " + std::to_string(n);
                return false;
            }
            out = 4.0 / n;
            double add = out / 2;
            while (pos < text.size() && text[pos] == '.') {
                out += add;
                add /= 2;
                ++pos;
            }
        }
        while (pos < text.size() && text[pos] == '^') {
            ++pos;
            double more;
            if (!Digit() || !Length(fallback, more)) {
                if (error.empty()) error = "^ needs a length";
                return false;
            }
            out += more;
        }
        return true;
    }
};

bool ParseSequence(Parser& p, Track& track, bool kit, double& beat, int& octave, double& defaultLength,
                   int& velocity, int& gate, int meter, int depth) {
    static const int kSemitones[] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    while (true) {
        p.SkipSpace();
        if (p.pos >= p.text.size()) return depth == 0 || (p.error = "unclosed [", false);
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(p.text[p.pos])));
        if (c == ']') {
            if (depth == 0) {
                p.error = "] without [";
                return false;
            }
            return true;
        }
        ++p.pos;
        if (c >= 'a' && c <= 'g') {
            int key = 12 * (octave + 1) + kSemitones[c - 'a'];
            while (p.pos < p.text.size() && (p.text[p.pos] == '+' || p.text[p.pos] == '#' || p.text[p.pos] == '-')) {
                key += p.text[p.pos] == '-' ? -1 : 1;
                ++p.pos;
            }
            double length;
            if (!p.Length(defaultLength, length)) return false;
            Note n;
            n.beat = beat;
            n.fullLength = length;
            n.length = length * gate / 8.0;
            n.key = kit ? (c == 'a' ? 5 : c == 'b' ? 6 : c - 'c') : key;
            n.velocity = velocity / 15.0;
            track.notes.push_back(n);
            beat += length;
        } else if (c == 'r') {
            double length;
            if (!p.Length(defaultLength, length)) return false;
            beat += length;
        } else if (c == 'o') {
            octave = p.Integer();
        } else if (c == '>') {
            ++octave;
        } else if (c == '<') {
            --octave;
        } else if (c == 'l') {
            if (!p.Length(defaultLength, defaultLength)) return false;
        } else if (c == 'v') {
            velocity = std::clamp(p.Integer(), 1, 15);
        } else if (c == 'q') {
            gate = std::clamp(p.Integer(), 1, 8);
        } else if (c == '|') {
            const double bars = beat / meter;
            if (std::fabs(bars - std::round(bars)) > 1e-6) {
                char msg[96];
                std::snprintf(msg, sizeof msg, "bar line at beat %.3f (bar %.3f) is not on a bar", beat, bars + 1);
                p.error = msg;
                return false;
            }
        } else if (c == '[') {
            const size_t bodyStart = p.pos;
            // Parse once to find the end, then repeat.
            std::vector<Note> saved = track.notes;
            double b = beat;
            int o = octave, v = velocity, g = gate;
            double l = defaultLength;
            if (!ParseSequence(p, track, kit, b, o, l, v, g, meter, depth + 1)) return false;
            ++p.pos;  // ']'
            const int times = p.Digit() ? p.Integer() : 2;
            const size_t after = p.pos;
            track.notes = saved;
            for (int i = 0; i < times; ++i) {
                p.pos = bodyStart;
                if (!ParseSequence(p, track, kit, beat, octave, defaultLength, velocity, gate, meter, depth + 1)) {
                    return false;
                }
            }
            p.pos = after;
        } else {
            p.error = std::string("unknown command '") + c + "'";
            return false;
        }
    }
}

bool ParseSongFile(const std::string& path, Song& song, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::string text;
    int lineNo = 0;
    Track* current = nullptr;
    while (std::getline(in, text)) {
        ++lineNo;
        const size_t hash = text.find('#');
        if (hash != std::string::npos) text.resize(hash);
        std::istringstream ls(text);
        std::string word;
        if (!(ls >> word)) continue;
        auto fail = [&](const std::string& what) {
            error = path + ":" + std::to_string(lineNo) + ": " + what;
            return false;
        };
        if (word == "track") {
            Track t;
            t.line = lineNo;
            if (!(ls >> t.name)) return fail("track needs a name");
            std::string kv;
            while (ls >> kv) {
                const size_t eq = kv.find('=');
                if (eq == std::string::npos) return fail("expected key=value, got " + kv);
                t.keys[kv.substr(0, eq)] = kv.substr(eq + 1);
            }
            song.tracks.push_back(t);
            current = &song.tracks.back();
        } else if (current) {
            current->body += text;
            current->body += ' ';
        } else if (word == "song") {
            ls >> song.name;
        } else if (word == "tempo") {
            ls >> song.tempo;
        } else if (word == "meter") {
            ls >> song.meter;
        } else if (word == "intro") {
            ls >> song.introBars;
        } else if (word == "loop") {
            ls >> song.loopBars;
        } else if (word == "reverb") {
            ls >> song.reverb;
        } else if (word == "room") {
            ls >> song.room;
        } else if (word == "highpass") {
            ls >> song.highPass;
        } else if (word == "loudness") {
            song.hasLoudness = static_cast<bool>(ls >> song.loudness);
        } else if (word == "output") {
            ls >> song.output >> song.resource;
        } else {
            return fail("unknown line " + word);
        }
    }
    if (song.tempo <= 0 || song.meter <= 0 || song.loopBars <= 0 || song.introBars < 0) {
        error = path + ": tempo, meter and loop must be positive";
        return false;
    }
    if ((song.output != "wave" && song.output != "midi") || song.resource <= 0) {
        error = path + ": needs 'output wave ID' or 'output midi ID'";
        return false;
    }
    if (song.output == "wave" && (!song.hasLoudness || song.loudness >= 0)) {
        error = path + ": a wave song needs 'loudness DB' (under 0)";
        return false;
    }
    const double songBeats = static_cast<double>(song.introBars + song.loopBars) * song.meter;
    for (Track& t : song.tracks) {
        const bool kit = t.keys.count("inst") && t.keys["inst"] == "kit";
        Parser p(t.body);
        double beat = 0, length = 1.0;
        int octave = 4, velocity = 12, gate = 7;
        if (!ParseSequence(p, t, kit, beat, octave, length, velocity, gate, song.meter, 0)) {
            error = path + ": track " + t.name + " near \"" + t.body.substr(p.pos > 20 ? p.pos - 20 : 0, 40) +
                    "\": " + p.error;
            return false;
        }
        if (beat > songBeats + 1e-9) {
            char msg[128];
            std::snprintf(msg, sizeof msg, ": track %s runs %.2f beats past the song's end", t.name.c_str(),
                          beat - songBeats);
            error = path + msg;
            return false;
        }
    }
    return true;
}

double Key(const Track& t, const char* name, double fallback) {
    auto it = t.keys.find(name);
    return it == t.keys.end() ? fallback : std::strtod(it->second.c_str(), nullptr);
}

// ---------------------------------------------------------------------------
// Instruments: each renders one note (mono) including its release.

struct Voice {
    std::vector<double> samples;
};

// Plucked string (Karplus-Strong) with a fractional delay for tuning.
std::vector<double> Pluck(double hz, double seconds, double velocity, double t60, double brightness,
                          double pluckPos, double dampAfter, uint32_t seed) {
    const double delay = kRate / hz;
    const size_t size = static_cast<size_t>(delay) + 2;
    std::vector<double> line(size, 0.0);
    Noise noise(seed);
    Svf shape;
    shape.Set(200.0 + brightness * velocity * 9000.0, 0.6, kRate);
    for (size_t i = 0; i < size; ++i) line[i] = shape.Process(noise.Next());
    // Plucking away from the end thins the lowest harmonics a little.
    const size_t offset = std::max<size_t>(1, static_cast<size_t>(size * pluckPos));
    std::vector<double> excite(line);
    for (size_t i = 0; i < size; ++i) line[i] = excite[i] - excite[(i + offset) % size] * 0.6;
    // The string starts centred, so it rings about zero as it decays.
    double mean = 0;
    for (double v : line) mean += v;
    mean /= static_cast<double>(size);
    for (double& v : line) v -= mean;

    const size_t total = static_cast<size_t>(seconds * kRate);
    std::vector<double> out(total, 0.0);
    const double perPeriod = std::pow(10.0, -3.0 / (t60 * hz));
    const double dampedPerPeriod = std::pow(10.0, -3.0 / (0.12 * hz));
    const size_t dampStart = static_cast<size_t>(dampAfter * kRate);
    // Read pointer trails the write pointer by `delay` samples.
    double last = 0;
    size_t write = size - 1;
    const double frac = delay - std::floor(delay);
    const size_t whole = static_cast<size_t>(delay);
    for (size_t i = 0; i < total; ++i) {
        const size_t r0 = (write + size - whole) % size;
        const size_t r1 = (r0 + size - 1) % size;
        const double y = line[r0] * (1.0 - frac) + line[r1] * frac;
        const double g = i < dampStart ? perPeriod : dampedPerPeriod;
        const double filtered = 0.5 * (y + last) * g;
        last = y;
        write = (write + 1) % size;
        line[write] = filtered;
        out[i] = y * velocity;
    }
    return out;
}

std::vector<double> Flute(double hz, double gateSeconds, double velocity, uint32_t seed) {
    const double release = 0.09;
    const size_t total = static_cast<size_t>((gateSeconds + release) * kRate);
    std::vector<double> out(total);
    Noise noise(seed);
    Svf breath;
    breath.Set(hz * 2.0, 1.5, kRate);
    double phase = 0;
    for (size_t i = 0; i < total; ++i) {
        const double t = static_cast<double>(i) / kRate;
        // A slight scoop up into the note, then a vibrato that grows in.
        const double scoop = -0.45 * std::exp(-t / 0.035);
        const double vibDepth = std::clamp((t - 0.22) / 0.3, 0.0, 1.0) * 0.22;
        const double semis = scoop + vibDepth * std::sin(2 * kPi * 5.1 * t);
        const double f = hz * std::pow(2.0, semis / 12.0);
        phase += f / kRate;
        const double ph = 2 * kPi * phase;
        double attack = std::min(1.0, t / 0.045);
        double env = attack * (0.92 + 0.08 * std::min(1.0, t / 0.4));
        if (t > gateSeconds) env *= std::max(0.0, 1.0 - (t - gateSeconds) / release);
        const double tone = std::sin(ph) + 0.22 * std::sin(2 * ph) + 0.07 * std::sin(3 * ph);
        breath.Process(noise.Next());
        const double chiff = std::exp(-t / 0.03);
        out[i] = (tone * 0.8 + breath.band * (0.35 + 1.2 * chiff)) * env * velocity;
    }
    return out;
}

std::vector<double> Drone(double hz, double gateSeconds, double velocity) {
    const double release = 0.5;
    const size_t total = static_cast<size_t>((gateSeconds + release) * kRate);
    std::vector<double> out(total);
    Svf lowpass;
    double p1 = 0, p2 = 0.37, p3 = 0.71;
    for (size_t i = 0; i < total; ++i) {
        const double t = static_cast<double>(i) / kRate;
        p1 += hz * 1.0035 / kRate;
        p2 += hz * 0.9965 / kRate;
        p3 += hz * 0.5 / kRate;
        const double saw = (2 * (p1 - std::floor(p1)) - 1) + (2 * (p2 - std::floor(p2)) - 1);
        const double sub = std::sin(2 * kPi * p3);
        lowpass.Set(380.0 + 260.0 * std::sin(2 * kPi * 0.25 * t) * 0.5 + 120.0, 0.9, kRate);
        const double v = lowpass.Process(saw * 0.5) + sub * 0.35;
        double env = std::min(1.0, t / 0.25);
        if (t > gateSeconds) env *= std::max(0.0, 1.0 - (t - gateSeconds) / release);
        out[i] = v * env * velocity;
    }
    return out;
}

// Drums of the kit: 0 don (big drum), 1 ka (rim), 2 shime (small drum),
// 3 kane (small gong), 4 hyoshigi (wood clappers), 5 odaiko (deepest drum),
// 6 tick.
std::vector<double> Drum(int which, double velocity, uint32_t seed) {
    static const double kLengths[] = {0.9, 0.12, 0.25, 0.7, 0.12, 1.4, 0.05};
    const size_t total = static_cast<size_t>(kLengths[which] * kRate);
    std::vector<double> out(total);
    Noise noise(seed);
    Svf f1, f2;
    double phase = 0, phase2 = 0;
    for (size_t i = 0; i < total; ++i) {
        const double t = static_cast<double>(i) / kRate;
        double v = 0;
        switch (which) {
            case 0:
            case 5: {
                const double base = which == 0 ? 62.0 : 44.0;
                const double f = base * (1.0 + 0.9 * std::exp(-t / 0.03));
                phase += f / kRate;
                const double body = std::sin(2 * kPi * phase) * std::exp(-t / (which == 0 ? 0.28 : 0.5));
                f1.Set(which == 0 ? 900.0 : 600.0, 0.7, kRate);
                const double skin = f1.Process(noise.Next()) * std::exp(-t / 0.02);
                v = body + skin * 0.6;
                break;
            }
            case 1: {
                f1.Set(1900.0, 3.0, kRate);
                f1.Process(noise.Next());
                phase += 820.0 / kRate;
                v = f1.band * 1.6 * std::exp(-t / 0.018) + std::sin(2 * kPi * phase) * 0.5 * std::exp(-t / 0.03);
                break;
            }
            case 2: {
                const double f = 330.0 * (1.0 + 0.25 * std::exp(-t / 0.02));
                phase += f / kRate;
                f1.Set(2500.0, 1.2, kRate);
                f1.Process(noise.Next());
                v = std::sin(2 * kPi * phase) * std::exp(-t / 0.07) * 0.8 + f1.band * std::exp(-t / 0.03) * 0.9;
                break;
            }
            case 3: {
                phase += 1760.0 / kRate;
                phase2 += 1760.0 * 1.47 / kRate;
                const double mod = std::sin(2 * kPi * phase2) * 2.2 * std::exp(-t / 0.2);
                v = std::sin(2 * kPi * phase + mod) * std::exp(-t / 0.25) * 0.5;
                f2.Set(6000.0, 1.0, kRate);
                f2.Process(noise.Next());
                v += f2.band * std::exp(-t / 0.01) * 0.4;
                break;
            }
            case 4: {
                f1.Set(1350.0, 8.0, kRate);
                f1.Process(noise.Next() * (t < 0.004 ? 1.0 : 0.0));
                f2.Set(2700.0, 6.0, kRate);
                f2.Process(noise.Next() * (t < 0.003 ? 1.0 : 0.0));
                v = (f1.band * 3.0 + f2.band * 2.0);
                break;
            }
            default: {
                f1.Set(5000.0, 2.0, kRate);
                f1.Process(noise.Next());
                v = f1.band * std::exp(-t / 0.008);
                break;
            }
        }
        out[i] = v * velocity;
    }
    return out;
}

std::vector<double> RenderVoice(const std::string& inst, const Note& n, double secondsPerBeat, uint32_t seed) {
    const double gate = n.length * secondsPerBeat;
    const double hz = MidiToHz(n.key);
    if (inst == "flute") return Flute(hz, gate, n.velocity, seed);
    if (inst == "koto") return Pluck(hz, gate + 0.4, n.velocity, 2.4, 0.55, 0.18, gate + 0.25, seed);
    if (inst == "shamisen") {
        std::vector<double> v = Pluck(hz, gate + 0.2, n.velocity, 0.9, 0.9, 0.12, gate + 0.1, seed);
        // The plectrum's snap.
        Noise noise(seed + 11);
        Svf snap;
        snap.Set(3200.0, 2.0, kRate);
        for (size_t i = 0; i < v.size() && i < static_cast<size_t>(0.012 * kRate); ++i) {
            snap.Process(noise.Next());
            v[i] += snap.band * 0.5 * n.velocity * (1.0 - static_cast<double>(i) / (0.012 * kRate));
        }
        return v;
    }
    if (inst == "bass") {
        std::vector<double> v = Pluck(hz, gate + 0.15, n.velocity, 1.6, 0.25, 0.3, gate + 0.05, seed);
        double phase = 0;
        for (size_t i = 0; i < v.size(); ++i) {
            const double t = static_cast<double>(i) / kRate;
            phase += hz / kRate;
            double env = std::exp(-t / 0.6) * std::min(1.0, t / 0.004);
            if (t > gate) env *= std::max(0.0, 1.0 - (t - gate) / 0.08);
            v[i] += std::sin(2 * kPi * phase) * 0.45 * env * n.velocity;
        }
        return v;
    }
    if (inst == "drone") return Drone(hz, gate, n.velocity);
    if (inst == "kit") return Drum(std::clamp(n.key, 0, 6), n.velocity, seed);
    return {};
}

// ---------------------------------------------------------------------------
// WAVE rendering with a seamless loop

// No piece peaks above this.
constexpr double kCeilingDb = -1.0;

// The loudness of interleaved stereo as a whole: the two channels'
// K-weighted mean squares summed, in dB.
double StereoLoudness(const std::vector<double>& mix) {
    const size_t frames = mix.size() / 2;
    double sum = 0;
    for (size_t c = 0; c < 2; ++c) {
        std::vector<double> channel(frames);
        for (size_t i = 0; i < frames; ++i) channel[i] = mix[2 * i + c];
        for (double v : KWeighted(channel, kRate)) sum += v * v;
    }
    return 10.0 * std::log10(std::max(sum / static_cast<double>(std::max<size_t>(frames, 1)), 1e-12));
}

struct StereoBuffers {
    std::vector<double> left, right, send;
    void Fit(size_t n) {
        if (left.size() < n) {
            left.resize(n, 0.0);
            right.resize(n, 0.0);
            send.resize(n, 0.0);
        }
    }
};

bool RenderWave(const Song& song, const std::string& outDir, std::string& error, std::string& report) {
    const double secondsPerBeat = 60.0 / song.tempo;
    const double loopStartSec = song.introBars * song.meter * secondsPerBeat;
    const double loopEndSec = (song.introBars + song.loopBars) * song.meter * secondsPerBeat;
    const size_t loopStart = static_cast<size_t>(std::llround(loopStartSec * kRate));
    const size_t loopEnd = static_cast<size_t>(std::llround(loopEndSec * kRate));
    const size_t tail = 6 * kRate;

    // Part 0 holds the notes before the loop, part 1 those of the loop.
    StereoBuffers parts[2];
    for (StereoBuffers& b : parts) b.Fit(loopEnd + tail);
    uint32_t seed = 1;
    for (const Track& t : song.tracks) {
        const std::string inst = t.keys.count("inst") ? t.keys.at("inst") : std::string();
        if (inst.empty() || RenderVoice(inst, Note{}, secondsPerBeat, 1).empty()) {
            error = "track " + t.name + ": unknown instrument '" + inst + "'";
            return false;
        }
        const double volume = Key(t, "vol", 0.5);
        const double pan = std::clamp(Key(t, "pan", 0.0), -1.0, 1.0);
        const double send = Key(t, "rev", 0.3);
        const double angle = (pan + 1.0) * kPi / 4.0;
        const double gl = std::cos(angle) * volume, gr = std::sin(angle) * volume;
        for (const Note& n : t.notes) {
            const std::vector<double> v = RenderVoice(inst, n, secondsPerBeat, seed++);
            const size_t start = static_cast<size_t>(std::llround(n.beat * secondsPerBeat * kRate));
            StereoBuffers& b = parts[start >= loopStart ? 1 : 0];
            b.Fit(start + v.size());
            for (size_t i = 0; i < v.size(); ++i) {
                b.left[start + i] += v[i] * gl;
                b.right[start + i] += v[i] * gr;
                b.send[start + i] += v[i] * volume * send;
            }
        }
    }
    for (StereoBuffers& b : parts) {
        // The reverb hears no bass: low notes would ring in its combs, each
        // channel at its own pitches, and tip the balance of the piece.
        Biquad sendFilter = Biquad::HighPass(kReverbSendHighPassHz, kRate);
        for (double& v : b.send) v = sendFilter.Process(v);
        Reverb reverb(kRate, song.room, 0.35);
        const double wet = song.reverb * 0.25;
        for (size_t i = 0; i < b.left.size(); ++i) {
            double l, r;
            reverb.Process(b.send[i], l, r);
            b.left[i] += l * wet;
            b.right[i] += r * wet;
        }
    }
    // A rumble under the lowest note and any offset go, in each part as a
    // whole, so that the loop stays seamless.
    if (song.highPass > 0) {
        for (StereoBuffers& b : parts) {
            for (std::vector<double>* ch : {&b.left, &b.right}) {
                Biquad filter = Biquad::HighPass(song.highPass, kRate);
                for (double& v : *ch) v = filter.Process(v);
            }
        }
    }
    // The intro rings on into the loop; the loop's own tail past its end is
    // folded back onto its start, as it sounds when the loop comes round.
    // Both tails lie in the bytes after the loop start, which every pass
    // plays, so each pass hears the tail of what came before it under the
    // faint tail of the other. That other tail must not start with a jump:
    // its first moments, mirrored, fade in over the last 40 ms before each
    // seam (the intro's end and the loop's end).
    const size_t span = loopEnd - loopStart;
    auto introTail = [&](size_t k, const std::vector<double>& ch) { return ch[loopStart + k]; };
    auto loopTail = [&](size_t k, const std::vector<double>& ch) {
        return loopEnd + k < ch.size() ? ch[loopEnd + k] : 0.0;
    };
    std::vector<double> mix(loopEnd * 2, 0.0);
    for (size_t i = 0; i < loopEnd; ++i) {
        double l = parts[0].left[i] + parts[1].left[i];
        double r = parts[0].right[i] + parts[1].right[i];
        if (i >= loopStart && i + span < parts[1].left.size()) {
            l += parts[1].left[i + span];
            r += parts[1].right[i + span];
        }
        mix[2 * i] = l;
        mix[2 * i + 1] = r;
    }
    const size_t lead = std::min(static_cast<size_t>(0.04 * kRate), loopStart);
    for (size_t k = 0; k < lead; ++k) {
        const double c = std::cos(0.5 * kPi * static_cast<double>(k) / static_cast<double>(lead));
        const double w = c * c;
        mix[2 * (loopStart - 1 - k)] += loopTail(k, parts[1].left) * w;
        mix[2 * (loopStart - 1 - k) + 1] += loopTail(k, parts[1].right) * w;
        mix[2 * (loopEnd - 1 - k)] += introTail(k, parts[0].left) * w;
        mix[2 * (loopEnd - 1 - k) + 1] += introTail(k, parts[0].right) * w;
    }
    // Even with the parts panned about the middle, the reverb adds to each
    // channel's notes in its own phase; the two channels are evened out.
    double energy[2] = {0, 0};
    for (size_t i = 0; i < mix.size(); ++i) energy[i % 2] += mix[i] * mix[i];
    if (energy[0] > 0 && energy[1] > 0) {
        const double middle = std::sqrt(energy[0] * energy[1]);
        const double gains[2] = {std::sqrt(middle / energy[0]), std::sqrt(middle / energy[1])};
        for (size_t i = 0; i < mix.size(); ++i) mix[i] *= gains[i % 2];
    }
    // The piece is matched to its loudness, not its peak: a piece of big
    // drums and one of busy strings then play alike whatever their peaks.
    const double gain = DbToGain(song.loudness - StereoLoudness(mix));
    const double peakDb = PeakDb(mix, gain);
    if (peakDb > kCeilingDb) {
        char msg[160];
        std::snprintf(msg, sizeof msg, "song %s would peak at %.1f dBFS at its loudness; tame its loudest hits",
                      song.name.c_str(), peakDb);
        error = msg;
        return false;
    }
    const std::vector<int16_t> pcm = ScaledPcm16(mix, gain);
    const std::string path = outDir + "/wave_" + std::to_string(song.resource) + ".wav";
    if (!WriteWave(path, 2, kRate, pcm)) {
        error = "cannot write " + path;
        return false;
    }
    char line[200];
    std::snprintf(line, sizeof line, "song %-8s wave %d: %.1f s, loop bytes %zu to %zu, peak %.1f dBFS\n",
                  song.name.c_str(), song.resource, loopEndSec, loopStart * 4, loopEnd * 4, peakDb);
    report += line;
    return true;
}

// ---------------------------------------------------------------------------
// MIDI

void PutVarLen(std::string& s, uint32_t v) {
    uint8_t bytes[5];
    int n = 0;
    bytes[n++] = v & 0x7F;
    while (v >>= 7) bytes[n++] = static_cast<uint8_t>((v & 0x7F) | 0x80);
    while (n > 0) s.push_back(static_cast<char>(bytes[--n]));
}

void PutBig32(std::string& s, uint32_t v) {
    for (int i = 3; i >= 0; --i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

struct TimedEvent {
    uint32_t tick;
    int order;  // note-offs before note-ons at the same tick
    std::string bytes;
};

std::string TrackChunk(std::vector<TimedEvent> events, uint32_t endTick) {
    std::stable_sort(events.begin(), events.end(), [](const TimedEvent& a, const TimedEvent& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::string body;
    uint32_t now = 0;
    for (const TimedEvent& e : events) {
        PutVarLen(body, e.tick - now);
        now = e.tick;
        body += e.bytes;
    }
    PutVarLen(body, endTick - now);
    body += "\xFF\x2F";
    body.push_back('\0');
    std::string chunk = "MTrk";
    PutBig32(chunk, static_cast<uint32_t>(body.size()));
    return chunk + body;
}

bool RenderMidi(const Song& song, const std::string& outDir, std::string& error, std::string& report) {
    constexpr uint32_t kDivision = 480;
    const uint32_t endTick = static_cast<uint32_t>((song.introBars + song.loopBars) * song.meter * kDivision);
    std::string file = "MThd";
    PutBig32(file, 6);
    file += std::string("\0\1", 2);
    const uint16_t trackCount = static_cast<uint16_t>(song.tracks.size() + 1);
    file.push_back(static_cast<char>(trackCount >> 8));
    file.push_back(static_cast<char>(trackCount & 0xFF));
    file.push_back(static_cast<char>(kDivision >> 8));
    file.push_back(static_cast<char>(kDivision & 0xFF));

    std::vector<TimedEvent> conductor;
    const uint32_t usPerQuarter = static_cast<uint32_t>(std::lround(60000000.0 / song.tempo));
    std::string tempo = "\xFF\x51\x03";
    tempo.push_back(static_cast<char>((usPerQuarter >> 16) & 0xFF));
    tempo.push_back(static_cast<char>((usPerQuarter >> 8) & 0xFF));
    tempo.push_back(static_cast<char>(usPerQuarter & 0xFF));
    conductor.push_back({0, 0, tempo});
    std::string meter = "\xFF\x58\x04";
    meter.push_back(static_cast<char>(song.meter));
    meter += std::string("\x02\x18\x08", 3);
    conductor.push_back({0, 0, meter});
    file += TrackChunk(conductor, endTick);

    // Kit letters c..b to General MIDI percussion keys.
    static const int kDrumKeys[] = {36, 76, 77, 53, 49, 42, 39};
    for (const Track& t : song.tracks) {
        const bool kit = t.keys.count("inst") && t.keys.at("inst") == "kit";
        const int channel = kit ? 9 : static_cast<int>(Key(t, "ch", 0));
        if (channel < 0 || channel > 15) {
            error = "track " + t.name + ": channel out of range";
            return false;
        }
        std::vector<TimedEvent> events;
        auto message = [](int status, int d1, int d2) {
            std::string s;
            s.push_back(static_cast<char>(status));
            s.push_back(static_cast<char>(d1));
            if (d2 >= 0) s.push_back(static_cast<char>(d2));
            return s;
        };
        if (!kit) events.push_back({0, 0, message(0xC0 | channel, static_cast<int>(Key(t, "prog", 0)), -1)});
        events.push_back({0, 0, message(0xB0 | channel, 7, static_cast<int>(std::clamp(Key(t, "vol", 0.8), 0.0, 1.0) * 127))});
        events.push_back(
            {0, 0, message(0xB0 | channel, 10, static_cast<int>(std::lround((std::clamp(Key(t, "pan", 0.0), -1.0, 1.0) + 1.0) * 63.5)))});
        events.push_back({0, 0, message(0xB0 | channel, 91, static_cast<int>(std::clamp(Key(t, "rev", 0.3), 0.0, 1.0) * 127))});
        for (const Note& n : t.notes) {
            const int key = kit ? kDrumKeys[std::clamp(n.key, 0, 6)] : n.key;
            if (key < 0 || key > 127) {
                error = "track " + t.name + ": note out of the MIDI range";
                return false;
            }
            const uint32_t on = static_cast<uint32_t>(std::lround(n.beat * kDivision));
            uint32_t off = static_cast<uint32_t>(std::lround((n.beat + n.length) * kDivision));
            off = std::min(std::max(off, on + 1), endTick);
            const int velocity = std::clamp(static_cast<int>(std::lround(n.velocity * 127)), 1, 127);
            events.push_back({on, 1, message(0x90 | channel, key, velocity)});
            events.push_back({off, 0, message(0x80 | channel, key, 0)});
        }
        file += TrackChunk(events, endTick);
    }
    const std::string path = outDir + "/midi_" + std::to_string(song.resource) + ".mid";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        error = "cannot write " + path;
        return false;
    }
    const bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    if (std::fclose(f) != 0 || !ok) {
        error = "cannot write " + path;
        return false;
    }
    char line[200];
    std::snprintf(line, sizeof line, "song %-8s midi %d: %zu tracks, %u ticks, loop ticks %u to %u\n",
                  song.name.c_str(), song.resource, song.tracks.size() + 1, endTick,
                  static_cast<uint32_t>(song.introBars * song.meter * kDivision), endTick);
    report += line;
    return true;
}

}  // namespace

bool RenderSong(const std::string& songPath, const std::string& outDir, std::string& error, std::string& report) {
    Song song;
    if (!ParseSongFile(songPath, song, error)) return false;
    return song.output == "wave" ? RenderWave(song, outDir, error, report) : RenderMidi(song, outDir, error, report);
}

}  // namespace soundgen
