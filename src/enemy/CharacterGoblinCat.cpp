#include "enemy/CharacterGoblinCat.h"

#include "framework/Random.h"
#include "frames/FrameTables.h"

CCharacterGoblinCat::CCharacterGoblinCat() {
    ApplyRoster({10180, 300, 100, 5, 4, 10, 0, 6, 1, 10, 10, 1, 2});
    frameTable.Load(kCharacterGoblinCatFrames);
}

void CCharacterGoblinCat::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    ChooseHome(id, {{10181, kRun}, {10182, kTurret}});
}

void CCharacterGoblinCat::SetState(int32_t state) {
    if (state == kRun) {
        FacePlayer();
        if (IsAirborne()) return SetState(kLeap);
        if (GameRand() % 2 == 1) return SetState(kPounce);
    } else if (state == kPounce) {
        vy = kPounceSpeed;
        FacePlayer();
    }
    CCharacterEnemy::SetState(state);
}

void CCharacterGoblinCat::UpdateAction230() {
    TouchAttack();
    if (frame == kRun || frame == 231) {
        // A leap without leaving the run: its timers run on.
        if (BlockedAhead()) {
            vy = kLeapSpeed;
            frame = kLeap;
        }
        vx = facing * kRunSpeed;
    } else if (frame == kLeap) {
        if (!ApplyGravity()) frame = kRun;
        vx = facing * kRunSpeed;
    } else if (frame == kPounce) {
        vx = facing * kRunSpeed;
        if (!ApplyGravity()) SetState(kRun);
    }
}
