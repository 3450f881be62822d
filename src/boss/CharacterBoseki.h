#pragma once
// The boseki: a haunted gravestone that rises in its own grave plot. The
// body fades in and drops while the plot falls into place round it (the
// gorinto stupa behind it, a stone lantern, a wooden grave tablet and two
// ghost fires, all objects of this class), then it conjures hazards at
// random points of the screen, in turn wisp fire and a will-o'-wisp, the
// faster the lower its life. It never hurts by contact. The defeat blows
// it and its plot out of the room.
#include <cstdint>

#include "boss/CharacterSwitchBoss.h"

class CCharacterBoseki : public CCharacterSwitchBoss {
public:
    static constexpr int32_t kBody = 10280;
    static constexpr int32_t kFlame = 10281;
    static constexpr int32_t kStupa = 10282;
    static constexpr int32_t kLantern = 10283;
    static constexpr int32_t kTablet = 10284;
    static constexpr int32_t kHp = 15000;

    // Records.
    static constexpr int32_t kDrop = 234;
    static constexpr int32_t kWaitTour = 235;
    static constexpr int32_t kFight = 220;
    static constexpr int32_t kFlameFalling = 300;
    static constexpr int32_t kFlameStill = 308;
    static constexpr int32_t kFlameThrown = 309;
    static constexpr int32_t kStupaFalling = 320;
    static constexpr int32_t kLanternFalling = 330;
    static constexpr int32_t kTabletFalling = 340;

    // What it conjures: wisp fire (attack effect) and the will-o'-wisp.
    static constexpr int32_t kWispFire = 420;
    static constexpr int32_t kWisp = 10006;

    CCharacterBoseki();

    void Update() override;
    void SetState(int32_t state) override;
    void SetTypeId(int32_t id) override;

    // The frames between two conjurings at the current life.
    int32_t ConjureInterval() const;
    // The conjurings of the whole run decide what comes next (fire first);
    // a new game's run starts again from nothing.
    static int32_t ConjuredSoFar();
    static void ResetConjuring();

private:
    void Conjure();
    void FadeInAndLand();
    void ThrowPlot();
};
