// The HUD opened on each screen size: the touch pad as wide as the view
// (0 for a width the layouts do not know), black bands over the edges at
// 512, none at 480 and 568, and the bands left as they were otherwise.
#include "ui/UiTestSupport.h"

namespace {

using HudWidths = testing_support::PlayTest;

TEST_F(HudWidths, ThePadAndTheEdgeBandsFollowTheWidthItOpensOn) {
    struct Case {
        int32_t width, height;
        int32_t pad;
        int32_t bandTop, bandBottom, bandWidth;
    };
    // In this order: the rows after 512 that lay nothing out keep its bands.
    const Case cases[] = {
        {512, 384, 512, -32, 320, 512}, {320, 480, 320, -32, 320, 512}, {600, 320, 0, -32, 320, 512},
        {568, 320, 568, 0, 0, 0},       {512, 320, 512, -32, 256, 512}, {480, 320, 480, 0, 0, 0},
    };
    for (const Case& c : cases) {
        game->m_screenWidth = c.width;
        game->m_screenHeight = c.height;
        hud->Open();
        EXPECT_EQ(hud->m_touchPad.width, c.pad) << c.width << "x" << c.height;
        EXPECT_EQ(hud->m_touchPad.x, 0);
        EXPECT_EQ(hud->m_edgeMaskTop.y, c.bandTop) << c.width << "x" << c.height;
        EXPECT_EQ(hud->m_edgeMaskBottom.y, c.bandBottom) << c.width << "x" << c.height;
        EXPECT_EQ(hud->m_edgeMaskTop.width, c.bandWidth) << c.width << "x" << c.height;
        EXPECT_EQ(hud->m_edgeMaskBottom.width, c.bandWidth) << c.width << "x" << c.height;
        EXPECT_EQ(hud->m_edgeMaskBottom.height, c.bandWidth ? 32 : 0) << c.width << "x" << c.height;
    }
}

TEST_F(HudWidths, ItIsPlayingOnlyWhileNothingIsOpenOverIt) {
    EXPECT_TRUE(hud->IsPlaying());
    PressPauseKey();
    EXPECT_EQ(hud->GetState(), ScreenState::Idle);
    EXPECT_FALSE(hud->IsPlaying());
}

}  // namespace
