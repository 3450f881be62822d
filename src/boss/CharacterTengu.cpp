#include "boss/CharacterTengu.h"

#include <cmath>

#include "character/CharacterAttackEffect.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "frames/FrameTables.h"

namespace {

constexpr int32_t kBladeSpeed = 100;
constexpr int32_t kFeatherSpeed = 40;
// A hop rises at 120 to 129 and leaves its first record near the top.
constexpr int32_t kHopLift = -120;
constexpr int32_t kHopTop = -20;
// The feathers of a fan, six degrees apart.
constexpr double kFanSteps[] = {-0.20944, -0.10472, 0.0, 0.10472, 0.20944};

CCharacter* GamePlayer() { return CGameMain::GetInstance()->m_player; }

}  // namespace

CCharacterTengu::CCharacterTengu() : CCharacterEnemyBoss({10080, kHp, 500, 168, 5, 255, &kCharacterTenguFrames}) {}

CCharacterTengu::Speed CCharacterTengu::Aim(int32_t x, int32_t y, int32_t tx, int32_t ty, double turn,
                                           int32_t speed) {
    const double a = std::atan2(static_cast<double>(tx) - x, static_cast<double>(ty) - y) + turn;
    return {static_cast<int32_t>(std::sin(a) * speed), static_cast<int32_t>(std::cos(a) * speed)};
}

void CCharacterTengu::ChooseNextAttack() {
    if (GameRand() % 40 < 30) SetState(kHop);
    else SetState(kFans);
}

// --- The frame ------------------------------------------------------------------------

void CCharacterTengu::UpdateAttack1() {
    const int32_t block = (frame - kHop) / kHopLength;
    if (block < kHopCount) {
        const int32_t first = kHop + block * kHopLength;
        vx = attackDirX;
        const bool airborne = ApplyGravity();
        if (frame == first) {
            // Landing this early ends the whole attack.
            if (!airborne) {
                vx = vy = 0;
                SetState(EnemyState::Wait);
            } else if (vy >= kHopTop) {
                SetState(frame + 1);
            }
        } else if (!airborne) {
            vx = vy = 0;
            SetState(block + 1 < kHopCount ? first + kHopLength : EnemyState::Wait);
        }
    }
    ClampToStage();
}

void CCharacterTengu::UpdateAttack2() {
    if (frame > kFans + 3) return;
    FacePlayer();
    ApplyGravity();
    vx = 0;
}

// --- Entry actions ------------------------------------------------------------------------

void CCharacterTengu::SetState(int32_t state) {
    if (EnterHookStyleState(state, [this] { ChooseNextAttack(); })) return;
    if (state >= kHop && state < kHop + kHopCount * kHopLength) {
        const int32_t step = (state - kHop) % kHopLength;
        if (step == 0) StartHop();
        else if (step == 2) LooseBlade();
    } else if (state >= kFirstFan && state <= kLastFan) {
        ThrowFan();
    }
    CCharacterEnemyBoss::SetState(state);
}

void CCharacterTengu::StartHop() {
    FacePlayer();
    attackDirX = (GameRand() % 40 + 30) * facing;
    vy = kHopLift - GameRand() % 10;
}

void CCharacterTengu::LooseBlade() {
    const CCharacter* player = GamePlayer();
    if (player == nullptr) return;
    const Speed v = Aim(x, y, player->x, player->y, 0.0, kBladeSpeed);
    SpawnAttackEffect(this, kBlade, facing, x, x, y, y, v.vx, v.vx, v.vy, v.vy);
}

void CCharacterTengu::ThrowFan() {
    const CCharacter* player = GamePlayer();
    if (player == nullptr) return;
    for (double turn : kFanSteps) {
        const Speed v = Aim(x, y, player->x, player->y, turn, kFeatherSpeed);
        const int32_t sx = x + 2 * v.vx, sy = y + 2 * v.vy;
        SpawnAttackEffect(this, kFeather, facing, sx, sx, sy, sy, v.vx, v.vx, v.vy, v.vy);
    }
}
