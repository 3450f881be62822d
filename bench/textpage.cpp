// Renders a test page of the bitmap text, every text style in English and in
// Japanese, headless into a PNG for review.
//
// Usage: textpage [OUT.png]   (default textpage.png)
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/GameMain.h"
#include "framework/TextTable.h"
#include "platform/GraphicsDevice.h"
#include "win/DrawString.h"
#include "win/Graphics.h"
#include "win/Sprite.h"

namespace {

void Band(int y, int h, uint32_t colour) {
    DrawParams::ResetToDefaults();
    DrawParams::colour = colour;
    DrawSprite(0, y, 1, 0, 0, 480, h);
}

// Shift-JIS of a few lines that use the kanji pages (style 5, and style 4
// for the kanji of the texts).
const char kKanjiLine[] = "\x94\xfc\x8d\xe7\x83\x74\x83\x48\x83\x93\x83\x67\x82\xc5\x93\xfa\x96\x7b\x8c\xea";  // 美咲フォントで日本語
const char kSymbolLine[] = "\x81\x99\x81\x9a\x81\x9b\x81\x9c\x81\x40\x81\x75\x81\x76\x81\x49\x81\x48\x81\x7b";  // ☆★○●　「」！？＋

}  // namespace

int main(int argc, char** argv) {
    const char* out = argc > 1 ? argv[1] : "textpage.png";
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!InitGraphics()) return 1;
    CGameMain* game = CGameMain::GetInstance();
    LoadTexture(1, 101, 8);
    game->LoadTexturePages();

    platform::GraphicsDevice* device = GetDevice();
    device->Clear(0xFF000000u, 1.0f);
    device->BeginScene();
    // Dark and light bands, so outlines and shadows show on both.
    Band(0, 320, 0xFF1B2140u);
    Band(112, 56, 0xFF8C9BB0u);
    Band(232, 40, 0xFFD8C8A0u);

    char line[256];
    int y = 2;
    // Style 0: menus in both languages.
    CDrawString* s = game->m_textStyles;
    DrawString("Style 0: THE QUICK BROWN FOX 0123456789", &s[0], 4, y, 472, 10, kAlignTop | kAlignLeft);
    y += 12;
    DrawString(GetTextForLanguage(266, kLanguageJapanese), &s[0], 4, y, 472, 20, kAlignTop | kAlignLeft);
    y += 22;
    DrawString(GetTextForLanguage(241, kLanguageJapanese), &s[0], 4, y, 472, 20, kAlignTop | kAlignLeft);
    y += 22;
    DrawString(GetTextForLanguage(7, 0), &s[0], 4, y, 472, 10, kAlignTop | kAlignLeft);
    y += 12;
    DrawString(GetTextForLanguage(52, 0), &s[0], 4, y, 472, 20, kAlignTop | kAlignLeft);
    DrawString(GetTextForLanguage(86, 0), &s[0], 240, y, 236, 30, kAlignTop | kAlignRight);
    y += 32;

    // Styles 1 to 3: the small Latin styles (their double-byte pages hold
    // the symbols).
    for (int k = 1; k <= 3; ++k) {
        std::snprintf(line, sizeof line, "Style %d: Pack my box with five dozen liquor jugs! 0123456789 %%&?", k);
        DrawString(line, &s[k], 4, y, 472, 8, kAlignTop | kAlignLeft);
        y += 9;
        DrawString(kSymbolLine, &s[k], 4, y, 472, 8, kAlignTop | kAlignLeft);
        DrawString(GetTextForLanguage(264, 0), &s[k], 100, y, 376, 8, kAlignTop | kAlignLeft);
        y += 10;
    }
    // Style 4: English with the kanji page; style 5: the tiny Latin letters
    // and the full kanji page.
    for (int k = 4; k <= 5; ++k) {
        std::snprintf(line, sizeof line, "Style %d: GOLD 1234G  KEY 5  TIME 1:23  COMP 42%%  %s", k,
                      GetTextForLanguage(239, 0));
        DrawString(line, &s[k], 4, y, 472, 16, kAlignTop | kAlignLeft);
        y += 18;
        // Style 4's page is too small for its layout: it holds the kanji
        // of the texts (here the one of text 191, past the page's edge).
        char rate[64];
        std::snprintf(rate, sizeof rate, GetTextForLanguage(191, kLanguageJapanese), 42);
        std::snprintf(line, sizeof line, "%s  %s  %s", k == 5 ? kKanjiLine : "", rate,
                      GetTextForLanguage(239, kLanguageJapanese));
        for (char* nl = std::strchr(line, '\n'); nl; nl = std::strchr(nl, '\n')) *nl = ' ';
        DrawString(line, &s[k], 4, y, 472, 16, kAlignTop | kAlignLeft);
        y += 18;
    }
    // Alignment and scale: centred at double size, right-aligned in colour.
    s[3].SetUniformScale(2.0);
    DrawString("CENTRED x2", &s[3], 0, y, 480, 20, kAlignTop);
    s[3].SetUniformScale(1.0);
    s[0].SetColor(255, 255, 0);
    DrawString(GetTextForLanguage(90, kLanguageJapanese), &s[0], 0, y + 20, 476, 10, kAlignTop | kAlignRight);
    s[0].SetColor(255, 255, 255);
    DrawString(GetTextForLanguage(1, 0), &s[0], 4, y + 20, 300, 40, kAlignTop | kAlignLeft);
    device->EndScene();
    if (!platform::SaveColourBufferPng(*device, out)) {
        std::fprintf(stderr, "textpage: cannot write %s\n", out);
        return 1;
    }
    std::printf("%s\n", out);
    return 0;
}
