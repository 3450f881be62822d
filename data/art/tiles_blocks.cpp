// Block tiles: the solid ground, walls and platforms of the stages.
//
// Every terrain sheet holds one or two sets of 40 tiles in the same layout,
// so that a map maker finds the same piece at the same place in every set
// (k = the tile's index in its set, also the block state minus the first
// state of the set):
//
//    0 post (narrow)          14 platform, left end     26 floor, top
//    1 single block           15 platform, middle       27 floor, top-left
//    2 fill, variant A        16 platform, right end    28 floor, top-right
//    3 pillar, top (narrow)   17 pillar, base (narrow)  29 floor, left face
//    4 pillar, shaft (narrow) 18 top, decorated         30 floor, right face
//    5 top-left corner        19 ledge (narrow)         31 floor, single
//    6 top                    20 fill, variant B        32 floor, fill
//    7 top-right corner       21 top, variant           33 floor, underside
//    8 left face              22 fill, variant C        34 tuft (not solid)
//    9 fill                   23 carved block           35 pebbles (not solid)
//   10 right face             24 single block, variant  36 hollow (not solid)
//   11 bottom-left corner     25 platform, single       37 fence (not solid)
//   12 underside                                        38 vines (not solid)
//   13 bottom-right corner                              39 lantern (not solid)
//
// Faces that lie open get the dark outline, a lit left edge and a shaded
// right and bottom edge (light from the upper left); fills continue
// seamlessly into their neighbours.
#include <algorithm>
#include <cmath>
#include <vector>

#include "Palette.h"
#include "Sheets.h"
#include "Tiles.h"

namespace {

// --- Pieces of the shared layout ----------------------------------------------

enum class Look { Solid, Floor, Narrow, Carved, Decor };

struct Piece {
    Look look;
    bool top, bottom, left, right;
    int halfWidth;  // texels either side of the centre
    int variant;    // fill or top variant
};

constexpr Piece kPieces[40] = {
    {Look::Narrow, true, false, true, true, 6, 0},   // 0 post
    {Look::Solid, true, true, true, true, 10, 0},    // 1 single
    {Look::Solid, false, false, false, false, 10, 1},  // 2 fill A
    {Look::Narrow, true, false, true, true, 7, 1},   // 3 pillar top
    {Look::Narrow, false, false, true, true, 7, 2},  // 4 pillar shaft
    {Look::Solid, true, false, true, false, 10, 0},  // 5 top-left
    {Look::Solid, true, false, false, false, 10, 0},  // 6 top
    {Look::Solid, true, false, false, true, 10, 0},  // 7 top-right
    {Look::Solid, false, false, true, false, 10, 0},  // 8 left face
    {Look::Solid, false, false, false, false, 10, 0},  // 9 fill
    {Look::Solid, false, false, false, true, 10, 0},  // 10 right face
    {Look::Solid, false, true, true, false, 10, 0},  // 11 bottom-left
    {Look::Solid, false, true, false, false, 10, 0},  // 12 underside
    {Look::Solid, false, true, false, true, 10, 0},  // 13 bottom-right
    {Look::Solid, true, true, true, false, 10, 0},   // 14 platform left
    {Look::Solid, true, true, false, false, 10, 0},  // 15 platform middle
    {Look::Solid, true, true, false, true, 10, 0},   // 16 platform right
    {Look::Narrow, false, false, true, true, 7, 3},  // 17 pillar base
    {Look::Solid, true, false, false, false, 10, 1},  // 18 top decorated
    {Look::Solid, true, true, true, true, 9, 0},     // 19 ledge
    {Look::Solid, false, false, false, false, 10, 2},  // 20 fill B
    {Look::Solid, true, false, false, false, 10, 2},  // 21 top variant
    {Look::Solid, false, false, false, false, 10, 3},  // 22 fill C
    {Look::Carved, true, true, true, true, 10, 0},   // 23 carved block
    {Look::Solid, true, true, true, true, 10, 1},    // 24 single variant
    {Look::Solid, true, true, true, true, 10, 2},    // 25 platform single
    {Look::Floor, true, false, false, false, 10, 0},  // 26 floor top
    {Look::Floor, true, false, true, false, 10, 0},  // 27 floor top-left
    {Look::Floor, true, false, false, true, 10, 0},  // 28 floor top-right
    {Look::Floor, false, false, true, false, 10, 0},  // 29 floor left
    {Look::Floor, false, false, false, true, 10, 0},  // 30 floor right
    {Look::Floor, true, true, true, true, 10, 0},    // 31 floor single
    {Look::Floor, false, false, false, false, 10, 0},  // 32 floor fill
    {Look::Floor, false, true, false, false, 10, 0},  // 33 floor underside
    {Look::Decor, false, false, false, false, 0, 0},  // 34
    {Look::Decor, false, false, false, false, 0, 1},  // 35
    {Look::Decor, false, false, false, false, 0, 2},  // 36
    {Look::Decor, false, false, false, false, 0, 3},  // 37
    {Look::Decor, false, false, false, false, 0, 4},  // 38
    {Look::Decor, false, false, false, false, 0, 5},  // 39
};

// --- Textures ------------------------------------------------------------------

enum class Fill { Earth, Stones, Plaster, RoofTiles, Planks, Timber, Lacquer, BackStones, Rock, Flagstones, Boards };
enum class Top { Grass, Capstone, RoofCap, PlankEdge, GoldRim, Moss, Path, Slab, Ember };

struct Style {
    Fill fill;
    Top top;
    Fill floorFill;
    Top floorTop;
    Rgb base, dark, light, deep;  // main tones of the fill
    Rgb edgeLight, edgeShade;     // the lit left and shaded right and bottom edges
    Rgb ink;                      // outline
    uint32_t seed;
    bool onBeams = false;         // platforms rest on the square ends of timber beams
};

// Irregular coursed stones (the dry-stone walls of castles and river
// banks): a 20 x 20 pattern that wraps, so walls continue across tiles.
// Returns the stone number at (x, y), or -1 on a joint; edge tells how far
// the texel lies inside the stone's lit (-1) or shaded (+1) rim.
struct StoneHit {
    int stone;
    int rim;  // -1 lit rim, +1 shaded rim, 0 inside
};

// `layout` picks one of several layouts of the same courses: the fill
// variants of a wall lay their stones differently, so that a wall mixed of
// them shows no stone repeated on the tiles' grid while its courses run on.
StoneHit StoneAt(int x, int y, int courseHeight, uint32_t seed, int layout = 0) {
    x = ((x % kTile) + kTile) % kTile;
    y = ((y % kTile) + kTile) % kTile;
    // Courses of uneven height (they add up to the tile, so walls continue).
    // (The layouts lay their courses at heights of their own too: laid
    // dry, the stones keep to no course from tile to tile.)
    const uint32_t laid = seed + static_cast<uint32_t>(layout) * 131u;
    int heights[4] = {kTile, 0, 0, 0};
    int courses = 1;
    if (courseHeight < kTile) {
        courses = kTile / courseHeight;
        int used = 0;
        for (int i = 0; i < courses - 1; ++i) {
            heights[i] = courseHeight - 1 + static_cast<int>(TileHash(static_cast<uint32_t>(i), laid, 11) % 3);
            used += heights[i];
        }
        heights[courses - 1] = kTile - used;
    }
    int course = 0, courseTop = 0;
    while (course < courses - 1 && y >= courseTop + heights[course]) courseTop += heights[course++];
    const int cy = y - courseTop;
    const int rowHeight = heights[course];
    // Stones of each course: uneven widths from the hash, the course shifted.
    const int shift = static_cast<int>(TileHash(static_cast<uint32_t>(course), laid, 7) % 10);
    const int sx = (x + shift) % kTile;
    int start = 0;
    int index = 0;
    int width = 0;
    for (;;) {
        width = 4 + static_cast<int>(TileHash(static_cast<uint32_t>(index), static_cast<uint32_t>(course), laid) % 7);
        if (start + width >= kTile || kTile - (start + width) < 4) width = kTile - start;
        if (sx < start + width) break;
        start += width;
        ++index;
    }
    const int local = sx - start;
    if (local == width - 1 || cy == rowHeight - 1) return {-1, 0};
    // Rounded corners: the corner texels belong to the joint.
    const bool atLeft = local == 0, atRight = local == width - 2, atTop = cy == 0, atBottom = cy == rowHeight - 2;
    if ((atLeft || atRight) && (atTop || atBottom)) return {-1, 0};
    int rim = 0;
    if (atLeft || atTop) rim = -1;
    else if (atRight || atBottom) rim = 1;
    return {course * 8 + index, rim};
}

Rgb StoneTone(const Style& s, StoneHit h, int x, int y, int variant) {
    if (h.stone < 0) return s.deep;
    if (h.rim < 0) return s.light;
    if (h.rim > 0) return s.dark;
    // Weathered stones, darker, here and there; cracks on variant B.
    const uint32_t pick = TileHash(static_cast<uint32_t>(h.stone), s.seed + static_cast<uint32_t>(variant), 3);
    if (pick % 4 == 0) return s.dark;
    if (variant == 2 && pick % 4 == 1 && (x + y) % 5 == 0) return s.deep;
    if (TileSpeck(x, y, s.seed + 2, 8)) return s.dark;
    // Some stones a shade darker than the rest.
    if (pick % 5 == 2) return TileSpeck(x, y, s.seed + 4, 50) ? s.dark : s.base;
    return s.base;
}

// Rough earth with specks, pebbles and (variants C and the forest's second
// fill) roots.
Rgb EarthTone(const Style& s, int x, int y, int variant) {
    struct Pebble {
        int x, y, r;
    };
    static const std::vector<Pebble> kPebbles[5] = {
        {}, {{5, 6, 3}, {14, 15, 2}, {17, 4, 1}}, {{9, 10, 4}}, {{4, 14, 1}}, {{14, 16, 2}, {3, 3, 1}}};
    for (const Pebble& p : kPebbles[variant]) {
        const int dx = x - p.x, dy = y - p.y;
        const int d = dx * dx + dy * dy;
        if (d <= p.r * p.r + p.r) {
            if (dx + dy < -p.r / 2 || (p.r <= 1 && dy < 0)) return kStone;
            if (dx + dy > p.r / 2 + 1) return s.deep;
            return kStoneDark;
        }
    }
    if (variant == 3) {
        // A root winding across the tile.
        const int ry = 9 + static_cast<int>(std::lround(3.0 * std::sin(x * 0.6)));
        if (y == ry) return kWood;
        if (y == ry + 1) return s.deep;
    }
    if (variant == 4 && x >= 3 && x <= 15) {
        // A buried root, thinning out at both ends inside the tile, with a
        // rootlet off it.
        const int ry = 8 + (x - 3) / 3 + (x > 9 ? -1 : 0);
        if (y == ry) return x < 6 || x > 13 ? s.dark : kWood;
        if (y == ry + 1 && x > 4 && x < 14) return s.deep;
        if (x >= 9 && x <= 11 && y == ry + 2 + (x - 9)) return s.dark;  // the rootlet
    }
    // Two layers of soil lying along the ground at uneven depths, each waving
    // in its own way, the same in every fill so that they run on from tile
    // to tile.
    const double t = x * 0.31416;  // once round across the tile
    const int upper = 4 + static_cast<int>(std::lround(1.3 * std::sin(t + 0.7) + 0.6 * std::sin(2 * t + 1.9)));
    const int lower = 13 + static_cast<int>(std::lround(1.0 * std::sin(t + 2.6) + 0.8 * std::sin(3 * t + 0.4)));
    // Each fill breaks the lines in places of its own, so the layers do not
    // repeat from tile to tile.
    const bool broken = TileHash(static_cast<uint32_t>(x / 3), s.seed + static_cast<uint32_t>(variant) * 31, 7) % 3 == 0;
    if (!broken && ((y == upper && (x * 7 + y) % 9 != 0) || (y == lower && (x * 5 + y) % 6 != 0))) return s.dark;
    if ((y == upper + 1 && (x * 5 + y) % 4 == 0) || (y == lower + 1 && (x * 3 + y) % 5 == 0)) return s.deep;
    // Clods: short dashes of darker earth, each lit on its upper left. Each
    // variant lays its own, so that fills of different variants side by
    // side show no mark repeating on the tile grid.
    const uint32_t seed = s.seed + static_cast<uint32_t>(variant) * 97;
    for (uint32_t i = 0; i < 7; ++i) {
        const uint32_t h = TileHash(i, seed, 5);
        const int cx = static_cast<int>(h % 17), cy = 1 + static_cast<int>((h >> 8) % 18);
        const int len = 2 + static_cast<int>((h >> 16) % 3);
        if (y == cy && x >= cx && x < cx + len) return s.dark;
        if (y == cy - 1 && x == cx) return s.light;
    }
    return s.base;
}

Rgb FillTone(const Style& s, Fill fill, int x, int y, int variant) {
    switch (fill) {
        case Fill::Earth:
            return EarthTone(s, x, y, variant);
        case Fill::Stones:
            return StoneTone(s, StoneAt(x, y, 6, s.seed, variant), x, y, variant);
        case Fill::BackStones: {
            // Large calm blocks, two courses a tile.
            const int row = y / 10, cy = y % 10;
            const int cx = (x + (row % 2) * 10) % 20;
            if (cy == 9 || cx == 19) return s.deep;
            if (cy == 0 || cx == 0) return s.light;
            return TileSpeck(x, y, s.seed, 6) ? s.dark : s.base;
        }
        case Fill::Rock: {
            const StoneHit h = StoneAt(x * 2 / 3, y, 10, s.seed);
            if (h.stone < 0) return (x + y + variant) % 7 == 0 ? kCrimson : s.deep;
            return h.rim < 0 ? s.light : (TileSpeck(x, y, s.seed, 12) ? s.dark : s.base);
        }
        case Fill::Flagstones: {
            const StoneHit h = StoneAt(x, y, 10, s.seed + 5);
            if (h.stone < 0) return s.deep;
            return h.rim < 0 ? kStoneLight : (h.rim > 0 ? kStoneDark : kStone);
        }
        case Fill::Plaster: {
            // White wall; variant A a timber band, B an arrow slit, C weathering.
            if (variant == 1 && y >= 8 && y <= 11) return y == 8 ? kWood : (y == 11 ? s.deep : kEarthDark);
            if (variant == 2 && x >= 7 && x <= 12 && y >= 6 && y <= 13) {
                if (x == 7 || y == 6) return s.dark;
                if (x == 12 || y == 13) return kWhite;
                return (x == 9 || x == 10) ? kWood : kNight;
            }
            if (variant == 3 && y > 12 && TileSpeck(x, y, s.seed, 10 + (y - 12) * 6)) return s.dark;
            // Trowel marks: faint patches and a seam every ten rows.
            if (y % 10 == 9 && (x + y / 10 * 7) % 13 < 9) return s.dark;
            if (TileSpeck(x / 3, y / 2, s.seed, 18) && TileSpeck(x, y, s.seed + 1, 45)) return s.dark;
            if (TileSpeck(x, y, s.seed, 4)) return s.light;
            return s.base;
        }
        case Fill::RoofTiles: {
            // Courses of round tiles: columns of 5 texels, rows of 5.
            const int row = y / 5, cy = y % 5;
            const int cx = (x + (row % 2) * 2) % 5;
            if (cy == 4) return s.deep;
            if (cx == 0) return s.dark;
            if (cx == 1 && cy < 3) return s.light;
            if (cx == 4) return s.dark;
            return s.base;
        }
        case Fill::Planks: {
            const int py = y % 5;
            if (py == 4) return s.deep;
            if (py == 0) return s.light;
            const int seam = (y / 5) % 2 ? 3 : 13;
            if (x == seam) return s.deep;
            if ((x == seam + 2 || x == seam - 2) && py == 2) return kEarthDark;
            if (TileSpeck(x, y, s.seed, 6)) return s.dark;
            return s.base;
        }
        case Fill::Boards: {
            // Floor boards running across, seen from the front.
            const int py = y % 4;
            if (py == 3) return s.deep;
            if (py == 0) return s.light;
            return TileSpeck(x, y, s.seed, 10) ? s.dark : s.base;
        }
        case Fill::Timber: {
            // Dark posts with panels between them; variant A a barred window.
            const int px = x % 10;
            if (px == 0 || px == 1) return px == 0 ? kNight : s.dark;
            if (y % 10 == 0) return kNight;
            if (variant == 1 && px >= 3 && px <= 8 && y % 10 >= 3 && y % 10 <= 7)
                return px % 2 ? kWood : kAmber;
            if (px == 2 || y % 10 == 1) return s.light;
            return s.base;
        }
        case Fill::Lacquer: {
            // Vermilion panels framed in black with gold studs.
            const int px = x % 10, py = y % 10;
            if (px == 0 || py == 0) return kNight;
            if ((px == 1 || px == 9) && (py == 1 || py == 9)) return kGold;
            if (px == 1 || py == 1) return s.light;
            if (px == 9 || py == 9) return s.dark;
            if (variant == 1 && px >= 4 && px <= 6 && py >= 4 && py <= 6) return (px == 5 && py == 5) ? kCream : kGold;
            return s.base;
        }
    }
    return s.base;
}

// --- Surfaces ------------------------------------------------------------------

// Draws the top band over columns x0..x1-1 of a tile whose top is open.
void DrawTop(Canvas& c, const Style& s, Top top, int ox, int oy, int x0, int x1, bool leftOpen, bool rightOpen,
             int variant) {
    auto put = [&](int x, int y, Rgb col) {
        if (x >= x0 && x < x1) c.Set(ox + x, oy + y, col);
    };
    switch (top) {
        case Top::Grass:
        case Top::Moss: {
            const Rgb hi = top == Top::Grass ? kLeaf : kGrass;
            const Rgb mid = top == Top::Grass ? kGrass : kPine;
            for (int x = x0; x < x1; ++x) {
                put(x, 0, s.ink);
                put(x, 1, hi);
                put(x, 2, (x * 3) % 7 == 0 ? mid : hi);
                put(x, 3, mid);
                // Blades hang over the earth below the turf.
                const uint32_t h = TileHash(static_cast<uint32_t>(x), 1, s.seed);
                const int reach = 4 + static_cast<int>(h % 3);
                for (int y = 4; y < reach; ++y) put(x, y, mid);
                put(x, reach, kPineDark);
            }
            if (variant == 1) {
                // Small flowers on the turf.
                const int xs[] = {3, 9, 15};
                const Rgb cols[] = {kGold, kCream, kRose};
                for (int i = 0; i < 3; ++i) {
                    put(xs[i], 1, cols[i]);
                    put(xs[i] + 1, 2, cols[i]);
                    put(xs[i] - 1, 2, cols[i]);
                    put(xs[i], 2, kAmber);
                }
            } else if (variant == 2) {
                for (int x = x0 + 2; x < x1 - 1; x += 4) {
                    put(x, 1, kPine);
                    put(x + 1, 2, kLeaf);
                }
            }
            break;
        }
        case Top::Capstone:
        case Top::Slab: {
            // Flat cap stones with joints every ten texels.
            const Rgb face = top == Top::Slab ? kSand : kStoneLight;
            for (int x = x0; x < x1; ++x) {
                put(x, 0, s.ink);
                put(x, 1, top == Top::Slab ? kCream : kWhite);
                for (int y = 2; y <= 3; ++y) put(x, y, x % 10 == 9 ? s.dark : face);
                put(x, 4, s.dark);
                put(x, 5, s.deep);
            }
            if (variant == 1)
                for (int x = x0 + 3; x < x1 - 2; x += 6) put(x, 2, kPine);
            break;
        }
        case Top::RoofCap: {
            // Ridge tiles in the colours of the roof: a dark cap with round
            // ends every five texels.
            for (int x = x0; x < x1; ++x) {
                put(x, 0, s.ink);
                put(x, 1, x % 5 == 1 ? kStoneLight : kMist);
                put(x, 2, x % 5 == 0 ? kNavy : kSlate);
                put(x, 3, x % 5 == 0 ? s.ink : kNavy);
                put(x, 4, kInk);
            }
            if (variant == 1)
                for (int x = x0 + 4; x < x1 - 1; x += 10) {
                    put(x, 1, kGold);
                    put(x, 2, kAmber);
                }
            break;
        }
        case Top::PlankEdge: {
            for (int x = x0; x < x1; ++x) {
                put(x, 0, s.ink);
                put(x, 1, kSand);
                put(x, 2, s.light);
                put(x, 3, x % 10 == 4 ? kEarthDark : s.base);
                put(x, 4, s.deep);
            }
            break;
        }
        case Top::GoldRim: {
            for (int x = x0; x < x1; ++x) {
                put(x, 0, s.ink);
                put(x, 1, kGold);
                put(x, 2, x % 4 == 0 ? kCream : kGold);
                put(x, 3, kAmber);
                put(x, 4, kNight);
            }
            break;
        }
        case Top::Path: {
            for (int x = x0; x < x1; ++x) {
                put(x, 0, s.ink);
                put(x, 1, kSand);
                put(x, 2, TileSpeck(x, 2, s.seed, 25) ? kWood : kSand);
                put(x, 3, kWood);
                put(x, 4, s.dark);
            }
            break;
        }
        case Top::Ember: {
            for (int x = x0; x < x1; ++x) {
                put(x, 0, s.ink);
                put(x, 1, s.light);
                put(x, 2, (x % 6 == 2) ? kCoral : s.base);
                put(x, 3, s.dark);
            }
            break;
        }
    }
    // Open ends of the band carry the outline down its side.
    for (int y = 0; y <= 4; ++y) {
        if (leftOpen) {
            put(x0, y, s.ink);
            if (y >= 1) put(x0 + 1, y, y == 1 ? kWhite : c.Get(ox + x0 + 1, oy + y));
        }
        if (rightOpen) put(x1 - 1, y, s.ink);
    }
}

// --- Whole pieces --------------------------------------------------------------

void DrawSolid(Canvas& c, const Style& s, int ox, int oy, const Piece& p, bool floor) {
    const int x0 = 10 - p.halfWidth, x1 = 10 + p.halfWidth;
    const Fill fill = floor ? s.floorFill : s.fill;
    for (int y = 0; y < kTile; ++y)
        for (int x = x0; x < x1; ++x) c.Set(ox + x, oy + y, FillTone(s, fill, x, y, floor ? 0 : p.variant));
    if (p.left)
        for (int y = 0; y < kTile; ++y) {
            c.Set(ox + x0, oy + y, s.ink);
            c.Set(ox + x0 + 1, oy + y, s.edgeLight);
        }
    if (p.right)
        for (int y = 0; y < kTile; ++y) {
            c.Set(ox + x1 - 1, oy + y, s.ink);
            c.Set(ox + x1 - 2, oy + y, s.edgeShade);
        }
    if (p.bottom)
        for (int x = x0; x < x1; ++x) {
            c.Set(ox + x, oy + 19, s.ink);
            c.Set(ox + x, oy + 18, s.edgeShade);
        }
    if (p.top) DrawTop(c, s, floor ? s.floorTop : s.top, ox, oy, x0, x1, p.left, p.right, floor ? 0 : p.variant);
    // Round the open corners a little.
    if (p.top && p.left) c.Set(ox + x0, oy, kKey);
    if (p.top && p.right) c.Set(ox + x1 - 1, oy, kKey);
    if (p.bottom && p.left) c.Set(ox + x0, oy + 19, kKey);
    if (p.bottom && p.right) c.Set(ox + x1 - 1, oy + 19, kKey);
}

// Posts and pillars: a narrow column with a cap (variant 0 post, 1 pillar
// top), a plain shaft (2) or a flared base (3).
void DrawNarrow(Canvas& c, const Style& s, int ox, int oy, const Piece& p) {
    const int x0 = 10 - p.halfWidth, x1 = 10 + p.halfWidth;
    for (int y = 0; y < kTile; ++y)
        for (int x = x0; x < x1; ++x) {
            Rgb col = s.base;
            if (x == x0 + 1 || x == x0 + 2) col = s.light;
            else if (x >= x1 - 3) col = s.dark;
            else if ((x + y * 3) % 11 == 0) col = s.dark;
            c.Set(ox + x, oy + y, col);
        }
    for (int y = 0; y < kTile; ++y) {
        c.Set(ox + x0, oy + y, s.ink);
        c.Set(ox + x1 - 1, oy + y, s.ink);
    }
    if (p.variant == 0 || p.variant == 1) {
        // A cap one texel wider on each side (inside the solid's width).
        const int cx0 = p.variant == 0 ? x0 : x0 - 1, cx1 = p.variant == 0 ? x1 : x1 + 1;
        for (int x = cx0; x < cx1; ++x) {
            c.Set(ox + x, oy + 0, s.ink);
            c.Set(ox + x, oy + 1, s.edgeLight);
            c.Set(ox + x, oy + 2, s.light);
            c.Set(ox + x, oy + 3, s.dark);
            c.Set(ox + x, oy + 4, s.ink);
        }
        c.Set(ox + cx0, oy + 1, s.ink);
        c.Set(ox + cx0, oy + 2, s.ink);
        c.Set(ox + cx0, oy + 3, s.ink);
        c.Set(ox + cx1 - 1, oy + 1, s.ink);
        c.Set(ox + cx1 - 1, oy + 2, s.ink);
        c.Set(ox + cx1 - 1, oy + 3, s.ink);
        c.Set(ox + cx0, oy, kKey);
        c.Set(ox + cx1 - 1, oy, kKey);
    } else if (p.variant == 3) {
        for (int y = 14; y < kTile; ++y) {
            const int grow = (y - 13) / 2;
            for (int x = x0 - grow; x < x1 + grow; ++x) c.Set(ox + x, oy + y, x < 10 ? s.light : s.dark);
            // The outline of the flare, kept inside the tile's own cell.
            c.Set(ox + std::max(0, x0 - grow - 1), oy + y, s.ink);
            c.Set(ox + std::min(kTile - 1, x1 + grow), oy + y, s.ink);
        }
        for (int x = x0 - 3; x < x1 + 3; ++x) c.Set(ox + x, oy + 19, s.deep);
    }
}

// The carved block: a framed stone with a crest in the middle.
void DrawCarved(Canvas& c, const Style& s, int ox, int oy) {
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            Rgb col = s.base;
            if (x <= 2 || y <= 2) col = s.light;
            else if (x >= 17 || y >= 17) col = s.dark;
            c.Set(ox + x, oy + y, col);
        }
    c.Frame(ox, oy, kTile, kTile, s.ink);
    c.Frame(ox + 4, oy + 4, 12, 12, s.deep);
    c.Ring(ox + 10, oy + 10, 4, s.deep);
    c.Disc(ox + 10, oy + 10, 2, s.light);
    c.Set(ox + 9, oy + 9, kWhite);
    c.Set(ox, oy, kKey);
    c.Set(ox + 19, oy, kKey);
    c.Set(ox, oy + 19, kKey);
    c.Set(ox + 19, oy + 19, kKey);
}

// Pieces that nothing stands on: drawn on the colour key.
void DrawDecor(Canvas& c, const Style& s, int ox, int oy, int which) {
    switch (which) {
        case 0:  // a tuft of grass on the ground line
            for (int i = 0; i < 7; ++i) {
                const int bx = 3 + i * 2;
                const int h = 5 + static_cast<int>(TileHash(static_cast<uint32_t>(i), s.seed) % 6);
                const int lean = (i % 3) - 1;
                for (int y = 0; y < h; ++y) {
                    const int x = bx + (lean * y) / 3;
                    c.Set(ox + x, oy + 19 - y, y > h - 3 ? kLeaf : kGrass);
                }
            }
            break;
        case 1: {  // pebbles
            const int px[] = {4, 10, 15};
            const int pr[] = {2, 3, 2};
            for (int i = 0; i < 3; ++i) {
                c.Disc(ox + px[i], oy + 19 - pr[i], pr[i], kStone);
                c.Set(ox + px[i] - 1, oy + 18 - pr[i], kStoneLight);
                c.Set(ox + px[i] + pr[i] - 1, oy + 19, kStoneDark);
            }
            break;
        }
        case 2:  // hollow: the dark inside of the ground, passable
            for (int y = 0; y < kTile; ++y)
                for (int x = 0; x < kTile; ++x) c.Set(ox + x, oy + y, TileSpeck(x, y, s.seed, 10) ? s.deep : kNight);
            break;
        case 3:  // bamboo fence with a rope
            for (int x = 2; x < kTile; x += 5) {
                for (int y = 6; y < kTile; ++y) c.Set(ox + x, oy + y, y % 5 == 0 ? kWood : kSand);
                c.Set(ox + x + 1, oy + 6, kInk);
                for (int y = 6; y < kTile; ++y) c.Set(ox + x + 1, oy + y, kWood);
                c.Set(ox + x, oy + 5, kInk);
            }
            for (int x = 0; x < kTile; ++x) {
                c.Set(ox + x, oy + 10, kEarth);
                c.Set(ox + x, oy + 11, x % 3 ? kEarthDark : kEarth);
            }
            break;
        case 4:  // vines hanging from above
            for (int i = 0; i < 4; ++i) {
                const int vx = 2 + i * 4;
                const int len = 8 + static_cast<int>(TileHash(static_cast<uint32_t>(i), s.seed + 3) % 11);
                for (int y = 0; y < len; ++y) {
                    const int x = vx + (y / 4) % 2;
                    c.Set(ox + x, oy + y, y % 3 == 2 ? kLeaf : kGrass);
                    if (y % 4 == 1) c.Set(ox + x + 1, oy + y, kPine);
                }
            }
            break;
        case 5: {  // a small stone lantern
            const int cx = ox + 10, base = oy + 19;
            c.Rect(cx - 4, base - 1, 9, 2, kStoneDark);
            c.Rect(cx - 1, base - 6, 3, 5, kStone);
            c.Rect(cx - 3, base - 10, 7, 4, kStone);
            c.Rect(cx - 1, base - 9, 3, 2, kAmber);
            c.Set(cx, base - 9, kGold);
            c.Rect(cx - 5, base - 12, 11, 2, kStoneLight);
            c.Rect(cx - 1, base - 14, 3, 2, kStoneLight);
            Canvas piece(kTile, kTile);
            for (int y = 0; y < kTile; ++y)
                for (int x = 0; x < kTile; ++x) piece.Set(x, y, c.Get(ox + x, oy + y));
            piece.Outline(kInk);
            c.Blit(piece, ox, oy);
            break;
        }
        default:
            break;
    }
}

// A platform of a style that rests on a beam: the slab keeps the upper
// twelve rows, and under it a timber beam, set into the wall behind at the
// platform's ends, carries it; where the platform ends, the beam shows its
// end grain.
void DrawLedgeOnBeam(Canvas& c, const Style& s, int ox, int oy, const Piece& p) {
    DrawSolid(c, s, ox, oy, p, false);
    constexpr int kSlabBottom = 12, kBeamBottom = 18;
    for (int y = kSlabBottom + 1; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) c.Set(ox + x, oy + y, kKey);
    for (int x = 0; x < kTile; ++x) {
        c.Set(ox + x, oy + kSlabBottom, s.ink);
        if (!(p.left && x == 0) && !(p.right && x == kTile - 1)) c.Set(ox + x, oy + kSlabBottom - 1, s.edgeShade);
    }
    if (p.left) c.Set(ox, oy + kSlabBottom, kKey);
    if (p.right) c.Set(ox + kTile - 1, oy + kSlabBottom, kKey);
    // The beam, two texels in from the slab's open ends.
    const int x0 = p.left ? 2 : 0, x1 = p.right ? kTile - 3 : kTile - 1;
    for (int x = x0; x <= x1; ++x) {
        c.Set(ox + x, oy + kSlabBottom + 1, kEarthDeep);  // the slab's shadow on it
        for (int y = kSlabBottom + 2; y < kBeamBottom; ++y) {
            const bool grain = (x * 5 + y * 3) % 13 == 0;
            c.Set(ox + x, oy + y, y == kSlabBottom + 2 ? kWood : (grain ? kEarthDark : kEarth));
        }
        c.Set(ox + x, oy + kBeamBottom, s.ink);
    }
    auto endGrain = [&](int ex, int edge) {
        for (int y = kSlabBottom + 1; y <= kBeamBottom; ++y) c.Set(ox + edge, oy + y, s.ink);
        for (int y = kSlabBottom + 1; y < kBeamBottom; ++y)
            for (int x = ex; x < ex + 4; ++x) c.Set(ox + x, oy + y, y == kSlabBottom + 1 || x == ex ? kSand : kWood);
        c.Set(ox + ex + 2, oy + kSlabBottom + 3, kEarth);  // the rings' heart
        c.Set(ox + ex + 1, oy + kSlabBottom + 4, kEarth);
    };
    if (p.left) endGrain(x0 + 1, x0);
    if (p.right) endGrain(x1 - 4, x1);
}

void DrawPiece(Canvas& c, const Style& s, int tile, int k) {
    const Piece& p = kPieces[k];
    const int ox = TileX(tile), oy = TileY(tile);
    if (s.onBeams && (k == 14 || k == 15 || k == 16 || k == 25)) {
        DrawLedgeOnBeam(c, s, ox, oy, p);
        return;
    }
    switch (p.look) {
        case Look::Solid:
            DrawSolid(c, s, ox, oy, p, false);
            break;
        case Look::Floor:
            DrawSolid(c, s, ox, oy, p, true);
            break;
        case Look::Narrow:
            DrawNarrow(c, s, ox, oy, p);
            break;
        case Look::Carved:
            DrawCarved(c, s, ox, oy);
            break;
        case Look::Decor:
            DrawDecor(c, s, ox, oy, p.variant);
            break;
    }
}

// One set of 40 tiles from tile `first` of the sheet on.
void DrawSet(Canvas& c, const Style& s, int first) {
    for (int k = 0; k < 40; ++k) DrawPiece(c, s, first + k, k);
}

// --- The styles ---------------------------------------------------------------

// Grass on dark earth: the forest and the riverside.
constexpr Style kForestStyle = {Fill::Earth, Top::Grass, Fill::Earth, Top::Path, kEarth, kEarthDark, kWood,
                           kEarthDeep, kWood, kEarthDark, kInk, 11};
// Mossy rock of the deep forest.
constexpr Style kMossRockStyle = {Fill::Stones, Top::Moss, Fill::Earth, Top::Path, kStoneDark, kNight, kStone,
                             kNight, kStone, kNight, kInk, 23};
// Dry-stone walls: river banks, castle walls, the tower's base.
constexpr Style kStoneStyle = {Fill::Stones, Top::Capstone, Fill::Flagstones, Top::Slab, kStone, kStoneDark,
                          kStoneLight, kNight, kStoneLight, kStoneDark, kInk, 5, true};
// Wet stones of the river bank.
constexpr Style kRiverStoneStyle = {Fill::Stones, Top::Moss, Fill::Flagstones, Top::Slab, kSlate, kNavy, kMist,
                               kNight, kMist, kNavy, kInk, 31};
// White plaster walls under a tiled coping.
constexpr Style kCastleStyle = {Fill::Plaster, Top::RoofCap, Fill::Boards, Top::PlankEdge, kCream, kStoneLight,
                           kWhite, kSlate, kWhite, kStoneLight, kInk, 41};
// Roof tiles.
constexpr Style kRoofStyle = {Fill::RoofTiles, Top::RoofCap, Fill::RoofTiles, Top::RoofCap, kSlate, kNavy, kMist,
                         kNight, kMist, kNavy, kInk, 47};
// Planks and beams.
constexpr Style kWoodStyle = {Fill::Planks, Top::PlankEdge, Fill::Boards, Top::PlankEdge, kWood, kEarth, kSand,
                              kEarthDark, kSand, kEarth, kInk, 53};
// The tower: dark timber with panels.
constexpr Style kTowerStyle = {Fill::Timber, Top::PlankEdge, Fill::Boards, Top::PlankEdge, kEarth, kEarthDark, kWood,
                          kNight, kWood, kEarthDark, kInk, 59};
// The boss hall: vermilion lacquer and gold.
constexpr Style kHallStyle = {Fill::Lacquer, Top::GoldRim, Fill::Boards, Top::GoldRim, kRed, kCrimson, kCoral,
                         kNight, kCoral, kCrimson, kInk, 61};
// Walls behind the play field: low contrast, no outline.
constexpr Style kBackWallStyle = {Fill::BackStones, Top::Slab, Fill::BackStones, Top::Slab, kDusk, kNavy, kMauve,
                             kNight, kMauve, kNavy, kNight, 67};
// Dark rock with glowing seams.
constexpr Style kRockStyle = {Fill::Rock, Top::Ember, Fill::Rock, Top::Ember, kStoneDark, kNight, kStone,
                         kInk, kStone, kNight, kInk, 71};

// --- Special tiles -------------------------------------------------------------

// The plank bridge of the forest (set 1200): a deck of planks laid across
// a gully. Its ends (piece 0 left, 2 right) rest on the banks, a knee brace
// under each set against the bank's face; the middle (3) carries a short
// king post hung from the deck with a strut from each end of the piece to
// its foot, a truss under the planks that touches nothing but the deck.
// Piece 1 is the plain deck.
void DrawBridge(Canvas& c, int tile, int piece) {
    const int ox = TileX(tile), oy = TileY(tile);
    // Deck: rows 0..6.
    for (int x = 0; x < kTile; ++x) {
        c.Set(ox + x, oy + 0, kInk);
        c.Set(ox + x, oy + 1, kSand);
        for (int y = 2; y <= 4; ++y) c.Set(ox + x, oy + y, x % 5 == 4 ? kEarth : kWood);
        c.Set(ox + x, oy + 5, kEarth);
        c.Set(ox + x, oy + 6, kInk);
    }
    // A timber two texels thick from (x0, y0) to (x1, y1), lit on its upper
    // side, outlined; drawn in two passes so the outline never cuts the wood.
    auto timber = [&](int x0, int y0, int x1, int y1) {
        const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
        for (int pass = 0; pass < 2; ++pass)
            for (int i = 0; i <= steps; ++i) {
                const int x = x0 + (x1 - x0) * i / steps, y = y0 + (y1 - y0) * i / steps;
                for (int d = -1; d <= 2; ++d) {
                    const int yy = y + d;
                    if (x < 0 || x >= kTile || yy < 7 || yy >= kTile) continue;
                    const bool edge = d == -1 || d == 2;
                    if (pass == 0 && edge) c.Set(ox + x, oy + yy, kInk);
                    if (pass == 1 && !edge) c.Set(ox + x, oy + yy, d == 0 ? kWood : kEarth);
                }
            }
    };
    if (piece == 0) timber(0, 15, 10, 7);  // braced against the bank on the left
    if (piece == 2) timber(19, 15, 9, 7);  // and on the right
    if (piece == 3) {
        timber(0, 7, 8, 14);
        timber(19, 7, 11, 14);
        for (int y = 7; y <= 16; ++y) {  // the king post
            c.Set(ox + 8, oy + y, kInk);
            c.Set(ox + 9, oy + y, kSand);
            c.Set(ox + 10, oy + y, kEarth);
            c.Set(ox + 11, oy + y, kInk);
        }
        for (int x = 8; x <= 11; ++x) c.Set(ox + x, oy + 17, kInk);
    }
}

// Conveyor belts (sheet 150): piece 0 left end, 1 middle, 2 right end,
// 3 single; five pictures each, the slats moving 4 texels a picture.
void DrawConveyor(Canvas& c, int tile, int piece, int phase) {
    const int ox = TileX(tile), oy = TileY(tile);
    const bool leftEnd = piece == 0 || piece == 3;
    const bool rightEnd = piece == 2 || piece == 3;
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            Rgb col = kEarth;
            // Belt: rows 1..4 on top, rows 15..18 below; slats every 4.
            const bool topBelt = y >= 1 && y <= 4;
            const bool lowBelt = y >= 15 && y <= 18;
            if (topBelt || lowBelt) {
                const int slat = ((x - phase * 4 * (topBelt ? 1 : -1)) % 4 + 4) % 4;
                col = slat == 0 ? kNight : (y == 1 || y == 15 ? kStone : kStoneDark);
            } else if (y == 0 || y == 19 || y == 5 || y == 14) {
                col = kInk;
            } else {
                // The frame between the belts with a roller every ten texels.
                const int rx = ((x - 5) % 10 + 10) % 10;
                const int ry = y - 9;
                if (rx >= 3 && rx <= 7 && ry >= -2 && ry <= 2) {
                    const bool spoke = (phase + rx + ry) % 5 == 0;
                    col = spoke ? kStoneDark : (rx < 5 && ry < 0 ? kStoneLight : kStone);
                    if (rx == 5 && ry == 0) col = kInk;
                } else {
                    col = y == 6 ? kSand : (TileSpeck(x, y, 77, 8) ? kEarthDark : kWood);
                }
            }
            c.Set(ox + x, oy + y, col);
        }
    if (leftEnd)
        for (int y = 0; y < kTile; ++y) {
            c.Set(ox, oy + y, kInk);
            c.Set(ox + 1, oy + y, y > 0 && y < 19 ? kStoneLight : kInk);
        }
    if (rightEnd)
        for (int y = 0; y < kTile; ++y) {
            c.Set(ox + 19, oy + y, kInk);
            c.Set(ox + 18, oy + y, y > 0 && y < 19 ? kStoneDark : kInk);
        }
    if (leftEnd) {
        c.Set(ox, oy, kKey);
        c.Set(ox, oy + 19, kKey);
    }
    if (rightEnd) {
        c.Set(ox + 19, oy, kKey);
        c.Set(ox + 19, oy + 19, kKey);
    }
}

// Damaging tiles (sheet 308, tiles 24..27): spikes up, a thorn bramble,
// spikes down and a bed of embers, each on dark rock and outlined, so that
// they read as danger at a glance.
void DrawHazard(Canvas& c, int tile, int kind) {
    const int ox = TileX(tile), oy = TileY(tile);
    Canvas t(kTile, kTile, kKey);
    auto rockRows = [&](int from, int to) {
        for (int y = from; y <= to; ++y)
            for (int x = 0; x < kTile; ++x) t.Set(x, y, FillTone(kRockStyle, Fill::Rock, x, y, 0));
    };
    auto spike = [&](int cx, int baseY, int tipY) {
        // A steel spike from its base to its tip, lit from the left.
        const int dir = tipY < baseY ? -1 : 1;
        const int len = std::abs(baseY - tipY);
        for (int i = 0; i <= len; ++i) {
            const int half = std::max(0, 3 - i * 4 / len);
            for (int dx = -half; dx <= half; ++dx) {
                Rgb col = dx < 0 ? kStoneLight : kStone;
                if (dx == -half) col = kWhite;
                else if (dx == half && half > 0) col = kStoneDark;
                t.Set(cx + dx, baseY + dir * i, col);
            }
        }
    };
    switch (kind) {
        case 0:
        case 2: {
            const bool up = kind == 0;
            rockRows(up ? 13 : 0, up ? 19 : 6);
            for (int cx : {3, 10, 16}) spike(cx, up ? 12 : 7, up ? 1 : 18);
            break;
        }
        case 1:
            // Bramble: thorny stems tangled over dark ground.
            rockRows(14, 19);
            for (int y = 2; y < 15; ++y)
                for (int x = 1; x < 19; ++x) {
                    const int a = (x * 3 + y * 2) % 10, b = (x * 2 + 30 - y * 3) % 11;
                    if (a == 0 || b == 0) t.Set(x, y, (x + y) % 3 ? kPineDark : kPine);
                    if ((a == 0 || b == 0) && (x * 7 + y) % 6 == 0) {
                        t.Set(x, y, kRed);
                        t.Set(x, y - 1, kRose);
                    }
                }
            break;
        default:
            // Embers: glowing coals under licking flames.
            rockRows(12, 19);
            for (int x = 0; x < kTile; ++x) {
                const int h = 4 + static_cast<int>(TileHash(static_cast<uint32_t>(x / 2), 93) % 7);
                for (int y = 11; y > 11 - h; --y) {
                    const int d = 11 - y;
                    t.Set(x, y, d < h / 3 ? kGold : (d < 2 * h / 3 ? kAmber : kCoral));
                }
            }
            for (int x = 1; x < kTile; x += 3) t.Set(x, 12, kRed);
            break;
    }
    t.Outline(kInk);
    // The outline must not leave the cell.
    c.Blit(t, ox, oy);
}

// One-way platforms (sheet 309): a board on brackets, passable from the
// sides in the contact tests.
void DrawOneWay(Canvas& c, int tile, int piece) {
    const int ox = TileX(tile), oy = TileY(tile);
    for (int x = 0; x < kTile; ++x) {
        c.Set(ox + x, oy + 0, kInk);
        c.Set(ox + x, oy + 1, kSand);
        c.Set(ox + x, oy + 2, kWood);
        c.Set(ox + x, oy + 3, x % 7 == 3 ? kEarthDark : kWood);
        c.Set(ox + x, oy + 4, kEarth);
        c.Set(ox + x, oy + 5, kInk);
    }
    // Brackets under the board.
    for (int b : {4, 15}) {
        for (int i = 0; i < 5; ++i) {
            c.Set(ox + b, oy + 6 + i, kInk);
            c.Set(ox + b + 1, oy + 6 + i, i < 4 - i ? kEarth : kKey);
        }
        c.Set(ox + b - 1, oy + 6, kInk);
    }
    if (piece == 0 || piece == 3) {
        for (int y = 0; y <= 5; ++y) c.Set(ox, oy + y, kInk);
        c.Set(ox, oy, kKey);
    }
    if (piece == 2 || piece == 3) {
        for (int y = 0; y <= 5; ++y) c.Set(ox + 19, oy + y, kInk);
        c.Set(ox + 19, oy, kKey);
    }
}

// The stone pedestal of the last scene room (state 1472): stacks with
// itself into a carved column.
void DrawPedestal(Canvas& c, int tile) {
    const int ox = TileX(tile), oy = TileY(tile);
    for (int y = 0; y < kTile; ++y)
        for (int x = 1; x < 19; ++x) {
            Rgb col = kStone;
            if (x <= 3) col = kStoneLight;
            else if (x >= 16) col = kStoneDark;
            if (y <= 2) col = y == 1 ? kWhite : kStoneLight;
            if (y >= 17) col = y == 19 ? kInk : kStoneDark;
            c.Set(ox + x, oy + y, col);
        }
    for (int y = 0; y < kTile; ++y) {
        c.Set(ox + 1, oy + y, kInk);
        c.Set(ox + 18, oy + y, kInk);
    }
    for (int x = 1; x < 19; ++x) c.Set(ox + x, oy, kInk);
    // A lotus carved in the face.
    c.Rect(ox + 6, oy + 12, 8, 2, kStoneDark);
    c.Polygon({{ox + 10, oy + 5}, {ox + 13, oy + 11}, {ox + 7, oy + 11}}, kStoneLight);
    c.Polygon({{ox + 6, oy + 7}, {ox + 9, oy + 12}, {ox + 5, oy + 12}}, kStoneLight);
    c.Polygon({{ox + 14, oy + 7}, {ox + 15, oy + 12}, {ox + 11, oy + 12}}, kStoneLight);
    c.Set(ox + 10, oy + 6, kWhite);
    c.Set(ox + 1, oy, kKey);
    c.Set(ox + 18, oy, kKey);
}

// The platforms that each stage sets in the air, of its own kind (the
// platform pieces 14, 15, 16 and 25 of a set). `left` and `right` tell
// which ends of the piece lie open.

// The river's stepping stones: one wet boulder a cell, its flat top furred
// with moss where the feet land, lit from the upper left, its foot darkening
// where it goes under the water (its pier of stacked stones stands below it
// in the backdrop). Stones side by side meet at a dark seam.
void DrawSteppingStone(Canvas& c, int tile, bool left, bool right) {
    Canvas t(kTile, kTile, kKey);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            // The boulder's outline: rounded top corners at the open ends,
            // its flanks bulging a little and tucking in toward its foot.
            const int fromLeft = left ? x : 99, fromRight = right ? kTile - 1 - x : 99;
            const int end = std::min(fromLeft, fromRight);
            const int tuck = y < 3 ? 3 - y : (y > 13 ? (y - 13) / 2 : 0);
            if (end < tuck) continue;
            Rgb col = kSlate;
            if (y <= 1) col = y == 0 ? kLeaf : kGrass;              // moss on the top
            else if (y == 2) col = (x * 7) % 5 == 0 ? kGrass : kPine;  // moss hanging over the edge
            else if (y == 3 && x % 6 == 2) col = kPine;
            else if (end == tuck || (left && x == 1 && y < 14)) col = left && x < 10 ? kMist : kNavy;
            else if (y >= 15) col = (x + y) % 2 ? kNavy : kNight;   // wet, going under
            else if (y == 14) col = kNavy;
            else if (y == 4 && x > 2 && x < 12) col = kMist;          // the lit brow
            else if ((x + 2 * y) % 11 == 0 && y > 5 && y < 12) col = kNavy;  // a crack
            else if (x > 13 && !right) col = (x + y) % 3 ? kSlate : kNavy;
            if (y + 1 < kTile) t.Set(x, y + 1, col);  // a row down: the outline runs along the top
        }
    if (!left)
        for (int y = 2; y < 16; ++y) t.Set(0, y, kNight);  // the seam to the stone on the left
    t.Outline(kInk);
    c.Blit(t, TileX(tile), TileY(tile));
}

// The castle's ledges: a short roof of its own over the wall, as the tops of
// its walls are roofed: a ridge cap of round tiles where the feet stand, a
// course of tiles and the row of end tiles at the eaves, and under them the
// rafters' ends in the shade. Grey tiles, lighter than the roofs behind.
void DrawRoofLedge(Canvas& c, int tile, bool left, bool right) {
    Canvas t(kTile, kTile, kKey);
    constexpr int kEaves = 12;  // the row of end tiles
    for (int y = 0; y <= kEaves + 5; ++y)
        for (int x = 0; x < kTile; ++x) {
            // The roof flares out a texel at the eaves; its ends are cut in.
            const int inset = y <= kEaves ? 1 : 2;
            if ((left && x < inset) || (right && x > kTile - 1 - inset)) continue;
            Rgb col;
            const int cx = x % 4;
            if (y <= 2) col = y == 0 ? kStoneLight : (cx == 0 ? kStoneDark : kStone);  // the ridge cap
            else if (y == 3) col = kNight;
            else if (y < kEaves) {
                // Tiles down the slope, columns four texels apart, lit on their crowns.
                const int course = (y - 4) % 4;
                if (course == 3) col = cx == 0 ? kNight : kStoneDark;
                else col = cx == 0 ? kStoneDark : (cx == 1 ? kStoneLight : kStone);
            } else if (y == kEaves) col = cx == 0 ? kNight : (cx == 1 ? kStoneLight : kStone);  // end tiles
            else if (y == kEaves + 1) col = cx == 0 ? kNight : kStoneDark;
            else if (y == kEaves + 2) col = kNight;
            else col = (x % 5 == 1 || x % 5 == 2) ? (y == kEaves + 3 ? kWood : kEarth) : kKey;  // rafters
            if (col == kKey) continue;
            t.Set(x, y + 1, col);  // a row down: the outline runs along the top, where the feet stand
        }
    t.Outline(kInk);
    c.Blit(t, TileX(tile), TileY(tile));
}

// The tower's ledges: a squared beam run out through the posts of the wall
// behind it, its top planed where the feet stand (lit, under the outline),
// its open ends showing their end grain and the wedge that locks the beam
// in the post. The outline runs along the top row, where the feet stand,
// and round the open ends.
void DrawTowerBeam(Canvas& c, int tile, bool left, bool right) {
    Canvas t(kTile, kTile, kKey);
    constexpr int kBottom = 10;  // the beam's lowest row
    const int x0 = left ? 1 : 0, x1 = right ? kTile - 2 : kTile - 1;
    for (int y = 1; y <= kBottom; ++y)
        for (int x = x0; x <= x1; ++x) {
            Rgb col = kWood;
            if (y == 1) col = kSand;                               // the planed top
            else if (y == 2) col = (x * 3) % 7 == 0 ? kWood : kSand;
            else if (y == 3) col = kEarth;                         // the top's far edge
            else if (y == kBottom) col = kEarthDark;
            else if (y >= kBottom - 2) col = kEarth;
            else if ((x * 5 + y * 3) % 11 == 0) col = kEarth;      // grain
            t.Set(x, y, col);
        }
    auto end = [&](bool atLeft) {
        // End grain: rings round a dark heart, lit from the upper left.
        for (int y = 2; y < kBottom; ++y)
            for (int i = 0; i < 4; ++i) {
                const int x = atLeft ? x0 + i : x1 - i;
                const int ring = std::max(std::abs(i - 2), std::abs(y - 6) / 2);
                t.Set(x, y, ring == 0 ? kEarth : (ring == 1 ? kWood : kSand));
            }
        // The wedge through the tenon.
        const int wx = atLeft ? x0 + 6 : x1 - 6;
        for (int y = 3; y < kBottom - 1; ++y) t.Set(wx, y, y == 3 ? kWood : kEarthDeep);
    };
    if (left) end(true);
    if (right) end(false);
    t.Outline(kInk);
    for (int x = x0; x <= x1; ++x) t.Set(x, 0, kInk);
    c.Blit(t, TileX(tile), TileY(tile));
}

// The tower's other ledge: a landing of floor boards laid on joists whose
// square ends show under its edge; the boards' tops lit where the feet
// stand, their ends along the front, the outline along the top row.
void DrawTowerShelf(Canvas& c, int tile, bool left, bool right) {
    Canvas t(kTile, kTile, kKey);
    const int x0 = left ? 1 : 0, x1 = right ? kTile - 2 : kTile - 1;
    for (int y = 1; y <= 6; ++y)
        for (int x = x0; x <= x1; ++x) {
            const int board = x % 5;
            Rgb col;
            if (y == 1) col = board == 4 ? kSand : kCream;               // the boards' tops
            else if (y == 2) col = board == 4 ? kWood : kSand;
            else if (y == 6) col = kEarthDark;
            else col = board == 4 ? kEarthDeep : (board == 0 || y == 3 ? kSand : kWood);  // the boards' ends
            t.Set(x, y, col);
        }
    // The joists' ends under the boards: one to each end and the middle.
    std::vector<int> joists = {8};
    if (left || !right) joists.push_back(x0 + 2);
    if (right || !left) joists.push_back(x1 - 5);
    for (int jx : joists)
        for (int y = 7; y <= 11; ++y)
            for (int x = jx; x < jx + 4; ++x)
                t.Set(x, y, y == 7 || x == jx ? kSand : (y == 11 || x == jx + 3 ? kEarth : kWood));
    t.Outline(kInk);
    for (int x = x0; x <= x1; ++x) t.Set(x, 0, kInk);
    c.Blit(t, TileX(tile), TileY(tile));
}

// The platform pieces 14 (left end), 15 (middle), 16 (right end) and 25
// (single) of the set that begins at tile `first`; with `floor`, the floor
// pieces 27, 26, 28 and 31 instead.
template <typename Draw>
void DrawPlatforms(Canvas& c, int first, Draw draw, bool floor = false) {
    // Each platform replaces the style's own piece: the cell is cleared first.
    for (int k : {14, 15, 16, 25, 26, 27, 28, 31})
        if ((k >= 26) == floor) c.Rect(TileX(first + k), TileY(first + k), kTile, kTile, kKey);
    draw(c, first + (floor ? 27 : 14), true, false);
    draw(c, first + (floor ? 26 : 15), false, false);
    draw(c, first + (floor ? 28 : 16), false, true);
    draw(c, first + (floor ? 31 : 25), true, true);
}

// --- The castle's stone base ----------------------------------------------------
//
// The castle stands on a base of large fitted stones: rough courses of
// stones of many widths, the joints slanting a little and the courses
// stepping up and down, in warm and cool greys lit from the upper left. One
// laying covers three cells by two (60 x 40 texels) and wraps; the two
// layings share the stones that cross their edges, so that the map mixes
// them block by block and no stone repeats on the cells' grid.
constexpr int kLayW = 60, kLayH = 40;
constexpr int kCourseTops[] = {2, 15, 27};  // the last course runs on over the laying's foot
constexpr int kCourses = 3;

int Wrap(int v, int n) { return ((v % n) + n) % n; }

// A joint between two stones of a course: its place at the course's top
// and how far it leans, in texels per four rows.
struct StoneJoint {
    int x, lean;
};

// The joints of course k in laying p, from the joint left of the stone that
// crosses the laying's left edge to the same joint one laying on. The stone
// across the edge, and every stone of the course across the foot, are the
// same in both layings.
bool SharedCourse(int k) { return k == kCourses - 1; }

std::vector<StoneJoint> CourseJoints(int k, int p) {
    const uint32_t kk = static_cast<uint32_t>(k);
    const uint32_t q = SharedCourse(k) ? 0u : static_cast<uint32_t>(p) + 1u;
    auto lean = [](uint32_t h) { return static_cast<int>(h % 3) - 1; };
    const int left = 4 + static_cast<int>(TileHash(kk, 411) % 9), right = 4 + static_cast<int>(TileHash(kk, 412) % 10);
    std::vector<StoneJoint> joints = {{-left, lean(TileHash(kk, 413))}, {right, lean(TileHash(kk, 414))}};
    int x = right;
    for (uint32_t i = 0;; ++i) {
        // Mostly large stones, now and then a small one wedged between.
        const uint32_t h = TileHash(i, kk * 7 + q, 415);
        const int w = h % 7 == 0 ? 5 + static_cast<int>((h >> 8) % 3) : 10 + static_cast<int>((h >> 8) % 16);
        if (x + w > kLayW - left - 7) break;
        x += w;
        joints.push_back({x, lean(TileHash(i, kk * 7 + q, 416))});
    }
    joints.push_back({kLayW - left, joints[0].lean});
    return joints;
}

// The stone of course k at column x in laying p, counted from the stone
// across the laying's left edge (0), at row r of the course; -1 on a joint.
int StoneIndex(int k, int p, int x, int r) {
    const std::vector<StoneJoint> joints = CourseJoints(k, p);
    const int n = static_cast<int>(joints.size());
    for (int shift : {0, -kLayW, kLayW})
        for (int i = 0; i + 1 < n; ++i) {
            const int a = joints[i].x + joints[i].lean * r / 4 + shift;
            const int b = joints[i + 1].x + joints[i + 1].lean * r / 4 + shift;
            if (x > a && x < b) return i;
        }
    return -1;
}

bool SharedStone(int k, int i) { return SharedCourse(k) || i == 0; }

// Where course k ends at x: each of its stones sits a little higher or
// lower, so the stones of the course below are cut to fit under them.
int CourseBottom(int k, int p, int x) {
    const int next = k + 1 < kCourses ? kCourseTops[k + 1] : kCourseTops[0] + kLayH;
    int i = StoneIndex(k, p, Wrap(x, kLayW), next - kCourseTops[k] - 1);
    if (i < 0) i = StoneIndex(k, p, Wrap(x + 1, kLayW), next - kCourseTops[k] - 1);
    const uint32_t seed = SharedStone(k, i) ? 0u : static_cast<uint32_t>(p) + 1u;
    return next + static_cast<int>(TileHash(static_cast<uint32_t>(i), static_cast<uint32_t>(k) * 5 + seed, 417) % 4) - 1;
}

int CourseTop(int k, int p, int x) {
    if (k == 0) return CourseBottom(kCourses - 1, p, x) - kLayH;
    return CourseBottom(k - 1, p, x);
}

// The stone of each texel of a laying (-1 on a joint): stones shared by
// both layings carry the same number in each.
struct Laying {
    int stone[kLayH][kLayW];
    int At(int x, int y) const { return stone[Wrap(y, kLayH)][Wrap(x, kLayW)]; }
};

Laying MakeLaying(int p) {
    Laying lay{};
    for (int y = 0; y < kLayH; ++y)
        for (int x = 0; x < kLayW; ++x) {
            int k = kCourses - 1, yy = y;
            if (y < CourseTop(0, p, x)) yy = y + kLayH;
            else
                for (int c = 0; c < kCourses - 1; ++c)
                    if (y >= CourseTop(c, p, x) && y < CourseTop(c + 1, p, x)) k = c;
            const int top = CourseTop(k, p, x), bottom = CourseBottom(k, p, x);
            int id = -1;
            if (yy < bottom - 1) {
                const int i = StoneIndex(k, p, x, yy - kCourseTops[k]);
                if (i >= 0) id = SharedStone(k, i) ? k * 100 + i : 1000 + p * 500 + k * 100 + i;
            }
            (void)top;
            lay.stone[y][x] = id;
        }
    return lay;
}

constexpr int kLayings = 4;

const Laying& LayingOf(int p) {
    static const Laying lays[kLayings] = {MakeLaying(0), MakeLaying(1), MakeLaying(2), MakeLaying(3)};
    return lays[p];
}

// A stone's tones: cool or warm grey, a few weathered dark.
struct StoneTones {
    Rgb lit, body, shade;
};

StoneTones TonesOf(int stone) {
    const uint32_t h = TileHash(static_cast<uint32_t>(stone), 421) % 20;
    if (h < 9) return {kStoneLight, kStone, kStoneDark};
    if (h < 17) return {kStoneWarmLight, kStoneWarm, kStoneDark};
    return {kStone, kStoneDark, kNight};
}

// Texel (x, y) of laying p: thin joints in shadow, each stone lit along its
// top and the upper part of its left side, shaded along its bottom and
// right, its lower right corner rounded off into the joint.
Rgb CastleStone(int p, int x, int y) {
    const Laying& lay = LayingOf(p);
    const int s = lay.At(x, y);
    if (s < 0) return kNight;
    const bool up = lay.At(x, y - 1) != s, down = lay.At(x, y + 1) != s;
    const bool leftOpen = lay.At(x - 1, y) != s, rightOpen = lay.At(x + 1, y) != s;
    if (down && rightOpen) return kNight;
    const StoneTones t = TonesOf(s);
    if (up && !rightOpen) return t.lit;
    if (down || rightOpen) return t.shade;
    if (leftOpen) return lay.At(x, y - 3) != s || lay.At(x, y - 4) != s ? t.lit : t.body;
    // A second lit row along the top of the left part of the stone.
    if (lay.At(x, y - 2) != s && lay.At(x - 5, y) == s && (x + y) % 2 == 0) return t.lit;
    if (TileSpeck(x, y, static_cast<uint32_t>(s) + 431, 3)) return t.shade;
    return t.body;
}

// The capstones along the top of the base, where the feet stand: a lit top
// surface over the stones' front faces, their joints the same across the
// edges of the layings, the shadow they cast on the stones below.
bool CapJoint(int p, int x) {
    x = Wrap(x, kLayW);
    if (x == 52) return true;
    switch (p) {
        case 0: return x == 24;
        case 1: return x == 14 || x == 33;
        case 2: return x == 29;
        default: return x == 19 || x == 38;
    }
}

constexpr int kCapDepth = 8;  // rows 0..7 the capstones, row 8 their shadow

Rgb Capstone(int p, int x, int y, Rgb below) {
    const bool joint = CapJoint(p, x);
    const bool capLeft = CapJoint(p, x - 1);
    switch (y) {
        case 0: return kInk;
        case 1: return joint ? kStoneLight : kWhite;
        case 2:
        case 3: return joint ? kStoneDark : (capLeft ? kWhite : kStoneLight);
        case 4: return joint ? kNight : kStone;
        case 5:
        case 6: return joint ? kNight : (capLeft ? kStoneLight : (TileSpeck(x, y, 441, 6) ? kStoneDark : kStone));
        case 7: return joint ? kNight : kStoneDark;
        case 8: return kNight;
        default: return below;
    }
}

// The dressed stones at the corners of the base, long and short in turn
// down the corner (two pictures, `lower` the second, stacked in turn), a
// rough stone filling in behind each short one, with the face's outline:
// lit on the left face, in shade on the right.
Rgb CornerStone(bool left, bool lower, int x, int y) {
    const int fx = left ? x : kTile - 1 - x;  // texels in from the face
    if (fx == 0) return kInk;
    const int split = lower ? 9 : 12;          // the long stone's rows, then the short one's
    const bool longStone = y < split;
    const int cy = longStone ? y : y - split, rows = longStone ? split : kTile - split;
    const int width = longStone ? 19 : (lower ? 9 : 12);
    if (cy == rows - 1 || fx == width) return kNight;
    if (fx > width) {
        // The rough stone behind the short corner stone.
        if (fx == kTile - 1 || (cy == rows - 2 && fx == kTile - 2)) return kNight;
        if (cy == 0 || fx == width + 1) return lower ? kStoneLight : kStoneWarmLight;
        if (cy == rows - 2 || fx == kTile - 2) return kStoneDark;
        return lower ? kStone : kStoneWarm;
    }
    if (cy == 0) return left ? kWhite : kStoneLight;
    if (fx == 1) return left ? kStoneLight : kStoneDark;
    if (cy == rows - 2 || fx == width - 1) return kStoneDark;
    if (!left && fx <= 3) return kStoneDark;
    return TileSpeck(x, y, 451, 4) ? kStoneDark : kStone;
}

// The heavy timber lintel under a stone mass that spans a passage: its lit
// top against the stones, iron bands with studs, the dark under it and the
// outline; at an open end, the beam's end grain.
Rgb Lintel(int x, int y, bool leftEnd, bool rightEnd) {
    if (y == 0) return kNight;
    if (y == 19) return kInk;
    if ((leftEnd && x == 0) || (rightEnd && x == kTile - 1)) return kInk;
    const int fromEnd = leftEnd ? x : (rightEnd ? kTile - 1 - x : 99);
    if (fromEnd <= 5 && y >= 2 && y <= 15) {
        // End grain, lit from the upper left.
        if (y == 2 || fromEnd == 1) return kSand;
        if (fromEnd == 5 || y == 15) return kEarth;
        return (fromEnd + y) % 4 == 0 ? kEarth : kWood;
    }
    if (y == 1) return kEarthDark;
    if (y == 2) return kWood;
    if (y >= 16) return y == 16 ? kEarthDeep : (x % 5 == 2 ? kEarthDark : kEarthDeep);  // joists in the dark
    const int band = Wrap(x - 8, kTile);
    if (band <= 3 && y >= 4 && y <= 14) {
        if ((y == 6 || y == 12) && (band == 1 || band == 2)) return band == 1 ? kStoneLight : kStone;  // studs
        return band == 0 ? kStoneDark : kNight;
    }
    if (y == 15) return kEarthDark;
    return (x * 5 + y * 3) % 13 == 0 ? kEarthDark : kEarth;
}

// A slab of the base one cell thick, set in the air: its capstones over one
// course of two dressed stones, its underside in shade over the outline;
// at an open end, the outline down its side.
Rgb SlabStone(bool leftEnd, bool rightEnd, int x, int y) {
    if ((leftEnd && x == 0) || (rightEnd && x == kTile - 1) || y == kTile - 1) return kInk;
    if (y == kTile - 2) return kNight;  // the shade under the slab
    Rgb stone;
    const int sx = x < 12 ? x : x - 12, width = x < 12 ? 12 : 8;
    if (sx == width - 1 || y == kTile - 3) stone = kNight;                    // the joints
    else if (y == kCapDepth + 1 || sx == 0) stone = x < 12 ? kStoneLight : kStoneWarmLight;
    else if (y == kTile - 4 || sx == width - 2) stone = kStoneDark;
    else stone = x < 12 ? kStone : kStoneWarm;
    if (leftEnd && x == 1 && y > 0) return y <= 3 ? kWhite : kStoneLight;
    return Capstone(0, x, y, stone);
}

// The pieces of the castle's base, one picture per cell of a laying where
// the stones run on: piece f of laying p at column px (0..2) and row py
// (0..1) of the laying.
enum class BasePiece { Fill, Top, TopLeft, TopRight, LeftFace, RightFace, Under, UnderLeft, UnderRight, Slab, SlabLeft, SlabRight };

void DrawCastleBase(Canvas& c, int tile, BasePiece piece, int p = 0, int px = 0, int py = 0) {
    const int ox = TileX(tile), oy = TileY(tile);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            const int lx = px * kTile + x, ly = py * kTile + y;
            Rgb col = kKey;
            switch (piece) {
                case BasePiece::Fill: col = CastleStone(p, lx, ly); break;
                case BasePiece::Top: col = Capstone(p, lx, y, CastleStone(p, lx, ly)); break;
                case BasePiece::TopLeft:
                case BasePiece::TopRight: {
                    const bool left = piece == BasePiece::TopLeft;
                    col = Capstone(0, lx, y, CornerStone(left, true, x, y));
                    if (y <= kCapDepth && (left ? x == 0 : x == kTile - 1)) col = kInk;
                    if (y >= 1 && y <= 3 && (left ? x == 1 : false)) col = kWhite;
                    break;
                }
                case BasePiece::LeftFace: col = CornerStone(true, py == 1, x, y); break;
                case BasePiece::RightFace: col = CornerStone(false, py == 1, x, y); break;
                case BasePiece::Under: col = Lintel(x, y, false, false); break;
                case BasePiece::UnderLeft: col = Lintel(x, y, true, false); break;
                case BasePiece::UnderRight: col = Lintel(x, y, false, true); break;
                case BasePiece::Slab:
                case BasePiece::SlabLeft:
                case BasePiece::SlabRight: col = SlabStone(piece == BasePiece::SlabLeft, piece == BasePiece::SlabRight, x, y); break;
            }
            c.Set(ox + x, oy + y, col);
        }
    // Round the open corners.
    if (piece == BasePiece::TopLeft || piece == BasePiece::UnderLeft || piece == BasePiece::SlabLeft)
        c.Set(ox, oy + (piece == BasePiece::UnderLeft ? 19 : 0), kKey);
    if (piece == BasePiece::TopRight || piece == BasePiece::UnderRight || piece == BasePiece::SlabRight)
        c.Set(ox + 19, oy + (piece == BasePiece::UnderRight ? 19 : 0), kKey);
    if (piece == BasePiece::SlabLeft) c.Set(ox, oy + 19, kKey);
    if (piece == BasePiece::SlabRight) c.Set(ox + 19, oy + 19, kKey);
}

// Where the castle's base pieces lie: the full-cell pieces of the castle's
// sets (ids 20560-20599 on tiles 0..39, 20160-20199 on tiles 96..135), in
// this order: the fills of layings A and B (for each, columns 0..2 of its
// upper row, then of its lower), their tops, then the top-left, top-right,
// left face, right face and underside; the second set: the underside's left
// and right ends, the fills of layings C and D, their tops, and the left and
// right faces' second pictures (for the rows between).
constexpr int kFullCellPieces[] = {1,  2,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 18,
                                   20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33};

void DrawCastleBaseSets(Canvas& c) {
    constexpr int kSecondSet = 96;
    int n = 0;
    auto next = [&n](int set) { return set + kFullCellPieces[n++]; };
    auto layings = [&](int set, int first) {
        for (BasePiece piece : {BasePiece::Fill, BasePiece::Top})
            for (int p = first; p < first + 2; ++p)
                for (int py = 0; py < 2; ++py)
                    for (int px = 0; px < 3; ++px) DrawCastleBase(c, next(set), piece, p, px, py);
    };
    layings(0, 0);
    for (BasePiece piece : {BasePiece::TopLeft, BasePiece::TopRight, BasePiece::LeftFace, BasePiece::RightFace,
                            BasePiece::Under})
        DrawCastleBase(c, next(0), piece);
    n = 0;
    DrawCastleBase(c, next(kSecondSet), BasePiece::UnderLeft);
    DrawCastleBase(c, next(kSecondSet), BasePiece::UnderRight);
    layings(kSecondSet, 2);
    DrawCastleBase(c, next(kSecondSet), BasePiece::LeftFace, 0, 0, 1);
    DrawCastleBase(c, next(kSecondSet), BasePiece::RightFace, 0, 0, 1);
}

// The tower's pillar in the stone set's pillar pieces (top 3, shaft 4,
// base 17): a squared timber post inside the solid's width, a bracket
// capital at its top, a stone footing at its foot.
void DrawTowerPillar(Canvas& c, int tile, int part) {
    const int ox = TileX(tile), oy = TileY(tile);
    constexpr int x0 = 4, x1 = 15;  // the post, inside the solid's half-width of seven texels
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) c.Set(ox + x, oy + y, kKey);
    for (int y = 0; y < kTile; ++y)
        for (int x = x0; x <= x1; ++x) {
            Rgb col = kEarth;
            if (x == x0 || x == x1) col = kInk;
            else if (x == x0 + 1) col = kWood;
            else if (x == x0 + 2) col = kSand;
            else if (x >= x1 - 2) col = kEarthDark;
            else if ((x * 3 + y * 7) % 13 == 0) col = kEarthDark;  // grain
            c.Set(ox + x, oy + y, col);
        }
    if (part == 0)
        // The capital: a block wider than the post, lit on its top.
        for (int y = 0; y <= 5; ++y)
            for (int x = x0 - 1; x <= x1 + 1; ++x) {
                Rgb col = y == 0 || x == x0 - 1 || x == x1 + 1 || y == 5 ? kInk : (y == 1 ? kSand : (x > x1 - 3 ? kEarth : kWood));
                c.Set(ox + x, oy + y, col);
            }
    if (part == 2)
        // The footing: a dressed stone under the post.
        for (int y = 13; y < kTile; ++y)
            for (int x = x0 - 1; x <= x1 + 1; ++x) {
                Rgb col = x == x0 - 1 || x == x1 + 1 || y == 13 || y == 19 ? kInk
                          : (y == 14 ? kStoneLight : (x > x1 - 2 ? kStoneDark : kStone));
                c.Set(ox + x, oy + y, col);
            }
    c.Set(ox + x0 - 1, oy, kKey);
    c.Set(ox + x1 + 1, oy, kKey);
}

// --- The stone set ------------------------------------------------------------
//
// The dressed stone of the castle's walls and gates, the tower, the scene
// rooms and the shrine (and of the river's banks and the boss hall's floor):
// the pieces of the shared layout at tiles 1 to 17, 26 and 32 of the stone
// sheet, with the timber that goes with them (the lintels under the stone
// masses, the beams under the ledges, the posts, the floor boards). Three
// courses to a cell, of seven, six and seven rows, each of long stones a
// cell long with their joints staggered from course to course, so that a
// wall of any size shows its courses running on and no stone of its own
// marking the cells' grid. The middle course is of a warmer stone.

struct Course {
    int top, height;  // rows, the bed joint in the last
    int joint;        // the column of its head joint
    Rgb lit, body, shade;
};

// Two layings of the same courses: the fill (0) and the second fill (1),
// which only set their head joints elsewhere, so they mix in a wall. Each
// course holds one long stone to a cell, its joint half a cell or more from
// the joints of the courses above and below.
constexpr Course kStoneLayings[2][3] = {
    {{0, 7, 4, kStoneLight, kStone, kStoneDark},
     {7, 6, 14, kStoneLight, kStoneWarm, kStoneDark},
     {13, 7, 9, kStoneLight, kStone, kStoneDark}},
    {{0, 7, 16, kStoneLight, kStone, kStoneDark},
     {7, 6, 6, kStoneLight, kStoneWarm, kStoneDark},
     {13, 7, 1, kStoneLight, kStone, kStoneDark}},
};

const Course& CourseAt(int laying, int y) {
    const Course* c = kStoneLayings[laying];
    return y < c[1].top ? c[0] : (y < c[2].top ? c[1] : c[2]);
}

// Texel (x, y) of a laying: thin joints in shadow, every stone lit along its
// top and left, shaded along its bottom and right, its lower right corner
// rounded into the joint, its face dressed smooth with a few tool marks.
Rgb Ashlar(int laying, int x, int y) {
    x = Wrap(x, kTile);
    y = Wrap(y, kTile);
    const Course& c = CourseAt(laying, y);
    const int cy = y - c.top;
    const int sx = Wrap(x - c.joint, kTile);  // 0 on the head joint
    if (cy == c.height - 1 || sx == 0) return kNight;
    const bool top = cy == 0, bottom = cy == c.height - 2, left = sx == 1, right = sx == kTile - 1;
    if (bottom && right) return kNight;
    if ((top && !right) || (left && !bottom)) return c.lit;
    if (bottom || right) return c.shade;
    // The light on the stone's upper left, fading along its top.
    if (cy == 1 && sx <= 6 && sx % 2 == 0) return c.lit;
    if (cy == 2 && sx == 2) return c.lit;
    // Tool marks: short strokes across the face, the same in every stone
    // of a course.
    if ((cy == 2 && sx >= 11 && sx <= 13) || (cy == c.height - 3 && sx >= 5 && sx <= 6)) return c.shade;
    return c.body;
}

// The coping along the top of a wall, where the feet stand (rows 0 to 6, in
// the place of the first course): the outline, the lit top of the
// capstones, their front in the light and the shadow they cast. Their
// joints fall every ten texels, between the head joints of the courses.
constexpr int kCopingJoint = 7;

Rgb Coping(int x, int y) {
    const bool joint = Wrap(x - kCopingJoint, 10) == 0;
    const bool capLeft = Wrap(x - kCopingJoint, 10) == 1;
    switch (y) {
        case 0: return kInk;
        case 1: return joint ? kStoneLight : kWhite;
        case 2:
        case 3: return joint ? kStone : (capLeft ? kWhite : kStoneLight);
        case 4: return joint ? kStoneDark : kStone;
        case 5: return joint ? kNight : (capLeft ? kStoneLight : kStone);
        default: return kNight;  // the capstones' shadow, the first bed joint
    }
}

// A piece of the stone mass: its open sides get the outline, a lit left
// face and a shaded right one.
Rgb StoneMass(int laying, bool top, bool left, bool right, bool bottom, int x, int y) {
    Rgb col = top && y < kStoneLayings[laying][1].top ? Coping(x, y) : Ashlar(laying, x, y);
    if (left && x == 0) return kInk;
    if (right && x == kTile - 1) return kInk;
    if (bottom && y == kTile - 1) return kInk;
    if (top && y == 0) return left && x == 0 ? kKey : (right && x == kTile - 1 ? kKey : kInk);
    if (left && x == 1) col = top && y >= 1 && y <= 3 ? kWhite : kStoneLight;
    else if (right && x == kTile - 2 && !(top && y == 0)) col = kStoneDark;
    if (bottom && y == kTile - 2 && !(left && x <= 1) && !(right && x >= kTile - 2)) col = kStoneDark;
    return col;
}

void DrawStoneMass(Canvas& c, int tile, int laying, bool top, bool left, bool right, bool bottom) {
    const int ox = TileX(tile), oy = TileY(tile);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) c.Set(ox + x, oy + y, StoneMass(laying, top, left, right, bottom, x, y));
    // Round the open corners a little.
    if (top && left) c.Set(ox, oy, kKey);
    if (top && right) c.Set(ox + kTile - 1, oy, kKey);
    if (bottom && left) c.Set(ox, oy + kTile - 1, kKey);
    if (bottom && right) c.Set(ox + kTile - 1, oy + kTile - 1, kKey);
}

// The underside of a stone mass over a passage, the lintel: the timber
// beam that carries the stones, with an open end's end grain.
void DrawLintel(Canvas& c, int tile, bool leftEnd, bool rightEnd) {
    const int ox = TileX(tile), oy = TileY(tile);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) c.Set(ox + x, oy + y, Lintel(x, y, leftEnd, rightEnd));
    if (leftEnd) c.Set(ox, oy + kTile - 1, kKey);
    if (rightEnd) c.Set(ox + kTile - 1, oy + kTile - 1, kKey);
}

// A ledge of the set: a slab of stone, its coping where the feet stand over
// one low course, resting on a timber beam set into the wall behind; at an
// open end the slab's outline runs down its side and the beam shows its end
// grain.
void DrawSlabOnBeam(Canvas& c, int tile, bool left, bool right) {
    const int ox = TileX(tile), oy = TileY(tile);
    constexpr int kSlabBottom = 12, kBeamBottom = 18;
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) c.Set(ox + x, oy + y, kKey);
    for (int y = 0; y <= kSlabBottom; ++y)
        for (int x = 0; x < kTile; ++x) {
            Rgb col;
            if (y == kSlabBottom) col = kInk;
            else if (y == kSlabBottom - 1) col = kStoneDark;
            else if (y < 7) col = Coping(x, y);
            else {
                // One low course of stones under the coping.
                const int sx = Wrap(x - 2, 10);
                col = sx == 0 ? kNight : (y == 7 || sx == 1 ? kStoneWarmLight : (sx == 9 ? kStoneDark : kStoneWarm));
            }
            if (left && x == 0) col = kInk;
            else if (left && x == 1 && y > 0 && y < kSlabBottom) col = y <= 3 ? kWhite : kStoneLight;
            if (right && x == kTile - 1) col = kInk;
            else if (right && x == kTile - 2 && y > 0 && y < kSlabBottom) col = kStoneDark;
            c.Set(ox + x, oy + y, col);
        }
    if (left) {
        c.Set(ox, oy, kKey);
        c.Set(ox, oy + kSlabBottom, kKey);
    }
    if (right) {
        c.Set(ox + kTile - 1, oy, kKey);
        c.Set(ox + kTile - 1, oy + kSlabBottom, kKey);
    }
    // The beam, two texels in from the slab's open ends.
    const int x0 = left ? 2 : 0, x1 = right ? kTile - 3 : kTile - 1;
    for (int x = x0; x <= x1; ++x) {
        c.Set(ox + x, oy + kSlabBottom + 1, kEarthDeep);  // the slab's shadow on it
        for (int y = kSlabBottom + 2; y < kBeamBottom; ++y) {
            const bool grain = Wrap(x * 3 + y * 7, 10) == 0;
            c.Set(ox + x, oy + y, y == kSlabBottom + 2 ? kWood : (grain ? kEarthDark : kEarth));
        }
        c.Set(ox + x, oy + kBeamBottom, kInk);
    }
    auto endGrain = [&](int ex, int edge) {
        for (int y = kSlabBottom + 1; y <= kBeamBottom; ++y) c.Set(ox + edge, oy + y, kInk);
        for (int y = kSlabBottom + 1; y < kBeamBottom; ++y)
            for (int x = ex; x < ex + 4; ++x) c.Set(ox + x, oy + y, y == kSlabBottom + 1 || x == ex ? kSand : kWood);
        c.Set(ox + ex + 2, oy + kSlabBottom + 3, kEarth);  // the rings' heart
        c.Set(ox + ex + 1, oy + kSlabBottom + 4, kEarth);
    };
    if (left) endGrain(x0 + 1, x0);
    if (right) endGrain(x1 - 4, x1);
}

// The floor of the rooms: boards laid along the floor, their lit tops where
// the feet stand and the sill beam that edges them, pegged every ten
// texels, over one course of the stone it rests on.
Rgb FloorBoards(int x, int y) {
    const int px = Wrap(x - 5, 10);
    switch (y) {
        case 0: return kInk;
        case 1: return kCream;
        case 2: return px == 0 ? kGold : kSand;  // the boards' ends, long boards
        case 3: return kSand;
        case 4: return kWood;   // the nosing, in the light
        case 10: return kEarthDeep;
        case 11: return kNight;  // the shadow under the sill
        default: break;
    }
    if (y < 10) {
        if (px == 0 && (y == 6 || y == 7)) return y == 6 ? kSand : kEarthDeep;  // a peg
        if (y == 5) return kEarth;
        return Wrap(x * 3 + y * 7, 10) == 0 ? kEarthDark : kEarth;
    }
    // The stones under the floor: one course of eight rows, one long stone
    // to a cell, its joint leaning a little.
    const int cy = y - 12;
    const int sx = Wrap(x - 13 - (cy >= 4 ? 1 : 0), kTile);
    if (cy == 7 || sx == 0) return kNight;
    if (cy == 6 && sx == kTile - 1) return kNight;
    if (cy == 0 || sx == 1) return kStoneLight;
    if (cy == 6 || sx == kTile - 1) return kStoneDark;
    if (cy == 2 && sx >= 12 && sx <= 14) return kStoneDark;  // a tool mark
    return kStone;
}

void DrawStoneSet(Canvas& c) {
    // The pieces of the shared layout (k at tile k).
    struct MassPiece {
        int k;
        bool top, left, right, bottom;
        int laying;
    };
    constexpr MassPiece kMass[] = {
        {1, true, true, true, true, 0},    // single block
        {2, false, false, false, false, 1},  // fill A, the second laying
        {5, true, true, false, false, 0},  {6, true, false, false, false, 0},  {7, true, false, true, false, 0},
        {8, false, true, false, false, 0}, {9, false, false, false, false, 0}, {10, false, false, true, false, 0},
    };
    for (const MassPiece& m : kMass) DrawStoneMass(c, m.k, m.laying, m.top, m.left, m.right, m.bottom);
    DrawLintel(c, 11, true, false);
    DrawLintel(c, 12, false, false);
    DrawLintel(c, 13, false, true);
    DrawSlabOnBeam(c, 14, true, false);
    DrawSlabOnBeam(c, 15, false, false);
    DrawSlabOnBeam(c, 16, false, true);
    DrawSlabOnBeam(c, 25, true, true);
    for (int part : {0, 1, 2}) DrawTowerPillar(c, part == 0 ? 3 : (part == 1 ? 4 : 17), part);
    // The floor of the rooms (top 26) over the stone (fill 32, the second laying).
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            c.Set(TileX(26) + x, TileY(26) + y, FloorBoards(x, y));
            c.Set(TileX(32) + x, TileY(32) + y, Ashlar(1, x, y));
        }
}

Canvas TileSheet() { return Canvas(kTileSheetSize, kTileSheetSize, kKey); }

}  // namespace

// Forest earth (sets 16, 240) and mossy rock (set 848).
ART_SHEET(300, "tiles-forest") {
    Canvas c = TileSheet();
    DrawSet(c, kForestStyle, 0);
    // The forest's earth has a second fill where the layout has a pillar's
    // shaft (k4): a root and stones in the same soil, joining the fill and
    // the faces; and its single block (k1) is a mossy boulder, the
    // riverside's stepping stone.
    DrawSolid(c, kForestStyle, TileX(4), TileY(4), {Look::Solid, false, false, false, false, 10, 4}, false);
    DrawSteppingStone(c, 1, true, true);
    DrawSet(c, kMossRockStyle, 48);
    return c;
}

// The stone set (set 912; its other tiles and set 336, which no map places,
// keep the dry-stone walls, as do the plain ground of unused records) and
// wet river stones (set 1296).
ART_SHEET(301, "tiles-stone") {
    Canvas c = TileSheet();
    DrawSet(c, kStoneStyle, 0);
    DrawStoneSet(c);
    DrawSet(c, kRiverStoneStyle, 48);
    DrawPlatforms(c, 48, DrawSteppingStone);
    return c;
}

// The castle's stone base (sets 976 and 400, see DrawCastleBaseSets; their
// other pieces are the plaster walls of the castle style) and roof tiles
// (sets 464, 1408).
ART_SHEET(302, "tiles-castle") {
    Canvas c = TileSheet();
    DrawSet(c, kCastleStyle, 0);
    DrawSet(c, kCastleStyle, 96);
    DrawCastleBaseSets(c);
    DrawSet(c, kRoofStyle, 48);
    DrawPlatforms(c, 48, DrawRoofLedge);
    // The base's slabs one cell thick (set 464's pieces 1, 2 and 5: middle,
    // left end, right end).
    DrawCastleBase(c, 48 + 1, BasePiece::Slab);
    DrawCastleBase(c, 48 + 2, BasePiece::SlabLeft);
    DrawCastleBase(c, 48 + 5, BasePiece::SlabRight);
    return c;
}

// Wood (sets 304, 528, 1264) and the bridge of set 1200 (tiles 48..51).
ART_SHEET(303, "tiles-wood") {
    Canvas c = TileSheet();
    DrawSet(c, kWoodStyle, 0);
    for (int piece = 0; piece < 4; ++piece) DrawBridge(c, 48 + piece, piece);
    return c;
}

// The tower (sets 592, 1040) and the boss hall (sets 784, 1104).
ART_SHEET(305, "tiles-tower-hall") {
    Canvas c = TileSheet();
    DrawSet(c, kTowerStyle, 0);
    DrawPlatforms(c, 0, DrawTowerBeam);
    DrawPlatforms(c, 0, DrawTowerShelf, true);
    DrawSet(c, kHallStyle, 48);
    return c;
}

// Walls behind the play field (the layer-57 tiles of sets 656 and 720).
ART_SHEET(306, "tiles-back-walls") {
    Canvas c = TileSheet();
    DrawSet(c, kBackWallStyle, 0);
    return c;
}

// Dark rock (records 1344..1363) and the damaging tiles (tiles 24..27).
ART_SHEET(308, "tiles-hazard") {
    Canvas c = TileSheet();
    for (int k = 0; k < 20; ++k) DrawPiece(c, kRockStyle, k, k);
    for (int kind = 0; kind < 4; ++kind) DrawHazard(c, 24 + kind, kind);
    return c;
}

// One-way boards (tiles 0..3) and the pedestal (tile 12).
ART_SHEET(309, "tiles-one-way") {
    Canvas c = TileSheet();
    for (int piece = 0; piece < 4; ++piece) DrawOneWay(c, piece, piece);
    DrawPedestal(c, 12);
    return c;
}

// Gimmicks and conveyors. The conveyor belts take tiles 0..19 (rows 0 and
// 1: piece p, picture f at tile 4 * f + p); the stage gimmicks are drawn
// below them from their layout (gimmicks.cpp).
ART_SHEET(150, "gimmicks-conveyors") {
    Canvas c = TileSheet();
    for (int phase = 0; phase < 5; ++phase)
        for (int piece = 0; piece < 4; ++piece) DrawConveyor(c, phase * 4 + piece, piece, phase);
    PaintLayouts(c, 150);
    return c;
}
