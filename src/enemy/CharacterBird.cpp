#include "enemy/CharacterBird.h"

#include <cmath>

#include "character/CharacterAttackEffect.h"
#include "framework/GameMain.h"
#include "frames/FrameTables.h"

namespace {

constexpr int32_t kFlySpeed = 20;
constexpr int32_t kEggEvery = 40;
constexpr int32_t kEggSpeed = 70;
constexpr double kDiveTurn = 0.02;

}  // namespace

CCharacterBird::CCharacterBird() {
    ApplyRoster({11090, 100, 0, 1, 0, 0, 0, 6, 1, 20, 20, 2, 1});
    frameTable.Load(kCharacterBirdFrames);
}

void CCharacterBird::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    if (id == 11090) homeState = kFly;
    else if (id == 11091) homeState = kHover;
}

void CCharacterBird::SetState(int32_t state) {
    if (EnterHomeWhenSeen(state)) return;
    CCharacterEnemy::SetState(state);
}

void CCharacterBird::UpdateAction230() {
    if (frame < kFly || frame > 235) return;
    vx = kFlySpeed * facing;
    if (stateTimer % kEggEvery == 0) SpawnAttackEffect(this, kEgg, facing, x, x, y, y, 0, 0, kEggSpeed, kEggSpeed);
}

void CCharacterBird::UpdateAction250() {
    TouchAttack(20, 100);
    CCharacter* player = CGameMain::GetInstance()->m_player;
    if (frame == kHover || frame == 251) {
        UpdateHover();
        if (player == nullptr) return;
        const double dx = static_cast<double>(player->GetX()) - x;
        const double dy = static_cast<double>(player->GetY()) - y;
        if (static_cast<int32_t>(std::sqrt(dx * dx + dy * dy)) < kDiveReach) {
            const double a = std::atan2(dx, dy);
            attackDirX = vx = static_cast<int32_t>(std::sin(a) * kDiveSpeed);
            attackDirY = vy = static_cast<int32_t>(std::cos(a) * kDiveSpeed);
            SetState(kDive);
        }
    } else if (frame == kDive || frame == 253) {
        SteerToward(player, kDiveSpeed, kDiveTurn);
        facing = vx > 0 ? 1 : -1;
        FaceVelocity();
    }
}
