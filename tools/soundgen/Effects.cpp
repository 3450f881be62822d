// Sound effects from recipes (data/sound/effects.txt). A recipe is a few
// layers of oscillators or noise, each with pitch, volume and filter
// envelopes, each centred before its envelope, summed, optionally echoed,
// faded in and out, and matched to the short-term loudness of its kind.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "Soundgen.h"
#include "Synth.h"

namespace soundgen {
namespace {

struct Layer {
    std::string kind;
    std::map<std::string, std::string> keys;
    int line = 0;
};

struct Recipe {
    int slot = -1;
    long soundId = 0;
    std::string name;
    std::map<std::string, std::string> options;
    std::vector<Layer> layers;
    int line = 0;
};

bool SplitKeyValues(std::istringstream& in, std::map<std::string, std::string>& out) {
    std::string token;
    while (in >> token) {
        if (token[0] == '#') break;
        const size_t eq = token.find('=');
        if (eq == std::string::npos || eq == 0) return false;
        out[token.substr(0, eq)] = token.substr(eq + 1);
    }
    return true;
}

double Number(const std::map<std::string, std::string>& keys, const char* name, double fallback) {
    auto it = keys.find(name);
    return it == keys.end() ? fallback : std::strtod(it->second.c_str(), nullptr);
}

bool EnvelopeKey(const Layer& layer, const char* name, bool exponential, Envelope& out, std::string& error) {
    auto it = layer.keys.find(name);
    if (it == layer.keys.end()) {
        out = Envelope();
        return true;
    }
    if (!Envelope::Parse(it->second, exponential, out)) {
        error = "line " + std::to_string(layer.line) + ": bad envelope " + name + "=" + it->second;
        return false;
    }
    return true;
}

bool RenderLayer(const Layer& layer, int rate, std::vector<double>& out, std::string& error) {
    static const char* kKinds[] = {"sine", "square", "saw", "tri", "noise", "fm", "pluck"};
    if (std::find(std::begin(kKinds), std::end(kKinds), layer.kind) == std::end(kKinds)) {
        error = "line " + std::to_string(layer.line) + ": unknown layer kind " + layer.kind;
        return false;
    }
    static const char* kKeys[] = {"at", "f", "a", "len", "lp", "hp", "bp", "q", "duty", "ratio", "index",
                                  "vib", "gain", "seed", "hold", "decay", "bright"};
    for (const auto& kv : layer.keys) {
        if (std::find_if(std::begin(kKeys), std::end(kKeys), [&](const char* k) { return kv.first == k; }) ==
            std::end(kKeys)) {
            error = "line " + std::to_string(layer.line) + ": unknown key " + kv.first;
            return false;
        }
    }
    Envelope pitch, amp, lp, hp, bp, index;
    if (!EnvelopeKey(layer, "f", true, pitch, error) || !EnvelopeKey(layer, "a", false, amp, error) ||
        !EnvelopeKey(layer, "lp", true, lp, error) || !EnvelopeKey(layer, "hp", true, hp, error) ||
        !EnvelopeKey(layer, "bp", true, bp, error) || !EnvelopeKey(layer, "index", false, index, error)) {
        return false;
    }
    if (amp.Empty()) {
        error = "line " + std::to_string(layer.line) + ": a layer needs an amplitude envelope a=";
        return false;
    }
    if (pitch.Empty() && layer.kind != "noise") pitch.points.push_back({0.0, 440.0});
    const double at = Number(layer.keys, "at", 0.0);
    const double length = Number(layer.keys, "len", amp.End());
    const double q = Number(layer.keys, "q", 0.707);
    const double duty = std::clamp(Number(layer.keys, "duty", 0.5), 0.01, 0.99);
    const double ratio = Number(layer.keys, "ratio", 1.0);
    const double gain = Number(layer.keys, "gain", 1.0);
    const double hold = Number(layer.keys, "hold", 0.0);
    const double decay = Number(layer.keys, "decay", 0.996);
    const double bright = Number(layer.keys, "bright", 0.5);
    double vibRate = 0, vibDepth = 0;
    if (auto it = layer.keys.find("vib"); it != layer.keys.end()) {
        std::sscanf(it->second.c_str(), "%lf:%lf", &vibRate, &vibDepth);
    }
    Noise noise(static_cast<uint32_t>(Number(layer.keys, "seed", 7.0)));

    const size_t first = static_cast<size_t>(at * rate);
    const size_t count = static_cast<size_t>(length * rate);
    if (out.size() < first + count) out.resize(first + count, 0.0);

    Svf lowpass, highpass, bandpass;
    double phase = 0, modPhase = 0, held = 0, holdPhase = 1.0;
    std::vector<double> ring;  // pluck delay line
    size_t ringPos = 0;
    if (layer.kind == "pluck") {
        const double f0 = pitch.At(0.0);
        ring.assign(std::max<size_t>(2, static_cast<size_t>(rate / f0)), 0.0);
        Svf shape;
        shape.Set(300.0 + bright * 8000.0, 0.7, rate);
        for (double& v : ring) v = shape.Process(noise.Next());
        // The string starts centred, so it rings about zero as it decays.
        double mean = 0;
        for (double v : ring) mean += v;
        mean /= static_cast<double>(ring.size());
        for (double& v : ring) v -= mean;
    }
    // The layer's wave before its volume envelope: centred as a whole before
    // the envelope shapes it, so no layer starts or ends on an offset.
    std::vector<double> wave(count);
    for (size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        double f = pitch.Empty() ? 0.0 : pitch.At(t);
        if (vibRate > 0) f *= std::pow(2.0, vibDepth * std::sin(2 * kPi * vibRate * t) / 12.0);
        double v;
        if (layer.kind == "noise") {
            if (hold > 0) {
                holdPhase += hold / rate;
                if (holdPhase >= 1.0) {
                    holdPhase -= 1.0;
                    held = noise.Next();
                }
                v = held;
            } else {
                v = noise.Next();
            }
        } else if (layer.kind == "fm") {
            const double mod = std::sin(2 * kPi * modPhase) * (index.Empty() ? 1.0 : index.At(t));
            v = std::sin(2 * kPi * phase + mod);
            modPhase += f * ratio / rate;
        } else if (layer.kind == "pluck") {
            const size_t next = (ringPos + 1) % ring.size();
            v = ring[ringPos];
            ring[ringPos] = decay * 0.5 * (ring[ringPos] + ring[next]);
            ringPos = next;
        } else {
            v = Oscillator(layer.kind, phase, f / rate, duty);
        }
        phase += f / rate;
        if (phase > 1e6) phase -= std::floor(phase);
        if (!lp.Empty()) {
            lowpass.Set(lp.At(t), q, rate);
            v = lowpass.Process(v);
        }
        if (!hp.Empty()) {
            highpass.Set(hp.At(t), q, rate);
            highpass.Process(v);
            v = highpass.high;
        }
        if (!bp.Empty()) {
            bandpass.Set(bp.At(t), q, rate);
            bandpass.Process(v);
            v = bandpass.band;
        }
        wave[i] = v;
    }
    double mean = 0;
    for (double v : wave) mean += v;
    if (count > 0) mean /= static_cast<double>(count);
    for (size_t i = 0; i < count; ++i) {
        out[first + i] += (wave[i] - mean) * amp.At(static_cast<double>(i) / rate) * gain;
    }
    return true;
}

// The kinds of effect, each matched to one short-term loudness so that the
// sounds of a kind play equally loud whatever their peaks.
struct Kind {
    const char* name;
    double loudness;  // dB, as ShortTermLoudness measures
};
constexpr Kind kEffectKinds[] = {
    {"hit", -13.0},     // blows, shots, blasts
    {"pickup", -15.0},  // coins, items, rewards
    {"menu", -19.0},    // buttons and cursors
    {"world", -15.0},   // the player's moves, the stage, the bosses' voices
};
// A recipe may sit this far above or below its kind.
constexpr double kLevelRange = 1.5;
// No effect peaks above this.
constexpr double kCeilingDb = -1.0;
// Fades at the two ends of every effect.
constexpr double kFadeInSeconds = 0.002;
constexpr double kFadeOutSeconds = 0.008;
constexpr double kHighPassHz = 30.0;

bool RenderRecipe(const Recipe& r, const std::string& outDir, std::string& error, std::string& report) {
    static const char* kOptions[] = {"len", "kind", "level", "rate", "echo"};
    for (const auto& kv : r.options) {
        if (std::find_if(std::begin(kOptions), std::end(kOptions), [&](const char* k) { return kv.first == k; }) ==
            std::end(kOptions)) {
            error = "line " + std::to_string(r.line) + ": unknown option " + kv.first;
            return false;
        }
    }
    const int rate = static_cast<int>(Number(r.options, "rate", 22050));
    if (rate != 22050 && rate != 44100) {
        error = "line " + std::to_string(r.line) + ": rate must be 22050 or 44100";
        return false;
    }
    const Kind* kind = nullptr;
    if (auto it = r.options.find("kind"); it != r.options.end()) {
        for (const Kind& k : kEffectKinds)
            if (it->second == k.name) kind = &k;
    }
    if (!kind) {
        error = "line " + std::to_string(r.line) + ": effect " + r.name + " needs kind=hit, pickup, menu or world";
        return false;
    }
    const double level = Number(r.options, "level", 0.0);
    if (std::fabs(level) > kLevelRange) {
        error = "line " + std::to_string(r.line) + ": level must lie within 1.5 dB of the kind's loudness";
        return false;
    }
    std::vector<double> mix;
    for (const Layer& layer : r.layers) {
        if (!RenderLayer(layer, rate, mix, error)) return false;
    }
    if (auto it = r.options.find("len"); it != r.options.end()) {
        mix.resize(static_cast<size_t>(std::strtod(it->second.c_str(), nullptr) * rate), 0.0);
    }
    if (auto it = r.options.find("echo"); it != r.options.end()) {
        double delay = 0.1, feedback = 0.3, wet = 0.3;
        std::sscanf(it->second.c_str(), "%lf:%lf:%lf", &delay, &feedback, &wet);
        const size_t d = std::max<size_t>(1, static_cast<size_t>(delay * rate));
        std::vector<double> line(d, 0.0);
        size_t pos = 0;
        for (double& v : mix) {
            const double echoed = line[pos];
            line[pos] = v + echoed * feedback;
            pos = (pos + 1) % d;
            v += echoed * wet;
        }
    }
    if (mix.empty()) {
        error = "line " + std::to_string(r.line) + ": effect " + r.name + " is empty";
        return false;
    }
    // A layer swept or cut short under its envelope leaves a slow swell of
    // one sign (a thump, not a tone); what lies under the lowest tones of
    // the effects goes.
    Biquad rumble = Biquad::HighPass(kHighPassHz, rate);
    for (double& v : mix) v = rumble.Process(v);
    // Every effect starts and ends at zero.
    const size_t fadeIn = std::min(mix.size(), static_cast<size_t>(kFadeInSeconds * rate));
    for (size_t i = 0; i < fadeIn; ++i) {
        const double w = std::sin(0.5 * kPi * static_cast<double>(i) / static_cast<double>(fadeIn));
        mix[i] *= w * w;
    }
    const size_t fadeOut = std::min(mix.size(), static_cast<size_t>(kFadeOutSeconds * rate));
    for (size_t i = 0; i < fadeOut; ++i) {
        const double w = std::sin(0.5 * kPi * static_cast<double>(i) / static_cast<double>(fadeOut));
        mix[mix.size() - 1 - i] *= w * w;
    }

    const double loudness = ShortTermLoudness(mix, rate);
    const double gain = DbToGain(kind->loudness + level - loudness);
    const double peakDb = PeakDb(mix, gain);
    if (peakDb > kCeilingDb) {
        char msg[200];
        std::snprintf(msg, sizeof msg, "line %d: effect %s would peak at %.1f dBFS at its kind's loudness; soften its attack",
                      r.line, r.name.c_str(), peakDb);
        error = msg;
        return false;
    }
    const std::vector<int16_t> pcm = ScaledPcm16(mix, gain);
    const int resource = static_cast<int>(r.soundId & 0xFFFF);
    const std::string path = outDir + "/wave_" + std::to_string(resource) + ".wav";
    if (!WriteWave(path, 1, rate, pcm)) {
        error = "cannot write " + path;
        return false;
    }
    char line[160];
    std::snprintf(line, sizeof line, "slot %2d  %ld  %-16s %-6s %.3f s  peak %5.1f dBFS\n", r.slot, r.soundId,
                  r.name.c_str(), kind->name, static_cast<double>(mix.size()) / rate, peakDb);
    report += line;
    return true;
}

}  // namespace

bool RenderEffects(const std::string& recipePath, const std::string& outDir, std::string& error,
                   std::string& report) {
    std::ifstream in(recipePath);
    if (!in) {
        error = "cannot read " + recipePath;
        return false;
    }
    std::vector<Recipe> recipes;
    Recipe* open = nullptr;
    std::string text;
    int lineNo = 0;
    while (std::getline(in, text)) {
        ++lineNo;
        std::istringstream ls(text);
        std::string word;
        if (!(ls >> word) || word[0] == '#') continue;
        if (word == "effect") {
            if (open) {
                error = "line " + std::to_string(lineNo) + ": effect inside effect";
                return false;
            }
            Recipe r;
            r.line = lineNo;
            if (!(ls >> r.slot >> r.soundId >> r.name) || !SplitKeyValues(ls, r.options)) {
                error = "line " + std::to_string(lineNo) + ": expected: effect SLOT SOUNDID NAME [options]";
                return false;
            }
            recipes.push_back(r);
            open = &recipes.back();
        } else if (word == "end") {
            if (!open) {
                error = "line " + std::to_string(lineNo) + ": end without effect";
                return false;
            }
            open = nullptr;
        } else {
            if (!open) {
                error = "line " + std::to_string(lineNo) + ": layer outside an effect";
                return false;
            }
            Layer layer;
            layer.kind = word;
            layer.line = lineNo;
            if (!SplitKeyValues(ls, layer.keys)) {
                error = "line " + std::to_string(lineNo) + ": expected key=value pairs";
                return false;
            }
            open->layers.push_back(layer);
        }
    }
    if (open) {
        error = "effect " + open->name + " has no end";
        return false;
    }
    std::map<int, const Recipe*> slots;
    for (const Recipe& r : recipes) {
        if (r.slot < 0 || r.slot >= kEffectSlotCount || slots.count(r.slot)) {
            error = "line " + std::to_string(r.line) + ": slot " + std::to_string(r.slot) + " is out of range or repeated";
            return false;
        }
        slots[r.slot] = &r;
    }
    for (int slot = 0; slot < kEffectSlotCount; ++slot) {
        if (!slots.count(slot)) {
            error = "no recipe for effect slot " + std::to_string(slot);
            return false;
        }
    }
    for (const Recipe& r : recipes) {
        if (!RenderRecipe(r, outDir, error, report)) return false;
    }
    return true;
}

}  // namespace soundgen
