#pragma once
// Screen shake and fade. (Least form until the screen effects land.)
class CEffect {
public:
    static CEffect* GetInstance() {
        static CEffect instance;
        return &instance;
    }
    virtual ~CEffect() = default;
    void Init() {}
    void Update() {}
    void Draw() {}
    // The reset that a stage start and the title's start apply.
    void ResetScreenEffects() {}

private:
    CEffect() = default;
};
