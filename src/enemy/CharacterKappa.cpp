#include "enemy/CharacterKappa.h"

#include <cstdlib>

#include "character/CharacterAttackEffect.h"
#include "character/CharacterEffect.h"
#include "framework/GameMain.h"
#include "frames/FrameTables.h"
#include "win/SoundTables.h"

namespace {

constexpr int32_t kTouchKind = 29;  // the grab
constexpr int32_t kTouchDamage = 100;
constexpr int32_t kPlateSpeed = 100;
constexpr int32_t kLeapSpeed = -200;
constexpr int32_t kSinkJump = -120;

}  // namespace

CCharacterKappa::CCharacterKappa() {
    ApplyRoster({10040, 200, 100, 6, 3, 10, 0, 10, 1, 10, 10, 1, 2});
    frameTable.Load(kCharacterKappaFrames);
}

void CCharacterKappa::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    if (id == 10041) homeState = kStand;
    else if (id == 10042) homeState = kLurk;
}

void CCharacterKappa::SetState(int32_t state) {
    switch (state) {
        case kThrow:
        case kWaterThrow:
            ThrowPlate();
            break;
        case kLurk:
            // Once it has leapt, a hurt kappa comes back rising or falling,
            // not lurking again.
            homeState = kRise;
            break;
        case kSink:
            vy = kSinkJump;
            break;
        default:
            break;
    }
    CCharacterEnemy::SetState(state);
}

void CCharacterKappa::ThrowPlate() {
    CCharacterAttackEffect* plate = SpawnAttackEffect(this, kPlateShot, facing, x + facing * 200, x + facing * 200,
                                                      y + 50, y + 50, facing * kPlateSpeed, facing * kPlateSpeed, 0, 0);
    if (plate == nullptr) return;
    linksB[0] = plate;
    plate->linksA[0] = this;
    plate->attackDirX = kPlateSpeed;  // it vanishes once faster than this on its way back
}

void CCharacterKappa::WaitForPlate(int32_t caught) {
    CCharacter* plate = linksB[0];
    if (plate == nullptr) {
        SetState(caught);
    } else if (plate->AttackHits(this) && plate->vx * facing < 0) {
        SetState(caught);
        plate->SetState(EnemyState::Remove);
    }
}

void CCharacterKappa::Splash() {
    static constexpr int32_t kDrops[4][2] = {{-10, -60}, {-5, -70}, {5, -70}, {10, -60}};
    for (const auto& d : kDrops) SpawnEffect(CCharacterEffect::kSplash, facing, x, x, y - 200, y - 200, d[0], d[0], d[1], d[1]);
}

void CCharacterKappa::UpdateWait() {
    FacePlayer();
    SetState(homeState);
    if (homeState == kStand) DropToGround();
}

void CCharacterKappa::UpdateAction230() {
    TouchAttack(kTouchKind, kTouchDamage);
    switch (frame) {
        case kStand:
            FacePlayer();
            ApplyGravity();
            vx = 0;
            break;
        case 231:
        case kCatch:
            ApplyGravity();
            vx = 0;
            break;
        case kThrow:
            WaitForPlate(kCatch);
            ApplyGravity();
            vx = 0;
            break;
        default:
            break;
    }
}

void CCharacterKappa::UpdateAction250() {
    TouchAttack(kTouchKind, kTouchDamage);
    const CCharacter* player = CGameMain::GetInstance()->m_player;
    switch (frame) {
        case kLurk:
            FacePlayer();
            vy = 0;
            if (player != nullptr && std::abs(player->x - x) < kLeapReach) {
                vy = kLeapSpeed;
                SetState(kRise);
                PlaySE(kSplashSound);
                Splash();
            }
            break;
        case kRise:
            FacePlayer();
            ApplyGravity();
            if (vy > 0) SetState(kDrop);
            break;
        case kDrop:
            FacePlayer();
            if (!ApplyGravity()) SetState(kLanded);
            break;
        case kLanded:
            FacePlayer();
            ApplyGravity();
            vx = 0;
            break;
        case 254:
        case kWaterCatch:
        case 257:
            ApplyGravity();
            vx = 0;
            break;
        case kWaterThrow:
            WaitForPlate(kWaterCatch);
            ApplyGravity();
            vx = 0;
            break;
        case kSink:
            ApplyGravity();
            if (y >= kWaterDepth) {
                vy = 0;
                SetState(kUnderWater);
                PlaySE(kSplashSound);
                Splash();
            }
            break;
        default:
            break;
    }
}
