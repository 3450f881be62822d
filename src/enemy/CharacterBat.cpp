#include "enemy/CharacterBat.h"

#include <cmath>

#include "framework/GameMain.h"
#include "frames/FrameTables.h"

namespace {

// The circling and homing bats steer every third frame.
constexpr int32_t kSteerEvery = 3;
constexpr double kCircleTurn = 0.1;
constexpr double kHomingTurn = 0.2;
// Pressed against the ceiling above while it hangs.
constexpr int32_t kCeilingReach = -1000;
// The hanging picture, shown also when a hanging bat is hurt or defeated.
constexpr int32_t kHangU = 140;
constexpr int32_t kHangV = 142;

}  // namespace

CCharacterBat::CCharacterBat() {
    ApplyRoster({10220, 200, 100, 2, 2, 10, 0, 6, 1, 20, 20, 2, 1});
    frameTable.Load(kCharacterBatFrames);
}

void CCharacterBat::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    ChooseHome(id, {{10221, kStraight}, {10222, kCircle}, {10223, kHoming}, {10227, kHanging}});
    if (id == 10222) vx = kStartSpeed;
    if (id == 10222 || id == 10223 || id == 10227) {
        attackDirX = kStartSpeed;
        attackDirY = 0;
    }
    if (id == 10227) RepointHurtAndDefeat(31, kHangU, kHangV);
}

void CCharacterBat::FaceFlight() {
    if (vx < 0) facing = -1;
    else if (vx > 0) facing = 1;
}

void CCharacterBat::UpdateAction230() {
    TouchAttack();
    if (frame == kStraight || frame == 231) FlyForward(kStraightSpeed);
}

void CCharacterBat::UpdateAction250() {
    TouchAttack();
    if ((frame != kCircle && frame != 251) || frameTimer % kSteerEvery != 0) return;
    const double a = std::atan2(static_cast<double>(attackDirX), static_cast<double>(attackDirY)) + kCircleTurn;
    attackDirX = vx = static_cast<int32_t>(std::sin(a) * kCircleSpeed);
    attackDirY = vy = static_cast<int32_t>(std::cos(a) * kCircleSpeed);
    FaceFlight();
}

void CCharacterBat::UpdateAction270() {
    TouchAttack();
    if ((frame != kHoming && frame != 271) || frameTimer % kSteerEvery != 0) return;
    vx = attackDirX;
    vy = attackDirY;
    SteerToward(CGameMain::GetInstance()->m_player, kHomingSpeed, kHomingTurn);
    attackDirX = vx;
    attackDirY = vy;
    FaceFlight();
}

void CCharacterBat::UpdateAction290() {
    TouchAttack();
    if (frame != kHanging) return;
    Move(0, kCeilingReach);
    FacePlayer();
    double dx = 0;
    double dy = 0;
    if (!PlayerOffset(dx, dy) || static_cast<int32_t>(std::sqrt(dx * dx + dy * dy)) >= kWakeReach) return;
    const double a = std::atan2(dx, dy);
    attackDirX = vx = static_cast<int32_t>(std::sin(a) * kHomingSpeed);
    attackDirY = vy = static_cast<int32_t>(std::cos(a) * kHomingSpeed);
    FaceFlight();
    homeState = kHoming;
    SetState(kHoming);
}
