#pragma once
// Sound requests of the game. (Least form until sound lands.)
#include <cstdint>
#include <functional>

// Test seam: sees every effect request (slot) before it is played.
inline std::function<void(int32_t)>& SoundEffectObserver() {
    static std::function<void(int32_t)> observer;
    return observer;
}
inline void SetSoundEffectObserver(std::function<void(int32_t)> observer) { SoundEffectObserver() = std::move(observer); }

inline void LoadAllSE() {}
inline void LoadStageClearMidi() {}
inline void PlaySE(int32_t slot) {
    if (SoundEffectObserver()) SoundEffectObserver()(slot);
}
inline void PlayMusic(int32_t) {}
inline void StopMusic(int32_t) {}
