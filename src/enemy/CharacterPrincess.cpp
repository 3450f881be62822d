#include "enemy/CharacterPrincess.h"

#include "character/CharacterEffect.h"
#include "frames/FrameTables.h"

CCharacterPrincess::CCharacterPrincess() {
    typeId = 101;
    frame = kStartPose;
    hp = hpMax = 200;
    gold = 10;
    gravityNum = 6;
    gravityDen = 1;
    hoverSpeed = 10;
    hoverAmplitude = 10;
    secondItemChance = 0;
    // A caller that sends her to the hurt record or the wait finds her back
    // in her start pose.
    homeState = kStartPose;
    frameTable.Load(kCharacterPrincessFrames);
}

void CCharacterPrincess::Update() {
    StepAnimation();
    if (!IsNearScreen()) alive = 0;
    if (frame == EnemyState::Hurt) UpdateHurt();
    else if (frame == EnemyState::Wait) UpdateWait();
    else if (frame == kJumpingDown) vy = kSinkSpeed;
    Move(vx, vy);
}

void CCharacterPrincess::RemoveMarker() {
    if (linksB[0] != nullptr) linksB[0]->SetState(EnemyState::Remove);
    linksB[0] = nullptr;
}

void CCharacterPrincess::SetState(int32_t state) {
    const bool calling = frame == kCalling || frame == kCalling + 1;
    if (calling && state != kCalling && state != kCalling + 1) RemoveMarker();
    if (state == kCalling) {
        // Called again while calling: one marker, not two.
        RemoveMarker();
        linksB[0] = SpawnEffect(kMarker, 1, x, x, y - 250, y - 250, 0, 0, 0, 0);
    }
    CCharacterEnemy::SetState(state);
}
