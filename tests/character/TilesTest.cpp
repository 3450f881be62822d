// Scenery and blocks: their tables as the game keeps them, their pictures,
// their looks by state, the conveyor animation and their removal.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>

#include "character/CharacterBackground.h"
#include "character/CharacterBlock.h"
#include "character/CreateCharacter.h"
#include "framework/GameMain.h"
#include "framework/StateLoading.h"
#include "platform/GraphicsDevice.h"
#include "support/Scenario.h"
#include "win/Graphics.h"
#include "win/Resource.h"

using testing_support::Scenario;

namespace {

bool Between(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }

bool IsConveyorRecord(int32_t r) { return Between(r, 80, 154) || Between(r, 160, 234); }
bool IsDamagingRecord(int32_t r) { return Between(r, 1364, 1383); }

// The record the tile kinds' fill operations make from a record's values.
FrameRecord Refill(CCharacter& scratch, const FrameRecord& r, bool blockStyle) {
    if (blockStyle)
        scratch.SetBlockFrameRecord(1, r.u, r.v, r.spriteRight, r.spriteTop, r.spriteBottom, r.solidLeft,
                                    r.solidRight, r.solidTopLeft, r.solidBottomLeft, r.bodyLeft, r.bodyRight,
                                    r.bodyTop, r.bodyBottom, r.attackLeft, r.attackRight, r.attackTop,
                                    r.attackBottom, r.hurtLeft, r.hurtRight, r.hurtTop, r.hurtBottom, r.nextState,
                                    r.stateDuration, r.textureId);
    else
        scratch.SetBackgroundFrameRecord(1, r.u, r.v, r.spriteTop, r.spriteBottom, r.solidLeft, r.solidRight,
                                         r.solidTopLeft, r.solidBottomLeft, r.frameDuration, r.textureId);
    return scratch.RecordAt(1);
}

bool IsAllZero(const FrameRecord& r) { return r == FrameRecord{}; }

}  // namespace

TEST(TileTables, BlockRecordsHaveTheShapeOfTheirKind) {
    CCharacterBlock block;
    CCharacterBlock scratch;
    ASSERT_EQ(block.frameTable.Count(), 1568);
    EXPECT_EQ(block.RecordAt(0), FrameRecord::Default());
    const std::set<int32_t> slots = {62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 40, 0, 48};
    for (int32_t i = 1; i < 1568; ++i) {
        const FrameRecord& r = block.RecordAt(i);
        SCOPED_TRACE(i);
        // Every record is a tile made by one of the two fill operations.
        ASSERT_EQ(r, Refill(scratch, r, IsDamagingRecord(i)));
        EXPECT_TRUE(slots.count(r.textureId));
        EXPECT_TRUE((r.spriteTop == -10 && r.spriteBottom == 9) || (r.spriteTop == 0 && r.spriteBottom == 19));
        EXPECT_EQ(r.solidLeft, -r.solidRight);
        EXPECT_TRUE(r.solidRight == 0 || r.solidRight == 120 || r.solidRight == 140 || r.solidRight == 180 ||
                    r.solidRight == 200);
        EXPECT_EQ(r.bodyLeft | r.bodyRight | r.bodyTop | r.bodyBottom, 0);
        EXPECT_EQ(r.hurtLeft | r.hurtRight | r.hurtTop | r.hurtBottom, 0);
        EXPECT_EQ(r.nextState, -1);
        EXPECT_EQ(r.stateDuration, 999);
        if (IsConveyorRecord(i)) {
            EXPECT_EQ(r.textureId, 48);
            EXPECT_EQ(r.frameDuration, 2);
        } else {
            EXPECT_EQ(r.frameDuration, 999);
        }
        if (IsDamagingRecord(i)) {
            EXPECT_EQ(r.textureId, 70);
            EXPECT_EQ(r.attackLeft, -210);
            EXPECT_EQ(r.attackRight, 210);
            EXPECT_EQ(r.attackTop, -210);
            EXPECT_EQ(r.attackBottom, 210);
            EXPECT_EQ(r.solidRight, 200);
        } else {
            EXPECT_EQ(r.attackLeft | r.attackRight | r.attackTop | r.attackBottom, 0);
        }
    }
    EXPECT_EQ(block.RecordAt(1456).textureId, 0);
    // What the maps place stands on its whole width.
    for (int32_t state : {241, 244, 246, 252, 253, 913, 918, 921, 928, 938, 944, 1202, 1205, 1207, 1456, 1472}) {
        EXPECT_EQ(block.RecordAt(state).solidLeft, -200) << state;
        EXPECT_EQ(block.RecordAt(state).solidTopLeft, -200) << state;
        EXPECT_EQ(block.RecordAt(state).solidBottomLeft, 200) << state;
    }
}

TEST(TileTables, SceneryRecordsAreStaticPicturesWithoutSolids) {
    CCharacterBackground scenery;
    CCharacterBackground scratch;
    ASSERT_EQ(scenery.frameTable.Count(), 1088);
    EXPECT_EQ(scenery.RecordAt(0), FrameRecord::Default());
    const std::set<int32_t> slots = {50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 64};
    for (int32_t i = 1; i < 1088; ++i) {
        const FrameRecord& r = scenery.RecordAt(i);
        SCOPED_TRACE(i);
        // Every record the ids reach is a tile; the rest may be all zero,
        // never anything else.
        if (i < 160 || i > 1069) {
            if (IsAllZero(r)) continue;
        }
        ASSERT_EQ(r, Refill(scratch, r, false));
        EXPECT_EQ(r.solidLeft | r.solidRight | r.solidTopLeft | r.solidBottomLeft, 0);
        EXPECT_EQ(r.frameDuration, 999);
        EXPECT_TRUE(slots.count(r.textureId));
    }
    // Scenery id 30000 selects record 160, which is a real tile.
    std::unique_ptr<CCharacter> first(CreateCharacter(30000));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->frame, 160);
    EXPECT_EQ(first->CurrentRecord().spriteRight, 9);
}

TEST(TileTables, EveryTilePointsAtAPictureOnItsSheet) {
    ASSERT_TRUE(InitGraphics());
    std::map<int32_t, std::unique_ptr<platform::Texture>> sheets;
    for (const TextureSlotRow& row : kTextureSlotRows) {
        const ResourceBlob blob = FindResourceBlob(ResourceType::RcData, row.resourceId);
        ASSERT_TRUE(blob) << row.resourceId;
        sheets[row.slot] = platform::CreateTextureFromPng(blob.data, blob.size, row.size, row.size, kColourKey);
        ASSERT_NE(sheets[row.slot], nullptr) << row.resourceId;
    }
    auto opaqueShare = [&](const FrameRecord& r) {
        const platform::Texture& t = *sheets.at(r.textureId);
        const int32_t x0 = r.u + r.spriteLeft, y0 = r.v + r.spriteTop;
        const int32_t x1 = r.u + r.spriteRight, y1 = r.v + r.spriteBottom;
        EXPECT_GE(x0, 0);
        EXPECT_GE(y0, 0);
        EXPECT_LT(x1, static_cast<int32_t>(t.Width()));
        EXPECT_LT(y1, static_cast<int32_t>(t.Height()));
        int32_t opaque = 0, all = 0;
        for (int32_t y = std::max(y0, 0); y <= std::min(y1, static_cast<int32_t>(t.Height()) - 1); ++y)
            for (int32_t x = std::max(x0, 0); x <= std::min(x1, static_cast<int32_t>(t.Width()) - 1); ++x) {
                ++all;
                opaque += (t.Pixels()[static_cast<std::size_t>(y) * t.Width() + static_cast<std::size_t>(x)] >> 24) != 0;
            }
        return all == 0 ? 0.0 : static_cast<double>(opaque) / all;
    };
    CCharacterBlock block;
    for (int32_t i = 1; i < block.frameTable.Count(); ++i) {
        const FrameRecord& r = block.RecordAt(i);
        const double share = opaqueShare(r);
        // The border block at the stage's edge draws from the empty slot 0.
        if (r.textureId == 0) {
            EXPECT_EQ(share, 0.0) << "block record " << i;
            continue;
        }
        // A solid tile shows most of its cell; a tile nothing stands on
        // shows at least something.
        EXPECT_GE(share, r.solidRight != 0 ? 0.25 : 0.02) << "block record " << i;
    }
    CCharacterBackground scenery;
    for (int32_t i = 1; i < scenery.frameTable.Count(); ++i) {
        const FrameRecord& r = scenery.RecordAt(i);
        if (IsAllZero(r)) continue;
        // The backdrop covers its whole cell: no holes to the black.
        EXPECT_EQ(opaqueShare(r), 1.0) << "scenery record " << i;
    }
    ReleaseGraphics();
}

TEST(Tiles, EveryTileIsTypeTwentyThousandInLayer120) {
    for (int32_t id : {20020, 20066, 20529, 20821, 21050, 21160, 21170, 30020, 30248, 30571}) {
        std::unique_ptr<CCharacter> c(CreateCharacter(id));
        ASSERT_NE(c, nullptr) << id;
        EXPECT_EQ(c->typeId, 20000) << id;
        EXPECT_EQ(c->hp, 1) << id;
        EXPECT_EQ(c->gravityNum, 1) << id;
        EXPECT_EQ(c->gravityDen, 1) << id;
    }
    CCharacterBlock block;
    EXPECT_EQ(block.layer, 120);
    EXPECT_EQ(block.wallSolid, 1);
    CCharacterBackground scenery;
    EXPECT_EQ(scenery.layer, 120);
    EXPECT_EQ(scenery.wallSolid, 0);
    EXPECT_TRUE(block.ExtraHook(1, 2, 3));
    EXPECT_TRUE(scenery.ExtraHook(1, 2, 3));
}

TEST(Tiles, SceneryLooksByState) {
    struct Look {
        int32_t state, layer, parallax;
        double scale;
        int32_t alpha, blend;
    };
    const Look looks[] = {
        {20, 36, 9, 1.0, 255, 2},   {30, 24, 2, 2.0, 255, 0},   {80, 24, 2, 2.0, 255, 0},  {40, 40, 3, 2.0, 192, 0},
        {50, 40, 2, 2.0, 160, 0},   {60, 41, 4, 2.0, 255, 0},   {70, 42, 4, 2.0, 255, 0},  {90, 39, 3, 2.0, 255, 0},
        {100, 40, 5, 2.0, 255, 0},  {110, 41, 0, 2.0, 255, 0},  {130, 200, 0, 1.0, 192, 0}, {150, 42, 0, 2.0, 255, 0},
        {192, 56, 0, 2.0, 255, 0},  {540, 56, 0, 2.0, 255, 0},  {1051, 56, 0, 2.0, 255, 0},
    };
    for (const Look& l : looks) {
        CCharacterBackground c;
        c.SetState(l.state);
        EXPECT_EQ(c.frame, l.state);
        EXPECT_EQ(c.layer, l.layer) << l.state;
        EXPECT_EQ(c.parallaxMode, l.parallax) << l.state;
        EXPECT_EQ(c.scaleX, l.scale) << l.state;
        EXPECT_EQ(c.scaleY, l.scale) << l.state;
        EXPECT_EQ(c.alpha, l.alpha) << l.state;
        EXPECT_EQ(c.blendMode, l.blend) << l.state;
    }
    // State 21 keeps the look it had.
    CCharacterBackground c;
    c.SetState(40);
    c.SetState(21);
    EXPECT_EQ(c.frame, 21);
    EXPECT_EQ(c.layer, 40);
    EXPECT_EQ(c.parallaxMode, 3);
    EXPECT_EQ(c.alpha, 192);
}

TEST(Tiles, BlockLooksAndOneWayFlagByState) {
    for (int32_t state = 1; state < 1568; ++state) {
        CCharacterBlock b;
        b.SetState(state);
        const bool back = Between(state, 656, 663) || Between(state, 666, 673) || Between(state, 676, 683) ||
                          Between(state, 686, 693) || Between(state, 720, 727) || Between(state, 730, 737) ||
                          Between(state, 740, 747) || Between(state, 750, 757);
        const bool oneWay = Between(state, 1364, 1383) || Between(state, 1456, 1465);
        ASSERT_EQ(b.layer, back ? 57 : 120) << state;
        ASSERT_EQ(b.wallSolid, oneWay ? 0 : 1) << state;
        ASSERT_EQ(b.scaleX, 2.0);
        ASSERT_EQ(b.scaleY, 2.0);
    }
}

TEST(Tiles, ConveyorsAnimateInStepWithTheGameFrameCounter) {
    CGameMain* game = CGameMain::GetInstance();
    const int32_t counterBanks[5] = {160, 224, 208, 192, 176};
    for (int32_t piece : {0, 1, 10}) {
        std::unique_ptr<CCharacter> early(CreateCharacter(20820 + piece));
        std::unique_ptr<CCharacter> counter(CreateCharacter(20832 + piece));
        ASSERT_EQ(early->frame, 80 + piece);
        ASSERT_EQ(counter->frame, 160 + piece);
        for (int32_t f = 1; f <= 25; ++f) {
            game->m_frameCount = f;
            std::unique_ptr<CCharacter> late(f == 13 ? CreateCharacter(20820 + piece) : nullptr);
            const int32_t k = (f % 10) / 2;
            early->Frame();
            counter->Frame();
            EXPECT_EQ(early->frame, 80 + 16 * k + piece) << f;
            EXPECT_EQ(counter->frame, counterBanks[k] + piece) << f;
            if (late) {
                late->Frame();
                EXPECT_EQ(late->frame, early->frame) << "a new tile joins in step";
            }
        }
    }
    game->m_frameCount = 0;
}

TEST(Tiles, TilesRemoveThemselvesJustOutsideTheSpawnWindow) {
    struct Place {
        int32_t x, y;
        bool stays;
    };
    const Place places[] = {{-2400, 0, true},   {-2401, 0, false}, {7200, 0, true},  {7201, 0, false},
                            {0, -3200, true},   {0, -3201, false}, {0, 6400, true},  {0, 6401, false},
                            {2000, 1000, true}};
    for (int32_t id : {20529, 30020, 20821, 21050}) {
        for (const Place& p : places) {
            Scenario s({"."}, {});
            CCharacter* tile = s.AddAt(id, p.x, p.y);
            ASSERT_NE(tile, nullptr);
            tile->Frame();
            EXPECT_EQ(tile->alive, p.stays ? 1 : 0) << id << " at " << p.x << ", " << p.y;
        }
    }
}
