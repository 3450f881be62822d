#pragma once
// The in-stage play and pause states. Play runs, in this order, the screens,
// both character lists, the stage, the scene director and the screen effect,
// then the freeze timers and the keys: F2 (portrait swap), and the first of
// F10 (retry), F11 (restart), F12 (title) and the pause key. Pause runs only
// the screens and F10 to F12.
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

// The play field: the world list by layers, the stage's edge masks, the
// screen effect.
void DrawPlayScene();
// The drawing that play and pause share: the play field, then the screens.
void DrawPlayField();
