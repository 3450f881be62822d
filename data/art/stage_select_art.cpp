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
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "Palette.h"
#include "Tiles.h"
#include "Sheets.h"
#include "TitleScreensArt.h"

namespace {

constexpr int kW = 160;
constexpr int kH = 80;

// --- Painting helpers ---------------------------------------------------------

// The 4 x 4 ordered-dither threshold at (x, y), 0 to 15.
int Bayer(int x, int y) {
    static constexpr int kM[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return kM[y & 3][x & 3];
}

// True on the share `t` (0 to 1) of the texels that takes the second of two
// dithered colours.
bool Mix(int x, int y, double t) { return t * 16.0 > Bayer(x, y) + 0.5; }

// Repeatable noise, the same every build.
uint32_t Noise(int a, int b, uint32_t seed) { return TileHash(static_cast<uint32_t>(a + 1000), static_cast<uint32_t>(b + 1000), seed); }

// A band from y0 to y1 through the colours given, top to bottom, each
// dithered into the next.
void Gradient(Canvas& c, int y0, int y1, std::initializer_list<Rgb> stops) {
    const std::vector<Rgb> s(stops);
    for (int y = y0; y < y1; ++y) {
        const double pos = static_cast<double>(y - y0) / std::max(1, y1 - y0 - 1) * (s.size() - 1);
        const int i = std::min(static_cast<int>(pos), static_cast<int>(s.size()) - 2);
        // Flat bands with a short dithered seam between them.
        const double t = std::clamp((pos - i - 0.5) * 2.5 + 0.5, 0.0, 1.0);
        for (int x = 0; x < kW; ++x) c.Set(x, y, Mix(x, y, t) ? s[i + 1] : s[i]);
    }
}

// The height of a ridge line at x: a sum of waves.
int RidgeY(int x, int baseY, int amplitude, double freq, double phase) {
    const double v = std::sin(x * freq + phase) * 0.6 + std::sin(x * freq * 2.7 + phase * 1.9) * 0.4;
    return baseY - static_cast<int>(amplitude * (0.5 + 0.5 * v));
}

// A ridge filled down to `bottom`, its crest lit by `rim`.
void Ridge(Canvas& c, int baseY, int amplitude, double freq, double phase, Rgb fill, Rgb rim, int bottom = kH) {
    for (int x = 0; x < kW; ++x) {
        const int top = RidgeY(x, baseY, amplitude, freq, phase);
        const int lit = RidgeY(std::max(0, x - 1), baseY, amplitude, freq, phase);
        for (int y = top; y < bottom; ++y) c.Set(x, y, y == top || (y == top + 1 && lit > top) ? rim : fill);
    }
}

// Stars scattered over the top `height` rows, a few of them bright.
void Stars(Canvas& c, int height, int count, uint32_t seed) {
    for (int i = 0; i < count; ++i) {
        const int x = static_cast<int>(Noise(i, 1, seed) % kW), y = static_cast<int>(Noise(i, 2, seed) % height);
        c.Set(x, y, i % 5 == 0 ? kWhite : kCream);
        if (i % 9 == 0) {
            c.Set(x - 1, y, kMist);
            c.Set(x + 1, y, kMist);
        }
    }
}

// A disc of light with a dithered halo of `halo` around it.
void Glow(Canvas& c, int cx, int cy, int r, Rgb core, Rgb rim, Rgb halo, int haloR) {
    for (int y = cy - haloR; y <= cy + haloR; ++y)
        for (int x = cx - haloR; x <= cx + haloR; ++x) {
            const double d = std::sqrt(static_cast<double>((x - cx) * (x - cx) + (y - cy) * (y - cy)));
            if (d <= r - 1.5) c.Set(x, y, core);
            else if (d <= r) c.Set(x, y, rim);
            else if (d <= haloR && Mix(x, y, 0.55 * (1.0 - (d - r) / (haloR - r)))) c.Set(x, y, halo);
        }
}

// A long cloud: a flat-bottomed streak, its underside lit by the sunset.
void Cloud(Canvas& c, int x, int y, int w, Rgb body, Rgb lit) {
    for (int i = 0; i < w; ++i) {
        const double f = static_cast<double>(i) / (w - 1);
        const int h = static_cast<int>(3.5 * std::sin(f * 3.14159) + 0.5);
        for (int j = 0; j <= h; ++j) c.Set(x + i, y - j, body);
        if (i > 1 && i < w - 2) c.Set(x + i, y + 1, lit);
    }
}

// A pine in tiers of needles on a trunk, lit on its left: `h` tall from its
// foot at (x, baseY), `w` the half width of its lowest tier. A snow colour
// other than the key lays snow on the tiers.
void Pine(Canvas& c, int x, int baseY, int h, int w, Rgb dark, Rgb mid, Rgb lit, Rgb trunk, Rgb snow = kKey) {
    const int trunkH = std::max(2, h / 5);
    c.Rect(x, baseY - trunkH - 2, 1 + (h > 24 ? 1 : 0), trunkH + 2, trunk);
    const int tiers = h < 14 ? 2 : (h < 26 ? 3 : 4);
    const int crownH = h - trunkH;
    const int step = crownH / (tiers + 1);
    for (int t = 0; t < tiers; ++t) {
        const int top = baseY - h + t * step;
        const int bottom = t == tiers - 1 ? baseY - trunkH : top + 2 * step;
        const double widest = w * (t + 1.0) / tiers;
        for (int y = top; y <= bottom; ++y) {
            const double f = static_cast<double>(y - top + 1) / (bottom - top + 1);
            const int half = static_cast<int>(std::lround(t == 0 ? widest * f : widest * (0.45 + 0.55 * f)));
            for (int dx = -half; dx <= half; ++dx) {
                Rgb col = dx < -half / 3 ? mid : dark;
                if (dx == -half || (y == top && dx < 0)) col = lit;
                if (y == bottom && (dx + y) % 2 == 0) col = dark;
                if (snow != kKey && y - top <= 1 && (dx + y) % 3 != 0 && dx < half - 1) col = snow;
                c.Set(x + dx, y, col);
            }
        }
    }
}

// A Japanese roof seen from the side: a ridge, a tiled slope widening
// downwards and eaves that turn up at both ends.
void Roof(Canvas& c, int x, int y, int w, int h, Rgb tile, Rgb lit, Rgb edge) {
    for (int r = 0; r < h; ++r) {
        const int inset = (h - 1 - r) * 2;
        const int x0 = x + inset - (r == h - 1 ? 1 : 0), x1 = x + w - inset + (r == h - 1 ? 1 : 0);
        for (int i = x0; i < x1; ++i) c.Set(i, y + r, r == 0 ? lit : (r == h - 1 ? edge : ((i - x) % 3 == 0 ? edge : tile)));
    }
    c.Set(x - 2, y + h - 2, edge);
    c.Set(x + w + 1, y + h - 2, edge);
}

// The rim every picture gets, so it reads apart from the frame.
void Finish(Canvas& c) { c.Frame(0, 0, kW, kH, kInk); }

// --- The ten pictures ------------------------------------------------------------

// The pine forest at dusk: the sun going down behind far mountains, the
// far pines in the mountains' shade, a shrine gate and a stone lantern in
// a clearing, tall pines at the edges and the path through the grass.
Canvas Forest() {
    Canvas c(kW, kH);
    Gradient(c, 0, 56, {kNight, kDusk, kMauve, kRose, kCoral, kAmber});
    Stars(c, 14, 10, 1);
    Cloud(c, 18, 22, 30, kMauve, kRose);
    Cloud(c, 96, 16, 24, kMauve, kRose);
    Cloud(c, 120, 30, 18, kRose, kCoral);
    Glow(c, 104, 47, 7, kCream, kGold, kGold, 13);
    Ridge(c, 50, 16, 0.045, 0.8, kSlate, kMist);
    Ridge(c, 56, 8, 0.09, 2.1, kNavy, kSlate);
    // The far pines: a crowd of small silhouettes.
    for (int i = 0; i < 26; ++i) {
        const int x = i * 6 + static_cast<int>(Noise(i, 0, 3) % 5);
        const int h = 8 + static_cast<int>(Noise(i, 1, 3) % 7);
        Pine(c, x, 62, h, 3, kNavy, kNavy, kSlate, kNavy);
    }
    c.Rect(0, 61, kW, 19, kPineDark);
    // The middle pines, each its own height.
    for (int i = 0; i < 7; ++i) {
        const int x = 28 + i * 19 + static_cast<int>(Noise(i, 2, 4) % 7);
        const int h = 20 + static_cast<int>(Noise(i, 3, 4) % 12);
        if (x > 58 && x < 92) continue;  // the clearing
        Pine(c, x, 66, h, 6 + h / 8, kPineDark, kPine, kGrass, kEarthDeep);
    }
    // The shrine gate in the clearing and a stone lantern lit beside it.
    c.Rect(64, 44, 2, 22, kRed);
    c.Rect(84, 44, 2, 22, kRed);
    c.Rect(64, 44, 1, 22, kCoral);
    c.Rect(60, 40, 30, 2, kInk);
    c.Set(59, 39, kInk);
    c.Set(90, 39, kInk);
    c.Rect(61, 42, 28, 2, kRed);
    c.Rect(62, 47, 26, 1, kCrimson);
    c.Rect(74, 42, 2, 5, kCrimson);
    c.Rect(96, 56, 7, 2, kStone);
    c.Rect(98, 58, 3, 3, kGold);
    c.Set(99, 59, kCream);
    c.Rect(97, 61, 5, 1, kStoneDark);
    c.Rect(98, 62, 3, 4, kStone);
    c.Rect(96, 66, 7, 1, kStoneDark);
    Glow(c, 99, 59, 1, kGold, kGold, kAmber, 6);
    // The ground: grass over earth, and the path.
    for (int x = 0; x < kW; ++x) {
        const int top = 66 + static_cast<int>(std::lround(1.2 * std::sin(x * 0.07)));
        for (int y = top; y < kH; ++y) {
            Rgb col = y < top + 2 ? kGrass : (y < top + 4 ? kPine : kEarth);
            if (y == top) col = kLeaf;
            if (y >= top + 4 && Noise(x, y, 5) % 9 == 0) col = kEarthDark;
            c.Set(x, y, col);
        }
    }
    for (int x = 0; x < kW; ++x) {
        c.Set(x, 72, kSand);
        c.Set(x, 73, Noise(x, 0, 6) % 4 ? kSand : kWood);
        c.Set(x, 74, kWood);
    }
    for (int i = 0; i < 14; ++i) {  // tufts and flowers
        const int x = static_cast<int>(Noise(i, 0, 7) % kW);
        c.Set(x, 65, kGrass);
        c.Set(x + 1, 64, kLeaf);
        if (i % 4 == 0) c.Set(x + 2, 65, kRose);
    }
    // Tall pines framing the picture at either edge.
    Pine(c, 10, 72, 66, 14, kPineDark, kPine, kGrass, kEarthDark);
    c.Rect(9, 48, 4, 24, kEarthDark);
    c.Rect(9, 48, 1, 24, kWood);
    Pine(c, 150, 72, 60, 12, kPineDark, kPine, kGrass, kEarthDark);
    c.Rect(149, 50, 4, 22, kEarthDark);
    c.Rect(149, 50, 1, 22, kWood);
    // Fireflies.
    for (int i = 0; i < 7; ++i) c.Set(30 + i * 17, 50 + static_cast<int>(Noise(i, 0, 8) % 12), kGold);
    Finish(c);
    return c;
}

// The riverside: the far bank under the sunset, the red arched bridge, the
// sky mirrored in the slow river, stepping stones, and reeds on the stone
// bank in front.
Canvas Riverside() {
    Canvas c(kW, kH);
    Gradient(c, 0, 40, {kDusk, kMauve, kRose, kCoral, kAmber});
    Stars(c, 10, 6, 2);
    Cloud(c, 30, 14, 36, kMauve, kRose);
    Cloud(c, 112, 20, 26, kRose, kCoral);
    Glow(c, 50, 36, 5, kCream, kGold, kGold, 10);
    Ridge(c, 34, 8, 0.05, 1.7, kSlate, kMist, 44);
    // The far bank with willows.
    Ridge(c, 42, 4, 0.12, 0.3, kPineDark, kPine, 46);
    for (int w : {20, 118, 140}) {
        c.Rect(w, 30, 2, 14, kEarthDark);
        for (int i = -7; i <= 8; ++i)
            for (int y = 26 + std::abs(i) / 3; y < 34 + static_cast<int>(Noise(w, i, 9) % 8); ++y)
                if ((i + y) % 2 == 0 || y < 30) c.Set(w + i, y, y < 29 && i < 0 ? kPine : kPineDark);
    }
    // The river: the sky's colours mirrored in bands broken by ripples.
    for (int y = 44; y < 72; ++y)
        for (int x = 0; x < kW; ++x) {
            const int mirror = 44 - (y - 44) / 2;  // the sky row it mirrors
            Rgb col = c.Get(x, std::max(1, mirror));
            if (col == kCream || col == kGold) col = kGold;
            else if (col == kAmber || col == kCoral) col = kCoral;
            else if (col == kRose) col = kMauve;
            else col = y < 56 ? kWater : kWaterDeep;
            const bool ripple = (x + (y * 7) % 13) % 9 < 2;
            if (ripple) col = y < 58 ? kFoam : kWater;
            if ((y - 44) % 3 == 2 && !ripple) col = y < 58 ? kWater : kWaterDeep;
            c.Set(x, y, col);
        }
    // The arched bridge: its deck, its rails, its posts in the water.
    for (int x = 70; x <= 130; ++x) {
        const double f = (x - 100) / 30.0;
        const int y = 40 + static_cast<int>(std::lround(8.0 * f * f));
        c.Set(x, y, kCoral);
        c.Set(x, y + 1, kRed);
        c.Set(x, y + 2, kCrimson);
        if (x % 6 == 0) c.Rect(x, y - 4, 1, 4, kRed);
        c.Set(x, y - 5, kRed);
        if (x % 12 == 4) c.Rect(x, y + 3, 2, 50 - y, kCrimson);
        // Its reflection.
        const int ry = 48 + (48 - y) / 2 + 8;
        if (ry < 70 && x % 2 == 0) c.Set(x, ry, kCrimson);
    }
    // Stepping stones.
    for (int i = 0; i < 3; ++i) {
        const int x = 14 + i * 22, y = 60 + (i % 2) * 3;
        c.Rect(x, y, 12, 4, kStone);
        c.Rect(x + 1, y - 1, 10, 1, kStoneLight);
        c.Rect(x, y + 3, 12, 1, kStoneDark);
        c.Rect(x - 1, y + 4, 14, 1, kFoam);
    }
    // The stone bank in front.
    for (int y = 70; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const int row = (y - 70) / 4, sx = (x + row * 5) % 11;
            Rgb col = (y - 70) % 4 == 3 || sx == 10 ? kStoneDark : kStone;
            if ((y - 70) % 4 == 0 && sx != 10) col = kStoneLight;
            c.Set(x, y, col);
        }
    c.Rect(0, 69, kW, 1, kInk);
    // Reeds and cattails on the bank.
    for (int i = 0; i < 16; ++i) {
        const int x = 3 + i * 10 + static_cast<int>(Noise(i, 0, 10) % 5);
        if (x > 40 && x < 64) continue;
        const int h = 10 + static_cast<int>(Noise(i, 1, 10) % 9);
        const int lean = static_cast<int>(Noise(i, 2, 10) % 3) - 1;
        for (int y = 0; y < h; ++y) c.Set(x + lean * y / 6, 69 - y, y > h - 3 ? kGrass : kPine);
        if (i % 3 == 0) c.Rect(x + lean * h / 6, 67 - h, 2, 4, kEarth);
        c.Set(x + 1, 69 - h / 2, kGrass);
    }
    Finish(c);
    return c;
}

// One storey of the keep: warm plaster between dark posts, a row of
// windows, under a roof with a gable at its middle.
void Storey(Canvas& c, int cx, int y, int w, int h, bool gable) {
    c.Rect(cx - w / 2, y, w, h, kSand);
    c.Rect(cx - w / 2, y, 1, h, kGold);
    c.Rect(cx + w / 2 - 1, y, 1, h, kWood);
    for (int x = cx - w / 2 + 4; x < cx + w / 2 - 2; x += 6) {
        c.Rect(x, y + 2, 3, 3, kEarthDark);
        c.Set(x + 1, y + 3, kAmber);
    }
    c.Rect(cx - w / 2, y + h - 1, w, 1, kEarthDark);
    Roof(c, cx - w / 2 - 3, y - 4, w + 6, 4, kSlate, kMist, kNavy);
    if (gable) {
        c.Polygon({{cx - 6, y - 2}, {cx, y - 8}, {cx + 7, y - 2}}, kNight);
        c.Polygon({{cx - 4, y - 2}, {cx, y - 6}, {cx + 5, y - 2}}, kSand);
        c.Set(cx, y - 5, kGold);
    }
}

// The castle: the keep rising storey on storey over its curved stone base
// against the moonlit dusk, the golden fish on its ridge, and in front the
// outer wall of warm plaster and dark posts under its tiled coping.
Canvas CastleWalls() {
    Canvas c(kW, kH);
    Gradient(c, 0, 58, {kNight, kDusk, kMauve, kRose});
    Stars(c, 30, 18, 3);
    Glow(c, 30, 16, 6, kCream, kCream, kMauve, 10);
    c.Disc(33, 14, 5, c.Get(40, 14));  // the crescent's dark side
    Cloud(c, 100, 26, 30, kMauve, kRose);
    // Far town roofs in the glow.
    for (int i = 0; i < 9; ++i) {
        const int x = i * 19 + static_cast<int>(Noise(i, 0, 11) % 6);
        Roof(c, x, 50 - static_cast<int>(Noise(i, 1, 11) % 4), 14, 3, kDusk, kMauve, kNight);
    }
    c.Rect(0, 53, kW, 8, kDusk);
    // The keep's stone base, its sides curving out at the foot.
    const int kx = 100;
    for (int y = 36; y < 62; ++y) {
        const int spread = 19 + (y - 36) * (y - 36) / 60;
        for (int x = kx - spread; x <= kx + spread; ++x) {
            const int row = (y - 36) / 3, sx = (x + row * 3) % 7;
            Rgb col = (y - 36) % 3 == 2 || sx == 6 ? kNight : kStoneDark;
            if ((y - 36) % 3 == 0 && sx != 6) col = kStone;
            if (x - (kx - spread) < 2) col = kStoneLight;  // the lit edge
            c.Set(x, y, col);
        }
    }
    Storey(c, kx, 27, 38, 9, true);
    Storey(c, kx, 17, 28, 7, false);
    Storey(c, kx, 8, 20, 6, true);
    // The golden fish at the ridge's ends.
    for (int side : {-1, 1}) {
        const int fx = kx + side * 7;
        c.Rect(fx, 1, 1, 3, kGold);
        c.Set(fx + side, 0, kGold);   // the tail, flipped up
        c.Set(fx - side, 3, kAmber);  // the head on the ridge
    }
    // A pine leaning in from the left.
    Pine(c, 16, 58, 34, 12, kPineDark, kPine, kGrass, kEarthDark);
    // The outer wall in front: coping, plaster, posts, windows and its
    // stone base.
    Roof(c, 2, 56, kW - 4, 4, kSlate, kMist, kNight);
    c.Rect(0, 60, kW, 10, kSand);
    for (int x = 0; x < kW; ++x)
        for (int y = 60; y < 70; ++y)
            if (Noise(x / 4, y, 12) % 13 == 0) c.Set(x, y, kGold);
    c.Rect(0, 60, kW, 1, kEarthDark);
    for (int x = 6; x < kW; x += 26) {
        c.Rect(x, 60, 4, 10, kEarthDark);
        c.Rect(x, 60, 1, 10, kEarth);
        c.Rect(x + 12, 62, 6, 5, kEarthDark);
        for (int b = 0; b < 3; ++b) c.Rect(x + 13 + b * 2, 63, 1, 3, kAmber);
    }
    for (int y = 70; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const int row = (y - 70) / 3, sx = (x + row * 4) % 9;
            Rgb col = (y - 70) % 3 == 2 || sx == 8 ? kStoneDark : kStone;
            if ((y - 70) % 3 == 0 && sx != 8) col = kStoneLight;
            c.Set(x, y, col);
        }
    Finish(c);
    return c;
}

// The boss hall: vermilion pillars and gold screens in lamplight, lanterns
// hanging in the dark above, the floor's boards running to the dais.
Canvas BossHall() {
    Canvas c(kW, kH, kEarthDeep);
    // The back wall: gold screens with a pine painted across them.
    c.Rect(0, 14, kW, 36, kEarthDark);
    for (int x = 4; x < kW; x += 24) {
        c.Rect(x, 18, 22, 28, kGold);
        c.Rect(x, 18, 22, 1, kCream);
        c.Rect(x + 21, 18, 1, 28, kAmber);
        for (int y = 19; y < 46; ++y)
            for (int i = 0; i < 21; ++i)
                if (Noise(x + i, y, 13) % 11 == 0) c.Set(x + i, y, kAmber);
    }
    for (int x = 0; x < kW; ++x) {  // the painted pine's bough
        const int y = 28 + static_cast<int>(6 * std::sin(x * 0.05));
        c.Rect(x, y, 1, 2, kEarthDark);
        if (x % 14 < 8) c.Rect(x, y - 4, 1, 4, (x % 14) < 2 ? kGrass : kPine);
    }
    // The ceiling's beams and coffers.
    c.Rect(0, 0, kW, 14, kEarthDeep);
    for (int x = 0; x < kW; x += 10) c.Rect(x, 0, 1, 12, kNight);
    c.Rect(0, 10, kW, 4, kCrimson);
    c.Rect(0, 10, kW, 1, kRed);
    c.Rect(0, 13, kW, 1, kNight);
    // Pillars, lit on the left, with gold bands.
    for (int i = 0; i < 4; ++i) {
        const int x = 10 + i * 44;
        c.Rect(x, 10, 9, 52, kRed);
        c.Rect(x, 10, 2, 52, kCoral);
        c.Rect(x + 7, 10, 2, 52, kCrimson);
        c.Rect(x - 1, 18, 11, 2, kGold);
        c.Rect(x - 1, 54, 11, 2, kGold);
        c.Rect(x - 2, 60, 13, 3, kStoneDark);
    }
    // Hanging lanterns with their glow.
    for (int i = 0; i < 3; ++i) {
        const int x = 36 + i * 44;
        c.Rect(x, 13, 1, 6, kNight);
        Glow(c, x, 24, 4, kGold, kAmber, kCoral, 10);
        c.Rect(x - 3, 19, 7, 1, kNight);
        c.Rect(x - 3, 29, 7, 1, kNight);
    }
    // The floor: boards running towards the dais, lit in the middle.
    for (int y = 62; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const int lane = (x - 80) * 10 / (y - 40);
            Rgb col = lane % 2 ? kEarth : kWood;
            if ((x - 80) * 10 % (y - 40) == 0) col = kEarthDark;
            if (std::abs(x - 80) < 18 + (y - 62)) col = lane % 2 ? kCrimson : kRed;  // the carpet
            c.Set(x, y, col);
        }
    c.Rect(0, 62, kW, 1, kGold);
    // The dais and the empty seat of the hall's master.
    c.Rect(62, 46, 36, 16, kCrimson);
    c.Rect(62, 46, 36, 1, kGold);
    c.Rect(68, 30, 24, 16, kGold);
    c.Rect(70, 32, 20, 14, kCrimson);
    c.Rect(70, 32, 20, 1, kRed);
    c.Set(80, 36, kGold);
    Finish(c);
    return c;
}

// A snowy pass: white peaks in the cold dusk, snow on the pines, the path
// of footprints over the drifts, snow falling.
Canvas SnowPass() {
    Canvas c(kW, kH);
    Gradient(c, 0, 50, {kNavy, kSlate, kMist, kStoneLight});
    Stars(c, 14, 8, 4);
    // Peaks, lit on the left, snow on their shoulders.
    const int peaks[][3] = {{20, 14, 36}, {70, 6, 44}, {128, 12, 40}};
    for (const auto& p : peaks) {
        const int px = p[0], top = p[1], half = p[2];
        for (int y = top; y < 56; ++y) {
            const int w = (y - top) * half / (56 - top);
            for (int x = px - w; x <= px + w; ++x) {
                const bool snow = y < top + 10 + static_cast<int>(Noise(x / 3, 0, 14) % 5);
                Rgb col = x < px ? kSlate : kNavy;
                if (snow) col = x < px ? kWhite : kStoneLight;
                else if (std::abs(x - px + (y - top) / 3) < 2 && y < top + 24) col = x < px ? kStoneLight : kMist;  // a gully
                c.Set(x, y, col);
            }
        }
    }
    Ridge(c, 56, 6, 0.07, 1.2, kStoneLight, kWhite);
    // Far snowy pines, then near ones.
    for (int i = 0; i < 9; ++i) {
        const int x = 4 + i * 18 + static_cast<int>(Noise(i, 1, 16) % 8);
        Pine(c, x, 61, 10 + static_cast<int>(Noise(i, 0, 16) % 9), 3 + static_cast<int>(Noise(i, 2, 16) % 2), kSlate,
             kSlate, kMist, kNavy);
    }
    for (int x = 0; x < kW; ++x)
        for (int y = 60; y < kH; ++y) c.Set(x, y, y >= 63 && y <= 64 && (x / 7) % 3 == 0 ? kStoneLight : kWhite);
    for (int x = 0; x < kW; ++x) {
        const int y = 68 + static_cast<int>(std::lround(1.5 * std::sin(x * 0.05)));
        c.Set(x, y + 4, kStoneLight);  // the drift's shadow
        c.Set(x, y + 5, kMist);
        if (x % 9 == 2) c.Set(x, y + 1, kMist);  // footprints
        if (x % 9 == 6) c.Set(x, y + 2, kMist);
    }
    Pine(c, 14, 70, 44, 12, kPineDark, kPine, kGrass, kEarthDark, kWhite);
    Pine(c, 146, 70, 50, 13, kPineDark, kPine, kGrass, kEarthDark, kWhite);
    Pine(c, 120, 68, 26, 8, kPineDark, kPine, kGrass, kEarthDark, kWhite);
    // A small stone marker by the path, capped with snow.
    c.Rect(96, 60, 5, 9, kStone);
    c.Rect(96, 60, 1, 9, kStoneLight);
    c.Rect(95, 59, 7, 2, kWhite);
    // Falling snow.
    for (int i = 0; i < 40; ++i)
        c.Set(static_cast<int>(Noise(i, 0, 18) % kW), static_cast<int>(Noise(i, 1, 18) % 66), i % 3 ? kWhite : kStoneLight);
    Finish(c);
    return c;
}

// A bamboo grove by moonlight: far stalks fading into the blue, near
// stalks with their nodes and sprays of leaves, light falling between them.
Canvas BambooGrove() {
    Canvas c(kW, kH);
    Gradient(c, 0, 70, {kNight, kNavy, kSlate});
    auto stalks = [&](int count, uint32_t seed, int width, Rgb body, Rgb lit, Rgb shade, Rgb node, Rgb leaf) {
        for (int i = 0; i < count; ++i) {
            const int x = static_cast<int>(Noise(i, 0, seed) % kW);
            if (width > 2 && x > 104 && x < 130) continue;  // a gap where the moon shows
            const int lean = static_cast<int>(Noise(i, 1, seed) % 5) - 2;
            for (int y = 0; y < 72; ++y) {
                const int sx = x + lean * (72 - y) / 40;
                for (int k = 0; k < width; ++k) c.Set(sx + k, y, k == 0 ? lit : (k == width - 1 ? shade : body));
                if ((y + i * 5) % 13 == 0) c.Rect(sx - 1, y, width + 2, 1, node);
            }
            for (int s = 0; s < 3; ++s) {  // sprays of leaves from the nodes
                const int y = 6 + static_cast<int>(Noise(i, s + 2, seed) % 40);
                const int dir = (i + s) % 2 ? 1 : -1;
                const int sx = x + lean * (72 - y) / 40 + (dir > 0 ? width : -1);
                for (int l = 0; l < 6; ++l) {
                    c.Set(sx + dir * l, y + l / 2, leaf);
                    c.Set(sx + dir * l, y + l / 2 + 1, l > 2 ? leaf : body);
                }
            }
        }
    };
    stalks(14, 19, 2, kSlate, kMist, kNavy, kNavy, kSlate);
    // The moon in the haze beyond the far stalks.
    Glow(c, 118, 16, 8, kCream, kCream, kMist, 14);
    c.Set(116, 14, kStoneLight);
    c.Set(120, 17, kStoneLight);
    stalks(11, 20, 3, kPine, kGrass, kPineDark, kPineDark, kPine);
    stalks(6, 21, 5, kGrass, kLeaf, kPine, kPineDark, kGrass);
    // The ground: fallen leaves and a path in the moonlight.
    for (int y = 70; y < kH; ++y)
        for (int x = 0; x < kW; ++x) c.Set(x, y, Noise(x, y, 22) % 5 == 0 ? kPine : kPineDark);
    c.Rect(0, 70, kW, 1, kPine);
    // The path, pale in the moonlight.
    for (int x = 0; x < kW; ++x) {
        c.Set(x, 73, kSlate);
        c.Set(x, 74, Noise(x, 0, 34) % 4 ? kMist : kStoneLight);
        c.Set(x, 75, kSlate);
    }
    Finish(c);
    return c;
}

// The shrine gate at sunset: the great red gate at the top of stone steps,
// the shrine's roof behind it, cedars either side and lanterns lit.
Canvas ShrineGate() {
    Canvas c(kW, kH);
    Gradient(c, 0, 60, {kMauve, kRose, kCoral, kAmber, kGold});
    Cloud(c, 10, 14, 40, kRose, kCoral);
    Cloud(c, 108, 10, 34, kRose, kCoral);
    Glow(c, 80, 50, 12, kCream, kGold, kGold, 18);
    Ridge(c, 54, 8, 0.05, 0.7, kMauve, kRose);
    // The shrine's roof behind the gate.
    Roof(c, 58, 36, 44, 6, kDusk, kMauve, kNight);
    c.Rect(62, 42, 36, 12, kEarthDark);
    c.Rect(66, 44, 28, 6, kAmber);
    for (int x = 68; x < 94; x += 4) c.Rect(x, 44, 1, 6, kEarthDark);
    // Cedars either side, dark against the glow.
    Pine(c, 16, 64, 56, 14, kPineDark, kPine, kGrass, kEarthDeep);
    Pine(c, 36, 62, 38, 9, kPineDark, kPineDark, kPine, kEarthDeep);
    Pine(c, 144, 64, 54, 14, kPineDark, kPine, kGrass, kEarthDeep);
    Pine(c, 124, 62, 36, 9, kPineDark, kPineDark, kPine, kEarthDeep);
    // Stone steps up to the gate, lit on their treads.
    for (int s = 0; s < 6; ++s) {
        const int w = 132 - s * 16, y = 77 - s * 3;
        c.Rect(80 - w / 2, y, w, 3, kStone);
        c.Rect(80 - w / 2, y, w, 1, kStoneLight);
        c.Rect(80 - w / 2, y + 2, w, 1, kStoneDark);
    }
    // The gate: posts, the tie beam, the lintel curving up at its ends and
    // the tablet between.
    for (int px : {57, 99}) {
        c.Rect(px, 22, 5, 40, kRed);
        c.Rect(px, 22, 1, 40, kCoral);
        c.Rect(px + 4, 22, 1, 40, kCrimson);
        c.Rect(px - 1, 58, 7, 4, kInk);
    }
    c.Rect(50, 30, 60, 3, kRed);
    c.Rect(50, 32, 60, 1, kCrimson);
    c.Rect(44, 17, 72, 3, kInk);
    c.Rect(42, 15, 3, 2, kInk);
    c.Rect(115, 15, 3, 2, kInk);
    c.Rect(46, 20, 68, 3, kRed);
    c.Rect(46, 20, 68, 1, kCoral);
    c.Rect(77, 23, 6, 7, kInk);
    c.Rect(78, 24, 4, 5, kGold);
    // Stone lanterns, lit.
    for (int x : {22, 132}) {
        c.Rect(x - 4, 50, 10, 2, kStoneDark);
        c.Rect(x - 2, 52, 6, 5, kStone);
        c.Rect(x - 1, 53, 4, 3, kGold);
        c.Rect(x - 3, 48, 8, 2, kStone);
        c.Rect(x, 57, 2, 9, kStone);
        c.Rect(x - 2, 66, 6, 2, kStoneDark);
        Glow(c, x + 1, 54, 1, kGold, kGold, kAmber, 6);
    }
    Finish(c);
    return c;
}

// A crystal cave: a dark vault hung with stone teeth, crystals glowing
// violet and pale blue, their light on the rock and mirrored in a still
// pool, a path of flat stones along the water.
Canvas CrystalCave() {
    Canvas c(kW, kH, kNight);
    // Rock in layers, lit by the crystals' glow near them.
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const int band = (y + static_cast<int>(3 * std::sin(x * 0.08))) / 6;
            Rgb col = band % 2 ? kNight : kDusk;
            if (Noise(x / 2, y, 23) % 13 == 0) col = kInk;
            c.Set(x, y, col);
        }
    // The vault's mouth: the dark opening deeper in.
    for (int y = 18; y < 58; ++y)
        for (int x = 40; x < 120; ++x) {
            const double dx = (x - 80) / 40.0, dy = (y - 58) / 40.0;
            if (dx * dx + dy * dy < 1.0) c.Set(x, y, Mix(x, y, dx * dx + dy * dy) ? kNight : kInk);
        }
    // Stone teeth from the roof.
    for (int i = 0; i < 16; ++i) {
        const int x = 4 + i * 10 + static_cast<int>(Noise(i, 0, 24) % 5);
        const int len = 6 + static_cast<int>(Noise(i, 1, 24) % 14);
        for (int y = 0; y < len; ++y) {
            const int half = (len - y) * 3 / len;
            for (int dx = -half; dx <= half; ++dx) c.Set(x + dx, y, dx < 0 ? kMauve : kDusk);
        }
    }
    // The pool.
    for (int y = 60; y < 70; ++y)
        for (int x = 20; x < 140; ++x) {
            const double dx = (x - 80) / 60.0, dy = (y - 60) / 10.0;
            if (dx * dx + dy * dy < 1.0) c.Set(x, y, (y + x / 7) % 3 ? kWaterDeep : kNavy);
        }
    // Crystal clusters, their glow on the rock and in the water.
    auto crystal = [&](int x, int baseY, int h, Rgb face, Rgb lit, Rgb glow) {
        Glow(c, x, baseY - h / 2, 1, glow, glow, glow, h);
        for (int k = -1; k <= 1; ++k) {
            const int ch = h - std::abs(k) * h / 3, cx = x + k * 4;
            c.Polygon({{cx - 2, baseY}, {cx - 2, baseY - ch + 3}, {cx, baseY - ch}, {cx + 2, baseY - ch + 3}, {cx + 2, baseY}},
                      face);
            c.Rect(cx - 1, baseY - ch + 3, 1, ch - 4, lit);
            c.Set(cx, baseY - ch + 1, kWhite);
        }
        for (int y = 0; y < 6; y += 2) c.Rect(x - 5, baseY + 2 + y, 11 - y, 1, glow);  // its image in the pool
    };
    crystal(28, 62, 16, kViolet, kCream, kMauve);
    crystal(62, 58, 12, kFoam, kWhite, kWater);
    crystal(106, 60, 18, kViolet, kCream, kMauve);
    crystal(140, 62, 12, kFoam, kWhite, kWater);
    // The floor and the path of flat stones in front.
    for (int y = 70; y < kH; ++y)
        for (int x = 0; x < kW; ++x) c.Set(x, y, Noise(x / 2, y, 25) % 6 ? kNight : kDusk);
    for (int i = 0; i < 7; ++i) {
        const int x = 4 + i * 23;
        c.Rect(x, 72, 16, 3, kSlate);
        c.Rect(x + 1, 72, 14, 1, kMist);
        c.Rect(x, 75, 16, 1, kInk);
    }
    // Motes of light drifting up.
    for (int i = 0; i < 12; ++i) c.Set(static_cast<int>(Noise(i, 0, 26) % kW), 24 + static_cast<int>(Noise(i, 1, 26) % 40), i % 2 ? kFoam : kViolet);
    Finish(c);
    return c;
}

// A waterfall at dusk: water falling in sheets down a mossy cliff between
// pines, foam and spray where it strikes the pool, rocks in the stream.
Canvas Waterfall() {
    Canvas c(kW, kH, kStoneDark);
    Gradient(c, 0, 34, {kDusk, kMauve, kRose, kCoral});
    Cloud(c, 94, 10, 30, kMauve, kRose);
    Ridge(c, 26, 8, 0.06, 0.4, kSlate, kMist, 40);
    // The cliff: rock in ledges, moss on their tops.
    auto rock = [&](int x0, int x1, int top) {
        // Rock in slanting beds, each bed's edge lit and the crack under it
        // dark, moss clinging to the ledges near the top.
        for (int y = top; y < 70; ++y)
            for (int x = x0; x < x1; ++x) {
                const int bed = y * 2 + x / 3 + static_cast<int>(4 * std::sin(x * 0.11));
                const int in = ((bed % 15) + 15) % 15;
                Rgb col = Noise(x / 3, bed / 15, 28) % 3 == 0 ? kStone : kStoneDark;  // each block its own shade
                if ((x + bed / 15 * 7) % 13 == 0 && in > 1) col = kNight;             // a joint
                if (in == 0) col = kStoneLight;  // a bed's lit edge
                if (in == 1) col = kStone;
                if (in >= 13) col = kNight;
                if (in <= 1 && y < top + 18 && Noise(x, y / 3, 35) % 3 == 0) col = in == 0 ? kGrass : kPine;
                if (y == top) col = kGrass;
                c.Set(x, y, col);
            }
    };
    rock(0, 62, 22);
    rock(98, kW, 18);
    for (int y = 22; y < 70; ++y) {
        c.Set(61, y, kNight);
        c.Set(98, y, kStone);
    }
    // Pines on the cliff tops.
    Pine(c, 14, 24, 22, 7, kPineDark, kPine, kGrass, kEarthDeep);
    Pine(c, 36, 24, 16, 5, kPineDark, kPine, kGrass, kEarthDeep);
    Pine(c, 116, 20, 24, 7, kPineDark, kPine, kGrass, kEarthDeep);
    Pine(c, 144, 20, 18, 6, kPineDark, kPine, kGrass, kEarthDeep);
    // The falling water: streaks in three blues, the lip lit at the top.
    for (int y = 20; y < 64; ++y)
        for (int x = 62; x < 98; ++x) {
            const int streak = (x * 7 + static_cast<int>(Noise(x, 0, 29) % 5) + y / 2) % 6;
            Rgb col = streak < 2 ? kFoam : (streak < 4 ? kWater : kWaterDeep);
            if (y < 22) col = y == 20 ? kWhite : kFoam;
            c.Set(x, y, col);
        }
    // The pool, the foam and the spray where the water strikes.
    for (int y = 62; y < 74; ++y)
        for (int x = 30; x < 130; ++x) c.Set(x, y, (x + y * 3) % 7 < 2 ? kWater : kWaterDeep);
    for (int y = 56; y < 70; ++y)
        for (int x = 50; x < 110; ++x) {
            const double dx = (x - 80) / 26.0, dy = (y - 63) / 5.5;
            const double d = dx * dx + dy * dy;
            if (d < 0.45) c.Set(x, y, Noise(x, y, 30) % 4 ? kWhite : kFoam);
            else if (d < 1.0 && Mix(x, y, 1.0 - d)) c.Set(x, y, Noise(x, y, 33) % 3 ? kFoam : kWhite);
        }
    for (int y = 52; y < 64; ++y)
        for (int x = 52; x < 108; ++x)
            if (Mix(x, y, 0.3 * (y - 52) / 12.0)) c.Set(x, y, kFoam);
    // Rocks in the stream and the bank in front.
    for (int y = 72; y < kH; ++y)
        for (int x = 0; x < kW; ++x) c.Set(x, y, Noise(x / 3, y / 2, 31) % 3 ? kStoneDark : kStone);
    for (int rx : {20, 48, 118, 142}) {
        c.Disc(rx, 72, 5, kStone);
        c.Rect(rx - 4, 68, 5, 1, kStoneLight);
        c.Rect(rx - 5, 76, 11, 1, kFoam);
    }
    Finish(c);
    return c;
}

// A village at night: houses stepping up a hill with lit windows, the fire
// watch tower over their roofs, a string of paper lanterns over the street
// and their light pooled on it.
Canvas NightVillage() {
    Canvas c(kW, kH);
    Gradient(c, 0, 50, {kInk, kNight, kDusk});
    Stars(c, 34, 24, 11);
    Glow(c, 24, 14, 6, kCream, kCream, kDusk, 11);
    Ridge(c, 36, 10, 0.04, 2.5, kNight, kDusk);
    // The fire watch tower on the hill.
    c.Rect(124, 8, 1, 30, kEarthDark);
    c.Rect(134, 8, 1, 30, kEarthDark);
    for (int y = 14; y < 38; y += 6) c.Line(124, y, 134, y + 6, kEarthDark);
    Roof(c, 121, 4, 16, 3, kNight, kSlate, kInk);
    c.Rect(128, 9, 3, 2, kGold);
    // Houses stepping down the hill, the farther ones darker.
    auto house = [&](int x, int y, int w, Rgb wall, Rgb roof, Rgb roofLit, bool lit) {
        c.Rect(x, y, w, 14, wall);
        c.Rect(x, y, 1, 14, roofLit == kMist ? kEarth : wall);
        for (int wx = x + 3; wx + 5 < x + w; wx += 9)
            if (lit || (wx / 9) % 2) {
                c.Rect(wx, y + 4, 5, 5, kAmber);
                c.Rect(wx + 2, y + 4, 1, 5, kEarthDark);
                c.Rect(wx, y + 6, 5, 1, kEarthDark);
                c.Rect(wx, y + 4, 5, 1, kGold);
            }
        Roof(c, x - 2, y - 6, w + 4, 6, roof, roofLit, kInk);
    };
    for (int i = 0; i < 6; ++i) house(2 + i * 27, 34 - (i % 3) * 3, 22, kEarthDark, kNavy, kSlate, i % 2 == 0);
    for (int i = 0; i < 5; ++i) house(10 + i * 32, 52, 26, kEarth, kSlate, kMist, true);
    // The street and the pools of lantern light on it.
    for (int y = 66; y < kH; ++y)
        for (int x = 0; x < kW; ++x) c.Set(x, y, Noise(x / 3, y, 32) % 7 ? kEarthDeep : kEarthDark);
    c.Rect(0, 66, kW, 1, kEarthDark);
    // A string of paper lanterns across the street.
    for (int x = 0; x < kW; ++x) c.Set(x, 40 + static_cast<int>(5 * std::sin(x * 3.14159 / kW)), kInk);
    for (int i = 0; i < 7; ++i) {
        const int x = 10 + i * 23, y = 41 + static_cast<int>(5 * std::sin(x * 3.14159 / kW));
        Glow(c, x, 70, 2, kWood, kEarth, kEarth, 8);
        c.Rect(x - 2, y, 5, 6, kRed);
        c.Rect(x - 2, y, 1, 6, kCoral);
        c.Rect(x - 1, y + 2, 3, 2, kGold);
        c.Rect(x - 2, y + 6, 5, 1, kInk);
    }
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
