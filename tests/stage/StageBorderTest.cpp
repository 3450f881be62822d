// The edges of every stage as the player sees them: with the camera at its
// leftmost, rightmost, top and bottom places the view shows the stage's own
// backdrop and walls to its edges, never a column or row left empty; and a
// drop out of the stage shows nothing at its bottom that looks like ground.
// With PELLUMBRISK_SHOTS=dir the views are written there.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <utility>

#include "framework/Effect.h"
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

    // The first column and row of the view that hold nothing but the
    // empty colour, or -1; the columns of the masks at the view's sides
    // (`masked` pixels each) are not looked at.
    static std::pair<int, int> EmptyLines(int masked) {
        const platform::GraphicsDevice* d = GetDevice();
        const int w = Game()->GetViewWidth(), h = Game()->GetViewHeight();
        int column = -1, row = -1;
        for (int x = masked; x < w - masked && column < 0; ++x) {
            int y = 0;
            while (y < h && d->Pixel(x, y) == kEmpty) ++y;
            if (y == h) column = x;
        }
        for (int y = 0; y < h && row < 0; ++y) {
            int x = 0;
            while (x < w && d->Pixel(x, y) == kEmpty) ++x;
            if (x == w) row = y;
        }
        return {column, row};
    }

    std::string shots;
};

}  // namespace

TEST_F(StageBorderTest, EveryStageShowsItsBackdropToTheViewsEdgesAtEveryEndOfItsCamera) {
    struct End {
        const char* name;
        int32_t sx, sy;
    };
    // The four corners the camera reaches hold every end of it.
    const End ends[] = {{"top-left", -1, -1}, {"top-right", 1, -1}, {"bottom-left", -1, 1}, {"bottom-right", 1, 1}};
    for (int32_t mapId = 266; mapId <= 273; ++mapId) {
        // The shrine room of 273 is three cells narrower than the view and
        // its backdrop keeps to the ring of border cells around it: the
        // black masks stand in the 20 pixels past each side.
        const int masked = mapId == 273 ? 20 : 0;
        Game()->StartStage(mapId);
        ASSERT_NE(Stage(), nullptr);
        ASSERT_NE(Player(), nullptr);
        CEffect::GetInstance()->ResetScreenEffects();  // no fade-in over the view
        for (const End& end : ends) {
            SCOPED_TRACE(testing::Message() << "stage " << mapId << " at its " << end.name << " corner");
            CameraToEnd(end.sx, end.sy);
            DrawView();
            const auto [column, row] = EmptyLines(masked);
            EXPECT_EQ(column, -1) << "camera " << Stage()->m_cameraX << "," << Stage()->m_cameraY;
            EXPECT_EQ(row, -1) << "camera " << Stage()->m_cameraX << "," << Stage()->m_cameraY;
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
