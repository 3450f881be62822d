// The lizardman: texture slot 43 (resource 162), the sheet it shares with
// Luka's and Ironclaw's defeat poses (defeats.cpp), in 40 x 40 cells whose
// body centre lies at (20, 20) and floor at y = 30, so that the hurt
// pictures of its two variants sit at the anchors the variants' records
// 10, 110 and 111 name: (140, 20) for 11060 and (140, 60) for 11061.
//
// A scaled brawler with a long toothy snout, a red frill and a row of red
// spines down its back and heavy tail, in a crimson loincloth. The jumper (11060, also the actor of the clear and
// defeat scenes) is teal; the walker (11061) is rust brown.
//
//  cell              at        anchor  states
//  walk_1..3         0,0 40,0 80,0     body    230 231 232   (11060 never walks; its
//                                              home state jumps at once, see 234)
//  hurt              120,0     centre  10 110 111 (11060: anchor (140, 20); also the
//                                              constructor's rows)
//  walk_4            160,0     body    233
//  jump              200,0     centre  234       (leaping at the player, claws first)
//  fall              160,120   centre  235
//  rust.walk_1..3    0,40 40,40 80,40  body    250 251 252
//  rust.hurt         120,40    centre  10 110 111 of 11061: anchor (140, 60)
//  rust.walk_4       160,40    body    253
//  rust.hop          200,40    centre  254
//  rust.fall         200,120   centre  255
//  guard             160,200   body    350 (351-355)  (scene: claws raised, standing guard)
//  laugh             200,200   body    356       (scene: head thrown back, laughing, pointing)
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

struct Scales {
    Ramp skin, far;
};
const Scales kTeal{{kFoam, kWater, kWaterDeep}, {kWater, kWaterDeep, kNavy}};
const Scales kRust{{kAmber, kWood, kEarth}, {kWood, kEarth, kEarthDark}};
const Ramp kSpine{kCoral, kRed, kCrimson};

// Its cells: the player-sized cell with the body's centre two texels higher.
const rig::CellGeometry kLizardCell{40, 40, 30, 20, 20, 10, 10};

// The head faces right, the neck at the pivot: a red frill on the crown, a
// heavy brow over a gold eye, the snout lit along its top and shaded under
// the jaw; the variants change the eye and the mouth.
std::map<std::string, Sprite> Heads() {
    auto make = [](const char* eyeRow, const char* mouth1, const char* mouth2) {
        return Sprite{{
                          "..rR...........",
                          ".rRRr..........",
                          "rRRsssss.......",
                          "RRssSSSSSs.....",
                          eyeRow,
                          "dSSSSSSSSSSSSSs",
                          "dSSSSSSSSSSSkSs",
                          mouth1,
                          mouth2,
                          "..dddddd.......",
                      },
                      {4, 10}};
    };
    return {{"", make("dsSSSykySSSSs..", "ddSSmwmmwmmwmk.", ".ddSbbbbbbbbd..")},
            {"blink", make("dsSSSkkkSSSSs..", "ddSSmwmmwmmwmk.", ".ddSbbbbbbbbd..")},
            {"hurt", make("dsSSkSSSkSSSs..", "ddSSwmwmwmwmwk.", ".ddSbmmmmmmbd..")},
            {"laugh", make("dsSSSkkkSSSSSs.", "ddSSwmmmmmmmw..", ".ddSbmmmmmbd...")}};
}

rig::Model MakeLizard(const Scales& sc) {
    rig::Body b;
    b.torso = 6.4f;
    b.hipWidth = 3.0f;
    b.chestWidth = 3.4f;
    b.upperArm = 3.5f;
    b.foreArm = 3.2f;
    b.armRadius = 1.35f;
    b.handRadius = 1.5f;
    b.thigh = 4.0f;
    b.shin = 3.8f;
    b.legRadius = 1.75f;
    b.foot = 3.2f;
    b.footRadius = 1.2f;
    b.top = b.sleeve = b.legs = b.boots = b.gloves = sc.skin;
    b.farSleeve = b.farLegs = b.farBoots = b.farGloves = sc.far;
    b.head = Heads().at("");
    rig::Model m = rig::Humanoid("lizardman", b);
    m.FindPart("head")->sprites = Heads();
    m.legend = {{'r', kCoral}, {'R', kRed},  {'S', sc.skin.mid}, {'s', sc.skin.light}, {'d', sc.skin.dark},
                {'y', kGold},  {'k', kInk},  {'b', kSand},       {'w', kWhite},        {'m', kCrimson}};
    // The belly scales, a loincloth and a belt, wrist bands.
    m.AddBone(enemies::Follow(MakeBone("bellyB", "torso", 0, 0.45f, {1.3f, 0}, 180)));
    m.AddPart(EllipsePart("belly", "bellyB", 1, Ramp{kCream, kSand, kWood}, 2.0f, 3.0f));
    rig::Part cloth = enemies::PolyPart("cloth", "torso", 4, Ramp{kCoral, kRed, kCrimson}, {{-3.2f, -0.8f}, {3.3f, -0.8f}, {2.4f, 2.6f}, {-1.0f, 2.0f}});
    cloth.edge = true;
    m.AddPart(cloth);
    m.AddPart(enemies::Flat(EllipsePart("belt", "torso", 5, Ramp{kEarth, kEarthDark, kInk}, 3.2f, 0.6f, 0.1f)));
    m.AddPart(CapsulePart("bandN", "foreN", 13, Ramp{kSand, kWood, kEarth}, 1.45f, 1.45f, 0.65f, 0.8f));
    // The tail: three links from the hip, hanging back in the wind.
    m.AddBone(rig::TrailBone("tail1", "hip", 4.2f, 0, {-2.2f, 0.6f}, 8, 14));
    m.AddBone(rig::TrailBone("tail2", "tail1", 3.8f, 1, {0, 0}, 8, 14));
    m.AddBone(rig::TrailBone("tail3", "tail2", 3.2f, 1, {0, 0}, 8, 14));
    m.AddPart(CapsulePart("tail1", "tail1", -4, sc.skin, 2.2f, 1.8f));
    m.AddPart(CapsulePart("tail2", "tail2", -4, sc.skin, 1.8f, 1.2f));
    m.AddPart(CapsulePart("tail3", "tail3", -4, sc.skin, 1.2f, 0.5f));
    // A row of red spines down the back and along the tail.
    const struct {
        const char* bone;
        float along, back, length;
    } spines[] = {{"torso", 0.95f, 2.8f, 3.0f}, {"torso", 0.62f, 3.0f, 3.2f}, {"torso", 0.3f, 2.8f, 2.8f},
                  {"tail1", 0.5f, 1.6f, 2.0f},  {"tail2", 0.3f, 1.4f, 1.7f},  {"tail2", 0.9f, 1.0f, 1.3f}};
    int i = 0;
    for (const auto& sp : spines) {
        const std::string name = "spine" + std::to_string(i++);
        const bool onTail = std::string(sp.bone) != "torso";
        // On the torso (rest: up) a spine leans up and back; on a tail link
        // (rest: down, blown back) it stands up from the link's top.
        const rig::Vec at = onTail ? rig::Vec{0, -sp.back} : rig::Vec{-sp.back, 0};
        m.AddBone(enemies::Follow(MakeBone(name, sp.bone, sp.length, sp.along, at, onTail ? -160.0f : -110.0f)));
        m.AddPart(CapsulePart(name, name, onTail ? -3 : -1, kSpine, 1.2f, 0.3f));
    }
    // Claws on the hands.
    for (i = 0; i < 2; ++i) {
        const std::string n = "clawN" + std::to_string(i), f = "clawF" + std::to_string(i);
        m.AddBone(enemies::Follow(MakeBone(n, "foreN", 1.6f, 1, {-0.6f + 1.2f * static_cast<float>(i), 0.9f}, 0)));
        m.AddBone(enemies::Follow(MakeBone(f, "foreF", 1.6f, 1, {-0.6f + 1.2f * static_cast<float>(i), 0.9f}, 0)));
        m.AddPart(CapsulePart(n, n, 14, Ramp{kWhite, kCream, kSand}, 0.5f, 0.3f));
        m.AddPart(CapsulePart(f, f, -21, Ramp{kCream, kSand, kWood}, 0.5f, 0.3f));
    }
    return m;
}

// clang-format off
const HumanPose kPoses[] = {
//  name       hip x   y   torso head   armN foreN  armF foreF   legN shinN footN  legF shinF footF  extra
  {"walk_1",   20, 20,   155, 165,   -35,  10,   45,  95,     45,  10,  95,   -35, -35,  80,   "wind:-95 phase:0"},
  {"walk_2",   20, 20,   157, 165,    -5,  50,   10,  70,     10, -40,  75,     5,   0,  90,   "wind:-100 phase:90"},
  {"walk_3",   20, 20,   155, 165,    45,  95,  -35,  10,    -35, -35,  80,    45,  10,  95,   "wind:-95 phase:180"},
  {"walk_4",   20, 20,   157, 165,    10,  70,   -5,  50,      5,   0,  90,    10, -40,  75,   "wind:-100 phase:270"},
  {"jump",     20, 19,   135, 150,   100,  95,   80,  85,    -20, -60,  20,   -45, -80,  10,   "place:hip wind:-120"},
  {"fall",     20, 19,   175, 178,   140, 160, -130,-150,     30,  -5,  70,   -15, -30,  60,   "place:hip wind:-150 phase:90"},
  {"hop",      20, 19,   160, 170,    60,  40,  -40,   0,     80, -10,  80,    50, -50,  60,   "place:hip wind:-110"},
  {"hurt",     20, 19,   205, 200,    70, 120,  110, 150,     40,  20,  60,   -15, -30,  70,   "place:hip face:hurt wind:-40"},
  {"guard",    20, 20,   170, 176,    55, 115,   40, 100,     30,  -5,  90,   -22, -12,  90,   "wind:-70"},
  {"laugh",    20, 20,   200, 235,    20,  95,   30, 100,     25,  -5,  90,   -15,  -5,  90,   "face:laugh wind:-50 phase:120"},
};
// clang-format on

Canvas PaintLizard(const Layout& l, const Cell& c) {
    static const rig::Model teal = MakeLizard(kTeal), rust = MakeLizard(kRust);
    auto sheens = [](const Scales& sc) {
        return enemies::Sheens({sc.skin, sc.far, kSpine, Ramp{kCream, kSand, kWood}});
    };
    static const std::vector<enemies::Sheen> tealSheens = sheens(kTeal), rustSheens = sheens(kRust);
    const enemies::PoseName n = enemies::SplitPose(c.pose);
    const bool isRust = n.variant == "rust";
    return enemies::Lit(enemies::DrawPose(isRust ? rust : teal, enemies::FindPose(kPoses, n.pose, "lizardman"), l, c),
                        isRust ? rustSheens : tealSheens, kInk, kMist);
}

const Layout kLizardLayout{162, 43, "lizardman_slot43", {
    {"walk_1", "230", 0, 0, Anchor::Body},
    {"walk_2", "231", 40, 0, Anchor::Body},
    {"walk_3", "232", 80, 0, Anchor::Body},
    {"hurt", "10 110 111 (11060)", 120, 0, Anchor::Centre},
    {"walk_4", "233", 160, 0, Anchor::Body},
    {"jump", "234", 200, 0, Anchor::Centre},
    {"rust.walk_1", "250", 0, 40, Anchor::Body},
    {"rust.walk_2", "251", 40, 40, Anchor::Body},
    {"rust.walk_3", "252", 80, 40, Anchor::Body},
    {"rust.hurt", "10 110 111 (11061)", 120, 40, Anchor::Centre},
    {"rust.walk_4", "253", 160, 40, Anchor::Body},
    {"rust.hop", "254", 200, 40, Anchor::Centre},
    {"fall", "235", 160, 120, Anchor::Centre},
    {"rust.fall", "255", 200, 120, Anchor::Centre},
    {"guard", "350 351 352 353 354 355", 160, 200, Anchor::Body},
    {"laugh", "356", 200, 200, Anchor::Body},
}, 256, kLizardCell, PaintLizard};
ART_LAYOUT(kLizardLayout);

const Review kLizardReview{"lizardman", {162}, {
    {"jumper 11060", {{"jump", 14}, {"jump", 14}, {"fall", 8}, {"jump", 14}, {"hurt", 20}}},
    {"walker 11061", {{"rust.walk_1", 6}, {"rust.walk_2", 6}, {"rust.walk_3", 6}, {"rust.walk_4", 6}, {"rust.hop", 12}, {"rust.fall", 6}, {"rust.hurt", 20}}},
    {"walk 230", {{"walk_1", 6}, {"walk_2", 6}, {"walk_3", 6}, {"walk_4", 6}}},
    {"scenes 350 356", {{"guard", 40}, {"laugh", 40}}},
}, {{"jump", 0}, {"walk_1", 0}, {"rust.walk_2", 0}, {"rust.hurt", 0}, {"guard", 0}, {"laugh", 0}}};
ART_REVIEW(kLizardReview);

}  // namespace
