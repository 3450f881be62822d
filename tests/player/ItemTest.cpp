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
    // A sample of each text operation against the text table.
    EXPECT_STREQ(items->GetName(0), GetText(125));
    EXPECT_STREQ(items->GetName(18), GetText(67));
    EXPECT_STREQ(items->GetText3(0), GetText(233));
    EXPECT_STREQ(items->GetText3(10), GetText(77));
    EXPECT_STREQ(items->GetText4(0), GetText(111));
    EXPECT_STREQ(items->GetText4(13), GetText(116));
    EXPECT_STREQ(items->GetText4(16), GetText(104));
    EXPECT_STREQ(items->GetCategoryText(0), GetText(143));
    EXPECT_STREQ(items->GetCategoryText(11), GetText(144));
    EXPECT_STREQ(items->GetCategoryText(12), GetText(145));
    EXPECT_STREQ(items->GetCategoryText(15), GetText(146));
    EXPECT_STREQ(items->GetText6(0), GetText(175));
    EXPECT_STREQ(items->GetText6(18), GetText(164));
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
