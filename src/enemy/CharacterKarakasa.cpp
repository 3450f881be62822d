#include "enemy/CharacterKarakasa.h"

#include "frames/FrameTables.h"

CCharacterKarakasa::CCharacterKarakasa() {
    ApplyRoster({10010, 200, 100, 4, 1, 10, 0, 6, 1, 10, 10, 1, 2});
    frameTable.Load(kCharacterKarakasaFrames);
}

void CCharacterKarakasa::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    ChooseHome(id, {{10011, kAir}, {10012, kDrift}});
}

void CCharacterKarakasa::SetState(int32_t state) {
    TurnWhenFar(state);
    if (state == kSpring) {
        vx = 0;
        vy = kHopSpeed;
    }
    CCharacterEnemy::SetState(state);
}

void CCharacterKarakasa::UpdateAction230() {
    TouchAttack();
    if (frame == kAir || frame == kSpring) {
        if (!ApplyGravity()) SetState(kStand);
    } else if (frame == kStand) {
        FacePlayer();
        if (ApplyGravity()) SetState(kAir);
    }
}
