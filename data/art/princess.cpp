// The princess: texture slot 41 (resource 160), 256 x 256, 40 x 40 cells,
// every cell anchored at her body's centre (Body).
//
// A young noblewoman of the castle in a scarlet furisode with long
// cream-lined sleeves, a sea-green obi tied with a white cord and white tabi,
// her long black hair cut straight at the brow (hime cut) and held by a
// silver comb: her own red and green, apart from the kunoichi's plum and
// gold and Luka's coral. She has Luka's
// build (the same bone lengths), so the two stand the same height in the
// scenes, but her kimono hides the legs and her sleeves and hair hang and
// sway where Luka's jacket and ponytail are short.
//
//  cell        at       states
//  stand_a/b   0,0 40,0   230 / 231 (the start pose; the sleeves stir) and 10 220
//  jump        80,0     232      (the jump down, landing light, sleeves spread)
//  talk        120,0    240
//  nod         160,0    241
//  wave_a/b    200,0 0,40   250 / 251
//  hug         40,40    252
//  hug_held    80,40    253
//  turn        120,40   260      (turning away, looking back over her shoulder)
//  call_a/b    160,40 200,40   270 / 271 (calling for help, hands at her mouth)
//  struggle_a/b 0,80 40,80     280 / 281 (held by her captor)
#include "Enemies.h"
#include "Palette.h"

namespace {

using enemies::HumanPose;
using rig::CapsulePart;
using rig::EllipsePart;
using rig::MakeBone;
using rig::Ramp;
using rig::Sprite;

const Ramp kKimono{kCoral, kRed, kCrimson};
const Ramp kKimonoFar{kRed, kCrimson, kNight};
const Ramp kLining{kWhite, kCream, kSand};
const Ramp kObi{kFoam, kWater, kWaterDeep};
const Ramp kCord{kWhite, kCream, kStoneLight};
const Ramp kHairRamp{kDusk, kNight, kInk};
const Ramp kSkinRamp{kCream, kSkin, kSand};
const Ramp kSkinFar{kSkin, kSand, kWood};
const Ramp kTabi{kWhite, kCream, kStoneLight};

// The head faces right; its pivot is the neck. h/H/d hair, s skin, k eyes,
// m lips, z shade under the chin, g the silver comb, c the white collar.
std::map<std::string, Sprite> Heads() {
    const std::vector<std::string> top = {
        "...hhhhh.g.",
        ".hhHHHHHgGg",
        "hHHHHHHHHgH",
        "HHHHHHHHHHH",
        "HHHHHHHHHHH",
    };
    auto make = [&](const char* r5, const char* r6, const char* r7, const char* r8) {
        std::vector<std::string> rows = top;
        rows.insert(rows.end(), {r5, r6, r7, r8, "dHHHHccc..."});
        return Sprite{rows, {5, 9}};
    };
    std::map<std::string, Sprite> heads = {
        {"", make("HHHHHssssss", "HHHHHskssks", "dHHHHsssssm", "dHHHHzssz..")},
        {"blink", make("HHHHHssssss", "HHHHHsksksk", "dHHHHsssssm", "dHHHHzssz..")},
        {"call", make("HHHHHssssss", "HHHHHskssks", "dHHHHssssmk", "dHHHHzssz..")},
        {"hurt", make("HHHHHssssss", "HHHHHkssskk", "dHHHHssssmm", "dHHHHzssz..")},
    };
    // Looking back over her shoulder: the hair and comb, a sliver of cheek.
    heads["back"] = Sprite{{
                               "...hhhhh...",
                               ".hhHHHHHhh.",
                               "gGgHHHHHHHh",
                               "HgHHHHHHHHH",
                               "HHHHHHHHHHH",
                               "HHHHHHHHHHs",
                               "HHHHHHHHHHk",
                               "dHHHHHHHHss",
                               "dHHHHHHHHz.",
                               "dHHHHccc...",
                           },
                           {5, 9}};
    return heads;
}

rig::Model MakePrincess() {
    // Luka's build.
    rig::Body b;
    b.torso = 5.6f;
    b.hipWidth = 2.7f;
    b.chestWidth = 2.8f;
    b.upperArm = 3.3f;
    b.foreArm = 3.0f;
    b.armRadius = 1.25f;
    b.handRadius = 1.2f;
    b.thigh = 4.3f;
    b.shin = 4.2f;
    b.legRadius = 1.2f;
    b.foot = 2.4f;
    b.footRadius = 1.0f;
    // The arms in the cream of the sleeves' lining, so that they read
    // against the kimono.
    b.top = b.legs = kKimono;
    b.sleeve = kLining;
    b.farSleeve = Ramp{kCream, kSand, kWood};
    b.farLegs = kKimonoFar;
    b.boots = kTabi;
    b.farBoots = Ramp{kCream, kStoneLight, kStone};
    b.gloves = kSkinRamp;
    b.farGloves = kSkinFar;
    b.head = Heads().at("");
    rig::Model m = rig::Humanoid("princess", b);
    m.FindPart("head")->sprites = Heads();
    m.legend = {{'h', kDusk},  {'H', kNight}, {'d', kInk},   {'s', kSkin}, {'k', kInk},  {'m', kRose},
                {'z', kSand},  {'g', kFoam},  {'G', kWhite}, {'c', kWhite}};
    // Long straight hair down her back, swaying.
    m.AddBone(rig::TrailBone("hair1", "head", 3.4f, 0, {-3.8f, -5.0f}, 8, 10));
    m.AddBone(rig::TrailBone("hair2", "hair1", 3.4f, 1, {0, 0}, 8, 10));
    m.AddBone(rig::TrailBone("hair3", "hair2", 2.6f, 1, {0, 0}, 8, 10));
    m.AddPart(CapsulePart("hair1", "hair1", -23, kHairRamp, 2.6f, 2.5f));
    m.AddPart(CapsulePart("hair2", "hair2", -23, kHairRamp, 2.5f, 2.2f));
    m.AddPart(CapsulePart("hair3", "hair3", -23, kHairRamp, 2.2f, 1.4f));
    // The kimono's skirt from the waist to the ankles, over the legs.
    m.AddBone(enemies::Follow(MakeBone("skirt", "torso", 7.6f, 0, {0, 0.2f}, 0)));
    rig::Part skirt = CapsulePart("skirt", "skirt", 4, kKimono, 2.9f, 3.5f);
    skirt.edge = true;
    m.AddPart(skirt);
    m.AddPart(EllipsePart("hemLine", "skirt", 5, kLining, 3.4f, 0.5f, 0.96f));
    // The sea-green obi with its white cord, and the white collar crossing
    // at the chest.
    m.AddPart(EllipsePart("obi", "torso", 6, kObi, 3.0f, 1.4f, 0.2f));
    m.AddPart(rig::Part(enemies::Flat(EllipsePart("obiCord", "torso", 7, kCord, 3.1f, 0.3f, 0.2f))));
    m.AddPart(EllipsePart("obiKnot", "torso", -8, kObi, 1.6f, 1.4f, 0.25f));
    m.AddPart(enemies::PolyPart("collar", "torso", 7, Ramp{kWhite, kCream, kStoneLight},
                                {{0.2f, 5.4f}, {1.4f, 5.6f}, {0.4f, 3.4f}}));
    // Long furisode sleeves hanging from the forearms, scarlet with a cream
    // hem.
    m.AddBone(rig::TrailBone("sleeveN", "foreN", 3.2f, 0.3f, {0, 0}, 6, 30));
    m.AddBone(rig::TrailBone("sleeveF", "foreF", 3.2f, 0.3f, {0, 0}, 6, 30));
    m.AddPart(CapsulePart("sleeveN", "sleeveN", 11, kKimono, 1.6f, 2.2f));
    m.AddPart(EllipsePart("cuffN", "sleeveN", 11, kLining, 2.0f, 0.5f, 0.95f));
    m.AddPart(CapsulePart("sleeveF", "sleeveF", -21, kKimonoFar, 1.6f, 2.2f));
    return m;
}

// clang-format off
const HumanPose kPoses[] = {
//  name          hip x   y   torso head   armN foreN  armF foreF   legN shinN footN  legF shinF footF  extra
  {"stand_a",     20, 24,   177, 180,    25,  75,  -10,  60,      6,  -2,  90,    -6,   2,  90,   "wind:-20 phase:0"},
  {"stand_b",     20, 24,   178, 175,   28,  82,  -14,  52,      6,  -2,  90,    -6,   2,  90,   "face:blink wind:-50 phase:180"},
  {"jump",        20, 24,   178, 184,   110, 140, -110,-140,     12,  -4,  80,    -8,   0,  80,   "face:blink wind:150 phase:0"},
  {"talk",        20, 24,   176, 178,    55, 120,  -10,  55,      6,  -2,  90,    -6,   2,  90,   "wind:-20 phase:40"},
  {"nod",         20, 24,   172, 160,    25,  80,  -10,  60,      6,  -2,  90,    -6,   2,  90,   "face:blink wind:-20 phase:80"},
  {"wave_a",      20, 24,   176, 184,   125, 140,  -10,  55,      6,  -2,  90,    -6,   2,  90,   "wind:-25 phase:0"},
  {"wave_b",      20, 24,   180, 178,   165, 215,  -10,  55,      6,  -2,  90,    -6,   2,  90,   "face:blink wind:-25 phase:180"},
  {"hug",         20, 24,   166, 172,    90, 120,   85, 115,     10,  -2,  90,    -8,   2,  90,   "wind:-40 phase:0"},
  {"hug_held",    20, 24,   168, 170,    82, 150,   78, 145,     10,  -2,  90,    -8,   2,  90,   "face:blink wind:-40 phase:90"},
  {"turn",        20, 24,   182, 185,   -15,  30,   10,  60,     -4,   2,  90,     6,  -2,  90,   "face:back wind:-30 phase:60"},
  {"call_a",      20, 24,   180, 188,    55, 160,   40, 150,      6,  -2,  90,    -6,   2,  90,   "face:call wind:-35 phase:0"},
  {"call_b",      20, 24,   170, 174,    60, 165,   45, 155,      6,  -2,  90,    -6,   2,  90,   "face:call wind:-45 phase:150"},
  {"struggle_a",  20, 24,   168, 172,   150, 170,  160, 175,     25,  10,  70,   -15, -25,  80,   "face:hurt wind:60 phase:0"},
  {"struggle_b",  20, 24,   190, 188,   140, 165,  150, 170,    -10, -25,  80,    20,   5,  70,   "face:hurt wind:-60 phase:180"},
};
// clang-format on

const rig::Model& Princess() {
    static const rig::Model m = MakePrincess();
    return m;
}

Canvas PaintPrincess(const Layout& l, const Cell& c) {
    return enemies::DrawPose(Princess(), enemies::FindPose(kPoses, c.pose, "princess"), l, c);
}

const Layout kPrincessLayout{160, 41, "princess_slot41", {
    {"stand_a", "230 10 220", 0, 0, Anchor::Body},
    {"stand_b", "231", 40, 0, Anchor::Body},
    {"jump", "232", 80, 0, Anchor::Body},
    {"talk", "240", 120, 0, Anchor::Body},
    {"nod", "241", 160, 0, Anchor::Body},
    {"wave_a", "250", 200, 0, Anchor::Body},
    {"wave_b", "251", 0, 40, Anchor::Body},
    {"hug", "252", 40, 40, Anchor::Body},
    {"hug_held", "253", 80, 40, Anchor::Body},
    {"turn", "260", 120, 40, Anchor::Body},
    {"call_a", "270", 160, 40, Anchor::Body},
    {"call_b", "271", 200, 40, Anchor::Body},
    {"struggle_a", "280", 0, 80, Anchor::Body},
    {"struggle_b", "281", 40, 80, Anchor::Body},
}, 256, {}, PaintPrincess};
ART_LAYOUT(kPrincessLayout);

const Review kPrincessReview{"princess", {160}, {
    {"start 230 jump 232", {{"stand_a", 1}, {"stand_b", 1}, {"stand_a", 1}, {"stand_b", 1}, {"jump", 20}, {"stand_a", 10}}},
    {"ending 240 250 252", {{"talk", 20}, {"nod", 20}, {"wave_a", 16}, {"wave_b", 16}, {"hug", 20}, {"hug_held", 20}, {"turn", 20}}},
    {"opening 270 280", {{"call_a", 12}, {"call_b", 12}, {"call_a", 12}, {"struggle_a", 2}, {"struggle_b", 2}, {"struggle_a", 2}}},
}, {{"stand_a", 0}, {"talk", 0}, {"wave_a", 0}, {"call_a", 0}, {"struggle_a", 0}, {"turn", 0}}};
ART_REVIEW(kPrincessReview);

}  // namespace

ART_SHEET(160, "princess") { return PaintedSheet(160); }
