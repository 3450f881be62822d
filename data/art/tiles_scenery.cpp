// Scenery tiles: the painted backdrop behind the play field, one 20 x 20
// tile per map cell of layer B. Scenery is lower in contrast than the
// blocks in front of it and carries no outline.
//
// The backdrop is built in horizontal bands that tile seamlessly from left
// to right: a map row picks its tiles from one band, and pieces of larger
// things (trees, the gate, the bridge) sit on the background of the band
// they belong to. The bands of each sheet are listed at its drawing
// function; the tile numbers there are the scenery states minus the first
// state of the set (data/frames/CCharacterBackground.tab).
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "Palette.h"
#include "Sheets.h"
#include "Tiles.h"

namespace {

using Paint = std::function<Rgb(int x, int y)>;

// Fills tile n of the sheet texel by texel.
void PaintTile(Canvas& c, int n, const Paint& paint) {
    const int ox = TileX(n), oy = TileY(n);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) c.Set(ox + x, oy + y, paint(x, y));
}

// --- Sky ---------------------------------------------------------------------

// Sky bands from the top of the stage down to the horizon glow: the band
// over the horizon burns coral, so that a figure standing high against it
// shows dark on the light.
constexpr Rgb kSkyBands[] = {kNight, kDusk, kMauve, kCoral, kAmber};

// Band b, its first rows dithered into the band above so that rows of
// different bands meet without a hard line.
Rgb Sky(int band, int x, int y) {
    if (band > 0) {
        const Rgb above = kSkyBands[band - 1];
        if (y == 0 && (x % 2 == 0)) return above;
        if (y == 1 && ((x + 1) % 2 == 0)) return above;
        if (y == 2 && (x % 4 == 0)) return above;
        if (y == 4 && (x % 4 == 2)) return above;
    }
    return kSkyBands[band];
}

bool Star(int x, int y, uint32_t seed) {
    return x > 0 && x < 19 && y > 0 && y < 19 && TileHash(static_cast<uint32_t>(x), static_cast<uint32_t>(y), seed) % 61 == 0;
}

Paint StarSky(int band, uint32_t seed) {
    return [band, seed](int x, int y) {
        if (Star(x, y, seed)) return (x + y) % 3 ? kCream : kMist;
        return Sky(band, x, y);
    };
}

// A thin cloud streak lit from below by the sunset.
Paint Cloud(int band, int row, int from, int to, Rgb body, Rgb lit) {
    return [=](int x, int y) {
        if (x >= from && x <= to) {
            if (y == row) return body;
            if (y == row + 1 && x > from + 1 && x < to - 1) return lit;
            if (y == row - 1 && x > from + 3 && x < to - 4) return body;
        }
        return Sky(band, x, y);
    };
}

// --- Mountains and far forest ----------------------------------------------------

// Mountain ridge over the horizon glow: the ridge height (rows from the
// top) at x, for the ridge pieces. Every piece begins and ends at row 8
// (high) or row 14 (low), so pieces chain.
int Ridge(int kind, int x) {
    switch (kind) {
        case 0: return 14 - (x * 6) / 19;                        // rising
        case 1: return 8 + (x * 6) / 19;                         // falling
        case 2: return 3 + std::abs(x - 10) * 11 / 10;           // peak
        case 3: return 8 + (10 - std::abs(x - 10)) * 5 / 10;     // valley
        default: return 14 - ((x / 4) % 2);                      // low hills
    }
}

Rgb Glow(int x, int y) {
    if (y < 6) return Sky(4, x, y);
    if (y < 12) return (y == 6 && x % 2 == 0) ? kCoral : kAmber;
    return (y == 12 && x % 2 == 1) ? kAmber : kGold;
}

Paint Mountains(int kind) {
    return [kind](int x, int y) {
        const int h = Ridge(kind, x);
        if (y < h) return Glow(x, y);
        // Slopes facing the upper left catch the light; the mountains are
        // violet with distance, their feet sinking into the shade of the
        // pines in a dither that thickens downward.
        const int hl = Ridge(kind, std::max(0, x - 1));
        if (y == h) return hl > h || (x == 0 && kind == 0) ? kMauve : kDusk;
        if (y == h + 1 && hl > h) return kMauve;
        if (y >= 17 || (y >= 15 && (x + y) % 2 == 0)) return kNight;
        return kDusk;
    };
}

// Far pines: dark green spires rising from the forest's mass into the
// mountains' violet shade; the mass runs on from tile to tile.
struct FarPine {
    int x, top;
};

Paint FarPines(std::initializer_list<FarPine> pines, bool pagoda) {
    std::vector<FarPine> list(pines);
    return [list, pagoda](int x, int y) {
        // The forest's edge: a low ragged line of crowns, the same in
        // every tile so that it runs on.
        const int edge = 11 + (x % 5 == 2 ? -1 : 0) + (x % 7 == 4 ? 1 : 0);
        if (y >= edge) return y == edge && x % 3 == 0 ? kPine : kPineDark;
        for (const FarPine& p : list) {
            const int dy = y - p.top;
            if (dy < 0) continue;
            const int half = 1 + dy / 3;
            if (std::abs(x - p.x) <= half) return std::abs(x - p.x) == half && x < p.x ? kPine : kPineDark;
        }
        if (pagoda) {
            // A three-roofed pagoda far away.
            const int cx = 10;
            for (int tier = 0; tier < 3; ++tier) {
                const int ry = 4 + tier * 4;
                const int w = 2 + tier;
                if (y == ry && std::abs(x - cx) <= w + 1) return kInk;
                if (y > ry && y < ry + 4 && std::abs(x - cx) <= w - 1) return (x + y) % 3 ? kNight : kInk;
            }
            if (y < 4 && x == cx) return kInk;
        }
        return kDusk;
    };
}

// --- Forest interior -------------------------------------------------------------

// The dark between the trees: near black under the pines, the
// undergrowth far off showing in specks of dark green. (A figure's navy
// shade stands apart from it.)
Rgb Depth(int x, int y) {
    if (TileSpeck(x, y, 13, 7)) return kPineDark;
    return kInk;
}

// The canopy: masses of needles, lighter clumps lit from above.
Rgb Canopy(int x, int y, uint32_t seed) {
    const int cx = (x + 20) % 10, cy = y % 8;
    const uint32_t h = TileHash(static_cast<uint32_t>(x / 10), static_cast<uint32_t>(y / 8), seed);
    if ((cx - 5) * (cx - 5) + (cy - 3) * (cy - 3) < 8 + static_cast<int>(h % 6)) return cy < 2 ? kPine : kPineDark;
    return TileSpeck(x, y, seed, 20) ? kPine : kPineDark;
}

// A trunk from x0 to x1 (inclusive) over whatever lies behind: lit on its
// left, in shade on its right, with furrows of bark.
Paint Trunk(const Paint& behind, int x0, int x1) {
    return [=](int x, int y) {
        if (x < x0 || x > x1) return behind(x, y);
        if (x == x1) return kNight;
        if (x == x0 || x == x0 + 1) return x == x0 ? kWood : kEarth;
        if (x == x1 - 1) return y % 4 == 0 ? kEarthDark : kEarthDeep;
        const int furrow = (x - x0) % 4;
        if (furrow == 0 && (y + x) % 6 != 0) return kEarthDeep;
        return (y * 3 + x) % 11 == 0 ? kEarth : kEarthDark;
    };
}

Rgb Floor(int x, int y) {
    if (y < 2) return Depth(x, y);
    if (TileSpeck(x, y, 17, 12)) return kPineDark;
    return y < 6 && (x + y) % 5 == 0 ? kPineDark : kEarthDark;
}

// Fern fronds rising from the ground over the depth.
Paint Ferns(uint32_t seed) {
    return [seed](int x, int y) {
        for (int f = 0; f < 4; ++f) {
            const int fx = 2 + f * 5 + static_cast<int>(TileHash(static_cast<uint32_t>(f), seed) % 3);
            const int top = 6 + static_cast<int>(TileHash(static_cast<uint32_t>(f), seed, 1) % 6);
            if (y < top) continue;
            const int spread = (y - top) / 2;
            if (x == fx) return kPine;
            if (std::abs(x - fx) <= spread && (y + std::abs(x - fx)) % 3 == 0) return kPineDark;
        }
        if (y >= 17) return Floor(x, y);
        return Depth(x, y);
    };
}

// --- Pits --------------------------------------------------------------------------

// The dark under a pit: near black, a few motes of dust catching the last
// light. Nothing in it reads as ground to stand on.
Rgb PitDepth(int x, int y) {
    if (TileSpeck(x, y, 41, 2)) return kNight;
    return kInk;
}

// The mouth of a pit, at the ground's level: what lies behind, lost into
// the dark below in a dither that thickens row by row.
Rgb IntoTheDark(Rgb (*behind)(int, int), int x, int y) {
    if (y < 3) return behind(x, y);
    if (y < 12) {
        // From one dark texel in four to three in four.
        const int dark = (y - 3) / 3;  // 0..2
        const bool ink = ((x + (y % 2) * 2) % 4) < dark + 1;
        return ink ? kInk : behind(x, y);
    }
    return PitDepth(x, y);
}

// The dressed stones under the castle's walls, in courses of five rows,
// each stone lit along its top and left and darker than the walls above.
Rgb StoneBase(int x, int y) {
    const int row = y / 5, shift = row % 2 ? 5 : 0;
    const int sx = (x + shift) % 10, sy = y % 5;
    if (sy == 4 || sx == 9) return kInk;
    if (sy == 0 || sx == 0) return (sy == 0 && sx == 0) || (sy == 0 && sx == 1) ? kStoneDark : kDusk;
    if (sy == 3 || sx == 8) return kInk;
    return kNight;
}

// The castle's warm plaster (drawn with the castle's pieces below).
Rgb Plaster(int x, int y);

// --- Water -------------------------------------------------------------------------

// The river at dusk: blue-green at its lit rim, the ripples near the
// surface catching the sunset, going dark with depth, where only the
// ripples of the current catch a little light. It reads as deep, and
// neither its blue-green nor its dark is the navy of a figure's shade.
Rgb Water(int x, int y, uint32_t seed, bool surface) {
    if (surface && y < 2) return y == 0 ? kWater : kWaterDeep;
    // Ripples: on every third row, two dashes of their own length at their
    // own places (wrapping round the tile), so that the water shows no
    // lines of dashes lining up from tile to tile.
    auto dash = [&](int row, int minLength) {
        for (uint32_t k = 0; k < 2; ++k) {
            const uint32_t h = TileHash(static_cast<uint32_t>(row), seed, 40 + k);
            const int from = static_cast<int>(h % 20), length = minLength + static_cast<int>((h >> 8) % 4);
            if ((x - from + 20) % 20 < length) return true;
        }
        return false;
    };
    const int band = y / 3, row = y % 3;
    if (surface && y < 8) {
        // Near the surface the ripples catch the sunset.
        if (row == 0 && dash(band, 2)) return (x + y) % 4 == 1 ? kRose : kWater;
        if (TileSpeck(x, y, seed, 6)) return y < 5 ? kAmber : kRose;
        // The blue-green darkens downward into the depth.
        return y < 5 || (x + y) % (y - 3) != 0 ? kWaterDeep : kInk;
    }
    // Lower, the dark: the current's ripples lit on their tops.
    if (row == 0 && dash(band, 3)) return kWaterDeep;
    if (row == 1 && dash(band, 2)) return kNight;
    return kInk;
}

// --- The forest sheet ----------------------------------------------------------------

// Resource 171 (texture slot 51), scenery states 192 to 291 (tile n is
// state 192 + n), used by the forest, the riverside and the forest scene:
//    0-1   night sky (stars)          26-28 canopy (gap, fringe)
//    2-5   deep dusk (stars, cloud)   30-31 depth (fireflies)
//    6-8   dusk violet (clouds)       32-37 trunks (rope), 39 lantern trunk
//    9-10  rose (cloud)               40-45 ferns, bushes, grass, lantern
//   12-16  mountain ridges            46-49 forest floor
//   17-20  far pines (pagoda)         52-53 roots, statue
//   21-22  a pit's mouth, its dark    54-57 shrine gate (2 x 2), 58 fox
//   11, 23-25 pine crowns over trunks 59-83 riverside (see below)
//   29, 38, 50-51 trunks rising into the canopy
Canvas DrawForestSheet() {
    Canvas c(kTileSheetSize, kTileSheetSize, kKey);
    PaintTile(c, 0, [](int x, int y) { return Sky(0, x, y); });
    PaintTile(c, 1, StarSky(0, 1));
    PaintTile(c, 2, [](int x, int y) { return Sky(1, x, y); });
    PaintTile(c, 3, StarSky(1, 2));
    PaintTile(c, 4, Cloud(1, 12, 2, 16, kMauve, kRose));
    PaintTile(c, 5, [](int x, int y) {
        // A crow far away.
        const int dx = x - 9, dy = y - 8;
        if ((dy == 0 && std::abs(dx) <= 3) || (dy == -1 && (dx == -2 || dx == 2)) || (dy == 1 && dx == 0)) return kNight;
        return Sky(1, x, y);
    });
    PaintTile(c, 6, [](int x, int y) { return Sky(2, x, y); });
    PaintTile(c, 7, Cloud(2, 9, 0, 19, kRose, kCoral));
    PaintTile(c, 8, Cloud(2, 13, 5, 14, kRose, kCoral));
    PaintTile(c, 9, [](int x, int y) { return Sky(3, x, y); });
    PaintTile(c, 10, Cloud(3, 10, 1, 18, kCoral, kAmber));
    for (int kind = 0; kind < 5; ++kind) PaintTile(c, 12 + kind, Mountains(kind));
    PaintTile(c, 17, FarPines({{3, 7}, {8, 4}, {12, 9}, {16, 6}}, false));
    PaintTile(c, 18, FarPines({{4, 5}, {10, 8}, {15, 3}}, false));
    PaintTile(c, 19, FarPines({{3, 9}, {17, 8}}, true));
    PaintTile(c, 20, FarPines({{2, 6}, {6, 3}, {10, 5}, {14, 2}, {17, 6}}, false));
    PaintTile(c, 21, [](int x, int y) { return IntoTheDark(Depth, x, y); });
    PaintTile(c, 22, PitDepth);

    // Forest interior.
    PaintTile(c, 26, [](int x, int y) { return Canopy(x, y, 3); });
    PaintTile(c, 27, [](int x, int y) {
        const int dx = x - 10, dy = y - 9;
        // A ragged opening in the needles with the night sky behind.
        const int d = dx * dx + dy * dy * 2;
        if (d < 18 || (d < 34 && TileSpeck(x, y, 27, 55))) return (x == 9 && y == 8) ? kCream : kNight;
        return Canopy(x, y, 4);
    });
    PaintTile(c, 28, [](int x, int y) {
        // Needles hanging over the depth.
        const int reach = 8 + static_cast<int>(TileHash(static_cast<uint32_t>(x / 2), 8) % 7);
        if (y < reach) return Canopy(x, y, 5);
        return Depth(x, y);
    });
    PaintTile(c, 30, Depth);
    PaintTile(c, 31, [](int x, int y) {
        if ((x == 4 && y == 6) || (x == 14 && y == 12) || (x == 9 && y == 16)) return kGold;
        if ((x == 5 && y == 6) || (x == 14 && y == 13)) return kAmber;
        return Depth(x, y);
    });
    PaintTile(c, 32, Trunk(Depth, 8, 11));
    PaintTile(c, 33, Trunk(Trunk(Depth, 3, 5), 13, 15));
    PaintTile(c, 34, Trunk(Depth, 11, 25));
    PaintTile(c, 35, Trunk(Depth, -6, 8));
    // The sacred rope on the wide trunk: twisted straw with zigzag paper
    // streamers.
    auto rope = [](const Paint& trunk, int offset) {
        return [trunk, offset](int x, int y) {
            const int gx = x + offset;
            if (gx >= 10 && gx <= 29) {
                const int sag = (gx - 10) * (29 - gx) / 40;
                const int ry = 6 + sag;
                if (y >= ry && y <= ry + 2) return ((gx + y) % 3 == 0) ? kWood : ((gx + y) % 3 == 1 ? kSand : kGold);
                for (int sx : {14, 24}) {
                    const int dy = y - (ry + 3);
                    if (dy >= 0 && dy < 7) {
                        const int zig = sx + ((dy / 2) % 2 ? 1 : -1) * (dy % 2);
                        if (gx == zig || gx == zig + 1) return dy % 2 ? kStoneLight : kCream;
                    }
                }
            }
            return trunk(x, y);
        };
    };
    PaintTile(c, 36, rope(Trunk(Depth, 11, 25), 0));
    PaintTile(c, 37, rope(Trunk(Depth, -6, 8), 20));
    PaintTile(c, 39, [](int x, int y) {
        // A paper lantern hung from a peg on a trunk (the trunk where it
        // stands in tile 32, so the crown of tile 11 tops both): the peg
        // out of the bark's shaded side, the cord, the lantern with its
        // glow on the dark around it.
        const Paint trunk = Trunk(Depth, 8, 11);
        const int dx = x - 15, dy = y - 11;
        if (y == 3 && x >= 12 && x <= 15) return x == 15 ? kEarthDark : kEarth;  // the peg
        if (y == 4 && x >= 12 && x <= 14) return kEarthDeep;
        if (x == 15 && y >= 4 && y < 7) return kNight;                         // the cord
        if (std::abs(dx) <= 3 && dy >= -4 && dy <= 4) {
            if (dy == -4 || dy == 4) return kNight;
            if (std::abs(dx) == 3) return kCoral;
            return dy % 2 ? kAmber : kGold;
        }
        if (x >= 12 && std::abs(dx) <= 4 && dy >= -5 && dy <= 6 && TileSpeck(x, y, 21, 30)) return kMauve;
        return trunk(x, y);
    });
    PaintTile(c, 40, Ferns(1));
    PaintTile(c, 41, Ferns(2));
    PaintTile(c, 42, [](int x, int y) {
        // A bush: three clumps of leaves of their own sizes, lit along
        // their tops, the dark showing between them.
        struct Clump {
            int x, y, r;
        };
        const Clump clumps[] = {{5, 14, 4}, {11, 12, 5}, {16, 15, 3}};
        for (const Clump& k : clumps) {
            const int dx = x - k.x, dy = y - k.y;
            if (dx * dx + dy * dy > k.r * k.r) continue;
            if (dx * dx + (dy - 1) * (dy - 1) > k.r * k.r) return dx < 2 ? kGrass : kPine;  // the lit rim
            if (dx < 0 && dy < 0) return kPine;
            return TileSpeck(x, y, 42, 20) ? kPine : kPineDark;
        }
        if (y >= 17) return Floor(x, y);
        return Depth(x, y);
    });
    PaintTile(c, 43, [](int x, int y) {
        // Bamboo grass: narrow leaves leaning right.
        const int lean = (x + y / 2) % 6;
        if (y > 8 && lean == 0) return kPine;
        if (y > 11 && lean == 1) return kPineDark;
        if (y >= 17) return Floor(x, y);
        return Depth(x, y);
    });
    PaintTile(c, 44, [](int x, int y) {
        // Upper half of a stone lantern.
        const int dx = std::abs(x - 10);
        if (y >= 4 && y <= 6 && dx <= 7 - (6 - y)) return y == 4 ? kStone : kStoneDark;
        if (y >= 2 && y < 4 && dx <= 1) return kStone;
        if (y >= 7 && y <= 14 && dx <= 4) {
            if (y >= 9 && y <= 12 && dx <= 2) return y % 2 ? kAmber : kGold;
            return dx == 4 ? kNight : kStoneDark;
        }
        if (y >= 15 && dx <= 6) return y == 15 ? kStone : kStoneDark;
        // The lantern's top stands in the row of the far pines.
        static const Paint behind = FarPines({{2, 9}, {18, 7}}, false);
        return behind(x, y);
    });
    PaintTile(c, 45, [](int x, int y) {
        const int dx = std::abs(x - 10);
        if (y < 14 && dx <= 2) return x < 10 ? kStone : kStoneDark;
        if (y >= 14 && y < 17 && dx <= 5) return y == 14 ? kStone : kStoneDark;
        return Ferns(3)(x, y);
    });
    PaintTile(c, 46, Floor);
    PaintTile(c, 47, [](int x, int y) {
        const int ry = 8 + static_cast<int>(std::lround(2.0 * std::sin(x * 0.5)));
        if (y == ry) return kEarth;
        return Floor(x, y);
    });
    PaintTile(c, 48, [](int x, int y) {
        const int caps[] = {5, 13};
        for (int m : caps) {
            if (y == 10 && std::abs(x - m) <= 2) return kRose;
            if (y == 9 && std::abs(x - m) <= 1) return kCoral;
            if (y > 10 && y < 14 && x == m) return kSand;
        }
        return Floor(x, y);
    });
    PaintTile(c, 49, [](int x, int y) {
        const int dx = x - 8, dy = y - 12;
        if (dx * dx + dy * dy * 2 < 20) return dy < 0 && dx < 0 ? kStone : kStoneDark;
        return Floor(x, y);
    });
    PaintTile(c, 52, [](int x, int y) {
        // The foot of a trunk (its bark as in tile 32 above), the roots
        // spreading out over the last rows into the floor, the dark
        // showing between them.
        static const Paint trunk = Trunk(Depth, 8, 11);
        const int spread = y > 11 ? (y - 11) * 3 / 2 : 0;
        if (x >= 8 - spread && x <= 11 + spread) {
            if (x >= 8 && x <= 11) return trunk(x, y);
            const int out = x < 8 ? 8 - x : x - 11;
            if ((out + y) % 4 != 0 || out < 2) return x < 8 ? (out == spread ? kWood : kEarth) : kEarthDark;
        }
        return y >= 17 ? Floor(x, y) : Depth(x, y);
    });
    PaintTile(c, 53, [](int x, int y) {
        // A small stone guardian with a red bib.
        const int dx = x - 10;
        if (y >= 5 && y <= 8 && dx * dx + (y - 7) * (y - 7) * 2 <= 9) return dx < 0 ? kStoneLight : kStone;
        if (y >= 9 && y <= 11 && std::abs(dx) <= 3) return kRed;
        if (y >= 12 && y <= 17 && std::abs(dx) <= 3 + (y - 12) / 3) return dx < 0 ? kStone : kStoneDark;
        return Ferns(4)(x, y);
    });
    // The shrine gate: two tiles wide, beams on top, pillars below.
    // The gate's beams stand in the row of the far pines, its feet in the
    // forest's depth.
    const Paint gateSky = FarPines({{2, 8}, {12, 10}, {17, 9}}, false);
    auto gate = [gateSky](bool left, bool top) {
        return [left, top, gateSky](int x, int y) {
            const int gx = left ? x : x + 20;  // across both tiles
            const int pillar = left ? 6 : 33;
            const bool inPillar = std::abs(gx - pillar) <= 1;
            if (top) {
                const int lift = (gx < 5 || gx > 34) ? 1 : 0;  // the beam's ends turn up
                if (y >= 6 - lift && y <= 7 - lift && gx >= 1 && gx <= 38) return kNight;
                if (y == 8 && gx >= 2 && gx <= 37) return kCrimson;
                if (y >= 9 && y <= 10 && gx >= 3 && gx <= 36) return kRed;
                if (y >= 15 && y <= 16 && gx >= 4 && gx <= 35) return y == 15 ? kRed : kCrimson;
                if (gx >= 18 && gx <= 21 && y >= 11 && y <= 14) return kNight;
                if (inPillar && y > 10) return gx < pillar ? kCoral : kRed;
                return gateSky(x, y);
            }
            if (inPillar) return gx < pillar ? kCoral : (gx == pillar ? kRed : kCrimson);
            return Depth(x, y);
        };
    };
    PaintTile(c, 54, gate(true, true));
    PaintTile(c, 55, gate(false, true));
    PaintTile(c, 56, gate(true, false));
    PaintTile(c, 57, gate(false, false));
    PaintTile(c, 58, [](int x, int y) {
        // A guardian fox on a plinth.
        if (y >= 15) return y == 15 ? kStone : kStoneDark;
        const int dx = x - 9;
        if (y >= 9 && y < 15 && std::abs(dx) <= 3) return dx < 0 ? kStoneLight : kStone;
        if (y >= 5 && y < 9 && std::abs(dx - 1) <= 2) return dx < 1 ? kStoneLight : kStone;
        if ((y == 3 || y == 4) && (x == 9 || x == 12)) return kStone;
        if (y >= 10 && y <= 14 && x == 13 + (14 - y) / 2) return kStone;  // tail
        if (y == 10 && std::abs(dx) <= 2) return kRed;
        return Ferns(5)(x, y);
    });

    // Riverside, tiles 59 to 83:
    //   59-62 far bank over the glow     71-72 reeds in the water
    //   63-66 water surface (moon, pads)  73-74 reed tops over the sky
    //   67, 68, 70 deep water             75-76 stone bank
    //   79-80 willow over the sky         81-82 arched bridge
    //   77-78 the stepping stones' piers (stones, timber piles)
    //   83 and 69 a moored boat (bow, stern)
    // The far water at the bank's foot: its lit far edge, then the water.
    auto farWater = [](int y) { return y == 14 ? kWater : kWaterDeep; };
    auto bank = [farWater](uint32_t seed, bool willow) {
        return [seed, willow, farWater](int x, int y) {
            if (y >= 14) return farWater(y);
            if (willow && x >= 9 && x <= 11) return x == 9 ? kEarth : kEarthDark;  // the trunk from its crown
            if (willow && y < 4 && (x + y) % 3 == 0 && std::abs(x - 10) < 9) return kPineDark;
            if (willow && y >= 12 && y < 14 && std::abs(x - 10) <= 3) return kEarthDark;  // its roots
            const int reed = static_cast<int>(TileHash(static_cast<uint32_t>(x), seed) % 9);
            if (reed < 4 && y >= 8 + reed && y < 14) return kNavy;
            return Glow(x, y + 4);
        };
    };
    PaintTile(c, 59, bank(1, false));
    PaintTile(c, 60, bank(2, false));
    PaintTile(c, 61, bank(3, true));
    PaintTile(c, 62, [farWater](int x, int y) { return y >= 14 ? farWater(y) : Glow(x, y + 4); });
    PaintTile(c, 63, [](int x, int y) { return Water(x, y, 1, true); });
    PaintTile(c, 64, [](int x, int y) { return Water(x, y, 4, true); });
    PaintTile(c, 65, [](int x, int y) {
        if (x >= 7 && x <= 12 && y >= 2 && y % 2 == 0 && std::abs(x - 10) <= 2 + (y % 4) / 2) return kGold;
        return Water(x, y, 2, true);
    });
    PaintTile(c, 66, [](int x, int y) {
        const int dx = x - 8, dy = y - 6;
        if (dx * dx + dy * dy * 4 < 22 && !(dx > 0 && dy == 0)) return kPine;
        if (x == 15 && y == 10) return kRose;
        return Water(x, y, 3, true);
    });
    PaintTile(c, 67, [](int x, int y) { return Water(x, y, 5, false); });
    PaintTile(c, 68, [](int x, int y) {
        const int dx = x - 10, dy = y - 10;
        if (dx * dx + dy * dy * 6 < 30 || (dx == -6 && std::abs(dy) <= 1)) return kNight;
        return Water(x, y, 6, false);
    });
    PaintTile(c, 70, [](int x, int y) {
        if ((x == 6 && (y == 12 || y == 7)) || (x == 13 && y == 4)) return kFoam;
        return Water(x, y, 8, false);
    });
    // Reeds standing in the river: a clump of thin stems rising from the
    // river bed through the deep water (71, 72) to their tops over the
    // water's surface (73, 74), where each stem ends at its own height,
    // some in a cattail, with a blade or two bending away. The stems stand
    // at the same places in both tiles, so a column of stalks joins its tops.
    auto reeds = [](uint32_t seed, bool tops) {
        return [seed, tops](int x, int y) {
            for (int stem = 0; stem < 5; ++stem) {
                const uint32_t h = TileHash(static_cast<uint32_t>(stem), seed, 3);
                const int sx = 2 + stem * 4 + static_cast<int>(h % 3);
                const int at = sx;
                const int top = tops ? 1 + static_cast<int>(h / 3 % 9) : -1;
                if (y < top) continue;
                if (tops && h % 2 == 0 && y >= top && y < top + 4 && std::abs(x - at) <= (y == top ? 0 : 1))
                    return y == top ? kSand : kWood;  // a cattail
                if (x == at) return kPine;
                if (x == at + 1) return kPineDark;
                if (!tops) continue;
                // A blade bending out from the stem.
                const int d = y - (top + 6);
                if (d >= 0 && d < 4 && x == at - 1 - d && stem % 2 == 0) return kPineDark;
                if (d >= 0 && d < 4 && x == at + 2 + d && stem % 2 == 1) return kPine;
            }
            return tops ? Water(x, y, seed + 20, true) : Water(x, y, seed + 30, false);
        };
    };
    PaintTile(c, 71, reeds(1, false));
    PaintTile(c, 72, reeds(2, false));
    PaintTile(c, 73, reeds(1, true));
    PaintTile(c, 74, reeds(2, true));
    // The bank's dry-stone face under the turf and the capstones: courses
    // of grey stones, a shade darker than the stones in front, whose joints
    // fall at other places in every course and every tile, lit along their
    // tops.
    auto bankStones = [](uint32_t seed) {
        return [seed](int x, int y) {
            const int course = y / 5, cy = y % 5;
            if (cy == 4) return kNight;
            const uint32_t h = TileHash(static_cast<uint32_t>(course), seed, 17);
            const int j1 = 2 + static_cast<int>(h % 7), j2 = 11 + static_cast<int>((h >> 8) % 7);
            if (x == j1 || x == j2) return kNight;
            if (cy == 0) return kStone;
            const bool weathered = ((h >> 16) + static_cast<uint32_t>(x > j2 ? 2 : (x > j1 ? 1 : 0))) % 3 == 0;
            if (weathered && TileSpeck(x, y, seed, 30)) return kPineDark;  // moss at the waterline
            return kStoneDark;
        };
    };
    PaintTile(c, 75, bankStones(1));
    PaintTile(c, 76, bankStones(2));
    // The stepping stones' piers: under a boulder, river stones stacked
    // from the bed, of the boulder's slate (77); under a slab on its beam,
    // two timber piles driven into the bed, banded with iron (78). A pier
    // stands in the cell of the stone it carries too, showing under its
    // rounded foot or its beam, and runs on down to the bottom.
    PaintTile(c, 77, [](int x, int y) {
        // Rough stones of uneven length, wet, the water dark over them.
        const int course = y / 5, inset = 2 + (course % 2);
        if (x < inset || x > 19 - inset) return Water(x, y, 9, false);
        const int joint = 5 + static_cast<int>(TileHash(static_cast<uint32_t>(course), 93) % 8);
        if (x == inset || x == 19 - inset || y % 5 == 4 || x == joint) return kNight;
        if ((y % 5 == 0 && x != joint) || x == inset + 1) return kMist;  // their lit brows
        if (x == 18 - inset || y % 5 == 3) return kNavy;
        return TileSpeck(x, y, 77, 12) ? kPineDark : kSlate;  // with weed
    });
    PaintTile(c, 78, [](int x, int y) {
        for (int px : {3, 11}) {
            const int fx = x - px, band = px == 3 ? 4 : 13;
            if (fx >= 0 && fx <= 5) {
                if (y >= band && y <= band + 1 && fx > 0 && fx < 5) return y == band ? kStone : kStoneDark;  // an iron band
                if (fx == 0 || fx == 5) return kNight;
                if (fx == 1) return kWood;
                return (y * 3 + px + fx * 5) % 11 == 0 ? kEarthDeep : kEarth;
            }
            if (fx == 6 && y % 2 == 0) return kNight;  // its shadow in the water
        }
        return Water(x, y, 15, false);
    });
    // A willow's crown over the rose band, its strands hanging to the far
    // bank below (the trunk stands in tile 61).
    auto willow = [](uint32_t seed) {
        return [seed](int x, int y) {
            const int dx = x - 10, dy = y - 7;
            if (dx * dx + dy * dy * 3 < 60) return (x + y) % 4 ? kPineDark : kPine;
            const uint32_t h = TileHash(static_cast<uint32_t>(x), seed);
            if (std::abs(dx) <= 9 && h % 2 == 0 && y >= 7 && y <= static_cast<int>(12 + h % 8)) return kPineDark;
            // The trunk under the crown, down into the far bank below.
            if (x >= 9 && x <= 11 && y >= 10) return x == 9 ? kEarth : kEarthDark;
            return Sky(3, x, y);
        };
    };
    PaintTile(c, 79, willow(1));
    PaintTile(c, 80, willow(2));
    auto bridge = [farWater](int offset) {
        return [offset, farWater](int x, int y) {
            const int gx = x + offset;
            const double arch = 12.0 - 6.0 * std::sin(gx * 3.14159 / 40.0);
            if (y >= arch && y <= arch + 2) return y < arch + 1 ? kRed : kCrimson;
            if (y > arch + 2 && gx % 8 == 3 && y < 16) return kCrimson;
            if (y >= arch - 4 && y < arch - 3 && gx % 5 != 0) return kRed;
            if (y >= arch - 4 && y < arch && gx % 5 == 0) return kCrimson;
            if (y >= 14) return farWater(y);
            return Glow(x, y + 4);
        };
    };
    PaintTile(c, 81, bridge(0));
    PaintTile(c, 82, bridge(20));
    // A small boat moored on the river, nearer than its far bank (83 the
    // bow, 69 the stern): a dark hull with its bow rising at the left, a
    // plank seat, the pole laid along it, ripples at its waterline.
    for (int half = 0; half < 2; ++half)
        PaintTile(c, half == 0 ? 83 : 69, [half](int x, int y) {
            const int gx = x + half * kTile;  // 0..39 along the boat
            const int bow = gx < 8 ? (8 - gx) / 2 : 0;          // the bow sweeps up
            const int stern = gx > 34 ? (gx - 34) / 2 : 0;
            const int top = 5 - bow - stern / 2;
            const bool inHull = gx >= 2 && gx <= 38 && y >= top && y <= 10 - (gx < 6 || gx > 35 ? 1 : 0);
            if (inHull) {
                if (y == top) return gx < 20 ? kWood : kEarth;      // the gunwale, lit
                if (y == 10 - (gx < 6 || gx > 35 ? 1 : 0)) return kNight;
                if (y == 7) return kEarthDeep;                      // a strake
                return gx % 9 == 0 ? kEarthDeep : kEarthDark;
            }
            if (y == top - 1 && gx >= 14 && gx <= 18) return kEarth;  // the seat
            if (y == top - 2 && gx >= 6 && gx <= 33) return gx < 10 ? kWood : kEarthDark;  // the pole
            if (y == 11 && gx >= 1 && gx <= 39 && gx % 3 != 0) return kWater;  // ripples
            if (y == 12 && gx >= 4 && gx <= 36 && gx % 4 == 1) return kFoam;
            return Water(x, y, 16, true);
        });

    // Trunks joined to their tops. In the forest room the needles of the
    // canopy hang over each trunk's top (38 a trunk, 29 two trunks, 50 and
    // 51 a wide trunk's left and right); out in the open the nearest pines
    // carry their crowns over the far pines (11 a crown over a trunk or the
    // lantern's trunk, 23 two crowns over two trunks, 24 and 25 a wide
    // crown's left and right). The trunks sit where they sit in the trunk
    // tiles below (32 to 37, 39), so the two rows join.
    auto intoCanopy = [](const Paint& trunk, uint32_t seed) {
        return [trunk, seed](int x, int y) {
            const int reach = 9 + static_cast<int>(TileHash(static_cast<uint32_t>(x / 2), seed) % 6);
            if (y < reach) return Canopy(x, y, seed);
            const Rgb t = trunk(x, y);
            if (y == reach && !(t == Depth(x, y))) return kPineDark;  // needles over the bark
            return t;
        };
    };
    PaintTile(c, 38, intoCanopy(Trunk(Depth, 8, 11), 11));
    PaintTile(c, 29, intoCanopy(Trunk(Trunk(Depth, 3, 5), 13, 15), 12));
    PaintTile(c, 50, intoCanopy(Trunk(Depth, 11, 25), 13));
    PaintTile(c, 51, intoCanopy(Trunk(Depth, -6, 8), 14));

    // A pine's crown over its trunk, the whole height of the row: tiers of
    // needles, flat pads on the branches one over the other, each wider than
    // the one above, the lowest the widest and hanging over the top of the
    // trunk in the row below. Each pad is lit on its top and upper left and
    // dark on its underside, with a ragged hem; between the pads the trunk
    // rises through the crown, narrowing. Measures are in texels of a strip
    // `offset` texels to the left of the tile: the crown's axis `cx` and the
    // half width `span` of its lowest tier; the trunk's axis `tx` and half
    // width `th` at the foot of the row (a pine may lean).
    struct Crown {
        double cx, span, tx, th;
        int tiers;
        bool skirts;  // tiers that widen down like a fir's, not domed pads
        uint32_t seed;
    };
    auto crown = [](const Paint& behind, Crown k, int offset) {
        return [=](int x, int y) {
            const double gx = x + offset;
            const int pad = (20 - (k.tiers - 1)) / k.tiers;  // rows of a pad, one row between pads
            for (int t = 0; t < k.tiers; ++t) {
                const int top = t * (pad + 1);
                const int bottom = t == k.tiers - 1 ? 19 : top + pad - 1;
                const uint32_t h = TileHash(static_cast<uint32_t>(gx + 40), static_cast<uint32_t>(t), k.seed);
                const int hem = bottom - (h % 3 == 0 ? 1 : 0);  // a ragged hem
                if (y < top || y > hem) continue;
                const int r = y - top;
                const double widest = std::max(2.5, k.span * (t + 1) / k.tiers);
                // The top of the crown comes to a point; the pads below are
                // domes with drooping sides, or skirts widening downwards.
                const double rows = bottom - top + 1;
                const double shape = t == 0     ? (r + 1.0) / rows
                                     : k.skirts ? 0.45 + 0.55 * (r + 1.0) / rows
                                                : (r == 0 ? 0.7 : (r == 1 ? 0.9 : 1.0));
                const double half = widest * shape;
                const double dx = gx - k.cx;
                if (std::abs(dx) > half + 0.5) continue;
                if (std::abs(dx) > half - 1.0 &&
                    TileHash(static_cast<uint32_t>(gx + 40), static_cast<uint32_t>(y), k.seed + 1) % 3 == 0)
                    continue;  // tufts along the pad's edge
                if (y == hem) return kNight;                      // the shadow under the pad
                if (y == hem - 1 && bottom - top >= 3) return kPineDark;
                if (r == 0 || (r == 1 && dx < 0)) return dx < -half * 0.6 && r == 0 ? kLeaf : kGrass;  // the lit top
                if (dx < -half + 1.5) return kGrass;              // the lit left edge
                if (dx < 0) return TileSpeck(x, y, k.seed + 2, 40) ? kGrass : kPine;
                return TileSpeck(x, y, k.seed + 3, 30) ? kPine : kPineDark;
            }
            // The trunk in the gaps, narrowing and bending towards the crown's axis.
            const double up = (19.0 - y) / 19.0;
            const double tcx = k.tx + (k.cx - k.tx) * up;
            const double th = k.th * (1.0 - 0.5 * up);
            const double u = (gx - (tcx - th)) / (2.0 * th + 1.0);
            if (u >= 0.0 && u < 1.0) {
                if (u < 0.15) return kWood;
                if (u < 0.35) return kEarth;
                if (u < 0.85) return (y * 3 + x) % 7 == 0 ? kEarthDeep : kEarthDark;
                return kNight;
            }
            return behind(x, y);
        };
    };
    const Paint farPines = FarPines({{4, 5}, {10, 8}, {15, 3}}, false);
    PaintTile(c, 11, crown(farPines, {9.5, 9.5, 9.5, 2.0, 3, true, 81}, 0));
    const Paint rightOfTwo = crown(farPines, {14.0, 6.0, 14.0, 1.5, 3, true, 82}, 0);
    PaintTile(c, 23, crown(rightOfTwo, {4.0, 5.0, 4.0, 1.5, 3, true, 83}, 0));
    PaintTile(c, 24, crown(farPines, {19.5, 20.0, 19.5, 9.0, 4, false, 84}, 0));
    PaintTile(c, 25, crown(farPines, {19.5, 20.0, 19.5, 9.0, 4, false, 84}, 20));
    return c;
}

// --- Castle roofs, the tower's walls, the rooms ----------------------------------------

// The same surface a step further into shade (a cast shadow, the far side
// of a beam): each warm tone of the walls to the next darker one.
Rgb Shade(Rgb c) {
    if (c == kGold) return kSand;
    if (c == kSand) return kWood;
    if (c == kWood) return kEarth;
    if (c == kEarth) return kEarthDark;
    if (c == kEarthDark) return kEarthDeep;
    if (c == kCoral) return kRose;
    if (c == kRose) return kMauve;
    if (c == kMauve) return kDusk;
    if (c == kStoneLight) return kStone;
    if (c == kStone) return kStoneDark;
    return kNight;
}

// Rounded roof tiles in columns four texels apart, laid in courses five
// texels deep; `yy` counts texels down the slope from the ridge, so the
// courses run on across two rows of tiles.
Rgb RoofTiles(int x, int yy) {
    const int col = x % 4;
    if (yy % 5 == 4) return col == 0 ? kInk : kNight;  // the lip of each course
    if (col == 0) return kNight;
    if (col == 1) return yy % 5 == 0 ? kStoneDark : kDusk;
    return col == 2 ? kDusk : kNight;
}

// The sky over the castle: one band from row to row, with no dithered line
// where the rows of tiles meet: the violet of the late evening over the
// roofs, flecked with the night. (Violet, not the night itself: the ninjas'
// dark shades stand apart from it.)
Rgb CastleSky(int x, int y) { return (x + 2 * y) % 5 == 0 ? kNight : kInk; }

// The ridge of the castle's roof at the foot of the sky: a cap of round
// tiles over two stacked courses of flat ones, then the slope.
Rgb RoofRidgeUnder(const Paint& sky, int x, int y) {
    if (y < 10) return sky(x, y);
    if (y == 10) return x % 3 == 2 ? kNight : kInk;
    if (y == 11) return x % 3 == 0 ? kStone : (x % 3 == 1 ? kStoneDark : kDusk);
    if (y == 12) return kNight;
    if (y == 13) return x % 5 == 0 ? kNight : kDusk;
    if (y == 14) return kInk;
    return RoofTiles(x, y - 15);
}

Rgb RoofRidge(int x, int y) { return RoofRidgeUnder(CastleSky, x, y); }

// The barge boards of a gable: dark timber, lit along the slope that faces
// the upper left, with gilt studs. `along` runs down the slope from the
// peak; `depth` is 0 on the boards' top edge.
Rgb BargeBoard(int along, int depth, bool lit) {
    if (depth == 0) return lit ? kCream : kSand;
    if (depth == 4) return kInk;
    if (along % 6 == 3 && depth == 2) return kGold;
    if (depth == 1) return lit ? kWood : kEarth;
    return depth == 2 ? kEarthDark : kEarthDeep;
}

// The triangle of a gable under its boards: a lattice of dark timber in its
// upper point, a gilt crest hanging under the peak, a tie beam, and warm
// plaster below. `half` is the texels from the gable's middle.
Rgb GablePlaster(int x, int y, int half, int peakY, int beamY) {
    const int dy = y - peakY;
    if (half <= 1 && dy >= 0 && dy <= 3) return dy == 0 ? kGold : (half == 0 ? kAmber : kGold);  // the crest
    if (half == 2 && dy == 2) return kAmber;
    if (y == beamY) return kEarth;
    if (y == beamY + 1) return kEarthDeep;
    if (y < beamY) return (half + dy) % 3 == 0 || dy % 3 == 0 ? kEarthDeep : kEarthDark;  // the lattice
    return Plaster(x, y);
}

// A large gable in the roof, two tiles wide, its peak at the top of the row:
// `gx` runs 0..39 across both tiles.
Rgb BigGable(int x, int y, int gx, const Paint& sky = CastleSky) {
    const int half2 = std::abs(2 * gx - 39);    // twice the texels from the middle
    const int edge = (half2 * 16) / 39;         // the boards' top at gx
    if (y < edge) return RoofRidgeUnder(sky, x, y);
    const int depth = y - edge;
    if (depth <= 4) return BargeBoard(half2 / 2, depth, gx < 20);
    if (y == 19) return kEarthDeep;
    return GablePlaster(x, y, half2 / 2, 0 + 5, 10);
}

// The golden fish on a roof's peak, tail up, five texels square: its
// colour at (fx, fy) of the square, or the colour key where it is not.
Rgb GoldenFish(int fx, int fy) {
    static const char* const kFish[] = {
        "a...a",
        ".aga.",
        "..a..",
        ".aad.",
        ".agd.",
    };
    if (fx < 0 || fx >= 5 || fy < 0 || fy >= 5) return kKey;
    switch (kFish[fy][fx]) {
        case 'a': return kGold;
        case 'g': return kAmber;
        case 'd': return kCoral;
        default: return kKey;
    }
}

// A small gable, one tile wide and lower than the large ones, with a
// golden fish leaping from its peak.
Rgb SmallGable(int x, int y, const Paint& sky = CastleSky) {
    if (const Rgb fish = GoldenFish(x - 8, y); !(fish == kKey)) return fish;
    const int half2 = std::abs(2 * x - 19);
    const int edge = 5 + (half2 * 10) / 19;
    if (y < edge) return RoofRidgeUnder(sky, x, y);
    const int depth = y - edge;
    if (depth <= 4) return BargeBoard(half2 / 2, depth, x < 10);
    if (y == 19) return kEarthDeep;
    return GablePlaster(x, y, half2 / 2, 5 + 5, 13);
}

// The roof's lowest courses, the row of round end tiles and the dark
// under the eaves with the rafters' ends.
Rgb Eaves(int x, int y) {
    if (y < 11) return RoofTiles(x, y + 5);
    if (y < 14) {
        // End tiles: a disc on each column, lit from the upper left.
        const int col = x % 4;
        if (col == 0) return kInk;
        if (y == 11) return col == 1 ? kStone : kStoneDark;
        return col == 3 ? kNight : kDusk;
    }
    if (y == 14) return kInk;
    if (y >= 15 && y <= 17 && x % 5 >= 1 && x % 5 <= 2) return y == 15 ? kWood : kEarth;  // rafter ends
    return kNight;
}

// The castle's walls: warm plaster in the last light of the day, smooth,
// with long soft trowel strokes here and there (a few lit, a few in shade),
// so that the wall reads as a surface and not as noise.
Rgb Plaster(int x, int y) {
    const int shift = static_cast<int>(TileHash(static_cast<uint32_t>(y), 43) % 5);
    const int stroke = (x + shift) / 5;
    const uint32_t h = TileHash(static_cast<uint32_t>(stroke), static_cast<uint32_t>(y), 41);
    const int along = (x + shift) % 5;
    if (h % 11 == 0 && along >= 1 && along <= 3) return kGold;
    if (h % 47 == 1 && along >= 2) return kWood;
    return kSand;
}

// The wall just under the eaves: their shadow thins out over the plaster,
// and a head rail of dark timber runs along the top of the wall.
Rgb UnderEaves(int x, int y) {
    if (y < 2) return kNight;
    if (y < 4) return (x + y) % 2 ? kNight : kEarthDeep;
    if (y < 6) return (x + y) % 2 ? kEarthDeep : kEarthDark;
    if (y == 6) return kEarthDark;
    if (y == 7) return kEarth;  // the rail's lit top
    if (y <= 10) return (x * 3 + y) % 11 == 0 ? kEarthDeep : kEarthDark;
    if (y == 11) return kEarthDeep;
    if (y == 12) return kEarthDark;  // the rail's shadow
    // The plaster below in the eaves' shade, the light returning at its foot.
    if (y >= 18 && (x + y) % 2 == 0) return Plaster(x, y);
    return Shade(Plaster(x, y));
}

// A dark timber post from x0 to x1 over whatever lies behind: its lit left
// face, the grain, its shaded right side and the shadow it casts on the wall
// to its right. Above row `shadeTop` the post stands in the eaves' shadow.
Paint Post(const Paint& behind, int x0 = 6, int x1 = 13, int shadeTop = 0, bool soft = false) {
    // A soft post keeps to the warm browns of the wall rather than black, so
    // that the castle's walls stay behind its stones.
    const Rgb edge = soft ? kEarthDeep : kNight, lit = soft ? kWood : kEarth, litInShade = soft ? kEarth : kEarthDark;
    const Rgb dark = soft ? kEarthDark : kEarthDeep, body = soft ? kEarth : kEarthDark;
    return [=](int x, int y) {
        if (x < x0 || x > x1 + 1) return behind(x, y);
        if (x == x1 + 1) return y % 2 ? Shade(behind(x, y)) : behind(x, y);
        if (x == x0 || x == x1) return edge;
        if (x == x0 + 1) return y < shadeTop ? litInShade : lit;
        if (x == x1 - 1) return dark;
        if ((x - x0) % 3 == 0 && (y * 7 + x) % 9 != 0) return dark;  // grain
        return body;
    };
}

// A paper lantern hanging on its cord over whatever lies behind, its glow
// dithered into the wall around it.
Paint Lantern(const Paint& behind, Rgb glow) {
    return [behind, glow](int x, int y) {
        const int dx = x - 10, dy = y - 11;
        if (x == 10 && y < 4) return kNight;
        if (std::abs(dx) <= 2 && (y == 4 || y == 17)) return kNight;
        if (y >= 5 && y <= 16) {
            const int half = y <= 6 || y >= 15 ? 3 : 4;
            if (std::abs(dx) < half) return (y % 3 == 0) ? kCoral : (dx < 0 ? kGold : kAmber);
            if (std::abs(dx) == half) return kCrimson;
        }
        if (dx * dx + dy * dy < 60 && (x + y) % 2 == 0) return glow;
        return behind(x, y);
    };
}

// A heavy beam across the wall, its top lit by `lit`; `above` shows over
// it and `below` under it, so that where the walls change the beam hides
// the line. Square pegs hold it to the posts.
Paint Beam(const Paint& above, const Paint& below, Rgb lit, Rgb body = kEarth) {
    return [above, below, lit, body](int x, int y) {
        if (y == 5) return kNight;
        if (y == 6) return lit;
        if (y >= 7 && y <= 11) {
            if (x % 20 >= 1 && x % 20 <= 2 && y >= 8 && y <= 9) return y == 8 ? kSand : kEarthDeep;  // a peg
            return (x * 7 + y * 3) % 17 == 0 ? Shade(body) : body;
        }
        if (y == 12) return kEarthDeep;
        if (y == 13) return kNight;
        if (y == 14) return x % 2 ? Shade(below(x, y)) : below(x, y);  // its shadow
        return y < 6 ? above(x, y) : below(x, y);
    };
}

// Resource 172, tiles 14 to 21: the castle's roof over its walls.
//   14 ridge    15 a small gable with the golden fish   16 eaves
//   17 under the eaves   18 wall with a loophole   19 post under the eaves
//   20-21 a large gable
void DrawCastleRoofs(Canvas& c) {
    PaintTile(c, 14, RoofRidge);
    PaintTile(c, 15, [](int x, int y) { return SmallGable(x, y); });
    PaintTile(c, 16, Eaves);
    PaintTile(c, 17, UnderEaves);
    PaintTile(c, 18, [](int x, int y) {
        // A tall arrow slit set in a raised plaster frame, its sill lit.
        if (x >= 7 && x <= 12 && y >= 3 && y <= 16) {
            if (x == 7 || y == 3) return kGold;             // the frame's lit edges
            if (x == 12 || y == 16) return kWood;           // its shaded edges
            if (x == 8 || y == 4) return kEarthDeep;        // the reveal in shadow
            return (y == 5 || x == 11) ? kEarthDark : kNight;
        }
        if (y == 17 && x >= 7 && x <= 13) return kWood;  // the shadow under the sill
        return Plaster(x, y);
    });
    PaintTile(c, 19, Post(UnderEaves, 6, 13, 7));
    PaintTile(c, 20, [](int x, int y) { return BigGable(x, y, x); });
    PaintTile(c, 21, [](int x, int y) { return BigGable(x, y, x + 20); });
}

// A window in a wall: a frame of dark timber, lit on its top and left, a
// sill that catches the light and throws a shadow, and what `inside` shows
// between the frame's bars.
Paint Window(const Paint& wall, const Paint& inside, int x0, int x1, int y0, int y1) {
    return [=](int x, int y) {
        if (x >= x0 && x <= x1 && y >= y0 && y <= y1) {
            if (x == x0 || y == y0) return kEarth;
            if (x == x1 || y == y1) return kEarthDeep;
            if (x == x0 + 1 || y == y0 + 1) return kEarthDark;
            return inside(x, y);
        }
        if (y == y1 + 1 && x >= x0 - 1 && x <= x1 + 1) return x == x0 - 1 ? kEarth : kWood;  // the sill
        if (y == y1 + 2 && x >= x0 - 1 && x <= x1 + 1) return kEarthDeep;
        if (y == y1 + 3 && x >= x0 && x <= x1 + 1) return x % 2 ? Shade(wall(x, y)) : wall(x, y);
        return wall(x, y);
    };
}

// The tower's walls in three lights, from the bottom up: boards of dark
// timber lit by lanterns, the plaster of the castle (tiles 3, 4, 7), and
// at the top a timber frame, a post in every bay, with plaster panels
// warmed by the sunset that comes in at windows open on the sky.
Rgb TimberWall(int x, int y) {
    const int board = x / 5, bx = x % 5;
    if (bx == 4) return kEarthDeep;                     // the seam
    if (bx == 0) return kEarth;                         // each board's lit edge
    const uint32_t h = TileHash(static_cast<uint32_t>(board), 51);
    const int knot = static_cast<int>(h % 20);
    if (std::abs(y - knot) <= 0 && bx == 2) return kEarthDeep;  // a knot
    if (bx == 3 && (y + board * 5) % 9 < 4) return kEarthDeep;  // grain
    return kEarthDark;
}

// A plaster panel of the upper storeys in the full light of the sunset
// that comes in at the open bays: the brightest walls of the climb.
Rgb SunlitPanel(int x, int y) {
    const int shift = static_cast<int>(TileHash(static_cast<uint32_t>(y), 55) % 5);
    const int stroke = (x + shift) / 5, along = (x + shift) % 5;
    const uint32_t h = TileHash(static_cast<uint32_t>(stroke), static_cast<uint32_t>(y), 53);
    if (h % 5 == 0 && along >= 1 && along <= 3) return kSand;
    if (h % 17 == 1 && along >= 2) return kCream;
    return kGold;
}

// A bay of the upper storeys' timber frame: a post at its left (x 0 to 3),
// a rail along its top (y 0 to 3), and the plaster panel they frame, with
// the shadows they cast on it.
Rgb SunlitWall(int x, int y) {
    if (x > 3 && y <= 2) {
        if (y == 0) return kEarth;                          // a thin rail across the bay
        if (y == 1) return kWood;
        return x % 2 ? kSand : SunlitPanel(x, y);           // its shadow
    }
    if (x == 0 || x == 3) return kEarth;                    // the post, in the sunset's light
    if (x == 1) return kSand;
    if (x == 2) return (y * 7) % 9 == 0 ? kEarth : kWood;
    if (x == 4) return y % 2 ? kSand : SunlitPanel(x, y);   // its shadow
    return SunlitPanel(x, y);
}

// The post and rail of a bay over whatever fills the rest of it.
Paint UpperBay(const Paint& bay) {
    return [bay](int x, int y) { return x <= 4 || y <= 2 ? SunlitWall(x, y) : bay(x, y); };
}

// Resource 172, tiles 22 to 29: the tower's walls.
//   22-25 low: boards, barred window, beam, lantern   26 middle: lantern
//   27-29 high: a timber bay, a bay with a window open on the sky, beam
//   33 a beam between the middle and the low light, 43 between the high
//   and the middle light
// The timber frame a window is set in: studs on both sides and a head rail
// over it, their shadow on what the bay holds, so that the window sits in
// the frame of the wall and not on its bare face.
Paint InFrame(const Paint& bay) {
    return [=](int x, int y) {
        if (y <= 2) return y == 0 ? kWood : (y == 1 ? kEarth : kEarthDeep);
        if (x <= 2) return x == 0 ? kEarth : (x == 1 ? kEarthDark : kEarthDeep);
        if (x >= 17) return x == 17 ? kNight : (x == 18 ? kEarthDark : kEarthDeep);
        if (x == 3 || y == 3) return Shade(bay(x, y));
        return bay(x, y);
    };
}

void DrawTowerWalls(Canvas& c) {
    PaintTile(c, 22, TimberWall);
    // A barred window in the boards: the dusk outside between thick bars.
    PaintTile(c, 23, InFrame(Window(TimberWall, [](int x, int y) {
        if (x % 3 == 1) return x == 7 || x == 13 ? kEarth : kEarthDark;  // the bars, lit on their left
        if (x % 3 == 2 && x > 2) return kEarthDeep;
        return y < 8 ? kDusk : (y < 11 ? kMauve : kRose);
    }, 5, 14, 5, 13)));
    PaintTile(c, 24, Beam(TimberWall, TimberWall, kWood));
    PaintTile(c, 25, Lantern(TimberWall, kEarth));
    PaintTile(c, 26, Lantern(Plaster, kGold));
    PaintTile(c, 27, SunlitWall);
    // A bay open on the sky from its post and rail down to a sill: dusk
    // overhead, a thin cloud lit from below, the first stars, and far
    // hills against the glow of the sunset.
    PaintTile(c, 28, UpperBay([](int x, int y) {
        if (y == 17) return x == 5 ? kEarth : kSand;           // the sill, lit
        if (y == 18) return kWood;
        if (y == 19) return kEarthDeep;
        if (x == 5) return kEarth;                              // the post's shaded reveal
        if (y == 3) return kEarth;                              // the rail's underside
        const int hill = 13 + static_cast<int>(std::lround(1.5 * std::sin(x * 0.7)));
        if (y >= hill) return kDusk;
        if ((x == 9 && y == 7) || (x == 16 && y == 9)) return kCream;
        if (y == 8 && x >= 11 && x <= 16) return kDusk;     // a thin cloud lit from below
        if (y == 9 && x >= 9 && x <= 17) return x < 12 ? kDusk : kCoral;
        if (y < 7) return kMauve;
        if (y < 9) return (x + y) % 2 ? kRose : kMauve;
        if (y < 11) return kRose;
        if (y < 12) return (x + y) % 2 ? kCoral : kRose;
        return kCoral;
    }));
    PaintTile(c, 29, Beam(SunlitWall, SunlitWall, kGold, kWood));
    PaintTile(c, 33, Beam(Plaster, TimberWall, kSand));
    PaintTile(c, 43, Beam(SunlitWall, Plaster, kGold, kWood));
}

// Resource 172, tiles 30 to 42: the scene rooms.
//   30 ceiling   31 paper screen   32 post   34 wainscot (the lantern is 26)
//   35 sacred rope   36 rope with paper streamers
//   37-39 the altar's roof (left, middle, right)   40-42 its body
void DrawRoomPieces(Canvas& c) {
    PaintTile(c, 30, [](int x, int y) {
        // Dark boards of the ceiling, the rafters' square ends, a beam.
        if (y >= 14) return y == 14 ? kWood : (y == 19 ? kEarthDeep : kEarth);
        const int rx = x % 10;
        if (y >= 7 && y <= 11 && rx >= 3 && rx <= 7) return (rx == 3 || y == 7) ? kWood : kEarthDark;
        if (y == 12 && rx >= 3 && rx <= 7) return kInk;
        return x % 5 == 0 ? kInk : kEarthDeep;
    });
    PaintTile(c, 31, [](int x, int y) {
        // A paper screen lit from the room behind it.
        if (y <= 1 || y >= 18) return y == 0 || y == 18 ? kWood : kEarth;
        if (x % 5 == 0 || (y - 2) % 4 == 0) return kEarth;
        return TileSpeck(x, y, 61, 12) ? kGold : kCream;
    });
    // A post between the bays, broad, the plaster beside it in the shade of
    // the bay's depth.
    PaintTile(c, 32, Post([](int x, int y) {
        // The shade deepens toward the post and thins out to the plaster
        // of the bays at the tile's edges.
        const int d = std::min(std::abs(x - 4), std::abs(x - 15));
        const Rgb shaded = Shade(Plaster(x, y));
        if (d >= 4) return (x + y) % 2 == 0 ? shaded : Plaster(x, y);
        if (d >= 2) return shaded;
        return Shade(shaded);
    }, 5, 14));
    PaintTile(c, 34, [](int x, int y) {
        if (y <= 2) return y == 0 ? kWood : (y == 1 ? kEarth : kEarthDeep);
        if (x % 5 == 4) return kEarthDeep;
        return (x * 3 + y) % 11 == 0 ? kEarthDark : kEarth;
    });
    // The sacred rope: twisted straw on a slight sag, tufts hanging.
    auto rope = [](bool streamer) {
        return [streamer](int x, int y) {
            const int top = 4 + (x >= 5 && x <= 14 ? 1 : 0);
            if (y >= top && y <= top + 4) {
                const int twist = (x + y) % 4;
                if (y == top || y == top + 4) return twist == 0 ? kEarth : kWood;
                return twist == 0 ? kWood : (twist == 3 ? kGold : kSand);
            }
            if (y > top + 4 && y <= top + 7 && x % 6 == 2) return y == top + 7 ? kWood : kGold;  // straw tufts
            if (streamer) {
                const int dy = y - (top + 5);
                if (dy >= 0 && dy < 12) {
                    const int zig = 11 + ((dy / 3) % 2 ? 2 : 0);
                    if (x >= zig && x <= zig + 2) return dy % 3 == 2 ? kStoneLight : kWhite;
                    if (x == zig + 3) return kWood;  // the paper's shadow on the wall
                }
            }
            if (y == top - 1) return kEarth;              // the rope's dark edge against the wall
            if (y == top + 5) return x % 2 ? kWood : Plaster(x, y);  // and its shadow
            return Plaster(x, y);
        };
    };
    PaintTile(c, 35, rope(false));
    PaintTile(c, 36, rope(true));
    // The altar: a small shrine three tiles wide, its roof over the row of
    // its body. gx runs across all three tiles.
    auto altarRoof = [](int part) {
        return [part](int x, int y) {
            const int gx = x + part * 20;
            const int curve = std::abs(gx - 30);
            const int top = 6 + curve / 6 - (curve > 26 ? curve - 26 : 0);  // the eaves turn up
            if (gx >= 27 && gx <= 32 && y >= 2 && y < 6) return y == 2 ? kGold : kEarthDark;  // the ridge's crest
            if (y >= top && y <= 13 && curve <= 29) {
                if (y == top) return kStone;
                if (y >= 12) return y == 12 ? kNight : kInk;
                return gx % 3 == 0 ? kStoneDark : kStone;
            }
            if (y >= 14 && curve <= 25) return y == 14 ? kWood : (gx % 8 == 0 ? kEarthDeep : kEarth);
            return Plaster(x, y);
        };
    };
    auto altarBody = [](int part) {
        return [part](int x, int y) {
            const int gx = x + part * 20;
            const int curve = std::abs(gx - 30);
            if (y >= 16) return y == 16 ? kWood : (gx % 6 == 0 ? kEarthDeep : kEarthDark);  // the plinth
            if (curve > 25) return Plaster(x, y);
            if (curve >= 22) return curve == 25 ? kWood : (curve == 22 ? kEarthDeep : kEarth);  // posts
            // The round mirror on its stand before lattice doors.
            const int my = y - 7;
            const int d = (gx - 30) * (gx - 30) + my * my * 2;
            if (d <= 20) return d <= 6 && gx < 30 ? kCream : (d >= 14 ? kSand : kStoneLight);
            if (gx >= 29 && gx <= 31 && y >= 10) return gx == 29 ? kWood : kEarth;
            if (gx % 4 == 0 || y % 4 == 0) return kEarthDeep;
            return kEarthDark;
        };
    };
    for (int part = 0; part < 3; ++part) {
        PaintTile(c, 37 + part, altarRoof(part));
        PaintTile(c, 40 + part, altarBody(part));
    }
}

// --- The castle's evening -------------------------------------------------------------

// Along the castle the evening deepens: the sunset over the roofs at the
// start (light 0), dusk with the first stars (1), and night at the keep
// (2), where the lanterns are lit.

// A 4 x 4 ordered dither: true on about t (0 to 1) of the texels.
bool Dither(int x, int y, double t) {
    static const int kOrder[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return t * 16.0 > kOrder[y & 3][x & 3] + 0.5;
}

// The sky in light p, yy texels down from the top of the sky's row (the
// sky over the ridge in the row below runs on from yy 20).
Rgb EveningSky(int p, int x, int yy) {
    switch (p) {
        case 0:  // violet overhead, rose lower down, the sun's glow behind the roofs
            if (yy < 6) return Dither(x, yy, 0.6 - yy / 10.0) ? kDusk : kMauve;
            if (yy < 14) return kMauve;
            if (yy < 21) return Dither(x, yy, (yy - 13) / 7.0) ? kRose : kMauve;
            if (yy < 25) return kRose;
            return Dither(x, yy, (yy - 24) / 4.0) ? kCoral : kRose;
        case 1:  // dusk: the glow sunk to a line of rose behind the ridge
            if (yy < 10) return Dither(x, yy, 0.5 - yy / 20.0) ? kNight : kDusk;
            if (yy < 20) return kDusk;
            if (yy < 26) return Dither(x, yy, (yy - 19) / 7.0) ? kMauve : kDusk;
            return Dither(x, yy, (yy - 25) / 6.0) ? kRose : kMauve;
        default:  // night, the last violet low over the roofs
            if (yy < 24) return CastleSky(x, yy);
            return Dither(x, yy, (yy - 23) / 8.0) ? kDusk : CastleSky(x, yy);
    }
}

// The sky of the sky's row (`ridge` false) or over the ridge (true) in
// light p, or across a tile from light p on its left to p + 1 on its right.
Paint EveningSkyPaint(int p, bool ridge, bool toNext = false) {
    return [=](int x, int y) {
        const int yy = y + (ridge ? 20 : 0);
        if (toNext && Dither(x, y, (x + 0.5) / kTile)) return EveningSky(p + 1, x, yy);
        return EveningSky(p, x, yy);
    };
}

// The sky's row in light p: a streak of cloud lit from below by the sunset
// (cloud 1 or 2) or the first stars (stars).
Paint EveningSkyRow(int p, int cloud, bool stars) {
    return [=](int x, int y) {
        if (cloud > 0) {
            const int row = cloud == 1 ? 9 : 13, from = cloud == 1 ? 2 : -3, to = cloud == 1 ? 16 : 11;
            if (x >= from && x <= to) {
                if (y == row) return kDusk;
                if (y == row + 1 && x > from + 1 && x < to - 1) return kCoral;
                if (y == row - 1 && x > from + 3 && x < to - 4) return kDusk;
            }
        }
        if (stars && y < 12 && Star(x, y, 37)) return kCream;
        return EveningSky(p, x, y);
    };
}

// The keep seen far off over the roofs, its tiers dark against the night
// and a few windows lit: two tiles wide (gx 0..39), from the sky's row
// (gy 0..19) down behind the ridge (gy 20..29).
Rgb FarKeep(int gx, int gy) {
    const int dx = std::abs(2 * gx - 39);  // twice the texels from the middle
    struct Tier {
        int top, bottom, roofHalf, wallHalf;
    };
    static const Tier kTiers[] = {{5, 12, 9, 6}, {13, 20, 12, 9}, {21, 29, 15, 12}};
    if (gy >= 2 && gy <= 4 && (dx == 13 || dx == 11) && gy >= 3 - (dx == 11)) return kGold;  // the golden fish
    for (const Tier& t : kTiers) {
        if (gy < t.top || gy > t.bottom) continue;
        const int roofRows = 4;
        if (gy < t.top + roofRows) {
            const int reach = t.wallHalf * 2 + (gy - t.top) * (t.roofHalf - t.wallHalf) * 2 / roofRows + 2;
            if (dx <= reach) return gy == t.top + roofRows - 1 ? kDusk : kInk;
        } else if (dx <= t.wallHalf * 2) {
            if (gy == t.top + roofRows + 1 && dx % 8 == 3) return kAmber;  // lit windows
            return kNight;
        }
    }
    return CastleSky(gx, gy);
}

// A paper lantern under the eaves, not yet lit: pale paper, dark ribs.
Paint UnlitLantern(const Paint& behind) {
    return [behind](int x, int y) {
        const int dx = x - 10;
        if (x == 10 && y < 4) return kNight;
        if (std::abs(dx) <= 2 && (y == 4 || y == 17)) return kNight;
        if (y >= 5 && y <= 16) {
            const int half = y <= 6 || y >= 15 ? 3 : 4;
            if (std::abs(dx) < half) return y % 3 == 0 ? kStoneDark : (dx < 0 ? kStoneLight : kStone);
            if (std::abs(dx) == half) return kNight;
        }
        return behind(x, y);
    };
}

// The posts of a gate that carry the lintel of a stone mass over the
// passage: square, heavy, banded with iron, at the tile's left or right.
Paint GatePost(const Paint& behind, bool left) {
    const int x0 = left ? 2 : 9, x1 = left ? 10 : 17;
    const Paint post = Post(behind, x0, x1, 0, true);
    return [=](int x, int y) {
        if (x > x0 && x < x1 && (y % 10 == 3 || y % 10 == 4)) return y % 10 == 3 ? kStoneDark : kNight;  // iron bands
        return post(x, y);
    };
}

// What carries a roof-tiled ledge: a beam along the wall under it, and
// under the ledge's ends a bracket with a curled foot (left or right end,
// or the beam alone under the ledge's middle).
Paint LedgeBracket(const Paint& behind, int end) {  // -1 left end, 0 middle, 1 right end
    return [=](int x, int y) {
        if (y <= 3) {
            if (y == 3) return kEarthDeep;
            return y == 0 ? kWood : kEarth;  // the wall beam
        }
        if (y == 4 || y == 5) {
            if (y == 4) return x % 2 ? Shade(behind(x, y)) : Shade(Shade(behind(x, y)));  // its shadow
        }
        if (end != 0) {
            const int fx = end < 0 ? x - 2 : 17 - x;  // texels in from the ledge's end
            const int reach = y < 10 ? 6 : 6 - (y - 9);  // the foot curls back to the wall
            if (y < 14 && fx >= 0 && fx <= reach) {
                if (fx == 0) return kEarthDeep;
                if (fx == reach) return end < 0 ? kEarthDark : kEarthDeep;
                return fx == 1 ? kWood : kEarth;
            }
            if (y >= 4 && y < 15 && fx == reach + 1 && fx > 0) return Shade(behind(x, y));  // the bracket's shadow
        }
        return y == 5 && x % 2 ? Shade(behind(x, y)) : behind(x, y);
    };
}

// The end of the long building before the keep: its ridge, eaves, the
// dark under them and its wall (with a corner post) stop, the night beyond.
Paint BuildingEnd(const Paint& building, bool post) {
    const Paint wall = post ? Post(building, 8, 12, 0, true) : building;
    return [wall](int x, int y) {
        if (x < 12) return wall(x, y);
        if (x == 12) return kNight;
        return CastleSky(x, y);
    };
}

// --- The keep ---------------------------------------------------------------------------

// The keep at the end of the castle, in the night: moonlit plaster, dark
// tiers of roof with their eaves turned up at the corners, lit windows,
// golden fish on its ridge.
Rgb MoonlitPlaster(int x, int y) {
    if (y >= 13 && (x + y) % 2 == 0 && TileSpeck(x / 3, y / 2, 91, 40)) return kMist;  // weathered toward its foot
    return kStoneLight;
}

// A storey's wall: its top in the shade of the eaves above, a rail of dark
// timber, and (with `window`) a lit window of square bars; `edge` -1 or 1
// ends the wall at a corner post on the left or the right, the night beyond.
Paint KeepWall(bool window, int edge) {
    return [=](int x, int y) {
        const int fx = edge < 0 ? x : (edge > 0 ? kTile - 1 - x : 99);
        if (fx < 4) return CastleSky(x, y);
        if (fx < 7) return fx == 4 ? kEarthDeep : (fx == 5 ? (edge < 0 ? kEarth : kEarthDark) : kEarthDark);
        if (y < 3) return y == 0 ? kNight : (x % 2 ? kSlate : kMist);  // the eaves' shadow
        if (y == 16) return kEarthDark;                                 // the rail
        if (y == 17) return kEarthDeep;
        if (window && x >= 6 && x <= 13 && y >= 5 && y <= 13) {
            if (x == 6 || y == 5 || x == 13 || y == 13) return kEarthDeep;
            if (x % 3 == 0) return kEarthDark;                          // the bars
            return y < 8 ? kAmber : kGold;
        }
        return MoonlitPlaster(x, y);
    };
}

// A tier of roof: courses of tiles down to the row of end tiles and the
// dark under the eaves; `end` -1 or 1 ends the tier at its left or right
// corner, where the hip falls from the wall above to the eaves, which turn
// up at the corner, the night over the hip and under the corner; `gable`
// 1 or 2 sets a small gable (its left or right half) into the tier, 3 or 4
// a curved gable.
Rgb TierCorner(int fx, int x, int y, const Paint& roof) {
    const int hip = (kTile - 1 - fx) * 12 / (kTile - 1);
    const int lift = fx < 5 ? 5 - fx : 0;
    const int yy = y + lift;
    if (yy < hip) return CastleSky(x, y);
    if (yy == hip) return fx < 5 ? kStoneDark : kNight;
    if (yy > 17) return CastleSky(x, y);
    return roof(x, std::min(yy, kTile - 1));
}

Paint KeepTier(int end, int gable) {
    return [=](int x, int y) {
        if (end != 0) return TierCorner(end < 0 ? x : kTile - 1 - x, x, y, Eaves);
        if (gable == 1 || gable == 2) {
            const int gx = gable == 1 ? x : x + kTile;  // 0..39 across the gable
            const int half2 = std::abs(2 * gx - 39);
            const int edge = 1 + half2 * 9 / 39;
            if (y >= edge && y <= 13) {
                const int depth = y - edge;
                if (depth <= 2) return depth == 0 ? (gx < 20 ? kStoneLight : kStone) : (depth == 1 ? kEarth : kInk);
                if (half2 <= 2 && depth <= 5) return kGold;  // the crest
                return MoonlitPlaster(x, y);
            }
        }
        if (gable == 3 || gable == 4) {
            // The curved gable: the eaves rise in a bow over the middle.
            const int gx = gable == 3 ? x : x + kTile;
            const double t = (gx - 19.5) / 20.0;
            const int bow = static_cast<int>(std::lround(10.0 - 8.0 * (1.0 - t * t) + (std::abs(t) > 0.8 ? 2.0 : 0.0)));
            if (y >= bow && y <= bow + 2) return y == bow ? kStoneLight : (y == bow + 1 ? kEarthDark : kInk);
            if (y > bow + 2 && y <= 13) {
                const int dx = gx - 19, dy = y - 8;
                if (dx * dx + 2 * dy * dy <= 6) return dx < 0 ? kGold : kAmber;  // the crest
                return y == bow + 3 ? kMist : MoonlitPlaster(x, y);
            }
        }
        return Eaves(x, y);
    };
}

// The keep's top roof in its row: the night over its ridge, the ridge cap,
// the slope and the eaves.
Rgb CrownRoof(int x, int y) {
    if (y < 5) return CastleSky(x, y);
    if (y == 5) return kInk;
    if (y == 6) return x % 3 == 0 ? kStone : (x % 3 == 1 ? kStoneDark : kDusk);
    if (y == 7) return kNight;
    if (y < 14) return RoofTiles(x, y - 8);
    return Eaves(x, y - 3);
}

// The pieces of the top roof: 0 its left corner, 1 the ridge's left end
// with its golden fish, 2 plain, 3 and 4 the large gable, 5 the right fish,
// 6 the right corner.
Paint KeepCrown(int piece) {
    return [=](int x, int y) {
        if (piece == 3 || piece == 4) {
            const int gx = x + (piece - 3) * kTile;
            const int half2 = std::abs(2 * gx - 39);
            const int edge = 1 + half2 * 15 / 39;
            if (y < edge) return CrownRoof(x, y);
            const int depth = y - edge;
            if (depth <= 3) return depth == 0 ? (gx < 20 ? kStoneLight : kStone) : (depth == 3 ? kInk : kEarthDark);
            if (half2 <= 2 && depth <= 6) return kGold;  // the crest
            if (y >= 15) return y == 15 ? kEarthDark : kEarthDeep;
            return (half2 + y) % 4 == 0 ? kMist : MoonlitPlaster(x, y);
        }
        const int mx = piece >= 5 ? kTile - 1 - x : x;
        if (piece == 0 || piece == 6) return TierCorner(mx, x, y, [](int px, int py) { return CrownRoof(px, py); });
        if (piece == 1 || piece == 5) {
            // The golden fish on the ridge's end.
            if (const Rgb fish = GoldenFish(mx - 5, y); !(fish == kKey)) return fish;
            if (mx < 3 && y >= 5 && y <= 7) return kInk;  // the ridge's end tile
        }
        return CrownRoof(x, y);
    };
}

// Resource 172, tiles 44 to 101: the castle's evening and its keep, in
// this order: the sky's row (sunset, with clouds, toward dusk, dusk, with
// stars, toward night), the far keep (over the sky, behind the ridge), the
// ridge in the sunset, toward dusk, at dusk, toward night; the large gable
// and the small gable at sunset and at dusk; the lanterns (unlit, lit), a
// window not yet lit, the walls' posts (on the wall, under the eaves), the
// gate posts (under the eaves, on the wall: left, right), the ledges'
// brackets (under the eaves, on the wall: left, middle, right), the long
// building's end (ridge, eaves, under them, wall); the keep: its top roof
// (seven pieces), walls (left edge, window, plain, right edge), tiers
// (left corner, plain, right corner, small gable, curved gable).
void DrawCastleEvening(Canvas& c) {
    int tile = 44;
    auto put = [&](const Paint& p) { PaintTile(c, tile++, p); };
    put(EveningSkyRow(0, 0, false));
    put(EveningSkyRow(0, 1, false));
    put(EveningSkyRow(0, 2, false));
    put(EveningSkyPaint(0, false, true));
    put(EveningSkyRow(1, 0, false));
    put(EveningSkyRow(1, 0, true));
    put(EveningSkyPaint(1, false, true));
    for (int half = 0; half < 2; ++half) put([half](int x, int y) { return FarKeep(x + half * kTile, y); });
    for (int half = 0; half < 2; ++half)
        put([half](int x, int y) {
            return RoofRidgeUnder([half](int px, int py) { return FarKeep(px + half * kTile, py + kTile); }, x, y);
        });
    put([](int x, int y) { return RoofRidgeUnder(EveningSkyPaint(0, true), x, y); });
    put([](int x, int y) { return RoofRidgeUnder(EveningSkyPaint(0, true, true), x, y); });
    put([](int x, int y) { return RoofRidgeUnder(EveningSkyPaint(1, true), x, y); });
    put([](int x, int y) { return RoofRidgeUnder(EveningSkyPaint(1, true, true), x, y); });
    for (int p = 0; p < 2; ++p) {
        put([p](int x, int y) { return BigGable(x, y, x, EveningSkyPaint(p, true)); });
        put([p](int x, int y) { return BigGable(x, y, x + kTile, EveningSkyPaint(p, true)); });
    }
    for (int p = 0; p < 2; ++p) put([p](int x, int y) { return SmallGable(x, y, EveningSkyPaint(p, true)); });
    put(UnlitLantern(UnderEaves));
    put(Lantern(UnderEaves, kEarth));
    put(InFrame(Window(Plaster, [](int x, int y) {
        if (x % 3 == 0) return kEarth;  // a bar's lit face
        if (x % 3 == 1) return kEarthDeep;
        return y <= 6 ? kNight : kEarthDeep;
    }, 5, 14, 5, 14)));
    put(Post(Plaster, 6, 13, 0, true));
    put(Post(UnderEaves, 6, 13, 7, true));
    for (const Paint& behind : {Paint(UnderEaves), Paint(Plaster)})
        for (bool left : {true, false}) put(GatePost(behind, left));
    for (const Paint& behind : {Paint(UnderEaves), Paint(Plaster)})
        for (int end : {-1, 0, 1}) put(LedgeBracket(behind, end));
    put(BuildingEnd(RoofRidge, false));
    put(BuildingEnd(Eaves, false));
    put(BuildingEnd(UnderEaves, false));
    put(BuildingEnd(Plaster, true));
    for (int piece = 0; piece < 7; ++piece) put(KeepCrown(piece));
    put(KeepWall(false, -1));
    put(KeepWall(true, 0));
    put(KeepWall(false, 0));
    put(KeepWall(false, 1));
    put(KeepTier(-1, 0));
    put(KeepTier(0, 0));
    put(KeepTier(1, 0));
    for (int gable = 1; gable <= 4; ++gable) put(KeepTier(0, gable));
}

// --- The tower climbed inside -------------------------------------------------------
//
// A frame of real timber: a post every three cells, standing on the cell
// boundaries (half of it in the cell on each side), a floor beam at each
// storey and knee braces from the posts up to it, panels between the posts,
// and windows that fill a bay between two posts under a lintel. The storeys
// change as the player climbs: dark boards and heavy wood at the foot
// (light 0), plaster and brown timber in the middle (1), sunlit plaster and
// pale wood above (2), and at the top an open belfry with the bell under the
// roof. Pictures are painted by their place in a bay: bx runs 0..59 from the
// post on the bay's left to the post on its right (tile k of the bay is
// bx 20k..20k+19).

struct TowerWood {
    Rgb edge, shade, body, lit;
};

TowerWood WoodOf(int light) {
    switch (light) {
        case 0: return {kNight, kEarthDeep, kEarthDark, kEarth};
        case 1: return {kEarthDeep, kEarthDark, kEarth, kWood};
        default: return {kEarthDark, kEarth, kWood, kSand};
    }
}

// Boards of uneven widths standing side by side (the lowest storeys).
Rgb TowerBoards(int bx, int y) {
    static const int kSeams[] = {0, 9, 17, 28, 36, 47, 54};
    int board = 0;
    for (int i = 0; i < 7; ++i)
        if (bx >= kSeams[i]) board = i;
    const int from = bx - kSeams[board];
    if (from == 0) return kEarthDeep;                  // the seam
    if (from == 1) return kEarth;                      // the board's lit edge
    if ((y * 3 + board * 7) % 23 == 0 && from == 3) return kEarthDeep;  // a knot
    if (from % 4 == 3 && (y + board * 5) % 9 < 4) return kEarthDeep;    // grain
    return kEarthDark;
}

// The wall of a bay in light l, away from the posts.
Rgb TowerPanel(int light, int bx, int y) {
    switch (light) {
        case 0: return TowerBoards(bx, y);
        case 1: return Plaster(bx, y);
        default: return SunlitPanel(bx, y);
    }
}

// A post on the bay's edges: the left half of the next post at bx 57..59
// (its lit side), the right half of the last one at bx 0..2 (its shaded
// side), and the shadow it casts on the wall to its right.
Rgb TowerPost(int light, int bx, int y, const Paint& wall) {
    const TowerWood w = WoodOf(light);
    if (bx == 57) return w.edge;
    if (bx == 58) return w.lit;
    if (bx == 59 || bx == 0) return (y * 7 + bx) % 11 == 0 ? w.shade : w.body;
    if (bx == 1) return w.shade;
    if (bx == 2) return w.edge;
    if (bx == 3) return y % 2 ? Shade(wall(bx, y)) : wall(bx, y);
    return wall(bx, y);
}

bool OnPost(int bx) { return bx <= 3 || bx >= 57; }

// A bay's piece k (0 left, 1 middle, 2 right) as a tile painter.
using BayPaint = std::function<Rgb(int bx, int y)>;

Paint BayPiece(int k, const BayPaint& paint) {
    return [k, paint](int x, int y) { return paint(x + k * kTile, y); };
}

// A plain bay of light l.
BayPaint TowerBay(int light) {
    return [light](int bx, int y) {
        const Paint wall = [light](int px, int py) { return TowerPanel(light, px, py); };
        return TowerPost(light, bx, y, wall);
    };
}

// Knee braces from the posts up to the beam over the bay, in the row under
// the beam: a strut from each post's face rising to the beam, a third of
// the bay in.
BayPaint TowerBraces(int light) {
    return [light](int bx, int y) {
        const TowerWood w = WoodOf(light);
        const int d = std::min(bx - 3, 56 - bx);  // texels from the nearer post's face
        const int rise = 19 - d;                   // the strut's upper edge at d
        if (d >= 0 && d < 17 && y >= rise - 3 && y <= rise) {
            if (y == rise - 3) return w.lit;
            if (y == rise) return w.edge;
            return w.body;
        }
        if (d >= 0 && d < 17 && y == rise + 1) return Shade(TowerPanel(light, bx, y));  // its shadow
        return TowerBay(light)(bx, y);
    };
}

// A window across the bay between its posts: a lintel over it, a sill
// under it, and what the light of the storey shows through it: the night
// between thick bars at the foot, paper screens lit by the sunset in the
// middle, the open sunset sky above.
BayPaint TowerWindow(int light) {
    return [light](int bx, int y) {
        const TowerWood w = WoodOf(light);
        if (OnPost(bx)) return TowerBay(light)(bx, y);
        if (y <= 2) return y == 0 ? w.lit : (y == 1 ? w.body : w.edge);                 // the lintel
        if (y >= 16) return y == 16 ? w.lit : (y == 17 ? w.body : (y == 18 ? w.edge : Shade(TowerPanel(light, bx, y))));
        if (bx == 4 || y == 3) return w.shade;                                           // the reveal in shade
        if (bx == 56) return w.body;
        switch (light) {
            case 0:  // bars, lit on their left, before the night
                if (bx % 4 == 1) return kEarth;
                if (bx % 4 == 2) return kEarthDark;
                return y < 9 ? kNight : (TileSpeck(bx, y, 61, 6) ? kDusk : kNight);
            case 1: {  // paper screens in a lattice, warm with the sunset
                if (bx % 6 == 2 || (y - 4) % 4 == 3) return kWood;
                if (bx == 30) return w.body;  // where the screens meet
                return y >= 11 ? kGold : kCream;
            }
            default: {  // open on the sunset: glow, far hills, a thin cloud
                const int hill = 12 + static_cast<int>(std::lround(1.5 * std::sin(bx * 0.21) + std::sin(bx * 0.53)));
                if (y >= hill) return y == hill ? kRose : kMauve;
                if (y == 7 && bx >= 18 && bx <= 37) return bx < 22 ? kCoral : kGold;
                if (y < 6) return Dither(bx, y, 0.5) ? kCoral : kRose;
                if (y < 9) return kCoral;
                return Dither(bx, y, (y - 8) / 4.0) ? kGold : kAmber;
            }
        }
    };
}

// The floor beam between two storeys, the wood of light l: the floor's
// boards along its top, the beam's face with pegs where it meets the
// posts, its shadow on the wall below (`below`, the storey under it).
BayPaint TowerBeam(int light, const BayPaint& below) {
    return [light, below](int bx, int y) {
        const TowerWood w = WoodOf(light);
        if (y == 0) return kEarthDeep;
        if (y == 1) return w.lit;                                  // the boards' edge
        if (y == 2) return w.edge;
        if (y == 3) return w.lit;                                  // the beam's lit top
        if (y <= 13) {
            if ((bx <= 2 || bx >= 57) && (y == 6 || y == 10)) return y == 6 ? w.lit : w.edge;  // pegs at the posts
            return (bx * 7 + y * 3) % 17 == 0 ? w.shade : w.body;
        }
        if (y == 14) return w.shade;
        if (y == 15) return w.edge;
        if (y == 16) return bx % 2 ? Shade(below(bx, y)) : below(bx, y);  // its shadow
        return below(bx, y);
    };
}

// A lantern hanging in the middle of a bay.
BayPaint TowerLantern(int light) {
    return [light](int bx, int y) {
        const Paint bay = [light](int px, int py) { return TowerBay(light)(px + kTile, py); };
        return Lantern(bay, light == 0 ? kEarth : kGold)(bx - kTile, y);
    };
}

// --- The belfry ---

// The sunset seen through the belfry's open bays, gy 0..39 down two rows:
// rose overhead, the coral and amber glow, far hills low on the horizon.
Rgb BelfrySky(int bx, int gy) {
    if (gy < 5) return kRose;
    if (gy < 8) return Dither(bx, gy, (gy - 4) / 4.0) ? kCoral : kRose;
    if (gy < 15) return kCoral;
    if (gy < 19) return Dither(bx, gy, (gy - 14) / 5.0) ? kAmber : kCoral;
    const int hill = 33 + static_cast<int>(std::lround(1.5 * std::sin(bx * 0.17) + std::sin(bx * 0.41)));
    if (gy >= hill) return gy == hill ? kRose : kMauve;
    if (gy > 28) return Dither(bx, gy, (gy - 28) / 5.0) ? kGold : kAmber;
    return kAmber;
}

// An open bay of the belfry (row r 0 or 1 of the opening) between its posts.
BayPaint BelfryOpening(int r) {
    return [r](int bx, int y) {
        const Paint sky = [r](int px, int py) { return BelfrySky(px, py + r * kTile); };
        return TowerPost(2, bx, y, sky);
    };
}

// The railing along the belfry's floor before the sky: a top rail, posts
// every bay third, and the sky between.
BayPaint BelfryRailing() {
    return [](int bx, int y) {
        const Paint sky = [](int px, int) { return BelfrySky(px, 39); };
        const TowerWood w = WoodOf(2);
        if (!OnPost(bx)) {
            if (y >= 3 && y <= 5) return y == 3 ? w.lit : (y == 4 ? w.body : w.edge);       // the top rail
            if (y >= 15) return y == 15 ? w.lit : (y == 19 ? w.edge : w.body);               // the bottom rail
            if (y > 5 && bx % 20 >= 9 && bx % 20 <= 11) return bx % 20 == 9 ? w.lit : (bx % 20 == 11 ? w.edge : w.body);
            if (y > 5 && bx % 5 == 2) return w.shade;                                        // the balusters
        }
        return TowerPost(2, bx, y, sky);
    };
}

// The bronze bell hanging in the belfry, one cell wide and two high (gy
// 0..39), from its loop under the top beam: its domed crown with rows of
// lugs, the bands that divide its sides, the striking seat, its lip; lit
// from the upper left, outlined against the sunset behind.
Rgb Bell(int x, int gy, const Paint& behind) {
    const double cx = 9.5, dx = std::abs(x - cx);
    if (gy < 3 && dx <= 1) return kEarthDeep;                          // the rope from the beam
    if (gy >= 3 && gy < 7 && dx <= 3 && dx >= 1) return gy == 3 || dx >= 2.5 ? kInk : kEarth;  // the loop
    static const double kDome[] = {3.5, 6.0, 7.5, 8.0};
    if (gy >= 7 && gy <= 36) {
        const double half = gy < 11 ? kDome[gy - 7] : (gy >= 34 ? 9.0 : 8.5);
        if (dx <= half) {
            const double t = (x - cx + half) / (2 * half);  // 0 at its left edge, 1 at its right
            if (dx > half - 1 || gy == 7 || gy == 36) return kInk;
            if (gy == 17 || gy == 30 || (gy > 17 && gy < 30 && x == 10)) return kEarthDeep;  // the bands
            if (gy >= 21 && gy <= 27 && x >= 3 && x <= 7) {
                const int d = (x - 5) * (x - 5) + (gy - 24) * (gy - 24);
                if (d >= 3 && d <= 5) return kEarthDeep;               // the striking seat
                if (d <= 1) return kWood;
            }
            if (gy >= 11 && gy <= 15 && gy % 2 == 1 && x % 3 == 1 && dx < half - 1) return t < 0.5 ? kSand : kWood;  // lugs
            if (gy == 35) return kEarthDeep;                            // the lip
            if (t < 0.22) return kSand;
            if (t < 0.45) return kWood;
            if (t < 0.8) return kEarth;
            return kEarthDark;
        }
    }
    return behind(x, gy % kTile);
}

// The roof's underside over the belfry: rafters running up into the dark
// (row 0), and the wall plate on brackets over the posts (row 1).
Rgb RoofUnderside(int row, int bx, int y) {
    if (row == 0) {
        const int rx = bx % 5;
        if (rx == 0) return kNight;
        if (rx == 1) return y % 7 == 0 ? kEarthDark : kEarth;
        return rx == 4 ? kEarthDeep : kEarthDark;
    }
    const TowerWood w = WoodOf(1);
    if (y <= 5) return bx % 5 == 0 ? kNight : (bx % 5 == 1 ? kEarth : kEarthDark);     // the rafters' feet
    if (y == 6) return kNight;
    if (y <= 12) return y == 7 ? w.lit : ((bx * 7 + y) % 13 == 0 ? w.shade : w.body);   // the wall plate
    if (y == 13) return w.edge;
    // Brackets over the posts, a stepped block on each side of the post.
    const int d = std::min(bx, 60 - bx);
    if (d <= 9 - (y - 14)) return y == 14 ? w.lit : (d == 9 - (y - 14) ? w.edge : w.body);
    return y < 16 ? kNight : kEarthDeep;
}

// Sheet 175, tiles 8 to 61: the tower's walls, in this order: for each
// light from the foot up (0 boards, 1 plaster, 2 sunlit), a plain bay, its
// knee braces, a window, the floor beam (each as the bay's left, middle and
// right piece, the braces only left and right) and a lantern in the middle
// of a bay; then the belfry: its open bays (upper, lower), the railing, the
// bell (upper, lower), the top beam, the roof's rafters and its wall plate
// on brackets.
void DrawTowerInside(Canvas& c) {
    int tile = 8;
    auto bay = [&](const BayPaint& paint, std::initializer_list<int> pieces) {
        for (int k : pieces) PaintTile(c, tile++, BayPiece(k, paint));
    };
    for (int light = 0; light < 3; ++light) {
        bay(TowerBay(light), {0, 1, 2});
        bay(TowerBraces(light), {0, 2});
        bay(TowerWindow(light), {0, 1, 2});
        bay(TowerBeam(light, TowerBay(light)), {0, 1, 2});
        bay(TowerLantern(light), {1});
    }
    bay(BelfryOpening(0), {0, 1, 2});
    bay(BelfryOpening(1), {0, 1, 2});
    bay(BelfryRailing(), {0, 1, 2});
    for (int r = 0; r < 2; ++r) {
        const Paint behind = BayPiece(1, BelfryOpening(r));
        PaintTile(c, tile++, [r, behind](int x, int y) { return Bell(x, y + r * kTile, behind); });
    }
    bay(TowerBeam(2, [](int bx, int y) { return TowerPost(2, bx, y, [](int px, int) { return BelfrySky(px, 0); }); }),
        {0, 1, 2});
    bay([](int bx, int y) { return RoofUnderside(0, bx, y); }, {1});
    bay([](int bx, int y) { return RoofUnderside(1, bx, y); }, {0, 1, 2});
}

// --- The set's backdrop ------------------------------------------------------------------

// The walls, roofs and sky behind the castle, in the tower, the scene rooms
// and the shrine (and the river's far castle): tiles 0 to 5 of the castle
// sheet. Each runs on from cell to cell with nothing of its own that marks
// the cells' grid: the sky's dither, the roof's tiles every four texels,
// the plaster's strokes and the base's stones every ten.

// The plaster of the walls: warm and smooth, a few flecks catching the
// light.
Rgb SetPlaster(int x, int y) {
    if (TileSpeck(x, y, 491, 3)) return kGold;
    return kSand;
}

// A window in the plaster, its paper lit by the lamps inside: a frame of
// dark timber, a lattice over the glowing paper, brightest where the lamp
// stands low on the left, the sill and its shadow on the wall.
Rgb SetWindow(int x, int y) {
    constexpr int x0 = 4, x1 = 15, y0 = 3, y1 = 15;
    if (x >= x0 && x <= x1 && y >= y0 && y <= y1) {
        if (x == x0 || y == y0) return kEarth;
        if (x == x1 || y == y1) return kEarthDark;
        if (x == 10 || y == 9) return kWood;  // the lattice
        const int dx = x - 7, dy = y - 11;
        if (dx * dx + dy * dy <= 10) return kCream;
        return (x == x1 - 1 || y == y0 + 1) ? kAmber : kGold;
    }
    if (y == y1 + 1 && x >= x0 - 1 && x <= x1 + 1) return x == x0 - 1 ? kWood : kSand;  // the sill
    if (y == y1 + 2 && x >= x0 && x <= x1 + 1 && x % 2) return kWood;  // its shadow
    return SetPlaster(x, y);
}

// The roofs over the walls against the last of the day: the night over a
// band of glow, the ridge, the slope of round tiles lit along their crowns
// and the eaves' end tiles over the shadow they cast.
Rgb SetRoofs(int x, int y) {
    // The glow, its first rows dithered into the sky above.
    if (y == 0) return x % 2 ? kMauve : kCoral;
    if (y == 1) return x % 4 == 1 ? kMauve : kCoral;
    if (y <= 3) return kCoral;
    if (y == 4) return x % 2 ? kCoral : kAmber;
    if (y <= 6) return kAmber;
    // The ridge: a cap of round tiles, lit on its top.
    if (y == 7) return kInk;
    if (y == 8) return x % 5 == 0 ? kSlate : kStoneLight;
    if (y == 9) return x % 5 == 0 ? kNight : kStone;
    if (y == 10) return kInk;
    const int col = x % 4;
    if (y < 16) {
        // The slope: columns of round tiles, the courses' lips every three
        // rows, their crowns catching the glow.
        if ((y - 11) % 3 == 2) return col == 0 ? kNight : kNavy;
        if (col == 0) return kNight;
        if (col == 1) return (y - 11) % 3 == 0 ? kMist : kSlate;
        return col == 2 ? kSlate : kNavy;
    }
    // The end tiles along the eaves, and the dark under them.
    if (y == 16) return col == 0 ? kInk : (col == 1 ? kMist : kSlate);
    if (y == 17) return col == 0 ? kInk : kNavy;
    if (y == 18) return x % 5 == 1 || x % 5 == 2 ? kEarth : kNight;  // the rafters' ends
    return kNight;
}

// --- The castle sheet ----------------------------------------------------------------

// Resource 172 (texture slot 52), the backdrop of the castle, the tower and
// the scene rooms (scenery states 512 to 551):
//   0 night sky           3 plaster wall        6 moonlit sky   9 eaves
//   1 sky with stars      4 wall with a window  7 wall beam    10 banner
//   2 far roofs           5 stone base          8 pine branch  11 gate
//  12 a shaft's mouth    13 the dark below
//  14-21 the castle's roof and walls, 22-29, 33 and 43 the tower's walls,
//  30-42 the rooms and the altar (see the drawing functions above)
Canvas DrawCastleSheet() {
    Canvas c(kTileSheetSize, kTileSheetSize, kKey);
    PaintTile(c, 0, [](int x, int y) { return CastleSky(x, y); });
    PaintTile(c, 1, [](int x, int y) { return Star(x, y, 31) ? kCream : CastleSky(x, y); });
    PaintTile(c, 2, SetRoofs);
    PaintTile(c, 3, SetPlaster);
    // A window with thick square bars, the lamplight of the room behind.
    PaintTile(c, 4, SetWindow);
    PaintTile(c, 5, StoneBase);
    PaintTile(c, 6, [](int x, int y) {
        const int dx = x - 10, dy = y - 10;
        const int d = dx * dx + dy * dy;
        if (d < 20) return kCream;
        if (d < 40 && (x + y) % 2) return kRose;
        return CastleSky(x, y);
    });
    PaintTile(c, 7, Beam(Plaster, Plaster, kSand));
    PaintTile(c, 8, [](int x, int y) {
        const int by = 10 + (x - 10) / 4;
        if (std::abs(y - by) <= 1) return kEarthDark;
        if (std::abs(y - by) <= 4 && (x + y) % 3 == 0) return kPineDark;
        return Sky(2, x, y);
    });
    PaintTile(c, 9, [](int x, int y) {
        if (y < 6) return (x % 4 == 0) ? kNight : (y < 3 ? kSlate : kNavy);
        if (y == 6) return kNight;
        return Plaster(x, y);
    });
    PaintTile(c, 10, [](int x, int y) {
        if (x >= 7 && x <= 12 && y >= 2 && y <= 17) return (y == 6 && x >= 8 && x <= 11) ? kCream : kCrimson;
        return Plaster(x, y);
    });
    PaintTile(c, 11, [](int x, int y) {
        if (x >= 3 && x <= 16 && y >= 3) {
            if (x == 3 || x == 16 || y == 3) return kEarthDark;
            return (x == 9 || x == 10) ? kNight : kEarth;
        }
        return TileSpeck(x, y, 47, 6) ? kNavy : kSlate;
    });
    // A shaft between the ramparts: the stone base lost in the dark below.
    PaintTile(c, 12, [](int x, int y) { return IntoTheDark(StoneBase, x, y); });
    PaintTile(c, 13, PitDepth);
    DrawCastleRoofs(c);
    DrawTowerWalls(c);
    DrawRoomPieces(c);
    DrawCastleEvening(c);
    return c;
}

// --- The boss hall sheet ----------------------------------------------------------------

// Resource 173 (texture slot 53), the lacquered hall of the boss (scenery
// states 432 to 481; the boss room uses 432 to 476), tile n = state 432 + n
// for n < 30, state 462 + n again from tile 0:
//    0-1  dark wall        10-11 lanterns        20 candle stand
//    2-3  paper screens    12-14 gold screen     21-23 wall panels, crest
//    4-6  pillar (shaft, bracket, base)          24-25 floor boards
//    7    beam             15-17 scroll, crest, window
//    8-9  ceiling coffers  18-19 lattice window  26-29 railing, drapes
Canvas DrawHallSheet() {
    Canvas c(kTileSheetSize, kTileSheetSize, kKey);
    auto wall = [](int x, int y) {
        if ((x * 7 + y) % 13 == 0) return kNight;
        return (x % 10 == 0) ? kNight : kEarthDark;
    };
    PaintTile(c, 0, wall);
    PaintTile(c, 1, [](int x, int y) { return (x % 5 == 0) ? kNight : ((x + y * 3) % 17 == 0 ? kEarth : kEarthDark); });
    auto shoji = [](bool lit) {
        return [lit](int x, int y) {
            if (x == 0 || x == 19 || y == 0 || y == 19) return kNight;
            if (x % 5 == 0 || y % 6 == 0) return lit ? kEarthDeep : kEarth;
            // Lit: a lamp low behind the paper, its warmth rising to the
            // middle of the screen.
            if (lit) return y > 9 || (y == 9 && x % 2 == 0) ? kWood : kEarth;
            return kStoneLight;
        };
    };
    PaintTile(c, 2, shoji(true));
    PaintTile(c, 3, shoji(false));
    PaintTile(c, 4, [=](int x, int y) {
        if (x >= 6 && x <= 13) return x == 6 ? kRed : (x >= 12 ? kCrimson : ((x + y) % 9 == 0 ? kCrimson : kRed));
        return wall(x, y);
    });
    PaintTile(c, 5, [=](int x, int y) {
        if (y >= 4 && y <= 8 && x >= 2 && x <= 17) return y == 4 ? kGold : (y == 8 ? kAmber : kCrimson);
        if (y > 8 && x >= 6 && x <= 13) return x == 6 ? kRed : (x >= 12 ? kCrimson : kRed);
        if (y < 4 && x >= 4 && x <= 15) return kNight;
        return wall(x, y);
    });
    PaintTile(c, 6, [=](int x, int y) {
        if (y >= 13) return y == 13 ? kStone : kStoneDark;
        if (x >= 6 && x <= 13) return x == 6 ? kRed : (x >= 12 ? kCrimson : kRed);
        if (y == 12 && x >= 5 && x <= 14) return kGold;
        return wall(x, y);
    });
    PaintTile(c, 7, [=](int x, int y) {
        if (y >= 6 && y <= 12) {
            if (y == 6 || y == 12) return kNight;
            if (x % 10 == 4 && y == 9) return kGold;
            return y == 7 ? kEarth : kEarthDark;
        }
        return wall(x, y);
    });
    auto coffer = [](bool flower) {
        return [flower](int x, int y) {
            if (x % 10 == 0 || y % 10 == 0) return kNight;
            if (x % 10 == 1 || y % 10 == 1) return kCrimson;
            if (flower && std::abs(x % 10 - 5) + std::abs(y % 10 - 5) < 2) return kAmber;
            return kEarthDark;
        };
    };
    PaintTile(c, 8, coffer(false));
    PaintTile(c, 9, coffer(true));
    auto lantern = [=](Rgb paper, Rgb bright) {
        return [=](int x, int y) {
            if (x == 10 && y < 4) return kNight;
            const int dx = x - 10, dy = y - 11;
            if (std::abs(dy) <= 6 && dx * dx * 3 + dy * dy < 40 + (dy > -6 && dy < 6 ? 20 : 0)) {
                if (std::abs(dy) == 6) return kNight;
                return dy % 3 == 0 ? paper : bright;
            }
            if (y == 4 && std::abs(dx) <= 2) return kNight;
            return wall(x, y);
        };
    };
    PaintTile(c, 10, lantern(kCrimson, kRed));
    PaintTile(c, 11, lantern(kAmber, kGold));
    auto screen = [](int part) {
        return [part](int x, int y) {
            if (y < 2 || y > 17) return kNight;
            if ((part == 0 && x == 0) || (part == 2 && x == 19)) return kNight;
            if (x % 10 == 9) return kAmber;
            if (part == 1) {
                // A pine painted across the gold.
                const int trunk = 6 + (y - 2) / 4;
                if (std::abs(x - trunk) <= 1 && y > 8) return kEarthDark;
                if (y >= 5 && y <= 9 && std::abs(x - 11) < 8 && (x + y) % 3) return kPine;
            }
            return (x + y) % 11 == 0 ? kAmber : kGold;
        };
    };
    PaintTile(c, 12, screen(0));
    PaintTile(c, 13, screen(1));
    PaintTile(c, 14, screen(2));
    PaintTile(c, 15, [=](int x, int y) {
        // A hanging scroll with one brush stroke.
        if (x >= 5 && x <= 14 && y >= 1 && y <= 18) {
            if (y <= 2 || y >= 17) return kEarth;
            if (x == 5 || x == 14) return kMist;
            if (x >= 9 && x <= 10 && y >= 5 && y <= 14 && (y % 4 != 3)) return kNight;
            return kCream;
        }
        return wall(x, y);
    });
    PaintTile(c, 16, [=](int x, int y) {
        const int dx = x - 10, dy = y - 10;
        const int d = dx * dx + dy * dy;
        if (d <= 36 && d >= 20) return kGold;
        if (d < 20 && (std::abs(dx) == std::abs(dy) || dx == 0 || dy == 0)) return kGold;
        return wall(x, y);
    });
    auto window = [](bool moon) {
        return [moon](int x, int y) {
            if (x <= 1 || x >= 18 || y <= 1 || y >= 18) return kEarthDark;
            if (x % 4 == 1 || y % 4 == 1) return kNight;
            if (moon && (x - 12) * (x - 12) + (y - 7) * (y - 7) < 10) return kCream;
            return kMist;
        };
    };
    PaintTile(c, 17, window(false));
    PaintTile(c, 18, window(true));
    PaintTile(c, 19, [](int x, int y) {
        if (x <= 1 || x >= 18 || y <= 1 || y >= 18) return kEarthDark;
        if (x % 6 == 1) return kNight;
        return kSlate;
    });
    PaintTile(c, 20, [=](int x, int y) {
        if (x == 10 && y >= 6 && y <= 17) return kGold;
        if (y == 18 && std::abs(x - 10) <= 3) return kGold;
        if (y == 5 && std::abs(x - 10) <= 2) return kAmber;
        if (x == 10 && y >= 2 && y <= 4) return y == 2 ? kGold : kCream;
        if (std::abs(x - 10) <= 3 && y >= 1 && y <= 5 && (x + y) % 2) return kMauve;
        return wall(x, y);
    });
    PaintTile(c, 21, [=](int x, int y) {
        if (x >= 2 && x <= 17 && y >= 2 && y <= 17) return (x == 2 || y == 2) ? kEarth : ((x == 17 || y == 17) ? kNight : kEarthDark);
        return kNight;
    });
    PaintTile(c, 22, [=](int x, int y) {
        if (y == 10 || y == 11) return kGold;
        return wall(x, y);
    });
    PaintTile(c, 23, [=](int x, int y) {
        const int dx = x - 10, dy = y - 9;
        if (dx * dx + dy * dy <= 25) return (dx * dx + dy * dy >= 16) ? kGold : kCrimson;
        return wall(x, y);
    });
    PaintTile(c, 24, [](int, int y) {
        if (y % 5 == 4) return kNight;
        return (y % 5 == 0) ? kEarth : kEarthDark;
    });
    PaintTile(c, 25, [](int x, int y) {
        if (y < 3) return y == 0 ? kGold : kNight;
        if ((x / 10 + y / 4) % 2) return kSand;
        return kWood;
    });
    PaintTile(c, 26, [=](int x, int y) {
        if (y == 8 || y == 9) return kRed;
        if (y > 9 && y < 18 && x % 5 == 2) return kCrimson;
        if (y == 18) return kRed;
        return wall(x, y);
    });
    auto drape = [=](bool left) {
        return [=](int x, int y) {
            const int edge = left ? 12 - y / 3 : 7 + y / 3;
            if ((left && x < edge) || (!left && x > edge)) return (x % 3 == 0) ? kCrimson : kMauve;
            return wall(x, y);
        };
    };
    PaintTile(c, 27, drape(true));
    PaintTile(c, 28, drape(false));
    PaintTile(c, 29, [=](int x, int y) {
        if (y < 3) return (x % 2) ? kGold : kAmber;
        return wall(x, y);
    });
    return c;
}

// --- The sky specials ----------------------------------------------------------------

// Resource 175 (texture slot 55), scenery states 1040 to 1069: tile 0 is
// the full moon of state 1051 (in the deep dusk band), tiles 1 to 7 other
// sky pieces: crescent, moon behind a cloud, a falling star and a large
// moon over four tiles; from tile 8 on, the tower's walls (DrawTowerInside).
Canvas DrawSkySheet() {
    Canvas c(kTileSheetSize, kTileSheetSize, kKey);
    PaintTile(c, 0, [](int x, int y) {
        const int dx = x - 10, dy = y - 10;
        const int d = dx * dx + dy * dy;
        if (d <= 30) {
            if ((dx + 2) * (dx + 2) + (dy + 1) * (dy + 1) <= 3) return kGold;
            if ((dx - 2) * (dx - 2) + (dy - 2) * (dy - 2) <= 1) return kGold;
            return kCream;
        }
        if (d <= 42) return kMauve;
        if (d <= 56 && (x + y) % 2) return kMauve;
        return Sky(1, x, y);
    });
    PaintTile(c, 1, [](int x, int y) {
        const int dx = x - 10, dy = y - 10;
        if (dx * dx + dy * dy <= 25 && (dx - 2) * (dx - 2) + (dy - 1) * (dy - 1) > 16) return kCream;
        return Sky(1, x, y);
    });
    PaintTile(c, 2, [](int x, int y) {
        const int dx = x - 10, dy = y - 8;
        if (y >= 10 && y <= 13 && x >= 2 && x <= 18) return y == 13 ? kRose : kMauve;
        if (dx * dx + dy * dy <= 30) return kCream;
        return Sky(1, x, y);
    });
    PaintTile(c, 3, [](int x, int y) {
        if (y == 4 + x / 2 && x < 14) return x > 10 ? kCream : (x > 5 ? kMist : kMauve);
        return Sky(1, x, y);
    });
    for (int q = 0; q < 4; ++q)
        PaintTile(c, 4 + q, [q](int x, int y) {
            const int gx = x + (q % 2) * 20, gy = y + (q / 2) * 20;
            const int dx = gx - 20, dy = gy - 20;
            const int d = dx * dx + dy * dy;
            if (d <= 225) {
                const int spot = ((gx / 5) * 7 + (gy / 5) * 3) % 11;
                return spot == 0 && d < 180 ? kGold : kCream;
            }
            if (d <= 289 && (gx + gy) % 2) return kMauve;
            return Sky(1, x, y);
        });
    DrawTowerInside(c);
    return c;
}

}  // namespace

ART_SHEET(171, "scenery-forest") { return DrawForestSheet(); }
ART_SHEET(172, "scenery-castle") { return DrawCastleSheet(); }
ART_SHEET(173, "scenery-hall") { return DrawHallSheet(); }
ART_SHEET(175, "scenery-sky") { return DrawSkySheet(); }
