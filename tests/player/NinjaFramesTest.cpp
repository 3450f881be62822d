// The ninja's frame table: the chains the state machine relies on, one body
// for every pose, and every picture a drawn cell of the ninja's sheet.
#include <gtest/gtest.h>

#include <set>

#include "player/CharacterNinja.h"
#include "win/Graphics.h"

namespace {

struct Chain {
    int32_t from;
    int32_t to;         // nextState (-1 holds)
    int32_t duration;   // stateDuration
};

// a -n-> b and the holds (999).
constexpr Chain kChains[] = {
    {120, 121, 40}, {940, 941, 40}, {110, -1, 999}, {121, -1, 999}, {941, -1, 999}, {304, -1, 999},
    {310, -1, 999}, {311, -1, 999}, {362, -1, 999}, {280, 281, 1},  {281, -1, 999}, {320, 321, 1},
    {321, 322, 999}, {322, 230, 2},  {330, 331, 4},  {331, 349, 40}, {332, 349, 40}, {333, 334, 2},
    {334, 335, 2},  {335, 336, 2},  {336, 331, 2},  {337, 338, 2},  {338, 339, 2},  {339, 340, 2},
    {340, 331, 2},  {341, 342, 2},  {343, 344, 2},  {360, 361, 2},  {361, 362, 20}, {363, 230, 2},
    {380, 381, 4},  {381, 230, 20}, {382, 383, 4},  {383, 230, 20}, {384, 385, 4},  {385, 230, 20},
    {386, 387, 4},  {387, 230, 20}, {400, 401, 2},  {401, 230, 4},  {420, 421, 4},  {421, 230, 8},
    {440, 441, 4},  {443, 444, 1},  {444, 445, 7},  {445, 230, 2},
};

struct Loop {
    int32_t a;
    int32_t b;
    int32_t ticks;
};

// Frames that alternate through nextFrame without a state change.
constexpr Loop kLoops[] = {{230, 231, -1}, {232, 233, -1}, {234, 235, -1}, {331, 332, 2}, {441, 442, 1},
                           {961, 962, 4},  {963, 964, 12}, {965, 966, 12}, {967, 968, 8}};

}  // namespace

TEST(NinjaFrames, TheChainsOfTheStateMachine) {
    CCharacterNinja ninja;
    for (const Chain& c : kChains) {
        SCOPED_TRACE(c.from);
        EXPECT_EQ(ninja.RecordAt(c.from).nextState, c.to);
        EXPECT_EQ(ninja.RecordAt(c.from).stateDuration, c.duration);
    }
    for (const Loop& l : kLoops) {
        SCOPED_TRACE(l.a);
        EXPECT_EQ(ninja.RecordAt(l.a).nextFrame, l.b);
        EXPECT_EQ(ninja.RecordAt(l.b).nextFrame, l.a);
        if (l.ticks > 0) {
            EXPECT_EQ(ninja.RecordAt(l.a).frameDuration, l.ticks);
        }
    }
    // 236 stands up after 6 ticks without a state change; walk and run step
    // every 8 and 4 ticks; the fall every 4.
    EXPECT_EQ(ninja.RecordAt(236).nextFrame, 230);
    EXPECT_EQ(ninja.RecordAt(236).frameDuration, 6);
    for (int32_t f = 250; f <= 253; ++f) EXPECT_EQ(ninja.RecordAt(f).frameDuration, 8);
    for (int32_t f = 260; f <= 263; ++f) EXPECT_EQ(ninja.RecordAt(f).frameDuration, 4);
    EXPECT_EQ(ninja.RecordAt(253).nextFrame, 250);
    EXPECT_EQ(ninja.RecordAt(290).frameDuration, 4);
    EXPECT_EQ(ninja.RecordAt(965).stateDuration, 900);
}

TEST(NinjaFrames, DefeatPosesHaveNoBodyAndEndInTheDyingFall) {
    CCharacterNinja ninja;
    for (int32_t f = 110; f <= 199; ++f) {
        if (f >= 120 && f <= 129) continue;
        SCOPED_TRACE(f);
        const FrameRecord& r = ninja.RecordAt(f);
        EXPECT_EQ(r.bodyLeft | r.bodyRight | r.bodyTop | r.bodyBottom, 0);
        EXPECT_NE(r.frameDuration, 0) << "every defeat pose is defined";
        EXPECT_TRUE(r.nextState == -1 || r.nextState == 111) << r.nextState;
    }
    // 110 keeps its hurt box, so a second hit still finds it protected.
    EXPECT_NE(ninja.RecordAt(110).hurtRight, 0);
}

TEST(NinjaFrames, EveryPoseHasTheSameBodyAndACellOfTheSheet) {
    CCharacterNinja ninja;
    ASSERT_TRUE(InitGraphics());
    ASSERT_TRUE(LoadTexture(19, 120, 512));
    const platform::Texture* sheet = TextureTable[19].texture.get();
    ASSERT_NE(sheet, nullptr);
    int defined = 0;
    for (int32_t f = 1; f < 1030; ++f) {
        const FrameRecord& r = ninja.RecordAt(f);
        if (r == FrameRecord{}) continue;
        ++defined;
        SCOPED_TRACE(f);
        EXPECT_EQ(r.textureId, 19);
        const bool body = r.bodyLeft != 0 || r.bodyRight != 0;
        if (body) {
            EXPECT_EQ(r.bodyLeft, -20);
            EXPECT_EQ(r.bodyRight, 20);
            EXPECT_EQ(r.bodyTop, -20);
            EXPECT_EQ(r.bodyBottom, 0);
        }
        // The sprite is one whole 40 x 40 cell with a picture in it.
        const int32_t left = r.u + r.spriteLeft, top = r.v + r.spriteTop;
        EXPECT_EQ(r.spriteRight - r.spriteLeft + 1, 40);
        EXPECT_EQ(r.spriteBottom - r.spriteTop + 1, 40);
        ASSERT_EQ(left % 40, 0);
        ASSERT_EQ(top % 40, 0);
        ASSERT_LE(left + 40, 240);
        ASSERT_LE(top + 40, 240);
        int opaque = 0;
        for (int32_t y = top; y < top + 40; ++y)
            for (int32_t x = left; x < left + 40; ++x) opaque += (sheet->Pixels()[y * 512 + x] >> 24) != 0 ? 1 : 0;
        EXPECT_GT(opaque, 100);
    }
    EXPECT_GT(defined, 150);
    ReleaseTexture(19);
    ReleaseGraphics();
}
