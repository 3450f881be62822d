#include "boss/CharacterBigGhost.h"

#include "character/CharacterEffect.h"
#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "frames/FrameTables.h"
#include "win/SoundTables.h"

namespace {

constexpr int32_t kCallSound = 21;
constexpr int32_t kGhostSound = 22;
constexpr int32_t kTourHold = 300;
constexpr int32_t kDriftSpeed = 5;
constexpr int32_t kLastBlastTick = 260;

// The flash phases the white-out goes through.
constexpr int32_t kFlashOff = 0;
constexpr int32_t kFlashRising = 1;
constexpr int32_t kFlashHolding = 2;

}  // namespace

CCharacterBigGhost::CCharacterBigGhost()
    : CCharacterSwitchBoss({kTypeId, kHp, 200000, 136, 6, 255, &kCharacterBigGhostFrames}) {
    // The veil is made with its first frame: the factory puts nothing into
    // the world.
    pendingState = EnemyState::Entrance;
}

void CCharacterBigGhost::MakeVeil() {
    CCharacterEffect* veil = SpawnEffect(kVeil, 1, 0, 0, 0, 0, 0, 0, 0, 0);
    linksB[0] = veil;
    if (veil == nullptr) return;
    veil->colorR = veil->colorG = veil->colorB = 0;
    veil->alpha = 128;
    veil->group = kEnemyGroup;
}

bool CCharacterBigGhost::LightOn(int32_t flag) {
    CGameMain* game = CGameMain::GetInstance();
    return game->m_slotData[game->m_currentSlot].GetSlotFlag(flag) == 1;
}

void CCharacterBigGhost::SetLight(int32_t flag, bool on) {
    CGameMain* game = CGameMain::GetInstance();
    game->m_slotData[game->m_currentSlot].SetSlotFlag(flag, on ? 1 : 0);
}

void CCharacterBigGhost::ApplyStageColour() {
    const int32_t lit = (LightOn(kFirstLight) ? 1 : 0) + (LightOn(kSecondLight) ? 1 : 0);
    CCharacter* veil = linksB[0];
    if (lit < 2) {
        targetable = 0;
        SetInvulnerable(-1);
        if (lit == 0) {
            alpha = 0;
        } else {
            colorR = colorG = colorB = 128;
            alpha = 128;
        }
        if (veil != nullptr) veil->alpha = lit == 0 ? 128 : 64;
        return;
    }
    if (targetable != 0) return;
    targetable = 1;
    ClearInvulnerable();
    colorR = colorG = colorB = 255;
    alpha = 255;
    if (veil != nullptr) veil->alpha = 0;
}

int32_t CCharacterBigGhost::CountGhosts() {
    CCharacterList& world = CGameMain::GetInstance()->m_characterList;
    world.ResetCursor();
    int32_t n = 0;
    while (CCharacter* c = world.GetNext())
        if (c->typeId == kMinionType) ++n;
    return n;
}

void CCharacterBigGhost::ClearOtherEnemies() {
    // No part of it stays: the veil goes with the ghosts.
    ClearOtherEnemiesBut([](const CCharacter*) { return false; });
}

int32_t CCharacterBigGhost::CallInterval() const { return 120 - 10 * FifthsLost(); }

// --- The frame -------------------------------------------------------------------

void CCharacterBigGhost::Update() {
    StepFrame();
    const int32_t f = frame;
    CStageView* stage = CGameMain::GetInstance()->GetStageView();
    if (f == EnemyState::Entrance) {
        if (linksB[0] == nullptr) MakeVeil();
        FacePlayer();
    } else if (f >= EnemyState::FightStart && f <= 238) {
        FacePlayer();
        ApplyStageColour();
        UpdateHover();
        if (f <= 236) {
            if (CCharacter* player = CGameMain::GetInstance()->m_player) player->controlled = 0;
        } else if (!CameraTourRunning()) {
            StartFight(kBossMusic, kFight, true);
        }
    } else if (f >= kFight && f <= kFight + 7) {
        ApplyStageColour();
        UpdateHover();
        vx = facing * kDriftSpeed;
        // It turns at 1200 from either end of the stage.
        const int32_t stageX = stage->GetCameraX() + x;
        if (stageX < 1200) facing = 1;
        if (stageX > (stage->GetWidth() - 3) * kTileSize) facing = -1;
        if (stateTimer % CallInterval() == 0) CallGhost();
    } else if (f == EnemyState::Defeated) {
        UpdateDefeatBlasts();
    } else if (f == EnemyState::BossDefeatFall) {
        const int32_t phase = CEffect::GetInstance()->m_flashPhase;
        if (phase == kFlashRising) {
            Blast();
        } else if (phase == kFlashHolding) {
            alpha = 0;
        } else if (phase == kFlashOff) {
            HandBackControl();
            SetState(EnemyState::Remove);
        }
    }
    Move(vx, vy);
}

void CCharacterBigGhost::CallGhost() {
    CGameMain* game = CGameMain::GetInstance();
    const CCharacter* player = game->m_player;
    if (player == nullptr || player->hp <= 0 || CountGhosts() >= kMaxMinions) return;
    PlaySE(kCallSound);
    const int32_t stageRight = (game->GetStageView()->GetWidth() - 3) * kTileSize;
    int32_t px = 0, py = 0;
    // No point far enough from the player in the room: no ghost this time.
    if (!DrawRoomPoint({1900, -1400, 2000, 1200, stageRight, 800, false}, px, py)) return;
    if (CCharacter* ghost = CreateCharacter(kMinionMade)) {
        game->m_characterList.Add(ghost);
        ghost->x = px;
        ghost->y = py;
    }
}

void CCharacterBigGhost::Blast() { SpawnEffect(kBlast, facing, x - 500, x + 500, y - 500, y + 500, 0, 0, 0, 0); }

void CCharacterBigGhost::UpdateDefeatBlasts() {
    const int32_t t = stateTimer;
    if (t >= kLastBlastTick) {
        CEffect::GetInstance()->StartFlash(255, 255, 255, 255, 1, 16, 40, 8, 0);
        SetState(EnemyState::BossDefeatFall);
        return;
    }
    if (t < 200) {
        const int32_t every = t < 40 ? 40 : t < 140 ? 10 : 5;
        if (t % every == 0) {
            PlaySE(kGhostSound);
            Blast();
        }
        return;
    }
    // The last minute: a blast every frame while it darkens to black.
    Blast();
    if (t % 3 == 0) PlaySE(kGhostSound);
    colorR -= 4;
    colorG -= 4;
    colorB -= 4;
    if (colorR < 0) colorR = colorG = colorB = 0;
}

// --- Entry actions -----------------------------------------------------------------

void CCharacterBigGhost::SetState(int32_t state) {
    switch (state) {
        case EnemyState::Remove:
            ClearOtherEnemies();
            break;
        case EnemyState::Defeated:
            CCharacterEnemyBoss::SetState(state);
            ClearOtherEnemies();
            vx = vy = 0;
            StopMusicUnlessQuiet();
            return;
        case EnemyState::ChooseAttack:
            TryReturnToWait();
            return;
        case EnemyState::Entrance:
            MakeVeil();
            break;
        case 231:
        case 232:
            StartCameraTour(kTourHold);
            StopMusicUnlessQuiet();
            break;
        case 233:
        case 234:
            PlaySE(kGhostSound);
            SetLight(kFirstLight, true);
            break;
        case 235:
        case 236:
            PlaySE(kGhostSound);
            SetLight(kSecondLight, true);
            break;
        case 237:
        case 238:
            PlaySE(kGhostSound);
            SetLight(kFirstLight, false);
            SetLight(kSecondLight, false);
            break;
        default:
            break;
    }
    CCharacterEnemyBoss::SetState(state);
}
