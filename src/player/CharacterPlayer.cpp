#include "player/CharacterPlayer.h"

#include <cstring>

#include "framework/GameMain.h"
#include "framework/SaveData.h"

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

void CCharacterPlayer::Update() { StepAnimation(); }

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

int32_t CCharacterPlayer::GetEquipSlot(int32_t index) {
    if (index >= 0 && index < 3) return equipSlots[index];
    return index == 3 ? currentWeapon : 0;
}

void CCharacterPlayer::SetEquipSlot(int32_t index, int32_t weapon) {
    if (index >= 0 && index < 3) equipSlots[index] = weapon;
    if (index == 3) currentWeapon = weapon;
}
bool CCharacterPlayer::IsInHomingRange(CCharacter*) { return false; }
bool CCharacterPlayer::TryGrabObject() { return false; }
bool CCharacterPlayer::TryTouchStageObject() { return false; }
bool CCharacterPlayer::TryMoveAttack() { return false; }
bool CCharacterPlayer::TryHomingAttackDefault() { return false; }

void CCharacterPlayer::ForgetTarget(const CCharacter* dying) {
    auto* player = dynamic_cast<CCharacterPlayer*>(CGameMain::GetInstance()->m_player);
    if (player != nullptr && player->target == dying) player->target = nullptr;
}
