#include "boss/CharacterEnemyBoss.h"

#include <cmath>

#include "character/CharacterAttackEffect.h"
#include "character/CharacterEffect.h"
#include "character/CharacterList.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "player/CharacterPlayer.h"
#include "stage/Event.h"
#include "stage/EventSpot1.h"
#include "ui/Lifebar.h"
#include "win/SoundManager.h"
#include "win/SoundTables.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

constexpr int32_t kDefeatSound = 31;
constexpr int32_t kExplosionSound = 53;
constexpr int32_t kBlastSound = 17;
constexpr int32_t kExplosion = 581;  // attack-effect state

// What the defeat start does to the player.
constexpr int32_t kVictoryHitStop = 10;
constexpr int32_t kVictoryLift = -50;

// Vibration settings.
constexpr int32_t kVibrationNormal = 0;
constexpr int32_t kVibrationStrong = 1;
constexpr int32_t kVibrationMild = 3;

// The hook-style defeat: the boss fades by 2 a frame; 50 frames after it
// has gone the player leaves the stage.
constexpr int32_t kDefeatFadeStep = 2;
constexpr int32_t kStageExitDelay = 50;
constexpr int32_t kOrbRadius = 200;
constexpr int32_t kOrbParameter = 180;

// The switch-style defeat: the last blast after 260 ticks of explosions,
// the fall ends below 8000.
constexpr int32_t kLastBlastTick = 260;
constexpr double kLastBlastScale = 8.0;
constexpr double kSpinPerTick = 0.8;
constexpr int32_t kFallOutY = 8000;

// The camera tour of a fight's start.
constexpr int32_t kTourTravelFrames = 30;

CCharacter* GamePlayer() { return CGameMain::GetInstance()->m_player; }

}  // namespace

CCharacterEnemyBoss::CCharacterEnemyBoss(const Roster& roster) {
    SetCommonScalars(*this);
    typeId = roster.typeId;
    hp = hpMax = roster.hp;
    score = roster.score;
    gravityNum = roster.gravityNum;
    layer = roster.layer;
    alpha = roster.alpha;
    if (roster.frames != nullptr) frameTable.Load(*roster.frames);
}

void CCharacterEnemyBoss::SetCommonScalars(CCharacter& c) {
    c.group = kEnemyGroup;
    c.frame = EnemyState::Entrance;
    c.superArmor = 1;
    c.maxFall = 200;
    c.gravityNum = 6;
    c.gravityDen = 1;
    c.friction = 5;
    c.hoverSpeed = 10;
    c.hoverAmplitude = 10;
    c.hoverNum = 1;
    c.hoverDen = 2;
    c.hoverAcc = 0;
    c.hoverDir = -1;
    c.scaleX = c.scaleY = 2.0;
    c.layer = 168;
    c.controlled = 0;
    c.auxValue = 70;
}

CCharacterEnemyBoss::~CCharacterEnemyBoss() {
    // The life bar never points at a boss that has gone. (The player's aim
    // and hold are dropped by the character core, as for every character.)
    CLifebarController* bars = CLifebarController::GetInstance();
    if (CLifebarEnemy* bar = bars->GetEnemyBar(); bar != nullptr && bar->m_target == this) bars->SetEnemyBar(nullptr);
    if (CLifebarEnemy::GetInstance()->m_target == this) CLifebarEnemy::GetInstance()->m_target = nullptr;
}

// --- The hook-style frame -----------------------------------------------------

void CCharacterEnemyBoss::Update() {
    if (frame != EnemyState::Defeated && frame != EnemyState::BossDefeatFall && !IsOnScreen()) return;
    StepAnimation();
    RearmHits();
    const int32_t f = frame;
    if (f == EnemyState::Hurt) UpdateHurt();
    else if (f >= 110 && f <= 116) UpdateDefeat();
    else if (f == EnemyState::Wait) UpdateWait();
    else if (f >= 230 && f <= 239) UpdateEntrance();
    else if (f >= 240 && f <= 259) UpdateAttack1();
    else if (f >= 260 && f <= 279) UpdateAttack2();
    else if (f >= 280 && f <= 299) UpdateAttack3();
    else if (f >= 420 && f <= 429) UpdateAttack4();
    else if (f >= 430 && f <= 439) UpdateAttack5();
    else if (f >= 440 && f <= 449) UpdateAttack6();
    else if (f >= 450 && f <= 459) UpdateAttack7();
    else if (f >= 460 && f <= 469) UpdateAttack8();
    Move(vx, vy);
}

void CCharacterEnemyBoss::RearmHits() {
    CCharacter* player = GamePlayer();
    if (player == nullptr || !player->AttackHits(this)) invulnerableTimer = 0;
}

void CCharacterEnemyBoss::StepFrame() {
    StepAnimation();
    RearmHits();
}

void CCharacterEnemyBoss::UpdateWait() {
    FacePlayer();
    SetState(homeState);
}
void CCharacterEnemyBoss::UpdateEntrance() {}
void CCharacterEnemyBoss::UpdateAttack1() {}
void CCharacterEnemyBoss::UpdateAttack2() {}
void CCharacterEnemyBoss::UpdateAttack3() {}
void CCharacterEnemyBoss::UpdateAttack4() {}
void CCharacterEnemyBoss::UpdateAttack5() {}
void CCharacterEnemyBoss::UpdateAttack6() {}
void CCharacterEnemyBoss::UpdateAttack7() {}
void CCharacterEnemyBoss::UpdateAttack8() {}

void CCharacterEnemyBoss::UpdateEntranceShared() {
    FacePlayer();
    ApplyGravity();
    const CCharacter* player = GamePlayer();
    if (player != nullptr && player->controlled == 1) SetState(EnemyState::Wait);
}

void CCharacterEnemyBoss::UpdateWaitShared() {
    FacePlayer();
    ApplyGravity();
    ClampToStage();
}

// --- Damage, the defeat start -------------------------------------------------

int32_t CCharacterEnemyBoss::ScaleDamage(int32_t, int32_t damage) {
    if (damage < 100) return damage;
    return 100 + (damage - 100) / 3;
}

void CCharacterEnemyBoss::SetState(int32_t state) {
    if (state == EnemyState::Defeated) {
        PlaySE(kDefeatSound);
        vx = vy = 0;
        // The player stands frozen in its victory pose, out of harm's way,
        // with the clock stopped.
        if (CCharacter* player = GamePlayer()) {
            player->hitStop = kVictoryHitStop;
            player->SetInvulnerable(-1);
            player->vx = 0;
            player->vy = kVictoryLift;
            player->angle = 0.0;
            player->SetState(PlayerState::Victory);
            player->controlled = 0;
            player->SetPlayTimeRunning(false);
        }
        CEffect* effect = CEffect::GetInstance();
        switch (CGameMain::GetInstance()->m_vibration) {
            case kVibrationNormal:
                effect->StartVerticalShake(20, -10, 10, 3);
                break;
            case kVibrationStrong:
                effect->StartShake(0, 0, 0, 100, -10, 10, 20);
                break;
            case kVibrationMild:
                effect->StartVerticalShake(20, -5, 5, 1);
                break;
            default:
                break;
        }
    }
    CCharacter::SetState(state);
}

// --- The hook-style defeat ----------------------------------------------------

void CCharacterEnemyBoss::UpdateDefeat() {
    if (frame == EnemyState::Defeated) {
        if (stateTimer % 2 == 0) ReleaseScoreOrbs();
        alpha -= kDefeatFadeStep;
        if (alpha < 0) {
            alpha = 0;
            SetState(EnemyState::FadeOut);
        }
    } else if (frame == EnemyState::FadeOut) {
        if (stateTimer >= kStageExitDelay) {
            if (CCharacter* player = GamePlayer()) player->SetState(PlayerState::StageExit);
            SetState(EnemyState::Gone);
        }
    }
}

void CCharacterEnemyBoss::ReleaseScoreOrbs() {
    CCharacter* player = GamePlayer();
    const int32_t rate = player != nullptr ? player->GetScoreRate() : 100;
    const double a0 = stateTimer * 0.1;
    for (int32_t k = 0; k < 4; ++k) {
        const double a = a0 + k * kPi / 2;
        const int32_t dx = static_cast<int32_t>(std::sin(a) * kOrbRadius);
        const int32_t dy = static_cast<int32_t>(std::cos(a) * kOrbRadius);
        CCharacterEffect* orb =
            SpawnEffect(CCharacterEffect::kScoreOrb, facing, x + dx, x + dx, y + dy, y + dy, dx, dx, dy, dy);
        if (orb == nullptr) continue;
        orb->SetScore(rate * GetScore() / 100);
        orb->SetScoreRate(rate);
        orb->attackDirX = kOrbParameter;
    }
}

// --- The switch-style defeat -----------------------------------------------------

void CCharacterEnemyBoss::Explode(int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
    PlaySE(kExplosionSound);
    SpawnAttackEffect(this, kExplosion, facing, x0, x1, y0, y1, 0, 0, 0, 0);
}

void CCharacterEnemyBoss::UpdateDefeatExplosions(int32_t spread, int32_t throwSpeed) {
    const int32_t t = stateTimer;
    // Ever more often: every 40 ticks, then 20, 10 and 5.
    const int32_t every = t < 80 ? 40 : t < 140 ? 20 : t < 200 ? 10 : 5;
    if (t < kLastBlastTick && t % every == 0) Explode(x - spread, x + spread, y - spread, y + spread);
    if (t < kLastBlastTick) return;
    PlaySE(kBlastSound);
    if (CCharacterAttackEffect* blast = SpawnAttackEffect(this, kExplosion, facing, x, x, y, y, 0, 0, 0, 0)) {
        blast->scaleX = blast->scaleY = kLastBlastScale;
    }
    CEffect* effect = CEffect::GetInstance();
    effect->StartVerticalShake(60, -20, 20, 1);
    effect->StartFlash(255, 255, 255, 255, 10, 255, 0, 255, 1);
    SetState(EnemyState::BossDefeatFall);
    vy = throwSpeed;
}

void CCharacterEnemyBoss::UpdateDefeatFall() {
    ApplyGravity();
    angle -= facing * kSpinPerTick;
    if (y <= kFallOutY) return;
    if (CCharacter* player = GamePlayer()) {
        player->controlled = 1;
        player->ClearInvulnerable();
    }
    DetachLifebar();
    if (!IsQuietMap()) RestoreStageMusic();
    SetState(EnemyState::Remove);
}

// --- Shared bodies ------------------------------------------------------------------

void CCharacterEnemyBoss::TryReturnToWait() {
    if (GameRand() % 40 < 20) SetState(EnemyState::Wait);
}

void CCharacterEnemyBoss::ClearOtherEnemies() {
    ClearOtherEnemiesBut([this](const CCharacter* c) { return IsOwnPart(c); });
}

void CCharacterEnemyBoss::ClearOtherEnemiesBut(const std::function<bool(const CCharacter*)>& stays) {
    CCharacterList& world = CGameMain::GetInstance()->m_characterList;
    world.ResetCursor();
    while (CCharacter* c = world.GetNext()) {
        if ((c->group & kEnemyGroup) == 0 || c == this) continue;
        if (stays(c)) continue;
        c->SetState(EnemyState::Remove);
    }
}

bool CCharacterEnemyBoss::IsOwnPart(const CCharacter* c) const {
    for (int32_t k = 0; k < 5; ++k)
        if (linksB[k] == c) return true;
    return false;
}

void CCharacterEnemyBoss::HoldPlayer() {
    if (CCharacter* player = GamePlayer()) {
        player->controlled = 0;
        player->vx = 0;
    }
}

void CCharacterEnemyBoss::StartCameraTour(int32_t holdFrames) {
    CEventSpot1* tour = CEventSpot1::GetInstance();
    tour->Init();
    tour->SetFreeze(false);
    tour->AddSpot(this);
    tour->m_travelFrames = kTourTravelFrames;
    tour->m_waitFrames = holdFrames;
    CEvent::GetInstance()->SetEvent(EventId::kSpot);
}

bool CCharacterEnemyBoss::CameraTourRunning() { return CEventSpot1::GetInstance()->IsRunning(); }

void CCharacterEnemyBoss::StartFight(int32_t music, int32_t firstState, bool quietMaps) {
    if (CCharacter* player = GamePlayer()) {
        player->controlled = 1;
        player->ClearInvulnerable();
    }
    if (!quietMaps || !IsQuietMap()) ChangeBossMusic(music);
    SetState(firstState);
    AttachLifebar();
}

// --- The hook-style bosses ------------------------------------------------------------

void CCharacterEnemyBoss::BodyAttack() { AttackAll(&CGameMain::GetInstance()->m_characterList, ~group, 15, 10); }

int32_t CCharacterEnemyBoss::CameraX() { return CGameMain::GetInstance()->GetStageView()->GetCameraX(); }

// --- The ground fighters built alike -----------------------------------------------

void CCharacterEnemyBoss::UpdateTourEntrance(int32_t music) {
    FacePlayer();
    DropToGround();
    HoldPlayer();
    if (frame == EnemyState::FightStart && !CameraTourRunning()) StartFight(music, EnemyState::Wait, false);
}

bool CCharacterEnemyBoss::UpdateEntranceOrWait() {
    switch (frame) {
        case EnemyState::Entrance:
        case EnemyState::FightStart:
            UpdateTourEntrance(kBossMusic);
            return true;
        case EnemyState::Wait:
            UpdateStandingWait();
            return true;
        default:
            return false;
    }
}

void CCharacterEnemyBoss::EnterFightStart(int32_t holdFrames) {
    DropToGround();
    StartCameraTour(holdFrames);
    StopBossMusic();
}

void CCharacterEnemyBoss::EnterWait() {
    frame = pendingState = EnemyState::Wait;
    frameTimer = stateTimer = 0;
}

void CCharacterEnemyBoss::UpdateStandingWait() {
    FacePlayer();
    ApplyGravity();
    vx = 0;
}

void CCharacterEnemyBoss::StartLeap(int32_t lift, int32_t liftSpread) {
    FacePlayer();
    attackDirX = (GameRand() % 30 + 30) * facing;
    vy = lift - GameRand() % liftSpread;
}

void CCharacterEnemyBoss::UpdateLeap() {
    vx = attackDirX;
    if (!ApplyGravity()) {
        vx = vy = 0;
        SetState(EnemyState::Wait);
    } else if (vy >= 0) {
        vx = vy = 0;
        SetState(CurrentRecord().nextState);
    }
}

void CCharacterEnemyBoss::UpdateLeapFall() {
    vx = attackDirX;
    if (!ApplyGravity()) {
        vx = vy = 0;
        SetState(EnemyState::Wait);
    }
}

// --- Music and the life bar -------------------------------------------------------

bool CCharacterEnemyBoss::IsQuietMap() {
    const int32_t map = CGameMain::GetInstance()->m_mapId;
    return map >= kQuietMapFirst && map <= kQuietMapLast;
}

void CCharacterEnemyBoss::ChangeBossMusic(int32_t entry) {
    CSoundManager* sound = CSoundManager::GetInstance();
    const int32_t playing = sound->GetPlayingMusic();
    StopMusic();
    PlayMusic(entry);
    if (playing != -1) sound->ReleaseMusic(playing);
}

void CCharacterEnemyBoss::StopBossMusic() {
    CSoundManager* sound = CSoundManager::GetInstance();
    const int32_t playing = sound->GetPlayingMusic();
    StopMusic();
    if (playing != -1) sound->ReleaseMusic(playing);
}

void CCharacterEnemyBoss::RestoreStageMusic() { ChangeBossMusic(CGameMain::GetInstance()->GetStageView()->GetMusic()); }

void CCharacterEnemyBoss::RequestStageSwitch(int32_t stage) {
    CStageDataControl& control = CGameMain::GetInstance()->m_stageControl;
    control.SetPendingStage(stage);
    control.m_startX = 600;
    control.m_startY = 0;
    control.m_startFacing = 1;
    control.m_transitionType = 0;
    control.m_transitionFrames = 80;
    control.m_warpExtra = -1;
}

void CCharacterEnemyBoss::AttachLifebar() { CLifebarController::GetInstance()->SetEnemyBar(this); }

void CCharacterEnemyBoss::DetachLifebar() { CLifebarController::GetInstance()->SetEnemyBar(nullptr); }
