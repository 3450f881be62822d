// Widget tracks and the built-in font at their edges: the alignment flags
// of every corner, the disabled glyph set, bytes outside the font, fades
// both ways, a flash of an unknown mode and a move of an unknown mode.
#include <gtest/gtest.h>

#include <vector>

#include "ui/Widget.h"
#include "win/Sprite.h"

namespace {

std::vector<SpriteDraw> DrawnText(CWidget& w, int32_t flags, const char* text) {
    std::vector<SpriteDraw> calls;
    SetSpriteObserver([&](const SpriteDraw& d) { calls.push_back(d); });
    w.DrawText(10, 10, 100, 40, flags, text);
    SetSpriteObserver(nullptr);
    return calls;
}

TEST(WidgetFontEdges, TheFlagsPlaceTheLinesInEachCornerAndTheMiddle) {
    CWidget w;
    w.InitAnimation(0, 0, 100, 40, SpriteKey{}, 1.0f);
    // Cells 7 x 10 at scale 2: "AB" is 16 wide, "C" 10; two lines 21 high.
    w.SetGlyphSet(0, 20, 7, 7, 10, 2.0);
    struct Case {
        int32_t flags;
        int32_t ax, ay, cx, cy;  // the first glyph ('A') and the second line's ('C')
    };
    const Case cases[] = {
        {5, 10, 10, 10, 32},   // top, left
        {15, 94, 29, 100, 51},  // bottom, right
        {9, 52, 10, 55, 32},   // top, centred across
        {6, 10, 19, 10, 41},   // middle, left
        {7, 10, 29, 10, 51},   // bottom, left
        {13, 94, 10, 100, 32},  // top, right
        {10, 52, 19, 55, 41},  // middle, centred
    };
    for (const Case& c : cases) {
        const std::vector<SpriteDraw> calls = DrawnText(w, c.flags, "AB\nC");
        ASSERT_EQ(calls.size(), 3u) << "flags " << c.flags;
        EXPECT_EQ(calls[0].x, c.ax) << "flags " << c.flags;
        EXPECT_EQ(calls[0].y, c.ay) << "flags " << c.flags;
        EXPECT_EQ(calls[2].x, c.cx) << "flags " << c.flags;
        EXPECT_EQ(calls[2].y, c.cy) << "flags " << c.flags;
    }
}

TEST(WidgetFontEdges, ADisabledWidgetWritesWithItsOwnGlyphsAndOtherBytesTakeNoRoom) {
    CWidget w;
    w.InitAnimation(0, 0, 100, 40, SpriteKey{}, 1.0f);
    w.SetGlyphSets(0, 20, 7, 7, 10, 1.0, 100, 40, 8, 7, 10, 1.0);
    std::vector<SpriteDraw> calls = DrawnText(w, 5, "A");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].slot, 7);
    EXPECT_EQ(calls[0].srcX, 7);
    w.SetEnabled(false);
    calls = DrawnText(w, 5, "A");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].slot, 8);
    EXPECT_EQ(calls[0].srcX, 100 + 7);
    EXPECT_EQ(calls[0].srcY, 40 + 2 * 10);
    w.SetEnabled(true);

    // A control byte and a byte above 0x7F draw nothing and do not move the
    // pen: "B" follows "A" by one advance.
    calls = DrawnText(w, 5, "A\x01\xA0" "B");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].x - calls[0].x, 7);
    EXPECT_EQ(calls[1].srcX, 2 * 7);
}

TEST(WidgetTrackEdges, FadesRunBothWaysAndUnknownModesLeaveThingsBe) {
    CWidget w;
    w.InitAnimation(0, 0, 10, 10, SpriteKey{1, 0, 0, 8, 8, 0}, 1.0f);
    // in != 0: from 0 up to 255 on the tenth update; in == 0: down to 0.
    struct FadeCase {
        int32_t in, start, end;
    };
    for (const FadeCase c : {FadeCase{1, 0, 255}, FadeCase{0, 255, 0}, FadeCase{7, 0, 255}}) {
        w.Fade(10, c.in);
        EXPECT_EQ(w.alpha, c.start) << c.in;
        for (int i = 0; i < 9; ++i) w.Update();
        EXPECT_NE(w.alpha, c.end) << c.in;
        w.Update();
        EXPECT_EQ(w.alpha, c.end) << c.in;
    }

    // A flash of mode 3 runs between the values of the flash before it.
    w.FlashTo(4, 0);  // 255 down to 0
    for (int i = 0; i < 4; ++i) w.Update();
    w.FlashTo(4, 3);
    w.Update();
    EXPECT_EQ(w.colourMode, 2);
    EXPECT_EQ(w.flashValue, 255 - 255 * 1 / 4);
    w.Update();
    EXPECT_EQ(w.flashValue, 255 - 255 * 2 / 4);
    w.Update();
    w.Update();
    EXPECT_EQ(w.flashValue, 255);
    EXPECT_EQ(w.colourMode, 0);

    // A move of mode 3 places the widget at its start and leaves it there,
    // also when its frames are up.
    w.MoveTo(20, 120, 30, 130, 5, 3);
    for (int i = 0; i < 4; ++i) {
        w.Update();
        EXPECT_EQ(w.x, 20);
        EXPECT_EQ(w.y, 30);
    }
    w.Update();
    EXPECT_EQ(w.x, 20);
    EXPECT_EQ(w.y, 30);
    EXPECT_FALSE(w.IsMoving());
}

}  // namespace
