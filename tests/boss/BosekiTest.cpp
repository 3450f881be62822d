// The boseki: its plot falling into place round it at the entrance, the
// conjuring of wisp fire and will-o'-wisps in turn, faster as its life
// drops, and the conjuring in a room too narrow for any point (the draws
// give up; the game goes on).
#include <gtest/gtest.h>

#include "boss/CharacterBoseki.h"
#include "boss/SideRoom.h"

namespace {

using namespace boss_test;

struct BosekiFight : SideRoom {
    CCharacterBoseki* body = nullptr;
    explicit BosekiFight(std::vector<std::string> grid = RoomGrid(), int32_t bossX = 4000) : SideRoom(800, std::move(grid)) {
        CCharacterBoseki::ResetConjuring();
        body = dynamic_cast<CCharacterBoseki*>(s.AddAt(CCharacterBoseki::kBody, bossX, 1000));
    }
    ~BosekiFight() { CCharacterBoseki::ResetConjuring(); }
    void Begin() { RunUntil([&] { return body->frame == CCharacterBoseki::kFight; }, 800); }
};

TEST(Boseki, ThePlotFallsIntoPlaceRoundTheBodyAndCannotBeTouched) {
    BosekiFight f;
    EXPECT_EQ(f.body->alpha, 0);
    f.Begin();
    ASSERT_EQ(f.body->frame, CCharacterBoseki::kFight);
    EXPECT_EQ(f.body->alpha, 255);
    EXPECT_EQ(f.body->y, kFloor - 720);
    // The stupa first of the whole world (drawn behind the rest of its
    // layer), each piece linked back to the body in its own A link.
    EXPECT_EQ(World().GetAt(1), f.body->linksB[0]);
    const int32_t types[] = {CCharacterBoseki::kStupa, CCharacterBoseki::kLantern, CCharacterBoseki::kTablet,
                             CCharacterBoseki::kFlame, CCharacterBoseki::kFlame};
    const int32_t offsets[] = {0, -500, 400, -500, 200};
    for (int32_t k = 0; k < 5; ++k) {
        CCharacter* piece = f.body->linksB[k];
        ASSERT_NE(piece, nullptr) << k;
        EXPECT_EQ(piece->typeId, types[k]) << k;
        EXPECT_EQ(piece->linksA[k], f.body) << k;
        EXPECT_EQ(piece->x, f.body->x + offsets[k]) << k;
        EXPECT_EQ(piece->alpha, 255) << k;
        EXPECT_EQ(piece->y + piece->CurrentRecord().bodyBottom, kFloor) << k;
    }
    // A thud for the body and the three stone pieces; the fires land
    // silently.
    EXPECT_EQ(f.Heard(56), 4);
    EXPECT_EQ(f.body->linksB[3]->frame / 10, 30);
}

TEST(Boseki, ItConjuresFireThenAWispInTurnFasterAsItsLifeDrops) {
    BosekiFight f;
    f.Begin();
    // At full life every 60 frames: fire first, put exactly on its point
    // far from the player (its timer started at 40: it hangs 60 more
    // frames before it flies), then a wisp.
    EXPECT_EQ(f.RunUntil([] { return CCharacterBoseki::ConjuredSoFar() == 1; }, 200), 60);
    ASSERT_EQ(Shots().size(), 1u);
    const CCharacter* fire = Shots().front();
    const double dx = fire->x - f.player->x, dy = fire->y - f.player->y;
    EXPECT_GE(dx * dx + dy * dy, 1000.0 * 1000.0);
    EXPECT_GE(fire->x, 200);
    EXPECT_LE(fire->x, 20 * kTileSize - 200);
    EXPECT_EQ(fire->stateTimer, 41);  // and it has had its first frame
    EXPECT_EQ(f.RunUntil([] { return CCharacterBoseki::ConjuredSoFar() == 2; }, 200), 60);
    EXPECT_EQ(enemy_test::OfType(10006).size(), 1u);
    // Under a fifth of its life, every 20 frames.
    f.body->hp = 2999;
    EXPECT_EQ(f.body->ConjureInterval(), 20);
    f.body->hp = 11999;
    EXPECT_EQ(f.body->ConjureInterval(), 50);
    // Nothing while the player is down.
    f.player->hp = 0;
    const int32_t before = CCharacterBoseki::ConjuredSoFar();
    f.s.Run(200);
    EXPECT_EQ(CCharacterBoseki::ConjuredSoFar(), before);
}

TEST(Boseki, InASixCellRoomTheDrawsGiveUpAndTheFightGoesOn) {
    // Six cells, the player in the middle: hardly a point of the drawing
    // area qualifies; the fight runs on in bounded time.
    BosekiFight f(RoomGrid(6), 1400);
    f.player->x = 1200;
    f.Begin();
    ASSERT_EQ(f.body->frame, CCharacterBoseki::kFight);
    f.body->hp = 100;  // every 20 frames
    f.s.Run(400);
    EXPECT_EQ(f.body->frame / 10, 22);
    for (auto* fire : Shots(CCharacterBoseki::kWispFire)) {
        EXPECT_GE(fire->x, 200);
        EXPECT_LE(fire->x, 6 * kTileSize - 200);
    }
}

}  // namespace
