// The player base: construction, the status carried between stages and
// saves, gold, combo and score, hits and death by damage kind, and the
// weapon, ammunition and potion bookkeeping.
#include "player/CharacterPlayer.h"

#include <algorithm>
#include <vector>

#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/SaveData.h"
#include "player/Item.h"
#include "ui/GameInput.h"
#include "win/SoundTables.h"

namespace {

using R = SaveSlotRecord;

// Collected-flag indices of the record's flag table.
constexpr int32_t kFlagFire = 0;
constexpr int32_t kFlagWind = 1;
constexpr int32_t kFlagWater = 2;
constexpr int32_t kFlagDoubleJump = 3;
constexpr int32_t kFlagWallHold = 4;
constexpr int32_t kFlagCeilingHold = 5;
constexpr int32_t kFlagSoftBlockCrash = 6;
constexpr int32_t kFlagBombs = 7;
constexpr int32_t kFirstLifeTank = 9;
constexpr int32_t kFirstScroll = 29;
constexpr int32_t kTankCount = 20;
constexpr int32_t kLifePerTank = 100;
constexpr int32_t kGaugePerScroll = 1000;
// The bombs a record gets when its bombs flag is set but it has none.
constexpr int32_t kBombGrant = 30;

// Sound-effect slots.
constexpr int32_t kHurtSound = 25;
constexpr int32_t kDeathSound = 31;
constexpr int32_t kHealSound = 45;
constexpr int32_t kMagicSound = 46;

// The state an attacker that killed with a grab (kind 29) holds the player
// in.
constexpr int32_t kHoldingAttackerState = 350;

// Potions.
constexpr int32_t kHealingLife = 800;
constexpr int32_t kMagicGauge = 8000;

// Every player object alive, so that a dying character can be forgotten by
// all of them.
// Every player object alive. The game object's destructor deletes players
// at exit, after other function-local statics may have gone, so the list is
// never destroyed.
std::vector<CCharacterPlayer*>& LivePlayers() {
    static auto* players = new std::vector<CCharacterPlayer*>();
    return *players;
}

CCharacterPlayer::WeaponNotice g_weaponNotice = nullptr;

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); }

// A stock of the record: -1 (never owned) up to its cap.
int32_t ReadStock(const CSaveData& record, std::size_t offset, int32_t cap) {
    return Clamp(record.GetInt(offset), -1, cap);
}

}  // namespace

// --- Construction ----------------------------------------------------------

CCharacterPlayer::CCharacterPlayer() {
    hp = hpMax = kBaseLife;
    gauge = gaugeMax = kBaseGauge;
    auxValue = 110;
    maxFall = 100;
    gravityNum = 6;
    gravityDen = 1;
    friction = 10;
    controlled = 1;
    group = 1;
    layer = 152;
    scaleX = scaleX2 = scaleY = scaleY2 = 2.0;
    LivePlayers().push_back(this);
}

CCharacterPlayer::~CCharacterPlayer() {
    CGameMain* game = CGameMain::GetInstance();
    if (game->m_player == this) game->m_player = nullptr;
    std::vector<CCharacterPlayer*>& players = LivePlayers();
    players.erase(std::remove(players.begin(), players.end(), this), players.end());
}

CCharacterPlayer* CCharacterPlayer::GetGamePlayer() {
    CCharacter* player = CGameMain::GetInstance()->m_player;
    for (CCharacterPlayer* p : LivePlayers())
        if (p == player) return p;
    return nullptr;
}

void CCharacterPlayer::ForgetCharacter(const CCharacter* dying) {
    for (CCharacterPlayer* p : LivePlayers()) {
        if (p->target == dying) p->target = nullptr;
        if (p->grabbedObject == dying) p->grabbedObject = nullptr;
    }
}

void CCharacterPlayer::SetWeaponNotice(WeaponNotice notice) { g_weaponNotice = notice; }

void CCharacterPlayer::AnnounceWeapon(int32_t weapon) {
    if (g_weaponNotice != nullptr) g_weaponNotice(weapon);
}

CCharacterPlayer::EquipmentBonus CCharacterPlayer::GetEquipmentBonus() {
    const CItem* items = CItem::GetInstance();
    EquipmentBonus bonus;
    static_cast<void>(items->GetFlag(ItemKind::PotionOfHealing));  // read, no effect
    for (int32_t kind = ItemKind::StrawSandals; kind <= ItemKind::ClothesOfShinobi; ++kind)
        if (items->GetFlag(kind) != 0) bonus.life += 10;
    if (items->GetFlag(ItemKind::CharmOfPower) != 0) bonus.attack += 100;
    if (items->GetFlag(ItemKind::SushiOfStrength) != 0) bonus.attack += 200;
    if (items->GetFlag(ItemKind::Masamune) != 0) bonus.attack += 200;
    for (int32_t kind = ItemKind::ScrollOfSecrets; kind <= ItemKind::ShurikenOfGale; ++kind)
        if (items->GetFlag(kind) != 0) bonus.airDashes += 1;
    return bonus;
}

void CCharacterPlayer::ApplyEquipmentBonuses() {
    const EquipmentBonus bonus = GetEquipmentBonus();
    hpMax += bonus.life;
    attack += bonus.attack;
    airDashesMax += bonus.airDashes;
    airDashes = airDashesMax;
    hp = hpMax;
}

// --- Character-core slots ----------------------------------------------------

void CCharacterPlayer::Draw() {
    CCharacter::Draw();
    DrawExtra();
}

bool CCharacterPlayer::IsRemoved() { return frame == 0 || frame == 1; }

void CCharacterPlayer::Reset() { SetState(PlayerState::Stand); }

// Only a fall stops at what it meets (its frames 290-292 are one state).
bool CCharacterPlayer::OnTerrainContact(int32_t) { return frame >= PlayerState::Fall && frame <= PlayerState::Fall + 2; }

void CCharacterPlayer::SetState(int32_t state) {
    switch (state) {
        case PlayerState::Dying:
            StopMusic();
            SetInvulnerable(-1);
            vx = 0;
            vy = -60;
            CEffect::GetInstance()->StartShake(-2, 2, 2, 0, 0, 0, 30);
            CEffect::GetInstance()->StartFlash(255, 255, 255, 255, 4, 255, 0, 255, 0);
            break;
        case 112:
            vx = -30 * facing;
            vy = -50;
            break;
        case PlayerState::Stop:
            StopMusic();
            SetInvulnerable(-1);
            vx = 0;
            vy = 0;
            break;
        case PlayerState::GameOver:
            CGameInputController::GetInstance()->PushInput(ScreenId::Continue);
            break;
        default:
            break;
    }
    CCharacter::SetState(state);
}

bool CCharacterPlayer::OnHit(int32_t kind, int32_t damage, int32_t direction, CCharacter* attacker) {
    if (frame == 0) return false;
    hp -= ScaleDamage(kind, damage);
    if (damage > 0) OnCountdownEnd();

    if (hp > 0) {
        if (kind == 16) return true;
        SetState(PlayerState::Hurt);
        if (superArmor) return true;
        PlaySE(kHurtSound);
        facing = -direction;
        vx = 70 * direction;
        vy = -5 * gravityNum;
        hitStop = 2;
        SetDamageFlash(60);
        return true;
    }

    hp = 0;
    // The special deaths: their poses, stopped music, and unless super
    // armour the death sound and the turn toward the attacker.
    auto turnToAttacker = [&](bool sound) {
        if (superArmor) return;
        if (sound) PlaySE(kDeathSound);
        facing = -direction;
    };
    switch (kind) {
        case 16:
            break;  // no death state: a later hit of another kind ends it
        case 22:
        case 23:
            StopMusic();
            SetState(kind == 22 ? 130 : 140);
            if (!superArmor) {
                PlaySE(kDeathSound);
                vx = vy = 0;
                facing = -direction;
                if (attacker != nullptr) {
                    x = attacker->x;
                    y = attacker->y;
                }
            }
            break;
        case 25:
            StopMusic();
            SetState(150);
            if (!superArmor) {
                PlaySE(kDeathSound);
                vx = vy = 0;
                facing = -direction;
            }
            break;
        case 26:
        case 27:
            StopMusic();
            SetState(160);
            turnToAttacker(true);
            break;
        case 28:
            StopMusic();
            turnToAttacker(true);
            SetState(170);
            break;
        case 29:
            StopMusic();
            if (!superArmor) facing = direction;
            if (attacker != nullptr) {
                x = attacker->x + 360 * attacker->facing;
                y = attacker->y + 170;
                attacker->SetState(kHoldingAttackerState);  // it holds the player
            }
            SetState(190);
            break;
        case 30:
            StopMusic();
            turnToAttacker(true);
            SetState(180);
            break;
        default:
            SetState(PlayerState::Dying);
            turnToAttacker(true);
            break;
    }
    return true;
}

int32_t CCharacterPlayer::GetScoreRate() { return std::min(100 + combo, 200); }

void CCharacterPlayer::OnAttackLanded() {
    ++combo;
    comboWindow = std::min(comboWindow + kComboWindow, kComboWindow);
}

// The combo lasts until a damaging hit ends it: the window is not counted
// down.
void CCharacterPlayer::TickCountdown() {
    if (comboWindow <= 0) OnCountdownEnd();
}

void CCharacterPlayer::SetGold(int32_t n) { gold = std::min(n, kMaxGold); }

void CCharacterPlayer::AddGold(int32_t n) {
    const int64_t sum = static_cast<int64_t>(gold) + n;
    if (sum <= gold) return;  // gold never falls this way
    gold = sum > kMaxGold ? kMaxGold : static_cast<int32_t>(sum);
}

void CCharacterPlayer::PushOutOfBlocks() {
    if (TouchesSolid(1)) Move(0, 1);
    if (TouchesSolid(2)) Move(1, 0);
    if (TouchesSolid(3)) Move(-1, 0);
}

void CCharacterPlayer::OnSpringLaunch() { RefillAirDashes(); }
void CCharacterPlayer::OnCatapultLaunch() { RefillAirDashes(); }

// --- The first group of the player interface: plain answers --------------

void CCharacterPlayer::StoreStatus() {}
void CCharacterPlayer::RestoreStatus() {}
bool CCharacterPlayer::IsLaunched() { return false; }
void CCharacterPlayer::Hook148() {}
void CCharacterPlayer::Hook149() {}
int32_t CCharacterPlayer::GetMoveAttackRange() { return 1500; }
int32_t CCharacterPlayer::GetMoveAttackSpeed() { return 60; }
bool CCharacterPlayer::HasCeilingHold() { return false; }
bool CCharacterPlayer::HasWallHold() { return false; }
int32_t CCharacterPlayer::GetHomingRange() { return 0; }
void CCharacterPlayer::MarkTargets() {}
bool CCharacterPlayer::IsInHomingRange(CCharacter*) { return false; }
void CCharacterPlayer::DrawExtra() {}
bool CCharacterPlayer::CanTarget(CCharacter*) { return true; }

// --- Status ------------------------------------------------------------------

CSaveData& CCharacterPlayer::WriteStatus(CSaveData& record) {
    record.SetInt(R::kShurikenAmmo, shurikenAmmo);
    record.SetInt(R::kBombAmmo, bombAmmo);
    record.SetInt(R::kPotionStocks + 0, healingPotions);
    record.SetInt(R::kPotionStocks + 4, exHealingPotions);
    record.SetInt(R::kPotionStocks + 8, magicPotions);
    record.SetInt(R::kPotionStocks + 12, exMagicPotions);
    for (int32_t i = 0; i < kEquipSlotCount; ++i) record.SetInt(R::kEquipSlots + 4 * i, equipSlots[i]);
    record.SetInt(R::kCurrentWeapon, currentWeapon);
    record.SetInt(R::kGold, gold);
    return record;
}

int32_t CCharacterPlayer::ReadStatus(CSaveData& record) { return ReadStatusWithBaseLife(record, kBaseLife); }

int32_t CCharacterPlayer::ReadStatusWithBaseLife(CSaveData& record, int32_t baseLife) {
    const EquipmentBonus bonus = GetEquipmentBonus();

    // 1. Life and gauge from the tanks and scrolls collected, with the
    // equipment's life on top (the bought equipment keeps counting).
    hpMax = baseLife;
    gaugeMax = kBaseGauge;
    for (int32_t i = 0; i < kTankCount; ++i) {
        if (record.GetSlotFlag(kFirstLifeTank + i) != 0) hpMax += kLifePerTank;
        if (record.GetSlotFlag(kFirstScroll + i) != 0) gaugeMax += kGaugePerScroll;
    }
    hpMax += bonus.life;
    hp = hpMax;
    gauge = gaugeMax;

    // 2. The bombs ability brings bombs with it.
    if (record.GetSlotFlag(kFlagBombs) != 0 && bombAmmo < 0) record.SetInt(R::kBombAmmo, kBombGrant);

    // Every value copied from the record is kept to its range: a damaged
    // file never indexes a table out of range.
    const int32_t newShuriken = ReadStock(record, R::kShurikenAmmo, kMaxShuriken);
    const int32_t newBombs = ReadStock(record, R::kBombAmmo, kMaxBombs);
    const int32_t newFire = record.GetSlotFlag(kFlagFire) != 0 ? 1 : 0;
    const int32_t newWind = record.GetSlotFlag(kFlagWind) != 0 ? 1 : 0;
    const int32_t newWater = record.GetSlotFlag(kFlagWater) != 0 ? 1 : 0;

    // 3. Weapons owned from now on are announced.
    if (shurikenAmmo < 0 && newShuriken >= 0) AnnounceWeapon(WeaponId::Shuriken);
    if (bombAmmo < 0 && newBombs >= 0) AnnounceWeapon(WeaponId::Bomb);
    if (fireNinjutsu == 0 && newFire == 1) AnnounceWeapon(WeaponId::NinjutsuFire);
    if (windNinjutsu == 0 && newWind == 1) AnnounceWeapon(WeaponId::NinjutsuWind);
    if (waterNinjutsu == 0 && newWater == 1) AnnounceWeapon(WeaponId::NinjutsuWater);

    // 4. The status itself.
    shurikenAmmo = newShuriken;
    bombAmmo = newBombs;
    fireNinjutsu = newFire;
    windNinjutsu = newWind;
    waterNinjutsu = newWater;
    healingPotions = ReadStock(record, R::kPotionStocks + 0, kMaxPotions);
    exHealingPotions = ReadStock(record, R::kPotionStocks + 4, kMaxPotions);
    magicPotions = ReadStock(record, R::kPotionStocks + 8, kMaxPotions);
    exMagicPotions = ReadStock(record, R::kPotionStocks + 12, kMaxPotions);
    airDashesMax = (record.GetSlotFlag(kFlagDoubleJump) != 0 ? 1 : 0) + bonus.airDashes;
    softBlockCrash = record.GetSlotFlag(kFlagSoftBlockCrash) != 0 ? 1 : 0;
    wallHold = record.GetSlotFlag(kFlagWallHold) != 0 ? 1 : 0;
    ceilingHold = record.GetSlotFlag(kFlagCeilingHold) != 0 ? 1 : 0;
    for (int32_t i = 0; i < kEquipSlotCount; ++i)
        equipSlots[i] = Clamp(record.GetInt(R::kEquipSlots + 4 * i), WeaponId::None, kLastWeapon);
    currentWeapon = Clamp(record.GetInt(R::kCurrentWeapon), WeaponId::None, kLastWeapon);
    gold = Clamp(record.GetInt(R::kGold), 0, kMaxGold);

    // 5. The resume point: life, gauge, place (stored with the camera
    // added, as positions are relative to the view) and facing.
    if (record.GetByte(R::kResumeFlag) == 1) {
        hp = Clamp(record.GetInt(R::kResumeHp), 1, hpMax);
        gauge = Clamp(record.GetInt(R::kResumeGauge), 0, gaugeMax);
        SetStageX(record.GetInt(R::kResumeX));
        SetStageY(record.GetInt(R::kResumeY));
        facing = record.GetInt(R::kResumeFacing) < 0 ? -1 : 1;
    }

    // 6.
    return FillWeaponSlots();
}

// --- Ammunition, stocks and weapon slots ----------------------------------

int32_t CCharacterPlayer::GetShurikenAmmo() { return shurikenAmmo; }
void CCharacterPlayer::SetShurikenAmmo(int32_t n) { shurikenAmmo = n; }

void CCharacterPlayer::AddShurikenAmmo(int32_t n) {
    if (shurikenAmmo < 0) {
        shurikenAmmo = n;
        AnnounceWeapon(WeaponId::Shuriken);
    } else {
        shurikenAmmo += n;
    }
    shurikenAmmo = std::min(shurikenAmmo, kMaxShuriken);
}

int32_t CCharacterPlayer::GetBombAmmo() { return bombAmmo; }
void CCharacterPlayer::SetBombAmmo(int32_t n) { bombAmmo = n; }

void CCharacterPlayer::AddBombAmmo(int32_t n) {
    if (bombAmmo < 0) {
        bombAmmo = n;
        AnnounceWeapon(WeaponId::Bomb);
    } else {
        bombAmmo += n;
    }
    bombAmmo = std::min(bombAmmo, kMaxBombs);
}

namespace {

void AddStock(int32_t& stock, int32_t n) { stock = std::min(std::max(stock, 0) + n, CCharacterPlayer::kMaxPotions); }

}  // namespace

int32_t CCharacterPlayer::GetHealingPotions() { return healingPotions; }
void CCharacterPlayer::SetHealingPotions(int32_t n) { healingPotions = n; }
void CCharacterPlayer::AddHealingPotions(int32_t n) { AddStock(healingPotions, n); }
int32_t CCharacterPlayer::GetExHealingPotions() { return exHealingPotions; }
void CCharacterPlayer::SetExHealingPotions(int32_t n) { exHealingPotions = n; }
void CCharacterPlayer::AddExHealingPotions(int32_t n) { AddStock(exHealingPotions, n); }
int32_t CCharacterPlayer::GetMagicPotions() { return magicPotions; }
void CCharacterPlayer::SetMagicPotions(int32_t n) { magicPotions = n; }
void CCharacterPlayer::AddMagicPotions(int32_t n) { AddStock(magicPotions, n); }
int32_t CCharacterPlayer::GetExMagicPotions() { return exMagicPotions; }
void CCharacterPlayer::SetExMagicPotions(int32_t n) { exMagicPotions = n; }
void CCharacterPlayer::AddExMagicPotions(int32_t n) { AddStock(exMagicPotions, n); }
int32_t CCharacterPlayer::GetFireNinjutsu() { return fireNinjutsu; }
void CCharacterPlayer::SetFireNinjutsu(int32_t n) { fireNinjutsu = n; }
int32_t CCharacterPlayer::GetWindNinjutsu() { return windNinjutsu; }
void CCharacterPlayer::SetWindNinjutsu(int32_t n) { windNinjutsu = n; }
int32_t CCharacterPlayer::GetWaterNinjutsu() { return waterNinjutsu; }
void CCharacterPlayer::SetWaterNinjutsu(int32_t n) { waterNinjutsu = n; }

namespace {

// One potion of a stock, when there is one.
bool TakePotion(int32_t& stock) {
    if (stock <= 0) return false;
    --stock;
    return true;
}

}  // namespace

bool CCharacterPlayer::UseHealingPotion() {
    if (!TakePotion(healingPotions)) return false;
    PlaySE(kHealSound);
    AddHP(kHealingLife);
    return true;
}

bool CCharacterPlayer::UseExHealingPotion() {
    if (!TakePotion(exHealingPotions)) return false;
    PlaySE(kHealSound);
    hp = hpMax;
    return true;
}

bool CCharacterPlayer::UseMagicPotion() {
    if (!TakePotion(magicPotions)) return false;
    PlaySE(kMagicSound);
    AddGauge(kMagicGauge);
    return true;
}

bool CCharacterPlayer::UseExMagicPotion() {
    if (!TakePotion(exMagicPotions)) return false;
    PlaySE(kMagicSound);
    gauge = gaugeMax;
    return true;
}

int32_t CCharacterPlayer::GetNinjutsuInUse() { return ninjutsuInUse; }
void CCharacterPlayer::SetNinjutsuInUse(int32_t weapon) { ninjutsuInUse = weapon; }

int32_t CCharacterPlayer::GetEquipSlot(int32_t index) {
    if (index >= 0 && index < kEquipSlotCount) return equipSlots[index];
    return index == kEquipSlotCount ? currentWeapon : WeaponId::None;
}

void CCharacterPlayer::SetEquipSlot(int32_t index, int32_t weapon) {
    if (index >= 0 && index < kEquipSlotCount) equipSlots[index] = weapon;
    else if (index == kEquipSlotCount) currentWeapon = weapon;
}

int32_t CCharacterPlayer::GetCurrentWeapon() { return currentWeapon; }
void CCharacterPlayer::SetCurrentWeapon(int32_t weapon) { currentWeapon = weapon; }

bool CCharacterPlayer::OwnsWeapon(int32_t weapon) {
    switch (weapon) {
        case WeaponId::Katana: return true;
        case WeaponId::Shuriken: return shurikenAmmo >= 0;
        case WeaponId::Bomb: return bombAmmo >= 0;
        case WeaponId::NinjutsuFire: return fireNinjutsu != 0;
        case WeaponId::NinjutsuWind: return windNinjutsu != 0;
        case WeaponId::NinjutsuWater: return waterNinjutsu != 0;
        default: return false;
    }
}

int32_t CCharacterPlayer::FillWeaponSlots() {
    if (equipSlots[2] != WeaponId::None) return kEquipSlotCount;
    int32_t next = equipSlots[1] == WeaponId::None ? 1 : 2;
    for (int32_t weapon = WeaponId::Katana; weapon <= WeaponId::NinjutsuWater && next < kEquipSlotCount; ++weapon) {
        if (!OwnsWeapon(weapon)) continue;
        if (std::find(std::begin(equipSlots), std::end(equipSlots), weapon) != std::end(equipSlots)) continue;
        equipSlots[next++] = weapon;
    }
    return next;
}
