#pragma once
// The spawner: a stage object that keeps a fight going by releasing an
// enemy at a fixed interval, on screen or off. 10005 drops homing
// will-o'-wisps at spots around the screen's centre; 10074 and 11072 send
// crow-billed goblins and dragons in from beyond the screen edge the
// player faces. No spot lies within 800 of the player. There is no limit on
// the count: the enemies it released live on as their kinds do, apart from
// it.
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterEnemyMaker : public CCharacterEnemy {
public:
    static constexpr int32_t kWisps = 230;
    static constexpr int32_t kCrows = 250;
    static constexpr int32_t kDragons = 270;

    // The kinds released.
    static constexpr int32_t kWispId = 10006;
    static constexpr int32_t kCrowId = 10072;
    static constexpr int32_t kDragonId = 11073;

    // A spot this close to the player (or closer) is drawn again.
    static constexpr int32_t kKeepAway = 800;

    CCharacterEnemyMaker();

    void SetTypeId(int32_t id) override;
    // Its own step: no sleep off screen and no presence rule.
    void Update() override;
    void SetState(int32_t state) override;

private:
    void ReleaseWisp();
    void ReleaseFlyer(int32_t typeId);
    // Places a released enemy and appends it to the world.
    void Release(int32_t typeId, int32_t x, int32_t y, int32_t facing);
};
