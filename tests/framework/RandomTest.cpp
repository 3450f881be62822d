#include "framework/Random.h"

#include <gtest/gtest.h>

#include <vector>

TEST(GameRandom, FifteenBitSequenceOfTheClassicGenerator) {
    GameSrand(1);
    EXPECT_EQ(GameRand(), 41);
    EXPECT_EQ(GameRand(), 18467);
    EXPECT_EQ(GameRand(), 6334);
    EXPECT_EQ(GameRand(), 26500);
}

TEST(GameRandom, SeedRepeatsTheSequenceAndStaysInRange) {
    GameSrand(123456);
    std::vector<int32_t> first;
    int32_t highest = 0;
    for (int i = 0; i < 20000; ++i) {
        const int32_t v = GameRand();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, kGameRandMax);
        if (v > highest) highest = v;
        if (i < 50) first.push_back(v);
    }
    EXPECT_GT(highest, 32000);  // the whole 15-bit range is used
    GameSrand(123456);
    for (int32_t expected : first) EXPECT_EQ(GameRand(), expected);
}
