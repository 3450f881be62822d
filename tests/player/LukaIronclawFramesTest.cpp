// Luka's and Ironclaw's frame tables: the records they share with the ninja,
// their own chains and boxes, and a drawn cell of the right sheet for every
// picture.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include "player/CharacterIronclaw.h"
#include "player/CharacterLuka.h"
#include "player/CharacterNinja.h"
#include "support/TextureHelpers.h"
#include "win/Graphics.h"

namespace {

std::vector<int32_t> Range(int32_t a, int32_t b) {
    std::vector<int32_t> v;
    for (int32_t i = a; i <= b; ++i) v.push_back(i);
    return v;
}

std::vector<int32_t> Join(std::initializer_list<std::vector<int32_t>> parts) {
    std::vector<int32_t> v;
    for (const auto& p : parts) v.insert(v.end(), p.begin(), p.end());
    return v;
}

// The records both take over from the ninja unchanged; the pictures of
// those on the ninja's sheet are their own, drawn from their quarters of it.
const std::vector<int32_t> kShared =
    Join({{120, 121, 220}, Range(250, 253), Range(260, 263), {280, 281}, Range(300, 304), {310, 311}, Range(360, 363),
          Range(380, 387), Range(400, 407), Range(420, 427), Range(440, 445), {940, 941}, Range(960, 969),
          Range(980, 990)});
// Luka's defeat records, which Ironclaw has too.
const std::vector<int32_t> kDefeats = Join({{111}, Range(130, 133), Range(140, 145), Range(150, 154), Range(160, 163),
                                            Range(170, 172), Range(180, 183), Range(190, 194)});

int CountDefined(const CCharacter& c) {
    int n = 0;
    for (int32_t i = 0; i < CCharacterPlayer::kFrameCount; ++i) n += c.RecordAt(i) == FrameRecord{} ? 0 : 1;
    return n;
}

void ExpectBox(const FrameRecord& r, int32_t FrameRecord::*left, int32_t l, int32_t rt, int32_t t, int32_t b) {
    const int32_t* p = &(r.*left);
    EXPECT_EQ(p[0], l);
    EXPECT_EQ(p[1], rt);
    EXPECT_EQ(p[2], t);
    EXPECT_EQ(p[3], b);
}

void ExpectBody(const FrameRecord& r, int32_t l, int32_t rt, int32_t t, int32_t b) {
    ExpectBox(r, &FrameRecord::bodyLeft, l, rt, t, b);
}
void ExpectAttack(const FrameRecord& r, int32_t l, int32_t rt, int32_t t, int32_t b) {
    ExpectBox(r, &FrameRecord::attackLeft, l, rt, t, b);
}
void ExpectHurt(const FrameRecord& r, int32_t l, int32_t rt, int32_t t, int32_t b) {
    ExpectBox(r, &FrameRecord::hurtLeft, l, rt, t, b);
}


// The ninja's boxes and timing on another sheet.
void ExpectNinjaChainAndBoxes(const FrameRecord& own, const FrameRecord& ninja, int32_t sheet) {
    FrameRecord same = own;
    same.u = ninja.u;
    same.v = ninja.v;
    same.spriteLeft = ninja.spriteLeft;
    same.spriteRight = ninja.spriteRight;
    same.spriteTop = ninja.spriteTop;
    same.spriteBottom = ninja.spriteBottom;
    same.textureId = ninja.textureId;
    EXPECT_EQ(same, ninja);
    EXPECT_EQ(own.textureId, sheet);
}

// The ninja's records: the shared ones as they stand, and those drawn on
// the character's own sheet with the ninja's boxes and chains.
void ExpectNinjasRecords(const CCharacter& own, const std::vector<int32_t>& onOwnSheet, int32_t sheet) {
    CCharacterNinja ninja;
    for (int32_t i : kShared) {
        SCOPED_TRACE(i);
        EXPECT_EQ(own.RecordAt(i), ninja.RecordAt(i));
    }
    for (int32_t i : onOwnSheet) {
        SCOPED_TRACE(i);
        ExpectNinjaChainAndBoxes(own.RecordAt(i), ninja.RecordAt(i), sheet);
    }
}

struct Chain {
    int32_t record;
    int32_t nextFrame, nextState, frameDuration, stateDuration;
};

// The defeat chains of both tables. 190 and 191/192 go on to 193 by
// themselves after 150 ticks (the holder may set 191 and 193 sooner).
constexpr Chain kDefeatChains[] = {
    {110, -1, -1, 999, 999},  {111, -1, -1, 999, 999},  {130, 131, 132, 12, 180}, {131, 130, 132, 12, 180},
    {132, 133, -1, 8, 999},   {133, 132, -1, 8, 999},   {140, 141, 142, 12, 160}, {141, 140, 142, 12, 160},
    {142, 143, -1, 12, 999},  {143, 142, -1, 12, 999},  {144, 145, -1, 8, 999},   {145, 144, -1, 8, 999},
    {150, -1, 151, 999, 40},  {151, -1, 152, 999, 40},  {152, -1, 153, 999, 40},  {153, -1, -1, 999, 999},
    {154, -1, -1, 999, 999},  {160, -1, -1, 999, 999},  {161, -1, -1, 999, 999},  {162, 163, -1, 20, 999},
    {163, 162, -1, 20, 999},  {170, -1, -1, 999, 999},  {171, 172, -1, 30, 999},  {172, 171, -1, 3, 999},
    {180, -1, 181, 999, 80},  {181, -1, 182, 999, 80},  {182, 183, -1, 30, 999},  {183, 182, -1, 3, 999},
    {190, -1, 193, 999, 150}, {191, 192, 193, 2, 150},  {192, 191, 193, 2, 150},  {193, 194, -1, 30, 999},
    {194, 193, -1, 3, 999},
};

void ExpectChain(const CCharacter& c, const Chain& k) {
    SCOPED_TRACE(k.record);
    const FrameRecord& r = c.RecordAt(k.record);
    EXPECT_EQ(r.nextFrame, k.nextFrame);
    EXPECT_EQ(r.nextState, k.nextState);
    EXPECT_EQ(r.frameDuration, k.frameDuration);
    EXPECT_EQ(r.stateDuration, k.stateDuration);
}

void ExpectDefeats(const CCharacter& c, int32_t ownSheet, int32_t secondSheet) {
    for (int32_t i : kDefeats) {
        SCOPED_TRACE(i);
        const FrameRecord& r = c.RecordAt(i);
        ExpectBody(r, -10, 10, -10, 10);
        ExpectAttack(r, 0, 0, 0, 0);
        ExpectHurt(r, 0, 0, 0, 0);
        const int32_t sheet = i >= 130 && i <= 145 ? 43 : (i >= 162 ? secondSheet : ownSheet);
        EXPECT_EQ(r.textureId, sheet);
    }
    for (const Chain& k : kDefeatChains) ExpectChain(c, k);
    // 110 lands from the dying spin: a body, and nothing to hit.
    ExpectBody(c.RecordAt(110), -10, 10, -10, 10);
    ExpectHurt(c.RecordAt(110), 0, 0, 0, 0);
}

}  // namespace

TEST(LukaFrames, HerRecordsAreTheNinjasWithHerPicturesHerDashAndHerDefeats) {
    CCharacterLuka luka;
    EXPECT_EQ(CountDefined(luka), 141);
    ExpectNinjasRecords(luka, Join({{10}, Range(230, 236), Range(330, 344)}), 25);
    // One fall picture.
    EXPECT_EQ(luka.RecordAt(290).textureId, 25);
    EXPECT_EQ(luka.RecordAt(290).nextFrame, 290);
    EXPECT_EQ(luka.RecordAt(290).frameDuration, 4);
    EXPECT_EQ(luka.RecordAt(110).textureId, 19);
    ExpectDefeats(luka, 25, 26);

    // The dash: the crouch, four steps of two ticks each with the wide strike,
    // all ending in 325 after the dash's length, and the stop.
    ExpectChain(luka, {320, -1, 321, 999, 1});
    ExpectChain(luka, {321, 322, 325, 2, 999});
    ExpectChain(luka, {322, 323, 325, 2, 999});
    ExpectChain(luka, {323, 324, 325, 2, 999});
    ExpectChain(luka, {324, 321, 325, 2, 999});
    ExpectChain(luka, {325, -1, 230, 999, 2});
    for (int32_t i = 320; i <= 325; ++i) EXPECT_EQ(luka.RecordAt(i).textureId, 25) << i;
    for (int32_t i = 321; i <= 325; ++i) ExpectBody(luka.RecordAt(i), -10, 10, -10, 10);
    for (int32_t i = 321; i <= 324; ++i) ExpectAttack(luka.RecordAt(i), -400, 400, -400, 400);
    ExpectAttack(luka.RecordAt(325), 0, 0, 0, 0);
}

TEST(IronclawFrames, HisRecordsAreTheNinjasButTheDashLukasDefeatsAndHisKatanaChain) {
    CCharacterIronclaw iron;
    EXPECT_EQ(CountDefined(iron), 148);
    ExpectNinjasRecords(iron, Join({{10}, Range(230, 236)}), 27);
    EXPECT_EQ(iron.RecordAt(322), FrameRecord{}) << "no second dash record";
    EXPECT_EQ(iron.RecordAt(110).textureId, 27);
    ExpectDefeats(iron, 27, 28);

    ExpectChain(iron, {320, -1, 321, 999, 6});
    ExpectChain(iron, {321, -1, 325, 999, 999});
    ExpectChain(iron, {325, -1, 230, 999, 2});
    ExpectChain(iron, {330, -1, 332, 999, 6});
    ExpectChain(iron, {331, -1, 332, 999, 6});
    ExpectChain(iron, {332, 332, 359, 2, 40});
    ExpectAttack(iron.RecordAt(321), -200, 200, -200, 200);
    ExpectAttack(iron.RecordAt(332), -250, 250, -250, 250);
    for (int32_t i = 334; i <= 347; ++i) {
        SCOPED_TRACE(i);
        const bool swing = i % 2 == 0;
        ExpectChain(iron, {i, -1, swing ? i + 1 : 332, 999, 2});
        const int32_t a = swing ? 250 : 350;
        ExpectAttack(iron.RecordAt(i), -a, a, -a, a);
    }
    for (int32_t i = 348; i <= 354; ++i) {
        ExpectChain(iron, {i, -1, 230, 999, 2});
        ExpectAttack(iron.RecordAt(i), 0, 0, 0, 0);
    }
    for (int32_t i : Join({{320, 321, 325}, Range(330, 354)})) {
        SCOPED_TRACE(i);
        ExpectBody(iron.RecordAt(i), -10, 10, -10, 10);
        ExpectHurt(iron.RecordAt(i), -50, 50, -50, 50);
        EXPECT_EQ(iron.RecordAt(i).textureId, 27);
    }
}

TEST(LukaIronclawFrames, EveryPictureIsADrawnCellOfItsSheet) {
    ASSERT_TRUE(InitGraphics());
    struct Sheet {
        int32_t slot;
        uint16_t resource, size;
    };
    constexpr Sheet kSheets[] = {{19, 120, 512}, {25, 126, 256}, {26, 127, 256},
                                 {27, 128, 256}, {28, 129, 256}, {43, 162, 256}};
    std::map<int32_t, int32_t> sizes;
    for (const Sheet& s : kSheets) {
        ASSERT_TRUE(LoadTexture(s.slot, s.resource, s.size));
        sizes[s.slot] = s.size;
    }
    std::unique_ptr<CCharacter> players[] = {std::make_unique<CCharacterLuka>(),
                                             std::make_unique<CCharacterIronclaw>()};
    for (const auto& p : players) {
        for (int32_t f = 1; f < CCharacterPlayer::kFrameCount; ++f) {
            const FrameRecord& r = p->RecordAt(f);
            if (r.textureId == 0) continue;  // none, or a dash length written into an unused record
            SCOPED_TRACE(::testing::Message() << "type " << p->typeId << " record " << f);
            ASSERT_TRUE(sizes.count(r.textureId)) << r.textureId;
            const int32_t size = sizes.at(r.textureId);
            const platform::Texture* sheet = TextureTable[r.textureId].texture.get();
            ASSERT_NE(sheet, nullptr);
            // One whole 40 x 40 cell, with a picture in it.
            const CCharacter::PicturePlace picture = p->PictureOf(r);
            const int32_t left = picture.u + r.spriteLeft, top = picture.v + r.spriteTop;
            EXPECT_EQ(r.spriteRight - r.spriteLeft + 1, 40);
            EXPECT_EQ(r.spriteBottom - r.spriteTop + 1, 40);
            ASSERT_EQ(left % 40, r.textureId == 19 && left >= 256 ? 16 : 0);
            ASSERT_EQ(top % 40, r.textureId == 19 && top >= 256 ? 16 : 0);
            ASSERT_LE(left + 40, size);
            ASSERT_LE(top + 40, size);
            int opaque = 0;
            for (int32_t y = top; y < top + 40; ++y)
                for (int32_t x = left; x < left + 40; ++x) opaque += (sheet->Pixels()[y * size + x] >> 24) != 0 ? 1 : 0;
            EXPECT_GT(opaque, 60);
        }
    }
    for (const auto& [slot, size] : sizes) ReleaseTexture(slot);
    ReleaseGraphics();
}

TEST(LukaIronclawFrames, TheNinjasRecordsAreDrawnFromTheirOwnQuartersOfItsSheet) {
    // A ninja's sheet whose quarters are one colour each: the ninja's, Luka's
    // (right), Ironclaw's (below) and the free one.
    ASSERT_TRUE(InitGraphics());
    constexpr uint32_t kNinja = 0xFF2040A0u, kLuka = 0xFFE07060u, kIron = 0xFF909CA8u, kFree = 0xFF00FF00u;
    platform::Texture* sheet = testing_support::PutTexture(19, 512);
    for (int32_t y = 0; y < 512; ++y)
        for (int32_t x = 0; x < 512; ++x)
            sheet->Pixels()[y * 512 + x] = y < 256 ? (x < 256 ? kNinja : kLuka) : (x < 256 ? kIron : kFree);
    struct Case {
        std::unique_ptr<CCharacter> player;
        uint32_t colour;
    };
    Case cases[3];
    cases[0] = {std::make_unique<CCharacterNinja>(), kNinja};
    cases[1] = {std::make_unique<CCharacterLuka>(), kLuka};
    cases[2] = {std::make_unique<CCharacterIronclaw>(), kIron};
    platform::GraphicsDevice* device = GetDevice();
    for (Case& c : cases) {
        SCOPED_TRACE(c.player->typeId);
        CCharacter& p = *c.player;
        p.SetState(250);  // walking: a record all three share, on slot 19
        ASSERT_EQ(p.CurrentRecord().textureId, 19);
        PlayFieldOffset::x = PlayFieldOffset::y = 0;
        p.x = 2400;
        p.y = 2000;
        device->Clear(0xFF000000u, 1.0f);
        p.Draw();
        EXPECT_EQ(device->Pixel(240, 190), c.colour) << "the sprite";
        // The afterimage copies the picture from the same place.
        p.StartAfterimageTinted(1, 0, 0, 255, 255, 255, 255, 10);
        const CCharacter::PicturePlace drawn = p.PictureOf(p.CurrentRecord());
        EXPECT_EQ(p.afterimage.u, drawn.u);
        EXPECT_EQ(p.afterimage.v, drawn.v);
    }
    ReleaseGraphics();
}
