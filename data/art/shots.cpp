// The projectile sheet (resource 177, texture slot 57): every shot, bomb,
// missile, arrow and thrown weapon of CCharacterAttackEffect
// (data/frames/CCharacterAttackEffect.tab): the players' weapons and the
// shots of the enemies and bosses. Pictures that fly along their velocity
// point up; the rest face right (the game mirrors them for facing -1).
// Every picture is centred in its 16 x 16 cell unless said otherwise.
//
// Cells (x, y):
//   row 0:  bomb, shuriken a/b, kunai, fireball a/b, wind swirl a/b, wind
//           blade, water orb a/b, dark shuriken a/b, lantern fire a/b
//   row 16: kappa dish a/b, enemy bomb, ground flame a/b/c, armour slash
//           a/b/c, sword wave, fox fire a/b, web ball, prayer light a/b
//   row 32: feather a/b, ghost fire a/b, wisp a/b, ice crystal a/b, rock,
//           stone, rock shards a/b/c, wind blade, fan leaf
//   row 48: humming ball a/b, dark arrowhead, light star a/b, dark ball,
//           dark bomb, dark shards a/b/c, charged bolt, eye bolt, missile
//           (small, drawn at scale 8), drill a/b
//   row 64: drill c, wheel fire a/b, snowball, icicle, ice shards a/b/c,
//           water bullet, water bomb, splash a/b/c, missile a/b
//   row 80: arrow, dragon fire a/b, egg, spinning star, moon dart, moon
//           shot a/b, moon crescent, lightning a/b (16x32 at 144 and 160)
//   (0, 112) 48x40 the great fan that sweeps the floor
//   (48, 112) 32x40 the great clog that stamps
//   column x 240..247: the weight (rows 0..15) and its chain (rows 16..255,
//           links every 8 rows, so a chain drawn longer wraps seamlessly)
//   column x 248..255: the sickle (rows 0..15) and its chain
#include "EffectArt.h"
#include "Palette.h"
#include "Sheets.h"

namespace {

using namespace fx;

Canvas Cell16() { return Canvas(16, 16); }

Canvas Bomb(Rgb body, Rgb light) {
    Canvas c = Cell16();
    Ball(c, 7.5, 9, 5.5, kInk, body, light, kWhite);
    c.Rect(9, 2, 2, 3, kStone);
    c.Set(11, 1, kGold);
    c.Set(12, 0, kAmber);
    c.Set(12, 2, kCoral);
    c.Outline(kInk);
    return c;
}

Canvas Shuriken(bool turned, Rgb blade, Rgb edge) {
    Canvas c = Cell16();
    if (!turned) {
        Star4(c, 8, 8, 7, 7, 1, blade);
        Star4(c, 8, 8, 4, 4, 0, edge);
    } else {
        c.Polygon({{2, 2}, {9, 6}, {14, 2}, {10, 9}, {14, 14}, {7, 10}, {2, 14}, {6, 7}}, blade);
        c.Polygon({{4, 4}, {8, 7}, {12, 4}, {9, 8}, {12, 12}, {8, 9}, {4, 12}, {7, 8}}, edge);
    }
    Ellipse(c, 8, 8, 1.2, 1.2, kInk);
    c.Outline(kInk);
    return c;
}

Canvas Kunai() {
    Canvas c = Cell16();
    c.Polygon({{8, 0}, {11, 6}, {8, 9}, {5, 6}}, kStoneLight);
    c.Line(8, 1, 8, 7, kWhite);
    c.Rect(7, 9, 2, 5, kCrimson);
    RingOf(c, 8, 14.5, 1.6, 1, kStone);
    c.Outline(kInk);
    return c;
}

Canvas Fireball(int f, Rgb outer, Rgb mid, Rgb core, Rgb ink) {
    Canvas c = Cell16();
    Flame(c, 8, 5.5, 4.5, f == 0 ? 9 : 10, outer, mid, core);
    if (f == 1) Ellipse(c, 8, 5, 1.5, 1.5, kWhite);
    c.Outline(ink);
    return c;
}

Canvas WindSwirl(int f) {
    Canvas c = Cell16();
    for (int i = 0; i < 3; ++i) {
        const double a0 = f * 0.8 + i * 2.094;
        for (int k = 0; k < 10; ++k) {
            const double a = a0 + k * 0.22, r = 2 + k * 0.55;
            c.Set(static_cast<int>(8 + std::cos(a) * r), static_cast<int>(8 + std::sin(a) * r), k < 5 ? kWhite : kFoam);
        }
    }
    return c;
}

Canvas WindBlade() {
    Canvas c = Cell16();
    Crescent(c, 8, 9, 7, 3.5, kFoam);
    Crescent(c, 8, 9, 5.5, 3, kWhite);
    c.Outline(kSlate);
    return c;
}

Canvas WaterOrb(int f) {
    Canvas c = Cell16();
    Ball(c, 8, 8, 5.5, kWater, kFoam, kWhite, kWhite);
    if (f == 1) RingOf(c, 8, 8, 6.5, 1, kFoam);
    c.Outline(kNavy);
    return c;
}

Canvas Dish(int f) {
    Canvas c = Cell16();
    if (f == 0) {
        Ellipse(c, 8, 8, 6.5, 6.5, kStoneLight);
        RingOf(c, 8, 8, 4.5, 1, kWater);
        Ellipse(c, 7, 7, 1.5, 1.5, kWhite);
    } else {
        Ellipse(c, 8, 8, 6.5, 2.5, kStoneLight);
        c.Rect(3, 8, 10, 1, kWater);
    }
    c.Outline(kInk);
    return c;
}

Canvas GroundFlame(int f) {
    Canvas c = Cell16();
    const double h = 7 + f * 2;
    Flame(c, 8, 14 - 4.5, 5 - f * 0.6, -h, kRed, kAmber, kGold);
    c.Outline(kCrimson);
    return c;
}

Canvas ArmourSlash(int f) {
    Canvas c = Cell16();
    const double r = 5 + f * 1.2;
    Canvas blade(16, 16);
    Crescent(blade, 8, 8, r, 2 + f * 0.5, f == 2 ? kStoneLight : kWhite);
    Crescent(blade, 8, 8, r - 1, 2 + f * 0.5, kCream);
    c = TurnedRight(blade);
    return c;
}

Canvas SwordWave() {
    Canvas c = Cell16();
    Canvas blade(16, 16);
    Crescent(blade, 8, 9, 7, 3, kMist);
    Crescent(blade, 8, 9, 6, 3, kWhite);
    c = TurnedRight(blade);
    c.Outline(kSlate);
    return c;
}

Canvas WebBall() {
    Canvas c = Cell16();
    Ellipse(c, 8, 8, 5, 5, kStoneLight);
    Ellipse(c, 7.5, 7.5, 3.5, 3.5, kWhite);
    c.Line(2, 8, 14, 8, kStone);
    c.Line(8, 2, 8, 14, kStone);
    c.Line(4, 4, 12, 12, kStone);
    c.Outline(kInk);
    return c;
}

Canvas PrayerLight(int f) {
    Canvas c = Cell16();
    Ball(c, 8, 8, f == 0 ? 4.5 : 4, kAmber, kGold, kCream, kWhite);
    if (f == 1) RingOf(c, 8, 8, 6.5, 1, kGold);
    c.Outline(kEarthDark);
    return c;
}

Canvas FeatherShot(int f) {
    Canvas c = Cell16();
    Canvas feather(16, 16);
    Ellipse(feather, 8, 7, 3, 6, kNight);
    Ellipse(feather, 7.5, 6.5, 1.6, 4.5, kDusk);
    feather.Line(8, 2, 8, 15, kMist);
    feather.Outline(kInk);
    if (f == 0) return feather;
    // Turned a quarter: the spinning frame.
    return TurnedRight(feather);
}

Canvas Wisp(int f) {
    Canvas c = Cell16();
    Ball(c, 8, 8, 5, kNight, kDusk, kViolet, kCream);
    c.Set(6, 8, kCream);
    c.Set(10, 8, kCream);
    if (f == 1) RingOf(c, 8, 8, 7, 1, kViolet);
    c.Outline(kInk);
    return c;
}

Canvas IceCrystal(int f) {
    Canvas c = Cell16();
    c.Polygon({{8, 0}, {11, 7}, {8, 15}, {5, 7}}, kFoam);
    c.Polygon({{8, 2}, {9, 7}, {8, 12}, {7, 7}}, kWhite);
    if (f == 1) {
        c.Line(3, 7, 13, 7, kWhite);
    }
    c.Outline(kNavy);
    return c;
}

Canvas Rock(double r, Rgb dark, Rgb body, Rgb light) {
    Canvas c = Cell16();
    Ellipse(c, 8, 8.5, r, r * 0.85, dark);
    Ellipse(c, 7.5, 7.8, r * 0.8, r * 0.65, body);
    Ellipse(c, 6.5, 6.5, r * 0.35, r * 0.25, light);
    c.Set(10, 10, dark);
    c.Set(9, 11, dark);
    c.Outline(kInk);
    return c;
}

Canvas Shard(int f, Rgb dark, Rgb body) {
    const Points shapes[] = {
        {{5, 6}, {10, 4}, {11, 9}, {6, 11}},
        {{6, 5}, {11, 7}, {7, 11}},
        {{4, 8}, {8, 5}, {12, 8}, {8, 10}},
    };
    Canvas c = Cell16();
    c.Polygon(shapes[f], body);
    c.Set(shapes[f][0].first + 1, shapes[f][0].second, dark);
    c.Outline(kInk);
    return c;
}

Canvas GreenBlade() {
    Canvas c = Cell16();
    Crescent(c, 8, 9, 7, 3.5, kLeaf);
    Crescent(c, 8, 9, 5.5, 3, kCream);
    c.Outline(kPineDark);
    return c;
}

Canvas FanLeaf() {
    Canvas c = Cell16();
    // A yatsude leaf: seven lobes spread upward from the stem.
    for (int i = -3; i <= 3; ++i) {
        const double a = i * 0.42;
        const int tx = static_cast<int>(std::lround(8 + std::sin(a) * 7)), ty = static_cast<int>(std::lround(10 - std::cos(a) * 8));
        c.Polygon({{8, 10}, {tx - 1, ty + 1}, {tx, ty}, {tx + 1, ty + 1}}, kGrass);
        c.Line(8, 10, tx, ty, kLeaf);
    }
    c.Rect(7, 10, 2, 6, kWood);
    c.Outline(kPineDark);
    return c;
}

Canvas HummingBall(int f) {
    Canvas c = Cell16();
    Ball(c, 8, 8, 4, kDusk, kViolet, kCream, kWhite);
    RingOf(c, 8, 8, f == 0 ? 6 : 7.5, 1, kMauve);
    c.Outline(kInk);
    return c;
}

Canvas Arrowhead(Rgb outer, Rgb inner, Rgb ink) {
    Canvas c = Cell16();
    c.Polygon({{8, 0}, {14, 14}, {8, 10}, {2, 14}}, outer);
    c.Polygon({{8, 3}, {11, 11}, {8, 8}, {5, 11}}, inner);
    c.Outline(ink);
    return c;
}

Canvas LightStar(int f) {
    Canvas c = Cell16();
    if (f == 0) {
        Star4(c, 8, 8, 6, 6, 2, kCream);
        Star4(c, 8, 8, 3, 3, 1, kWhite);
    } else {
        c.Polygon({{3, 3}, {8, 6}, {13, 3}, {10, 8}, {13, 13}, {8, 10}, {3, 13}, {6, 8}}, kCream);
        Ellipse(c, 8, 8, 2, 2, kWhite);
    }
    c.Outline(kMauve);
    return c;
}

Canvas Bolt(Rgb outer, Rgb core, Rgb ink) {
    Canvas c = Cell16();
    Ellipse(c, 8, 5, 3, 4, outer);
    c.Polygon({{5, 5}, {11, 5}, {8, 15}}, outer);
    Ellipse(c, 8, 5, 1.6, 2.5, core);
    c.Outline(ink);
    return c;
}

Canvas SmallMissile() {
    Canvas c = Cell16();
    c.Polygon({{8, 2}, {10, 5}, {10, 11}, {6, 11}, {6, 5}}, kStoneLight);
    c.Rect(6, 6, 4, 1, kRed);
    c.Polygon({{6, 9}, {4, 13}, {6, 12}}, kRed);
    c.Polygon({{10, 9}, {12, 13}, {10, 12}}, kRed);
    c.Rect(7, 12, 2, 2, kAmber);
    c.Outline(kInk);
    return c;
}

// The robot's drill boring in: a steel cone lit on its left, cut by a
// helical groove (dark bands with a bright edge above each) that climbs a
// third of a turn in each of its three frames.
Canvas Drill(int f) {
    Canvas c = Cell16();
    c.Polygon({{8, 0}, {14, 15}, {2, 15}}, kStone);
    c.Polygon({{8, 0}, {8, 15}, {2, 15}}, kStoneLight);
    for (int k = 0; k < 4; ++k) {
        const int y = 3 + 4 * k - (4 * f) / 3;
        if (y < 2 || y > 16) continue;
        const int half = y * 6 / 16;
        c.Line(8 - half, y, 8 + half, y - 2, kNight);
        if (y - 1 >= 1) c.Line(8 - half, y - 1, 8 + half - 1, y - 3, kWhite);
    }
    c.Line(3, 15, 13, 15, kStoneDark);
    c.Set(8, 0, kWhite);
    c.Outline(kInk);
    return c;
}

Canvas WheelFire(int f) {
    Canvas c = Cell16();
    Flame(c, 8, 7, 4.5, f == 0 ? 8 : 7, kRed, kAmber, kGold);
    Ellipse(c, 8, 7, 2, 2, kCream);
    c.Outline(kCrimson);
    return c;
}

Canvas Snowball() {
    Canvas c = Cell16();
    Ball(c, 8, 8, 6, kMist, kStoneLight, kWhite, kWhite);
    c.Outline(kSlate);
    return c;
}

Canvas Icicle() {
    Canvas c = Cell16();
    c.Polygon({{4, 1}, {12, 1}, {8, 15}}, kFoam);
    c.Polygon({{6, 2}, {9, 2}, {8, 11}}, kWhite);
    c.Outline(kNavy);
    return c;
}

Canvas WaterBullet() {
    Canvas c = Cell16();
    Flame(c, 8, 5, 4, 9, kWater, kFoam, kWhite);
    c.Outline(kNavy);
    return c;
}

Canvas Splash(int f) {
    Canvas c = Cell16();
    const double r = 3 + f * 2;
    for (int i = 0; i < 5; ++i) {
        const double a = -2.6 + i * 0.55;
        Ellipse(c, 8 + std::cos(a) * r, 12 + std::sin(a) * r, 1.5 - f * 0.3, 1.5 - f * 0.3, kFoam);
    }
    Ellipse(c, 8, 13, 3 + f, 1.2, kWater);
    c.Outline(kNavy);
    return c;
}

Canvas Missile(int f) {
    Canvas c = Cell16();
    c.Polygon({{8, 0}, {10, 3}, {10, 11}, {6, 11}, {6, 3}}, kStone);
    c.Rect(7, 3, 1, 7, kStoneLight);
    c.Rect(6, 4, 4, 1, kRed);
    c.Polygon({{6, 8}, {3, 12}, {6, 11}}, kStoneDark);
    c.Polygon({{10, 8}, {13, 12}, {10, 11}}, kStoneDark);
    Flame(c, 8, 12, 1.8, f == 0 ? 3 : 4, kAmber, kGold, kCream);
    c.Outline(kInk);
    return c;
}

Canvas Arrow() {
    Canvas c = Cell16();
    c.Polygon({{8, 0}, {10, 4}, {6, 4}}, kStoneLight);
    c.Rect(8, 4, 1, 9, kWood);
    c.Polygon({{6, 11}, {8, 13}, {8, 15}, {6, 14}}, kCream);
    c.Polygon({{10, 11}, {9, 13}, {9, 15}, {10, 14}}, kCream);
    c.Outline(kInk);
    return c;
}

Canvas Egg() {
    Canvas c = Cell16();
    Ellipse(c, 8, 8.5, 4, 5.5, kCream);
    Ellipse(c, 7, 7, 1.5, 2.2, kWhite);
    c.Set(10, 10, kSand);
    c.Set(9, 12, kSand);
    c.Outline(kInk);
    return c;
}

Canvas SpinningStar() {
    Canvas c = Cell16();
    Star4(c, 8, 8, 7, 7, 2, kViolet);
    Star4(c, 8, 8, 4, 4, 1, kCream);
    Ellipse(c, 8, 8, 1.5, 1.5, kWhite);
    c.Outline(kInk);
    return c;
}

Canvas MoonShot(int f) {
    Canvas c = Cell16();
    Flame(c, 8, 5, f == 0 ? 3.5 : 4, 9, kViolet, kMauve, kCream);
    c.Outline(kNight);
    return c;
}

Canvas MoonCrescent() {
    Canvas c = Cell16();
    Crescent(c, 8, 9, 7.5, 3.5, kViolet);
    Crescent(c, 8, 9, 6, 3, kCream);
    c.Outline(kNight);
    return c;
}

// A bolt of lightning, 16 x 32, striking down.
Canvas Lightning(int f) {
    Canvas c(16, 32);
    Dice d(90 + f);
    int x = 8, y = 0;
    while (y < 31) {
        const int nx = 4 + d.Next(9), ny = std::min(31, y + 3 + d.Next(4));
        for (int w = -1; w <= 1; ++w) c.Line(x + w, y, nx + w, ny, kGold);
        c.Line(x, y, nx, ny, kWhite);
        x = nx;
        y = ny;
    }
    c.Outline(kAmber);
    return c;
}

// The great feather fan: a broad blade of layered feathers on a handle,
// facing right, 48 x 40.
Canvas GreatFan() {
    Canvas c(48, 40);
    // The blade: a broad leaf of feathers, lit from the upper left, with the
    // quills fanning out from the grip.
    Ellipse(c, 28, 20, 19, 17, kStoneLight);
    Ellipse(c, 27, 19, 17.5, 15.5, kCream);
    Ellipse(c, 24, 15, 9, 7, kWhite);
    for (int i = 0; i < 9; ++i) {
        const double a = -1.25 + i * 0.3125;
        c.Line(11, 20, static_cast<int>(11 + std::cos(a) * 32), static_cast<int>(20 + std::sin(a) * 14), kSand);
    }
    // The lacquered grip and its cord.
    Ellipse(c, 11, 20, 4, 4, kCrimson);
    Ellipse(c, 10.5, 19.5, 2, 2, kRed);
    c.Rect(0, 19, 9, 3, kWood);
    c.Rect(0, 19, 9, 1, kSand);
    c.Outline(kInk);
    return c;
}

// The great one-toothed clog of a tengu, sole down, 32 x 40.
Canvas GreatClog() {
    Canvas c(32, 40);
    c.Rect(3, 12, 26, 10, kWood);
    c.Rect(3, 12, 26, 2, kSand);
    c.Rect(4, 21, 24, 1, kEarth);
    c.Rect(12, 22, 8, 16, kEarth);
    c.Rect(13, 22, 2, 16, kWood);
    // The thong.
    c.Line(9, 12, 16, 4, kRed);
    c.Line(23, 12, 16, 4, kRed);
    c.Line(10, 12, 16, 5, kCrimson);
    c.Rect(15, 3, 3, 3, kRed);
    c.Outline(kInk);
    return c;
}

// A column of chain: a head in rows 0..15 and links every 8 rows below,
// 8 texels wide, so that a chain drawn longer than the column is seamless
// where the sampler wraps past the bottom (the head is never reached: a
// chain is at most 240 texels).
void ChainColumn(Canvas& s, int x, const Canvas& head) {
    s.Blit(head, x, 0);
    for (int y = 16; y < 256; y += 8) {
        // An upright link, then a side-on one.
        s.Frame(x + 2, y, 4, 5, kStoneLight);
        s.Set(x + 2, y, kKey);
        s.Set(x + 5, y, kKey);
        s.Set(x + 2, y + 4, kKey);
        s.Set(x + 5, y + 4, kKey);
        s.Rect(x + 3, y + 5, 2, 3, kStone);
    }
}

Canvas Weight() {
    Canvas c(8, 16);
    c.Polygon({{4, 0}, {7, 3}, {7, 9}, {4, 12}, {1, 9}, {1, 3}}, kStoneDark);
    c.Rect(2, 3, 2, 6, kStone);
    c.Rect(3, 12, 2, 4, kStoneLight);
    return c;
}

Canvas Sickle() {
    Canvas c(8, 16);
    c.Polygon({{0, 0}, {7, 1}, {7, 3}, {3, 3}, {1, 5}}, kStoneLight);
    c.Line(1, 1, 6, 1, kWhite);
    c.Rect(3, 3, 2, 13, kWood);
    c.Rect(3, 3, 1, 13, kSand);
    return c;
}

}  // namespace

ART_SHEET(177, "shots") {
    Canvas s(256, 256);
    auto at = [&](const Canvas& pic, int x, int y) { Place(s, pic, x, y, 16, 16); };
    // Row 0: the players' weapons, the enemy ninja's stars, the lantern's fire.
    at(Bomb(kNight, kSlate), 0, 0);
    at(Shuriken(false, kStoneLight, kWhite), 16, 0);
    at(Shuriken(true, kStoneLight, kWhite), 32, 0);
    at(Kunai(), 48, 0);
    at(Fireball(0, kRed, kAmber, kGold, kCrimson), 64, 0);
    at(Fireball(1, kRed, kAmber, kGold, kCrimson), 80, 0);
    at(WindSwirl(0), 96, 0);
    at(WindSwirl(1), 112, 0);
    at(WindBlade(), 128, 0);
    at(WaterOrb(0), 144, 0);
    at(WaterOrb(1), 160, 0);
    at(Shuriken(false, kStoneDark, kStone), 176, 0);
    at(Shuriken(true, kStoneDark, kStone), 192, 0);
    at(Fireball(0, kWater, kFoam, kWhite, kNavy), 208, 0);
    at(Fireball(1, kWater, kFoam, kWhite, kNavy), 224, 0);
    // Row 16.
    at(Dish(0), 0, 16);
    at(Dish(1), 16, 16);
    at(Bomb(kCrimson, kRed), 32, 16);
    for (int f = 0; f < 3; ++f) at(GroundFlame(f), 48 + 16 * f, 16);
    for (int f = 0; f < 3; ++f) at(ArmourSlash(f), 96 + 16 * f, 16);
    at(SwordWave(), 144, 16);
    at(Fireball(0, kFoam, kWhite, kWhite, kSlate), 160, 16);
    at(Fireball(1, kFoam, kWhite, kWhite, kSlate), 176, 16);
    at(WebBall(), 192, 16);
    at(PrayerLight(0), 208, 16);
    at(PrayerLight(1), 224, 16);
    // Row 32.
    at(FeatherShot(0), 0, 32);
    at(FeatherShot(1), 16, 32);
    at(Fireball(0, kDusk, kViolet, kCream, kInk), 32, 32);
    at(Fireball(1, kDusk, kViolet, kCream, kInk), 48, 32);
    at(Wisp(0), 64, 32);
    at(Wisp(1), 80, 32);
    at(IceCrystal(0), 96, 32);
    at(IceCrystal(1), 112, 32);
    at(Rock(6.5, kEarthDark, kEarth, kWood), 128, 32);
    at(Rock(5.5, kStoneDark, kStone, kStoneLight), 144, 32);
    for (int f = 0; f < 3; ++f) at(Shard(f, kEarthDark, kEarth), 160 + 16 * f, 32);
    at(GreenBlade(), 208, 32);
    at(FanLeaf(), 224, 32);
    // Row 48.
    at(HummingBall(0), 0, 48);
    at(HummingBall(1), 16, 48);
    at(Arrowhead(kViolet, kCream, kNight), 32, 48);
    at(LightStar(0), 48, 48);
    at(LightStar(1), 64, 48);
    {
        Canvas dark = Cell16();
        Ball(dark, 8, 8, 6.5, kNight, kDusk, kViolet, kCream);
        dark.Outline(kInk);
        at(dark, 80, 48);
    }
    at(Bomb(kDusk, kViolet), 96, 48);
    for (int f = 0; f < 3; ++f) at(Shard(f, kDusk, kViolet), 112 + 16 * f, 48);
    at(Bolt(kAmber, kCream, kEarthDark), 160, 48);
    at(Bolt(kRed, kGold, kCrimson), 176, 48);
    at(SmallMissile(), 192, 48);
    at(Drill(0), 208, 48);
    at(Drill(1), 224, 48);
    // Row 64.
    at(Drill(2), 0, 64);
    at(WheelFire(0), 16, 64);
    at(WheelFire(1), 32, 64);
    at(Snowball(), 48, 64);
    at(Icicle(), 64, 64);
    for (int f = 0; f < 3; ++f) at(Shard(f, kWater, kFoam), 80 + 16 * f, 64);
    at(WaterBullet(), 128, 64);
    {
        Canvas bomb = Cell16();
        Ball(bomb, 8, 8, 5.5, kWaterDeep, kWater, kFoam, kWhite);
        bomb.Outline(kNavy);
        at(bomb, 144, 64);
    }
    for (int f = 0; f < 3; ++f) at(Splash(f), 160 + 16 * f, 64);
    at(Missile(0), 208, 64);
    at(Missile(1), 224, 64);
    // Row 80.
    at(Arrow(), 0, 80);
    at(Fireball(0, kRed, kCoral, kGold, kCrimson), 16, 80);
    at(Fireball(1, kRed, kCoral, kGold, kCrimson), 32, 80);
    at(Egg(), 48, 80);
    at(SpinningStar(), 64, 80);
    at(Arrowhead(kMauve, kCream, kNight), 80, 80);
    at(MoonShot(0), 96, 80);
    at(MoonShot(1), 112, 80);
    at(MoonCrescent(), 128, 80);
    Place(s, Lightning(0), 144, 80, 16, 32);
    Place(s, Lightning(1), 160, 80, 16, 32);
    // The great fan and the great clog.
    Place(s, GreatFan(), 0, 112, 48, 40);
    Place(s, GreatClog(), 48, 112, 32, 40);
    // The chains.
    ChainColumn(s, 240, Weight());
    ChainColumn(s, 248, Sickle());
    return s;
}
