#include "boss/CharacterBossGhost.h"

#include "character/CharacterAttackEffect.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "frames/FrameTables.h"
#include "win/SoundTables.h"

namespace {

constexpr int32_t kFireSound = 21;
constexpr int32_t kPatrolSpeed = 10;
// The turning points of its patrol and the width its fire falls across,
// in stage units.
constexpr int32_t kPatrolLeft = 400;
constexpr int32_t kPatrolRight = 4000;
constexpr int32_t kRoomWidth = 4400;

}  // namespace

CCharacterBossGhost::CCharacterBossGhost()
    : CCharacterEnemyBoss({10050, kHp, 500, 168, 6, 255, &kCharacterBossGhostFrames}) {}

bool CCharacterBossGhost::FiresAt(int32_t record, int32_t hp, int32_t hpMax) {
    if (record == kFirstFire) return true;
    const int32_t fifthsLeft = kLastFire + 1 - record;  // 4 for 242 .. 1 for 245
    return hp <= fifthsLeft * (hpMax / 5);
}

void CCharacterBossGhost::ChooseNextAttack() {
    (void)GameRand();
    SetState(kRain);
}

void CCharacterBossGhost::UpdateEntrance() {
    FacePlayer();
    UpdateHover();
    ClampToStage();
    const CCharacter* player = CGameMain::GetInstance()->m_player;
    if (player != nullptr && player->controlled == 1) SetState(EnemyState::Wait);
}

void CCharacterBossGhost::Patrol() {
    UpdateHover();
    ClampToStage();
    vx = facing * kPatrolSpeed;
    const int32_t camera = CameraX();
    if (x > kPatrolRight - camera) facing = -1;
    if (x < kPatrolLeft - camera) facing = 1;
}

void CCharacterBossGhost::SetState(int32_t state) {
    if (EnterHookStyleState(state, [this] { ChooseNextAttack(); })) return;
    if (state >= kFirstFire && state <= kLastFire) {
        // The rain ends as soon as a fire would not fall.
        if (!FiresAt(state, hp, hpMax)) {
            SetState(EnemyState::Wait);
            return;
        }
        PlaySE(kFireSound);
        const int32_t camera = CameraX();
        SpawnAttackEffect(this, kFire, facing, -camera, kRoomWidth - camera, y - 800, y - 400, 0, 0, 0, 0);
    }
    CCharacterEnemyBoss::SetState(state);
}
