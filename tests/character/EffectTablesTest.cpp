// The effect and attack-effect tables as the game keeps them: every record
// shows a picture of its sheet, the records other code relies on chain as
// it expects, and the boxes are where the behaviours need them. Also the
// frame table's private copies of rewritten records.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

#include "character/CharacterAttackEffect.h"
#include "character/CharacterEffect.h"
#include "framework/StateLoading.h"
#include "frames/FrameTables.h"
#include "platform/GraphicsDevice.h"
#include "win/Graphics.h"
#include "win/Resource.h"

namespace {

bool IsAllZero(const FrameRecord& r) { return r == FrameRecord{}; }
bool HasHurtBox(const FrameRecord& r) { return r.hurtLeft != r.hurtRight && r.hurtTop != r.hurtBottom; }
bool HasBody(const FrameRecord& r) { return r.bodyLeft != r.bodyRight && r.bodyTop != r.bodyBottom; }
bool HasAttackBox(const FrameRecord& r) { return r.attackLeft != r.attackRight && r.attackTop != r.attackBottom; }

// The sheets the effects draw from, decoded as the game loads them.
class EffectSheets : public ::testing::Test {
protected:
    void SetUp() override {
        for (const TextureSlotRow& row : kTextureSlotRows) {
            // The effect sheets, and the enemy and boss sheets that draw a
            // few shots in their owner's own style.
            if (row.slot != 56 && row.slot != 57 && row.slot != 58 && row.slot != 30 && row.slot != 46 &&
                row.slot != 60)
                continue;
            const ResourceBlob blob = FindResourceBlob(ResourceType::RcData, row.resourceId);
            ASSERT_TRUE(blob) << row.resourceId;
            sheets[row.slot] = platform::CreateTextureFromPng(blob.data, blob.size, row.size, row.size, kColourKey);
            ASSERT_NE(sheets[row.slot], nullptr);
        }
    }

    // Checks a record's picture: on its sheet and showing something, or one
    // of the two pictures that are not on a sheet (nothing, or black over
    // the view from the white texel).
    void CheckPicture(const FrameRecord& r, const char* table, int32_t index) {
        if (r.textureId == 0) {
            EXPECT_EQ(r.u + r.spriteLeft, 0) << table << " " << index;  // the empty texel of slot 0
            EXPECT_EQ(r.spriteRight - r.spriteLeft, 0) << table << " " << index;
            return;
        }
        if (r.textureId == 1) {
            EXPECT_GE(r.spriteRight - r.spriteLeft + 1, 480) << table << " " << index;
            return;
        }
        ASSERT_TRUE(sheets.count(r.textureId)) << table << " " << index << " slot " << r.textureId;
        const platform::Texture& t = *sheets.at(r.textureId);
        const int32_t x0 = r.u + r.spriteLeft, y0 = r.v + r.spriteTop;
        const int32_t x1 = r.u + r.spriteRight, y1 = r.v + r.spriteBottom;
        ASSERT_GE(x0, 0) << table << " " << index;
        ASSERT_GE(y0, 0) << table << " " << index;
        ASSERT_LT(x1, static_cast<int32_t>(t.Width())) << table << " " << index;
        ASSERT_LT(y1, static_cast<int32_t>(t.Height())) << table << " " << index;
        int32_t opaque = 0;
        for (int32_t y = y0; y <= y1; ++y)
            for (int32_t x = x0; x <= x1; ++x)
                opaque += (t.Pixels()[static_cast<std::size_t>(y) * t.Width() + static_cast<std::size_t>(x)] >> 24) != 0;
        EXPECT_GT(opaque, 4) << table << " " << index;
    }

    std::map<int32_t, std::unique_ptr<platform::Texture>> sheets;
};

}  // namespace

TEST_F(EffectSheets, EveryRecordShowsAPictureOfItsSheet) {
    CCharacterEffect effect;
    CCharacterAttackEffect attack;
    ASSERT_EQ(effect.frameTable.Count(), CCharacterEffect::kFrameCount);
    ASSERT_EQ(attack.frameTable.Count(), CCharacterAttackEffect::kFrameCount);
    int32_t shown = 0;
    for (int32_t i = 1; i < effect.frameTable.Count(); ++i) {
        const FrameRecord& r = effect.RecordAt(i);
        if (IsAllZero(r)) continue;
        ++shown;
        CheckPicture(r, "effect", i);
    }
    for (int32_t i = 1; i < attack.frameTable.Count(); ++i) {
        const FrameRecord& r = attack.RecordAt(i);
        if (IsAllZero(r)) continue;
        ++shown;
        CheckPicture(r, "attack effect", i);
    }
    EXPECT_GT(shown, 350);
    // Record 0 stays the default record.
    EXPECT_EQ(effect.RecordAt(0), FrameRecord::Default());
    EXPECT_EQ(attack.RecordAt(0), FrameRecord::Default());
}

TEST(EffectTables, RecordsOtherCodeReliesOnChainAsItExpects) {
    CCharacterEffect e;
    // The dolly: 220 leads to 221 when its duration runs out; 221 holds.
    EXPECT_EQ(e.RecordAt(220).nextState, 221);
    EXPECT_EQ(e.RecordAt(221).nextState, -1);
    EXPECT_EQ(e.RecordAt(221).nextFrame, -1);
    // Records whose duration their spawner writes end the effect.
    EXPECT_EQ(e.RecordAt(CCharacterEffect::kAfterimage).nextState, 0);
    EXPECT_EQ(e.RecordAt(CCharacterEffect::kShortLived).nextState, 0);
    // Every state the set-up and handlers name has a record.
    for (int32_t s : {10, 20, 30, 40, 50, 51, 60, 70, 80, 90, 96, 100, 110, 112, 120, 128, 140, 148, 156, 164, 180,
                      181, 190, 191, 200, 201, 202, 210, 220, 230, 240, 250, 260, 261, 262, 263, 264, 265, 270, 280,
                      281, 282, 290, 291, 292, 300, 310, 320, 330, 340, 350, 360, 361, 370, 380, 390, 400, 440, 450,
                      460, 470, 480, 490, 500, 510, 520, 530, 540, 541, 550, 560, 561, 570, 590, 600, 610, 620, 630,
                      640, 650, 660, 680, 690, 700, 710, 720, 730, 740, 750, 760, 770, 780, 790, 800, 840, 850, 860,
                      870, 880})
        EXPECT_FALSE(IsAllZero(e.RecordAt(s))) << "effect state " << s;
    // Collectables have an attack box to touch the player's hurt box with;
    // the coins that bounce have a body.
    for (int32_t s = 110; s <= 113; ++s) EXPECT_TRUE(HasAttackBox(e.RecordAt(s))) << s;
    for (int32_t s = 120; s <= 171; ++s) {
        if (s >= 128 && s < 140) continue;  // the sparkle of a taken coin
        EXPECT_TRUE(HasAttackBox(e.RecordAt(s))) << s;
    }
    for (int32_t s : {140, 147, 148, 155, 164, 171, 370, 550, 570}) EXPECT_TRUE(HasBody(e.RecordAt(s))) << s;

    CCharacterAttackEffect a;
    EXPECT_EQ(a.RecordAt(CCharacterAttackEffect::kMoveChain).nextState, 611);
    EXPECT_EQ(a.RecordAt(700).nextState, 701);
    EXPECT_EQ(a.RecordAt(701).nextState, 702);
    // The drill's blow is struck on entering 632, with the box of 631.
    EXPECT_EQ(a.RecordAt(631).nextState, CCharacterAttackEffect::kDrillBlow);
    EXPECT_TRUE(HasAttackBox(a.RecordAt(631)));
    // The holding sickle has no attack box: the thrower must reach the
    // target herself.
    EXPECT_FALSE(HasAttackBox(a.RecordAt(621)));
    // Enemy shots can be met by the player's attacks; the players' own
    // shots cannot be met by the enemies'.
    for (int32_t s : {300, 310, 320, 330, 331, 340, 350, 360, 370, 380, 384, 390, 400, 410, 412, 420, 430, 460, 500,
                      510, 520, 540, 560, 580, 640, 650, 660, 670, 690, 700, 710, 720, 730, 740})
        EXPECT_TRUE(HasHurtBox(a.RecordAt(s))) << "attack effect state " << s;
    for (int32_t s = 230; s <= 292; ++s) EXPECT_FALSE(HasHurtBox(a.RecordAt(s))) << s;
    // Shots that burst on solids or land have a body.
    for (int32_t s : {230, 240, 250, 330, 390, 440, 450, 460, 470, 480, 490, 560, 561, 603, 660, 661, 690})
        EXPECT_TRUE(HasBody(a.RecordAt(s))) << s;
}

TEST(FrameTable, RewrittenRecordsArePrivateWhetherFewOrMany) {
    FrameTable mine, theirs;
    mine.Load(kCharacterEffectFrames);
    theirs.Load(kCharacterEffectFrames);
    const FrameRecord original = mine.Get(590);
    // A few writes stay private to the table that makes them.
    for (int32_t i : {590, 10, 590, 60}) mine.Find(i)->u = 1000 + i;
    EXPECT_EQ(mine.Get(590).u, 1590);
    EXPECT_EQ(mine.Get(10).u, 1010);
    EXPECT_EQ(mine.Get(60).u, 1060);
    EXPECT_EQ(mine.Get(61), theirs.Get(61));
    EXPECT_EQ(theirs.Get(590), original);
    EXPECT_EQ(kCharacterEffectFrames.records[590], original);
    // Many writes: the whole table becomes its own, keeping the earlier ones.
    for (int32_t i = 100; i < 110; ++i) mine.Find(i)->v = i;
    EXPECT_EQ(mine.Get(590).u, 1590);
    EXPECT_EQ(mine.Get(10).u, 1010);
    EXPECT_EQ(mine.Get(105).v, 105);
    EXPECT_EQ(theirs.Get(105), kCharacterEffectFrames.records[105]);
    EXPECT_EQ(mine.Find(890), nullptr);
    EXPECT_EQ(mine.Get(-1), FrameRecord{});
    // Moving a table keeps its own records.
    FrameTable moved = std::move(mine);
    EXPECT_EQ(moved.Get(590).u, 1590);
    FrameTable few;
    few.Load(kCharacterEffectFrames);
    few.Find(70)->u = 7;
    FrameTable movedFew = std::move(few);
    EXPECT_EQ(movedFew.Get(70).u, 7);
    EXPECT_EQ(movedFew.Get(71), kCharacterEffectFrames.records[71]);
}
