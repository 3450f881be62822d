// The stage gimmicks on the conveyor sheet (resource 150, slot 48), below
// the belts: 20 x 20 tiles in the stage tile style, each anchored at its
// centre. The spring and the catapult are drawn pointing up (the game turns
// them by their direction); the spikes have a picture per orientation.
//
//  cell           at       states
//  spring         0,60     spring 230 and the wobble's rest pictures
//  spring_pressed 20,60    spring 231 and the wobble's squeezes
//  spring_high    40,60    the wobble's stretches
//  spring_half    60,60    the wobble's half stretches
//  catapult       80,60    catapult 230
//  catapult_fired 100,60   catapult 231 (the arm thrown up, a puff at the beam)
//  spikes_up      0,80     spike 230 (points up)
//  spikes_right   20,80    spike 231
//  spikes_down    40,80    spike 232
//  spikes_left    60,80    spike 233
#include <algorithm>
#include <string>

#include "Palette.h"
#include "Sheets.h"

namespace {

constexpr int kSize = 20;
constexpr rig::CellGeometry kGimmickCell{kSize, kSize, kSize, 10, 10, 0, 0};

// A gimmick picture: drawn inside a one-texel margin, then outlined.
Canvas Outlined(Canvas t) {
    t.Outline(kInk);
    return t;
}

// The spring with its pad's top at row `top` (3 = at rest): an iron base
// plate with rivets, a steel coil of four turns and a red lacquered pad.
Canvas DrawSpring(int top) {
    Canvas t(kSize, kSize, kKey);
    // Base plate, rows 16..18.
    t.Rect(2, 16, 16, 3, kStoneDark);
    t.Rect(2, 16, 16, 1, kStone);
    t.Set(4, 17, kStoneLight);
    t.Set(15, 17, kStoneLight);
    // The coil from under the pad down to the base.
    const int coilTop = top + 3, coilBottom = 15;
    const int turns = 4;
    const int length = coilBottom - coilTop + 1;
    for (int i = 0; i < turns * 2; ++i) {
        const int y0 = coilTop + length * i / (turns * 2);
        const int y1 = coilTop + length * (i + 1) / (turns * 2) - 1;
        const bool front = i % 2 == 0;
        const int xa = front ? 5 : 14, xb = front ? 14 : 5;
        t.Line(xa, y0, xb, std::max(y0, y1), front ? kStoneLight : kStoneDark);
        if (front) t.Set(xa, y0, kWhite);
    }
    // The pad: three rows of red lacquer with a lit top edge.
    t.Rect(2, top, 16, 3, kCrimson);
    t.Rect(2, top, 16, 1, kRed);
    t.Rect(3, top, 5, 1, kCoral);
    t.Set(17, top + 2, kNight);
    return Outlined(t);
}

// The catapult, drawn throwing upward: a wheeled wooden frame with a stop
// beam across its top and a throwing arm on a twisted-rope pivot, a bowl at
// the arm's end. At rest (`fired` false) the arm is cocked down and back
// with its bowl low; fired, it stands against the stop beam with its bowl at
// the top, swing lines behind it and a puff of dust where it struck.
Canvas DrawCatapult(bool fired) {
    Canvas t(kSize, kSize, kKey);
    // The frame: two uprights and the stop beam, lit on the left.
    for (int x : {3, 15}) {
        t.Rect(x, 8, 2, 9, kWood);
        t.Rect(x, 8, 1, 9, kSand);
    }
    t.Rect(3, 7, 14, 2, kWood);
    t.Rect(3, 7, 14, 1, kSand);
    t.Set(4, 8, kStoneLight);
    t.Set(15, 8, kStoneLight);
    // The sled and its two wheels.
    t.Rect(1, 15, 18, 2, kEarth);
    t.Rect(1, 15, 18, 1, kWood);
    for (int cx : {5, 14}) {
        t.Disc(cx, 17, 2, kEarthDark);
        t.Set(cx, 17, kStone);
        t.Set(cx - 1, 16, kEarth);
    }
    // The arm from its pivot, and the bowl at its end.
    const int px = 10, py = 14;
    const int ex = fired ? 10 : 3, ey = fired ? 3 : 10;
    t.Line(px, py, ex, ey, kWood);
    t.Line(px + (fired ? 1 : 0), py + (fired ? 0 : 1), ex + (fired ? 1 : 0), ey + (fired ? 0 : 1), kEarth);
    t.Line(px - (fired ? 1 : 0), py - (fired ? 0 : 1), ex - (fired ? 1 : 0), ey - (fired ? 0 : 1), kSand);
    // The bowl: a wooden cup, dark inside, bound in iron.
    const int bx = ex, by = fired ? 1 : 7;
    t.Rect(bx - 3, by, 7, 3, kWood);
    t.Rect(bx - 2, by, 5, 1, kEarthDark);
    t.Rect(bx - 3, by + 2, 7, 1, kStoneDark);
    t.Set(bx - 3, by, kSand);
    // The twisted rope of the pivot.
    t.Rect(8, 13, 5, 3, kSand);
    t.Set(9, 13, kGold);
    t.Set(11, 14, kWood);
    t.Set(9, 15, kWood);
    t.Set(10, 14, kStone);
    if (!fired) {
        // The rope that holds it cocked, down to the sled.
        t.Line(4, 12, 2, 14, kSand);
    } else {
        // Swing lines on the side it came from, and the puff at the beam.
        t.Set(4, 4, kMist);
        t.Set(5, 3, kMist);
        t.Set(3, 6, kMist);
        t.Set(6, 2, kStoneLight);
        t.Disc(15, 5, 1, kStoneLight);
        t.Set(17, 4, kWhite);
        t.Set(16, 6, kMist);
    }
    return Outlined(t);
}

// Three steel spikes standing on an iron plate, tips at row 5 (where the
// touch box begins), base plate rows 16..18.
Canvas DrawSpikesUp() {
    Canvas t(kSize, kSize, kKey);
    t.Rect(1, 16, 18, 3, kStoneDark);
    t.Rect(1, 16, 18, 1, kStone);
    for (int rivet : {3, 16}) t.Set(rivet, 17, kStoneLight);
    for (int cx : {4, 10, 15}) {
        for (int y = 5; y <= 15; ++y) {
            const int half = (y - 5) * 3 / 10;
            for (int dx = -half; dx <= half; ++dx) {
                Rgb col = dx < 0 ? kStoneLight : kStone;
                if (dx == -half && half > 0) col = kWhite;
                else if (dx == half && half > 0) col = kStoneDark;
                t.Set(cx + dx, y, col);
            }
        }
        t.Set(cx, 5, kWhite);
    }
    return Outlined(t);
}

// The picture turned clockwise by quarter turns (0 to 3).
Canvas Turned(const Canvas& src, int quarters) {
    Canvas out = src;
    for (int q = 0; q < quarters; ++q) {
        Canvas next(kSize, kSize, kKey);
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) next.Set(kSize - 1 - y, x, out.Get(x, y));
        out = next;
    }
    return out;
}

Canvas PaintGimmick(const Layout&, const Cell& c) {
    const std::string pose = c.pose;
    if (pose == "spring") return DrawSpring(3);
    if (pose == "spring_pressed") return DrawSpring(9);
    if (pose == "spring_high") return DrawSpring(0);
    if (pose == "spring_half") return DrawSpring(5);
    if (pose == "catapult") return DrawCatapult(false);
    if (pose == "catapult_fired") return DrawCatapult(true);
    if (pose == "spikes_up") return DrawSpikesUp();
    if (pose == "spikes_right") return Turned(DrawSpikesUp(), 1);
    if (pose == "spikes_down") return Turned(DrawSpikesUp(), 2);
    return Turned(DrawSpikesUp(), 3);
}

const Layout kGimmickLayout{150, 48, "gimmicks_slot48", {
    {"spring", "spring 230 234 238 241 243 245 247 249", 0, 60, Anchor::Centre},
    {"spring_pressed", "spring 231 235 239 242 246", 20, 60, Anchor::Centre},
    {"spring_high", "spring 232 236", 40, 60, Anchor::Centre},
    {"spring_half", "spring 233 237 240 244 248", 60, 60, Anchor::Centre},
    {"catapult", "catapult 230", 80, 60, Anchor::Centre},
    {"catapult_fired", "catapult 231", 100, 60, Anchor::Centre},
    {"spikes_up", "spike 230", 0, 80, Anchor::Centre},
    {"spikes_right", "spike 231", 20, 80, Anchor::Centre},
    {"spikes_down", "spike 232", 40, 80, Anchor::Centre},
    {"spikes_left", "spike 233", 60, 80, Anchor::Centre},
}, 256, kGimmickCell, PaintGimmick};
ART_LAYOUT(kGimmickLayout);

const Review kGimmickReview{"gimmicks", {150}, {
    {"spring 230 231 232", {{"spring", 10}, {"spring_pressed", 6}, {"spring_high", 2}, {"spring_half", 1}, {"spring", 2}, {"spring_pressed", 6}, {"spring_high", 2}, {"spring_half", 1}, {"spring", 9}}},
    {"catapult 230 231", {{"catapult", 10}, {"catapult_fired", 10}}},
    {"spikes 230-233", {{"spikes_up", 4}, {"spikes_right", 4}, {"spikes_down", 4}, {"spikes_left", 4}}},
}, {{"spring", 0}, {"catapult", 0}, {"spikes_up", 0}}};
ART_REVIEW(kGimmickReview);

}  // namespace
