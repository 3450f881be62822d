#include "boss/CharacterOneEyedMonster.h"

#include "character/CharacterAttackEffect.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "frames/FrameTables.h"

namespace {

constexpr int32_t kJumpLift = -120;
// The jump covers the way to the player in 24 frames' worth of speed.
constexpr int32_t kJumpFrames = 24;
constexpr int32_t kHopLift = -40;
// Stones fall across the room between these stage positions, from this
// height.
constexpr int32_t kStoneLeft = 420;
constexpr int32_t kStoneRight = 3980;
constexpr int32_t kStoneY = 320;
// The rock leaves its hand this far in front and flies 46 frames' worth
// of the way to the player, thrown up at 138.
constexpr int32_t kHandReach = 150;
// The smash throws its shards from its feet, across this much either side.
constexpr int32_t kFeetDrop = 150;
constexpr int32_t kShardSpread = 150;
constexpr int32_t kRockFrames = 46;
constexpr int32_t kRockLift = -138;

// The four volleys of the smash: shard state and the range of the
// horizontal speed.
struct Volley {
    int32_t state, vx0, vx1;
};
constexpr Volley kVolleys[] = {
    {CCharacterOneEyedMonster::kShardA, -40, 0},
    {CCharacterOneEyedMonster::kShardA, 0, 40},
    {CCharacterOneEyedMonster::kShardB, -40, 0},
    {CCharacterOneEyedMonster::kShardB, 0, 40},
};

CCharacter* GamePlayer() { return CGameMain::GetInstance()->m_player; }

}  // namespace

CCharacterOneEyedMonster::CCharacterOneEyedMonster()
    : CCharacterEnemyBoss({10210, kHp, 500, 168, 5, 255, &kCharacterOneEyedMonsterFrames}) {}

void CCharacterOneEyedMonster::ChooseNextAttack() {
    const int32_t r = GameRand() % 30;
    if (r < 10) SetState(kJump);
    else if (r < 20) SetState(kSmash);
    else SetState(kHops);
}

// The landing shakes the room whatever the vibration setting says.
void CCharacterOneEyedMonster::Land() { CEffect::GetInstance()->StartVerticalShake(40, -10, 10, 1); }

// --- The frame ------------------------------------------------------------------------

void CCharacterOneEyedMonster::UpdateAttack1() {
    if (frame == kJump) {
        vx = attackDirX;
        const CCharacter* player = GamePlayer();
        const int32_t px = player != nullptr ? player->x : x;
        if (!ApplyGravity()) {
            // Down before it got there: no stomp.
            vx = vy = 0;
            Land();
            SetState(EnemyState::Wait);
        } else if ((x - px) * facing >= 0 && vy >= 0) {
            vx = vy = 0;
            SetState(kStomp);
        }
    } else if (frame == kStomp) {
        BodyAttack();
        vx = 0;
        if (!ApplyGravity()) {
            vx = vy = 0;
            Land();
            SetState(EnemyState::Wait);
        }
    }
    ClampToStage();
}

void CCharacterOneEyedMonster::UpdateAttack2() {
    if (frame > kSmash + 3) return;
    FacePlayer();
    ApplyGravity();
    vx = 0;
}

void CCharacterOneEyedMonster::UpdateAttack3() {
    if (frame < kHops || frame > kLastHop) return;
    FacePlayer();
    vx = 0;
    const bool airborne = ApplyGravity();
    const int32_t next = CurrentRecord().nextState;
    if ((frame - kHops) % 2 == 0) {
        // Going up: at the top, a stone.
        if (vy >= 0) {
            DropStone();
            SetState(next);
        }
    } else if (!airborne) {
        DropStone();
        Land();
        if (CCharacter* player = GamePlayer()) player->PushOutOfBlocks();
        SetState(next);
    }
}

// --- Entry actions ------------------------------------------------------------------------

void CCharacterOneEyedMonster::SetState(int32_t state) {
    if (EnterHookStyleState(state, [this] { ChooseNextAttack(); })) return;
    if (state == kJump) {
        const CCharacter* player = GamePlayer();
        attackDirX = player != nullptr ? (player->x - x) / kJumpFrames : 0;
        vy = kJumpLift;
    } else if (state == kDebris) {
        ThrowDebris();
    } else if (state == kThrow) {
        ThrowRock();
    } else if (state >= kHops && state <= kLastHop && (state - kHops) % 2 == 0) {
        vy = kHopLift;
    }
    CCharacterEnemyBoss::SetState(state);
}

void CCharacterOneEyedMonster::DropStone() {
    const int32_t camera = CameraX();
    SpawnAttackEffect(this, kStone, facing, kStoneLeft - camera, kStoneRight - camera, kStoneY, kStoneY, 0, 0, 0, 0);
}

void CCharacterOneEyedMonster::ThrowDebris() {
    const int32_t feet = y + kFeetDrop;
    for (const Volley& v : kVolleys) {
        for (int32_t i = 0; i < 4; ++i)
            SpawnAttackEffect(this, v.state, facing, x - kShardSpread, x + kShardSpread, feet, feet, v.vx0, v.vx1, -40,
                              -20);
    }
}

void CCharacterOneEyedMonster::ThrowRock() {
    const int32_t sx = x + kHandReach * facing;
    const CCharacter* player = GamePlayer();
    const int32_t v = player != nullptr ? (player->x - sx) / kRockFrames : 0;
    SpawnAttackEffect(this, kRock, facing, sx, sx, y, y, v, v, kRockLift, kRockLift);
}
