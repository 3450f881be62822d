// What the status screen draws once its window has opened: each item slot
// as the item's icon, white in use and grey otherwise, or the grey empty
// frame for an item not owned; the owned characters side by side, the one
// chosen white; nothing of them while the window still opens.
#include <cstdint>
#include <vector>

#include "player/Item.h"
#include "ui/GameInputTitleState.h"
#include "ui/UiTestSupport.h"
#include "win/Sprite.h"

namespace {

struct Drawn {
    int32_t x, y, slot, srcX, srcY, w, h;
    uint32_t colour;
};

class StatusDraw : public testing_support::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        SetSpriteObserver([this](const SpriteDraw& d) {
            drawn.push_back({d.x, d.y, d.slot, d.srcX, d.srcY, d.w, d.h, DrawParams::colour});
        });
    }
    void TearDown() override {
        SetSpriteObserver(nullptr);
        ScreenTest::TearDown();
    }
    std::vector<Drawn> At(int32_t x, int32_t y) {
        std::vector<Drawn> found;
        for (const Drawn& d : drawn)
            if (d.x == x && d.y == y) found.push_back(d);
        return found;
    }
    void DrawScreen() {
        drawn.clear();
        screen->Draw();
    }

    CGameInputTitleState* screen = CGameInputTitleState::GetInstance();
    std::vector<Drawn> drawn;
};

TEST_F(StatusDraw, OwnedItemsShowTheirIconsInUseWhiteAndTheRestGreyOrEmpty) {
    CItem* items = CItem::GetInstance();
    // Kind 1 owned and in use, kind 2 owned and off, kind 3 not owned.
    items->SetCount(1, 1);
    items->SetFlag(1, 1);
    items->SetCount(2, 1);
    items->SetFlag(2, 0);
    items->SetCount(3, 0);
    // Characters: the first owned and chosen, the second owned, the third not.
    items->SetCount(16, 1);
    items->SetCount(17, 0);
    items->SetFlag(15, 1);
    CGameInputController::GetInstance()->SetInput(ScreenId::TitleState);

    Frame();
    DrawScreen();
    EXPECT_TRUE(At(152, 118).empty()) << "nothing of the slots while the window opens";
    for (int i = 0; i < 14 && screen->m_window.IsResizing(); ++i) Frame();
    ASSERT_FALSE(screen->m_window.IsResizing());
    DrawScreen();

    // item slot, its place, drawn from the icon sheet (true) or as the empty
    // frame (14: 160, 110, 21, 21), its colour.
    struct Case {
        int slot;
        int32_t x, y;
        bool icon;
        uint32_t colour;
    };
    const Case cases[] = {
        {1, 152, 118, true, 0xFFFFFFFFu},
        {2, 196, 118, true, 0xFF808080u},
        {3, 240, 118, false, 0xFF808080u},
        {7, 152, 162, false, 0xFF808080u},
    };
    for (const Case& c : cases) {
        const std::vector<Drawn> here = At(c.x, c.y);
        ASSERT_EQ(here.size(), 1u) << "slot " << c.slot;
        EXPECT_EQ(here[0].slot, 14) << "slot " << c.slot;
        EXPECT_EQ(here[0].colour, c.colour) << "slot " << c.slot;
        const bool emptyFrame = here[0].srcX == 160 && here[0].srcY == 110 && here[0].w == 21 && here[0].h == 21;
        EXPECT_EQ(emptyFrame, !c.icon) << "slot " << c.slot;
    }

    // Two owned characters centred on 240: at 196 and 240 on y 248; the
    // third is not drawn.
    const std::vector<Drawn> first = At(196, 248), second = At(240, 248);
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(first[0].colour, 0xFFFFFFFFu);
    EXPECT_EQ(second[0].colour, 0xFF808080u);
    EXPECT_TRUE(At(284, 248).empty());
    EXPECT_EQ(DrawParams::colour, 0xFFFFFFFFu) << "put back afterwards";
    EXPECT_EQ(DrawParams::colourMode, 0);

    // The second character in use turns the colours round.
    items->SetFlag(16, 1);
    DrawScreen();
    ASSERT_EQ(At(196, 248).size(), 1u);
    EXPECT_EQ(At(196, 248)[0].colour, 0xFF808080u);
    EXPECT_EQ(At(240, 248)[0].colour, 0xFFFFFFFFu);
}

}  // namespace
