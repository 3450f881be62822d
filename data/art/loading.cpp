// The loading picture: a pine ridge under a dusk sky with the moon rising,
// a ninja watching from a branch, and the game's name. Drawn at half size
// and doubled, like everything else.
#include <cmath>

#include "Palette.h"
#include "Sheets.h"

namespace {

void Pine(Canvas& c, int x, int baseY, int h, Rgb body, Rgb dark) {
    c.Rect(x - 1, baseY - h / 4, 2, h / 4, kEarthDark);
    for (int tier = 0; tier < 4; ++tier) {
        const int top = baseY - h + tier * h / 5;
        const int half = 3 + tier * 3;
        const int tierH = h / 3;
        c.Polygon({{x, top}, {x + half, top + tierH}, {x - half, top + tierH}}, body);
        c.Line(x, top, x - half, top + tierH, dark);
    }
}

}  // namespace

ART_SHEET(111, "loading") {
    Canvas c(240, 160, kNight);
    // Banded dusk sky, darker at the top.
    const Rgb bands[] = {kNight, kDusk, kMauve, kRose, kCoral, kAmber};
    for (int y = 0; y < 110; ++y) {
        // Dithered band edges: alternate rows near each boundary.
        const int band = std::min(5, y / 18);
        const int next = std::min(5, band + 1);
        const bool edge = (y % 18) >= 15 && ((y + 0) % 2 == 0);
        c.Rect(0, y, 240, 1, edge ? bands[next] : bands[band]);
    }
    // Stars in the dark part.
    const int stars[][2] = {{12, 8}, {40, 20}, {71, 5}, {96, 14}, {130, 9}, {150, 26}, {201, 7}, {222, 18}, {183, 30}, {20, 33}};
    for (auto& s : stars) c.Set(s[0], s[1], kCream);
    // Moon with a soft halo.
    c.Disc(196, 62, 17, kMauve);
    c.Disc(196, 62, 14, kGold);
    c.Disc(196, 62, 13, kCream);
    c.Disc(190, 58, 3, kGold);
    c.Disc(202, 68, 2, kGold);
    // Far mountains, low contrast.
    std::vector<std::pair<int, int>> far = {{0, 110}, {0, 84}, {30, 70}, {55, 82}, {90, 62}, {120, 80}, {150, 72}, {190, 86}, {215, 74}, {240, 82}, {240, 110}};
    c.Polygon(far, kSlate);
    std::vector<std::pair<int, int>> near = {{0, 120}, {0, 98}, {40, 90}, {80, 100}, {125, 88}, {170, 98}, {210, 92}, {240, 100}, {240, 120}};
    c.Polygon(near, kNavy);
    // Ground and pine silhouettes.
    c.Rect(0, 118, 240, 42, kPineDark);
    for (int x = 6; x < 240; x += 23) Pine(c, x, 122 + (x * 7) % 5, 34 + (x * 13) % 14, kPineDark, kNavy);
    // A tall pine in front with a branch and a ninja on it.
    Pine(c, 36, 160, 90, kPine, kPineDark);
    c.Rect(36, 96, 28, 3, kEarth);
    c.Rect(36, 99, 28, 1, kEarthDark);
    // Ninja: crouched figure with a red scarf.
    c.Grid(50, 84, {
        "..kkkk...",
        ".kbbbbk..",
        ".kbssbk..",
        ".kbbbbkrr",
        "kbbbbbbkr",
        "kbbbbbbk.",
        ".kbbbbk..",
        ".kb..bk..",
        "kkk..kkk.",
        "..........",
        "..........",
        "..........",
    }, [](char ch, Rgb& out) {
        switch (ch) {
            case 'k': out = kInk; return true;
            case 'b': out = kNavy; return true;
            case 's': out = kSkin; return true;
            case 'r': out = kRed; return true;
            default: return false;
        }
    });
    // Title and status line.
    const std::string title = "PELLUMBRISK";
    const int tw = Canvas::TextWidth(title, 2);
    c.Text((240 - tw) / 2 + 1, 27, title, kInk, 2);
    c.Text((240 - tw) / 2, 26, title, kCream, 2);
    const std::string status = "NOW LOADING";
    c.Text(240 - Canvas::TextWidth(status) - 8, 146, status, kGold);
    return c.Scaled(2);
}
