// Plays the game's sounds one after another so a person can hear them:
// every effect slot in order, then every music entry for a while.
//
//   listen [--effects] [--music] [--slot N] [--entry N] [--seconds S]
//          [--seam] [--wav FILE]
//
// --effects / --music   only that half (both by default)
// --slot N, --entry N   only that effect slot or music entry
// --seconds S           how long each music entry plays (default 20)
// --seam                WAVE music starts 5 s before its loop end, so the
//                       jump back to the loop start is heard
// --wav FILE            render into a 16-bit stereo WAVE file instead of
//                       playing (for measuring, no audio device needed)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/AudioMixer.h"
#include "platform/Clock.h"
#include "win/Resource.h"
#include "win/SoundManager.h"
#include "win/SoundTables.h"

namespace {

struct Options {
    bool effects = true;
    bool music = true;
    int slot = -1;
    int entry = -1;
    double seconds = 20.0;
    bool seam = false;
    std::string wav;
};

std::vector<int16_t> g_rendered;

// Lets `seconds` of sound go by, with the sound update running as in the
// game's main loop.
void Pass(const Options& o, double seconds) {
    CSoundManager* sm = CSoundManager::GetInstance();
    if (!o.wav.empty()) {
        size_t frames = static_cast<size_t>(seconds * platform::kAudioOutputRate);
        while (frames > 0) {
            const int n = static_cast<int>(frames < 441 ? frames : 441);
            const size_t at = g_rendered.size();
            g_rendered.resize(at + static_cast<size_t>(n) * 2);
            platform::AudioMixer::GetInstance()->Mix(g_rendered.data() + at, n);
            sm->Update();
            frames -= static_cast<size_t>(n);
        }
        return;
    }
    const uint32_t end = timeGetTime() + static_cast<uint32_t>(seconds * 1000.0);
    while (static_cast<int32_t>(end - timeGetTime()) > 0) {
        sm->Update();
        platform::SleepMs(5);
    }
}

double EffectSeconds(int slot) {
    const ResourceBlob blob = FindResourceBlob(ResourceType::Wave, SoundResourceId(SoundEffectTable[slot]));
    platform::WaveView w;
    if (!blob || !platform::ParseWave(blob.data, blob.size, w) || w.format.avgBytesPerSec == 0) return 0.0;
    return static_cast<double>(w.dataBytes) / w.format.avgBytesPerSec;
}

bool WriteWave(const std::string& path, const std::vector<int16_t>& samples) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const uint32_t bytes = static_cast<uint32_t>(samples.size() * 2);
    auto put32 = [&](uint32_t v) { std::fwrite(&v, 4, 1, f); };
    auto put16 = [&](uint16_t v) { std::fwrite(&v, 2, 1, f); };
    std::fwrite("RIFF", 1, 4, f);
    put32(36 + bytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    put32(16);
    put16(1);
    put16(2);
    put32(platform::kAudioOutputRate);
    put32(platform::kAudioOutputRate * 4);
    put16(4);
    put16(16);
    std::fwrite("data", 1, 4, f);
    put32(bytes);
    std::fwrite(samples.data(), 2, samples.size(), f);
    return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--effects") {
            o.music = false;
        } else if (a == "--music") {
            o.effects = false;
        } else if (a == "--slot" && hasValue) {
            o.slot = std::atoi(argv[++i]);
            o.music = false;
        } else if (a == "--entry" && hasValue) {
            o.entry = std::atoi(argv[++i]);
            o.effects = false;
        } else if (a == "--seconds" && hasValue) {
            o.seconds = std::atof(argv[++i]);
        } else if (a == "--seam") {
            o.seam = true;
        } else if (a == "--wav" && hasValue) {
            o.wav = argv[++i];
        } else {
            std::fprintf(stderr,
                         "usage: listen [--effects] [--music] [--slot N] [--entry N] [--seconds S] [--seam] "
                         "[--wav FILE]\n");
            return 2;
        }
    }
    if (!o.wav.empty()) platform::AudioMixer::GetInstance()->UseManualOutput();
    CSoundManager* sm = CSoundManager::GetInstance();
    if (!sm->Init()) {
        std::fprintf(stderr, "listen: no audio output\n");
        return 1;
    }
    LoadStageClearMidi();

    if (o.effects) {
        for (int slot = 0; slot < kSoundEffectCount; ++slot) {
            if (o.slot >= 0 && slot != o.slot) continue;
            std::printf("effect slot %2d  (sound %d)\n", slot, SoundEffectTable[slot]);
            std::fflush(stdout);
            sm->PlaySE(slot, 0);
            Pass(o, EffectSeconds(slot) + 0.4);
        }
    }
    if (o.music) {
        for (int entry = 0; entry < kMusicEntryCount; ++entry) {
            if (o.entry >= 0 && entry != o.entry) continue;
            const MusicTableRow& row = MusicTable[entry];
            const bool wave = std::strcmp(row.type, "WAVE") == 0;
            const int playing = sm->GetPlayingMusic();
            StopMusic();
            if (wave && o.seam) {
                // Five seconds before the loop end, at the row's volume.
                const int64_t start = row.loopEnd - 5 * 176400;
                sm->LoadMusic(entry, start > 0 ? start : 0, static_cast<int32_t>(row.soundId), row.type, 1.0f,
                              row.loopStart, row.loopEnd);
                sm->SetEntryVolume(entry, static_cast<int32_t>(row.volume));
                sm->StartMusic(entry);
            } else {
                PlayMusic(entry);
            }
            if (playing != -1) sm->ReleaseMusic(playing);
            const bool heard = sm->GetPlayingMusic() == entry;
            std::printf("music entry %2d  (%s %lld)%s\n", entry, row.type, static_cast<long long>(row.soundId),
                        heard ? "" : "  no piece: silence");
            std::fflush(stdout);
            if (heard) Pass(o, o.seconds);
        }
        StopMusic();
        Pass(o, 0.5);
    }
    if (!o.wav.empty() && !WriteWave(o.wav, g_rendered)) {
        std::fprintf(stderr, "listen: cannot write %s\n", o.wav.c_str());
        return 1;
    }
    return 0;
}
