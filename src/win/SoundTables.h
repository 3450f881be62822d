#pragma once
// The game's sound vocabulary: the effect table (SoundEffectSlot -> SoundId),
// the music table (MusicId -> piece and loop points) and the free functions
// through which every part of the game makes sound.
#include <cstdint>
#include <functional>

constexpr int kSoundEffectCount = 81;
constexpr int kMusicEntryCount = 12;

// One music-table row. For "WAVE" rows start and loop points are byte
// offsets into the PCM data; for the "MIDI" row they are music times (768
// to the quarter note).
struct MusicTableRow {
    int64_t start;
    int64_t loopStart;
    int64_t loopEnd;
    int64_t soundId;
    int64_t volume;  // percent, applied on top of the music volume
    const char* type;
};

extern const int32_t SoundEffectTable[kSoundEffectCount];
extern const MusicTableRow MusicTable[kMusicEntryCount];

// The resource that holds a sound: the low 16 bits of its SoundId.
constexpr int SoundResourceId(int64_t soundId) { return static_cast<int>(soundId & 0xFFFF); }

// Test seam: sees every effect request (slot) before it is played.
inline std::function<void(int32_t)>& SoundEffectObserver() {
    static std::function<void(int32_t)> observer;
    return observer;
}
inline void SetSoundEffectObserver(std::function<void(int32_t)> observer) { SoundEffectObserver() = std::move(observer); }
// Test seam: sees every music request (the entry asked for, whatever it is)
// and every stop (as kMusicStopped).
constexpr int32_t kMusicStopped = -1000;
inline std::function<void(int32_t)>& MusicObserver() {
    static std::function<void(int32_t)> observer;
    return observer;
}
inline void SetMusicObserver(std::function<void(int32_t)> observer) { MusicObserver() = std::move(observer); }

// Loads the 81 effects of the table into their slots.
void LoadAllSE();
// Prepares music entry 11, the stage-clear MIDI piece, to repeat forever.
void LoadStageClearMidi();
// Plays an effect once (unless its cool-down runs).
void PlaySE(int32_t slot);
// Starts a music entry from the table; rows without a piece leave silence.
void PlayMusic(int32_t entry);
// Stops and rewinds all music. (The argument is not used.)
void StopMusic(int32_t unused = 0);
