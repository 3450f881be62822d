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
            if (d.w == 160 && d.h == 80) {
                found.push_back(d);
                colours.push_back(DrawParams::colour);
            }
        });
        select->Draw();
        SetSpriteObserver(nullptr);
        return found;
    }
    CGameInputTitleStageSelect* select = CGameInputTitleStageSelect::GetInstance();
    std::vector<uint32_t> colours;
};

TEST_F(StageSelectDraw, ThePreviewShowsTheCellUnderTheCursor) {
    CGameInputController::GetInstance()->SetInput(ScreenId::TitleStageSelect);
    Frame();
    struct Case {
        int32_t row, column, srcX, srcY;
        uint32_t colour;  // a cell without a stage of this game is dimmed
    };
    const Case cases[] = {
        {0, 0, 0, 240, 0xFFFFFFFFu},   {0, 1, 320, 240, 0xFFFFFFFFu}, {0, 3, 160, 240, 0xFFFFFFFFu},
        {1, 0, 320, 160, 0xFFFFFFFFu}, {1, 1, 320, 400, 0xFF808080u}, {2, 1, 320, 320, 0xFF808080u},
        {3, 3, 320, 240, 0xFF808080u}, {4, 2, 0, 400, 0xFF808080u},   {5, 0, 0, 320, 0xFF808080u},
        {5, 3, 0, 320, 0xFF808080u},
    };
    for (const Case& c : cases) {
        select->SelectCell(c.row, c.column);
        colours.clear();
        const std::vector<SpriteDraw> drawn = Previews();
        ASSERT_EQ(colours.size(), 2u);
        EXPECT_EQ(colours[0], c.colour) << c.row << "," << c.column;
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
