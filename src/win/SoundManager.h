#pragma once
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

private:
    CSoundManager() = default;
};
