#pragma once
// The in-stage play and pause states.
#include "framework/GameState.h"

class CGameStateMainNormal : public CGameStateMain {
public:
    static CGameStateMainNormal* GetInstance();
    void DoAction() override;
    void Draw() override;

protected:
    CGameStateMainNormal() = default;
};

class CGameStateMainPause : public CGameStateMain {
public:
    static CGameStateMainPause* GetInstance();
    void DoAction() override;
    void Draw() override;

protected:
    CGameStateMainPause() = default;
};

// The drawing that play and pause share.
void DrawPlayField();
