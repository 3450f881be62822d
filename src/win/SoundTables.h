#pragma once
// Sound requests of the game. (Least form until sound lands.)
#include <cstdint>

inline void LoadAllSE() {}
inline void LoadStageClearMidi() {}
inline void PlaySE(int32_t) {}
inline void PlayMusic(int32_t) {}
inline void StopMusic(int32_t) {}
