#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "framework/GameMain.h"
#include "framework/TextTable.h"
#include "win/DrawString.h"
#include "win/Graphics.h"

namespace {

constexpr int kEnglish = 0;
constexpr int kJapanese = kLanguageJapanese;

TEST(TextTable, IdsOutsideTheTableGiveTheEmptyText) {
    for (int language : {kEnglish, kJapanese, 2, -1}) {
        for (int id : {-1, -1000, kTextCount, 284, 100000}) {
            const char* text = GetTextForLanguage(id, language);
            ASSERT_NE(text, nullptr);
            EXPECT_STREQ(text, "") << id;
        }
    }
    for (int id : {142, 181}) {
        EXPECT_STREQ(GetTextForLanguage(id, kEnglish), "");
        EXPECT_STREQ(GetTextForLanguage(id, kJapanese), "");
    }
}

TEST(TextTable, GetTextFollowsTheLanguageSetting) {
    CGameMain* game = CGameMain::GetInstance();
    game->m_language = 0;
    EXPECT_STREQ(GetText(0), "Valdrosk!");
    game->m_language = 2;  // any value but 1 is English
    EXPECT_STREQ(GetText(0), "Valdrosk!");
    EXPECT_STREQ(GetText(243), "GAME SAVED");
    game->m_language = 1;
    EXPECT_STREQ(GetText(0), "");
    // "セーブしました" in Shift-JIS.
    EXPECT_STREQ(GetText(243), "\x83\x5A\x81\x5B\x83\x75\x82\xB5\x82\xDC\x82\xB5\x82\xBD");
    EXPECT_STREQ(GetText(-5), "");
}

TEST(TextTable, TextsTheGameReliesOn) {
    EXPECT_STREQ(GetTextForLanguage(64, kEnglish), "Ninja");
    EXPECT_STREQ(GetTextForLanguage(82, kEnglish), "Ninja");
    EXPECT_STREQ(GetTextForLanguage(140, kEnglish), "+500G");
    EXPECT_STREQ(GetTextForLanguage(141, kJapanese), "+500G");
    EXPECT_STREQ(GetTextForLanguage(219, kEnglish), "YOU GOT \nSTRAW SANDALS!\x0cYOU CAN DOUBLE JUMP!");
    EXPECT_STREQ(GetTextForLanguage(192, kEnglish), "Hi-speed stylish ninja action \"Valdrosk!\"\n");
    EXPECT_STREQ(GetTextForLanguage(264, kJapanese), "%d  %3d%%  TIME %03d:%02d");
    EXPECT_STREQ(GetTextForLanguage(199, kEnglish), "%d-%d\nScore:%d\n");
    EXPECT_STREQ(GetTextForLanguage(200, kJapanese), "%d-%d(No Item)\nScore:%d\n");
    EXPECT_STREQ(GetTextForLanguage(45, kJapanese), "JAPANESE");
    EXPECT_STREQ(GetTextForLanguage(45, kEnglish), "ENGLISH");
    // Full-width English: "Ｌｉｆｅ＋１".
    EXPECT_STREQ(GetTextForLanguage(68, kEnglish), "\x82\x6B\x82\x89\x82\x86\x82\x85\x81\x7B\x82\x50");
    // The store-page line of the share text ends in a line feed.
    const std::string store = GetTextForLanguage(201, kEnglish);
    ASSERT_FALSE(store.empty());
    EXPECT_EQ(store.back(), '\n');
}

// Ids the game leaves empty on purpose: the two gaps of the shop tables,
// Japanese id 0, and ids no screen reads.
bool MeantToBeEmpty(int id, int language) {
    if (id == 142 || id == 181) return true;
    if (id == 0 && language == kJapanese) return true;
    return (id >= 30 && id <= 35) || id >= 276;
}

TEST(TextTable, EveryIdHasItsTextInBothLanguages) {
    for (int language : {kEnglish, kJapanese}) {
        for (int id = 0; id < kTextCount; ++id) {
            const char* text = GetTextForLanguage(id, language);
            ASSERT_NE(text, nullptr);
            EXPECT_EQ(text[0] == '\0', MeantToBeEmpty(id, language)) << "id " << id << " language " << language;
        }
    }
}

TEST(TextTable, CreditsAndSharedTextsAreTheSameInBothLanguages) {
    std::set<int> same;
    for (int id = 6; id <= 44; ++id) same.insert(id);
    for (int id : {46, 47, 48, 49, 64, 65, 66, 67, 82, 86, 87, 88, 89, 140, 141, 186, 187, 188, 242}) same.insert(id);
    for (int id = 147; id <= 157; ++id) same.insert(id);
    for (int id = 161; id <= 180; ++id) same.insert(id);
    for (int id = 193; id <= 205; ++id) same.insert(id);
    for (int id = 259; id <= 265; ++id) same.insert(id);
    for (int id : same) EXPECT_STREQ(GetTextForLanguage(id, kEnglish), GetTextForLanguage(id, kJapanese)) << id;
    // The credit texts name the font's maker.
    EXPECT_NE(std::strstr(GetTextForLanguage(7, kEnglish), "NUM KADOMA"), nullptr);
    EXPECT_NE(std::strstr(GetTextForLanguage(40, kEnglish), "NUM KADOMA"), nullptr);
}

// The printf conversions that take an argument, in order; a trail byte that
// happens to be '%' is skipped with its lead.
std::string Conversions(const char* s) {
    std::string out;
    for (size_t i = 0; s[i]; ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 0x80) {
            if (s[i + 1]) ++i;
            continue;
        }
        if (c != '%') continue;
        size_t j = i + 1;
        while (s[j] == '-' || (s[j] >= '0' && s[j] <= '9')) ++j;
        if (s[j] != '%') out += std::string(s + i, j - i + 1) + " ";
        i = s[j] ? j : j - 1;
    }
    return out;
}

TEST(TextTable, FormatConversionsMatchBetweenLanguages) {
    int formats = 0;
    for (int id = 0; id < kTextCount; ++id) {
        const std::string en = Conversions(GetTextForLanguage(id, kEnglish));
        EXPECT_EQ(en, Conversions(GetTextForLanguage(id, kJapanese))) << "id " << id;
        formats += !en.empty();
    }
    EXPECT_GE(formats, 15);
    EXPECT_EQ(Conversions(GetTextForLanguage(242, kEnglish)), "%d %d %d %02d %d ");
}

// Walks a text as DrawString does and reports the first glyph that has no
// ink on the page the style draws it from (spaces excepted). Pages are read
// as the device samples them: past an edge, from the other side.
class GlyphCoverage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(InitGraphics());
        CGameMain::GetInstance()->LoadTexturePages();
    }
    void TearDown() override { ReleaseGraphics(); }

    static bool HasInk(int slot, int x, int y, int w, int h) {
        const TextureEntry& page = TextureTable[slot];
        if (!page.texture) return false;
        const int pw = static_cast<int>(page.width), ph = static_cast<int>(page.height);
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                if (page.texture->At(((i % pw) + pw) % pw, ((j % ph) + ph) % ph) >> 24) return true;
        return false;
    }

    static uint32_t Texel(int slot, int x, int y) {
        const TextureEntry& page = TextureTable[slot];
        const int pw = static_cast<int>(page.width), ph = static_cast<int>(page.height);
        return page.texture->At(((x % pw) + pw) % pw, ((y % ph) + ph) % ph);
    }
    static bool SameCell(int slotA, int xa, int ya, int slotB, int xb, int yb, int w, int h) {
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                if (Texel(slotA, xa + i, ya + j) != Texel(slotB, xb + i, yb + j)) return false;
        return true;
    }

    // Empty when every glyph is on its page, else a description of the first
    // one missing.
    static std::string MissingGlyph(const char* text, int styleIndex) {
        const CDrawString& s = CGameMain::GetInstance()->m_textStyles[styleIndex];
        const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
        for (size_t i = 0; p[i]; ++i) {
            const unsigned char c = p[i];
            if (c == '\n' || c == '\f') continue;
            if (c >= 0x20 && c <= 0x7F) {
                if (c == ' ') continue;
                if (!HasInk(s.asciiTexture, (c & 15) * s.asciiCellWidth, ((c >> 4) - 2) * s.cellHeight,
                            s.asciiCellWidth, s.cellHeight))
                    return "byte " + std::to_string(c);
                continue;
            }
            const int group = (c >= 0x80 && c <= 0x9F) ? (c - 0x80) / 8 : c >= 0xE0 ? 4 + (c - 0xE0) / 8 : -1;
            if (group < 0 || !p[i + 1]) return "stray byte " + std::to_string(c);
            const unsigned char t = p[++i];
            if (c == 0x81 && t == 0x40) continue;  // full-width space
            const int first = group < 4 ? 0x80 + 8 * group : 0xE0 + 8 * (group - 4);
            const int col = (t & 15) + 16 * group, row = (t - 0x40) / 16 + 12 * (c - first);
            const int x = col * s.doubleByteCellWidth, y = row * s.cellHeight;
            char buf[48];
            std::snprintf(buf, sizeof buf, "pair %02X%02X", c, t);
            if (t < 0x40 || !HasInk(s.doubleByteTexture, x, y, s.doubleByteCellWidth, s.cellHeight)) return buf;
            // A cell past the page's edge must hold this very character: the
            // one of the full page of style 5, which has the same cells.
            const CDrawString& full = CGameMain::GetInstance()->m_textStyles[5];
            const TextureEntry& page = TextureTable[s.doubleByteTexture];
            if ((x + s.doubleByteCellWidth > static_cast<int>(page.width) || y + s.cellHeight > static_cast<int>(page.height)) &&
                (s.doubleByteCellWidth != full.doubleByteCellWidth || s.cellHeight != full.cellHeight ||
                 !SameCell(s.doubleByteTexture, x, y, full.doubleByteTexture, col * full.doubleByteCellWidth,
                           row * full.cellHeight, s.doubleByteCellWidth, s.cellHeight))) {
                return std::string(buf) + " (another glyph past the page's edge)";
            }
        }
        return "";
    }
};

// Which texts each style draws, in each language, as the screens use them:
// style 0 the Japanese menus, windows, shop and descriptions and the HUD's
// message window in both languages; style 4 the English menus and windows
// and in both languages the shop tabs and the status window (every text,
// the share texts too, so that a screen may show what it sends); style 5
// every text; style 3 the credits and the staff roll; style 2 the counts on
// the item icons.
struct StyleUse {
    int style;
    int language;
    int firstId, lastId;
};
constexpr StyleUse kStyleUses[] = {
    {0, kEnglish, 0, kTextCount - 1}, {0, kJapanese, 0, 185},  {0, kJapanese, 203, kTextCount - 1},
    {4, kEnglish, 0, kTextCount - 1}, {4, kJapanese, 0, kTextCount - 1},
    {5, kEnglish, 0, kTextCount - 1}, {5, kJapanese, 0, kTextCount - 1},
    {3, kEnglish, 6, 17},             {3, kJapanese, 6, 17},   {3, kEnglish, 36, 44}, {3, kJapanese, 36, 44},
    {2, kEnglish, 263, 263},          {2, kJapanese, 263, 263},
};

TEST_F(GlyphCoverage, EveryTextIsDrawableInEveryStyleThatShowsIt) {
    int checks = 0;
    for (const StyleUse& use : kStyleUses) {
        for (int id = use.firstId; id <= use.lastId; ++id) {
            EXPECT_EQ(MissingGlyph(GetTextForLanguage(id, use.language), use.style), "")
                << "text " << id << (use.language == kJapanese ? " (Japanese)" : " (English)") << " in style "
                << use.style;
            ++checks;
        }
    }
    EXPECT_GT(checks, 6 * kTextCount);
}

TEST_F(GlyphCoverage, AGlyphPastThePagesEdgeDrawsAsOnTheFullPage) {
    // "率" lies past the edges of style 4's 512-texel page and inside style
    // 5's 1024-texel one; both draw the same 7 x 7 design.
    const char* ritsu = "\x97\xA6";
    ASSERT_EQ(MissingGlyph(ritsu, 4), "");
    platform::GraphicsDevice* device = GetDevice();
    device->Clear(0xFF000000u, 1.0f);
    CDrawString* styles = CGameMain::GetInstance()->m_textStyles;
    DrawString(ritsu, &styles[4], 100, 100, 50, 20, 5);
    DrawString(ritsu, &styles[5], 200, 100, 50, 20, 5);
    int ink = 0;
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            EXPECT_EQ(device->Pixel(100 + x, 100 + y), device->Pixel(200 + x, 100 + y)) << x << ", " << y;
            ink += device->Pixel(100 + x, 100 + y) != 0xFF000000u;
        }
    }
    EXPECT_GT(ink, 10);
}

TEST_F(GlyphCoverage, PagesHoldWhatTheirStylesPromise) {
    // Every printable ASCII character on every single-byte page.
    for (int style = 0; style <= 5; ++style) {
        for (char c = '!'; c <= '~'; ++c) EXPECT_EQ(MissingGlyph(std::string(1, c).c_str(), style), "") << style;
    }
    // Symbols in every style, kana in 0, 4 and 5, kanji in 4 (first rows
    // of each group) and 5 (all), none of the kana in the small styles.
    for (int style = 0; style <= 5; ++style) EXPECT_EQ(MissingGlyph("\x81\x99\x81\x49\x81\x9B", style), "") << style;
    for (int style : {0, 4, 5}) EXPECT_EQ(MissingGlyph("\x82\xA0\x83\x41\x82\x60", style), "") << style;
    EXPECT_EQ(MissingGlyph("\x88\x9F\x90\x6C", 4), "");                         // 亜 人
    EXPECT_EQ(MissingGlyph("\x94\xFC\x8D\xE7\x93\xFA\x96\x7B\x8C\xEA\xEA\x9E", 5), "");  // 美咲日本語 and the last kanji
    EXPECT_NE(MissingGlyph("\x88\x9F", 0), "");
    EXPECT_NE(MissingGlyph("\x82\xA0", 2), "");
}

}  // namespace
