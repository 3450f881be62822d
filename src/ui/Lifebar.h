#pragma once
// The life bars drawn over the play field: the player's bar (hearts for its
// hit points, "HP", "JUMP" and one mark per air dash) and the boss bar
// ("BOSS" and a strip that fills toward the boss's hit points). One
// controller owns both and forwards update, draw and reset to the bars that
// are attached; the HUD updates and draws it every frame.
#include <cstdint>

#include "ui/Widget.h"

class CCharacter;

class CLifebar : public CWidget {
public:
    int32_t m_value = 0;      // the value shown
    int32_t m_maxValue = 300;

protected:
    CLifebar() = default;
};

// The player's bar: one heart per 100 hit points of the maximum (a last
// half-size heart when the maximum ends in 50), eight to a row from the
// HUD's corner; the air-dash marks under "JUMP".
class CLifebarNinja : public CLifebar {
public:
    static constexpr int32_t kHeartsPerRow = 8;
    static constexpr int32_t kCell = 20;  // on screen; 10 x 10 source pixels at 2x

    static CLifebarNinja* GetInstance();

    // Copies the player's hit points and air dashes (kept while there is no
    // player).
    void Update() override;
    void Draw() override;
    // The values of a stage start: 0 of 300, one air dash of one, opaque.
    virtual void Setup();

    // Where heart slot i and air-dash mark j stand, relative to the HUD's
    // corner; "JUMP" stands at (JumpColumn(), 2).
    static int32_t HeartX(int32_t i) { return 70 + kCell * (i % kHeartsPerRow); }
    static int32_t HeartY(int32_t i) { return 18 + kCell * (i / kHeartsPerRow); }
    static int32_t JumpColumn(int32_t screenWidth);

    int32_t m_airDashes = 1;
    int32_t m_airDashesMax = 1;

private:
    CLifebarNinja() = default;
};

// The boss bar: a frame along the bottom edge and a strip of up to 150
// source pixels (300 on screen) for the boss's hit points. The shown value
// moves toward the boss's hit points by a fortieth of its maximum a frame.
class CLifebarEnemy : public CLifebar {
public:
    static constexpr int32_t kStripSource = 150;
    static constexpr int32_t kFillFrames = 40;
    static constexpr int32_t kAlpha = 224;

    static CLifebarEnemy* GetInstance();

    void Update() override;
    void Draw() override;
    virtual void Reset();
    // Attaches the bar to a boss and starts the fill from 0.
    virtual void SetTarget(CCharacter* boss);

    // Width in source pixels of the strip for the shown value.
    int32_t FillWidth() const;

    CCharacter* m_target = nullptr;  // not owned

private:
    CLifebarEnemy();
};

class CLifebarController : public CWidget {
public:
    static CLifebarController* GetInstance();

    void Update() override;
    void Draw() override;
    // The player's bar back to its stage-start values.
    virtual void Reset();
    virtual CLifebarNinja* GetNinjaBar() const { return m_ninjaBar; }
    virtual CLifebarEnemy* GetEnemyBar() const { return m_enemyBar; }
    // Attaches the player's bar (the character is not used).
    virtual void SetNinjaBar(int32_t character);
    // Attaches the boss bar to a boss, or detaches it with null. A boss must
    // be detached before it is deleted.
    virtual void SetEnemyBar(CCharacter* boss);

    CLifebarNinja* m_ninjaBar = nullptr;
    CLifebarEnemy* m_enemyBar = nullptr;

private:
    CLifebarController() = default;
};
