// Dashes at the edges of the stages' steps, ledges and walls: the player is
// never inside solid ground on any frame. A dash changes the body (Luka's
// dash body sits around her position, her standing body above it), so a
// dash that starts just off the floor begins a little inside it; the move
// takes her out the short way instead of pushing her down through the
// ground under the step.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/GameMain.h"
#include "player/CharacterPlayer.h"
#include "stage/Event.h"
#include "stage/MapGrid.h"
#include "stage/StageTestSupport.h"

using namespace testing_support;

namespace {

constexpr int32_t kLuka = 5;

class StepEdgeDash : public StagePlayTest {
protected:
    CCharacterPlayer* ThePlayer() { return static_cast<CCharacterPlayer*>(Player()); }

    // Starts a stage with the player in control, its scene (if any) ended.
    void Start(int32_t mapId) {
        Game()->StartStage(mapId);
        CEvent::GetInstance()->Reset();
        Frame(2);
        ClearEnemies();
    }

    // Carries the player to a map point a cell at a time, so that the camera
    // and the stage's characters follow, and stands it there. False when it
    // does not stand where it was put.
    bool StandAt(int32_t mapX, int32_t feetY) {
        for (int i = 0; i < 400 && (PlayerMapX() != mapX || PlayerMapY() != feetY); ++i) {
            const int32_t x = PlayerMapX(), y = PlayerMapY();
            Player()->x = std::clamp(mapX, x - kTileSize, x + kTileSize) - Stage()->m_cameraX;
            Player()->y = std::clamp(feetY, y - kTileSize, y + kTileSize) - Stage()->m_cameraY;
            Player()->vx = Player()->vy = 0;
            Frame();
            ClearEnemies();
        }
        Player()->x = mapX - Stage()->m_cameraX;
        Player()->y = feetY - Stage()->m_cameraY;
        Player()->vx = Player()->vy = 0;
        Player()->hp = Player()->hpMax;
        ThePlayer()->controlled = 1;
        Player()->SetState(220);
        Frame(2);
        return PlayerMapX() == mapX && PlayerMapY() == feetY && !Player()->IsAirborne();
    }

    // A touch at a map point, let go the next frame.
    void TapAt(int32_t mapX, int32_t mapY) {
        TouchDown((mapX - Stage()->m_cameraX) / 10, (mapY - Stage()->m_cameraY) / 10);
        Frame();
        TouchUp();
    }

    bool Standing() {
        const int32_t f = Player()->frame;
        return (f == 230 || f == 231 || f == 236) && !Player()->IsAirborne();
    }

    // Where the player is in solid ground, or "" when it is free.
    std::string Inside() {
        CCharacter* solid = Player()->FindBlockOverlap();
        if (solid == nullptr) return "";
        return "inside the solid at " + std::to_string(solid->x + Stage()->m_cameraX) + ", " +
               std::to_string(solid->y + Stage()->m_cameraY) + " in frame " + std::to_string(Player()->frame);
    }
};

}  // namespace

TEST_F(StepEdgeDash, LukaDashingOffTheRaisedFirstStepOf266StaysAboveTheGround) {
    // The first step is raised 400 over the ground (its top at 2000, x 4800
    // to 7200); beyond it a flower hops on the lower ground (top 2400). Luka
    // dashes toward it, a little above the step's top.
    Game()->m_selectedCharacter = kLuka;
    Start(266);
    ASSERT_TRUE(StandAt(6000, 2000));
    TapAt(8200, 1900);
    bool dashed = false, landed = false;
    for (int i = 0; i < 80 && !landed; ++i) {
        Frame();
        ClearEnemies();
        SCOPED_TRACE(testing::Message() << "frame " << i << " at " << PlayerMapX() << ", " << PlayerMapY());
        const int32_t ground = PlayerMapX() <= 7200 ? 2000 : 2400;
        EXPECT_LE(PlayerMapY() + Player()->CurrentRecord().bodyBottom, ground) << "below the ground's top";
        EXPECT_EQ(Inside(), "");
        dashed = dashed || Player()->frame == 321;
        landed = dashed && Standing();
    }
    EXPECT_TRUE(landed);
    EXPECT_GT(PlayerMapX(), 7200);
    EXPECT_EQ(PlayerMapY(), 2400) << "standing on the lower ground";
}

TEST_F(StepEdgeDash, AtEveryStepEdgeOfTheEightStagesNoDashEndsAFrameInsideTheGround) {
    // Every standable cell beside a rise (a higher step or a wall) or beside
    // a drop onto lower ground: the player stands 30 and 200 units from the
    // edge and dashes over it a little upward, up, down and steeply down.
    struct Aim {
        int32_t ahead, rise;
    };
    constexpr Aim kAims[] = {{1200, -100}, {800, -800}, {800, 600}, {300, 1000}};
    constexpr int32_t kFromEdge[] = {30, 200};
    Game()->m_selectedCharacter = kLuka;
    int dashes = 0;
    for (int32_t mapId = 266; mapId <= 273; ++mapId) {
        SCOPED_TRACE(testing::Message() << "stage " << mapId);
        const MapGrid grid(kStageMaps[mapId - 266]);
        const Reach reach(grid);
        // Ground somewhere below row r in column c.
        auto groundBelow = [&](int32_t c, int32_t r) { return reach.Land(c, r) >= 0 || grid.Solid(c, r); };
        struct Edge {
            int32_t c, r, side;
        };
        std::vector<Edge> edges;
        for (int32_t c = 5; c < grid.m.width + 5; ++c)
            for (int32_t r = 0; r < grid.rows; ++r) {
                if (!reach.Standable(c, r)) continue;
                for (int32_t side : {-1, 1}) {
                    const int32_t n = c + side;
                    if (!grid.Inside(n, r)) continue;
                    const bool rise = grid.Solid(n, r);
                    const bool drop = !rise && !grid.Solid(n, r + 1) && reach.Land(n, r) >= 0;
                    if (rise || drop) edges.push_back({c, r, side});
                }
            }
        Start(mapId);
        for (const Edge& e : edges) {
            const int32_t edgeX = MapCellX(e.c) + e.side * kHalfTile, feetY = Reach::FeetY(e.r);
            for (int32_t back : kFromEdge)
                for (const Aim& aim : kAims) {
                    // Kept over the stage, where the view can show the touch.
                    const int32_t sx = edgeX - e.side * back, ty = feetY + aim.rise;
                    const int32_t tx = std::clamp(sx + e.side * aim.ahead, 10, grid.m.width * kTileSize - 10);
                    // Only where the dash and the fall after it meet ground.
                    const int32_t tc = MapGrid::ColumnOf(tx);
                    bool overGround = true;
                    for (int32_t c = std::min(e.c, tc); c <= std::max(e.c, tc) && overGround; ++c)
                        overGround = groundBelow(c, e.r);
                    if (!overGround) continue;
                    if (Game()->m_mapId != mapId || Player()->hp <= 0) Start(mapId);
                    if (!StandAt(sx, feetY)) continue;
                    ++dashes;
                    TapAt(tx, ty);
                    bool dashed = false;
                    for (int i = 0; i < 45 && Game()->m_mapId == mapId; ++i) {
                        const std::string inside = Inside();
                        if (!inside.empty()) {
                            ADD_FAILURE() << "dash from " << sx << ", " << feetY << " toward " << tx << ", " << ty
                                          << ": at " << PlayerMapX() << ", " << PlayerMapY() << " " << inside;
                            break;
                        }
                        dashed = dashed || (Player()->frame >= 320 && Player()->frame <= 325);
                        if (dashed && Standing()) break;
                        Frame();
                        ClearEnemies();
                    }
                    if (HasFailure()) return;
                }
        }
    }
    EXPECT_GT(dashes, 1000) << "the stages' edges were found and dashed at";
}
