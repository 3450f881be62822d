#include "player/CharacterPlayer.h"

#include <cstring>

#include "framework/GameMain.h"
#include "framework/SaveData.h"
#include "win/MyInput.h"

namespace {

// Player status inside a save-slot record.
constexpr std::size_t kShurikenOffset = 0x08;
constexpr std::size_t kBombOffset = 0x0C;
constexpr std::size_t kPotionsOffset = 0x1C;  // four stocks
constexpr std::size_t kEquipOffset = 0x2C;    // three slots, then the weapon in use
constexpr std::size_t kScoreOffset = 0x44;
constexpr std::size_t kResumeFlagOffset = 0x448;
constexpr std::size_t kResumeHpOffset = 0x44C;
constexpr std::size_t kResumeGaugeOffset = 0x450;
constexpr std::size_t kResumeXOffset = 0x454;
constexpr std::size_t kResumeYOffset = 0x458;
constexpr std::size_t kResumeFacingOffset = 0x45C;

void PutInt(uint8_t* bytes, std::size_t offset, int32_t value) { std::memcpy(bytes + offset, &value, sizeof value); }

int32_t GetInt(const uint8_t* bytes, std::size_t offset) {
    int32_t value = 0;
    std::memcpy(&value, bytes + offset, sizeof value);
    return value;
}

// The stand-in's pictures: cells of the ninja's sheet (texture slot 19),
// anchored at the feet, which is where its position is.
constexpr int32_t kNinjaSheet = 19;
struct StandInCell {
    int32_t u, v;
};
constexpr StandInCell kStandCell = {20, 32};
constexpr StandInCell kStandCellB = {60, 32};
// The falling picture of Luka's and Ironclaw's sheets, taken at the feet.
constexpr StandInCell kOwnFallCell = {180, 32};
constexpr StandInCell kWalkCells[4] = {{20, 72}, {60, 72}, {100, 72}, {140, 72}};
constexpr StandInCell kRiseCell = {100, 112};
constexpr StandInCell kFallCell = {140, 112};
constexpr int32_t kWalkFrameTicks = 8;

// The stand-in's own moves: standing, the walk cycle, rising and falling.
bool IsStandInMove(int32_t state) {
    return state == CCharacterPlayer::kStandState ||
           (state >= CCharacterPlayer::kWalkState && state < CCharacterPlayer::kWalkState + 4) ||
           state == CCharacterPlayer::kRiseState || state == CCharacterPlayer::kAirState;
}

// Body and hurt box around the feet: 200 wide, 380 tall.
void SetStandInRecord(FrameRecord& r, int32_t slot, StandInCell cell) {
    r.u = cell.u;
    r.v = cell.v;
    r.spriteLeft = -20;
    r.spriteRight = 19;
    r.spriteTop = -32;
    r.spriteBottom = 7;
    r.bodyLeft = -100;
    r.bodyRight = 100;
    r.bodyTop = -380;
    r.bodyBottom = 0;
    r.hurtLeft = -120;
    r.hurtRight = 120;
    r.hurtTop = -400;
    r.hurtBottom = 0;
    r.textureId = slot;
}

// States in which the player clings to a wall or a ceiling.
constexpr int32_t kWallStates[] = {232, 233, 384, 385, 404, 405, 424, 425};
constexpr int32_t kCeilingStates[] = {234, 235, 386, 387, 406, 407, 426, 427};

}  // namespace

CCharacterPlayer::CCharacterPlayer() {
    typeId = 1;
    hp = hpMax = 300;
    gauge = gaugeMax = 3000;
    auxValue = 110;
    maxFall = 100;
    gravityNum = 6;
    gravityDen = 1;
    friction = 10;
    controlled = 1;
    group = 1;
    layer = 152;
    scaleX = scaleX2 = scaleY = scaleY2 = 2.0;
    AllocateHeldRecords(kFrameCount);
    UseStandInSheet(kNinjaSheet);
    // Walking cycles through four pictures; the air has a rising and a
    // falling one.
    for (int32_t i = 0; i < 4; ++i) {
        FrameRecord* r = frameTable.Find(kWalkState + i);
        SetStandInRecord(*r, kNinjaSheet, kWalkCells[i]);
        r->nextFrame = kWalkState + (i + 1) % 4;
        r->frameDuration = kWalkFrameTicks;
    }
    SetStandInRecord(*frameTable.Find(kRiseState), kNinjaSheet, kRiseCell);
    SetStandInRecord(*frameTable.Find(kAirState), kNinjaSheet, kFallCell);
    // The scene runs that the opening and ending scenes wait for.
    if (FrameRecord* r = frameTable.Find(986)) {
        r->nextFrame = 230;
        r->frameDuration = 60;
    }
    if (FrameRecord* r = frameTable.Find(965)) {
        r->nextFrame = 967;
        r->frameDuration = 60;
    }
    SetState(kStandState);
}

CCharacterPlayer::~CCharacterPlayer() {
    CGameMain* game = CGameMain::GetInstance();
    if (game->m_player == this) game->m_player = nullptr;
}

void CCharacterPlayer::UseStandInSheet(int32_t textureSlot) {
    for (int32_t i = 1; i < kFrameCount; ++i)
        if (!IsStandInMove(i) || i == kStandState) SetStandInRecord(*frameTable.Find(i), textureSlot, kStandCell);
    if (textureSlot == kNinjaSheet) return;
    // Another character's sheet has no walk of its own: its two standing
    // pictures in turn, and its falling picture in the air.
    for (int32_t i = 0; i < 4; ++i)
        SetStandInRecord(*frameTable.Find(kWalkState + i), textureSlot, i % 2 == 0 ? kStandCell : kStandCellB);
    SetStandInRecord(*frameTable.Find(kRiseState), textureSlot, kOwnFallCell);
    SetStandInRecord(*frameTable.Find(kAirState), textureSlot, kOwnFallCell);
}

void CCharacterPlayer::Update() {
    StepAnimation();
    // Any other state (a scene's pose, the fall out of the stage) holds.
    if (!IsStandInMove(frame)) return;
    UpdateStandInMoves();
    Move(vx, vy);
    if (controlled) ClampToStage();
}

void CCharacterPlayer::UpdateStandInMoves() {
    const CMyInput* input = CMyInput::GetInstance();
    const bool available = controlled && input->m_inputAvailable != 0;
    const int32_t dir = available ? input->m_dirRight - input->m_dirLeft : 0;
    const bool airborne = ApplyGravity();
    if (dir != 0) {
        facing = dir;
        AccelerateX(kWalkSpeed * dir, 10, true, true);
    } else {
        DecelerateX(friction);
    }
    auto pressed = [&](int key) { return input->m_keyHistory[key][0] == 1 && input->m_keyHistory[key][1] == 0; };
    if (available && !airborne && (pressed(4) || pressed(0))) {
        vy = -kJumpSpeed;
        SetState(kRiseState);
        return;
    }
    if (airborne) {
        if (vy >= 0 && frame != kAirState) SetState(kAirState);
    } else if (dir != 0) {
        if (frame < kWalkState || frame >= kWalkState + 4) SetState(kWalkState);
    } else if (frame != kStandState) {
        SetState(kStandState);
    }
}

bool CCharacterPlayer::IsRemoved() { return frame == 0 || frame == 1; }

void CCharacterPlayer::Reset() { SetState(kStandState); }

int32_t CCharacterPlayer::GetScoreRate() { return 100 + combo > 200 ? 200 : 100 + combo; }

void CCharacterPlayer::OnAttackLanded() {
    ++combo;
    comboWindow = kComboWindow;
}

void CCharacterPlayer::SetGold(int32_t n) { gold = n > kMaxGold ? kMaxGold : n; }

void CCharacterPlayer::AddGold(int32_t n) {
    const int64_t sum = static_cast<int64_t>(gold) + n;
    if (sum <= gold) return;
    gold = sum > kMaxGold ? kMaxGold : static_cast<int32_t>(sum);
}

void CCharacterPlayer::OnSpringLaunch() { RefillAirDashes(); }
void CCharacterPlayer::OnCatapultLaunch() { RefillAirDashes(); }

void CCharacterPlayer::StoreStatus() {
    CGameMain* game = CGameMain::GetInstance();
    const int32_t slot = game->m_currentSlot;
    if (slot < 0 || slot >= CGameMain::kSlotCount) return;
    WriteStatus(game->m_slotData[slot]);
}

void CCharacterPlayer::RestoreStatus() {
    CGameMain* game = CGameMain::GetInstance();
    const int32_t slot = game->m_currentSlot;
    if (slot < 0 || slot >= CGameMain::kSlotCount) return;
    ReadStatus(game->m_slotData[slot]);
    hp = hpMax;
    gauge = gaugeMax;
}

CSaveData& CCharacterPlayer::WriteStatus(CSaveData& record) {
    uint8_t* bytes = record.Bytes();
    PutInt(bytes, kShurikenOffset, shurikenAmmo);
    PutInt(bytes, kBombOffset, bombAmmo);
    PutInt(bytes, kPotionsOffset + 0, healingPotions);
    PutInt(bytes, kPotionsOffset + 4, exHealingPotions);
    PutInt(bytes, kPotionsOffset + 8, magicPotions);
    PutInt(bytes, kPotionsOffset + 12, exMagicPotions);
    for (std::size_t i = 0; i < 3; ++i) PutInt(bytes, kEquipOffset + 4 * i, equipSlots[i]);
    PutInt(bytes, kEquipOffset + 12, currentWeapon);
    PutInt(bytes, kScoreOffset, score);
    return record;
}

void CCharacterPlayer::ReadStatus(CSaveData& record) {
    uint8_t* bytes = record.Bytes();
    shurikenAmmo = GetInt(bytes, kShurikenOffset);
    bombAmmo = GetInt(bytes, kBombOffset);
    healingPotions = GetInt(bytes, kPotionsOffset + 0);
    exHealingPotions = GetInt(bytes, kPotionsOffset + 4);
    magicPotions = GetInt(bytes, kPotionsOffset + 8);
    exMagicPotions = GetInt(bytes, kPotionsOffset + 12);
    for (std::size_t i = 0; i < 3; ++i) equipSlots[i] = GetInt(bytes, kEquipOffset + 4 * i);
    currentWeapon = GetInt(bytes, kEquipOffset + 12);
    score = GetInt(bytes, kScoreOffset);
    if (GetInt(bytes, kResumeFlagOffset) == 1) {
        hp = GetInt(bytes, kResumeHpOffset);
        gauge = GetInt(bytes, kResumeGaugeOffset);
        SetStageX(GetInt(bytes, kResumeXOffset));
        SetStageY(GetInt(bytes, kResumeYOffset));
        facing = GetInt(bytes, kResumeFacingOffset) < 0 ? -1 : 1;
    }
}

bool CCharacterPlayer::IsHoldingWall() {
    for (int32_t s : kWallStates)
        if (frame == s) return true;
    return false;
}

bool CCharacterPlayer::IsHoldingCeiling() {
    for (int32_t s : kCeilingStates)
        if (frame == s) return true;
    return false;
}

int32_t CCharacterPlayer::GetCurrentWeapon() { return currentWeapon; }
bool CCharacterPlayer::IsInHomingRange(CCharacter*) { return false; }
bool CCharacterPlayer::TryGrabObject() { return false; }
bool CCharacterPlayer::TryTouchStageObject() { return false; }
bool CCharacterPlayer::TryMoveAttack() { return false; }
bool CCharacterPlayer::TryHomingAttackDefault() { return false; }

void CCharacterPlayer::ForgetTarget(const CCharacter* dying) {
    auto* player = dynamic_cast<CCharacterPlayer*>(CGameMain::GetInstance()->m_player);
    if (player != nullptr && player->target == dying) player->target = nullptr;
}
