#include "enemy/CharacterFlower.h"

#include "framework/Random.h"
#include "frames/FrameTables.h"

namespace {

constexpr int32_t kDamage = 100;

}  // namespace

CCharacterFlower::CCharacterFlower() {
    ApplyRoster({11080, 100, 0, 1, 0, 0, 0, 10, 1, 10, 10, 1, 2});
    frameTable.Load(kCharacterFlowerFrames);
}

void CCharacterFlower::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    if (id != 11080 && id != 11081) return;
    homeState = id == 11080 ? kReady : kReadyForward;
    // Defeated, both wilt.
    RepointRecords({EnemyState::Defeated, EnemyState::FadeOut}, 45, 140, 22);
    if (id != 11081) return;
    for (int32_t index : {EnemyState::Hurt, EnemyState::Defeated, EnemyState::FadeOut}) {
        FrameRecord* r = frameTable.Find(index);
        if (r == nullptr) continue;
        r->solidLeft = r->solidRight = 0;
        r->solidTopLeft = r->solidTopRight = r->solidBottomLeft = r->solidBottomRight = 0;
        r->attackLeft = r->attackRight = r->attackTop = r->attackBottom = 0;
        if (index != EnemyState::Hurt) r->hurtLeft = r->hurtRight = r->hurtTop = r->hurtBottom = 0;
    }
}

void CCharacterFlower::SetState(int32_t state) {
    if (state == kHop) {
        vy = -130;
    } else if (state == kHopForward) {
        // A long low hop or a short high one.
        if (GameRand() % 2 == 1) {
            vx = 30 * facing;
            vy = -100;
        } else {
            vx = 10 * facing;
            vy = -130;
        }
    }
    CCharacterEnemy::SetState(state);
}

void CCharacterFlower::UpdateAction230() {
    TouchAttack(18, kDamage);
    if (frame == kReady) FacePlayer();
    else if (frame == kHop && !ApplyGravity()) SetState(kReady);
}

void CCharacterFlower::UpdateAction250() {
    TouchAttack(19, kDamage);
    if (frame == kReadyForward) {
        FacePlayer();
    } else if (frame == kHopForward && !ApplyGravity()) {
        SetState(kReadyForward);
        vx = 0;
    }
}
