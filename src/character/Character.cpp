#include "character/Character.h"

#include <cmath>

#include "character/CharacterList.h"
#include "framework/GameMain.h"
#include "player/CharacterPlayer.h"
#include "stage/Event.h"
#include "win/SoundTables.h"

namespace {

// Sound-effect slot of a character that is down to no life.
constexpr int32_t kDefeatSound = 31;
constexpr int32_t kStandState = 220;
constexpr int32_t kDefeatState = 110;

void CountDown(int32_t& timer) {
    if (timer > 0) --timer;
}

}  // namespace

CCharacter::CCharacter() = default;

CCharacter::~CCharacter() {
    for (CCharacterList*& list : ownedLists) {
        if (list == nullptr) continue;
        list->RemoveAll();  // the characters belong to the world list
        delete list;
        list = nullptr;
    }
    // No player aims at this character or holds it any more, and no
    // character of the world keeps a link to it.
    CCharacterPlayer::ForgetCharacter(this);
    // The camera follows the player again, and no scene keeps it.
    CGameMain* game = CGameMain::GetInstance();
    if (game->m_player == this) game->m_player = nullptr;
    if (game->m_cameraTarget == this) game->m_cameraTarget = game->m_player;
    if (game->m_cameraLimitCharacter == this) game->m_cameraLimitCharacter = nullptr;
    CEvent::ForgetCharacter(this);
    CCharacterList& world = game->m_characterList;
    world.cursor = 0;
    // No character holds a link to one that was never linked to.
    const int32_t n = linkedTo ? world.GetCount() : 0;
    for (int32_t i = 1; i <= n; ++i) {
        CCharacter* c = world.GetAt(i);
        if (c == nullptr) continue;
        // Every death sweeps the whole world: a read-only test first (a few
        // wide compares), and writes only where a link is found.
        bool linked = false;
        for (int32_t k = 0; k < kLinkCount; ++k) linked |= (c->linksA[k] == this) | (c->linksB[k] == this);
        if (!linked) continue;
        for (int32_t k = 0; k < kLinkCount; ++k) {
            if (c->linksA[k] == this) c->linksA[k] = nullptr;
            if (c->linksB[k] == this) c->linksB[k] = nullptr;
        }
    }
    frameTable.Release();
}

// --- Gravity -----------------------------------------------------------------

bool CCharacter::ApplyGravityCapped(int32_t num, int32_t den, int32_t maxFallSpeed) {
    const int32_t savedMaxFall = maxFall;
    maxFall = maxFallSpeed;
    const bool airborne = ApplyGravityWith(num, den);
    maxFall = savedMaxFall;
    return airborne;
}

bool CCharacter::ApplyGravityWith(int32_t num, int32_t den) {
    const int32_t savedNum = gravityNum;
    const int32_t savedDen = gravityDen;
    gravityNum = num;
    gravityDen = den;
    const bool airborne = ApplyGravity();
    gravityNum = savedNum;
    gravityDen = savedDen;
    return airborne;
}

void CCharacter::StartHover() {
    hoverSpeed = hoverAmplitude;
    hoverDir = -1;
    hoverAcc = 0;
}

void CCharacter::AccelerateXAbsolute(int32_t target, int32_t step) { AccelerateX(target, step, true, true); }

void CCharacter::AccelerateXForward(int32_t target, int32_t step) { AccelerateX(target, step, false, true); }

void CCharacter::FacePlayer() {
    const CCharacter* player = CGameMain::GetInstance()->m_player;
    if (player == nullptr) return;
    if (x < player->x) facing = 1;
    else if (x > player->x) facing = -1;
}

// --- Frame entry and the state-band handlers --------------------------------

void CCharacter::EmptyHook() {}

void CCharacter::Frame() {
    x += pushX;
    y += pushY;
    pushX = 0;
    pushY = 0;
    if (hitStop > 0) {
        --hitStop;
        return;
    }
    CountDown(invincibleTimer);
    CountDown(invulnerableTimer);
    CountDown(damageFlashTimer);
    CountDown(auxTimer);
    CountDown(blinkTimer);
    CountDown(flashTimer);
    CountDown(guardTimer);
    carryX = 0;
    carryY = 0;
    Update();
}

void CCharacter::Update() {}
bool CCharacter::IsRemoved() { return false; }
void CCharacter::Reset() {}

void CCharacter::DefaultPhysics() {
    DecelerateX(friction);
    ApplyGravity();
}

void CCharacter::UpdateHurt() { DefaultPhysics(); }
void CCharacter::UpdateState20() { DefaultPhysics(); }
void CCharacter::UpdateState30() { DefaultPhysics(); }

void CCharacter::UpdateState40() {
    DecelerateX(10);
    // Falls at the player character's rate.
    const CCharacter* player = CGameMain::GetInstance()->m_player;
    if (player != nullptr) ApplyGravityWith(player->gravityNum, player->gravityDen);
    else ApplyGravity();
}

void CCharacter::UpdateState50() {
    if (stateTimer % 10 == 0) facing = -facing;
    if (!ApplyGravity()) SetState(kStandState);
}

void CCharacter::UpdateState60() { DefaultPhysics(); }
void CCharacter::UpdateState70() {}
void CCharacter::UpdateState80() {}
void CCharacter::UpdateState90() {}
void CCharacter::UpdateState100() {}
void CCharacter::UpdateDefeat() {}
void CCharacter::UpdateState120() {}
void CCharacter::UpdateState130() {}
void CCharacter::UpdateState140() {}
void CCharacter::UpdateState150() {}
void CCharacter::UpdateState160() {}
void CCharacter::UpdateState170() {}
void CCharacter::UpdateState180() {}
void CCharacter::UpdateState190() {}
void CCharacter::UpdateState200() {}

void CCharacter::AddHP(int32_t n) {
    hp += n;
    if (hp > hpMax) hp = hpMax;
}

void CCharacter::AddGauge(int32_t n) {
    gauge += n;
    if (gauge > gaugeMax) gauge = gaugeMax;
}

bool CCharacter::TouchesAnySolid() {
    return TouchesSolid(1) || TouchesSolid(4) || TouchesSolid(2) || TouchesSolid(3);
}

int32_t CCharacter::FirstTouchedSideOf(CCharacter* other) {
    for (int32_t side : {1, 4, 2, 3})
        if (TouchesSolidOf(other, side)) return side;
    return 0;
}

bool CCharacter::AlwaysTrueTest(int32_t, int32_t) { return true; }

// --- Position and facing ----------------------------------------------------

void CCharacter::SetPosition(int32_t newX, int32_t newY) {
    prevX = x;
    prevY = y;
    x = newX;
    y = newY;
}

int32_t CCharacter::GetX() { return x; }
int32_t CCharacter::GetY() { return y; }
bool CCharacter::SetFacing(int32_t f) {
    facing = f;
    return true;
}

int32_t CCharacter::GetFacing() { return facing; }

void CCharacter::DecelerateX(int32_t step) {
    if (vx <= step && vx >= -step) vx = 0;
    else if (vx > 0) vx -= step;
    else vx += step;
}

// --- Frames and states ------------------------------------------------------

void CCharacter::SetFrame(int32_t newFrame) {
    frameTimer = 0;
    if (newFrame != -1) frame = newFrame;
}

void CCharacter::SetState(int32_t state) {
    if (state != -1) {
        frame = state;
        pendingState = state;
        frameTimer = 0;
    }
    stateTimer = 0;
    if (state == kStandState && hp <= 0) {
        PlaySE(kDefeatSound);
        SetState(kDefeatState);
    }
}

void CCharacter::ConsumeStateChange() {
    const int32_t consumed = pendingState;
    pendingState = -1;
    if (consumed == 0) alive = 0;
}

void CCharacter::AllocateHeldRecords(int32_t count) {
    frameTable.Allocate(count);
    for (int32_t r = 1; r < count; ++r)
        SetFrameRecord(r, 32, 32, -32, 31, -32, 31, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, kHeldDuration, -1,
                       kHeldDuration, 0);
}

void CCharacter::StepAnimation() {
    ++frameTimer;
    if (frameTimer >= CurrentRecord().frameDuration) SetFrame(CurrentRecord().nextFrame);
    ++stateTimer;
    if (stateTimer >= CurrentRecord().stateDuration) {
        // A held state (no next state) only counts its time afresh. It is
        // not handed to the class's own SetState, whose rules for leaving a
        // state would take the hold's end for a way out of it.
        const int32_t next = CurrentRecord().nextState;
        if (next == -1) CCharacter::SetState(next);
        else SetState(next);
    }
    ConsumeStateChange();
}

void CCharacter::SetFrameRecord(int32_t record, int32_t u, int32_t v, int32_t spriteLeft, int32_t spriteRight,
                                int32_t spriteTop, int32_t spriteBottom, int32_t bodyLeft, int32_t bodyRight,
                                int32_t bodyTop, int32_t bodyBottom, int32_t attackLeft, int32_t attackRight,
                                int32_t attackTop, int32_t attackBottom, int32_t hurtLeft, int32_t hurtRight,
                                int32_t hurtTop, int32_t hurtBottom, int32_t nextFrame, int32_t frameDuration,
                                int32_t nextState, int32_t stateDuration, int32_t textureId) {
    FrameRecord* r = frameTable.Find(record);
    if (r == nullptr) return;
    // Fields in record order; the solid geometry is 0.
    *r = FrameRecord{u,        v,         spriteLeft,  spriteRight,  spriteTop, spriteBottom,
                     0,        0,         0,           0,            0,         0,
                     bodyLeft, bodyRight, bodyTop,     bodyBottom,   attackLeft, attackRight,
                     attackTop, attackBottom, hurtLeft, hurtRight,   hurtTop,   hurtBottom,
                     nextFrame, nextState, frameDuration, stateDuration, textureId};
}

namespace {

constexpr int32_t kTileSpriteLeft = -10;
constexpr int32_t kTileSpriteRight = 9;

}  // namespace

void CCharacter::SetBackgroundFrameRecord(int32_t record, int32_t u, int32_t v, int32_t spriteTop,
                                          int32_t spriteBottom, int32_t solidLeft, int32_t solidRight,
                                          int32_t solidTop, int32_t solidBottom, int32_t frameDuration,
                                          int32_t textureId) {
    SetBlockFrameRecord(record, u, v, kTileSpriteRight, spriteTop, spriteBottom, solidLeft, solidRight, solidTop,
                        solidBottom, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, kHeldDuration, textureId);
    if (FrameRecord* r = frameTable.Find(record)) r->frameDuration = frameDuration;
}

void CCharacter::SetBlockFrameRecord(int32_t record, int32_t u, int32_t v, int32_t spriteRight, int32_t spriteTop,
                                     int32_t spriteBottom, int32_t solidLeft, int32_t solidRight, int32_t solidTop,
                                     int32_t solidBottom, int32_t bodyLeft, int32_t bodyRight, int32_t bodyTop,
                                     int32_t bodyBottom, int32_t attackLeft, int32_t attackRight, int32_t attackTop,
                                     int32_t attackBottom, int32_t hurtLeft, int32_t hurtRight, int32_t hurtTop,
                                     int32_t hurtBottom, int32_t nextState, int32_t stateDuration, int32_t textureId) {
    FrameRecord* r = frameTable.Find(record);
    if (r == nullptr) return;
    // A flat solid: both top heights solidTop, both bottom heights
    // solidBottom; next frame -1, held; the slot kept as 16 bits.
    *r = FrameRecord{u,           v,           kTileSpriteLeft, spriteRight,  spriteTop,   spriteBottom,
                     solidLeft,   solidRight,  solidTop,        solidTop,     solidBottom, solidBottom,
                     bodyLeft,    bodyRight,   bodyTop,         bodyBottom,   attackLeft,  attackRight,
                     attackTop,   attackBottom, hurtLeft,       hurtRight,    hurtTop,     hurtBottom,
                     -1,          nextState,   kHeldDuration,   stateDuration, static_cast<uint16_t>(textureId)};
}

void CCharacter::SetTypeId(int32_t id) { typeId = id; }

void CCharacter::FaceVelocity() { angle = std::atan2(static_cast<double>(vx), static_cast<double>(-vy)); }

int32_t CCharacter::GetAnchorX() { return x; }
int32_t CCharacter::GetAnchorY() { return y; }

void CCharacter::SetAlpha(int32_t a) { alpha = a < 0 ? 0 : (a > 255 ? 255 : a); }

void CCharacter::AddAlphaClamped(int32_t d, int32_t lo, int32_t hi) {
    alpha += d;
    if (alpha < lo) alpha = lo;
    if (alpha > hi) alpha = hi;
}

void CCharacter::AddAlpha(int32_t d) { AddAlphaClamped(d, 0, 255); }

// --- Score, combo, play time and gold ---------------------------------------

void CCharacter::SetScore(int32_t n) { score = n; }
int32_t CCharacter::GetScore() { return score; }
void CCharacter::AddScore(int32_t n) { score += n; }
void CCharacter::SetScoreRate(int32_t) {}
int32_t CCharacter::GetScoreRate() { return 0; }
void CCharacter::SetCombo(int32_t n) { combo = n; }
int32_t CCharacter::GetCombo() { return combo; }
void CCharacter::OnAttackLanded() {}

void CCharacter::OnCountdownEnd() {
    combo = 0;
    comboWindow = 0;
}

void CCharacter::TickCountdown() {
    --comboWindow;
    if (comboWindow < 0) OnCountdownEnd();
}

void CCharacter::SetPlayTime(int32_t t) { playTime = t; }
int32_t CCharacter::GetPlayTime() { return playTime; }

void CCharacter::TickPlayTime() {
    if (playTimeRunning) ++playTime;
    if (playTime > kMaxPlayTime) playTime = kMaxPlayTime;
}

void CCharacter::SetPlayTimeRunning(bool running) { playTimeRunning = running ? 1 : 0; }
bool CCharacter::IsPlayTimeRunning() { return playTimeRunning != 0; }
void CCharacter::SetGold(int32_t n) { gold = n; }
void CCharacter::IncGold() { AddGold(1); }
void CCharacter::AddGold(int32_t n) { gold += n; }
int32_t CCharacter::GetGold() { return gold; }
bool CCharacter::IsTargetable() { return targetable != 0; }
void CCharacter::PushOutOfBlocks() {}
void CCharacter::OnSpringLaunch() {}
void CCharacter::OnCatapultLaunch() {}

// --- Timed values -----------------------------------------------------------

int32_t CCharacter::GetInvincible() { return invincibleTimer; }
int32_t CCharacter::GetInvulnerable() { return invulnerableTimer; }
int32_t CCharacter::GetDamageFlash() { return damageFlashTimer; }
int32_t CCharacter::GetAuxTimer() { return auxTimer; }
void CCharacter::SetInvincible(int32_t t) { ApplyTimerRule(invincibleTimer, t); }
void CCharacter::SetInvulnerable(int32_t t) { ApplyTimerRule(invulnerableTimer, t); }
void CCharacter::SetDamageFlash(int32_t t) { ApplyTimerRule(damageFlashTimer, t); }
void CCharacter::SetAuxTimer(int32_t t) { ApplyTimerRule(auxTimer, t); }
void CCharacter::ClearInvincible() { invincibleTimer = 0; }
void CCharacter::ClearInvulnerable() { invulnerableTimer = 0; }
void CCharacter::ClearDamageFlash() { damageFlashTimer = 0; }
void CCharacter::ClearAuxTimer() { auxTimer = 0; }
int32_t CCharacter::GetBlink() { return blinkTimer; }

void CCharacter::SetBlink(int32_t t, int32_t period, int32_t visible) {
    const int32_t before = blinkTimer;
    ApplyTimerRule(blinkTimer, t);
    if (blinkTimer == before) return;  // refused (a stored value always differs)
    blinkPeriod = period;
    blinkVisible = visible;
}

void CCharacter::ClearBlink() { blinkTimer = 0; }
int32_t CCharacter::GetFlash() { return flashTimer; }

void CCharacter::SetFlash(int32_t t, int32_t period, int32_t on) {
    const int32_t before = flashTimer;
    ApplyTimerRule(flashTimer, t);
    if (flashTimer == before) return;  // refused
    flashPeriod = period;
    flashOn = on;
}

void CCharacter::ClearFlash() { flashTimer = 0; }
void CCharacter::SetHitStop(int32_t t) { ApplyTimerRule(hitStop, t); }

// --- Links ------------------------------------------------------------------

namespace {

int32_t LinkFirstFree(CharacterLink (&row)[kLinkCount], CCharacter* other) {
    for (int32_t i = 0; i < kLinkCount; ++i) {
        if (row[i] == nullptr) {
            row[i] = other;
            return i;
        }
    }
    return kLinkCount;
}

int32_t LinkLastFree(CharacterLink (&row)[kLinkCount], CCharacter* other) {
    for (int32_t i = kLinkCount - 1; i >= 0; --i) {
        if (row[i] == nullptr) {
            row[i] = other;
            return i;
        }
    }
    return -1;
}

}  // namespace

int32_t CCharacter::LinkA(CCharacter* other) { return LinkFirstFree(linksA, other); }
int32_t CCharacter::LinkALast(CCharacter* other) { return LinkLastFree(linksA, other); }
int32_t CCharacter::LinkB(CCharacter* other) { return LinkFirstFree(linksB, other); }
int32_t CCharacter::LinkBLast(CCharacter* other) { return LinkLastFree(linksB, other); }

bool CCharacter::HasChildOfType19990() {
    for (const CCharacter* c : linksB)
        if (c != nullptr && c->typeId == 19990) return true;
    return false;
}
