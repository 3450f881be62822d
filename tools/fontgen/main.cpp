// Draws the glyph pages of the game's bitmap text from the Misaki font
// (an 8 x 8 dot Japanese font by Num Kadoma, Debian package fonts-misaki).
//
// Every page is an 8-bit RGB PNG: white glyph texels, black outline texels
// where a style has an outline, and pure green (the colour key) elsewhere.
//
// Page layout (what DrawString samples):
//   single-byte page: character c (0x20..0x7F) in column c & 15, row
//     (c >> 4) - 2; cells touch.
//   double-byte page: Shift-JIS lead L, trail T in column (T & 15) + 16 g and
//     row (T - 0x40) / 16 + 12 (L - first lead of its group); groups of eight
//     lead bytes (0x80.., 0x88.., 0x90.., 0x98.., 0xE0.., 0xE8.., 0xF0..,
//     0xF8..) stand side by side, g = 0..7.
//
// The 5 x 7 Latin letters of the small styles, which the 8 x 8 font has no
// design for, are drawn by hand in a text grid (data/font/latin5x7.txt). So
// are the lowercase letters of the outlined style (data/font/lower7x8.txt):
// the font's own full-width lowercase is narrower than its capitals and
// squeezes its descenders above the baseline, another face beside them.
//
// A page too small for its layout (style 4's double-byte page: 73 of its
// 128 columns and rows) still shows every character of the texts: those
// past its edges are drawn where the wrapping sampler reads them.
//
// Usage: fontgen FONT.ttf LATIN5X7.txt LOWER7X8.txt TEXTS_EN.txt TEXTS_JA.txt OUT_DIR [PREVIEW_DIR]
#include <ft2build.h>
#include FT_FREETYPE_H
#include <iconv.h>
#include "Canvas.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

enum Texel : uint8_t { kEmpty = 0, kInk = 1, kEdge = 2 };

// One glyph of the 8 x 8 font: rows 0..6 hold the design, row 7 and the last
// column of a full-width glyph are the font's own spacing.
struct Glyph {
    bool found = false;
    int width = 0;  // advance of the design: 4 half-width, 8 full-width
    std::array<std::array<bool, 8>, 8> bits{};
    bool At(int x, int y) const { return x >= 0 && y >= 0 && x < 8 && y < 8 && bits[y][x]; }
};

// Hand-drawn glyphs by character.
using HandGlyphs = std::map<int, Glyph>;

class Page {
public:
    Page(int w, int h) : w_(w), h_(h), px_(static_cast<size_t>(w) * h, kEmpty) {}
    int W() const { return w_; }
    int H() const { return h_; }
    void Set(int x, int y, Texel t) {
        if (x >= 0 && y >= 0 && x < w_ && y < h_) px_[static_cast<size_t>(y) * w_ + x] = t;
    }
    Texel Get(int x, int y) const { return static_cast<Texel>(px_[static_cast<size_t>(y) * w_ + x]); }
    bool WritePng(const std::string& path, int scale = 1) const {
        Canvas c(w_, h_);
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) {
                const Texel t = Get(x, y);
                if (t == kInk) c.Set(x, y, Rgb{255, 255, 255});
                else if (t == kEdge) c.Set(x, y, Rgb{0, 0, 0});
            }
        return (scale == 1 ? c : c.Scaled(scale)).WritePng(path);
    }

private:
    int w_, h_;
    std::vector<uint8_t> px_;
};

class Font {
public:
    bool Open(const char* path) {
        if (FT_Init_FreeType(&lib_) != 0) return false;
        if (FT_New_Face(lib_, path, 0, &face_) != 0) {
            std::fprintf(stderr, "fontgen: cannot open font %s\n", path);
            return false;
        }
        if (FT_Set_Pixel_Sizes(face_, 0, 8) != 0) {
            std::fprintf(stderr, "fontgen: the font has no 8 pixel size\n");
            return false;
        }
        ascent_ = static_cast<int>(face_->size->metrics.ascender >> 6);
        return true;
    }

    Glyph Get(uint32_t codepoint) const {
        Glyph g;
        const FT_UInt index = FT_Get_Char_Index(face_, codepoint);
        if (index == 0) return g;
        if (FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) return g;
        const FT_GlyphSlot slot = face_->glyph;
        const FT_Bitmap& b = slot->bitmap;
        g.found = true;
        g.width = static_cast<int>(slot->advance.x >> 6);
        for (unsigned y = 0; y < b.rows; ++y) {
            for (unsigned x = 0; x < b.width; ++x) {
                if (!((b.buffer[y * b.pitch + x / 8] >> (7 - x % 8)) & 1)) continue;
                const int cx = slot->bitmap_left + static_cast<int>(x);
                const int cy = ascent_ - slot->bitmap_top + static_cast<int>(y);
                if (cx >= 0 && cx < 8 && cy >= 0 && cy < 8) g.bits[cy][cx] = true;
            }
        }
        return g;
    }

    // The outlined style's lowercase a to z (and their full-width forms)
    // and its single-byte '!' come from the hand-drawn letters instead of
    // the font.
    HandGlyphs outlinedLower;
    // The hand-drawn letter for a code point in the outlined look, if any.
    const Glyph* OutlinedLetter(uint32_t codepoint) const {
        uint32_t c = codepoint >= 0xFF41 && codepoint <= 0xFF5A ? codepoint - 0xFF41 + 'a' : codepoint;
        const auto it = outlinedLower.find(static_cast<int>(c));
        const bool drawn = (c >= 'a' && c <= 'z') || c == '!';
        return drawn && it != outlinedLower.end() ? &it->second : nullptr;
    }

private:
    FT_Library lib_ = nullptr;
    FT_Face face_ = nullptr;
    int ascent_ = 6;
};

// Shift-JIS (Windows code page 932) to Unicode through iconv.
class SjisDecoder {
public:
    SjisDecoder() {
        cp932_ = iconv_open("UTF-32LE", "CP932");
        jis_ = iconv_open("UTF-32LE", "SHIFT_JIS");
    }
    // 0 when the pair names no character.
    uint32_t Decode(iconv_t cd, uint8_t lead, uint8_t trail) const {
        if (cd == reinterpret_cast<iconv_t>(-1)) return 0;
        char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        unsigned char out[8] = {};
        char* ip = in;
        char* op = reinterpret_cast<char*>(out);
        size_t il = 2, ol = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1) || il != 0 || ol != 4) return 0;
        return out[0] | (out[1] << 8) | (out[2] << 16) | (static_cast<uint32_t>(out[3]) << 24);
    }
    // Candidates for one pair: the code page 932 reading first, then the
    // JIS reading (they differ for a few symbols such as the wave dash).
    std::vector<uint32_t> Candidates(uint8_t lead, uint8_t trail) const {
        std::vector<uint32_t> c;
        if (uint32_t u = Decode(cp932_, lead, trail)) c.push_back(u);
        if (uint32_t u = Decode(jis_, lead, trail); u && (c.empty() || c[0] != u)) c.push_back(u);
        return c;
    }

private:
    iconv_t cp932_;
    iconv_t jis_;
};

// How a page draws one glyph into a cell.
enum class Look {
    Half3,     // the font's half-width design as it is, 3 x 7
    Latin5,    // the hand-drawn 5 x 7 letters
    Shadow6,   // the 5 x 7 letters with a black shadow one texel right and down
    Full7,     // the font's full-width design, 7 x 7
    Squeeze5,  // the full-width design folded to 5 columns
    Outline9,  // the full-width design at (1, 1) inside a black outline; a
               // hand-drawn lowercase letter's descender row below it
};

// Draws a glyph into the cell at (cellX, cellY); with `wrap` the cell may lie
// past the edge of a square texture of side `wrap`, and its texels land where
// the sampling wraps them to.
void DrawGlyph(Page& page, int cellX, int cellY, int cellW, int cellH, const Glyph& g, Look look, int wrap = 0) {
    auto put = [&](int x, int y, Texel t) {
        if (x >= 0 && y >= 0 && x < cellW && y < cellH) {
            const int px = wrap ? (cellX + x) % wrap : cellX + x;
            const int py = wrap ? (cellY + y) % wrap : cellY + y;
            if (t == kEdge && page.Get(px, py) == kInk) return;
            page.Set(px, py, t);
        }
    };
    switch (look) {
        case Look::Half3:
        case Look::Latin5:
        case Look::Full7: {
            const int w = look == Look::Half3 ? 3 : look == Look::Latin5 ? 5 : 7;
            for (int y = 0; y < 7; ++y)
                for (int x = 0; x < w; ++x)
                    if (g.At(x, y)) put(x, y, kInk);
            break;
        }
        case Look::Shadow6:
            for (int y = 0; y < 7; ++y)
                for (int x = 0; x < 5; ++x)
                    if (g.At(x, y)) put(x, y, kInk);
            for (int y = 0; y < 7; ++y)
                for (int x = 0; x < 5; ++x)
                    if (g.At(x, y)) put(x + 1, y + 1, kEdge);
            break;
        case Look::Squeeze5: {
            // Columns 1-2 and 4-5 of the design each fold into one.
            static const int from[5][2] = {{0, 0}, {1, 2}, {3, 3}, {4, 5}, {6, 6}};
            for (int y = 0; y < 7; ++y)
                for (int x = 0; x < 5; ++x)
                    if (g.At(from[x][0], y) || g.At(from[x][1], y)) put(x, y, kInk);
            break;
        }
        case Look::Outline9:
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 7; ++x)
                    if (g.At(x, y)) put(x + 1, y + 1, kInk);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 7; ++x)
                    if (g.At(x, y))
                        for (int dy = -1; dy <= 1; ++dy)
                            for (int dx = -1; dx <= 1; ++dx) put(x + 1 + dx, y + 1 + dy, kEdge);
            break;
    }
}

// Hand-drawn letters, read from their text grid: glyphs `w` columns by `h`
// rows, every character from `first` to `last` present.

bool ReadHandGlyphs(const char* path, int w, int h, int first, int last, HandGlyphs& glyphs) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "fontgen: cannot read %s\n", path);
        return false;
    }
    std::string line;
    int lineNo = 0;
    auto fail = [&](const char* what) {
        std::fprintf(stderr, "%s:%d: %s\n", path, lineNo, what);
        return false;
    };
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.empty() || line[0] == '#') continue;
        // A header: characters separated by single spaces.
        std::vector<int> chars;
        for (size_t i = 0; i < line.size(); i += 2) {
            if (i + 1 < line.size() && line[i + 1] != ' ') return fail("characters must be separated by one space");
            chars.push_back(static_cast<unsigned char>(line[i]));
        }
        for (int row = 0; row < h; ++row) {
            if (!std::getline(in, line)) return fail("block ends early");
            ++lineNo;
            if (line.size() != chars.size() * static_cast<size_t>(w + 1) - 1) return fail("row length does not match the header");
            for (size_t k = 0; k < chars.size(); ++k) {
                Glyph& g = glyphs[chars[k]];
                g.found = true;
                g.width = w + 1;
                for (int x = 0; x < w; ++x) {
                    const char c = line[k * static_cast<size_t>(w + 1) + static_cast<size_t>(x)];
                    if (c != '#' && c != '.') return fail("rows hold only '#' and '.'");
                    g.bits[static_cast<size_t>(row)][static_cast<size_t>(x)] = c == '#';
                }
            }
        }
    }
    for (int c = first; c <= last; ++c)
        if (!glyphs.count(c)) {
            std::fprintf(stderr, "%s: no glyph for '%c'\n", path, c);
            return false;
        }
    return true;
}

bool IsFullWidthLook(Look look) { return look == Look::Full7 || look == Look::Squeeze5 || look == Look::Outline9; }

// The glyph a single-byte character shows in a look: the hand-drawn letter,
// the font's half-width design, or for the full-width looks the full-width
// form of the same character.
Glyph SingleByteGlyph(const Font& font, const HandGlyphs& hand, int c, Look look) {
    if (c <= 0x20 || c >= 0x7F) return Glyph{};
    if (look == Look::Latin5 || look == Look::Shadow6) {
        const auto it = hand.find(c);
        return it != hand.end() ? it->second : Glyph{};
    }
    if (look == Look::Outline9)
        if (const Glyph* letter = font.OutlinedLetter(static_cast<uint32_t>(c))) return *letter;
    if (IsFullWidthLook(look)) {
        Glyph g = font.Get(0xFF00 + static_cast<uint32_t>(c - 0x20));
        if (g.found) return g;
    }
    return font.Get(static_cast<uint32_t>(c));
}

// The double-byte characters (lead, trail) that the texts use, read from the
// UTF-8 text sources (one "ID "text"" line per text, '#' comments).
using PairSet = std::set<std::pair<int, int>>;

bool ReadTextPairs(const char* path, PairSet& pairs) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "fontgen: cannot read %s\n", path);
        return false;
    }
    iconv_t cd = iconv_open("CP932", "UTF-32LE");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        for (size_t i = 0; i < line.size();) {
            const unsigned char c = static_cast<unsigned char>(line[i]);
            const int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
            uint32_t u = extra == 0 ? c : c & (0x3F >> extra);
            for (int k = 1; k <= extra && i + static_cast<size_t>(k) < line.size(); ++k)
                u = (u << 6) | (static_cast<unsigned char>(line[i + static_cast<size_t>(k)]) & 0x3F);
            i += static_cast<size_t>(extra) + 1;
            if (u < 0x80) continue;
            char inBytes[4] = {static_cast<char>(u), static_cast<char>(u >> 8), static_cast<char>(u >> 16),
                               static_cast<char>(u >> 24)};
            unsigned char out[4] = {};
            char* ip = inBytes;
            char* op = reinterpret_cast<char*>(out);
            size_t il = 4, ol = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &ip, &il, &op, &ol) != static_cast<size_t>(-1) && sizeof out - ol == 2) {
                pairs.insert({out[0], out[1]});
            }
        }
    }
    iconv_close(cd);
    return true;
}

struct PageDef {
    int resourceId;
    int imageSize;
    int cellW, cellH;
    bool doubleByte;
    Look look;
    int groups = 8;  // double-byte groups drawn, from group 0
    // Characters of the texts whose cells lie past the texture's edge are
    // drawn where the sampling wraps them to (addressing wraps).
    bool wrapUsed = false;
};

int GroupFirstLead(int g) { return g < 4 ? 0x80 + 8 * g : 0xE0 + 8 * (g - 4); }

void DrawSingleBytePage(Page& page, const Font& font, const HandGlyphs& hand, const PageDef& def) {
    for (int c = 0x20; c <= 0x7F; ++c) {
        const int col = c & 15, row = (c >> 4) - 2;
        const int x = col * def.cellW, y = row * def.cellH;
        if (x + def.cellW > page.W() || y + def.cellH > page.H()) continue;
        const Glyph g = SingleByteGlyph(font, hand, c, def.look);
        if (g.found) DrawGlyph(page, x, y, def.cellW, def.cellH, g, def.look);
    }
}

// The glyph of a double-byte character in a look (a symbol that has a
// half-width design uses it in the narrow cells); not found when the font
// has none.
Glyph DoubleByteGlyph(const Font& font, const SjisDecoder& sjis, int lead, int trail, Look& look) {
    Glyph glyph;
    const std::vector<uint32_t> candidates = sjis.Candidates(static_cast<uint8_t>(lead), static_cast<uint8_t>(trail));
    if (look == Look::Outline9)
        for (uint32_t u : candidates)
            if (const Glyph* letter = font.OutlinedLetter(u)) return *letter;
    for (uint32_t u : candidates) {
        glyph = font.Get(u);
        if (glyph.found) break;
    }
    if (glyph.found && look == Look::Squeeze5) {
        for (uint32_t u : candidates) {
            if (u >= 0xFF01 && u <= 0xFF5E) {
                const Glyph half = font.Get(u - 0xFF00 + 0x20);
                if (half.found) {
                    glyph = half;
                    look = Look::Half3;
                }
                break;
            }
        }
    }
    return glyph;
}

int GroupOfLead(int lead) {
    if (lead >= 0x80 && lead <= 0x9F) return (lead - 0x80) / 8;
    if (lead >= 0xE0) return 4 + (lead - 0xE0) / 8;
    return -1;
}

// The cell of a double-byte character, in texels from the page's top-left.
void DoubleByteCell(const PageDef& def, int lead, int trail, int& x, int& y) {
    const int g = GroupOfLead(lead);
    x = ((trail & 15) + 16 * g) * def.cellW;
    y = ((trail - 0x40) / 16 + 12 * (lead - GroupFirstLead(g))) * def.cellH;
}

// The area of a page that the texture slot shows (a 256 image in a 128 slot
// shows its top-left quarter only).
int DrawDoubleBytePage(Page& page, const Font& font, const SjisDecoder& sjis, const PageDef& def, int textureSize) {
    int drawn = 0;
    for (int g = 0; g < def.groups; ++g) {
        for (int lead = GroupFirstLead(g); lead < GroupFirstLead(g) + 8; ++lead) {
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                int x, y;
                DoubleByteCell(def, lead, trail, x, y);
                if (x + def.cellW > textureSize || y + def.cellH > textureSize) continue;
                Look look = def.look;
                const Glyph glyph = DoubleByteGlyph(font, sjis, lead, trail, look);
                if (!glyph.found) continue;
                DrawGlyph(page, x, y, def.cellW, def.cellH, glyph, look);
                ++drawn;
            }
        }
    }
    return drawn;
}

// Draws the characters of the texts whose cells lie past the texture's edge
// where the wrapping sampler finds them, over whatever cells of unused
// characters lie there. False when two characters of the texts would share
// texels.
bool DrawWrappedUsedGlyphs(Page& page, const Font& font, const SjisDecoder& sjis, const PageDef& def,
                           int textureSize, const PairSet& used) {
    // Which used character owns each texel of the texture.
    std::vector<int> owner(static_cast<size_t>(textureSize) * textureSize, -1);
    std::vector<std::pair<int, int>> list(used.begin(), used.end());
    for (size_t k = 0; k < list.size(); ++k) {
        const auto [lead, trail] = list[k];
        if (GroupOfLead(lead) < 0 || GroupOfLead(lead) >= def.groups) continue;
        int x, y;
        DoubleByteCell(def, lead, trail, x, y);
        for (int j = 0; j < def.cellH; ++j) {
            for (int i = 0; i < def.cellW; ++i) {
                int& o = owner[static_cast<size_t>((y + j) % textureSize) * textureSize + (x + i) % textureSize];
                if (o >= 0 && o != static_cast<int>(k)) {
                    std::fprintf(stderr, "fontgen: page %d: characters %02X%02X and %02X%02X of the texts share texels\n",
                                 def.resourceId, list[static_cast<size_t>(o)].first, list[static_cast<size_t>(o)].second,
                                 lead, trail);
                    return false;
                }
                o = static_cast<int>(k);
            }
        }
    }
    for (const auto& [lead, trail] : list) {
        if (GroupOfLead(lead) < 0 || GroupOfLead(lead) >= def.groups) continue;
        int x, y;
        DoubleByteCell(def, lead, trail, x, y);
        if (x + def.cellW <= textureSize && y + def.cellH <= textureSize) continue;
        for (int j = 0; j < def.cellH; ++j)
            for (int i = 0; i < def.cellW; ++i) page.Set((x + i) % textureSize, (y + j) % textureSize, kEmpty);
        Look look = def.look;
        const Glyph glyph = DoubleByteGlyph(font, sjis, lead, trail, look);
        if (glyph.found) DrawGlyph(page, x, y, def.cellW, def.cellH, glyph, look, textureSize);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 7) {
        std::fprintf(stderr,
                     "usage: fontgen FONT.ttf LATIN5X7.txt LOWER7X8.txt TEXTS_EN.txt TEXTS_JA.txt OUT_DIR [PREVIEW_DIR]\n");
        return 2;
    }
    Font font;
    if (!font.Open(argv[1])) return 1;
    HandGlyphs hand;
    if (!ReadHandGlyphs(argv[2], 5, 7, 0x21, 0x7E, hand)) return 1;
    if (!ReadHandGlyphs(argv[3], 7, 8, 'a', 'z', font.outlinedLower)) return 1;
    PairSet used;
    if (!ReadTextPairs(argv[4], used) || !ReadTextPairs(argv[5], used)) return 1;
    const SjisDecoder sjis;
    const std::filesystem::path out = argv[6];
    std::filesystem::create_directories(out);

    // resource, image size, cell, page kind, look. The texture slot of a page
    // is as large as its image except 108 (256 image in a 128 slot).
    const PageDef pages[] = {
        {102, 64, 3, 7, false, Look::Half3},      // style 5 single-byte
        {103, 1024, 7, 7, true, Look::Full7},     // style 5 double-byte: every group
        {104, 128, 7, 7, false, Look::Latin5},    // style 2
        {104, 128, 7, 7, true, Look::Full7, 1},
        {105, 128, 7, 7, false, Look::Shadow6},   // style 3
        {105, 128, 7, 7, true, Look::Full7, 1},
        {106, 128, 7, 7, false, Look::Latin5},    // style 4 single-byte
        {107, 512, 7, 7, true, Look::Full7, 8, true},  // style 4 double-byte
        {108, 256, 5, 7, false, Look::Half3},     // style 1
        {108, 256, 5, 7, true, Look::Squeeze5, 1},
        {109, 1024, 10, 10, true, Look::Outline9, 1},  // style 0 double-byte: group 0 (kana)
        {110, 256, 10, 10, false, Look::Outline9},  // style 0 single-byte
    };

    std::vector<std::pair<int, Page>> done;
    for (const PageDef& def : pages) {
        Page* page = nullptr;
        for (auto& [id, p] : done)
            if (id == def.resourceId) page = &p;
        if (!page) {
            done.emplace_back(def.resourceId, Page(def.imageSize, def.imageSize));
            page = &done.back().second;
        }
        const int textureSize = def.resourceId == 108 ? 128 : def.imageSize;
        if (def.doubleByte) {
            // A page shares its top rows with the single-byte cells (lead 0x80
            // is no Shift-JIS lead, so nothing is lost there); the single-byte
            // half of a shared page is drawn first and stays.
            Page db(page->W(), page->H());
            const int n = DrawDoubleBytePage(db, font, sjis, def, textureSize);
            const bool shared = def.resourceId == 104 || def.resourceId == 105 || def.resourceId == 108;
            const int keepRows = shared ? 6 * def.cellH : 0;
            for (int y = keepRows; y < db.H(); ++y)
                for (int x = 0; x < db.W(); ++x)
                    if (db.Get(x, y) != kEmpty) page->Set(x, y, db.Get(x, y));
            if (n == 0) {
                std::fprintf(stderr, "fontgen: no double-byte glyph drawn for %d\n", def.resourceId);
                return 1;
            }
            if (def.wrapUsed && !DrawWrappedUsedGlyphs(*page, font, sjis, def, textureSize, used)) return 1;
        } else {
            DrawSingleBytePage(*page, font, hand, def);
        }
    }
    for (const auto& [id, page] : done)
        if (!page.WritePng((out / ("rcdata_" + std::to_string(id) + ".png")).string())) return 1;
    if (argc > 7) {
        const std::filesystem::path preview = argv[7];
        std::filesystem::create_directories(preview);
        for (const auto& [id, page] : done)
            if (!page.WritePng((preview / ("glyphs_" + std::to_string(id) + ".png")).string(), page.W() <= 256 ? 4 : 2))
                return 1;
    }
    return 0;
}
