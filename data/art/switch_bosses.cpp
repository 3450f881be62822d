// The side-room bosses' sheets:
//   resource 401, slot 73   the mammoth (64 x 64 cells)
//   resource 402, slot 74   the wanyudo's face, wheel and flames, the
//                           boseki's gravestone and the big ghost
//   resource 121, slot 20   the boseki's grave plot (64 x 64 cells)
//   resource 138, slot 37   the kappa tank (96 x 72 body cells, 32 x 32 parts)
//   resource 137, slot 36   the kappa tank's second pose set (the body only)
//
// The beasts and the tank are rigged figures in the style of the king tengu
// (three tones lit from the upper left, an ink outline); the stone, wood and
// fire of the wheel and the grave plot are drawn shape by shape and then
// outlined the same way. Every figure faces right.
#include <algorithm>
#include <cmath>
#include <tuple>

#include "Enemies.h"
#include "Palette.h"

namespace {

using rig::CapsulePart;
using rig::EllipsePart;
using rig::MakeBone;
using rig::Ramp;
using rig::Sprite;

constexpr double kPi = 3.14159265358979323846;

// --- Shared drawing --------------------------------------------------------------

// Positions and sizes worked out with trigonometry are kept on a 1/16 texel
// grid before they decide a pixel, so that the last bits a maths library
// rounds differently never change the picture.
double Snap(double v) { return std::round(v * 16.0) / 16.0; }

// A region of a cell built from discs, ellipses, polygons and rectangles
// (and holes cut out of it), painted the way the rig shades its parts: the
// ramp's light tone along the edges that face the upper left where the
// region is thick enough to show it, the dark tone along those that face
// the lower right, the mid tone between.
class Shape {
public:
    Shape(int w, int h) : w_(w), h_(h), in_(static_cast<size_t>(w) * h, 0) {}

    bool In(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_ && in_[Index(x, y)]; }
    void Set(int x, int y, bool on) {
        if (x >= 0 && y >= 0 && x < w_ && y < h_) in_[Index(x, y)] = on;
    }
    // A disc about the pixel (cx, cy).
    Shape& Disc(double cx, double cy, double r, bool on = true) {
        cx = Snap(cx), cy = Snap(cy), r = Snap(r);
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * (r + 1)) Set(x, y, on);
        return *this;
    }
    // An ellipse about the pixel (cx, cy), turned by `turn` degrees.
    Shape& Ellipse(double cx, double cy, double rx, double ry, bool on = true, double turn = 0) {
        cx = Snap(cx), cy = Snap(cy), rx = Snap(rx), ry = Snap(ry);
        const double c = std::round(std::cos(turn * kPi / 180) * 1024) / 1024;
        const double s = std::round(std::sin(turn * kPi / 180) * 1024) / 1024;
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) {
                const double u = (x - cx) * c + (y - cy) * s, v = (y - cy) * c - (x - cx) * s;
                if ((u * u) / ((rx + 0.5) * (rx + 0.5)) + (v * v) / ((ry + 0.5) * (ry + 0.5)) <= 1.0) Set(x, y, on);
            }
        return *this;
    }
    // A polygon through pixel corners (as Canvas::Polygon fills it).
    Shape& Poly(const std::vector<std::pair<int, int>>& pts, bool on = true) {
        Canvas mask(w_, h_);
        mask.Polygon(pts, kInk);
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                if (mask.Get(x, y) == kInk) Set(x, y, on);
        return *this;
    }
    Shape& Rect(int x0, int y0, int w, int h, bool on = true) {
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) Set(x, y, on);
        return *this;
    }
    // A stroke of radius r from (x0, y0) to (x1, y1).
    Shape& Stroke(double x0, double y0, double x1, double y1, double r, bool on = true) {
        x0 = Snap(x0), y0 = Snap(y0), x1 = Snap(x1), y1 = Snap(y1), r = Snap(r);
        const double dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) {
                double t = len2 > 0 ? ((x - x0) * dx + (y - y0) * dy) / len2 : 0;
                t = std::clamp(t, 0.0, 1.0);
                const double ex = x - (x0 + t * dx), ey = y - (y0 + t * dy);
                if (ex * ex + ey * ey <= r * (r + 1)) Set(x, y, on);
            }
        return *this;
    }
    // Keeps only what also lies in `other`.
    Shape& Within(const Shape& other) {
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                if (!other.In(x, y)) Set(x, y, false);
        return *this;
    }
    Shape& Without(const Shape& other) {
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                if (other.In(x, y)) Set(x, y, false);
        return *this;
    }

    // The region less `n` texels all round its edge.
    Shape Eroded(int n) const {
        Shape out = *this;
        for (int i = 0; i < n; ++i) {
            const Shape was = out;
            for (int y = 0; y < h_; ++y)
                for (int x = 0; x < w_; ++x)
                    if (was.In(x, y) && (!was.In(x - 1, y) || !was.In(x + 1, y) || !was.In(x, y - 1) || !was.In(x, y + 1)))
                        out.Set(x, y, false);
        }
        return out;
    }

    void Fill(Canvas& c, Rgb colour) const {
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                if (In(x, y)) c.Set(x, y, colour);
    }
    void Paint(Canvas& c, const Ramp& ramp) const {
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) {
                if (!In(x, y)) continue;
                const bool ul = !In(x - 1, y) || !In(x, y - 1);
                const bool lr = !In(x + 1, y) || !In(x, y + 1);
                Rgb tone = ramp.mid;
                if (lr && (In(x - 1, y - 1) || In(x - 1, y) || In(x, y - 1))) tone = ramp.dark;
                else if (ul && In(x + 1, y + 1) && In(x + 2, y + 2) && In(x + 3, y + 3)) tone = ramp.light;
                c.Set(x, y, tone);
            }
    }
    // A dark line just outside the region, over whatever the canvas holds
    // there (a plate's edge over the plate behind it).
    void Edge(Canvas& c, Rgb colour) const {
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                if (!In(x, y) && (In(x - 1, y) || In(x + 1, y) || In(x, y - 1) || In(x, y + 1)) && !(c.Get(x, y) == kKey))
                    c.Set(x, y, colour);
    }

private:
    size_t Index(int x, int y) const { return static_cast<size_t>(y) * w_ + x; }
    int w_, h_;
    std::vector<uint8_t> in_;
};

// A flame: a round foot and three tongues licking up off it (the middle one
// tallest), `sway` leaning their tips, `phase` trading the side tongues'
// heights; `outer` round the edge, `inner` within, `heart` at its foot.
void Flame(Canvas& c, double cx, double base, double tall, double width, double sway, int phase, Rgb outer, Rgb inner,
           Rgb heart) {
    Shape flame(c.W(), c.H());
    flame.Disc(cx, base, width);
    struct Tongue {
        double dx, height, lean, r;
    };
    const double side[] = {0.55, 0.4, 0.5, 0.35};
    const Tongue tongues[] = {{0, tall, sway, width * 0.6},
                              {-width * 0.7, tall * side[phase % 4], sway - width * 0.7, width * 0.4},
                              {width * 0.7, tall * side[(phase + 2) % 4], sway + width * 0.7, width * 0.4}};
    for (const Tongue& t : tongues)
        for (int i = 0; i <= 16; ++i) {
            const double u = i / 16.0;
            const double x = cx + t.dx + t.lean * u * u + std::sin(u * kPi * 1.5 + phase) * 0.6 * u;
            flame.Disc(x, base - t.height * u, t.r * (1 - u) + 0.2);
        }
    flame.Fill(c, outer);
    const Shape within = flame.Eroded(1);
    within.Fill(c, inner);
    Shape core(c.W(), c.H());
    core.Disc(cx, base, width * 0.45).Stroke(cx, base, cx + sway * 0.4, base - tall * 0.45, width * 0.2);
    core.Within(within.Eroded(1)).Fill(c, heart);
}

// A pixel grid in the colours of `legend` ('.' and unknown characters stay
// empty).
void Pixels(Canvas& c, int x0, int y0, const std::vector<std::string>& rows, const std::map<char, Rgb>& legend) {
    c.Grid(x0, y0, rows, [&](char ch, Rgb& out) {
        auto it = legend.find(ch);
        if (it == legend.end()) return false;
        out = it->second;
        return true;
    });
}

// The figure's ink outline, with the evening sky's light along the edges
// that face the upper left (as the rig draws it), so that a dark figure
// keeps its shape against a dark stage.
void Ink(Canvas& c) {
    const Canvas bare = c;
    c.Outline(kInk);
    auto open = [&](int x, int y) { return x < 0 || y < 0 || bare.Get(x, y) == kKey; };
    for (int y = 0; y < c.H(); ++y)
        for (int x = 0; x < c.W(); ++x) {
            if (!open(x, y) || !open(x - 1, y) || !open(x, y - 1)) continue;
            const bool below = y + 1 < c.H() && !open(x, y + 1), right = x + 1 < c.W() && !open(x + 1, y);
            if (below || right) c.Set(x, y, kMist);
        }
}

std::map<char, Rgb> Legend() {
    return {{'k', kInk},  {'w', kWhite}, {'r', kRed},   {'c', kCrimson}, {'a', kAmber}, {'g', kGold},
            {'e', kCream}, {'s', kStone}, {'S', kStoneDark}, {'m', kMist}, {'f', kFoam}, {'b', kWater},
            {'n', kNight}, {'E', kEarthDark}, {'o', kWood}, {'v', kViolet}, {'d', kDusk}};
}

// --- The mammoth (slot 73) ---------------------------------------------------------------

// A woolly mammoth twice a man's height: a shaggy hump over the forelegs,
// a domed skull, small eyes ringed in lighter hair, a trunk and long tusks
// that stand apart from the body, and strands of lighter hair over the
// flank and in its fringes, so that it keeps its shape against a dark
// stage.
const Ramp kWool{kSand, kWood, kEarth};
const Ramp kWoolFar{kWood, kEarth, kEarthDark};
const Ramp kTrunk{kWood, kEarth, kEarthDark};
const Ramp kTusk{kWhite, kCream, kSand};
const Ramp kSnow{kWhite, kFoam, kMist};

// Long hair hanging in a ragged fringe: D the dark wool, H and o the lighter
// strands in it.
const Sprite kBellyFringe{{
                              "DDHDDDoDDHDDDoDDDHDDoDDDHDDDoDD",
                              "DDHDD.oDDHD.DoDD.HDDoD.DHDD.oD.",
                              ".DH.D.o.DH..Do.D.H.Do..DH.D..o.",
                              ".DH...o..H..Do...H..o...H....o.",
                              "..H...o..H...o...H......H......",
                              "......o......o.................",
                          },
                          {15, 0}};
const Sprite kThroatFringe{{"DDHDDoDDH", "DDHD.oD.H", ".DH..oD..", "..H..o...", "..H......"}, {4, 0}};
const Sprite kLegFringe{{"DDHDoDDDH", "DHD.oDH.D", ".H..o.H..", ".H....H.."}, {4, 0}};
// Lighter strands over the wool of the back and flank (no outline).
const Sprite kFlankStrands{{
                               ".......o..........H.........",
                               "..H....o....o.....H.....o...",
                               "..H.....o...o......H....o...",
                               "...H....o...o......H....o...",
                               "...H....o....o.....H.....o..",
                               "...H.....o...o......H....o..",
                               "....H....o...o......H.....o.",
                               "....H.........o.....H.....o.",
                           },
                           {14, 4}};
// Toenails along the front of a foot.
const Sprite kNails{{"e.e.e"}, {2, 0}};

rig::Model MakeMammoth() {
    rig::Model m;
    m.name = "mammoth";
    m.legend = Legend();
    m.legend['D'] = kWood;
    m.legend['H'] = kEarth;
    m.legend['o'] = kSand;
    m.legend['e'] = kCream;
    m.legend['L'] = kCream;
    m.AddBone(MakeBone("body", "", 14, 0, {0, 0}, 90));
    m.AddPart(EllipsePart("torso", "body", 0, kWool, 16.0f, 21.0f, 0.25f));
    // The shoulder hump, high over the forelegs; the back slopes down from it.
    m.AddBone(enemies::Follow(MakeBone("hump", "body", 4, 0.75f, {0, -11}, 180)));
    m.AddPart(EllipsePart("hump", "hump", 1, kWool, 11.0f, 9.5f, 0.0f));
    m.AddBone(MakeBone("head", "body", 10, 1, {0, -7}, 150));
    rig::Part& head = m.AddPart(EllipsePart("head", "head", 3, kWool, 10.0f, 10.0f, 0.3f));
    head.edge = true;
    head.group = "head";
    // The high domed crown of the skull, above the hump's line.
    m.AddBone(enemies::Follow(MakeBone("dome", "head", 3, 0.3f, {-1, -7}, 180)));
    rig::Part& dome = m.AddPart(EllipsePart("dome", "dome", 4, kWool, 6.5f, 7.0f, 0.2f));
    dome.group = "head";
    m.AddBone(enemies::Follow(MakeBone("eyeAt", "head", 0, 0.5f, {-4, 1}, 150)));
    // The eye in a ring of lighter hair under a heavy brow; crossed out when
    // the beast is stunned.
    m.AddPart(enemies::SpritePart("eye", "head", 6,
                                  {{"", Sprite{{".kkk.", "LLwkL", ".LLL."}, {2, 1}}},
                                   {"x", Sprite{{"Lk.kL", "L.k.L", "Lk.kL"}, {2, 1}}}},
                                  360));
    m.FindPart("eye")->bone = "eyeAt";
    m.AddBone(enemies::Follow(MakeBone("ear", "head", 6, 0.1f, {-4, 1}, 20)));
    m.AddPart(EllipsePart("ear", "ear", 4, kWoolFar, 2.5f, 3.5f, 0.5f));
    // The trunk hangs from the middle of the face, the tusks curve out of
    // their sockets under it.
    m.AddBone(MakeBone("trunk1", "head", 9, 0.55f, {6, 0}, 20));
    m.AddBone(MakeBone("trunk2", "trunk1", 8, 1, {0, 0}, 10));
    m.AddBone(MakeBone("trunk3", "trunk2", 6, 1, {0, 0}, 40));
    for (auto [name, r0, r1] : {std::tuple{"trunk1", 3.6f, 3.0f}, {"trunk2", 3.0f, 2.3f}, {"trunk3", 2.3f, 1.7f}}) {
        rig::Part& p = m.AddPart(CapsulePart(name, name, 5, kTrunk, r0, r1));
        p.edge = true;
        p.group = "trunk";
    }
    // Long tusks sweeping down and forward, then up and back in.
    m.AddBone(MakeBone("tusk1", "head", 9, 0.3f, {5, 4}, 40));
    m.AddBone(enemies::Follow(MakeBone("tusk2", "tusk1", 7, 1, {0, 0}, 100)));
    m.AddBone(enemies::Follow(MakeBone("tusk3", "tusk2", 6, 1, {0, 0}, 205)));
    for (auto [name, r0, r1] : {std::tuple{"tusk1", 2.1f, 1.8f}, {"tusk2", 1.8f, 1.3f}, {"tusk3", 1.3f, 0.5f}}) {
        rig::Part& p = m.AddPart(CapsulePart(name, name, 7, kTusk, r0, r1));
        p.edge = true;
        p.group = "tusk";
    }
    struct Leg {
        const char* name;
        float along, dx;
        int layer;
        const Ramp* ramp;
    };
    for (const Leg& l : {Leg{"legFN", 0.95f, 0, 2, &kWool}, Leg{"legBN", 0.0f, -7, 2, &kWool},
                         Leg{"legFF", 0.8f, 3, -2, &kWoolFar}, Leg{"legBF", 0.1f, -3, -2, &kWoolFar}}) {
        m.AddBone(MakeBone(l.name, "body", 15, l.along, {l.dx, 8}, 0));
        rig::Part& p = m.AddPart(CapsulePart(l.name, l.name, l.layer, *l.ramp, 5.2f, 4.6f));
        p.edge = l.layer > 0;
    }
    for (const char* leg : {"legFN", "legBN"}) {
        m.AddPart(enemies::SpritePart(std::string(leg) + "Nails", leg, 3, {{"", kNails}}, 360)).from = 1.18f;
    }
    // Shaggy hair over the near legs' tops, under the throat and along the
    // belly, and lighter strands over the flank.
    for (const char* leg : {"legFN", "legBN"})
        m.AddPart(enemies::SpritePart(std::string(leg) + "Hair", leg, 3, {{"", kLegFringe}}, 360)).from = 0.42f;
    m.AddBone(enemies::Follow(MakeBone("belly", "body", 1, 0.3f, {0, 12}, 90)));
    m.AddPart(enemies::SpritePart("belly", "belly", 2, {{"", kBellyFringe}}, 360));
    m.AddBone(enemies::Follow(MakeBone("throat", "head", 1, 0.3f, {-2, 6}, 90)));
    m.AddPart(enemies::SpritePart("throat", "throat", 4, {{"", kThroatFringe}}, 360));
    rig::Part strands = enemies::SpritePart("strands", "body", 1, {{"", kFlankStrands}}, 360);
    strands.from = 0.3f;
    strands.outline = false;
    m.AddPart(strands);
    m.AddBone(enemies::Follow(MakeBone("tail", "body", 8, 0, {-9, -4}, -30)));
    m.AddPart(CapsulePart("tail", "tail", -3, kWoolFar, 1.5f, 1.0f));
    // The snowball it hurls, held in the curl of its trunk.
    m.AddPart(enemies::Hidden(EllipsePart("ball", "trunk3", 8, kSnow, 4.0f, 4.0f, 1.0f)));
    return m;
}

const char* const kStandWords[] = {
    "trunk1=15 trunk2=5 trunk3=40", "trunk1=20 trunk2=15 trunk3=55 legFN=4 legBF=-4",
    "trunk1=25 trunk2=20 trunk3=60", "trunk1=18 trunk2=8 trunk3=45 legFF=4 legBN=-4"};
// The throw: scooping snow (c) and raising the ball (d) as the group is
// entered, the fling at 244 (a), where the ball leaves, and the swing down.
const char* const kThrowWords[] = {
    "root:26,38 head=150 trunk1=118 trunk2=150 trunk3=205", "root:24,38 head=150 trunk1=112 trunk2=140 trunk3=190",
    "root:22,38 head=145 trunk1=35 trunk2=25 trunk3=55 show:ball", "root:19,38 head=150 trunk1=110 trunk2=134 trunk3=152 show:ball"};

const enemies::PoseLine kMammothPoses[] = {
    {"stand_a", "root:27,38"}, {"stand_b", "root:27,38"}, {"stand_c", "root:27,38"}, {"stand_d", "root:27,38"},
    {"throw_a", "root:27,38"}, {"throw_b", "root:27,38"}, {"throw_c", "root:27,38"}, {"throw_d", "root:27,38"},
    {"hop", "root:22,36 legFN=35 legBN=-30 legFF=30 legBF=-25 trunk1=30 trunk2=45 trunk3=90 tail=-70"},
    {"charge_a", "root:28,38 body=100 head=120 trunk1=5 trunk2=-10 trunk3=-20 legFN=40 legBN=-30 legFF=-20 legBF=30"},
    {"charge_b", "root:27,38 body=95 head=118 trunk1=0 trunk2=-15 trunk3=-30 legFN=-15 legBN=25 legFF=35 legBF=-35"},
    {"bounce", "root:27,38 body=82 head=165 trunk1=125 trunk2=150 trunk3=195 legFN=30 legFF=40 eye:x"},
    {"defeat", "root:24,38 head=160 trunk1=110 trunk2=130 trunk3=180 legFN=40 legBN=-40 eye:x"},
    {"fall", "root:29,34 place:centre head=190 trunk1=160 legFN=80 legBN=-80 legFF=100 legBF=-100 eye:x"},
};

Canvas PaintMammoth(const Layout& l, const Cell& c) {
    static const rig::Model mammoth = MakeMammoth();
    std::string words = enemies::FindPose(kMammothPoses, c.pose, "mammoth").words;
    const std::string pose = c.pose;
    if (pose.rfind("stand_", 0) == 0) words += std::string(" ") + kStandWords[pose.back() - 'a'];
    if (pose.rfind("throw_", 0) == 0) words += std::string(" ") + kThrowWords[pose.back() - 'a'];
    return enemies::DrawPose(mammoth, words, l, c);
}

// The feet 29 texels below the body's centre: 590 units at scale 2.
const rig::CellGeometry kMammothCell{64, 64, 64, 32, 34, 10, 4};

const Layout kMammothLayout{401, 73, "mammoth_slot73", {
    {"stand_a", "10 220 230 234 240 260", 0, 0, Anchor::Body},
    {"stand_b", "221 231 235 241 261", 64, 0, Anchor::Body},
    {"stand_c", "222 232 236 242 262", 128, 0, Anchor::Body},
    {"stand_d", "223 233 237 243 263", 192, 0, Anchor::Body},
    {"throw_a", "244", 256, 0, Anchor::Body},
    {"throw_b", "245", 320, 0, Anchor::Body},
    {"throw_c", "246", 384, 0, Anchor::Body},
    {"throw_d", "247", 448, 0, Anchor::Body},
    {"hop", "264 268", 0, 64, Anchor::Centre},
    {"charge_a", "265", 64, 64, Anchor::Body},
    {"charge_b", "266", 128, 64, Anchor::Body},
    {"bounce", "267", 192, 64, Anchor::Centre},
    {"defeat", "110", 256, 64, Anchor::Body},
    {"fall", "111", 320, 64, Anchor::Centre},
}, 512, kMammothCell, PaintMammoth};
ART_LAYOUT(kMammothLayout);

// --- The wanyudo (slot 74) ------------------------------------------------------------
//
// A burning ox-cart wheel with the head of a damned lord in its hub: the
// wheel (drawn behind, turned by the game) a thick iron-bound rim charred
// and glowing in places, twelve spokes and an iron hub; the head in front,
// upright, red with rage, its black mane and beard blown back into flame;
// the eight flames that ride the rim (20 texels out) keep upright.

const Ramp kCartWood{kSand, kWood, kEarthDark};
const Ramp kRageSkin{kSkin, kCoral, kRose};
const Ramp kMane{kDusk, kNight, kInk};

Canvas PaintWheel(const Layout& l, const Cell&) {
    const int w = l.cell.w, h = l.cell.h, cx = l.cell.centreX, cy = l.cell.centreY;
    Canvas c(w, h);
    // Bold parts only: the game turns this picture to any angle.
    Shape spokes(w, h);
    for (int i = 0; i < 8; ++i) {
        const double a = i * kPi / 4;
        spokes.Stroke(cx + 8 * std::sin(a), cy - 8 * std::cos(a), cx + 19 * std::sin(a), cy - 19 * std::cos(a), 1.5);
    }
    spokes.Paint(c, kCartWood);
    Shape rim(w, h);
    rim.Disc(cx, cy, 21.5).Disc(cx, cy, 15.5, false);
    rim.Paint(c, kCartWood);
    // The iron tyre round it.
    Shape tyre(w, h);
    tyre.Disc(cx, cy, 23.5).Disc(cx, cy, 21, false);
    tyre.Paint(c, Ramp{kStoneDark, kNight, kInk});
    // Three charred stretches of the rim, glowing.
    for (int i = 0; i < 3; ++i) {
        const double a = i * 2 * kPi / 3 + 0.5;
        Shape burn(w, h);
        burn.Ellipse(cx + 19 * std::sin(a), cy - 19 * std::cos(a), 2, 4, true, -a * 180 / kPi + 90).Within(rim);
        burn.Fill(c, kNight);
        burn.Eroded(1).Fill(c, kAmber);
    }
    Shape hub(w, h);
    hub.Disc(cx, cy, 9);
    hub.Paint(c, Ramp{kStone, kSlate, kNight});
    // A plain ink outline: a rim light would spin round with the wheel.
    c.Outline(kInk);
    return c;
}

// The head: it glares (the fight), squashes as the wheel strikes (eyes
// screwed shut, cheeks puffed), roars (the entrance) and howls in pain
// (the defeat).
Canvas PaintFace(const Layout& l, const Cell& cell) {
    const int w = l.cell.w, h = l.cell.h, cx = l.cell.centreX, cy = l.cell.centreY;
    Canvas c(w, h);
    const std::string pose = cell.pose;
    const bool squash = pose == "squash", roar = pose == "roar", pain = pose == "pain";
    const double fw = squash ? 11 : 9.5, fh = squash ? 9 : 11;  // the face's half width and height
    const int fy = cy + (squash ? 2 : 0);

    // The mane, blown back and up into burning spikes.
    Shape mane(w, h);
    mane.Ellipse(cx - 1, fy - 2, fw + 1.5, fh + 0.5).Rect(0, fy + 2, w, h, false);
    const int spikes = 5;
    for (int i = 0; i < spikes; ++i) {
        const double a = kPi * (0.8 + i * 0.16);  // from over the brow round the back
        const double r0 = fh, r1 = fh + 3 + (i % 2) * 1.5;
        mane.Stroke(cx + r0 * std::sin(a), fy + r0 * std::cos(a), cx + r1 * std::sin(a) - 3, fy + r1 * std::cos(a) - 1, 1.6);
    }
    mane.Paint(c, kMane);
    for (int i = 0; i < spikes; ++i) {
        const double a = kPi * (0.8 + i * 0.16);
        const double r1 = fh + 3 + (i % 2) * 1.5;
        Flame(c, cx + r1 * std::sin(a) - 3, fy + r1 * std::cos(a) - 1, 3 + (i % 2), 1.4, -1, i, kRed, kAmber, kGold);
    }

    Shape face(w, h);
    face.Ellipse(cx + 1, fy, fw, fh);
    face.Paint(c, kRageSkin);
    // The beard round the jaw and chin.
    Shape beard(w, h);
    beard.Ellipse(cx + 1, fy + fh * 0.9, fw * 0.85, fh * 0.38).Within(face);
    beard.Stroke(cx + 1 - fw * 0.9, fy + 2, cx + 1 - fw * 0.6, fy + fh * 0.7, 1.2);
    beard.Stroke(cx + 1 + fw * 0.9, fy + 2, cx + 1 + fw * 0.6, fy + fh * 0.7, 1.2);
    beard.Within(face).Fill(c, kNight);

    const std::map<char, Rgb> legend = {{'k', kInk},   {'n', kNight}, {'w', kWhite}, {'g', kGold}, {'r', kRed},
                                        {'c', kCrimson}, {'s', kRose}, {'e', kCream}, {'a', kAmber}, {'o', kCoral},
                                        {'S', kSkin}};
    // Brows, eyes, nose and mouth as pixel grids, centred on the face.
    std::vector<std::string> rows;
    if (squash) {
        rows = {
            "nnnn.....nnnn",
            ".nnnn...nnnn.",
            "..kkk...kkk..",
            ".kk.......kk.",
            ".....sss.....",
            "....sooos....",
            "..kkkkkkkkk..",
            "..kwkwkwkwk..",
            "..kkkkkkkkk..",
        };
    } else if (roar) {
        rows = {
            "nnn.......nnn",
            ".nnnn...nnnn.",
            "..nnn...nnn..",
            ".wwgk...kgww.",
            ".wrrk...krrw.",
            ".....sss.....",
            "....sooos....",
            "...kkkkkkk...",
            "..kwckkkcwk..",
            "..kcrrrrrck..",
            "..kcrrrrrck..",
            "..kwccccc wk..",
            "...kkkkkkk...",
        };
        rows[11] = "..kwcccccwk..";
    } else if (pain) {
        rows = {
            "...nn...nn...",
            "..nn.....nn..",
            ".k.k.....k.k.",
            "..k.......k..",
            ".k.k.....k.k.",
            ".....sss.....",
            "....sooos....",
            "....kkkkk....",
            "...kcrrrck...",
            "...kcrrrck...",
            "....kkkkk....",
        };
    } else {
        rows = {
            "nnnn.....nnnn",
            ".nnnnn.nnnnn.",
            "..wggk.kggw..",
            "..wrrk.krrw..",
            "...kk...kk...",
            ".....sss.....",
            "....sooos....",
            "...s.....s...",
            "..kkkkkkkkk..",
            "..kwewewewk..",
            "..kkkkkkkkk..",
        };
    }
    Pixels(c, cx - 5, fy - static_cast<int>(fh * 0.55), rows, legend);
    Ink(c);
    return c;
}

// A flame riding the rim, upright, in four pictures of its flicker.
Canvas PaintFlame(const Layout& l, const Cell& cell) {
    Canvas c(l.cell.w, l.cell.h);
    const int k = std::string(cell.pose).back() - 'a';
    const double sway[] = {0, 1.5, 0.5, -1.5};
    const double tall[] = {9, 11, 8, 10};
    Flame(c, l.cell.centreX, l.cell.centreY + 3, tall[k], 3.2, sway[k], k, kCrimson, kAmber, kGold);
    c.Set(l.cell.centreX, l.cell.centreY + 3, kCream);
    c.Outline(kInk);
    return c;
}

const rig::CellGeometry kCentredCell{64, 64, 64, 32, 32, 10, 4};
const rig::CellGeometry kFlameCell{32, 32, 32, 16, 16, 4, 4};

const Layout kFaceLayout{402, 74, "wanyudo_slot74", {
    {"glare", "10 220 230-234 242", 0, 0, Anchor::Centre},
    {"squash", "221", 64, 0, Anchor::Centre},
    {"roar", "235 240 241", 128, 0, Anchor::Centre},
    {"pain", "110-113", 192, 0, Anchor::Centre},
}, 512, kCentredCell, PaintFace};
ART_LAYOUT(kFaceLayout);

const Layout kWheelLayout{402, 74, "wanyudo_wheel_slot74", {
    {"wheel", "300 301", 256, 0, Anchor::Centre},
}, 512, kCentredCell, PaintWheel};
ART_LAYOUT(kWheelLayout);

const Layout kFlameLayout{402, 74, "wanyudo_flames_slot74", {
    {"flame_a", "310 314", 0, 64, Anchor::Centre},
    {"flame_b", "311 315", 32, 64, Anchor::Centre},
    {"flame_c", "312 316", 64, 64, Anchor::Centre},
    {"flame_d", "313 317", 96, 64, Anchor::Centre},
}, 512, kFlameCell, PaintFlame};
ART_LAYOUT(kFlameLayout);

// --- The boseki (slots 74 and 20) -----------------------------------------------------------
//
// A haunted grave: a tall stone on a two-step base, a column of carved
// names down its face, flower vases with withered sprigs beside it, and in
// its upper half a face that the stone has grown: carved brows over slits
// that burn with the ghost fire, a jagged crack of a mouth. Its plot is
// laid round it: the five-stone stupa that towers behind it (it stands
// where the stone stands, drawn first, so its roof's wings and its jewel
// show round the stone), a stone lantern, a sheaf of wooden grave tablets
// and the ghost fires that burn on the ground.

const Ramp kGrave{kStoneLight, kStone, kStoneDark};
const Ramp kGraveFar{kStone, kStoneDark, kNight};
const Ramp kTabletWood{kSand, kWood, kEarth};
const Ramp kGhostFire{kWhite, kFoam, kWater};

// A ghost fire (see Flame): blue outside, foam within, a white heart.
void GhostFlame(Canvas& c, double cx, double base, double tall, double width, double sway, int phase) {
    Flame(c, cx, base, tall, width, sway, phase, kWater, kFoam, kWhite);
}

// Carved marks: the grid's 'x' cut into the stone, its lower and right
// edges catching the light.
void Engrave(Canvas& c, int x0, int y0, const std::vector<std::string>& rows, Rgb cut = kStoneDark, Rgb lit = kStoneLight) {
    auto at = [&](int x, int y) {
        return y >= 0 && y < static_cast<int>(rows.size()) && x >= 0 && x < static_cast<int>(rows[y].size()) &&
               rows[y][x] == 'x';
    };
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) {
            if (at(x, y)) c.Set(x0 + x, y0 + y, cut);
            else if (at(x - 1, y - 1) || at(x, y - 1)) c.Set(x0 + x, y0 + y, lit);
        }
}

// The haunted gravestone: its eyes burn (a), flare wide with a ghost fire
// rising beside it (b), narrow as the stone leans (c) and blaze with the
// mouth torn open and fires on both sides (d); it drops in with its eyes
// shut, splits at its defeat and topples.
Canvas PaintGravestone(const Layout& l, const Cell& cell) {
    // (The outline takes the row above the floor line.)
    const int w = l.cell.w, h = l.cell.h, floor = l.cell.floorY - 1;
    Canvas c(w, h);
    const std::string pose = cell.pose;
    const bool cracked = pose == "cracked", tumble = pose == "tumble", drop = pose == "stone_drop";
    const int k = cracked || tumble || drop ? -1 : pose.back() - 'a';
    const int lean = k == 2 ? 1 : cracked ? 2 : tumble ? 5 : 0;
    const int top = 5, sx0 = 21, sx1 = 43, step = floor - 11;

    // Ghost fires rising beside the stone (behind it).
    if (k == 1) GhostFlame(c, 15, 20, 9, 2.5, 1, 1);
    if (k == 3) {
        GhostFlame(c, 14, 24, 10, 2.5, -1, 3);
        GhostFlame(c, 50, 16, 9, 2.5, 1, 0);
    }

    // The base, two steps, moss along their edges.
    Shape low(w, h), up(w, h);
    low.Rect(13, floor - 6, 38, 6);
    up.Rect(17, floor - 11, 30, 5);
    low.Paint(c, kGraveFar);
    up.Paint(c, kGrave);
    for (int x : {14, 15, 18, 46, 47, 49}) c.Set(x, floor - 6, x % 3 ? kGrass : kPine);
    for (int x : {18, 19, 22, 42, 45}) c.Set(x, floor - 11, x % 2 ? kGrass : kPine);

    // The slab, its low pointed cap, leaning as the pose says.
    Shape slab(w, h);
    slab.Poly({{sx0, step}, {sx1, step}, {sx1 + lean, top + 4}, {40 + lean, top}, {24 + lean, top}, {sx0 + lean, top + 4}});
    if (tumble) slab.Poly({{sx1 + lean - 7, top}, {sx1 + lean + 1, top}, {sx1 + lean + 1, top + 10}}, false);
    slab.Paint(c, kGrave);
    c.Line(sx0 + lean + 1, top + 4, sx1 + lean - 2, top + 4, kStoneDark);
    // The names carved down its middle.
    const std::vector<std::string> names[] = {
        {"..x..", "xxxxx", ".x.x.", "x...x"},
        {"xxxxx", "x.x.x", "xxxxx", "..x.."},
        {"x.xxx", "xx..x", "x.xxx", "x.x.x"},
    };
    for (int i = 0; i < 3; ++i) {
        const int y = 29 + i * 5;
        Engrave(c, 30 + lean * (step - y) / (step - top), y, names[i]);
    }

    // The face: carved brows over burning slits, the crack of a mouth.
    const int fx = 23 + lean, fy = 11;
    const std::map<char, Rgb> legend = {{'x', kNight}, {'f', kFoam}, {'w', kWhite}, {'b', kWater},
                                        {'v', kViolet}, {'k', kInk},  {'d', kDusk},  {'s', kStoneDark}};
    std::vector<std::string> eyeL, mouth;
    if (drop) {
        eyeL = {"xx....", ".xxxx.", "......", ".xxxx."};
        mouth = {"...x..x...", "..x.xx.x..", ".........."};
    } else if (k < 0) {
        eyeL = {"x...x.", ".x.x..", "..x...", ".x.x..", "x...x."};
        mouth = {"xxxxxxxxxx", "x.x.xx.x.x", ".........."};
    } else if (k == 1) {
        eyeL = {"xx....", ".xxxx.", "bfwwfx", ".bfwfx", "..bf.."};
        mouth = {"xxxxxxxxxx", "xsxsxxsxsx", ".x.x..x.x."};
    } else if (k == 2) {
        eyeL = {"xx....", ".xxxxx", "..bffx", "......"};
        mouth = {"..........", "xxxxxxxxxx", ".x.x..x.x."};
    } else if (k == 3) {
        eyeL = {".f....", "xxf...", ".xxxx.", "fwwwfx", ".bfwfx"};
        mouth = {"xxxxxxxxxx", "xvvvvvvvvx", "xvwvvvvwvx", ".xvvvvvvx.", "..xxxxxx.."};
    } else {
        eyeL = {"xx....", ".xxxx.", ".bfwfx", "..bffx"};
        mouth = {"xxxxxxxxxx", "xsxsxxsxsx", ".x.x..x.x."};
    }
    std::vector<std::string> eyeR = eyeL;
    for (std::string& row : eyeR) std::reverse(row.begin(), row.end());
    Pixels(c, fx, fy, eyeL, legend);
    Pixels(c, fx + 12, fy, eyeR, legend);
    Pixels(c, fx + 4, fy + 8, mouth, legend);
    if (cracked || tumble) {
        c.Line(33 + lean, top, 31 + lean, top + 9, kInk);
        c.Line(31 + lean, top + 9, 34 + lean / 2, top + 20, kInk);
        c.Line(34 + lean / 2, top + 20, 31, step - 1, kInk);
    }

    // The flower vases, their sprigs withered.
    for (int vx : {14, 46}) {
        Shape vase(w, h);
        vase.Rect(vx, floor - 12, 4, 6);
        vase.Paint(c, kGraveFar);
        Pixels(c, vx - 1, floor - 17, {".p.g.", "pg.pg", ".gpg.", "..p.."}, {{'p', kPine}, {'g', kGrass}});
    }
    Ink(c);
    return c;
}

// The grave plot.
Canvas PaintPlot(const Layout& l, const Cell& cell) {
    // (The outline takes the row above the floor line.)
    const int w = l.cell.w, h = l.cell.h, floor = l.cell.floorY - 1;
    Canvas c(w, h);
    const std::string pose = cell.pose;
    const bool falling = pose.find("fall") != std::string::npos;
    const int tilt = falling ? 2 : 0;  // texels the top leans over
    auto lean = [&](int y) { return tilt * (floor - y) / 50; };
    if (pose.rfind("stupa", 0) == 0) {
        // The five stones of the stupa: cube, sphere, roof, crescent, jewel,
        // old, mossy and a tone darker than the haunted stone.
        Shape cube(w, h), sphere(w, h), roof(w, h), cap(w, h), jewel(w, h);
        cube.Rect(22, floor - 16, 20, 16);
        sphere.Disc(32 + lean(35), 35, 9);
        roof.Poly({{13 + lean(24), 25}, {51 + lean(24), 25}, {49 + lean(24), 22}, {40 + lean(18), 17}, {24 + lean(18), 17},
                   {15 + lean(24), 22}});
        cap.Ellipse(32 + lean(14), 15, 5, 3.5).Rect(0, 16, w, h, false);
        jewel.Disc(32 + lean(10), 10, 3).Poly({{30 + lean(6), 8}, {35 + lean(6), 8}, {32 + lean(2), 3}});
        cube.Paint(c, kGraveFar);
        sphere.Paint(c, kGraveFar);
        roof.Paint(c, kGraveFar);
        cap.Paint(c, kGraveFar);
        jewel.Paint(c, kGraveFar);
        c.Line(16 + lean(24), 24, 48 + lean(24), 24, kNight);
        Engrave(c, 30, floor - 12, {"..x..", "xxxxx", "x.x.x", "..x.."}, kNight, kStone);
        Engrave(c, 30 + lean(35), 33, {".x.", "xxx", ".x."}, kNight, kStone);
        for (auto [x, y] : {std::pair{23, floor - 1}, {24, floor - 2}, {40, floor - 1}, {26, 29}, {18, 23}, {45, 23}})
            c.Set(x, y, (x + y) % 2 ? kGrass : kPine);
    } else if (pose.rfind("lantern", 0) == 0) {
        // A stone lantern: foot, post, platform, the fire box with its lit
        // window, the roof with upturned corners, the jewel.
        Shape foot(w, h), post(w, h), deck(w, h), box(w, h), roof(w, h), jewel(w, h);
        foot.Poly({{21, floor}, {43, floor}, {41, floor - 4}, {23, floor - 4}});
        post.Rect(28 + lean(40), floor - 21, 8, 17);
        deck.Poly({{21 + lean(30), 37}, {43 + lean(30), 37}, {41 + lean(30), 33}, {23 + lean(30), 33}});
        box.Rect(24 + lean(28), 23, 16, 10);
        roof.Poly({{14 + lean(20), 23}, {50 + lean(20), 23}, {47 + lean(20), 20}, {38 + lean(16), 15}, {26 + lean(16), 15},
                   {17 + lean(20), 20}});
        jewel.Disc(32 + lean(12), 12, 3).Poly({{30 + lean(9), 10}, {35 + lean(9), 10}, {32 + lean(5), 6}});
        // (A tone darker than the haunted stone, which stands in front.)
        foot.Paint(c, kGraveFar);
        post.Paint(c, kGraveFar);
        c.Line(28 + lean(30), floor - 13, 35 + lean(30), floor - 13, kNight);
        deck.Paint(c, kGraveFar);
        box.Paint(c, kGraveFar);
        roof.Paint(c, kGraveFar);
        jewel.Paint(c, kGraveFar);
        c.Line(17 + lean(20), 22, 47 + lean(20), 22, kNight);
        // The window, lit from within, its lattice across the light.
        const int wx = 28 + lean(28);
        c.Rect(wx, 25, 8, 6, kGold);
        c.Rect(wx + 2, 26, 4, 4, kCream);
        c.Line(wx + 4, 25, wx + 4, 30, kAmber);
        c.Line(wx, 27, wx + 7, 27, kAmber);
        for (auto [x, y] : {std::pair{22, floor - 4}, {41, floor - 4}, {29, floor - 5}}) c.Set(x, y, kGrass);
    } else if (pose.rfind("tablet", 0) == 0) {
        // Three wooden grave tablets in a sheaf, their tops notched in the
        // stupa's five steps, prayers brushed down them in ink.
        struct Plank {
            int x, height, lean;
        };
        for (const Plank& p : {Plank{25, 46, -2}, Plank{38, 40, 2}, Plank{31, 53, 0}}) {
            const int t = floor - p.height, ln = p.lean + tilt;
            Shape plank(w, h);
            plank.Poly({{p.x - 3, floor}, {p.x + 3, floor}, {p.x + 3 + ln, t + 3}, {p.x + ln, t}, {p.x - 3 + ln, t + 3}});
            // The notches of the top.
            for (int n : {6, 10}) {
                plank.Set(p.x - 3 + ln, t + n, false);
                plank.Set(p.x + 2 + ln, t + n, false);
            }
            plank.Paint(c, kTabletWood);
            for (int y = t + 13; y < floor - 4; y += 2) {
                const int x = p.x + ln * (floor - y) / p.height;
                c.Set(x, y, (y / 2) % 3 == 0 ? kEarth : kInk);
                if ((y / 2) % 4 == 1) c.Set(x - 1, y, kEarth);
            }
        }
    } else {
        // A ghost fire burning on the ground, four pictures of its flicker;
        // low and still at the defeat; a ball with streaks as it falls.
        const int k = pose == "fire_still" ? 4 : pose == "fire_fall" ? 5 : pose.back() - 'a';
        const double sway[] = {0, 2, 1, -2, 0, 0};
        const int heights[] = {22, 26, 20, 24, 14, 10};
        if (k == 5) {
            GhostFlame(c, 32, floor - 7, heights[k], 6, 0, 0);
            c.Line(28, floor - 30, 28, floor - 21, kFoam);
            c.Line(36, floor - 32, 36, floor - 23, kFoam);
            c.Line(32, floor - 2, 32, floor - 1, kWater);
        } else {
            GhostFlame(c, 32, floor - 7, heights[k], 6, sway[k], k);
            // Its foot: embers of blue on the ground.
            c.Line(27, floor - 1, 37, floor - 1, kWater);
            c.Line(29, floor - 1, 35, floor - 1, kFoam);
        }
        if (k < 4) c.Set(32 + (k % 2 ? 5 : -5), floor - 7 - heights[k] - 2 + k, kFoam);
    }
    Ink(c);
    return c;
}

const rig::CellGeometry kGravestoneCell{64, 64, 57, 32, 20, 10, 4};
const rig::CellGeometry kPlotCell{64, 64, 60, 32, 40, 10, 4};

const Layout kGravestoneLayout{402, 74, "boseki_slot74", {
    {"stone_a", "10 220 224 230-233 235", 0, 192, Anchor::Body},
    {"stone_b", "221 225 236", 64, 192, Anchor::Body},
    {"stone_c", "222 226 237", 128, 192, Anchor::Body},
    {"stone_d", "223 227 238", 192, 192, Anchor::Body},
    {"stone_drop", "234", 256, 192, Anchor::Body},
    {"cracked", "110", 320, 192, Anchor::Body},
    {"tumble", "111", 384, 192, Anchor::Body},
}, 512, kGravestoneCell, PaintGravestone};
ART_LAYOUT(kGravestoneLayout);

const Layout kPlotLayout{121, 20, "boseki_slot20", {
    {"stupa", "321", 0, 0, Anchor::Body},
    {"stupa_fall", "320 329", 64, 0, Anchor::Body},
    {"lantern", "331", 128, 0, Anchor::Body},
    {"lantern_fall", "330 339", 192, 0, Anchor::Body},
    {"tablet", "341", 0, 64, Anchor::Body},
    {"tablet_fall", "340 349", 64, 64, Anchor::Body},
    {"fire_still", "308", 128, 64, Anchor::Body},
    {"fire_fall", "300 309", 192, 64, Anchor::Body},
    {"fire_a", "301", 0, 128, Anchor::Body},
    {"fire_b", "302", 64, 128, Anchor::Body},
    {"fire_c", "303", 128, 128, Anchor::Body},
    {"fire_d", "304", 192, 128, Anchor::Body},
}, 256, kPlotCell, PaintPlot};
ART_LAYOUT(kPlotLayout);

// --- The big ghost (slot 74) ------------------------------------------------------------
//
// A yurei: a pale face framed by long black hair, the white triangle of the
// dead on her brow, a white burial robe that thins into a trailing wisp
// instead of feet, and the hands held out limp at the wrists with the long
// sleeves hanging under them. She is drawn opaque, so her glow is drawn
// into the cell: a white rim inside her outline and a dotted haze of mist
// outside it. Across the four float pictures she bobs, her sleeves and
// hair sway and the wisp of her tail curls.

const Ramp kShroud{kWhite, kFoam, kMist};
const Ramp kShroudFar{kFoam, kMist, kSlate};
const Ramp kHair{kDusk, kNight, kInk};
const Ramp kDeadFace{kWhite, kCream, kStoneLight};

// A haze round the figure: mist dots on every other texel next to the
// outline, sparser slate ones a texel further out.
void Glow(Canvas& c) {
    const Canvas inked = c;
    auto solid = [&](int x, int y) { return !(inked.Get(x, y) == kKey); };
    for (int y = 0; y < c.H(); ++y)
        for (int x = 0; x < c.W(); ++x) {
            if (solid(x, y)) continue;
            int near = 0;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    if (solid(x + dx, y + dy)) near = std::max(near, 3 - std::max(std::abs(dx), std::abs(dy)));
            if (near == 2 && (x + y) % 2 == 0) c.Set(x, y, kMist);
            else if (near == 1 && (x + 2 * y) % 4 == 0) c.Set(x, y, kSlate);
        }
}

// A white rim just inside the figure's outline along its upper left.
void InnerRim(Canvas& c, const Shape& body) {
    for (int y = 0; y < c.H(); ++y)
        for (int x = 0; x < c.W(); ++x)
            if (body.In(x, y) && (!body.In(x - 1, y) || !body.In(x, y - 1)) && body.In(x + 1, y + 1)) c.Set(x, y, kWhite);
}

Canvas PaintBigGhost(const Layout& l, const Cell& cell) {
    const int w = l.cell.w, h = l.cell.h;
    Canvas c(w, h);
    const std::string pose = cell.pose;
    const bool vanish = pose == "vanish";
    const int k = vanish ? 0 : pose.back() - 'a';
    const int bob = k == 1 ? -1 : k == 3 ? 1 : 0;
    // The sway of sleeves, hair and tail, and the rise of the arms.
    const double sway[] = {0, 1.5, 0, -1.5};
    const double sw = vanish ? 0 : sway[k];
    const int lifts[] = {0, -1, -2, -1};
    const int arm = vanish ? -9 : lifts[k];
    const int hx = 36, hy = 14 + bob;  // the face's centre

    // The far arm and its sleeve, a tone further back.
    Shape farSleeve(w, h);
    farSleeve.Stroke(33, 24 + bob, 43, 25 + bob + arm, 2.5)
        .Ellipse(40 + sw, 31 + bob + arm, 3.5, 6, true, -10 * sw);
    farSleeve.Paint(c, kShroudFar);
    Shape farHand(w, h);
    farHand.Stroke(44, 25 + bob + arm, 46, 29 + bob + arm, 1);
    farHand.Paint(c, kDeadFace);

    // The hair down her back, in strands that sway at their ends.
    Shape backHair(w, h);
    backHair.Ellipse(hx - 2, hy - 1, 8, 9);
    for (int i = 0; i < 5; ++i) {
        const double x0 = hx - 8 + i * 2.0, len = 21 + (i % 2) * 5 - i;
        backHair.Stroke(x0, hy, x0 - 3 + sw * (1 + i % 2), hy + len, 2.2 - i * 0.2);
    }
    backHair.Paint(c, kHair);

    // The robe, narrow at the waist and flaring at the hem, and the wisp it
    // thins into: back, down and curling up at its tip. Toward the tip the
    // white fades into the mist; vanishing, she comes apart from below.
    Shape robe(w, h);
    robe.Poly({{28, 22 + bob}, {42, 22 + bob}, {43, 35 + bob}, {46, 44 + bob}, {24, 45 + bob}, {26, 34 + bob}});
    struct Knot {
        double x, y, r;
    };
    const double tip = vanish ? 0 : std::sin(k * kPi / 2) * 3;
    const Knot knots[] = {{35, 43, 7.5}, {27, 50, 5.5}, {19, 54, 3.8}, {12, 53 + tip * 0.5, 2.3}, {8, 49 + tip, 1.2},
                          {7, 45 + tip, 0.3}};
    for (int i = 0; i + 1 < 6; ++i)
        for (int j = 0; j < 8; ++j) {
            const double t = j / 8.0;
            const Knot& p = knots[i];
            const Knot& q = knots[i + 1];
            robe.Disc(p.x + (q.x - p.x) * t, p.y + (q.y - p.y) * t + bob + sw * i * 0.4, p.r + (q.r - p.r) * t);
        }
    if (vanish)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int gone = y > 46 ? 5 : y > 40 ? 3 : y > 34 ? 1 : 0;
                if ((x * 37 + y * 17) % 7 < gone) robe.Set(x, y, false);
            }
    robe.Paint(c, kShroud);
    InnerRim(c, robe);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!robe.In(x, y) || c.Get(x, y) == kWhite) continue;
            const int fade = (y - bob - 42) + (x < 30 ? 30 - x : 0);
            if (fade > 12 || (fade > 6 && (x + y) % 2 == 0)) c.Set(x, y, fade > 20 ? kSlate : kMist);
        }
    // The folds, and the collar crossed left over right.
    c.Line(30, 29 + bob, 28, 43 + bob, kMist);
    c.Line(37, 31 + bob, 39, 43 + bob, kMist);
    c.Line(33, 22 + bob, 37, 28 + bob, kMist);
    c.Line(38, 22 + bob, 37, 28 + bob, kSlate);
    c.Line(29, 34 + bob, 42, 34 + bob, kMist);

    // The face, turned toward the player, and the hair that frames it: the
    // fringe, a lock down each side.
    Shape face(w, h);
    face.Ellipse(hx + 1, hy + 1, 5, 6.5);
    face.Paint(c, kDeadFace);
    Shape frame(w, h);
    frame.Ellipse(hx, hy - 5, 7, 3.5)
        .Stroke(hx - 4, hy - 4, hx - 4 + sw * 0.5, hy + 13, 1.6)
        .Stroke(hx + 6, hy - 4, hx + 7 + sw * 0.5, hy + 15, 1.2);
    frame.Ellipse(hx + 1, hy + 2, 4, 4.5, false);
    frame.Paint(c, kHair);
    frame.Edge(c, kNight);
    // The white triangle on her brow.
    Shape cloth(w, h);
    cloth.Poly({{hx - 2, hy - 7}, {hx + 5, hy - 7}, {hx + 2, hy - 3}});
    cloth.Fill(c, kWhite);
    c.Set(hx + 2, hy - 5, kFoam);
    // Hollow eyes with a red glint, a thin mouth that opens in a moan.
    const std::map<char, Rgb> legend = {{'k', kInk}, {'r', kRed}, {'c', kCrimson}, {'d', kDusk}, {'m', kMist}};
    auto grid = [&](int x, int y, const std::vector<std::string>& rows) {
        c.Grid(x, y, rows, [&](char ch, Rgb& out) {
            auto it = legend.find(ch);
            if (it == legend.end()) return false;
            out = it->second;
            return true;
        });
    };
    if (vanish) {
        grid(hx - 2, hy - 1, {"kk...kk", ".kk.kk.", "kk...kk", ".......", "..kkk..", "..kck..", "..kkk.."});
    } else if (k == 1) {
        grid(hx - 2, hy - 1, {"dd...dd", "kkr..kr", ".......", ".......", "..kk...", "..cc..."});
    } else {
        grid(hx - 2, hy - 1, {"dd...dd", "kkr..kr", ".......", ".......", "..cc..."});
    }

    // The near arm held out, the hand limp at the wrist, the long sleeve
    // hanging under it and swaying.
    Shape sleeve(w, h);
    sleeve.Stroke(36, 24 + bob, 46, 26 + bob + arm, 3).Ellipse(42 + sw * 1.5, 33 + bob + arm, 4.5, 7.5, true, -12 * sw);
    sleeve.Paint(c, kShroud);
    InnerRim(c, sleeve);
    sleeve.Edge(c, kSlate);
    c.Line(41 + static_cast<int>(sw), 30 + bob + arm, 42 + static_cast<int>(sw * 2), 39 + bob + arm, kMist);
    Shape hand(w, h);
    hand.Stroke(48, 26 + bob + arm, 50, 31 + bob + arm, 1.2).Stroke(49, 27 + bob + arm, 52, 30 + bob + arm, 0.6);
    hand.Paint(c, kDeadFace);

    Ink(c);
    Glow(c);
    return c;
}

const Layout kBigGhostLayout{402, 74, "bigghost_slot74", {
    {"drift_a", "10 220 224 230 231 235", 0, 384, Anchor::Centre},
    {"drift_b", "221 225 232 236", 64, 384, Anchor::Centre},
    {"drift_c", "222 226 233 237", 128, 384, Anchor::Centre},
    {"drift_d", "223 227 234 238", 192, 384, Anchor::Centre},
    {"vanish", "110 111", 256, 384, Anchor::Centre},
}, 512, kCentredCell, PaintBigGhost};
ART_LAYOUT(kBigGhostLayout);

// --- The kappa tank (slots 37 and 36) ----------------------------------------------------------
//
// One war wagon, drawn in pieces that the game puts together. The hull's
// cells carry a track loop round two big wheels, a green side skirt over
// the road wheels, the bow gun's cab and the chimney on the deck, and the
// great kappa shell with its hatch on top. The parts ride on the hull at
// fixed places (hull-cell texels; the body's centre is 48,30): the kappa
// in the hatch at 37,6 (drawn behind the hull, so the hatch rim hides its
// body), the rear wheel at 12,32 (behind: the hull leaves a hole inside the
// track's curve for it), the front wheel at 74,32 (in front), the swivel
// cannon in its sponson at 63,36 and the fan gun on its bracket at 30,32
// (both in front).

const Ramp kTankGreen{kLeaf, kGrass, kPine};
const Ramp kTankShell{kSand, kWood, kEarth};
const Ramp kTankIron{kStoneLight, kStone, kStoneDark};
const Ramp kTankDarkIron{kStone, kSlate, kNight};
const Ramp kTankWood{kSand, kWood, kEarthDark};

constexpr int kRearX = 12, kFrontX = 74, kWheelY = 32;
constexpr int kCannonX = 63, kCannonY = 36, kFanX = 30, kFanY = 32;

// The centre line of the track: round both wheels (10 texels out) and
// along the ground, as a closed polygon whose top runs forward (+x), with
// the length along it at each corner.
struct TrackLoop {
    std::vector<std::pair<double, double>> pts;
    std::vector<double> at;
    double length = 0;
};

const TrackLoop& Track() {
    static const TrackLoop loop = [] {
        std::vector<std::pair<double, double>> p;
        for (int deg = 0; deg < 360; deg += 5) {
            const double a = deg * kPi / 180;
            for (int cx : {kRearX, kFrontX}) p.push_back({Snap(cx + 10 * std::cos(a)), Snap(kWheelY + 10 * std::sin(a))});
        }
        p.push_back({25, 60.5});
        p.push_back({65, 60.5});
        // The convex hull (monotone chain).
        std::sort(p.begin(), p.end());
        auto cross = [](auto o, auto a, auto b) {
            return (a.first - o.first) * (b.second - o.second) - (a.second - o.second) * (b.first - o.first);
        };
        std::vector<std::pair<double, double>> h(2 * p.size());
        size_t k = 0;
        for (size_t i = 0; i < p.size(); ++i) {
            while (k >= 2 && cross(h[k - 2], h[k - 1], p[i]) <= 0) --k;
            h[k++] = p[i];
        }
        for (size_t i = p.size() - 1, t = k + 1; i > 0; --i) {
            while (k >= t && cross(h[k - 2], h[k - 1], p[i - 1]) <= 0) --k;
            h[k++] = p[i - 1];
        }
        h.resize(k - 1);
        // Turn it so that the top run leads forward.
        size_t top = 0;
        for (size_t i = 0; i < h.size(); ++i) {
            const auto& a = h[i];
            const auto& b = h[(i + 1) % h.size()];
            const auto& t0 = h[top];
            const auto& t1 = h[(top + 1) % h.size()];
            if (a.second + b.second < t0.second + t1.second) top = i;
        }
        if (h[(top + 1) % h.size()].first < h[top].first) std::reverse(h.begin(), h.end());
        TrackLoop l;
        l.pts = h;
        for (size_t i = 0; i < h.size(); ++i) {
            l.at.push_back(l.length);
            const auto& a = h[i];
            const auto& b = h[(i + 1) % h.size()];
            const double dx = b.first - a.first, dy = b.second - a.second;
            l.length += std::sqrt(dx * dx + dy * dy);
        }
        return l;
    }();
    return loop;
}

// How far the point lies from the track's centre line, the length along
// the line at its nearest point, and whether it lies inside the loop.
struct OnTrack {
    double distance, along;
    bool inside;
};

OnTrack Locate(double x, double y) {
    const TrackLoop& l = Track();
    OnTrack best{1e9, 0, false};
    bool inside = false;
    for (size_t i = 0; i < l.pts.size(); ++i) {
        const auto& a = l.pts[i];
        const auto& b = l.pts[(i + 1) % l.pts.size()];
        const double dx = b.first - a.first, dy = b.second - a.second, len2 = dx * dx + dy * dy;
        const double t = std::clamp(((x - a.first) * dx + (y - a.second) * dy) / len2, 0.0, 1.0);
        const double ex = x - a.first - t * dx, ey = y - a.second - t * dy;
        const double d = std::sqrt(ex * ex + ey * ey);
        if (d < best.distance) best = {d, l.at[i] + t * std::sqrt(len2), false};
        if ((a.second > y) != (b.second > y) && x < a.first + (y - a.second) * dx / dy) inside = !inside;
    }
    best.inside = inside;
    return best;
}

// The hull. `phase` moves the track's links, the road wheels and the
// chimney's smoke on (0, 1, 2: the patrol's three pictures).
Canvas PaintHull(const Layout& l, const Cell& cell) {
    const int w = l.cell.w, h = l.cell.h;
    Canvas c(w, h);
    std::string pose = cell.pose;
    if (pose.rfind("second.", 0) == 0) pose = pose.substr(7);
    const bool wreck = pose == "defeat", warn = pose == "warn", fire = pose == "fire";
    const int phase = pose == "patrol_b" ? 1 : pose == "patrol_c" ? 2 : 0;

    // Where the loop lies.
    Shape band(w, h), inside(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const OnTrack t = Locate(x, y);
            if (t.distance <= 2.05) band.Set(x, y, true);
            else if (t.inside) inside.Set(x, y, true);
        }

    // The great shell on the deck, its plates ringed in gold, the hatch on
    // its crown (open: the kappa stands in it).
    Shape dome(w, h);
    dome.Ellipse(40, 24, 20, 16).Rect(0, 0, w, 9, false);
    dome.Paint(c, kTankShell);
    // The shell's plates: a ring of them round the crown, seams running
    // down to the rim, each plate lit along its upper edge.
    Shape seams(w, h);
    seams.Ellipse(39, 22, 12, 8).Ellipse(39, 22, 11, 7, false);
    for (int i = -1; i <= 1; i += 2) {
        seams.Stroke(39 + i * 7, 15, 39 + i * 12, 10, 0).Stroke(39 + i * 11, 24, 39 + i * 18, 24, 0);
        seams.Stroke(39 + i * 6, 29, 39 + i * 8, 33, 0);
    }
    seams.Within(dome);
    seams.Fill(c, kEarthDark);
    for (int y = 1; y < h; ++y)
        for (int x = 1; x < w; ++x)
            if (dome.In(x, y) && !seams.In(x, y) && seams.In(x, y - 1) && dome.In(x, y - 2) && !(c.Get(x, y) == kEarth))
                c.Set(x, y, kSand);
    for (auto [x, y] : {std::pair{39, 14}, {30, 12}, {48, 12}, {24, 20}, {54, 20}}) c.Set(x, y, kGold);
    if (wreck) {
        c.Line(44, 10, 47, 16, kInk);
        c.Line(47, 16, 45, 21, kInk);
        c.Line(30, 12, 27, 18, kInk);
    }
    // The hatch rim, and its lid thrown open behind it.
    Shape lid(w, h);
    if (wreck) lid.Stroke(21, 7, 27, 4, 1);
    else lid.Stroke(30, 8, 25, 2, 1);
    lid.Paint(c, kTankDarkIron);
    Shape rim(w, h);
    rim.Ellipse(38, 9, 8, 1.5);
    rim.Paint(c, Ramp{kGold, kAmber, kEarth});

    // The chimney on the rear deck, and the smoke it puffs.
    Shape stack(w, h);
    stack.Rect(14, 10, 5, 11).Rect(13, 8, 7, 3);
    if (wreck) stack.Rect(13, 8, 3, 3, false);
    stack.Paint(c, kTankDarkIron);
    {
        Shape smoke(w, h);
        const Rgb puff = wreck ? kStoneDark : kStoneLight;
        if (warn || fire) {
            smoke.Disc(17, 5, 2).Disc(14, 2, 2).Disc(19, 1, 1);
        } else if (wreck) {
            smoke.Disc(14, 4, 2).Disc(10, 2, 2);
        } else {
            const int k = phase;
            smoke.Disc(16 - k, 5 - k, 1 + (k > 0 ? 1 : 0));
            if (k == 2) smoke.Disc(17, 6, 0);
        }
        smoke.Paint(c, wreck ? Ramp{kStone, kStoneDark, kNight} : Ramp{kWhite, puff, kStone});
    }

    // The bow gun's cab on the front deck, its barrel out over the front
    // wheel; the warning glows in the muzzle, the shot flashes out of it.
    Shape cab(w, h);
    cab.Poly({{57, 26}, {57, 14}, {62, 10}, {76, 10}, {83, 16}, {83, 26}});
    cab.Paint(c, kTankGreen);
    c.Line(64, 14, 75, 14, kNight);
    c.Line(65, 13, 74, 13, kPineDark);
    for (int x = 60; x <= 80; x += 5) c.Set(x, 22, kGold);
    Shape barrel(w, h);
    const int muzzle = fire ? 91 : 93;
    if (wreck) barrel.Stroke(82, 22, 91, 27, 1.6);
    else barrel.Stroke(82, 22, muzzle, 22, 1.6).Rect(muzzle - 2, 19, 3, 7);
    barrel.Paint(c, kTankDarkIron);
    if (warn) {
        c.Set(muzzle, 21, kGold);
        c.Set(muzzle, 22, kCream);
        c.Set(muzzle, 23, kGold);
    }
    if (fire) {
        Shape flash(w, h);
        flash.Poly({{92, 22}, {96, 17}, {96, 28}}).Disc(93, 22, 1.5);
        flash.Fill(c, kGold);
        c.Set(93, 22, kCream);
        c.Set(94, 22, kCream);
        c.Set(94, 21, kWhite);
    }

    // Inside the loop: the skirt of green plates over the dark underside,
    // and the road wheels on the track's lower run.
    Shape under(inside);
    under.Paint(c, Ramp{kNight, kNight, kInk});
    const int roadTurn = phase;
    for (int x : {25, 35, 45, 55, 65}) {
        Shape wheel(w, h);
        wheel.Disc(x, 54, 4).Within(inside);
        wheel.Paint(c, kTankDarkIron);
        // A spoke turning with the patrol.
        const int s = (x / 5 + roadTurn) % 3;
        const int dx = s == 0 ? 2 : s == 1 ? 1 : -1, dy = s == 0 ? 0 : s == 1 ? 2 : 2;
        c.Line(x - dx, 54 - dy, x + dx, 54 + dy, kNight);
        c.Set(x, 54, kStoneLight);
    }
    Shape skirt(inside);
    skirt.Rect(0, 49, w, h, false).Disc(kRearX, kWheelY, 7.5, false);
    if (wreck) skirt.Poly({{38, 41}, {44, 37}, {50, 40}, {48, 47}, {41, 48}}, false);
    skirt.Paint(c, kTankGreen);
    for (int x = 26; x <= 62; x += 12)
        for (int y = 27; y <= 46; ++y)
            if (skirt.In(x, y) && skirt.In(x, y - 1) && skirt.In(x, y + 1)) c.Set(x, y, kPine);
    for (int x = 18; x <= 70; x += 4) {
        if (skirt.In(x, 26)) c.Set(x, 26, kGold);
        if (skirt.In(x, 47)) c.Set(x, 47, kGold);
    }
    for (int x = 0; x < w; ++x)
        if (skirt.In(x, 48)) c.Set(x, 48, kPineDark);
    // The crest on the skirt: the kappa's plate, a ring of gold round the
    // water in it.
    {
        Shape crest(w, h);
        crest.Disc(46, 39, 4).Disc(46, 39, 2, false);
        if (!wreck) crest.Fill(c, kGold);
        c.Set(46, 39, kWater);
        c.Set(45, 39, kFoam);
    }
    // The sponson that holds the swivel cannon, and the fan gun's bracket.
    Shape sponson(w, h);
    sponson.Disc(kCannonX, kCannonY, 8);
    sponson.Paint(c, kTankIron);
    Shape port(w, h);
    port.Disc(kCannonX, kCannonY, 5.5);
    port.Fill(c, kNight);
    Shape bracket(w, h);
    bracket.Rect(kFanX - 6, kFanY + 4, 13, 6);
    bracket.Paint(c, kTankIron);
    for (int x : {kFanX - 4, kFanX + 4}) c.Set(x, kFanY + 8, kNight);

    // The track: iron links round the loop, moving on with the patrol.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!band.In(x, y)) continue;
            const OnTrack t = Locate(x, y);
            const double u = std::fmod(t.along - phase * 4.0 / 3.0 + 400.0, 4.0);
            Rgb tone = t.inside ? kStoneDark : kStone;
            if (!t.inside && t.distance > 1.2 && y < kWheelY) tone = kStoneLight;
            if (u < 1.0) tone = kNight;
            if (wreck && x > 48 && x < 56 && y > 54) tone = kNight;
            c.Set(x, y, tone);
        }
    // The rear wheel shows through the curve of the track (it rides behind).
    Shape hole(w, h);
    hole.Disc(kRearX, kWheelY, 7.5);
    hole.Fill(c, kKey);
    Ink(c);
    return c;
}

// The kappa in the hatch: its head over the rim, the water-filled plate on
// its crown, its hands on the rim; it looks out (a), ducks and blinks (b),
// shouts (c) and points ahead (d); stopped, it reels with the water
// spilling from its plate.
Canvas PaintTankKappa(const Layout& l, const std::string& pose) {
    Canvas c(l.cell.w, l.cell.h);
    const int k = pose == "kappa_stop" ? 4 : pose.back() - 'a';
    const int dip = k == 1 ? 1 : 0;
    // Head and shoulders, centred on the hatch (the cell's centre is the
    // hatch's middle, 3 texels above its rim).
    const std::vector<std::string> head = {
        "...eeeeeeee...",
        "..effbbbbbbe..",
        "..eeeeeeeeee..",
        ".pLLLLLLLLLLp.",
        ".LLGGGGGGGGGG.",
        "LLGGGGGGGwwwG.",
        "LGGGGGGGwwwkG..",
        "LGGGGGGGGwkkGaa",
        "GGGGGGGGGGGGaaag",
        "PGGGGGGGGGGGgag.",
        ".PGGGGGGGGGGP...",
        "..PPGGGGGGPP....",
        "..LLPPPPPPPLL...",
        ".LLGGGGGGGGGGL..",
        "LLGGGGGGGGGGGGP.",
    };
    const std::map<char, Rgb> legend = {{'e', kCream}, {'f', kFoam}, {'b', kWater}, {'p', kPine}, {'L', kLeaf},
                                        {'G', kGrass}, {'P', kPine},  {'w', kWhite}, {'k', kInk},   {'a', kAmber},
                                        {'g', kGold},  {'r', kRed},   {'c', kCrimson}, {'B', kWaterDeep}};
    auto grid = [&](int x, int y, const std::vector<std::string>& rows) {
        c.Grid(x, y, rows, [&](char ch, Rgb& out) {
            auto it = legend.find(ch);
            if (it == legend.end()) return false;
            out = it->second;
            return true;
        });
    };
    const int x0 = 9, y0 = 3 + dip;
    std::vector<std::string> rows = head;
    if (k == 1) {  // a blink
        rows[5] = "LLGGGGGGGGGGG.";
        rows[6] = "LGGGGGGGGkkkG..";
        rows[7] = "LGGGGGGGGGGGGaa";
    }
    if (k == 2 || k == 4) {  // the beak wide open
        rows[7] = "LGGGGGGGGwkkGaaa";
        rows[8] = "GGGGGGGGGGGGkrr.";
        rows[9] = "PGGGGGGGGGGGgaag";
        rows[10] = ".PGGGGGGGGGGPaa.";
    }
    if (k == 4) {  // reeling: spinning eyes, the plate tipped and spilling
        rows[0] = "....eeeeeeee..";
        rows[1] = "...eBBBBBBfe..";
        rows[2] = "..eeeeeeeee...";
        rows[5] = "LLGGGGGGGkkkG.";
        rows[6] = "LGGGGGGGkwkwkG.";
        rows[7] = "LGGGGGGGGkkkGaaa";
    }
    grid(x0, y0, rows);
    // The hands on the rim: beside the head, or one raised to point ahead.
    const std::vector<std::string> hand = {".LG.", "LGGP", "GGGP"};
    grid(x0 - 4, 15, hand);
    if (k == 3) {
        grid(x0 + 14, 9, {"..LLg", "LLGGG", "GGPP."});
    } else {
        grid(x0 + 13, 15, hand);
    }
    if (k == 4) {  // water spilling from the plate
        c.Set(x0 + 13, y0 + 1, kFoam);
        c.Set(x0 + 14, y0 + 3, kWater);
        c.Set(x0 + 14, y0 + 5, kFoam);
    }
    Ink(c);
    return c;
}

// A wheel: a toothed iron rim that grips the track, a wooden disc with four
// spokes and an iron hub; `turn` turns it. Stopped, it is split and has
// lost a tooth.
Canvas PaintTankWheel(const Layout& l, double turn, bool stopped) {
    const int w = l.cell.w, h = l.cell.h, cx = l.cell.centreX, cy = l.cell.centreY;
    Canvas c(w, h);
    Shape rim(w, h);
    rim.Disc(cx, cy, 9);
    for (int i = 0; i < 8; ++i) {
        if (stopped && i == 3) continue;
        const double a = turn + i * kPi / 4;
        rim.Disc(cx + 10 * std::sin(a), cy - 10 * std::cos(a), 1.2);
    }
    rim.Paint(c, kTankDarkIron);
    Shape disc(w, h);
    disc.Disc(cx, cy, 6.5);
    disc.Paint(c, kTankWood);
    Shape spokes(w, h);
    for (int i = 0; i < 4; ++i) {
        const double a = turn + i * kPi / 2 + kPi / 4;
        spokes.Stroke(cx, cy, cx + 6 * std::sin(a), cy - 6 * std::cos(a), 0.7);
    }
    spokes.Within(disc).Fill(c, kEarthDark);
    Shape hub(w, h);
    hub.Disc(cx, cy, 2.5);
    hub.Paint(c, kTankIron);
    c.Set(cx, cy, kGold);
    if (stopped) {
        c.Line(cx - 6, cy - 5, cx - 1, cy, kInk);
        c.Line(cx - 1, cy, cx - 2, cy + 5, kInk);
    }
    Ink(c);
    return c;
}

// The swivel cannon: a ball in the sponson and a barrel pointing up (the
// game turns it toward its aim).
Canvas PaintCannon(const Layout& l) {
    const int w = l.cell.w, h = l.cell.h, cx = l.cell.centreX, cy = l.cell.centreY;
    Canvas c(w, h);
    Shape barrel(w, h);
    barrel.Stroke(cx, cy, cx, cy - 12, 1.8).Rect(cx - 2, cy - 14, 5, 3);
    barrel.Paint(c, kTankDarkIron);
    c.Line(cx - 2, cy - 7, cx + 2, cy - 7, kGold);
    c.Set(cx, cy - 14, kNight);
    Shape ball(w, h);
    ball.Disc(cx, cy, 5);
    ball.Paint(c, kTankIron);
    c.Set(cx - 2, cy - 2, kWhite);
    c.Set(cx + 1, cy + 1, kStoneDark);
    Ink(c);
    return c;
}

// The fan gun: three short barrels from one breech, up-forward, up and
// up-back, as its three shots fly.
Canvas PaintFanGun(const Layout& l) {
    const int w = l.cell.w, h = l.cell.h, cx = l.cell.centreX, cy = l.cell.centreY;
    Canvas c(w, h);
    for (int dir : {-1, 1, 0}) {
        Shape barrel(w, h);
        const double a = dir * kPi / 6;
        const double ex = Snap(cx + 11 * std::sin(a)), ey = Snap(cy - 11 * std::cos(a));
        barrel.Stroke(cx, cy, ex, ey, 1.5);
        barrel.Paint(c, kTankDarkIron);
        barrel.Edge(c, kNight);
        Shape mouth(w, h);
        mouth.Disc(ex, ey, 1.6);
        mouth.Paint(c, kTankIron);
        c.Set(static_cast<int>(std::lround(ex)), static_cast<int>(std::lround(ey)), kInk);
    }
    Shape breech(w, h);
    breech.Ellipse(cx, cy + 1, 5, 3.5);
    breech.Paint(c, kTankIron);
    c.Line(cx - 3, cy + 2, cx + 3, cy + 2, kGold);
    Ink(c);
    return c;
}

// A piece of the wreck flung off: a split green plate on a plank.
Canvas PaintPlank(const Layout& l) {
    const int w = l.cell.w, h = l.cell.h, cx = l.cell.centreX, cy = l.cell.centreY;
    Canvas c(w, h);
    Shape plank(w, h);
    plank.Poly({{cx - 11, cy - 1}, {cx + 9, cy - 5}, {cx + 11, cy}, {cx + 8, cy + 1}, {cx + 10, cy + 3}, {cx - 10, cy + 4}});
    plank.Paint(c, kTankWood);
    Shape plate(w, h);
    plate.Poly({{cx - 6, cy - 6}, {cx + 4, cy - 8}, {cx + 6, cy + 1}, {cx - 4, cy + 2}});
    plate.Paint(c, kTankGreen);
    c.Set(cx - 3, cy - 4, kGold);
    c.Set(cx + 3, cy - 5, kGold);
    Ink(c);
    return c;
}

Canvas PaintTankPart(const Layout& l, const Cell& cell) {
    const std::string pose = cell.pose;
    if (pose.rfind("kappa", 0) == 0) return PaintTankKappa(l, pose);
    if (pose == "cannon") return PaintCannon(l);
    if (pose == "mortar") return PaintFanGun(l);
    if (pose == "plank") return PaintPlank(l);
    const double turn = pose == "wheel_b" ? kPi / 8 : pose == "wheel_c" ? kPi / 16 : pose == "wheel_d" ? 3 * kPi / 16 : 0;
    return PaintTankWheel(l, turn, pose == "wheel_stop");
}

// The wheels' bottom 33 texels below the body's centre (660 units).
const rig::CellGeometry kHullCell{96, 72, 64, 48, 30, 10, 4};
const rig::CellGeometry kPartCell{32, 32, 32, 16, 16, 4, 4};

const Layout kHullLayout{138, 37, "kappatank_slot37", {
    {"patrol_a", "10 220 230-235", 0, 0, Anchor::Body},
    {"patrol_b", "221", 96, 0, Anchor::Body},
    {"patrol_c", "222", 0, 72, Anchor::Body},
    {"warn", "240 241", 96, 72, Anchor::Body},
    {"fire", "242", 0, 144, Anchor::Body},
    {"defeat", "110", 96, 144, Anchor::Body},
}, 256, kHullCell, PaintHull};
ART_LAYOUT(kHullLayout);

const Layout kTankPartLayout{138, 37, "kappatank_parts_slot37", {
    {"cannon", "300-304", 192, 0, Anchor::Centre},
    {"mortar", "340-344", 224, 0, Anchor::Centre},
    {"kappa_a", "310 315", 192, 32, Anchor::Centre},
    {"kappa_b", "311", 224, 32, Anchor::Centre},
    {"kappa_c", "312", 192, 64, Anchor::Centre},
    {"kappa_d", "313", 224, 64, Anchor::Centre},
    {"kappa_stop", "314", 192, 96, Anchor::Centre},
    {"wheel_a", "317 320", 224, 96, Anchor::Centre},
    {"wheel_b", "321", 192, 128, Anchor::Centre},
    {"wheel_c", "330 332", 224, 128, Anchor::Centre},
    {"wheel_d", "331 333", 192, 160, Anchor::Centre},
    {"wheel_stop", "316", 224, 160, Anchor::Centre},
    {"plank", "318", 192, 192, Anchor::Centre},
}, 256, kPartCell, PaintTankPart};
ART_LAYOUT(kTankPartLayout);

const Layout kHullSecondLayout{137, 36, "kappatank_slot36", {
    {"second.patrol_a", "260 263 266", 0, 0, Anchor::Body},
    {"second.patrol_b", "261 264 267", 96, 0, Anchor::Body},
    {"second.patrol_c", "262 265 268", 0, 72, Anchor::Body},
}, 256, kHullCell, PaintHull};
ART_LAYOUT(kHullSecondLayout);

}  // namespace

ART_SHEET(401, "mammoth") { return PaintedSheet(401, 512); }
ART_SHEET(402, "wanyudo-boseki-big-ghost") { return PaintedSheet(402, 512); }
ART_SHEET(121, "boseki-plot") { return PaintedSheet(121); }
ART_SHEET(138, "kappa-tank") { return PaintedSheet(138); }
ART_SHEET(137, "kappa-tank-second") { return PaintedSheet(137); }

namespace {

// The animations as the fights run them, and the five beside the player.
const Review kMammothReview{"mammoth", {401}, {
    {"stand 240", {{"stand_a", 8}, {"stand_b", 8}, {"stand_c", 8}, {"stand_d", 8}}},
    {"throw 244", {{"throw_c", 8}, {"throw_d", 8}, {"throw_a", 8}, {"throw_b", 8}}},
    {"charge 264-268", {{"hop", 20}, {"charge_a", 4}, {"charge_b", 4}, {"charge_a", 4}, {"bounce", 20}, {"hop", 20}}},
}, {{"stand_a", 0}, {"charge_a", 0}}};
ART_REVIEW(kMammothReview);

const Review kWheelReview{"wanyudo", {402}, {
    {"face 220 221 235", {{"glare", 20}, {"squash", 4}, {"glare", 20}, {"roar", 20}, {"pain", 20}}},
    {"wheel and flames", {{"wheel", 6, 0}, {"wheel", 6, 0.3f}, {"flame_a", 6}, {"flame_b", 6}, {"flame_c", 6}, {"flame_d", 6}}},
}, {{"wheel", 0}, {"glare", 0}}};
ART_REVIEW(kWheelReview);

const Review kGraveReview{"boseki", {402, 121}, {
    {"stone 220-227", {{"stone_a", 6}, {"stone_b", 6}, {"stone_c", 6}, {"stone_d", 6}, {"cracked", 20}}},
    {"plot", {{"stupa", 10}, {"lantern", 10}, {"tablet", 10}, {"fire_a", 4}, {"fire_b", 4}, {"fire_c", 4}, {"fire_d", 4}}},
}, {{"lantern", 0}, {"stone_a", 0}, {"tablet", 0}, {"fire_a", 0}}};
ART_REVIEW(kGraveReview);

const Review kGhostReview{"bigghost", {402}, {
    {"drift 220-227", {{"drift_a", 40}, {"drift_b", 40}, {"drift_c", 40}, {"drift_d", 40}, {"vanish", 40}}},
}, {{"drift_a", 0}}};
ART_REVIEW(kGhostReview);

const Review kTankReview{"kappatank", {138}, {
    {"patrol 220-222", {{"patrol_a", 2}, {"patrol_b", 2}, {"patrol_c", 2}, {"warn", 10}, {"fire", 10}, {"defeat", 20}}},
    {"parts", {{"kappa_a", 8}, {"kappa_b", 8}, {"kappa_c", 8}, {"kappa_d", 8}, {"wheel_a", 8}, {"wheel_b", 8}, {"cannon", 8},
               {"mortar", 8}}},
}, {{"patrol_a", 0}}};
ART_REVIEW(kTankReview);

}  // namespace
