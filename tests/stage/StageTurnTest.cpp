// The portrait turn (F2) and back in the middle of play: afterwards the
// world holds what a run that never turned holds at the same moment, every
// block and piece of scenery of the window once and in its place.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <tuple>
#include <vector>

#include "framework/Random.h"
#include "stage/StageTestSupport.h"

using namespace testing_support;

namespace {

// A character of layer A or B: layer, cell, map position.
using MapCell = std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t>;
using Stops = std::vector<std::pair<int32_t, int32_t>>;

class StageTurnTest : public StagePlayTest {
protected:
    // Every block and piece of scenery in the world, sorted.
    std::vector<MapCell> WorldCells() {
        std::vector<MapCell> cells;
        CCharacterList& list = Game()->m_characterList;
        for (int32_t i = 1; i <= list.GetCount(); ++i) {
            const CCharacter* c = list.GetAt(i);
            if (c->fromLayerA || c->fromLayerB)
                cells.emplace_back(c->fromLayerB, c->mapColumn, c->mapRow, c->x + Stage()->m_cameraX,
                                   c->y + Stage()->m_cameraY);
        }
        std::sort(cells.begin(), cells.end());
        return cells;
    }

    // A frame with the player (the camera's target) held at a map position.
    void FrameAt(int32_t mapX, int32_t mapY) {
        ClearEnemies();
        Player()->x = mapX - Stage()->m_cameraX;
        Player()->y = mapY - Stage()->m_cameraY;
        Player()->vx = Player()->vy = 0;
        Frame();
    }

    // Starts a stage and carries the camera to each stop, 120 units a frame;
    // at each stop the screen turns and back when `turn` is set (the same
    // frames pass without a key otherwise). The world is taken on arrival
    // and after the turns.
    std::vector<std::vector<MapCell>> Tour(int32_t stage, const Stops& stops, bool turn) {
        GameSrand(1);
        Game()->StartStage(stage);
        std::vector<std::vector<MapCell>> worlds;
        int32_t x = PlayerMapX(), y = PlayerMapY();
        for (const auto& [sx, sy] : stops) {
            while (x != sx || y != sy) FrameAt(x += std::clamp(sx - x, -120, 120), y += std::clamp(sy - y, -120, 120));
            FrameAt(x, y);
            worlds.push_back(WorldCells());
            for (int32_t width : {320, 480}) {
                FunctionKey(kKeyF2, turn);
                FrameAt(x, y);
                FunctionKey(kKeyF2, false);
                for (int i = 0; i < 10; ++i) FrameAt(x, y);
                EXPECT_EQ(Game()->m_screenWidth, turn ? width : 480);
                const auto cells = WorldCells();
                EXPECT_EQ(std::adjacent_find(cells.begin(), cells.end()), cells.end()) << "a cell made twice";
            }
            worlds.push_back(WorldCells());
        }
        return worlds;
    }
};

// How many cells one sorted world holds that the other lacks.
std::size_t Lacking(const std::vector<MapCell>& from, const std::vector<MapCell>& in) {
    std::vector<MapCell> out;
    std::set_difference(from.begin(), from.end(), in.begin(), in.end(), std::back_inserter(out));
    return out.size();
}

}  // namespace

// The start (the camera held at the stage's left end), the middle, the far
// end; the tower from its foot to its top.
TEST_F(StageTurnTest, AfterTurningAndBackTheWorldIsTheOneThatNeverTurned) {
    const std::pair<int32_t, Stops> routes[] = {
        {266, {{1000, 2400}, {20000, 2400}, {45000, 2000}, {58000, 2400}}},
        {267, {{1000, 2400}, {30000, 2000}, {58000, 2400}}},
        {268, {{1000, 2400}, {30000, 2000}, {58000, 2400}}},
        {269, {{1000, 14400}, {1000, 8000}, {3800, 1200}}},
        {270, {{600, 2400}, {4400, 2400}}},
        {271, {{1000, 2400}, {11000, 2400}}},
        {272, {{1000, 2400}, {11000, 2400}}},
        {273, {{1000, 2400}, {3000, 2400}}},
    };
    for (const auto& [stage, stops] : routes) {
        const auto never = Tour(stage, stops, false), turned = Tour(stage, stops, true);
        ASSERT_EQ(turned.size(), never.size());
        for (std::size_t i = 0; i < never.size(); ++i) {
            SCOPED_TRACE(testing::Message() << stage << ", stop " << i / 2 << (i % 2 ? " after the turns" : ""));
            EXPECT_FALSE(never[i].empty());
            EXPECT_EQ(Lacking(never[i], turned[i]), 0u) << "missing";
            EXPECT_EQ(Lacking(turned[i], never[i]), 0u) << "extra";
        }
    }
}

// As the player met it: the turn and back at the start of the first stage,
// then the player dropped at every half cell of the way on: it lands where
// it lands without the turn, and lives.
TEST_F(StageTurnTest, AfterTheTurnsAtTheStartThePlayerLandsWhereItWouldHave) {
    std::vector<int32_t> landings[2];
    for (bool turn : {false, true}) {
        Game()->StartStage(266);
        for (bool down : {true, false, true, false}) {
            FunctionKey(kKeyF2, turn && down);
            Frame();
        }
        for (int32_t x = 1000; x <= 9000; x += 200) {
            FrameAt(x, 1200);
            for (int i = 0; i < 40; ++i) {
                ClearEnemies();
                Frame();
            }
            landings[turn].push_back(Player()->hp > 0 ? PlayerMapY() : -1);
        }
    }
    EXPECT_EQ(landings[1], landings[0]);
}
