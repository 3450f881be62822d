// The stage objects other than the exits: the save point, the shop point,
// the goal target, the locked door, the key lock, the flag gate, both
// switches, the target, the enemy lock, the breakable, sealed and falling
// blocks and the hazard blocks (decorations only stand). What they set up
// from comes from the tables in data/maps/stageobjects.txt; what they have
// done stays in the flags of the slot in play, so a room entered again
// shows it, and the slot saves it.
//
// Whatever needs the player waits while there is none.
#include <cmath>
#include <numbers>

#include "character/CharacterEffect.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/TextTable.h"
#include "maps/StageObjectTables.h"
#include "player/CharacterPlayer.h"
#include "stage/CharacterStageObject.h"
#include "stage/Event.h"
#include "stage/EventSpot1.h"
#include "stage/StageData.h"
#include "ui/GameInputMain.h"
#include "win/SoundTables.h"

namespace {

bool InRange(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }

CCharacterPlayer* Player() { return dynamic_cast<CCharacterPlayer*>(CGameMain::GetInstance()->m_player); }

// The record of the slot in play, or null.
CSaveData* SlotRecord() {
    CGameMain* game = CGameMain::GetInstance();
    if (game->m_currentSlot < 0 || game->m_currentSlot >= CGameMain::kSlotCount) return nullptr;
    return &game->m_slotData[game->m_currentSlot];
}

bool TourRunning() { return CEventSpot1::GetInstance()->IsRunning(); }

// The row of a type id in a table that starts at `first`, or null.
template <class Row, int32_t N>
const Row* TableRow(const Row (&table)[N], int32_t first, int32_t id) {
    const int32_t row = id - first;
    return row >= 0 && row < N ? &table[row] : nullptr;
}

// Sounds.
constexpr int32_t kSaveSound = 71;
constexpr int32_t kKeySound = 69;
constexpr int32_t kUnlockSound = 70;
constexpr int32_t kSwitchSound = 22;
constexpr int32_t kTargetSound = 78;
constexpr int32_t kBreakSound = 47;
constexpr int32_t kDropSound = 60;

// Attack kinds the furniture answers to.
constexpr int32_t kLightKind = 6;
constexpr int32_t kDouseKind = 8;
constexpr int32_t kDouseKindAlt = 10;
constexpr int32_t kTargetKind = 9;
constexpr int32_t kBreakKind = 4;
constexpr int32_t kSealBreakKind = 1;
constexpr int32_t kDropKind = 7;
constexpr int32_t kHazardKind = 15;
constexpr int32_t kHazardDamage = 100;

// Weapons that make furniture a target of the player's homing attack.
constexpr int32_t kLightWeapon = 4;
constexpr int32_t kDouseWeapon = 6;
constexpr int32_t kBreakWeapon = 3;
constexpr int32_t kDropWeapon = 5;

// The ability flag that lets the plain attack break sealed blocks.
constexpr int32_t kSealBreakFlag = 6;
constexpr int32_t kSavedText = 243;
constexpr int32_t kScoreOrbScore = 100;
constexpr int32_t kScoreOrbAngle = 180;
constexpr int32_t kPlayerStageExit = 940;
constexpr int32_t kLockBurst = 230;
constexpr int32_t kShopSign = 240;

// A falling block stops bouncing once it would rise slower than this.
constexpr int32_t kSlowestBounce = 10;
// The hazard blocks' looks change every 12 frames of the game's counter.
constexpr int32_t kHazardPhase = 12;
constexpr int32_t kHazardCycle = 48;

const int32_t kBlockPieces[] = {280, 280, 281, 281, 282, 282};
const int32_t kSealPieces[] = {291, 291, 292, 292};

}  // namespace

// --- The first states --------------------------------------------------------------

void CCharacterStageObject::InitKeyLock(int32_t id) {
    m_flagId = id - 22811;
    SetState(290);
}

void CCharacterStageObject::InitFlagGate(int32_t id) {
    // 10448 and 10449 come here too, but the table has no row for them.
    const FlagGateTableRow* r = TableRow(kFlagGateTable, kFlagGateTableFirstId, id);
    if (r == nullptr) return SetState(0);
    m_startsTour = r->startsTour != 0;
    m_openSound = r->openSound;
    for (int32_t i = 0; i < kConditionFlagCount; ++i) m_conditionFlags[i] = r->conditionFlags[i];
    SetState(300);
}

void CCharacterStageObject::InitSwitch(int32_t id) {
    const SwitchTableRow* r = TableRow(kSwitchTable, kSwitchTableFirstId, id);
    if (r == nullptr) return SetState(0);
    m_flagId = r->flagId;
    m_onFrames = r->onFrames;
    m_invert = r->invert;
    if (r->keepFlag == 0) WriteFlag(m_flagId, 0);
    const bool expected = FlagSet(m_flagId) == (m_invert == 0);
    SetState(expected ? r->stateWhenExpected : r->stateOtherwise);
}

void CCharacterStageObject::InitSwitchAlt(int32_t id) { InitSwitch(id); }

void CCharacterStageObject::InitLockedDoor(int32_t id) {
    const LockedDoorTableRow* r = TableRow(kLockedDoorTable, kLockedDoorTableFirstId, id);
    if (r == nullptr) return SetState(0);
    SetState(r->state);
    TakeWarpOf(*r);
    // The open door's picture and its wider body.
    PaintDoorOf(*r);
    for (int32_t i = kDoorExit; i < kDoorExit + kDoorRecords; ++i) {
        FrameRecord* f = frameTable.Find(i);
        if (f == nullptr) continue;
        f->bodyLeft = -500;
        f->bodyRight = 500;
        f->bodyTop = -400;
        f->bodyBottom = 200;
    }
    m_flagId = r->flagId;
    m_conditionFlags[0] = r->keyFlag1;
    m_conditionFlags[1] = r->keyFlag2;
}

void CCharacterStageObject::InitTarget(int32_t id) {
    m_flagId = id - 10301;
    SetState(330);
}

void CCharacterStageObject::InitEnemyLock(int32_t id) {
    const EnemyLockTableRow* r = TableRow(kEnemyLockTable, kEnemyLockTableFirstId, id);
    if (r == nullptr) return SetState(0);
    m_flagId = r->flagId;
    m_rewardTypeId = r->rewardTypeId;
    m_openSound = r->openSound;
    // This one lock is met afresh every time.
    if (m_flagId == 361) WriteFlag(361, 0);
    SetState(340);
}

void CCharacterStageObject::InitBreakableBlock(int32_t id) {
    m_flagId = id == 10660 ? -1 : id - 9959;
    SetState(400);
    typeId = 10660;
}

void CCharacterStageObject::InitSealedBlock(int32_t id) {
    m_flagId = id == 10710 ? -1 : id - 9909;
    SetState(410);
    typeId = 10710;
}

void CCharacterStageObject::InitFallingBlock(int32_t id) {
    m_flagId = id == 10760 ? -1 : id - 9959;
    SetState(420);
}

// --- Per frame ---------------------------------------------------------------------

bool CCharacterStageObject::UpdateKind() {
    if (InRange(frame, 230, 235)) {
        UpdateGoalTarget();
    } else if (frame == 260) {
        return UpdateLockedDoor();
    } else if (InRange(frame, 280, 283)) {
        UpdateSavePoint();
    } else if (InRange(frame, 290, 291)) {
        return UpdateKeyLock();
    } else if (InRange(frame, 300, 303)) {
        UpdateFlagGate();
    } else if (InRange(frame, 310, 317) || InRange(frame, 320, 327)) {
        UpdateSwitch();
    } else if (InRange(frame, 330, 332)) {
        targetable = 0;
        if (frame == 330 && FlagSet(m_flagId)) SetState(332);  // hit before
    } else if (frame == 340 || frame == 343) {
        UpdateEnemyLock();
    } else if (frame == 350) {
        ShowSignWhileStanding(CCharacterEffect::kShopGlowTypeId, kShopSign, x - 800, y - 650);
    } else if (frame == 400) {
        if (CCharacterPlayer* player = Player()) targetable = player->GetCurrentWeapon() == kBreakWeapon;
        if (m_flagId >= 0 && FlagSet(m_flagId)) SetState(0);
    } else if (frame == 401) {
        targetable = 0;
    } else if (frame == 410) {
        targetable = 0;
        if (m_flagId >= 0 && FlagSet(m_flagId)) SetState(0);
    } else if (InRange(frame, 420, 421)) {
        UpdateFallingBlock();
    } else if (InRange(frame, 430, 437)) {
        UpdateHazard();
    }
    return true;
}

void CCharacterStageObject::UpdateGoalTarget() {
    CCharacterPlayer* player = Player();
    if (frame <= 233) {
        UpdateHover();
        if (player != nullptr && !player->AttackHits(this)) damageFlashTimer = 0;
        return;
    }
    if (frame == 234) {
        alpha -= 2;
        if (alpha < 0) SetState(235);
        if (stateTimer % 2 != 0) return;
        for (int32_t i = 0; i < 4; ++i) {
            const double a = stateTimer * 0.1 + i * std::numbers::pi / 2;
            const int32_t ox = x + static_cast<int32_t>(200 * std::sin(a));
            const int32_t oy = y + static_cast<int32_t>(200 * std::cos(a));
            const int32_t ovx = static_cast<int32_t>(200 * std::sin(a));
            const int32_t ovy = static_cast<int32_t>(200 * std::cos(a));
            CCharacterEffect* orb = SpawnEffect(CCharacterEffect::kScoreOrb, facing, ox, ox, oy, oy, ovx, ovx, ovy, ovy);
            if (orb == nullptr) continue;
            orb->SetScore(kScoreOrbScore);
            if (player != nullptr) orb->SetScoreRate(player->GetScoreRate());
            orb->attackDirX = kScoreOrbAngle;
        }
        return;
    }
    // 235: the player leaves the stage a little later.
    if (stateTimer < 50) return;
    if (player != nullptr) player->SetState(kPlayerStageExit);
    SetState(0);
}

bool CCharacterStageObject::UpdateLockedDoor() {
    if (m_flagId == -1 || FlagSet(m_flagId)) {
        SetState(kDoorExit);  // open already
        return false;
    }
    if (FlagSet(m_conditionFlags[0]) && FlagSet(m_conditionFlags[1])) {
        WriteFlag(m_flagId, 1);
        StartTour(40, 100);
        SetState(261);
    }
    return true;
}

void CCharacterStageObject::UpdateSavePoint() {
    UpdateHover();
    CGameMain* game = CGameMain::GetInstance();
    // A stage begun by Start from a slot without a resume point offers no
    // save point; a stage reached by a warp does.
    CSaveData* record = SlotRecord();
    auto* stage = dynamic_cast<CStageDataBase*>(game->m_stageControl.GetStage());
    if (stage != nullptr && stage->IsStarted() && record != nullptr &&
        !game->m_resumeData[game->m_currentSlot].HasResumePoint())
        SetState(0);
    CCharacterPlayer* player = Player();
    if (player == nullptr || record == nullptr || !AttackHits(player)) return;
    PlaySE(kSaveSound);
    CEffect* effect = CEffect::GetInstance();
    effect->m_flash = 0;
    effect->m_flashRed = effect->m_flashGreen = effect->m_flashBlue = 255;
    effect->m_flashPeak = 255;
    effect->m_flashCycles = 1;
    effect->m_flashRiseStep = 255;
    effect->m_flashHoldPeak = 0;
    effect->m_flashFallStep = 8;
    effect->m_flashHoldZero = 0;
    effect->m_flashCounter = effect->m_flashCyclesDone = 0;
    effect->m_flashPhase = 1;
    record->SetInt(SaveSlotRecord::kMapId, game->m_mapId);
    game->ResetResumeRecord();
    game->SaveResumeRecords();
    player->StoreStatus();
    record->SetInt(SaveSlotRecord::kResumeX, GetStageX());
    record->SetInt(SaveSlotRecord::kResumeY, GetStageY());
    // The slot record goes to its file with "save": its resume point was
    // dropped in this frame.
    game->SaveGlobalData();
    player->RestoreStatus();
    CGameInputMain::GetInstance()->ShowMessage(GetText(kSavedText));
    SetState(0);
}

bool CCharacterStageObject::UpdateKeyLock() {
    if (frame == 290) {
        if (FlagSet(m_flagId)) {
            SetState(0);
            return false;
        }
        CCharacter* player = CGameMain::GetInstance()->m_player;
        CSaveData* record = SlotRecord();
        if (player == nullptr || record == nullptr || !BodyTouches(player)) return true;
        const int32_t keys = record->GetInt(SaveSlotRecord::kKeyCount);
        if (keys <= 0) return true;  // no key: nothing happens
        PlaySE(kKeySound);
        PlaySE(kUnlockSound);
        WriteFlag(m_flagId, 1);
        record->SetInt(SaveSlotRecord::kKeyCount, keys - 1);
        SetState(291);
        wallSolid = 0;
        return false;
    }
    // 291: the bars draw up out of the way.
    if (FrameRecord* r = frameTable.Find(frame)) {
        r->v += 2;
        r->spriteBottom -= 2;
        r->solidBottomLeft -= 40;
        r->solidBottomRight -= 40;
        if (r->spriteBottom <= -10) SetState(0);
    }
    return true;
}

void CCharacterStageObject::UpdateFlagGate() {
    FrameRecord* r = frameTable.Find(frame);
    if (r == nullptr) return;
    switch (frame) {
        case 300:  // closing
            r->v -= 4;
            r->spriteBottom += 4;
            if (AreAllFlagsSet()) SetState(0);  // opened before: it stays open
            if (r->spriteBottom >= 69) SetState(301);
            break;
        case 301:  // closed
            if (!AreAllFlagsSet()) break;
            if (m_startsTour) {
                if (!TourRunning()) {
                    StartTour(40, 40);
                } else {
                    // The gate joins the tour that is running.
                    CEventSpot1* tour = CEventSpot1::GetInstance();
                    tour->AddSpot(this);
                    tour->m_travelFrames = 30;
                    tour->m_waitFrames = 20;
                }
            }
            SetState(302);
            break;
        case 302:  // opening
            r->v += 1;
            r->spriteBottom -= 1;
            r->solidBottomLeft -= 20;
            r->solidBottomRight -= 20;
            if (r->spriteBottom <= -10) SetState(303);
            break;
        default:  // 303: open, the sound once the tour is over
            if (!TourRunning() && m_openSound != -1) {
                PlaySE(m_openSound);
                SetState(304);
            }
            break;
    }
}

void CCharacterStageObject::UpdateSwitch() {
    const bool inverted = frame >= 320;
    const int32_t base = inverted ? 320 : 310;
    const bool on = InRange(frame, base + 1, base + 3);
    if (CCharacterPlayer* player = Player())
        targetable = player->GetCurrentWeapon() == (on ? kDouseWeapon : kLightWeapon);
    // A switch shows on while its flag is 1, an inverted one while it is 0.
    const bool flagOn = FlagSet(m_flagId) != inverted;
    if (!on) {
        if (flagOn) SetState(base + 1);
        return;
    }
    if (!flagOn) SetState(base + 4);
    if (m_onFrames >= 0 && stateTimer > m_onFrames) {
        SetState(base + 4);
        WriteFlag(m_flagId, m_invert == 0 ? 1 : 0);
    }
}

void CCharacterStageObject::UpdateEnemyLock() {
    if (frame == 343) {
        if (!TourRunning() && m_openSound != -1) {
            PlaySE(m_openSound);
            SetState(0);
        }
        return;
    }
    if (FlagSet(m_flagId)) {
        // Cleared before: the room stays empty and the reward comes again.
        RemoveAllEnemies();
        SetState(341);
        return;
    }
    if (AnyEnemyLeft()) return;
    WriteFlag(m_flagId, 1);
    if (m_rewardTypeId == 0) {
        SetState(341);
        return;
    }
    SetState(342);
    SpawnEffect(kLockBurst, facing, x, x, y, y, 0, 0, 0, 0);
    StartTour(30, 80);
}

void CCharacterStageObject::UpdateFallingBlock() {
    CCharacterPlayer* player = Player();
    if (frame == 420) {
        if (player != nullptr && player->GetCurrentWeapon() == kDropWeapon) {
            targetable = 1;
            ClearInvulnerable();
        } else {
            targetable = 0;
            SetInvulnerable(-1);  // the attack sweep passes it by
        }
    } else {
        targetable = 0;
        const int32_t previous = attackDirY;
        if (!ApplyGravity()) {
            // Landed: back up at half the speed, until that is too slow.
            vy = -(previous / 2);
            if (vy > -kSlowestBounce) vy = 0;
        }
        attackDirY = vy;
    }
    if (player == nullptr) return;
    // It carries only a player whose feet are not below its top.
    notSolid = player->y + player->CurrentRecord().bodyBottom > y + CurrentRecord().solidTopLeft;
    if (frame != 421) return;
    if (player->FirstTouchedSideOf(this) != 4 || player->hp <= 0 || player->IsHoldingWall() ||
        player->IsHoldingCeiling())
        return;
    const int32_t ox = x, oy = y, ovx = vx, ovy = vy;
    Move(vx, vy);
    player->Move(vx, vy);
    player->carryX += vx;
    player->carryY += vy;
    x = ox;
    y = oy;
    vx = ovx;
    vy = ovy;
}

void CCharacterStageObject::UpdateHazard() {
    if (!IsNearScreen()) alive = 0;
    const int32_t base = frame < 434 ? 430 : 434;
    SetState(base + CGameMain::GetInstance()->m_frameCount % kHazardCycle / kHazardPhase);
    AttackAll(&CGameMain::GetInstance()->m_characterList, ~group, kHazardKind, kHazardDamage);
}

// --- Hits --------------------------------------------------------------------------

bool CCharacterStageObject::HitKind(int32_t kind) {
    const bool douse = kind == kDouseKind || kind == kDouseKindAlt;
    if (InRange(frame, 310, 327)) {
        const bool inverted = frame >= 320;
        const int32_t base = inverted ? 320 : 310;
        const bool on = InRange(frame, base + 1, base + 3);
        if (on ? !douse : kind != kLightKind) return false;
        PlaySE(kSwitchSound);
        SetState(on ? base + 4 : base + 1);
        // Lit: 1 for a switch, 0 for an inverted one; out: the other.
        WriteFlag(m_flagId, on == inverted ? 1 : 0);
        return true;
    }
    switch (frame) {
        case 330:
            if (kind != kTargetKind) return false;
            PlaySE(kTargetSound);
            WriteFlag(m_flagId, 1);
            SetState(331);
            hp = 0;
            return true;
        case 400:
            if (kind != kBreakKind) return false;
            if (m_flagId >= 0) WriteFlag(m_flagId, 1);
            SetState(401);
            PlaySE(kBreakSound);
            Shatter(kBlockPieces, 6, 3, 150);
            SetState(0);
            return true;
        case 410:
            if (kind != kSealBreakKind || !FlagSet(kSealBreakFlag)) return false;
            if (m_flagId >= 0) WriteFlag(m_flagId, 1);
            SetState(411);
            PlaySE(kBreakSound);
            Shatter(kSealPieces, 4, 2, 100);
            SetState(0);
            return true;
        case 420:
            if (kind != kDropKind) return false;
            PlaySE(kDropSound);
            if (m_flagId >= 0) WriteFlag(m_flagId, 1);
            SetState(421);
            return true;
        default: return false;
    }
}

void CCharacterStageObject::Shatter(const int32_t* states, int32_t count, int32_t passes, int32_t spread) {
    for (int32_t pass = 0; pass < passes; ++pass) {
        for (int32_t i = 0; i < count; ++i) {
            // Of each pair, the first flies left and the second right.
            const int32_t lo = i % 2 == 0 ? -40 : 0, hi = i % 2 == 0 ? 0 : 40;
            SpawnEffect(states[i], facing, x - spread, x + spread, y - spread, y + spread, lo, hi, -80, -20);
        }
    }
}

// --- The camera tour ---------------------------------------------------------------

void CCharacterStageObject::StartTour(int32_t travelFrames, int32_t waitFrames) {
    CEventSpot1* tour = CEventSpot1::GetInstance();
    tour->Init();
    tour->AddSpot(this);
    tour->m_travelFrames = travelFrames;
    tour->m_waitFrames = waitFrames;
    CEvent::GetInstance()->SetEvent(EventId::kSpot);
}
