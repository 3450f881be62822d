// The floating and hopping yokai: texture slot 34 (resource 135), 256 x 256,
// 40 x 40 cells.
//
//  will-o'-wisp  a pale blue soul-flame with two dark eyes, its tail of
//                fire streaming back; it sparks into being as an ember
//  ghost         a yurei in a white burial kimono, long black hair
//                hanging over her face and down her back, the white
//                triangle of the headband on her brow, her arms held out
//                with wide hanging sleeves and limp hands; no feet, her
//                robe thins into a tail and a wisp
//  karakasa      a pine-green oiled-paper umbrella with one great eye and
//                a lolling tongue, hopping on its one leg in a geta
//  chouchin      a red paper lantern split into a mouth, one eye above
//  snake         an olive-green snake, its head raised off the ground
//
//  cells (row y, from x = 0 in steps of 40):
//   0    wisp_a wisp_b wisp_spark_a wisp_spark_b wisp_kindle_a wisp_kindle_b
//   40   wisp_hurt ghost_float ghost_gather ghost_shoot ghost_hurt
//   80   kasa_stand kasa_spring kasa_air kasa_drift_a kasa_drift_b kasa_hurt
//   120  lantern_idle lantern_sway lantern_swell lantern_open lantern_spit lantern_hurt
//   160  snake_a snake_b snake_hurt
// Their shots (the ghost fire, the lantern fire) are the shared shots sheet's.
#include <algorithm>
#include <cmath>

#include "Enemies.h"
#include "Palette.h"

ART_SHEET(135, "yokai") { return PaintedSheet(135); }

namespace {

using rig::CapsulePart;
using rig::EllipsePart;
using rig::MakeBone;
using rig::Ramp;
using rig::Sprite;

// --- The will-o'-wisp ----------------------------------------------------------
// Drawn as a glow rather than a solid: a white-hot core in a foam-blue
// flame whose tongues stream back and up, and around it a soft edge (a
// deep-blue ring, then a sparse dithered fringe) in place of an ink line,
// so that the flame seems to light the dusk around it. Its two ink eyes
// look forward.

struct WispShape {
    float r;        // the flame's round body
    float tail;     // the length of its streaming tongues
    float angle;    // where they stream, degrees (0 down, -90 back, 180 up)
    float phase;    // the flicker of the tongues
    int eyes;       // 0 none, 1 open, 2 shut in pain
};

Canvas DrawWisp(const WispShape& w) {
    constexpr float kPi = 3.14159265f;
    Canvas c(40, 40, kKey);
    const float cx = 21.5f, cy = 23.0f;
    // The field: below 1 inside the flame, rising through its soft edge.
    // Three tongues stream back from the body: the long one where the
    // flame streams, two shorter ones either side of it, each swaying with
    // the flicker.
    struct Tongue {
        float turn, length, width, sway;
    };
    const Tongue tongues[3] = {{0, 1.0f, 0.85f, 0.0f}, {28, 0.6f, 0.55f, 1.7f}, {-24, 0.45f, 0.5f, 3.4f}};
    auto field = [&](float px, float py) {
        const float dx = px - cx, dy = py - cy;
        float f = std::sqrt(dx * dx + dy * dy) / w.r;
        for (const Tongue& t : tongues) {
            const float a = (w.angle + t.turn) * kPi / 180;
            const float ux = std::sin(a), uy = std::cos(a);
            const float u = dx * ux + dy * uy, v = -dx * uy + dy * ux;
            const float len = w.tail * t.length;
            if (u <= 0 || u >= len) continue;
            const float k = u / len;
            const float width = w.r * t.width * (1 - k) + 0.2f;
            const float wave = 0.3f * w.r * std::sin(u * 0.8f + w.phase + t.sway) * k;
            f = std::min(f, std::fabs(v - wave) / width);
        }
        return f;
    };
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
            const float f = field(px, py);
            const float core = std::sqrt((px - cx + 0.8f) * (px - cx + 0.8f) + (py - cy + 0.8f) * (py - cy + 0.8f)) / w.r;
            const bool sparse = (x & 1) == 0 && (y & 1) == 0;
            if (f < 1.0f) {
                if (core < 0.5f) c.Set(x, y, kWhite);
                else if (f < 0.82f) c.Set(x, y, kFoam);
                else c.Set(x, y, kWater);
            } else if (f < 1.0f + 1.2f / w.r) {
                c.Set(x, y, kWaterDeep);
            } else if (f < 1.0f + 2.6f / w.r && sparse) {
                c.Set(x, y, kWaterDeep);
            }
        }
    // A light rim on the flame where it faces the sky, then the eyes.
    const Canvas bare = c;
    for (int y = 1; y < 40; ++y)
        for (int x = 1; x < 40; ++x)
            if (bare.Get(x, y) == kWater && bare.Get(x, y - 1) == kWaterDeep) c.Set(x, y, kFoam);
    const int ex = static_cast<int>(cx + w.r * 0.15f), ey = static_cast<int>(cy - 0.5f);
    if (w.eyes == 1) {
        for (int dy = 0; dy < 2; ++dy) {
            c.Set(ex, ey + dy, kInk);
            c.Set(ex + 3, ey + dy, kInk);
        }
    } else if (w.eyes == 2) {
        c.Set(ex - 1, ey, kInk);
        c.Set(ex, ey + 1, kInk);
        c.Set(ex - 1, ey + 2, kInk);
        c.Set(ex + 4, ey, kInk);
        c.Set(ex + 3, ey + 1, kInk);
        c.Set(ex + 4, ey + 2, kInk);
    }
    return c;
}

// --- The ghost ---------------------------------------------------------------------

const Ramp kRobe{kWhite, kStoneLight, kMist};
const Ramp kHair{kMauve, kDusk, kNight};

// The yurei's head faces right; its pivot is the neck. H/h her long black
// hair and its sheen, hanging over her face and down past her chin; w the
// white triangle of the headband on her brow; s the pale face showing
// between the strands, k an eye, r the lips.
std::map<std::string, Sprite> GhostHeads() {
    auto make = [](const char* eye, const char* mouth) {
        return Sprite{{
                          "..HHHHH...",
                          ".HhHHwHH..",
                          ".HhHwwwH..",
                          "HHHwwwwwH.",
                          "HHHHHsHsH.",
                          std::string("HHHHs") + eye,
                          "HHHHssHsH.",
                          std::string("HHHHs") + mouth,
                          "HHHH.HH.H.",
                          "HHH..H..H.",
                          "HH...H....",
                      },
                      {5, 8}};
    };
    return {{"", make("kHsH.", "HHsH.")}, {"shout", make("kHsH.", "HrrH.")}, {"hurt", make("HkHk.", "HrrH.")}};
}

rig::Model MakeGhost() {
    rig::Model m;
    m.name = "ghost";
    m.legend = {{'k', kInk}, {'H', kDusk}, {'h', kMauve}, {'w', kWhite}, {'s', kStoneLight}, {'r', kCrimson}, {'m', kMist}};
    m.AddBone(MakeBone("torso", "", 7, 0, {0, 0}, 180));
    m.AddBone(MakeBone("tail", "torso", 10, 0, {0, 0}, -25));
    m.AddBone(enemies::Follow(MakeBone("wisp", "tail", 5, 1, {0, 0}, -40)));
    m.AddBone(MakeBone("neck", "torso", 3, 1, {0.5f, 0}, 175));
    m.AddBone(MakeBone("hair", "neck", 12, 1, {-1.5f, 0}, -20));
    m.AddBone(MakeBone("arm", "torso", 6, 0.8f, {1.5f, 0}, 75));
    m.AddBone(enemies::Follow(MakeBone("hand", "arm", 3, 1, {0, 0}, 10)));
    m.AddBone(MakeBone("sleeve", "arm", 4.5f, 0.75f, {0, 0}, 0));
    // The white burial kimono: no feet, the hem drawn out into a tail that
    // thins to a wisp.
    m.AddPart(CapsulePart("tail", "tail", -1, kRobe, 4.4f, 1.0f));
    rig::Part wisp = CapsulePart("wisp", "wisp", -1, Ramp{kStoneLight, kMist, kMist}, 1.0f, 0.3f);
    wisp.outline = false;
    m.AddPart(wisp);
    m.AddPart(CapsulePart("robe", "torso", 0, kRobe, 4.4f, 3.6f));
    // The collar crossed over her chest.
    m.AddPart(enemies::SpritePart("collar", "torso", 1, {{"", Sprite{{"m...", ".m..", "..m.", "..m.", "...m"}, {0, 0}}}}));
    m.FindPart("collar")->from = 0.95f;
    m.AddPart(CapsulePart("hair", "hair", -2, kHair, 3.4f, 1.2f));
    m.AddPart(enemies::SpritePart("head", "neck", 4, GhostHeads(), 360));
    m.FindPart("head")->from = 1.0f;
    // The arm held out, its wide sleeve hanging, the hand limp at the wrist.
    m.AddPart(CapsulePart("sleeve", "sleeve", 4, kRobe, 1.6f, 2.4f));
    m.AddPart(CapsulePart("arm", "arm", 5, kRobe, 1.8f, 1.6f));
    m.AddPart(CapsulePart("hand", "hand", 4, Ramp{kWhite, kStoneLight, kMist}, 1.0f, 0.6f));
    return m;
}

// --- The karakasa ----------------------------------------------------------------------

rig::Model MakeKarakasa() {
    rig::Model m;
    m.name = "karakasa";
    m.legend = {{'k', kInk}, {'w', kWhite}, {'y', kGold}};
    m.AddBone(MakeBone("shaft", "", 7, 0, {0, 0}, 180));
    m.AddBone(MakeBone("leg", "shaft", 8, 0, {0, 0}, 0));
    m.AddBone(enemies::Follow(MakeBone("geta", "leg", 3.5f, 1, {0, 0}, 90)));
    m.AddBone(MakeBone("tongue", "shaft", 6, 0.4f, {2.5f, 0}, 50));
    // The canopy: a dome over the shaft, its rim scalloped between the ribs.
    m.AddPart(enemies::PolyPart("canopy", "shaft", 0, Ramp{kGrass, kPine, kPineDark},
                                {{0, -17}, {6, -15}, {10, -11}, {12, -6}, {9, -5}, {6, -6}, {3, -5}, {0, -6},
                                 {-3, -5}, {-6, -6}, {-9, -5}, {-12, -6}, {-10, -11}, {-6, -15}}));
    m.AddPart(enemies::PolyPart("crown", "shaft", 1, Ramp{kGold, kAmber, kWood}, {{0, -18}, {2, -16}, {0, -15}, {-2, -16}}));
    m.AddPart(enemies::SpritePart("head", "shaft", 2,
                                  {{"", Sprite{{".kkkk.", "kwwwwk", "kwkkwk", "kwwwwk", ".kkkk."}, {2.5f, 2}}},
                                   {"blink", Sprite{{"......", ".kkkk.", "kwwwwk", ".kkkk.", "......"}, {2.5f, 2}}},
                                   {"hurt", Sprite{{"k....k", ".k..k.", "..kk..", ".k..k.", "k....k"}, {2.5f, 2}}}}, 90));
    m.FindPart("head")->from = 1.4f;
    m.AddPart(CapsulePart("tongue", "tongue", 3, Ramp{kRose, kRose, kCrimson}, 1.3f, 1.0f));
    m.AddPart(CapsulePart("leg", "leg", -1, Ramp{kSand, kWood, kEarth}, 1.0f, 0.9f));
    m.AddPart(CapsulePart("geta", "geta", -1, Ramp{kWood, kEarth, kEarthDark}, 1.2f, 1.1f, -0.4f, 1));
    return m;
}

// --- The chouchin ------------------------------------------------------------------------

rig::Model MakeLantern() {
    rig::Model m;
    m.name = "chouchin";
    m.legend = {{'k', kInk}, {'w', kWhite}, {'r', kCrimson}, {'R', kRed}, {'a', kMauve}, {'p', kRose}};
    m.AddBone(MakeBone("body", "", 10, 0, {0, 0}, 180));
    m.AddBone(MakeBone("hook", "body", 3, 1, {0, -1}, 180));
    m.AddBone(MakeBone("tongue", "body", 6, 0.3f, {2, 0}, 40));
    m.AddPart(CapsulePart("hook", "hook", -1, Ramp{kStone, kStoneDark, kNight}, 0.6f, 0.6f));
    m.AddPart(EllipsePart("paper", "body", 0, Ramp{kCoral, kRose, kCrimson}, 7.5f, 9.0f, 0.4f));
    m.AddPart(EllipsePart("capTop", "body", 1, Ramp{kDusk, kNight, kInk}, 4.5f, 1.5f, 1.3f));
    m.AddPart(EllipsePart("capBottom", "body", 1, Ramp{kDusk, kNight, kInk}, 4.5f, 1.5f, -0.5f));
    // The paper's ribs and the split that is its mouth, one eye above it.
    auto face = [](std::vector<std::string> mouth, const char* eye) {
        std::vector<std::string> rows = {"aaaaaaaaaaa", "...........", std::string("....") + eye + "....",
                                         "...........", "aaaaaaaaaaa"};
        rows.insert(rows.end(), mouth.begin(), mouth.end());
        rows.push_back("aaaaaaaaaaa");
        rows.push_back("...........");
        rows.push_back("aaaaaaaaaaa");
        return Sprite{rows, {5.5f, 6}};
    };
    const std::vector<std::string> shut = {"k.kkkkkkk.k", ".k.......k.", "..........."};
    const std::vector<std::string> ajar = {".kkkkkkkkk.", "..krrrrrk..", "...kkkkk..."};
    const std::vector<std::string> open = {"kkkkkkkkkkk", "krRRRRRRRrk", "krRRRRRRRrk", ".krrrrrrrk.", "..kkkkkkk.."};
    m.AddPart(enemies::SpritePart("head", "body", 2,
                                  {{"", face(shut, "kwk")},
                                   {"swell", face(ajar, "kwk")},
                                   {"open", face(open, "kwk")},
                                   {"hurt", face(ajar, "k.k")}}));
    m.FindPart("head")->from = 0.55f;
    m.AddPart(enemies::Hidden(CapsulePart("tongue", "tongue", 3, Ramp{kCoral, kRed, kCrimson}, 1.6f, 1.2f)));
    return m;
}

// --- The snake ------------------------------------------------------------------------------
// An olive-green rat snake slithering in an S over the ground, its head and
// neck raised: light scales on its back, a cream throat, dark bands across
// its back every few texels, a gold eye and a red flicking tongue. Drawn along a
// spine curve; the S travels along the body from frame to frame.

struct SnakeShape {
    float phase;    // where the S lies along the body, radians
    float lift;     // how high the head is raised, texels
    float lean;     // the head pushed forward (+) or drawn back (-)
    int face;       // 0 tongue in, 1 tongue out, 2 hurt
    bool hurt;      // writhing: the body curled up off the ground
};

Canvas DrawSnake(const SnakeShape& s) {
    constexpr float kPi = 3.14159265f;
    Canvas body(40, 40, kKey);
    std::vector<bool> top(40 * 40, false);
    struct P {
        float x, y, r;
    };
    std::vector<P> spine;
    // The body along the ground, from the tail tip to the neck.
    for (int i = 0; i <= 60; ++i) {
        const float t = static_cast<float>(i) / 60.0f;
        const float x = 5.0f + 19.0f * t;
        const float amp = s.hurt ? 3.2f : 2.3f;
        const float y = 28.5f - amp * std::sin(2 * kPi * 1.3f * t + s.phase) * (0.35f + 0.65f * t) -
                        (s.hurt ? 4.0f * std::sin(kPi * t) : 0.0f);
        const float r = 0.5f + 1.8f * std::min(1.0f, t / 0.55f);
        spine.push_back({x, y, r});
    }
    // The raised neck: a curve up from the body to the head.
    const P base = spine.back();
    const float hx = 29.0f + s.lean, hy = base.y - s.lift;
    for (int i = 1; i <= 24; ++i) {
        const float t = static_cast<float>(i) / 24.0f;
        const float cxp = base.x + 4.5f, cyp = base.y;
        const float x = (1 - t) * (1 - t) * base.x + 2 * (1 - t) * t * cxp + t * t * hx;
        const float y = (1 - t) * (1 - t) * base.y + 2 * (1 - t) * t * cyp + t * t * hy;
        spine.push_back({x, y, 2.3f - 0.4f * t});
    }
    std::vector<float> along(40 * 40, -1.0f);
    for (size_t i = 0; i < spine.size(); ++i) {
        const P& p = spine[i];
        for (int y = static_cast<int>(p.y - p.r - 1); y <= static_cast<int>(p.y + p.r + 1); ++y)
            for (int x = static_cast<int>(p.x - p.r - 1); x <= static_cast<int>(p.x + p.r + 1); ++x) {
                if (x < 0 || y < 0 || x >= 40 || y >= 40) continue;
                const float dx = static_cast<float>(x) + 0.5f - p.x, dy = static_cast<float>(y) + 0.5f - p.y;
                if (dx * dx + dy * dy > p.r * p.r + 0.2f) continue;
                body.Set(x, y, kOlive);
                along[static_cast<size_t>(y) * 40 + x] = static_cast<float>(i);
            }
    }
    // Shading: scales lit on the back, a pale throat, dark bands.
    const Canvas mask = body;
    auto in = [&](int x, int y) { return x >= 0 && y >= 0 && x < 40 && y < 40 && !(mask.Get(x, y) == kKey); };
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            if (!in(x, y)) continue;
            const float a = along[static_cast<size_t>(y) * 40 + x];
            const bool neck = a > 60;
            if (!in(x, y + 1)) {
                body.Set(x, y, neck ? kCream : kPineDark);
            } else if (neck && !in(x + 1, y)) {
                body.Set(x, y, kCream);  // the pale throat faces forward
            } else if (!in(x, y + 2) || (!neck && !in(x, y + 3))) {
                body.Set(x, y, kPine);
            } else {
                body.Set(x, y, kOlive);
            }
            // Dark bands across the back, each with a glint of light behind it.
            const int step = static_cast<int>(a);
            if (!neck && a > 8 && step % 11 < 3 && in(x, y + 1)) body.Set(x, y, kPineDark);
            if (!neck && a > 8 && step % 11 == 3 && !in(x, y - 1)) body.Set(x, y, kLeaf);
        }
    // The head at the end of the neck, facing forward.
    const int hxI = static_cast<int>(hx) - 1, hyI = static_cast<int>(hy) - 2;
    const std::vector<std::string> head = {
        ".vvvvv...",
        "vVVVVvvv.",
        "vVyVvvvvv",
        "dddddddd.",
        ".gggggg..",
    };
    body.Grid(hxI, hyI, head, [&](char ch, Rgb& c) {
        switch (ch) {
            case 'v': c = kOlive; return true;
            case 'V': c = kOlive; return true;
            case 'y': c = s.face == 2 ? kInk : kGold; return true;
            case 'd': c = kPineDark; return true;
            case 'g': c = kCream; return true;
            default: return false;
        }
    });
    // The eye's pupil.
    if (s.face != 2) body.Set(hxI + 3, hyI + 2, kInk);
    const Canvas bare = body;
    body.Outline(kInk);
    // The light rim where the outline faces the sky.
    auto open = [&](int x, int y) { return x < 0 || y < 0 || bare.Get(x, y) == kKey; };
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            if (!open(x, y) || !open(x - 1, y) || !open(x, y - 1)) continue;
            if ((y + 1 < 40 && !open(x, y + 1)) || (x + 1 < 40 && !open(x + 1, y))) body.Set(x, y, kMist);
        }
    // The forked tongue, without ink.
    if (s.face == 1) {
        body.Set(hxI + 9, hyI + 3, kRed);
        body.Set(hxI + 10, hyI + 3, kRed);
        body.Set(hxI + 11, hyI + 2, kRed);
        body.Set(hxI + 11, hyI + 4, kRed);
    }
    return body;
}

// Moves a drawn figure so that its lowest texel stands on the row above the
// cell's floor line (for figures drawn by hand rather than by the rig).
Canvas Grounded(const Canvas& c, int floorY) {
    int lowest = -1;
    for (int y = 0; y < c.H(); ++y)
        for (int x = 0; x < c.W(); ++x)
            if (!(c.Get(x, y) == kKey)) lowest = y;
    Canvas out(c.W(), c.H(), kKey);
    out.Blit(c, 0, floorY - 1 - lowest);
    return out;
}

// Centres a drawn figure's box on the cell's centre point.
Canvas Centred(const Canvas& c, int centreX, int centreY) {
    int x0 = c.W(), x1 = -1, y0 = c.H(), y1 = -1;
    for (int y = 0; y < c.H(); ++y)
        for (int x = 0; x < c.W(); ++x)
            if (!(c.Get(x, y) == kKey)) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    Canvas out(c.W(), c.H(), kKey);
    out.Blit(c, centreX - (x0 + x1 + 1) / 2, centreY - (y0 + y1 + 1) / 2);
    return out;
}

// --- Poses and the layout ---------------------------------------------------------------------

struct KindPose {
    const char* name;
    const rig::Model& (*model)();
    std::string words;
};

template <rig::Model (*Make)()>
const rig::Model& Cached() {
    static const rig::Model m = Make();
    return m;
}

const KindPose kPoses[] = {
    {"ghost_float", Cached<MakeGhost>, "root:20,22 place:centre tail=-25 arm=75 hand=10 sleeve=5 hair=-20"},
    {"ghost_gather", Cached<MakeGhost>, "root:20,22 place:centre torso=170 tail=-40 arm=150 hand=170 sleeve=60 hair=-55 face:shout"},
    {"ghost_shoot", Cached<MakeGhost>, "root:20,22 place:centre torso=195 tail=-15 arm=95 hand=90 sleeve=10 hair=-10 face:shout"},
    {"ghost_hurt", Cached<MakeGhost>, "root:20,22 place:centre torso=215 tail=-60 arm=20 hand=-10 sleeve=-5 hair=-75 face:hurt"},
    {"kasa_stand", Cached<MakeKarakasa>, "root:20,22 shaft=180 leg=0 tongue=55"},
    {"kasa_spring", Cached<MakeKarakasa>, "root:20,22 shaft=172 leg=-12 leg*0.75 tongue=80 face:blink"},
    {"kasa_air", Cached<MakeKarakasa>, "root:20,22 place:centre shaft=185 leg=-25 geta=60 tongue=100"},
    {"kasa_drift_a", Cached<MakeKarakasa>, "root:20,22 place:centre shaft=168 leg=-15 tongue=70"},
    {"kasa_drift_b", Cached<MakeKarakasa>, "root:20,22 place:centre shaft=192 leg=10 tongue=45"},
    {"kasa_hurt", Cached<MakeKarakasa>, "root:20,22 place:centre shaft=215 leg=40 tongue=20 face:hurt"},
    {"lantern_idle", Cached<MakeLantern>, "root:20,28 place:centre body=180"},
    {"lantern_sway", Cached<MakeLantern>, "root:20,26 place:centre body=170 hook=190"},
    {"lantern_swell", Cached<MakeLantern>, "root:20,26 place:centre body=183 face:swell"},
    {"lantern_open", Cached<MakeLantern>, "root:20,26 place:centre body=188 face:open"},
    {"lantern_spit", Cached<MakeLantern>, "root:20,26 place:centre body=192 face:open show:tongue tongue=60"},
    {"lantern_hurt", Cached<MakeLantern>, "root:20,26 place:centre body=205 face:hurt"},
};

struct WispPose {
    const char* name;
    WispShape shape;
};
// The full flame flickers between its two frames (the tongues part the
// other way, the body swells a texel); it sparks from an ember and kindles
// through a small flame.
const WispPose kWispPoses[] = {
    {"wisp_a", {5.0f, 15.0f, -140, 0.0f, 1}},
    {"wisp_b", {5.4f, 13.0f, -124, 3.1f, 1}},
    {"wisp_spark_a", {1.7f, 5.0f, -155, 0.0f, 0}},
    {"wisp_spark_b", {2.2f, 7.0f, -125, 2.5f, 0}},
    {"wisp_kindle_a", {3.2f, 10.0f, -148, 1.0f, 0}},
    {"wisp_kindle_b", {3.8f, 12.0f, -128, 4.0f, 0}},
    {"wisp_hurt", {4.6f, 8.0f, -80, 1.5f, 2}},
};

struct SnakePose {
    const char* name;
    SnakeShape shape;
};
// The S travels half a wave between the two slithering frames, and the
// head bobs with the tongue in and out.
const SnakePose kSnakePoses[] = {
    {"snake_a", {0.0f, 7.0f, 0.0f, 0, false}},
    {"snake_b", {3.14159265f, 5.0f, 1.5f, 1, false}},
    {"snake_hurt", {1.6f, 3.0f, -2.0f, 2, true}},
};

Canvas PaintYokai(const Layout& l, const Cell& c) {
    for (const WispPose& p : kWispPoses)
        if (c.pose == std::string(p.name)) return Centred(DrawWisp(p.shape), l.cell.centreX, l.cell.centreY);
    for (const SnakePose& p : kSnakePoses)
        if (c.pose == std::string(p.name)) {
            const Canvas drawn = DrawSnake(p.shape);
            return p.shape.hurt ? Centred(drawn, l.cell.centreX, l.cell.centreY) : Grounded(drawn, l.cell.floorY);
        }
    for (const KindPose& p : kPoses)
        if (c.pose == std::string(p.name)) return enemies::DrawPose(p.model(), p.words, l, c);
    enemies::FailNoPose("yokai", c.pose);
}

const Layout kYokaiLayout{135, 34, "yokai_slot34", {
    {"wisp_a", "220 230 250 294", 0, 0, Anchor::Centre},
    {"wisp_b", "231 251 295", 40, 0, Anchor::Centre},
    {"wisp_spark_a", "290", 80, 0, Anchor::Centre},
    {"wisp_spark_b", "291", 120, 0, Anchor::Centre},
    {"wisp_kindle_a", "292", 160, 0, Anchor::Centre},
    {"wisp_kindle_b", "293", 200, 0, Anchor::Centre},
    {"wisp_hurt", "10 110 111", 0, 40, Anchor::Centre},
    {"ghost_float", "220 230 231", 40, 40, Anchor::Centre},
    {"ghost_gather", "232", 80, 40, Anchor::Centre},
    {"ghost_shoot", "233", 120, 40, Anchor::Centre},
    {"ghost_hurt", "10 110 111", 160, 40, Anchor::Centre},
    {"kasa_stand", "220 231", 0, 80, Anchor::Body},
    {"kasa_spring", "232", 40, 80, Anchor::Body},
    {"kasa_air", "230", 80, 80, Anchor::Centre},
    {"kasa_drift_a", "250", 120, 80, Anchor::Centre},
    {"kasa_drift_b", "251", 160, 80, Anchor::Centre},
    {"kasa_hurt", "10 110 111", 200, 80, Anchor::Centre},
    {"lantern_idle", "220 230 250", 0, 120, Anchor::Centre},
    {"lantern_sway", "251", 40, 120, Anchor::Centre},
    {"lantern_swell", "231 235", 80, 120, Anchor::Centre},
    {"lantern_open", "232 234", 120, 120, Anchor::Centre},
    {"lantern_spit", "233", 160, 120, Anchor::Centre},
    {"lantern_hurt", "10 110 111", 200, 120, Anchor::Centre},
    {"snake_a", "220 230 250", 0, 160, Anchor::Body},
    {"snake_b", "231 251", 40, 160, Anchor::Body},
    {"snake_hurt", "10 110 111", 80, 160, Anchor::Centre},
}, 256, {}, PaintYokai};
ART_LAYOUT(kYokaiLayout);

const Review kYokaiReview{"yokai", {135}, {
    {"wisp 290", {{"wisp_spark_a", 8}, {"wisp_spark_b", 8}, {"wisp_kindle_a", 16}, {"wisp_kindle_b", 4}, {"wisp_a", 16}, {"wisp_b", 16}}},
    {"ghost 230", {{"ghost_float", 80}, {"ghost_gather", 20}, {"ghost_shoot", 20}, {"ghost_hurt", 20}}},
    {"karakasa 230", {{"kasa_stand", 20}, {"kasa_spring", 1}, {"kasa_air", 40}, {"kasa_stand", 20}, {"kasa_drift_a", 16}, {"kasa_drift_b", 16}, {"kasa_hurt", 20}}},
    {"chouchin 230", {{"lantern_idle", 50}, {"lantern_swell", 1}, {"lantern_open", 1}, {"lantern_spit", 30}, {"lantern_open", 2}, {"lantern_swell", 2}, {"lantern_sway", 16}, {"lantern_hurt", 20}}},
    {"snake 230", {{"snake_a", 12}, {"snake_b", 12}, {"snake_a", 12}, {"snake_hurt", 20}}},
}, {{"wisp_a", 0}, {"ghost_float", 0}, {"kasa_stand", 0}, {"lantern_idle", 0}, {"snake_a", 0}, {"ghost_shoot", 0}}};
ART_REVIEW(kYokaiReview);

}  // namespace
