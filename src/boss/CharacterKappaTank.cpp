#include "boss/CharacterKappaTank.h"

#include <cmath>

#include "character/CharacterAttackEffect.h"
#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "frames/FrameTables.h"
#include "win/SoundTables.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

constexpr int32_t kMainShotSound = 18;
constexpr int32_t kSpraySound = 19;
constexpr int32_t kBurstSound = 20;

constexpr int32_t kRamKind = 15;
constexpr int32_t kRamDamage = 100;
constexpr int32_t kTourHold = 120;
constexpr int32_t kPatrolSpeed = 10;

CCharacter* GamePlayer() { return CGameMain::GetInstance()->m_player; }

// The parts and their places on the body: link, offset, draw layer off the
// body's, start state.
struct PartPlace {
    int32_t link, dx, dy, layerShift, start;
};
constexpr PartPlace kParts[] = {
    {0, 150, 60, 2, CCharacterKappaTank::kCannonWait}, {1, -110, -240, -1, CCharacterKappaTank::kUpper},
    {2, -360, 20, -1, CCharacterKappaTank::kRear},     {3, 260, 20, 1, CCharacterKappaTank::kFront},
    {6, -180, 20, 1, CCharacterKappaTank::kGunWait},
};

}  // namespace

CCharacterKappaTank::CCharacterKappaTank()
    : CCharacterSwitchBoss({kTypeId, kHp, 200000, 136, 6, 255, &kCharacterKappaTankFrames}) {}

// --- The frame ------------------------------------------------------------------

void CCharacterKappaTank::Ram() { AttackAll(nullptr, ~group, kRamKind, kRamDamage); }

void CCharacterKappaTank::Update() {
    StepFrame();
    const int32_t f = frame;
    const int32_t t = stateTimer;
    CCharacter* parent = linksA[0];
    switch (f) {
        case EnemyState::Entrance:
        case 231:
        case 232:
            FacePlayer();
            DropToGround();
            HoldPlayer();
            break;
        case kWaitTour:
        case 234:
        case 235:
            FacePlayer();
            DropToGround();
            HoldPlayer();
            if (!CameraTourRunning()) {
                StartFight(kBossMusic, kPatrol, true);
                if (CCharacter* cannon = linksB[kCannonLink]) cannon->SetState(kCannonAim);
                if (CCharacter* gun = linksB[kGunLink]) gun->SetState(kGunLoad);
            }
            break;
        case kPatrol:
        case kPatrol + 1:
        case kPatrol + 2:
            Ram();
            DropToGround();
            // Walls (or the stage's edges) turn it; the right side last.
            if (TouchesSideOrEdge(2)) facing = 1;
            if (TouchesSideOrEdge(3)) facing = -1;
            vx = kPatrolSpeed * facing;
            break;
        case kStop:
        case kWarn:
            Ram();
            if (f == kStop) vx = 0;
            ApplyGravity();
            // Shuddering before the shot.
            x += t % 2 == 0 ? 10 : -10;
            break;
        case kMainShot:
            Ram();
            ApplyGravity();
            break;
        case kCannonWait:
            if (parent != nullptr) facing = parent->facing;
            relativeAngle = facing * -kPi / 2;
            FollowParent();
            break;
        case kCannonAim:
        case kCannonWarn:
            AimAtPlayer();
            FollowParent();
            break;
        case kCannonBurst:
            FollowParent();
            if (t % 6 == 0) FireBurstShot();
            break;
        case kGunWait:
        case kUpper:
        case kUpper + 1:
        case kUpper + 2:
        case kUpper + 3:
        case kRear:
        case kRear + 1:
        case kFront:
        case kFront + 1:
        case kFront + 2:
        case kFront + 3:
            if (parent != nullptr) facing = parent->facing;
            FollowParent();
            break;
        case kGunLoad:
        case kGunWarn:
        case kGunStopped:
            FollowParent();
            break;
        case kGunSpray:
            FollowParent();
            if (t % 6 == 0) FireSprayShot();
            break;
        case kThrown:
            angle -= facing * 0.8;
            ApplyGravity();
            break;
        case EnemyState::Defeated:
            UpdateDefeatExplosions(500, -110);
            if (frame == EnemyState::BossDefeatFall) ThrowPieces();
            break;
        case EnemyState::BossDefeatFall:
            FallOutOfRoom(true, 1, 5);
            break;
        default:
            break;
    }
    Move(vx, vy);
}

void CCharacterKappaTank::AimAtPlayer() {
    CCharacter* player = GamePlayer();
    if (player == nullptr) return;
    // Measured from the downward axis, toward the cannon from the player.
    relativeAngle = std::atan2(static_cast<double>(x - player->GetAnchorX()),
                               static_cast<double>(y - player->GetAnchorY()));
}

void CCharacterKappaTank::FireBurstShot() {
    PlaySE(kBurstSound);
    const double a = facing * angle + kPi;
    const auto sx = static_cast<int32_t>(std::sin(a) * 60);
    const auto sy = static_cast<int32_t>(std::cos(a) * 60);
    SpawnAttackEffect(this, kBullet, facing, x + 2 * sx, x + 2 * sx, y + 2 * sy, y + 2 * sy, sx, sx, sy, sy);
}

void CCharacterKappaTank::FireSprayShot() {
    PlaySE(kSpraySound);
    // Up and forward, straight up, up and back.
    const double a = facing * (stateTimer * kPi / 36 + 5 * kPi / 6);
    const auto sx = static_cast<int32_t>(std::sin(a) * 70);
    const auto sy = static_cast<int32_t>(std::cos(a) * 70);
    SpawnAttackEffect(this, kSpray, facing, x + 2 * sx, x + 2 * sx, y + 2 * sy, y + 2 * sy, sx, sx, sy, sy);
}

void CCharacterKappaTank::ThrowPieces() {
    for (int32_t link : {kCannonLink, kGunLink}) {
        if (CCharacter* gun = linksB[link]) gun->SetState(EnemyState::Remove);
        linksB[link] = nullptr;
    }
    struct Throw {
        int32_t link, vx, vy;
    };
    for (const Throw& k : {Throw{1, 0, -110}, Throw{2, -20, -90}, Throw{3, 20, -90}}) {
        CCharacter* piece = linksB[k.link];
        if (piece == nullptr) continue;
        piece->vx = k.vx * facing;
        piece->vy = k.vy;
        piece->SetState(kThrown);
    }
    // Two bits of the hull's wreck.
    CCharacterList& world = CGameMain::GetInstance()->m_characterList;
    struct Wreck {
        int32_t link, dx, vx;
    };
    for (const Wreck& w : {Wreck{4, -480, -10}, Wreck{5, 200, 10}}) {
        CCharacter* bit = CreateCharacter(kTypeId);
        linksB[w.link] = bit;
        if (bit == nullptr) continue;
        bit->linksA[0] = this;
        bit->scaleX = bit->scaleY = 2.0;
        bit->layer = layer - 1;
        bit->SetState(kThrown);
        bit->x = x + w.dx * facing;
        bit->y = y - 220;
        bit->vx = w.vx * facing;
        bit->vy = -105;
        bit->facing = facing;
        world.Add(bit);
    }
}

// --- Entry actions -----------------------------------------------------------------

CCharacter* CCharacterKappaTank::MakePiece(int32_t link, int32_t dx, int32_t dy, int32_t layerShift, int32_t start) {
    CCharacter* part = CreateCharacter(kTypeId);
    linksB[link] = part;
    if (part == nullptr) return nullptr;
    part->linksA[0] = this;
    part->parentOffsetX = dx;
    part->parentOffsetY = dy;
    part->scaleX = part->scaleY = 2.0;
    part->layer = layer + layerShift;
    part->facing = facing;
    part->SetState(start);
    part->FollowParent();
    CGameMain::GetInstance()->m_characterList.Add(part);
    return part;
}

void CCharacterKappaTank::BuildParts() {
    for (const PartPlace& p : kParts) MakePiece(p.link, p.dx, p.dy, p.layerShift, p.start);
}

void CCharacterKappaTank::SetState(int32_t state) {
    switch (state) {
        case kWaitTour:
        case 234:
        case 235:
            BuildParts();
            DropToGround();
            StartCameraTour(kTourHold);
            StopMusicUnlessQuiet();
            break;
        case kPatrol:
        case kPatrol + 1:
        case kPatrol + 2:
        case kStop:
            FacePlayer();
            break;
        case kWarn:
        case kCannonWarn:
        case kGunWarn:
            // The warning before a shot: a white blink.
            SetFlash(40, 2, 1);
            break;
        case kMainShot:
            PlaySE(kMainShotSound);
            SpawnAttackEffect(this, kMissile, facing, x + 900 * facing, x + 900 * facing, y - 100, y - 100,
                              200 * facing, 200 * facing, 0, 0);
            CEffect::GetInstance()->StartVerticalShake(30, -20, 20, 3);
            break;
        case EnemyState::Defeated: {
            CCharacterEnemyBoss::SetState(state);
            ClearOtherEnemies();
            struct Stop {
                int32_t link, state;
            };
            for (const Stop& s : {Stop{0, kCannonStopped}, Stop{1, kUpperStopped}, Stop{2, kLowerStopped},
                                  Stop{3, kLowerStopped}, Stop{6, kGunStopped}})
                if (CCharacter* part = linksB[s.link]) part->SetState(s.state);
            StopMusicUnlessQuiet();
            return;
        }
        default:
            break;
    }
    CCharacterEnemyBoss::SetState(state);
}
