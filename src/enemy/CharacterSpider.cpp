#include "enemy/CharacterSpider.h"

#include <cmath>

#include "character/CharacterAttackEffect.h"
#include "frames/FrameTables.h"

CCharacterSpider::CCharacterSpider() {
    ApplyRoster({10150, 100, 100, 4, 2, 10, 0, 6, 1, 10, 10, 1, 2});
    frameTable.Load(kCharacterSpiderFrames);
}

void CCharacterSpider::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    ChooseHome(id, {{10151, kDescend}, {10152, kHang}});
}

void CCharacterSpider::SetState(int32_t state) {
    switch (state) {
        case 233:
        case 235:
        case 239:
        case 241:
        case 253:
        case 255:
            Burst();
            break;
        default:
            break;
    }
    CCharacterEnemy::SetState(state);
}

void CCharacterSpider::Burst() {
    constexpr double kDegree = 3.14159265358979323846 / 180;
    for (int32_t degrees = 30; degrees < 360; degrees += 60) {
        const double a = degrees * kDegree;
        const int32_t bvx = static_cast<int32_t>(kWebBallSpeed * std::sin(a));
        const int32_t bvy = static_cast<int32_t>(kWebBallSpeed * std::cos(a));
        SpawnAttackEffect(this, kWebBall, facing, x, x, y, y, bvx, bvx, bvy, bvy);
    }
}

void CCharacterSpider::UpdateAction230() {
    vx = vy = 0;
    if (frame == kDescend || frame == 231) vy = kThreadSpeed;
    else if (frame == kClimb || frame == 237) vy = -kThreadSpeed;
    FacePlayer();
}

void CCharacterSpider::UpdateAction250() {
    if (frame >= kHang && frame <= 255) {
        vx = vy = 0;
        FacePlayer();
    }
}
