#pragma once
// The king tengu: a boss of two phases in one object. On the ground (phase
// 1, type id 10250) it leaps and fans leaves, throws a blade, aimed humming
// shots and a ring of slow shots; its first defeat is not final: it rises,
// its life refills and it comes back flying (phase 2, type id 10251) with
// fly-bys, a gale and charged shots. The final defeat explodes, flings it
// up, lets it fall back at the stage's centre and fades to black before
// the stage switch. The opening scene uses it as an actor (420-422). All
// of its damage comes from the shots and hazards it spawns.
#include <cstdint>

#include "boss/CharacterEnemyBoss.h"

class CCharacterKingTengu : public CCharacterEnemyBoss {
public:
    static constexpr int32_t kPhase1 = 10250;
    static constexpr int32_t kPhase2 = 10251;
    static constexpr int32_t kHp = 20000;
    // The stage its defeat leads to, and the one taken instead while that
    // stage does not exist: the clear scene's stage.
    static constexpr int32_t kDefeatStage = 259;
    static constexpr int32_t kFallbackStage = 271;

    // Records.
    static constexpr int32_t kLeap = 240;
    static constexpr int32_t kFanA = 242;
    static constexpr int32_t kFanB = 243;
    static constexpr int32_t kLeapFall = 244;
    static constexpr int32_t kBladeWindUp = 260;
    static constexpr int32_t kBlade = 262;
    static constexpr int32_t kAimWindUp = 280;
    static constexpr int32_t kRing = 300;
    static constexpr int32_t kRingShots = 302;
    static constexpr int32_t kRise = 320;
    static constexpr int32_t kHover = 340;
    static constexpr int32_t kFlyBy = 360;
    static constexpr int32_t kFlyByFar = 362;
    static constexpr int32_t kFlyByShot = 363;
    static constexpr int32_t kFlyByBack = 364;
    static constexpr int32_t kGale = 380;
    static constexpr int32_t kCharge = 400;
    static constexpr int32_t kChargedShot = 402;
    static constexpr int32_t kFallBack = 112;
    static constexpr int32_t kLanded = 114;
    static constexpr int32_t kFadeOut = 115;
    static constexpr int32_t kScenePose = 420;
    static constexpr int32_t kSceneGust = 421;

    CCharacterKingTengu();

    void Update() override;
    void SetState(int32_t state) override;
    // The id the factory passes is not kept: every king tengu starts in
    // phase 1.
    void SetTypeId(int32_t) override {}
    void UpdateWait() override { UpdateWaitShared(); }
    void UpdateEntrance() override { UpdateEntranceShared(); }

    // The next attack of the phase (or, at no life, the phase change).
    virtual void ChooseNextAttack();

    // The stage a defeat switches to: the one asked for when it exists.
    static int32_t DefeatStage();

private:
    void UpdateFanSweep();
    void UpdateFlyBy();
    void UpdateGale();
    void FireChargedShot();
    void UpdateFlungUp();
    void UpdateFallingBack();
    void UpdateRise();
    // Wind streaks across the view (effects 260-263).
    void Streak(int32_t t, int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t vx0, int32_t vx1);
    void ThrowBlade(int32_t tickLeft);
    void ThrowAimedShot();
    void ReleaseRingShots();
    void EnterFlyBy();
    void EnterFarPass();
};
