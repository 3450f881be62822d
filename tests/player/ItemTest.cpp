// The inventory: bounds of every kind operation, the reset, the one flagged
// character, the price and text tables, and the icons on their sheet.
#include "player/Item.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/TextTable.h"
#include "win/Graphics.h"
#include "win/Sprite.h"

namespace {

// A fresh inventory for each test (the singleton lives on).
CItem* Items() {
    CItem* items = CItem::GetInstance();
    items->Reset();
    return items;
}

}  // namespace

TEST(Item, ResetLeavesOnlyTheDefaultCharacterOwnedAndSelected) {
    CItem* items = Items();
    for (int32_t kind = 0; kind < 19; ++kind) {
        items->SetCount(kind, 7);
        items->SetFlag(kind, 1);
    }
    EXPECT_EQ(items->Reset(), 19);
    for (int32_t kind = 0; kind < 19; ++kind) {
        SCOPED_TRACE(kind);
        EXPECT_EQ(items->GetCount(kind), kind == 15 ? 1 : 0);
        EXPECT_EQ(items->GetFlag(kind), kind == 15 ? 1 : 0);
    }
}

TEST(Item, KindsOutsideTheTableAreRefusedByEveryOperation) {
    CItem* items = Items();
    std::vector<int32_t> drawn;
    SetSpriteObserver([&](const SpriteDraw& d) { drawn.push_back(d.slot); });
    for (int32_t kind : {-1, 19, 40, -100000, 0x7FFFFFFF}) {
        SCOPED_TRACE(kind);
        EXPECT_EQ(items->GetCount(kind), 0);
        EXPECT_EQ(items->GetFlag(kind), 0);
        items->SetCount(kind, 5);
        items->SetFlag(kind, 1);
        EXPECT_EQ(items->GetPrice(kind), -1);
        EXPECT_STREQ(items->GetName(kind), "");
        EXPECT_STREQ(items->GetText3(kind), "");
        EXPECT_STREQ(items->GetText4(kind), "");
        EXPECT_STREQ(items->GetCategoryText(kind), "");
        EXPECT_STREQ(items->GetText6(kind), "");
        items->DrawIcon(kind, 10, 10);
    }
    SetSpriteObserver(nullptr);
    EXPECT_TRUE(drawn.empty());
    // Nothing inside the table changed either.
    for (int32_t kind = 0; kind < 19; ++kind) {
        EXPECT_EQ(items->GetCount(kind), kind == 15 ? 1 : 0);
        EXPECT_EQ(items->GetFlag(kind), kind == 15 ? 1 : 0);
    }
}

TEST(Item, AtMostOneCharacterIsFlagged) {
    CItem* items = Items();
    items->SetFlag(16, 1);
    EXPECT_EQ(items->GetFlag(15), 0);
    EXPECT_EQ(items->GetFlag(16), 1);
    items->SetFlag(18, 1);
    EXPECT_EQ(items->GetFlag(16), 0);
    EXPECT_EQ(items->GetFlag(18), 1);
    // Clearing a character touches no other.
    items->SetFlag(18, 0);
    EXPECT_EQ(items->GetFlag(15) + items->GetFlag(16) + items->GetFlag(17) + items->GetFlag(18), 0);
    items->SetFlag(15, 1);
    items->SetFlag(16, 0);
    EXPECT_EQ(items->GetFlag(15), 1);
    // Equipment flags are independent of each other and of the characters.
    items->SetFlag(3, 1);
    items->SetFlag(9, 1);
    EXPECT_EQ(items->GetFlag(3), 1);
    EXPECT_EQ(items->GetFlag(9), 1);
    EXPECT_EQ(items->GetFlag(15), 1);
}

TEST(Item, NoEquipmentCountsKindsZeroToEleven) {
    CItem* items = Items();
    EXPECT_TRUE(items->HasNoEquipment());
    items->SetFlag(0, 1);
    EXPECT_FALSE(items->HasNoEquipment());
    items->SetFlag(0, 0);
    items->SetFlag(11, 1);
    EXPECT_FALSE(items->HasNoEquipment());
    items->SetFlag(11, 0);
    items->SetFlag(12, 1);  // a gold pack is no equipment
    items->SetFlag(17, 1);
    EXPECT_TRUE(items->HasNoEquipment());
}

TEST(Item, PricesAndTextsOfTheTable) {
    CItem* items = Items();
    const int32_t prices[19] = {1000,  500,    3000,  8000,   30000,  100000, 10000, 80000, 200000, 20000,
                                100000, 400000, -1,    -1,     -1,     0,      10000, 100000, 200000};
    for (int32_t kind = 0; kind < 19; ++kind) EXPECT_EQ(items->GetPrice(kind), prices[kind]) << kind;
    // Every kind's texts by their ids in the text table: name, effect, shop
    // description, category and price label.
    const int32_t texts[19][5] = {
        {125, 233, 111, 143, 175}, {50, 68, 92, 144, 147},   {51, 69, 93, 144, 148},   {52, 70, 94, 144, 149},
        {53, 71, 95, 144, 150},    {54, 72, 96, 144, 151},   {55, 73, 97, 144, 152},   {56, 74, 98, 144, 153},
        {57, 75, 99, 144, 154},    {58, 76, 100, 144, 155},  {59, 77, 101, 144, 156},  {60, 78, 102, 144, 157},
        {61, 79, 115, 145, 158},   {62, 80, 116, 145, 159},  {63, 81, 117, 145, 160},  {64, 82, 103, 146, 161},
        {65, 83, 104, 146, 162},   {66, 84, 105, 146, 163},  {67, 85, 106, 146, 164},
    };
    for (int32_t kind = 0; kind < 19; ++kind) {
        SCOPED_TRACE(kind);
        EXPECT_STREQ(items->GetName(kind), GetText(texts[kind][0]));
        EXPECT_STREQ(items->GetText3(kind), GetText(texts[kind][1]));
        EXPECT_STREQ(items->GetText4(kind), GetText(texts[kind][2]));
        EXPECT_STREQ(items->GetCategoryText(kind), GetText(texts[kind][3]));
        EXPECT_STREQ(items->GetText6(kind), GetText(texts[kind][4]));
    }
    EXPECT_EQ(std::string(GetTextForLanguage(64, 0)), "Ninja");
    EXPECT_EQ(std::string(GetTextForLanguage(175, 0)), "50G");
}

TEST(Item, IconsAreDrawnFromTheirCellsAndEveryCellHoldsAPicture) {
    CItem* items = Items();
    std::vector<SpriteDraw> drawn;
    SetSpriteObserver([&](const SpriteDraw& d) { drawn.push_back(d); });
    items->DrawIcon(0, 30, 40);
    items->DrawIcon(11, 0, 0);
    items->DrawIcon(18, 5, 6);
    SetSpriteObserver(nullptr);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].x, 30);
    EXPECT_EQ(drawn[0].y, 40);
    EXPECT_EQ(drawn[0].slot, 14);
    EXPECT_EQ(drawn[0].srcX, 223);
    EXPECT_EQ(drawn[0].srcY, 110);
    EXPECT_EQ(drawn[0].w, 21);
    EXPECT_EQ(drawn[0].h, 21);
    EXPECT_EQ(drawn[1].srcX, 181);
    EXPECT_EQ(drawn[1].srcY, 110);
    EXPECT_EQ(drawn[2].srcX, 349);
    EXPECT_EQ(drawn[2].srcY, 131);

    // The interface sheet has a picture in each of the 19 cells, and the
    // cells do not overlap.
    ASSERT_TRUE(InitGraphics());
    ASSERT_TRUE(LoadTexture(14, 114, 512));
    const platform::Texture* sheet = TextureTable[14].texture.get();
    ASSERT_NE(sheet, nullptr);
    for (int32_t kind = 0; kind < 19; ++kind) {
        int32_t u = 0, v = 0;
        CItem::IconCell(kind, u, v);
        int opaque = 0;
        for (int32_t y = v; y < v + 21; ++y)
            for (int32_t x = u; x < u + 21; ++x) opaque += (sheet->Pixels()[y * 512 + x] >> 24) != 0 ? 1 : 0;
        EXPECT_GT(opaque, 60) << "icon of kind " << kind;
        for (int32_t other = 0; other < kind; ++other) {
            int32_t ou = 0, ov = 0;
            CItem::IconCell(other, ou, ov);
            EXPECT_FALSE(ou == u && ov == v) << kind << " and " << other;
        }
    }
    ReleaseTexture(14);
    ReleaseGraphics();
}
