#pragma once
// The game's audio output: one software mixer behind SDL's audio device.
// It offers what the sound manager needs of a sound card:
//  - looping PCM ring buffers in their own format, written through lock and
//    unlock, with play/stop, a play cursor, a volume in hundredths of a
//    decibel and position notifications polled with zero wait;
//  - one-shot effect voices (a new voice per play, with repeats);
//  - a MIDI player (MidiPlayer.h) rendered into the same mix.
// The mixing function can be driven directly (no device, no thread), which
// is how the tests move the play cursor.
#include <cstddef>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {

constexpr int kAudioOutputRate = 44100;  // frames per second of the mix
constexpr int32_t kSilenceHundredthsDb = -10000;

class MidiPlayer;

// The WAVEFORMATEX fields that matter here.
struct PcmFormat {
    uint16_t formatTag = 1;  // 1 = integer PCM
    uint16_t channels = 1;
    uint32_t samplesPerSec = 22050;
    uint32_t avgBytesPerSec = 44100;
    uint16_t blockAlign = 2;
    uint16_t bitsPerSample = 16;

    // 8 or 16-bit integer PCM with one or two channels and a consistent
    // block size and byte rate.
    bool IsPlayablePcm() const;
};

// A RIFF WAVE file held in memory.
struct WaveView {
    PcmFormat format;
    uint32_t dataOffset = 0;  // offset of the PCM bytes in the file
    uint32_t dataBytes = 0;   // PCM bytes present (the data chunk, cut to the file)
};

// Walks the RIFF chunks; false unless the bytes hold "RIFF"/"WAVE" with a
// "fmt " chunk before a "data" chunk.
bool ParseWave(const uint8_t* bytes, size_t size, WaveView& out);

// Hundredths of a decibel to a linear factor; -10000 and below is silence.
float GainFromHundredthsDb(int32_t hundredthsDb);

class AudioMixer;

// A looping ring of PCM in its source format, read by the mixer at the play
// cursor. Offsets and sizes are bytes of that ring.
class AudioStreamBuffer {
public:
    ~AudioStreamBuffer();
    AudioStreamBuffer(const AudioStreamBuffer&) = delete;
    AudioStreamBuffer& operator=(const AudioStreamBuffer&) = delete;

    const PcmFormat& Format() const { return m_format; }
    uint32_t Size() const { return static_cast<uint32_t>(m_data.size()); }

    // Makes bytes [offset, offset + bytes) of the ring writable; a span that
    // runs past the end continues at offset 0 in the second region. The
    // regions hold the current contents and are written back by Unlock.
    // A ring that is not playing is handed out in place (nothing is copied)
    // and the mixer leaves it alone until Unlock; a playing ring is lent as
    // a copy, so the mixer keeps reading it meanwhile.
    bool Lock(uint32_t offset, uint32_t bytes, uint8_t** first, uint32_t* firstBytes, uint8_t** second,
              uint32_t* secondBytes);
    bool Unlock();

    bool Play(bool looping);
    void Stop();
    bool IsPlaying() const;
    uint32_t GetCurrentPosition() const;
    bool SetCurrentPosition(uint32_t offset);
    void SetVolume(int32_t hundredthsDb);
    int32_t GetVolume() const;

    // Each position signals when the play cursor reaches it (also when
    // playing starts on it). Positions are rounded down to whole frames.
    bool SetNotificationPositions(const uint32_t* offsets, int count);
    // Zero-time poll: the index of the lowest signalled position, whose
    // signal is consumed (auto reset), or -1 when none is signalled.
    int PollNotification();
    // Goes up with every change to the ring's bytes, its playing, its play
    // cursor or its notification positions (so it stays put while the ring
    // lies stopped and untouched).
    uint64_t ChangeCount() const;

private:
    friend class AudioMixer;
    AudioStreamBuffer(AudioMixer* mixer, const PcmFormat& format, uint32_t bytes);
    // Adds up to `frames` output frames into `out` (stereo float); under the
    // mixer's lock.
    void MixInto(float* out, int frames);
    float SampleAt(uint32_t frame, int channel) const;
    void Signal(uint32_t frame);

    AudioMixer* m_mixer;
    PcmFormat m_format;
    uint32_t m_frames = 0;
    std::vector<uint8_t> m_data;
    std::vector<uint8_t> m_staging;
    uint32_t m_lockOffset = 0;
    uint32_t m_lockBytes = 0;
    bool m_locked = false;
    bool m_lockedInPlace = false;  // the lock lends m_data itself, not m_staging
    uint64_t m_changes = 0;
    bool m_playing = false;
    bool m_looping = false;
    bool m_enterPending = false;  // the frame under the cursor has not signalled yet
    uint32_t m_cursor = 0;        // frame index of the play cursor
    uint64_t m_fraction = 0;      // 32.32 fraction between m_cursor and the next frame
    uint64_t m_step = 0;          // source frames per output frame, 32.32
    int32_t m_volume = 0;
    float m_gain = 1.0f;
    std::vector<uint32_t> m_notifyFrames;
    std::vector<bool> m_signalled;
};

// A decoded effect: mono or stereo samples at their own rate.
class AudioClip {
public:
    // Null when the format is not playable PCM or there are no samples.
    static std::shared_ptr<const AudioClip> FromPcm(const PcmFormat& format, const uint8_t* pcm, uint32_t bytes);
    int Rate() const { return m_rate; }
    int Channels() const { return m_channels; }
    uint32_t Frames() const { return static_cast<uint32_t>(m_samples.size() / m_channels); }
    float Sample(uint32_t frame, int channel) const { return m_samples[frame * m_channels + channel]; }

private:
    int m_rate = 0;
    int m_channels = 1;
    std::vector<float> m_samples;
};

class AudioMixer {
public:
    static constexpr int kMaxVoices = 32;

    static AudioMixer* GetInstance();
    ~AudioMixer();
    AudioMixer(const AudioMixer&) = delete;
    AudioMixer& operator=(const AudioMixer&) = delete;

    // Opens the audio device and starts pulling the mix from it. False (and
    // one line on stderr) when there is no usable device; the mixer then
    // keeps working but nothing moves it and nothing is heard. After
    // UseManualOutput it answers true and opens nothing.
    bool OpenOutput();
    void CloseOutput();
    // The caller drives Mix itself (tests, offline rendering).
    void UseManualOutput();
    bool IsOutputOpen() const;
    // Back to the state of the mixer's first use: the output closed and not
    // yet tried (and SDL's audio stopped when the mixer started it), no voices, the effect gain at 1, a fresh MIDI player, no
    // notification hook.
    void Reset();

    std::unique_ptr<AudioStreamBuffer> CreateStreamBuffer(const PcmFormat& format, uint32_t bytes);

    // Starts a new voice for the clip, heard repeats + 1 times in a row.
    bool PlayClip(std::shared_ptr<const AudioClip> clip, int32_t repeats);
    void StopClips();
    int ActiveVoiceCount() const;
    void SetEffectVolume(int32_t hundredthsDb);

    MidiPlayer* Midi() { return m_midi.get(); }

    // Renders the next `frames` frames of the mix as interleaved stereo
    // 16-bit samples at kAudioOutputRate, moving every play cursor.
    void Mix(int16_t* out, int frames);

    // A function called after each mix in which a stream's notification
    // position was reached (on the mixing thread, outside the mixer's lock),
    // so that whoever polls the notifications can be woken. Null for none.
    void SetNotificationHook(void (*hook)()) { m_notificationHook = hook; }

    // The mix's shaping of the summed signal: straight below the knee, then
    // bent smoothly toward full scale so loud moments never clip or wrap.
    static float Limit(float x);

    std::mutex& Mutex() { return m_mutex; }

private:
    friend class AudioStreamBuffer;
    struct Voice {
        std::shared_ptr<const AudioClip> clip;
        uint64_t position = 0;  // 32.32 frames
        uint64_t step = 0;
        int32_t repeatsLeft = 0;
    };

    AudioMixer();
    void MixChunk(float* mix, int frames);
    static void DeviceCallback(void* userdata, uint8_t* stream, int len);

    mutable std::mutex m_mutex;
    std::vector<AudioStreamBuffer*> m_streams;
    std::vector<Voice> m_voices;
    float m_effectGain = 1.0f;
    std::unique_ptr<MidiPlayer> m_midi;
    std::vector<float> m_scratch;
    bool m_notified = false;  // a notification position was reached in this mix
    std::atomic<void (*)()> m_notificationHook{nullptr};
    uint32_t m_device = 0;
    bool m_manual = false;
    bool m_openTried = false;
    bool m_startedAudio = false;  // the mixer started SDL's audio itself
};

}  // namespace platform
