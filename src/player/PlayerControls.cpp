// Touch controls: a touch on a target starts a homing attack with the
// current weapon, a touch anywhere else dashes toward the touched point (in
// the air it costs an air dash), a downward swipe dives, a touch on a stage
// object that can be taken hold of takes it, a touch on a shop door opens the
// in-stage shop. Also the holds on floors, walls and ceilings.
#include <cmath>
#include <cstdlib>

#include "character/CharacterEffect.h"
#include "character/CharacterList.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "player/CharacterPlayer.h"
#include "player/TouchPad.h"
#include "ui/GameInput.h"
#include "ui/GameInputMainShop.h"
#include "ui/Widget.h"
#include "win/MyInput.h"
#include "win/SoundTables.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Stage objects: type, the state of one that can be taken hold of (and the
// one it goes to when taken), and the shop door's state.
constexpr int32_t kStageObjectType = 23800;
constexpr int32_t kGrabbableState = 250;
constexpr int32_t kGrabbedState = 251;
constexpr int32_t kShopDoorState = 350;
// Half sizes of the squares around the touch point that a target's hurt box
// and a grabbable object's body must reach.
constexpr int32_t kHomingReach = 300;
constexpr int32_t kGrabReach = 200;
// A downward swipe longer than this (pixels) dives.
constexpr int32_t kDiveSwipe = 80;
// Screen fade of a grab.
constexpr int32_t kGrabFadeStep = 8;
constexpr int32_t kGrabSound = 66;
// Effect states: the dash trail and the mark at the touched point.
constexpr int32_t kTrailStraight = 50;
constexpr int32_t kTrailSide = 51;
constexpr int32_t kTouchMark = 70;
// Water ninjutsu: the orb object among the player's children.
constexpr int32_t kWaterObjectType = 40010;

struct Box {
    int32_t left, right, top, bottom;  // ordered, in play-field units
};

bool HasBox(int32_t l, int32_t r, int32_t t, int32_t b) { return (l != 0 || r != 0) && (t != 0 || b != 0); }

// A box of a character's current record placed at the character, its x
// edges mirrored by its facing.
Box Place(const CCharacter& c, int32_t l, int32_t r, int32_t t, int32_t b) {
    int32_t x0 = l * c.facing + c.x, x1 = r * c.facing + c.x;
    if (x0 > x1) std::swap(x0, x1);
    int32_t y0 = t + c.y, y1 = b + c.y;
    if (y0 > y1) std::swap(y0, y1);
    return {x0, x1, y0, y1};
}

bool HurtBoxOf(const CCharacter& c, Box& out) {
    const FrameRecord& r = c.CurrentRecord();
    if (!HasBox(r.hurtLeft, r.hurtRight, r.hurtTop, r.hurtBottom)) return false;
    out = Place(c, r.hurtLeft, r.hurtRight, r.hurtTop, r.hurtBottom);
    return true;
}

bool BodyBoxOf(const CCharacter& c, Box& out) {
    const FrameRecord& r = c.CurrentRecord();
    if (r.bodyLeft == r.bodyRight || r.bodyTop == r.bodyBottom) return false;
    out = Place(c, r.bodyLeft, r.bodyRight, r.bodyTop, r.bodyBottom);
    return true;
}

// The box overlaps the square of half size `reach` around (px, py): in y,
// then in x.
bool ReachesSquare(const Box& b, int32_t px, int32_t py, int32_t reach) {
    if (!RangesOverlap(b.top, b.bottom, py - reach, py + reach)) return false;
    return RangesOverlap(b.left, b.right, px - reach, px + reach);
}

int64_t Square(int64_t v) { return v * v; }

bool HasChildOfType(const CCharacter& c, int32_t type) {
    for (const CCharacter* child : c.linksB)
        if (child != nullptr && child->typeId == type) return true;
    return false;
}

CCharacterList& World() { return CGameMain::GetInstance()->m_characterList; }

}  // namespace

// --- Touches -----------------------------------------------------------------

int32_t CCharacterPlayer::TouchX() { return CTouchPad::GetCurrent()->GetPointerLocalX() * 10; }
int32_t CCharacterPlayer::TouchY() { return CTouchPad::GetCurrent()->GetPointerLocalY() * 10; }

void CCharacterPlayer::UseTouch() {
    int8_t& newest = CMyInput::GetInstance()->m_touchHistory[0];
    if (newest == 1) newest = 2;
}

void CCharacterPlayer::TakeWholeTouch() { ConsumeTouch(); }

namespace {

bool PadReportsTouch(bool pressed) {
    CTouchPad* pad = CTouchPad::GetCurrent();
    return pressed ? pad->IsPressed() : pad->IsTouchEntered();
}

}  // namespace

// --- Holds -------------------------------------------------------------------

bool CCharacterPlayer::TryHold() {
    if (CanHold(4)) {
        SetState(PlayerState::Landed);
        vx = 0;
        vy = 1;
    } else if (CanHold(1)) {
        SetState(PlayerState::CeilingHold);
        vx = 0;
        vy = -1;
    } else if (CanHold(2)) {
        SetState(PlayerState::WallHold);
        vx = -1;
        vy = 0;
        facing = 1;
    } else if (CanHold(3)) {
        SetState(PlayerState::WallHold);
        vx = 1;
        vy = 0;
        facing = -1;
    } else {
        return false;
    }
    return true;
}

bool CCharacterPlayer::CanHold(int32_t side) {
    if (!TouchesSolid(side)) {
        // Away from the side let go of last: it may be held again.
        if (side == releasedSide) releasedSide = 0;
        return false;
    }
    if (side == releasedSide) return false;
    switch (side) {
        case 1: return vy < 1 && HasCeilingHold();
        case 2: return vx < 1 && HasWallHold();
        case 3: return vx >= 0 && HasWallHold();
        case 4: return vy >= 0;
        default: return false;
    }
}

// --- Stage objects -----------------------------------------------------------

bool CCharacterPlayer::TryGrabObject() {
    if (!controlled || !PadReportsTouch(false)) return false;
    const int32_t tx = TouchX(), ty = TouchY();
    CCharacterList& world = World();
    for (int32_t i = 1; i <= world.GetCount(); ++i) {
        CCharacter* c = world.GetAt(i);
        Box body;
        if (c == nullptr || c->typeId != kStageObjectType || c->frame != kGrabbableState) continue;
        if (!BodyBoxOf(*c, body) || !ReachesSquare(body, tx, ty, kGrabReach)) continue;
        grabbedObject = c;
        return true;
    }
    return false;
}

bool CCharacterPlayer::TryTouchStageObject() {
    if (!controlled || IsAirborne() || !PadReportsTouch(false)) return false;
    const int32_t tx = TouchX(), ty = TouchY();
    CCharacterList& world = World();
    for (int32_t i = 1; i <= world.GetCount(); ++i) {
        CCharacter* c = world.GetAt(i);
        Box body;
        if (c == nullptr || c->typeId != kStageObjectType || c->frame != kShopDoorState) continue;
        if (!BodyTouches(c) || !BodyBoxOf(*c, body)) continue;
        if (ty < body.top || ty > body.bottom || tx < body.left || tx > body.right) continue;
        target = c;
        return true;
    }
    return false;
}

void CCharacterPlayer::GrabObject(CCharacter* object) {
    CEffect* effect = CEffect::GetInstance();
    effect->m_fade = 0;
    effect->m_fadeTarget = 255;
    effect->m_fadeStep = kGrabFadeStep;
    PlaySE(kGrabSound);
    object->SetState(kGrabbedState);
    x = object->GetAnchorX();
    DropToGround();
    SetState(PlayerState::Carried);
}

// --- Jump and move attack ----------------------------------------------------

bool CCharacterPlayer::TryJump() {
    if (!CMyInput::GetInstance()->IsTouchPressed() || IsAirborne()) return false;
    SetState(PlayerState::Jump);
    return true;
}

void CCharacterPlayer::SpawnDashTrail(int32_t fromX, int32_t fromY) {
    const double back = std::atan2(static_cast<double>(attackDirY), static_cast<double>(attackDirX)) + kPi;
    struct Piece {
        int32_t state;
        double turn;
        int32_t speed;
    };
    static constexpr Piece kFan[] = {{kTrailStraight, 0.0, 20},      {kTrailSide, kPi / 8, 20},
                                     {kTrailSide, -kPi / 8, 20},      {kTrailSide, kPi / 12, 14},
                                     {kTrailStraight, -kPi / 12, 14}};
    for (const Piece& p : kFan) {
        const int32_t evx = static_cast<int32_t>(std::cos(back + p.turn) * p.speed);
        const int32_t evy = static_cast<int32_t>(std::sin(back + p.turn) * p.speed);
        SpawnEffect(p.state, facing, fromX, fromX, fromY, fromY, evx, evx, evy, evy);
    }
}

bool CCharacterPlayer::TryMoveAttack(int32_t cost, bool pressed) {
    if (!controlled) return false;
    const CMyInput* input = CMyInput::GetInstance();
    if (input->IsSwipe()) {
        const int32_t dx = input->GetSwipeDX(), dy = input->GetSwipeDY();
        if (dy > kDiveSwipe && std::abs(dx) < std::abs(dy)) {
            SetState(PlayerState::DiveAttack);
            return true;
        }
    }
    return TryDash(cost, pressed);
}

bool CCharacterPlayer::TryDash(int32_t cost, bool pressed) {
    if (cost > airDashes || !PadReportsTouch(pressed)) return false;

    const int32_t tx = TouchX(), ty = TouchY();
    airDashes -= cost;
    if (TryGrabObject()) {
        if (BodyTouches(grabbedObject)) {
            TakeWholeTouch();
            GrabObject(grabbedObject);
            return true;
        }
    } else {
        grabbedObject = nullptr;
    }
    if (TryTouchStageObject()) {
        TakeWholeTouch();
        CGameStateController::GetInstance()->ChangeState(8);
        CGameInputMainShop::GetInstance()->SetOrigin(target->x / 10, target->y / 10);
        CGameInputController::GetInstance()->PushInput(ScreenId::MainShop);
        target = nullptr;
        return true;
    }
    UseTouch();

    const double dx = static_cast<double>(tx) - x, dy = static_cast<double>(ty) - y;
    const double a = std::atan2(dy, dx);
    const int32_t speed = GetMoveAttackSpeed();
    attackDirX = static_cast<int32_t>(speed * std::cos(a));
    attackDirY = static_cast<int32_t>(speed * std::sin(a));
    LetGoOfSurface();
    int32_t distance = static_cast<int32_t>(std::sqrt(dx * dx + dy * dy));
    if (distance > GetMoveAttackRange()) distance = GetMoveAttackRange();
    SetDashLength(distance);
    SetState(PlayerState::MoveAttack);
    SpawnDashTrail(x, y);
    SpawnEffect(kTouchMark, facing, tx, tx, ty, ty, 0, 0, 0, 0);
    FaceAttackDirection();
    return true;
}

void CCharacterPlayer::LetGoOfSurface() {
    switch (frame) {
        case 230:
        case 231:
        case 236: releasedSide = 4; break;
        case 232:
        case 233: releasedSide = facing == 1 ? 2 : 3; break;
        case 234:
        case 235: releasedSide = 1; break;
        default: break;
    }
}

void CCharacterPlayer::SetDashLength(int32_t distance) {
    if (FrameRecord* flight = frameTable.Find(PlayerState::MoveAttack + 1))
        flight->stateDuration = distance / GetMoveAttackSpeed();
}

bool CCharacterPlayer::TryMoveAttackNoFlag(int32_t cost) { return TryMoveAttack(cost, false); }
bool CCharacterPlayer::TryMoveAttackInAir() { return TryMoveAttackNoFlag(1); }

// --- Homing attack -----------------------------------------------------------

bool CCharacterPlayer::TryHomingAttack(bool pressed) {
    if (!controlled || !PadReportsTouch(pressed)) return false;
    const int32_t tx = TouchX(), ty = TouchY();
    CCharacter* winner = nullptr;
    int64_t nearest = 0;
    CCharacterList& world = World();
    for (int32_t i = 1; i <= world.GetCount(); ++i) {
        CCharacter* c = world.GetAt(i);
        Box hurt;
        if (c == nullptr || !CanTarget(c) || !HurtBoxOf(*c, hurt) || !IsInHomingRange(c)) continue;
        if (!ReachesSquare(hurt, tx, ty, kHomingReach)) continue;
        // The nearest position wins; on a tie the one found first stays.
        const int64_t d = Square(static_cast<int64_t>(c->x) - tx) + Square(static_cast<int64_t>(c->y) - ty);
        if (winner == nullptr || d < nearest) {
            winner = c;
            nearest = d;
        }
    }
    // Water without orbs out is cast on the player wherever the touch is.
    if (currentWeapon == WeaponId::NinjutsuWater && !HasChildOfType(*this, kWaterObjectType)) winner = this;
    if (winner == nullptr || winner == target) return false;
    UseTouch();
    StartHomingAttack(winner);
    return true;
}

bool CCharacterPlayer::TryHomingAttackDefault() { return TryHomingAttack(true); }

bool CCharacterPlayer::Hook226() { return false; }
bool CCharacterPlayer::Hook227() { return false; }
bool CCharacterPlayer::Hook228() { return false; }
bool CCharacterPlayer::Hook229() { return false; }
bool CCharacterPlayer::Hook230() { return false; }
bool CCharacterPlayer::Hook231() { return false; }
bool CCharacterPlayer::Hook232() { return false; }
