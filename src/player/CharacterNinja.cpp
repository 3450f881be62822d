#include "player/CharacterNinja.h"

#include <cmath>
#include <utility>

#include "character/CharacterEffect.h"
#include "character/CharacterList.h"
#include "frames/FrameTables.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "framework/SaveData.h"
#include "ui/GameInput.h"
#include "win/MyInput.h"
#include "win/SoundTables.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The body's centre lies this far from the floor, wall or ceiling that a
// stance stands on, hangs from or leans against.
constexpr int32_t kAnchorOffset = 190;
// How far an attack start lifts the player off the ground: the hurt pose
// to the body's centre, the katana's wind-up half as far.
constexpr int32_t kHurtLift = 200;
constexpr int32_t kKatanaLift = 100;

constexpr int32_t kStrikeSound = 0;
constexpr int32_t kRunDustSound = 13;
constexpr int32_t kDiveSound = 0;

// Effect states.
constexpr int32_t kKickOffDust = 40;
constexpr int32_t kRunDust = 380;
constexpr int32_t kTargetMarker = 90;

// Homing ranges by weapon.
constexpr int32_t kFireRange = 1600;
constexpr int32_t kFarRange = 4000;

bool In(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }

bool IsStanding(int32_t f) { return f == 230 || f == 231 || f == 236; }

bool IsAttackState(int32_t f) {
    return In(f, 280, 284) || In(f, 320, 322) || In(f, 330, 344) || In(f, 380, 389) || In(f, 400, 409) ||
           In(f, 420, 429) || In(f, 440, 449);
}

bool KeepsTarget(int32_t f) { return In(f, 280, 289) || In(f, 320, 359) || In(f, 380, 459); }

// The standing stances and grounded poses whose anchor lies above the feet.
bool IsFootStance(int32_t f) {
    return IsStanding(f) || In(f, 300, 304) || f == 311 || f == 382 || f == 383 || f == 402 || f == 403 ||
           f == 422 || f == 423 || f == 940 || f == 941;
}

// The surface a stance holds on to: 4 floor, 2/3 wall by facing, 1 ceiling;
// 0 for any other state.
int32_t SideOfStance(int32_t f, int32_t facing) {
    if (IsStanding(f)) return 4;
    if (f == 232 || f == 233) return facing == 1 ? 2 : 3;
    if (f == 234 || f == 235) return 1;
    return 0;
}

}  // namespace

// The player base has set life, gauge, gravity, friction, group, layer and
// scale to the ninja's values.
CCharacterNinja::CCharacterNinja() {
    typeId = 1;
    colorR = colorG = colorB = 255;
    frameTable.Load(kCharacterNinjaFrames);
    frame = pendingState = PlayerState::Stand;
    ApplyEquipmentBonuses();
}

// --- The frame -----------------------------------------------------------------

void CCharacterNinja::Update() {
    CMyInput* input = CMyInput::GetInstance();
    if (!controlled) input->m_inputAvailable = 0;
    StepAnimation();
    TickCountdown();
    TickPlayTime();
    UpdateGauge();
    RunStateHandler();
    MarkTargets();
    Move(vx, vy);
    if (controlled) ClampToStage();
    else input->m_inputAvailable = 1;
}

void CCharacterNinja::RunStateHandler() {
    const int32_t f = frame;
    switch (f) {
        case 10: UpdateHurt(); return;
        case 20: UpdateState20(); return;
        case 30: UpdateState30(); return;
        case 40: UpdateState40(); return;
        case 50: UpdateState50(); return;
        default: break;
    }
    if (In(f, 110, 115)) UpdateDefeat();
    else if (f == 220 || In(f, 230, 236)) UpdateGround();
    else if (In(f, 250, 255)) UpdateWalk();
    else if (In(f, 260, 263) || In(f, 270, 273)) UpdateRun();
    else if (f == 280 || f == 281 || In(f, 290, 292)) UpdateAir();
    else if (In(f, 310, 313)) UpdateItemGet();
    else if (In(f, 320, 323)) UpdateMoveAttack();
    else if (In(f, 330, 344)) UpdateHomingAttack();
    else if (In(f, 360, 365)) UpdateLaunched();
    else if (In(f, 380, 389)) UpdateBombThrow();
    else if (In(f, 400, 409)) UpdateShurikenThrow();
    else if (In(f, 420, 429)) UpdateNinjutsu();
    else if (In(f, 440, 449)) UpdateDiveAttack();
    else if (In(f, 960, 969)) UpdateScriptedExit();
    else if (In(f, 980, 989)) UpdateState980();
}

void CCharacterNinja::UpdateDefeat() {
    switch (frame) {
        case 110:
        case 111:
            angle -= 0.5 * facing;
            ApplyGravity();
            break;
        case 112:
            if (!ApplyGravityWith(gravityNum, gravityDen * 4)) {
                SetState(113);
                vy = -20;
            }
            break;
        case 113:
        case 114:
            if (!ApplyGravityWith(gravityNum, gravityDen * 4)) {
                SetState(115);
                vx = vy = 0;
            }
            break;
        case 115:
            ApplyGravity();
            break;
        default:
            break;
    }
}

// --- States ----------------------------------------------------------------------

void CCharacterNinja::LeaveState(int32_t from, int32_t to) {
    if (from == 280 || from == 281 || from == 321 || from == 981 || from == 982 ||
        ((from == 361 || from == 362) && !In(to, 360, 362))) {
        angle = angle2 = 0.0;
    }
    if (from == 322) releasedSide = 0;
    if (In(from, 320, 322) && !In(to, 320, 329)) grabbedObject = nullptr;
    if (IsAttackState(from) && !KeepsTarget(to)) target = nullptr;
    if (In(from, 360, 363) && !In(to, 360, 369)) ClearInvulnerable();
}

void CCharacterNinja::SetState(int32_t state) {
    const int32_t from = frame;
    LeaveState(from, state);
    switch (state) {
        case PlayerState::Stand:
            // Never passed on: it only chooses between standing and falling.
            SetState(IsAirborne() ? PlayerState::Fall : PlayerState::Ground);
            return;
        case PlayerState::Hurt:
            RefillAirDashes();
            if (IsStanding(from)) y -= kHurtLift;
            break;
        case PlayerState::Ground:
            releasedSide = 0;
            if (IsAirborne()) {
                SetState(PlayerState::Fall);
                return;
            }
            if (!(from == 236 || In(from, 250, 253) || In(from, 260, 263) || from == 383 || from == 403 ||
                  from == 423 || from == 986)) {
                if (!TryHold()) SetState(PlayerState::Landed);
                return;
            }
            RefillAirDashes();
            vx = vy = 0;
            break;
        case 231:
        case 232:
        case 233:
        case 234:
        case 235:
        case 236:
            RefillAirDashes();
            vx = vy = 0;
            break;
        case 270:
            SpawnEffect(kRunDust, facing, x, x, y, y, 0, 0, 0, 0);
            PlaySE(kRunDustSound);
            vx = facing * 100;
            vy /= 100;
            break;
        case PlayerState::MoveAttack:
        case PlayerState::Jump:
            vx = attackDirX;
            vy = attackDirY;
            break;
        case 281:
        case 321:
            EnterFlight(from);
            break;
        case PlayerState::Fall:
            if (vy < -39) vy = -40;
            break;
        case PlayerState::Carried:
            vx = vy = 0;
            if (IsAirborne()) {
                SetState(304);
                return;
            }
            break;
        case PlayerState::ItemGet:
            vx = vy = 0;
            break;
        case PlayerState::HomingAttack:
            RefillAirDashes();
            strikeChain = 1;
            vx = vy = 0;
            if (IsStanding(from)) y -= kKatanaLift;
            break;
        case 331:
        case 332: {
            // The strike connects at once when the target is already within
            // the sword's reach of the chase pose.
            if (ReachesFrom(state, target)) {
                SetState(333);
                vx = vy = 0;
                return;
            }
            break;
        }
        case 333:
        case 337:
            if (!strikeChain) {
                SetState(PlayerState::Ground);
                return;
            }
            // The strikes alternate between the two cuts.
            state = strikeSide == 0 ? 333 : 337;
            strikeSide = 1 - strikeSide;
            break;
        case 334:
        case 338:
            PlaySE(kStrikeSound);
            break;
        case 349:
            vx = vy = 0;
            SetState(PlayerState::Ground);
            return;
        case PlayerState::Launched:
            SetInvulnerable(999);
            vx = attackDirX;
            vy = attackDirY;
            break;
        case 361:
            angle = angle2 = (GameRand() % 629) / 100.0;
            break;
        case PlayerState::BombThrow:
        case PlayerState::ShurikenThrow:
            RefillAirDashes();
            if (IsHoldingCeiling()) state += 6;
            else if (IsHoldingWall()) state += 4;
            else if (!IsAirborne()) state += 2;
            break;
        case PlayerState::Ninjutsu:
            if (CanHold(1)) state += 6;
            else if (CanHold(2) || CanHold(3)) state += 4;
            else if (!IsAirborne()) state += 2;
            vx /= 5;
            vy /= 5;
            break;
        case 384:
        case 386:
        case 404:
        case 406:
            RefillAirDashes();
            break;
        case 381:
        case 383:
        case 385:
        case 387:
            ReleaseBomb(state);
            break;
        case 401:
        case 403:
        case 405:
        case 407:
            ReleaseShuriken(state);
            break;
        case 421:
        case 423:
        case 425:
        case 427:
            ReleaseNinjutsu();
            break;
        case PlayerState::DiveAttack:
            vx = 0;
            vy = -40;
            break;
        case 441:
            PlaySE(kDiveSound);
            break;
        case 941:
            CGameInputController::GetInstance()->PushInput(ScreenId::StageClear);
            break;
        default:
            break;
    }
    CCharacterPlayer::SetState(state);
}

bool CCharacterNinja::ReachesFrom(int32_t record, CCharacter* other) {
    const int32_t saved = frame;
    frame = record;
    const bool reaches = AttackHits(other);
    frame = saved;
    return reaches;
}

void CCharacterNinja::EnterFlight(int32_t from) {
    vx = attackDirX;
    vy = attackDirY;
    // Dust where the jump or dash left the floor, wall or ceiling.
    const int32_t side = SideOfStance(from, facing) != 0 ? SideOfStance(from, facing) : releasedSide;
    if (side != 0) {
        if (CCharacter* dust = SpawnEffect(kKickOffDust, facing, x, x, y, y, 0, 0, 0, 0)) {
            if (side == 2 || side == 3) dust->angle = facing * kPi / 2;
            else if (side == 1) dust->angle = kPi;
        }
    }
}

void CCharacterNinja::ConsumeStateChange() {
    const int32_t pending = pendingState;
    if (pending == 335 || pending == 339) {
        // The cut lands as it starts.
        CCharacter* hit = AttackAll(&CGameMain::GetInstance()->m_characterList, ~group, pending == 335 ? 2 : 3, attack);
        if (hit != nullptr) {
            vx = vy = 0;
            if (target == nullptr || target->hp <= 0) {
                SetState(pending == 335 ? 341 : 343);
                vy = -50;
            }
        }
    }
    CCharacterPlayer::ConsumeStateChange();
}

int32_t CCharacterNinja::GetAnchorX() { return IsHoldingWall() ? x + kAnchorOffset * facing : x; }

int32_t CCharacterNinja::GetAnchorY() {
    if (IsHoldingCeiling()) return y + kAnchorOffset;
    if (IsFootStance(frame)) return y - kAnchorOffset;
    return y;
}

// --- Status, holds and targets ---------------------------------------------------

void CCharacterNinja::StoreStatus() {
    CGameMain* game = CGameMain::GetInstance();
    if (game->m_currentSlot < 0 || game->m_currentSlot >= CGameMain::kSlotCount) return;
    WriteStatus(game->m_slotData[game->m_currentSlot]);
}

void CCharacterNinja::RestoreStatus() {
    CGameMain* game = CGameMain::GetInstance();
    if (game->m_currentSlot < 0 || game->m_currentSlot >= CGameMain::kSlotCount) return;
    ReadStatus(game->m_slotData[game->m_currentSlot]);
}

bool CCharacterNinja::IsLaunched() { return In(frame, 360, 365); }
bool CCharacterNinja::HasCeilingHold() { return ceilingHold != 0; }
bool CCharacterNinja::HasWallHold() { return wallHold != 0; }

int32_t CCharacterNinja::GetHomingRange() {
    switch (currentWeapon) {
        case WeaponId::Katana: return katanaReach;
        case WeaponId::NinjutsuFire: return kFireRange;
        default: return kFarRange;
    }
}

bool CCharacterNinja::CanTarget(CCharacter* other) {
    if (other == nullptr || !other->IsTargetable()) return false;
    const bool otherGroup = (other->group & group) == 0;
    switch (currentWeapon) {
        case WeaponId::NinjutsuWater: return other == this || otherGroup;
        case WeaponId::PotionOfHealing:
        case WeaponId::PotionOfExHealing:
        case WeaponId::PotionOfMagic:
        case WeaponId::PotionOfExMagic: return other == this;
        default: return other != this && otherGroup;
    }
}

bool CCharacterNinja::IsInHomingRange(CCharacter* other) {
    if (!CanTarget(other)) return false;
    const FrameRecord& r = other->CurrentRecord();
    int32_t x0 = r.hurtLeft * other->facing + other->x, x1 = r.hurtRight * other->facing + other->x;
    if (x0 > x1) std::swap(x0, x1);
    int32_t y0 = r.hurtTop + other->y, y1 = r.hurtBottom + other->y;
    if (y0 > y1) std::swap(y0, y1);
    // The nearest point of the hurt box.
    const int64_t nx = x < x0 ? x0 : (x > x1 ? x1 : x);
    const int64_t ny = y < y0 ? y0 : (y > y1 ? y1 : y);
    const int64_t dx = nx - x, dy = ny - y;
    const int64_t range = GetHomingRange();
    return dx * dx + dy * dy <= range * range;
}

void CCharacterNinja::MarkTargets() {
    if (hp < 1 || !controlled) return;
    CCharacterList& world = CGameMain::GetInstance()->m_characterList;
    // Markers join the list while it is walked; they are never marked.
    for (int32_t i = 1; i <= world.GetCount(); ++i) {
        CCharacter* c = world.GetAt(i);
        if (c == nullptr || c->hp < 1 || !c->IsTargetable()) continue;
        const FrameRecord& r = c->CurrentRecord();
        const bool hurtBox = (r.hurtLeft != 0 || r.hurtRight != 0) && (r.hurtTop != 0 || r.hurtBottom != 0);
        if (!hurtBox || !IsInHomingRange(c) || c->HasChildOfType19990()) continue;
        const int32_t ax = c->GetAnchorX(), ay = c->GetAnchorY();
        CCharacter* marker = SpawnEffect(kTargetMarker, facing, ax, ax, ay, ay, 0, 0, 0, 0);
        if (marker == nullptr) continue;
        c->LinkBLast(marker);
        marker->LinkALast(c);
    }
}
