// The title shop's and the status and score screens' parts of the
// interface sheet (114), and the portrait sheet (115).
//   Interface sheet:
//   (40, 200), (60, 200)  up and down arrows, 20 x 20; the shop's page
//                         button shows the down arrow's rows 204 to 219
//   (140, 100)  the shopkeeper, a tanuki merchant, 20 x 20
//   (160, 80)   his speech balloon, 200 x 30, its tail toward him
//   (320, 0)    BUY, 40 x 21; (360, 0) the info panel, 120 x 68;
//   (360, 70)   the gold panel, 120 x 18
//   (160, 110)  an empty item slot, 21 x 21; (244, 131) the owned mark
//   Portrait sheet (512 x 512):
//   (0, 0)      the portrait frame, 70 x 70
//   (80, 80), (160, 80), (240, 80)  the 64 x 64 portraits of the three
//               ninjas for sale: Kunoichi, Kusarigama, Robo Ninja
#include <string>
#include <vector>

#include "Palette.h"
#include "Sheets.h"
#include "TitleScreensArt.h"

namespace {

using Rows = std::vector<std::string>;

bool ShopLegend(char ch, Rgb& out) {
    switch (ch) {
        case 'k': out = kInk; return true;
        case 'c': out = kCream; return true;
        case 'w': out = kWhite; return true;
        case 'g': out = kGold; return true;
        case 'a': out = kAmber; return true;
        case 'e': out = kEarth; return true;
        case 'd': out = kEarthDark; return true;
        case 'b': out = kWood; return true;
        case 's': out = kSand; return true;
        case 'n': out = kNight; return true;
        case 'r': out = kRed; return true;
        case 'm': out = kCrimson; return true;
        case 'l': out = kStoneLight; return true;
        case 'p': out = kSkin; return true;
        default: return false;
    }
}

// A chunky arrow pointing up, in the style of the left and right arrows.
const Rows kUpArrow = {
    "....................", "....................", "....................", "....................",
    ".........kk.........", "........kcck........", ".......kcggck.......", "......kcggggck......",
    ".....kcggggggck.....", "....kcggggggggck....", "...kkkkaggggakkkk...", "......kaggggak......",
    "......kaggggak......", "......kaggggak......", "......kaaaaaak......", "......kkkkkkkk......",
    "....................", "....................", "....................", "....................",
};

// The tanuki merchant, face on like the item icons: round ears with dark
// insides, the black mask round his eyes (each with its glint), cream
// cheeks and muzzle, a black nose over a smile, his fur lit from the upper
// left, and the collar of his red merchant's coat with gold buttons.
const Rows kTanuki = {
    "....................", "..kkk..........kkk..", ".kbdbk.kkkkkk.kbdbk.", ".kbddbkssbbbbkbddbk.",
    "..kbssbbbbbbbbbbek..", ".kbsbbbbbbbbbbbbbek.", "kbccbbbbbbbbbbbbccek", "kbcdddddbbbbdddddcek",
    "kbddwkddbccbddwkddek", "kbddkkddccccddkkddek", "kbcddddccccccddddcek", ".kbcccccckkccccccek.",
    "..kbccckcccckcccek..", "...kbbcckkkkccbek...", "....kkbbbbbbbbkk....", "...kmrkkkkkkkkrmk...",
    "..kmrrrrccccrrrrmk..", ".kmrrgrrrccrrrgrrmk.", ".kmrrrrrrrrrrrrrrmk.", ".kkkkkkkkkkkkkkkkkk.",
};

// The owned mark: a red seal in the lower right with a white tick.
const Rows kOwnedMark = {
    ".....................", ".....................", ".....................", ".....................",
    ".....................", ".....................", ".....................", ".....................",
    ".............kkkkk...", "............krrrrrk..", "...........krrrrrwrk.", "...........krrrrwwrk.",
    "...........krwrrwrrk.", "...........krwwwrrrk.", "...........krrwrrrrk.", "............krrrrrk..",
    ".............kkkkk...", ".....................", ".....................", ".....................",
    ".....................",
};

void Panel(Canvas& c, int x, int y, int w, int h) {
    c.Rect(x + 1, y, w - 2, h, kInk);
    c.Rect(x, y + 1, w, h - 2, kInk);
    c.Rect(x + 1, y + 1, w - 2, h - 2, kGold);
    c.Rect(x + 1, y + h - 2, w - 2, 1, kAmber);
    c.Rect(x + 2, y + 2, w - 4, h - 4, kInk);
    c.Rect(x + 3, y + 3, w - 6, h - 6, kNight);
    c.Rect(x + 3, y + 3, w - 6, 1, kDusk);
}

void Balloon(Canvas& c, int x, int y) {
    // The body, rounded at its corners, and a tail to the left.
    c.Rect(x + 10, y + 1, 188, 28, kInk);
    c.Rect(x + 9, y + 2, 190, 26, kInk);
    c.Rect(x + 11, y + 2, 186, 26, kCream);
    c.Rect(x + 10, y + 3, 188, 24, kCream);
    c.Rect(x + 11, y + 25, 186, 2, kSand);
    c.Polygon({{x + 1, y + 18}, {x + 11, y + 11}, {x + 11, y + 20}}, kInk);
    c.Polygon({{x + 3, y + 18}, {x + 12, y + 13}, {x + 12, y + 19}}, kCream);
}

void BuyButton(Canvas& c, int x, int y) {
    c.Rect(x + 1, y, 38, 21, kInk);
    c.Rect(x, y + 1, 40, 19, kInk);
    c.Rect(x + 1, y + 1, 38, 19, kCrimson);
    c.Rect(x + 2, y + 2, 36, 16, kRed);
    c.Rect(x + 2, y + 2, 36, 2, kCoral);
}

void EmptySlot(Canvas& c, int x, int y) {
    c.Rect(x + 1, y + 1, 19, 19, kInk);
    c.Rect(x + 2, y + 2, 17, 17, kNight);
    for (int i = 3; i < 18; i += 2) {
        c.Set(x + i, y + 2, kStoneLight);
        c.Set(x + i, y + 18, kStoneLight);
        c.Set(x + 2, y + i, kStoneLight);
        c.Set(x + 18, y + i, kStoneLight);
    }
}

// --- Portraits -------------------------------------------------------------

struct Look {
    Rgb suitLight, suit, suitDark;    // the hood and shoulders
    Rgb accent, accentDark;           // scarf
    Rgb face, faceDark;               // what shows of the face
    Rgb eye;
};

// A ninja's bust from the chest up, lit from the upper left: shoulders, a
// hood round the head with the face band open, the scarf at the neck.
Canvas Bust(const Look& look) {
    Canvas f(64, 64, kKey);
    // Shoulders and chest.
    f.Polygon({{6, 64}, {12, 48}, {24, 42}, {40, 42}, {52, 48}, {58, 64}}, look.suit);
    f.Polygon({{6, 64}, {12, 48}, {24, 42}, {26, 64}}, look.suitLight);
    f.Polygon({{44, 44}, {52, 48}, {58, 64}, {46, 64}}, look.suitDark);
    // Head in its hood: shaded right, lit upper left.
    f.Disc(32, 26, 15, look.suitDark);
    f.Disc(31, 25, 14, look.suit);
    f.Disc(27, 21, 7, look.suitLight);
    // The face band and the eyes.
    f.Rect(19, 23, 26, 9, look.face);
    f.Rect(19, 30, 26, 2, look.faceDark);
    f.Rect(23, 26, 5, 3, kInk);
    f.Rect(36, 26, 5, 3, kInk);
    f.Rect(24, 26, 2, 2, look.eye);
    f.Rect(37, 26, 2, 2, look.eye);
    f.Rect(22, 24, 7, 1, look.faceDark);
    f.Rect(35, 24, 7, 1, look.faceDark);
    // The scarf wound at the neck, its end blowing back.
    f.Rect(18, 40, 28, 6, look.accent);
    f.Rect(18, 44, 28, 2, look.accentDark);
    f.Polygon({{44, 40}, {58, 36}, {62, 42}, {46, 46}}, look.accent);
    f.Polygon({{48, 44}, {62, 42}, {60, 46}}, look.accentDark);
    return f;
}

// The portrait's ground: dusk sky with a low moon.
Canvas PortraitGround(Rgb moon) {
    Canvas c(64, 64, kDusk);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            if (y < 20) c.Set(x, y, kNight);
            else if (y < 22) c.Set(x, y, ((x + y) & 1) ? kNight : kDusk);
        }
    c.Disc(11, 11, 6, moon);
    return c;
}

Canvas Finish(Canvas ground, Canvas figure) {
    figure.Outline(kInk);
    ground.Blit(figure, 0, 0);
    ground.Frame(0, 0, 64, 64, kInk);
    return ground;
}

Canvas Kunoichi() {
    // Her ponytail falls from the crown of the hood, behind the head.
    Canvas f(64, 64, kKey);
    // As on her sheet: a plum suit, a gold sash and headband, black hair.
    f.Polygon({{36, 10}, {46, 6}, {55, 14}, {59, 30}, {55, 38}, {52, 24}, {44, 14}}, kNight);
    f.Polygon({{44, 8}, {50, 10}, {56, 22}, {53, 22}, {47, 13}}, kDusk);
    const Look look{kViolet, kMauve, kDusk, kGold, kAmber, kSkin, kSand, kViolet};
    f.Blit(Bust(look), 0, 0);
    f.Rect(18, 18, 28, 3, kGold);
    f.Rect(18, 18, 28, 1, kCream);
    f.Rect(39, 10, 5, 4, kGold);
    f.Rect(39, 10, 5, 1, kCream);
    // Lashes.
    f.Rect(22, 25, 7, 1, kInk);
    f.Rect(35, 25, 7, 1, kInk);
    return Finish(PortraitGround(kCream), f);
}

Canvas Kusarigama() {
    // As on her sheet: a green jacket, a sand sash, a wide straw hat.
    const Look look{kLeaf, kGrass, kPine, kSand, kWood, kSkin, kSand, kAmber};
    Canvas f = Bust(look);
    // The sickle over the shoulder and its chain across the chest.
    f.Rect(50, 14, 3, 34, kWood);
    f.Rect(50, 14, 1, 34, kSand);
    f.Polygon({{46, 10}, {60, 6}, {62, 10}, {52, 16}}, kStoneLight);
    f.Polygon({{50, 14}, {62, 10}, {60, 12}}, kStone);
    for (int i = 0; i < 9; ++i) {
        const int x = 14 + i * 4, y = 60 - i * 2;
        f.Rect(x, y, 3, 2, i % 2 ? kStone : kStoneLight);
    }
    // The straw hat: a wide shallow cone over the brow.
    f.Polygon({{4, 20}, {32, 4}, {60, 20}, {56, 22}, {8, 22}}, kSand);
    f.Polygon({{4, 20}, {32, 4}, {32, 20}}, kGold);
    f.Rect(8, 21, 48, 1, kWood);
    for (int i = 0; i < 5; ++i) f.Set(16 + i * 8, 16 - (i < 3 ? i * 3 : (4 - i) * 3), kWood);
    return Finish(PortraitGround(kCream), f);
}

Canvas RoboNinja() {
    // As on its sheet: a square coral head lit amber on a coral chassis, a
    // navy visor across the face with a foam eye line, an antenna with a
    // red lamp, a steel neck collar and bolts.
    const Look look{kAmber, kCoral, kRed, kStone, kStoneDark, kNavy, kNight, kFoam};
    Canvas f = Bust(look);
    // The head is a box, not a hood: square it over the bust's round head.
    f.Rect(15, 10, 34, 31, kKey);
    f.Rect(16, 11, 32, 29, kRed);
    f.Rect(16, 11, 31, 28, kCoral);
    f.Rect(16, 11, 31, 2, kAmber);
    f.Rect(16, 11, 2, 28, kAmber);
    f.Rect(18, 21, 29, 10, kNavy);
    f.Rect(18, 29, 29, 2, kNight);
    f.Rect(21, 24, 23, 2, kFoam);
    f.Rect(22, 24, 3, 1, kWhite);
    f.Rect(31, 3, 2, 8, kStoneDark);
    f.Disc(32, 3, 2, kRed);
    for (const auto& [x, y] : {std::pair{19, 35}, std::pair{43, 35}, std::pair{14, 54}, std::pair{49, 54}}) {
        f.Rect(x, y, 2, 2, kStoneDark);
        f.Set(x, y, kWhite);
    }
    f.Rect(26, 48, 12, 8, kStoneDark);
    f.Rect(27, 49, 10, 1, kMist);
    return Finish(PortraitGround(kFoam), f);
}

// The frame behind a portrait: a gold rim three texels wide round a dark
// field the 64 x 64 picture covers.
void PortraitFrame(Canvas& c) {
    c.Rect(0, 0, 70, 70, kInk);
    c.Rect(1, 1, 68, 68, kGold);
    c.Rect(1, 1, 68, 1, kCream);
    c.Rect(1, 68, 68, 1, kAmber);
    c.Rect(68, 1, 1, 68, kAmber);
    c.Rect(2, 2, 66, 66, kInk);
    c.Rect(3, 3, 64, 64, kNight);
}

}  // namespace

void DrawShopParts(Canvas& c) {
    c.Grid(40, 200, kUpArrow, ShopLegend);
    Rows down(kUpArrow.rbegin(), kUpArrow.rend());
    // Flipped, its tip stands low; moved up so that rows 4 to 18 hold it.
    down.erase(down.begin());
    down.push_back(std::string(20, '.'));
    c.Grid(60, 200, down, ShopLegend);
    c.Grid(140, 100, kTanuki, ShopLegend);
    Balloon(c, 160, 80);
    BuyButton(c, 320, 0);
    Panel(c, 360, 0, 120, 68);
    Panel(c, 360, 70, 120, 18);
    EmptySlot(c, 160, 110);
    c.Grid(244, 131, kOwnedMark, ShopLegend);
}

ART_SHEET(115, "portraits") {
    Canvas c(512, 512, kKey);
    PortraitFrame(c);
    c.Blit(Kunoichi(), 80, 80);
    c.Blit(Kusarigama(), 160, 80);
    c.Blit(RoboNinja(), 240, 80);
    return c;
}
