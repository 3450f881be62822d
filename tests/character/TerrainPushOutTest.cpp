// Bodies that start a move already inside terrain (a changed body, a bob or
// a push put them there): each goes to the nearest free place it reaches
// without passing through a solid, and meets the solid as a move into it
// would, instead of being pushed back along a whole row or column of blocks
// or through a ceiling. And the drifter whose bob dips into the floor,
// without the ground check of its drift.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "enemy/CharacterKarakasa.h"
#include "enemy/EnemyField.h"
#include "support/Scenario.h"

using testing_support::Scenario;
using testing_support::ScenarioBody;
using testing_support::WalkerBody;

namespace {

constexpr int32_t kStone = 20529;  // a full stone cell

// The karakasa's drifter with nothing but its bob and its speed: no check
// that takes it back out of the ground after the bob.
class BareDrifter : public CCharacterKarakasa {
public:
    void UpdateAction250() override {
        TouchAttack();
        if (frame == 250 || frame == 251) UpdateHover();
        vx = facing * 10;
    }
};

}  // namespace

TEST(TerrainPushOut, ABodyAlreadyInsideTerrainLeavesItTheShortestWayAndMeetsItOnlyWhenMovingIntoIt) {
    // A ceiling (0..400), a floor (1600..2000) and a wall standing on the
    // floor (x 2000..2400, y 800..1600), all of stone. The walker's body is
    // 200 wide and 300 tall, its feet 100 under its position: it stands on
    // the floor at y 1500. Its speed is its move; a contact (1 ceiling, 3
    // wall on the right, 4 floor) stops that speed.
    struct Case {
        const char* what;
        int32_t x, y, dx, dy;
        int32_t wantX, wantY, contact;
    };
    const Case cases[] = {
        {"10 into the floor, drifting left", 1000, 1510, -10, 0, 990, 1500, 0},
        {"10 into the floor, drifting right", 1000, 1510, 10, 0, 1010, 1500, 0},
        {"10 into the floor at a joint of two blocks", 1200, 1510, 30, 0, 1230, 1500, 0},
        {"6 into the floor, rising 4", 1000, 1506, 0, -4, 1000, 1500, 0},
        {"30 into the floor, falling 40: lands", 1000, 1530, 0, 40, 1000, 1500, 4},
        {"20 into the ceiling, sinking 10", 1000, 580, 0, 10, 1000, 600, 0},
        {"20 into the ceiling, rising 10: bumps it", 1000, 580, 0, -10, 1000, 600, 1},
        {"20 into the ceiling, moving along it", 1000, 580, 50, 0, 1050, 600, 0},
        {"6 into the wall's face, rising 40", 1906, 1200, 0, -40, 1900, 1160, 0},
        {"6 into the wall's face, falling 40", 1906, 1200, 0, 40, 1900, 1240, 0},
        {"6 into the wall's face, walking into it", 1906, 1200, 10, 0, 1900, 1200, 3},
        // A step that enters a solid from free space ends against its face.
        {"free, walking into the wall", 1800, 1200, 150, 0, 1900, 1200, 3},
        {"free, falling onto the floor", 1000, 1450, 0, 80, 1000, 1500, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scenario s({"##########",
                    "..........",
                    ".....#....",
                    ".....#....",
                    "##########"},
                   {{'#', kStone}});
        ScenarioBody* body = s.Add(std::make_unique<ScenarioBody>(WalkerBody()), c.x, c.y);
        body->vx = c.dx;
        body->vy = c.dy;
        body->Move(c.dx, c.dy);
        EXPECT_EQ(body->x, c.wantX);
        EXPECT_EQ(body->y, c.wantY);
        EXPECT_EQ(body->FindBlockOverlap(), nullptr) << "inside a block at " << body->x << ", " << body->y;
        EXPECT_EQ(body->contacts, c.contact ? std::vector<int32_t>{c.contact} : std::vector<int32_t>{});
        EXPECT_EQ(body->vx, c.contact == 3 ? 0 : c.dx);
        EXPECT_EQ(body->vy, c.contact == 1 || c.contact == 4 ? 0 : c.dy);
    }
}

TEST(TerrainPushOut, ADrifterWhoseBobDipsIntoTheFloorDriftsAlongItsTop) {
    using namespace enemy_test;
    Field f(400);
    auto* drifter = f.s.Add(std::make_unique<BareDrifter>(), 2000, kStandY);
    drifter->SetTypeId(10012);
    int32_t lastX = drifter->x;
    int onTheFloor = 0;
    for (int i = 0; i < 150; ++i) {
        f.s.Run(1);
        SCOPED_TRACE(i);
        ASSERT_EQ(drifter->frame / 2 * 2, 250);
        // Never farther than its own drift, and never in the ground.
        EXPECT_LE(std::abs(drifter->x - lastX), 10);
        EXPECT_LE(drifter->y, kStandY);
        EXPECT_EQ(drifter->FindBlockOverlap(), nullptr);
        if (drifter->y == kStandY) ++onTheFloor;
        lastX = drifter->x;
    }
    EXPECT_GT(onTheFloor, 0) << "its bob reached down to the floor";
    // Left all along, at its speed (its first frame enters the drift).
    EXPECT_EQ(drifter->x, 2000 - 149 * 10);
}

namespace {

// Whether a body whose middle started at (mx, my) ended on the far side of
// a solid cell of the grid that its middle was outside of (not on its face):
// passed through it up, down or sideways.
bool PassedThroughACell(const std::vector<std::string>& grid, int32_t mx, int32_t my, const ScenarioBody& b) {
    const FrameRecord& r = b.CurrentRecord();
    for (int32_t row = 0; row < static_cast<int32_t>(grid.size()); ++row)
        for (int32_t col = 0; col < static_cast<int32_t>(grid[row].size()); ++col) {
            if (grid[row][col] != '#') continue;
            const int32_t l = col * kTileSize, t = row * kTileSize, rt = l + kTileSize, bt = t + kTileSize;
            if (l < mx && mx < rt && ((my > bt && b.y + r.bodyBottom <= t) || (my < t && b.y + r.bodyTop >= bt)))
                return true;
            if (t < my && my < bt && ((mx > rt && b.x + r.bodyRight <= l) || (mx < l && b.x + r.bodyLeft >= rt)))
                return true;
        }
    return false;
}

}  // namespace

TEST(TerrainPushOut, ABodyInTheMiddleOfAColumnOfThreeLeavesItSidewaysAndFallsOn) {
    const std::vector<std::string> grid = {".....", "..#..", "..#..", "..#..", ".....", "....."};
    Scenario s(grid, {{'#', kStone}});
    ScenarioBody* body = s.Add(std::make_unique<ScenarioBody>(WalkerBody()), 1000, 900);
    body->onUpdate = [](ScenarioBody& b) { b.vy = 10; };
    for (int frame = 1; frame <= 5; ++frame) {
        s.Run(1);
        EXPECT_EQ(body->x, 700) << "against the column's left face";
        EXPECT_EQ(body->y, 900 + 10 * frame) << "its fall goes on";
        EXPECT_EQ(body->FindBlockOverlap(), nullptr);
        EXPECT_FALSE(PassedThroughACell(grid, 1000, 850, *body));
    }
    EXPECT_TRUE(body->contacts.empty());
}

TEST(TerrainPushOut, ABodyGrownIntoTheCeilingOfAOneCellTunnelLeavesByItsMouthNotOntoTheRoof) {
    // The tunnel runs under cells 1 to 6 (x 400..2800, y 800..1200); the
    // walker, grown 50 into its ceiling (450 tall), walks right in it. Its
    // nearer mouth lies 1100 away, the roof over it 800.
    const std::vector<std::string> grid = {"........", ".######.", "........", "########"};
    Scenario s(grid, {{'#', kStone}});
    ScenarioBody* body = s.Add(std::make_unique<ScenarioBody>(WalkerBody()), 1400, 1100);
    body->falls = true;
    body->SetBody({-100, 100, -350, 100});
    body->vx = 10;
    s.Run(5);
    EXPECT_EQ(body->x, 300) << "out of the nearer mouth, touching the tunnel's side";
    EXPECT_EQ(body->y, 1100) << "standing on the floor";
    EXPECT_EQ(body->contacts, std::vector<int32_t>{3}) << "stopped as by a wall";
    EXPECT_EQ(body->vx, 0);
    EXPECT_EQ(body->FindBlockOverlap(), nullptr);
}

TEST(TerrainPushOut, BodiesStartedInsideRandomLayoutsEndOutsideEverySolidAndPassThroughNone) {
    // Layouts of 10 x 8 cells: a floor along the bottom edge with a step on
    // it, a column of three stacked cells and a one-cell tunnel (a ceiling
    // two rows over a floor), placed anywhere, meeting each other and the
    // map's edges. Bodies that fit a cell start inside them with their middle
    // in a free cell or in a solid cell beside a free one, and move a little.
    std::mt19937 rng(48);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    int started = 0;
    for (int layout = 0; layout < 200; ++layout) {
        std::vector<std::string> grid(8, std::string(10, '.'));
        auto solid = [&grid](int c, int r) { return c >= 0 && c < 10 && r >= 0 && r < 8 && grid[r][c] == '#'; };
        auto run = [&grid](int row, int from, int to) {
            for (int c = std::max(from, 0); c <= std::min(to, 9); ++c) grid[row][c] = '#';
        };
        run(7, pick(-3, 3), pick(6, 12));
        const int step = pick(0, 9), column = pick(0, 9), top = pick(0, 5), tunnel = pick(0, 4), from = pick(-2, 8);
        run(6, step, step + pick(0, 2));
        for (int r = top; r < top + 3; ++r) run(r, column, column);
        run(tunnel, from, from + pick(1, 5));
        run(tunnel + 2, from, from + pick(1, 5));
        Scenario s(grid, {{'#', kStone}});
        ScenarioBody* body = s.Add(std::make_unique<ScenarioBody>(WalkerBody()), 0, 0);
        for (int tries = 0; tries < 40; ++tries) {
            const int32_t mx = pick(-200, 4200), my = pick(-200, 3400), w = pick(50, 150) * 2, h = pick(50, 175) * 2;
            const int c = mx / kTileSize - (mx < 0), r = my / kTileSize - (my < 0);
            if (solid(c, r) && solid(c - 1, r) && solid(c + 1, r) && solid(c, r - 1) && solid(c, r + 1)) continue;
            body->SetBody({-w / 2, w / 2, -h / 2, h / 2});
            body->SetPosition(mx, my);
            if (body->FindBlockOverlap() == nullptr) continue;
            ++started;
            body->Move(pick(-100, 100), pick(-50, 49) * 2 + 1);  // never a move of nothing
            SCOPED_TRACE(testing::Message() << "layout " << layout << ", " << w << " x " << h << " body from " << mx
                                            << ", " << my << " to " << body->x << ", " << body->y);
            EXPECT_EQ(body->FindBlockOverlap(), nullptr);
            EXPECT_FALSE(PassedThroughACell(grid, mx, my, *body));
        }
    }
    EXPECT_GT(started, 2000);
}
