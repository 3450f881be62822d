// The living armour: a suit of lacquered samurai armour with nobody
// inside, two amber eyes glowing in the dark under a horned helmet, a long
// katana in its hand. 40 x 48 cells (it stands taller than the player).
// Its three variants wear their own lacquer, and each variant's records 10,
// 110 and 111 take its own hurt picture:
//   10121 (walks and strikes)   bronze   slot 30 (resource 131)
//   10122 (stands and strikes)  crimson  slot 30, hurt at anchor (105, 105)
//   10123 (stands and throws)   jade     slot 29 (resource 130), hurt at anchor (105, 225)
//
// Slot 30 (the enemy ninja fills the left of the sheet, enemy_ninja.cpp):
//  cell             at        anchor  states
//  bronze.walk_1..3 130,0 170,0 210,0   body  230 231 232
//  bronze.walk_4    130,48    body    233
//  bronze.raise     170,48    body    235         (sword raised overhead: the strike is coming)
//  bronze.strike    210,48    body    236         (strike 340 spawns on entry)
//  bronze.hurt      130,96    centre  10 110 111
//  crimson.stand    170,96    body    250
//  crimson.raise    210,96    body    251
//  crimson.strike   130,144   body    252         (strike 340)
//  crimson.hurt     85,71     centre  10 110 111 of 10122: anchor (105, 105)
//  slash_1..3       170,144 210,144 85,123  centre  attack effect 340 341 342 (the strike: a
//                   crescent around the armour's shoulder, drawn at the armour's own anchor)
// Slot 29 (the rest of the sheet is free for the snow fairy and the crow):
//  jade.stand       5,191     body    270
//  jade.raise       45,191    body    271
//  jade.hurt        85,191    centre  10 110 111 of 10123: anchor (105, 225)
//  jade.charge      125,191   body    272         (sword held high, the blade alight)
//  jade.throw       165,191   body    273         (the wave 350 leaves the blade)
//  wave             205,191   centre  attack effect 350 (16 x 32: a flying crescent of light)
#include "Enemies.h"
#include "Palette.h"

namespace {

using enemies::HumanPose;
using rig::CapsulePart;
using rig::EllipsePart;
using rig::MakeBone;
using rig::Ramp;
using rig::Sprite;

struct Lacquer {
    Ramp plate, far, lacing;
};
const Lacquer kBronzeLacquer{{kAmber, kWood, kEarth}, {kWood, kWood, kEarthDark}, {kCoral, kRed, kCrimson}};
const Lacquer kCrimsonLacquer{{kRose, kCrimson, kNight}, {kCrimson, kNight, kInk}, {kCream, kGold, kAmber}};
const Lacquer kJadeLacquer{{kLeaf, kGrass, kPine}, {kGrass, kPine, kPineDark}, {kCream, kGold, kAmber}};

const rig::CellGeometry kArmourCell{40, 48, 44, 20, 34, 10, 14};

// The helmet faces right; its pivot is the neck. p/P/d are the lacquer's
// tones, y/Y the gold crest (a single blade over a gilt disc, nothing like a
// pair of horns), k the empty dark inside, e the cold light that fills the
// visor where a face should be; the neck guard flares wide behind.
std::map<std::string, Sprite> Heads() {
    auto make = [](const char* glow) {
        return Sprite{{
                          "......Y.......",
                          ".....YyY......",
                          "......y.......",
                          "....yyoyy.....",
                          "...pPPPPPPp...",
                          "..pPPPPPPPPd..",
                          ".pPPPPPPPPPPd.",
                          "pPPPPPPPPPPPPd",
                          "pPPdkkkkkkkk..",
                          std::string("PPPdk") + glow,
                          "PPPdkkkkkkkk..",
                          "dPPPd.kllk....",
                          "dPPd...kk.....",
                          ".dd...........",
                      },
                      {6, 12}};
    };
    return {{"", make("eeeeeek.."), }, {"hurt", make("kekeke...")}, {"dark", make("kkkkkkk..")}};
}

rig::Model MakeArmour(const Lacquer& lq) {
    rig::Body b;
    // Bulkier than any ninja: a third again as broad and heavy.
    b.torso = 8.0f;
    b.hipWidth = 4.3f;
    b.chestWidth = 5.2f;
    b.upperArm = 4.2f;
    b.foreArm = 3.9f;
    b.armRadius = 1.9f;
    b.handRadius = 2.0f;
    b.thigh = 5.0f;
    b.shin = 4.6f;
    b.legRadius = 2.2f;
    b.foot = 3.6f;
    b.footRadius = 1.6f;
    b.shoulderDown = 1.6f;
    b.top = lq.plate;
    b.sleeve = b.legs = Ramp{kDusk, kNight, kInk};
    b.farSleeve = b.farLegs = Ramp{kNight, kInk, kInk};
    b.boots = Ramp{kStone, kNight, kInk};
    b.farBoots = Ramp{kNight, kInk, kInk};
    b.gloves = lq.plate;
    b.farGloves = lq.far;
    b.head = Heads().at("");
    rig::Model m = rig::Humanoid("living armour", b);
    m.FindPart("head")->sprites = Heads();
    m.legend = {{'p', lq.plate.light}, {'P', lq.plate.mid}, {'d', lq.plate.dark}, {'y', kGold},
                {'o', kCream},         {'k', kInk},         {'e', kFoam},  {'l', lq.lacing.mid}, {'Y', kCream}};
    // Lacing across the breastplate.
    for (int i = 0; i < 3; ++i)
        m.AddPart(enemies::Flat(EllipsePart("lace" + std::to_string(i), "torso", 1, lq.lacing, 3.8f, 0.5f, 0.3f + 0.25f * static_cast<float>(i))));
    // Broad shoulder plates that hang from the shoulders and turn with the arms.
    rig::Part sodeN = enemies::PolyPart("sodeN", "armN", 13, lq.plate, {{-3.1f, -1.4f}, {3.1f, -1.4f}, {3.4f, 4.0f}, {-3.4f, 4.0f}});
    sodeN.edge = true;
    m.AddPart(sodeN);
    m.AddPart(enemies::PolyPart("sodeF", "armF", -19, lq.far, {{-3.1f, -1.4f}, {3.1f, -1.4f}, {3.4f, 4.0f}, {-3.4f, 4.0f}}));
    m.AddPart(enemies::Flat(EllipsePart("sodeLace", "armN", 14, lq.lacing, 2.5f, 0.45f, 0.45f)));
    // The skirt of plates below the waist.
    rig::Part skirt = enemies::PolyPart("skirt", "torso", 4, lq.plate, {{-4.5f, -1.4f}, {4.5f, -1.4f}, {5.4f, 3.4f}, {-5.6f, 3.4f}});
    skirt.edge = true;
    m.AddPart(skirt);
    m.AddPart(enemies::Flat(EllipsePart("skirtLace", "torso", 5, lq.lacing, 4.0f, 0.45f, -0.12f)));
    // Shin guards.
    m.AddPart(CapsulePart("guardN", "shinN", 3, lq.plate, 1.8f, 1.6f, 0.25f, 0.85f));
    m.AddPart(CapsulePart("guardF", "shinF", -11, lq.far, 1.8f, 1.6f, 0.25f, 0.85f));
    // The katana, gripped square to the forearm unless a pose turns it.
    m.AddBone(enemies::Follow(MakeBone("sword", "foreN", 13, 1, {0, 0}, 90)));
    m.AddPart(CapsulePart("blade", "sword", 11, Ramp{kWhite, kStoneLight, kStone}, 0.8f, 0.5f, 0.2f, 1.0f));
    m.AddPart(CapsulePart("grip", "sword", 11, Ramp{kStone, kNight, kInk}, 0.85f, 0.85f, -0.1f, 0.16f));
    m.AddPart(EllipsePart("guard", "sword", 12, Ramp{kCream, kGold, kAmber}, 1.5f, 0.6f, 0.18f));
    // The charged blade of the thrower.
    rig::Part glow = CapsulePart("glow", "sword", 10, Ramp{kWhite, kFoam, kLeaf}, 1.8f, 1.4f, 0.25f, 1.05f);
    glow.outline = false;
    m.AddPart(enemies::Hidden(glow));
    return m;
}

// clang-format off
const HumanPose kPoses[] = {
//  name       hip x   y   torso head   armN foreN  armF foreF   legN shinN footN  legF shinF footF  extra
  {"walk_1",   20, 29,   170, 176,     0,  50,   35,  60,     45,  15,  95,   -35, -30,  80,   ""},
  {"walk_2",   20, 28,   174, 178,    15,  70,   10,  40,      5, -45,  70,     0,   0,  90,   ""},
  {"walk_3",   20, 29,   170, 176,    30,  80,  -10,  25,    -35, -30,  80,    45,  15,  95,   ""},
  {"walk_4",   20, 28,   174, 178,    15,  70,   10,  40,      0,   0,  90,     5, -45,  70,   ""},
  {"stand",    20, 29,   175, 180,    15,  70,   15,  45,     22, -10,  90,   -18,  -8,  90,   ""},
  {"raise",    20, 29,   192, 186,   170, 200,  150, 190,     35,   0,  90,   -30, -20,  85,   "sword=195"},
  {"strike",   16, 30,   150, 165,    95,  85,   60,  80,     55,  10,  90,   -40, -40,  80,   "sword=120"},
  {"charge",   20, 29,   185, 182,   175, 185,  160, 185,     30,   0,  90,   -25, -15,  90,   "sword=185 show:glow"},
  {"throw",    14, 30,   148, 165,   100, 100,   50,  70,     55,  10,  90,   -40, -40,  80,   "sword=95"},
  {"hurt",     20, 30,   205, 200,    60, 100,  100, 140,     35,  20,  60,   -15, -30,  70,   "place:hip face:hurt sword=60"},
};
// clang-format on

Canvas PaintArmour(const Layout& l, const Cell& c) {
    static const rig::Model bronze = MakeArmour(kBronzeLacquer), crimson = MakeArmour(kCrimsonLacquer), jade = MakeArmour(kJadeLacquer);
    const enemies::PoseName n = enemies::SplitPose(c.pose);
    const rig::Model& m = n.variant == "crimson" ? crimson : n.variant == "jade" ? jade : bronze;
    return enemies::DrawPose(m, enemies::FindPose(kPoses, n.pose, "living armour"), l, c);
}

const Layout kArmourLayout{131, 30, "living_armour_slot30", {
    {"bronze.walk_1", "230", 130, 0, Anchor::Body},
    {"bronze.walk_2", "231", 170, 0, Anchor::Body},
    {"bronze.walk_3", "232", 210, 0, Anchor::Body},
    {"bronze.walk_4", "233", 130, 48, Anchor::Body},
    {"bronze.raise", "235", 170, 48, Anchor::Body},
    {"bronze.strike", "236", 210, 48, Anchor::Body},
    {"bronze.hurt", "10 110 111", 130, 96, Anchor::Centre},
    {"crimson.stand", "250", 170, 96, Anchor::Body},
    {"crimson.raise", "251", 210, 96, Anchor::Body},
    {"crimson.strike", "252", 130, 144, Anchor::Body},
    {"crimson.hurt", "10 110 111 (10122)", 85, 71, Anchor::Centre},
}, 256, kArmourCell, PaintArmour};
ART_LAYOUT(kArmourLayout);

const Layout kJadeLayout{130, 29, "living_armour_slot29", {
    {"jade.stand", "270", 5, 191, Anchor::Body},
    {"jade.raise", "271", 45, 191, Anchor::Body},
    {"jade.hurt", "10 110 111 (10123)", 85, 191, Anchor::Centre},
    {"jade.charge", "272", 125, 191, Anchor::Body},
    {"jade.throw", "273", 165, 191, Anchor::Body},
}, 256, kArmourCell, PaintArmour};
ART_LAYOUT(kJadeLayout);

// ---------------------------------------------------------------- shots
// The strike: a crescent swept from overhead to low in front, around the
// armour's shoulder, bright at its head and thinning over three frames.
rig::Model MakeSlash() {
    rig::Model m;
    m.name = "armour slash";
    m.AddBone(MakeBone("shoulder", "", 0, 0, {0, 0}, 90));
    m.AddPart(enemies::Hidden(enemies::ArcPart("s1", "shoulder", 0, Ramp{kWhite, kCream, kGold}, 9, 17, 100, -45)));
    m.AddPart(enemies::Hidden(enemies::ArcPart("s2", "shoulder", 0, Ramp{kWhite, kCream, kGold}, 11, 17, 70, -55)));
    m.AddPart(enemies::Hidden(enemies::ArcPart("s3", "shoulder", 0, Ramp{kCream, kGold, kAmber}, 14, 17, 30, -60)));
    return m;
}

rig::Model MakeWave() {
    rig::Model m;
    m.name = "armour wave";
    m.AddBone(MakeBone("core", "", 0, 0, {0, 0}, -90));
    // Swept from either tip, so that the crescent is even along its length.
    m.AddPart(enemies::ArcPart("wave", "core", 0, Ramp{kWhite, kFoam, kLeaf}, 8, 12, 120, 240));
    m.AddPart(enemies::ArcPart("waveB", "core", 0, Ramp{kWhite, kFoam, kLeaf}, 8, 12, 240, 120));
    return m;
}

Canvas PaintArmourShot(const Layout& l, const Cell& c) {
    static const rig::Model slash = MakeSlash(), wave = MakeWave();
    const std::string n = c.pose;
    if (n == "wave") return enemies::DrawPose(wave, "root:14,16 place:centre", l, c);
    // The slash keeps the armour's anchor: its shoulder lies 7 texels above
    // and 1 ahead of the body's centre.
    const char* show = n == "slash_1" ? "s1" : n == "slash_2" ? "s2" : "s3";
    return enemies::DrawPose(slash, std::string("root:21,27 place:hip show:") + show, l, c);
}

const Layout kSlashLayout{131, 30, "living_armour_shots_slot30", {
    {"slash_1", "effect 340", 170, 144, Anchor::Centre},
    {"slash_2", "effect 341", 210, 144, Anchor::Centre},
    {"slash_3", "effect 342", 85, 123, Anchor::Centre},
}, 256, kArmourCell, PaintArmourShot};
ART_LAYOUT(kSlashLayout);

const Layout kWaveLayout{130, 29, "living_armour_shots_slot29", {
    {"wave", "effect 350", 205, 191, Anchor::Centre},
}, 256, {16, 32, 30, 8, 16, 4, 4}, PaintArmourShot};
ART_LAYOUT(kWaveLayout);

const Review kArmourReview{"living_armour", {131, 130}, {
    {"walk 230", {{"bronze.walk_1", 6}, {"bronze.walk_2", 6}, {"bronze.walk_3", 6}, {"bronze.walk_4", 6}, {"bronze.walk_1", 6}}},
    {"strike 235", {{"bronze.walk_4", 6}, {"bronze.raise", 8}, {"bronze.strike", 12}, {"slash_1", 4}, {"slash_2", 4}, {"slash_3", 4}}},
    {"strike 250 10122", {{"crimson.stand", 40}, {"crimson.raise", 8}, {"crimson.strike", 12}, {"crimson.hurt", 20}}},
    {"throw 270 10123", {{"jade.stand", 40}, {"jade.raise", 8}, {"jade.charge", 12}, {"jade.throw", 12}, {"wave", 0}, {"jade.hurt", 20}}},
    {"hurt 10 110", {{"bronze.walk_1", 4}, {"bronze.hurt", 20}, {"bronze.walk_1", 4}}},
}, {{"bronze.walk_1", 0}, {"bronze.raise", 0}, {"bronze.strike", 0}, {"crimson.stand", 0}, {"jade.charge", 0}, {"wave", 0}, {"bronze.hurt", 0}}};
ART_REVIEW(kArmourReview);

}  // namespace
