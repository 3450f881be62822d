#include "boss/CharacterSilvy.h"

#include <cmath>
#include <utility>

#include "character/CharacterAttackEffect.h"
#include "character/CharacterEffect.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "frames/FrameTables.h"
#include "stage/Event.h"
#include "win/SoundTables.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Sounds.
constexpr int32_t kDartSound = 12;
constexpr int32_t kTwinkleSound = 28;
constexpr int32_t kLowShotSound = 50;

// Attack-effect states of her shots.
constexpr int32_t kStar = 750;
constexpr int32_t kDart = 760;
constexpr int32_t kFlame = 770;
// Effect states of the sparkles of her defeat.
constexpr int32_t kSparkleA = 360;
constexpr int32_t kSparkleB = 361;

// The camera rests on her this long at the fight's start.
constexpr int32_t kTourHold = 120;
// The volley's darts leave her this far below her centre.
constexpr int32_t kVolleyDrop = 150;
constexpr int32_t kDartSpeed = 80;
// Her fall hands over to the clear scene below this height.
constexpr int32_t kHandOverY = 6000;

// The four stars of the ring: where they stand in front of her (x along
// her facing), how long each spins before it flies, and its first turn.
struct RingStar {
    int32_t dx, dy, ticks;
    double angle;
};
constexpr RingStar kRingStars[] = {
    {500, -600, 60, 0.0},
    {200, -800, 90, kPi / 2},
    {-200, -800, 120, kPi},
    {-500, -600, 150, 3 * kPi / 2},
};

CCharacter* GamePlayer() { return CGameMain::GetInstance()->m_player; }

}  // namespace

CCharacterSilvy::CCharacterSilvy() : CCharacterEnemyBoss({kTypeId, kHp, 1000, 136, 6, 255, &kCharacterSilvyFrames}) {}

void CCharacterSilvy::ChooseNextAttack() {
    const int32_t r = GameRand() % 80;
    // Nothing while the player is down: the choice is made again next tick.
    const CCharacter* player = GamePlayer();
    if (player == nullptr || player->hp <= 0) return;
    if (r < 20) SetState(kLeap);
    else if (r < 40) SetState(kLowWindUp);
    else if (r < 60) SetState(kRingCall);
    else SetState(kHighLeap);
}

// --- The frame ------------------------------------------------------------------------

void CCharacterSilvy::Update() {
    StepFrame();
    if (UpdateEntranceOrWait()) {
        Move(vx, vy);
        return;
    }
    switch (frame) {
        case kLeap:
        case kHighLeap:
            UpdateLeap();
            break;
        case kLeapFall:
        case kHighFall:
            UpdateLeapFall();
            break;
        case kVolleyA:
        case kVolleyB:
            if (stateTimer % 3 == 0) FireVolleyShot();
            break;
        case EnemyState::BossDefeatFall:
            UpdateThrownUp();
            break;
        case kDropped:
            ApplyGravity();
            if (!IsAirborne()) SetState(kLying);
            break;
        case kShineA:
        case kShineB:
            if (stateTimer % 40 == 1) PlaySE(kTwinkleSound);
            break;
        default:
            break;
    }
    Move(vx, vy);
}

void CCharacterSilvy::FireVolleyShot() {
    CCharacter* player = GamePlayer();
    if (player == nullptr) return;
    PlaySE(kDartSound);
    const int32_t fromY = y + kVolleyDrop;
    const double dx = static_cast<double>(player->GetAnchorX()) - x;
    const double dy = static_cast<double>(player->GetAnchorY()) - fromY;
    // Measured from the downward axis; now and then a tenth of a radian
    // short of the exact line.
    const double a = (std::atan2(dx, dy) * 1000 + VolleyOffset(GameRand())) / 1000;
    const int32_t sx = static_cast<int32_t>(std::sin(a) * kDartSpeed);
    const int32_t sy = static_cast<int32_t>(std::cos(a) * kDartSpeed);
    SpawnAttackEffect(this, kDart, facing, x, x, fromY, fromY, sx, sx, sy, sy);
}

void CCharacterSilvy::UpdateThrownUp() {
    ApplyGravity();
    angle -= facing * 0.8;
    if (y <= kHandOverY) return;
    // Out of the hall: the clear scene, in its own stage.
    CEvent::GetInstance()->SetEvent(kClearEvent);
    DetachLifebar();
    RequestStageSwitch(kClearStage);
    // She has handed over: gone, so that the scene is started once even
    // when the switch waits.
    SetState(EnemyState::Remove);
}

// --- Entry actions ------------------------------------------------------------------------

void CCharacterSilvy::SetState(int32_t state) {
    if (EnterGroundFighterState(state, kTourHold, [this] { ChooseNextAttack(); })) return;
    switch (state) {
        case EnemyState::Defeated:
            // Her first defeat is final.
            CCharacterEnemyBoss::SetState(state);
            StopBossMusic();
            ReleaseDefeatSparkles();
            return;
        case EnemyState::BossDefeatFall:
            vy = -80;
            break;
        case kLeap:
            StartLeap(-130, 20);
            break;
        case kAimedShot:
            ThrowAimedShot();
            break;
        case kLowShot:
            PlaySE(kLowShotSound);
            SpawnAttackEffect(this, kFlame, facing, x, x, y + 190, y + 190, 200 * facing, 200 * facing, 0, 0);
            break;
        case kRingCall:
            FacePlayer();
            break;
        case kRingBurst:
            PlaceRingStars();
            break;
        case kHighLeap:
            StartLeap(-140, 30);
            break;
        default:
            break;
    }
    CCharacterEnemyBoss::SetState(state);
}

void CCharacterSilvy::ThrowAimedShot() {
    PlaySE(kDartSound);
    if (CCharacterAttackEffect* shot = SpawnAttackEffect(this, kDart, facing, x, x, y, y, 0, 0, 0, 0)) {
        shot->AimAt(GamePlayer(), kDartSpeed);
    }
}

void CCharacterSilvy::PlaceRingStars() {
    for (const RingStar& s : kRingStars) {
        const int32_t px = x + s.dx * facing, py = y + s.dy;
        CCharacterAttackEffect* star = SpawnAttackEffect(this, kStar, facing, px, px, py, py, 0, 0, 0, 0);
        if (star == nullptr) continue;
        if (FrameRecord* r = star->frameTable.Find(kStar)) r->stateDuration = s.ticks;
        star->angle = s.angle;
    }
}

void CCharacterSilvy::ReleaseDefeatSparkles() {
    for (int32_t i = 0; i < 10; ++i) {
        for (const auto& [state, speed] : {std::pair{kSparkleA, -5}, {kSparkleA, 5}, {kSparkleB, -5}, {kSparkleB, 5}})
            SpawnEffect(state, facing, x - 200, x + 200, y, y + 200, speed, speed, 0, 0);
    }
}
