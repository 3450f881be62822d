#include "framework/GameMain.h"
#include "win/Graphics.h"

namespace {

// Glyph metrics of text styles 0 to 5, in the order of the CDrawString
// members: single-byte and double-byte cell width, cell height, single-byte
// and double-byte page (texture slot), single-byte and double-byte advance,
// line spacing. Styles 6 and 7 keep zero metrics.
struct GlyphMetrics {
    int32_t asciiCellWidth, doubleByteCellWidth, cellHeight;
    int32_t asciiTexture, doubleByteTexture;
    int32_t asciiAdvance, doubleByteAdvance, lineSpacing;
};

constexpr GlyphMetrics kStyleMetrics[6] = {
    {10, 10, 10, 10, 9, 9, 9, 10},  // 0: menus and Japanese text, outlined
    {5, 5, 7, 8, 8, 5, 5, 8},       // 1: small narrow digits
    {7, 7, 7, 4, 4, 6, 6, 8},       // 2: small letters
    {7, 7, 7, 5, 5, 7, 6, 8},       // 3: small letters with a shadow
    {7, 7, 7, 6, 7, 6, 8, 8},       // 4: small letters and the kanji page
    {3, 7, 7, 2, 3, 4, 8, 8},       // 5: tiny letters and the full kanji page
};

}  // namespace

void CGameMain::LoadTexturePages() {
    LoadTexture(9, 109, 1024);
    LoadTexture(10, 110, 256);
    LoadTexture(8, 108, 128);
    LoadTexture(4, 104, 128);
    LoadTexture(5, 105, 128);
    LoadTexture(6, 106, 128);
    LoadTexture(7, 107, 512);
    LoadTexture(2, 102, 64);
    LoadTexture(3, 103, 1024);
    for (int i = 0; i < 6; ++i) {
        const GlyphMetrics& m = kStyleMetrics[i];
        CDrawString& style = m_textStyles[i];
        style.asciiCellWidth = m.asciiCellWidth;
        style.doubleByteCellWidth = m.doubleByteCellWidth;
        style.cellHeight = m.cellHeight;
        style.asciiTexture = m.asciiTexture;
        style.doubleByteTexture = m.doubleByteTexture;
        style.asciiAdvance = m.asciiAdvance;
        style.doubleByteAdvance = m.doubleByteAdvance;
        style.lineSpacing = m.lineSpacing;
    }
}
