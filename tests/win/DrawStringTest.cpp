#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/GameMain.h"
#include "platform/GraphicsDevice.h"
#include "win/DrawString.h"
#include "win/Graphics.h"
#include "win/Sprite.h"

namespace {

// The text styles with their glyph metrics, and every glyph DrawString
// draws. Without a device the page loads only record the page sizes, which
// is all the layout needs.
class DrawStringTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = CGameMain::GetInstance();
        game->LoadTexturePages();
        SetGlyphObserver([this](const GlyphDraw& g) { glyphs.push_back(g); });
    }
    void TearDown() override { SetGlyphObserver(nullptr); }

    CDrawString& Style(int i) { return game->m_textStyles[i]; }
    void Draw(const std::string& text, int style, int x, int y, int w, int h, int flags) {
        glyphs.clear();
        DrawString(text.c_str(), &Style(style), x, y, w, h, flags);
    }
    int Width(const std::string& text, int style) {
        return GetStringWidth(&Style(style), text.c_str(), static_cast<int32_t>(text.size()));
    }

    CGameMain* game = nullptr;
    std::vector<GlyphDraw> glyphs;
};

constexpr int kTopLeft = kAlignTop | kAlignLeft;

TEST_F(DrawStringTest, StylesCarryTheirMetricsAndStylesSixAndSevenStayZero) {
    const CDrawString& s0 = Style(0);
    EXPECT_EQ(s0.asciiTexture, 10);
    EXPECT_EQ(s0.doubleByteTexture, 9);
    EXPECT_EQ(s0.asciiCellWidth, 10);
    EXPECT_EQ(s0.lineSpacing, 10);
    const CDrawString& s5 = Style(5);
    EXPECT_EQ(s5.asciiCellWidth, 3);
    EXPECT_EQ(s5.doubleByteCellWidth, 7);
    EXPECT_EQ(s5.asciiTexture, 2);
    EXPECT_EQ(s5.doubleByteTexture, 3);
    EXPECT_EQ(s5.asciiAdvance, 4);
    EXPECT_EQ(s5.doubleByteAdvance, 8);
    for (int i : {6, 7}) {
        EXPECT_EQ(Style(i).cellHeight, 0);
        EXPECT_EQ(Style(i).asciiAdvance, 0);
        EXPECT_EQ(Style(i).red, 255);
        EXPECT_EQ(Style(i).alpha, 255);
        EXPECT_EQ(Style(i).scaleX, 1.0);
    }
}

TEST_F(DrawStringTest, WidthCountsTheLastGlyphsCell) {
    EXPECT_EQ(Width("AB", 0), 19);  // 9 + 10
    EXPECT_EQ(Width("A", 5), 3);
    EXPECT_EQ(Width("AB", 5), 7);  // 4 + 3
    EXPECT_EQ(Width("\x82\xA0", 4), 7);
    EXPECT_EQ(Width("\x82\xA0\x82\xA0", 4), 15);  // 8 + 7
    EXPECT_EQ(Width("A\x82\xA0", 5), 11);          // 4 + 7
    EXPECT_EQ(Width("\x82\xA0" "A", 5), 11);       // 8 + 3
    EXPECT_EQ(GetStringWidth(&Style(0), "ABC", 0), 0);
    EXPECT_EQ(GetStringWidth(&Style(0), "ABC", -3), 0);
    EXPECT_EQ(GetStringWidth(&Style(0), "ABC", 2), 19);
}

TEST_F(DrawStringTest, ScaledWidthTruncatesEveryStep) {
    Style(0).SetUniformScale(1.5);
    // 13.5 -> 13, back by 13.5 -> 0, cell 15.
    EXPECT_EQ(Width("A", 0), 15);
    // The line's own width for alignment: (10 - 9) * 1.5 -> 1, + 13.
    Draw("A", 0, 0, 0, 100, 100, kAlignTop | kAlignRight);
    ASSERT_EQ(glyphs.size(), 1u);
    EXPECT_EQ(glyphs[0].x, 100 - 14);
    EXPECT_FLOAT_EQ(DrawParams::scaleX, 1.5f);
}

TEST_F(DrawStringTest, AlignmentPlacesTheLineInTheBox) {
    // "AB" in style 0: alignment width (10 - 9) + 9 + 9 = 19, height 10.
    Draw("AB", 0, 20, 30, 100, 50, kAlignTop | kAlignLeft);
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_EQ(glyphs[0].x, 20);
    EXPECT_EQ(glyphs[0].y, 30);
    EXPECT_EQ(glyphs[1].x, 29);

    Draw("AB", 0, 20, 30, 100, 50, kAlignBottom | kAlignRight);
    EXPECT_EQ(glyphs[0].x, 20 - 19 + 100);
    EXPECT_EQ(glyphs[0].y, 30 - 10 + 50);

    for (int flags : {0, 2 | 8, 8, 2}) {
        Draw("AB", 0, 20, 30, 100, 50, flags);
        ASSERT_EQ(glyphs.size(), 2u);
        EXPECT_EQ(glyphs[0].x, 20 + 50 - 9) << flags;        // 100 / 2 - 19 / 2
        EXPECT_EQ(glyphs[0].y, 30 + 25 - 5) << flags;        // (50 + 1) / 2 - (10 + 1) / 2
    }
    // Odd box height: (51 + 1) / 2 - (10 + 1) / 2 = 21.
    Draw("AB", 0, 0, 0, 100, 51, kAlignLeft);
    EXPECT_EQ(glyphs[0].y, 21);
}

TEST_F(DrawStringTest, LineFeedsAndAnEmptyLineCountForTheHeight) {
    Draw("A", 0, 0, 0, 100, 100, kAlignBottom | kAlignLeft);
    ASSERT_EQ(glyphs.size(), 1u);
    EXPECT_EQ(glyphs[0].y, 90);
    // A trailing line feed makes a second, empty line: height 20.
    Draw("A\n", 0, 0, 0, 100, 100, kAlignBottom | kAlignLeft);
    ASSERT_EQ(glyphs.size(), 1u);
    EXPECT_EQ(glyphs[0].y, 80);
    Draw("A\nB\nC", 2, 5, 5, 100, 100, kTopLeft);
    ASSERT_EQ(glyphs.size(), 3u);
    EXPECT_EQ(glyphs[1].y, 13);
    EXPECT_EQ(glyphs[2].y, 21);
    EXPECT_EQ(glyphs[2].x, 5);
    Draw("", 0, 0, 0, 100, 100, 0);
    EXPECT_TRUE(glyphs.empty());
}

TEST_F(DrawStringTest, EachLineIsAlignedByItsOwnWidth) {
    Draw("AB\nABCD", 0, 0, 0, 100, 100, kAlignTop | kAlignRight);
    ASSERT_EQ(glyphs.size(), 6u);
    EXPECT_EQ(glyphs[0].x, 100 - 19);
    EXPECT_EQ(glyphs[2].x, 100 - 37);
}

TEST_F(DrawStringTest, WrapsAtTheLastSpaceThatFits) {
    // "AAAA BBBB" is 82 wide; "AAAA" is 37.
    Draw("AAAA BBBB", 0, 0, 0, 50, 100, kTopLeft);
    ASSERT_EQ(glyphs.size(), 8u);  // the break space is dropped
    EXPECT_EQ(glyphs[3].y, 0);
    EXPECT_EQ(glyphs[4].x, 0);
    EXPECT_EQ(glyphs[4].y, 10);
    EXPECT_EQ(glyphs[4].srcX, 20);  // 'B': column 2

    // The head must be narrower than the box, not as wide.
    Draw("AAAA BBBB", 0, 0, 0, 37, 100, kTopLeft);
    ASSERT_EQ(glyphs.size(), 9u);
    EXPECT_EQ(glyphs[8].y, 0);

    // The rest wraps again.
    Draw("AA BB CC", 0, 0, 0, 30, 100, kTopLeft);
    ASSERT_EQ(glyphs.size(), 6u);
    EXPECT_EQ(glyphs[2].y, 10);
    EXPECT_EQ(glyphs[4].y, 20);
    EXPECT_EQ(glyphs[4].x, 0);
}

TEST_F(DrawStringTest, WrapPrefersTheLastSpaceAndKeepsLongWordsWhole) {
    Draw("AA BB CC", 0, 0, 0, 50, 100, kTopLeft);
    ASSERT_EQ(glyphs.size(), 7u);  // "AA BB" / "CC"
    EXPECT_EQ(glyphs[4].y, 0);
    EXPECT_EQ(glyphs[5].y, 10);

    Draw("ABCDEFGHIJ", 0, 0, 0, 20, 100, kTopLeft);
    ASSERT_EQ(glyphs.size(), 10u);
    EXPECT_EQ(glyphs[9].x, 81);
    EXPECT_EQ(glyphs[9].y, 0);

    // A space after a double-byte character is no break point.
    Draw("\x82\xA0\x82\xA0 BB", 0, 0, 0, 30, 100, kTopLeft);
    for (const GlyphDraw& g : glyphs) EXPECT_EQ(g.y, 0);
}

TEST_F(DrawStringTest, MixedLineTakesEachGlyphFromItsPage) {
    // 'A', hiragana A (0x82A0), 'B' in style 0.
    Draw("A\x82\xA0" "B", 0, 0, 0, 200, 20, kTopLeft);
    ASSERT_EQ(glyphs.size(), 3u);
    EXPECT_EQ(glyphs[0].slot, 10);
    EXPECT_EQ(glyphs[1].slot, 9);
    EXPECT_EQ(glyphs[2].slot, 10);
    EXPECT_EQ(glyphs[1].x, 9);
    EXPECT_EQ(glyphs[2].x, 18);
    EXPECT_EQ(glyphs[1].srcX, 0);
    EXPECT_EQ(glyphs[1].srcY, 300);  // row 6 + 12 x 2
    EXPECT_EQ(glyphs[1].w, 10);
    EXPECT_EQ(glyphs[1].h, 10);

    // Style 4: single-byte advance 6, double-byte 8, separate pages.
    Draw("A\x82\xA0" "B", 4, 0, 0, 200, 20, kTopLeft);
    ASSERT_EQ(glyphs.size(), 3u);
    EXPECT_EQ(glyphs[0].slot, 6);
    EXPECT_EQ(glyphs[1].slot, 7);
    EXPECT_EQ(glyphs[1].x, 6);
    EXPECT_EQ(glyphs[2].x, 14);
    EXPECT_EQ(glyphs[1].srcY, 210);
}

TEST_F(DrawStringTest, PageCoordinatesOfChosenCharacters) {
    struct Case {
        const char* text;
        int style, slot, srcX, srcY, w, h;
    };
    const Case cases[] = {
        {" ", 0, 10, 0, 0, 10, 10},
        {"A", 0, 10, 10, 20, 10, 10},
        {"\x7F", 0, 10, 150, 50, 10, 10},
        {"A", 1, 8, 5, 14, 5, 7},
        {"z", 2, 4, 70, 35, 7, 7},  // 0x7A: column 10, row 5
        {"A", 3, 5, 7, 14, 7, 7},
        {"0", 5, 2, 0, 7, 3, 7},
        {"\x81\x99", 1, 8, 45, 119, 5, 7},      // star: column 9, row 5 + 12
        {"\x81\x99", 2, 4, 63, 119, 7, 7},
        {"\x83\x41", 0, 9, 10, 360, 10, 10},     // katakana A: row 0 + 12 x 3, column 1
        {"\x88\x9F", 4, 7, 7 * 31, 7 * 5, 7, 7}, // first kanji: group 1, column 15 + 16, row 5
        {"\x94\xFC", 5, 3, 7 * 44, 7 * 59, 7, 7}, // group 2, column 12 + 32, row 11 + 48
        {"\xE0\x40", 5, 3, 7 * 64, 0, 7, 7},      // group 4 starts at column 64
        {"\xFC\x4B", 5, 3, 7 * 123, 7 * 48, 7, 7}, // group 7, lead 0xFC: row 0 + 12 x 4
    };
    for (const Case& c : cases) {
        Draw(c.text, c.style, 0, 0, 400, 20, kTopLeft);
        ASSERT_EQ(glyphs.size(), 1u) << c.text << " style " << c.style;
        EXPECT_EQ(glyphs[0].slot, c.slot) << c.text;
        EXPECT_EQ(glyphs[0].srcX, c.srcX) << c.text;
        EXPECT_EQ(glyphs[0].srcY, c.srcY) << c.text;
        EXPECT_EQ(glyphs[0].w, c.w) << c.text;
        EXPECT_EQ(glyphs[0].h, c.h) << c.text;
    }
}

TEST_F(DrawStringTest, LoneAndHalfWidthBytesDrawNothing) {
    // A lead byte at the end of the text or of a line.
    Draw("AB\x82", 0, 0, 0, 200, 40, kTopLeft);
    EXPECT_EQ(glyphs.size(), 2u);
    Draw("A\x82\nB", 0, 0, 0, 200, 40, kTopLeft);
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_EQ(glyphs[1].y, 10);
    // Half-width katakana is measured as a lead byte but not drawn, and the
    // pen does not move for it.
    EXPECT_EQ(Width("A\xB1" "B", 0), 19);
    Draw("A\xB1" "B", 0, 0, 0, 100, 20, kAlignTop | kAlignRight);
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_EQ(glyphs[0].x, 100 - 19);
    EXPECT_EQ(glyphs[1].x, 100 - 19 + 9);
    // Control bytes draw nothing either.
    Draw("A\x0C" "B", 0, 0, 0, 200, 20, kTopLeft);
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_EQ(glyphs[1].x, 9);
}

TEST_F(DrawStringTest, ZeroMetricsDrawEveryGlyphInOnePlace) {
    Draw("ABC", 6, 10, 10, 100, 100, kTopLeft);
    ASSERT_EQ(glyphs.size(), 3u);
    for (const GlyphDraw& g : glyphs) {
        EXPECT_EQ(g.x, 10);
        EXPECT_EQ(g.y, 10);
        EXPECT_EQ(g.w, 0);
        EXPECT_EQ(g.h, 0);
    }
}

TEST_F(DrawStringTest, TrailByteBelowThePageDrawsNothing) {
    // 0x82 0x21 would sit three rows above lead 0x82's first row.
    Draw("\x82\x21" "A", 0, 0, 0, 200, 20, kTopLeft);
    ASSERT_EQ(glyphs.size(), 1u);
    EXPECT_EQ(glyphs[0].slot, 10);
    EXPECT_EQ(glyphs[0].x, 9);  // the pair still moves the pen
}

TEST_F(DrawStringTest, CellsPastASmallPagesEdgeAreStillDrawn) {
    // Style 4's kanji page ends inside lead 0x86's rows of each group: the
    // cell of "率" (lead 0x97) lies past its bottom edge and is drawn all
    // the same, sampled where the texture wraps it to.
    Draw("\x97\xA6", 4, 0, 0, 200, 20, kTopLeft);
    ASSERT_EQ(glyphs.size(), 1u);
    EXPECT_EQ(glyphs[0].srcX, (6 + 32) * 7);
    EXPECT_EQ(glyphs[0].srcY, (6 + 12 * 7) * 7);
    EXPECT_GT(glyphs[0].srcY, 512);
}

TEST_F(DrawStringTest, LongTextsAreCutAtACharacterBoundary) {
    const std::string longText(3000, 'A');
    Draw(longText, 5, 0, 0, 100000, 20, kTopLeft);
    EXPECT_EQ(glyphs.size(), static_cast<size_t>(kDrawStringBufferSize - 1));
    // 1,022 letters and a double-byte character that would need bytes 1,022
    // and 1,023: the pair is dropped whole.
    std::string edge(1022, 'A');
    edge += "\x82\xA0";
    Draw(edge, 5, 0, 0, 100000, 20, kTopLeft);
    ASSERT_EQ(glyphs.size(), 1022u);
    EXPECT_EQ(glyphs.back().slot, 2);
    std::string fits(1021, 'A');
    fits += "\x82\xA0";
    Draw(fits, 5, 0, 0, 100000, 20, kTopLeft);
    ASSERT_EQ(glyphs.size(), 1022u);
    EXPECT_EQ(glyphs.back().slot, 3);
    // A full buffer of line breaks and wrap points.
    std::string lines;
    for (int i = 0; i < 1000; ++i) lines += "A\n";
    Draw(lines, 2, 0, 0, 100, 100, kTopLeft);
    ASSERT_EQ(glyphs.size(), 512u);  // 1,023 bytes: 512 letters
    EXPECT_EQ(glyphs.back().y, 511 * 8);
    std::string words;
    for (int i = 0; i < 1000; ++i) words += "A ";
    Draw(words, 2, 0, 0, 10, 100, kTopLeft);
    ASSERT_EQ(glyphs.size(), 512u);
    EXPECT_EQ(glyphs.back().y, 511 * 8);
}

TEST_F(DrawStringTest, SetsTheDrawParametersFromTheStyle) {
    DrawParams::direction = -1.0f;
    DrawParams::angle = 1.0f;
    DrawParams::pivotX = 5.0f;
    DrawParams::blendMode = 2;
    DrawParams::colourMode = 1;
    CDrawString& s = Style(3);
    s.SetColor(0x112, 0x34, 0x56);
    s.SetAlpha(0x80);
    s.SetScale(2.0, 3.0);
    EXPECT_EQ(s.GetAlpha(), 0x80);
    Draw("", 3, 0, 0, 10, 10, 0);
    EXPECT_EQ(DrawParams::colour, 0x80123456u);
    EXPECT_EQ(DrawParams::direction, 1.0f);
    EXPECT_EQ(DrawParams::angle, 0.0f);
    EXPECT_EQ(DrawParams::pivotX, 0.0f);
    EXPECT_EQ(DrawParams::scaleX, 2.0f);
    EXPECT_EQ(DrawParams::scaleY, 3.0f);
    EXPECT_EQ(DrawParams::blendMode, 0);
    EXPECT_EQ(DrawParams::colourMode, 1);  // left as it was
}

TEST_F(DrawStringTest, ScaledLinesStepByTheScaledSpacing) {
    Style(2).SetScale(2.0, 1.5);
    Draw("AB\nC", 2, 0, 0, 200, 200, kTopLeft);
    ASSERT_EQ(glyphs.size(), 3u);
    EXPECT_EQ(glyphs[1].x, 12);  // advance 6 x 2
    EXPECT_EQ(glyphs[2].y, 12);  // spacing 8 x 1.5
    EXPECT_EQ(glyphs[0].w, 7);   // cells are drawn at their size and scaled by the sprite
}

TEST(DrawStringPixels, GlyphsComeFromTheGeneratedPages) {
    ASSERT_TRUE(InitGraphics());
    CGameMain* game = CGameMain::GetInstance();
    game->LoadTexturePages();
    platform::GraphicsDevice* device = GetDevice();
    device->Clear(0xFF000000u, 1.0f);
    DrawString("H", &game->m_textStyles[2], 0, 0, 100, 20, kTopLeft);
    // 'H' of the small letters: both stems in columns 0 and 4 of rows 0-5,
    // nothing in the gap column.
    for (int y = 0; y < 6; ++y) {
        EXPECT_EQ(device->Pixel(0, y), 0xFFFFFFFFu) << y;
        EXPECT_EQ(device->Pixel(4, y), 0xFFFFFFFFu) << y;
        EXPECT_EQ(device->Pixel(5, y), 0xFF000000u) << y;
    }
    // Style 0 glyphs carry a black outline around white ink.
    device->Clear(0xFF808080u, 1.0f);
    DrawString("\x82\xA0", &game->m_textStyles[0], 100, 100, 100, 20, kTopLeft);
    int white = 0, black = 0;
    for (int y = 100; y < 110; ++y)
        for (int x = 100; x < 110; ++x) {
            white += device->Pixel(x, y) == 0xFFFFFFFFu;
            black += device->Pixel(x, y) == 0xFF000000u;
        }
    EXPECT_GT(white, 8);
    EXPECT_GT(black, 8);
    ReleaseGraphics();
}

}  // namespace

namespace {

// The blank columns between the letters of a text drawn in style 0 at 1x:
// the gaps between the runs of columns that hold white ink.
std::vector<int> InkGaps(const char* text) {
    platform::GraphicsDevice* device = GetDevice();
    device->Clear(0xFF808080u, 1.0f);
    DrawString(text, &CGameMain::GetInstance()->m_textStyles[0], 10, 10, 200, 20, kAlignTop | kAlignLeft);
    std::vector<int> gaps;
    int blank = -1;  // -1 before the first ink
    for (int x = 10; x < 210; ++x) {
        bool ink = false;
        for (int y = 10; y < 20; ++y) ink = ink || device->Pixel(x, y) == 0xFFFFFFFFu;
        if (ink && blank > 0) gaps.push_back(blank);
        if (ink) blank = 0;
        else if (blank >= 0) ++blank;
    }
    return gaps;
}

}  // namespace

// An exclamation mark stands as close to the letter it follows as the
// letters of the word stand to each other, after a narrow or a wide one.
TEST(DrawStringPixels, AnExclamationMarkStandsByItsWord) {
    ASSERT_TRUE(InitGraphics());
    CGameMain::GetInstance()->LoadTexturePages();
    struct Case {
        const char* text;
        std::vector<int> gaps;
    };
    const Case cases[] = {{"HI!", {4, 5}}, {"YOU!", {3, 3, 3}}};
    for (const Case& c : cases) EXPECT_EQ(InkGaps(c.text), c.gaps) << c.text;
    ReleaseGraphics();
}
