#pragma once
// The lizardman: a brawler that never rests, jumping at the player again
// at every landing (11060, teal), or a walker that hops now and then
// (11061, rust). A lizardman that kills the player with its touch leaves
// the play at once (the defeat scenes take over). The final scenes also
// place it and set its poses: standing guard (350) and laughing (356).
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterLizardman : public CCharacterEnemy {
public:
    static constexpr int32_t kJumper = 230;
    static constexpr int32_t kJump = 234;
    static constexpr int32_t kFall = 235;
    static constexpr int32_t kWalker = 250;
    static constexpr int32_t kHop = 254;
    static constexpr int32_t kWalkerFall = 255;
    static constexpr int32_t kGuard = 350;
    static constexpr int32_t kLaugh = 356;

    CCharacterLizardman();

    void SetTypeId(int32_t id) override;
    void SetState(int32_t state) override;
    void UpdateWait() override { UpdateWaitGrounded(); }
    void UpdateAction230() override { UpdateBrawl(22, kJumper); }
    void UpdateAction250() override { UpdateBrawl(23, kWalker); }

private:
    // One block's handler: the touch attack of `kind`, then walking (first
    // .. first+3), the jump (first+4) and the fall (first+5), landing back
    // into `first`.
    void UpdateBrawl(int32_t kind, int32_t first);
};
