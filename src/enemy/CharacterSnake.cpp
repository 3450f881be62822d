#include "enemy/CharacterSnake.h"

#include "frames/FrameTables.h"

CCharacterSnake::CCharacterSnake() {
    ApplyRoster({10030, 200, 100, 4, 2, 10, 0, 6, 1, 10, 10, 1, 2});
    frameTable.Load(kCharacterSnakeFrames);
}

void CCharacterSnake::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    ChooseHome(id, {{10031, kCrawl}, {10032, kDrift}});
}

void CCharacterSnake::SetState(int32_t state) {
    TurnWhenFar(state);
    CCharacterEnemy::SetState(state);
}

void CCharacterSnake::UpdateAction230() {
    TouchAttack();
    if (frame != kCrawl && frame != 231) return;
    // Back from walls and from the first frame its belly leaves the ground.
    // Having crawled off a ledge (it stood there a frame ago), it turns
    // back to where it last had ground, or it would drop down the ledge's
    // side before its step back.
    if (BlockedAhead()) {
        facing = -facing;
        if (vy == 0 && IsAirborne()) x = prevX;
    }
    ApplyGravity();
    vx = facing * kCrawlSpeed;
}
