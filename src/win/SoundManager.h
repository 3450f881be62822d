#pragma once
// The sound manager: the 81 sound effects, the music entries (WAVE pieces
// streamed through a six-second ring refilled a third at a time, and the
// MIDI piece), the music and effect volumes and the effect cool-downs.
#include <cstdint>
#include <memory>

#include "win/SoundTables.h"

namespace platform {
class AudioStreamBuffer;
class AudioClip;
class MidiSong;
}  // namespace platform

class CSoundManager {
public:
    static constexpr int kEffectSlots = kSoundEffectCount;
    static constexpr int kMusicEntries = kMusicEntryCount;
    static constexpr int kStreamSeconds = 6;
    static constexpr int32_t kDefaultVolume = 80;

    static CSoundManager* GetInstance();
    ~CSoundManager();
    CSoundManager(const CSoundManager&) = delete;
    CSoundManager& operator=(const CSoundManager&) = delete;

    // Opens the audio output, loads the 81 effects and applies both volumes.
    // False without an audio output: everything after that stays silent.
    bool Init();
    // Lets go of every effect and piece and resets the mixer: the manager
    // is as it was before its first Init (the volumes and the cool-downs
    // back at their defaults).
    void Shutdown();
    bool LoadSE(int32_t slot, int32_t soundId);
    // `type` "WAVE" streams the piece; anything else is a MIDI piece.
    bool LoadMusic(int32_t entry, int64_t start, int32_t soundId, const char* type, float tempo, int64_t loopStart,
                   int64_t loopEnd);
    bool ReleaseMusic(int32_t entry);
    bool StartMusic(int32_t entry);
    bool StopAllMusic();
    // The lowest entry that plays, -1 when none does.
    int32_t GetPlayingMusic();
    bool SetMusicVolume(int32_t percent);
    bool SetSEVolume(int32_t percent);
    bool PlaySE(int32_t slot, int32_t repeats);
    // Counts the cool-downs down and refills the music streams.
    bool Update();

    // The MIDI segment of an entry: does it exist, and its repeat count.
    bool HasMusicSegment(int32_t entry) const;
    void SetMusicRepeats(int32_t entry, int32_t repeats);
    void SetEntryVolume(int32_t entry, int32_t percent);
    int32_t GetEntryVolume(int32_t entry) const;
    int32_t GetMusicVolume() const { return m_musicVolume; }
    int32_t GetSEVolume() const { return m_effectVolume; }
    bool IsReady() const { return m_ready; }

    // Percent to hundredths of a decibel: -9600 for 0 and below, else
    // trunc(2000 * log10(p / 100)).
    static int32_t VolumeToDecibels(int32_t percent);

    // The stream ring of a WAVE entry (null when it has none) and its state,
    // for inspection: a fill still under way is finished first, so the ring
    // holds what the notifications would have it hold.
    platform::AudioStreamBuffer* GetStreamBuffer(int32_t entry);
    uint32_t GetReadPosition(int32_t entry);
    int64_t GetLoopStart(int32_t entry) const;
    int64_t GetLoopEnd(int32_t entry) const;
    int32_t GetCoolDown(int32_t slot) const;

private:
    struct Stream {
        std::unique_ptr<platform::AudioStreamBuffer> buffer;
        const uint8_t* pcm = nullptr;  // the piece's PCM bytes inside its resource
        uint32_t pcmBytes = 0;
        uint32_t bufferBytes = 0;
        uint32_t thirdSize = 0;
        // A fill of the whole ring (at loading and at a rewind) writes half a
        // second at once and the rest half a second per Update, far ahead of
        // the play cursor: the ring's bytes [0, filled) are written.
        uint32_t fillStep = 0;
        uint32_t filled = 0;
        bool skipNextNotification = false;
        uint32_t readPosition = 0;
        int64_t loopStart = 0;
        int64_t loopEnd = 0;
        // StopAllMusic has rewound the ring, and the ring has not changed
        // since (its change count is still rewoundAt): a second rewind would
        // find everything as it is.
        bool rewound = false;
        uint64_t rewoundAt = 0;
    };

    CSoundManager();
    static bool ValidEntry(int32_t entry) { return entry >= 0 && entry < kMusicEntries; }
    // Copies n bytes of the piece from the read position on, going back to
    // the loop start whenever the loop end is reached.
    void CopyPiece(Stream& s, uint8_t* to, uint32_t n);
    bool FillRegion(Stream& s, uint32_t offset, uint32_t bytes);
    // The next `bytes` of a fill under way; nothing once the ring is full.
    bool FillAhead(Stream& s, uint32_t bytes);
    // A fill of the whole ring from the read position on, begun.
    bool BeginFill(Stream& s);
    bool FinishFill(Stream& s);
    bool IsRewound(const Stream& s) const;
    void ReleaseStream(int32_t entry);
    int32_t MusicDecibels(int32_t entry) const;

    bool m_ready = false;  // the audio output is open
    std::shared_ptr<const platform::AudioClip> m_effects[kEffectSlots];
    std::shared_ptr<platform::MidiSong> m_segments[kMusicEntries];
    Stream m_streams[kMusicEntries];
    int32_t m_entryVolumes[kMusicEntries];
    float m_tempos[kMusicEntries] = {};
    int32_t m_musicVolume = kDefaultVolume;
    int32_t m_effectVolume = kDefaultVolume;
    int32_t m_coolDownLengths[kEffectSlots];
    int32_t m_coolDowns[kEffectSlots] = {};
};
