#pragma once
// Drawing helpers of the effect and projectile sheets: small shapes (stars,
// flames, shaded balls, clouds, rings, blades) built from the canvas
// primitives in the one palette, and placing a picture in its cell.
//
// Shapes that fly along their velocity are drawn pointing up: the game
// turns them by atan2(vx, -vy), which is 0 for a shot moving up.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "Canvas.h"
#include "Palette.h"

namespace fx {

using Points = std::vector<std::pair<int, int>>;

// A repeatable sequence for scattered details (the same bytes every build).
class Dice {
public:
    explicit Dice(uint32_t seed) : s_(seed * 2654435761u + 12345u) {}
    int Next(int n) {
        s_ = s_ * 1103515245u + 12345u;
        return static_cast<int>((s_ >> 16) % static_cast<uint32_t>(n));
    }

private:
    uint32_t s_;
};

inline void Put(Canvas& c, int x, int y, Rgb colour) { c.Set(x, y, colour); }

// Pixels inside an ellipse centred on (cx, cy) with radii rx, ry (half
// pixels allowed through the doubled coordinates).
inline void Ellipse(Canvas& c, double cx, double cy, double rx, double ry, Rgb colour) {
    for (int y = static_cast<int>(cy - ry - 1); y <= static_cast<int>(cy + ry + 1); ++y)
        for (int x = static_cast<int>(cx - rx - 1); x <= static_cast<int>(cx + rx + 1); ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) c.Set(x, y, colour);
        }
}

// A ball lit from the upper left: dark rim, body, light patch and a glint.
inline void Ball(Canvas& c, double cx, double cy, double r, Rgb dark, Rgb body, Rgb light, Rgb glint) {
    Ellipse(c, cx, cy, r, r, dark);
    Ellipse(c, cx - r * 0.12, cy - r * 0.12, r * 0.82, r * 0.82, body);
    Ellipse(c, cx - r * 0.3, cy - r * 0.3, r * 0.45, r * 0.45, light);
    if (r >= 3) c.Set(static_cast<int>(cx - r * 0.45), static_cast<int>(cy - r * 0.5), glint);
}

// A four-pointed star: arms of length `arm` along the axes, `half` wide at
// the centre, tapering to a point.
inline void Star4(Canvas& c, double cx, double cy, double armX, double armY, double half, Rgb colour) {
    const int x = static_cast<int>(cx), y = static_cast<int>(cy);
    const int ax = static_cast<int>(armX), ay = static_cast<int>(armY), h = static_cast<int>(half);
    c.Polygon({{x - ax, y}, {x - h, y - h}, {x, y - ay}, {x + h + 1, y - h}, {x + ax + 1, y}, {x + h + 1, y + h + 1},
               {x, y + ay + 1}, {x - h, y + h + 1}},
              colour);
}

// A flame (or comet) with its round head at (cx, headY), radius r, and a
// tail of length `tail` toward +y (so it points up as it flies).
inline void Flame(Canvas& c, double cx, double headY, double r, double tail, Rgb outer, Rgb mid, Rgb core) {
    auto layer = [&](double rr, double tl, Rgb col) {
        Ellipse(c, cx, headY, rr, rr, col);
        c.Polygon({{static_cast<int>(cx - rr + 0.5), static_cast<int>(headY)},
                   {static_cast<int>(cx + rr + 0.5), static_cast<int>(headY)},
                   {static_cast<int>(cx + 0.5), static_cast<int>(headY + tl)}},
                  col);
    };
    layer(r, tail, outer);
    layer(r * 0.68, tail * 0.62, mid);
    layer(r * 0.38, tail * 0.3, core);
}

// A cloud of overlapping discs (smoke, dust).
inline void Cloud(Canvas& c, double cx, double cy, double r, int puffs, uint32_t seed, Rgb shade, Rgb body,
                  Rgb light) {
    Dice d(seed);
    struct P {
        double x, y, r;
    };
    std::vector<P> ps;
    for (int i = 0; i < puffs; ++i) {
        const double a = 6.2831853 * i / puffs + d.Next(60) / 100.0;
        const double dist = r * (0.35 + d.Next(30) / 100.0);
        ps.push_back({cx + std::cos(a) * dist, cy + std::sin(a) * dist, r * (0.42 + d.Next(20) / 100.0)});
    }
    ps.push_back({cx, cy, r * 0.6});
    for (const P& p : ps) Ellipse(c, p.x, p.y + 0.6, p.r, p.r, shade);
    for (const P& p : ps) Ellipse(c, p.x - 0.3, p.y - 0.3, p.r * 0.82, p.r * 0.82, body);
    for (const P& p : ps)
        if (p.y <= cy && p.x <= cx + r * 0.2) Ellipse(c, p.x - p.r * 0.35, p.y - p.r * 0.35, p.r * 0.38, p.r * 0.38, light);
}

// A ring of the given thickness.
inline void RingOf(Canvas& c, double cx, double cy, double r, double thickness, Rgb colour) {
    for (int y = static_cast<int>(cy - r - 1); y <= static_cast<int>(cy + r + 1); ++y)
        for (int x = static_cast<int>(cx - r - 1); x <= static_cast<int>(cx + r + 1); ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d <= r && d >= r - thickness) c.Set(x, y, colour);
        }
}

// A crescent blade opening downward (a slash or a wind blade moving up).
inline void Crescent(Canvas& c, double cx, double cy, double r, double bite, Rgb colour) {
    for (int y = static_cast<int>(cy - r - 1); y <= static_cast<int>(cy + r + 1); ++y)
        for (int x = static_cast<int>(cx - r - 1); x <= static_cast<int>(cx + r + 1); ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const bool inOuter = std::hypot(px - cx, py - cy) <= r;
            const bool inBite = std::hypot(px - cx, py - (cy + bite)) <= r;
            if (inOuter && !inBite) c.Set(x, y, colour);
        }
}

// Replaces every pixel of one colour by another.
inline void Recolour(Canvas& c, Rgb from, Rgb to) {
    for (int y = 0; y < c.H(); ++y)
        for (int x = 0; x < c.W(); ++x)
            if (c.Get(x, y) == from) c.Set(x, y, to);
}

// A picture from a pixel grid with a legend of single characters.
struct Key {
    char ch;
    Rgb colour;
};
inline Canvas FromGrid(const std::vector<const char*>& rows, std::initializer_list<Key> keys) {
    int w = 0;
    for (const char* r : rows) w = std::max<int>(w, static_cast<int>(std::char_traits<char>::length(r)));
    Canvas c(w, static_cast<int>(rows.size()));
    std::vector<Key> legend(keys);
    std::vector<std::string> lines(rows.begin(), rows.end());
    c.Grid(0, 0, lines, [&](char ch, Rgb& out) {
        for (const Key& k : legend)
            if (k.ch == ch) {
                out = k.colour;
                return true;
            }
        return false;
    });
    return c;
}

// The picture turned by a quarter turn clockwise.
inline Canvas TurnedRight(const Canvas& src) {
    Canvas out(src.H(), src.W());
    for (int y = 0; y < src.H(); ++y)
        for (int x = 0; x < src.W(); ++x) out.Set(src.H() - 1 - y, x, src.Get(x, y));
    return out;
}

// Places a picture centred in the cell (x, y, w, h) of the sheet.
inline void Place(Canvas& sheet, const Canvas& pic, int x, int y, int w, int h) {
    sheet.Blit(pic, x + (w - pic.W()) / 2, y + (h - pic.H()) / 2);
}

}  // namespace fx
