// The headless run through the stages: the ninja starts stage 266 and is
// played by scripted touches, hop by hop along a way the map allows (the
// walker of StageWalker.h), to the exit wall of each stage; the room exit
// there switches the stage. The run goes on through 267, 268 and 269 into
// the boss hall, 270. Nothing in the test writes a warp.
#include <gtest/gtest.h>

#include "character/CharacterList.h"
#include "stage/StageTestSupport.h"
#include "stage/StageWalker.h"

using namespace testing_support;

namespace {

// Where each exit leads: the next stage and the arrival's height shift.
struct ExitRow {
    int32_t id, dest, destX, destY;
};
constexpr ExitRow kExits[] = {{24590, 267, 200, 0}, {24592, 268, 200, 0}, {24594, 269, 200, 12800}, {24596, 270, 200, 400}};

class StageRun : public StagePlayTest {
protected:
    void SetUp() override {
        StagePlayTest::SetUp();
        Game()->m_selectedCharacter = 1;
    }

    // The enemies are taken out of the way as they come: this run is about
    // the way through the maps and their exits; the fights have tests of
    // their own. The boss stays.
    StageWalker walker{{[this] {
                            if (Game()->m_mapId != 270) ClearEnemies();
                            Frame();
                        },
                        [this](int32_t x, int32_t y) { TouchDown(x, y); }, [this] { TouchUp(); }}};
};

}  // namespace

TEST_F(StageRun, FromTheForestToTheBossHall) {
    Game()->StartStage(266);
    ASSERT_EQ(Game()->m_mapId, 266);
    for (const ExitRow& exit : kExits) {
        const int32_t from = Game()->m_mapId;
        walker.PlayToTheExit();
        if (HasFatalFailure()) return;
        ASSERT_EQ(Game()->m_mapId, exit.dest) << "after " << from;
        // At the exit row's place, at the height it left at (give or take
        // the frame's move of a dash) shifted by the row.
        EXPECT_EQ(PlayerMapX(), exit.destX);
        EXPECT_NEAR(PlayerMapY(), walker.lastMapY + exit.destY, 60);
        ASSERT_TRUE(walker.Settle()) << "nothing under the arrival in " << exit.dest;
        EXPECT_GT(Player()->hp, 0);
    }
    // The boss hall: the player on its floor, the boss in its place.
    EXPECT_EQ(PlayerMapY(), 2800);
    bool boss = false;
    CCharacterList& list = Game()->m_characterList;
    for (int32_t i = 1; i <= list.GetCount(); ++i) boss = boss || list.GetAt(i)->typeId == 11100;
    EXPECT_TRUE(boss);
}
