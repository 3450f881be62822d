#pragma once
// The tengu boss: a hopping archer. Mostly it hops three times toward the
// player, loosing an aimed blade just past the top of each hop; otherwise
// it stands and throws three fans of five feathers at the player.
#include <cstdint>

#include "boss/CharacterEnemyBoss.h"

class CCharacterTengu : public CCharacterEnemyBoss {
public:
    static constexpr int32_t kHp = 5000;
    // Records: three hops of five records each, then the fans.
    static constexpr int32_t kHop = 240;
    static constexpr int32_t kHopLength = 5;
    static constexpr int32_t kHopCount = 3;
    static constexpr int32_t kFans = 260;
    static constexpr int32_t kFirstFan = 262;
    static constexpr int32_t kLastFan = 267;
    // Attack-effect states: the aimed blade and the fan's feathers.
    static constexpr int32_t kBlade = 500;
    static constexpr int32_t kFeather = 400;

    CCharacterTengu();

    void SetState(int32_t state) override;
    void UpdateWait() override { UpdateWaitShared(); }
    void UpdateEntrance() override { UpdateEntranceShared(); }
    void UpdateAttack1() override;
    void UpdateAttack2() override;

    // The hops three times in four, else the fans.
    virtual void ChooseNextAttack();

    // The speed of a shot at `speed` from (x, y) toward (tx, ty), turned by
    // `turn` radians; straight down when the two places are one.
    struct Speed {
        int32_t vx, vy;
    };
    static Speed Aim(int32_t x, int32_t y, int32_t tx, int32_t ty, double turn, int32_t speed);

private:
    void StartHop();
    void LooseBlade();
    void ThrowFan();
};
