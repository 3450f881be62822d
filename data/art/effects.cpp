// The effect sheet (resource 176, texture slot 56): sparks, explosions,
// smoke, rings, marks, coins, orbs and the small pieces that fly about.
// The frame records of CCharacterEffect (data/frames/CCharacterEffect.tab)
// and some of CCharacterAttackEffect point into it; every picture lies in
// its cell with its anchor at the cell's centre unless said otherwise.
//
// Cells (x, y, w, h):
//   hit spark 0-3         (0..96, 0)  32x32  drawn at scale 1, in 2x2 blocks
//   slash 0-3             (128..224, 0) 32x32  the lethal spark, also 1:1
//   explosion 0-5         (0..160, 32) 32x32
//   flash burst 0-1       (192, 32), (224, 32) 32x32
//   smoke 0-4             (0..64, 64) 16x16
//   burst spark 0-2       (80..112, 64)
//   target mark 0-2       (128..160, 64)
//   homing mark 0-1       (176, 64), (192, 64)
//   chosen mark 0-1       (208, 64), (224, 64)
//   shock ring            (240, 64)
//   coin 0-3              (0..48, 80)   face, three-quarter, half, edge
//   coin sparkle 0-2      (64..96, 80)
//   orb 0-1, big orb      (112, 80), (128, 80), (144, 80)
//   heart 0-1             (160, 80), (176, 80)
//   drop, small drop      (192, 80), (208, 80)
//   exclamation, arrow    (224, 80), (240, 80)
//   twinkles              (0..64, 96)   gold, cream, violet, leaf, water
//   zap 0-2               (80..112, 96)
//   speck                 (128, 96)
//   rock chips 0-2        (144..176, 96)
//   wood chips 0-2        (192..224, 96)
//   leaf                  (240, 96)
//   feather, petal, ember, ice shard, snowflake, charm, gold chip, bubble,
//   streak, star piece, washbasin   (0..160, 112)
//   dash dust 0-2         (0..64, 128) 32x16, anchored at the top centre
//   shop sign             (96, 128) 32x16
//   gale streaks 0-3      (128, 128), (128, 132), (128, 136), (128, 140) 64x4
//   rings: wide, soft, thin   (0, 160), (32, 160), (64, 160) 32x32
#include "EffectArt.h"
#include "Palette.h"
#include "Sheets.h"

namespace {

using namespace fx;

// --- Sparks (drawn 16x16 and doubled, since they show at scale 1) ----------

Canvas HitSpark(int f) {
    Canvas c(16, 16);
    switch (f) {
        case 0:
            Star4(c, 8, 8, 5, 6, 2, kGold);
            Star4(c, 8, 8, 3, 4, 1, kWhite);
            break;
        case 1:
            Star4(c, 8, 8, 6, 7, 2, kAmber);
            Star4(c, 8, 8, 4, 6, 1, kGold);
            Star4(c, 8, 8, 2, 4, 0, kWhite);
            break;
        case 2:
            Star4(c, 8, 8, 4, 7, 1, kAmber);
            Star4(c, 8, 8, 2, 5, 0, kCream);
            for (auto [x, y] : Points{{3, 3}, {12, 4}, {4, 12}, {12, 12}}) c.Set(x, y, kGold);
            break;
        default:
            Star4(c, 8, 8, 1, 3, 0, kAmber);
            for (auto [x, y] : Points{{2, 2}, {13, 3}, {3, 13}, {13, 13}, {8, 1}}) c.Set(x, y, kAmber);
            break;
    }
    return c.Scaled(2);
}

Canvas Slash(int f) {
    Canvas c(16, 16);
    const double lengths[] = {5, 7, 7, 6};
    const double widths[] = {0, 1, 2, 1};
    const double len = lengths[f], w = widths[f];
    c.Polygon({{8, static_cast<int>(8 - len)}, {static_cast<int>(9 + w), 8}, {8, static_cast<int>(9 + len)},
               {static_cast<int>(7 - w), 8}},
              f == 3 ? kAmber : kGold);
    c.Line(8, static_cast<int>(8 - len + 1), 8, static_cast<int>(8 + len - 1), f == 3 ? kGold : kWhite);
    if (f == 2) c.Line(7, 6, 7, 10, kCream);
    return c.Scaled(2);
}

// --- Explosions and smoke ------------------------------------------------------

Canvas Explosion(int f) {
    Canvas c(32, 32);
    switch (f) {
        case 0:
            Ellipse(c, 16, 16, 6, 6, kGold);
            Ellipse(c, 16, 16, 4, 4, kCream);
            Ellipse(c, 15.5, 15.5, 2, 2, kWhite);
            break;
        case 1:
            Star4(c, 16, 16, 14, 14, 3, kAmber);
            Ellipse(c, 16, 16, 10, 10, kAmber);
            Ellipse(c, 16, 16, 8, 8, kGold);
            Ellipse(c, 15, 15, 5, 5, kCream);
            Ellipse(c, 14.5, 14.5, 2.5, 2.5, kWhite);
            break;
        case 2:
            Cloud(c, 16, 16, 13, 7, 3, kRed, kCoral, kAmber);
            Ellipse(c, 15, 15, 7, 7, kAmber);
            Ellipse(c, 14, 14, 4, 4, kGold);
            Ellipse(c, 13.5, 13.5, 1.5, 1.5, kCream);
            break;
        case 3:
            Cloud(c, 16, 16, 14, 8, 5, kCrimson, kRed, kCoral);
            Ellipse(c, 15, 14, 4, 4, kAmber);
            break;
        case 4:
            Cloud(c, 16, 15, 13, 8, 7, kStone, kStoneLight, kWhite);
            Ellipse(c, 17, 18, 3, 3, kCoral);
            break;
        default: {
            Dice d(11);
            for (int i = 0; i < 6; ++i) {
                const double a = 6.2831853 * i / 6 + 0.4;
                Cloud(c, 16 + std::cos(a) * 10, 15 + std::sin(a) * 10, 3.5 + d.Next(2), 4, 20 + i, kStone, kStoneLight,
                      kWhite);
            }
            break;
        }
    }
    return c;
}

Canvas FlashBurst(int f) {
    Canvas c(32, 32);
    const double r = f == 0 ? 9 : 13;
    Star4(c, 16, 16, r + 4, r + 4, 2, kGold);
    Star4(c, 16, 16, (r + 2) * 0.7, (r + 2) * 0.7, 1, kCream);  // diagonal rays come from the turned copy below
    Canvas turned(32, 32);
    Star4(turned, 16, 16, r * 0.8, r * 0.8, 1, kAmber);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            // The same star turned by 45 degrees, sampled back.
            const double dx = x + 0.5 - 16, dy = y + 0.5 - 16;
            const int sx = static_cast<int>(16 + (dx + dy) * 0.7071), sy = static_cast<int>(16 + (dy - dx) * 0.7071);
            if (!(turned.Get(sx, sy) == kKey) && c.Get(x, y) == kKey) c.Set(x, y, kAmber);
        }
    RingOf(c, 16, 16, r, f == 0 ? 2 : 1, kGold);
    Ellipse(c, 16, 16, f == 0 ? 5 : 3, f == 0 ? 5 : 3, kWhite);
    return c;
}

Canvas Smoke(int f) {
    Canvas c(16, 16);
    const double radii[] = {3.5, 5, 6, 6.5, 6.5};
    if (f < 4) {
        Cloud(c, 8, 8, radii[f], 5 + f, 30 + f, kStoneLight, kWhite, kCream);
    } else {
        for (int i = 0; i < 5; ++i) {
            const double a = 6.2831853 * i / 5;
            Ellipse(c, 8 + std::cos(a) * 5, 8 + std::sin(a) * 5, 2, 2, kStoneLight);
            Ellipse(c, 7.6 + std::cos(a) * 5, 7.6 + std::sin(a) * 5, 1.3, 1.3, kWhite);
        }
    }
    return c;
}

Canvas BurstSpark(int f) {
    Canvas c(16, 16);
    const double arm = 4 + 2 * f;
    Star4(c, 8, 8, arm, arm, 1, f == 2 ? kAmber : kGold);
    c.Line(static_cast<int>(8 - arm * 0.6), static_cast<int>(8 - arm * 0.6), static_cast<int>(8 + arm * 0.6),
           static_cast<int>(8 + arm * 0.6), kGold);
    c.Line(static_cast<int>(8 + arm * 0.6), static_cast<int>(8 - arm * 0.6), static_cast<int>(8 - arm * 0.6),
           static_cast<int>(8 + arm * 0.6), kGold);
    if (f < 2) Ellipse(c, 8, 8, 2, 2, kWhite);
    return c;
}

// --- Marks ---------------------------------------------------------------------

// Four corner brackets at distance r from the centre.
Canvas Brackets(int r, Rgb colour) {
    Canvas c(16, 16);
    const int lo = 8 - r, hi = 7 + r;
    for (int i = 0; i < 3; ++i) {
        c.Set(lo + i, lo, colour);
        c.Set(lo, lo + i, colour);
        c.Set(hi - i, lo, colour);
        c.Set(hi, lo + i, colour);
        c.Set(lo + i, hi, colour);
        c.Set(lo, hi - i, colour);
        c.Set(hi - i, hi, colour);
        c.Set(hi, hi - i, colour);
    }
    c.Set(7, 7, colour);
    c.Set(8, 8, colour);
    c.Set(7, 8, colour);
    c.Set(8, 7, colour);
    c.Outline(kInk);
    return c;
}

Canvas Diamond(int r, Rgb colour, Rgb inner) {
    Canvas c(16, 16);
    c.Polygon({{8, 8 - r}, {8 + r, 8}, {8, 8 + r}, {8 - r, 8}}, colour);
    if (r > 2) c.Polygon({{8, 10 - r}, {6 + r, 8}, {8, 6 + r}, {10 - r, 8}}, inner);
    if (r > 3) c.Polygon({{8, 12 - r}, {4 + r, 8}, {8, 4 + r}, {12 - r, 8}}, colour);
    c.Outline(kInk);
    return c;
}

Canvas ShockRing() {
    Canvas c(16, 16);
    RingOf(c, 8, 8, 7.5, 2.2, kCream);
    RingOf(c, 8, 8, 6.6, 0.9, kWhite);
    return c;
}

// --- Coins and orbs ----------------------------------------------------------------

// A mon coin (with its square hole) seen at a width of w of 10 pixels.
Canvas Coin(int f) {
    const double widths[] = {5, 3.6, 2.2, 0.9};
    const double rx = widths[f];
    Canvas c(12, 12);
    Ellipse(c, 6, 6, rx, 5, kAmber);
    if (rx > 1.5) {
        Ellipse(c, 5.7, 5.7, rx - 0.8, 4.2, kGold);
        Ellipse(c, 5.2, 4.8, rx * 0.4, 1.6, kCream);
        const int hole = f == 0 ? 1 : 0;
        c.Rect(6 - hole, 5, 1 + hole, 2, kAmber);
        c.Rect(6 - hole, 5, hole + 1, 2, kEarth);
    } else {
        c.Rect(5, 1, 2, 10, kGold);
        c.Rect(6, 1, 1, 10, kAmber);
    }
    c.Outline(kInk);
    return c;
}

Canvas CoinSparkle(int f) {
    Canvas c(16, 16);
    const double arm = f == 0 ? 3 : (f == 1 ? 6 : 5);
    Star4(c, 8, 8, arm, arm, f == 1 ? 1 : 0, f == 2 ? kGold : kCream);
    if (f == 1) Ellipse(c, 8, 8, 1.5, 1.5, kWhite);
    if (f == 2)
        for (auto [x, y] : Points{{3, 3}, {12, 3}, {3, 12}, {12, 12}}) c.Set(x, y, kGold);
    return c;
}

// A spirit orb with its tail behind it (below, as it flies up).
Canvas Orb(int f, double r) {
    Canvas c(16, 16);
    Flame(c, 8, 7, r, r + (f == 0 ? 4 : 6), kWater, kFoam, kWhite);
    Ellipse(c, 7.5, 6.5, r * 0.45, r * 0.45, kWhite);
    c.Outline(kNavy);
    return c;
}

Canvas Heart(int f) {
    Canvas c(16, 16);
    const double s = f == 0 ? 1.0 : 0.8;
    Ellipse(c, 8 - 2.5 * s, 6.5, 3 * s, 3 * s, kRed);
    Ellipse(c, 8 + 2.5 * s, 6.5, 3 * s, 3 * s, kRed);
    c.Polygon({{static_cast<int>(8 - 5.4 * s), 7}, {static_cast<int>(8 + 5.4 * s + 1), 7}, {8, static_cast<int>(8 + 5.5 * s)}},
              kRed);
    Ellipse(c, 8 - 2.8 * s, 5.6, 1.2, 1.2, kCoral);
    c.Set(static_cast<int>(8 - 3 * s), 5, kCream);
    c.Outline(kInk);
    return c;
}

Canvas Drop(double r) {
    Canvas c(16, 16);
    Flame(c, 8, 8 + r * 0.3, r, -r * 1.9, kWater, kFoam, kFoam);
    c.Set(static_cast<int>(8 - r * 0.4), static_cast<int>(8 + r * 0.1), kWhite);
    c.Outline(kNavy);
    return c;
}

Canvas Exclamation() {
    Canvas c(16, 16);
    Ellipse(c, 8, 7, 6, 6.5, kCream);
    c.Rect(7, 2, 2, 7, kRed);
    c.Rect(7, 10, 2, 2, kRed);
    c.Polygon({{5, 12}, {8, 12}, {4, 16}}, kCream);
    c.Outline(kInk);
    return c;
}

Canvas UpArrow() {
    Canvas c(16, 16);
    c.Polygon({{8, 1}, {15, 8}, {11, 8}, {11, 14}, {5, 14}, {5, 8}, {1, 8}}, kGold);
    c.Polygon({{8, 3}, {12, 7}, {9, 7}, {9, 12}, {7, 12}, {7, 7}, {4, 7}}, kCream);
    c.Outline(kInk);
    return c;
}

Canvas Twinkle(Rgb outer, Rgb inner) {
    Canvas c(16, 16);
    Star4(c, 8, 8, 6, 6, 1, outer);
    Star4(c, 8, 8, 3, 3, 0, inner);
    c.Set(8, 8, kWhite);
    return c;
}

Canvas Zap(int f) {
    Canvas c(16, 16);
    Dice d(70 + f);
    int x = 8, y = 1;
    while (y < 15) {
        const int nx = 3 + d.Next(10), ny = y + 2 + d.Next(3);
        c.Line(x, y, nx, ny, kViolet);
        c.Line(x + 1, y, nx + 1, ny, kWhite);
        x = nx;
        y = ny;
    }
    return c;
}

Canvas Speck() {
    Canvas c(8, 8);
    Ellipse(c, 4, 4, 2.5, 2.5, kStoneLight);
    c.Set(3, 3, kWhite);
    return c;
}

Canvas Chip(int f, Rgb dark, Rgb body, Rgb light) {
    const Points shapes[] = {
        {{2, 5}, {7, 2}, {12, 4}, {11, 10}, {5, 12}},
        {{3, 3}, {11, 5}, {9, 11}, {4, 9}},
        {{4, 4}, {12, 6}, {10, 9}, {6, 11}, {3, 8}},
    };
    Canvas c(16, 16);
    c.Polygon(shapes[f], dark);
    Points inner;
    for (auto [x, y] : shapes[f]) inner.push_back({x + (8 - x) / 3, y + (8 - y) / 3 - 1});
    c.Polygon(inner, body);
    c.Set(inner[0].first + 1, inner[0].second + 1, light);
    c.Set(inner[0].first + 2, inner[0].second + 1, light);
    c.Outline(kInk);
    return c;
}

Canvas Splinter(int f) {
    Canvas c(16, 16);
    const int len = 10 - 2 * f;
    c.Polygon({{8 - len / 2, 7}, {8 + len / 2, 6}, {8 + len / 2 + 1, 8}, {8 - len / 2 + 1, 10}}, kWood);
    c.Line(8 - len / 2 + 1, 8, 8 + len / 2, 7, kSand);
    c.Outline(kInk);
    return c;
}

Canvas Leaf() {
    Canvas c(16, 16);
    Ellipse(c, 8, 8, 5, 3, kGrass);
    Ellipse(c, 7.5, 7.5, 3.5, 1.6, kLeaf);
    c.Line(3, 8, 13, 8, kPine);
    c.Outline(kInk);
    return c;
}

Canvas Feather() {
    Canvas c(16, 16);
    Ellipse(c, 8, 8, 2.5, 6.5, kWhite);
    Ellipse(c, 8.5, 8.5, 1.5, 5, kCream);
    c.Line(8, 2, 8, 15, kStoneLight);
    c.Outline(kInk);
    return c;
}

Canvas Petal() {
    Canvas c(16, 16);
    Ellipse(c, 8, 8, 3.5, 2.5, kRose);
    Ellipse(c, 7.5, 7.5, 2, 1.3, kCoral);
    c.Outline(kInk);
    return c;
}

Canvas Ember() {
    Canvas c(16, 16);
    Ellipse(c, 8, 8, 2.5, 2.5, kAmber);
    Ellipse(c, 7.5, 7.5, 1.5, 1.5, kGold);
    c.Set(7, 7, kCream);
    return c;
}

Canvas IceShard() {
    Canvas c(16, 16);
    c.Polygon({{8, 1}, {11, 8}, {8, 15}, {5, 8}}, kFoam);
    c.Polygon({{8, 3}, {9, 8}, {8, 12}, {7, 8}}, kWhite);
    c.Outline(kNavy);
    return c;
}

Canvas Snowflake() {
    Canvas c(16, 16);
    for (int k = 0; k < 3; ++k) {
        const double a = k * 3.14159265 / 3;
        c.Line(static_cast<int>(8 - std::cos(a) * 6), static_cast<int>(8 - std::sin(a) * 6),
               static_cast<int>(8 + std::cos(a) * 6), static_cast<int>(8 + std::sin(a) * 6), kWhite);
    }
    c.Set(8, 8, kFoam);
    c.Outline(kMist);
    return c;
}

Canvas Charm() {
    Canvas c(16, 16);
    c.Rect(5, 1, 6, 14, kCream);
    c.Rect(6, 3, 4, 1, kRed);
    c.Rect(7, 5, 2, 7, kRed);
    c.Rect(6, 8, 4, 1, kRed);
    c.Outline(kInk);
    return c;
}

Canvas GoldChip() {
    Canvas c(16, 16);
    c.Polygon({{4, 6}, {9, 3}, {12, 8}, {7, 12}}, kGold);
    c.Polygon({{6, 6}, {9, 5}, {10, 7}}, kCream);
    c.Outline(kInk);
    return c;
}

Canvas Bubble() {
    Canvas c(16, 16);
    RingOf(c, 8, 8, 5, 1.2, kFoam);
    c.Set(6, 5, kWhite);
    c.Set(5, 6, kWhite);
    return c;
}

Canvas Streak() {
    Canvas c(16, 16);
    c.Rect(7, 2, 2, 12, kGold);
    c.Rect(7, 2, 1, 6, kCream);
    return c;
}

Canvas StarPiece() {
    Canvas c(16, 16);
    Points pts;
    for (int i = 0; i < 10; ++i) {
        const double a = -1.5707963 + i * 3.14159265 / 5;
        const double r = i % 2 == 0 ? 6.5 : 2.8;
        pts.push_back({static_cast<int>(std::lround(8 + std::cos(a) * r)), static_cast<int>(std::lround(8.5 + std::sin(a) * r))});
    }
    c.Polygon(pts, kGold);
    Ellipse(c, 7, 7, 1.5, 1.5, kCream);
    c.Outline(kInk);
    return c;
}

// The comedy washbasin that lands on a head.
Canvas Washbasin() {
    Canvas c(16, 16);
    c.Polygon({{1, 5}, {15, 5}, {12, 12}, {4, 12}}, kStone);
    c.Rect(1, 4, 14, 2, kStoneLight);
    c.Rect(3, 7, 9, 1, kStoneLight);
    c.Rect(5, 12, 6, 1, kStoneDark);
    c.Outline(kInk);
    return c;
}

// --- Wide pieces ---------------------------------------------------------------------

// Dust kicked up at a take-off: spreads left and right along the ground line
// at the bottom of the cell (the anchor is the cell's top centre, where the
// character's centre is).
Canvas DashDust(int f) {
    Canvas c(32, 16);
    const double spread = 4 + 5 * f;
    const double r = 3.5 + f * 0.8;
    for (int side = -1; side <= 1; side += 2) {
        Cloud(c, 16 + side * spread, 16 - r, r, 5, 40 + f + side, kStoneLight, kWhite, kCream);
        if (f < 2) Ellipse(c, 16 + side * (spread - r), 14.5, r * 0.7, 1.5, kStoneLight);
    }
    if (f == 0) Ellipse(c, 16, 14, 5, 2, kWhite);
    return c;
}

Canvas ShopSign() {
    Canvas c(32, 16);
    c.Rect(2, 2, 28, 11, kWood);
    c.Rect(3, 3, 26, 1, kSand);
    c.Rect(10, 13, 2, 3, kEarth);
    c.Rect(20, 13, 2, 3, kEarth);
    c.Text(5, 4, "SHOP", kCream);
    c.Outline(kInk);
    return c;
}

Canvas Gale(int length) {
    Canvas c(length, 4);
    c.Rect(4, 1, length - 8, 2, kWhite);
    c.Rect(1, 2, 3, 1, kFoam);
    c.Rect(length - 4, 1, 3, 1, kCream);
    return c;
}

Canvas WideRing(double thickness, Rgb outer, Rgb inner) {
    Canvas c(32, 32);
    RingOf(c, 16, 16, 15.5, thickness, outer);
    RingOf(c, 16, 16, 15.5 - thickness * 0.5, thickness * 0.4, inner);
    return c;
}

}  // namespace

ART_SHEET(176, "effects") {
    Canvas s(256, 256);
    for (int f = 0; f < 4; ++f) {
        Place(s, HitSpark(f), 32 * f, 0, 32, 32);
        Place(s, Slash(f), 128 + 32 * f, 0, 32, 32);
    }
    for (int f = 0; f < 6; ++f) Place(s, Explosion(f), 32 * f, 32, 32, 32);
    Place(s, FlashBurst(0), 192, 32, 32, 32);
    Place(s, FlashBurst(1), 224, 32, 32, 32);

    for (int f = 0; f < 5; ++f) Place(s, Smoke(f), 16 * f, 64, 16, 16);
    for (int f = 0; f < 3; ++f) Place(s, BurstSpark(f), 80 + 16 * f, 64, 16, 16);
    for (int f = 0; f < 3; ++f) Place(s, Brackets(7 - f, kRed), 128 + 16 * f, 64, 16, 16);
    Place(s, Diamond(4, kGold, kCream), 176, 64, 16, 16);
    Place(s, Diamond(3, kGold, kCream), 192, 64, 16, 16);
    Place(s, Diamond(5, kRed, kCoral), 208, 64, 16, 16);
    Place(s, Diamond(4, kRed, kCoral), 224, 64, 16, 16);
    Place(s, ShockRing(), 240, 64, 16, 16);

    for (int f = 0; f < 4; ++f) Place(s, Coin(f), 16 * f, 80, 16, 16);
    for (int f = 0; f < 3; ++f) Place(s, CoinSparkle(f), 64 + 16 * f, 80, 16, 16);
    Place(s, Orb(0, 3), 112, 80, 16, 16);
    Place(s, Orb(1, 3), 128, 80, 16, 16);
    Place(s, Orb(0, 4.5), 144, 80, 16, 16);
    Place(s, Heart(0), 160, 80, 16, 16);
    Place(s, Heart(1), 176, 80, 16, 16);
    Place(s, Drop(3), 192, 80, 16, 16);
    Place(s, Drop(2), 208, 80, 16, 16);
    Place(s, Exclamation(), 224, 80, 16, 16);
    Place(s, UpArrow(), 240, 80, 16, 16);

    Place(s, Twinkle(kGold, kCream), 0, 96, 16, 16);
    Place(s, Twinkle(kCream, kWhite), 16, 96, 16, 16);
    Place(s, Twinkle(kViolet, kCream), 32, 96, 16, 16);
    Place(s, Twinkle(kLeaf, kCream), 48, 96, 16, 16);
    Place(s, Twinkle(kFoam, kWhite), 64, 96, 16, 16);
    for (int f = 0; f < 3; ++f) Place(s, Zap(f), 80 + 16 * f, 96, 16, 16);
    Place(s, Speck(), 128, 96, 16, 16);
    for (int f = 0; f < 3; ++f) Place(s, Chip(f, kStoneDark, kStone, kStoneLight), 144 + 16 * f, 96, 16, 16);
    for (int f = 0; f < 3; ++f) Place(s, Splinter(f), 192 + 16 * f, 96, 16, 16);
    Place(s, Leaf(), 240, 96, 16, 16);

    const Canvas pieces[] = {Feather(), Petal(),  Ember(),    IceShard(),   Snowflake(), Charm(),
                             GoldChip(), Bubble(), Streak(), StarPiece(), Washbasin()};
    for (int i = 0; i < 11; ++i) Place(s, pieces[i], 16 * i, 112, 16, 16);

    for (int f = 0; f < 3; ++f) Place(s, DashDust(f), 32 * f, 128, 32, 16);
    Place(s, ShopSign(), 96, 128, 32, 16);
    const int gales[] = {64, 48, 56, 40};
    for (int i = 0; i < 4; ++i) Place(s, Gale(gales[i]), 128, 128 + 4 * i, 64, 4);

    Place(s, WideRing(3, kCream, kWhite), 0, 160, 32, 32);
    Place(s, WideRing(2, kFoam, kWhite), 32, 160, 32, 32);
    Place(s, WideRing(1, kWhite, kWhite), 64, 160, 32, 32);
    return s;
}

// The light of a lit switch (resource 178, texture slot 58): a disc the game
// draws at about a seventh of its size, seven times over with rising scales
// and a faint alpha, so that its edge falls off softly.
ART_SHEET(178, "light") {
    Canvas s(256, 256);
    Ellipse(s, 128, 128, 120, 120, kWhite);
    return s;
}
