#include "win/DrawString.h"

#include <array>
#include <cstring>
#include <utility>

#include "win/Graphics.h"
#include "win/Sprite.h"

namespace {

std::function<void(const GlyphDraw&)>& GlyphObserver() {
    static std::function<void(const GlyphDraw&)> observer;
    return observer;
}

std::function<void(const TextDraw&)>& TextObserver() {
    static std::function<void(const TextDraw&)> observer;
    return observer;
}

// Adds a scaled amount to an integer and truncates toward zero at once, as
// every step of the text layout does.
int AddScaled(int value, int32_t amount, double scale) {
    return static_cast<int>(static_cast<double>(value) + static_cast<double>(amount) * scale);
}

bool IsSingleByteGlyph(uint8_t c) { return c >= 0x20 && c <= 0x7F; }

// Group 0..7 of a double-byte lead byte; -1 for bytes that lead no glyph.
int LeadGroup(uint8_t c) {
    if (c >= 0x80 && c <= 0x9F) return (c - 0x80) / 8;
    if (c >= 0xE0) return 4 + (c - 0xE0) / 8;
    return -1;
}

int GroupFirstLead(int group) { return group < 4 ? 0x80 + 8 * group : 0xE0 + 8 * (group - 4); }

// Copies a text into the work buffer, cutting it after the last whole
// character that fits; returns the copied length.
int CopyToBuffer(const char* text, char* buffer) {
    int n = 0;
    while (text[n] != '\0') {
        const uint8_t c = static_cast<uint8_t>(text[n]);
        const int size = (LeadGroup(c) >= 0 && text[n + 1] != '\0') ? 2 : 1;
        if (n + size > kDrawStringBufferSize - 1) break;
        n += size;
    }
    std::memcpy(buffer, text, static_cast<size_t>(n));
    buffer[n] = '\0';
    return n;
}

struct Line {
    int start;
    int length;
};

// Draws one glyph cell. A cell before the page's first row (a trail byte
// that is no Shift-JIS trail byte) draws nothing; a cell past the right or
// bottom edge of a page too small for its layout is sampled where the
// texture wraps it to, where the glyph pages hold the texts' characters.
void DrawGlyph(int32_t x, int32_t y, int32_t slot, int32_t srcX, int32_t srcY, int32_t w, int32_t h) {
    if (slot < 0 || slot >= kTextureSlotCount || srcX < 0 || srcY < 0) return;
    if (GlyphObserver()) GlyphObserver()({x, y, slot, srcX, srcY, w, h});
    DrawSprite(x, y, slot, srcX, srcY, w, h);
}

}  // namespace

void SetGlyphObserver(std::function<void(const GlyphDraw&)> observer) { GlyphObserver() = std::move(observer); }

void SetTextObserver(std::function<void(const TextDraw&)> observer) { TextObserver() = std::move(observer); }

int GetStringWidth(const CDrawString* style, const char* text, int32_t length) {
    if (!style || !text || length < 1) return 0;
    const double sx = style->scaleX;
    int width = 0;
    for (int i = 0; i < length; ++i) {
        const uint8_t c = static_cast<uint8_t>(text[i]);
        if (IsSingleByteGlyph(c)) {
            width = AddScaled(width, style->asciiAdvance, sx);
            if (i == length - 1) {
                width = AddScaled(width, -style->asciiAdvance, sx);
                width = AddScaled(width, style->asciiCellWidth, sx);
            }
        } else {
            width = AddScaled(width, style->doubleByteAdvance, sx);
            ++i;
            if (i == length - 1) {
                width = AddScaled(width, -style->doubleByteAdvance, sx);
                width = AddScaled(width, style->doubleByteCellWidth, sx);
            }
        }
    }
    return width;
}

void DrawString(const char* text, const CDrawString* style, int32_t x, int32_t y, int32_t boxWidth,
                int32_t boxHeight, int32_t flags) {
    if (!style) return;
    char buffer[kDrawStringBufferSize];
    const int length = CopyToBuffer(text ? text : "", buffer);
    if (TextObserver()) TextObserver()({buffer, x, y, boxWidth, boxHeight, flags});

    DrawParams::direction = 1.0f;
    DrawParams::pivotX = 0.0f;
    DrawParams::pivotY = 0.0f;
    DrawParams::angle = 0.0f;
    DrawParams::scaleX = static_cast<float>(style->scaleX);
    DrawParams::scaleY = static_cast<float>(style->scaleY);
    DrawParams::colour = (static_cast<uint32_t>(style->alpha) & 0xFFu) << 24 |
                         (static_cast<uint32_t>(style->red) & 0xFFu) << 16 |
                         (static_cast<uint32_t>(style->green) & 0xFFu) << 8 |
                         (static_cast<uint32_t>(style->blue) & 0xFFu);
    DrawParams::blendMode = 0;

    // Lines at the line feeds, then word wrap: a line wider than the box
    // breaks at the last space after a single-byte character that leaves
    // the head narrower than the box; the rest is wrapped in turn.
    // Every line but the last ends at a byte it drops (a line feed or the
    // break space), so a full buffer makes at most as many lines as bytes.
    std::array<Line, kDrawStringBufferSize> lines;
    int count = 0;
    int start = 0;
    for (int i = 0; i <= length; ++i) {
        if (i < length && buffer[i] != '\n') continue;
        Line line{start, i - start};
        while (GetStringWidth(style, buffer + line.start, line.length) > boxWidth) {
            int p = line.length - 1;
            for (; p >= 1; --p) {
                const char* s = buffer + line.start;
                if (s[p] == ' ' && static_cast<uint8_t>(s[p - 1]) < 0x80 && GetStringWidth(style, s, p) < boxWidth) break;
            }
            if (p < 1) break;
            lines[count++] = {line.start, p};
            line = {line.start + p + 1, line.length - p - 1};
        }
        lines[count++] = line;
        start = i + 1;
    }

    const double sx = style->scaleX, sy = style->scaleY;
    const int height = static_cast<int>(
        static_cast<double>((count - 1) * style->lineSpacing + style->cellHeight) * sy);
    int top;
    switch (flags & 3) {
        case 1: top = y; break;
        case 3: top = y - height + boxHeight; break;
        default: top = y + (boxHeight + 1) / 2 - (height + 1) / 2; break;
    }

    for (int k = 0; k < count; ++k) {
        const Line& line = lines[k];
        const uint8_t* s = reinterpret_cast<const uint8_t*>(buffer + line.start);
        const int n = line.length;
        int width = AddScaled(0, style->doubleByteCellWidth - style->doubleByteAdvance, sx);
        for (int i = 0; i < n; ++i) {
            if (IsSingleByteGlyph(s[i])) {
                width = AddScaled(width, style->asciiAdvance, sx);
            } else if (i + 1 < n && s[i + 1] != 0) {
                width = AddScaled(width, style->doubleByteAdvance, sx);
                ++i;
            }
        }
        int pen;
        switch (flags & 12) {
            case 4: pen = x; break;
            case 12: pen = x - width + boxWidth; break;
            default: pen = x + boxWidth / 2 - width / 2; break;
        }

        for (int i = 0; i < n; ++i) {
            const uint8_t c = s[i];
            if (IsSingleByteGlyph(c)) {
                const int col = c & 15, row = (c >> 4) - 2;
                DrawGlyph(pen, top, style->asciiTexture, col * style->asciiCellWidth, row * style->cellHeight,
                          style->asciiCellWidth, style->cellHeight);
                pen = AddScaled(pen, style->asciiAdvance, sx);
                continue;
            }
            const int group = LeadGroup(c);
            if (group < 0 || i + 1 >= n || s[i + 1] == 0) continue;
            const uint8_t trail = s[++i];
            if (trail >= 0x40) {
                const int col = (trail & 15) + 16 * group;
                const int row = (trail - 0x40) / 16 + 12 * (c - GroupFirstLead(group));
                DrawGlyph(pen, top, style->doubleByteTexture, col * style->doubleByteCellWidth,
                          row * style->cellHeight, style->doubleByteCellWidth, style->cellHeight);
            }
            pen = AddScaled(pen, style->doubleByteAdvance, sx);
        }
        top = AddScaled(top, style->lineSpacing, sy);
    }
}
