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

// A disc shaded from the upper left: light, mid and dark tones.
void ShadedDisc(Canvas& c, int cx, int cy, int r, const Ramp& ramp) {
    c.Disc(cx, cy, r, ramp.dark);
    c.Disc(cx - 1, cy - 1, r - 1, ramp.mid);
    if (r > 3) c.Disc(cx - r / 3, cy - r / 3, r / 3, ramp.light);
}

// A polygon in three tones: the dark body, the mid shifted up-left, a light
// edge line along the top.
void ShadedPolygon(Canvas& c, const std::vector<std::pair<int, int>>& pts, const Ramp& ramp) {
    c.Polygon(pts, ramp.dark);
    std::vector<std::pair<int, int>> inner;
    for (auto [x, y] : pts) inner.push_back({x - 1, y - 1});
    c.Polygon(inner, ramp.mid);
}

std::map<char, Rgb> Legend() {
    return {{'k', kInk},  {'w', kWhite}, {'r', kRed},   {'c', kCrimson}, {'a', kAmber}, {'g', kGold},
            {'e', kCream}, {'s', kStone}, {'S', kStoneDark}, {'m', kMist}, {'f', kFoam}, {'b', kWater},
            {'n', kNight}, {'E', kEarthDark}, {'o', kWood}, {'v', kViolet}, {'d', kDusk}};
}

void Picture(Canvas& c, int x, int y, const std::vector<std::string>& rows) {
    static const std::map<char, Rgb> legend = Legend();
    c.Grid(x, y, rows, [](char ch, Rgb& out) {
        auto it = legend.find(ch);
        if (it == legend.end()) return false;
        out = it->second;
        return true;
    });
}

// --- The mammoth (slot 73) ---------------------------------------------------------------

const Ramp kWool{kEarth, kEarthDark, kInk};
const Ramp kWoolFar{kEarthDark, kEarthDark, kInk};
const Ramp kTusk{kWhite, kCream, kSand};
const Ramp kSnow{kWhite, kFoam, kMist};

// Long hair hanging in a ragged fringe: D the dark wool, H and o the lighter
// strands in it.
const Sprite kBellyFringe{{
                              "DDHDDDoDDHDDDoDDDHDDoDDDHDDD",
                              "DDHDD.oDDHD.DoDD.HDDoD.DHDD.",
                              ".DH.D.o.DH..Do.D.H.Do..DH.D.",
                              ".DH...o..H..Do...H..o...H...",
                              "..H...o..H...o...H......H...",
                              "......o......o..............",
                          },
                          {14, 0}};
const Sprite kThroatFringe{{"DDHDDoDD", "DDHD.oD.", ".DH..oD.", "..H..o..", "..H....."}, {4, 0}};
const Sprite kLegFringe{{"DDHDoDDD", "DHD.oDH.", ".H..o.H.", ".H....H."}, {4, 0}};
// Lighter strands over the wool of the back and flank (no outline).
const Sprite kFlankStrands{{
                               "......o.........H.......",
                               "..H...o....o....H....o..",
                               "..H....o...o.....H...o..",
                               "..H....o...o.....H...o..",
                               "...H...o....o....H....o.",
                               "...H...o....o.....H...o.",
                               "...H....o...o.....H....o",
                               "........o....o....H....o",
                           },
                           {12, 4}};

rig::Model MakeMammoth() {
    rig::Model m;
    m.name = "mammoth";
    m.legend = Legend();
    m.legend['D'] = kEarthDark;
    m.legend['H'] = kEarth;
    m.AddBone(MakeBone("body", "", 12, 0, {0, 0}, 90));
    m.AddPart(EllipsePart("torso", "body", 0, kWool, 14.0f, 18.0f, 0.25f));
    // The shoulder hump, high over the forelegs; the back slopes down from it.
    m.AddBone(enemies::Follow(MakeBone("hump", "body", 4, 0.75f, {0, -10}, 180)));
    m.AddPart(EllipsePart("hump", "hump", 1, kWool, 9.5f, 8.5f, 0.0f));
    m.AddBone(MakeBone("head", "body", 9, 1, {0, -6}, 150));
    m.AddPart(EllipsePart("head", "head", 3, kWool, 9.0f, 9.0f, 0.3f));
    // The high domed crown of the skull, above the hump's line.
    m.AddBone(enemies::Follow(MakeBone("dome", "head", 3, 0.3f, {-1, -6}, 180)));
    m.AddPart(EllipsePart("dome", "dome", 4, kWool, 6.0f, 6.5f, 0.2f));
    m.AddPart(enemies::SpritePart("eye", "head", 6, {{"", Sprite{{"kk", "kw"}, {0, 0}}}, {"x", Sprite{{"k.k", ".k.", "k.k"}, {1, 1}}}}, 0));
    m.FindPart("eye")->from = 0.35f;
    m.AddBone(enemies::Follow(MakeBone("ear", "head", 6, 0.1f, {-4, 1}, 20)));
    m.AddPart(EllipsePart("ear", "ear", 4, kWoolFar, 2.5f, 3.5f, 0.5f));
    m.AddBone(MakeBone("trunk1", "head", 7, 1, {0, 0}, 20));
    m.AddBone(MakeBone("trunk2", "trunk1", 6, 1, {0, 0}, 10));
    m.AddBone(MakeBone("trunk3", "trunk2", 4, 1, {0, 0}, 40));
    for (auto [name, r0, r1] : {std::tuple{"trunk1", 3.2f, 2.6f}, {"trunk2", 2.6f, 2.0f}, {"trunk3", 2.0f, 1.6f}}) {
        rig::Part& p = m.AddPart(CapsulePart(name, name, 5, kWool, r0, r1));
        p.edge = true;
        p.group = "trunk";
    }
    // Long tusks sweeping down and forward, then up and back in.
    m.AddBone(MakeBone("tusk1", "head", 8, 0.9f, {1, 2}, 40));
    m.AddBone(enemies::Follow(MakeBone("tusk2", "tusk1", 6, 1, {0, 0}, 100)));
    m.AddBone(enemies::Follow(MakeBone("tusk3", "tusk2", 5, 1, {0, 0}, 205)));
    m.AddPart(CapsulePart("tusk1", "tusk1", 7, kTusk, 1.8f, 1.6f));
    m.AddPart(CapsulePart("tusk2", "tusk2", 7, kTusk, 1.6f, 1.1f));
    m.AddPart(CapsulePart("tusk3", "tusk3", 7, kTusk, 1.1f, 0.5f));
    struct Leg {
        const char* name;
        float along, dx;
        int layer;
        const Ramp* ramp;
    };
    for (const Leg& l : {Leg{"legFN", 0.95f, 0, 2, &kWool}, Leg{"legBN", 0.0f, -6, 2, &kWool},
                         Leg{"legFF", 0.8f, 3, -2, &kWoolFar}, Leg{"legBF", 0.1f, -3, -2, &kWoolFar}}) {
        m.AddBone(MakeBone(l.name, "body", 13, l.along, {l.dx, 7}, 0));
        m.AddPart(CapsulePart(l.name, l.name, l.layer, *l.ramp, 4.6f, 4.0f));
    }
    // Shaggy hair over the near legs' tops, under the throat and along the
    // belly, and lighter strands over the flank.
    for (const char* leg : {"legFN", "legBN"})
        m.AddPart(enemies::SpritePart(std::string(leg) + "Hair", leg, 3, {{"", kLegFringe}}, 360)).from = 0.45f;
    m.AddBone(enemies::Follow(MakeBone("belly", "body", 1, 0.3f, {0, 11}, 90)));
    m.AddPart(enemies::SpritePart("belly", "belly", 2, {{"", kBellyFringe}}, 360));
    m.AddBone(enemies::Follow(MakeBone("throat", "head", 1, 0.3f, {-2, 5}, 90)));
    m.AddPart(enemies::SpritePart("throat", "throat", 4, {{"", kThroatFringe}}, 360));
    rig::Part strands = enemies::SpritePart("strands", "body", 1, {{"", kFlankStrands}}, 360);
    strands.from = 0.3f;
    strands.outline = false;
    m.AddPart(strands);
    m.AddBone(enemies::Follow(MakeBone("tail", "body", 7, 0, {-8, -4}, -30)));
    m.AddPart(CapsulePart("tail", "tail", -3, kWoolFar, 1.4f, 1.0f));
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
    "head=165 trunk1=150 trunk2=175 trunk3=190", "head=155 trunk1=135 trunk2=160 trunk3=175",
    "head=145 trunk1=40 trunk2=30 trunk3=60 show:ball", "head=160 trunk1=120 trunk2=150 trunk3=170 show:ball"};

const enemies::PoseLine kMammothPoses[] = {
    {"stand_a", "root:29,38"}, {"stand_b", "root:29,38"}, {"stand_c", "root:29,38"}, {"stand_d", "root:29,38"},
    {"throw_a", "root:29,38"}, {"throw_b", "root:29,38"}, {"throw_c", "root:29,38"}, {"throw_d", "root:29,38"},
    {"hop", "root:29,36 legFN=35 legBN=-30 legFF=30 legBF=-25 trunk1=40 trunk2=60 trunk3=100 tail=-70"},
    {"charge_a", "root:29,38 body=100 head=120 trunk1=5 trunk2=-10 trunk3=-20 legFN=40 legBN=-30 legFF=-20 legBF=30"},
    {"charge_b", "root:29,38 body=95 head=118 trunk1=0 trunk2=-15 trunk3=-30 legFN=-15 legBN=25 legFF=35 legBF=-35"},
    {"bounce", "root:29,38 body=80 head=175 trunk1=140 trunk2=160 trunk3=200 legFN=30 legFF=40 eye:x"},
    {"defeat", "root:29,38 head=175 trunk1=150 trunk2=170 trunk3=220 legFN=50 legBN=-50 eye:x"},
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

const Ramp kCartWood{kSand, kWood, kEarthDark};
const Ramp kFire{kGold, kAmber, kCrimson};
const Ramp kFireHot{kCream, kGold, kAmber};

// The wheel of an ox cart: a thick rim, eight spokes and the iron-bound hub
// (the face sits on it), licked by fire along the rim.
Canvas PaintWheel(const Layout& l, const Cell&) {
    Canvas c(l.cell.w, l.cell.h);
    const int cx = l.cell.centreX, cy = l.cell.centreY;
    c.Disc(cx, cy, 23, kEarthDark);
    c.Disc(cx, cy, 22, kWood);
    c.Disc(cx - 1, cy - 1, 21, kSand);
    c.Disc(cx, cy, 20, kWood);
    c.Disc(cx, cy, 17, kEarthDark);
    c.Disc(cx, cy, 16, kKey);
    for (int i = 0; i < 8; ++i) {
        const double a = i * kPi / 4;
        const int x1 = cx + static_cast<int>(std::lround(16 * std::sin(a)));
        const int y1 = cy + static_cast<int>(std::lround(16 * std::cos(a)));
        for (int w = -1; w <= 1; ++w) c.Line(cx + w, cy, x1 + w, y1, w == -1 ? kSand : kWood);
    }
    ShadedDisc(c, cx, cy, 9, Ramp{kStoneLight, kStone, kStoneDark});
    // Embers along the rim.
    for (int i = 0; i < 16; ++i) {
        const double a = i * kPi / 8 + 0.2;
        const int x = cx + static_cast<int>(std::lround(21 * std::sin(a)));
        const int y = cy + static_cast<int>(std::lround(21 * std::cos(a)));
        c.Set(x, y, i % 2 == 0 ? kAmber : kGold);
    }
    c.Outline(kInk);
    return c;
}

// The face of the damned man at the hub: a furious, bearded face with
// burning eyes, wild hair blown back.
const std::vector<std::string>& FaceRows(const std::string& pose) {
    static const std::vector<std::string> glare = {
        "....EEEEEEEEEE....",
        "..EEEoooooooooEE..",
        ".EooeeeeeeeeeeooE.",
        "Eooeekkeeeekkeeoo.",
        "EoekggkkeekkggkeoE",
        "Eoeekrrkeekrrkeeo.",
        "Eoeeeeeeooeeeeeeo.",
        "EoeeeeeooooeeeeeoE",
        "Eoeekkkkkkkkkkeeo.",
        "EoekwrwrwrwrwrkeoE",
        "EoekrcrcrcrcrckeoE",
        ".EoekkkkkkkkkkeoE.",
        ".EEooEoEoEoEoooEE.",
        "..EEoEoEoEoEoEEE..",
        "....EEEEEEEEEE....",
    };
    static const std::vector<std::string> squash = {
        "..................",
        "....EEEEEEEEEE....",
        "..EEEoooooooooEE..",
        "EEooeekkeekkeeooEE",
        "EoeekkkkeekkkkeeoE",
        "Eoeeeeeeooeeeeeeo.",
        "Eoeeekkkkkkkkeeeo.",
        "EoeekwwwwwwwwkeeoE",
        "EoeekkkkkkkkkkeeoE",
        ".EEooEoEoEoEoooEE.",
        "..EEoEoEoEoEoEEE..",
        "....EEEEEEEEEE....",
        "..................",
        "..................",
        "..................",
    };
    static const std::vector<std::string> roar = {
        "....EEEEEEEEEE....",
        "..EEEoooooooooEE..",
        ".EooeeeeeeeeeeooE.",
        "Eooekkkeeeekkkeoo.",
        "EoekgggkeekgggkeoE",
        "Eoeekkkeeeekkkeeo.",
        "Eoeeeeeeooeeeeeeo.",
        "Eoeeekkkkkkkkeeeo.",
        "EoeekwccccccwkeeoE",
        "EoeekcrrrrrrckeoE.",
        "EoeekcrrrrrrckeeoE",
        ".EoeekwccccwkeeoE.",
        ".EEooEkkkkkkooEE..",
        "..EEoEoEoEoEoEEE..",
        "....EEEEEEEEEE....",
    };
    static const std::vector<std::string> pain = {
        "....EEEEEEEEEE....",
        "..EEEoooooooooEE..",
        ".EooeeeeeeeeeeooE.",
        "Eooeekeekeekeeoo..",
        "EoeeekkeeeekkeeeoE",
        "Eoeekeekeekeekeeo.",
        "Eoeeeeeeooeeeeeeo.",
        "EoeeeeeooooeeeeeoE",
        "Eoeeeekkkkkkeeeeo.",
        "EoeeekcccccckeeeoE",
        "Eoeeeekkkkkkeeeeo.",
        ".EoeeeeeeeeeeeeoE.",
        ".EEooEoEoEoEoooEE.",
        "..EEoEoEoEoEoEEE..",
        "....EEEEEEEEEE....",
    };
    if (pose == "squash") return squash;
    if (pose == "roar") return roar;
    if (pose == "pain") return pain;
    return glare;
}

Canvas PaintFace(const Layout& l, const Cell& cell) {
    Canvas c(l.cell.w, l.cell.h);
    const int cx = l.cell.centreX, cy = l.cell.centreY;
    // Hair and beard blown back into flames behind the face.
    for (int i = 0; i < 5; ++i) {
        const double a = kPi * (0.7 + i * 0.15);
        const int x = cx + static_cast<int>(std::lround(11 * std::sin(a))) - 2;
        const int y = cy + static_cast<int>(std::lround(11 * std::cos(a)));
        ShadedDisc(c, x, y, 4 - i % 2, i % 2 == 0 ? kFire : kFireHot);
    }
    ShadedDisc(c, cx, cy, 11, Ramp{kSkin, kSand, kWood});
    const std::string pose = cell.pose;
    const auto& rows = FaceRows(pose);
    Picture(c, cx - 9, cy - 8, rows);
    c.Outline(kInk);
    return c;
}

// A flame on the rim, flickering in four pictures.
Canvas PaintFlame(const Layout& l, const Cell& cell) {
    Canvas c(l.cell.w, l.cell.h);
    const int cx = l.cell.centreX, cy = l.cell.centreY + 2;
    const int k = std::string(cell.pose).back() - 'a';
    const int lean = k % 2 == 0 ? 1 : -1;
    const int tall = 7 + (k == 1 ? 2 : k == 3 ? -1 : 0);
    c.Disc(cx, cy + 1, 4, kCrimson);
    c.Polygon({{cx - 4, cy + 1}, {cx + 4, cy + 1}, {cx + lean, cy - tall}}, kCrimson);
    c.Disc(cx, cy + 1, 3, kAmber);
    c.Polygon({{cx - 3, cy + 1}, {cx + 3, cy + 1}, {cx + lean, cy - tall + 2}}, kAmber);
    c.Disc(cx, cy + 2, 1, kGold);
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

const Ramp kGrave{kStoneLight, kStone, kStoneDark};
const Ramp kGraveFar{kStone, kStoneDark, kNight};
const Ramp kMoss{kLeaf, kGrass, kPine};

// The haunted gravestone: a tall slab with a rounded crown on a two-step
// base, the carved name below, and the face of the one buried under it in
// the stone's crown (its eyes burn the ghost-fire blue).
Canvas PaintGravestone(const Layout& l, const Cell& cell) {
    Canvas c(l.cell.w, l.cell.h);
    const int cx = l.cell.centreX, top = l.cell.centreY - 14, floor = l.cell.floorY - 2;
    const std::string pose = cell.pose;
    const int k = pose.back() - 'a';
    const int tilt = pose == "cracked" ? 3 : pose == "tumble" ? 6 : 0;
    // The base, two steps.
    ShadedPolygon(c, {{cx - 16, floor + 1}, {cx + 16, floor + 1}, {cx + 16, floor - 4}, {cx - 16, floor - 4}}, kGraveFar);
    ShadedPolygon(c, {{cx - 13, floor - 4}, {cx + 13, floor - 4}, {cx + 13, floor - 8}, {cx - 13, floor - 8}}, kGrave);
    // The slab with its rounded crown.
    ShadedPolygon(c, {{cx - 10, floor - 8}, {cx + 10, floor - 8}, {cx + 10 + tilt, top + 6}, {cx + 7 + tilt, top + 1},
                      {cx + tilt, top - 1}, {cx - 7 + tilt, top + 1}, {cx - 10 + tilt, top + 6}},
                  kGrave);
    // Moss at its foot, the carved name down its middle.
    for (int x = -10; x <= 10; x += 3) c.Set(cx + x, floor - 9, x % 2 == 0 ? kGrass : kPine);
    for (int y = top + 20; y < floor - 12; y += 3) {
        c.Line(cx - 2 + tilt / 2, y, cx + 2 + tilt / 2, y, kStoneDark);
        c.Set(cx + tilt / 2, y + 1, kStoneDark);
    }
    // The face in the crown.
    // Brows drawn down over eyes that burn with the ghost fire; the third
    // picture narrows them, the fourth flares them.
    const std::vector<std::string> eyes[] = {
        {"kk.......kk", ".kkk...kkk.", ".kffk.kffk.", "..kbk.kbk.."},
        {"kk.......kk", ".kkk...kkk.", ".kffk.kffk.", "..kbk.kbk.."},
        {"kk.......kk", ".kkk...kkk.", ".kkkk.kkkk.", "..........."},
        {"kk.......kk", ".kkk...kkk.", "kfffk.kfffk", ".kbk...kbk."},
    };
    const int fx = cx - 5 + tilt, fy = top + 6;
    if (pose == "cracked" || pose == "tumble") {
        Picture(c, fx, fy + 1, {"k.k...k.k", ".k.....k.", "k.k...k.k"});
        c.Line(cx + tilt - 3, top, cx + tilt + 2, top + 12, kInk);
        c.Line(cx + tilt + 2, top + 12, cx + tilt - 1, top + 22, kInk);
    } else {
        Picture(c, fx, fy, eyes[k < 0 || k > 3 ? 0 : k]);
    }
    Picture(c, fx + 2, fy + 6, k == 3 ? std::vector<std::string>{"kkkkkkk", "kwkwkwk", "kvvvvvk", "kwkwkwk", ".kkkkk."}
                                      : std::vector<std::string>{"kkkkkkk", "kwkwkwk", ".kkkkk."});
    c.Outline(kInk);
    return c;
}

// The grave plot: the gorinto stupa (five stacked stones: cube, sphere,
// roof, crescent and jewel), a stone lantern with a lit window, a wooden
// grave tablet with its notched top, and the ghost fires.
Canvas PaintPlot(const Layout& l, const Cell& cell) {
    Canvas c(l.cell.w, l.cell.h);
    const int cx = l.cell.centreX, floor = l.cell.floorY - 2;
    const std::string pose = cell.pose;
    const int tilt = pose.find("fall") != std::string::npos ? 2 : 0;
    if (pose.rfind("stupa", 0) == 0) {
        ShadedPolygon(c, {{cx - 11, floor + 1}, {cx + 11, floor + 1}, {cx + 11, floor - 11}, {cx - 11, floor - 11}}, kGrave);
        ShadedDisc(c, cx + tilt / 2, floor - 19, 9, kGrave);
        ShadedPolygon(c, {{cx - 14 + tilt, floor - 26}, {cx + 14 + tilt, floor - 26}, {cx + 5 + tilt, floor - 33},
                          {cx - 5 + tilt, floor - 33}},
                      kGraveFar);
        ShadedPolygon(c, {{cx - 7 + tilt, floor - 33}, {cx + 7 + tilt, floor - 33}, {cx + 4 + tilt, floor - 37},
                          {cx - 4 + tilt, floor - 37}},
                      kGrave);
        ShadedPolygon(c, {{cx - 3 + tilt, floor - 37}, {cx + 3 + tilt, floor - 37}, {cx + tilt, floor - 45}}, kGrave);
        for (int y = floor - 9; y < floor - 1; y += 3) c.Line(cx - 2, y, cx + 2, y, kStoneDark);
    } else if (pose.rfind("lantern", 0) == 0) {
        ShadedPolygon(c, {{cx - 8, floor + 1}, {cx + 8, floor + 1}, {cx + 6, floor - 3}, {cx - 6, floor - 3}}, kGraveFar);
        ShadedPolygon(c, {{cx - 3, floor - 3}, {cx + 3, floor - 3}, {cx + 3 + tilt, floor - 17}, {cx - 3 + tilt, floor - 17}}, kGrave);
        ShadedPolygon(c, {{cx - 9 + tilt, floor - 17}, {cx + 9 + tilt, floor - 17}, {cx + 9 + tilt, floor - 20},
                          {cx - 9 + tilt, floor - 20}},
                      kGrave);
        ShadedPolygon(c, {{cx - 7 + tilt, floor - 20}, {cx + 7 + tilt, floor - 20}, {cx + 7 + tilt, floor - 29},
                          {cx - 7 + tilt, floor - 29}},
                      kGrave);
        c.Rect(cx - 3 + tilt, floor - 27, 7, 6, kGold);
        c.Rect(cx - 1 + tilt, floor - 26, 3, 4, kCream);
        ShadedPolygon(c, {{cx - 13 + tilt, floor - 29}, {cx + 13 + tilt, floor - 29}, {cx + 4 + tilt, floor - 36},
                          {cx - 4 + tilt, floor - 36}},
                      kGraveFar);
        ShadedDisc(c, cx + tilt, floor - 38, 3, kGrave);
    } else if (pose.rfind("tablet", 0) == 0) {
        for (int s = -1; s <= 1; s += 2) {
            const int x = cx + s * 5 + tilt;
            const int h = s < 0 ? 40 : 34;
            ShadedPolygon(c, {{x - 3, floor + 1}, {x + 3, floor + 1}, {x + 3, floor - h}, {x, floor - h - 3}, {x - 3, floor - h}},
                          kCartWood);
            c.Set(x - 3, floor - h + 4, kKey);
            c.Set(x + 3, floor - h + 4, kKey);
            for (int y = floor - h + 8; y < floor - 4; y += 3) c.Set(x, y, kInk);
        }
    } else {
        // A ghost fire: pale blue, flickering.
        const int k = pose.back() - 'a';
        const int lean = k % 2 == 0 ? 1 : -1;
        const int base = floor - 8;
        const int tall = 14 + (k == 1 ? 3 : k == 3 ? -2 : 0);
        c.Polygon({{cx - 7, base + 4}, {cx + 7, base + 4}, {cx + 5, base - 4}, {cx + 2 * lean, base - tall}, {cx - 5, base - 3}},
                  kWater);
        c.Polygon({{cx - 5, base + 3}, {cx + 5, base + 3}, {cx + 3, base - 3}, {cx + 2 * lean, base - tall + 3}, {cx - 3, base - 2}},
                  kFoam);
        c.Disc(cx, base, 3, kWhite);
        // Its flickering tail reaches the ground it burns on.
        c.Line(cx, base + 4, cx - lean, floor, kWater);
    }
    c.Outline(kInk);
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

const Ramp kShroud{kWhite, kFoam, kMist};
const Ramp kShroudFar{kFoam, kMist, kSlate};
const Ramp kHair{kDusk, kNight, kInk};
const Ramp kPale{kWhite, kCream, kSand};

rig::Model MakeBigGhost() {
    rig::Model m;
    m.name = "big ghost";
    m.legend = Legend();
    m.AddBone(MakeBone("body", "", 21, 0, {0, 0}, 0));
    m.AddPart(CapsulePart("robe", "body", 0, kShroud, 12.0f, 16.0f, 0.0f, 0.9f));
    m.AddBone(MakeBone("tail1", "body", 9, 1, {0, 0}, -20));
    m.AddBone(MakeBone("tail2", "tail1", 7, 1, {0, 0}, -50));
    m.AddPart(CapsulePart("tail1", "tail1", -1, kShroud, 12.0f, 6.0f));
    m.AddPart(CapsulePart("tail2", "tail2", -2, kShroudFar, 6.0f, 1.5f));
    m.AddBone(MakeBone("head", "body", 8, 0, {3, -4}, 170));
    m.AddPart(EllipsePart("face", "head", 2, kPale, 8.0f, 9.0f, 0.5f));
    m.AddBone(enemies::Follow(MakeBone("hair", "head", 22, 0.9f, {-5, 0}, -20)));
    m.AddPart(CapsulePart("hair", "hair", 1, kHair, 10.0f, 6.0f));
    m.AddPart(CapsulePart("fringe", "head", 3, kHair, 6.5f, 4.0f, 0.95f, 1.15f));
    m.AddPart(enemies::SpritePart("eyes", "head", 4,
                                  {{"", Sprite{{"kk.kk", "r...r"}, {2, 0}}}, {"x", Sprite{{"k.k.k", ".k..."}, {2, 0}}}}, 0));
    m.FindPart("eyes")->from = 0.45f;
    m.AddPart(enemies::SpritePart("mouth", "head", 4, {{"", Sprite{{"kck"}, {1, 0}}}}, 0));
    m.FindPart("mouth")->from = 0.1f;
    // The ghost's hands, hanging limp at the wrists in front of it.
    m.AddBone(MakeBone("arm", "body", 14, 0.15f, {4, 0}, 70));
    m.AddBone(enemies::Follow(MakeBone("hand", "arm", 6, 1, {0, 0}, 0)));
    m.AddPart(CapsulePart("arm", "arm", 5, kShroud, 4.5f, 4.0f));
    m.AddPart(CapsulePart("hand", "hand", 6, kPale, 2.2f, 1.5f));
    m.AddBone(MakeBone("armF", "body", 13, 0.15f, {-1, 0}, 80));
    m.AddPart(CapsulePart("armF", "armF", -3, kShroudFar, 4.0f, 3.5f));
    // The triangular white cloth on the brow of the dead.
    m.AddPart(EllipsePart("cloth", "head", 5, kShroud, 3.0f, 2.0f, 1.05f));
    return m;
}

const enemies::PoseLine kGhostPoses[] = {
    {"drift_a", "root:30,10 place:centre tail1=-20 tail2=-60 hand=0"},
    {"drift_b", "root:30,10 place:centre tail1=-35 tail2=-80 arm=75 hand=10"},
    {"drift_c", "root:30,10 place:centre tail1=-15 tail2=-40 arm=65 hand=-5"},
    {"drift_d", "root:30,10 place:centre tail1=-5 tail2=-30 arm=72 hand=5"},
    {"vanish", "root:30,10 place:centre head=190 arm=120 armF=130 tail1=-40 tail2=-90 eyes:x"},
};

Canvas PaintBigGhost(const Layout& l, const Cell& c) {
    static const rig::Model ghost = MakeBigGhost();
    return enemies::DrawPose(ghost, enemies::FindPose(kGhostPoses, c.pose, "big ghost"), l, c);
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

const Ramp kShell{kLeaf, kGrass, kPine};
const Ramp kShellFar{kGrass, kPine, kPineDark};
const Ramp kIron{kStoneLight, kSlate, kNight};
const Ramp kKappaSkin{kLeaf, kGrass, kPine};
const Ramp kPlate{kFoam, kWater, kWaterDeep};

// The hull: a giant kappa shell, its plates ringed in gold, on a low
// wooden carriage; the wheels, the gunner and the guns are parts of their
// own.
Canvas PaintHull(const Layout& l, const Cell& cell) {
    Canvas c(l.cell.w, l.cell.h);
    const int cx = l.cell.centreX, cy = l.cell.centreY, floor = l.cell.floorY - 2;
    std::string pose = cell.pose;
    if (pose.rfind("second.", 0) == 0) pose = pose.substr(7);
    const int shake = pose == "warn" ? 1 : 0;
    // The shell dome, with the open hatch the gunner looks out of.
    c.Disc(cx + shake, cy + 4, 30, kPineDark);
    c.Disc(cx - 1 + shake, cy + 3, 29, kGrass);
    c.Disc(cx - 8 + shake, cy - 6, 12, kLeaf);
    for (int i = -2; i <= 2; ++i) {
        const int px = cx + i * 11 + shake, py = cy - 6 + std::abs(i) * 5;
        c.Ring(px, py, 5, kPine);
        c.Set(px, py, kGold);
    }
    c.Rect(0, cy + 5, l.cell.w, l.cell.h - cy - 5, kKey);
    c.Disc(cx - 5 + shake, cy - 13, 10, kKey);
    c.Ring(cx - 5 + shake, cy - 13, 10, kSand);
    // The cart under it: a plank body on its tread.
    ShadedPolygon(c, {{cx - 40, floor - 5}, {cx + 40, floor - 5}, {cx + 44, cy + 5}, {cx - 42, cy + 5}}, kCartWood);
    for (int y = cy + 10; y < floor - 6; y += 5) c.Line(cx - 40, y, cx + 41, y, kEarth);
    c.Rect(cx - 34, cy + 3, 69, 3, kSand);
    c.Disc(cx + 40, cy + 10, 4, kNight);
    if (pose == "fire") c.Disc(cx + 43, cy + 10, 3, kFoam);
    // Tread links, moving with the patrol's pictures.
    const int phase = pose == "patrol_b" ? 2 : pose == "patrol_c" ? 4 : 0;
    c.Rect(cx - 40, floor - 5, 81, 6, kNight);
    for (int x = -40 + phase; x < 40; x += 6) c.Rect(cx + x, floor - 4, 3, 4, kSlate);
    if (pose == "defeat") {
        c.Line(cx - 10, cy - 20, cx + 2, cy, kInk);
        c.Line(cx + 2, cy, cx - 4, cy + 6, kInk);
        c.Line(cx + 15, cy - 12, cx + 22, cy + 2, kInk);
    }
    c.Outline(kInk);
    return c;
}

// The parts: the kappa gunner with the water dish on its crown, the
// wheels, the cannon (its barrel up: the game turns it), the mortar of the
// second gun and a thrown plank of the wreck.
Canvas PaintTankPart(const Layout& l, const Cell& cell) {
    Canvas c(l.cell.w, l.cell.h);
    const int cx = l.cell.centreX, cy = l.cell.centreY;
    const std::string pose = cell.pose;
    if (pose.rfind("kappa", 0) == 0) {
        const int k = pose.back() - 'a';
        const int bob = k == 1 || k == 2 ? 1 : 0;
        ShadedDisc(c, cx, cy + 2 + bob, 8, kKappaSkin);
        c.Polygon({{cx + 5, cy + 2 + bob}, {cx + 12, cy + 4 + bob}, {cx + 5, cy + 6 + bob}}, kGold);
        c.Rect(cx - 7, cy - 7 + bob, 14, 3, kCream);
        c.Rect(cx - 5, cy - 8 + bob, 10, 2, pose == "kappa_stop" ? kStoneDark : kWater);
        Picture(c, cx + 1, cy - 1 + bob, k == 3 ? std::vector<std::string>{"kk.", "..."} : std::vector<std::string>{"kw.", "kk."});
        // Hands on the rim of the hatch.
        ShadedDisc(c, cx + 7, cy + 10, 2, kKappaSkin);
        ShadedDisc(c, cx - 6, cy + 10, 2, kKappaSkin);
    } else if (pose.rfind("wheel", 0) == 0) {
        const double turn = pose == "wheel_b" || pose == "wheel_d" ? kPi / 8 : 0;
        c.Disc(cx, cy, 10, kEarthDark);
        c.Disc(cx - 1, cy - 1, 9, kWood);
        c.Disc(cx, cy, 7, kEarthDark);
        c.Disc(cx, cy, 6, kWood);
        for (int i = 0; i < 4; ++i) {
            const double a = turn + i * kPi / 4;
            const int dx = static_cast<int>(std::lround(6 * std::sin(a))), dy = static_cast<int>(std::lround(6 * std::cos(a)));
            c.Line(cx - dx, cy - dy, cx + dx, cy + dy, kSand);
        }
        ShadedDisc(c, cx, cy, 3, kIron);
        if (pose == "wheel_stop") c.Line(cx - 10, cy - 6, cx + 8, cy + 8, kInk);
    } else if (pose == "cannon") {
        ShadedDisc(c, cx, cy + 3, 5, kIron);
        c.Rect(cx - 2, cy - 10, 5, 12, kNight);
        c.Rect(cx - 1, cy - 10, 3, 12, kSlate);
        c.Rect(cx - 3, cy - 11, 7, 2, kStoneLight);
        c.Set(cx, cy - 11, kWater);
    } else if (pose == "mortar") {
        ShadedDisc(c, cx - 2, cy + 6, 6, kIron);
        c.Polygon({{cx - 4, cy + 4}, {cx + 2, cy + 6}, {cx + 9, cy - 6}, {cx + 4, cy - 9}}, kSlate);
        c.Disc(cx + 7, cy - 8, 3, kNight);
    } else {
        // A plank of the wreck.
        c.Polygon({{cx - 10, cy - 3}, {cx + 10, cy - 5}, {cx + 11, cy}, {cx - 9, cy + 2}}, kWood);
        c.Line(cx - 9, cy - 3, cx + 10, cy - 5, kSand);
        c.Set(cx - 6, cy - 1, kInk);
        c.Set(cx + 7, cy - 2, kInk);
    }
    c.Outline(kInk);
    return c;
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
