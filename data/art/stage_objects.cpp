// Stage objects: the room exit's marker and the doors first, then the locks,
// gates, lantern switches, targets, the shop stall, the save point, the
// breakable, sealed and falling blocks, the hazard blocks and the
// decorations. Sizes and places are in StageObjectArt.h; each picture is
// drawn on a canvas of its own, outlined in ink where the player meets it,
// and put in its place on the sheet.
#include <algorithm>
#include <cmath>
#include <functional>
#include <tuple>

#include "Palette.h"
#include "Sheets.h"
#include "StageObjectArt.h"
#include "Tiles.h"

namespace {

using Paint = std::function<void(Canvas&)>;

// A picture drawn inside a one-texel margin and outlined in ink.
Canvas Outlined(int w, int h, const Paint& paint) {
    Canvas c(w, h, kKey);
    paint(c);
    c.Outline(kInk);
    return c;
}

// Wood grain along a vertical board.
void Board(Canvas& c, int x, int y, int w, int h, Rgb base, Rgb dark, Rgb light, uint32_t seed) {
    c.Rect(x, y, w, h, base);
    c.Rect(x, y, 1, h, light);
    c.Rect(x + w - 1, y, 1, h, dark);
    for (int j = y; j < y + h; ++j)
        for (int i = x + 1; i < x + w - 1; ++i)
            if (TileSpeck(i, j / 3, seed, 12)) c.Set(i, j, dark);
}

// An iron stud: dark with a lit pixel.
void Stud(Canvas& c, int x, int y) {
    c.Set(x, y, kStoneLight);
    c.Set(x + 1, y, kStoneDark);
    c.Set(x, y + 1, kStoneDark);
    c.Set(x + 1, y + 1, kInk);
}

// A small padlock: shackle and body with its keyhole.
void Padlock(Canvas& c, int x, int y) {
    c.Frame(x + 1, y, 4, 4, kStoneLight);
    c.Set(x + 4, y + 1, kStone);
    c.Set(x + 4, y + 2, kStone);
    c.Rect(x, y + 3, 6, 5, kGold);
    c.Rect(x, y + 3, 6, 1, kCream);
    c.Rect(x + 5, y + 4, 1, 4, kAmber);
    c.Set(x + 2, y + 5, kInk);
    c.Set(x + 2, y + 6, kInk);
    c.Set(x + 3, y + 5, kInk);
}

// --- The room exit's marker -------------------------------------------------------

// A gold arrow pointing the way out (right; the game mirrors it for an exit
// on the left), with a lit upper edge.
Canvas ExitArrow() {
    return Outlined(20, 20, [](Canvas& c) {
        c.Polygon({{1, 7}, {9, 7}, {9, 2}, {18, 10}, {9, 18}, {9, 13}, {1, 13}}, kGold);
        c.Polygon({{1, 11}, {9, 11}, {9, 13}, {1, 13}}, kAmber);
        c.Line(10, 15, 16, 10, kAmber);
        c.Line(10, 16, 17, 10, kAmber);
        c.Line(1, 7, 8, 7, kCream);
        c.Line(9, 2, 16, 8, kCream);
        c.Set(9, 3, kWhite);
        c.Set(3, 8, kWhite);
    });
}

// --- Doors -----------------------------------------------------------------------

// A door two cells wide and two high standing on the floor: a frame of posts
// and a lintel around the opening; `inside` paints the opening (x 5..34,
// y 7..38).
Canvas DoorFrame(Rgb post, Rgb postDark, Rgb postLight, const Paint& inside) {
    return Outlined(40, 40, [&](Canvas& c) {
        inside(c);
        Board(c, 1, 4, 4, 35, post, postDark, postLight, 3);
        Board(c, 35, 4, 4, 35, post, postDark, postLight, 5);
        // The lintel with a little roof.
        c.Rect(1, 1, 38, 2, kNight);
        c.Rect(0, 3, 40, 1, kDusk);
        c.Rect(2, 4, 36, 3, postDark);
        c.Rect(2, 4, 36, 1, postLight);
        c.Rect(0, 1, 40, 1, kStoneDark);
    });
}

// Shoji: a lattice of wooden bars over glowing paper.
void Shoji(Canvas& c, int x, int y, int w, int h) {
    c.Rect(x, y, w, h, kCream);
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            if ((i - x) % 5 == 0 || (j - y) % 7 == 0) c.Set(i, j, kWood);
    c.Rect(x, y + h - 4, w, 4, kEarth);
    c.Rect(x, y + h - 4, w, 1, kWood);
}

// Slot 54, u 90: a wooden door with a dark blue curtain hung in it.
Canvas CurtainDoor() {
    return DoorFrame(kWood, kEarth, kSand, [](Canvas& c) {
        c.Rect(5, 7, 30, 32, kNight);
        c.Rect(5, 30, 30, 9, kEarthDark);
        // The curtain in three strips, a white crest in the middle one.
        for (int s = 0; s < 3; ++s) {
            const int x = 5 + s * 10;
            c.Rect(x, 7, 9, 14 + (s == 1 ? 2 : 0), kNavy);
            c.Rect(x, 7, 1, 14, kSlate);
            c.Rect(x + 8, 7, 1, 14 + (s == 1 ? 2 : 0), kNight);
        }
        c.Ring(20, 13, 3, kCream);
        c.Set(20, 13, kCream);
    });
}

// Slot 54, u 130: sliding paper doors, lit from within.
Canvas ShojiDoor() {
    return DoorFrame(kWood, kEarth, kSand, [](Canvas& c) {
        Shoji(c, 5, 7, 15, 32);
        Shoji(c, 20, 7, 15, 32);
        c.Rect(19, 7, 2, 32, kEarth);
        c.Set(17, 22, kEarth);
        c.Set(22, 22, kEarth);
    });
}

// Slot 50: a stone gateway with darkness beyond.
Canvas StoneDoor() {
    return DoorFrame(kStone, kStoneDark, kStoneLight, [](Canvas& c) {
        c.Rect(5, 7, 30, 32, kNight);
        c.Rect(5, 7, 30, 3, kInk);
        for (int i = 8; i < 32; i += 6) c.Set(i, 36, kDusk);
        c.Rect(5, 38, 30, 1, kStoneDark);
    });
}

// Slot 61: a red-lacquered gate.
Canvas RedGate() {
    return DoorFrame(kRed, kCrimson, kCoral, [](Canvas& c) {
        c.Rect(5, 7, 30, 32, kCrimson);
        Board(c, 6, 9, 13, 30, kRed, kCrimson, kCoral, 7);
        Board(c, 21, 9, 13, 30, kRed, kCrimson, kCoral, 9);
        for (int y : {13, 34})
            for (int x : {8, 13, 24, 29}) Stud(c, x, y);
        c.Disc(17, 24, 1, kGold);
        c.Disc(22, 24, 1, kGold);
    });
}

// --- The locked door (slot 66): 60 x 40, three cells wide ---------------------

// The gate's frame, with `inside` painting the opening (x 5..54, y 8..38).
Canvas GateFrame(const Paint& inside) {
    return Outlined(60, 40, [&](Canvas& c) {
        inside(c);
        Board(c, 1, 5, 5, 34, kEarth, kEarthDark, kWood, 11);
        Board(c, 54, 5, 5, 34, kEarth, kEarthDark, kWood, 13);
        c.Rect(0, 1, 60, 2, kNight);
        c.Rect(0, 3, 60, 1, kDusk);
        c.Rect(1, 4, 58, 4, kEarthDark);
        c.Rect(1, 4, 58, 1, kWood);
        for (int x = 6; x < 56; x += 8) Stud(c, x, 5);
    });
}

// One leaf of the gate, w wide, with iron bands and studs.
void GateLeaf(Canvas& c, int x, int w, uint32_t seed) {
    Board(c, x, 8, w, 31, kWood, kEarth, kSand, seed);
    for (int y : {12, 30}) {
        c.Rect(x, y, w, 2, kStoneDark);
        c.Rect(x, y, w, 1, kStone);
        for (int i = x + 2; i < x + w - 1; i += 5) Stud(c, i, y);
    }
}

Canvas LockedGate(int opening) {
    return GateFrame([opening](Canvas& c) {
        c.Rect(6, 8, 48, 31, kInk);
        c.Rect(6, 30, 48, 9, kNight);
        const int leaf = 24 - opening;
        if (leaf > 0) {
            GateLeaf(c, 6, leaf, 17);
            GateLeaf(c, 54 - leaf, leaf, 19);
        }
        if (opening == 0) {
            // The seam, the bar across it and the two locks of its keys.
            c.Rect(29, 8, 2, 31, kNight);
            c.Rect(12, 19, 36, 3, kStoneDark);
            c.Rect(12, 19, 36, 1, kStoneLight);
            Padlock(c, 17, 21);
            Padlock(c, 37, 21);
        }
    });
}

// --- Hazard blocks (slot 69): one cell, four frames of two looks ---------------

// A fire box: an iron brazier whose barred front shows the glowing coals,
// three tongues of flame rising from it that flicker from frame to frame
// (each frame's heights and lean differ). The flames are edged in crimson
// rather than ink, so that they glow against the stage.
Canvas EmberBlock(int f) {
    Canvas c = Outlined(20, 20, [](Canvas& b) {
        // The iron box with its lit rim.
        b.Rect(1, 8, 18, 11, kStoneDark);
        b.Rect(1, 8, 18, 1, kStoneLight);
        b.Rect(1, 9, 1, 10, kStone);
        b.Rect(18, 9, 1, 10, kNight);
        b.Rect(1, 18, 18, 1, kNight);
        // The coals behind the bars: hottest at the top of the bed.
        b.Rect(2, 10, 16, 7, kCrimson);
        b.Rect(2, 10, 16, 2, kAmber);
        b.Rect(2, 12, 16, 2, kRed);
        for (int x = 3; x < 17; x += 3) b.Set(x, 10, kGold);
        for (int x = 4; x < 17; x += 4) b.Set(x, 13, kCoral);
        // The bars and their rivets.
        for (int x = 4; x < 17; x += 4) {
            b.Rect(x, 10, 1, 7, kNight);
            b.Set(x, 9, kStone);
        }
        b.Set(2, 17, kStone);
        b.Set(17, 17, kStone);
    });
    // Three tongues: base x, height and lean per frame.
    const int heights[4][3] = {{7, 9, 6}, {9, 6, 8}, {6, 8, 9}, {8, 9, 7}};
    const int lean[4] = {0, 1, 0, -1};
    const int bases[3] = {4, 10, 15};
    Canvas flames(20, 20, kKey);
    for (int k = 0; k < 3; ++k) {
        const int h = heights[f][k];
        const int x0 = bases[k];
        for (int j = 0; j < h; ++j) {
            const int y = 8 - j;
            const float t = static_cast<float>(j) / static_cast<float>(h);
            const int half = t < 0.35f ? 2 : t < 0.75f ? 1 : 0;
            const int sway = (j * lean[(f + k) % 4] + (j > h / 2 ? lean[f] : 0)) / 3;
            for (int dx = -half; dx <= half; ++dx) {
                Rgb col = kAmber;
                if (dx == -half || dx == half) col = kCoral;
                if (half == 0) col = j == h - 1 ? kCream : kGold;
                if (half > 0 && dx == 0 && t < 0.6f) col = kGold;
                flames.Set(x0 + dx + sway, y, col);
            }
        }
    }
    const Canvas bare = flames;
    flames.Outline(kCrimson);
    // The crimson edge only where it meets open air, not over the box.
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const Rgb p = flames.Get(x, y);
            if (p == kKey) continue;
            if (bare.Get(x, y) == kKey && y >= 8) continue;
            c.Set(x, y, p);
        }
    return c;
}

// An iron block bristling with long spikes on every face: each spike lit on
// the side facing the upper left, a riveted plate at its heart with a red
// warning boss; a glint runs round the tips from frame to frame.
Canvas SpikeBlock(int f) {
    return Outlined(20, 20, [f](Canvas& c) {
        for (int k = 0; k < 2; ++k) {
            const int p = 7 + 6 * k;  // the middle of each spike's base
            // Up and left spikes face the light, down and right are in shade.
            c.Polygon({{p - 2, 6}, {p + 2, 6}, {p, 0}}, kStone);
            c.Polygon({{p - 2, 6}, {p, 6}, {p, 0}}, kStoneLight);
            c.Polygon({{p - 2, 14}, {p + 2, 14}, {p, 20}}, kStoneDark);
            c.Polygon({{p - 2, 14}, {p, 14}, {p, 20}}, kStone);
            c.Polygon({{6, p - 2}, {6, p + 2}, {0, p}}, kStone);
            c.Polygon({{6, p - 2}, {6, p}, {0, p}}, kStoneLight);
            c.Polygon({{14, p - 2}, {14, p + 2}, {20, p}}, kStoneDark);
            c.Polygon({{14, p - 2}, {14, p}, {20, p}}, kStone);
            c.Line(p, 1, p, 4, kWhite);
        }
        c.Rect(5, 5, 10, 10, kStoneDark);
        c.Rect(5, 5, 10, 1, kStoneLight);
        c.Rect(5, 5, 1, 10, kStone);
        c.Rect(5, 14, 10, 1, kNight);
        c.Rect(14, 5, 1, 10, kNight);
        for (int q : {6, 13})
            for (int r : {6, 13}) c.Set(q, r, kStoneLight);
        c.Rect(8, 8, 4, 4, kRed);
        c.Rect(11, 9, 1, 3, kCrimson);
        c.Rect(8, 11, 4, 1, kCrimson);
        c.Set(8, 8, kCoral);
        // The glint runs round the spikes' tips.
        const int gx[4] = {7, 18, 13, 1}, gy[4] = {1, 7, 18, 13};
        c.Set(gx[f], gy[f], kWhite);
    });
}

// --- Large decorations (slot 17), far behind, muted -------------------------------

// A torii gate in the dusk, 160 x 80 texels; it stands on the bottom row.
Canvas Torii() {
    Canvas c(160, 80, kKey);
    const Rgb body = kMauve, shade = kDusk, light = kRose;
    for (int x : {28, 124}) {
        c.Rect(x, 14, 8, 66, body);
        c.Rect(x, 14, 2, 66, light);
        c.Rect(x + 6, 14, 2, 66, shade);
        c.Rect(x - 2, 72, 12, 8, kNight);
    }
    c.Rect(18, 22, 124, 6, body);       // the tie beam
    c.Rect(18, 27, 124, 1, shade);
    c.Rect(74, 14, 12, 14, shade);      // the tablet post
    c.Rect(76, 16, 8, 9, kNight);
    c.Polygon({{2, 4}, {158, 4}, {150, 12}, {10, 12}}, body);  // the top beam, curving up at its ends
    c.Rect(2, 3, 156, 2, kNight);
    c.Rect(10, 11, 140, 2, shade);
    c.Polygon({{0, 0}, {10, 3}, {2, 5}}, kNight);
    c.Polygon({{159, 0}, {149, 3}, {157, 5}}, kNight);
    return c;
}

// A long wall with a tiled coping and lanterns, 320 x 80.
Canvas TempleWall() {
    Canvas c(320, 80, kKey);
    c.Rect(0, 30, 320, 50, kDusk);
    for (int y = 34; y < 80; y += 6)
        for (int x = 0; x < 320; ++x)
            if ((x + (y / 6) * 7) % 24 == 0) c.Rect(x, y, 1, 6, kNight);
    for (int y = 34; y < 80; y += 6) c.Rect(0, y, 320, 1, kNight);
    c.Rect(0, 22, 320, 8, kSlate);
    for (int x = 0; x < 320; x += 4) c.Rect(x, 22, 1, 8, kNavy);
    c.Rect(0, 20, 320, 2, kNight);
    for (int x : {40, 160, 280}) {
        c.Rect(x - 1, 30, 3, 20, kNight);
        c.Rect(x - 5, 36, 11, 10, kMauve);
        c.Rect(x - 4, 38, 9, 6, kAmber);
        c.Rect(x - 5, 35, 11, 1, kNight);
    }
    return c;
}

// A pagoda roof rising behind the stage, 160 x 80.
Canvas Pagoda() {
    Canvas c(160, 80, kKey);
    const int tiers = 3;
    for (int t = 0; t < tiers; ++t) {
        const int top = 8 + t * 24, half = 36 + t * 14;
        c.Rect(80 - half / 2, top + 8, half, 16, kDusk);
        c.Rect(80 - half / 2 + 2, top + 11, half - 4, 3, kAmber);
        for (int x = 80 - half / 2 + 4; x < 80 + half / 2 - 4; x += 6) c.Rect(x, top + 11, 1, 3, kNight);
        c.Polygon({{80 - half, top + 8}, {80 + half, top + 8}, {80 + half / 2, top}, {80 - half / 2, top}}, kSlate);
        c.Rect(80 - half, top + 7, half * 2, 2, kNight);
    }
    c.Rect(79, 0, 2, 9, kStone);
    for (int y = 1; y < 8; y += 2) c.Rect(77, y, 6, 1, kStone);
    return c;
}

}  // namespace

// --- Slot 40 ------------------------------------------------------------------------

namespace stage_art {

namespace {

// A stone lantern (the switches, lit by fire and put out by water or wind):
// 20 x 40, its foot on the bottom row; `fire` 0 unlit, 1-3 the flame's
// frames, 4-7 going out (smoke).
Canvas Lantern(int fire) {
    return Outlined(20, 40, [fire](Canvas& c) {
        c.Rect(3, 8, 14, 3, kStone);                 // the roof
        c.Polygon({{2, 9}, {18, 9}, {13, 5}, {7, 5}}, kStone);
        c.Rect(9, 2, 2, 3, kStone);
        c.Rect(2, 9, 16, 1, kStoneLight);
        c.Rect(5, 11, 10, 9, kStoneDark);            // the fire box
        c.Rect(5, 11, 1, 9, kStone);
        c.Rect(14, 11, 1, 9, kStoneDark);
        c.Rect(7, 13, 6, 6, kInk);                   // its window
        c.Rect(4, 20, 12, 2, kStone);
        c.Rect(8, 22, 4, 12, kStone);                // the post
        c.Rect(8, 22, 1, 12, kStoneLight);
        c.Rect(11, 22, 1, 12, kStoneDark);
        c.Rect(4, 34, 12, 4, kStone);                // the foot
        c.Rect(4, 34, 12, 1, kStoneLight);
        c.Rect(4, 38, 12, 1, kStoneDark);
        if (fire >= 1 && fire <= 3) {
            const int lean = fire - 2;
            c.Rect(7, 13, 6, 6, kAmber);
            c.Polygon({{8, 18}, {12, 18}, {10 + lean, 13}}, kGold);
            c.Set(10, 17, kWhite);
            c.Set(10 + lean, 14, kCream);
        } else if (fire >= 4) {
            const int k = fire - 4;
            c.Rect(7, 13, 6, 6, k == 0 ? kRed : kInk);
            for (int s = 0; s <= k; ++s) c.Disc(10 + (s % 2 ? 2 : -1), 4 - s * 2 + k, 1, kStoneLight);
        }
    });
}

// A paper target on a post: rings in red and cream; hit, it is torn.
Canvas Target(bool hit) {
    return Outlined(20, 20, [hit](Canvas& c) {
        c.Rect(9, 14, 2, 5, kWood);
        c.Disc(10, 8, 7, kCream);
        c.Disc(10, 8, 5, kRed);
        c.Disc(10, 8, 3, kCream);
        c.Disc(10, 8, 1, kRed);
        c.Ring(10, 8, 7, kSand);
        if (hit) {
            c.Line(5, 3, 15, 13, kInk);
            c.Line(6, 3, 15, 12, kNight);
            c.Line(14, 3, 4, 13, kInk);
            c.Rect(9, 7, 3, 3, kInk);
        }
    });
}

// The shop point's stall, 80 x 40: a counter under an awning with a hanging
// sign; the player shops from its left.
Canvas ShopStall() {
    return Outlined(80, 40, [](Canvas& c) {
        // Awning: red and cream stripes, scalloped.
        for (int x = 2; x < 78; ++x) {
            const Rgb s = (x / 6) % 2 ? kCream : kRed;
            c.Rect(x, 3, 1, 8 + ((x % 6) == 2 || (x % 6) == 3 ? 1 : 0), s);
        }
        c.Rect(2, 2, 76, 1, kCrimson);
        Board(c, 4, 11, 3, 28, kWood, kEarth, kSand, 21);
        Board(c, 73, 11, 3, 28, kWood, kEarth, kSand, 23);
        c.Rect(7, 11, 66, 17, kNight);
        // Goods on the shelf: jars and bundles.
        for (int k = 0; k < 6; ++k) {
            const int x = 11 + k * 10;
            const Rgb jar = k % 3 == 0 ? kWater : (k % 3 == 1 ? kLeaf : kAmber);
            c.Rect(x, 18, 6, 7, jar);
            c.Rect(x + 1, 17, 4, 1, kStoneLight);
            c.Set(x + 1, 19, kWhite);
        }
        c.Rect(7, 25, 66, 1, kWood);
        // The counter.
        c.Rect(3, 28, 74, 11, kWood);
        c.Rect(3, 28, 74, 2, kSand);
        for (int x = 8; x < 74; x += 9) c.Rect(x, 30, 1, 9, kEarth);
        // The sign with a gold coin.
        c.Rect(32, 12, 16, 5, kCream);
        c.Disc(40, 14, 1, kGold);
    });
}

// A small stone lantern standing free, 40 x 40.
Canvas Toro() {
    return Outlined(40, 40, [](Canvas& c) {
        c.Polygon({{6, 12}, {34, 12}, {26, 5}, {14, 5}}, kStone);
        c.Rect(18, 2, 4, 3, kStone);
        c.Rect(6, 12, 28, 2, kStoneDark);
        c.Rect(12, 14, 16, 10, kStoneDark);
        c.Rect(15, 16, 10, 6, kAmber);
        c.Rect(17, 17, 6, 4, kGold);
        c.Rect(9, 24, 22, 3, kStone);
        c.Rect(16, 27, 8, 8, kStone);
        c.Rect(16, 27, 2, 8, kStoneLight);
        c.Rect(10, 35, 20, 4, kStone);
        c.Rect(10, 35, 20, 1, kStoneLight);
    });
}

// A small guardian statue in a red bib, 40 x 40.
Canvas Jizo() {
    return Outlined(40, 40, [](Canvas& c) {
        c.Disc(20, 10, 7, kStone);
        c.Set(17, 10, kStoneDark);
        c.Set(23, 10, kStoneDark);
        c.Line(18, 13, 22, 13, kStoneDark);
        c.Polygon({{10, 38}, {30, 38}, {27, 17}, {13, 17}}, kStone);
        c.Polygon({{13, 17}, {27, 17}, {24, 26}, {16, 26}}, kRed);
        c.Rect(13, 17, 14, 1, kCoral);
        c.Rect(8, 38, 24, 1, kStoneDark);
        c.Rect(12, 18, 1, 20, kStoneLight);
    });
}

// A low shrub, 40 x 20.
Canvas Shrub() {
    return Outlined(40, 20, [](Canvas& c) {
        for (auto [x, y, r] : {std::tuple{10, 12, 6}, std::tuple{20, 9, 8}, std::tuple{30, 12, 6}}) c.Disc(x, y, r, kPine);
        for (auto [x, y, r] : {std::tuple{9, 11, 3}, std::tuple{18, 7, 4}, std::tuple{29, 10, 3}}) c.Disc(x, y, r, kGrass);
        c.Rect(4, 18, 32, 1, kPineDark);
        c.Set(17, 5, kLeaf);
        c.Set(27, 8, kLeaf);
    });
}

// The flag gate: a portcullis of wooden bars bound in iron, 20 x 80.
Canvas Portcullis() {
    return Outlined(20, 80, [](Canvas& c) {
        for (int x : {2, 7, 12}) Board(c, x, 0, 4, 78, kWood, kEarth, kSand, 31u + x);
        for (int y = 6; y < 78; y += 14) {
            c.Rect(1, y, 18, 3, kStoneDark);
            c.Rect(1, y, 18, 1, kStone);
        }
        for (int x : {3, 8, 13}) c.Polygon({{x, 77}, {x + 3, 77}, {x + 1, 79}}, kStoneLight);
    });
}

// The key lock: a post of iron bars with its padlock, 20 x 70.
Canvas KeyLockPost() {
    return Outlined(20, 70, [](Canvas& c) {
        for (int x : {3, 8, 13}) {
            c.Rect(x, 1, 3, 67, kStoneDark);
            c.Rect(x, 1, 1, 67, kStone);
        }
        for (int y : {4, 34, 62}) {
            c.Rect(1, y, 18, 3, kEarth);
            c.Rect(1, y, 18, 1, kWood);
        }
        Padlock(c, 7, 14);
        c.Rect(6, 21, 8, 1, kGold);
    });
}

// The breakable block: two cells of cracked stone, 40 x 40.
Canvas CrackedRock() {
    return Outlined(40, 40, [](Canvas& c) {
        c.Rect(1, 1, 38, 38, kStone);
        for (int y = 1; y < 39; ++y)
            for (int x = 1; x < 39; ++x)
                if (TileSpeck(x, y, 51, 9)) c.Set(x, y, kStoneDark);
        c.Rect(1, 1, 38, 2, kStoneLight);
        c.Rect(1, 1, 2, 38, kStoneLight);
        c.Rect(37, 1, 2, 38, kStoneDark);
        c.Rect(1, 37, 38, 2, kStoneDark);
        // The cracks that show it gives way.
        c.Line(12, 3, 17, 14, kInk);
        c.Line(17, 14, 13, 22, kInk);
        c.Line(17, 14, 28, 18, kInk);
        c.Line(28, 18, 35, 30, kInk);
        c.Line(13, 22, 8, 35, kInk);
        c.Line(24, 26, 20, 36, kInk);
        c.Line(18, 15, 27, 19, kStoneLight);
    });
}

// The sealed block: stone bound by a rope with a paper charm, 20 x 20.
Canvas SealedBlock() {
    return Outlined(20, 20, [](Canvas& c) {
        c.Rect(1, 1, 18, 18, kStoneDark);
        c.Rect(1, 1, 18, 1, kStone);
        c.Rect(1, 1, 1, 18, kStone);
        c.Rect(1, 9, 18, 2, kSand);
        c.Rect(7, 4, 6, 12, kCream);
        c.Rect(8, 6, 4, 1, kRed);
        c.Rect(9, 8, 2, 5, kRed);
        c.Rect(8, 14, 4, 1, kRed);
    });
}

// The falling block: a slab of stone hung on two ropes from above, 40 x 470;
// the slab itself fills rows 450..460 of the picture (the sheet's 470..480).
// The ropes are twisted hemp; they end in iron staples set in the slab's
// top. The slab is three dressed stones with a worn, lit top to stand on,
// the middle one carved with a round crest, chipped at its corners, a
// tuft of moss on its top and its underside in shadow.
Canvas HangingSlab() {
    Canvas c(40, 470, kKey);
    for (int x : {9, 29}) {
        for (int y = 0; y < 448; ++y) {
            const bool twist = ((y / 2) % 2) == 0;
            c.Set(x, y, twist ? kSand : kWood);
            c.Set(x + 1, y, twist ? kWood : kEarth);
        }
        // The iron staple the rope is knotted to.
        c.Rect(x - 1, 446, 4, 1, kSand);
        c.Rect(x - 1, 447, 1, 3, kStone);
        c.Rect(x + 2, 447, 1, 3, kStoneDark);
        c.Set(x - 1, 447, kStoneLight);
    }
    Canvas slab = Outlined(40, 12, [](Canvas& s) {
        s.Rect(1, 1, 38, 10, kStone);
        // The worn top to stand on, and the shadowed underside.
        s.Rect(1, 1, 38, 1, kStoneLight);
        s.Rect(1, 2, 38, 1, kStone);
        s.Rect(1, 9, 38, 1, kStoneDark);
        s.Rect(1, 10, 38, 1, kNight);
        // The joints between the three stones, bevelled by the light.
        for (int x : {13, 26}) {
            s.Rect(x, 2, 1, 8, kStoneDark);
            s.Rect(x + 1, 2, 1, 7, kStoneLight);
        }
        // Wear on the faces.
        for (auto [x, y] : {std::pair{5, 3}, {6, 4}, {6, 5}, {7, 6}, {30, 7}, {31, 7}, {32, 6}})
            s.Set(x, y, kStoneDark);
        for (auto [x, y] : {std::pair{7, 4}, {7, 5}, {8, 6}, {31, 6}}) s.Set(x, y, kStoneLight);
        // The round crest carved in the middle stone: its upper-left rim in
        // shadow, its lower-right rim catching the light.
        s.Ring(20, 5, 3, kStoneDark);
        for (int y = 5; y <= 8; ++y)
            for (int x = 20; x <= 23; ++x)
                if (s.Get(x, y) == kStoneDark && (x - 20) + (y - 5) >= 3) s.Set(x, y, kStoneLight);
        // Chipped corners and a tuft of moss.
        s.Set(1, 1, kKey);
        s.Set(38, 10, kKey);
        s.Set(1, 10, kKey);
        s.Rect(32, 1, 3, 1, kGrass);
        s.Set(33, 1, kLeaf);
        s.Set(31, 1, kPine);
    });
    c.Blit(slab, 0, 450);
    return c;
}

}  // namespace

void DrawStageObjectsOnSlot40(Canvas& sheet) {
    sheet.Blit(ExitArrow(), 400, 0);
    sheet.Blit(Target(false), 220, 0);
    sheet.Blit(Target(true), 240, 0);
    sheet.Blit(ShopStall(), 120, 0);
    sheet.Blit(Toro(), 320, 20);
    sheet.Blit(Jizo(), 360, 20);
    sheet.Blit(Shrub(), 400, 20);
    sheet.Blit(Portcullis(), 0, 60);
    sheet.Blit(KeyLockPost(), 20, 60);
    for (int k = 0; k < 4; ++k) sheet.Blit(Lantern(k), 40 + 20 * k, 60);
    for (int k = 0; k < 4; ++k) sheet.Blit(Lantern(4 + k), 40 + 20 * k, 100);
    sheet.Blit(CrackedRock(), 0, 160);
    sheet.Blit(SealedBlock(), 40, 160);
    sheet.Blit(HangingSlab(), 440, 20);
}

// The save point: a jade orb in a turning gold ring, three frames.
void DrawSavePoint(Canvas& sheet) {
    for (int f = 0; f < 3; ++f) {
        Canvas orb = Outlined(20, 20, [f](Canvas& c) {
            const int rx = f == 0 ? 8 : (f == 1 ? 5 : 2);
            for (int a = 0; a < 64; ++a) {
                const double t = a * 6.2831853 / 64;
                c.Set(10 + static_cast<int>(std::lround(rx * std::cos(t))), 10 + static_cast<int>(std::lround(8 * std::sin(t))),
                      std::sin(t) > 0 ? kAmber : kGold);
            }
            c.Disc(10, 10, 5, kPine);
            c.Disc(10, 10, 4, kGrass);
            c.Disc(9, 9, 2, kLeaf);
            c.Set(8, 8, kWhite);
            // The near half of the ring passes in front of the orb.
            for (int a = 0; a < 32; ++a) {
                const double t = a * 3.14159265 / 32;
                c.Set(10 + static_cast<int>(std::lround(rx * std::cos(t))), 10 + static_cast<int>(std::lround(8 * std::sin(t))),
                      kGold);
            }
        });
        sheet.Blit(orb, 20 * f, 180);
    }
}

// The enemy lock's flash: a star of light.
void DrawLockFlash(Canvas& sheet) {
    Canvas star(20, 20, kKey);
    star.Polygon({{10, 0}, {12, 8}, {19, 10}, {12, 12}, {10, 19}, {8, 12}, {1, 10}, {8, 8}}, kGold);
    star.Polygon({{10, 4}, {11, 9}, {15, 10}, {11, 11}, {10, 15}, {9, 11}, {5, 10}, {9, 9}}, kCream);
    star.Disc(10, 10, 1, kWhite);
    sheet.Blit(star, 480, 220);
}

}  // namespace stage_art

// --- Sheets of their own ----------------------------------------------------------

ART_SHEET(117, "stage-decorations") {
    Canvas sheet(512, 512, kKey);
    sheet.Blit(Torii(), 0, 0);
    sheet.Blit(TempleWall(), 160, 0);
    sheet.Blit(Pagoda(), 0, 80);
    return sheet;
}

ART_SHEET(170, "door-stone") {
    Canvas sheet(256, 256, kKey);
    sheet.Blit(StoneDoor(), 140, 40);
    return sheet;
}

ART_SHEET(174, "doors") {
    Canvas sheet(256, 256, kKey);
    sheet.Blit(CurtainDoor(), 80, 40);
    sheet.Blit(ShojiDoor(), 120, 40);
    return sheet;
}

ART_SHEET(181, "door-gate") {
    Canvas sheet(256, 256, kKey);
    sheet.Blit(RedGate(), 140, 60);
    return sheet;
}

ART_SHEET(304, "locked-door") {
    Canvas sheet(256, 256, kKey);
    sheet.Blit(LockedGate(0), 20, 120);
    sheet.Blit(LockedGate(12), 100, 120);
    sheet.Blit(LockedGate(24), 160, 120);
    return sheet;
}

ART_SHEET(307, "hazard-objects") {
    Canvas sheet(256, 256, kKey);
    for (int f = 0; f < 4; ++f) {
        sheet.Blit(EmberBlock(f), 20 * f, 80);
        sheet.Blit(SpikeBlock(f), 20 * f, 100);
    }
    return sheet;
}
