// A sample of the two boss tables: chains, timings, boxes and texture slots
// as the fights depend on them.
#include <gtest/gtest.h>

#include <memory>

#include "boss/CharacterBossGhost.h"
#include "boss/CharacterKingTengu.h"
#include "boss/CharacterKingTengu2nd.h"
#include "boss/CharacterKingTengu2ndEye.h"
#include "boss/CharacterOneEyedMonster.h"
#include "boss/CharacterSilvy.h"
#include "boss/CharacterTengu.h"
#include "boss/FrameChains.h"

namespace {

using boss_test::ExpectChains;

struct Chain {
    int32_t record, nextFrame, nextState, frameDuration, stateDuration, texture;
};

void ExpectChains(CCharacter& c, std::initializer_list<Chain> chains) {
    for (const Chain& k : chains) {
        const FrameRecord* r = c.frameTable.Find(k.record);
        ASSERT_NE(r, nullptr) << k.record;
        EXPECT_EQ(r->nextFrame, k.nextFrame) << k.record;
        EXPECT_EQ(r->nextState, k.nextState) << k.record;
        EXPECT_EQ(r->frameDuration, k.frameDuration) << k.record;
        EXPECT_EQ(r->stateDuration, k.stateDuration) << k.record;
        EXPECT_EQ(r->textureId, k.texture) << k.record;
    }
}

bool HasHurt(const FrameRecord* r) { return r->hurtLeft != 0 || r->hurtRight != 0; }
bool HasBody(const FrameRecord* r) { return r->bodyLeft != 0 || r->bodyRight != 0; }

TEST(BossFrames, SilvysChainsAndBoxes) {
    auto silvy = std::make_unique<CCharacterSilvy>();
    ExpectChains(*silvy, {
                             {10, -1, 220, 999, 20, 32},   {110, -1, 111, 999, 40, 47},  {220, -1, 221, 999, 20, 47},
                             {230, -1, 231, 999, 0, 47},   {241, -1, 242, 999, 4, 47},   {242, -1, 243, 999, 12, 47},
                             {260, 261, 262, 2, 40, 47},   {262, -1, 220, 999, 30, 47},  {281, -1, 282, 999, 8, 47},
                             {282, -1, 283, 999, 50, 47},  {283, -1, 284, 999, 10, 47},  {284, -1, 285, 999, 20, 47},
                             {285, -1, 220, 999, 90, 47},  {301, 302, 303, 2, 30, 47},
                             {304, 303, 305, 2, 40, 47},   {116, -1, 117, 999, 20, 47},  {118, 119, -1, 20, 999, 47},
                             {420, 421, -1, 10, 999, 47},  {422, 423, -1, 6, 999, 47},   {424, 425, -1, 2, 600, 47},
                         });
    const FrameRecord* fight = silvy->frameTable.Find(260);
    EXPECT_EQ(fight->bodyLeft, -100);
    EXPECT_EQ(fight->bodyBottom, 190);
    EXPECT_EQ(fight->attackRight, 140);
    EXPECT_EQ(fight->hurtTop, -150);
    for (int32_t r : {110, 111}) EXPECT_FALSE(HasBody(silvy->frameTable.Find(r)) || HasHurt(silvy->frameTable.Find(r)));
}

TEST(BossFrames, TheKingTengusChainsAndBoxes) {
    auto tengu = std::make_unique<CCharacterKingTengu>();
    ExpectChains(*tengu, {
                             {230, -1, 231, 999, 0, 32},   {241, -1, 242, 999, 4, 32},   {242, 243, 244, 12, 12, 32},
                             {260, 261, 262, 2, 40, 32},   {262, -1, 220, 999, 40, 32},  {280, 281, 282, 6, 30, 32},
                             {282, -1, 284, 999, 48, 32},  {285, -1, 220, 999, 126, 32}, {302, -1, 303, 999, 6, 32},
                             {320, 321, -1, 6, 999, 38},   {340, 341, 342, 6, 40, 38},   {362, 363, -1, 6, 40, 38},
                             {363, 362, -1, 4, 40, 38},    {364, 365, 340, 2, 20, 38},   {380, 381, 382, 4, 160, 38},
                             {383, 382, 341, 6, 24, 38},   {402, 403, 340, 6, 150, 38},  {403, 402, 340, 24, 150, 38},
                             {111, -1, 112, 999, 100, 32}, {112, 113, -1, 8, 999, 40},   {114, -1, 115, 999, 100, 0},
                             {420, -1, -1, 999, 20, 32},   {421, 422, -1, 6, 999, 32},
                         });
    EXPECT_FALSE(HasHurt(tengu->frameTable.Find(320)));
    EXPECT_FALSE(HasHurt(tengu->frameTable.Find(362)) || HasBody(tengu->frameTable.Find(362)));
    EXPECT_TRUE(HasHurt(tengu->frameTable.Find(364)) && !HasBody(tengu->frameTable.Find(364)));
    EXPECT_TRUE(HasHurt(tengu->frameTable.Find(382)) && HasBody(tengu->frameTable.Find(382)));
    EXPECT_EQ(tengu->frameTable.Find(220)->hurtRight, 250);
    EXPECT_EQ(tengu->frameTable.Find(220)->bodyTop, -290);
}

// The hook bosses' and the second king tengu's chains: every entrance holds
// 20 then 80 frames, the attacks run on their own timings.
TEST(BossFrames, TheHookBossesChains) {
    ExpectChains<CCharacterBossGhost>({{230, -1, 231, 999, 20}, {231, -1, 220, 999, 80}, {220, -1, 221, 999, 20},
                                     {240, -1, 241, 999, 20}, {243, -1, 244, 999, 20}, {245, -1, 246, 999, 20},
                                     {246, -1, 220, 999, 20}, {111, -1, 112, 999, 100}, {10, -1, 220, 999, 20}});
    ExpectChains<CCharacterOneEyedMonster>({{230, -1, 231, 999, 20}, {231, -1, 220, 999, 80}, {220, -1, 221, 999, 50},
                                          {260, -1, 261, 999, 6}, {261, -1, 262, 999, 20}, {262, -1, 263, 999, 8},
                                          {263, -1, 220, 999, 20}, {280, -1, 281, 999, 999}, {285, -1, 286, 999, 999},
                                          {289, -1, 220, 999, 999}, {111, -1, 112, 999, 100}});
    ExpectChains<CCharacterTengu>({{230, -1, 231, 999, 20}, {231, -1, 220, 999, 80}, {220, -1, 221, 999, 20},
                                 {241, -1, 242, 999, 4}, {242, -1, 243, 999, 1}, {243, -1, 244, 999, 1},
                                 {246, -1, 247, 999, 4}, {253, -1, 254, 999, 1}, {260, 261, 262, 6, 42},
                                 {261, 260, 262, 6, 42}, {263, 262, 264, 6, 36}, {264, 265, 266, 6, 36},
                                 {266, 267, 220, 6, 42}, {267, 266, 220, 6, 42}, {111, -1, 112, 999, 100}});
    ExpectChains<CCharacterKingTengu2nd>({{230, -1, 231, 999, 40}, {231, -1, 232, 999, 40}, {232, -1, -1, 999, 999},
                                        {233, -1, 220, 999, 80}, {220, -1, -1, 999, 999}});
    ExpectChains<CCharacterKingTengu2ndEye>({{240, 241, 242, 2, 40}, {241, 240, 242, 2, 40}, {242, -1, 220, 999, 10},
                                           {230, -1, -1, 999, 999}, {220, -1, -1, 999, 999}});
}

}  // namespace
