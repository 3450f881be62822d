// The inventory's icons: one 21 x 21 picture per item kind on the interface
// sheet (texture slot 14), at the cells the inventory draws from
// (src/player/Item.cpp). Each is drawn from shapes inside a 1-pixel margin,
// lit from the upper left, and outlined in ink.
#include <cmath>

#include "ItemIcons.h"
#include "Palette.h"

namespace {

constexpr int kIcon = 21;

// Top-left corners of the cells, by kind 0..18.
constexpr int kCells[19][2] = {
    {223, 110}, {244, 110}, {265, 110}, {286, 110}, {223, 131}, {349, 110}, {328, 110},
    {307, 110}, {265, 131}, {202, 110}, {370, 110}, {181, 110}, {160, 131}, {181, 131},
    {202, 131}, {286, 131}, {307, 131}, {328, 131}, {349, 131},
};

void Pixels(Canvas& c, std::initializer_list<std::pair<int, int>> at, Rgb colour) {
    for (const auto& [x, y] : at) c.Set(x, y, colour);
}

// 0: a round flask of red medicine with a cork.
void PotionOfHealing(Canvas& c) {
    c.Rect(8, 2, 5, 2, kWood);
    c.Rect(8, 4, 5, 3, kFoam);
    c.Disc(10, 12, 6, kRed);
    c.Disc(9, 11, 4, kCoral);
    c.Disc(10, 12, 3, kRed);
    c.Rect(5, 15, 11, 2, kCrimson);
    Pixels(c, {{7, 9}, {7, 10}, {8, 8}}, kWhite);
    Pixels(c, {{9, 4}, {9, 5}}, kWhite);
}

// 1: a woven straw sandal with a red thong.
void StrawSandals(Canvas& c) {
    c.Polygon({{7, 2}, {13, 2}, {16, 5}, {15, 17}, {13, 19}, {8, 19}, {5, 16}, {4, 5}}, kSand);
    for (int y = 4; y <= 17; y += 2) c.Line(6, y, 14, y, kWood);
    c.Line(5, 6, 5, 15, kGold);
    c.Line(15, 6, 14, 16, kWood);
    c.Line(10, 4, 10, 8, kRed);
    c.Line(6, 11, 10, 8, kRed);
    c.Line(14, 11, 10, 8, kRed);
    c.Set(10, 8, kCrimson);
}

// 2: a conical woven hat with its ties.
void WovenHat(Canvas& c) {
    c.Polygon({{10, 3}, {19, 13}, {1, 13}}, kSand);
    c.Polygon({{10, 3}, {4, 10}, {1, 13}, {6, 13}}, kGold);
    c.Line(10, 3, 6, 13, kWood);
    c.Line(10, 3, 14, 13, kWood);
    c.Line(10, 4, 10, 13, kAmber);
    c.Rect(1, 13, 19, 2, kWood);
    c.Line(7, 15, 9, 18, kRed);
    c.Line(13, 15, 11, 18, kRed);
}

// 3: a red charm pouch with a gold knot and crest.
void AmuletOfProtection(Canvas& c) {
    c.Rect(6, 6, 9, 12, kRed);
    c.Polygon({{6, 6}, {8, 4}, {12, 4}, {14, 6}}, kRed);
    c.Line(6, 6, 6, 17, kCoral);
    c.Line(14, 6, 14, 17, kCrimson);
    c.Disc(10, 3, 2, kGold);
    c.Set(9, 2, kCream);
    c.Rect(8, 9, 5, 5, kGold);
    c.Rect(9, 10, 3, 3, kAmber);
    c.Set(10, 11, kCrimson);
}

// 4: a jade comma-shaped bead on a red cord.
void CharmOfVitality(Canvas& c) {
    c.Line(10, 1, 10, 4, kRed);
    c.Disc(9, 9, 5, kGrass);
    c.Polygon({{14, 9}, {13, 18}, {6, 13}}, kGrass);
    c.Disc(8, 8, 3, kLeaf);
    c.Disc(9, 9, 2, kGrass);
    c.Disc(9, 8, 1, kPineDark);
    c.Line(13, 12, 12, 17, kPine);
    Pixels(c, {{6, 6}, {7, 5}}, kCream);
}

// 5: the folded dark suit of a shinobi with its sash.
void ClothesOfShinobi(Canvas& c) {
    c.Rect(3, 5, 15, 13, kSlate);
    c.Line(3, 5, 3, 17, kMist);
    c.Line(4, 5, 16, 5, kMist);
    c.Line(17, 6, 17, 17, kNavy);
    c.Line(7, 5, 10, 10, kNavy);
    c.Line(13, 5, 10, 10, kNavy);
    c.Line(8, 5, 10, 8, kSkin);
    c.Line(12, 5, 10, 8, kSkin);
    c.Rect(3, 11, 15, 2, kNavy);
    c.Rect(9, 11, 3, 2, kRed);
    c.Line(10, 13, 9, 16, kRed);
}

// 6: a paper charm with red brush strokes.
void CharmOfPower(Canvas& c) {
    c.Rect(6, 2, 9, 17, kCream);
    c.Line(6, 2, 6, 18, kWhite);
    c.Line(14, 3, 14, 18, kSand);
    c.Rect(8, 4, 5, 1, kRed);
    c.Line(10, 4, 10, 14, kRed);
    c.Rect(8, 8, 5, 1, kRed);
    c.Line(7, 12, 13, 12, kRed);
    c.Line(8, 14, 12, 16, kCrimson);
    c.Disc(10, 16, 1, kRed);
}

// 7: a piece of salmon sushi with a band of seaweed.
void SushiOfStrength(Canvas& c) {
    c.Rect(3, 10, 15, 7, kCream);
    c.Line(3, 16, 17, 16, kSand);
    c.Rect(2, 6, 17, 5, kCoral);
    for (int x = 4; x <= 16; x += 4) c.Line(x, 6, x + 2, 10, kRose);
    c.Line(3, 6, 12, 6, kAmber);
    c.Rect(9, 6, 3, 11, kNight);
    c.Line(9, 6, 9, 16, kDusk);
}

// 8: a fine katana, drawn corner to corner.
void Masamune(Canvas& c) {
    c.Line(7, 13, 18, 2, kStoneLight);
    c.Line(8, 13, 18, 3, kStone);
    c.Line(7, 12, 17, 2, kWhite);
    c.Disc(6, 14, 2, kGold);
    c.Set(5, 13, kCream);
    c.Line(2, 18, 5, 15, kNavy);
    c.Line(3, 18, 5, 16, kNavy);
    Pixels(c, {{3, 17}, {4, 16}}, kCrimson);
}

// 9: a rolled scroll tied with red.
void ScrollOfSecrets(Canvas& c) {
    c.Rect(4, 6, 13, 9, kCream);
    for (int y = 8; y <= 12; y += 2) c.Line(6, y, 14, y, kSand);
    c.Rect(2, 5, 3, 11, kWood);
    c.Rect(16, 5, 3, 11, kWood);
    c.Line(2, 5, 2, 15, kSand);
    c.Line(18, 5, 18, 15, kEarth);
    c.Rect(9, 6, 2, 9, kRed);
    c.Line(10, 15, 12, 18, kRed);
}

// 10: a long red scarf rippling in the wind.
void ScarfOfWind(Canvas& c) {
    for (int x = 3; x <= 18; ++x) {
        const int y = 8 + static_cast<int>(std::lround(3.0 * std::sin(x / 2.5)));
        c.Rect(x, y, 1, 4, kRed);
        c.Set(x, y, kCoral);
        c.Set(x, y + 3, kCrimson);
    }
    c.Disc(3, 10, 2, kRed);
    c.Set(2, 9, kCoral);
    Pixels(c, {{8, 3}, {9, 3}, {12, 17}, {13, 17}, {15, 4}}, kFoam);
}

// 11: a four-pointed throwing star with gusts about it.
void ShurikenOfGale(Canvas& c) {
    c.Polygon({{10, 1}, {12, 8}, {19, 10}, {12, 12}, {10, 19}, {8, 12}, {1, 10}, {8, 8}}, kStone);
    c.Polygon({{10, 1}, {8, 8}, {1, 10}, {10, 10}}, kStoneLight);
    c.Polygon({{10, 10}, {19, 10}, {12, 12}, {10, 19}}, kStoneDark);
    c.Disc(10, 10, 1, kNavy);
    Pixels(c, {{3, 3}, {4, 4}, {16, 16}, {17, 15}, {16, 3}, {3, 16}}, kFoam);
}

// 12: a gold bar.
void Bullion(Canvas& c) {
    c.Polygon({{5, 7}, {16, 7}, {19, 15}, {2, 15}}, kGold);
    c.Polygon({{5, 7}, {16, 7}, {17, 9}, {4, 9}}, kCream);
    c.Line(2, 15, 19, 15, kAmber);
    c.Line(16, 8, 19, 15, kAmber);
    c.Rect(8, 11, 5, 2, kAmber);
    c.Set(3, 14, kWhite);
}

// 13: a golden sponge cake on a plate, a coin peeking from it.
void CakeOfGoldenYellow(Canvas& c) {
    c.Rect(1, 16, 19, 2, kStoneLight);
    c.Line(1, 17, 19, 17, kStone);
    c.Rect(2, 9, 12, 7, kGold);
    c.Rect(2, 7, 12, 2, kWood);
    c.Line(2, 15, 13, 15, kAmber);
    c.Line(2, 9, 2, 14, kCream);
    c.Line(5, 11, 11, 11, kAmber);
    // A gold coin, leaning on the cake.
    c.Disc(16, 12, 3, kAmber);
    c.Disc(15, 11, 2, kGold);
    c.Set(14, 10, kCream);
}

// 14: a wooden money chest with gold coins on top.
void SenRyoBox(Canvas& c) {
    c.Rect(3, 8, 15, 10, kWood);
    c.Rect(3, 6, 15, 3, kEarth);
    c.Line(3, 6, 17, 6, kSand);
    c.Line(3, 8, 3, 17, kSand);
    c.Rect(8, 11, 5, 4, kGold);
    c.Set(10, 13, kEarthDark);
    Pixels(c, {{3, 17}, {17, 17}, {3, 9}, {17, 9}}, kStoneDark);
    c.Disc(7, 4, 2, kGold);
    c.Disc(13, 4, 2, kGold);
    c.Disc(10, 3, 2, kAmber);
    Pixels(c, {{6, 3}, {12, 3}, {9, 2}}, kCream);
}

// 15: the ninja: slate hood, the eyes in its slit, red scarf.
void NinjaPortrait(Canvas& c) {
    c.Disc(10, 10, 7, kSlate);
    Pixels(c, {{6, 5}, {7, 4}, {8, 4}, {5, 6}, {5, 7}}, kMist);
    c.Rect(5, 9, 11, 4, kSkin);
    Pixels(c, {{7, 10}, {7, 11}, {12, 10}, {12, 11}}, kInk);
    c.Line(5, 12, 15, 12, kNavy);
    c.Rect(4, 16, 13, 3, kRed);
    Pixels(c, {{17, 17}, {18, 18}, {18, 17}}, kRed);
    c.Line(4, 16, 16, 16, kCoral);
}

// 16: the kunoichi as her sheet and portrait show her: a violet hood with
// its shade to the lower right, the gold headband knotted behind, the face
// band with violet eyes, the black ponytail over the crown and the gold
// scarf at the neck.
void KunoichiPortrait(Canvas& c) {
    c.Polygon({{11, 3}, {14, 1}, {17, 1}, {19, 4}, {19, 12}, {18, 14}, {17, 12}, {17, 6}, {15, 4}, {13, 4}}, kDusk);
    Pixels(c, {{14, 2}, {15, 2}, {16, 2}, {17, 3}, {18, 4}, {18, 5}, {18, 6}}, kMauve);
    c.Disc(9, 10, 7, kMauve);
    c.Disc(8, 9, 6, kViolet);
    Pixels(c, {{5, 4}, {6, 3}, {7, 3}, {4, 5}}, kCream);
    c.Rect(2, 6, 15, 2, kGold);
    c.Line(2, 6, 16, 6, kCream);
    Pixels(c, {{17, 7}, {17, 8}, {16, 9}}, kGold);
    c.Rect(4, 9, 11, 3, kSkin);
    c.Line(4, 11, 14, 11, kSand);
    Pixels(c, {{6, 10}, {11, 10}}, kInk);
    Pixels(c, {{7, 10}, {12, 10}}, kViolet);
    c.Rect(3, 16, 13, 3, kGold);
    c.Line(3, 18, 15, 18, kAmber);
    c.Line(3, 16, 15, 16, kCream);
}

// 17: the chain sickle: a hooked blade on a wooden haft, the chain trailing.
void KusarigamaPortrait(Canvas& c) {
    c.Line(6, 17, 11, 9, kWood);
    c.Line(7, 17, 12, 9, kEarth);
    c.Polygon({{10, 8}, {17, 2}, {19, 4}, {13, 9}}, kStoneLight);
    c.Line(13, 9, 19, 4, kStone);
    c.Set(17, 2, kWhite);
    for (int i = 0; i < 4; ++i) c.Ring(4 - (i % 2), 17 - 4 * i, 1, kStone);
}

// 18: the robot ninja as its sheet shows it: a square coral head lit amber
// with a navy visor and glowing eyes, the antenna and its red lamp, the
// steel neck and the coral chassis under it.
void RoboPortrait(Canvas& c) {
    c.Line(10, 1, 10, 4, kStoneDark);
    c.Set(10, 1, kRed);
    c.Rect(3, 4, 15, 10, kCoral);
    c.Line(3, 4, 17, 4, kAmber);
    c.Line(3, 4, 3, 13, kAmber);
    c.Line(17, 5, 17, 13, kRed);
    c.Line(4, 13, 17, 13, kRed);
    c.Rect(5, 7, 13, 3, kNavy);
    Pixels(c, {{7, 8}, {8, 8}, {13, 8}, {14, 8}}, kFoam);
    Pixels(c, {{7, 7}, {13, 7}}, kWhite);
    c.Rect(8, 14, 5, 2, kStoneDark);
    c.Rect(2, 16, 17, 3, kCoral);
    c.Line(2, 16, 18, 16, kAmber);
    c.Rect(11, 17, 4, 2, kStone);
}

using IconFn = void (*)(Canvas&);
constexpr IconFn kIcons[19] = {
    PotionOfHealing, StrawSandals,   WovenHat,       AmuletOfProtection, CharmOfVitality,
    ClothesOfShinobi, CharmOfPower,  SushiOfStrength, Masamune,          ScrollOfSecrets,
    ScarfOfWind,     ShurikenOfGale, Bullion,        CakeOfGoldenYellow, SenRyoBox,
    NinjaPortrait,   KunoichiPortrait, KusarigamaPortrait, RoboPortrait,
};

}  // namespace

void DrawItemIcons(Canvas& sheet) {
    for (int kind = 0; kind < 19; ++kind) {
        Canvas icon(kIcon, kIcon, kKey);
        kIcons[kind](icon);
        icon.Outline(kInk);
        sheet.Blit(icon, kCells[kind][0], kCells[kind][1]);
    }
}
