#include "ui/Widget.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/TextureHelpers.h"
#include "ui/UiTestSupport.h"
#include "ui/WidgetWindow.h"
#include "win/DrawString.h"
#include "win/Sprite.h"

namespace {

using testing_support::PointerTest;

// Positions of a widget over the frames of a move.
std::vector<int32_t> MoveXs(int32_t mode, int32_t frames) {
    CWidget w;
    w.MoveTo(0, 100, 0, 0, frames, mode);
    std::vector<int32_t> xs;
    for (int i = 0; i < frames; ++i) {
        w.Update();
        xs.push_back(w.x);
    }
    EXPECT_FALSE(w.IsMoving());
    return xs;
}

TEST(WidgetTracks, MovesLinearEaseInAndEaseOut) {
    EXPECT_EQ(MoveXs(0, 4), (std::vector<int32_t>{25, 50, 75, 100}));
    EXPECT_EQ(MoveXs(1, 4), (std::vector<int32_t>{0, 16, 50, 100}));
    EXPECT_EQ(MoveXs(2, 4), (std::vector<int32_t>{40, 70, 90, 100}));
    // An ease-in of one frame lands at its end instead of dividing by zero.
    EXPECT_EQ(MoveXs(1, 1), (std::vector<int32_t>{100}));
    // An unknown mode leaves the widget where MoveTo put it and still ends.
    EXPECT_EQ(MoveXs(7, 3), (std::vector<int32_t>{0, 0, 0}));
}

TEST(WidgetTracks, FadeFlashAndScale) {
    CWidget w;
    w.Fade(10, 1);
    EXPECT_EQ(w.alpha, 0);
    for (int i = 0; i < 9; ++i) w.Update();
    EXPECT_TRUE(w.IsFading());
    EXPECT_LT(w.alpha, 255);
    w.Update();
    EXPECT_EQ(w.alpha, 255);
    EXPECT_FALSE(w.IsFading());

    // Mode 2 blinks the factor alpha two frames at a time.
    w.FlashTo(8, 2);
    std::vector<int32_t> values;
    for (int i = 0; i < 7; ++i) {
        w.Update();
        EXPECT_EQ(w.colourMode, 2);
        values.push_back(w.flashValue);
    }
    EXPECT_EQ(values, (std::vector<int32_t>{255, 0, 0, 255, 255, 0, 0}));
    w.Update();
    EXPECT_EQ(w.flashValue, 255);
    EXPECT_EQ(w.colourMode, 0);
    EXPECT_FALSE(w.IsFlashing());

    w.FlashTo(4, 0);
    w.Update();
    EXPECT_EQ(w.flashValue, 192);

    w.ScaleAnim(1.0f, 3.0f, 2.0f, 0.0f, 4);
    EXPECT_EQ(w.scaleX, 1.0f);
    w.Update();
    EXPECT_FLOAT_EQ(w.scaleX, 1.5f);
    EXPECT_FLOAT_EQ(w.scaleY, 1.5f);
    for (int i = 0; i < 3; ++i) w.Update();
    EXPECT_EQ(w.scaleX, 3.0f);
    EXPECT_EQ(w.scaleY, 0.0f);
    EXPECT_FALSE(w.IsScaleAnimating());
}

TEST(WidgetTracks, SpriteKeysStepByStateAndKeepTheirIndex) {
    CWidget w;
    w.InitAnimation(0, 0, 10, 10, SpriteKey{3, 0, 0, 8, 8, 0}, 1.0f);
    w.SetSpriteTable(WidgetTable::Highlighted, {{3, 8, 0, 8, 8, 2}, {3, 16, 0, 8, 8, 2}});
    w.SetHighlight(true);
    std::vector<int32_t> index;
    for (int i = 0; i < 6; ++i) {
        w.Update();
        index.push_back(w.spriteIndex);
    }
    EXPECT_EQ(index, (std::vector<int32_t>{0, 1, 1, 0, 0, 1}));
    // Back to the one-key normal table: the index wraps into it.
    w.SetHighlight(false);
    EXPECT_EQ(w.spriteIndex, 0);
    EXPECT_EQ(w.CurrentTable(), WidgetTable::Normal);
    w.SetEnabled(false);
    EXPECT_EQ(w.CurrentTable(), WidgetTable::Disabled);
}

class WidgetTouch : public PointerTest {
protected:
    void SetUp() override {
        PointerTest::SetUp();
        parent.InitAnimation(100, 50, 200, 200, SpriteKey{}, 1.0f);
        button.InitAnimation(10, 20, 40, 30, SpriteKey{}, 1.0f);
        button.parent = &parent;
    }
    CWidget parent;
    CWidget button;
};

TEST_F(WidgetTouch, PositionVisibilityAndEnablingFollowTheParent) {
    EXPECT_EQ(button.GetX(), 110);
    EXPECT_EQ(button.GetY(), 70);
    EXPECT_TRUE(button.HitTest(110, 70));
    EXPECT_TRUE(button.HitTest(149, 99));
    EXPECT_FALSE(button.HitTest(150, 99));
    MoveTo(120, 80);
    Press();
    Poll();
    EXPECT_TRUE(button.IsTouchBegan());
    EXPECT_EQ(button.GetPointerLocalX(), 10);
    EXPECT_EQ(button.GetPointerLocalY(), 10);
    parent.SetVisible(false);
    EXPECT_FALSE(button.IsVisible());
    EXPECT_TRUE(button.visible);
    EXPECT_FALSE(button.IsTouchBegan());
    EXPECT_FALSE(button.IsPressed());
    EXPECT_TRUE(button.IsTouchedRaw()) << "the raw test looks at the widget's own flags only";
    parent.SetVisible(true);
    parent.SetEnabled(false);
    EXPECT_FALSE(button.IsEnabled());
    EXPECT_FALSE(button.IsTouchBegan());
}

TEST_F(WidgetTouch, AFreshPressCountsForTenFramesUnlessConsumed) {
    MoveTo(120, 80);
    Press();
    int frames = 0;
    for (; frames < 20; ++frames) {
        Poll();
        if (!button.IsTouchBegan()) break;
    }
    EXPECT_EQ(frames, 10);
    Release();
    Poll(2);

    Press();
    Poll();
    ASSERT_TRUE(button.IsTouchBegan());
    ConsumeTouch();
    EXPECT_FALSE(button.IsTouchBegan());
    EXPECT_FALSE(button.IsPressed());
    EXPECT_TRUE(button.IsTouchedRaw()) << "a consumed touch still touches";
    Poll(3);
    EXPECT_FALSE(button.IsTouchBegan()) << "consumed while held";
    EXPECT_FALSE(button.IsPressed()) << "taken, it is not held down either";
    // Released after a consumed press: neither a tap nor a release.
    Release();
    Poll();
    EXPECT_FALSE(button.IsTapped());
    EXPECT_FALSE(button.IsReleased());
    Press();
    Poll();
    EXPECT_TRUE(button.IsTouchBegan()) << "a new press counts again";
}

TEST_F(WidgetTouch, DraggedInTappedReleasedAndLongPressed) {
    // Held outside, then dragged in: entered on the first frame inside
    // only, and no fresh press.
    MoveTo(20, 20);
    Press();
    Poll();
    EXPECT_FALSE(button.IsTouchEntered());
    Poll(11);
    MoveTo(120, 80);
    Poll();
    EXPECT_TRUE(button.IsTouchEntered());
    EXPECT_FALSE(button.IsTouchBegan());
    Poll();
    EXPECT_FALSE(button.IsTouchEntered());
    EXPECT_TRUE(button.IsPressed());
    Release();
    Poll();
    EXPECT_FALSE(button.IsReleased()) << "the touch began outside";
    EXPECT_FALSE(button.IsTapped()) << "it moved";
    Poll(12);

    // A press of nine frames inside is a tap and a release.
    Press();
    Poll(9);
    Release();
    Poll();
    EXPECT_TRUE(button.IsTapped());
    EXPECT_TRUE(button.IsReleased());
    Poll(12);
    // Ten frames is no tap, but still a release.
    Press();
    Poll(10);
    EXPECT_TRUE(button.IsLongPressed());
    Release();
    Poll();
    EXPECT_FALSE(button.IsTapped());
    EXPECT_TRUE(button.IsReleased());
    EXPECT_FALSE(button.IsDraggedFrom());
}

// A text style whose single-byte page is slot 900 and double-byte page slot
// 901, with 8-pixel cells; the texts drawn are read back from the glyphs.
class WidgetText : public PointerTest {
protected:
    void SetUp() override {
        PointerTest::SetUp();
        testing_support::PutTexture(kAscii, 128);
        testing_support::PutTexture(kDouble, 1024);
        style.asciiCellWidth = style.doubleByteCellWidth = style.cellHeight = 8;
        style.asciiAdvance = style.doubleByteAdvance = style.lineSpacing = 8;
        style.asciiTexture = kAscii;
        style.doubleByteTexture = kDouble;
        w.InitAnimation(0, 0, 400, 100, SpriteKey{}, 1.0f);
        w.SetTextRect(0, 0, 400, 100, 5);
        w.InitTextStyleKeys(&style);
        SetGlyphObserver([this](const GlyphDraw& g) {
            if (g.slot == kDouble) {
                shown += "#";
            } else {
                shown += static_cast<char>(((g.srcY / 8) + 2) * 16 + g.srcX / 8);
            }
        });
    }
    void TearDown() override {
        SetGlyphObserver(nullptr);
        PointerTest::TearDown();
    }
    // One frame: input, the widget's update, and what it draws ("#" stands
    // for a double-byte glyph).
    std::string Frame() {
        Poll();
        w.Update();
        shown.clear();
        w.Draw();
        return shown;
    }
    void Tap() {
        Press();
        Poll();
        w.Update();
        Release();
    }

    static constexpr int kAscii = 900;
    static constexpr int kDouble = 901;
    CDrawString style;
    CWidget w;
    std::string shown;
};

TEST_F(WidgetText, TypewriterPagesPromptAndPresses) {
    const char text[] = "AB\fC";
    w.StartTypewriter(text, 0, 0, 0);
    EXPECT_EQ(Frame(), "A");
    EXPECT_EQ(Frame(), "AB#");  // the page prompt blinks at the break
    EXPECT_TRUE(sounds.empty());
    Tap();
    EXPECT_EQ(sounds, (std::vector<int32_t>{35}));
    shown.clear();
    w.Draw();
    EXPECT_EQ(shown, "") << "the new page starts empty";
    EXPECT_EQ(Frame(), "C#");
    for (int i = 0; i < 20; ++i) Frame();
    EXPECT_EQ(Frame(), "C") << "the prompt is off for 20 frames";
    Tap();
    EXPECT_FALSE(w.IsTypewriting());
    EXPECT_EQ(Frame(), "");
    EXPECT_EQ(sounds.size(), 2u);
}

TEST_F(WidgetText, APressWhileTypingShowsTheRestOfThePageSilently) {
    const char text[] = "HELLO\fWORLD";
    w.StartTypewriter(text, 5, 0, 0);
    Frame();
    Tap();
    EXPECT_EQ(w.typewriterIndex, 5);
    EXPECT_TRUE(sounds.empty());
    Poll(3);
    // The next press turns the page, with the sound.
    Tap();
    EXPECT_EQ(sounds, (std::vector<int32_t>{35}));
    EXPECT_EQ(w.typewriterIndex, 6);
}

TEST_F(WidgetText, AutoAdvanceHoldsEachPageAndIgnoresPresses) {
    const char text[] = "AB\fCD";
    w.StartTypewriter(text, -80, 80, 1);
    EXPECT_EQ(Frame(), "AB") << "whole page at once, no prompt";
    // Shown on the typing frame and 80 more; the 81st frame at the break
    // starts the next page.
    int waited = 0;
    while (w.typewriterIndex == 2 && waited < 200) {
        if (waited == 10) {
            Tap();
        } else {
            Frame();
        }
        ++waited;
    }
    EXPECT_EQ(waited, 81);
    EXPECT_TRUE(sounds.empty());
    EXPECT_EQ(Frame(), "CD");
}

TEST_F(WidgetText, DoubleByteCharactersAreNeverSplit) {
    // Two full-width characters and a lead byte without its trail.
    const char text[] = "\x82\xA0\x82\xA2Z\x82";
    w.StartTypewriter(text, 0, 0, 0);
    std::vector<int32_t> index;
    while (w.IsTypewriting() && index.size() < 10) {
        Frame();
        index.push_back(w.typewriterIndex);
    }
    // The lone lead byte at the end is shown as far as the text goes.
    EXPECT_EQ(index, (std::vector<int32_t>{2, 4, 5, 6, 6, 6, 6, 6, 6, 6}));
}

TEST_F(WidgetText, TextsAreBoundedToTheirBuffers) {
    std::string longText(3000, 'A');
    w.SetText(longText.c_str());
    EXPECT_EQ(std::string(w.GetText()).size(), static_cast<size_t>(CWidget::kTextSize - 1));
    // A double-byte character across the limit is left out whole.
    std::string edge(CWidget::kTextSize - 2, 'A');
    edge += "\x82\xA0";
    w.SetText(edge.c_str());
    EXPECT_EQ(std::string(w.GetText()).size(), static_cast<size_t>(CWidget::kTextSize - 2));

    // The built-in font (no text styles) draws at most 247 characters.
    CWidget plain;
    plain.InitAnimation(0, 0, 480, 20, SpriteKey{}, 1.0f);
    int drawn = 0;
    SetSpriteObserver([&](const SpriteDraw&) { ++drawn; });
    plain.DrawTextString(longText.c_str());
    SetSpriteObserver(nullptr);
    EXPECT_EQ(drawn, CWidget::kBuiltInTextSize - 1);
}

TEST(WidgetBuiltInFont, LaysOutLinesFromTheGlyphSet) {
    CWidget w;
    w.InitAnimation(0, 0, 100, 40, SpriteKey{}, 1.0f);
    w.SetGlyphSet(0, 20, 7, 7, 10, 2.0);
    std::vector<SpriteDraw> calls;
    SetSpriteObserver([&](const SpriteDraw& d) { calls.push_back(d); });
    w.DrawText(10, 10, 100, 40, 10, "AB\nC");
    SetSpriteObserver(nullptr);
    ASSERT_EQ(calls.size(), 3u);
    // Two lines of total height 21; centred in 40: y = 10 + 20 - 11.
    // Line width ((7 - 4) * 2 + 2) * 2 = 16: x = 10 + 50 - 8.
    EXPECT_EQ(calls[0].x, 52);
    EXPECT_EQ(calls[0].y, 19);
    EXPECT_EQ(calls[0].slot, 7);
    EXPECT_EQ(calls[0].srcX, 1 * 7);        // 'A' = 0x41: column 1
    EXPECT_EQ(calls[0].srcY, 20 + 2 * 10);  // row 4 - 2
    EXPECT_EQ(calls[1].x, 52 + 14);
    EXPECT_EQ(calls[2].y, 19 + 22);  // line advance 11 at scale 2
}

TEST(WidgetWindowResize, HalfExtentsInEachMode) {
    CWidgetWindow w;
    w.StartResize(0, 360, 0, 80, 10, CWidgetWindow::kTogether);
    w.Update();
    EXPECT_EQ(w.left, 18);
    EXPECT_EQ(w.right, 18);
    EXPECT_EQ(w.top, 4);
    EXPECT_EQ(w.bottom, 4);
    for (int i = 0; i < 9; ++i) w.Update();
    EXPECT_EQ(w.left, 180);
    EXPECT_EQ(w.top, 40);
    EXPECT_FALSE(w.IsResizing());

    std::vector<std::pair<int32_t, int32_t>> sizes;
    w.StartResize(0, 360, 0, 80, 10, CWidgetWindow::kWidthFirst);
    for (int i = 0; i < 10; ++i) {
        w.Update();
        sizes.emplace_back(w.left + w.right, w.top + w.bottom);
    }
    EXPECT_EQ(sizes[3], std::make_pair(288, 0));
    EXPECT_EQ(sizes[4], std::make_pair(360, 0));
    EXPECT_EQ(sizes[5], std::make_pair(360, 16));
    EXPECT_EQ(sizes[9], std::make_pair(360, 80));
    // Over an odd count of frames the second half starts on frame F / 2.
    sizes.clear();
    w.StartResize(0, 360, 0, 80, 5, CWidgetWindow::kWidthFirst);
    for (int i = 0; i < 5; ++i) {
        w.Update();
        sizes.emplace_back(w.left + w.right, w.top + w.bottom);
    }
    EXPECT_EQ(sizes, (std::vector<std::pair<int32_t, int32_t>>{{144, 0}, {360, 0}, {360, 40}, {360, 80}, {360, 80}}));

    w.StartResize(100, 20, 60, 0, 10, CWidgetWindow::kHeightFirst);
    EXPECT_EQ(w.left, 50);
    EXPECT_EQ(w.top, 30);
    sizes.clear();
    for (int i = 0; i < 10; ++i) {
        w.Update();
        sizes.emplace_back(w.left + w.right, w.top + w.bottom);
    }
    EXPECT_EQ(sizes, (std::vector<std::pair<int32_t, int32_t>>{
                         {100, 48}, {100, 36}, {100, 24}, {100, 12}, {100, 0}, {84, 0}, {68, 0}, {52, 0}, {36, 0}, {20, 0}}))
        << "height first, then the width";

    // Resizes shorter than two frames land on their end at once.
    for (int32_t mode : {0, 1, 2}) {
        w.StartResize(0, 200, 0, 30, 1, mode);
        w.Update();
        EXPECT_EQ(w.left, 100) << mode;
        EXPECT_EQ(w.top, 15) << mode;
        EXPECT_FALSE(w.IsResizing());
    }
    w.SetFrameExtents(1, 2, 3, 4);
    EXPECT_EQ(w.right, 2);
    EXPECT_EQ(w.bottom, 4);
}

TEST(WidgetWindowDraw, NinePiecesAroundTheBoxAndNothingWhenEmpty) {
    CWidgetWindow w;
    w.InitAnimation(100, 50, 0, 0, SpriteKey{13, 0, 0, 512, 512, 0}, 1.0f);
    w.SetScale(2.0f);
    w.SetPivot(140, 90);
    w.SetFrameTexture(2, 2);
    std::vector<SpriteDraw> calls;
    std::vector<float> scales;
    SetSpriteObserver([&](const SpriteDraw& d) {
        calls.push_back(d);
        scales.push_back(DrawParams::scaleX);
    });
    w.Draw();
    EXPECT_TRUE(calls.empty()) << "zero extents draw nothing";
    const char text[] = "HI";
    w.SetTextRect(0, 0, 100, 20, 10);
    w.StartTypewriter(text, -80, 0, 0);
    w.Update();
    w.Draw();
    EXPECT_TRUE(calls.empty()) << "not even the text";
    // A box with no width but some height still has its corners and text.
    w.SetFrameExtents(0, 0, 40, 40);
    w.Draw();
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const SpriteDraw& d) { return d.w == 2 && d.h == 2; }), 4);
    calls.clear();
    scales.clear();

    w.SetFrameExtents(180, 180, 40, 40);
    w.Draw();
    SetSpriteObserver(nullptr);
    // Nine pieces, then the two letters of the text in the built-in font.
    ASSERT_EQ(calls.size(), 11u);
    // Centre (240, 140); the box spans 60..420 by 100..180.
    const SpriteDraw expected[9] = {
        {60, 100, 13, 2, 2, 180, 40},   {56, 100, 13, 0, 2, 2, 40},      {60, 96, 13, 2, 0, 180, 2},
        {60, 180, 13, 2, 510, 180, 2},  {420, 100, 13, 510, 2, 2, 40},   {56, 96, 13, 0, 0, 2, 2},
        {420, 96, 13, 510, 0, 2, 2},    {56, 180, 13, 0, 510, 2, 2},     {420, 180, 13, 510, 510, 2, 2},
    };
    for (int i = 0; i < 9; ++i) {
        const SpriteDraw& c = calls[static_cast<size_t>(i)];
        const SpriteDraw& e = expected[i];
        EXPECT_EQ(std::vector<int32_t>({c.x, c.y, c.slot, c.srcX, c.srcY, c.w, c.h}),
                  std::vector<int32_t>({e.x, e.y, e.slot, e.srcX, e.srcY, e.w, e.h}))
            << "piece " << i;
        EXPECT_EQ(scales[static_cast<size_t>(i)], 2.0f);
    }
    w.SetVisible(false);
    calls.clear();
    SetSpriteObserver([&](const SpriteDraw& d) { calls.push_back(d); });
    w.Draw();
    SetSpriteObserver(nullptr);
    EXPECT_TRUE(calls.empty());
}

}  // namespace
