#include "enemy/CharacterPrincess.h"

#include "character/CharacterEffect.h"
#include "frames/FrameTables.h"

CCharacterPrincess::CCharacterPrincess() {
    ApplyRoster({101, 200, 100, 2, 10, 10, 0, 6, 1, 10, 10, 1, 2});
    frame = kStartPose;
    // A caller that sends her to the hurt record or the wait finds her back
    // in her start pose.
    homeState = kStartPose;
    frameTable.Load(kCharacterPrincessFrames);
}

CCharacterPrincess::~CCharacterPrincess() { RemoveMarker(); }

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
    if (state == kCalling) linksB[0] = SpawnEffect(kMarker, 1, x, x, y - 250, y - 250, 0, 0, 0, 0);
    CCharacterEnemy::SetState(state);
}
