// The in-stage menu and shop: their panels, buttons and icons on the HUD
// sheet, the shopkeeper on slot 40, and the placeholder map picture of slot
// 18 whose rooms are the pieces of data/maps/menu_map_pieces.inc. Places in
// MenuShopArt.h. The panels follow the HUD's buttons: an ink outline, a
// cream rim and a night field lit from the upper left.
#include <string>
#include <vector>

#include "MenuShopArt.h"
#include "Palette.h"
#include "Sheets.h"

namespace menu_art {
namespace {

using Rows = std::vector<std::string>;

bool Legend(char ch, Rgb& out) {
    switch (ch) {
        case 'k': out = kInk; return true;
        case 'w': out = kWhite; return true;
        case 'c': out = kCream; return true;
        case 'n': out = kNight; return true;
        case 'h': out = kWood; return true;
        case 'x': out = kEarthDark; return true;
        case 'e': out = kEarth; return true;
        case 's': out = kSand; return true;
        case 'r': out = kRed; return true;
        case 'o': out = kRose; return true;
        case 'g': out = kGold; return true;
        default: return false;
    }
}

// A panel: ink outline with cut corners, a rim and a field with a lighter
// band along its top.
void Panel(Canvas& c, int x, int y, int w, int h, Rgb rim, Rgb field, Rgb band) {
    c.Rect(x + 1, y, w - 2, h, kInk);
    c.Rect(x, y + 1, w, h - 2, kInk);
    c.Rect(x + 1, y + 1, w - 2, h - 2, rim);
    c.Rect(x + 2, y + 2, w - 4, h - 4, field);
    c.Rect(x + 2, y + 2, w - 4, 1, band);
    c.Rect(x + 2, y + h - 3, w - 4, 1, kInk);
    for (int dx : {1, w - 2})
        for (int dy : {1, h - 2}) c.Set(x + dx, y + dy, kInk);
}

// A sunken box for texts and icons: a dark field under a shadowed edge.
void Inset(Canvas& c, int x, int y, int w, int h) {
    c.Rect(x, y, w, h, kNavy);
    c.Rect(x, y, w, 1, kInk);
    c.Rect(x, y, 1, h, kInk);
    c.Rect(x + 1, y + h - 1, w - 1, 1, kSlate);
    c.Rect(x + w - 1, y + 1, 1, h - 1, kSlate);
}

void Cross(Canvas& c, int cx, int cy, int r, Rgb colour) {
    for (int i = -r; i <= r; ++i) {
        c.Rect(cx + i - 1, cy + i - 1, 2, 2, colour);
        c.Rect(cx + i - 1, cy - i - 1, 2, 2, colour);
    }
}

// --- The menu ---------------------------------------------------------------

// The header strip: three tabs of 40 x 20 at (1 + 40 i, 1), the current one
// raised in cream and joined to the page below, then a bar with a gold
// shuriken at its end.
void Header(Canvas& c, int y, int current) {
    Panel(c, 120, y + 3, 70, 18, kDusk, kNight, kDusk);
    c.Rect(124, y + 11, 52, 1, kGold);
    c.Disc(181, y + 11, 3, kGold);
    c.Rect(180, y + 7, 3, 9, kGold);
    c.Rect(177, y + 10, 9, 3, kGold);
    c.Set(181, y + 11, kNight);
    for (int i = 0; i < 3; ++i) {
        const int x = 1 + 40 * i;
        if (i == current) {
            Panel(c, x, y + 1, 40, 22, kCream, kMauve, kRose);
            c.Rect(x + 2, y + 20, 36, 3, kMauve);
        } else {
            Panel(c, x + 1, y + 3, 38, 18, kSlate, kNight, kDusk);
        }
    }
}

void PageBack(Canvas& c, int x, int y) {
    Panel(c, x, y, 190, 97, kCream, kMauve, kRose);
    c.Rect(x + 3, y + 3, 184, 90, kNight);
    // A faint lattice, as of a paper screen.
    for (int gx = x + 22; gx < x + 187; gx += 24) c.Rect(gx, y + 3, 1, 90, kDusk);
    for (int gy = y + 26; gy < y + 93; gy += 24) c.Rect(x + 3, gy, 184, 1, kDusk);
}

void TextBox(Canvas& c, int x, int y) {
    Panel(c, x, y, 180, 40, kCream, kNavy, kSlate);
    Inset(c, x + 3, y + 3, 174, 33);
}

void CloseButton(Canvas& c, int x, int y) {
    Panel(c, x, y, 30, 20, kCream, kCrimson, kRed);
    Cross(c, x + 15, y + 10, 4, kCream);
}

// Straw sandals: two soles of woven straw with red thongs.
Canvas Sandals() {
    Canvas c(24, 24, kKey);
    for (int s = 0; s < 2; ++s) {
        const int x = 4 + 9 * s, y = 3 + 2 * s;
        c.Rect(x, y + 1, 7, 16, kSand);
        c.Rect(x + 1, y, 5, 18, kSand);
        for (int k = 2; k < 17; k += 3) c.Rect(x + 1, y + k, 5, 1, kWood);
        c.Line(x + 3, y + 4, x, y + 9, kRed);
        c.Line(x + 3, y + 4, x + 6, y + 9, kRed);
        c.Set(x + 3, y + 4, kCrimson);
    }
    c.Outline(kInk);
    return c;
}

// A gauntlet: the plated back of a hand with a cuff; `metal` and `shade`
// give iron or silver.
Canvas Gauntlet(Rgb metal, Rgb shade, Rgb shine) {
    Canvas c(24, 24, kKey);
    c.Rect(6, 14, 12, 7, kEarth);  // the cuff
    c.Rect(6, 14, 12, 1, kWood);
    c.Rect(5, 6, 14, 9, metal);
    for (int f = 0; f < 4; ++f) c.Rect(5 + 4 * f, 2 + (f == 0 || f == 3 ? 2 : 0), 3, 6, metal);
    c.Rect(18, 8, 3, 6, metal);  // the thumb
    c.Rect(5, 11, 14, 1, shade);
    c.Rect(5, 13, 14, 1, shade);
    c.Rect(6, 7, 4, 2, shine);
    c.Outline(kInk);
    return c;
}

// A scarf of wind: a flowing band of foam and water.
Canvas Scarf() {
    Canvas c(24, 24, kKey);
    for (int x = 2; x < 22; ++x) {
        const int y = 8 + ((x / 4) % 2 == 0 ? (x % 4) : 3 - (x % 4));
        c.Rect(x, y, 1, 6, kFoam);
        c.Set(x, y + 5, kWater);
    }
    c.Rect(16, 13, 4, 8, kFoam);
    c.Rect(17, 20, 2, 1, kWater);
    c.Rect(5, 9, 4, 1, kWhite);
    c.Outline(kInk);
    return c;
}

// An amulet: a red charm bag tied with a gold cord.
Canvas Amulet() {
    Canvas c(24, 24, kKey);
    c.Rect(7, 7, 10, 14, kRed);
    c.Rect(8, 6, 8, 1, kRed);
    c.Rect(9, 9, 6, 8, kCream);
    c.Rect(11, 10, 2, 6, kCrimson);
    c.Rect(8, 7, 8, 1, kGold);
    c.Ring(12, 4, 2, kGold);
    c.Outline(kInk);
    return c;
}

const Rows kMarker = {
    "...kkkk...",
    "..krrrrk..",
    ".krcwrrrk.",
    "krrwwrrrrk",
    "krrrrrrrmk",
    "krrrrrrrmk",
    ".krrrrrmk.",
    "..krrmmk..",
    "...kkkk...",
    "..........",
};

// A magnifying glass with a plus (zoom in) or a minus (zoom out).
void ZoomButton(Canvas& c, int x, int y, bool plus) {
    Panel(c, x, y, 20, 20, kCream, kNight, kDusk);
    c.Ring(x + 8, y + 8, 5, kCream);
    c.Ring(x + 8, y + 8, 4, kStoneLight);
    c.Rect(x + 5, y + 8, 7, 1, kGold);
    if (plus) c.Rect(x + 8, y + 5, 1, 7, kGold);
    c.Line(x + 12, y + 12, x + 16, y + 16, kWood);
    c.Line(x + 12, y + 13, x + 15, y + 16, kWood);
}

// --- The shop ---------------------------------------------------------------

// The BUY place of the shop window: a wooden rim lit from the upper left
// round a sunken navy well, with a gold stud in each corner.
void BuyPlate(Canvas& c, int x, int y, int w, int h) {
    c.Rect(x + 1, y, w - 2, h, kInk);
    c.Rect(x, y + 1, w, h - 2, kInk);
    c.Rect(x + 1, y + 1, w - 2, h - 2, kWood);
    c.Rect(x + 1, y + 1, w - 2, 1, kSand);
    c.Rect(x + 1, y + 1, 1, h - 2, kSand);
    c.Rect(x + 1, y + h - 2, w - 2, 1, kEarth);
    c.Rect(x + w - 2, y + 2, 1, h - 3, kEarth);
    Inset(c, x + 3, y + 2, w - 6, h - 4);
    for (int dx : {1, w - 3})
        for (int dy : {1, h - 3}) {
            c.Set(x + dx, y + dy, kGold);
            c.Set(x + dx + 1, y + dy + 1, kAmber);
            c.Set(x + dx + 1, y + dy, kCream);
        }
}

// The shop window: a wooden frame round a night field; the speech bubble
// beside the keeper's place, eight icon wells, the info and gold boxes, and
// the BUY and close plates (positions in texels, half the screen's).
void ShopWindow(Canvas& c, int x, int y) {
    c.Rect(x + 1, y, 188, 110, kInk);
    c.Rect(x, y + 1, 190, 108, kInk);
    c.Rect(x + 1, y + 1, 188, 108, kWood);
    c.Rect(x + 1, y + 1, 188, 1, kSand);
    c.Rect(x + 1, y + 1, 1, 108, kSand);
    c.Rect(x + 1, y + 107, 188, 2, kEarth);
    c.Rect(x + 4, y + 4, 182, 102, kInk);
    c.Rect(x + 5, y + 5, 180, 100, kNight);
    for (int k = 12; k < 190; k += 22) c.Rect(x + k, y + 2, 1, 2, kEarth);  // grain of the frame
    // The keeper's corner and the speech bubble with its tail. The bubble's
    // field is plain: its first row is already the speech's first row.
    Inset(c, x + 3, y + 3, 25, 25);
    Panel(c, x + 32, y + 3, 154, 29, kCream, kNavy, kNavy);
    c.Polygon({{x + 33, y + 12}, {x + 28, y + 16}, {x + 33, y + 18}}, kCream);
    c.Line(x + 28, y + 16, x + 32, y + 12, kInk);
    c.Line(x + 28, y + 16, x + 32, y + 18, kInk);
    c.Rect(x + 33, y + 13, 1, 4, kNavy);
    for (int i = 0; i < 8; ++i) Inset(c, x + 4 + 26 * (i % 4), y + 34 + 26 * (i / 4), 24, 24);
    Inset(c, x + 110, y + 32, 76, 35);
    // The gold box holds the gold's whole text box (rows 75 to 84, columns
    // 115 to 184) inside its edges; a small coin stands left of it, where a
    // six-digit amount in full-width figures does not reach.
    Inset(c, x + 110, y + 70, 76, 16);
    c.Grid(x + 111, y + 77, {".g.", "cgg", "gga", "gaa", ".a."}, [](char ch, Rgb& out) {
        out = ch == 'c' ? kCream : ch == 'g' ? kGold : kAmber;
        return ch != '.';
    });
    // The BUY place: a sunken plate in a wooden rim with gold corner studs.
    // The game writes BUY on it when the row can be bought; left without its
    // label it reads as an empty slot like the icon wells, not as a button.
    BuyPlate(c, x + 110, y + 88, 50, 20);
    Panel(c, x + 160, y + 88, 30, 20, kCream, kNight, kDusk);
    Cross(c, x + 175, y + 98, 4, kCream);
}

// A scroll of the shinobi: a cream sheet rolled on red rods, tied in gold.
Canvas Scroll() {
    Canvas c(24, 24, kKey);
    c.Polygon({{4, 15}, {15, 4}, {20, 9}, {9, 20}}, kCream);
    c.Line(6, 15, 15, 6, kSand);
    c.Line(8, 16, 16, 8, kSand);
    c.Rect(2, 15, 5, 5, kCrimson);
    c.Rect(15, 2, 5, 5, kCrimson);
    c.Rect(3, 16, 2, 2, kRed);
    c.Rect(16, 3, 2, 2, kRed);
    c.Line(10, 10, 14, 14, kGold);
    c.Outline(kInk);
    return c;
}

// A tank of heart: a round glass jar holding a red heart.
Canvas HeartTank() {
    Canvas c(24, 24, kKey);
    c.Rect(9, 2, 6, 3, kWood);
    c.Disc(12, 14, 8, kStoneLight);
    c.Disc(12, 14, 7, kMist);
    c.Polygon({{7, 12}, {12, 19}, {17, 12}, {15, 9}, {12, 11}, {9, 9}}, kRed);
    c.Rect(9, 11, 2, 2, kCoral);
    c.Rect(6, 10, 1, 4, kWhite);
    c.Outline(kInk);
    return c;
}

// The bomb row before bombs are in stock: a bomb's shadow under a question
// mark.
Canvas BombComingSoon() {
    Canvas c(24, 24, kKey);
    c.Disc(12, 14, 7, kStoneDark);
    c.Rect(11, 5, 3, 3, kStone);
    c.Text(10, 10, "?", kStoneLight);
    c.Outline(kInk);
    return c;
}

// The sold mark: a red stamp across the icon.
Canvas SoldMark() {
    Canvas c(24, 24, kKey);
    c.Ring(12, 12, 10, kRed);
    c.Ring(12, 12, 9, kRed);
    c.Rect(0, 9, 24, 7, kRed);
    c.Text(2, 9, "SOLD", kCream);
    return c;
}

}  // namespace

void DrawMenuAndShopOnHud(Canvas& sheet) {
    for (int tab = 0; tab < 3; ++tab) Header(sheet, 240 + 30 * tab, tab);
    PageBack(sheet, 0, 343);
    TextBox(sheet, 0, 440);
    CloseButton(sheet, 110, 100);
    Panel(sheet, 140, 100, 40, 20, kCream, kCrimson, kRed);
    sheet.Blit(Sandals(), 270, 180);
    sheet.Blit(Gauntlet(kStone, kStoneDark, kStoneLight), 300, 180);
    sheet.Blit(Gauntlet(kStoneLight, kStone, kWhite), 330, 180);
    sheet.Blit(Scarf(), 360, 180);
    sheet.Blit(Amulet(), 390, 180);
    sheet.Grid(360, 240, kMarker, [](char ch, Rgb& out) {
        if (ch == 'm') {
            out = kCrimson;
            return true;
        }
        return Legend(ch, out);
    });
    ZoomButton(sheet, 380, 240, true);
    ZoomButton(sheet, 400, 240, false);
    ShopWindow(sheet, 200, 260);
    sheet.Blit(Scroll(), 150, 150);
    sheet.Blit(HeartTank(), 150, 180);
    sheet.Blit(BombComingSoon(), 480, 150);
    sheet.Blit(SoldMark(), 480, 180);
}

// The shopkeeper: a tanuki peering over the counter, its dark eye mask and
// cream muzzle in a round brown face.
void DrawShopkeeperOnSlot40(Canvas& sheet) {
    const Rows face = {
        "nnnnnnnnnnnnnnnn",
        "nnkkknnnnnnkkknn",
        "nkhxhkkkkkkhxhkn",
        "nkhhhhhhhhhhhhkn",
        "kheeeeehheeeeehk",
        "khxxxxehhexxxxhk",
        "kxxwkxxhhxxkwxxk",
        "kxxkkxxccxxkkxxk",
        "khxxxxccccxxxxhk",
        "khhhhccxxcchhhhk",
        "nkhhhcckkcchhhkn",
        "nkhhhhcccchhhhkn",
        "nnkhhhhhhhhhhknn",
        "hhhkkkkkkkkkkhhh",
        "sssssssssssssssh",
        "hhhhhhhhhhhhhhhe",
    };
    sheet.Grid(182, 21, face, Legend);
}

}  // namespace menu_art

// The map picture: every room of the six maps as a cell of parchment with an
// earth-brown wall, doors cut where rooms meet along a row.
ART_SHEET(118, "map") {
    struct Piece {
        int map, x, y, w, h;
    };
    static constexpr Piece kPieces[] = {
#include "../maps/menu_map_pieces.inc"
    };
    const Rgb fills[6] = {kSand, kGold, kLeaf, kFoam, kStoneLight, kCoral};
    Canvas c(512, 512, kKey);
    for (const Piece& p : kPieces) {
        if (p.w <= 0 || p.h <= 0) continue;
        c.Rect(p.x, p.y, p.w, p.h, kEarthDark);
        if (p.w > 2 && p.h > 2) c.Rect(p.x + 1, p.y + 1, p.w - 2, p.h - 2, fills[p.map]);
        if (p.h >= 5) c.Rect(p.x, p.y + p.h / 2, 1, 1, fills[p.map]);  // the door to the room before
    }
    return c;
}
