#include "enemy/CharacterGhost.h"

#include <algorithm>

#include "character/CharacterAttackEffect.h"
#include "character/CharacterEffect.h"
#include "framework/GameMain.h"
#include "frames/FrameTables.h"
#include "win/SoundTables.h"

namespace {

// The blasts of the fade: one every 4 frames within this of the centre.
constexpr int32_t kBlastEvery = 4;
constexpr int32_t kBlastScatter = 200;

}  // namespace

CCharacterGhost::CCharacterGhost() {
    ApplyRoster({kTypeId, 100, 100, 3, 1, 0, 100, 1, 1, 10, 10, 1, 2});
    frameTable.Load(kCharacterGhostFrames);
}

void CCharacterGhost::SetTypeId(int32_t id) {
    // The type id stays the constructor's.
    ChooseHome(id, {{10054, kFadeIn}});
}

void CCharacterGhost::SetState(int32_t state) {
    if (state == kFadeIn) {
        alpha = 0;
    } else if (state == kShoot) {
        PlaySE(kFireSound);
        if (CCharacter* fire = SpawnAttackEffect(this, kFire, facing, x, x, y, y, 0, 0, 0, 0))
            fire->AimAt(CGameMain::GetInstance()->m_player, kFireSpeed);
    }
    CCharacterEnemy::SetState(state);
}

void CCharacterGhost::UpdateDefeat() {
    CCharacterEnemy::UpdateDefeat();
    if (frame == EnemyState::FadeOut && stateTimer % kBlastEvery == 0)
        SpawnEffect(kBlast, facing, x - kBlastScatter, x + kBlastScatter, y - kBlastScatter, y + kBlastScatter, 0, 0, 0,
                    0);
}

void CCharacterGhost::UpdateAction230() {
    TouchAttack();
    if (frame >= kFadeIn && frame <= 235) {
        alpha = std::min(alpha + kFadeInStep, 255);
        UpdateHover();
        FacePlayer();
    }
}
