// The player's status: what it writes to and reads from a save-slot record,
// the equipment bonuses, gold, combo and score rate, the weapon slots and
// stocks, and what a hit does by damage kind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "framework/GameMain.h"
#include "framework/SaveData.h"
#include "player/CharacterNinja.h"
#include "player/Item.h"
#include "support/Scenario.h"
#include "ui/GameInput.h"
#include "win/SoundTables.h"

using testing_support::Scenario;
using R = SaveSlotRecord;

namespace {

// A record of new-game values with the given bytes changed.
struct Record {
    CSaveData data;
    Record() { data.SetNewGameDefaults(); }
    int32_t Int(std::size_t offset) const { return data.GetInt(offset); }
};

std::vector<int32_t>& Announced() {
    static std::vector<int32_t> weapons;
    return weapons;
}

void Remember(int32_t weapon) { Announced().push_back(weapon); }

// Equipment flags for a test, cleared again afterwards.
struct Equipment {
    explicit Equipment(std::initializer_list<int32_t> kinds) {
        CItem::GetInstance()->Reset();
        for (int32_t k : kinds) CItem::GetInstance()->SetFlag(k, 1);
    }
    ~Equipment() { CItem::GetInstance()->Reset(); }
};

}  // namespace

TEST(PlayerStatus, ConstructorDefaultsAndEquipmentBonuses) {
    {
        Equipment none({});
        CCharacterNinja ninja;
        EXPECT_EQ(ninja.typeId, 1);
        EXPECT_EQ(ninja.frame, 220);
        EXPECT_EQ(ninja.frameTable.Count(), 1030);
        EXPECT_EQ(ninja.hp, 300);
        EXPECT_EQ(ninja.hpMax, 300);
        EXPECT_EQ(ninja.gauge, 3000);
        EXPECT_EQ(ninja.attack, 100);
        EXPECT_EQ(ninja.airDashes, 1);
        EXPECT_EQ(ninja.group, 1);
        EXPECT_EQ(ninja.layer, 152);
        EXPECT_EQ(ninja.shurikenAmmo, 99);
        EXPECT_EQ(ninja.equipSlots[0], 1);
        EXPECT_EQ(ninja.currentWeapon, 1);
        EXPECT_EQ(ninja.katanaReach, 1200);
        // Records 0 and 1 count as removed; only the fall (290-292) stops at
        // what it meets.
        struct Record {
            int32_t frame;
            bool removed, stops;
        };
        for (const Record r : {Record{0, true, false}, Record{1, true, false}, Record{2, false, false},
                               Record{220, false, false}, Record{289, false, false}, Record{290, false, true},
                               Record{292, false, true}, Record{293, false, false}}) {
            ninja.frame = r.frame;
            EXPECT_EQ(ninja.IsRemoved(), r.removed) << r.frame;
            EXPECT_EQ(ninja.OnTerrainContact(0), r.stops) << r.frame;
        }
    }
    Equipment all({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    CCharacterNinja ninja;
    EXPECT_EQ(ninja.hpMax, 350);
    EXPECT_EQ(ninja.hp, 350);
    EXPECT_EQ(ninja.attack, 600);
    EXPECT_EQ(ninja.airDashesMax, 4);
    EXPECT_EQ(ninja.airDashes, 4);
}

TEST(PlayerStatus, WriteStatusFillsOnlyTheStatusWordsAtTheirOffsetsAndReadStatusTakesThemBack) {
    CCharacterNinja ninja;
    ninja.shurikenAmmo = 12;
    ninja.bombAmmo = 0;
    ninja.healingPotions = 4;
    ninja.exHealingPotions = -1;
    ninja.magicPotions = 6;
    ninja.exMagicPotions = 9;
    ninja.equipSlots[1] = 2;
    ninja.equipSlots[2] = 9;
    ninja.currentWeapon = 2;
    ninja.gold = 123456;
    CSaveData record;
    std::memset(record.Bytes(), 0xAB, CSaveData::kSize);
    EXPECT_EQ(&ninja.WriteStatus(record), &record);
    const int32_t expected[][2] = {{0x08, 12}, {0x0C, 0}, {0x1C, 4},  {0x20, -1}, {0x24, 6},     {0x28, 9},
                                   {0x2C, 1},  {0x30, 2}, {0x34, 9},  {0x38, 2},  {0x44, 123456}};
    for (const auto& [offset, value] : expected) EXPECT_EQ(record.GetInt(offset), value) << offset;
    int changed = 0;
    for (std::size_t i = 0; i < CSaveData::kSize; ++i) changed += record.Bytes()[i] != 0xAB ? 1 : 0;
    EXPECT_LE(changed, 11 * 4);
    EXPECT_EQ(record.GetInt(0x10), static_cast<int32_t>(0xABABABAB));
    EXPECT_EQ(record.GetInt(0x3C), static_cast<int32_t>(0xABABABAB)) << "the key count is not the player's";
    EXPECT_EQ(record.GetByte(0x448), 0xAB);

    Record r;
    ninja.WriteStatus(r.data);
    CCharacterNinja back;
    back.ReadStatus(r.data);
    EXPECT_EQ(back.shurikenAmmo, 12);
    EXPECT_EQ(back.bombAmmo, 0);
    EXPECT_EQ(back.healingPotions, 4);
    EXPECT_EQ(back.exHealingPotions, -1);
    EXPECT_EQ(back.magicPotions, 6);
    EXPECT_EQ(back.exMagicPotions, 9);
    EXPECT_EQ(back.equipSlots[1], 2);
    EXPECT_EQ(back.equipSlots[2], 9);
    EXPECT_EQ(back.currentWeapon, 2);
    EXPECT_EQ(back.gold, 123456);
}

TEST(PlayerStatus, ReadStatusTakesLifeAbilitiesAndStatusFromTheRecord) {
    Scenario s({"...."}, {});
    s.Stage().cameraX = 4000;
    s.Stage().cameraY = 800;
    Announced().clear();
    CCharacterPlayer::SetWeaponNotice(Remember);
    Record r;
    for (int32_t tank : {9, 12, 28}) r.data.SetSlotFlag(tank, 1);
    for (int32_t scroll : {29, 48}) r.data.SetSlotFlag(scroll, 1);
    r.data.SetSlotFlag(0, 1);  // fire
    r.data.SetSlotFlag(2, 1);  // water
    r.data.SetSlotFlag(3, 1);  // double jump
    r.data.SetSlotFlag(4, 1);  // wall hold
    r.data.SetSlotFlag(6, 1);  // soft blocks
    r.data.SetSlotFlag(7, 1);  // bombs
    r.data.SetInt(R::kShurikenAmmo, 40);
    r.data.SetInt(R::kPotionStocks + 8, 3);
    r.data.SetInt(R::kEquipSlots + 4, 2);
    r.data.SetInt(R::kCurrentWeapon, 2);
    r.data.SetInt(R::kGold, 777);
    r.data.SetByte(R::kResumeFlag, 1);
    r.data.SetInt(R::kResumeHp, 250);
    r.data.SetInt(R::kResumeGauge, 1200);
    r.data.SetInt(R::kResumeX, 6500);
    r.data.SetInt(R::kResumeY, 2000);
    r.data.SetInt(R::kResumeFacing, -1);

    auto* ninja = s.Add(std::make_unique<CCharacterNinja>(), 0, 0);
    ninja->shurikenAmmo = -1;
    ninja->bombAmmo = -1;
    ninja->fireNinjutsu = ninja->windNinjutsu = ninja->waterNinjutsu = 0;
    const int32_t filled = ninja->ReadStatus(r.data);
    CCharacterPlayer::SetWeaponNotice(nullptr);

    EXPECT_EQ(ninja->hpMax, 600);
    EXPECT_EQ(ninja->gaugeMax, 5000);
    EXPECT_EQ(r.Int(R::kBombAmmo), 30) << "the bombs flag grants 30 bombs to a record without";
    EXPECT_EQ(ninja->bombAmmo, 30);
    EXPECT_EQ(ninja->shurikenAmmo, 40);
    EXPECT_EQ(ninja->fireNinjutsu, 1);
    EXPECT_EQ(ninja->windNinjutsu, 0);
    EXPECT_EQ(ninja->waterNinjutsu, 1);
    EXPECT_EQ(ninja->magicPotions, 3);
    EXPECT_EQ(ninja->healingPotions, -1);
    EXPECT_EQ(ninja->airDashesMax, 1);
    EXPECT_EQ(ninja->wallHold, 1);
    EXPECT_EQ(ninja->ceilingHold, 0);
    EXPECT_EQ(ninja->softBlockCrash, 1);
    EXPECT_EQ(ninja->gold, 777);
    EXPECT_EQ(ninja->currentWeapon, 2);
    // The resume point, in view coordinates.
    EXPECT_EQ(ninja->hp, 250);
    EXPECT_EQ(ninja->gauge, 1200);
    EXPECT_EQ(ninja->x, 2500);
    EXPECT_EQ(ninja->y, 1200);
    EXPECT_EQ(ninja->facing, -1);
    // Weapon slots filled from the weapons owned, in id order.
    EXPECT_EQ(ninja->equipSlots[0], 1);
    EXPECT_EQ(ninja->equipSlots[1], 2);
    EXPECT_EQ(ninja->equipSlots[2], 3);
    EXPECT_EQ(filled, 3);
    EXPECT_EQ(Announced(), (std::vector<int32_t>{2, 3, 4, 6}));

    // Without a resume point, full life and gauge and the place unchanged.
    r.data.SetByte(R::kResumeFlag, 0);
    ninja->x = 10;
    ninja->ReadStatus(r.data);
    EXPECT_EQ(ninja->hp, 600);
    EXPECT_EQ(ninja->gauge, 5000);
    EXPECT_EQ(ninja->x, 10);
}

TEST(PlayerStatus, ACorruptRecordIsKeptToTheRanges) {
    Scenario s({"...."}, {});
    Record r;
    r.data.SetInt(R::kShurikenAmmo, 5000);
    r.data.SetInt(R::kBombAmmo, -77);
    r.data.SetInt(R::kPotionStocks + 0, 123);
    r.data.SetInt(R::kPotionStocks + 4, -9);
    r.data.SetInt(R::kPotionStocks + 8, 0x7FFFFFFF);
    r.data.SetInt(R::kPotionStocks + 12, static_cast<int32_t>(0x80000000));
    r.data.SetInt(R::kEquipSlots + 0, 11);
    r.data.SetInt(R::kEquipSlots + 4, -3);
    r.data.SetInt(R::kEquipSlots + 8, 1000000);
    r.data.SetInt(R::kCurrentWeapon, 99);
    r.data.SetInt(R::kGold, -5);
    for (int32_t flag = 0; flag <= 48; ++flag) r.data.SetSlotFlag(flag, 0xFF);
    r.data.SetByte(R::kResumeFlag, 1);
    r.data.SetInt(R::kResumeHp, 1 << 30);
    r.data.SetInt(R::kResumeGauge, -400);
    r.data.SetInt(R::kResumeFacing, 12);
    auto* ninja = s.Add(std::make_unique<CCharacterNinja>(), 0, 0);
    ninja->ReadStatus(r.data);
    EXPECT_EQ(ninja->shurikenAmmo, 200);
    EXPECT_EQ(ninja->bombAmmo, -1);
    EXPECT_EQ(ninja->healingPotions, 9);
    EXPECT_EQ(ninja->exHealingPotions, -1);
    EXPECT_EQ(ninja->magicPotions, 9);
    EXPECT_EQ(ninja->exMagicPotions, -1);
    for (int32_t i = 0; i < 4; ++i) {
        EXPECT_GE(ninja->GetEquipSlot(i), 0) << i;
        EXPECT_LE(ninja->GetEquipSlot(i), 10) << i;
    }
    EXPECT_EQ(ninja->gold, 0);
    EXPECT_EQ(ninja->fireNinjutsu, 1);
    EXPECT_EQ(ninja->airDashesMax, 1);
    EXPECT_EQ(ninja->wallHold, 1);
    EXPECT_EQ(ninja->hpMax, 300 + 20 * 100);
    EXPECT_EQ(ninja->hp, ninja->hpMax);
    EXPECT_EQ(ninja->gauge, 0);
    EXPECT_EQ(ninja->facing, 1);
    // A resumed life of nothing or less still leaves one.
    for (const int32_t life : {0, -5}) {
        r.data.SetInt(R::kResumeHp, life);
        ninja->ReadStatus(r.data);
        EXPECT_EQ(ninja->hp, 1) << life;
    }
    // A hundred frames of play with that status do not misbehave.
    s.SetPlayer(ninja);
    s.Run(100);
}

TEST(PlayerStatus, BoughtEquipmentStillCountsAfterTheStatusIsRead) {
    Equipment bought({1, 2, 9, 10, 6});
    CCharacterNinja ninja;
    EXPECT_EQ(ninja.hpMax, 320);
    EXPECT_EQ(ninja.airDashesMax, 3);
    Record r;
    r.data.SetSlotFlag(9, 1);  // one life tank
    ninja.ReadStatus(r.data);
    EXPECT_EQ(ninja.hpMax, 420) << "300 + one tank + two pieces of life equipment";
    EXPECT_EQ(ninja.airDashesMax, 2) << "no sandals, two pieces of dash equipment";
    EXPECT_EQ(ninja.attack, 200);
    r.data.SetSlotFlag(3, 1);
    ninja.ReadStatus(r.data);
    EXPECT_EQ(ninja.airDashesMax, 3);
}

TEST(PlayerStatus, StoreAndRestoreUseTheSlotInPlay) {
    CGameMain* game = CGameMain::GetInstance();
    game->m_currentSlot = 4;
    game->m_slotData[4].SetNewGameDefaults();
    CCharacterNinja ninja;
    ninja.gold = 4321;
    ninja.StoreStatus();
    EXPECT_EQ(game->m_slotData[4].GetInt(R::kGold), 4321);
    game->m_slotData[4].SetInt(R::kShurikenAmmo, 8);
    ninja.RestoreStatus();
    EXPECT_EQ(ninja.shurikenAmmo, 8);
    for (int32_t slot : {16, -1}) {  // out of range: nothing happens
        SCOPED_TRACE(slot);
        game->m_currentSlot = slot;
        ninja.gold = 1;
        ninja.StoreStatus();
        ninja.RestoreStatus();
        EXPECT_EQ(ninja.gold, 1);
        EXPECT_EQ(game->m_slotData[4].GetInt(R::kGold), 4321);
        EXPECT_EQ(game->m_slotData[0].GetInt(R::kGold), 0);
        EXPECT_EQ(game->m_slotData[15].GetInt(R::kGold), 0);
    }
    game->m_currentSlot = 0;
}

TEST(PlayerStatus, GoldIsCappedAndNeverLoweredByAdding) {
    CCharacterNinja ninja;
    ninja.AddGold(500);
    EXPECT_EQ(ninja.GetGold(), 500);
    ninja.AddGold(-100);
    EXPECT_EQ(ninja.GetGold(), 500);
    ninja.AddGold(0);
    EXPECT_EQ(ninja.GetGold(), 500);
    ninja.AddGold(999999);
    EXPECT_EQ(ninja.GetGold(), 999999);
    ninja.AddGold(0x7FFFFFFF);
    EXPECT_EQ(ninja.GetGold(), 999999);
    ninja.IncGold();
    EXPECT_EQ(ninja.GetGold(), 999999);
    ninja.SetGold(1234567);
    EXPECT_EQ(ninja.GetGold(), 999999);
    ninja.SetGold(7);
    EXPECT_EQ(ninja.GetGold(), 7);
}

TEST(PlayerStatus, ComboLastsUntilADamagingHit) {
    Scenario s({"...."}, {});
    auto* ninja = s.Add(std::make_unique<CCharacterNinja>(), 800, 200);
    for (int i = 0; i < 150; ++i) ninja->OnAttackLanded();
    EXPECT_EQ(ninja->combo, 150);
    EXPECT_EQ(ninja->comboWindow, 160);
    EXPECT_EQ(ninja->GetScoreRate(), 200);
    for (int i = 0; i < 500; ++i) ninja->TickCountdown();
    EXPECT_EQ(ninja->combo, 150) << "the window is not counted down";
    ninja->OnHit(1, 0, 1, ninja);
    EXPECT_EQ(ninja->combo, 150) << "a hit without damage keeps it";
    ninja->OnHit(1, 10, 1, ninja);
    EXPECT_EQ(ninja->combo, 0);
    EXPECT_EQ(ninja->GetScoreRate(), 100);
}

TEST(PlayerStatus, WeaponSlotsStocksAndPotions) {
    CCharacterNinja ninja;
    ninja.shurikenAmmo = 0;
    ninja.bombAmmo = 1;
    ninja.fireNinjutsu = 1;
    ninja.windNinjutsu = ninja.waterNinjutsu = 0;
    ninja.equipSlots[1] = ninja.equipSlots[2] = 0;
    EXPECT_EQ(ninja.FillWeaponSlots(), 3);
    EXPECT_EQ(ninja.equipSlots[1], 2);
    EXPECT_EQ(ninja.equipSlots[2], 3);
    ninja.equipSlots[2] = 0;
    ninja.equipSlots[1] = 4;
    EXPECT_EQ(ninja.FillWeaponSlots(), 3);
    EXPECT_EQ(ninja.equipSlots[2], 2);
    EXPECT_EQ(ninja.GetEquipSlot(3), ninja.currentWeapon);
    EXPECT_EQ(ninja.GetEquipSlot(4), 0);
    ninja.SetEquipSlot(-1, 5);
    ninja.SetEquipSlot(3, 6);
    EXPECT_EQ(ninja.currentWeapon, 6);

    ninja.shurikenAmmo = -1;
    ninja.AddShurikenAmmo(5);
    EXPECT_EQ(ninja.shurikenAmmo, 5);
    ninja.AddShurikenAmmo(500);
    EXPECT_EQ(ninja.shurikenAmmo, 200);
    ninja.healingPotions = -1;
    ninja.AddHealingPotions(1);
    EXPECT_EQ(ninja.healingPotions, 1);
    ninja.healingPotions = 9;
    ninja.AddHealingPotions(1);
    EXPECT_EQ(ninja.healingPotions, 9);

    ninja.hp = 100;
    EXPECT_TRUE(ninja.UseHealingPotion());
    EXPECT_EQ(ninja.hp, 300);
    EXPECT_EQ(ninja.healingPotions, 8);
    ninja.exMagicPotions = 0;
    EXPECT_FALSE(ninja.UseExMagicPotion());
    EXPECT_EQ(ninja.exMagicPotions, 0);
}

// Each potion only while its stock is above 0, one at a time: healing adds
// 800 life, magic 8000 gauge, each up to its maximum; the "ex" ones fill it.
TEST(PlayerStatus, EachPotionWorksOnlyFromAStockAndFillsItsOwnMeasure) {
    struct Case {
        int32_t weapon, stock;
        bool used;
        int32_t hp, gauge, sound;
    };
    // Before: life 100 of 5000, gauge 100 of 30000.
    const Case cases[] = {
        {7, 2, true, 900, 100, 45},     {8, 1, true, 5000, 100, 45},   {9, 3, true, 100, 8100, 46},
        {10, 1, true, 100, 30000, 46},  {7, 0, false, 100, 100, -1},   {8, -1, false, 100, 100, -1},
        {9, 0, false, 100, 100, -1},    {10, -1, false, 100, 100, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "weapon " << c.weapon << ", stock " << c.stock);
        Scenario s({"...."}, {});
        auto* ninja = s.Add(std::make_unique<CCharacterNinja>(), 800, 400);
        int32_t* stocks[] = {&ninja->healingPotions, &ninja->exHealingPotions, &ninja->magicPotions,
                             &ninja->exMagicPotions};
        for (int32_t* stock : stocks) *stock = 5;
        *stocks[c.weapon - 7] = c.stock;
        ninja->hpMax = 5000;
        ninja->hp = 100;
        ninja->gaugeMax = 30000;
        ninja->gauge = 100;
        const bool used = c.weapon == 7   ? ninja->UseHealingPotion()
                          : c.weapon == 8 ? ninja->UseExHealingPotion()
                          : c.weapon == 9 ? ninja->UseMagicPotion()
                                          : ninja->UseExMagicPotion();
        EXPECT_EQ(used, c.used);
        EXPECT_EQ(*stocks[c.weapon - 7], c.used ? c.stock - 1 : c.stock);
        for (int i = 0; i < 4; ++i) {
            if (i != c.weapon - 7) {
                EXPECT_EQ(*stocks[i], 5) << i;
            }
        }
        EXPECT_EQ(ninja->hp, c.hp);
        EXPECT_EQ(ninja->gauge, c.gauge);
        EXPECT_EQ(s.Sounds(), c.sound < 0 ? std::vector<int32_t>{} : std::vector<int32_t>{c.sound});
    }
    // Near the maximum they stop at it.
    CCharacterNinja ninja;
    ninja.hp = ninja.hpMax - 10;
    ninja.gauge = ninja.gaugeMax - 10;
    ASSERT_TRUE(ninja.UseHealingPotion());
    ASSERT_TRUE(ninja.UseMagicPotion());
    EXPECT_EQ(ninja.hp, ninja.hpMax);
    EXPECT_EQ(ninja.gauge, ninja.gaugeMax);
    // The equip slots: 0 to 2, then the current weapon at 3, nothing else.
    EXPECT_EQ(ninja.GetEquipSlot(-1), 0);
    ninja.SetEquipSlot(0, 2);
    EXPECT_EQ(ninja.GetEquipSlot(0), 2);
}

namespace {

struct HitCase {
    int32_t kind;
    int32_t state;
};

}  // namespace

TEST(PlayerHits, ALivingPlayerIsHurtUnlessTheKindIs16OrItHasSuperArmour) {
    Scenario s({"...."}, {});
    auto* attacker = s.Add(std::make_unique<testing_support::ScenarioBody>(testing_support::WalkerBody()), 400, 200);
    auto* ninja = s.Add(std::make_unique<CCharacterNinja>(), 800, 1000);
    ninja->SetState(290);
    EXPECT_TRUE(ninja->OnHit(1, 50, 1, attacker));
    EXPECT_EQ(ninja->hp, 250);
    EXPECT_EQ(ninja->frame, 10);
    EXPECT_EQ(ninja->facing, -1);
    EXPECT_EQ(ninja->vx, 70);
    EXPECT_EQ(ninja->vy, -30);
    EXPECT_EQ(ninja->hitStop, 2);
    EXPECT_EQ(ninja->GetDamageFlash(), 60);
    EXPECT_EQ(s.Sounds(), (std::vector<int32_t>{25}));

    // Kind 16 only takes life.
    ninja->SetState(290);
    ninja->vx = 5;
    EXPECT_TRUE(ninja->OnHit(16, 50, -1, attacker));
    EXPECT_EQ(ninja->hp, 200);
    EXPECT_EQ(ninja->frame, 290);
    EXPECT_EQ(ninja->vx, 5);

    // Super armour: the hurt state, nothing else.
    s.ClearSounds();
    ninja->superArmor = 1;
    ninja->facing = 1;
    ninja->vx = 0;
    EXPECT_TRUE(ninja->OnHit(3, 50, -1, attacker));
    EXPECT_EQ(ninja->frame, 10);
    EXPECT_EQ(ninja->facing, 1);
    EXPECT_EQ(ninja->vx, 0);
    EXPECT_TRUE(s.Sounds().empty());

    // In record 0 nothing hits.
    ninja->frame = 0;
    EXPECT_FALSE(ninja->OnHit(1, 50, 1, attacker));
    EXPECT_EQ(ninja->hp, 150);
}

TEST(PlayerHits, ALethalHitChoosesTheDeathByKind) {
    const HitCase cases[] = {{1, 110}, {9, 110}, {22, 130}, {23, 140}, {25, 150},
                             {26, 160}, {27, 160}, {28, 170}, {29, 190}, {30, 180}};
    for (const HitCase& k : cases) {
        SCOPED_TRACE(k.kind);
        Scenario s({"...."}, {});
        auto* attacker =
            s.Add(std::make_unique<testing_support::ScenarioBody>(testing_support::WalkerBody()), 400, 600);
        attacker->facing = -1;
        auto* ninja = s.Add(std::make_unique<CCharacterNinja>(), 800, 1000);
        ninja->hp = 10;
        EXPECT_TRUE(ninja->OnHit(k.kind, 50, 1, attacker));
        EXPECT_EQ(ninja->hp, 0);
        EXPECT_EQ(ninja->frame, k.state);
        if (k.kind == 22 || k.kind == 23) {
            EXPECT_EQ(ninja->x, 400);
            EXPECT_EQ(ninja->y, 600);
        }
        if (k.kind == 29) {
            EXPECT_EQ(ninja->x, 400 - 360);
            EXPECT_EQ(ninja->y, 770);
            EXPECT_EQ(ninja->facing, 1) << "kind 29 faces the way the hit came";
            EXPECT_EQ(attacker->frame, 350) << "the attacker holds the player";
        } else {
            EXPECT_EQ(ninja->facing, -1);
        }
        const bool sound = k.kind != 29;
        EXPECT_EQ(!s.Sounds().empty() && s.Sounds().back() == 31, sound);
    }
}

TEST(PlayerHits, Kind16LeavesADeadPlayerStandingUntilAnotherKindEndsIt) {
    Scenario s({"....", "....", "####"}, {{'#', 20069}});
    auto* ninja = s.Add(std::make_unique<CCharacterNinja>(), Scenario::CellX(1), 800);
    s.SetPlayer(ninja);
    ninja->SetState(220);
    s.Run(10);
    ASSERT_EQ(ninja->frame, 230);
    ninja->hp = 10;
    ninja->OnHit(16, 100, 1, ninja);
    EXPECT_EQ(ninja->hp, 0);
    EXPECT_EQ(ninja->frame, 230);
    ninja->SetState(220);
    EXPECT_NE(ninja->frame, 110) << "standing up again is no death";
    s.Run(10);
    EXPECT_EQ(ninja->frame, 230);
    ninja->OnHit(2, 1, 1, ninja);
    EXPECT_EQ(ninja->frame, 110);
}

TEST(PlayerHits, SuperArmourKeepsFacingAndPlaceInASpecialDeath) {
    Scenario s({"...."}, {});
    auto* attacker = s.Add(std::make_unique<testing_support::ScenarioBody>(testing_support::WalkerBody()), 400, 600);
    auto* ninja = s.Add(std::make_unique<CCharacterNinja>(), 800, 1000);
    ninja->superArmor = 1;
    ninja->hp = 1;
    ninja->OnHit(22, 5, -1, attacker);
    EXPECT_EQ(ninja->frame, 130);
    EXPECT_EQ(ninja->x, 800);
    EXPECT_EQ(ninja->facing, 1);
    EXPECT_TRUE(s.Sounds().empty());
}

// Every death by kind, with super armour and without an attacker: super
// armour keeps facing, velocity and place and plays no sound (the hold of
// kind 29 still moves the player to the attacker); without an attacker the
// player stays where it was.
TEST(PlayerHits, TheDeathsUnderSuperArmourAndWithoutAnAttacker) {
    struct Case {
        int32_t kind, state;
        bool armour, attacker;
        int32_t x, y, facing, vx, vy;
        bool sound;
    };
    // Before each hit: at (800, 1000), facing 1, moving (33, 44); the hit
    // comes from direction 1 (kind 29: -1), the attacker at (400, 600)
    // facing -1.
    const Case cases[] = {
        {1, 110, true, true, 800, 1000, 1, 0, -60, false},
        {22, 130, true, true, 800, 1000, 1, 33, 44, false},
        {23, 140, true, true, 800, 1000, 1, 33, 44, false},
        {25, 150, true, true, 800, 1000, 1, 33, 44, false},
        {26, 160, true, true, 800, 1000, 1, 33, 44, false},
        {27, 160, true, true, 800, 1000, 1, 33, 44, false},
        {28, 170, true, true, 800, 1000, 1, 33, 44, false},
        {29, 190, true, true, 40, 770, 1, 33, 44, false},
        {30, 180, true, true, 800, 1000, 1, 33, 44, false},
        {22, 130, false, false, 800, 1000, -1, 0, 0, true},
        {23, 140, false, false, 800, 1000, -1, 0, 0, true},
        {29, 190, false, false, 800, 1000, -1, 33, 44, false},
        {29, 190, true, false, 800, 1000, 1, 33, 44, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << (c.armour ? ", super armour" : "")
                                        << (c.attacker ? "" : ", no attacker"));
        Scenario s({"...."}, {});
        auto* attacker =
            s.Add(std::make_unique<testing_support::ScenarioBody>(testing_support::WalkerBody()), 400, 600);
        attacker->facing = -1;
        auto* ninja = s.Add(std::make_unique<CCharacterNinja>(), 800, 1000);
        ninja->superArmor = c.armour ? 1 : 0;
        ninja->hp = 1;
        ninja->facing = 1;
        ninja->vx = 33;
        ninja->vy = 44;
        EXPECT_TRUE(ninja->OnHit(c.kind, 5, c.kind == 29 ? -1 : 1, c.attacker ? attacker : nullptr));
        EXPECT_EQ(ninja->hp, 0);
        EXPECT_EQ(ninja->frame, c.state);
        EXPECT_EQ(ninja->x, c.x);
        EXPECT_EQ(ninja->y, c.y);
        EXPECT_EQ(ninja->facing, c.facing);
        EXPECT_EQ(ninja->vx, c.vx);
        EXPECT_EQ(ninja->vy, c.vy);
        EXPECT_EQ(std::count(s.Sounds().begin(), s.Sounds().end(), 31), c.sound ? 1 : 0);
    }
}
