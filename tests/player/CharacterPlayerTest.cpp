#include "player/CharacterPlayer.h"

#include <gtest/gtest.h>

#include <cstring>

#include "framework/GameMain.h"
#include "framework/SaveData.h"
#include "player/CharacterNinja.h"

namespace {

int32_t ReadInt(CSaveData& record, std::size_t offset) {
    int32_t value = 0;
    std::memcpy(&value, record.Bytes() + offset, sizeof value);
    return value;
}

}  // namespace

TEST(CharacterPlayerStandIn, ReadyToStandAndForgottenByTheGameWhenDeleted) {
    auto* ninja = new CCharacterNinja;
    EXPECT_EQ(ninja->frame, 220);
    EXPECT_EQ(ninja->group, 1);
    EXPECT_GT(ninja->hp, 0);
    CGameMain::GetInstance()->m_player = ninja;
    delete ninja;
    EXPECT_EQ(CGameMain::GetInstance()->m_player, nullptr);
}

TEST(CharacterPlayerStandIn, WriteStatusFillsOnlyTheStatusFields) {
    CCharacterNinja ninja;
    ninja.shurikenAmmo = 12;
    ninja.bombAmmo = 3;
    ninja.healingPotions = 4;
    ninja.exHealingPotions = 5;
    ninja.magicPotions = 6;
    ninja.exMagicPotions = 7;
    ninja.equipSlots[0] = 1;
    ninja.equipSlots[1] = 2;
    ninja.equipSlots[2] = 9;
    ninja.currentWeapon = 2;
    ninja.score = 123456;
    CSaveData record;
    std::memset(record.Bytes(), 0xAB, CSaveData::kSize);
    ninja.WriteStatus(record);
    EXPECT_EQ(ReadInt(record, 0x08), 12);
    EXPECT_EQ(ReadInt(record, 0x0C), 3);
    EXPECT_EQ(ReadInt(record, 0x1C), 4);
    EXPECT_EQ(ReadInt(record, 0x20), 5);
    EXPECT_EQ(ReadInt(record, 0x24), 6);
    EXPECT_EQ(ReadInt(record, 0x28), 7);
    EXPECT_EQ(ReadInt(record, 0x2C), 1);
    EXPECT_EQ(ReadInt(record, 0x30), 2);
    EXPECT_EQ(ReadInt(record, 0x34), 9);
    EXPECT_EQ(ReadInt(record, 0x38), 2);
    EXPECT_EQ(ReadInt(record, 0x44), 123456);
    // Everything else untouched.
    EXPECT_EQ(record.Bytes()[0x00], 0xAB);
    EXPECT_EQ(record.Bytes()[0x10], 0xAB);
    EXPECT_EQ(record.Bytes()[0x3C], 0xAB);
    EXPECT_EQ(record.Bytes()[0x48], 0xAB);

    CCharacterNinja restored;
    restored.ReadStatus(record);
    EXPECT_EQ(restored.shurikenAmmo, 12);
    EXPECT_EQ(restored.equipSlots[2], 9);
    EXPECT_EQ(restored.score, 123456);
}

TEST(CharacterPlayerStandIn, WallAndCeilingHoldStates) {
    CCharacterNinja ninja;
    ninja.SetState(232);
    EXPECT_TRUE(ninja.IsHoldingWall());
    EXPECT_FALSE(ninja.IsHoldingCeiling());
    ninja.SetState(427);
    EXPECT_TRUE(ninja.IsHoldingCeiling());
    ninja.SetState(220);
    EXPECT_FALSE(ninja.IsHoldingWall());
    EXPECT_FALSE(ninja.IsHoldingCeiling());
}
