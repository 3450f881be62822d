// The shooting yokai: texture slot 39 (resource 140), 256 x 256, 40 x 40
// cells.
//
//  fox     an orange three-tailed kitsune with white-tipped tails and black
//          stockings, sitting; it rears up to cast its fox-fire
//  spider  a dark brown tsuchigumo with a gold-banded abdomen and red eyes,
//          hanging on its thread
//  priest  a zen priest with a shaved head, a black koromo to his ankles, a
//          saffron kesa over one shoulder, straw sandals and wooden prayer
//          beads; he casts his prayer lights with an opened folding fan
//
//  cells (row y, from x = 0 in steps of 40):
//   0    fox_sit_a fox_sit_b fox_crouch fox_cast fox_hurt
//   40   spider_a spider_b spider_aim spider_burst spider_hurt
//   80   priest_walk_a priest_walk_b priest_walk_c priest_walk_d priest_jump priest_stand
//   120  priest_pray_a priest_pray_b priest_hurt
// Their shots (fox-fire, web balls, prayer lights) are the shared shots
// sheet's.
#include <cmath>

#include "Enemies.h"
#include "Palette.h"

ART_SHEET(140, "fox-spider-priest") { return PaintedSheet(140); }

namespace {

using enemies::HumanPose;
using rig::CapsulePart;
using rig::EllipsePart;
using rig::MakeBone;
using rig::Ramp;
using rig::Sprite;

// --- The fox -------------------------------------------------------------------

const Ramp kFur{kGold, kAmber, kCoral};
const Ramp kStockings{kEarth, kEarthDark, kInk};
const Ramp kWhiteFur{kWhite, kCream, kSand};

rig::Model MakeFox() {
    rig::Model m;
    m.name = "fox";
    m.legend = {{'o', kAmber}, {'O', kCoral}, {'w', kWhite}, {'k', kInk}, {'r', kRose}};
    m.AddBone(MakeBone("body", "", 7, 0, {0, 0}, 150));
    m.AddBone(MakeBone("neck", "body", 2, 1, {0, 0}, 120));
    m.AddBone(MakeBone("legN", "body", 7, 0.75f, {0.5f, 0}, 5));
    m.AddBone(MakeBone("legF", "body", 7, 0.7f, {-0.5f, 0}, -5));
    m.AddBone(MakeBone("tail1", "body", 9, 0, {-1, 0}, -115));
    m.AddBone(MakeBone("tail2", "body", 10, 0, {-1, 0}, -145));
    m.AddBone(MakeBone("tail3", "body", 8, 0, {-1, 0}, -90));
    for (const char* t : {"tail1", "tail2", "tail3"}) {
        m.AddPart(CapsulePart(t, t, -3, kFur, 1.6f, 2.2f, 0, 0.7f));
        m.AddPart(CapsulePart(std::string(t) + "tip", t, -3, kWhiteFur, 2.2f, 0.8f, 0.7f, 1));
    }
    m.AddPart(CapsulePart("legF", "legF", -2, kStockings, 0.9f, 0.8f));
    m.AddPart(EllipsePart("haunch", "body", -1, kFur, 3.4f, 3.8f, 0.05f));
    m.AddPart(CapsulePart("body", "body", 0, kFur, 3.2f, 2.4f));
    m.AddPart(EllipsePart("chest", "body", 1, kWhiteFur, 1.6f, 2.6f, 0.7f));
    m.AddPart(CapsulePart("legN", "legN", 2, kStockings, 1.0f, 0.9f));
    auto head = [](const char* eye, const char* mouth) {
        return Sprite{{"..k..k....", ".kOk.kOk..", ".oooooooo.", std::string(".oo") + eye + "ooo..",
                       "oooooooowwk", std::string(".oooow") + mouth, "..www....."},
                      {3, 6}};
    };
    m.AddPart(enemies::SpritePart("head", "neck", 4,
                                  {{"", head("kk", "wwww")}, {"shout", head("kk", "kkrk")}, {"hurt", head("kk", "w.w.")}}));
    m.FindPart("head")->from = 1;
    return m;
}

// --- The spider ------------------------------------------------------------------

rig::Model MakeSpider() {
    rig::Model m;
    m.name = "spider";
    m.legend = {{'r', kRed}, {'k', kInk}, {'y', kGold}};
    m.AddBone(MakeBone("body", "", 5, 0, {0, 0}, -90));
    m.AddBone(MakeBone("silk", "body", 20, 0, {0, 0}, 180));
    m.AddBone(MakeBone("spinneret", "body", 0.1f, 0, {0, 0}, 180));
    // The legs are too thin to show a lit side: the near ones brown through,
    // the far ones in shadow.
    const Ramp near{kEarth, kEarthDark, kEarthDark};
    const Ramp far{kEarthDark, kNight, kNight};
    // Four legs a side, each a thigh rising from the body and a shin down.
    const float thighs[4] = {130, 105, -105, -130};
    const float shins[4] = {60, 30, -30, -60};
    for (int i = 0; i < 4; ++i) {
        for (const char* side : {"N", "F"}) {
            const bool n = side[0] == 'N';
            const std::string a = std::string("leg") + side + std::to_string(i);
            const std::string b = a + "s";
            const float t = thighs[i] + (n ? 0 : (thighs[i] > 0 ? -12 : 12));
            m.AddBone(MakeBone(a, "body", 7, 0.1f, {0, n ? 0.8f : -0.8f}, t));
            m.AddBone(enemies::Follow(MakeBone(b, a, 8, 1, {0, 0}, shins[i] + (t - thighs[i]))));
            m.AddPart(CapsulePart(a, a, n ? 3 : -3, n ? near : far, 1.1f, 0.9f));
            m.AddPart(CapsulePart(b, b, n ? 3 : -3, n ? near : far, 0.9f, 0.5f));
        }
    }
    rig::Part silk;
    silk.name = "silk";
    silk.bone = "spinneret";
    silk.kind = rig::Kind::Line;
    silk.target = "silk";
    silk.layer = -5;
    silk.ramp = Ramp{kWhite, kStoneLight, kStone};
    silk.outline = false;
    m.AddPart(silk);
    m.AddPart(EllipsePart("abdomen", "body", 0, Ramp{kEarth, kEarthDark, kNight}, 4.4f, 4.2f, 1.1f));
    m.AddPart(enemies::SpritePart("bands", "body", 1, {{"", Sprite{{".yyy.", "y...y", ".yyy.", "y...y"}, {2, 1.5f}}}}));
    m.FindPart("bands")->from = 1.2f;
    m.AddPart(EllipsePart("head", "body", 2, Ramp{kEarth, kEarthDark, kNight}, 2.6f, 2.4f, -0.1f));
    m.AddPart(enemies::SpritePart("eyes", "body", 4,
                                  {{"", Sprite{{"r.r", ".rr", "r.."}, {0, 1}}}, {"hurt", Sprite{{"k.k", ".k.", "k.k"}, {0, 1}}}}));
    m.FindPart("eyes")->from = -0.5f;
    return m;
}

// Every leg's thigh angle, near then far, four a side.
std::string Legs(float front, float mid, float back, float wiggle) {
    std::string s;
    const float t[4] = {front, mid, -mid + wiggle, -back};
    for (int i = 0; i < 4; ++i) {
        s += " legN" + std::to_string(i) + "=" + std::to_string(static_cast<int>(t[i] + (i % 2 ? wiggle : -wiggle)));
        s += " legF" + std::to_string(i) + "=" +
             std::to_string(static_cast<int>(t[i] + (t[i] > 0 ? -12 : 12) + (i % 2 ? -wiggle : wiggle)));
    }
    return s;
}

// --- The zen priest -------------------------------------------------------------------

const Ramp kRobe{kStone, kStoneDark, kNight};
const Ramp kRobeFar{kStoneDark, kNight, kInk};
const Ramp kKesa{kGold, kAmber, kCoral};
const Ramp kBare{kCream, kSkin, kSand};

// The shaved head faces right; its pivot is the neck. b skin, c the light
// on the scalp, z its shade, e the ear, B the heavy brow, k the eye, n the
// nose, m the mouth (M open in a chant).
std::map<std::string, Sprite> PriestHeads() {
    auto make = [](const char* brow, const char* eye, const char* mouth) {
        return Sprite{{"...cccc....", "..ccbbbbb..", ".ccbbbbbbb.", std::string(".cbbbb") + brow,
                       std::string(".cebbb") + eye, ".beebbbbbbn", std::string(".bbbbbb") + mouth,
                       "..bbbbbbz..", "...zzzzz..."},
                      {4, 8}};
    };
    return {{"", make("bBBBb", "bbkbb", "bmzb.")},
            {"pray", make("bBBBb", "bbkkb", "bmzb.")},
            {"chant", make("bBBBb", "bbkkb", "bMMb.")},
            {"hurt", make("BBbBB", "bkbkb", "bMMb.")}};
}

// The folding fan, drawn as it shows on screen (it does not turn with the
// hand): `spread` degrees either side of `tilt` (0 upright, more leans it
// forward, away from his face), paper between radius 3
// and 7 from the rivet at the pivot, ribs every 20 degrees, the red sun in
// the middle; the handle below the rivet. P paper, p ribs and rim, R the
// sun, w the handle.
Sprite FanSprite(float spread, float tilt) {
    const int w = 16, h = 15;
    const float px = 4.5f, py = 7.5f;
    std::vector<std::string> rows(static_cast<size_t>(h), std::string(static_cast<size_t>(w), '.'));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float dx = static_cast<float>(x) + 0.5f - px, dy = py - (static_cast<float>(y) + 0.5f);
            const float r = std::sqrt(dx * dx + dy * dy);
            const float a = std::atan2(dx, dy) * 180.0f / 3.14159265f - tilt;
            char& c = rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
            if (r <= 7.3f && std::fabs(a) <= spread + 4) {
                if (r < 2.2f) c = 'w';
                else if (r > 6.4f) c = 'p';
                else if (std::fabs(a) < 14 && r > 3.4f && r < 5.6f && spread > 30) c = 'R';
                else if (std::fmod(std::fabs(a) + 10, 20.0f) < 3.5f) c = 'p';
                else c = 'P';
            }
        }
    return Sprite{rows, {4, 7}};
}

rig::Model MakePriest() {
    rig::Body b;
    b.torso = 6.0f;
    b.hipWidth = 3.2f;
    b.chestWidth = 3.2f;
    b.upperArm = 3.0f;
    b.foreArm = 2.8f;
    b.armRadius = 1.5f;
    b.handRadius = 1.1f;
    b.thigh = 3.6f;
    b.shin = 3.4f;
    b.legRadius = 1.5f;
    b.foot = 2.8f;
    b.footRadius = 1.2f;
    b.top = b.sleeve = kRobe;
    b.legs = Ramp{kStoneDark, kNight, kInk};
    b.farSleeve = kRobeFar;
    b.farLegs = Ramp{kNight, kInk, kInk};
    // White tabi in straw sandals.
    b.boots = Ramp{kWhite, kCream, kSand};
    b.farBoots = Ramp{kCream, kSand, kWood};
    b.gloves = b.farGloves = kBare;
    b.head = PriestHeads().at("");
    rig::Model m = rig::Humanoid("zen priest", b);
    m.FindPart("head")->sprites = PriestHeads();
    m.legend = {{'c', kCream}, {'k', kInk}, {'b', kSkin}, {'z', kSand}, {'e', kSand}, {'B', kEarthDark},
                {'n', kSkin}, {'m', kWood}, {'M', kCrimson}, {'P', kWhite}, {'p', kSand}, {'R', kRed},
                {'w', kEarth}, {'g', kGold}, {'G', kWhite}};
    // The black koromo falls past his knees; below its flared hem the dark
    // underrobe parts over his stepping feet in their white tabi.
    m.AddBone(enemies::Follow(MakeBone("robe", "torso", 4.0f, 0, {0, 0.2f}, 0)));
    rig::Part robe = CapsulePart("robe", "robe", 4, kRobe, 3.2f, 4.0f);
    robe.edge = true;
    m.AddPart(robe);
    m.AddPart(enemies::Flat(EllipsePart("hem", "robe", 5, Ramp{kStone, kStone, kStone}, 4.0f, 0.45f, 1.0f)));
    m.FindPart("hem")->outline = false;
    // The saffron kesa over the far shoulder, down across the chest to the
    // near hip, and its ring.
    m.AddBone(enemies::Follow(MakeBone("kesaB", "torso", 0, 0.5f, {0.2f, 0}, 180)));
    m.AddPart(enemies::PolyPart("kesa", "kesaB", 5, kKesa,
                                {{-3.3f, -4.2f}, {-0.8f, -4.2f}, {3.4f, 1.6f}, {3.4f, 4.6f}, {1.2f, 4.6f}, {-3.3f, -0.6f}}));
    m.AddPart(enemies::Flat(EllipsePart("ring", "torso", 6, Ramp{kCream, kGold, kAmber}, 0.7f, 0.7f, 0.7f)));
    // The string of beads in the far hand, and the folding fan in the near
    // hand: shut at his side, half open as he raises it, spread wide as he
    // casts, with the glints of his prayer lights about it.
    m.AddPart(enemies::Flat(EllipsePart("beads", "handF", 12, Ramp{kWood, kWood, kEarth}, 1.6f, 1.0f, 0.5f)));
    m.AddPart(enemies::Hidden(enemies::SpritePart(
        "fan", "handN", 16, {{"", FanSprite(60, 75)}, {"half", FanSprite(22, 20)}, {"shut", FanSprite(4, 0)}}, 360)));
    rig::Part glint = enemies::Hidden(enemies::SpritePart(
        "glint", "handN", 17,
        {{"", Sprite{{"...........G...", "..........GgG..", "...G.......G...", "..GgG..........", "...G.......G...",
                      "..............g", "..........G....", ".........GgG...", "..........G...."},
                     {3, 4}}}},
        360));
    glint.outline = false;
    m.AddPart(glint);
    return m;
}

// clang-format off
const HumanPose kPriestPoses[] = {
//  name             hip x   y   torso head   armN foreN  armF foreF   legN shinN footN  legF shinF footF  extra
  {"priest_walk_a",  20, 24,   168, 174,    -5,  60,   35,  95,     40,  -5,  95,   -30, -15,  80,   "front:head,footN,footF"},
  {"priest_walk_b",  20, 23,   172, 178,    35,  95,    0,  55,     15, -45,  60,     0,   0,  90,   "front:head,footN,footF"},
  {"priest_walk_c",  20, 24,   171, 178,    45, 105,  -10,  50,    -30, -15,  80,    40,  -5,  95,   "front:head,footN,footF"},
  {"priest_walk_d",  20, 23,   174, 174,    10,  65,   30,  95,      0,   0,  90,    15, -45,  60,   "face:pray front:head,footN,footF"},
  {"priest_jump",    20, 24,   172, 178,   -60, -20,   90, 140,     90, -10,  70,    50, -50,  50,   "place:hip"},
  {"priest_stand",   20, 24,   178, 180,    25,  95,   15,  85,     10,  -5,  90,    -8,  -5,  90,   "face:pray front:head"},
  {"priest_pray_a",  19, 24,   178, 182,   105, 160,   55, 145,     10,  -5,  90,    -8,  -5,  90,   "face:pray show:fan fan:half front:head,fan"},
  {"priest_pray_b",  16, 24,   168, 176,    90,  85,   60, 155,     18,  -5,  90,   -14,  -5,  90,   "face:chant show:fan,glint front:head,fan"},
  {"priest_hurt",    20, 24,   205, 200,    70, 120,  110, 150,     40,  20,  60,   -15, -30,  70,   "place:hip face:hurt"},
};
// clang-format on

// --- Poses and the layout -----------------------------------------------------------------

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

const std::string kHang = "root:20,22 place:hip";

const KindPose kPoses[] = {
    {"fox_sit_a", Cached<MakeFox>, "root:18,26 body=165 neck=135 legN=-5 legF=0 tail1=-95 tail2=-125 tail3=-150"},
    {"fox_sit_b", Cached<MakeFox>, "root:18,26 body=162 neck=122 legN=-5 legF=0 tail1=-80 tail2=-120 tail3=-165"},
    {"fox_crouch", Cached<MakeFox>, "root:18,26 body=125 neck=100 legN=30 legF=20 legN*0.8 legF*0.8 tail1=-100 tail2=-125 tail3=-80"},
    {"fox_cast", Cached<MakeFox>, "root:18,26 body=165 neck=145 legN=60 legF=-5 tail1=-150 tail2=-180 tail3=-120 face:shout"},
    {"fox_hurt", Cached<MakeFox>, "root:18,24 place:centre body=205 neck=200 legN=80 legF=40 tail1=-60 tail2=-90 tail3=-40 face:hurt"},
    {"spider_a", Cached<MakeSpider>, kHang + Legs(130, 105, 130, 0)},
    {"spider_b", Cached<MakeSpider>, kHang + Legs(130, 105, 130, 10)},
    {"spider_aim", Cached<MakeSpider>, kHang + " body=-110" + Legs(160, 120, 120, 0)},
    {"spider_burst", Cached<MakeSpider>, kHang + " body=-80" + Legs(110, 90, 110, 0)},
    {"spider_hurt", Cached<MakeSpider>, kHang + " body=-60 eyes:hurt" + Legs(165, 145, 160, 15)},
};

Canvas PaintShooters(const Layout& l, const Cell& c) {
    for (const KindPose& p : kPoses)
        if (c.pose == std::string(p.name)) return enemies::DrawPose(p.model(), p.words, l, c);
    return enemies::DrawPose(Cached<MakePriest>(), enemies::FindPose(kPriestPoses, c.pose, "shooters"), l, c);
}

const Layout kShootersLayout{140, 39, "shooters_slot39", {
    {"fox_sit_a", "220 230 250", 0, 0, Anchor::Body},
    {"fox_sit_b", "231", 40, 0, Anchor::Body},
    {"fox_crouch", "232 251", 80, 0, Anchor::Body},
    {"fox_cast", "233 252", 120, 0, Anchor::Body},
    {"fox_hurt", "10 110 111", 160, 0, Anchor::Centre},
    {"spider_a", "220 230 236 250", 0, 40, Anchor::Centre},
    {"spider_b", "231 237 251", 40, 40, Anchor::Centre},
    {"spider_aim", "232 234 238 240 252 254", 80, 40, Anchor::Centre},
    {"spider_burst", "233 235 239 241 253 255", 120, 40, Anchor::Centre},
    {"spider_hurt", "10 110 111", 160, 40, Anchor::Centre},
    {"priest_walk_a", "230", 0, 80, Anchor::Body},
    {"priest_walk_b", "231", 40, 80, Anchor::Body},
    {"priest_walk_c", "232", 80, 80, Anchor::Body},
    {"priest_walk_d", "233", 120, 80, Anchor::Body},
    {"priest_jump", "234", 160, 80, Anchor::Centre},
    {"priest_stand", "220 250", 200, 80, Anchor::Body},
    {"priest_pray_a", "235 251", 0, 120, Anchor::Body},
    {"priest_pray_b", "236 252", 40, 120, Anchor::Body},
    {"priest_hurt", "10 110 111", 80, 120, Anchor::Centre},
}, 256, {}, PaintShooters};
ART_LAYOUT(kShootersLayout);

const Review kShootersReview{"shooters", {140}, {
    {"fox 230", {{"fox_sit_a", 8}, {"fox_sit_b", 8}, {"fox_sit_a", 8}, {"fox_crouch", 8}, {"fox_cast", 32}, {"fox_hurt", 20}}},
    {"spider 230", {{"spider_a", 8}, {"spider_b", 8}, {"spider_aim", 8}, {"spider_burst", 12}, {"spider_aim", 8}, {"spider_burst", 12}, {"spider_hurt", 20}}},
    {"priest 230", {{"priest_walk_a", 6}, {"priest_walk_b", 6}, {"priest_walk_c", 6}, {"priest_walk_d", 6}, {"priest_jump", 12}, {"priest_pray_a", 6}, {"priest_pray_b", 6}, {"priest_stand", 10}, {"priest_hurt", 20}}},
}, {{"fox_sit_a", 0}, {"fox_cast", 0}, {"spider_a", 0}, {"priest_walk_a", 0}, {"priest_pray_a", 0}}};
ART_REVIEW(kShootersReview);

}  // namespace
