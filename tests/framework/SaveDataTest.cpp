#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <vector>

#include "framework/SaveData.h"
#include "player/Item.h"

namespace {

using R = SaveSlotRecord;
using S = SystemRecord;

std::unique_ptr<CSaveData> Fresh() { return std::make_unique<CSaveData>(); }

TEST(SaveData, AFreshBlockHoldsTheSystemDefaultsAndZerosElsewhere) {
    auto data = Fresh();
    const uint8_t* b = data->Bytes();
    for (std::size_t i = 0; i < CSaveData::kSize; ++i) {
        uint8_t expected = 0;
        if (i == 0x004 || i == 0x248) expected = 1;
        if (i == 0x390 || i == 0x394) expected = 80;
        ASSERT_EQ(b[i], expected) << "offset " << i;
    }
    data->SetInt(S::kGold, 0x12345678);
    data->Clear();
    EXPECT_EQ(data->GetInt(S::kGold), 0);
    EXPECT_EQ(data->GetInt(S::kGameMode), 1);
}

TEST(SaveData, IntegersAreLittleEndianAndOffsetsOutsideTheBlockAreSafe) {
    auto data = Fresh();
    data->SetInt(S::kGold, 0x01020304);
    EXPECT_EQ(data->Bytes()[0x24C], 0x04);
    EXPECT_EQ(data->Bytes()[0x24F], 0x01);
    data->SetInt(0x100, -2);
    EXPECT_EQ(data->Bytes()[0x100], 0xFE);
    EXPECT_EQ(data->Bytes()[0x103], 0xFF);
    EXPECT_EQ(data->GetInt(0x100), -2);
    data->SetInt(CSaveData::kSize - 2, 7);  // would run past the end
    EXPECT_EQ(data->GetInt(CSaveData::kSize - 2), 0);
    EXPECT_EQ(data->GetSlotFlag(1024), 0);
    EXPECT_EQ(data->GetSlotFlag(-1), 0);
    data->SetSlotFlag(1024, 1);
    data->SetSlotFlag(-1, 1);
    EXPECT_EQ(data->Bytes()[R::kResumeFlag], 0);
}

TEST(SaveData, NewGameDefaultsWriteTheSlotFieldsAndKeepTheRest) {
    auto data = Fresh();
    std::memset(data->Bytes(), 0xAB, CSaveData::kSize);
    data->SetNewGameDefaults();
    EXPECT_EQ(data->GetInt(0x000), static_cast<int32_t>(0xABABABAB)) << "offset 0 is kept";
    EXPECT_EQ(data->GetInt(R::kMapId), 266);
    EXPECT_EQ(data->GetInt(R::kShurikenAmmo), -1);
    EXPECT_EQ(data->GetInt(R::kBombAmmo), -1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(data->GetInt(R::kReserved10 + 4 * i), 0);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(data->GetInt(R::kPotionStocks + 4 * i), -1);
    EXPECT_EQ(data->GetInt(0x02C), 1);
    EXPECT_EQ(data->GetInt(0x030), 0);
    EXPECT_EQ(data->GetInt(0x034), 0);
    EXPECT_EQ(data->GetInt(0x038), 1);
    EXPECT_EQ(data->GetInt(R::kKeyCount), 0) << "a new game starts without keys";
    EXPECT_EQ(data->GetInt(R::kPlayTime), 0);
    EXPECT_EQ(data->GetInt(R::kScore), 0);
    for (int f = 0; f < 1024; ++f) ASSERT_EQ(data->GetSlotFlag(f), 0) << f;
    EXPECT_EQ(data->GetByte(0x448), 0);
    for (std::size_t i = 0x449; i < 0x44C; ++i) EXPECT_EQ(data->GetByte(i), 0xAB) << "padding is kept";
    for (std::size_t off = 0x44C; off < 0x460; off += 4) EXPECT_EQ(data->GetInt(off), 0) << off;
    for (std::size_t i = 0x460; i < CSaveData::kSize; ++i) ASSERT_EQ(data->GetByte(i), 0xAB) << i;
}

TEST(SaveData, LoadTakesOnlyWholeBlocks) {
    auto data = Fresh();
    const std::vector<uint8_t> before(data->Bytes(), data->Bytes() + CSaveData::kSize);
    std::vector<uint8_t> bytes(70000, 0x11);
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, CSaveData::kSize - 1}) {
        EXPECT_FALSE(data->Load(bytes.data(), size)) << size;
        EXPECT_EQ(std::memcmp(data->Bytes(), before.data(), CSaveData::kSize), 0) << size;
    }
    EXPECT_FALSE(data->Load(nullptr, CSaveData::kSize));
    EXPECT_TRUE(data->Load(bytes.data(), 70000));
    EXPECT_EQ(data->GetByte(CSaveData::kSize - 1), 0x11);
}

TEST(SaveData, CompletionCountsTheListedFlags) {
    auto data = Fresh();
    data->SetNewGameDefaults();
    EXPECT_EQ(data->CountCompletion(), 0);
    data->SetSlotFlag(8, 1);
    EXPECT_EQ(data->CountCompletion(), 0) << "flag 8 does not count";

    const int ranges[][2] = {{0, 7},     {9, 21},    {29, 41},   {402, 407}, {409, 444}, {448, 494}, {497, 513},
                             {517, 522}, {524, 524}, {526, 586}, {588, 595}, {597, 598}, {600, 615}, {618, 626},
                             {631, 631}, {633, 660}, {851, 851}, {853, 854}, {856, 858}};
    std::vector<int> listed;
    for (const auto& r : ranges) {
        for (int f = r[0]; f <= r[1]; ++f) listed.push_back(f);
    }
    ASSERT_EQ(listed.size(), 278u);
    for (int f : listed) data->SetSlotFlag(f, 1);
    EXPECT_EQ(data->CountCompletion(), 100);
    data->SetSlotFlag(listed.back(), 0);
    EXPECT_EQ(data->CountCompletion(), 99);
    data->SetSlotFlag(listed.back(), 7);
    EXPECT_EQ(data->CountCompletion(), 100) << "any non-zero byte counts as set";

    auto unlisted = Fresh();
    for (int f = 0; f < 1024; ++f) {
        bool isListed = false;
        for (int l : listed) isListed = isListed || l == f;
        if (!isListed) unlisted->SetSlotFlag(f, 1);
    }
    EXPECT_EQ(unlisted->CountCompletion(), 0);

    // One flag moves the percentage only at the top (277 give 99, 278 give
    // 100), so each flag is tried there: every listed flag is needed for 100,
    // and no other flag makes up for a missing one.
    for (int f = 0; f < 1024; ++f) {
        const bool isListed = std::find(listed.begin(), listed.end(), f) != listed.end();
        auto top = Fresh();
        for (int l : listed) top->SetSlotFlag(l, 1);
        if (isListed) {
            top->SetSlotFlag(f, 0);
        } else {
            top->SetSlotFlag(listed.front() == f ? listed.back() : listed.front(), 0);
            top->SetSlotFlag(f, 1);
        }
        EXPECT_EQ(top->CountCompletion(), 99) << "flag " << f << (isListed ? " is listed" : " is not listed");
    }
}

TEST(SaveData, SystemRecordValuesAreBroughtIntoRange) {
    struct Case {
        std::size_t offset;
        int32_t stored;
        int32_t expected;
    };
    const Case cases[] = {
        {S::kGameMode, 2, 2},          {S::kGameMode, 3, 1},           {S::kGameMode, -1, 1},
        {S::kGold, 999999, 999999},    {S::kGold, 1000000, 999999},    {S::kGold, INT32_MIN, 0},
        {S::kEffectVolume, 101, 100},  {S::kMusicVolume, -5, 0},       {S::kMusicVolume, 55, 55},
        {S::kVibration, 3, 3},         {S::kVibration, 4, 0},          {S::kVibration, INT32_MIN, 0},
        {S::kItemCounts, -3, 0},       {S::kItemCounts + 4 * 18, INT32_MAX, 999999},
        {S::kLanguage, 77, 77},        {S::kEffectVolume, 0, 0},       {S::kMusicVolume, 100, 100},
    };
    for (const Case& c : cases) {
        auto data = Fresh();
        data->SetInt(c.offset, c.stored);
        data->SanitizeSystemRecord();
        EXPECT_EQ(data->GetInt(c.offset), c.expected) << std::hex << c.offset << std::dec << " " << c.stored;
    }
    auto data = Fresh();
    data->SetByte(S::kItemFlags + 3, 0x80);
    data->SetByte(S::kClearMarks, 0xFF);
    EXPECT_EQ(data->SanitizeSystemRecord(), 1);
    EXPECT_EQ(data->GetByte(S::kItemFlags + 3), 1);
    EXPECT_EQ(data->GetByte(S::kClearMarks), 0xFF) << "clear marks are bit sets";
    EXPECT_EQ(Fresh()->SanitizeSystemRecord(), 0);
}

TEST(SaveData, SlotRecordValuesAreBroughtIntoRange) {
    struct Case {
        std::size_t offset;
        int32_t stored;
        int32_t expected;
    };
    const Case cases[] = {
        {R::kMapId, 273, 273},           {R::kMapId, 274, 266},          {R::kMapId, 0, 266},
        {R::kMapId, INT32_MIN, 266},     {R::kShurikenAmmo, -7, -1},     {R::kShurikenAmmo, 500, 200},
        {R::kBombAmmo, 31, 30},          {R::kPotionStocks + 12, 10, 9}, {R::kEquipSlots, 11, 1},
        {R::kEquipSlots + 4, -1, 0},     {R::kEquipSlots + 8, 10, 10},   {R::kCurrentWeapon, 0, 1},
        {R::kCurrentWeapon, 7, 7},       {R::kKeyCount, -1, 0},          {R::kPlayTime, INT32_MIN, 0},
        {R::kPlayTime, INT32_MAX, INT32_MAX}, {R::kScore, -10, 0},     {R::kScore, 500000000, 500000000},
        {R::kKeyCount, 500, 500},        {R::kBombAmmo, -1, -1},
    };
    for (const Case& c : cases) {
        auto data = Fresh();
        data->SetNewGameDefaults();
        data->SetInt(c.offset, c.stored);
        data->SanitizeSlotRecord();
        EXPECT_EQ(data->GetInt(c.offset), c.expected) << std::hex << c.offset << std::dec << " " << c.stored;
    }
}

TEST(SaveData, AResumePointIsKeptInsideItsStage) {
    auto data = Fresh();
    data->SetNewGameDefaults();
    data->SetInt(R::kMapId, 269);  // 12 x 40 cells
    data->SetByte(R::kResumeFlag, 5);
    data->SetInt(R::kResumeHp, 0);
    data->SetInt(R::kResumeGauge, -1);
    data->SetInt(R::kResumeX, 100000);
    data->SetInt(R::kResumeY, -3);
    data->SetInt(R::kResumeFacing, 0);
    data->SanitizeSlotRecord();
    EXPECT_EQ(data->GetByte(R::kResumeFlag), 1);
    EXPECT_EQ(data->GetInt(R::kResumeHp), 1);
    EXPECT_EQ(data->GetInt(R::kResumeGauge), 0);
    EXPECT_EQ(data->GetInt(R::kResumeX), 12 * 400);
    EXPECT_EQ(data->GetInt(R::kResumeY), 0);
    EXPECT_EQ(data->GetInt(R::kResumeFacing), 1);
    data->SetInt(R::kResumeFacing, -9);
    data->SanitizeSlotRecord();
    EXPECT_EQ(data->GetInt(R::kResumeFacing), -1);
    // The far corner of the stage is inside it.
    data->SetInt(R::kResumeX, 4800);
    data->SetInt(R::kResumeY, 16000);
    EXPECT_EQ(data->SanitizeSlotRecord(), 0);
    EXPECT_EQ(data->GetInt(R::kResumeY), 16000);
    data->SetInt(R::kResumeY, 16001);
    data->SanitizeSlotRecord();
    EXPECT_EQ(data->GetInt(R::kResumeY), 16000);

    // Without a resume point those fields are not used and stay as stored.
    auto plain = Fresh();
    plain->SetNewGameDefaults();
    EXPECT_EQ(plain->SanitizeSlotRecord(), 0);
    EXPECT_EQ(plain->GetInt(R::kResumeFacing), 0);
}

TEST(SaveData, FlagBytesThatAreNotZeroCountAsSet) {
    auto data = Fresh();
    data->SetNewGameDefaults();
    data->SetSlotFlag(0, 2);
    data->SetSlotFlag(1023, 0xFF);
    data->SetSlotFlag(500, 1);
    EXPECT_EQ(data->SanitizeSlotRecord(), 2);
    EXPECT_EQ(data->GetSlotFlag(0), 1);
    EXPECT_EQ(data->GetSlotFlag(1023), 1);
    EXPECT_EQ(data->GetSlotFlag(500), 1);
}

TEST(SaveData, TheSystemRecordCarriesSettingsAndInventory) {
    CItem* items = CItem::GetInstance();
    items->SetCount(0, 4);
    items->SetFlag(3, 1);
    items->SetCount(16, 1);
    items->SetFlag(16, 1);
    SaveBlock::SystemSettings out;
    out.clearFlags[0] = 0x10A;  // only the low byte is kept
    out.clearFlags[63] = 3;
    out.gameMode = 2;
    out.gold = 123456;
    out.language = 1;
    out.effectVolume = 30;
    out.musicVolume = 60;
    out.vibration = 3;
    auto data = Fresh();
    SaveBlock::FillSystemRecord(data->Bytes(), out, *items);
    EXPECT_EQ(data->GetByte(0x008), 0x0A);
    EXPECT_EQ(data->GetByte(0x008 + 63), 3);
    EXPECT_EQ(data->GetInt(0x250), 4);
    EXPECT_EQ(data->GetByte(0x350 + 3), 1);
    EXPECT_EQ(data->GetInt(0x250 + 4 * 19), 0) << "kinds beyond 18 are stored as 0";
    EXPECT_EQ(data->GetInt(0x390), 30);
    EXPECT_EQ(data->GetInt(0x394), 60);
    EXPECT_EQ(data->GetInt(0x398), 1);
    EXPECT_EQ(data->GetInt(0x39C), 3);
    EXPECT_EQ(data->GetInt(0x004), 1) << "the reserved word stays";

    items->Reset();
    SaveBlock::SystemSettings in;
    SaveBlock::ApplySystemRecord(data->Bytes(), in, *items);
    EXPECT_EQ(in.clearFlags[0], 0x0A);
    EXPECT_EQ(in.gameMode, 2);
    EXPECT_EQ(in.gold, 123456);
    EXPECT_EQ(in.effectVolume, 30);
    EXPECT_EQ(in.musicVolume, 60);
    EXPECT_EQ(in.selectedCharacter, 2);
    EXPECT_EQ(items->GetCount(0), 4);
    EXPECT_EQ(items->GetFlag(3), 1);
    EXPECT_EQ(items->GetFlag(15), 0);
}

TEST(SaveData, TheLastFlaggedCharacterIsSelectedAndOwned) {
    CItem* items = CItem::GetInstance();
    auto data = Fresh();
    data->SetByte(S::kItemFlags + 16, 1);
    data->SetByte(S::kItemFlags + 17, 1);
    SaveBlock::SystemSettings in;
    SaveBlock::ApplySystemRecord(data->Bytes(), in, *items);
    EXPECT_EQ(in.selectedCharacter, 3);
    EXPECT_EQ(items->GetCount(17), 1);
    EXPECT_EQ(items->GetFlag(17), 1);
    EXPECT_EQ(items->GetFlag(16), 0) << "at most one character is flagged";

    // Each character kind alone selects its character: 15 to 18 give 1 to 4.
    for (int kind = 15; kind <= 18; ++kind) {
        auto one = Fresh();
        one->SetByte(S::kItemFlags + kind, 1);
        SaveBlock::SystemSettings chosen;
        chosen.selectedCharacter = 0;
        SaveBlock::ApplySystemRecord(one->Bytes(), chosen, *items);
        EXPECT_EQ(chosen.selectedCharacter, kind - 14) << "kind " << kind;
        EXPECT_EQ(items->GetFlag(kind), 1);
        EXPECT_EQ(items->GetCount(kind), 1);
    }

    // No character flagged: the selection stays and its kind becomes owned.
    auto none = Fresh();
    SaveBlock::SystemSettings keep;
    keep.selectedCharacter = 4;
    SaveBlock::ApplySystemRecord(none->Bytes(), keep, *items);
    EXPECT_EQ(keep.selectedCharacter, 4);
    EXPECT_EQ(items->GetFlag(18), 1);
    EXPECT_EQ(items->GetCount(18), 1);
}

// A character chosen after another (kind 15 to 18 flagged in use) is the
// one the saved record selects again, whichever of the two comes later in
// the kinds.
TEST(SaveData, TheCharacterChosenLastIsSelectedAfterAReload) {
    CItem* items = CItem::GetInstance();
    struct Choice {
        int32_t first, then, selected;
    };
    for (const Choice& c : {Choice{17, 16, 2}, Choice{18, 15, 1}, Choice{18, 17, 3}, Choice{15, 18, 4}}) {
        items->Reset();
        items->SetFlag(c.first, 1);
        items->SetFlag(c.then, 1);
        auto data = Fresh();
        SaveBlock::FillSystemRecord(data->Bytes(), SaveBlock::SystemSettings{}, *items);
        items->Reset();
        SaveBlock::SystemSettings in;
        SaveBlock::ApplySystemRecord(data->Bytes(), in, *items);
        EXPECT_EQ(in.selectedCharacter, c.selected) << c.first << " then " << c.then;
    }
}

TEST(Inventory, KindsOutsideTheTableAreIgnored) {
    CItem* items = CItem::GetInstance();
    items->Reset();
    EXPECT_EQ(items->GetCount(15), 1);
    EXPECT_EQ(items->GetFlag(15), 1);
    items->SetCount(19, 5);
    items->SetCount(-1, 5);
    items->SetFlag(40, 1);
    items->SetFlag(-3, 1);
    EXPECT_EQ(items->GetCount(19), 0);
    EXPECT_EQ(items->GetCount(-1), 0);
    EXPECT_EQ(items->GetFlag(40), 0);
    EXPECT_EQ(items->GetFlag(INT32_MIN), 0);
    items->SetFlag(16, 0);
    EXPECT_EQ(items->GetFlag(15), 1) << "clearing a character leaves the others";
    items->SetFlag(16, 1);
    EXPECT_EQ(items->GetFlag(15), 0);
    EXPECT_TRUE(items->HasNoEquipment());
    items->SetFlag(0, 1);
    EXPECT_FALSE(items->HasNoEquipment());
    EXPECT_EQ(items->Reset(), 19);
    EXPECT_EQ(items->GetFlag(16), 0);
    EXPECT_EQ(items->GetFlag(15), 1);
}

TEST(SaveData, StagePlayfields) {
    int32_t w = 0, h = 0;
    ASSERT_TRUE(GetStagePlayfield(266, w, h));
    EXPECT_EQ(w, 60000);
    EXPECT_EQ(h, 3200);
    ASSERT_TRUE(GetStagePlayfield(273, w, h));
    EXPECT_EQ(w, 3600);
    EXPECT_FALSE(GetStagePlayfield(265, w, h));
    EXPECT_FALSE(GetStagePlayfield(274, w, h));
}

}  // namespace
