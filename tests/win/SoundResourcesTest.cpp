// The game's sounds as a player hears them: every effect starts and ends at
// zero without an offset, none clips, the effects of one kind are equally
// loud, and the music loops without a dropout or a step. Loudness is
// measured as the sound maker's own meter does (checked on its own).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Synth.h"
#include "platform/AudioMixer.h"
#include "platform/MidiPlayer.h"
#include "win/Resource.h"
#include "win/SoundManager.h"
#include "win/SoundTables.h"

namespace {

struct Pcm {
    int rate = 0;
    int channels = 0;
    std::vector<double> samples;  // interleaved, -1 .. 1
    size_t Frames() const { return channels ? samples.size() / channels : 0; }
};

Pcm LoadWave(int resource) {
    Pcm pcm;
    const ResourceBlob blob = FindResourceBlob(ResourceType::Wave, resource);
    platform::WaveView w;
    if (!blob || !platform::ParseWave(blob.data, blob.size, w) || w.format.bitsPerSample != 16) return pcm;
    pcm.rate = static_cast<int>(w.format.samplesPerSec);
    pcm.channels = w.format.channels;
    pcm.samples.resize(w.dataBytes / 2);
    for (size_t i = 0; i < pcm.samples.size(); ++i) {
        int16_t v;
        std::memcpy(&v, blob.data + w.dataOffset + 2 * i, 2);
        pcm.samples[i] = v / 32768.0;
    }
    return pcm;
}

double Db(double amplitude) { return 20.0 * std::log10(std::max(amplitude, 1e-9)); }

// The loudness of a stereo piece as a whole (the two channels' K-weighted
// mean squares summed), in dB.
double PieceLoudness(const std::vector<double>& left, const std::vector<double>& right, int rate) {
    double sum = 0;
    for (const std::vector<double>* ch : {&left, &right})
        for (double v : soundgen::KWeighted(*ch, rate)) sum += v * v;
    return 10.0 * std::log10(std::max(sum / static_cast<double>(left.size()), 1e-12));
}

// What of a signal lies under `cutoff`: a fourth-order Butterworth low-pass
// run forward and backward, so that it keeps the offset where it lies.
std::vector<double> SlowPart(std::vector<double> x, int rate, double cutoff) {
    const double pi = 3.14159265358979323846, k = std::tan(pi * cutoff / rate);
    for (int pass = 0; pass < 2; ++pass) {
        for (double q : {0.5411961, 1.3065630}) {
            const double n = 1.0 / (1.0 + k / q + k * k);
            const double b0 = k * k * n, a1 = 2.0 * (k * k - 1.0) * n, a2 = (1.0 - k / q + k * k) * n;
            double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
            for (double& v : x) {
                const double y = b0 * (v + 2.0 * x1 + x2) - a1 * y1 - a2 * y2;
                x2 = x1, x1 = v, y2 = y1, y1 = y;
                v = y;
            }
        }
        std::reverse(x.begin(), x.end());
    }
    return x;
}

// The effect kinds, as the effect recipes name them (slots in order).
std::map<std::string, std::vector<int>> EffectKinds() {
    std::map<std::string, std::vector<int>> kinds;
    const char* hits = "0 1 2 7 8 12 14 15 16 17 18 19 20 21 22 24 25 26 27 29 30 31 47 53 58 59 60 61 62 77";
    const char* pickups = "39 40 43 44 45 46 67 71 72 73 74";
    const char* menus = "35 36 37 38";
    auto parse = [](const char* list) {
        std::vector<int> slots;
        for (const char* p = list; *p;) {
            slots.push_back(static_cast<int>(std::strtol(p, const_cast<char**>(&p), 10)));
            while (*p == ' ') ++p;
        }
        return slots;
    };
    kinds["hit"] = parse(hits);
    kinds["pickup"] = parse(pickups);
    kinds["menu"] = parse(menus);
    for (int slot = 0; slot < kSoundEffectCount; ++slot) {
        bool named = false;
        for (const auto& [name, slots] : kinds)
            named = named || std::find(slots.begin(), slots.end(), slot) != slots.end();
        if (!named) kinds["world"].push_back(slot);
    }
    return kinds;
}

class EffectSounds : public ::testing::Test {
protected:
    static Pcm Effect(int slot) { return LoadWave(SoundResourceId(SoundEffectTable[slot])); }
};

// Bounds (in full-scale units): the first and last sample lie within -54
// dBFS of zero, and in the 2 ms at each end the level grows from there no
// faster than to the effect's peak in 1 ms; no 20 ms window carries an
// offset (what passes a 20 Hz low-pass) beyond -40 dBFS; no sample comes
// within 1 dB of full scale.
constexpr double kEdgeBound = 0.002;
constexpr double kWindowMeanBound = 0.01;
constexpr double kCeiling = 0.891;  // -1 dBFS

TEST_F(EffectSounds, EveryEffectStartsAndEndsAtZeroWithoutAnOffset) {
    for (int slot = 0; slot < kSoundEffectCount; ++slot) {
        SCOPED_TRACE("effect slot " + std::to_string(slot));
        const Pcm pcm = Effect(slot);
        ASSERT_EQ(pcm.channels, 1);
        const std::vector<double>& x = pcm.samples;
        const size_t edge = static_cast<size_t>(pcm.rate * 0.002);
        ASSERT_GT(x.size(), 10 * edge);
        double peak = 0;
        for (double v : x) peak = std::max(peak, std::fabs(v));
        EXPECT_LE(std::fabs(x.front()), kEdgeBound);
        EXPECT_LE(std::fabs(x.back()), kEdgeBound);
        for (size_t i = 0; i < edge; ++i) {
            const double bound = kEdgeBound + peak * 2.0 * static_cast<double>(i) / static_cast<double>(edge);
            EXPECT_LE(std::fabs(x[i]), bound) << "sample " << i << " from the start";
            EXPECT_LE(std::fabs(x[x.size() - 1 - i]), bound) << "sample " << i << " from the end";
        }
        const std::vector<double> slow = SlowPart(x, pcm.rate, 20.0);
        const size_t window = static_cast<size_t>(pcm.rate * 0.02);
        double worst = 0;
        size_t worstAt = 0;
        for (size_t start = 0; start + window <= x.size(); start += window / 4) {
            double sum = 0;
            for (size_t i = start; i < start + window; ++i) sum += slow[i];
            if (std::fabs(sum / window) > worst) worst = std::fabs(sum / window), worstAt = start;
        }
        EXPECT_LE(worst, kWindowMeanBound) << "mean " << Db(worst) << " dBFS in the 20 ms from "
                                           << 1000.0 * worstAt / pcm.rate << " ms";
        EXPECT_LE(peak, kCeiling) << "peak " << Db(peak) << " dBFS";
    }
}

TEST_F(EffectSounds, EveryEffectIsHeardOnSmallSpeakers) {
    // Laptop speakers give back little under 150 Hz: no effect keeps more
    // than kLowShare of its energy there (a thump carries a short attack
    // between 1 and 4 kHz).
    constexpr double kLowShare = 0.7;
    for (int slot = 0; slot < kSoundEffectCount; ++slot) {
        const Pcm pcm = Effect(slot);
        const std::vector<double> low = SlowPart(pcm.samples, pcm.rate, 150.0);
        double all = 0, under = 0;
        for (size_t i = 0; i < low.size(); ++i) all += pcm.samples[i] * pcm.samples[i], under += low[i] * low[i];
        ASSERT_GT(all, 0.0) << "effect slot " << slot;
        EXPECT_LE(under / all, kLowShare) << "effect slot " << slot;
    }
}

// What lies above `cutoff` in a signal: a fourth-order Butterworth high-pass.
std::vector<double> HighPart(std::vector<double> x, int rate, double cutoff) {
    const double pi = 3.14159265358979323846, k = std::tan(pi * cutoff / rate);
    for (double q : {0.5411961, 1.3065630}) {
        const double n = 1.0 / (1.0 + k / q + k * k);
        const double a1 = 2.0 * (k * k - 1.0) * n, a2 = (1.0 - k / q + k * k) * n;
        double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
        for (double& v : x) {
            const double y = n * (v - 2.0 * x1 + x2) - a1 * y1 - a2 * y2;
            x2 = x1, x1 = v, y2 = y1, y1 = y;
            v = y;
        }
    }
    return x;
}

// What a laptop's speakers play of an effect: the part above 300 Hz,
// measured as the loudness meter hears it (the loudest 50 ms, K-weighted),
// in dB.
double SpeakerLoudness(const Pcm& pcm) {
    return soundgen::ShortTermLoudness(HighPart(pcm.samples, pcm.rate, 300.0), pcm.rate);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

// The effects by family: sounds of one nature, each family within one
// loudness kind (every slot in exactly one family).
struct EffectFamily {
    const char* name;
    std::vector<int> slots;
};
const std::vector<EffectFamily>& EffectFamilies() {
    static const std::vector<EffectFamily> families = {
        {"blows", {14, 15, 16, 24, 25, 26, 27, 29, 30, 58, 59, 60}},
        {"blasts", {17, 18, 19, 20, 21, 22, 31, 47, 53, 77}},
        {"blades and shots", {0, 1, 2, 7, 8, 12, 61, 62}},
        {"menu", {35, 36, 37, 38}},
        {"rewards", {39, 40, 43, 44, 45, 46, 67, 71, 72, 73, 74}},
        {"moves", {3, 5, 6, 10, 11, 13, 23, 32, 33, 34, 41, 42, 65}},
        {"thumps and landings", {4, 48, 56, 57, 66, 69, 70, 76}},
        {"hums and ambience", {49, 50, 52, 55, 63, 79}},
        {"calls, bells and magic", {9, 28, 51, 54, 64, 68, 75, 78, 80}},
    };
    return families;
}

TEST_F(EffectSounds, EffectsOfOneFamilyCarryAlikeOnALaptopsSpeakers) {
    // Bounds: on a laptop's speakers (above 300 Hz, loudest 50 ms) every
    // effect lies within 3 dB of its family's median, and a family's median
    // lies at most 3 dB under the family's median loudness on full-range
    // speakers: a thump reads through its attack, harmonics and knock, a hum
    // through its buzz, the spring through its twang.
    constexpr double kFromFamily = 3.0;
    constexpr double kUnderFullRange = 3.0;
    std::vector<int> seen(kSoundEffectCount, 0);
    for (const EffectFamily& family : EffectFamilies()) {
        SCOPED_TRACE(family.name);
        std::vector<double> speaker, full;
        for (int slot : family.slots) {
            ASSERT_TRUE(slot >= 0 && slot < kSoundEffectCount);
            ++seen[slot];
            const Pcm pcm = Effect(slot);
            ASSERT_FALSE(pcm.samples.empty()) << "effect slot " << slot;
            speaker.push_back(SpeakerLoudness(pcm));
            full.push_back(soundgen::ShortTermLoudness(pcm.samples, pcm.rate));
        }
        const double median = Median(speaker);
        for (size_t i = 0; i < family.slots.size(); ++i) {
            EXPECT_NEAR(speaker[i], median, kFromFamily)
                << "effect slot " << family.slots[i] << " on a laptop's speakers, against its family's median";
        }
        EXPECT_GE(median, Median(full) - kUnderFullRange) << "the family's median on a laptop's speakers";
    }
    for (int slot = 0; slot < kSoundEffectCount; ++slot) EXPECT_EQ(seen[slot], 1) << "effect slot " << slot;
}

TEST_F(EffectSounds, NoEffectIsABareLowTone) {
    // Those speakers are still weak up to 600 Hz: every effect carries
    // overtones above it (an eighth-order high-pass) no more than 15 dB
    // under its own loudness. A boing that is a bare 180-330 Hz tone lies
    // 40 dB under; one with its twang lies 7 dB under. The player's moves
    // (jump, landing, step, dash, wall grab, leap, whirl) carry a bright
    // edge besides: what lies between 1 and 4 kHz no more than 6 dB under.
    // A jump that is a bare 260-640 Hz sweep lies 21 dB under there.
    struct Band {
        const char* name;
        double low, high;  // Hz; no upper edge when `high` is 0
        std::vector<int> slots;
        double under;
    };
    std::vector<int> every(kSoundEffectCount);
    for (int slot = 0; slot < kSoundEffectCount; ++slot) every[slot] = slot;
    const Band bands[] = {
        {"overtones over 600 Hz", 600.0, 0.0, every, 15.0},
        {"the player's moves between 1 and 4 kHz", 1000.0, 4000.0, {3, 4, 5, 6, 11, 13, 65}, 6.0},
    };
    for (const Band& band : bands) {
        SCOPED_TRACE(band.name);
        for (int slot : band.slots) {
            const Pcm pcm = Effect(slot);
            ASSERT_FALSE(pcm.samples.empty()) << "effect slot " << slot;
            std::vector<double> part = HighPart(HighPart(pcm.samples, pcm.rate, band.low), pcm.rate, band.low);
            if (band.high > 0) part = SlowPart(part, pcm.rate, band.high);
            EXPECT_GE(soundgen::ShortTermLoudness(part, pcm.rate),
                      soundgen::ShortTermLoudness(pcm.samples, pcm.rate) - band.under)
                << "effect slot " << slot;
        }
    }
}

TEST_F(EffectSounds, EffectsOfOneKindAreEquallyLoud) {
    // Within a kind the loudest and the quietest effect lie at most 3 dB
    // apart, and the kinds keep their order: blows over pick-ups and the
    // world, menu sounds under them all.
    std::map<std::string, double> middle;
    for (const auto& [kind, slots] : EffectKinds()) {
        SCOPED_TRACE(kind);
        double lo = 1e9, hi = -1e9;
        int loSlot = -1, hiSlot = -1;
        for (int slot : slots) {
            const Pcm pcm = Effect(slot);
            const double l = soundgen::ShortTermLoudness(pcm.samples, pcm.rate);
            if (l < lo) lo = l, loSlot = slot;
            if (l > hi) hi = l, hiSlot = slot;
        }
        EXPECT_LE(hi - lo, 3.0) << "slot " << hiSlot << " at " << hi << " dB, slot " << loSlot << " at " << lo
                                << " dB";
        middle[kind] = (hi + lo) / 2;
    }
    EXPECT_GT(middle["hit"], middle["pickup"]);
    EXPECT_GT(middle["world"], middle["menu"]);
    EXPECT_GT(middle["pickup"], middle["menu"]);
}

}  // namespace

namespace {

// The music as the stream plays it: from the start to the loop end once,
// then from the loop start to the loop end again and again.
class MusicSeams : public ::testing::Test {
protected:
    struct Seam {
        std::vector<double> left, right;  // 0.3 s before the seam, 0.3 s after
        size_t at = 0;                    // first frame after the seam
    };
    static Seam Join(const Pcm& pcm, size_t beforeEnd, size_t afterStart) {
        const size_t span = static_cast<size_t>(0.3 * pcm.rate);
        Seam s;
        for (size_t f = beforeEnd - span; f < beforeEnd; ++f) {
            s.left.push_back(pcm.samples[2 * f]);
            s.right.push_back(pcm.samples[2 * f + 1]);
        }
        s.at = s.left.size();
        for (size_t f = afterStart; f < afterStart + span; ++f) {
            s.left.push_back(pcm.samples[2 * f]);
            s.right.push_back(pcm.samples[2 * f + 1]);
        }
        return s;
    }

    // The quietest 10 ms within 60 ms of the seam against the median 10 ms
    // of the whole 0.6 s, in dB (0 or above: no dip at the seam).
    static double DipDb(const Seam& s, int rate) {
        const size_t window = static_cast<size_t>(rate / 100);
        std::vector<double> levels;
        double quietest = 1e9;
        for (size_t start = 0; start + window <= s.left.size(); start += window / 2) {
            double sum = 0;
            for (size_t i = start; i < start + window; ++i) sum += s.left[i] * s.left[i] + s.right[i] * s.right[i];
            const double level = 10.0 * std::log10(std::max(sum / (2.0 * window), 1e-12));
            levels.push_back(level);
            const size_t middle = start + window / 2;
            if (middle + rate * 0.06 >= s.at && middle <= s.at + rate * 0.06) quietest = std::min(quietest, level);
        }
        std::sort(levels.begin(), levels.end());
        return quietest - levels[levels.size() / 2];
    }

    // The jump between the two samples that meet at the seam, against the
    // largest jump between neighbours elsewhere in the 0.6 s.
    static double StepRatio(const Seam& s) {
        double largest = 0, seam = 0;
        for (const std::vector<double>* ch : {&s.left, &s.right}) {
            for (size_t i = 1; i < ch->size(); ++i) {
                const double jump = std::fabs((*ch)[i] - (*ch)[i - 1]);
                if (i == s.at) seam = std::max(seam, jump);
                else largest = std::max(largest, jump);
            }
        }
        return seam / largest;
    }
};

TEST_F(MusicSeams, IntroRingsIntoTheLoopAndTheLoopJoinsItsStart) {
    int checked = 0;
    for (int entry = 0; entry < kMusicEntryCount; ++entry) {
        const MusicTableRow& row = MusicTable[entry];
        if (std::strcmp(row.type, "WAVE") != 0) continue;
        const Pcm pcm = LoadWave(SoundResourceId(static_cast<int32_t>(row.soundId)));
        if (pcm.samples.empty()) continue;  // a row without a piece
        SCOPED_TRACE("music entry " + std::to_string(entry));
        ASSERT_EQ(pcm.channels, 2);
        const size_t loopStart = static_cast<size_t>(row.loopStart) / 4, loopEnd = static_cast<size_t>(row.loopEnd) / 4;
        ASSERT_LE(loopEnd, pcm.Frames());
        ASSERT_GT(loopStart, static_cast<size_t>(0.3 * pcm.rate));
        const Seam first = Join(pcm, loopStart, loopStart);
        const Seam again = Join(pcm, loopEnd, loopStart);
        for (const Seam* s : {&first, &again}) {
            const char* which = s == &first ? "intro into the loop" : "loop end into the loop start";
            EXPECT_GT(DipDb(*s, pcm.rate), -20.0) << which;
            EXPECT_LT(StepRatio(*s), 1.0) << which;
        }
        ++checked;
    }
    EXPECT_EQ(checked, 2);
}

TEST_F(MusicSeams, PiecesAreBalancedAndCarryNoRumbleOrOffset) {
    // Left and right within 0.5 dB of each other over the whole piece, and
    // what lies under 10 Hz (an offset, a drift) stays 40 dB under the
    // piece's level.
    for (int entry = 0; entry < kMusicEntryCount; ++entry) {
        const MusicTableRow& row = MusicTable[entry];
        const Pcm pcm = LoadWave(SoundResourceId(static_cast<int32_t>(row.soundId)));
        if (std::strcmp(row.type, "WAVE") != 0 || pcm.samples.empty()) continue;
        SCOPED_TRACE("music entry " + std::to_string(entry));
        std::vector<double> left(pcm.Frames()), right(pcm.Frames()), mid(pcm.Frames());
        double sumL = 0, sumR = 0;
        for (size_t f = 0; f < pcm.Frames(); ++f) {
            left[f] = pcm.samples[2 * f];
            right[f] = pcm.samples[2 * f + 1];
            mid[f] = 0.5 * (left[f] + right[f]);
            sumL += left[f] * left[f];
            sumR += right[f] * right[f];
        }
        EXPECT_NEAR(10.0 * std::log10(sumR / sumL), 0.0, 0.5);
        double level = 0, slowLevel = 0;
        const std::vector<double> slow = SlowPart(mid, pcm.rate, 10.0);
        for (size_t f = 0; f < mid.size(); ++f) level += mid[f] * mid[f], slowLevel += slow[f] * slow[f];
        EXPECT_LT(10.0 * std::log10(slowLevel / level), -40.0);
    }
}

}  // namespace

namespace {

// How much the game turns an entry of the music table down at the default
// music volume, in dB (the entry's own volume times the setting, capped at
// full volume, as the sound manager plays it).
double MixDb(const MusicTableRow& row) {
    const int32_t percent =
        std::min(static_cast<int32_t>(row.volume) * CSoundManager::kDefaultVolume / 100, 100);
    return CSoundManager::VolumeToDecibels(percent) / 100.0;
}

TEST(MusicLevels, TheMidiPieceIsAsLoudAsEachRenderedPieceInTheGamesMix) {
    // In the game's mix at the default music volume, the stage-clear piece
    // through the synthesiser lies within 1 dB of every rendered piece.
    const std::string font = platform::FindSoundFont();
    if (font.empty()) GTEST_SKIP() << "no soundfont installed";
    std::vector<std::pair<int, double>> rendered;  // entry, loudness in the mix
    int midiEntry = -1;
    for (int entry = 0; entry < kMusicEntryCount; ++entry) {
        const MusicTableRow& row = MusicTable[entry];
        if (std::strcmp(row.type, "MIDI") == 0) midiEntry = entry;
        const Pcm pcm = LoadWave(SoundResourceId(static_cast<int32_t>(row.soundId)));
        if (std::strcmp(row.type, "WAVE") != 0 || pcm.samples.empty()) continue;
        std::vector<double> left(pcm.Frames()), right(pcm.Frames());
        for (size_t f = 0; f < pcm.Frames(); ++f) left[f] = pcm.samples[2 * f], right[f] = pcm.samples[2 * f + 1];
        rendered.emplace_back(entry, PieceLoudness(left, right, pcm.rate) + MixDb(row));
    }
    ASSERT_GE(rendered.size(), 2u);
    ASSERT_GE(midiEntry, 0);
    const MusicTableRow& row = MusicTable[midiEntry];
    const ResourceBlob blob = FindResourceBlob(ResourceType::Midi, SoundResourceId(static_cast<int32_t>(row.soundId)));
    ASSERT_TRUE(blob);
    std::shared_ptr<platform::MidiSong> song = platform::MidiSong::Parse(blob.data, blob.size);
    ASSERT_TRUE(song);
    ASSERT_TRUE(song->SetStartPoint(row.start));
    ASSERT_TRUE(song->SetLoopPoints(row.loopStart, row.loopEnd));
    song->SetRepeats(-1);
    std::mutex mutex;
    platform::MidiPlayer player(mutex, platform::kAudioOutputRate);
    player.Prepare();
    player.SetVolume(static_cast<int32_t>(std::lround(MixDb(row) * 100.0)));
    ASSERT_TRUE(player.Play(song));
    const int frames = platform::kAudioOutputRate * 30;
    std::vector<float> out(static_cast<size_t>(frames) * 2, 0.0f);
    for (int done = 0; done < frames; done += 441) player.Render(out.data() + 2 * done, 441);
    std::vector<double> left(frames), right(frames);
    double peak = 0;
    for (int f = 0; f < frames; ++f) {
        left[f] = out[2 * f], right[f] = out[2 * f + 1];
        peak = std::max({peak, std::fabs(left[f]), std::fabs(right[f])});
    }
    const double midi = PieceLoudness(left, right, platform::kAudioOutputRate);
    for (const auto& [entry, loudness] : rendered)
        EXPECT_NEAR(midi, loudness, 1.0) << "music entry " << entry << " against the stage-clear piece";
    EXPECT_LT(peak, 0.95);
}

}  // namespace
