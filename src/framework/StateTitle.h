#pragma once
// The logo and title states.
#include <cstdint>

#include "framework/GameState.h"

class CGameStateTitleLogo : public CGameState {
public:
    static CGameStateTitleLogo* GetInstance();
    void Start() override;
    void End() override;
    void DoAction() override;
    void Draw() override;

    int32_t m_phase = 0;
    int32_t m_frame = 0;

protected:
    CGameStateTitleLogo() = default;
};

class CGameStateTitleMain : public CGameStateTitle {
public:
    static CGameStateTitleMain* GetInstance();
    void Start() override;
    void DoAction() override;
    void Draw() override;

    int32_t m_scrollX = 0;
    int32_t m_scrollY = 0;

protected:
    CGameStateTitleMain() = default;
};
