// The kappa: texture slot 33 (resource 134), 256 x 256, 40 x 40 cells, and
// its thrown head plate (attack-effect state 310) in a 16 x 16 cell.
//
// A squat river imp: green skin, a brown shell on its back, a gold beak and
// the water-filled plate on its crown. It throws that plate like a
// boomerang and catches it back on its head, so the frames between the
// throw and the catch show its bare crown. The lurking variant (10042)
// uses the same pictures: it waits under water, leaps out, throws, and
// dives back.
//
//  cell     at       anchor  states
//  stand    0,0      body    230 253   (facing the player)
//  wind     40,0     body    231 254   (plate raised behind the head: the throw is coming)
//  throw    80,0     body    232 255   (plate thrown, waiting for it with open hands)
//  catch    120,0    body    233 256   (plate back on the crown)
//  crouch   160,0    body    257       (about to jump back into the water)
//  hurt     200,0    centre  10 110 111
//  lurk     0,40     centre  250 259   (under water, peeking)
//  leap     40,40    centre  251       (rising out of the water)
//  drop     80,40    centre  252       (falling to the bank)
//  dive     120,40   centre  258       (jumping back and sinking)
//  plate    0,80     centre  attack effect 310 (16 x 16 cell: the thrown plate)
#include "EnemyLight.h"
#include "Enemies.h"
#include "Palette.h"

namespace {

using enemies::HumanPose;
using rig::CapsulePart;
using rig::EllipsePart;
using rig::MakeBone;
using rig::Ramp;
using rig::Sprite;

const Ramp kGreen{kLeaf, kGrass, kPine};
const Ramp kGreenFar{kGrass, kPine, kPineDark};
const Ramp kShell{kSand, kWood, kEarth};
const Ramp kBelly{kCream, kGold, kSand};
const Ramp kPlateRim{kWhite, kCream, kSand};
const Ramp kPlateWater{kFoam, kWater, kWaterDeep};

// The head faces right; its pivot is the neck. Variants: blink, hurt
// (squeezed eye, open beak), grin (the catch), bare (the plate thrown).
std::map<std::string, Sprite> KappaHeads() {
    const std::vector<std::string> plate = {
        "...cccccc...",
        "..cffffFFc..",
        ".hcccccccch.",
    };
    const std::vector<std::string> bare = {
        "............",
        "....gggg....",
        ".hhgggggghh.",
    };
    auto make = [](const std::vector<std::string>& crown, std::vector<std::string> face) {
        std::vector<std::string> rows = crown;
        rows.insert(rows.end(), face.begin(), face.end());
        return Sprite{rows, {5, 11}};
    };
    const std::vector<std::string> face = {
        "hHhggggggHhh",
        "hHGGGGGGwwGh",
        "dhGGGGGGwkG.",
        ".dGGGGGGGGbb",
        ".dGGGGGGGBbbb",
        "..dGGGGGGBBB",
        "...dddddd...",
    };
    const std::vector<std::string> blink = {
        "hHhggggggHhh",
        "hHGGGGGGGGGh",
        "dhGGGGGGkkG.",
        ".dGGGGGGGGbb",
        ".dGGGGGGGBbbb",
        "..dGGGGGGBBB",
        "...dddddd...",
    };
    const std::vector<std::string> hurt = {
        "hHhggggggHhh",
        "hHGGGGGGkGGh",
        "dhGGGGGGGkG.",
        ".dGGGGGGkGbbb",
        ".dGGGGGGGBrr.",
        "..dGGGGGGBbbb",
        "...dddddd...",
    };
    const std::vector<std::string> grin = {
        "hHhggggggHhh",
        "hHGGGGGGGkGh",
        "dhGGGGGGkGk.",
        ".dGGGGGGGGbbb",
        ".dGGGGGGGBrr.",
        "..dGGGGGGBbbb",
        "...dddddd...",
    };
    return {{"", make(plate, face)},        {"blink", make(plate, blink)}, {"hurt", make(plate, hurt)},
            {"grin", make(plate, grin)},    {"bare", make(bare, face)},    {"bare_grin", make(bare, grin)}};
}

rig::Model MakeKappa() {
    rig::Body b;
    b.torso = 5.4f;
    b.hipWidth = 3.4f;
    b.chestWidth = 3.1f;
    b.upperArm = 2.9f;
    b.foreArm = 2.7f;
    b.armRadius = 1.15f;
    b.handRadius = 1.5f;
    b.thigh = 3.2f;
    b.shin = 3.0f;
    b.legRadius = 1.45f;
    b.foot = 2.8f;
    b.footRadius = 1.2f;
    b.shoulderDown = 1.0f;
    b.top = b.sleeve = b.legs = b.boots = kGreen;
    b.farSleeve = b.farLegs = b.farBoots = kGreenFar;
    // Pale webbed hands, so that they read against the green body.
    b.gloves = Ramp{kLeaf, kLeaf, kGrass};
    b.farGloves = Ramp{kGrass, kGrass, kPine};
    b.head = KappaHeads().at("");
    rig::Model m = rig::Humanoid("kappa", b);
    m.FindPart("head")->sprites = KappaHeads();
    m.legend = {{'c', kCream}, {'f', kFoam}, {'F', kWater}, {'h', kPineDark}, {'H', kPine}, {'g', kLeaf},
                {'G', kGrass}, {'d', kPine},  {'b', kGold},  {'B', kAmber},    {'w', kWhite}, {'k', kInk},
                {'r', kCrimson}};
    // The shell on its back and the plated belly in front.
    m.AddBone(enemies::Follow(MakeBone("shellB", "torso", 0, 0.55f, {-3.0f, 0.2f}, 180)));
    m.AddPart(EllipsePart("shellRim", "shellB", -7, Ramp{kGold, kSand, kWood}, 2.9f, 4.4f));
    m.AddPart(EllipsePart("shell", "shellB", -6, kShell, 2.1f, 3.7f));
    m.AddBone(enemies::Follow(MakeBone("bellyB", "torso", 0, 0.42f, {1.0f, 0}, 180)));
    m.AddPart(EllipsePart("belly", "bellyB", 4, kBelly, 2.5f, 3.2f));
    m.FindPart("belly")->edge = true;
    // The plate in the hand while it winds up.
    m.AddPart(enemies::Hidden(EllipsePart("plateRim", "handN", 14, kPlateRim, 3.2f, 1.3f)));
    m.AddPart(enemies::Hidden(EllipsePart("plateWater", "handN", 15, kPlateWater, 2.0f, 0.6f)));
    return m;
}

// The thrown plate on its own: a spinning dish of water with speed lines.
rig::Model MakePlate() {
    rig::Model m;
    m.name = "kappa plate";
    m.AddBone(MakeBone("dish", "", 0, 0, {0, 0}, 80));
    m.AddPart(EllipsePart("rim", "dish", 0, kPlateRim, 2.4f, 5.4f));
    m.AddPart(EllipsePart("water", "dish", 1, kPlateWater, 1.2f, 3.6f));
    m.AddPart(enemies::ArcPart("streak", "dish", 5, Ramp{kWhite, kFoam, kWater}, 5.5f, 7, 200, 280));
    return m;
}

// clang-format off
const HumanPose kPoses[] = {
//  name       hip x   y   torso head   armN foreN  armF foreF   legN shinN footN  legF shinF footF  extra
  {"stand",    20, 26,   170, 178,    70, 140,  -30,  40,     35, -10,  95,   -20, -25,  85,   ""},
  {"wind",     20, 26,   195, 188,  -100,-150,   60, 110,     35,   0,  95,   -30, -30,  85,   "face:bare show:plateRim,plateWater"},
  {"throw",    21, 26,   150, 165,    95,  85,   60,  95,     55,  10,  95,   -35, -40,  80,   "face:bare_grin"},
  {"catch",    20, 26,   178, 182,    95, 140,  110, 150,     30, -10,  95,   -20, -25,  85,   "face:grin"},
  {"crouch",   20, 28,   150, 165,   -50, -10,  -70, -30,     80, -20,  90,    60, -40,  85,   "face:blink"},
  {"hurt",     20, 24,   210, 205,    75, 125,  115, 150,     40,  20,  60,   -15, -30,  70,   "place:hip face:hurt"},
  {"lurk",     20, 25,   140, 160,   100,  60,   80,  40,    -20, -80,  20,   -45,-100,  10,   "place:hip"},
  {"leap",     20, 24,   172, 176,   100, 135,  -95,-120,     -5, -25,  60,   -25, -40,  50,   "place:hip face:grin"},
  {"drop",     20, 24,   180, 185,    60, 100,  -60,-100,     25,  -5,  80,   -10, -20,  80,   "place:hip"},
  {"dive",     20, 24,   235, 225,  -120,-150, -140,-160,     60,  40,  60,    40,  20,  60,   "place:hip face:blink"},
};
// clang-format on

const rig::Model& Kappa() {
    static const rig::Model m = MakeKappa();
    return m;
}

Canvas PaintKappa(const Layout& l, const Cell& c) {
    static const std::vector<enemies::Sheen> sheens = enemies::Sheens({kGreen, kGreenFar, kShell, kBelly});
    return enemies::Lit(enemies::DrawPose(Kappa(), enemies::FindPose(kPoses, c.pose, "kappa"), l, c), sheens, kInk, kMist);
}

Canvas PaintPlate(const Layout& l, const Cell& c) {
    static const rig::Model plate = MakePlate();
    return enemies::DrawPose(plate, "root:8,8 place:centre", l, c);
}

const Layout kKappaLayout{134, 33, "kappa_slot33", {
    {"stand", "230 253", 0, 0, Anchor::Body},
    {"wind", "231 254", 40, 0, Anchor::Body},
    {"throw", "232 255", 80, 0, Anchor::Body},
    {"catch", "233 256", 120, 0, Anchor::Body},
    {"crouch", "257", 160, 0, Anchor::Body},
    {"hurt", "10 110 111", 200, 0, Anchor::Centre},
    {"lurk", "250 259", 0, 40, Anchor::Centre},
    {"leap", "251", 40, 40, Anchor::Centre},
    {"drop", "252", 80, 40, Anchor::Centre},
    {"dive", "258", 120, 40, Anchor::Centre},
}, 256, {}, PaintKappa};
ART_LAYOUT(kKappaLayout);

const Layout kPlateLayout{134, 33, "kappa_shot_slot33", {
    {"plate", "effect 310", 0, 80, Anchor::Centre},
}, 256, enemies::kShotCell, PaintPlate};
ART_LAYOUT(kPlateLayout);

const Review kKappaReview{"kappa", {134}, {
    {"bank 230", {{"stand", 20}, {"wind", 12}, {"throw", 30}, {"plate", 0}, {"catch", 12}, {"stand", 20}}},
    {"water 250", {{"lurk", 40}, {"leap", 10}, {"drop", 10}, {"stand", 20}, {"wind", 12}, {"throw", 30}, {"catch", 12}, {"crouch", 20}, {"dive", 20}, {"lurk", 40}}},
    {"hurt 10 110", {{"stand", 4}, {"hurt", 20}, {"stand", 10}, {"hurt", 20}}},
}, {{"stand", 0}, {"wind", 0}, {"throw", 0}, {"plate", 0}, {"leap", 0}, {"hurt", 0}}};
ART_REVIEW(kKappaReview);

}  // namespace
