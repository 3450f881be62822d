#pragma once
// Projectiles and attack objects: the players' thrown weapons, homing and
// circling shots, chains and the drill, and the enemies' and bosses' shots,
// bombs with their fragments, missiles, lightning and summoned hazards.
// An attack effect takes its firer's group and hurts everything of the
// other groups; its frame records (data/frames/CCharacterAttackEffect.tab)
// carry it from state to state and the handler of its current frame gives
// that frame its behaviour.
#include <cstdint>

#include "character/Character.h"

class CCharacterAttackEffect : public CCharacter {
public:
    static constexpr int32_t kFrameCount = 1380;
    static constexpr int32_t kTypeId = 40000;
    // Type ids other code tells shots apart by.
    static constexpr int32_t kCirclingTypeId = 40010;  // water orbs, 290-291
    static constexpr int32_t kWindTypeId = 40020;      // the wind, 270 and 280

    // States other code starts.
    static constexpr int32_t kThrownBomb = 230;
    static constexpr int32_t kShuriken = 240;
    static constexpr int32_t kFireball = 250;
    static constexpr int32_t kPiercing = 260;
    static constexpr int32_t kWindLauncher = 270;
    static constexpr int32_t kWindBlade = 280;
    static constexpr int32_t kCircling = 290;
    static constexpr int32_t kCirclingFree = 291;
    static constexpr int32_t kReturningShot = 310;
    static constexpr int32_t kExplosion = 581;
    static constexpr int32_t kMoveChain = 610;
    static constexpr int32_t kMoveChainAnchored = 611;
    static constexpr int32_t kHomingChain = 620;
    static constexpr int32_t kHomingChainHolding = 621;
    static constexpr int32_t kDrill = 630;
    static constexpr int32_t kDrillBlow = 632;

    CCharacterAttackEffect();

    void Update() override;
    // A removed effect that is still listed shows nothing.
    void Draw() override;
    // Refusals by frame: most enemy shots refuse every hit (and vanish to an
    // attack of kind 8); bursting bombs refuse kinds 2 and 3; the rest take
    // the hit as any character does.
    bool OnHit(int32_t kind, int32_t damage, int32_t direction, CCharacter* attacker) override;
    // The state's set-up (scale, fall rate, aim, type id, the drill's blow,
    // the chains' arrival, a bomb's burst on defeat), then the state.
    void SetState(int32_t state) override;
    // The chains' and the drill's hits count for their thrower.
    void OnAttackLanded() override;

private:
    // The behaviour of the current frame; false when the effect has gone
    // or must not move this frame.
    bool RunFrame();
    void Vanish();
    CCharacter* Strike(int32_t kind, int32_t damage);
    void Burst(int32_t firstFragment, int32_t vx0, int32_t vx1, int32_t vx2, int32_t vx3, int32_t vy0, int32_t vy1);
    bool RunBomb();
    void StrikeBlow();
    void Circle();
    void SplitInTwo();
    void FireWindBlade();
    void HomeOn(CCharacter* target, int32_t speed, double turn);
    void ReachBack(CCharacter* parent);
    void BurstAsAfterimage();
    void LeaveTrail();
};

// Makes an attack effect in the given state and facing with the parent's
// group, at a position and speed each drawn from its range (bounds in
// either order, one draw each in the order x, y, vx, vy), and appends it to
// the world list. Null when none could be made.
CCharacterAttackEffect* SpawnAttackEffect(CCharacter* parent, int32_t state, int32_t facing, int32_t x0, int32_t x1,
                                          int32_t y0, int32_t y1, int32_t vx0, int32_t vx1, int32_t vy0, int32_t vy1);
