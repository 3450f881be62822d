// The enemy ninja: texture slot 30 (resource 131), shared with the living
// armour (living_armour.cpp), 40 x 40 cells like the player's, and its
// shots in 16 x 16 and 32 x 32 cells.
//
// A rival shinobi on the player Ninja's frame: a blood-red suit, a steel
// brow plate with two short band tails in the suit's shade, and a dark face
// slit with gold eyes in place of the player's skin and red scarf. Red is
// no playable character's colour (the kunoichi wears violet, the Ninja
// slate blue), so the foe reads as a foe at a glance. The thrower variant
// (10092) wears olive; its records 10, 110 and 111 take its hurt picture at
// the anchor (105, 45).
//
//  cell           at       anchor  states
//  walk_1..4      0,0 40,0 0,40 40,40  body  230 231 232 233   (walking at 30)
//  jump           0,80     centre  234                          (over a wall or a gap)
//  wind           40,80    body    235                          (shuriken drawn back: the throw is coming)
//  throw          0,120    body    236                          (shuriken 320 leaves the hand)
//  hurt           40,120   centre  10 110 111
//  olive.stand    0,160    body    250
//  olive.lob_wind 40,160   body    251                          (bomb held low behind)
//  olive.lob      0,200    body    252                          (bomb 330 tossed up and forward)
//  olive.hurt     85,23    centre  10 110 111 of 10092: anchor (105, 45)
// Shots (attack effects):
//  shuriken_a/b   85,2 103,2       centre 320 321 (16 x 16; a spinning star)
//  bomb           44,204           centre 330     (16 x 16; falls under gravity, bursts into the flash)
//  flash_1..6     127,192 to 159,224 (32 x 32), anchored on the ground point at the bottom
//                 centre of the cell: 331-336
//                 (the ground flash; the thunderer's lightning bursts into it too)
#include "Enemies.h"
#include "Palette.h"

namespace {

using enemies::HumanPose;
using rig::CapsulePart;
using rig::EllipsePart;
using rig::MakeBone;
using rig::Ramp;
using rig::Sprite;

struct Suit {
    Ramp cloth, far;
};
const Suit kRedSuit{{kRed, kCrimson, kEarthDark}, {kCrimson, kCrimson, kEarthDark}};
const Suit kOliveSuit{{kGrass, kPine, kPineDark}, {kPine, kPineDark, kInk}};

std::map<std::string, Sprite> Heads() {
    auto make = [](const char* eyes, const char* under) {
        return Sprite{{
                          "....hhhh...",
                          "..hhHHHHHd.",
                          ".hHHHHHHHHd",
                          ".mmmmmmmmmM",
                          "hHHHHkkkkkk",
                          std::string("hHHHH") + eyes,
                          std::string("HHHHH") + under,
                          "HHHHddddddd",
                          ".HHdddddddd",
                          "..dddddd...",
                      },
                      {5, 9}};
    };
    return {{"", make("kyykyy", "kkkkkk")},
            {"blink", make("kkkkkk", "kyykyy")},
            {"hurt", make("kykkyk", "kkykky")}};
}

rig::Model MakeNinja(const Suit& suit) {
    rig::Body b;
    b.torso = 6.0f;
    b.hipWidth = 2.8f;
    b.chestWidth = 3.0f;
    b.upperArm = 3.4f;
    b.foreArm = 3.0f;
    b.armRadius = 1.25f;
    b.handRadius = 1.45f;
    b.thigh = 4.3f;
    b.shin = 4.1f;
    b.legRadius = 1.45f;
    b.foot = 2.8f;
    b.footRadius = 1.15f;
    b.top = b.sleeve = b.legs = suit.cloth;
    b.farSleeve = b.farLegs = suit.far;
    b.boots = Ramp{kStone, kStoneDark, kNight};
    b.farBoots = Ramp{kStoneDark, kNight, kInk};
    b.gloves = Ramp{kStone, kStoneDark, kNight};
    b.farGloves = Ramp{kStoneDark, kNight, kInk};
    b.head = Heads().at("");
    rig::Model m = rig::Humanoid("enemy ninja", b);
    m.FindPart("head")->sprites = Heads();
    m.legend = {{'h', suit.cloth.light}, {'H', suit.cloth.mid}, {'d', suit.far.mid}, {'k', kInk},
                {'y', kGold},            {'m', kStoneLight},    {'M', kStone}};
    // Two short band tails from the brow plate.
    m.AddBone(rig::TrailBone("band1", "head", 2.6f, 0, {-4.5f, -5.5f}, 20, 10));
    m.AddBone(rig::TrailBone("band2", "band1", 2.4f, 1, {0, 0}, 20, 10));
    m.AddPart(CapsulePart("band1", "band1", -22, suit.far, 0.8f, 0.7f));
    m.AddPart(CapsulePart("band2", "band2", -22, suit.far, 0.7f, 0.45f));
    // Steel wraps on the forearms and shins, a dark sash.
    const Ramp wraps{kStoneLight, kStone, kStoneDark};
    m.AddPart(CapsulePart("wrapN", "foreN", 12, wraps, 1.3f, 1.25f, 0.4f, 0.8f));
    m.AddPart(CapsulePart("legwrapN", "shinN", 2, wraps, 1.45f, 1.35f, 0.35f, 0.75f));
    m.AddPart(EllipsePart("sash", "torso", 1, Ramp{kStone, kNight, kInk}, 2.9f, 0.7f, 0.12f));
    // A short sword at the hip.
    m.AddBone(enemies::Follow(MakeBone("tanto", "torso", 6.5f, 0.1f, {-1.5f, 0}, 250)));
    m.AddPart(CapsulePart("scabbard", "tanto", -14, Ramp{kStoneDark, kNight, kInk}, 0.7f, 0.7f, 0.0f, 0.7f));
    m.AddPart(CapsulePart("hilt", "tanto", -14, Ramp{kStoneLight, kStone, kStoneDark}, 0.75f, 0.75f, 0.75f, 1.0f));
    // What the hand holds in a wind-up: a shuriken or a bomb.
    m.AddPart(enemies::Hidden(enemies::SpritePart("star", "handN", 14, {{"", Sprite{{".m.", "mMm", ".m."}, {1, 1}}}})));
    m.AddPart(enemies::Hidden(EllipsePart("bomb", "handN", 14, Ramp{kStone, kNight, kInk}, 1.9f, 1.9f)));
    return m;
}

// clang-format off
const HumanPose kPoses[] = {
//  name        hip x   y   torso head   armN foreN  armF foreF   legN shinN footN  legF shinF footF  extra
  {"walk_1",    20, 24,   162, 172,   -30,  20,   40,  80,     40,  10,  95,   -30, -30,  80,   "wind:-70 phase:0"},
  {"walk_2",    20, 24,   163, 172,    -5,  45,   10,  60,      0, -35,  80,     5,   0,  90,   "wind:-70 phase:90"},
  {"walk_3",    20, 24,   162, 172,    40,  80,  -30,  20,    -30, -30,  80,    40,  10,  95,   "wind:-70 phase:180"},
  {"walk_4",    20, 24,   163, 172,    10,  60,   -5,  45,      5,   0,  90,     0, -35,  80,   "wind:-70 phase:270"},
  {"jump",      20, 24,   165, 172,   -60, -20,  100, 150,     95, -10,  60,    60, -60,  40,   "place:hip wind:-20 face:blink"},
  {"wind",      20, 24,   190, 182,   -95,-120,   70,  95,     40,  -5,  90,   -30, -10,  90,   "show:star wind:-50"},
  {"throw",     20, 24,   158, 170,    90,  92,  -60, -30,     50,   0,  90,   -35, -25,  90,   "wind:-80 phase:90"},
  {"hurt",      20, 24,   205, 200,    70, 120,  110, 150,     40,  20,  60,   -15, -30,  70,   "place:hip face:hurt wind:70 phase:30"},
  {"stand",     20, 24,   172, 180,    25,  80,  -20,  35,     25, -12,  90,   -18,  -8,  90,   "wind:-40"},
  {"lob_wind",  20, 25,   160, 172,   -40, -20,   60,  90,     55, -10,  90,   -30, -40,  85,   "show:bomb wind:-60"},
  {"lob",       20, 24,   178, 178,   140, 160,  -40,  10,     30,   0,  90,   -25, -15,  90,   "wind:-30 phase:90"},
};
// clang-format on

Canvas PaintNinja(const Layout& l, const Cell& c) {
    static const rig::Model red = MakeNinja(kRedSuit), olive = MakeNinja(kOliveSuit);
    const enemies::PoseName n = enemies::SplitPose(c.pose);
    return enemies::DrawPose(n.variant == "olive" ? olive : red, enemies::FindPose(kPoses, n.pose, "enemy ninja"),
                             l, c);
}

const Layout kNinjaLayout{131, 30, "enemy_ninja_slot30", {
    {"walk_1", "230", 0, 0, Anchor::Body},
    {"walk_2", "231", 40, 0, Anchor::Body},
    {"walk_3", "232", 0, 40, Anchor::Body},
    {"walk_4", "233", 40, 40, Anchor::Body},
    {"jump", "234", 0, 80, Anchor::Centre},
    {"wind", "235", 40, 80, Anchor::Body},
    {"throw", "236", 0, 120, Anchor::Body},
    {"hurt", "10 110 111", 40, 120, Anchor::Centre},
    {"olive.stand", "250", 0, 160, Anchor::Body},
    {"olive.lob_wind", "251", 40, 160, Anchor::Body},
    {"olive.lob", "252", 0, 200, Anchor::Body},
    {"olive.hurt", "10 110 111 (10092)", 85, 23, Anchor::Centre},
}, 256, {}, PaintNinja};
ART_LAYOUT(kNinjaLayout);

// ---------------------------------------------------------------- shots
// The shuriken in its two turns: a cross and the same a quarter-beat on.
rig::Model MakeShuriken() {
    rig::Model m;
    m.name = "shuriken";
    m.legend = {{'w', kWhite}, {'m', kStoneLight}, {'M', kStone}, {'k', kNight}};
    m.AddBone(MakeBone("star", "", 0, 0, {0, 0}, 0));
    const Sprite cross{{
                           "...w...",
                           "...m...",
                           "..mMm..",
                           "wmMkMmw",
                           "..mMm..",
                           "...m...",
                           "...w...",
                       },
                       {3.5f, 3.5f}};
    const Sprite turned{{
                            "w.....w",
                            ".mm.mm.",
                            ".mMMMm.",
                            "..MkM..",
                            ".mMMMm.",
                            ".mm.mm.",
                            "w.....w",
                        },
                        {3.5f, 3.5f}};
    m.AddPart(enemies::SpritePart("head", "star", 0, {{"", cross}, {"b", turned}}));
    return m;
}

rig::Model MakeBomb() {
    rig::Model m;
    m.name = "bomb";
    m.AddBone(MakeBone("ball", "", 0, 0, {0, 0}, 180));
    m.AddBone(MakeBone("fuse", "ball", 2.8f, 0, {0.8f, -2.6f}, 150));
    m.AddPart(EllipsePart("ball", "ball", 0, Ramp{kStone, kNight, kInk}, 3.2f, 3.2f));
    m.AddPart(CapsulePart("fuse", "fuse", 1, Ramp{kSand, kWood, kEarth}, 0.5f, 0.5f));
    rig::Part spark = EllipsePart("spark", "fuse", 2, Ramp{kWhite, kGold, kAmber}, 1.3f, 1.3f, 1.0f);
    spark.outline = false;
    m.AddPart(spark);
    return m;
}

// The ground flash: a burst of fire that rises from the ground point and
// dies away over six frames.
rig::Model MakeFlash() {
    rig::Model m;
    m.name = "ground flash";
    m.AddBone(MakeBone("base", "", 0, 0, {0, 0}, 180));
    m.AddBone(MakeBone("core", "base", 6, 0, {0, 0}, 180));
    m.AddBone(MakeBone("tongueB", "base", 6, 0, {-3, 0}, 200));
    m.AddBone(MakeBone("tongueF", "base", 6, 0, {3, 0}, 160));
    const Ramp fire{kCream, kGold, kAmber}, outer{kAmber, kCoral, kRed};
    m.AddPart(CapsulePart("outer", "core", 0, outer, 6, 3));
    m.AddPart(CapsulePart("outerB", "tongueB", 0, outer, 4, 1.5f));
    m.AddPart(CapsulePart("outerF", "tongueF", 0, outer, 4, 1.5f));
    m.AddPart(CapsulePart("inner", "core", 1, fire, 4, 1.5f));
    m.AddPart(CapsulePart("heart", "core", 2, Ramp{kWhite, kWhite, kCream}, 2.2f, 0.8f, 0, 0.7f));
    // The smoke it dies into.
    const Ramp smoke{kStoneLight, kStone, kStoneDark};
    m.AddPart(enemies::Hidden(EllipsePart("smoke1", "core", 3, smoke, 4.2f, 3.4f, 0.85f)));
    m.AddPart(enemies::Hidden(EllipsePart("smoke2", "tongueB", 3, smoke, 3.0f, 2.6f, 0.9f)));
    m.AddPart(enemies::Hidden(EllipsePart("smoke3", "tongueF", 3, smoke, 2.8f, 2.4f, 0.9f)));
    for (rig::Part& p : m.parts) p.outline = false;
    return m;
}

const enemies::PoseLine kShotPoses[] = {
    {"shuriken_a", "root:8,8 place:centre"},
    {"shuriken_b", "root:8,8 place:centre face:b"},
    {"bomb", "root:8,8 place:centre"},
    {"flash_1", "root:16,25 place:hip core*0.35 tongueB*0.2 tongueF*0.2 hide:heart"},
    {"flash_2", "root:16,25 place:hip core*1.0 tongueB*0.8 tongueF*0.8"},
    {"flash_3", "root:16,25 place:hip core*1.6 tongueB*1.3 tongueF*1.3"},
    {"flash_4", "root:16,25 place:hip core*1.9 tongueB*1.5 tongueF*1.5 tongueB=210 tongueF=150 hide:heart"},
    {"flash_5", "root:16,25 place:hip core*1.6 tongueB*1.2 tongueF*1.2 tongueB=220 tongueF=140 hide:heart "
                "show:smoke1"},
    {"flash_6", "root:16,25 place:hip core*1.8 tongueB*1.3 tongueF*1.3 tongueB=230 tongueF=130 "
                "hide:heart,inner,outer,outerB,outerF show:smoke1,smoke2,smoke3"},
};

Canvas PaintShot(const Layout& l, const Cell& c) {
    static const rig::Model star = MakeShuriken(), bomb = MakeBomb(), flash = MakeFlash();
    const std::string name = c.pose;
    const rig::Model& m = name.rfind("shuriken", 0) == 0 ? star : name == "bomb" ? bomb : flash;
    return enemies::DrawPose(m, enemies::FindPose(kShotPoses, name, "enemy ninja shots"), l, c);
}

const Layout kSmallShotLayout{131, 30, "enemy_ninja_shots_slot30", {
    {"shuriken_a", "effect 320", 85, 2, Anchor::Centre},
    {"shuriken_b", "effect 321", 103, 2, Anchor::Centre},
    {"bomb", "effect 330", 44, 204, Anchor::Centre},
}, 256, enemies::kShotCell, PaintShot};
ART_LAYOUT(kSmallShotLayout);

const Layout kFlashLayout{131, 30, "enemy_ninja_flash_slot30", {
    {"flash_1", "effect 331", 127, 192, Anchor::Centre},
    {"flash_2", "effect 332", 159, 192, Anchor::Centre},
    {"flash_3", "effect 333", 191, 192, Anchor::Centre},
    {"flash_4", "effect 334", 223, 192, Anchor::Centre},
    {"flash_5", "effect 335", 127, 224, Anchor::Centre},
    {"flash_6", "effect 336", 159, 224, Anchor::Centre},
}, 256, {32, 32, 31, 16, 31, 8, 8}, PaintShot};
ART_LAYOUT(kFlashLayout);

const Review kNinjaReview{"enemy_ninja", {131}, {
    {"walk 230", {{"walk_1", 6}, {"walk_2", 6}, {"walk_3", 6}, {"walk_4", 6}, {"jump", 12}, {"walk_1", 6}}},
    {"throw 235", {{"walk_4", 6}, {"wind", 8}, {"throw", 20}, {"shuriken_a", 2}, {"shuriken_b", 2}}},
    {"lob 250 10092", {{"olive.stand", 40}, {"olive.lob_wind", 8}, {"olive.lob", 20}, {"bomb", 0}, {"flash_1", 2}, {"flash_2", 2}, {"flash_3", 2}, {"flash_4", 2}, {"flash_5", 2}, {"flash_6", 2}}},
    {"hurt 10 110", {{"walk_1", 4}, {"hurt", 20}, {"olive.stand", 4}, {"olive.hurt", 20}}},
}, {{"walk_1", 0}, {"wind", 0}, {"throw", 0}, {"shuriken_a", 0}, {"olive.lob", 0}, {"hurt", 0}}};
ART_REVIEW(kNinjaReview);

}  // namespace
