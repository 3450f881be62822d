#include "platform/MidiPlayer.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/AudioMixer.h"

namespace platform {
namespace {

constexpr int kRenderSlice = 64;  // frames between event checks (1.5 ms)
// A synthesiser rests once it has had no voice and given out nothing above
// this level (120 dB below full scale, far under a 16-bit step) for this
// many frames (93 ms).
constexpr float kRestLevel = 1e-6f;
constexpr int kRestAfterFrames = 4096;

uint32_t ReadBig32(const uint8_t* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | p[3];
}
uint16_t ReadBig16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

// Bounded reader over one track.
struct TrackReader {
    const uint8_t* p;
    const uint8_t* end;
    bool ok = true;

    bool AtEnd() const { return p >= end; }
    uint8_t Byte() {
        if (p >= end) {
            ok = false;
            return 0;
        }
        return *p++;
    }
    uint32_t VarLen() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const uint8_t b = Byte();
            v = (v << 7) | (b & 0x7Fu);
            if (!(b & 0x80u)) return v;
        }
        ok = false;
        return v;
    }
    void Skip(uint32_t n) {
        if (static_cast<size_t>(end - p) < n) {
            ok = false;
            p = end;
            return;
        }
        p += n;
    }
};

bool ParseTrack(const uint8_t* data, size_t size, std::vector<MidiEvent>& events, uint32_t& length) {
    TrackReader r{data, data + size};
    uint32_t tick = 0;
    uint8_t running = 0;
    while (!r.AtEnd() && r.ok) {
        const uint32_t delta = r.VarLen();
        if (!r.ok) return false;
        if (delta > 0x0FFFFFFFu || tick > 0x0FFFFFFFu) return false;
        tick += delta;
        uint8_t status = r.Byte();
        if (status == 0xFF) {
            const uint8_t type = r.Byte();
            const uint32_t len = r.VarLen();
            if (!r.ok) return false;
            if (type == 0x51 && len == 3) {
                MidiEvent e;
                e.tick = tick;
                e.status = 0xFF;
                e.data1 = 0x51;
                const uint32_t a = r.Byte(), b = r.Byte(), c = r.Byte();
                e.tempo = (a << 16) | (b << 8) | c;
                if (e.tempo == 0) e.tempo = 1;
                events.push_back(e);
            } else {
                r.Skip(len);
            }
            if (type == 0x2F) break;  // end of track
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            r.Skip(r.VarLen());
            continue;
        }
        uint8_t first;
        if (status & 0x80) {
            if (status >= 0xF0) return false;  // no other system messages in a file
            running = status;
            first = r.Byte();
        } else {
            if (!running) return false;
            first = status;
            status = running;
        }
        MidiEvent e;
        e.tick = tick;
        e.status = status;
        e.data1 = first & 0x7F;
        const uint8_t kind = status & 0xF0;
        if (kind != 0xC0 && kind != 0xD0) e.data2 = r.Byte() & 0x7F;
        if (!r.ok) return false;
        events.push_back(e);
    }
    length = std::max(length, tick);
    return r.ok;
}

class FluidSink : public MidiSink {
public:
    FluidSink(fluid_settings_t* settings, fluid_synth_t* synth) : m_settings(settings), m_synth(synth) {}
    ~FluidSink() override {
        delete_fluid_synth(m_synth);
        delete_fluid_settings(m_settings);
    }
    void Send(uint8_t status, uint8_t d1, uint8_t d2) override {
        const int ch = status & 0x0F;
        switch (status & 0xF0) {
            case 0x80: fluid_synth_noteoff(m_synth, ch, d1); break;
            case 0x90:
                if (d2 == 0) {
                    fluid_synth_noteoff(m_synth, ch, d1);
                } else {
                    fluid_synth_noteon(m_synth, ch, d1, d2);
                }
                break;
            case 0xA0: fluid_synth_key_pressure(m_synth, ch, d1, d2); break;
            case 0xB0: fluid_synth_cc(m_synth, ch, d1, d2); break;
            case 0xC0: fluid_synth_program_change(m_synth, ch, d1); break;
            case 0xD0: fluid_synth_channel_pressure(m_synth, ch, d1); break;
            case 0xE0: fluid_synth_pitch_bend(m_synth, ch, d1 | (d2 << 7)); break;
            default: break;
        }
    }
    void Render(float* left, float* right, int frames) override {
        fluid_synth_write_float(m_synth, frames, left, 0, 1, right, 0, 1);
    }
    void Reset() override { fluid_synth_system_reset(m_synth); }
    int ActiveVoices() const override { return fluid_synth_get_active_voice_count(m_synth); }

private:
    fluid_settings_t* m_settings;
    fluid_synth_t* m_synth;
};

}  // namespace

// ---------------------------------------------------------------------------
// Songs

std::shared_ptr<MidiSong> MidiSong::Parse(const uint8_t* data, size_t size) {
    if (!data || size < 14 || std::memcmp(data, "MThd", 4) != 0) return nullptr;
    const uint32_t headerLength = ReadBig32(data + 4);
    if (headerLength < 6 || 8 + static_cast<size_t>(headerLength) > size) return nullptr;
    const uint16_t format = ReadBig16(data + 8);
    const uint16_t tracks = ReadBig16(data + 10);
    const uint16_t division = ReadBig16(data + 12);
    if (format > 1 || tracks == 0 || division == 0 || (division & 0x8000u)) return nullptr;

    auto song = std::make_shared<MidiSong>();
    song->m_division = division;
    size_t pos = 8 + headerLength;
    int found = 0;
    while (found < tracks && pos + 8 <= size) {
        const uint32_t length = ReadBig32(data + pos + 4);
        const size_t body = pos + 8;
        if (length > size - body) return nullptr;
        if (std::memcmp(data + pos, "MTrk", 4) == 0) {
            std::vector<MidiEvent> events;
            if (!ParseTrack(data + body, length, events, song->m_length)) return nullptr;
            song->m_events.insert(song->m_events.end(), events.begin(), events.end());
            ++found;
        }
        pos = body + length;
    }
    if (found == 0) return nullptr;
    // One time line; at equal ticks the earlier track comes first.
    std::stable_sort(song->m_events.begin(), song->m_events.end(),
                     [](const MidiEvent& a, const MidiEvent& b) { return a.tick < b.tick; });
    return song;
}

int64_t MidiSong::TicksFromMusicTime(int64_t musicTime) const {
    return musicTime * m_division / kMusicTimePerQuarter;
}

bool MidiSong::SetStartPoint(int64_t musicTime) {
    const int64_t tick = TicksFromMusicTime(musicTime);
    if (musicTime < 0 || tick > m_length) return false;
    m_startTick = static_cast<uint32_t>(tick);
    return true;
}

bool MidiSong::SetLoopPoints(int64_t startMusicTime, int64_t endMusicTime) {
    if (startMusicTime == 0 && endMusicTime == 0) {
        m_loopStartTick = m_loopEndTick = 0;
        return true;
    }
    const int64_t start = TicksFromMusicTime(startMusicTime);
    const int64_t end = TicksFromMusicTime(endMusicTime);
    if (start < 0 || end <= start || end > m_length) return false;
    m_loopStartTick = static_cast<uint32_t>(start);
    m_loopEndTick = static_cast<uint32_t>(end);
    return true;
}

// ---------------------------------------------------------------------------
// Soundfont synthesiser

std::string FindSoundFont() {
    namespace fs = std::filesystem;
    if (const char* env = std::getenv("PELLUMBRISK_SOUNDFONT")) {
        std::error_code ec;
        return (*env && fs::is_regular_file(env, ec)) ? std::string(env) : std::string();
    }
    std::error_code ec;
    const char* preferred = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    if (fs::is_regular_file(preferred, ec)) return preferred;
    // Otherwise the smallest soundfont found: it loads fastest.
    std::string best;
    uintmax_t bestSize = 0;
    for (const char* dir : {"/usr/share/sounds/sf2", "/usr/share/soundfonts"}) {
        if (!fs::is_directory(dir, ec)) continue;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            const fs::path& p = it->path();
            std::string ext = p.extension().string();
            std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
            if (ext != ".sf2" || !fs::is_regular_file(p, ec)) continue;
            const uintmax_t size = fs::file_size(p, ec);
            if (ec) continue;
            if (best.empty() || size < bestSize) {
                best = p.string();
                bestSize = size;
            }
        }
    }
    return best;
}

std::unique_ptr<MidiSink> CreateSoundFontSynth(const std::string& soundFont, int rate) {
    if (soundFont.empty()) return nullptr;
    // FluidSynth talks on stderr by default; the game says what it must itself.
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
        fluid_set_log_function(level, nullptr, nullptr);
    }
    fluid_settings_t* settings = new_fluid_settings();
    if (!settings) return nullptr;
    fluid_settings_setnum(settings, "synth.sample-rate", rate);
    // As loud as the rendered music in the game's mix: the music table plays
    // the stage-clear piece at 400% (full volume at any setting from 25% up),
    // the stage piece at 70% and the boss piece at full volume.
    fluid_settings_setnum(settings, "synth.gain", 0.44);
    fluid_settings_setint(settings, "synth.polyphony", 96);
    fluid_settings_setint(settings, "synth.threadsafe-api", 0);
    fluid_settings_setint(settings, "synth.reverb.active", 1);
    fluid_settings_setint(settings, "synth.chorus.active", 0);
    fluid_synth_t* synth = new_fluid_synth(settings);
    if (!synth) {
        delete_fluid_settings(settings);
        return nullptr;
    }
    if (fluid_synth_sfload(synth, soundFont.c_str(), 1) == FLUID_FAILED) {
        delete_fluid_synth(synth);
        delete_fluid_settings(settings);
        return nullptr;
    }
    return std::make_unique<FluidSink>(settings, synth);
}

// ---------------------------------------------------------------------------
// Player

MidiPlayer::MidiPlayer(std::mutex& mutex, int rate) : m_mutex(mutex), m_rate(rate) {
    m_left.resize(kRenderSlice);
    m_right.resize(kRenderSlice);
}

MidiPlayer::~MidiPlayer() = default;

void MidiPlayer::Prepare() {
    if (m_prepared) return;
    m_prepared = true;
    const std::string path = FindSoundFont();
    std::unique_ptr<MidiSink> sink = CreateSoundFontSynth(path, m_rate);
    if (!sink) {
        if (path.empty()) {
            std::fprintf(stderr, "sound: no General MIDI soundfont found; MIDI music is silent\n");
        } else {
            std::fprintf(stderr, "sound: soundfont %s could not be loaded; MIDI music is silent\n", path.c_str());
        }
        return;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_sink = std::move(sink);
}

void MidiPlayer::SetSinkForTesting(std::unique_ptr<MidiSink> sink) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_prepared = true;
    m_sink = std::move(sink);
    m_resting = false;
    m_quietFrames = 0;
}

size_t MidiPlayer::FirstEventAt(uint32_t tick) const {
    const auto& events = m_song->Events();
    auto it = std::lower_bound(events.begin(), events.end(), tick,
                               [](const MidiEvent& e, uint32_t t) { return e.tick < t; });
    return static_cast<size_t>(it - events.begin());
}

void MidiPlayer::Dispatch(const MidiEvent& e) {
    if (e.status == 0xFF) {
        m_tempo = e.tempo;
        return;
    }
    const int ch = e.status & 0x0F;
    const uint8_t kind = e.status & 0xF0;
    if (kind == 0x90 && e.data2 > 0) {
        m_activeNotes[ch][e.data1 >> 4] |= static_cast<uint16_t>(1u << (e.data1 & 15));
    } else if (kind == 0x80 || kind == 0x90) {
        m_activeNotes[ch][e.data1 >> 4] &= static_cast<uint16_t>(~(1u << (e.data1 & 15)));
    }
    Send(e.status, e.data1, e.data2);
}

void MidiPlayer::Send(uint8_t status, uint8_t data1, uint8_t data2) {
    if (!m_sink) return;
    m_sink->Send(status, data1, data2);
    m_resting = false;
    m_quietFrames = 0;
}

void MidiPlayer::NoteQuiet(float peak, int frames) {
    if (peak >= kRestLevel || m_sink->ActiveVoices() != 0) {
        m_quietFrames = 0;
        return;
    }
    m_quietFrames += frames;
    if (m_quietFrames >= kRestAfterFrames) m_resting = true;
}

bool MidiPlayer::SynthResting() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_resting;
}

void MidiPlayer::ReleaseNotes() {
    for (int ch = 0; ch < 16; ++ch) {
        for (int group = 0; group < 8; ++group) {
            for (int bit = 0; bit < 16; ++bit) {
                if (m_activeNotes[ch][group] & (1u << bit)) {
                    Send(static_cast<uint8_t>(0x80 | ch), static_cast<uint8_t>(group * 16 + bit), 0);
                }
            }
            m_activeNotes[ch][group] = 0;
        }
    }
}

// Applies everything but notes up to `tick`, so that a start inside the
// song has the right instruments, controllers and tempo.
void MidiPlayer::ChaseTo(uint32_t tick) {
    for (const MidiEvent& e : m_song->Events()) {
        if (e.tick >= tick) break;
        const uint8_t kind = e.status & 0xF0;
        if (e.status == 0xFF || kind == 0xB0 || kind == 0xC0 || kind == 0xE0) Dispatch(e);
    }
}

bool MidiPlayer::Play(std::shared_ptr<const MidiSong> song) {
    if (!song) return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    ReleaseNotes();
    if (m_sink) m_sink->Reset();
    m_song = std::move(song);
    m_tempo = 500000;
    const uint32_t length = m_song->LengthTicks();
    m_loopStart = m_song->LoopStartTick();
    m_loopEnd = m_song->LoopEndTick();
    if (m_loopEnd <= m_loopStart) {
        m_loopStart = 0;
        m_loopEnd = length;
    }
    m_repeatsLeft = m_loopEnd > m_loopStart ? m_song->Repeats() : 0;
    uint32_t start = std::min(m_song->StartTick(), length);
    // A start at or past the loop end while looping begins the loop at once.
    if (m_repeatsLeft != 0 && start >= m_loopEnd) start = m_loopStart;
    ChaseTo(start);
    m_next = FirstEventAt(start);
    m_tick = start;
    m_playing = true;
    return true;
}

void MidiPlayer::Stop() {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_playing) return;
    ReleaseNotes();
    if (m_sink) m_sink->Reset();
    m_playing = false;
}

bool MidiPlayer::IsPlaying() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_playing;
}

bool MidiPlayer::IsPlaying(const MidiSong* song) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_playing && song && m_song.get() == song;
}

void MidiPlayer::SetTempoFactor(float factor) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_tempoFactor = std::clamp(factor, 0.01f, 100.0f);
}

void MidiPlayer::SetVolume(int32_t hundredthsDb) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_gain = GainFromHundredthsDb(hundredthsDb);
}

uint32_t MidiPlayer::CurrentTick() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<uint32_t>(m_tick);
}

double MidiPlayer::TicksPerFrame() const {
    return static_cast<double>(m_song->Division()) * 1.0e6 * m_tempoFactor /
           (static_cast<double>(m_tempo) * m_rate);
}

void MidiPlayer::Render(float* out, int frames) {
    while (frames > 0) {
        int n = std::min(frames, kRenderSlice);
        if (m_playing) {
            const auto& events = m_song->Events();
            const bool looping = m_repeatsLeft != 0;
            // Everything due now, but never past the loop end while looping.
            while (m_next < events.size() && events[m_next].tick <= m_tick &&
                   !(looping && events[m_next].tick >= m_loopEnd)) {
                Dispatch(events[m_next++]);
            }
            if (looping && m_tick >= m_loopEnd) {
                ReleaseNotes();
                if (m_repeatsLeft > 0) --m_repeatsLeft;
                const double over = m_tick - m_loopEnd;
                m_tick = m_loopStart + std::min(over, static_cast<double>(m_loopEnd - m_loopStart));
                m_tempo = 500000;
                ChaseTo(m_loopStart);
                m_next = FirstEventAt(m_loopStart);
                continue;
            }
            if (!looping && m_next >= events.size() && m_tick >= m_song->LengthTicks()) {
                ReleaseNotes();
                m_playing = false;
                continue;
            }
            double target = looping ? m_loopEnd : m_song->LengthTicks();
            if (m_next < events.size()) target = std::min<double>(target, events[m_next].tick);
            const double perFrame = TicksPerFrame();
            const double needed = std::ceil((target - m_tick) / perFrame);
            if (needed >= 1.0 && needed < n) n = static_cast<int>(needed);
            m_tick += n * perFrame;
        }
        if (m_sink && !m_resting) {
            m_sink->Render(m_left.data(), m_right.data(), n);
            float peak = 0.0f;
            for (int i = 0; i < n; ++i) {
                out[2 * i] += m_left[i] * m_gain;
                out[2 * i + 1] += m_right[i] * m_gain;
                peak = std::max({peak, std::fabs(m_left[i]), std::fabs(m_right[i])});
            }
            NoteQuiet(peak, n);
        }
        out += 2 * n;
        frames -= n;
    }
}

}  // namespace platform
