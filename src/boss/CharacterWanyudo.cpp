#include "boss/CharacterWanyudo.h"

#include <cmath>

#include "character/CharacterAttackEffect.h"
#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "frames/FrameTables.h"
#include "win/SoundTables.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180;

constexpr int32_t kBurstSound = 22;
constexpr int32_t kExplosionSound = 53;
constexpr int32_t kBlastSound = 17;
constexpr int32_t kExplosion = 581;
constexpr int32_t kTourHold = 200;
constexpr int32_t kDefeatTourHold = 340;
constexpr int32_t kFlameRing = 200;
constexpr int32_t kSplinterSpeed = 30;
constexpr int32_t kDefeatSpeed = 80;
constexpr int32_t kLastBlastTick = 260;

// What a contact on each side does: the side (as TouchesSolid counts it),
// the splinters' starting point off the face and their four angles
// (degrees, measured from straight down).
struct SideBurst {
    int32_t side, dx, dy;
    int32_t angles[4];
};
constexpr SideBurst kBursts[] = {
    {1, 0, -300, {-60, -20, 20, 60}},
    {4, 0, 300, {120, 160, 200, 240}},
    {2, -300, 0, {30, 70, 110, 150}},
    {3, 300, 0, {210, 250, 290, 330}},
};

}  // namespace

CCharacterWanyudo::CCharacterWanyudo()
    : CCharacterSwitchBoss({kFace, kHp, 200000, 136, 6, 255, &kCharacterWanyudoFrames}) {}

void CCharacterWanyudo::SetTypeId(int32_t id) {
    typeId = id;
    int32_t start = 0, home = 0;
    switch (id) {
        case kFace:
            start = EnemyState::Entrance;
            home = 240;
            break;
        case kWheel:
            start = home = kWheelRiding;
            break;
        case kFlame:
            start = home = kFlameBurning;
            break;
        default:
            return;
    }
    SetState(start);
    homeState = home;
}

int32_t CCharacterWanyudo::GetSpeed() { return 30 + 5 * FifthsLost(); }

void CCharacterWanyudo::ConsumeStateChange() {
    if (pendingState == 0 || pendingState == kBounce) {
        // Each bout of bouncing starts at a random point of its timer, in a
        // random one of the four diagonals.
        stateTimer = GameRand() % 100;
        stateTimer = GameRand() % 100;
        facing = (GameRand() & 1) != 0 ? 1 : -1;
        verticalDirection = (GameRand() & 1) != 0 ? 1 : -1;
    }
    CCharacter::ConsumeStateChange();
}

void CCharacterWanyudo::ClearOtherEnemies() {
    // Its parts stay (the wheel among them), and so do the wheel's flames.
    const CCharacter* wheel = Wheel();
    ClearOtherEnemiesBut([this, wheel](const CCharacter* c) {
        if (IsOwnPart(c)) return true;
        if (wheel == nullptr) return false;
        for (int32_t k = 0; k < kFlames; ++k)
            if (wheel->linksB[k] == c) return true;
        return false;
    });
}

void CCharacterWanyudo::Spin(double by) {
    if (CCharacter* wheel = Wheel()) wheel->relativeAngle += by;
}

// --- The frame ------------------------------------------------------------------

void CCharacterWanyudo::Update() {
    StepFrame();
    switch (frame) {
        case EnemyState::Entrance:
            FacePlayer();
            HoldPlayer();
            break;
        case 232:
            Spin(0.01 * stateTimer);
            break;
        case 233:
            // The wheel gathers speed and the flames kindle.
            Spin(0.3);
            if (CCharacter* wheel = Wheel()) {
                for (int32_t k = 0; k < kFlames; ++k)
                    if (CCharacter* flame = wheel->linksB[k]) flame->AddAlphaClamped(8, 0, 192);
            }
            break;
        case 234:
            Spin(0.3 - 0.005 * stateTimer);
            break;
        case kWaitTour:
            Spin(0.1);
            if (!CameraTourRunning()) StartFight(kBossMusic, kBounce, true);
            break;
        case kBounce:
            Spin(0.1);
            TestSides(true);
            vx = GetSpeed() * facing;
            vy = GetSpeed() * verticalDirection;
            break;
        case kSquash:
            vx = vy = 0;
            break;
        case kWheelRiding:
            FollowParent();
            break;
        case kFlameBurning:
        case kFlameBurning + 1:
        case kFlameBurning + 2:
        case kFlameBurning + 3:
            // Round with the wheel, but always upright.
            if (linksA[0] != nullptr) relativeAngle = -linksA[0]->relativeAngle;
            FollowParent();
            break;
        case EnemyState::BossDefeatFall:
            UpdateDefeatBounce();
            break;
        case kFadeOut:
        case kWheelFading:
            AddAlphaClamped(-32, 0, 255);
            break;
        default:
            break;
    }
    Move(vx, vy);
}

void CCharacterWanyudo::TestSides(bool burst) {
    for (const SideBurst& b : kBursts) {
        if (!TouchesSideOrEdge(b.side)) continue;
        if (b.side == 1) verticalDirection = 1;
        else if (b.side == 4) verticalDirection = -1;
        else if (b.side == 2) facing = 1;
        else facing = -1;
        if (burst) Burst(b.side);
    }
}

void CCharacterWanyudo::Burst(int32_t side) {
    PlaySE(kBurstSound);
    CEffect::GetInstance()->StartVerticalShake(20, -10, 10, 3);
    for (const SideBurst& b : kBursts) {
        if (b.side != side) continue;
        const int32_t px = x + b.dx, py = y + b.dy;
        for (int32_t degrees : b.angles) {
            const double a = degrees * kDegree;
            const auto sx = static_cast<int32_t>(kSplinterSpeed * std::sin(a));
            const auto sy = static_cast<int32_t>(kSplinterSpeed * std::cos(a));
            SpawnAttackEffect(this, kSplinter, facing, px, px, py, py, sx, sx, sy, sy);
        }
    }
    SetFrame(kSquash);
}

void CCharacterWanyudo::UpdateDefeatBounce() {
    Spin(0.2);
    TestSides(false);
    vx = facing * kDefeatSpeed;
    vy = verticalDirection * kDefeatSpeed;
    const int32_t t = stateTimer;
    if (t >= kLastBlastTick) {
        Finale();
        return;
    }
    auto explode = [this] {
        SpawnAttackEffect(this, kExplosion, facing, x - 200, x + 200, y - 200, y + 200, 0, 0, 0, 0);
    };
    const int32_t every = t < 80 ? 40 : t < 140 ? 20 : t < 200 ? 10 : 5;
    if (t % every == 0) {
        PlaySE(kExplosionSound);
        explode();
    }
    if (t >= 200 && t % 2 == 0) explode();
}

void CCharacterWanyudo::Finale() {
    vx = vy = 0;
    PlaySE(kBlastSound);
    if (CCharacterAttackEffect* blast = SpawnAttackEffect(this, kExplosion, facing, x, x, y, y, 0, 0, 0, 0))
        blast->scaleX = blast->scaleY = 8.0;
    CEffect* effect = CEffect::GetInstance();
    effect->StartVerticalShake(60, -20, 20, 1);
    effect->StartFlash(255, 255, 255, 255, 10, 255, 0, 255, 1);
    SetState(kFadeOut);
    CCharacter* wheel = Wheel();
    if (wheel == nullptr) return;
    wheel->SetState(kWheelFading);
    for (int32_t i = 0; i < kFlames; ++i) {
        CCharacter* flame = wheel->linksB[i];
        if (flame == nullptr) continue;
        const double a = i * 45 * kDegree;
        flame->SetState(kFlameFlying);
        flame->x = static_cast<int32_t>(x + kFlameRing * std::sin(a));
        flame->y = static_cast<int32_t>(y + kFlameRing * std::cos(a));
        flame->vx = static_cast<int32_t>(100 * std::sin(a));
        flame->vy = static_cast<int32_t>(100 * std::cos(a));
    }
}

// --- Entry actions -----------------------------------------------------------------

void CCharacterWanyudo::BuildWheel() {
    CCharacterList& world = CGameMain::GetInstance()->m_characterList;
    CCharacter* wheel = CreateCharacter(kWheel);
    linksB[0] = wheel;
    if (wheel == nullptr) return;
    wheel->linksA[0] = this;
    wheel->parentOffsetX = wheel->parentOffsetY = 0;
    wheel->layer = layer - 1;
    wheel->x = x;
    wheel->y = y;
    world.Add(wheel);
    for (int32_t i = 0; i < kFlames; ++i) {
        CCharacter* flame = CreateCharacter(kFlame);
        wheel->linksB[i] = flame;
        if (flame == nullptr) continue;
        const double a = i * 45 * kDegree;
        flame->linksA[0] = wheel;
        flame->parentOffsetX = static_cast<int32_t>(kFlameRing * std::sin(a));
        flame->parentOffsetY = static_cast<int32_t>(kFlameRing * std::cos(a));
        flame->layer = layer - 1;
        flame->alpha = 0;
        flame->x = x;
        flame->y = y;
        world.Add(flame);
    }
}

void CCharacterWanyudo::SetState(int32_t state) {
    switch (state) {
        case EnemyState::Defeated:
            CCharacterEnemyBoss::SetState(state);
            ClearOtherEnemies();
            StartCameraTour(kDefeatTourHold);
            StopMusicUnlessQuiet();
            return;
        case kEnd:
            HandBackControl();
            CCharacterEnemyBoss::SetState(EnemyState::Remove);
            return;
        case EnemyState::ChooseAttack:
            TryReturnToWait();
            return;
        case EnemyState::FightStart:
            BuildWheel();
            StartCameraTour(kTourHold);
            StopMusicUnlessQuiet();
            break;
        default:
            break;
    }
    CCharacterEnemyBoss::SetState(state);
}
