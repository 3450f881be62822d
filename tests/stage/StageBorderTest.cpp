// The edges of every stage as the player sees them: with the camera at its
// leftmost, rightmost, top and bottom places the view shows the stage's own
// backdrop and walls up to the stage's edges, never a column or row of the
// stage left empty, and black beyond them; and a drop out of the stage shows
// nothing at its bottom that looks like ground.
// With PELLUMBRISK_SHOTS=dir the views are written there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>

#include "framework/Effect.h"
#include "framework/SaveTestDir.h"
#include "framework/StateLoading.h"
#include "framework/StateMain.h"
#include "stage/MapGrid.h"
#include "stage/StageTestSupport.h"
#include "support/Screenshot.h"
#include "win/Graphics.h"

using testing_support::StagePlayTest;

namespace {

constexpr uint32_t kEmpty = 0xFF000000u;  // the colour the frame is cleared to

class StageBorderTest : public StagePlayTest {
protected:
    void SetUp() override {
        StagePlayTest::SetUp();
        ASSERT_TRUE(InitGraphics());
        Game()->LoadTexturePages();
        CGameStateLoading::GetInstance()->LoadResources();
        if (const char* dir = std::getenv("PELLUMBRISK_SHOTS")) shots = dir;
    }
    void TearDown() override {
        StagePlayTest::TearDown();
        ReleaseGraphics();
    }

    // Holds the player far out toward (sx, sy) until the camera stands
    // still at the end it allows that way.
    void CameraToEnd(int32_t sx, int32_t sy) {
        CStageData* s = Stage();
        CCharacter* p = Player();
        for (int i = 0; i < 4000; ++i) {
            p->x = sx * 1000000 - s->m_cameraX;
            p->y = sy * 1000000 - s->m_cameraY;
            p->vx = 0;
            const int32_t x = s->m_cameraX, y = s->m_cameraY;
            s->UpdateCamera();
            if (s->m_cameraX == x && s->m_cameraY == y) break;
        }
        // Back in the middle of the view, so that nothing of the player's
        // covers an edge.
        p->x = 10 * Game()->GetViewWidth() / 2;
        p->y = 10 * Game()->GetViewHeight() / 2;
    }

    // The play picture: the world and the stage's drawing, without the HUD.
    void DrawView() {
        GetDevice()->Clear(kEmpty, 1.0f);
        DrawPlayScene();
    }

    // The first column and row of the stage's part of the view that hold
    // nothing but the empty colour, or -1.
    static std::pair<int, int> EmptyLines() {
        const platform::GraphicsDevice* d = GetDevice();
        const CStageData* s = Stage();
        const int w = Game()->GetViewWidth(), h = Game()->GetViewHeight();
        const int left = std::max(0, -s->m_cameraX / 10), right = std::min(w, (s->m_width * 400 - s->m_cameraX) / 10);
        const int top = std::max(0, -s->m_cameraY / 10), bottom = std::min(h, (s->m_height * 400 - s->m_cameraY) / 10);
        int column = -1, row = -1;
        for (int x = 0; x < w && column < 0; ++x) {
            if (x < left || x >= right) continue;
            int y = 0;
            while (y < h && d->Pixel(x, y) == kEmpty) ++y;
            if (y == h) column = x;
        }
        for (int y = 0; y < h && row < 0; ++y) {
            if (y < top || y >= bottom) continue;
            int x = 0;
            while (x < w && d->Pixel(x, y) == kEmpty) ++x;
            if (x == w) row = y;
        }
        return {column, row};
    }

    // The pixels of the view outside the stage that show anything but black.
    static int LitPixelsOutside() {
        const platform::GraphicsDevice* d = GetDevice();
        const CStageData* s = Stage();
        const int w = Game()->GetViewWidth(), h = Game()->GetViewHeight();
        int lit = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int mx = s->m_cameraX + 10 * x, my = s->m_cameraY + 10 * y;
                const bool outside = mx + 10 <= 0 || mx >= s->m_width * 400 || my + 10 <= 0 || my >= s->m_height * 400;
                lit += outside && d->Pixel(x, y) != kEmpty;
            }
        return lit;
    }

    std::string shots;
    SaveTestDir saves;  // the loading reads no save of another run
};

}  // namespace

TEST_F(StageBorderTest, EveryStageShowsItsBackdropToItsEdgesAndBlackBeyondAtEveryEndOfItsCamera) {
    struct End {
        const char* name;
        int32_t sx, sy;
    };
    // The four corners the camera reaches hold every end of it.
    const End ends[] = {{"top-left", -1, -1}, {"top-right", 1, -1}, {"bottom-left", -1, 1}, {"bottom-right", 1, 1}};
    for (int32_t mapId = 266; mapId <= 273; ++mapId) {
        Game()->StartStage(mapId);
        ASSERT_NE(Stage(), nullptr);
        ASSERT_NE(Player(), nullptr);
        CEffect::GetInstance()->ResetScreenEffects();  // no fade-in over the view
        for (const End& end : ends) {
            SCOPED_TRACE(testing::Message() << "stage " << mapId << " at its " << end.name << " corner");
            CameraToEnd(end.sx, end.sy);
            DrawView();
            const auto [column, row] = EmptyLines();
            EXPECT_EQ(column, -1) << "camera " << Stage()->m_cameraX << "," << Stage()->m_cameraY;
            EXPECT_EQ(row, -1) << "camera " << Stage()->m_cameraX << "," << Stage()->m_cameraY;
            EXPECT_EQ(LitPixelsOutside(), 0) << "camera " << Stage()->m_cameraX << "," << Stage()->m_cameraY;
            if (!shots.empty())
                testing_support::WriteScreenshot(shots + "/border-" + std::to_string(mapId) + "-" + end.name + ".png");
        }
    }
}

// A column with no solid cell from the ground's row down is a drop out of the
// stage, which kills at once. Its backdrop there must not be any of the
// pictures the stage shows behind its solid earth.
TEST(StagePits, NothingAtTheBottomOfADropLooksLikeGroundToStandOn) {
    constexpr int32_t kGroundRow = 11;  // the ground's top on the stages eight cells high
    int drops = 0;
    for (int i = 0; i < kStageMapCount; ++i) {
        const StageMapData& map = kStageMaps[i];
        if (map.height != 8) continue;  // the tower ends on its floor
        const testing_support::MapGrid g(map);
        const int32_t lastRow = map.height + 5;  // the border row under the stage
        // Behind the columns of solid earth from the ground's top down.
        std::set<StageMapCell> ground;
        for (int32_t c = 0; c < map.width + 10; ++c) {
            bool earth = true;
            for (int32_t r = kGroundRow; r <= lastRow && earth; ++r) earth = g.Solid(c, r);
            for (int32_t r = kGroundRow; r <= lastRow && earth; ++r) ground.insert(g.B(c, r));
        }
        for (int32_t c = 5; c < map.width + 5; ++c) {
            bool drop = true;
            for (int32_t r = kGroundRow; r < map.height + 10 && drop; ++r) drop = !g.Solid(c, r);
            if (!drop) continue;
            ++drops;
            for (int32_t r = kGroundRow; r <= lastRow; ++r)
                EXPECT_EQ(ground.count(g.B(c, r)), 0u)
                    << map.name << " column " << c << " row " << r << ": " << (g.B(c, r) & kMapCellTypeMask);
        }
    }
    EXPECT_GT(drops, 20);
}
