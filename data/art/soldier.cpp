// The soldier: texture slot 35 (resource 136), 256 x 256, 40 x 40 cells,
// anchored at the body's centre (Body) but for the hurt cell (Centre).
//
// A castle foot soldier (ashigaru): a wide, shallow conical jingasa of
// indigo lacquer with a gold mon, a red lacquered do laced in dark cord
// over an indigo-dyed tunic and hakama, straw sandals, a white sashimono
// banner standing above his hat and a long yari. Nothing of the living armour's
// bulk, gilt crest, glowing visor or katana: he is a man, with a face under
// the hat brim.
//
//  cell        at       anchor  states
//  stand       0,0      body    230 250 252 254 (the guard, the patrol's rest), 220, 350
//  alert       40,0     body    231  (crouched, the spear lowered: he has seen the player)
//  walk_a      80,0     body    232 251
//  walk_b      120,0    body    233 253
//  hurt        160,0    centre  10 110 111
//  look        0,40     body    351  (looking about over his shoulder)
//  surprised   40,40    body    352  (starting back, the mark above him)
//  ready       80,40    body    353  (the spear levelled)
//  down        120,40   body    354  (knocked down)
#include "Enemies.h"
#include "Palette.h"

namespace {

using enemies::HumanPose;
using rig::CapsulePart;
using rig::EllipsePart;
using rig::MakeBone;
using rig::Ramp;
using rig::Sprite;

const Ramp kCuirass{kCoral, kRed, kCrimson};
const Ramp kLacing{kStone, kStoneDark, kNight};
const Ramp kTunic{kLilac, kIndigo, kNavy};
const Ramp kTunicFar{kIndigo, kNavy, kNight};
const Ramp kSandal{kGold, kSand, kWood};
const Ramp kSkinRamp{kCream, kSkin, kSand};
const Ramp kSkinFar{kSkin, kSand, kWood};
const Ramp kFlag{kWhite, kCream, kSand};

// The head faces right; its pivot is the neck. J/j the hat's lacquer and
// its shadowed far tip, L the sheen on its lit slope, g the gold mon on
// its front, h hair, s skin, k eyes, m mouth, d the chin cord. The jingasa
// is a wide, shallow cone: straight slopes from a low peak out past the
// shoulders, nothing turned up.
std::map<std::string, Sprite> Heads() {
    const std::vector<std::string> hat = {
        "......JJJ......",
        "....LJJJJJJ....",
        "..LJJJJJJgJJJ..",
        "LLJJJJJJJJJJJJj",
    };
    auto make = [&](const char* r5, const char* r6, const char* r7) {
        std::vector<std::string> rows = hat;
        rows.insert(rows.end(), {r5, r6, r7, ".....dsssd....."});
        return Sprite{rows, {7, 7}};
    };
    return {
        {"", make("....hhssksk....", "....hsssssss...", "....dsssmss....")},
        {"blink", make("....hhsskkk....", "....hsssssss...", "....dsssmss....")},
        {"shout", make("....hhskssk....", "....hssssmmm...", "....dsssmss....")},
        {"hurt", make("....hhkssskk...", "....hsssssss...", "....dssmmss....")},
        {"ko", make("....hhskskk....", "....hsssssss...", "....dssmmss....")},
        {"back", make("....hhhhhhss...", "....hhhhhhss...", "....dhhhhss....")},
    };
}

rig::Model MakeSoldier() {
    rig::Body b;
    b.torso = 5.8f;
    b.hipWidth = 2.8f;
    b.chestWidth = 3.3f;
    b.upperArm = 3.3f;
    b.foreArm = 3.0f;
    b.armRadius = 1.25f;
    b.handRadius = 1.3f;
    b.thigh = 4.1f;
    b.shin = 4.0f;
    b.legRadius = 1.45f;
    b.foot = 2.6f;
    b.footRadius = 1.1f;
    b.top = kCuirass;
    b.sleeve = kTunic;
    b.farSleeve = kTunicFar;
    b.legs = kTunic;
    b.farLegs = kTunicFar;
    b.boots = kSandal;
    b.farBoots = Ramp{kSand, kWood, kEarth};
    b.gloves = kSkinRamp;
    b.farGloves = kSkinFar;
    b.head = Heads().at("");
    rig::Model m = rig::Humanoid("soldier", b);
    m.FindPart("head")->sprites = Heads();
    m.legend = {{'J', kIndigo}, {'j', kNavy}, {'L', kLilac}, {'g', kGold}, {'h', kEarthDark},
                {'s', kSkin},  {'k', kInk},  {'m', kCrimson}, {'d', kEarth}};
    // The do: red lacquer laced across in dark cord, a gold mon on the chest,
    // and a short skirt of plates at the waist over the plain hakama.
    for (int i = 0; i < 2; ++i)
        m.AddPart(enemies::Flat(EllipsePart("lace" + std::to_string(i), "torso", 1, kLacing, 3.1f, 0.4f,
                                            0.2f + 0.3f * static_cast<float>(i))));
    m.AddPart(enemies::Flat(EllipsePart("mon", "torso", 2, Ramp{kCream, kGold, kAmber}, 0.8f, 0.8f, 0.72f)));
    m.AddPart(enemies::PolyPart("tassets", "torso", 3, kCuirass,
                                {{-2.9f, -0.2f}, {2.9f, -0.2f}, {3.3f, 1.8f}, {-3.4f, 1.8f}}));
    m.AddPart(enemies::Flat(EllipsePart("tassetLace", "torso", 4, kLacing, 3.1f, 0.35f, -0.12f)));
    // The sashimono at his back: a tall pole and a narrow white banner
    // standing above the hat.
    m.AddBone(enemies::Follow(MakeBone("pole", "torso", 15.0f, 0.45f, {-3.0f, 0}, 183)));
    m.AddPart(CapsulePart("pole", "pole", -26, Ramp{kSand, kWood, kEarth}, 0.45f, 0.45f));
    m.AddPart(enemies::PolyPart("flag", "pole", -27, kFlag, {{0.4f, -15.4f}, {0.4f, -9.4f}, {-3.6f, -9.4f}, {-3.6f, -15.4f}}));
    // The yari in the near hand: a long shaft and a long steel head.
    m.AddBone(MakeBone("spear", "handN", 13, 1, {0, 0}, 180));
    m.AddPart(CapsulePart("shaft", "spear", 14, Ramp{kSand, kWood, kEarth}, 0.45f, 0.45f, -0.2f, 0.78f));
    m.AddPart(EllipsePart("collar", "spear", 15, Ramp{kStone, kStoneDark, kInk}, 0.7f, 0.35f, 0.78f));
    m.AddPart(CapsulePart("blade", "spear", 14, Ramp{kWhite, kStoneLight, kStone}, 0.7f, 0.15f, 0.78f, 1.0f));
    return m;
}

// clang-format off
const HumanPose kPoses[] = {
//  name         hip x   y   torso head   armN foreN  armF foreF   legN shinN footN  legF shinF footF  extra
  {"stand",      20, 24,   176, 180,    15,  95,  -15,  20,     22, -10,  90,   -16,  -6,  90,   "spear=178"},
  {"alert",      15, 26,   160, 172,    55,  88,   30,  85,     60, -15,  90,   -30, -45,  85,   "face:shout spear=100"},
  {"walk_a",     17, 24,   170, 178,    35,  95,   10,  70,     35,  15,  95,   -30, -25,  80,   "spear=125"},
  {"walk_b",     17, 24,   171, 178,    40, 100,   15,  75,    -30, -25,  80,    35,  15,  95,   "spear=120"},
  {"hurt",       20, 24,   205, 200,    70, 120,  110, 150,     40,  20,  60,   -15, -30,  70,   "place:centre face:hurt spear=150"},
  {"look",       20, 24,   178, 185,    15,  95,  -15,  20,     22, -10,  90,   -16,  -6,  90,   "face:back spear=176"},
  {"surprised",  19, 24,   192, 192,   120, 160,  110, 150,     30,   5,  80,   -25, -20,  85,   "face:shout spear=222"},
  {"ready",      15, 25,   165, 175,    70,  88,   45,  85,     50, -10,  90,   -25, -35,  85,   "spear=92"},
  {"down",       26, 28,   272, 270,   110, 100,   80,  90,     88,  92, 175,    92,  95, 170,   "face:ko spear=265"},
};
// clang-format on

const rig::Model& Soldier() {
    static const rig::Model m = MakeSoldier();
    return m;
}

Canvas PaintSoldier(const Layout& l, const Cell& c) {
    return enemies::DrawPose(Soldier(), enemies::FindPose(kPoses, c.pose, "soldier"), l, c);
}

const Layout kSoldierLayout{136, 35, "soldier_slot35", {
    {"stand", "230 250 252 254 220 350", 0, 0, Anchor::Body},
    {"alert", "231", 40, 0, Anchor::Body},
    {"walk_a", "232 251", 80, 0, Anchor::Body},
    {"walk_b", "233 253", 120, 0, Anchor::Body},
    {"hurt", "10 110 111", 160, 0, Anchor::Centre},
    {"look", "351", 0, 40, Anchor::Body},
    {"surprised", "352", 40, 40, Anchor::Body},
    {"ready", "353", 80, 40, Anchor::Body},
    {"down", "354", 120, 40, Anchor::Body},
}, 256, {}, PaintSoldier};
ART_LAYOUT(kSoldierLayout);

const Review kSoldierReview{"soldier", {136}, {
    {"guard 230 march 232", {{"stand", 20}, {"alert", 8}, {"walk_b", 8}, {"walk_a", 8}, {"walk_b", 8}, {"walk_a", 8}}},
    {"patrol 250", {{"stand", 20}, {"walk_a", 8}, {"stand", 8}, {"walk_b", 8}, {"stand", 8}}},
    {"scene 350-354", {{"stand", 20}, {"look", 20}, {"surprised", 20}, {"ready", 20}, {"down", 20}}},
    {"hurt 10", {{"stand", 4}, {"hurt", 20}, {"stand", 4}}},
}, {{"stand", 0}, {"alert", 0}, {"walk_a", 0}, {"surprised", 0}, {"ready", 0}, {"hurt", 0}}};
ART_REVIEW(kSoldierReview);

}  // namespace

ART_SHEET(136, "soldier") { return PaintedSheet(136); }
