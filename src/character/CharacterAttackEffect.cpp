#include "character/CharacterAttackEffect.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "character/CharacterEffect.h"
#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "frames/FrameTables.h"
#include "player/CharacterPlayer.h"
#include "player/CharacterRobo.h"
#include "win/SoundTables.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Sound-effect slots.
constexpr int32_t kBombSound = 17;
constexpr int32_t kSweepSound = 10;
constexpr int32_t kBurstSound = 47;
constexpr int32_t kDefeatSound = 31;
constexpr int32_t kHumSound = 49;
constexpr int32_t kWindSound = 50;
constexpr int32_t kStampSound = 57;

// The vibration setting that starts no shake.
constexpr int32_t kVibrationNone = 2;
constexpr int32_t kVibrationStrong = 1;
constexpr int32_t kVibrationMild = 3;

// Player states the chains put their thrower into.
constexpr int32_t kThrowerPulled = 322;
constexpr int32_t kThrowerPulledToTarget = 332;

// A bomb's fragments come from within this distance of it.
constexpr int32_t kFragmentSpread = 100;
// The largest chain drawn, in texels of its column.
constexpr int32_t kLongestChain = 240;
// How far the great clog leans toward the side it came from.
constexpr double kClogTilt = 0.2;

bool In(int32_t f, int32_t lo, int32_t hi) { return f >= lo && f <= hi; }

CCharacter* Player() { return CGameMain::GetInstance()->m_player; }

// Moves v by up to `step` into [lo, hi].
int32_t IntoBand(int32_t v, int32_t lo, int32_t hi, int32_t step) {
    if (v < lo) return std::min(v + step, lo);
    if (v > hi) return std::max(v - step, hi);
    return v;
}

// Turns a velocity by `delta` radians (clockwise on screen), keeping its speed.
void Turn(CCharacter& c, double delta) {
    const double speed = std::hypot(static_cast<double>(c.vx), static_cast<double>(c.vy));
    const double heading = std::atan2(static_cast<double>(c.vx), static_cast<double>(-c.vy)) + delta;
    c.vx = static_cast<int32_t>(std::lround(std::sin(heading) * speed));
    c.vy = static_cast<int32_t>(std::lround(-std::cos(heading) * speed));
}

// Plain shots: kind 15, damage 50, removed off the map.
bool IsPlainShot(int32_t f) {
    return f == 300 || In(f, 320, 321) || In(f, 340, 342) || f == 350 || f == 370 || In(f, 380, 381) ||
           In(f, 384, 385) || In(f, 400, 401) || In(f, 410, 413) || f == 431 || In(f, 640, 643);
}

// Frames whose shot refuses every hit (and vanishes to kind 8).
bool RefusesHits(int32_t f) {
    return f == 300 || f == 310 || In(f, 320, 321) || In(f, 330, 336) || f == 350 || In(f, 360, 363) ||
           In(f, 370, 371) || In(f, 380, 387) || In(f, 390, 391) || In(f, 400, 401) || In(f, 410, 413) ||
           In(f, 420, 425) || In(f, 430, 431) || f == 500 || f == 510 || In(f, 520, 525) || In(f, 540, 545) ||
           f == 580 || In(f, 640, 642) || In(f, 650, 652) || f == 670 || In(f, 690, 696) || In(f, 700, 708);
}

bool IsFragment(int32_t f) { return f == 470 || f == 480 || f == 490 || In(f, 561, 563) || In(f, 661, 663); }

}  // namespace

CCharacterAttackEffect::CCharacterAttackEffect() {
    typeId = kTypeId;
    hp = hpMax = 0;
    frame = 0;
    maxFall = 1;
    gravityNum = gravityDen = 1;
    auxValue = 1;
    layer = 184;
    targetable = 0;
    frameTable.Load(kCharacterAttackEffectFrames);
}

void CCharacterAttackEffect::Vanish() {
    CCharacter::SetState(0);
    ConsumeStateChange();
}

CCharacter* CCharacterAttackEffect::Strike(int32_t kind, int32_t damage) {
    return AttackAll(&CGameMain::GetInstance()->m_characterList, ~group, kind, damage);
}

void CCharacterAttackEffect::Draw() {
    if (frame == 0) return;
    CCharacter::Draw();
}

// --- Set-up --------------------------------------------------------------------

void CCharacterAttackEffect::SetState(int32_t state) {
    CCharacter* player = Player();
    auto scale = [this](double s) { scaleX = scaleY = s; };
    auto fall = [this](int32_t max, int32_t num, int32_t den) {
        maxFall = max;
        gravityNum = num;
        gravityDen = den;
    };
    auto aimAtPlayer = [&](int32_t speed) {
        if (player != nullptr) AimAt(player, speed);
    };
    const int32_t s = state;

    if (s >= 110 && s <= 200 && s % 10 == 0) {
        // Defeated: a bomb still falling bursts at once; anything else just goes.
        const int32_t f = frame;
        if (f == 460 || f == 560 || f == 660) {
            PlaySE(kDefeatSound);
            PlaySE(kBurstSound);
            Burst(f == 460 ? 470 : f + 1, -40, 0, 0, 40, -80, -20);
        }
        CCharacter::SetState(0);
        return;
    }
    if (s == 230 || s == 330 || s == 690) {
        fall(100, 6, 1);
        scale(2.0);
    } else if (s == 270 || s == 280) {
        typeId = kWindTypeId;
        scale(2.0);
    } else if (s == 290 || s == 291) {
        typeId = kCirclingTypeId;
        scale(2.0);
    } else if (In(s, 412, 413) || In(s, 423, 425) || In(s, 543, 545)) {
        alpha = 192;
        scale(2.0);
        aimAtPlayer(50);
    } else if (s == 440 || s == 450 || s == 460 || s == 470 || s == 480 || s == 490 || In(s, 560, 563) ||
               s == 650 || In(s, 660, 663) || s == 720) {
        fall(200, 6, 1);
        targetable = 0;
        scale(2.0);
    } else if (In(s, 522, 523) || s == 651) {
        vx = vy = 0;
    } else if (In(s, 524, 525)) {
        aimAtPlayer(60);
    } else if (s == 550) {
        scale(0.0);
        layer = 136;
    } else if (s == 590 || s == 600) {
        alpha = 0;
        layer = 136;
        scale(2.0);
    } else if (s == 593) {
        PlaySE(kSweepSound);
    } else if (s == 602) {
        vy = -50;
    } else if (s == 603) {
        PlaySE(kSweepSound);
        vy = 200;
    } else if (s == 610 || s == 620) {
        layer = 151;
        scale(2.0);
    } else if (s == 611 || s == 621) {
        // The chain arrives: it stops (the weight on its destination) and
        // pulls its thrower; without a thrower there is nothing to hold.
        CCharacter* thrower = linksA[0];
        if (thrower == nullptr) {
            CCharacter::SetState(0);
            return;
        }
        if (s == 611) {
            x = attackDirX;
            y = attackDirY;
        }
        vx = vy = 0;
        thrower->SetState(s == 611 ? kThrowerPulled : kThrowerPulledToTarget);
    } else if (s == 630) {
        alpha = 192;
        layer = 184;
        scale(2.0);
    } else if (s == kDrillBlow) {
        StrikeBlow();
    } else if (s == 640 || s == 730) {
        alpha = 192;
        scale(2.0);
    } else if (s == 652) {
        aimAtPlayer(50);
    } else if (s == 680) {
        scale(8.0);
    } else if (s == 751) {
        aimAtPlayer(80);
    } else {
        switch (s) {
            case 240: case 250: case 260: case 300: case 310: case 320: case 340: case 350: case 360: case 370:
            case 380: case 384: case 390: case 400: case 410: case 420: case 430: case 500: case 510: case 540:
            case 580: case 581: case 670: case 700: case 710: case 740: case 750: case 760: case 770:
                scale(2.0);
                break;
            default:
                break;
        }
    }
    CCharacter::SetState(state);
}

void CCharacterAttackEffect::StrikeBlow() {
    // A Robo's drill strikes harder by its weapon bonus.
    const auto* robo = dynamic_cast<const CCharacterRobo*>(linksA[0].Get());
    const int32_t bonus = robo != nullptr ? robo->weaponBonus : 0;
    if (Strike(14, 3000 + 2 * bonus) == nullptr) return;
    CGameMain* game = CGameMain::GetInstance();
    SetHitStop(6);
    if (CCharacter* player = game->m_player) {
        player->SetHitStop(6);
        player->SetInvulnerable(26);
    }
    CEffect* screen = CEffect::GetInstance();
    switch (game->m_vibration) {
        case kVibrationNone:
            break;
        case kVibrationStrong:
            screen->StartShake(0, 0, 0, 100, -10, 10, 20);
            break;
        case kVibrationMild:
            screen->StartVerticalShake(20, -5, 5, 1);
            break;
        default:
            screen->StartVerticalShake(20, -10, 10, 3);
            break;
    }
}

// --- Hits taken and landed -------------------------------------------------------

bool CCharacterAttackEffect::OnHit(int32_t kind, int32_t damage, int32_t direction, CCharacter* attacker) {
    const int32_t f = frame;
    if (RefusesHits(f)) {
        if (kind == 8) CCharacter::SetState(0);
        return false;
    }
    if (f == 460 || f == 660 || f == 560) {
        if (kind == 2 || kind == 3) return false;
        if (kind == 8 && f != 560) {
            CCharacter::SetState(0);
            return false;
        }
    } else if (f == 1201) {
        PlaySE(kDefeatSound);
        SetState(1202);
        return true;
    }
    return CCharacter::OnHit(kind, damage, direction, attacker);
}

void CCharacterAttackEffect::OnAttackLanded() {
    const int32_t f = frame;
    if (f == 610 || f == 611 || f == 620 || f == 621 || In(f, 630, 634)) {
        if (CCharacter* thrower = linksA[0]) thrower->OnAttackLanded();
    }
}

// --- Behaviour by frame ------------------------------------------------------------

void CCharacterAttackEffect::Update() {
    StepAnimation();
    if (!alive) return;
    if (!RunFrame()) return;
    Move(vx, vy);
}

void CCharacterAttackEffect::HomeOn(CCharacter* target, int32_t speed, double turn) {
    if (target != nullptr) SteerToward(target, speed, turn);
}

void CCharacterAttackEffect::LeaveTrail() {
    // One fading copy of the shot along each step it moves, as the shot is
    // drawn now.
    angle2 = angle;
    scaleX2 = scaleX;
    scaleY2 = scaleY;
    StartAfterimage(1, layer - 1, 160, 32);
}

void CCharacterAttackEffect::BurstAsAfterimage() {
    // The shot's picture, thrice along its last step, swelling as it fades.
    const FrameRecord& r = CurrentRecord();
    SetAfterimageParams(3, 0, layer, angle, angle, scaleX, scaleX * 0.6, scaleY, scaleY * 0.6, 255, 255, 255, 0, 192,
                        32, 0.15, 0.15, 65535, r.u, r.v, r.spriteLeft, r.spriteRight, r.spriteTop, r.spriteBottom,
                        r.textureId);
    UpdateAfterimages();
}

void CCharacterAttackEffect::ReachBack(CCharacter* parent) {
    // The head points away from its thrower; the chain behind it reaches
    // back to the thrower's anchor.
    const double dx = static_cast<double>(x) - parent->GetAnchorX();
    const double dy = static_cast<double>(y) - parent->GetAnchorY();
    angle = std::atan2(dx, -dy);
    const double texel = 10.0 * (scaleY > 0.0 ? scaleY : 1.0);
    const int32_t length = std::clamp(static_cast<int32_t>(std::hypot(dx, dy) / texel), 7, kLongestChain);
    if (CurrentRecord().spriteBottom != length) {
        if (FrameRecord* r = frameTable.Find(frame)) r->spriteBottom = length;
    }
}

void CCharacterAttackEffect::FireWindBlade() {
    PlaySE(kWindSound);
    const double a = GameRand() % 6283 / 1000.0;
    const int32_t bx = static_cast<int32_t>(std::sin(a) * 200), by = static_cast<int32_t>(-std::cos(a) * 200);
    CCharacterAttackEffect* blade = SpawnAttackEffect(this, kWindBlade, facing, x, x, y, y, bx, bx, by, by);
    if (blade == nullptr) return;
    LinkB(blade);
    blade->LinkA(this);
}

void CCharacterAttackEffect::Circle() {
    CCharacter* firer = linksA[0];
    Turn(*this, facing * kPi / 20);
    // The offset from the firer grows by the velocity: a spiral outward.
    parentOffsetX += vx;
    parentOffsetY += vy;
    x = firer->GetAnchorX() + parentOffsetX;
    y = firer->GetAnchorY() + parentOffsetY;
    LeaveTrail();
}

void CCharacterAttackEffect::SplitInTwo() {
    CCharacter* firer = linksA[0];
    CCharacter* aim = linksA[1];
    x = firer->x;
    y = firer->y;
    facing = aim->x >= x ? 1 : -1;
    const double toward = std::atan2(static_cast<double>(aim->x - x), static_cast<double>(-(aim->y - y)));
    constexpr double kSpread = kPi / 6;
    constexpr double kSpeed = 60;
    for (int side = -1; side <= 1; side += 2) {
        const double a = toward + side * kSpread;
        const int32_t sx = static_cast<int32_t>(std::sin(a) * kSpeed), sy = static_cast<int32_t>(-std::cos(a) * kSpeed);
        if (CCharacterAttackEffect* shot = SpawnAttackEffect(this, kCircling, -side, x, x, y, y, sx, sx, sy, sy))
            shot->LinkA(aim);
    }
}

void CCharacterAttackEffect::Burst(int32_t firstFragment, int32_t vx0, int32_t vx1, int32_t vx2, int32_t vx3,
                                   int32_t vy0, int32_t vy1) {
    // Three passes of two fragments of each of the three kinds; the first of
    // each pair takes the first speed range, the second the other.
    const int32_t kinds[3] = {firstFragment, firstFragment == 470 ? 480 : firstFragment + 1,
                              firstFragment == 470 ? 490 : firstFragment + 2};
    for (int pass = 0; pass < 3; ++pass)
        for (int32_t kind : kinds) {
            SpawnAttackEffect(this, kind, facing, x - kFragmentSpread, x + kFragmentSpread, y - kFragmentSpread,
                              y + kFragmentSpread, vx0, vx1, vy0, vy1);
            SpawnAttackEffect(this, kind, facing, x - kFragmentSpread, x + kFragmentSpread, y - kFragmentSpread,
                              y + kFragmentSpread, vx2, vx3, vy0, vy1);
        }
}

bool CCharacterAttackEffect::RunBomb() {
    const int32_t f = frame;
    angle += facing * 0.3;
    ApplyGravity();
    const int32_t fragment = f == 450 ? 470 : f + 1;
    auto burst = [&](int32_t vx0, int32_t vx1, int32_t vx2, int32_t vx3, int32_t vy0, int32_t vy1) {
        PlaySE(kBurstSound);
        Burst(fragment, vx0, vx1, vx2, vx3, vy0, vy1);
        Vanish();
        return false;
    };
    const bool hit = Strike(15, f == 560 ? 100 : 50) != nullptr;
    const bool landed = TouchesSolid(4) && vy >= 0;
    if (f == 560) {
        if (landed || hit) return burst(vx - 40, vx, vx, vx + 40, -80, -20);
        return true;
    }
    const bool ceiling = TouchesSolid(1) && vy <= 0;
    const bool leftWall = TouchesSolid(2) && vx <= 0;
    const bool rightWall = TouchesSolid(3) && vx >= 0;
    if (f == 660) {
        if (ceiling || landed || hit || leftWall || rightWall) return burst(-40, 0, 0, 40, -80, -20);
        return true;
    }
    if (ceiling) return burst(-40, 0, 0, 40, -20, 20);
    if (landed || hit) return burst(-40, 0, 0, 40, -80, -20);
    if (leftWall) return burst(0, 40, 0, 40, -80, -20);
    if (rightWall) return burst(-40, 0, -40, 0, -80, -20);
    return true;
}

bool CCharacterAttackEffect::RunFrame() {
    const int32_t f = frame;
    CGameMain* game = CGameMain::GetInstance();
    CCharacter* player = Player();
    auto gone = [this] {
        Vanish();
        return false;
    };
    auto offMap = [this] { return !IsOnScreen() && !IsInsideStage(); };
    auto hum = [game] {
        if (game->m_frameCount % 4 == 1) PlaySE(kHumSound);
    };
    // A target the homing shots may still steer toward.
    CCharacter* target = linksA[0] != nullptr && linksA[0]->hp > 0 ? linksA[0].Get() : nullptr;

    if (f == 230) {
        ApplyGravity();
        if (Strike(4, 400) != nullptr || TouchesAnySolid()) {
            PlaySE(kBombSound);
            CEffect::GetInstance()->StartVerticalShake(60, -10, 10, 1);
            vx = vy = 0;
            SetState(232);
            return true;
        }
        if (!IsNearScreen()) return gone();
    } else if (In(f, 231, 236)) {
        if (CCharacter* puff = SpawnEffect(CCharacterEffect::kExplosionPuff, facing, x - 200, x + 200, y - 200,
                                           y + 200, 0, 0, 0, 0))
            puff->scaleX = puff->scaleY = 2.0;
    } else if (In(f, 240, 241) || In(f, 250, 251)) {
        const bool fire = f >= 250;
        HomeOn(target, fire ? 100 : 200, 0.08);
        if (fire) {
            FaceVelocity();
            LeaveTrail();
        }
        if (Strike(fire ? 6 : 5, 100) != nullptr || TouchesAnySolid()) {
            BurstAsAfterimage();
            return gone();
        }
        if (!IsOnScreen()) return gone();
    } else if (f == 260) {
        HomeOn(target, 200, 0.08);
        FaceVelocity();
        LeaveTrail();
        Strike(7, 400);
        if (!IsOnScreen()) return gone();
    } else if (f == 270) {
        FireWindBlade();
        if (!IsOnScreen()) return gone();
    } else if (In(f, 280, 281)) {
        // The wind's blades only show: they strike nothing.
        HomeOn(linksA[0], 200, 0.08);
        FaceVelocity();
        LeaveTrail();
        if (f == 281) alpha = std::max(alpha - 64, 0);
    } else if (f == 290) {
        if (linksA[0] == nullptr) return gone();
        Circle();
        const bool hit = Strike(8, 5) != nullptr;
        if (!IsOnScreen() || !linksA[0]->controlled) return gone();
        if (hit || TouchesAnySolid()) return false;
    } else if (f == 291) {
        Turn(*this, facing * kPi / 20);
        LeaveTrail();
        const bool hit = Strike(10, 50) != nullptr;
        if (!IsOnScreen()) return gone();
        if (hit || TouchesAnySolid()) return false;
    } else if (f == 292) {
        if (linksA[0] == nullptr || linksA[1] == nullptr) return gone();
        SplitInTwo();
        return gone();
    } else if (IsPlainShot(f)) {
        Strike(15, 50);
        if (offMap()) return gone();
    } else if (f == 310) {
        Strike(30, 100);
        if (!IsNearScreen()) return gone();
        vx -= 2 * facing;
        if (std::abs(vx) > attackDirX) return gone();
    } else if (f == 330) {
        ApplyGravity();
        if (Strike(15, 50) != nullptr || TouchesAnySolid()) {
            vx = vy = 0;
            SetState(331);
        }
        if (!IsOnScreen()) return gone();
    } else if (In(f, 331, 336)) {
        Strike(15, 50);
        if (!IsOnScreen()) return gone();
    } else if (In(f, 360, 361)) {
        if (stateTimer % 4 == 0 && player != nullptr) SteerToward(player, 10 + stateTimer / 20, 0.2);
        Strike(15, 50);
    } else if (In(f, 362, 363)) {
        alpha -= 16;
        if (alpha < 0) return gone();
    } else if (f == 371 || In(f, 382, 383) || In(f, 386, 387)) {
        return gone();
    } else if (In(f, 390, 391)) {
        Strike(15, 50);
        if (!IsOnScreen()) return gone();
        if (!IsAirborne()) {
            vx = vy = 0;
            SetState(331);
        }
    } else if (In(f, 420, 425)) {
        Strike(15, 50);
        if (!IsOnScreen()) return gone();
        alpha = 192;
    } else if (f == 430) {
        Strike(15, 50);
        if (vx == 0) vx = attackDirX;
        if (vy == 0) vy = attackDirY;
        if (vx != 0) facing = vx > 0 ? 1 : -1;
        FaceVelocity();
    } else if (f == 440 || f == 460) {
        ApplyGravity();
    } else if (f == 450 || f == 560 || f == 660) {
        return RunBomb();
    } else if (IsFragment(f)) {
        if (TouchesAnySolid()) return gone();
        ApplyGravity();
        // One that falls past every floor would fall for ever.
        if (!IsNearScreen()) return gone();
    } else if (f == 500 || f == 510 || f == 570 || f == 652 || f == 670) {
        FaceVelocity();
        Strike(15, 100);
        if (!IsOnScreen()) return gone();
    } else if (In(f, 520, 525)) {
        if (f >= 524 && !IsNearScreen()) return gone();
        Strike(15, 50);
        hum();
    } else if (f == 530) {
        FaceVelocity();
        Strike(15, 200);
        if (!IsNearScreen()) return gone();
    } else if (In(f, 540, 545)) {
        if (f <= 542) {
            // Slows to a stop over its first 40 frames.
            const int32_t left = stateTimer < 40 ? 40 - stateTimer : 0;
            vx = attackDirX * left / 40;
            vy = attackDirY * left / 40;
        }
        Strike(15, 100);
        alpha = 192;
        if (!IsOnScreen()) return gone();
    } else if (In(f, 550, 551)) {
        scaleX += 0.15;
        scaleY += 0.15;
        if (stateTimer == 30) layer = 168;
        Strike(15, 100);
        hum();
    } else if (f == 580) {
        FaceVelocity();
        Strike(15, 50);
        if (!IsOnScreen()) return gone();
    } else if (f == 590 || f == 600) {
        alpha = std::min(alpha + 16, 255);
        if (f == 600) angle = facing * kClogTilt;
        if (alpha == 255) SetState(f + 1);
    } else if (f == 591) {
        if (player != nullptr) y = IntoBand(y, player->y - 200, player->y + 20, 15);
    } else if (f == 592) {
        vx += 5 * facing;
        if (vx * facing > 0) SetState(593);
    } else if (f == 593) {
        Strike(15, 50);
        if ((facing == 1 && x > 3200) || (facing == -1 && x < 1200)) SetState(594);
    } else if (f == 594) {
        vx -= 30 * facing;
        if (vx * facing > 0) {
            Strike(15, 50);
        } else {
            alpha -= 16;
            if (alpha < 0) return gone();
        }
    } else if (f == 601) {
        if (player != nullptr) x = IntoBand(x, player->x - 100, player->x + 100, 30);
    } else if (f == 602) {
        vy += 5;
        if (vy > 0) SetState(603);
    } else if (f == 603) {
        Strike(15, 50);
        if (!IsAirborne()) {
            PlaySE(kStampSound);
            CEffect::GetInstance()->StartShake(0, 0, 0, 100, -10, 10, 20);
            vx = vy = 0;
            SetState(604);
        }
    } else if (f == 604) {
        Strike(15, 50);
    } else if (f == 605) {
        alpha -= 16;
        if (alpha < 0) return gone();
    } else if (f == 610 || f == 611 || f == 621) {
        CCharacter* thrower = linksA[0];
        if (thrower == nullptr) return gone();
        if (f == 610) Strike(12, 100);
        ReachBack(thrower);
    } else if (f == 620) {
        auto* thrower = dynamic_cast<CCharacterPlayer*>(linksA[0].Get());
        CCharacter* touched = thrower != nullptr ? thrower->target : nullptr;
        if (touched == nullptr) return gone();
        AimAt(touched, 300);
        if (vx != 0) facing = vx > 0 ? 1 : -1;
        ReachBack(thrower);
        if (AttackHits(touched)) {
            vx = vy = 0;
            SetState(kHomingChainHolding);
        }
    } else if (f == 650) {
        Strike(15, 100);
        ApplyGravity();
    } else if (f == 680) {
        FaceVelocity();
        Strike(15, 200);
        if (CCharacter* puff = SpawnAttackEffect(this, kExplosion, facing, x, x, y, y, 0, 0, 0, 0)) {
            puff->angle = angle + kPi;
            puff->layer = layer;
        }
        if (!IsOnScreen()) return gone();
    } else if (f == 690) {
        ApplyGravity();
        if (Strike(15, 100) != nullptr || TouchesAnySolid()) {
            vx = vy = 0;
            SetState(691);
        }
        if (!IsOnScreen()) return gone();
    } else if (In(f, 700, 702)) {
        if (f == 701 && player != nullptr) SteerToward(player, 70, 0.1);
        if (f == 702 && player != nullptr) SteerToward(player, 70, std::max(0.0, 0.1 - 0.005 * stateTimer));
        FaceVelocity();
        if (Strike(15, 100) != nullptr) SetState(703);
        if (stateTimer % 2 == 0) SpawnEffect(CCharacterEffect::kTrailSmoke, facing, x - vx, x - vx, y - vy, y - vy, 0, 0, 0, 0);
        if (!IsOnScreen()) return gone();
    } else if (f == 710 || f == 720 || f == 730 || f == 740 || In(f, 760, 761)) {
        if (f == 720) ApplyGravity();
        if (f != 740) FaceVelocity();
        const int32_t kind = f <= 720 ? 17 : (f == 730 ? 25 : (f == 740 ? 20 : 27));
        if (Strike(kind, 100) != nullptr) return gone();
        if (f >= 760 ? offMap() : !IsOnScreen()) return gone();
    } else if (f == 750) {
        angle += 0.5;
        hum();
    } else if (f == 751) {
        FaceVelocity();
        Strike(26, 100);
        if (offMap()) return gone();
    } else if (f == 770) {
        Strike(28, 100);
        alpha = 255;
        LeaveTrail();
        if (!IsOnScreen()) return gone();
    }
    return true;
}

// --- Spawning ----------------------------------------------------------------------

CCharacterAttackEffect* SpawnAttackEffect(CCharacter* parent, int32_t state, int32_t facing, int32_t x0, int32_t x1,
                                          int32_t y0, int32_t y1, int32_t vx0, int32_t vx1, int32_t vy0, int32_t vy1) {
    auto* effect = static_cast<CCharacterAttackEffect*>(CreateCharacter(CCharacterAttackEffect::kTypeId));
    if (effect == nullptr) return nullptr;
    effect->SetState(state);
    effect->group = parent != nullptr ? parent->group : 0;
    effect->facing = facing;
    PlaceFromRanges(*effect, x0, x1, y0, y1, vx0, vx1, vy0, vy1);
    return effect;
}
