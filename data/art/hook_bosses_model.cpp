// The three bosses of the first fights, each its own shape and colours:
//
// - the ghost: a tall pale spirit in a pale blue burial kimono with a violet
//   sash, a long black mane that streams behind it, a white triangle on its
//   brow, hands drooping forward and no legs: the kimono tapers into a
//   wisp; violet ghost fires circle it when it calls the rain. Silhouette:
//   the teardrop body and the mane; colours: pale blue, violet, black.
// - the one-eyed monster: a hulking, hunched giant with slate-blue skin, a
//   single great amber eye, one bone horn, a shock of dark hair, a tiger-skin
//   loincloth and fists as big as its head. Silhouette: the hunch, the horn,
//   the long arms; colours: slate blue, amber, cream.
// - the tengu: a lean crow goblin in a violet robe over grey hakama, a black
//   crow's head with a gold beak under a small cap, black wings and a green
//   leaf fan. Silhouette: the beak, the wings, the fan; colours: black,
//   violet, gold, leaf green.
#include "HookBosses.h"

#include "Palette.h"

namespace bosses {

namespace {

using rig::Bone;
using rig::CapsulePart;
using rig::EllipsePart;
using rig::FollowBone;
using rig::MakeBone;
using rig::Model;
using rig::Part;
using rig::Ramp;
using rig::TrailBone;

// Every length of these figures is drawn this much larger than the numbers
// below say: they tower over the player.
float gScale = 1.0f;
float Sc(float v) { return v * gScale; }
rig::Vec Sc(rig::Vec v) { return {v.x * gScale, v.y * gScale}; }
Bone Bn(const std::string& name, const std::string& parent, float length, float along, rig::Vec offset, float angle) {
    return MakeBone(name, parent, Sc(length), along, Sc(offset), angle);
}
Bone FBn(const std::string& name, const std::string& parent, float length, float along, rig::Vec offset, float angle) {
    return FollowBone(name, parent, Sc(length), along, Sc(offset), angle);
}
Part Cap(const std::string& name, const std::string& bone, int layer, const Ramp& ramp, float r0, float r1,
         float from = 0, float to = 1) {
    return CapsulePart(name, bone, layer, ramp, Sc(r0), Sc(r1), from, to);
}
Part Ell(const std::string& name, const std::string& bone, int layer, const Ramp& ramp, float across, float along,
         float at = 0) {
    return EllipsePart(name, bone, layer, ramp, Sc(across), Sc(along), at);
}

rig::Body Scaled(rig::Body b) {
    for (float* f : {&b.torso, &b.hipWidth, &b.chestWidth, &b.upperArm, &b.foreArm, &b.armRadius, &b.thigh, &b.shin,
                     &b.legRadius, &b.foot, &b.footRadius, &b.handRadius, &b.shoulderDown})
        *f = Sc(*f);
    return b;
}

Part Poly(const char* name, const char* bone, int layer, const Ramp& ramp, std::vector<rig::Vec> pts) {
    Part p;
    p.name = name;
    p.bone = bone;
    p.kind = rig::Kind::Poly;
    p.layer = layer;
    p.ramp = ramp;
    for (rig::Vec& v : pts) v = Sc(v);
    p.poly = std::move(pts);
    return p;
}

Part FacePart(int layer, std::map<std::string, rig::Sprite> sprites) {
    Part p;
    p.name = "head";
    p.bone = "head";
    p.kind = rig::Kind::Sprite;
    p.layer = layer;
    p.sprites = std::move(sprites);
    return p;
}

// A chain of trailing bones with tapering capsules: hair, a wisp, a tail.
void AddTrail(Model& m, const std::string& name, const std::string& parent, int links, float length, float along,
              rig::Vec offset, float wave, float sag, int layer, const Ramp& ramp, float r0, float r1) {
    std::string prev = parent;
    for (int i = 0; i < links; ++i) {
        const std::string bone = name + std::to_string(i + 1);
        m.AddBone(TrailBone(bone, prev, Sc(length), i == 0 ? along : 1, Sc(i == 0 ? offset : rig::Vec{0, 0}), wave, sag));
        const float a = r0 + (r1 - r0) * static_cast<float>(i) / static_cast<float>(links);
        const float b = r0 + (r1 - r0) * static_cast<float>(i + 1) / static_cast<float>(links);
        m.AddPart(CapsulePart(bone, bone, layer, ramp, Sc(a), Sc(b)));
        prev = bone;
    }
}

// --- The ghost -------------------------------------------------------------------

const Ramp kShroud{kWhite, kFoam, kMist};
const Ramp kShroudFar{kFoam, kMist, kSlate};
const Ramp kGhostSkin{kFoam, kMist, kSlate};
const Ramp kMane{kDusk, kNight, kInk};
const Ramp kSashRamp{kViolet, kMauve, kDusk};
const Ramp kGhostFire{kWhite, kFoam, kViolet};

Model MakeGhost() {
    gScale = 1.4f;
    Model m;
    m.name = "ghost";
    // The kimono rises from the root (its waist), the head on top; the
    // sleeves hang from the shoulders; the wisp trails from the waist.
    m.AddBone(Bn("body", "", 12, 0, {0, 0}, 180));
    m.AddBone(Bn("head", "body", 9, 1, {0.5f, 0}, 180));
    m.AddBone(Bn("armF", "body", 6, 0.92f, {-1.5f, 0}, 40));
    m.AddBone(Bn("foreF", "armF", 6, 1, {0, 0}, 60));
    m.AddBone(Bn("armN", "body", 6, 0.92f, {1.5f, 0}, 40));
    m.AddBone(Bn("foreN", "armN", 6, 1, {0, 0}, 60));
    m.AddPart(Cap("body", "body", 0, kShroud, 7.5f, 6.0f, -0.1f, 0.95f));
    // The overlap of the kimono's fronts and the sash.
    Part collar = Poly("collar", "body", 2, Ramp{kSlate, kSlate, kSlate},
                       {{2.5f, -11.5f}, {3.5f, -11.0f}, {-1.5f, -3.0f}, {-2.5f, -3.5f}});
    collar.shade = false;
    collar.outline = false;
    m.AddPart(collar);
    m.AddPart(Poly("sash", "body", 3, kSashRamp, {{-7.0f, -4.5f}, {7.2f, -4.5f}, {7.4f, -1.5f}, {-7.2f, -1.5f}}));
    // The wisp below: three links that flutter and thin to nothing.
    AddTrail(m, "wisp", "body", 3, 6.5f, 0, {-0.5f, 0}, 18, 20, -1, kShroud, 6.5f, 0.8f);
    // Wide sleeves, the hands pale and limp at their ends.
    m.AddPart(Cap("armF", "armF", -5, kShroudFar, 3.2f, 3.6f));
    m.AddPart(Cap("foreF", "foreF", -5, kShroudFar, 3.6f, 4.2f));
    m.AddPart(Cap("armN", "armN", 6, kShroud, 3.2f, 3.6f));
    m.AddPart(Cap("foreN", "foreN", 6, kShroud, 3.6f, 4.4f));
    m.AddBone(FBn("handN", "foreN", 3, 1, {0, 0}, 0));
    m.AddBone(FBn("handF", "foreF", 3, 1, {0, 0}, 0));
    m.AddPart(Cap("handN", "handN", 7, kGhostSkin, 1.4f, 1.0f));
    m.AddPart(Cap("handF", "handF", -6, kGhostSkin, 1.3f, 0.9f));
    // The head: a pale face under a long black mane that streams behind.
    m.AddPart(Ell("skull", "head", 8, kGhostSkin, 5.4f, 6.0f, 0.45f));
    Part hood = Poly("hood", "head", 9, kMane, {{-5.8f, 0.5f}, {-4.5f, -8.5f}, {0.5f, -10.8f}, {5.0f, -8.5f},
                                                 {5.6f, -5.5f}, {1.5f, -6.5f}, {-1.5f, -3.0f}, {-2.5f, 1.5f}});
    m.AddPart(hood);
    m.AddPart(Poly("band", "head", 10, kShroud, {{0.5f, -7.8f}, {4.8f, -7.0f}, {3.0f, -10.0f}}));
    AddTrail(m, "maneA", "head", 3, 6.5f, 0.75f, {-4.5f, 0}, 12, 8, -6, kMane, 4.2f, 1.6f);
    AddTrail(m, "maneB", "head", 3, 6.0f, 0.35f, {-4.5f, 0}, 16, 8, -7, kMane, 3.4f, 1.0f);
    m.AddPart(FacePart(12, {
        {"", rig::Sprite{{"kk..", "..kk", "....", ".rr."}, {-1.0f, 5.5f}}},
        {"glare", rig::Sprite{{"kvvk", "kwwk", "....", ".kk."}, {-1.0f, 5.5f}}},
        {"hurt", rig::Sprite{{"k.k.", ".k..", "k.k.", ".kk."}, {-1.0f, 5.5f}}},
        {"ko", rig::Sprite{{"k..k", ".kk.", "k..k", "...."}, {-1.0f, 5.5f}}},
    }));
    m.legend = {{'k', kInk}, {'w', kWhite}, {'v', kViolet}, {'r', kMauve}};
    // Ghost fires that circle it when it calls the rain.
    for (const auto& [name, x, y] : {std::tuple{"fireA", 9.0f, -2.0f}, std::tuple{"fireB", -10.0f, -6.0f},
                                     std::tuple{"fireC", 4.0f, -16.0f}}) {
        m.AddBone(FBn(name, "body", 0, 0.5f, {x, y}, 180));
        Part f = Ell(name, name, 14, kGhostFire, 2.2f, 2.8f);
        f.hidden = true;
        m.AddPart(f);
    }
    return m;
}

// --- The one-eyed monster --------------------------------------------------------

const Ramp kHide{kMist, kSlate, kNavy};
const Ramp kHideFar{kSlate, kNavy, kInk};
const Ramp kTiger{kGold, kAmber, kEarth};
const Ramp kHorn{kWhite, kCream, kSand};
const Ramp kShock{kDusk, kNight, kInk};

Model MakeOneEyedMonster() {
    gScale = 1.25f;
    rig::Body b;
    b.torso = 13;
    b.hipWidth = 6.5f;
    b.chestWidth = 8.6f;
    b.upperArm = 8.0f;
    b.foreArm = 7.5f;
    b.armRadius = 3.4f;
    b.handRadius = 3.6f;
    b.shoulderDown = 2.4f;
    b.thigh = 5.6f;
    b.shin = 5.4f;
    b.legRadius = 3.6f;
    b.foot = 4.0f;
    b.footRadius = 1.9f;
    b.top = b.sleeve = b.legs = b.gloves = b.boots = kHide;
    b.farSleeve = b.farLegs = b.farGloves = b.farBoots = kHideFar;
    Model m = rig::Humanoid("one-eyed monster", Scaled(b));
    // Forearms thicken to fists as big as its head.
    for (const char* fore : {"foreN", "foreF"}) m.FindPart(fore)->r1 = Sc(4.0f);
    for (const char* hand : {"handN", "handF"}) {
        m.FindPart(hand)->r0 = Sc(4.4f);
        m.FindPart(hand)->r1 = Sc(4.4f);
    }
    // The tiger-skin loincloth with its stripes, and a rope belt.
    Part cloth = Poly("cloth", "torso", 4, kTiger, {{-7.0f, -3.0f}, {7.2f, -3.0f}, {7.8f, 4.0f}, {2.0f, 3.0f},
                                                     {-1.5f, 4.5f}, {-7.6f, 3.5f}});
    cloth.edge = true;
    m.AddPart(cloth);
    for (int i = 0; i < 3; ++i) {
        const float x = -4.5f + 4.2f * static_cast<float>(i);
        Part stripe = Poly(("stripe" + std::to_string(i)).c_str(), "torso", 5, Ramp{kEarthDark, kEarthDark, kInk},
                           {{x, -2.8f}, {x + 1.0f, -2.8f}, {x + 2.0f, 2.8f}, {x + 1.0f, 2.8f}});
        stripe.shade = false;
        stripe.outline = false;
        m.AddPart(stripe);
    }
    m.AddPart(Poly("belt", "torso", 6, Ramp{kCream, kSand, kWood}, {{-7.4f, -4.2f}, {7.6f, -4.2f}, {7.6f, -2.6f}, {-7.4f, -2.6f}}));
    // The head: a great round face with one eye, a horn and wild hair.
    Bone& head = *m.FindBone("head");
    head.length = Sc(12);
    head.offset = Sc({2.5f, 1.0f});  // thrust forward: the hunch
    m.AddPart(Ell("skull", "head", 8, kHide, 7.2f, 7.0f, 0.45f));
    m.AddBone(FBn("horn", "head", 6.5f, 0.85f, {1.0f, 0}, 165));
    m.AddPart(Cap("horn", "horn", 7, kHorn, 2.0f, 0.5f));
    m.AddBone(FBn("jaw", "head", 3.5f, 0.1f, {3.0f, 0}, 70));
    m.AddPart(Cap("jaw", "jaw", 9, kHide, 3.0f, 2.4f));
    AddTrail(m, "shockA", "head", 2, 5.5f, 0.8f, {-3.5f, 0}, 10, 6, -4, kShock, 3.6f, 1.4f);
    AddTrail(m, "shockB", "head", 2, 5.0f, 0.45f, {-5.5f, 0}, 12, 6, -4, kShock, 3.2f, 1.0f);
    m.AddPart(FacePart(12, {
        {"", rig::Sprite{{".kkkkkk..", "kkwwwwwkk", "kwwaaawwk", "kwaakaawk", "kwaakaawk", "kwwaaawwk", "kkwwwwwkk",
                          ".kkkkkkk.", ".........", "..kwkwkk."}, {1.0f, 12.0f}}},
        {"roar", rig::Sprite{{".kkkkkk..", "kkwwwwwkk", "kwaaaaawk", "kwaakaawk", "kwaakaawk", "kwaaaaawk", "kkwwwwwkk",
                              ".kkkkkkk.", "..kkkkkk.", "..kwkwkk.", "..krrrrk.", "..kwkwkk.", "...kkkk.."}, {1.0f, 12.0f}}},
        {"hurt", rig::Sprite{{".........", "kk.....kk", "..kk.kk..", "....k....", "..kk.kk..", "kk.....kk", ".........",
                              ".........", ".........", "..kkkkkk."}, {1.0f, 12.0f}}},
        {"ko", rig::Sprite{{".........", ".k.....k.", "..k...k..", "...k.k...", "....k....", "...k.k...", "..k...k..",
                            ".k.....k.", ".........", "..kkkkkk."}, {1.0f, 12.0f}}},
    }));
    m.legend = {{'k', kInk}, {'w', kCream}, {'a', kAmber}, {'r', kCrimson}};
    return m;
}

// --- The tengu -------------------------------------------------------------------

const Ramp kRobeT{kViolet, kMauve, kDusk};
const Ramp kRobeTFar{kMauve, kDusk, kNight};
const Ramp kHakamaT{kStoneLight, kStone, kStoneDark};
const Ramp kHakamaTFar{kStone, kStoneDark, kInk};
const Ramp kCrow{kDusk, kNight, kInk};
const Ramp kBeak{kCream, kGold, kAmber};
const Ramp kLeafFan{kLeaf, kGrass, kPine};
const Ramp kClogT{kWood, kEarth, kEarthDark};

// A folded crow wing on the back: a shoulder bone and a fan of feathers
// that `wingN1~K` spreads (1) or folds (near 0).
void AddCrowWing(Model& m, const std::string& side, rig::Vec root, int layer, const Ramp& ramp) {
    const std::string w = "wing" + side + "1";
    m.AddBone(Bn(w, "torso", 9, 0.9f, root, -130));
    m.AddPart(Cap(w, w, layer + 1, ramp, 2.8f, 2.0f));
    const float angles[] = {-170, -150, -128, -105, -82};
    const float lengths[] = {12, 13, 12, 10, 8};
    for (int i = 0; i < 5; ++i) {
        const std::string bone = "feather" + side + std::to_string(i);
        m.AddBone(FBn(bone, w, lengths[i], 1.0f - 0.2f * static_cast<float>(i), {0, 0}, angles[i]));
        m.AddPart(Cap(bone, bone, layer, ramp, 2.2f, 0.5f));
    }
}

Model MakeTengu() {
    gScale = 1.25f;
    rig::Body b;
    b.torso = 11;
    b.hipWidth = 4.6f;
    b.chestWidth = 5.2f;
    b.upperArm = 5.4f;
    b.foreArm = 5.0f;
    b.armRadius = 2.0f;
    b.handRadius = 1.8f;
    b.shoulderDown = 2.0f;
    b.thigh = 6.6f;
    b.shin = 6.4f;
    b.legRadius = 2.4f;
    b.foot = 3.8f;
    b.footRadius = 1.4f;
    b.top = b.sleeve = kRobeT;
    b.farSleeve = kRobeTFar;
    b.legs = kHakamaT;
    b.farLegs = kHakamaTFar;
    b.boots = kClogT;
    b.farBoots = Ramp{kEarth, kEarthDark, kInk};
    b.gloves = kCrow;
    b.farGloves = Ramp{kNight, kInk, kInk};
    Model m = rig::Humanoid("tengu", Scaled(b));
    for (const char* fore : {"foreN", "foreF"}) m.FindPart(fore)->r1 = Sc(2.8f);
    for (const char* leg : {"legN", "legF"}) m.FindPart(leg)->r1 = Sc(3.0f);
    // A short robe skirt, a white stole with pompoms.
    Part skirt = Poly("skirt", "torso", 4, kRobeT, {{-4.8f, -3.0f}, {5.0f, -3.0f}, {6.2f, 3.0f}, {-6.0f, 3.0f}});
    skirt.edge = true;
    m.AddPart(skirt);
    for (int i = 0; i < 2; ++i) {
        const std::string name = "pom" + std::to_string(i);
        m.AddBone(FBn(name, "torso", 0, 0.8f - 0.3f * static_cast<float>(i), {3.4f, 0}, 180));
        m.AddPart(Ell(name, name, 7, Ramp{kWhite, kMist, kSlate}, 1.4f, 1.4f));
    }
    // The crow's head: a black head, a long gold beak, a small cap.
    Bone& head = *m.FindBone("head");
    head.length = Sc(10);
    m.AddPart(Ell("skull", "head", 8, kCrow, 5.6f, 6.0f, 0.5f));
    m.AddBone(FBn("beak", "head", 7.5f, 0.4f, {3.8f, 0}, 102));
    m.AddPart(Cap("beak", "beak", 11, kBeak, 2.4f, 0.6f));
    m.AddBone(FBn("cap", "head", 0, 0.95f, {1.0f, 0}, 180));
    m.AddPart(Poly("cap", "cap", 13, Ramp{kNight, kInk, kInk}, {{-2.4f, 0.5f}, {2.6f, 0.5f}, {1.5f, -3.5f}, {-1.5f, -3.0f}}));
    AddTrail(m, "crest", "head", 2, 4.5f, 0.7f, {-4.0f, 0}, 12, 8, -3, kCrow, 2.6f, 0.8f);
    m.AddPart(FacePart(12, {
        {"", rig::Sprite{{"kkk", "kgk", "kkk"}, {-1.5f, 7.5f}}},
        {"wide", rig::Sprite{{".kkk.", "kgggk", "kgkgk", ".kkk."}, {-1.5f, 8.0f}}},
        {"hurt", rig::Sprite{{"k.k", ".k.", "k.k"}, {-1.5f, 7.5f}}},
        {"ko", rig::Sprite{{"k.k", ".k.", "k.k"}, {-1.5f, 7.5f}}},
    }));
    m.legend = {{'k', kInk}, {'g', kGold}};
    AddCrowWing(m, "F", {-4.0f, 0}, -40, Ramp{kNight, kInk, kInk});
    AddCrowWing(m, "N", {-3.0f, 0}, -30, kCrow);
    // The leaf fan in the near hand: seven green lobes on a stem.
    m.AddBone(FBn("fan", "handN", 5, 1, {0, 0}, 160));
    m.AddPart(Cap("stem", "fan", 14, Ramp{kSand, kWood, kEarth}, 0.7f, 0.6f));
    for (int i = 0; i < 5; ++i) {
        const std::string lobe = "lobe" + std::to_string(i);
        m.AddBone(FBn(lobe, "fan", 6, 1, {0, 0}, 160.0f + 22.0f * static_cast<float>(i - 2)));
        m.AddPart(Cap(lobe, lobe, 15, kLeafFan, 1.0f, 1.9f, 0.0f, 0.85f));
    }
    return m;
}

}  // namespace

const Cast& Ghost() {
    static const Cast cast{
        MakeGhost(),
        "root body head armN foreN armF foreF",
        {
            // clang-format off
//                  root    body  head  armN foreN  armF foreF
{"float_a",        "32,32    180   185    45    70    35    60", "place:centre wind:-70"},
{"float_b",        "32,32    176   182    50    78    40    66", "place:centre wind:-60 phase:150"},
{"cast_a",         "32,32    182   188   150   170   140   165", "place:centre face:glare show:fireA,fireB,fireC wind:-80"},
{"cast_b",         "32,32    184   190   155   178   145   172", "place:centre face:glare show:fireA,fireB wind:-90 phase:120"},
{"defeat",         "32,32    200   215   -20    10   -40   -10", "place:centre face:ko wind:160"},
{"hurt",           "32,32    195   205   -30   -10   -50   -30", "place:centre face:hurt wind:60"},
            // clang-format on
        }};
    return cast;
}

const Cast& OneEyedMonster() {
    static const Cast cast{
        MakeOneEyedMonster(),
        "root torso head armN foreN armF foreF legN shinN footN legF shinF footF",
        {
            // clang-format off
//                  root   torso  head  armN foreN  armF foreF  legN shinN footN  legF shinF footF
{"stand",          "32,46    160   140    25    40   -10    10    30   -10    90   -20   -10    88", ""},
{"roar",           "32,46    172   160   120   160   -90  -120    30   -10    90   -25   -10    88", "face:roar"},
{"crouch",         "32,46    150   130   150   170   130   160    60   -40    90    10   -60    80", ""},
{"jump",           "32,42    165   150   115   140   105   130    60     0    60    20   -20    80", "place:hip"},
{"stomp",          "32,40    160   140   -30   -10   -50   -30    20     0    90   -10    -5    88", "place:hip face:roar"},
{"smash",          "32,46    152   140    35   -10    20   -20    50   -30    90   -20   -20    88", "face:roar"},
{"throw",          "32,46    155   130   120   150   -40   -20    40   -20    90   -30   -10    88", ""},
{"hop_up",         "32,40    165   150    40    70    20    50    20     0    80   -20     0    80", "place:hip"},
{"hop_down",       "32,40    158   138    70   110    50    90    40   -20    85   -10   -25    85", "place:hip"},
{"defeat",         "32,46    150   120   -10   -20   -20   -30    60   -60    90    20   -50    88", "face:ko"},
{"hurt",           "32,46    168   150   -40   -20   -60   -40    35    -5    85   -20   -10    85", "face:hurt"},
            // clang-format on
        }};
    return cast;
}

const Cast& Tengu() {
    static const Cast cast{
        MakeTengu(),
        "root torso head armN foreN armF foreF legN shinN footN legF shinF footF wingN1 wingF1 wingN1~ wingF1~ fan",
        {
            // clang-format off
//                  root   torso  head  armN foreN  armF foreF  legN shinN footN  legF shinF footF wngN1 wngF1 openN openF   fan
{"stand",          "32,46    176   180    30    80   -20    10    20    -5    90   -15    -5    88  -150  -160   0.5   0.5   160", "wind:-60"},
{"ready",          "32,46    170   175    80   140   -30    20    40   -10    90   -25   -10    88  -135  -145   0.8   0.8   190", "face:wide wind:-60"},
{"rise",           "32,44    168   172    40   100   -40   -10    70   -20    80    20   -50    70  -110  -120   1.0   1.0   150", "place:hip wind:10"},
{"draw",           "32,44    178   182   130   170   -60   -30    70   -10    80    20   -50    70  -120  -130   1.0   1.0   215", "place:hip face:wide wind:-80"},
{"throw",          "32,44    160   165    75    45   -50   -40    70   -10    80    20   -50    70  -125  -135   0.9   0.9    30", "place:hip wind:-90"},
{"fall",           "32,42    178   182    60   110   -50   -30    50   -20    80     0   -40    75  -160  -170   0.9   0.9   140", "place:hip wind:170"},
{"fan_a",          "32,46    180   182   150   175   -30    10    30   -10    90   -25    -5    88  -140  -150   0.7   0.7   200", "face:wide wind:-50"},
{"fan_b",          "32,46    181   184   135   160   -30    10    30   -10    90   -25    -5    88  -138  -148   0.7   0.7   185", "face:wide wind:-55 phase:120"},
{"fan_throw_a",    "32,46    165   170    80    60   -40   -20    40   -10    90   -30   -10    85  -130  -140   0.9   0.9    50", "wind:-90"},
{"fan_throw_b",    "32,46    163   168    85    65   -40   -20    40   -10    90   -30   -10    85  -128  -138   0.9   0.9    60", "wind:-95 phase:120"},
{"defeat",         "32,46    205   215   -60   -40   -80   -60    40    30    60   -20   -40    70  -170  -180   0.4   0.4  -100", "face:ko wind:100"},
{"hurt",           "32,46    195   205   -60   -30   -80   -60    40    30    70   -20   -30    80  -160  -170   0.6   0.6  -100", "face:hurt wind:80"},
            // clang-format on
        }};
    return cast;
}

}  // namespace bosses
