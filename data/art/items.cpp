// The pick-up sheet (resource 179, texture slot 59): what CCharacterItem
// shows (data/frames/CCharacterItem.tab). Every picture stands in a 16 x 16
// cell with its lowest pixel on row 14 and is centred across it, lit from
// the upper left and outlined in ink, so that it reads over every stage.
// The ammunition drops are drawn at scale 1 in play (the others at 2), so
// their pictures are the same drawings doubled into 32 x 32 cells: on screen
// every pick-up has the same size and pixels.
//
// Cells (x, y):
//   row 0:  heart, spirit orb (the drops that heal)
//   row 16: fire, wind and water ninjutsu, straw sandals, gauntlets, silver
//           gauntlets, life tank, scroll of shinobi, scarf of wind, bombs (the
//           weapon), amulet, key, treasure (x = 16 x their order)
//   row 32: shurikens, bombs (32 x 32, lowest pixels on rows 28-29)
#include "EffectArt.h"
#include "Palette.h"
#include "Sheets.h"

namespace {

using namespace fx;

constexpr int kCell = 16;

// The pixel grids' colours.
bool Legend(char ch, Rgb& out) {
    switch (ch) {
        case 'k': out = kInk; return true;
        case 'n': out = kNight; return true;
        case 'm': out = kMauve; return true;
        case 'o': out = kCoral; return true;
        case 'a': out = kAmber; return true;
        case 'g': out = kGold; return true;
        case 'c': out = kCream; return true;
        case 'w': out = kWhite; return true;
        case 'i': out = kMist; return true;
        case 's': out = kSlate; return true;
        case 'v': out = kNavy; return true;
        case 'p': out = kPine; return true;
        case 'G': out = kGrass; return true;
        case 'l': out = kLeaf; return true;
        case 'E': out = kEarthDark; return true;
        case 'e': out = kEarth; return true;
        case 'W': out = kWood; return true;
        case 'S': out = kSand; return true;
        case 't': out = kStoneDark; return true;
        case 'T': out = kStone; return true;
        case 'L': out = kStoneLight; return true;
        case 'Q': out = kWaterDeep; return true;
        case 'q': out = kWater; return true;
        case 'f': out = kFoam; return true;
        case 'R': out = kRed; return true;
        case 'C': out = kCrimson; return true;
        default: return false;
    }
}

// A picture drawn on a canvas one pixel larger on every side, then
// outlined.
template <class Paint>
Canvas Outlined(int w, int h, Paint paint) {
    Canvas c(w + 2, h + 2);
    Canvas inner(w, h);
    paint(inner);
    c.Blit(inner, 1, 1);
    c.Outline(kInk);
    return c;
}

Canvas Grid(const std::vector<std::string>& rows) {
    const int w = static_cast<int>(rows.front().size()), h = static_cast<int>(rows.size());
    return Outlined(w, h, [&](Canvas& c) { c.Grid(0, 0, rows, Legend); });
}

// Stands a picture in its cell: centred across, its lowest drawn pixel on
// row 14.
void Stand(Canvas& sheet, const Canvas& pic, int cellX, int cellY) {
    int lowest = 0;
    for (int y = 0; y < pic.H(); ++y)
        for (int x = 0; x < pic.W(); ++x)
            if (!(pic.Get(x, y) == kKey)) lowest = y;
    sheet.Blit(pic, cellX + (kCell - pic.W()) / 2, cellY + kCell - 2 - lowest);
}

// The same, doubled into a 32 x 32 cell.
void StandDoubled(Canvas& sheet, const Canvas& pic, int cellX, int cellY) {
    Canvas cell(kCell, kCell);
    Stand(cell, pic, 0, 0);
    sheet.Blit(cell.Scaled(2), cellX, cellY);
}

// --- The drops ---------------------------------------------------------------

Canvas Heart() {
    return Grid({
        ".RRR...RRR.",
        "RowRR.RRRRC",
        "RoRRRRRRRRC",
        "RRRRRRRRRRC",
        "RRRRRRRRRRC",
        ".RRRRRRRRC.",
        "..RRRRRRC..",
        "...RRRRC...",
        "....RRC....",
        ".....C.....",
    });
}

// A soul flame: a pale ball whose flame curls up and back.
Canvas Spirit() {
    return Grid({
        "......ff.",
        ".....fq..",
        "....fq...",
        "...ffq...",
        "..fwwfq..",
        ".fwwwwfq.",
        "fwwcwwffq",
        "fwwwwwffq",
        "qfwwwfffq",
        ".qfffffq.",
        "..qqqqq..",
    });
}

// Two stars, one behind the other.
Canvas Shurikens() {
    return Outlined(12, 12, [](Canvas& c) {
        c.Polygon({{0, 0}, {4, 2}, {7, 0}, {5, 4}, {7, 7}, {3, 5}, {0, 7}, {2, 3}}, kStoneDark);
        c.Polygon({{4, 4}, {8, 6}, {11, 4}, {9, 8}, {11, 11}, {7, 9}, {4, 11}, {6, 7}}, kStone);
        c.Polygon({{5, 5}, {8, 7}, {10, 5}, {8, 8}}, kStoneLight);
        c.Set(5, 5, kWhite);
        c.Set(3, 3, kStone);
        c.Set(7, 7, kInk);
        c.Set(8, 8, kInk);
    });
}

// Two bombs side by side, their fuses lit.
Canvas Bombs() {
    return Outlined(13, 11, [](Canvas& c) {
        Ball(c, 3.5, 7, 3.5, kInk, kNight, kSlate, kMist);
        Ball(c, 9, 6.5, 4, kInk, kNight, kSlate, kMist);
        c.Line(3, 3, 3, 2, kStone);
        c.Line(10, 2, 11, 1, kStone);
        c.Set(2, 1, kGold);
        c.Set(12, 0, kGold);
        c.Set(11, 0, kAmber);
    });
}

// --- The one-time items -----------------------------------------------------------

// A hanging scroll of ninjutsu: wooden rods, paper, and the sign of its
// element.
Canvas NinjutsuScroll(const std::vector<std::string>& sign) {
    return Outlined(10, 12, [&](Canvas& c) {
        c.Rect(0, 0, 10, 2, kWood);
        c.Line(0, 0, 9, 0, kSand);
        c.Rect(1, 2, 8, 8, kCream);
        c.Line(8, 2, 8, 9, kSand);
        c.Rect(0, 10, 10, 2, kWood);
        c.Line(0, 11, 9, 11, kEarth);
        c.Grid(2, 3, sign, Legend);
    });
}

Canvas FireScroll() {
    return NinjutsuScroll({
        "..R..",
        ".RaR.",
        ".Rag.",
        "RagaR",
        ".RRR.",
        "....."
    });
}

Canvas WindScroll() {
    return NinjutsuScroll({
        ".GGG.",
        "G...l",
        "G.Gl.",
        "G..G.",
        ".GG..",
        "....."
    });
}

Canvas WaterScroll() {
    return NinjutsuScroll({
        "..q..",
        ".qfq.",
        "qfwqq",
        "qffqQ",
        ".qQQ.",
        "....."
    });
}

// A pair of straw sandals, soles up, their red thongs across the toes.
Canvas StrawSandals() {
    return Grid({
        ".SSS..SSS.",
        "SgRgSSgRgS",
        "SRSRWSRSRW",
        "SgSgWSgSgW",
        "SWWWWSWWWW",
        "SgSgWSgSgW",
        "SWWWWSWWWW",
        "SgSgWSgSgW",
        "SWWWWSWWWW",
        ".SSW..SSW.",
    });
}

// A gauntlet: a fist in a cuff, the back of the hand plated.
Canvas Gauntlet(char dark, char body, char light, char plate) {
    std::vector<std::string> rows = {
        ".bbbbb...",
        "bLLBBBb..",
        "bLBBBBbb.",
        "bBBBBBBBb",
        ".bPPPPbBb",
        ".bPLPPbb.",
        ".bPPPPb..",
        "bbbbbbbb.",
        "bLBBBBBb.",
        "bBBBBBBb.",
        "bbbbbbbb.",
    };
    for (std::string& r : rows)
        for (char& ch : r) {
            if (ch == 'b') ch = dark;
            else if (ch == 'B') ch = body;
            else if (ch == 'L') ch = light;
            else if (ch == 'P') ch = plate;
        }
    return Grid(rows);
}

// A jar of red life with a heart on its label.
Canvas LifeTank() {
    return Grid({
        "..WWWWW..",
        "..SSSSS..",
        "...fff...",
        ".ffwfffq.",
        "fwRRRRRRq",
        "fwRcRcRRq",
        "fRRRRRRRq",
        "fRRcRRRRq",
        "fRRRRRCRq",
        "qCRRRRCCq",
        ".qqqqqqq.",
    });
}

// A rolled scroll of the shinobi arts, tied with a red cord and sealed.
Canvas ScrollOfShinobi() {
    return Grid({
        ".WWW.......",
        "WSWvvvvvvv.",
        "WWWsiiiiisv",
        "WSWsRRaRRsv",
        "WWWsiiiiisv",
        "WSWsiiiiisv",
        ".WWvvvvvvv.",
    });
}

// A scarf streaming in the wind: a loop and two tails.
Canvas ScarfOfWind() {
    return Grid({
        "..lll.......",
        ".lGGGl......",
        "lG..GGl.....",
        "lG...GGlll..",
        ".GG..pGGGGl.",
        "..GGGppp.GGl",
        "...pp..pp.pG",
        "........pp.p",
    });
}

// The bombs as a weapon: one large bomb, its fuse burning.
Canvas BigBomb() {
    return Outlined(11, 12, [](Canvas& c) {
        Ball(c, 5, 7, 5, kInk, kNight, kSlate, kMist);
        c.Rect(4, 1, 3, 2, kStone);
        c.Set(7, 0, kAmber);
        c.Set(8, 0, kGold);
        c.Set(8, 1, kCoral);
        c.Line(2, 7, 8, 7, kRed);
    });
}

// An amulet: a red charm pouch with a gold knot.
Canvas Amulet() {
    return Grid({
        "...gg...",
        "..g..g..",
        "...gg...",
        ".RRRRRR.",
        "RoRRRRRC",
        "RoRggRRC",
        "RoRgaRRC",
        "RoRRRRRC",
        "RoRRRRRC",
        "RRRRRRRC",
        ".CCCCCC.",
    });
}

Canvas GoldKey() {
    return Grid({
        ".ggg........",
        "gaaag.......",
        "ga.ag.......",
        "gaaaggggggg.",
        ".gggaaaaaaag",
        "......ag.ag.",
        "......g..g..",
    });
}

// A small chest with a gold band and clasp.
Canvas Treasure() {
    return Grid({
        "..EEEEEEEE..",
        ".EWSWWWWWWE.",
        "EWSWWWWWWWWE",
        "EggggggggggE",
        "EWWWWgaWWWWE",
        "EWWWWggWWWWE",
        "EWSWWWWWWWWE",
        "EWWWWWWWWWWE",
        "EEEEEEEEEEEE",
    });
}

}  // namespace

ART_SHEET(179, "items") {
    Canvas s(256, 256);
    // Row 0: the drops that heal; row 32: the ammunition.
    Stand(s, Heart(), 0, 0);
    Stand(s, Spirit(), 16, 0);
    StandDoubled(s, Shurikens(), 0, 32);
    StandDoubled(s, Bombs(), 32, 32);
    // Row 16: the one-time items in the order of their states.
    const Canvas items[] = {
        FireScroll(),
        WindScroll(),
        WaterScroll(),
        StrawSandals(),
        Gauntlet('e', 'W', 'S', 'T'),
        Gauntlet('t', 'L', 'w', 'T'),
        LifeTank(),
        ScrollOfShinobi(),
        ScarfOfWind(),
        BigBomb(),
        Amulet(),
        GoldKey(),
        Treasure(),
    };
    int x = 0;
    for (const Canvas& pic : items) {
        Stand(s, pic, x, 16);
        x += kCell;
    }
    return s;
}
