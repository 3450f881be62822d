// The HUD sheet (512 x 512), all drawn at 2x:
//   (90..210, 60)  the 10 x 10 life marks: half-size heart full (90) and
//                  empty (100); heart full (170), half (180), empty (190);
//                  air dash available (200) and used (210).
//   (80, 100)      the menu button, 30 x 20; (80, 120) the pause button.
//   (180.., 150)   24 x 24 icons: the equip slot's button (180), katana
//                  (210), shuriken (240), bomb (270), fire ninjutsu (300),
//                  water ninjutsu (330), wind ninjutsu (360);
//   (.., 180)      the potions: ex magic (120), healing (180), magic (210),
//                  ex healing (240).
//   (480, 220)     the enemy lock's flash, 20 x 20 (stage_objects.cpp).
#include <string>
#include <vector>

#include "MenuShopArt.h"
#include "Palette.h"
#include "Sheets.h"
#include "StageObjectArt.h"
#include "TitleScreensArt.h"

namespace {

using Rows = std::vector<std::string>;

// The legend shared by the pixel grids of this sheet.
bool Legend(char ch, Rgb& out) {
    switch (ch) {
        case 'k': out = kInk; return true;
        case 'w': out = kWhite; return true;
        case 'c': out = kCream; return true;
        case 'r': out = kRed; return true;
        case 'o': out = kCoral; return true;
        case 'm': out = kCrimson; return true;
        case 'n': out = kNight; return true;
        case 'd': out = kDusk; return true;
        case 'f': out = kFoam; return true;
        case 'a': out = kWater; return true;
        case 'q': out = kWaterDeep; return true;
        case 's': out = kSlate; return true;
        case 't': out = kStoneDark; return true;
        case 'l': out = kStoneLight; return true;
        case 'e': out = kStone; return true;
        case 'g': out = kGold; return true;
        case 'y': out = kAmber; return true;
        case 'v': out = kViolet; return true;
        case 'u': out = kMauve; return true;
        case 'h': out = kWood; return true;
        case 'x': out = kEarthDark; return true;
        default: return false;
    }
}

// --- Life marks ---------------------------------------------------------------

const Rows kHeartFull = {
    "..........",
    ".kkk..kkk.",
    "kwcrkkrrrk",
    "kcrrrrrrmk",
    "krrrrrrrmk",
    ".krrrrrmk.",
    "..krrrmk..",
    "...krmk...",
    "....kk....",
    "..........",
};
const Rows kHeartHalf = {
    "..........",
    ".kkk..kkk.",
    "kwcrkkuddk",
    "kcrrrdddnk",
    "krrrrdddnk",
    ".krrrddnk.",
    "..krrdnk..",
    "...krnk...",
    "....kk....",
    "..........",
};
const Rows kHeartEmpty = {
    "..........",
    ".kkk..kkk.",
    "kuudkkuddk",
    "kudddddddk",
    "kddddddddk",
    ".kdddddnk.",
    "..kdddnk..",
    "...kdnk...",
    "....kk....",
    "..........",
};
const Rows kSmallHeartFull = {
    "..........",
    "..........",
    "..kk.kk...",
    ".kwrkrrk..",
    ".krrrrmk..",
    "..krrmk...",
    "...kmk....",
    "....k.....",
    "..........",
    "..........",
};
const Rows kSmallHeartEmpty = {
    "..........",
    "..........",
    "..kk.kk...",
    ".kuukddk..",
    ".kddddnk..",
    "..kddnk...",
    "...knk....",
    "....k.....",
    "..........",
    "..........",
};
// An upward arrow: the jump left in the air.
const Rows kDashAvailable = {
    "....kk....",
    "...kwfk...",
    "..kwfffk..",
    ".kwfffffk.",
    "kkkkwakkkk",
    "...kwak...",
    "...kfak...",
    "...kaqk...",
    "...kkkk...",
    "..........",
};
const Rows kDashUsed = {
    "....kk....",
    "...kesk...",
    "..kesssk..",
    ".kesssssk.",
    "kkkkestkkk",
    "...kestk..",
    "...ksstk..",
    "...kstk...",
    "...kkkk...",
    "..........",
};

// --- Buttons --------------------------------------------------------------------

// A rounded plate: ink outline, cream rim, a night field with a lighter
// band at the top (the light comes from the upper left).
void Plate(Canvas& c, int x, int y, int w, int h) {
    c.Rect(x + 1, y, w - 2, h, kInk);
    c.Rect(x, y + 1, w, h - 2, kInk);
    c.Rect(x + 1, y + 1, w - 2, h - 2, kCream);
    c.Rect(x + 2, y + 2, w - 4, h - 4, kNight);
    c.Rect(x + 2, y + 2, w - 4, 2, kDusk);
    c.Rect(x + 2, y + h - 3, w - 4, 1, kInk);
    c.Set(x + 1, y + 1, kInk);
    c.Set(x + w - 2, y + 1, kInk);
    c.Set(x + 1, y + h - 2, kInk);
    c.Set(x + w - 2, y + h - 2, kInk);
}

// A cream bar with an ink outline and a gold foot.
void Bar(Canvas& c, int x, int y, int w, int h) {
    c.Rect(x - 1, y - 1, w + 2, h + 2, kInk);
    c.Rect(x, y, w, h, kCream);
    c.Rect(x, y + h - 1, w, 1, kGold);
}

void PauseButton(Canvas& c, int x, int y) {
    Plate(c, x, y, 30, 20);
    Bar(c, x + 10, y + 5, 3, 10);
    Bar(c, x + 17, y + 5, 3, 10);
}

void MenuButton(Canvas& c, int x, int y) {
    Plate(c, x, y, 30, 20);
    for (int i = 0; i < 3; ++i) Bar(c, x + 9, y + 5 + 4 * i, 12, 2);
}

// --- Icons ----------------------------------------------------------------------

// The equip slot's button: a square plate the weapon icons lie on.
Canvas SlotButton() {
    Canvas c(24, 24, kKey);
    Plate(c, 0, 0, 24, 24);
    c.Rect(3, 4, 18, 16, kNavy);
    return c;
}

// Draws a shape on its own layer and gives it the ink outline.
template <typename Draw>
Canvas Outlined(Draw draw) {
    Canvas c(24, 24, kKey);
    draw(c);
    c.Outline(kInk);
    return c;
}

Canvas Katana() {
    return Outlined([](Canvas& c) {
        // The blade from the guard up to the top right, light along its
        // upper edge.
        for (int i = 0; i < 12; ++i) {
            c.Set(9 + i, 14 - i, kStoneLight);
            c.Set(10 + i, 14 - i, kWhite);
            c.Set(10 + i, 15 - i, kStone);
        }
        c.Set(21, 3, kWhite);
        // The guard and the wrapped grip.
        c.Rect(6, 13, 5, 2, kGold);
        c.Rect(8, 11, 2, 6, kGold);
        for (int i = 0; i < 5; ++i) {
            c.Set(7 - i, 16 + i, i % 2 ? kRed : kCrimson);
            c.Set(6 - i, 16 + i, i % 2 ? kCrimson : kRed);
        }
        c.Set(2, 21, kGold);
    });
}

Canvas Shuriken() {
    return Outlined([](Canvas& c) {
        c.Polygon({{12, 2}, {14, 10}, {22, 12}, {14, 14}, {12, 22}, {10, 14}, {2, 12}, {10, 10}}, kStone);
        c.Polygon({{12, 2}, {14, 10}, {12, 12}, {10, 10}}, kStoneLight);
        c.Polygon({{2, 12}, {10, 10}, {12, 12}, {10, 14}}, kStoneLight);
        c.Disc(12, 12, 2, kStoneDark);
        c.Set(12, 12, kKey);
    });
}

Canvas Bomb() {
    return Outlined([](Canvas& c) {
        c.Disc(11, 14, 7, kNight);
        c.Disc(10, 13, 5, kDusk);
        c.Disc(11, 14, 4, kNight);
        c.Rect(7, 10, 2, 2, kMist);
        c.Rect(10, 5, 3, 3, kStone);
        c.Line(13, 5, 16, 3, kWood);
        c.Set(17, 2, kAmber);
        c.Set(18, 1, kGold);
        c.Set(18, 3, kGold);
        c.Set(16, 1, kGold);
    });
}

Canvas Fire() {
    return Outlined([](Canvas& c) {
        c.Polygon({{12, 2}, {17, 9}, {19, 14}, {18, 19}, {14, 22}, {10, 22}, {6, 19}, {5, 14}, {7, 9}, {9, 11}},
                  kRed);
        c.Polygon({{12, 7}, {16, 13}, {16, 18}, {13, 21}, {10, 21}, {8, 18}, {8, 14}, {10, 15}}, kCoral);
        c.Polygon({{12, 12}, {14, 16}, {14, 19}, {12, 20}, {10, 19}, {10, 16}}, kGold);
        c.Set(12, 17, kCream);
    });
}

Canvas Water() {
    return Outlined([](Canvas& c) {
        c.Polygon({{12, 2}, {17, 11}, {6, 11}}, kWater);
        c.Disc(12, 15, 6, kWater);
        c.Disc(13, 16, 4, kWaterDeep);
        c.Disc(12, 15, 3, kWater);
        c.Rect(9, 11, 2, 4, kFoam);
        c.Set(10, 9, kFoam);
    });
}

Canvas Wind() {
    return Outlined([](Canvas& c) {
        c.Grid(0, 0,
               {
                   "........................",
                   "........................",
                   "........................",
                   "..........fffff.........",
                   "........ff.....ff.......",
                   ".......f.........f......",
                   "...............ff.......",
                   "..ffffffffffffff........",
                   "........................",
                   "............ffff........",
                   "...............ff.......",
                   "..aaaaaaaaaaaaaaaf......",
                   "...............ff.......",
                   "............fff.........",
                   "........................",
                   "..ffffffffffff..........",
                   "..............ff........",
                   "...............f........",
                   "...........f..f.........",
                   "............ff..........",
                   "........................",
                   "........................",
                   "........................",
                   "........................",
               },
               Legend);
    });
}

// A round flask: cork, glass neck, the liquid in the bowl with a shine; the
// ex potions carry a gold star.
Canvas Potion(Rgb liquid, Rgb shade, bool ex) {
    return Outlined([&](Canvas& c) {
        c.Rect(10, 2, 4, 3, kWood);
        c.Rect(10, 5, 4, 4, kStoneLight);
        c.Disc(12, 15, 7, kStoneLight);
        c.Disc(12, 15, 6, liquid);
        for (int x = 7; x <= 17; ++x)
            for (int y = 17; y <= 21; ++y)
                if ((x - 12) * (x - 12) + (y - 15) * (y - 15) <= 36) c.Set(x, y, shade);
        c.Rect(8, 11, 2, 3, kWhite);
        if (ex) {
            c.Set(17, 3, kGold);
            c.Rect(16, 4, 3, 1, kGold);
            c.Set(17, 5, kGold);
            c.Set(17, 4, kCream);
        }
    });
}

}  // namespace

ART_SHEET(116, "hud") {
    Canvas c(512, 512, kKey);
    const std::pair<int, const Rows*> marks[] = {
        {90, &kSmallHeartFull}, {100, &kSmallHeartEmpty}, {170, &kHeartFull}, {180, &kHeartHalf},
        {190, &kHeartEmpty},    {200, &kDashAvailable},   {210, &kDashUsed},
    };
    for (const auto& [x, rows] : marks) c.Grid(x, 60, *rows, Legend);
    MenuButton(c, 80, 100);
    PauseButton(c, 80, 120);
    DrawSaveSlotMarks(c);
    c.Blit(SlotButton(), 180, 150);
    c.Blit(Katana(), 210, 150);
    c.Blit(Shuriken(), 240, 150);
    c.Blit(Bomb(), 270, 150);
    c.Blit(Fire(), 300, 150);
    c.Blit(Water(), 330, 150);
    c.Blit(Wind(), 360, 150);
    c.Blit(Potion(kViolet, kDusk, true), 120, 180);
    c.Blit(Potion(kRose, kRed, false), 180, 180);
    c.Blit(Potion(kFoam, kWater, false), 210, 180);
    c.Blit(Potion(kCoral, kRed, true), 240, 180);
    stage_art::DrawLockFlash(c);
    menu_art::DrawMenuAndShopOnHud(c);
    return c;
}
