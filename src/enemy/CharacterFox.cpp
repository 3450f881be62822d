#include "enemy/CharacterFox.h"

#include "character/CharacterAttackEffect.h"
#include "frames/FrameTables.h"

CCharacterFox::CCharacterFox() {
    ApplyRoster({10130, 500, 100, 6, 4, 10, 0, 6, 1, 10, 10, 1, 2});
    frameTable.Load(kCharacterFoxFrames);
}

void CCharacterFox::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    ChooseHome(id, {{10131, kSit}, {10132, kIdle}});
}

void CCharacterFox::SetState(int32_t state) {
    // While its fox-fire lives it keeps sitting; the record chain asks again
    // every frame, as its state timer runs on.
    if (state == kCrouch && linksB[0] != nullptr) return;
    if (state == kCast) {
        const int32_t ax = x + facing * kFoxFireAhead;
        const int32_t v = facing * kFoxFireSpeed;
        if (CCharacterAttackEffect* fire = SpawnAttackEffect(this, kFoxFire, facing, ax, ax, y, y, v, v, 0, 0)) {
            linksB[0] = fire;
            fire->linksA[0] = this;
        }
    }
    CCharacterEnemy::SetState(state);
}
