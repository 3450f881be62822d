#pragma once
// MIDI music: a Standard MIDI File read from memory, sequenced by the mixer
// and voiced by a General MIDI soundfont synthesiser found at run time.
// Start and loop points are given in music time, 768 to the quarter note,
// and converted to the file's own ticks.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace platform {

constexpr int64_t kMusicTimePerQuarter = 768;

struct MidiEvent {
    uint32_t tick = 0;
    uint8_t status = 0;  // channel message status, or 0xFF for a tempo change
    uint8_t data1 = 0;
    uint8_t data2 = 0;
    uint32_t tempo = 0;  // microseconds per quarter note (tempo changes)
};

class MidiSong {
public:
    // Null unless the bytes are a format 0 or 1 SMF with a ticks-per-quarter
    // division and at least one track.
    static std::shared_ptr<MidiSong> Parse(const uint8_t* data, size_t size);

    uint16_t Division() const { return m_division; }
    uint32_t LengthTicks() const { return m_length; }
    const std::vector<MidiEvent>& Events() const { return m_events; }

    int64_t TicksFromMusicTime(int64_t musicTime) const;

    // False (nothing changed) when the point lies beyond the song.
    bool SetStartPoint(int64_t musicTime);
    // False (nothing changed) unless start < end <= the song's length.
    bool SetLoopPoints(int64_t startMusicTime, int64_t endMusicTime);
    // How often the loop repeats after the first pass; -1 forever.
    void SetRepeats(int32_t repeats) { m_repeats = repeats; }

    uint32_t StartTick() const { return m_startTick; }
    uint32_t LoopStartTick() const { return m_loopStartTick; }
    uint32_t LoopEndTick() const { return m_loopEndTick; }  // 0: the whole song
    int32_t Repeats() const { return m_repeats; }

private:
    uint16_t m_division = 480;
    uint32_t m_length = 0;
    std::vector<MidiEvent> m_events;
    uint32_t m_startTick = 0;
    uint32_t m_loopStartTick = 0;
    uint32_t m_loopEndTick = 0;
    int32_t m_repeats = 0;
};

// Where the sequencer's channel messages go and where the sound comes from.
class MidiSink {
public:
    virtual ~MidiSink() = default;
    virtual void Send(uint8_t status, uint8_t data1, uint8_t data2) = 0;
    // Writes `frames` frames of sound into left and right.
    virtual void Render(float* left, float* right, int frames) = 0;
    // Silences every voice and resets the controllers of every channel.
    virtual void Reset() = 0;
    // How many voices sound now; -1 when the sink cannot tell (the player
    // then renders it without pause).
    virtual int ActiveVoices() const { return -1; }
};

// The soundfont to use: $PELLUMBRISK_SOUNDFONT when set (empty: none),
// else TimGM6mb, else the first .sf2 under the usual soundfont folders.
// Empty when there is none.
std::string FindSoundFont();

// A FluidSynth synthesiser with the soundfont loaded; null when it cannot
// be made.
std::unique_ptr<MidiSink> CreateSoundFontSynth(const std::string& soundFont, int rate);

class MidiPlayer {
public:
    MidiPlayer(std::mutex& mutex, int rate);
    ~MidiPlayer();

    // Makes the synthesiser on first use (loading the soundfont can take a
    // moment, so callers do it while loading). Without a soundfont the
    // player still runs its songs, silently, and says so once on stderr.
    void Prepare();
    void SetSinkForTesting(std::unique_ptr<MidiSink> sink);

    // Starts the song from its start point, replacing whatever played. The
    // song's start, loop points and repeats are taken as they are now.
    bool Play(std::shared_ptr<const MidiSong> song);
    void Stop();
    bool IsPlaying() const;
    bool IsPlaying(const MidiSong* song) const;
    void SetTempoFactor(float factor);
    void SetVolume(int32_t hundredthsDb);
    uint32_t CurrentTick() const;

    // Adds `frames` frames into interleaved stereo `out`; called by the
    // mixer with its lock held. A synthesiser with no voice left whose
    // output (the reverb's tail) has died away below anything a 16-bit
    // sample can hold rests: it is not rendered until a message reaches it.
    void Render(float* out, int frames);
    // Whether the synthesiser rests now.
    bool SynthResting() const;

private:
    void ChaseTo(uint32_t tick);
    void Dispatch(const MidiEvent& e);
    // Sends one message to the synthesiser, waking it from its rest.
    void Send(uint8_t status, uint8_t data1, uint8_t data2);
    // Counts a rendered slice towards the rest (its peak before the gain).
    void NoteQuiet(float peak, int frames);
    void ReleaseNotes();
    size_t FirstEventAt(uint32_t tick) const;
    double TicksPerFrame() const;

    std::mutex& m_mutex;
    int m_rate;
    bool m_prepared = false;
    std::unique_ptr<MidiSink> m_sink;
    std::shared_ptr<const MidiSong> m_song;
    bool m_playing = false;
    size_t m_next = 0;
    double m_tick = 0.0;
    uint32_t m_tempo = 500000;
    float m_tempoFactor = 1.0f;
    float m_gain = 1.0f;
    uint32_t m_loopStart = 0;
    uint32_t m_loopEnd = 0;
    int32_t m_repeatsLeft = 0;
    uint16_t m_activeNotes[16][8] = {};  // one bit per key
    std::vector<float> m_left, m_right;
    bool m_resting = false;
    int m_quietFrames = 0;  // frames rendered since the synthesiser last sounded
};

}  // namespace platform
