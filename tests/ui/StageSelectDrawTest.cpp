// The stage-select screen's preview: the picture of the cell under the
// cursor from the interface sheet, 160 x 80 drawn at the preview frame's
// place under its frame, and neither while the frame is hidden.
#include <vector>

#include "ui/GameInputTitleStageSelect.h"
#include "ui/UiTestSupport.h"
#include "win/Sprite.h"

namespace {

class StageSelectDraw : public testing_support::ScreenTest {
protected:
    void TearDown() override {
        SetSpriteObserver(nullptr);
        ScreenTest::TearDown();
    }
    std::vector<SpriteDraw> Previews() {
        std::vector<SpriteDraw> found;
        SetSpriteObserver([&](const SpriteDraw& d) {
            if (d.w == 160 && d.h == 80) found.push_back(d);
        });
        select->Draw();
        SetSpriteObserver(nullptr);
        return found;
    }
    CGameInputTitleStageSelect* select = CGameInputTitleStageSelect::GetInstance();
};

TEST_F(StageSelectDraw, ThePreviewShowsTheCellUnderTheCursor) {
    CGameInputController::GetInstance()->SetInput(ScreenId::TitleStageSelect);
    Frame();
    struct Case {
        int32_t row, column, srcX, srcY;
    };
    const Case cases[] = {
        {0, 0, 0, 240},   {0, 1, 320, 240}, {0, 3, 160, 240}, {1, 0, 320, 160}, {1, 1, 320, 400},
        {2, 1, 320, 320}, {3, 3, 320, 240}, {4, 2, 0, 400},   {5, 0, 0, 320},   {5, 3, 0, 320},
    };
    for (const Case& c : cases) {
        select->SelectCell(c.row, c.column);
        const std::vector<SpriteDraw> drawn = Previews();
        // The picture, then the frame over it (14: 160, 0).
        ASSERT_EQ(drawn.size(), 2u) << c.row << "," << c.column;
        EXPECT_EQ(drawn[1].srcX, 160);
        EXPECT_EQ(drawn[1].srcY, 0);
        EXPECT_EQ(drawn[0].slot, 14);
        EXPECT_EQ(drawn[0].x, 80);
        EXPECT_EQ(drawn[0].y, 20);
        EXPECT_EQ(drawn[0].srcX, c.srcX) << c.row << "," << c.column;
        EXPECT_EQ(drawn[0].srcY, c.srcY) << c.row << "," << c.column;
    }
    select->m_preview.SetVisible(false);
    EXPECT_TRUE(Previews().empty());
    select->m_preview.SetVisible(true);
}

}  // namespace
