#pragma once
#include <cstdint>
// The sound manager. (Least form until sound lands.)
class CSoundManager {
public:
    static CSoundManager* GetInstance() {
        static CSoundManager instance;
        return &instance;
    }
    virtual ~CSoundManager() = default;
    bool Init() { return true; }
    void Update() {}
    void StopAllMusic() {}
    void SetMusicVolume(int32_t v) { musicVolume_ = v; }
    void SetSEVolume(int32_t v) { seVolume_ = v; }
    int32_t GetMusicVolume() const { return musicVolume_; }
    int32_t GetSEVolume() const { return seVolume_; }

private:
    CSoundManager() = default;
    int32_t musicVolume_ = 80;
    int32_t seVolume_ = 80;
};
