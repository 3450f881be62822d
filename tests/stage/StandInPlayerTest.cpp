// The stand-in player the stages are played with until the player
// characters come: it walks on the arrow keys, jumps on Z, lands on blocks,
// keeps inside the stage, and reaches as far as the maps are made for (two
// cells up, three across).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "character/CreateCharacter.h"
#include "framework/GameMain.h"
#include "support/Scenario.h"
#include "win/MyInput.h"

using testing_support::Scenario;

namespace {

constexpr int32_t kGround = 20526;

void Key(uint32_t vk, bool down) {
    platform::Message m;
    m.type = down ? platform::MessageType::KeyDown : platform::MessageType::KeyUp;
    m.vk = vk;
    CMyInput::GetInstance()->OnKeyMessage(m);
}

constexpr uint32_t kRight = 0x27, kLeft = 0x25, kZ = 'Z';

// Runs right from a column, jumps when the feet reach x, keeps running
// until it has landed again; the player's feet at the end.
struct Landing {
    int32_t x, y;
    bool onGround;
};

Landing RunAndJump(Scenario& s, CCharacter* player, int32_t jumpAt) {
    Key(kRight, true);
    bool jumped = false;
    for (int i = 0; i < 200; ++i) {
        if (!jumped && player->x >= jumpAt) {
            Key(kZ, true);
            jumped = true;
        } else {
            Key(kZ, false);
        }
        s.Run(1);
        if (jumped && i > 5 && !player->IsAirborne() && player->vy == 0) break;
    }
    Key(kRight, false);
    Key(kZ, false);
    s.Run(10);
    return {player->x, player->y, !player->IsAirborne()};
}

}  // namespace

TEST(StandInPlayer, WalksStopsAndTurnsOnTheArrowKeys) {
    Scenario s({"..........", "..........", "##########"}, {{'#', kGround}});
    CCharacter* player = s.AddAt(1, Scenario::CellX(2), 800);
    s.SetPlayer(player);
    s.Run(5);
    EXPECT_EQ(player->y, 800);
    EXPECT_FALSE(player->IsAirborne());
    Key(kRight, true);
    s.Run(20);
    EXPECT_EQ(player->vx, 40);
    EXPECT_EQ(player->facing, 1);
    EXPECT_GE(player->frame, 250);
    EXPECT_LE(player->frame, 253);
    Key(kRight, false);
    s.Run(10);
    EXPECT_EQ(player->vx, 0);
    EXPECT_EQ(player->frame, 220);
    Key(kLeft, true);
    s.Run(3);
    Key(kLeft, false);
    EXPECT_EQ(player->facing, -1);
    EXPECT_LT(player->vx, 0);
}

TEST(StandInPlayer, KeepsInsideTheStage) {
    Scenario s({"....", "....", "####"}, {{'#', kGround}});
    CCharacter* player = s.AddAt(1, Scenario::CellX(2), 800);
    s.SetPlayer(player);
    Key(kRight, true);
    s.Run(60);
    Key(kRight, false);
    EXPECT_EQ(player->x + player->CurrentRecord().bodyRight, 4 * 400);
}

TEST(StandInPlayer, ClearsAPitOfThreeCells) {
    Scenario s({"..........", "..........", "..........", "###...####"}, {{'#', kGround}});
    CCharacter* player = s.AddAt(1, Scenario::CellX(0), 1200);
    s.SetPlayer(player);
    const Landing l = RunAndJump(s, player, 3 * 400 - 20);
    EXPECT_TRUE(l.onGround);
    EXPECT_EQ(l.y, 1200);
    EXPECT_GT(l.x, 6 * 400);
}

TEST(StandInPlayer, ClimbsTwoCellsWithACellOfRoomButNotThree) {
    // A ledge two cells up, a cell of air before it.
    Scenario s({"..........", "..........", "..........", "......####", "..........", "##########"},
               {{'#', kGround}});
    CCharacter* player = s.AddAt(1, Scenario::CellX(1), 2000);
    s.SetPlayer(player);
    const Landing up = RunAndJump(s, player, 5 * 400 - 150);
    EXPECT_TRUE(up.onGround);
    EXPECT_EQ(up.y, 1200) << "on the ledge";

    Scenario t({"..........", "..........", "......####", "..........", "..........", "##########"},
               {{'#', kGround}});
    CCharacter* p2 = t.AddAt(1, Scenario::CellX(1), 2000);
    t.SetPlayer(p2);
    const Landing high = RunAndJump(t, p2, 5 * 400 - 150);
    EXPECT_EQ(high.y, 2000) << "three cells are too high";
}

TEST(StandInPlayer, JumpsOnlyFromTheGroundAndHoldsTheStatesItIsPutInto) {
    Scenario s({"....", "....", "####"}, {{'#', kGround}});
    CCharacter* player = s.AddAt(1, Scenario::CellX(1), 800);
    s.SetPlayer(player);
    Key(kZ, true);
    s.Run(1);
    Key(kZ, false);
    EXPECT_LT(player->vy, 0);
    s.Run(3);
    const int32_t vy = player->vy;
    Key(kZ, true);
    s.Run(1);
    Key(kZ, false);
    EXPECT_GT(player->vy, vy) << "no second jump in the air";
    s.Run(60);
    // A scene's pose: no walking, no falling.
    player->SetState(341);
    Key(kRight, true);
    const int32_t x = player->x, y = player->y;
    s.Run(20);
    Key(kRight, false);
    EXPECT_EQ(player->x, x);
    EXPECT_EQ(player->y, y);
    EXPECT_EQ(player->frame, 341);
}
