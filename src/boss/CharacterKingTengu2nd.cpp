#include "boss/CharacterKingTengu2nd.h"

#include <cmath>

#include "boss/CharacterKingTengu2ndEye.h"
#include "character/CharacterAttackEffect.h"
#include "character/CharacterEffect.h"
#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "frames/FrameTables.h"
#include "player/CharacterPlayer.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The eyes: their type ids and where they sit on the body.
constexpr int32_t kLeftEye = 10271;
constexpr int32_t kRightEye = 10272;
constexpr int32_t kEyeOffsetX = 130;
constexpr int32_t kEyeOffsetY = -90;

constexpr int32_t kFadeInStep = 8;

// The hazards: the fan comes in low from far off, the clog hangs high and
// nearer (the heights are the room's own).
constexpr int32_t kFanReach = 1850;
constexpr int32_t kFanY = 2000;
constexpr int32_t kClogReach = 800;
constexpr int32_t kClogY = 350;

// The defeat: explosions ever more often until 300, then the white-out.
constexpr int32_t kExplosionTicks = 300;
constexpr int32_t kExitDelay = 50;
constexpr int32_t kFlashHolding = 2;
constexpr int32_t kFlashFalling = 3;
constexpr int32_t kFlashIdle = 0;

// The burst: ten rings of ten orbs at this radius, then the rate's sign.
constexpr int32_t kBurstRadius = 200;
constexpr int32_t kRateSign = 190;

CCharacter* GamePlayer() { return CGameMain::GetInstance()->m_player; }

}  // namespace

CCharacterKingTengu2nd::CCharacterKingTengu2nd()
    : CCharacterEnemyBoss({kTypeId, kHp, 200000, 136, 6, 0, &kCharacterKingTengu2ndFrames}) {}

// --- Entrance ------------------------------------------------------------------------

void CCharacterKingTengu2nd::UpdateEntrance() {
    if (frame != kFadeIn) return;
    alpha += kFadeInStep;
    if (alpha >= 255) {
        alpha = 255;
        SetState(kFightOn);
    }
}

void CCharacterKingTengu2nd::OpenEyes() {
    const int32_t ids[] = {kLeftEye, kRightEye};
    for (int32_t k = 0; k < 2; ++k) {
        CCharacter* eye = CreateCharacter(ids[k]);
        if (eye == nullptr) continue;
        linksB[kLeftEyeLink + k] = eye;
        eye->linksA[0] = this;
        const int32_t ox = k == 0 ? kEyeOffsetX : -kEyeOffsetX;
        eye->SetTween(ox, ox, kEyeOffsetY, kEyeOffsetY, 2.0, 2.0, 2.0, 2.0, layer + 1, layer + 1, kPi, kPi, 1, 2);
        CGameMain::GetInstance()->m_characterList.Add(eye);
    }
}

void CCharacterKingTengu2nd::StartFight() {
    if (CCharacter* player = GamePlayer()) {
        player->controlled = 1;
        player->ClearInvulnerable();
        player->SetPlayTimeRunning(true);
    }
    // Both eyes start watching in the same frame, so they fire together.
    for (int32_t k = 0; k < 2; ++k)
        if (CCharacter* eye = Eye(k)) eye->SetState(CCharacterKingTengu2ndEye::kWatch);
    AttachLifebar();
    // Its own music, even on the maps that keep theirs.
    ChangeBossMusic(kLastBossMusic);
}

// --- The wait: hazards from both sides -------------------------------------------------

void CCharacterKingTengu2nd::UpdateWait() {
    ClampToStage();
    Summon({kLeftHazardLink, &leftSummonTimer, 150, 1});
    Summon({kRightHazardLink, &rightSummonTimer, 200, -1});
}

void CCharacterKingTengu2nd::Summon(const Side& side) {
    // A side counts only while its hazard is gone.
    if (linksB[side.link] != nullptr) return;
    const int32_t old = (*side.timer)++;
    if (old == 0 || *side.timer <= side.threshold) return;
    // Each hazard comes from its side, facing into the room.
    const bool fan = GameRand() % 2 == 0;
    const int32_t hx = x - side.facing * (fan ? kFanReach : kClogReach);
    const int32_t hy = fan ? kFanY : kClogY;
    CCharacterAttackEffect* hazard =
        SpawnAttackEffect(this, fan ? kGreatFan : kGreatClog, side.facing, hx, hx, hy, hy, 0, 0, 0, 0);
    if (hazard != nullptr) {
        linksB[side.link] = hazard;
        hazard->linksA[0] = this;
    }
    *side.timer = 0;
}

// --- Entry actions ------------------------------------------------------------------------

void CCharacterKingTengu2nd::SetState(int32_t state) {
    switch (state) {
        case EnemyState::ChooseAttack:
            TryReturnToWait();
            return;
        case kBodyCalled:
            if (CCharacterEffect* body = SpawnEffect(kBodyEffect, facing, 0, 0, 0, 0, 0, 0, 0, 0)) {
                linksB[kBodyLink] = body;
                body->linksA[0] = this;
            }
            break;
        case kFadeIn:
            OpenEyes();
            break;
        case kFightOn:
            StartFight();
            break;
        case EnemyState::Defeated:
            CCharacterEnemyBoss::SetState(state);
            for (int32_t k = 0; k < 2; ++k)
                if (CCharacter* eye = Eye(k)) eye->SetState(CCharacterKingTengu2ndEye::kDead);
            // A hazard still under way goes with it.
            for (int32_t link : {kLeftHazardLink, kRightHazardLink})
                if (CCharacter* hazard = linksB[link]) hazard->SetState(EnemyState::Remove);
            return;
        default:
            break;
    }
    CCharacterEnemyBoss::SetState(state);
}

// --- Its own defeat ------------------------------------------------------------------------

void CCharacterKingTengu2nd::UpdateDefeat() {
    const int32_t t = stateTimer;
    if (frame == EnemyState::Defeated) {
        const int32_t every = t < 100 ? 40 : t < 200 ? 20 : 5;
        if (t < kExplosionTicks && t % every == 0) Explode(x - 700, x + 700, y - 700, y + 800);
        if (t >= kExplosionTicks) {
            CEffect::GetInstance()->StartFlash(255, 255, 255, 255, 1, 16, 40, 8, 0);
            SetState(kWhiteOut);
        }
    } else if (frame == kWhiteOut) {
        const int32_t phase = CEffect::GetInstance()->m_flashPhase;
        if (phase == kFlashHolding) {
            SetPartsAlpha(1);
        } else if (phase == kFlashFalling && alpha != 0) {
            // Once only: an alpha of 0 marks the burst done.
            ReleaseScoreBurst();
            SetPartsAlpha(0);
        } else if (phase == kFlashIdle) {
            SetState(kAfterglow);
        }
    } else if (frame == kAfterglow && t >= kExitDelay) {
        if (CCharacter* player = GamePlayer()) player->SetState(PlayerState::StageExit);
        SetState(kDone);
    }
}

void CCharacterKingTengu2nd::SetPartsAlpha(int32_t a) {
    alpha = a;
    for (int32_t link : {kBodyLink, kLeftEyeLink, kRightEyeLink})
        if (CCharacter* part = linksB[link]) part->alpha = a;
}

void CCharacterKingTengu2nd::ReleaseScoreBurst() {
    CCharacter* player = GamePlayer();
    const int32_t rate = player != nullptr ? player->GetScoreRate() : 100;
    const int32_t each = rate * GetScore() / 100 / 10 / 10;
    const double base = (GameRand() % 100) * kPi / 100;
    for (int32_t j = 0; j < 10; ++j) {
        // Every other ring turns the other way.
        const int32_t ringFacing = j % 2 == 0 ? facing : -facing;
        for (int32_t k = 0; k < 10; ++k) {
            const double a = 2 * kPi * k / 10 + j * (2 * kPi / 10) / 10 + base;
            const int32_t dx = static_cast<int32_t>(std::sin(a) * kBurstRadius);
            const int32_t dy = static_cast<int32_t>(std::cos(a) * kBurstRadius);
            CCharacterEffect* orb = SpawnEffect(CCharacterEffect::kScoreOrb, ringFacing, x + dx, x + dx, y + dy, y + dy,
                                                dx, dx, dy, dy);
            if (orb == nullptr) continue;
            orb->SetScore(each);
            orb->SetScoreRate(rate);
            orb->attackDirX = 60 * (j + 1);
        }
    }
    if (CCharacterEffect* sign = SpawnEffect(kRateSign, facing, x, x, y, y, 0, 0, 0, 0)) sign->SetScoreRate(rate);
}
