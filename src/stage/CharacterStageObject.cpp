#include "stage/CharacterStageObject.h"

#include <cmath>

#include "character/CharacterEffect.h"
#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "frames/FrameTables.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "maps/ExitTable.h"
#include "player/CharacterPlayer.h"
#include "win/SoundTables.h"

namespace {

// The group bit of enemies (and of the stage objects that count as such).
constexpr int32_t kEnemyGroup = 2;
// Sealed blocks keep this type id and do not count as enemies left.
constexpr int32_t kSealedBlockType = 10710;

// The marker's phase follows the game's frame counter: 20 frames each.
constexpr int32_t kMarkerPeriod = 40;
constexpr int32_t kMarkerHalf = 20;
constexpr int32_t kMarkerAlpha = 224;
// The door's arrow above the grounded player, and how far above the door.
constexpr int32_t kDoorArrowRise = 450;
// Room exits: how far right of their cell the anchor of a door lies (a
// door's picture is two cells wide).
constexpr int32_t kDoorAnchorShift = 200;

constexpr int32_t kGoalFinishSound = 31;
constexpr int32_t kLockShakeSound = 79;
constexpr int32_t kLockOpenSound = 68;

constexpr double kObjectScale = 2.0;

bool InRange(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }

// A switch shows its light in these frames.
bool IsSwitchOn(int32_t frame) { return InRange(frame, 311, 313) || InRange(frame, 321, 323); }

CCharacter* Player() { return CGameMain::GetInstance()->m_player; }

}  // namespace

CCharacterStageObject::CCharacterStageObject() {
    typeId = kTypeId;
    hp = hpMax = 600;
    frame = 0;
    layer = 136;
    group = 0;
    superArmor = 1;
    targetable = 0;
    gravityNum = 1;
    gravityDen = 1;
    auxValue = 1;
    hoverSpeed = 10;
    hoverAmplitude = 10;
    hoverNum = 1;
    hoverDen = 2;
    hoverAcc = 0;
    hoverDir = -1;
    frameTable.Load(kCharacterStageObjectFrames);
}

CCharacterStageObject::~CCharacterStageObject() = default;

// --- Per frame ---------------------------------------------------------------

void CCharacterStageObject::Update() {
    StepAnimation();
    switch (frame) {
        case kRoomExit:
        case kRoomExitAlt:
            if (!UpdateRoomExit()) return;
            break;
        case kDoorExit:
            if (!UpdateDoorWaiting()) return;
            break;
        case kDoorEntered:
            if (!UpdateDoorEntered()) return;
            break;
        default:
            if (!UpdateKind()) return;
            break;
    }
    Move(vx, vy);
}

bool CCharacterStageObject::UpdateRoomExit() {
    const int32_t phase = CGameMain::GetInstance()->m_frameCount % kMarkerPeriod;
    SetState(phase < kMarkerHalf ? kRoomExit : kRoomExitAlt);
    StackMarker();
    if (!IsNearScreen()) alive = 0;  // the map makes it again when it returns
    CCharacter* player = Player();
    // A player beaten at the exit goes on to its defeat, not into the next
    // room with no life left.
    if (player == nullptr || player->hp <= 0 || !BodyTouches(player)) return true;
    CStageDataControl& proxy = CGameMain::GetInstance()->m_stageControl;
    // The player keeps its height on the map, shifted by the row's offset.
    ArmWarp(proxy.GetCameraY() + player->y + m_destY);
    return false;
}

void CCharacterStageObject::StackMarker() {
    CCharacterList& world = CGameMain::GetInstance()->m_characterList;
    int32_t below = 0;
    for (int32_t i = 1; i <= world.GetCount(); ++i) {
        const CCharacter* c = world.GetAt(i);
        if (c == nullptr || c->typeId != typeId) continue;
        if (c->y < y) {
            alpha = 0;  // only the topmost exit of a column shows
            return;
        }
        ++below;
    }
    if (below <= 0) return;
    alpha = kMarkerAlpha;
    if (FrameRecord* r = frameTable.Find(frame)) {
        r->v = (2 - below) * 10;
        r->spriteTop = 10 * below - 20;
        r->spriteBottom = 10 * below - 1;
    }
}

void CCharacterStageObject::ArmWarp(int32_t startY) {
    CStageDataControl& proxy = CGameMain::GetInstance()->m_stageControl;
    proxy.SetPendingStage(m_destMapId);
    proxy.m_startX = m_destX;
    proxy.m_startY = startY;
    proxy.m_startFacing = m_destFacing;
    proxy.m_transitionType = m_transitionType;
    proxy.m_transitionFrames = m_transitionFrames;
    proxy.m_warpExtra = m_warpExtra;
}

bool CCharacterStageObject::UpdateDoorWaiting() {
    if (!IsNearScreen() && fromLayerA) alive = 0;
    ShowSignWhileStanding(CCharacterEffect::kDoorGlowTypeId, CCharacterEffect::kDoorGlow, GetAnchorX(),
                          y - kDoorArrowRise);
    return true;
}

void CCharacterStageObject::ShowSignWhileStanding(int32_t type, int32_t state, int32_t ex, int32_t ey) {
    CCharacter* player = Player();
    if (player != nullptr && BodyTouches(player) && !player->IsAirborne()) {
        if (FindChildOfType(type) == nullptr) SpawnChildEffect(state, ex, ey);
    } else {
        ReleaseChildrenOfType(type);
    }
}

bool CCharacterStageObject::UpdateDoorEntered() {
    const CEffect* effect = CEffect::GetInstance();
    if (effect->m_fade != effect->m_fadeTarget) return true;
    // A door gives the arrival's height itself.
    ArmWarp(m_destY);
    return false;
}

// --- Hits ----------------------------------------------------------------------

bool CCharacterStageObject::OnHit(int32_t kind, int32_t damage, int32_t direction, CCharacter* attacker) {
    // The switches, the target and the three blocks answer only to their
    // own attack kinds, and take no damage otherwise.
    if (InRange(frame, 310, 317) || InRange(frame, 320, 327) || frame == 330 || frame == 400 || frame == 410 ||
        frame == 420)
        return HitKind(kind);
    if (kind == 12) return false;
    return CCharacter::OnHit(kind, damage, direction, attacker);
}

// --- State entry -----------------------------------------------------------------

void CCharacterStageObject::SetState(int32_t state) {
    if (IsSwitchOn(frame) && !IsSwitchOn(state)) ReleaseChildren50005();  // the switch's light goes
    bool scale = true;
    switch (state) {
        case 240: layer = 113; break;
        case 250: layer = 128; break;
        case 290:
        case 300:
            layer = 114;
            wallSolid = 1;
            break;
        case 340:
        case 350:
        case 360:
        case 361:
        case 362: layer = 114; break;
        case 310:
        case 314:
        case 320:
        case 324:
        case 330:
            layer = 114;
            group = kEnemyGroup;
            ReleaseChildren50005();
            break;
        case 311:
        case 321:
            layer = 114;
            group = kEnemyGroup;
            if (FindChild50005() == nullptr) SpawnChildEffect(CCharacterEffect::kSwitchLight, x, y);
            break;
        case 110:
            if (InRange(frame, 230, 233)) {
                FinishGoalTarget();  // ends in 234 instead of the defeat
                return;
            }
            scale = false;
            break;
        case 262:
            PlaySE(kLockShakeSound);
            CEffect::GetInstance()->StartShake(0, 0, 0, 100, -1, 1, 60);
            scale = false;
            break;
        case 265:
            PlaySE(kLockOpenSound);
            scale = false;
            break;
        case 341:
        case 343:
            if (m_rewardTypeId != 0) {
                if (CCharacter* reward = CreateCharacter(m_rewardTypeId)) {
                    CGameMain::GetInstance()->m_characterList.Add(reward);
                    reward->Reset();
                    reward->x = x;
                    reward->y = y;
                }
            }
            scale = false;
            break;
        case 370:
        case 380:
        case 390: layer = 63; break;
        case 400:
        case 410:
            layer = 127;
            group = kEnemyGroup;
            wallSolid = 1;
            break;
        case 420:
            layer = 114;
            group = kEnemyGroup;
            maxFall = 200;
            gravityNum = 6;
            gravityDen = 1;
            break;
        case 430:
        case 434:
            layer = 120;
            group = kEnemyGroup;
            break;
        case 230:
        case 260:
        case 280: break;
        default: scale = false; break;
    }
    if (scale) scaleX = scaleY = kObjectScale;
    CCharacter::SetState(state);
}

void CCharacterStageObject::FinishGoalTarget() {
    StopMusic();
    PlaySE(kGoalFinishSound);
    CGameMain* game = CGameMain::GetInstance();
    if (CCharacter* player = game->m_player) {
        player->hitStop = 10;
        player->SetInvulnerable(-1);
        player->vx = 0;
        player->vy = -50;
        player->angle = 0.0;
        player->SetState(341);  // the victory pose
        player->controlled = 0;
        player->SetPlayTimeRunning(false);
    }
    CEffect* effect = CEffect::GetInstance();
    switch (game->m_vibration) {
        case 0: effect->StartVerticalShake(20, -10, 10, 3); break;
        case 1: effect->StartShake(0, 0, 0, 100, -10, 10, 20); break;
        case 3: effect->StartVerticalShake(20, -5, 5, 1); break;
        default: break;
    }
    SetState(234);
}

// --- Exits ----------------------------------------------------------------------

void CCharacterStageObject::SetTypeId(int32_t id) {
    const int32_t index = id - kExitTableFirstId;
    if (index < 0 || index >= kExitTableRows) {
        // Only the factory's exit ids reach here; anything else makes
        // nothing.
        SetState(0);
        return;
    }
    const ExitTableRow& row = kExitTable[index];
    SetState(row.startState);
    TakeWarpOf(row);
    attackDirX = kDoorAnchorShift;
    if (row.startState == kRoomExit) {
        facing = row.facing;
        alpha = kMarkerAlpha;
        typeId = id;
    } else if (row.startState == kDoorExit) {
        PaintDoorOf(row);
    }
}

void CCharacterStageObject::SetLinkParam(int32_t value) { m_destMapId = value; }

// --- Anchors ----------------------------------------------------------------------

int32_t CCharacterStageObject::GetAnchorX() {
    if (InRange(frame, 250, 252)) return x + attackDirX;
    if (frame == 400 || frame == 420) return x + 200;
    return x;
}

int32_t CCharacterStageObject::GetAnchorY() {
    if (InRange(frame, 300, 304)) return y + 600;
    if (frame == 400) return y - 200;
    if (frame == 420) return y - 600;
    return y;
}

// --- Flags, children and the enemies of the room ----------------------------------

bool CCharacterStageObject::AreAllFlagsSet() {
    for (int32_t flag : m_conditionFlags)
        if (flag != 0 && !FlagSet(flag)) return false;
    return true;
}

bool CCharacterStageObject::FlagSet(int32_t flagId) {
    const CGameMain* game = CGameMain::GetInstance();
    if (game->m_currentSlot < 0 || game->m_currentSlot >= CGameMain::kSlotCount) return false;
    return game->m_slotData[game->m_currentSlot].GetSlotFlag(flagId) != 0;
}

void CCharacterStageObject::WriteFlag(int32_t flagId, uint8_t value) {
    CGameMain* game = CGameMain::GetInstance();
    if (game->m_currentSlot < 0 || game->m_currentSlot >= CGameMain::kSlotCount) return;
    game->m_slotData[game->m_currentSlot].SetSlotFlag(flagId, value);
}

CCharacter* CCharacterStageObject::FindChildOfType(int32_t type) {
    for (CCharacter* c : linksB)
        if (c != nullptr && c->typeId == type) return c;
    return nullptr;
}

void CCharacterStageObject::ReleaseChildrenOfType(int32_t type) {
    for (CharacterLink& c : linksB) {
        if (c == nullptr || c->typeId != type) continue;
        c->SetState(0);
        c = nullptr;
    }
}

CCharacter* CCharacterStageObject::FindChild50005() { return FindChildOfType(CCharacterEffect::kSwitchLightTypeId); }

void CCharacterStageObject::ReleaseChildren50005() { ReleaseChildrenOfType(CCharacterEffect::kSwitchLightTypeId); }

void CCharacterStageObject::SpawnChildEffect(int32_t state, int32_t ex, int32_t ey) {
    CCharacterEffect* e = SpawnEffect(state, facing, ex, ex, ey, ey, 0, 0, 0, 0);
    if (e == nullptr) return;
    LinkB(e);
    e->LinkA(this);
}

bool CCharacterStageObject::AnyEnemyLeft() {
    CCharacterList& world = CGameMain::GetInstance()->m_characterList;
    world.ResetCursor();
    while (CCharacter* c = world.GetNext())
        if ((c->group & kEnemyGroup) != 0 && c->typeId != kSealedBlockType) return true;
    return false;
}

void CCharacterStageObject::RemoveAllEnemies() {
    CCharacterList& world = CGameMain::GetInstance()->m_characterList;
    world.ResetCursor();
    while (CCharacter* c = world.GetNext())
        if ((c->group & kEnemyGroup) != 0) c->SetState(0);
}
