// The stage-select screen's parts of the interface sheet (114), and the
// save-slot marks of the HUD sheet (116):
//   (160, 0)    the preview frame, 160 x 80, laid over the picture
//   the ten stage pictures, 160 x 80 each, small paintings of places:
//     (0, 240) the pine forest at dusk       (320, 240) the riverside
//     (160, 240) the castle walls and tower  (320, 160) the boss hall
//     (0, 320) a snowy pass                  (160, 320) a bamboo grove
//     (320, 320) a shrine gate               (0, 400) a crystal cave
//     (160, 400) a waterfall                 (320, 400) a village at night
//   (60, 100)   a cell's name plate, 30 x 10; (110, 100) the link between
//               neighbouring plates, 10 x 10
//   20 x 20 buttons: leaderboard (60, 80), back (100, 80), shop (120, 80),
//               status (140, 80), score (140, 140)
//   HUD sheet: the gauge item's tally mark (220, 60), 10 x 10, and a save
//               row's erase button (140, 120), 17 x 17.
#include <cmath>
#include <string>
#include <vector>

#include "Palette.h"
#include "Sheets.h"
#include "TitleScreensArt.h"

namespace {

constexpr int kW = 160;
constexpr int kH = 80;

// Two colours mixed in a 2 x 2 checker: a dithered band between them.
Rgb Checker(int x, int y, Rgb a, Rgb b) { return ((x + y) & 1) ? a : b; }

// A sky of three bands, top to bottom, with a dithered row between each.
void Sky(Canvas& c, int height, Rgb top, Rgb mid, Rgb low) {
    for (int y = 0; y < height; ++y) {
        const int band = y * 3 / height;
        const bool edge = (y + 1) * 3 / height != band && y + 1 < height;
        for (int x = 0; x < kW; ++x) {
            const Rgb here = band == 0 ? top : band == 1 ? mid : low;
            const Rgb next = band == 0 ? mid : low;
            c.Set(x, y, edge ? Checker(x, y, here, next) : here);
        }
    }
}

// A ridge line filled to the bottom: the height at x is a sum of two waves.
void Ridge(Canvas& c, int baseY, int amplitude, double freq, double phase, Rgb colour, Rgb rim) {
    for (int x = 0; x < kW; ++x) {
        const double v = std::sin(x * freq + phase) * 0.6 + std::sin(x * freq * 2.7 + phase * 1.9) * 0.4;
        const int top = baseY - static_cast<int>(amplitude * (0.5 + 0.5 * v));
        for (int y = top; y < kH; ++y) c.Set(x, y, y == top ? rim : colour);
    }
}

// A pine: a trunk and three stacked tiers, lit on the left.
void Pine(Canvas& c, int x, int baseY, int height, Rgb dark, Rgb light, Rgb trunk) {
    c.Rect(x - 1, baseY - height / 4, 2, height / 4, trunk);
    const int tiers = 3;
    for (int t = 0; t < tiers; ++t) {
        const int tierTop = baseY - height + t * height / 4;
        const int tierH = height / 2;
        for (int y = 0; y < tierH; ++y) {
            const int half = 1 + y * (height / 5 + 1) / tierH;
            for (int dx = -half; dx <= half; ++dx) c.Set(x + dx, tierTop + y, dx < 0 && y > 1 ? light : dark);
        }
    }
}

void Stars(Canvas& c, int height, Rgb colour, int seed) {
    for (int i = 0; i < 18; ++i) {
        const int x = (i * 53 + seed * 17) % kW, y = (i * 29 + seed * 7) % height;
        c.Set(x, y, colour);
    }
}

// The rim every picture gets, so it reads apart from the frame.
void Finish(Canvas& c) { c.Frame(0, 0, kW, kH, kInk); }

Canvas Forest() {
    Canvas c(kW, kH);
    Sky(c, 60, kMauve, kRose, kAmber);
    c.Disc(112, 46, 9, kGold);
    c.Disc(112, 46, 6, kCream);
    Ridge(c, 50, 10, 0.05, 1.0, kDusk, kMauve);
    for (int i = 0; i < 9; ++i) Pine(c, 8 + i * 19, 62, 26 + (i * 7) % 10, kPineDark, kPineDark, kEarthDeep);
    c.Rect(0, 62, kW, 18, kEarth);
    c.Rect(0, 62, kW, 3, kGrass);
    for (int x = 0; x < kW; x += 3) c.Set(x, 61, kLeaf);
    for (int x = 0; x < kW; ++x) c.Set(x, 65, Checker(x, 65, kGrass, kEarth));
    for (int i = 0; i < 6; ++i) Pine(c, 20 + i * 28, 70, 40, kPine, kGrass, kEarthDeep);
    // The path the player runs along.
    c.Rect(0, 72, kW, 3, kSand);
    c.Rect(0, 75, kW, 1, kEarthDark);
    Finish(c);
    return c;
}

Canvas Riverside() {
    Canvas c(kW, kH);
    Sky(c, 44, kDusk, kMauve, kCoral);
    Ridge(c, 40, 8, 0.04, 2.0, kSlate, kMist);
    Ridge(c, 46, 5, 0.09, 0.3, kPineDark, kPine);
    // The river, dark at its depth, with light on its ripples.
    c.Rect(0, 50, kW, 30, kWaterDeep);
    for (int y = 50; y < 66; ++y)
        for (int x = 0; x < kW; ++x) if ((x + y * 3) % 11 < 5) c.Set(x, y, kWater);
    for (int i = 0; i < 14; ++i) c.Rect((i * 37) % 150, 54 + (i * 5) % 20, 6, 1, kFoam);
    // Stepping stones and the stone bank in front.
    for (int i = 0; i < 4; ++i) {
        const int x = 18 + i * 34;
        c.Rect(x, 62 - (i % 2) * 3, 14, 4, kStone);
        c.Rect(x, 62 - (i % 2) * 3, 14, 1, kStoneLight);
        c.Rect(x, 66 - (i % 2) * 3, 14, 1, kStoneDark);
    }
    c.Rect(0, 72, kW, 8, kStone);
    for (int x = 0; x < kW; x += 12) c.Rect(x, 72, 1, 8, kStoneDark);
    c.Rect(0, 72, kW, 1, kStoneLight);
    // Reeds on the bank.
    for (int i = 0; i < 12; ++i) {
        const int x = 4 + i * 13 + (i % 3);
        c.Rect(x, 62 - (i % 4) * 2, 1, 10 + (i % 4) * 2, kGrass);
        c.Rect(x, 61 - (i % 4) * 2, 1, 3, kEarth);
    }
    Finish(c);
    return c;
}

// A Japanese roof: a dark tiled slope with upswept eaves.
void Roof(Canvas& c, int x, int y, int w, int h, Rgb tile, Rgb edge) {
    for (int r = 0; r < h; ++r) {
        const int inset = (h - r) * 2;
        c.Rect(x + inset - r / 2, y + r, w - 2 * inset + r, 1, r == h - 1 ? edge : tile);
    }
    c.Set(x - h / 2 - 1, y + h - 2, edge);
    c.Set(x + w + h / 2, y + h - 2, edge);
}

Canvas CastleWalls() {
    Canvas c(kW, kH);
    Sky(c, 60, kNight, kDusk, kMauve);
    Stars(c, 30, kCream, 3);
    c.Disc(30, 16, 7, kCream);
    c.Disc(33, 14, 6, kNight);
    // The tower rising behind the walls, storey on storey.
    const int tx = 96;
    for (int s = 0; s < 4; ++s) {
        const int w = 36 - s * 7, y = 52 - s * 13;
        c.Rect(tx - w / 2, y, w, 10, kCream);
        c.Rect(tx - w / 2, y + 8, w, 2, kStoneLight);
        for (int wx = tx - w / 2 + 3; wx < tx + w / 2 - 3; wx += 6) c.Rect(wx, y + 3, 2, 3, kAmber);
        Roof(c, tx - w / 2 - 3, y - 4, w + 6, 5, kNavy, kSlate);
    }
    c.Rect(tx - 1, 4, 2, 3, kGold);
    // The stone wall in front, with its plaster band and tiled top.
    c.Rect(0, 58, kW, 22, kStone);
    for (int row = 0; row < 4; ++row) {
        const int y = 60 + row * 5;
        c.Rect(0, y, kW, 1, kStoneDark);
        for (int x = (row % 2) * 6; x < kW; x += 12) c.Rect(x, y, 1, 5, kStoneDark);
    }
    c.Rect(0, 50, kW, 8, kCream);
    for (int x = 8; x < kW; x += 24) c.Rect(x, 52, 4, 3, kNight);
    Roof(c, 2, 46, kW - 4, 4, kSlate, kNavy);
    Finish(c);
    return c;
}

Canvas BossHall() {
    Canvas c(kW, kH, kEarthDark);
    // Back wall panels and the hall's deep shadow.
    for (int x = 0; x < kW; x += 20) {
        c.Rect(x + 2, 8, 16, 44, kCrimson);
        c.Rect(x + 2, 8, 16, 1, kRose);
    }
    c.Rect(0, 0, kW, 6, kEarthDeep);
    // Pillars and torches.
    for (int i = 0; i < 4; ++i) {
        const int x = 14 + i * 42;
        c.Rect(x, 6, 8, 54, kWood);
        c.Rect(x, 6, 2, 54, kSand);
        c.Rect(x + 6, 6, 2, 54, kEarth);
        c.Rect(x - 2, 4, 12, 3, kEarthDeep);
        c.Rect(x + 2, 28, 4, 4, kEarthDeep);
        c.Disc(x + 4, 24, 3, kAmber);
        c.Disc(x + 4, 25, 1, kGold);
    }
    // The floor and the red carpet to the throne.
    c.Rect(0, 60, kW, 20, kStoneDark);
    for (int x = 0; x < kW; x += 16) c.Rect(x, 60, 1, 20, kInk);
    c.Polygon({{70, 60}, {90, 60}, {110, 80}, {50, 80}}, kRed);
    c.Polygon({{72, 60}, {74, 60}, {56, 80}, {52, 80}}, kCrimson);
    c.Rect(68, 36, 24, 24, kGold);
    c.Rect(71, 39, 18, 21, kCrimson);
    c.Rect(66, 50, 28, 10, kAmber);
    c.Rect(66, 50, 28, 1, kGold);
    Finish(c);
    return c;
}

Canvas SnowPass() {
    Canvas c(kW, kH);
    Sky(c, 50, kSlate, kMist, kStoneLight);
    // Peaks with snow caps.
    for (int i = 0; i < 4; ++i) {
        const int px = 10 + i * 44, top = 12 + (i % 2) * 10;
        c.Polygon({{px - 34, 60}, {px, top}, {px + 34, 60}}, kSlate);
        c.Polygon({{px - 9, top + 12}, {px, top}, {px + 9, top + 12}, {px + 3, top + 10}, {px - 3, top + 13}}, kWhite);
    }
    c.Rect(0, 60, kW, 20, kWhite);
    for (int x = 0; x < kW; ++x) c.Set(x, 66, Checker(x, 66, kStoneLight, kWhite));
    for (int i = 0; i < 5; ++i) Pine(c, 16 + i * 32, 68, 28, kPineDark, kPine, kEarthDeep);
    for (int i = 0; i < 5; ++i) c.Rect(14 + i * 32, 49, 5, 1, kWhite);
    Finish(c);
    return c;
}

Canvas BambooGrove() {
    Canvas c(kW, kH, kNavy);
    Stars(c, 40, kCream, 5);
    c.Disc(120, 18, 10, kCream);
    c.Disc(118, 16, 3, kGold);
    for (int i = 0; i < 12; ++i) {
        const int x = 4 + i * 13 + (i * 7) % 5;
        const Rgb stalk = i % 3 == 0 ? kLeaf : kGrass;
        c.Rect(x, 0, 4, 72, stalk);
        c.Rect(x, 0, 1, 72, kLeaf);
        c.Rect(x + 3, 0, 1, 72, kPine);
        for (int y = 8 + (i % 4) * 3; y < 72; y += 14) c.Rect(x - 1, y, 6, 1, kPineDark);
        c.Polygon({{x + 4, 10 + i % 5 * 4}, {x + 12, 6 + i % 5 * 4}, {x + 8, 12 + i % 5 * 4}}, kPine);
    }
    c.Rect(0, 72, kW, 8, kPineDark);
    for (int x = 0; x < kW; x += 5) c.Set(x, 72, kPine);
    Finish(c);
    return c;
}

Canvas ShrineGate() {
    Canvas c(kW, kH);
    Sky(c, 64, kRose, kCoral, kAmber);
    c.Disc(80, 58, 14, kGold);
    Ridge(c, 58, 6, 0.06, 0.7, kMauve, kRose);
    // Stone steps up to the gate.
    for (int s = 0; s < 5; ++s) {
        const int w = 120 - s * 16, y = 76 - s * 3;
        c.Rect(80 - w / 2, y, w, 4, kStone);
        c.Rect(80 - w / 2, y, w, 1, kStoneLight);
    }
    c.Rect(0, 78, kW, 2, kStoneDark);
    // The torii: two posts, the tie beam and the curved lintel.
    c.Rect(56, 24, 5, 40, kRed);
    c.Rect(99, 24, 5, 40, kRed);
    c.Rect(56, 24, 1, 40, kCoral);
    c.Rect(99, 24, 1, 40, kCoral);
    c.Rect(50, 30, 60, 3, kRed);
    c.Rect(44, 18, 72, 4, kInk);
    c.Rect(46, 21, 68, 3, kRed);
    c.Set(43, 17, kInk);
    c.Set(116, 17, kInk);
    c.Rect(78, 22, 4, 8, kCrimson);
    // Stone lanterns either side.
    for (int x : {20, 132}) {
        c.Rect(x, 52, 8, 16, kStone);
        c.Rect(x - 2, 50, 12, 3, kStoneDark);
        c.Rect(x + 2, 56, 4, 4, kAmber);
    }
    Finish(c);
    return c;
}

Canvas CrystalCave() {
    Canvas c(kW, kH, kNight);
    // The cave's mouth: a dark vault with a pool and crystals.
    c.Polygon({{0, 0}, {kW, 0}, {kW, 20}, {120, 12}, {80, 18}, {40, 10}, {0, 22}}, kInk);
    c.Rect(0, 62, kW, 18, kNight);
    c.Rect(30, 64, 100, 8, kWaterDeep);
    c.Rect(40, 65, 30, 1, kFoam);
    c.Rect(90, 68, 20, 1, kWater);
    for (int i = 0; i < 7; ++i) {
        const int x = 8 + i * 23, h = 10 + (i * 5) % 12;
        const Rgb glow = i % 2 ? kViolet : kFoam;
        c.Polygon({{x, 62}, {x + 3, 62 - h}, {x + 6, 62}}, glow);
        c.Rect(x + 2, 62 - h + 3, 1, h - 4, kWhite);
    }
    Finish(c);
    return c;
}

Canvas Waterfall() {
    Canvas c(kW, kH);
    Sky(c, 40, kDusk, kMauve, kRose);
    // The cliff either side, the falling water between.
    c.Polygon({{0, 10}, {60, 14}, {66, 80}, {0, 80}}, kStoneDark);
    c.Polygon({{100, 12}, {kW, 6}, {kW, 80}, {94, 80}}, kStoneDark);
    c.Line(0, 10, 60, 14, kStone);
    c.Line(100, 12, kW, 6, kStone);
    for (int x = 60; x < 100; ++x)
        for (int y = 14; y < 70; ++y) c.Set(x, y, (x * 3 + y / 3) % 7 < 3 ? kFoam : kWater);
    c.Rect(50, 66, 60, 14, kWaterDeep);
    for (int i = 0; i < 10; ++i) c.Disc(56 + i * 5, 68 - (i % 3), 2, kWhite);
    Pine(c, 20, 12, 20, kPineDark, kPine, kEarthDeep);
    Pine(c, 34, 13, 16, kPineDark, kPine, kEarthDeep);
    Pine(c, 132, 8, 22, kPineDark, kPine, kEarthDeep);
    Finish(c);
    return c;
}

Canvas NightVillage() {
    Canvas c(kW, kH, kNight);
    Stars(c, 36, kCream, 11);
    c.Disc(24, 14, 6, kCream);
    // Rows of houses, each with a roof and a lit window.
    for (int row = 0; row < 2; ++row) {
        for (int i = 0; i < 5; ++i) {
            const int x = 4 + i * 32 + row * 14, y = 40 + row * 18;
            c.Rect(x + 4, y, 24, 14, row ? kEarth : kEarthDark);
            c.Rect(x + 10, y + 4, 5, 5, kAmber);
            c.Rect(x + 12, y + 4, 1, 5, kEarthDark);
            Roof(c, x, y - 6, 32, 6, kSlate, kNavy);
        }
    }
    // Paper lanterns on a line across the street.
    c.Line(0, 34, kW, 30, kInk);
    for (int i = 0; i < 6; ++i) {
        c.Rect(10 + i * 27, 34 - i * 4 / 6, 4, 5, kRed);
        c.Set(11 + i * 27, 35 - i * 4 / 6, kCoral);
    }
    c.Rect(0, 76, kW, 4, kEarthDeep);
    Finish(c);
    return c;
}

// The frame laid over a preview at 2x: an ink line, a gold rim lit at the
// top, an amber shade and an inner ink line; the middle stays clear.
void PreviewFrame(Canvas& c, int x, int y) {
    c.Frame(x, y, kW, kH, kInk);
    c.Frame(x + 1, y + 1, kW - 2, kH - 2, kGold);
    c.Frame(x + 2, y + 2, kW - 4, kH - 4, kAmber);
    c.Frame(x + 3, y + 3, kW - 6, kH - 6, kInk);
    c.Rect(x + 1, y + 1, kW - 2, 1, kCream);
    // Corner studs.
    for (const auto& [cx, cy] : {std::pair{x + 1, y + 1}, std::pair{x + kW - 5, y + 1}, std::pair{x + 1, y + kH - 5},
                                 std::pair{x + kW - 5, y + kH - 5}}) {
        c.Rect(cx, cy, 4, 4, kInk);
        c.Rect(cx + 1, cy + 1, 2, 2, kGold);
    }
}

// A cell's name plate: a small wooden board with two gold nails.
void Plate(Canvas& c, int x, int y) {
    c.Rect(x, y + 1, 30, 8, kInk);
    c.Rect(x + 1, y, 28, 10, kInk);
    c.Rect(x + 1, y + 1, 28, 8, kWood);
    c.Rect(x + 1, y + 1, 28, 1, kSand);
    c.Rect(x + 1, y + 8, 28, 1, kEarth);
    c.Set(x + 3, y + 4, kGold);
    c.Set(x + 26, y + 4, kGold);
}

// The link between two plates: a short gold cord with a knot.
void Connector(Canvas& c, int x, int y) {
    c.Rect(x, y + 3, 10, 4, kInk);
    c.Rect(x, y + 4, 10, 2, kGold);
    c.Rect(x + 3, y + 2, 4, 6, kInk);
    c.Rect(x + 4, y + 3, 2, 4, kAmber);
}

}  // namespace

void DrawButtonPlate(Canvas& c, int x, int y) {
    c.Rect(x + 1, y + 1, 18, 18, kInk);
    c.Rect(x + 2, y + 2, 16, 16, kCream);
    c.Rect(x + 3, y + 3, 14, 14, kNight);
    c.Rect(x + 3, y + 3, 14, 2, kDusk);
}

namespace {

// Button glyphs, 12 x 12, inside the plate at (4, 4).
using Rows = std::vector<std::string>;

bool GlyphLegend(char ch, Rgb& out) {
    switch (ch) {
        case 'g': out = kGold; return true;
        case 'a': out = kAmber; return true;
        case 'c': out = kCream; return true;
        case 'r': out = kRed; return true;
        default: return false;
    }
}

const Rows kLeaderboardGlyph = {
    "............", "....gggg....", "....gccg....", "....gccg....", "....gccg.aa.",
    ".cc.gccg.aa.", ".cc.gccg.aa.", ".cc.gccg.aa.", ".cc.gccg.aa.", ".cc.gccg.aa.",
    "aaaaaaaaaaaa", "............",
};
const Rows kBackGlyph = {
    "............", "....g.......", "...gg.......", "..gggggggg..", ".ggggggggga.",
    "..gggggggga.", "...gg....ga.", "....g....ga.", ".........ga.", "....aaaaaa..",
    "............", "............",
};
const Rows kShopGlyph = {
    "............", ".....aa.....", "....a..a....", "...gggggg...", "..gggggggg..",
    ".gggcccgggg.", ".ggcggggggg.", ".gggccggggg.", ".gggggcgggg.", ".ggcccggggg.",
    "..aaaaaaaa..", "............",
};
const Rows kStatusGlyph = {
    "............", "....cccc....", "...cccccc...", "...cccccc...", "....cccc....",
    "..gggggggg..", ".gggaggaggg.", ".ggggaagggg.", ".ggggaagggg.", ".gggaggaggg.",
    ".aaaaaaaaaa.", "............",
};
const Rows kScoreGlyph = {
    "............", ".gggggggggg.", "ag.gccggg.ga", "ag.gccggg.ga", ".agcgggggga.",
    "..aggggggaa.", "...aggggaa..", ".....gg.....", ".....aa.....", "...gggggg...",
    "...aaaaaa...", "............",
};

void Button(Canvas& c, int x, int y, const Rows& glyph) {
    DrawButtonPlate(c, x, y);
    c.Grid(x + 4, y + 5, glyph, GlyphLegend);
}

}  // namespace

void DrawStageSelectParts(Canvas& c) {
    PreviewFrame(c, 160, 0);
    struct Picture {
        Canvas (*paint)();
        int x, y;
    };
    for (const Picture& p : {Picture{Forest, 0, 240}, Picture{Riverside, 320, 240}, Picture{CastleWalls, 160, 240},
                             Picture{BossHall, 320, 160}, Picture{SnowPass, 0, 320}, Picture{BambooGrove, 160, 320},
                             Picture{ShrineGate, 320, 320}, Picture{CrystalCave, 0, 400},
                             Picture{Waterfall, 160, 400}, Picture{NightVillage, 320, 400}}) {
        c.Blit(p.paint(), p.x, p.y);
    }
    Plate(c, 60, 100);
    Connector(c, 110, 100);
    Button(c, 60, 80, kLeaderboardGlyph);
    Button(c, 100, 80, kBackGlyph);
    Button(c, 120, 80, kShopGlyph);
    Button(c, 140, 80, kStatusGlyph);
    Button(c, 140, 140, kScoreGlyph);
}

void DrawSaveSlotMarks(Canvas& c) {
    // The gauge item's mark: a small blue flame of spirit.
    c.Grid(220, 60,
           {"....kk....", "...kfk....", "..kffk.k..", "..kfwfkfk.", ".kfwwffk..", ".kfwwwfk..", ".kffwwfk..",
            "..kfffk...", "...kkk....", ".........."},
           [](char ch, Rgb& out) {
               switch (ch) {
                   case 'k': out = kInk; return true;
                   case 'f': out = kWater; return true;
                   case 'w': out = kFoam; return true;
                   default: return false;
               }
           });
    // The erase button: a red plate with a white cross.
    c.Rect(140, 120, 17, 17, kInk);
    c.Rect(141, 121, 15, 15, kCrimson);
    c.Rect(142, 122, 13, 13, kRed);
    c.Rect(142, 122, 13, 1, kCoral);
    for (int i = 0; i < 7; ++i) {
        c.Rect(145 + i, 125 + i, 2, 2, kWhite);
        c.Rect(151 - i, 125 + i, 2, 2, kWhite);
    }
}
