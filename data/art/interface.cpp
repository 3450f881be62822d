// The interface sheet (512 x 512): the title logo in the top-left 160 x 80
// (drawn at 3x, so everything below row 40 stays empty for the menu that
// the title lays over it), the left and right arrows of the options
// screen in the 20 x 20 cells at (0, 200) and (20, 200), the stage-clear
// screen's share icon at (40, 80), 20 x 20, the boss bar: its frame at
// (160, 160), 160 x 10, with the strip's field at (3, 3) to (153, 6), and
// the strip at (160, 170), 150 x 3; the item icons (item_icons.cpp) in
// 21 x 21 cells from (160, 110) to (391, 152); the save point's three
// frames (stage_objects.cpp) at (0..59, 180..199).
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "ItemIcons.h"
#include "StageObjectArt.h"
#include "Palette.h"
#include "Sheets.h"
#include "TitleScreensArt.h"

namespace {

// The logo's display letters, 9 x 12 with three-pixel stems ("I" is 5 wide).
const std::map<char, std::vector<std::string>> kLogoLetters = {
    {'P', {"#######..", "########.", "###..####", "###...###", "###..####", "########.", "#######..", "###......",
           "###......", "###......", "###......", "###......"}},
    {'E', {"#########", "#########", "###......", "###......", "###......", "########.", "########.", "###......",
           "###......", "###......", "#########", "#########"}},
    {'L', {"###......", "###......", "###......", "###......", "###......", "###......", "###......", "###......",
           "###......", "###......", "#########", "#########"}},
    {'U', {"###...###", "###...###", "###...###", "###...###", "###...###", "###...###", "###...###", "###...###",
           "###...###", "####.####", ".#######.", "..#####.."}},
    {'M', {"###...###", "####.####", "#########", "#########", "###.#.###", "###...###", "###...###", "###...###",
           "###...###", "###...###", "###...###", "###...###"}},
    {'B', {"#######..", "########.", "###..####", "###...###", "###..###.", "#######..", "########.", "###..####",
           "###...###", "###..####", "########.", "#######.."}},
    {'R', {"#######..", "########.", "###..####", "###...###", "###..####", "########.", "#######..", "###.###..",
           "###..###.", "###..###.", "###...###", "###...###"}},
    {'I', {"#####", "#####", ".###.", ".###.", ".###.", ".###.", ".###.", ".###.", ".###.", ".###.", "#####",
           "#####"}},
    {'S', {".#######.", "#########", "###...###", "###......", "####.....", ".#######.", "..#######", "......###",
           "......###", "###...###", "#########", ".#######."}},
    {'K', {"###...###", "###..###.", "###.###..", "######...", "#####....", "####.....", "#####....", "######...",
           "###.###..", "###..###.", "###...###", "###...###"}},
};

constexpr int kLetterGap = 2;
constexpr int kLetterHeight = 12;

int WordWidth(const std::string& word) {
    int w = 0;
    for (char ch : word) w += static_cast<int>(kLogoLetters.at(ch)[0].size()) + kLetterGap;
    return w - kLetterGap;
}

// Sets every letter pixel of the word at (x, y) through `paint`, which gets
// the pixel and its row inside the letter.
template <typename Paint>
void ForEachLetterPixel(const std::string& word, int x, int y, Paint paint) {
    int pen = x;
    for (char ch : word) {
        const std::vector<std::string>& rows = kLogoLetters.at(ch);
        for (int r = 0; r < static_cast<int>(rows.size()); ++r)
            for (int c = 0; c < static_cast<int>(rows[static_cast<size_t>(r)].size()); ++c)
                if (rows[static_cast<size_t>(r)][static_cast<size_t>(c)] == '#') paint(pen + c, y + r, r);
        pen += static_cast<int>(rows[0].size()) + kLetterGap;
    }
}

Canvas Logo() {
    Canvas c(160, 80, kKey);
    const std::string word = "PELLUMBRISK";
    const int x = (160 - WordWidth(word)) / 2;
    const int y = 8;

    // The moon rising behind the end of the name.
    c.Disc(143, 11, 10, kMauve);
    c.Disc(143, 11, 8, kGold);
    c.Disc(144, 10, 7, kCream);
    c.Disc(141, 8, 1, kGold);
    c.Disc(147, 13, 1, kGold);

    // A brush stroke under the name, thick in the middle and thin at the
    // ends, like the trail of a blade.
    const int strokeLeft = x - 8, strokeRight = x + WordWidth(word) + 8, strokeY = y + kLetterHeight + 5;
    for (int px = strokeLeft; px <= strokeRight; ++px) {
        const int fromEnd = std::min(px - strokeLeft, strokeRight - px);
        const int thick = fromEnd < 8 ? 1 : fromEnd < 24 ? 2 : 3;
        for (int t = 0; t < thick; ++t) c.Set(px, strokeY + t, t == thick - 1 && thick > 1 ? kCrimson : kRed);
    }

    // The letters on a layer of their own, outlined there so that the
    // outline also stands against the moon: a deep shadow down and to the
    // right, then the face in bands from white at the top to amber at the
    // foot.
    Canvas letters(160, 80, kKey);
    ForEachLetterPixel(word, x + 1, y + 2, [&](int px, int py, int) { letters.Set(px, py, kCrimson); });
    ForEachLetterPixel(word, x, y, [&](int px, int py, int row) {
        const Rgb face = row < 2 ? kWhite : row < 5 ? kCream : row < 9 ? kGold : kAmber;
        letters.Set(px, py, face);
    });
    letters.Outline(kInk);
    c.Blit(letters, 0, 0);
    return c;
}

// A chunky arrow in a 20 x 20 cell, pointing left or right.
void Arrow(Canvas& c, int cellX, int cellY, bool left) {
    const std::vector<std::string> rows = {
        "....................",
        "....................",
        "...........kk.......",
        "..........kck.......",
        ".........kcgk.......",
        "........kcggk.......",
        ".......kcgggkkkkk...",
        "......kcggggcccck...",
        ".....kcgggggggggk...",
        "....kcggggggggggk...",
        "....kaagggggggggk...",
        ".....kaaggggggggk...",
        "......kaaaaaaaaak...",
        ".......kaaaakkkkk...",
        "........kaaak.......",
        ".........kaak.......",
        "..........kak.......",
        "...........kk.......",
        "....................",
        "....................",
    };
    std::vector<std::string> shape = rows;
    if (!left) {
        for (std::string& r : shape) r = std::string(r.rbegin(), r.rend());
    }
    c.Grid(cellX, cellY, shape, [](char ch, Rgb& out) {
        switch (ch) {
            case 'k': out = kInk; return true;
            case 'c': out = kCream; return true;
            case 'g': out = kGold; return true;
            case 'a': out = kAmber; return true;
            default: return false;
        }
    });
}

// The share icon: a plate with three linked nodes.
void ShareIcon(Canvas& c, int x, int y) {
    c.Rect(x + 1, y + 1, 18, 18, kInk);
    c.Rect(x + 2, y + 2, 16, 16, kCream);
    c.Rect(x + 3, y + 3, 14, 14, kNight);
    c.Rect(x + 3, y + 3, 14, 2, kDusk);
    for (int d = 0; d < 2; ++d) {
        c.Line(x + 6, y + 9 + d, x + 13, y + 5 + d, kGold);
        c.Line(x + 6, y + 9 + d, x + 13, y + 13 + d, kGold);
    }
    for (const auto& [nx, ny] : {std::pair{5, 9}, std::pair{13, 5}, std::pair{13, 13}}) {
        c.Rect(x + nx - 1, y + ny - 1, 4, 4, kInk);
        c.Rect(x + nx, y + ny, 2, 2, kCream);
    }
}

// The boss bar's frame: a gold rim between ink lines around a dark field
// three rows high, which a full strip fills to its right end.
void BossFrame(Canvas& c, int x, int y) {
    c.Rect(x, y, 156, 9, kInk);
    c.Rect(x + 1, y + 1, 154, 7, kGold);
    c.Rect(x + 1, y + 7, 154, 1, kAmber);
    c.Rect(x + 2, y + 2, 152, 5, kInk);
    c.Rect(x + 3, y + 3, 150, 3, kNight);
}

// The boss bar's strip: lit on top, dark below.
void BossStrip(Canvas& c, int x, int y) {
    c.Rect(x, y, 150, 1, kCoral);
    c.Rect(x, y + 1, 150, 1, kRed);
    c.Rect(x, y + 2, 150, 1, kCrimson);
}

}  // namespace

ART_SHEET(114, "interface") {
    Canvas c(512, 512, kKey);
    c.Blit(Logo(), 0, 0);
    Arrow(c, 0, 200, true);
    Arrow(c, 20, 200, false);
    ShareIcon(c, 40, 80);
    BossFrame(c, 160, 160);
    BossStrip(c, 160, 170);
    DrawItemIcons(c);
    stage_art::DrawSavePoint(c);
    DrawStageSelectParts(c);
    DrawShopParts(c);
    return c;
}
