// Bodies that start a move already inside terrain (a changed body, a bob or
// a push put them there): each goes to the nearest free place it reaches
// without passing through a solid, never under the map, and meets the solid
// as a move into it would when it ends against it, instead of being pushed
// back along a whole row or column of blocks or through a ceiling; with no
// such place it stays where it is. And the drifter whose bob dips into the
// floor, without the ground check of its drift.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

TEST(TerrainPushOut, ABodyGoesUpOutOfTheBottomRowStaysWithNoWayOutAndLandsOnlyOnAFloor) {
    // Each body moves once by its speed; boxes are centred on its position.
    struct Case {
        const char* what;
        std::vector<std::string> grid;
        int32_t halfW, halfH, x, y, dx, dy;
        int32_t wantX, wantY, contact;
    };
    const std::string row(10, '.'), full(10, '#');
    const Case cases[] = {
        {"200 x 300, 350 deep in a floor that is the map's last row (1200..1600), falling 10: up onto it",
         {row, row, row, full}, 100, 150, 1000, 1400, 0, 10, 1000, 1050, 4},
        {"230 x 452 in the one free row between two full ones, its top in the upper: stays",
         {row, row, row, row, row, row, full, row, full}, 115, 226, 1660, 2818, 71, -79, 1660, 2818, 0},
        {"wholly inside a lump of 3 x 3 cells, falling 10: stays",
         {row, ".###......", ".###......", ".###......", row}, 100, 150, 1000, 950, 0, 10, 1000, 950, 0},
        {"falling, its way out up beside a column (x 800..1200, y 400..1200) into the air: no landing",
         {row, "..#.......", "..#.......", row}, 50, 50, 830, 799, 0, 20, 750, 750, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scenario s(c.grid, {{'#', kStone}});
        const ScenarioBody::Box box{-c.halfW, c.halfW, -c.halfH, c.halfH};
        ScenarioBody* body = s.Add(std::make_unique<ScenarioBody>(box), c.x, c.y);
        body->vx = c.dx;
        body->vy = c.dy;
        body->Move(c.dx, c.dy);
        EXPECT_EQ(body->x, c.wantX);
        EXPECT_EQ(body->y, c.wantY);
        EXPECT_EQ(body->contacts, c.contact ? std::vector<int32_t>{c.contact} : std::vector<int32_t>{});
        EXPECT_EQ(body->vy, c.contact == 4 ? 0 : c.dy);
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

// Whether the middle of a body, going straight from (mx, my) to (ex, ey),
// enters a solid cell of the grid other than the one it started in (the
// line followed a quarter unit off, in half-unit steps).
bool PassedThroughACell(const std::vector<std::string>& grid, int32_t mx, int32_t my, int32_t ex, int32_t ey) {
    auto solidCell = [&grid](double px, double py) {
        const int c = static_cast<int>(std::floor(px / kTileSize)), r = static_cast<int>(std::floor(py / kTileSize));
        const bool solid = r >= 0 && r < static_cast<int>(grid.size()) && c >= 0 && c < 10 && grid[r][c] == '#';
        return solid ? r * 10 + c : -1;
    };
    const int start = solidCell(mx + 0.25, my + 0.25), n = 2 * (std::abs(ex - mx) + std::abs(ey - my));
    for (int i = 1; i <= n; ++i) {
        const int cell = solidCell(mx + 0.25 + (ex - mx) * i / double(n), my + 0.25 + (ey - my) * i / double(n));
        if (cell >= 0 && cell != start) return true;
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
        EXPECT_FALSE(PassedThroughACell(grid, 1000, 850, body->x, body->y - 50));
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

TEST(TerrainPushOut, BodiesStartedInsideRandomLayoutsLeaveByAWayTheirMiddleReachesOrStayPut) {
    // Layouts of 10 x 8 cells: a floor along the bottom edge with a step on
    // it, a column of three stacked cells, a one-cell tunnel (a ceiling two
    // rows over a floor), a lone ceiling and a lump of 3 x 3 cells, placed
    // anywhere, meeting each other and the map's edges. Bodies up to a cell
    // and bodies up to the bosses' 600 x 1180 start inside them and move a
    // little. Each ends outside every solid or, finding no way out, exactly
    // where it was; none is taken through a cell its middle was not in, nor
    // from the map to under its bottom edge (3200), and each solid it meets
    // (landing, bumping, walking into) it touches. A body up to a cell
    // always gets out when its middle is in a free cell or beside one (under
    // the last row is none).
    std::mt19937 rng(48);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    int started = 0, stayed = 0;
    for (int layout = 0; layout < 300; ++layout) {
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
        const int ceiling = pick(0, 6), lumpX = pick(-1, 8), lumpY = pick(0, 5);
        run(ceiling, pick(-2, 8), pick(0, 11));
        for (int r = lumpY; r < lumpY + 3; ++r) run(r, lumpX, lumpX + 2);
        Scenario s(grid, {{'#', kStone}});
        ScenarioBody* body = s.Add(std::make_unique<ScenarioBody>(WalkerBody()), 0, 0);
        for (int tries = 0; tries < 40; ++tries) {
            const bool small = pick(0, 1) == 0;
            const int32_t mx = pick(-200, 4200), my = pick(-200, 3400);
            const int32_t w = pick(10, small ? 200 : 300) * 2, h = small ? pick(10, 200) * 2 : pick(201, 590) * 2;
            body->SetBody({-w / 2, w / 2, -h / 2, h / 2});
            body->SetPosition(mx, my);
            if (body->FindBlockOverlap() == nullptr) continue;
            ++started;
            const int32_t dx = pick(-100, 100), dy = pick(-50, 49) * 2 + 1;  // never a move of nothing
            body->vx = dx;
            body->vy = dy;
            body->contacts.clear();
            body->Move(dx, dy);
            SCOPED_TRACE(testing::Message() << "layout " << layout << ", " << w << " x " << h << " body from " << mx
                                            << ", " << my << " moving " << dx << ", " << dy << " to " << body->x
                                            << ", " << body->y);
            const int c = static_cast<int>(std::floor(mx / 400.0)), r = static_cast<int>(std::floor(my / 400.0));
            const bool roomBeside = !solid(c, r) || !solid(c - 1, r) || !solid(c + 1, r) || !solid(c, r - 1) ||
                                    (r < 7 && !solid(c, r + 1));
            if (body->FindBlockOverlap() != nullptr) {
                ++stayed;
                EXPECT_FALSE(small && roomBeside) << "no way out found";
                EXPECT_EQ(body->x, mx);
                EXPECT_EQ(body->y, my);
                continue;
            }
            // Its push ended where it ends or at most its own step to the side:
            // no way from its middle there runs through a cell, and each solid
            // it met (landing, bumping, walking into) it touched there.
            const int32_t endX = body->x;
            bool passed = true;
            std::vector<bool> touched(body->contacts.size());
            for (int32_t k = 0; k <= std::abs(dx); ++k) {
                body->x = endX - (dx < 0 ? -k : k);
                passed = passed && PassedThroughACell(grid, mx, my, body->x, body->y);
                for (size_t i = 0; i < touched.size(); ++i)
                    touched[i] = touched[i] || body->TouchesSolid(body->contacts[i]);
            }
            body->x = endX;
            EXPECT_FALSE(passed);
            EXPECT_EQ(std::ranges::count(touched, false), 0) << "met a solid it does not touch";
            EXPECT_FALSE(my < 3200 && body->y > 3200 && body->y - my > std::max(dy, 0)) << "taken under the map";
        }
    }
    EXPECT_GT(started, 6000);
    EXPECT_LT(stayed * 5, started);
}
