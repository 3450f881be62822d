#pragma once
// The game-state machine: one current state receives the frame's logic and
// drawing; states switch by game-state id.
#include <cstdint>

class CGameState {
public:
    virtual void Init() {}
    virtual void DoAction() {}
    virtual void Draw() {}
    virtual void Start() {}
    virtual void End() {}
    virtual void ChangeState(int32_t) {}
    virtual ~CGameState() = default;
};

class CGameStateController : public CGameState {
public:
    static CGameStateController* GetInstance();
    void DoAction() override;
    void Draw() override;
    void ChangeState(int32_t id) override;
    // The switch itself: End on the current state, Start on the next, then
    // the next state's id hook. Nothing happens for null or the current state.
    void SwitchTo(CGameState* next, int32_t id);
    CGameState* GetCurrent() const { return current_; }
    // The state for a game-state id; null for ids without one.
    static CGameState* StateForId(int32_t id);

private:
    CGameStateController() = default;
    CGameState* current_ = nullptr;
};

// Base of the in-stage states; as a state of its own it does nothing.
class CGameStateMain : public CGameState {
public:
    static CGameStateMain* GetInstance();

protected:
    CGameStateMain() = default;
};

// Base of the title state.
class CGameStateTitle : public CGameState {
protected:
    CGameStateTitle() = default;
};
