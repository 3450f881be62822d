#include "boss/CharacterKingTengu.h"

#include <cmath>
#include <cstdlib>

#include "character/CharacterAttackEffect.h"
#include "character/CharacterEffect.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "frames/FrameTables.h"
#include "player/CharacterPlayer.h"
#include "win/SoundTables.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Sounds.
constexpr int32_t kRingSound = 21;
constexpr int32_t kFanSound = 49;
constexpr int32_t kShotSound = 50;
constexpr int32_t kGaleSound = 51;

// Attack-effect states of its shots.
constexpr int32_t kLeafShot = 510;
constexpr int32_t kHummingShot = 520;
constexpr int32_t kBladeShot = 530;
constexpr int32_t kRingShot = 540;
constexpr int32_t kGrowingBall = 550;
constexpr int32_t kGaleStone = 560;
constexpr int32_t kChargedShotState = 570;
// Effect states: the puff of its landing.
constexpr int32_t kLandingPuff = 50;

// The camera rests on it this long at the fight's start.
constexpr int32_t kTourHold = 120;
// The rise ends above this height; the fall back ends at this one.
constexpr int32_t kRiseTop = 1000;
constexpr int32_t kFallBackFloor = 2300;
constexpr int32_t kFlungOutY = -4000;

// Half a view's width and its height, in position units.
int32_t ViewWidth() { return CGameMain::GetInstance()->GetViewWidth() * 10; }
int32_t ViewHeight() { return CGameMain::GetInstance()->GetViewHeight() * 10; }
int32_t StageWidthCells() { return CGameMain::GetInstance()->GetStageView()->GetWidth(); }

}  // namespace

CCharacterKingTengu::CCharacterKingTengu()
    : CCharacterEnemyBoss({kPhase1, kHp, 1000, 136, 6, 255, &kCharacterKingTenguFrames}) {}

int32_t CCharacterKingTengu::DefeatStage() {
    return IsBuildableStage(kDefeatStage) ? kDefeatStage : kFallbackStage;
}

// --- Choice ------------------------------------------------------------------------

void CCharacterKingTengu::ChooseNextAttack() {
    if (typeId == kPhase1) {
        const int32_t r = GameRand() % 100;
        if (hp == 0) {
            // Its first defeat: up into the air, and back as phase 2.
            hoverAmplitude = 10;
            hoverNum = 1;
            hoverDen = 2;
            StartHover();
            SetState(kRise);
        } else if (r < 40) {
            SetState(kLeap);
        } else if (r < 60) {
            SetState(kBladeWindUp);
        } else if (r < 80) {
            SetState(kAimWindUp);
        } else {
            SetState(kRing);
        }
        return;
    }
    const int32_t r = GameRand() % 140;
    if (r < 60) SetState(kFlyBy);
    else if (r < 100) SetState(kGale);
    else SetState(kCharge);
}

// --- The frame ------------------------------------------------------------------------

void CCharacterKingTengu::Update() {
    StepAnimation();
    // Beaten (the first phase at no life, or the last), it takes no more
    // hits.
    if (hp <= 0) invulnerableTimer = -1;
    else RearmHits();
    if (UpdateEntranceOrWait()) {
        Move(vx, vy);
        return;
    }
    switch (frame) {
        case kLeap:
            UpdateLeap();
            break;
        case kFanA:
        case kFanB:
            UpdateFanSweep();
            break;
        case kLeapFall:
            UpdateLeapFall();
            break;
        case kRise:
        case kRise + 1:
            UpdateRise();
            break;
        case kHover:
        case kHover + 1:
            FacePlayer();
            vx = 0;
            UpdateHover();
            break;
        case kCharge:
        case kCharge + 1:
            UpdateHover();
            break;
        case kFlyBy:
        case kFlyBy + 1:
            // Backing toward the nearer edge.
            vx = -150 * facing;
            break;
        case kFlyByFar:
        case kFlyByShot:
            UpdateFlyBy();
            break;
        case kFlyByBack:
        case kFlyByBack + 1:
            vx = 100 * facing;
            break;
        case kGale:
        case kGale + 1:
            UpdateGale();
            break;
        case kChargedShot:
        case kChargedShot + 1:
            UpdateHover();
            if (frame == kChargedShot && frameTimer == 0) FireChargedShot();
            break;
        case kScenePose:
            FacePlayer();
            ApplyGravity();
            break;
        case kSceneGust:
        case kSceneGust + 1:
            FacePlayer();
            ApplyGravity();
            // A wind from the right edge.
            Streak(stateTimer, ViewWidth() + 600, ViewWidth() + 600, 0, ViewHeight(), -600, -300);
            break;
        case EnemyState::Defeated:
            UpdateDefeatExplosions(500, -100);
            break;
        case EnemyState::BossDefeatFall:
            UpdateFlungUp();
            break;
        case kFallBack:
        case kFallBack + 1:
            UpdateFallingBack();
            break;
        case kFadeOut:
            if (CEffect* effect = CEffect::GetInstance(); effect->m_fade == effect->m_fadeTarget) {
                RequestStageSwitch(DefeatStage());
                return;
            }
            break;
        default:
            break;
    }
    Move(vx, vy);
}

void CCharacterKingTengu::UpdateFanSweep() {
    const int32_t t = stateTimer;
    if (t % 3 == 0) PlaySE(kFanSound);
    if (t % 2 != 0) return;
    // From 15 degrees above the level down to 85 below, 10 degrees a tick;
    // always sweeping downward.
    const double a = t * kPi / 18 - kPi / 12;
    const int32_t sx = static_cast<int32_t>(std::cos(a) * 100 * facing);
    const int32_t sy = static_cast<int32_t>(std::sin(a) * 100);
    SpawnAttackEffect(this, kLeafShot, facing, x - 20, x + 20, y - 20, y + 20, sx, sx, sy, sy);
}

void CCharacterKingTengu::UpdateRise() {
    y -= 10;
    UpdateHover();
    if (y >= kRiseTop) return;
    ChangeBossMusic(kLastBossMusic);
    hp = hpMax = kHp;
    typeId += 1;
    targetable = 1;
    ClearInvulnerable();
    SetState(kHover);
}

void CCharacterKingTengu::UpdateFlyBy() {
    vx = 100 * facing;
    CCharacter* player = CGameMain::GetInstance()->m_player;
    if (frame == kFlyByShot && frameTimer == 0 && player != nullptr) {
        const int32_t sx = (player->x - x) / 30, sy = (player->y - y) / 30;
        SpawnAttackEffect(this, kGrowingBall, facing, x, x, y, y, sx, sx, sy, sy);
    }
    // It turns once it is more than a cell beyond the stage's edge.
    const int32_t stageX = GetStageX();
    const int32_t w = StageWidthCells();
    if ((facing == 1 && stageX > (w + 1) * kTileSize) || (facing == -1 && stageX < -kTileSize)) {
        facing = -facing;
        SetState(kFlyByBack);
    }
}

void CCharacterKingTengu::UpdateGale() {
    const int32_t t = stateTimer;
    CCharacter* player = CGameMain::GetInstance()->m_player;
    // Blown away from the boss, unless down already.
    if (player != nullptr && player->hp > 0) player->Move(20 * facing, 0);
    // Streaks and stones start outside the view behind the boss.
    const int32_t half = ViewWidth() / 2;
    const int32_t from = half - (half + 600) * facing;
    Streak(t, from, from, 0, ViewHeight(), 300 * facing, 600 * facing);
    if (t % 10 == 0) SpawnAttackEffect(this, kGaleStone, facing, from, from, 0, ViewHeight(), 80 * facing, 150 * facing, 0, 20);
}

void CCharacterKingTengu::FireChargedShot() {
    PlaySE(kShotSound);
    CCharacterAttackEffect* shot = SpawnAttackEffect(this, kChargedShotState, facing, x, x, y, y, 0, 0, 0, 0);
    if (shot == nullptr) return;
    shot->AimAt(CGameMain::GetInstance()->m_player, 170);
    // Five trails rushing along the shot.
    for (int32_t i = 0; i < 5; ++i) {
        const int32_t r = GameRand() % 80 + 180;
        const int32_t tx = shot->vx * r / 150, ty = shot->vy * r / 150;
        CCharacterEffect* e =
            SpawnEffect(CCharacterEffect::kGale + stateTimer % 4, facing, x - 300, x + 300, y - 300, y + 300, tx, tx, ty, ty);
        if (e == nullptr) continue;
        e->FaceVelocity();
        e->angle += facing * kPi / 2;
        e->x -= 6 * tx;
        e->y -= 6 * ty;
    }
}

void CCharacterKingTengu::UpdateFlungUp() {
    // Spinning up, no gravity.
    angle -= facing * 0.8;
    if (y >= kFlungOutY) return;
    CCharacter* player = CGameMain::GetInstance()->m_player;
    if (player != nullptr) {
        player->ClearInvulnerable();
        player->SetState(PlayerState::ScenePose990);
    }
    DetachLifebar();
    SetState(kFallBack);
    SetStageX(StageWidthCells() * kTileSize / 2);
    SetStageY(-kTileSize);
    // The player turns toward it.
    if (player != nullptr) player->facing = player->x < x ? 1 : -1;
    vy = 15;
}

void CCharacterKingTengu::UpdateFallingBack() {
    if (y < kFallBackFloor) return;
    vy = 0;
    SetState(kLanded);
    if (CCharacterEffect* puff = SpawnEffect(kLandingPuff, facing, x, x, y, y, 0, 0, 0, 0)) {
        puff->alpha = 192;
        puff->stateTimer = 8;
    }
}

void CCharacterKingTengu::Streak(int32_t t, int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t vx0,
                                 int32_t vx1) {
    SpawnEffect(CCharacterEffect::kGale + t % 4, facing, x0, x1, y0, y1, vx0, vx1, 0, 0);
}

// --- Entry actions ------------------------------------------------------------------------

void CCharacterKingTengu::SetState(int32_t state) {
    if (EnterGroundFighterState(state, kTourHold, [this] { ChooseNextAttack(); })) return;
    switch (state) {
        case EnemyState::Defeated:
            if (typeId == kPhase1) {
                // The first defeat is not final: it only takes no more hits
                // until the phase change.
                targetable = 0;
                SetInvulnerable(-1);
                return;
            }
            CCharacterEnemyBoss::SetState(state);
            StopBossMusic();
            return;
        case kFadeOut: {
            CEffect* effect = CEffect::GetInstance();
            effect->m_fade = 0;
            effect->m_fadeTarget = 255;
            effect->m_fadeStep = 3;
            break;
        }
        case kLeap:
            StartLeap(-120, 30);
            break;
        case kBlade:
            ThrowBlade(stateTimer);
            break;
        case kAimWindUp:
        case kRise:
        case kHover:
            FacePlayer();
            break;
        case 282:
        case 283:
        case 284:
        case 285:
            ThrowAimedShot();
            break;
        case kRingShots:
            ReleaseRingShots();
            break;
        case kFlyBy:
            EnterFlyBy();
            break;
        case kFlyByFar:
            EnterFarPass();
            break;
        case kFlyByBack:
            scaleX = scaleY = 2.0;
            y = 1000;
            layer = 168;
            break;
        case kGale:
        case kCharge:
            FacePlayer();
            PlaySE(kGaleSound);
            break;
        default:
            break;
    }
    CCharacterEnemyBoss::SetState(state);
}

void CCharacterKingTengu::ThrowBlade(int32_t tickLeft) {
    PlaySE(kShotSound);
    SpawnAttackEffect(this, kBladeShot, facing, x, x, y, y, 200 * facing, 200 * facing, 0, 0);
    const int32_t w = ViewWidth();
    for (int32_t i = 0; i < 10; ++i)
        Streak(tickLeft, w / 2 - facing * w, w / 2, -600, ViewHeight(), 300 * facing, 600 * facing);
}

void CCharacterKingTengu::ThrowAimedShot() {
    if (CCharacterAttackEffect* shot = SpawnAttackEffect(this, kHummingShot, facing, x, x, y, y, 0, 0, 0, 0)) {
        shot->AimAt(CGameMain::GetInstance()->m_player, 60);
    }
}

void CCharacterKingTengu::ReleaseRingShots() {
    PlaySE(kRingSound);
    for (int32_t k = 0; k < 6; ++k) {
        const double a = k * kPi / 3 + kPi / 6;
        const int32_t sx = static_cast<int32_t>(std::sin(a) * 40 * facing);
        const int32_t sy = static_cast<int32_t>(std::cos(a) * 40 * facing);
        CCharacterAttackEffect* shot = SpawnAttackEffect(this, kRingShot, facing, x, x, y, y, sx, sx, sy, sy);
        if (shot == nullptr) continue;
        shot->attackDirX = sx;
        shot->attackDirY = sy;
        // All six slow to a stop together and fly at the player after 40.
        for (int32_t r = kRingShot; r <= kRingShot + 2; ++r) {
            if (FrameRecord* record = shot->frameTable.Find(r)) record->stateDuration = 40;
        }
    }
}

void CCharacterKingTengu::EnterFlyBy() {
    // It faces away from the nearer stage edge, and backs toward it.
    const int32_t stageX = GetStageX();
    const int32_t far = StageWidthCells() * kTileSize - stageX;
    facing = std::abs(stageX) < std::abs(far) ? 1 : -1;
}

void CCharacterKingTengu::EnterFarPass() {
    // Small and far away, one cell outside the side it backed toward.
    scaleX = scaleY = 1.0;
    y = 1600;
    layer = 136;
    if (facing == 1) SetStageX(-kTileSize);
    else SetStageX((StageWidthCells() + 1) * kTileSize);
}
