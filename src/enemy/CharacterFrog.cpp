#include "enemy/CharacterFrog.h"

#include "frames/FrameTables.h"

CCharacterFrog::CCharacterFrog() {
    ApplyRoster({10230, 200, 100, 3, 2, 10, 0, 6, 1, 10, 10, 1, 2});
    frameTable.Load(kCharacterFrogFrames);
}

void CCharacterFrog::SetTypeId(int32_t id) {
    // 10233 maps to no variant: with no home state it removes itself.
    CCharacter::SetTypeId(id);
    ChooseHome(id, {{10231, kSit}, {10232, kTurret}});
}

void CCharacterFrog::SetState(int32_t state) {
    if (state == kHop) vy = kHopSpeed;
    CCharacterEnemy::SetState(state);
}

void CCharacterFrog::UpdateAction230() {
    TouchAttack();
    if (frame == kSit) {
        vx = 0;
        FacePlayer();
        ApplyGravity();
    } else if (frame == kHop) {
        vx = facing * kHopForward;
        if (!ApplyGravity()) {
            vx = vy = 0;
            SetState(kSit);
        }
    }
}
