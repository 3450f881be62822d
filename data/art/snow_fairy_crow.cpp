// The snow fairy and the crow-billed goblin: texture slot 29 (resource
// 130), 40 x 40 cells in its upper rows (the jade living armour keeps the
// bottom rows, living_armour.cpp).
//
// The snow fairy: a small winter spirit floating over a ring of frost, in
// a white kimono that falls past her feet, an ice-blue obi, long lilac hair
// down her back and a pale face, snowflakes about her; she raises her arms
// and flings two ice crystals up and out.
// The crow-billed goblin (karasu tengu): a crow's head with a gold beak and
// red eyes under a small black cap, a mountain ascetic's cream robe and dark
// hakama, and broad black wings; it flies leaning forward and throws a
// feather dart from its near hand.
//
//  cell            at       anchor  states
//  fairy.stand     0,0      body    230 220 (10060-10063)
//  fairy.raise     40,0     body    231
//  fairy.cast_a    80,0     body    232
//  fairy.cast_b    120,0    body    233
//  fairy.hurt      160,0    centre  10 110 111
//  crow.fly_a      0,40     centre  230 250 220 (10070-10073)
//  crow.fly_b      40,40    centre  231 251
//  crow.throw_a    80,40    centre  232
//  crow.throw_b    120,40   centre  233
//  crow.hurt       160,40   centre  10 110 111
#include "Enemies.h"
#include "Palette.h"

namespace {

using enemies::HumanPose;
using rig::CapsulePart;
using rig::EllipsePart;
using rig::MakeBone;
using rig::Ramp;
using rig::Sprite;

// ---------------------------------------------------------------- the fairy
const Ramp kSnowRobe{kWhite, kStoneLight, kMist};
const Ramp kSnowRobeFar{kStoneLight, kMist, kSlate};
const Ramp kIce{kWhite, kFoam, kWater};
const Ramp kObi{kFoam, kWater, kWaterDeep};
const Ramp kPaleSkin{kWhite, kCream, kSkin};

// The head faces right; its pivot is the neck. H/h her long lilac hair and
// its sheen, i the ice comb in it, s her pale face, k eyes (l shut), m mouth. The
// hair falls down her back to the waist.
std::map<std::string, Sprite> FairyHeads() {
    auto make = [](const char* eyes, const char* mouth) {
        return Sprite{{
                          "...iHHHH...",
                          "..HhHHHHHH.",
                          ".HhHHHHHHHH",
                          ".HHHHHHHHHH",
                          std::string(".HHHHs") + eyes,
                          ".HHHHssssss",
                          std::string(".HHHHH") + mouth,
                          "..HHHH.ss..",
                          "..HHHH.....",
                          "..HHHH.....",
                          "..HHH......",
                          "...HH......",
                      },
                      {7, 8}};
    };
    return {{"", make("kssk.", "ssms.")}, {"blink", make("lssl.", "ssms.")}, {"hurt", make("skssk", "smms.")}};
}

rig::Model MakeFairy() {
    rig::Body b;
    b.torso = 4.8f;
    b.hipWidth = 2.2f;
    b.chestWidth = 2.4f;
    b.upperArm = 2.8f;
    b.foreArm = 2.6f;
    b.armRadius = 1.2f;
    b.handRadius = 1.0f;
    b.thigh = 3.4f;
    b.shin = 3.2f;
    b.legRadius = 1.1f;
    b.foot = 2.0f;
    b.footRadius = 0.9f;
    b.shoulderDown = 1.0f;
    b.top = b.legs = b.sleeve = kSnowRobe;
    b.farLegs = b.farSleeve = kSnowRobeFar;
    b.boots = kSnowRobe;
    b.farBoots = kSnowRobeFar;
    b.gloves = kPaleSkin;
    b.farGloves = Ramp{kCream, kSkin, kSand};
    b.head = FairyHeads().at("");
    rig::Model m = rig::Humanoid("snow fairy", b);
    m.FindPart("head")->sprites = FairyHeads();
    m.FindPart("footN")->hidden = m.FindPart("footF")->hidden = true;
    m.legend = {{'H', kLilac}, {'h', kWhite}, {'i', kFoam}, {'s', kCream}, {'k', kInk}, {'l', kMauve}, {'m', kRose}};
    // The white kimono falls below her feet in a bell; she floats over a
    // faint ring of frost with snowflakes about her hem.
    m.AddBone(enemies::Follow(MakeBone("robe", "torso", 6.2f, 0, {0, 0.2f}, 0)));
    rig::Part robe = CapsulePart("robe", "robe", 4, kSnowRobe, 2.3f, 3.4f);
    robe.edge = true;
    m.AddPart(robe);
    m.AddPart(EllipsePart("obi", "torso", 6, kObi, 2.6f, 1.0f, 0.2f));
    m.AddPart(enemies::Flat(EllipsePart("collar", "torso", 7, kIce, 0.7f, 1.2f, 0.8f)));
    m.AddBone(enemies::Follow(MakeBone("frost", "robe", 1.0f, 1.0f, {0, 2.2f}, 0)));
    rig::Part glow = enemies::Flat(EllipsePart("glow", "frost", 1, Ramp{kFoam, kFoam, kWater}, 3.2f, 0.7f));
    glow.outline = false;
    m.AddPart(glow);
    const Sprite flake{{".f.", "fFf", ".f."}, {1, 1}};
    const struct {
        const char* name;
        rig::Vec at;
    } kFlakes[] = {{"flakeA", {-4.6f, 0.6f}}, {"flakeB", {4.4f, -1.4f}}, {"flakeC", {-5.4f, -6.0f}}};
    for (const auto& f : kFlakes) {
        m.AddBone(enemies::Follow(MakeBone(f.name, "robe", 0.5f, 1.0f, f.at, 0)));
        m.AddPart(enemies::SpritePart(f.name, f.name, 20, {{"", flake}}));
    }
    m.legend['f'] = kFoam;
    m.legend['F'] = kWhite;
    // Ice crystals at her hands while she casts.
    m.AddPart(enemies::Hidden(enemies::Flat(EllipsePart("iceN", "handN", 15, Ramp{kWhite, kWhite, kFoam}, 1.8f, 1.8f))));
    m.AddPart(enemies::Hidden(enemies::Flat(EllipsePart("iceF", "handF", -18, Ramp{kWhite, kWhite, kFoam}, 1.8f, 1.8f))));
    return m;
}

// clang-format off
const HumanPose kFairyPoses[] = {
//  name          hip x   y   torso head   armN foreN  armF foreF   legN shinN footN  legF shinF footF  extra
  {"stand",       20, 26,   178, 182,    20,  70,  -10,  60,      6,  -2,  90,    -6,   2,  90,   ""},
  {"raise",       20, 26,   184, 190,    75, 140,  -75,-140,      6,  -2,  90,    -6,   2,  90,   "face:blink front:head"},
  {"cast_a",      20, 26,   180, 186,    95,  80, -120,-110,      6,  -2,  90,    -6,   2,  90,   "show:iceN,iceF"},
  {"cast_b",      20, 25,   184, 192,   140, 135, -150,-150,      6,  -2,  90,    -6,   2,  90,   "face:blink show:iceN,iceF"},
  {"hurt",        20, 24,   205, 200,    70, 120,  110, 150,     25,  15,  70,   -10, -20,  75,   "place:centre face:hurt front:head"},
};
// clang-format on

Canvas PaintFairy(const Layout& l, const Cell& c) {
    static const rig::Model fairy = MakeFairy();
    return enemies::DrawPose(fairy, enemies::FindPose(kFairyPoses, enemies::SplitPose(c.pose).pose, "snow fairy"), l, c);
}

// ---------------------------------------------------------------- the crow
const Ramp kRobe{kCream, kSand, kWood};
const Ramp kRobeFar{kSand, kWood, kEarth};
const Ramp kHakama{kStoneDark, kNight, kInk};
const Ramp kWing{kMist, kSlate, kNavy};
const Ramp kWingFar{kSlate, kNavy, kNight};

// The crow's head faces right; its pivot is the neck. t the small black
// cap and R its red cord, F/f blue-black feathers and M their sheen, r the
// red eye with its w glint, b/B the long gold beak and its shade.
std::map<std::string, Sprite> CrowHeads() {
    auto make = [](const char* eyeRow, const char* beakRow) {
        return Sprite{{
                          "...tt.......",
                          "..tRtF......",
                          ".FMMFFF.....",
                          std::string(eyeRow),
                          "fFFFFFFbbb..",
                          std::string(beakRow),
                          ".fFFFFBBb...",
                          "..ffF.......",
                      },
                      {3, 7}};
    };
    return {{"", make("fMFFrwF.....", "fFFFFFBbbbbb")}, {"blink", make("fMFFffF.....", "fFFFFFBbbbbb")},
            {"hurt", make("fMFrFrF.....", "fFFFFFBbB.bb")}};
}

rig::Model MakeCrow() {
    rig::Body b;
    b.torso = 5.4f;
    b.hipWidth = 2.7f;
    b.chestWidth = 2.9f;
    b.upperArm = 3.0f;
    b.foreArm = 2.8f;
    b.armRadius = 1.2f;
    b.handRadius = 1.2f;
    b.thigh = 3.6f;
    b.shin = 3.4f;
    b.legRadius = 1.3f;
    b.foot = 2.4f;
    b.footRadius = 1.0f;
    b.top = b.sleeve = kRobe;
    b.farSleeve = kRobeFar;
    b.legs = kHakama;
    b.farLegs = Ramp{kNight, kInk, kInk};
    b.boots = Ramp{kSand, kWood, kEarth};
    b.farBoots = Ramp{kWood, kEarth, kEarthDark};
    b.gloves = Ramp{kStoneLight, kStone, kStoneDark};
    b.farGloves = Ramp{kStone, kStoneDark, kNight};
    b.head = CrowHeads().at("");
    rig::Model m = rig::Humanoid("crow-billed goblin", b);
    m.FindPart("head")->sprites = CrowHeads();
    m.legend = {{'t', kInk},  {'R', kRed},  {'F', kNavy},  {'f', kNight}, {'M', kSlate}, {'r', kRed},
                {'w', kWhite}, {'b', kGold}, {'B', kAmber}, {'d', kWhite}, {'D', kStoneLight}, {'q', kRed}};
    // The ascetic's pom-poms on the chest.
    m.AddPart(enemies::Flat(EllipsePart("pomA", "torso", 8, Ramp{kCoral, kRed, kCrimson}, 0.9f, 0.9f, 0.78f)));
    m.AddPart(enemies::Flat(EllipsePart("pomB", "torso", 8, Ramp{kCoral, kRed, kCrimson}, 0.9f, 0.9f, 0.55f)));
    // Broad black wings from the shoulder blades.
    // Each wing: the arm of the wing, its hand, and four long flight
    // feathers fanned from the hand's end, so that the wing's edge is
    // fingered like a crow's.
    auto wing = [&](const std::string& side, int layer, const Ramp& ramp, float across) {
        const std::string a = "wing" + side + "1", c = "wing" + side + "2";
        m.AddBone(MakeBone(a, "torso", 5.5f, 0.85f, {across, 0}, 200));
        m.AddBone(MakeBone(c, a, 6.0f, 1, {0, 0}, 210));
        m.AddPart(CapsulePart(a, a, layer, ramp, 2.0f, 2.8f));
        m.AddPart(CapsulePart(c, c, layer, ramp, 2.8f, 1.6f));
        const float spread[4] = {-45, -20, 5, 30};
        for (int i = 0; i < 4; ++i) {
            const std::string f = c + "f" + std::to_string(i);
            m.AddBone(enemies::Follow(MakeBone(f, c, 6.0f - 0.5f * static_cast<float>(i), 0.4f + 0.2f * static_cast<float>(i),
                                               {0, 0}, 210 + spread[i])));
            m.AddPart(CapsulePart(f, f, layer, ramp, 1.0f, 0.5f));
        }
    };
    wing("N", -6, kWing, -1.2f);
    wing("F", -28, kWingFar, -1.8f);
    // The feather dart in the near hand, drawn back before the throw.
    m.AddPart(enemies::Hidden(enemies::SpritePart(
        "dart", "handN", 14, {{"", rig::Sprite{{"q......", ".DD....", "..dddd.", ".DD....", "q......"}, {2, 2}}}}, 360)));
    return m;
}

// clang-format off
const HumanPose kCrowPoses[] = {
//  name          hip x   y   torso head   armN foreN  armF foreF   legN shinN footN  legF shinF footF  extra
  {"fly_a",       22, 24,   140, 160,    40,  70,   20,  60,    -30, -50,  10,   -45, -65,   0,   "place:centre wingN1=160 wingN2=190 wingF1=175 wingF2=205"},
  {"fly_b",       22, 22,   146, 164,    30,  60,   15,  55,    -20, -40,  15,   -35, -55,   5,   "place:centre face:blink wingN1=-35 wingN2=-15 wingF1=-55 wingF2=-30"},
  {"throw_a",     22, 24,   155, 168,  -100,-130,   20,  60,    -30, -50,  10,   -45, -65,   0,   "place:centre show:dart wingN1=165 wingN2=200 wingF1=180 wingF2=215"},
  {"throw_b",     22, 24,   130, 150,    95,  90,   10,  50,    -25, -45,  15,   -40, -60,   5,   "place:centre wingN1=235 wingN2=260 wingF1=220 wingF2=250"},
  {"hurt",        20, 24,   210, 205,    80, 130,  110, 150,     20,   0,  60,   -10, -30,  50,   "place:centre face:hurt wingN1=120 wingN2=90 wingF1=140 wingF2=110"},
};
// clang-format on

Canvas PaintCrow(const Layout& l, const Cell& c) {
    static const rig::Model crow = MakeCrow();
    return enemies::DrawPose(crow, enemies::FindPose(kCrowPoses, enemies::SplitPose(c.pose).pose, "crow"), l, c);
}

const Layout kFairyLayout{130, 29, "snow_fairy_slot29", {
    {"fairy.stand", "230 220 (10060-10063)", 0, 0, Anchor::Body},
    {"fairy.raise", "231", 40, 0, Anchor::Body},
    {"fairy.cast_a", "232", 80, 0, Anchor::Body},
    {"fairy.cast_b", "233", 120, 0, Anchor::Body},
    {"fairy.hurt", "10 110 111", 160, 0, Anchor::Centre},
}, 256, {}, PaintFairy};
ART_LAYOUT(kFairyLayout);

const Layout kCrowLayout{130, 29, "crow_slot29", {
    {"crow.fly_a", "230 250 220 (10070-10073)", 0, 40, Anchor::Centre},
    {"crow.fly_b", "231 251", 40, 40, Anchor::Centre},
    {"crow.throw_a", "232", 80, 40, Anchor::Centre},
    {"crow.throw_b", "233", 120, 40, Anchor::Centre},
    {"crow.hurt", "10 110 111", 160, 40, Anchor::Centre},
}, 256, {}, PaintCrow};
ART_LAYOUT(kCrowLayout);

const Review kFairyReview{"snow_fairy", {130}, {
    {"cast 230", {{"fairy.stand", 40}, {"fairy.raise", 20}, {"fairy.cast_a", 2}, {"fairy.cast_b", 2}, {"fairy.cast_a", 2}, {"fairy.cast_b", 2}, {"fairy.stand", 10}}},
    {"hurt 10", {{"fairy.stand", 4}, {"fairy.hurt", 20}, {"fairy.stand", 4}}},
}, {{"fairy.stand", 0}, {"fairy.raise", 0}, {"fairy.cast_a", 0}, {"fairy.hurt", 0}}};
ART_REVIEW(kFairyReview);

const Review kCrowReview{"crow", {130}, {
    {"fly 230 throw 232", {{"crow.fly_a", 6}, {"crow.fly_b", 6}, {"crow.fly_a", 6}, {"crow.fly_b", 6}, {"crow.throw_a", 6}, {"crow.throw_b", 6}, {"crow.fly_a", 6}}},
    {"hurt 10", {{"crow.fly_a", 4}, {"crow.hurt", 20}, {"crow.fly_b", 4}}},
}, {{"crow.fly_a", 0}, {"crow.fly_b", 0}, {"crow.throw_b", 0}, {"crow.hurt", 0}}};
ART_REVIEW(kCrowReview);

}  // namespace
