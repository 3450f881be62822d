// The king tengu: a great mountain goblin in a pine-green ascetic's robe with
// gold pompoms on its sash, tan hakama and one-toothed clogs, a crimson face
// with a long nose, a white mane and beard under a small black cap, brown
// crow wings (folded on its back on the ground, spread in the air) and a
// white feather fan that throws its shots and gales.
//
// Its silhouette: the nose, the cap, the wings and the fan; its main
// colours: crimson face, white mane, pine green.
#include "Bosses.h"
#include "Palette.h"

namespace bosses {

namespace {

using rig::Bone;
using rig::CapsulePart;
using rig::EllipsePart;
using rig::MakeBone;
using rig::Model;
using rig::Part;
using rig::Ramp;

const Ramp kRobe{kGrass, kPine, kPineDark};
const Ramp kRobeFar{kPine, kPineDark, kInk};
const Ramp kHakama{kSand, kWood, kEarth};
const Ramp kHakamaFar{kWood, kEarth, kEarthDark};
const Ramp kFace{kCoral, kRed, kCrimson};
const Ramp kFaceFar{kRed, kCrimson, kNight};
const Ramp kMane{kWhite, kStoneLight, kStone};
const Ramp kCap{kDusk, kNight, kInk};
const Ramp kGoldRamp{kCream, kGold, kAmber};
const Ramp kClog{kWood, kEarth, kEarthDark};
const Ramp kWingNear{kWood, kEarth, kEarthDark};
const Ramp kWingFar{kEarth, kEarthDark, kInk};
const Ramp kFanBlade{kWhite, kCream, kSand};
const Ramp kFanGrip{kCoral, kRed, kCrimson};

Part Poly(const char* name, const char* bone, int layer, const Ramp& ramp, std::vector<rig::Vec> pts) {
    Part p;
    p.name = name;
    p.bone = bone;
    p.kind = rig::Kind::Poly;
    p.layer = layer;
    p.ramp = ramp;
    p.poly = std::move(pts);
    return p;
}

// A crow wing on the back: an arm bone (shoulder to wrist) and a hand bone;
// the coverts lie on both, the secondaries sit along the arm and the
// primaries along the hand, and all feathers keep their rest angles to the
// hand, so that `wingX2~K` folds them together (K near 0, the hand pointing
// down the back) or spreads them (1). Its rest pose is spread, up and back.
void AddWing(Model& m, const std::string& side, rig::Vec root, int layer, const Ramp& ramp, const Ramp& coverts) {
    const std::string w1 = "wing" + side + "1", w2 = "wing" + side + "2";
    m.AddBone(MakeBone(w1, "torso", 12, 0.95f, root, -125));
    m.AddBone(rig::FollowBone(w2, w1, 7, 1, {0, 0}, -160));
    m.AddPart(CapsulePart(w1, w1, layer + 2, coverts, 3.2f, 2.6f));
    m.AddPart(CapsulePart(w2, w2, layer + 2, coverts, 2.6f, 1.6f));
    struct Feather {
        bool onHand;
        float along, angle, length, r0;
    };
    // Rest angles: the primaries fan from up-and-back to straight back, the
    // secondaries on down the arm to the body.
    const Feather feathers[] = {
        {true, 1.00f, -174, 13, 2.0f},  {true, 0.78f, -154, 14, 2.3f},   {true, 0.52f, -134, 13.5f, 2.5f},
        {true, 0.22f, -114, 12.5f, 2.6f}, {false, 0.92f, -94, 11, 2.7f}, {false, 0.62f, -76, 10, 2.7f},
        {false, 0.32f, -58, 8.5f, 2.6f},
    };
    int i = 0;
    for (const Feather& f : feathers) {
        const std::string bone = "feather" + side + std::to_string(i++);
        Bone fb = rig::FollowBone(bone, f.onHand ? w2 : w1, f.length, f.along, {0, 0}, f.angle);
        fb.turnsWith = w2;
        m.AddBone(fb);
        m.AddPart(CapsulePart(bone, bone, layer + (f.onHand ? 0 : 1), ramp, f.r0, 0.5f, 0.05f, 1.0f));
    }
}

Model MakeKingTengu() {
    rig::Body b;
    b.torso = 12;
    b.hipWidth = 6.0f;
    b.chestWidth = 6.6f;
    b.upperArm = 5.6f;
    b.foreArm = 5.0f;
    b.armRadius = 2.4f;
    b.handRadius = 2.2f;
    b.shoulderDown = 2.6f;
    b.thigh = 6.4f;
    b.shin = 6.0f;
    b.legRadius = 3.0f;
    b.foot = 4.2f;
    b.footRadius = 1.7f;
    b.top = b.sleeve = kRobe;
    b.farSleeve = kRobeFar;
    b.legs = kHakama;
    b.farLegs = kHakamaFar;
    b.boots = kClog;
    b.farBoots = Ramp{kEarth, kEarthDark, kInk};
    b.gloves = kFace;
    b.farGloves = kFaceFar;
    Model m = rig::Humanoid("king tengu", b);
    // Wide sleeves: the forearms flare toward the wrist.
    m.FindPart("foreN")->r1 = 3.3f;
    m.FindPart("foreF")->r1 = 3.3f;
    m.FindPart("armN")->r0 = 2.8f;
    m.FindPart("armF")->r0 = 2.8f;
    // Hakama: wide at the knee, gathered at the ankle.
    for (const char* leg : {"legN", "legF"}) m.FindPart(leg)->r1 = 3.4f;
    for (const char* shin : {"shinN", "shinF"}) {
        m.FindPart(shin)->r0 = 3.4f;
        m.FindPart(shin)->r1 = 2.0f;
    }
    // One-toothed clogs.
    m.AddPart(CapsulePart("toothN", "footN", 4, kClog, 0.9f, 0.9f, 0.35f, 0.35f));
    m.AddPart(CapsulePart("toothF", "footF", -10, kClog, 0.9f, 0.9f, 0.35f, 0.35f));
    m.FindBone("footN")->length = 4.2f;

    // The robe's skirt over the hakama, the sash from the near shoulder and
    // its gold pompoms.
    Part skirt = Poly("skirt", "torso", 4, kRobe, {{-6.2f, -3.0f}, {6.4f, -3.0f}, {8.0f, 3.2f}, {-7.6f, 3.2f}});
    skirt.edge = true;
    m.AddPart(skirt);
    m.AddPart(Poly("sash", "torso", 6, kRobeFar, {{1.0f, -10.5f}, {4.0f, -10.0f}, {6.2f, -2.5f}, {3.6f, -2.0f}}));
    for (int i = 0; i < 3; ++i) {
        const std::string name = "pom" + std::to_string(i);
        m.AddBone(rig::FollowBone(name, "torso", 0, 0.78f - 0.26f * static_cast<float>(i),
                         {3.2f + 0.9f * static_cast<float>(i), 0}, 180));
        m.AddPart(EllipsePart(name, name, 7, kGoldRamp, 1.6f, 1.6f));
    }

    // The head: a crimson face with a long nose, a bushy white brow, a
    // beard and a mane in the wind, and a small black cap.
    Bone& head = *m.FindBone("head");
    head.length = 13;
    m.AddPart(EllipsePart("skull", "head", 8, kFace, 7.4f, 7.6f, 0.5f));
    m.AddBone(rig::FollowBone("nose", "head", 8.5f, 0.42f, {5.4f, 0}, 98));
    m.AddPart(CapsulePart("nose", "nose", 11, kFace, 2.3f, 1.4f));
    m.AddBone(rig::FollowBone("brow", "head", 5.5f, 0.72f, {-0.5f, 0}, 104));
    m.AddPart(CapsulePart("brow", "brow", 13, kMane, 1.6f, 1.1f));
    m.AddBone(rig::FollowBone("cap", "head", 0, 0.96f, {2.0f, 0}, 180));
    m.AddPart(Poly("cap", "cap", 14, kCap, {{-3.6f, 0.6f}, {3.4f, 0.6f}, {3.0f, -2.8f}, {0.0f, -5.4f}, {-3.0f, -3.0f}}));
    m.AddPart(Poly("cord", "cap", 15, kGoldRamp, {{-3.8f, -0.4f}, {3.6f, -0.4f}, {3.6f, 0.8f}, {-3.8f, 0.8f}}));
    const struct {
        const char* name;
        float along, x, len, wave, r0, r1;
    } locks[] = {
        {"maneA", 0.8f, -4.5f, 7.0f, 10, 3.4f, 2.8f},
        {"maneB", 0.5f, -5.5f, 7.0f, 12, 3.2f, 2.6f},
        {"maneC", 0.2f, -4.5f, 6.0f, 14, 2.8f, 2.0f},
    };
    for (const auto& l : locks) {
        const std::string a = std::string(l.name) + "1", c = std::string(l.name) + "2";
        m.AddBone(rig::TrailBone(a, "head", l.len, l.along, {l.x, 0}, l.wave, 10));
        m.AddBone(rig::TrailBone(c, a, l.len * 0.8f, 1, {0, 0}, l.wave, 10));
        m.AddPart(CapsulePart(a, a, -6, kMane, l.r0, l.r1));
        m.AddPart(CapsulePart(c, c, -6, kMane, l.r1, 0.8f));
    }
    m.AddBone(rig::TrailBone("beard1", "head", 4.5f, 0.1f, {3.6f, 0}, 8, 60));
    m.AddBone(rig::TrailBone("beard2", "beard1", 4.5f, 1, {0, 0}, 8, 60));
    m.AddBone(rig::TrailBone("beard3", "beard2", 3.5f, 1, {0, 0}, 8, 60));
    m.AddPart(CapsulePart("beard1", "beard1", 10, kMane, 2.6f, 2.4f));
    m.AddPart(CapsulePart("beard2", "beard2", 10, kMane, 2.4f, 1.6f));
    m.AddPart(CapsulePart("beard3", "beard3", 10, kMane, 1.6f, 0.5f));
    // The eye: a hand-drawn sprite with expressions, on the head bone.
    rig::Part& eye = *m.FindPart("head");
    eye.layer = 12;
    eye.sprites = {
        {"", rig::Sprite{{"kkkkk", "kwwak", "kwwkk", ".kkk."}, {-1.0f, 8.0f}}},
        {"wide", rig::Sprite{{".kkk.", "kwwak", "kwwak", "kwwwk", ".kkk."}, {-2.0f, 9.5f}}},
        {"hurt", rig::Sprite{{"kk...", "..kk.", "...kk", "..kk.", "kk..."}, {-2.0f, 9.5f}}},
        {"ko", rig::Sprite{{"k...k", ".k.k.", "..k..", ".k.k.", "k...k"}, {-2.0f, 9.5f}}},
        {"shut", rig::Sprite{{".....", "kkkkk", "....."}, {-2.0f, 8.5f}}},
    };
    m.legend = {{'k', kInk}, {'w', kCream}, {'a', kAmber}};

    // Wings on the back: the far one behind everything, the near one in
    // front of it but still behind the body.
    AddWing(m, "F", {-5.5f, 0}, -40, kWingFar, kWingFar);
    AddWing(m, "N", {-4.5f, 0}, -30, kWingNear, Ramp{kSand, kWood, kEarth});

    // The feather fan in the near hand.
    m.AddBone(rig::FollowBone("fan", "handN", 12, 1, {0, 0}, 160));
    m.AddPart(CapsulePart("grip", "fan", 14, kFanGrip, 0.8f, 0.8f, -0.05f, 0.3f));
    m.AddPart(EllipsePart("blade", "fan", 15, kFanBlade, 4.4f, 4.6f, 0.66f));
    m.AddPart(CapsulePart("spine", "fan", 16, kGoldRamp, 0.5f, 0.4f, 0.3f, 0.95f));
    // A ball of wind gathered behind the fan before a strong throw, in two
    // sizes for the flicker of a charge.
    for (const auto& [name, r] : {std::pair{"glow", 5.5f}, std::pair{"glow2", 6.8f}}) {
        Part g = EllipsePart(name, "fan", 14, Ramp{kWhite, kFoam, kWater}, r, r, 0.7f);
        g.hidden = true;
        m.AddPart(g);
    }
    // Two veins that show the blade is made of feathers.
    for (int side : {-1, 1}) {
        const std::string vein = side < 0 ? "veinL" : "veinR";
        m.AddBone(rig::FollowBone(vein, "fan", 7.5f, 0.32f, {0, 0}, 160.0f + 26.0f * static_cast<float>(side)));
        Part v = CapsulePart(vein, vein, 16, Ramp{kSand, kSand, kSand}, 0.4f, 0.3f, 0.1f, 1.0f);
        v.shade = false;
        m.AddPart(v);
    }
    return m;
}

}  // namespace

const Cast& KingTengu() {
    static const Cast cast{
        MakeKingTengu(),
        "root torso head armN foreN armF foreF legN shinN footN legF shinF footF wingN1 wingN2 wingF1 wingF2 wingN2~ wingF2~ fan",
        {
            // clang-format off
//                  root   torso  head  armN foreN  armF foreF  legN shinN footN  legF shinF footF wngN1 wngN2 wngF1 wngF2 openN openF   fan
// On the ground, wings half raised behind.
{"stand",          "25,49    175   180    30    70   -25    20    20    -5    90   -15    -5    88  -140  -175  -150  -185   0.8   0.8   150", "wind:-60"},
{"hurt",           "25,49    198   200   -60   -30   -80   -60    40    30    70   -20   -30    80  -160  -195  -170  -205   0.9   0.9  -100", "face:hurt wind:80"},
{"shot_wind_a",    "25,49    186   186   -90  -120    60   100    50   -10    90   -30   -10    88  -138  -172  -148  -182   0.8   0.8  -130", "face:wide show:glow wind:-45"},
{"shot_wind_b",    "25,49    187   188   -98  -130    62   104    50   -10    90   -30   -10    88  -142  -178  -152  -188   0.9   0.9  -135", "face:wide show:glow2 wind:-50 phase:120"},
{"shot",           "25,49    162   166    75    65   -60   -40    50    -5    90   -45   -20    80  -130  -160  -140  -170   0.8   0.8    65", "wind:-60"},
{"aim_wind_a",     "25,49    180   185   150   170   -30    10    25    -8    90   -18    -6    88  -140  -175  -150  -185   0.8   0.8   180", "wind:-40"},
{"aim_wind_b",     "25,49    178   183   110   130   -30    10    25    -8    90   -18    -6    88  -140  -172  -150  -182   0.8   0.8   130", "wind:-45 phase:150"},
{"aim_a",          "25,49    169   172    95    80   -40   -10    40   -10    90   -25   -15    85  -138  -172  -148  -182   0.8   0.8    85", "wind:-80"},
{"aim_b",          "25,49    160   168    75    60   -40   -10    40   -10    90   -25   -15    85  -136  -170  -146  -180   0.8   0.8    55", "wind:-80 phase:120"},
{"ring",           "25,49    190   195   125   135  -130  -150    30   -10    90   -30   -10    88  -150  -190  -160  -200   1.0   1.0   150", "face:wide show:glow wind:-40"},
{"ring_hold",      "25,49    178   178    50   160   -20    30    20    -5    90   -15    -5    88  -145  -178  -155  -188   0.7   0.7   180", "face:shut wind:-50"},
{"gust_a",         "25,49    185   185   160   175   -30    10    25    -8    90   -20    -5    88  -140  -175  -150  -185   0.8   0.8   170", "wind:60"},
{"gust_b",         "25,49    155   165    75    45   -40   -10    40   -10    90   -25   -15    85  -136  -170  -146  -180   0.8   0.8    40", "wind:80 phase:120"},
// In the air, the body on the anchor.
{"leap",           "25,49    165   170   -30    10   -50   -20    80   -10    80    30   -60    70  -160  -175  -170  -180   1.0   1.0  -150", "place:hip wind:10"},
{"hang",           "25,49    180   188   170   200   -60   -40    70   -20    80    20   -50    70  -155  -165  -165  -180   0.9   0.9   215", "place:hip face:wide wind:-80"},
{"fan",            "25,49    162   166    70    35   -40   -60    70   -10    80    20   -50    70  -150  -160  -160  -175   1.0   1.0    25", "place:hip wind:-100"},
{"fall",           "25,49    175   180    50    90   -60   -40    30   -10    90   -10   -20    85  -175  -190  -185  -200   1.0   1.0   120", "place:hip wind:170"},
{"flung",          "25,49    220   230   140   180  -150  -180    60    40    60   -40   -60    40  -170  -200  -180  -210   0.5   0.5   200", "place:hip face:ko wind:150"},
// The second form, hovering: wings spread, the body on the anchor.
{"defeat",         "33,45    210   222    80   140  -120  -160    40    30    60   -20   -40    60  -175  -150  -190  -170   0.6   0.6   210", "place:hip face:hurt wind:100"},
{"rise_a",         "33,45    175   172   120   140  -120  -140    40   -30    60     0   -50    50  -134  -160  -170  -202   1.0   1.0   180", "place:hip face:wide wind:10"},
{"rise_b",         "33,45    176   173   115   135  -115  -135    40   -30    60     0   -50    50  -124  -114  -148  -145  0.85  0.85   175", "place:hip face:wide wind:15 phase:120"},
{"hover_a",        "33,45    175   180    40    90   -40   -10    30   -20    70   -10   -40    60  -132  -158  -168  -200   1.0   1.0   130", "place:hip wind:-50"},
{"hover_b",        "33,45    174   180    35    85   -40   -10    35   -15    70    -5   -35    60  -124  -112  -148  -145  0.85  0.85   125", "place:hip wind:-40 phase:150"},
{"back_a",         "33,45    195   195    50   150   -30    20    50   -10    70    20   -40    60  -165  -200  -185  -220   1.0   1.0   180", "place:hip wind:-20"},
{"back_b",         "33,45    196   197    52   152   -30    20    50   -10    70    20   -40    60  -160  -194  -180  -214  0.95  0.95   182", "place:hip wind:-25 phase:120"},
{"fly_a",          "33,45    105   120    40    80   -80   -60  -110  -120    30  -100  -110    40  -165  -200  -185  -220   1.1   1.1   120", "place:hip wind:-90"},
{"fly_b",          "33,45    105   118    80    60   -80   -60  -110  -120    30  -100  -110    40   -95   -75  -110   -95   1.0   1.0    50", "place:hip wind:-95 phase:120"},
{"gale_a",         "33,45    190   190   170   200   -40   -10    30   -20    70   -10   -40    60  -132  -158  -168  -200   1.0   1.0   225", "place:hip face:wide wind:-60"},
{"gale_b",         "33,45    160   165    80    50   -40   -10    30   -20    70   -10   -40    60  -110   -95  -130  -120   1.0   1.0    30", "place:hip wind:-100 phase:120"},
{"charge_a",       "33,45    185   185   165   180   -60   -30    30   -20    70   -10   -40    60  -140  -180  -165  -205   1.2   1.2   185", "place:hip face:wide show:glow wind:-40"},
{"charge_b",       "33,45    186   186   163   178   -60   -30    30   -20    70   -10   -40    60  -137  -176  -162  -200   1.2   1.2   182", "place:hip face:wide show:glow2 wind:-45 phase:90"},
{"fire",           "33,45    160   165    90    80   -60   -40    30   -20    70   -10   -40    60  -125  -130  -145  -155   1.0   1.0    70", "place:hip face:wide wind:-90"},
{"fire_hold",      "33,45    185   185   120   130   -50   -20    30   -20    70   -10   -40    60  -134  -160  -168  -200   1.0   1.0   150", "place:hip wind:-60 phase:90"},
// The final fall, head first and limp.
{"fall_a",         "32,30     20    15   170   180   190   200   170   180    90   190   200    90  -200  -230  -190  -220   0.4   0.4   190", "place:hip face:ko wind:180"},
{"fall_b",         "32,30     25    20   160   170   200   215   165   175    90   195   205    90  -195  -220  -185  -210   0.5   0.5   180", "place:hip face:ko wind:175 phase:120"},
            // clang-format on
        }};
    return cast;
}

}  // namespace bosses
