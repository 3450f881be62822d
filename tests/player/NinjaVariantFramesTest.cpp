// The three other ninjas' frame tables: their timing chains and telling
// boxes, the records they keep from the ninja, and a drawn cell of their own
// sheet for every picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "player/CharacterKunoichi.h"
#include "player/CharacterKusarigama.h"
#include "player/CharacterRobo.h"
#include "support/TextureHelpers.h"
#include "win/Graphics.h"

namespace {

struct Link {
    int32_t record, nextFrame, nextState, frameDuration, stateDuration;
};

void ExpectLinks(const CCharacter& c, const std::vector<Link>& links) {
    for (const Link& l : links) {
        const FrameRecord& r = c.RecordAt(l.record);
        SCOPED_TRACE(l.record);
        EXPECT_EQ(r.nextFrame, l.nextFrame);
        EXPECT_EQ(r.nextState, l.nextState);
        if (l.nextFrame != -1) {
            EXPECT_EQ(r.frameDuration, l.frameDuration);
        }
        if (l.nextState != -1) {
            EXPECT_EQ(r.stateDuration, l.stateDuration);
        }
    }
}

// Attack (half size, both axes) and whether a hurt box is there.
struct Boxes {
    int32_t first, last, attack;
    bool hurt;
};

void ExpectBoxes(const CCharacter& c, const std::vector<Boxes>& rows) {
    for (const Boxes& b : rows)
        for (int32_t f = b.first; f <= b.last; ++f) {
            const FrameRecord& r = c.RecordAt(f);
            SCOPED_TRACE(f);
            EXPECT_EQ(r.attackLeft, -b.attack);
            EXPECT_EQ(r.attackRight, b.attack);
            EXPECT_EQ(r.attackTop, -b.attack);
            EXPECT_EQ(r.attackBottom, b.attack);
            EXPECT_EQ(r.hurtLeft != 0 || r.hurtRight != 0, b.hurt);
        }
}

}  // namespace

TEST(NinjaVariantFrames, TheKunoichisChainsAndBoxes) {
    const CCharacterKunoichi k;
    ExpectLinks(k, {{10, -1, 220, 0, 10},  {120, -1, 121, 0, 40}, {230, 231, -1, 10, 0}, {236, -1, 230, 0, 6},
                    {250, 251, -1, 8, 0},  {320, -1, 321, 0, 2},   {321, -1, 322, 0, 2},  {323, -1, 230, 0, 2},
                    {324, -1, 325, 0, 2},  {325, -1, 322, 0, 2},   {332, -1, 349, 0, 80}, {333, -1, 334, 0, 1},
                    {336, -1, 337, 0, 1},  {340, -1, 333, 0, 1},   {342, -1, 230, 0, 10}, {361, 362, 363, 1, 20},
                    {363, 364, -1, 1, 0},  {365, -1, 230, 0, 2},   {940, -1, 941, 0, 40}, {941, -1, -1, 0, 0},
                    {231, 230, -1, 10, 0}, {232, 233, -1, 10, 0},  {235, 234, -1, 10, 0}, {253, 250, -1, 8, 0},
                    {280, 280, -1, 4, 0},  {290, 290, -1, 4, 0},   {330, -1, 331, 0, 2},
                    {331, -1, 332, 0, 2},  {334, -1, 335, 0, 1},   {335, -1, 336, 0, 1},  {337, -1, 338, 0, 1},
                    {338, -1, 339, 0, 1},  {339, -1, 340, 0, 1},   {341, -1, 342, 0, 2},  {343, -1, 344, 0, 2},
                    {344, -1, 230, 0, 10}, {360, -1, 361, 0, 2},   {362, 361, 363, 1, 20}, {364, 363, -1, 1, 0}});
    ExpectBoxes(k, {{322, 322, 400, true}, {332, 332, 250, true}, {333, 334, 250, false}, {335, 335, 350, true},
                    {337, 338, 250, false}, {339, 339, 350, true}, {361, 364, 400, true}});
    for (int32_t f : {0, 120, 121, 220, 322, 323, 332}) EXPECT_EQ(k.RecordAt(f).textureId, 0) << f;
}

TEST(NinjaVariantFrames, TheChainSickleFightersChainsAndBoxes) {
    const CCharacterKusarigama k;
    ExpectLinks(k, {{321, -1, -1, 0, 0},  {325, -1, -1, 0, 0},   {322, -1, 323, 0, 8},  {323, -1, 230, 0, 2},
                    {331, -1, -1, 0, 0},  {332, -1, -1, 0, 0},   {333, -1, 334, 0, 3},  {334, -1, 335, 0, 1},
                    {337, -1, 338, 0, 3}, {340, -1, 333, 0, 1},  {361, 362, 365, 1, 20}, {364, 361, 365, 1, 20},
                    {368, 365, -1, 1, 0}, {369, -1, 230, 0, 2},  {961, 962, -1, 4, 0},  {963, 964, -1, 12, 0},
                    {10, -1, 220, 0, 10}, {230, 231, -1, 10, 0}, {236, -1, 230, 0, 6},  {250, 251, -1, 8, 0},
                    {320, -1, 321, 0, 2}, {324, -1, 325, 0, 2},
                    {330, -1, 331, 0, 2}, {335, -1, 336, 0, 1},  {336, -1, 337, 0, 1},  {338, -1, 339, 0, 1},
                    {339, -1, 340, 0, 1}, {341, -1, 342, 0, 2},  {342, -1, 230, 0, 10}, {344, -1, 230, 0, 10},
                    {360, -1, 361, 0, 2}, {940, -1, 941, 0, 40}, {941, -1, -1, 0, 0}});
    ExpectBoxes(k, {{332, 334, 250, true}, {335, 335, 350, true}, {337, 338, 250, true}, {339, 339, 350, true},
                    {361, 368, 400, true}});
}

TEST(NinjaVariantFrames, TheRobotsChainsAndBoxes) {
    const CCharacterRobo r;
    ExpectLinks(r, {{230, 231, -1, 4, 0},  {232, 233, -1, 10, 0},  {250, 251, -1, 4, 0},  {320, -1, 321, 0, 8},
                    {329, -1, 321, 0, 8},  {327, 321, 328, 1, 15}, {328, -1, 230, 0, 2},  {330, 331, 349, 1, 80}, {331, 332, 349, 1, 80}, {332, 330, 349, 1, 80},
                    {333, -1, 334, 0, 2},  {335, -1, 336, 0, 4},   {336, -1, 331, 0, 2},  {340, -1, 331, 0, 2},
                    {367, 361, 368, 1, 20}, {374, 368, -1, 1, 0},  {375, -1, 230, 0, 2},  {946, 940, 953, 2, 40},
                    {953, 947, -1, 2, 0},  {961, -1, 962, 0, 40},  {969, 963, 970, 2, 70}, {971, 970, 972, 2, 40},
                    {973, 972, -1, 4, 0},  {10, -1, 220, 0, 10},  {236, -1, 230, 0, 6},  {253, 250, -1, 4, 0},
                    {321, 322, 328, 1, 15}, {324, 325, 328, 1, 15}, {334, -1, 335, 0, 2},  {337, -1, 338, 0, 2},
                    {338, -1, 339, 0, 2},  {339, -1, 340, 0, 4},   {341, -1, 342, 0, 2},  {342, -1, 230, 0, 10},
                    {343, -1, 344, 0, 2},  {344, -1, 230, 0, 10},  {360, -1, 361, 0, 2},  {361, 362, 368, 1, 20},
                    {368, 369, -1, 1, 0},  {940, 941, 947, 2, 40}, {947, 948, -1, 2, 0}});
    ExpectBoxes(r, {{321, 327, 300, true}, {330, 332, 250, true}, {333, 334, 250, false}, {335, 335, 350, true},
                    {337, 338, 250, false}, {339, 339, 350, true}, {361, 374, 400, true}});
    for (int32_t f = 962; f <= 971; ++f) EXPECT_EQ(r.RecordAt(f).textureId, 24) << f;
}

TEST(NinjaVariantFrames, EveryPictureIsADrawnCellOfItsOwnSheet) {
    ASSERT_TRUE(InitGraphics());
    constexpr struct {
        int32_t slot;
        uint16_t resource;
    } kSheets[] = {{21, 122}, {22, 123}, {23, 124}, {24, 125}};
    for (const auto& s : kSheets) ASSERT_TRUE(LoadTexture(s.slot, s.resource, 256));
    std::unique_ptr<CCharacter> players[] = {std::make_unique<CCharacterKunoichi>(),
                                             std::make_unique<CCharacterKusarigama>(),
                                             std::make_unique<CCharacterRobo>()};
    const std::map<int32_t, std::vector<int32_t>> ownSheets = {{2, {21}}, {3, {22}}, {4, {23, 24}}};
    const CCharacterNinja ninja;
    for (const auto& p : players) {
        for (int32_t f = 1; f < 1030; ++f) {
            const FrameRecord& r = p->RecordAt(f);
            if (r.textureId == 0 || r == ninja.RecordAt(f)) continue;  // none, or the ninja's own
            SCOPED_TRACE(::testing::Message() << "type " << p->typeId << " record " << f);
            const std::vector<int32_t>& own = ownSheets.at(p->typeId);
            ASSERT_NE(std::find(own.begin(), own.end(), r.textureId), own.end()) << r.textureId;
            const platform::Texture* sheet = TextureTable[r.textureId].texture.get();
            ASSERT_NE(sheet, nullptr);
            const int32_t left = r.u + r.spriteLeft, top = r.v + r.spriteTop;
            EXPECT_EQ(r.spriteRight - r.spriteLeft + 1, 40);
            EXPECT_EQ(r.spriteBottom - r.spriteTop + 1, 40);
            ASSERT_EQ(left % 40, 0);
            ASSERT_EQ(top % 40, 0);
            ASSERT_LE(left + 40, 256);
            ASSERT_LE(top + 40, 256);
            int opaque = 0;
            for (int32_t y = top; y < top + 40; ++y)
                for (int32_t x = left; x < left + 40; ++x) opaque += (sheet->Pixels()[y * 256 + x] >> 24) != 0 ? 1 : 0;
            EXPECT_GT(opaque, 60);
        }
    }
    for (const auto& s : kSheets) ReleaseTexture(s.slot);
    ReleaseGraphics();
}
