// The handlers of the player's state bands: standing and holding, walking,
// running, the air, item get, the move attack (the dash), the katana's
// homing attack, the launched flight, the dive, the scene poses, and the
// gauge's refill.
#include <cmath>

#include "character/CharacterEffect.h"
#include "character/CharacterList.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "player/CharacterPlayer.h"
#include "win/MyInput.h"
#include "win/SoundTables.h"

namespace {

constexpr int32_t kHoldStates[2][8] = {
    {232, 233, 384, 385, 404, 405, 424, 425},  // wall
    {234, 235, 386, 387, 406, 407, 426, 427},  // ceiling
};

bool IsOneOf(int32_t v, const int32_t (&set)[8]) {
    for (int32_t s : set)
        if (v == s) return true;
    return false;
}

constexpr double kSpinPerFrame = 1.3;
constexpr int32_t kDashSound = 0;
constexpr int32_t kJumpSound = 65;
constexpr int32_t kOpeningSound = 75;
constexpr int32_t kHomingSpeed = 150;
constexpr int32_t kDiveSpeed = 100;
// Effect state of the ending flight's trail.
constexpr int32_t kFlightTrail = 50;
// Water ninjutsu orbs among the player's children, and the gauge below
// which they blink.
constexpr int32_t kWaterOrbType = 40010;
constexpr int32_t kWaterOrbState = 290;
constexpr int32_t kOrbBlinkGauge = 1500;

}  // namespace

bool CCharacterPlayer::IsHoldingWall() { return IsOneOf(frame, kHoldStates[0]); }
bool CCharacterPlayer::IsHoldingCeiling() { return IsOneOf(frame, kHoldStates[1]); }
void CCharacterPlayer::UpdateModeTimer() {}
void CCharacterPlayer::Hook166() {}

void CCharacterPlayer::AimAtTarget(int32_t speed) {
    AimAt(target, speed);
    attackDirX = vx;
    attackDirY = vy;
}

void CCharacterPlayer::TrailAfterimage(int32_t layerOffset, int32_t red, int32_t green, int32_t blue,
                                       int32_t alphaValue, int32_t fade) {
    StartAfterimageTinted(2, 0, layer + layerOffset, red, green, blue, alphaValue, fade);
}

// --- Ground, walk, run, air, item get --------------------------------------

void CCharacterPlayer::UpdateGround() {
    RefillAirDashes();
    if (FallFromLostSurface()) return;
    if (!TryHomingAttackDefault()) TryMoveAttack(0, true);
    AccelerateXForward(0, 10);
}

bool CCharacterPlayer::FallFromLostSurface() {
    bool held = true;
    switch (frame) {
        case 230:
        case 231:
        case 236: held = !IsAirborne(); break;
        // The wall behind the player.
        case 232:
        case 233: held = TouchesSolid(facing == 1 ? 2 : 3); break;
        case 234:
        case 235: held = TouchesSolid(1); break;
        default: break;
    }
    if (!held) SetState(PlayerState::Fall);
    return !held;
}

void CCharacterPlayer::UpdateState240() {}

void CCharacterPlayer::UpdateWalk() {
    if (IsAirborne()) SetState(PlayerState::Fall);
    else AccelerateXForward(20, 10);
}

void CCharacterPlayer::UpdateRun() {
    if (IsAirborne()) SetState(PlayerState::Fall);
    else AccelerateXForward(40, 10);
}

void CCharacterPlayer::UpdateAir() {
    if ((frame == 280 || frame == 281) && grabbedObject != nullptr && BodyTouches(grabbedObject)) {
        GrabObject(grabbedObject);
        return;
    }
    if (frame == 281) {
        if (stateTimer % 6 == 1) PlaySE(kJumpSound);
        if (!TryHold()) {
            vx = attackDirX;
            vy = attackDirY;
            angle += kSpinPerFrame * facing;
        }
    } else if (frame == 282) {
        TryHold();
    } else if (frame >= 290 && frame <= 292) {
        if (!TryHold() && !ApplyGravity()) {
            SetState(PlayerState::Landed);
            vx = 0;
            vy = 1;
        }
    }
    if (!TryHomingAttackDefault()) TryMoveAttack(1, true);
}

void CCharacterPlayer::UpdateItemGet() {
    if (frame == 310) {
        if (!ApplyGravity()) SetState(311);
    } else if (frame == 311) {
        ApplyGravity();
    }
}

// --- Move attack ---------------------------------------------------------------

bool CCharacterPlayer::GrabOrDropTarget() {
    if (grabbedObject != nullptr && BodyTouches(grabbedObject)) {
        GrabObject(grabbedObject);
        return true;
    }
    const CMyInput* input = CMyInput::GetInstance();
    if (input->m_touchHistory[0] == 0 || input->m_inputAvailable == 0) target = nullptr;
    return false;
}

void CCharacterPlayer::UpdateMoveAttack() {
    if (GrabOrDropTarget()) return;
    if (frame == 321) {
        if (stateTimer % 6 == 1) PlaySE(kDashSound);
        if (TryHold()) {
            SetState(322);
        } else {
            vx = attackDirX;
            vy = attackDirY;
            angle -= kSpinPerFrame * facing;
            TrailAfterimage(0, 224, 224, 255, 240, 15);
            AttackAll(&CGameMain::GetInstance()->m_characterList, ~group, 1, attack);
        }
    } else if (frame == 322) {
        TryHold();
    }
    if (!TryHomingAttackDefault()) TryMoveAttackInAir();
}

// --- Homing attack -------------------------------------------------------------

void CCharacterPlayer::StartHomingAttack(CCharacter* other) {
    if (other == nullptr) return;
    switch (currentWeapon) {
        case WeaponId::Katana:
            StartKatana(other, PlayerState::HomingAttack);
            break;
        case WeaponId::Shuriken:
        case WeaponId::Bomb:
        case WeaponId::NinjutsuFire:
        case WeaponId::NinjutsuWind:
        case WeaponId::NinjutsuWater:
            if (currentWeapon == WeaponId::Shuriken) {
                SetState(PlayerState::ShurikenThrow);
            } else if (currentWeapon == WeaponId::Bomb) {
                SetState(PlayerState::BombThrow);
            } else {
                SetState(PlayerState::Ninjutsu);
                SetNinjutsuInUse(currentWeapon);
            }
            target = other;
            attackDirX = other->x;
            attackDirY = other->y;
            if (!IsHoldingWall()) {
                if (other->x > x) facing = 1;
                else if (other->x < x) facing = -1;
            }
            break;
        case WeaponId::PotionOfHealing: UseHealingPotion(); break;
        case WeaponId::PotionOfExHealing: UseExHealingPotion(); break;
        case WeaponId::PotionOfMagic: UseMagicPotion(); break;
        case WeaponId::PotionOfExMagic: UseExMagicPotion(); break;
        default: break;
    }
}

void CCharacterPlayer::StartKatana(CCharacter* other, int32_t windUpState) {
    SetState(windUpState);
    const double a =
        std::atan2(static_cast<double>(other->GetAnchorY()) - y, static_cast<double>(other->GetAnchorX()) - x);
    attackDirX = static_cast<int32_t>(kHomingSpeed * std::cos(a));
    attackDirY = static_cast<int32_t>(kHomingSpeed * std::sin(a));
    SpawnDashTrail(x - static_cast<int32_t>(kHomingSpeed * std::cos(a)),
                   y - static_cast<int32_t>(kHomingSpeed * std::sin(a)));
    target = other;
    FaceAttackDirection();
}

void CCharacterPlayer::UpdateHomingAttack() {
    const int32_t f = frame;
    if (target == nullptr || !target->IsTargetable()) {
        SetState(349);
        return;
    }
    if (f >= 330 && f <= 340 && (target->hp <= 0 || !target->IsOnScreen())) {
        SetState(PlayerState::Ground);
        vx = vy = 0;
        return;
    }
    CCharacterList* world = &CGameMain::GetInstance()->m_characterList;
    auto strikePose = [this] {
        vx = vy = 0;
        TrailAfterimage(1, 255, 255, 255, 80, 6);
    };
    if (f == 331 || f == 332) {
        if (!AttackHits(target)) {
            AimAtTarget(kHomingSpeed);
            TrailAfterimage(-1, 192, 192, 255, 160, 8);
            if (vx != 0) facing = vx > 0 ? 1 : -1;
            AttackAll(world, ~group, 1, attack);
        } else {
            SetState(333);
            vx = vy = 0;
        }
    } else if (f == 333 || f == 334 || f == 337 || f == 338) {
        AimAtTarget(kHomingSpeed);
        if (AttackHits(target)) strikePose();
    } else if (f == 335 || f == 336 || f == 339 || f == 340) {
        strikePose();
    } else if (f >= 341 && f <= 344) {
        ApplyGravity();
    }
    if (f >= 333 && f <= 344) {
        if (!TryHomingAttackDefault()) TryMoveAttackInAir();
    } else if (f >= 330 && f <= 332) {
        TryMoveAttackInAir();
    }
}

// --- Launched flight (catapults) ---------------------------------------------

void CCharacterPlayer::UpdateLaunched() {
    CCharacterList* world = &CGameMain::GetInstance()->m_characterList;
    auto spinAndStrike = [&] {
        angle -= kSpinPerFrame * facing;
        TrailAfterimage(0, 224, 224, 255, 240, 15);
        AttackAll(world, ~group, 1, 5 * attack);
    };
    switch (frame) {
        case 360:
            vx = vy = 0;
            break;
        case 361:
            if (stateTimer % 6 == 1) PlaySE(kDashSound);
            if (TryHold()) {
                SetState(363);
            } else {
                const double slow = std::pow(0.98, stateTimer + 1);
                vx = static_cast<int32_t>(attackDirX * slow);
                vy = static_cast<int32_t>(attackDirY * slow);
                spinAndStrike();
            }
            break;
        case 362:
            // Falls spinning until a hold or the ground ends it.
            if (TryHold()) {
                SetState(363);
            } else {
                ApplyGravity();
                spinAndStrike();
            }
            break;
        case 363:
            TryHold();
            break;
        default:
            break;
    }
    if (!TryHomingAttack(false)) TryMoveAttackInAir();
}

// --- Dive ------------------------------------------------------------------------

void CCharacterPlayer::UpdateDiveAttack() {
    switch (frame) {
        case 440:
            ApplyGravity();
            vx = 0;
            break;
        case 441:
        case 442:
            vx = 0;
            vy = kDiveSpeed;
            if (AttackAll(&CGameMain::GetInstance()->m_characterList, ~group, 9, attack) != nullptr) {
                RefillAirDashes();
                SetState(443);
                vy = -50;
            } else if (!IsAirborne()) {
                SetState(PlayerState::Ground);
            }
            TrailAfterimage(0, 192, 192, 255, 120, 8);
            break;
        case 443:
        case 444:
        case 445:
            ApplyGravity();
            break;
        default:
            break;
    }
    if (!TryHomingAttackDefault()) TryMoveAttackInAir();
}

// --- Scene poses -----------------------------------------------------------------

void CCharacterPlayer::UpdateScriptedExit() {
    switch (frame) {
        case 965:
        case 966:
            vy -= 1;
            if (CCharacter* trail = SpawnEffect(kFlightTrail, facing, x, x, y, y, 0, 0, 0, 0)) trail->alpha = 160;
            if (y < -1000) {
                SetState(967);
                SetStageY(-400);
                vy = 15;
                vx = -3;
            }
            break;
        case 967:
        case 968:
            if (y > 1949) {
                vx = vy = 0;
                SetState(969);
                if (CCharacter* trail = SpawnEffect(kFlightTrail, facing, x, x, y, y, 0, 0, 0, 0)) trail->alpha = 192;
            }
            break;
        case 980:
        case 983:
        case 984:
        case 987:
        case 988:
        case 989:
            ApplyGravity();
            break;
        case 981:
            ApplyGravityWith(gravityNum, gravityDen * 10);
            angle -= kSpinPerFrame * facing;
            break;
        case 982:
            ApplyGravity();
            angle -= kSpinPerFrame * facing;
            break;
        default:
            break;
    }
}

void CCharacterPlayer::UpdateState980() {
    if (frame == 985 && frameTimer == 1) PlaySE(kOpeningSound);
    UpdateScriptedExit();
}

// --- Gauge -----------------------------------------------------------------------

void CCharacterPlayer::UpdateGauge() {
    if (hp > 0) AddGauge(gaugeMax / 800);
    bool orbs = false;
    for (const CCharacter* c : linksB)
        orbs = orbs || (c != nullptr && c->typeId == kWaterOrbType && c->frame == kWaterOrbState);
    if (!orbs) return;
    if (controlled) {
        gauge += -10 - gaugeMax / 800;
        if (gauge < 0) gauge = 0;
    }
    for (CCharacter* orb : linksB) {
        if (orb == nullptr || orb->typeId != kWaterOrbType || orb->frame != kWaterOrbState) continue;
        if (gauge < 1) orb->SetState(0);
        else if (gauge < kOrbBlinkGauge) {
            if (orb->GetBlink() == 0) orb->SetBlink(999, 2, 1);
        } else {
            orb->ClearBlink();
        }
    }
}
