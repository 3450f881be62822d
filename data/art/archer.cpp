// The archer: texture slot 42 (resource 161), 256 x 256, 40 x 40 cells,
// and its arrows (attack effects 710 and 720) in a 16 x 16 cell.
//
// A foot soldier under a wide conical hat lacquered mauve like his tunic
// and hakama (nothing like the kusarigama's straw hat), a dark sash, white
// shin wraps, a red quiver on his back and a longbow taller than his chest.
// He draws the string back to his cheek before every shot, level for the
// straight shots (11050) and raised for the lobbed ones (11051).
// Defeated, he hops back and stays lying on the ground (112, 113).
//
//  cell      at       anchor  states
//  stand     0,0      body    230 250 254 258 262
//  draw      40,0     body    231                (arrow nocked, the string coming back: a shot is coming)
//  aim       80,0     body    232                (full draw, level)
//  loose     120,0    body    233                (arrow 710 gone, the string still shaking)
//  draw_up   160,0    body    251 255 259 263
//  aim_up    200,0    body    252 256 260 264    (full draw, raised)
//  loose_up  0,40     body    253 257 261 265    (arrow 720 gone)
//  hurt      40,40    centre  10 110 111
//  hop       80,40    centre  112                (hopping back, beaten)
//  body      120,40   body    113                (lying on his back: stays)
//  arrow     160,40   centre  attack effects 710 720 (16 x 16; points forward, the game turns it along its flight)
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

const Ramp kTunic{kRose, kMauve, kDusk};
const Ramp kTunicFar{kMauve, kDusk, kNight};
const Ramp kTrousers{kRose, kMauve, kDusk};
const Ramp kTrousersFar{kMauve, kDusk, kNight};
const Ramp kWraps{kWhite, kCream, kSand};
const Ramp kWrapsFar{kCream, kSand, kWood};
const Ramp kQuiver{kCoral, kRed, kCrimson};
const Ramp kSkinRamp{kCream, kSkin, kSand};
const Ramp kSkinFar{kSkin, kSand, kWood};
const Ramp kBowWood{kCream, kSand, kWood};
const Ramp kShaft{kCream, kSand, kWood};

// His head under the lacquered hat: the cone lit on its left slope and shaded
// on its right, the brim's underside dark, and the brim's shadow across his
// brow; the variants change his eyes and mouth.
std::map<std::string, Sprite> Heads() {
    auto make = [](const char* eyes1, const char* eyes2, const char* mouth) {
        return Sprite{{
                          ".......cyy.....",
                          ".....ccyyyYw...",
                          "...ccyyyyYYYw..",
                          ".ccyyyyyyYYYYw.",
                          "awwwwwwwwwwwwwa",
                          "...nnaazzzzzz..",
                          std::string("..nnn") + eyes1,
                          std::string("..nnn") + eyes2,
                          std::string("...nn") + mouth,
                          "....zzsssz.....",
                      },
                      {6.5f, 10}};
    };
    return {{"", make("sskskS..", "ssksksz.", "ssssrsz..")},
            {"blink", make("ssssssS..", "sskkkkz.", "ssssrsz..")},
            {"hurt", make("skssksz.", "ssksksz.", "sssrrrz..")},
            {"ko", make("sksksz..", "ssksksz.", "sssssz...")}};
}

rig::Model MakeArcher() {
    rig::Body b;
    b.torso = 6.0f;
    b.hipWidth = 2.8f;
    b.chestWidth = 3.0f;
    b.upperArm = 3.4f;
    b.foreArm = 3.1f;
    b.armRadius = 1.2f;
    b.handRadius = 1.35f;
    b.thigh = 4.2f;
    b.shin = 4.0f;
    b.legRadius = 1.45f;
    b.foot = 2.8f;
    b.footRadius = 1.15f;
    b.top = b.sleeve = kTunic;
    b.farSleeve = kTunicFar;
    b.legs = kTrousers;
    b.farLegs = kTrousersFar;
    b.boots = Ramp{kGold, kSand, kWood};
    b.farBoots = Ramp{kSand, kWood, kEarth};
    b.gloves = kSkinRamp;
    b.farGloves = kSkinFar;
    b.head = Heads().at("");
    rig::Model m = rig::Humanoid("archer", b);
    m.FindPart("head")->sprites = Heads();
    m.legend = {{'c', kRose}, {'y', kMauve}, {'Y', kDusk},  {'w', kMauve}, {'a', kDusk}, {'n', kNight},
                {'s', kSkin},  {'S', kCream}, {'z', kSand},  {'k', kInk},  {'r', kRose}};
    // White wraps on his shins, a dark sash, and a quiver of arrows on the
    // back.
    m.FindPart("shinN")->ramp = kWraps;
    m.FindPart("shinF")->ramp = kWrapsFar;
    m.AddPart(EllipsePart("sash", "torso", 1, Ramp{kDusk, kNight, kInk}, 3.0f, 0.9f, 0.14f));
    m.AddBone(enemies::Follow(MakeBone("quiver", "torso", 7, 0.15f, {-2.6f, 0}, 200)));
    m.AddPart(CapsulePart("quiver", "quiver", -8, kQuiver, 1.4f, 1.6f, 0.0f, 0.8f));
    m.AddPart(CapsulePart("fletch", "quiver", -9, Ramp{kWhite, kCream, kSand}, 1.1f, 1.1f, 0.8f, 1.0f));
    // The longbow in the far hand: a grip, two limbs bending back at their
    // tips, and the string, drawn to the near hand while he aims.
    m.AddBone(enemies::Follow(MakeBone("bowU", "foreF", 6.0f, 1, {0, 0}, 90)));
    m.AddBone(enemies::Follow(MakeBone("bowU2", "bowU", 4.5f, 1, {0, 0}, 125)));
    m.AddBone(enemies::Follow(MakeBone("bowL", "foreF", 5.0f, 1, {0, 0}, -90)));
    m.AddBone(enemies::Follow(MakeBone("bowL2", "bowL", 4.0f, 1, {0, 0}, -125)));
    for (const char* limb : {"bowU", "bowU2", "bowL", "bowL2"})
        m.AddPart(CapsulePart(limb, limb, 16, kBowWood, 0.9f, 0.7f));
    m.AddPart(EllipsePart("grip", "bowU", 17, Ramp{kCoral, kRed, kCrimson}, 0.9f, 1.0f, 0.0f));
    auto string = [&](const char* name, const char* from, const char* to) {
        rig::Part p;
        p.name = name;
        p.bone = from;
        p.target = to;
        p.kind = rig::Kind::Line;
        p.layer = 18;
        p.ramp = Ramp{kWhite, kCream, kSand};
        p.outline = false;
        return p;
    };
    m.AddPart(string("string", "bowU2", "bowL2"));
    m.AddPart(enemies::Hidden(string("drawnU", "bowU2", "handN")));
    m.AddPart(enemies::Hidden(string("drawnL", "bowL2", "handN")));
    // The nocked arrow, from the near hand past the bow.
    m.AddBone(MakeBone("arrow", "foreN", 11, 1, {0, 0}, 90));
    m.AddPart(enemies::Hidden(CapsulePart("shaft", "arrow", 17, kShaft, 0.5f, 0.5f, 0.0f, 0.9f)));
    m.AddPart(enemies::Hidden(CapsulePart("head", "arrow", 17, Ramp{kWhite, kStoneLight, kStone}, 0.9f, 0.3f, 0.88f, 1.08f)));
    return m;
}

// clang-format off
const HumanPose kPoses[] = {
//  name       hip x   y   torso head   armN foreN  armF foreF   legN shinN footN  legF shinF footF  extra
  {"stand",    18, 24,   174, 180,    15,  40,   35,  80,     22, -10,  90,   -18,  -8,  90,   "bowU=165 bowU2=195 bowL=-15 bowL2=-45"},
  {"draw",     16, 24,   176, 178,    95, 110,   88,  90,     30,   0,  90,   -25, -10,  90,   "armF*1.35 foreF*1.35 show:drawnU,drawnL,shaft,head arrow=90 arrow*1.2 hide:string"},
  {"aim",      15, 24,   178, 180,    75, 160,   90,  90,     30,   0,  90,   -25, -10,  90,   "armF*1.45 foreF*1.45 show:drawnU,drawnL,shaft,head arrow=90 arrow*1.3 hide:string"},
  {"loose",    15, 24,   178, 180,   -60, -20,   90,  90,     30,   0,  90,   -25, -10,  90,   "armF*1.45 foreF*1.45 face:blink"},
  {"draw_up",  15, 25,   192, 192,   118, 140,  118, 118,     30,   0,  90,   -25, -10,  90,   "armF*1.35 foreF*1.35 show:drawnU,drawnL,shaft,head arrow=118 arrow*1.2 hide:string"},
  {"aim_up",   14, 25,   194, 194,    95, 190,  120, 120,     30,   0,  90,   -25, -10,  90,   "armF*1.45 foreF*1.45 show:drawnU,drawnL,shaft,head arrow=120 arrow*1.3 hide:string"},
  {"loose_up", 14, 25,   194, 194,   -40,   0,  120, 120,     30,   0,  90,   -25, -10,  90,   "armF*1.45 foreF*1.45 face:blink"},
  {"hurt",     20, 24,   205, 200,    70, 120,  110, 150,     40,  20,  60,   -15, -30,  70,   "place:hip face:hurt"},
  {"hop",      20, 24,   215, 210,   110, 150,  140, 170,     60,  40,  60,    30,  20,  50,   "place:hip face:ko"},
  {"body",     24, 29,   272, 270,   100, 110,   80, 100,     88,  92, 175,    92,  95, 170,   "face:ko bowU=150 bowU2=120 bowL=-30 bowL2=-60"},
};
// clang-format on

Canvas PaintArcher(const Layout& l, const Cell& c) {
    static const rig::Model archer = MakeArcher();
    static const std::vector<enemies::Sheen> sheens =
        enemies::Sheens({kTunic, kTunicFar, kTrousers, kSkinRamp, kWraps, kQuiver, kBowWood});
    return enemies::Lit(enemies::DrawPose(archer, enemies::FindPose(kPoses, c.pose, "archer"), l, c), sheens, kInk, kMist);
}

rig::Model MakeArrow() {
    rig::Model m;
    m.name = "arrow";
    m.AddBone(MakeBone("shaft", "", 12, 0, {0, 0}, 90));
    m.AddPart(CapsulePart("shaft", "shaft", 0, kShaft, 0.5f, 0.5f, 0.0f, 0.85f));
    m.AddPart(CapsulePart("head", "shaft", 1, Ramp{kWhite, kStoneLight, kStone}, 1.0f, 0.3f, 0.82f, 1.0f));
    m.AddPart(CapsulePart("fletch", "shaft", 1, Ramp{kCoral, kRed, kCrimson}, 1.2f, 0.6f, 0.0f, 0.2f));
    return m;
}

Canvas PaintArrow(const Layout& l, const Cell& c) {
    static const rig::Model arrow = MakeArrow();
    return enemies::DrawPose(arrow, "root:2,8 place:centre", l, c);
}

const Layout kArcherLayout{161, 42, "archer_slot42", {
    {"stand", "230 250 254 258 262", 0, 0, Anchor::Body},
    {"draw", "231", 40, 0, Anchor::Body},
    {"aim", "232", 80, 0, Anchor::Body},
    {"loose", "233", 120, 0, Anchor::Body},
    {"draw_up", "251 255 259 263", 160, 0, Anchor::Body},
    {"aim_up", "252 256 260 264", 200, 0, Anchor::Body},
    {"loose_up", "253 257 261 265", 0, 40, Anchor::Body},
    {"hurt", "10 110 111", 40, 40, Anchor::Centre},
    {"hop", "112", 80, 40, Anchor::Centre},
    {"body", "113", 120, 40, Anchor::Body},
}, 256, {}, PaintArcher};
ART_LAYOUT(kArcherLayout);

const Layout kArrowLayout{161, 42, "archer_shots_slot42", {
    {"arrow", "effect 710 720", 160, 40, Anchor::Centre},
}, 256, enemies::kShotCell, PaintArrow};
ART_LAYOUT(kArrowLayout);

const Review kArcherReview{"archer", {161}, {
    {"straight 230", {{"stand", 40}, {"draw", 8}, {"aim", 12}, {"loose", 12}, {"arrow", 0}, {"stand", 40}}},
    {"lobbed 250", {{"stand", 20}, {"draw_up", 8}, {"aim_up", 12}, {"loose_up", 12}, {"arrow", 0, -50}, {"stand", 20}}},
    {"defeat 110", {{"stand", 4}, {"hurt", 20}, {"hurt", 20}, {"hop", 10}, {"body", 60}}},
}, {{"stand", 0}, {"draw", 0}, {"aim", 0}, {"aim_up", 0}, {"arrow", 0}, {"body", 0}}};
ART_REVIEW(kArcherReview);

}  // namespace
