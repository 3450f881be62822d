// The combo's window and the turning of state 50, tick by tick.
#include <gtest/gtest.h>

#include "character/TestCharacter.h"

namespace {

TEST(CharacterCombo, EndsWhenItsWindowFallsBelowZeroAndNotBefore) {
    TestCharacter c;
    c.combo = 5;
    c.comboWindow = 3;
    for (int expected : {2, 1, 0}) {
        c.TickCountdown();
        EXPECT_EQ(c.comboWindow, expected);
        EXPECT_EQ(c.combo, 5) << "a window of " << expected << " still holds the combo";
    }
    c.TickCountdown();
    EXPECT_EQ(c.combo, 0);
    EXPECT_EQ(c.comboWindow, 0);
}

TEST(CharacterState50, TurnsOnEveryTenthTickOfTheState) {
    TestCharacter c;
    c.y = -100000;  // high in an empty world: falling all along
    c.facing = 1;
    for (int32_t tick = 0; tick <= 31; ++tick) {
        c.stateTimer = tick;
        const int32_t before = c.facing;
        c.UpdateState50();
        EXPECT_EQ(c.facing != before, tick % 10 == 0) << "tick " << tick;
    }
}

}  // namespace
