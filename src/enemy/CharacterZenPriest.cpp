#include "enemy/CharacterZenPriest.h"

#include "frames/FrameTables.h"

CCharacterZenPriest::CCharacterZenPriest() {
    ApplyRoster({10160, 500, 100, 4, 3, 10, 0, 6, 1, 10, 10, 1, 2});
    frameTable.Load(kCharacterZenPriestFrames);
}

void CCharacterZenPriest::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    ChooseHome(id, {{10161, kWalk}, {10162, kStand}});
}

void CCharacterZenPriest::UpdateAction230() {
    TouchAttack();
    if (frame >= kWalk && frame <= 233) {
        // A hop without leaving the walk: its timers run on.
        if (BlockedAhead()) {
            vy = kJumpSpeed;
            frame = kJump;
        }
        vx = facing * kWalkSpeed;
    } else if (frame == kJump) {
        if (!ApplyGravity()) frame = kWalk;
        vx = facing * kWalkSpeed;
    } else if (frame == kPray || frame == 236) {
        FireSpiralShot();
        StandFacingPlayer();
    }
}
