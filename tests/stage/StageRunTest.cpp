// The headless run through the stages: the ninja starts stage 266 and is
// played by scripted touches, hop by hop along a way the map allows (the
// walker of MapGrid.h), to the exit wall of each stage; the room exit there
// switches the stage. The run goes on through 267, 268 and 269 into the
// boss hall, 270. Nothing in the test writes a warp.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "character/CharacterList.h"
#include "player/CharacterPlayer.h"
#include "stage/MapGrid.h"
#include "stage/MapTypeIds.h"
#include "stage/StageDataControl.h"
#include "stage/StageTestSupport.h"

using namespace testing_support;

namespace {

// Where each exit leads: the next stage and the arrival's height shift.
struct ExitRow {
    int32_t id, dest, destX, destY;
};
constexpr ExitRow kExits[] = {{24590, 267, 200, 0}, {24592, 268, 200, 0}, {24594, 269, 200, 12800}, {24596, 270, 200, 400}};

// How far into the floor the second dash aims, so that it meets the floor.
constexpr int32_t kIntoFloor = 40;

class StageRun : public StagePlayTest {
protected:
    void SetUp() override {
        StagePlayTest::SetUp();
        Game()->m_selectedCharacter = 1;
    }

    CCharacterPlayer* Ninja() { return static_cast<CCharacterPlayer*>(Player()); }
    bool Standing() {
        const int32_t f = Player()->frame;
        return (f == 230 || f == 231 || f == 236) && !Player()->IsAirborne();
    }
    int32_t Column() { return MapGrid::ColumnOf(PlayerMapX()); }
    int32_t Row() { return MapGrid::RowOf(PlayerMapY() - 1); }

    // The enemies are taken out of the way as they come: this run is about
    // the way through the maps and their exits; the fights have tests of
    // their own. The boss stays.
    void Step(int frames = 1) {
        for (int i = 0; i < frames; ++i) {
            if (Game()->m_mapId != 270) ClearEnemies();
            lastMapY = PlayerMapY();
            Frame();
        }
    }

    // A tap at a map position: the frame it goes down, up the next.
    void TapAt(int32_t mapX, int32_t mapY) {
        TouchDown((mapX - Stage()->m_cameraX) / 10, (mapY - Stage()->m_cameraY) / 10);
        Step();
        TouchUp();
    }

    // Frames until the player stands (or the limit); false when it fell out.
    bool Settle(int limit = 200) {
        for (int i = 0; i < limit && !Standing(); ++i) {
            if (Player()->hp <= 0) return false;
            Step();
        }
        return Standing();
    }

    // One hop: the dash to the waypoint, and as it ends the air dash onto
    // the target's floor (straight down from where it is, for a drop).
    void Hop(const Reach::Hop& h) {
        TapAt(h.wx, h.wy);
        for (int i = 0; i < 40 && Player()->frame >= 320 && Player()->frame <= 321; ++i) Step();
        if (Player()->IsAirborne() && Ninja()->airDashes > 0) {
            // Aimed a little into the floor, along the line that meets the
            // floor's surface right at the target.
            const int32_t px = PlayerMapX(), py = PlayerMapY();
            const int32_t tx = h.down ? px : h.tx;
            const int32_t drop = std::max(1, h.ty - py);
            TapAt(tx + (tx - px) * kIntoFloor / drop, h.ty + kIntoFloor);
        }
        Settle(300);
    }

    // Plays the current stage to its exit wall, hop by hop, choosing the
    // next hop afresh from wherever the last one ended, until the exit
    // switches the stage.
    void PlayToTheExit() {
        const int32_t stage = Game()->m_mapId;
        const MapGrid grid(kStageMaps[stage - 266]);
        const Reach reach(grid);
        ASSERT_TRUE(Settle()) << "the player has nothing to stand on in " << stage;
        for (int hops = 0; hops < 120; ++hops) {
            // A hop that ends against the right edge may take the exit itself.
            if (Game()->m_mapId != stage) return;
            ASSERT_GT(Player()->hp, 0) << "stage " << stage << ": fell at map " << PlayerMapX() << ", " << PlayerMapY();
            ASSERT_TRUE(Standing()) << "stage " << stage << ": not standing at " << PlayerMapX() << ", " << PlayerMapY();
            const int32_t c = Column(), r = Row();
            if (reach.TouchesExit(c, r)) {
                // Along the floor against the right edge, onto the exit.
                TapAt(Stage()->m_cameraX + (Game()->GetViewWidth() - 5) * 10, PlayerMapY());
                for (int i = 0; i < 40 && Game()->m_mapId == stage; ++i) Step();
                ASSERT_NE(Game()->m_mapId, stage) << "the exit did not take the player at " << PlayerMapX();
                return;
            }
            const auto way = reach.PathTo(c, r, [&](int32_t tc, int32_t tr) { return reach.TouchesExit(tc, tr); });
            ASSERT_GE(way.size(), 2u) << "stage " << stage << ": no way to the exit from column " << c << ", row " << r;
            const auto hopsThere = reach.Hops(c, r, way[1].first, way[1].second);
            ASSERT_FALSE(hopsThere.empty());
            Hop(hopsThere.front());
        }
        FAIL() << "stage " << stage << ": no exit after 120 hops";
    }

    // The player's height on the map before the last frame.
    int32_t lastMapY = 0;
};

}  // namespace

TEST_F(StageRun, FromTheForestToTheBossHall) {
    Game()->StartStage(266);
    ASSERT_EQ(Game()->m_mapId, 266);
    for (const ExitRow& exit : kExits) {
        const int32_t from = Game()->m_mapId;
        PlayToTheExit();
        if (HasFatalFailure()) return;
        ASSERT_EQ(Game()->m_mapId, exit.dest) << "after " << from;
        // At the exit row's place, at the height it left at (give or take
        // the frame's move of a dash) shifted by the row.
        EXPECT_EQ(PlayerMapX(), exit.destX);
        EXPECT_NEAR(PlayerMapY(), lastMapY + exit.destY, 60);
        ASSERT_TRUE(Settle()) << "nothing under the arrival in " << exit.dest;
        EXPECT_GT(Player()->hp, 0);
    }
    // The boss hall: the player on its floor, the boss in its place.
    EXPECT_EQ(PlayerMapY(), 2800);
    bool boss = false;
    CCharacterList& list = Game()->m_characterList;
    for (int32_t i = 1; i <= list.GetCount(); ++i) boss = boss || list.GetAt(i)->typeId == 11100;
    EXPECT_TRUE(boss);
}
