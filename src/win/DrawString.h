#pragma once
// Bitmap text: a text style names the glyph pages (texture slots), the cell
// sizes and pen advances, the colour and the scale; DrawString lays a text
// out in a box and draws it glyph by glyph with DrawSprite.
//
// Texts are byte strings: ASCII, and Shift-JIS for double-byte characters.
// A single-byte page holds 0x20..0x7F in six rows of sixteen cells; a
// double-byte page holds lead byte L, trail byte T at column (T & 15) + 16 g
// and row (T - 0x40) / 16 + 12 (L - first lead of the group), where the
// groups of eight lead bytes 0x80, 0x88, 0x90, 0x98, 0xE0, 0xE8, 0xF0, 0xF8
// are g = 0..7.
#include <cstdint>
#include <functional>

class CDrawString {
public:
    CDrawString() = default;
    virtual ~CDrawString() = default;
    virtual void SetColor(int32_t r, int32_t g, int32_t b) {
        red = r;
        green = g;
        blue = b;
    }
    virtual void SetAlpha(int32_t a) { alpha = a; }
    virtual int32_t GetAlpha() const { return alpha; }
    virtual void SetScale(double x, double y) {
        scaleX = x;
        scaleY = y;
    }
    virtual void SetUniformScale(double s) { scaleX = scaleY = s; }

    int32_t asciiCellWidth = 0;       // cell width of the single-byte page
    int32_t doubleByteCellWidth = 0;  // cell width of the double-byte page
    int32_t cellHeight = 0;           // cell height of both pages
    int32_t asciiTexture = 0;         // texture slot of the single-byte page
    int32_t doubleByteTexture = 0;    // texture slot of the double-byte page
    int32_t asciiAdvance = 0;         // pen advance after a single-byte glyph
    int32_t doubleByteAdvance = 0;    // pen advance after a double-byte glyph
    int32_t lineSpacing = 0;          // from the top of one line to the next
    int32_t alpha = 255;              // 0..255 (low byte used)
    int32_t red = 255, green = 255, blue = 255;
    double scaleX = 1.0, scaleY = 1.0;
};

// Alignment flags of DrawString: the low two bits place the text vertically,
// the next two horizontally.
enum TextAlign : int32_t {
    kAlignMiddle = 0,  // also 2
    kAlignTop = 1,
    kAlignBottom = 3,
    kAlignCentre = 0,  // also 8
    kAlignLeft = 4,
    kAlignRight = 12,
};

// A text longer than this (with its terminating zero) is cut at the last
// whole character that fits.
constexpr int kDrawStringBufferSize = 1024;

// Width in pixels of the first `length` bytes of a text, as word wrap
// measures it: the last glyph counts its cell width instead of its advance.
int GetStringWidth(const CDrawString* style, const char* text, int32_t length);

// Draws a zero-terminated text in the box at (x, y): byte 10 breaks a line,
// lines wider than boxWidth wrap at spaces, and flags (TextAlign) place the
// lines in the box.
void DrawString(const char* text, const CDrawString* style, int32_t x, int32_t y, int32_t boxWidth,
                int32_t boxHeight, int32_t flags);

// Test seam: sees every glyph DrawString draws, with DrawSprite's arguments.
struct GlyphDraw {
    int32_t x, y, slot, srcX, srcY, w, h;
};
void SetGlyphObserver(std::function<void(const GlyphDraw&)> observer);

// Test seam: sees every text DrawString lays out, with its box and flags,
// before the text's glyphs reach the glyph observer.
struct TextDraw {
    const char* text;
    int32_t x, y, w, h, flags;
};
void SetTextObserver(std::function<void(const TextDraw&)> observer);
