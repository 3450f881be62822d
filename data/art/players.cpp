// The player characters: three models on one humanoid rig, and the pose
// library they share, so that a character is the same person in every frame
// and the three move alike: Luka's and Ironclaw's records that the Ninja's
// sheet draws show their own versions of its poses, in their quarters of it.
//
//   Ninja     slate-blue hooded shinobi suit, red scarf with long tails,
//             katana on the back.
//   Luka      coral jacket with a flared hem, brown high ponytail with a
//             cream ribbon, bare face, katana at the back.
//   Ironclaw  steel armour with broad shoulder plates, a helmet with a gold
//             crescent crest, iron claw gauntlets, katana at the back.
#include <cstdio>
#include <deque>
#include <cstdlib>
#include <map>

#include "Palette.h"
#include "Players.h"

namespace players {

using rig::Bone;
using rig::Kind;
using rig::Model;
using rig::Part;
using rig::Ramp;
using rig::Sprite;

namespace {

// ---------------------------------------------------------------- ramps
const Ramp kSlateSuit{kMist, kSlate, kNavy};
const Ramp kSlateFar{kSlate, kNavy, kNight};
const Ramp kScarf{kCoral, kRed, kCrimson};
const Ramp kSkinRamp{kCream, kSkin, kSand};
const Ramp kSkinFar{kSkin, kSand, kWood};
const Ramp kBlade{kWhite, kStoneLight, kStone};
const Ramp kGrip{kRose, kCrimson, kNight};
const Ramp kGuard{kCream, kGold, kAmber};
const Ramp kScabbard{kMauve, kNight, kInk};
const Ramp kCoralTop{kAmber, kCoral, kRose};
const Ramp kCoralFar{kCoral, kRose, kMauve};
const Ramp kHair{kWood, kEarth, kEarthDark};
const Ramp kRibbon{kWhite, kCream, kSand};
const Ramp kLeggings{kSlate, kNavy, kNight};
const Ramp kLeggingsFar{kNavy, kNight, kInk};
const Ramp kShoes{kWood, kEarth, kEarthDark};
const Ramp kShoesFar{kEarth, kEarthDark, kInk};
const Ramp kSteel{kStoneLight, kStone, kStoneDark};
const Ramp kSteelFar{kStone, kStoneDark, kNight};
const Ramp kUnder{kDusk, kNight, kInk};
const Ramp kGoldTrim{kCream, kGold, kAmber};

// ---------------------------------------------------------------- heads
// Heads face right; the pivot is the neck. Each head has the variants
// "" (normal), blink, hurt (squeezed eyes), ko (eyes shut, limp) and, for
// Luka and Ironclaw, soot (blackened by a blast).
Sprite Head(std::vector<std::string> rows, float pivotX, float pivotY) { return Sprite{std::move(rows), {pivotX, pivotY}}; }

std::map<std::string, Sprite> NinjaHeads() {
    const std::vector<std::string> top = {
        "....hhhh...",
        "..hhHHHHHd.",
        ".hHHHHHHHHd",
        ".hHHHHHHHHd",
        "hHHHHssssss",
    };
    const std::vector<std::string> bottom = {
        "HHHHddddddd",
        ".HHdddddddd",
        "..dddddd...",
    };
    auto make = [&](const char* r5, const char* r6) {
        std::vector<std::string> rows = top;
        rows.push_back(r5);
        rows.push_back(r6);
        rows.insert(rows.end(), bottom.begin(), bottom.end());
        return Head(rows, 5, 9);
    };
    return {{"", make("hHHHHskssk.", "HHHHHskssk.")},
            {"blink", make("hHHHHssssss", "HHHHHkksskk")},
            {"hurt", make("hHHHHkssskk", "HHHHHsksks.")},
            {"ko", make("hHHHHssssss", "HHHHHkkskk.")}};
}

std::map<std::string, Sprite> LukaHeads() {
    const std::vector<std::string> top = {
        "...hhhhh...",
        ".hhHHHHHHh.",
        "hHHHHHHHHHH",
        "HHHHHHHHHHH",
        "HHHHHHHHHHd",
        "HHHHHsHHssH",
    };
    auto make = [&](const char* r6, const char* r7, const char* r8, const char* r9) {
        std::vector<std::string> rows = top;
        rows.insert(rows.end(), {r6, r7, r8, r9});
        return Head(rows, 5, 9);
    };
    return {{"", make("dHHHsskssks", "dHHHsskssks", ".dHHsssssms", "..ddzsssz..")},
            {"blink", make("dHHHssssss.", "dHHHskkskks", ".dHHsssssms", "..ddzsssz..")},
            {"hurt", make("dHHHskssskk", "dHHHssksks.", ".dHHssssmms", "..ddzsssz..")},
            {"ko", make("dHHHssssss.", "dHHHskkskks", ".dHHssssmms", "..ddzsssz..")},
            {"soot", make("dHHHggkggkg", "dHHHggkggkg", ".dHHgggggmg", "..ddggggg..")}};
}

std::map<std::string, Sprite> IronclawHeads() {
    const std::vector<std::string> top = {
        "g.......g..",
        "gg.....gg..",
        ".gg...gg...",
        "..gGGGg....",
        ".hhHHHHHh..",
        "hHHHHHHHHd.",
        "HHHHHHHHHHd",
        "HHHkkkkkkkk",
    };
    auto make = [&](const char* r8, const char* r9, const char* r10) {
        std::vector<std::string> rows = top;
        rows.insert(rows.end(), {r8, r9, r10});
        return Head(rows, 5, 10);
    };
    return {{"", make("HHHkaakkaak", "dHHHmmmmmm.", ".ddHmmmmd..")},
            {"blink", make("HHHkkkkkkkk", "dHHHmmmmmm.", ".ddHmmmmd..")},
            {"hurt", make("HHHkakkkakk", "dHHHmmmmmm.", ".ddHmmmmd..")},
            {"ko", make("HHHkkkkkkkk", "dHHHmmmmmm.", ".ddHmmmmd..")},
            {"soot", make("kkkkaakkaak", "kkkkkkkkkk.", ".kkkkkkkk..")}};
}

std::map<char, Rgb> NinjaLegend() {
    return {{'h', kMist}, {'H', kSlate}, {'d', kNavy}, {'s', kSkin}, {'k', kInk}, {'w', kWhite}};
}

std::map<char, Rgb> LukaLegend() {
    return {{'h', kWood}, {'H', kEarth}, {'d', kEarthDark}, {'s', kSkin}, {'z', kSand}, {'k', kInk},
            {'w', kWhite}, {'m', kRose}, {'g', kStoneDark}};
}

std::map<char, Rgb> IronclawLegend() {
    return {{'g', kGold}, {'G', kAmber}, {'h', kStoneLight}, {'H', kStone}, {'d', kStoneDark}, {'k', kInk},
            {'a', kAmber}, {'m', kCrimson}};
}

// Two little stars circling a dazed head, and the same turned half a beat.
const std::map<std::string, Sprite> kStars = {
    {"", Sprite{{".y.........", "yYy......y.", ".y......yYy", ".........y."}, {5, 14}}},
    {"b", Sprite{{"......y....", ".....yYy...", "y.....y....", "Yy.......y.", "y.......yYy", ".........y."}, {5, 15}}},
};

// The reactions over a head, each readable at 1x: a bump swelling on the
// crown, a puff of steam, tears running and flying, a cloud of soot.
const std::map<std::string, Sprite> kBump = {
    {"", Sprite{{".kkk.", "k112k", "k122k", "k222k"}, {1, 12}}},
};
const std::map<std::string, Sprite> kSteam = {
    {"", Sprite{{"...33....", "..3443.3.", ".344443..", "3444443..", ".34443...", "..3.3...."}, {9, 12}}},
    {"b", Sprite{{"....33...", "...3443..", "3.344443.", "..344443.", "...3443..", "....3...."}, {9, 13}}},
};
const std::map<std::string, Sprite> kSoot = {
    {"", Sprite{{"...77....", "..7887.7.", ".788887..", "7888887..", ".78887...", "..7.7...."}, {9, 12}}},
    {"b", Sprite{{"....77...", "...7887..", "7.788887.", "..788887.", "...7887..", "....7...."}, {9, 13}}},
};
const std::map<std::string, Sprite> kTears = {
    {"", Sprite{{"5..........5.", ".5........5..", ".............", ".....5..5....", ".....6..6....", ".....5..5...."}, {4, 4}}},
    {"b", Sprite{{".5........5..", "5..........5.", ".............", ".....5..5....", ".....5..5....", ".....6..6...."}, {4, 4}}},
};

// ---------------------------------------------------------------- parts
Part Hidden(Part p) {
    p.hidden = true;
    return p;
}

using rig::CapsulePart;
using rig::EllipsePart;
using rig::MakeBone;

// Scarves and hair: trailing bones that sag a little per link.
Bone Trail(const char* name, const char* parent, float length, float along, rig::Vec offset, float wave) {
    return rig::TrailBone(name, parent, length, along, offset, wave, 12);
}

// The katana: drawn in the near hand when a pose names the `sword` bone,
// else its hilt shows over the back shoulder.
void AddKatana(Model& m, const Ramp& scabbard, const Ramp& grip) {
    Bone sheath = MakeBone("sheath", "torso", 9.5f, 0.1f, {-2.0f, 0}, 220);
    sheath.follow = true;
    m.AddBone(sheath);
    m.AddPart(CapsulePart("scabbard", "sheath", -15, scabbard, 0.7f, 0.8f, 0.0f, 0.68f));
    m.AddPart(CapsulePart("hilt_back", "sheath", -15, grip, 0.8f, 0.8f, 0.74f, 1.0f));
    m.AddPart(EllipsePart("guard_back", "sheath", -14, kGuard, 1.3f, 0.55f, 0.71f));
    Bone sword = MakeBone("sword", "handN", 12, 1, {0, 0}, 90);
    sword.reveals = {"blade", "hilt", "guard"};
    sword.conceals = {"hilt_back", "guard_back"};
    m.AddBone(sword);
    m.AddPart(Hidden(CapsulePart("blade", "sword", 11, kBlade, 0.75f, 0.45f, 0.22f, 1.0f)));
    m.AddPart(Hidden(CapsulePart("hilt", "sword", 11, grip, 0.8f, 0.8f, -0.12f, 0.16f)));
    m.AddPart(Hidden(EllipsePart("guard", "sword", 12, kGuard, 1.4f, 0.6f, 0.19f)));
}

// Slash trails around the shoulder (not outlined), dizzy stars over the
// head and a rope around the body, each shown only by the poses that name
// them.
void AddExtras(Model& m, const Ramp& rope, float bodyRadius) {
    m.AddBone(MakeBone("slash", "torso", 0, 1, {0.4f, 1.2f}, 0));
    const Ramp trail{kWhite, kCream, kMist};
    auto arc = [&](const char* name, float from, float to, float rIn, float rOut) {
        Part p;
        p.name = name;
        p.bone = "slash";
        p.kind = Kind::Arc;
        p.layer = 40;
        p.ramp = trail;
        p.r0 = rIn;
        p.r1 = rOut;
        p.arcFrom = from;
        p.arcTo = to;
        p.outline = false;
        p.hidden = true;
        m.AddPart(p);
    };
    arc("slash_down", 200, 45, 9, 14.5f);   // overhead chop, ending low in front
    arc("slash_up", -30, 150, 9, 14.5f);    // rising cut from behind and below
    arc("slash_flat", 160, 95, 8, 15);      // short wide cut at head height
    arc("slash_low", 20, 110, 8, 14.5f);    // low sweep forward
    arc("slash_back", 60, -120, 8, 14);     // backhand from the front round behind
    arc("slash_spin", -170, 175, 10, 14);   // a whole turn
    Part stars;
    stars.name = "stars";
    stars.bone = "head";
    stars.kind = Kind::Sprite;
    stars.layer = 41;
    stars.sprites = kStars;
    stars.hidden = true;
    stars.outline = false;
    m.AddPart(stars);
    m.legend['y'] = kGold;
    m.legend['Y'] = kCream;
    auto overlay = [&](const char* name, int layer, const std::map<std::string, Sprite>& sprites) {
        Part p;
        p.name = name;
        p.bone = "head";
        p.kind = Kind::Sprite;
        p.layer = layer;
        p.sprites = sprites;
        p.hidden = true;
        p.outline = false;
        m.AddPart(p);
    };
    overlay("bump", 42, kBump);
    overlay("steam", 43, kSteam);
    overlay("soot_cloud", 43, kSoot);
    overlay("tears", 42, kTears);
    m.legend['1'] = kCoral;
    m.legend['2'] = kRose;
    m.legend['3'] = kWhite;
    m.legend['4'] = kStoneLight;
    m.legend['5'] = kFoam;
    m.legend['6'] = kWater;
    m.legend['7'] = kStoneDark;
    m.legend['8'] = kStone;
    m.AddPart(Hidden(EllipsePart("rope_a", "torso", 15, rope, bodyRadius + 0.4f, 0.7f, 0.3f)));
    m.AddPart(Hidden(EllipsePart("rope_b", "torso", 15, rope, bodyRadius + 0.4f, 0.7f, 0.62f)));
}

Model MakeNinja() {
    rig::Body b;
    b.torso = 6.0f;
    b.hipWidth = 2.9f;
    b.chestWidth = 3.1f;
    b.upperArm = 3.4f;
    b.foreArm = 3.0f;
    b.armRadius = 1.3f;
    b.handRadius = 1.5f;
    b.thigh = 4.3f;
    b.shin = 4.1f;
    b.legRadius = 1.5f;
    b.foot = 2.8f;
    b.footRadius = 1.2f;
    b.top = b.sleeve = kSlateSuit;
    b.farSleeve = kSlateFar;
    b.legs = kSlateSuit;
    b.farLegs = kSlateFar;
    b.boots = Ramp{kSlate, kNavy, kNight};
    b.farBoots = Ramp{kNavy, kNight, kInk};
    b.gloves = kSkinRamp;
    b.farGloves = kSkinFar;
    b.head = NinjaHeads().at("");
    Model m = rig::Humanoid("ninja", b);
    m.FindPart("head")->sprites = NinjaHeads();
    m.legend = NinjaLegend();
    // The red scarf: a wrap at the neck and two long tails in the wind.
    m.AddPart(EllipsePart("wrap", "head", 11, kScarf, 3.0f, 1.3f));
    m.AddBone(Trail("tailA1", "torso", 3.4f, 1, {-2.0f, 0.6f}, 14));
    m.AddBone(Trail("tailA2", "tailA1", 3.4f, 1, {0, 0}, 14));
    m.AddBone(Trail("tailA3", "tailA2", 2.8f, 1, {0, 0}, 14));
    m.AddBone(Trail("tailB1", "torso", 3.0f, 1, {-2.0f, 1.4f}, 18));
    m.AddBone(Trail("tailB2", "tailB1", 2.8f, 1, {0, 0}, 18));
    m.AddPart(CapsulePart("tailA1", "tailA1", -24, kScarf, 1.4f, 1.3f));
    m.AddPart(CapsulePart("tailA2", "tailA2", -24, kScarf, 1.3f, 1.1f));
    m.AddPart(CapsulePart("tailA3", "tailA3", -24, kScarf, 1.1f, 0.7f));
    m.AddPart(CapsulePart("tailB1", "tailB1", -25, kScarf, 1.2f, 1.0f));
    m.AddPart(CapsulePart("tailB2", "tailB2", -25, kScarf, 1.0f, 0.6f));
    // Wraps on the forearms and shins.
    const Ramp wraps{kStoneLight, kMist, kSlate}, farWraps{kMist, kSlate, kNavy};
    m.AddPart(CapsulePart("wrapN", "foreN", 12, wraps, 1.35f, 1.3f, 0.35f, 0.8f));
    m.AddPart(CapsulePart("wrapF", "foreF", -20, farWraps, 1.35f, 1.3f, 0.35f, 0.8f));
    m.AddPart(CapsulePart("legwrapN", "shinN", 2, wraps, 1.5f, 1.4f, 0.3f, 0.75f));
    m.AddPart(CapsulePart("legwrapF", "shinF", -12, farWraps, 1.5f, 1.4f, 0.3f, 0.75f));
    // A belt across the hips.
    m.AddPart(EllipsePart("belt", "torso", 1, Ramp{kSlate, kNavy, kNight}, 3.1f, 0.75f, 0.12f));
    AddKatana(m, kScabbard, kGrip);
    AddExtras(m, Ramp{kGold, kSand, kWood}, b.chestWidth);
    return m;
}

Model MakeLuka() {
    rig::Body b;
    b.torso = 5.6f;
    b.hipWidth = 2.7f;
    b.chestWidth = 2.8f;
    b.upperArm = 3.3f;
    b.foreArm = 3.0f;
    b.armRadius = 1.25f;
    b.handRadius = 1.45f;
    b.thigh = 4.3f;
    b.shin = 4.2f;
    b.legRadius = 1.4f;
    b.foot = 2.7f;
    b.footRadius = 1.15f;
    b.top = b.sleeve = kCoralTop;
    b.farSleeve = kCoralFar;
    b.legs = kLeggings;
    b.farLegs = kLeggingsFar;
    b.boots = kShoes;
    b.farBoots = kShoesFar;
    b.gloves = kSkinRamp;
    b.farGloves = kSkinFar;
    b.head = LukaHeads().at("");
    Model m = rig::Humanoid("luka", b);
    m.FindPart("head")->sprites = LukaHeads();
    m.legend = LukaLegend();
    // A high ponytail tied with a cream ribbon.
    m.AddBone(Trail("pony1", "head", 3.4f, 0, {-4.5f, -7.0f}, 16));
    m.AddBone(Trail("pony2", "pony1", 3.4f, 1, {0, 0}, 16));
    m.AddBone(Trail("pony3", "pony2", 3.0f, 1, {0, 0}, 16));
    m.AddPart(CapsulePart("pony1", "pony1", -23, kHair, 2.0f, 1.8f));
    m.AddPart(CapsulePart("pony2", "pony2", -23, kHair, 1.8f, 1.3f));
    m.AddPart(CapsulePart("pony3", "pony3", -23, kHair, 1.3f, 0.6f));
    m.AddBone(Trail("ribbon1", "head", 2.8f, 0, {-3.6f, -8.0f}, 30));
    m.AddBone(Trail("ribbon2", "ribbon1", 2.4f, 1, {0, 0}, 30));
    m.AddPart(CapsulePart("ribbon1", "ribbon1", -22, kRibbon, 0.8f, 0.7f));
    m.AddPart(CapsulePart("ribbon2", "ribbon2", -22, kRibbon, 0.7f, 0.4f));
    m.AddPart(EllipsePart("bow", "pony1", 11, kRibbon, 1.5f, 1.3f));
    // The jacket's flared hem and a cream sash.
    Part hem;
    hem.name = "hem";
    hem.bone = "torso";
    hem.kind = Kind::Poly;
    hem.layer = 4;
    hem.ramp = kCoralTop;
    hem.poly = {{-2.8f, -1.6f}, {2.8f, -1.6f}, {4.0f, 2.6f}, {-4.2f, 2.6f}};
    hem.edge = true;
    m.AddPart(hem);
    m.AddPart(EllipsePart("sash", "torso", 5, kRibbon, 3.0f, 0.75f, 0.14f));
    AddKatana(m, Ramp{kRose, kCrimson, kNight}, Ramp{kCoral, kRed, kCrimson});
    AddExtras(m, Ramp{kGold, kSand, kWood}, b.chestWidth);
    return m;
}

Model MakeIronclaw() {
    rig::Body b;
    b.torso = 6.0f;
    b.hipWidth = 3.0f;
    b.chestWidth = 3.6f;
    b.upperArm = 3.3f;
    b.foreArm = 3.1f;
    b.armRadius = 1.45f;
    b.handRadius = 1.6f;
    b.thigh = 4.1f;
    b.shin = 4.0f;
    b.legRadius = 1.7f;
    b.foot = 3.0f;
    b.footRadius = 1.3f;
    b.top = kSteel;
    b.sleeve = kUnder;
    b.farSleeve = Ramp{kNight, kInk, kInk};
    b.legs = kUnder;
    b.farLegs = Ramp{kNight, kInk, kInk};
    b.boots = Ramp{kStone, kStoneDark, kNight};
    b.farBoots = Ramp{kStoneDark, kNight, kInk};
    b.gloves = kSteel;
    b.farGloves = kSteelFar;
    b.head = IronclawHeads().at("");
    Model m = rig::Humanoid("ironclaw", b);
    m.FindPart("head")->sprites = IronclawHeads();
    m.legend = IronclawLegend();
    // Shoulder plates, gauntlets, shin guards and a skirt of plates.
    m.AddPart(EllipsePart("padN", "armN", 13, kSteel, 2.3f, 1.8f, 0.15f));
    m.AddPart(EllipsePart("padF", "armF", -19, kSteelFar, 2.3f, 1.8f, 0.15f));
    m.FindPart("padN")->edge = true;
    m.AddPart(CapsulePart("gauntletN", "foreN", 12, kSteel, 1.6f, 1.7f, 0.3f, 0.95f));
    m.AddPart(CapsulePart("gauntletF", "foreF", -20, kSteelFar, 1.6f, 1.7f, 0.3f, 0.95f));
    m.AddPart(CapsulePart("guardN", "shinN", 2, kSteel, 1.8f, 1.6f, 0.1f, 0.85f));
    m.AddPart(CapsulePart("guardF", "shinF", -12, kSteelFar, 1.8f, 1.6f, 0.1f, 0.85f));
    Part skirt;
    skirt.name = "skirt";
    skirt.bone = "torso";
    skirt.kind = Kind::Poly;
    skirt.layer = 4;
    skirt.ramp = kSteel;
    skirt.poly = {{-3.2f, -1.0f}, {3.2f, -1.0f}, {3.8f, 2.8f}, {-4.0f, 2.8f}};
    skirt.edge = true;
    m.AddPart(skirt);
    m.AddPart(EllipsePart("cord", "torso", 5, kGoldTrim, 3.4f, 0.7f, 0.16f));
    // Iron claws: three blades along each forearm past the hand.
    for (int i = 0; i < 3; ++i) {
        const float across = -0.9f + 0.9f * static_cast<float>(i);
        const std::string near = "clawN" + std::to_string(i), far = "clawF" + std::to_string(i);
        Bone cn = MakeBone(near, "foreN", 3.2f, 1, {across, 0.8f}, 0);
        cn.follow = true;
        m.AddBone(cn);
        Bone cf = cn;
        cf.name = far;
        cf.parent = "foreF";
        m.AddBone(cf);
        m.AddPart(CapsulePart(near, near, 14, kBlade, 0.55f, 0.4f));
        m.AddPart(CapsulePart(far, far, -21, kSteel, 0.55f, 0.4f));
    }
    AddKatana(m, Ramp{kStone, kStoneDark, kNight}, Ramp{kRed, kCrimson, kNight});
    AddExtras(m, Ramp{kGold, kSand, kWood}, b.chestWidth);
    return m;
}

}  // namespace

void AddPlayerExtras(Model& m, const Ramp& rope, float bodyRadius) { AddExtras(m, rope, bodyRadius); }

namespace {

// ---------------------------------------------------------------- poses
// One pose per line:
//   hip x, y in the cell; torso and head angles (180 upright, less leans
//   forward); near arm and forearm, far arm and forearm (0 hangs down, 90
//   points forward, 180 up, negative back); near thigh, shin, foot and far
//   thigh, shin, foot (0 down, positive forward; feet 90 flat); then pose
//   words (rig::ReadPoseWords), among them:
//     place:P    ground (the default: feet on the line y = 32), centre (the
//                figure centred on (20, 22), for spins), hip (where the row
//                puts it, for runs of frames that must not jitter), wall
//                (against x = 10), ceiling (hanging from y = 12)
//     sword=A    draws the katana in the near hand at that angle
//     NAME*K     stretches a bone (arms reaching up to a ceiling)
//     face:V     head variant (blink, hurt, ko, soot);  stars:b  dizzy stars
//     wind:A phase:P   where scarves and hair blow, and their wave
//     show:a,b hide:a,b front:a,b   slash trails, rope, parts moved forward
// clang-format off
// The poses every character has (the Ninja's whole sheet, and what Luka and
// Ironclaw draw of the same states).
const PoseRow kShared[] = {
//  name          hip x   y   torso head   armN foreN  armF foreF   legN shinN footN  legF shinF footF  extra
  {"stand_a",     20, 24,   172, 180,    25,  80,  -20,  35,     25, -12,  90,   -18,  -8,  90,   "wind:-40 phase:0"},
  {"stand_b",     20, 24,   171, 180,    28,  85,  -18,  40,     25, -12,  90,   -18,  -8,  90,   "wind:-45 phase:120 torso*0.85"},
  {"crouch",      20, 26,   156, 172,    35,  95,  -25,  40,     75, -20,  90,    30, -60,  85,   "wind:-60 phase:40"},
  {"hurt",        20, 24,   205, 200,    70, 120,  110, 150,     40,  20,  60,   -15, -30,  70,   "face:hurt wind:70 phase:30"},
  {"tumble",      20, 22,   235, 230,   160, 190,  200, 220,     60,  30,  60,    20, -10,  40,   "place:centre face:ko wind:150"},
  {"down",        26, 28,   272, 270,   110, 100,   80,  90,     88,  92, 175,    92,  95, 170,   "face:ko wind:-95 phase:90"},
  {"walk_1",      20, 24,   174, 180,   -25,   5,   30,  55,     35,  15,  95,   -30, -25,  80,   "wind:-75 phase:0"},
  {"walk_2",      20, 24,   175, 180,    -5,  25,    5,  30,      0, -30,  80,     5,   2,  90,   "wind:-75 phase:90"},
  {"walk_3",      20, 24,   174, 180,    30,  55,  -25,   5,    -30, -25,  80,    35,  15,  95,   "wind:-75 phase:180"},
  {"walk_4",      20, 24,   175, 180,     5,  30,   -5,  25,      5,   2,  90,     0, -30,  80,   "wind:-75 phase:270"},
  {"run_1",       20, 24,   160, 175,   -45,  20,   50,  95,     55,  10,  95,   -40, -70,  60,   "wind:-80 phase:0"},
  {"run_2",       20, 24,   160, 175,   -10,  60,   20,  75,     20, -60,  70,    10,  -5,  95,   "wind:-80 phase:90"},
  {"run_3",       20, 24,   160, 175,    50,  95,  -45,  20,    -40, -70,  60,    55,  10,  95,   "wind:-80 phase:180"},
  {"run_4",       20, 24,   160, 175,    20,  75,  -10,  60,     10,  -5,  95,    20, -60,  70,   "wind:-80 phase:270"},
  {"rise",        20, 24,   172, 176,   -40, -25,  -55, -40,      8, -12,  30,   -10, -30,  30,   "wind:5 phase:0"},
  {"fall_a",      20, 25,   180, 185,   120, 150, -120,-150,     25,  -5,  60,   -10, -30,  50,   "place:hip wind:160 phase:0"},
  {"fall_b",      20, 25,   180, 185,   135, 160, -135,-165,     20, -10,  60,    -5, -25,  50,   "place:hip wind:165 phase:180"},
  {"spin",        20, 22,   140, 150,   100,  60,   80,  40,    120, -20,  60,   100, -40,  50,   "place:centre face:blink sword=-110 show:slash_spin wind:-150"},
  {"wall_a",      20, 25,   172, 185,    40, 100, -115,-100,     70, -30,  90,   -20,-100,  10,   "place:wall wind:-20 phase:0"},
  {"wall_b",      20, 25,   171, 185,    42, 105, -115,-102,     70, -30,  90,   -20,-100,  10,   "place:wall wind:-25 phase:150 torso*0.9"},
  {"ceil_a",      20, 24,   180, 180,   172, 180,  188, 180,    110,  10,  80,    90, -10,  70,   "place:ceiling armN*1.6 foreN*1.6 armF*1.6 foreF*1.6 wind:-10 phase:0"},
  {"ceil_b",      20, 24,   178, 178,   174, 180,  186, 180,    115,  15,  80,    85, -15,  70,   "place:ceiling armN*1.6 foreN*1.6 armF*1.6 foreF*1.6 wind:-15 phase:160"},
  {"chase_a",     16, 23,   115, 150,    95,  90,  -70, -40,    -15, -40,  20,   -45, -70,  10,   "place:hip sword=95 wind:-95 phase:0"},
  {"chase_b",     16, 23,   115, 150,    92,  88,  -70, -45,    -25, -50,  20,   -35, -60,  10,   "place:hip sword=92 wind:-95 phase:180"},
  {"cut_a_wind",  20, 24,   190, 180,   190, 210,   60, 120,     45, -10,  70,   -25, -40,  60,   "sword=240 wind:-60"},
  {"cut_a",       20, 24,   155, 170,    95,  70,  -40,   0,     50,   0,  80,   -30, -45,  60,   "sword=55 show:slash_down wind:-80"},
  {"cut_a_end",   20, 24,   150, 168,    70,  40,  -40,   0,     50,   0,  80,   -30, -45,  60,   "sword=25 wind:-70"},
  {"cut_b_wind",  20, 24,   170, 175,   -50, -70,   60, 100,     50,   0,  80,   -35, -50,  60,   "sword=-130 wind:-70"},
  {"cut_b",       20, 26,   190, 190,   150, 160,  -60, -30,     20, -20,  60,   -20, -40,  50,   "place:hip sword=148 show:slash_up wind:-20"},
  {"cut_b_end",   20, 26,   188, 188,   165, 185,  -60, -30,     20, -20,  60,   -20, -40,  50,   "place:hip sword=195 wind:-10"},
  {"victory",     18, 24,   182, 185,   140, 150,  -30,  60,     15,  -3,  90,   -15,   3,  90,   "sword=128 wind:-60"},
  {"flip",        20, 22,   205, 205,   110,  40,  100,  30,    150,  30,  60,   130,  10,  50,   "place:centre face:blink sword=-60 wind:40"},
  {"dive",        20, 20,   170, 170,    30,   5,   40,  10,    100,  10,  60,    80, -15,  40,   "place:hip sword=2 wind:180"},
  {"throw_wind",  20, 24,   192, 182,   -95,-115,   80,  95,     40,  -5,  90,   -30, -10,  90,   "wind:-50"},
  {"throw",       20, 24,   162, 172,    90,  92,  -60, -30,     50,   0,  90,   -35, -25,  90,   "wind:-70 phase:90"},
  {"wall_throw",  20, 25,   165, 180,    90,  92, -115,-100,     70, -30,  90,   -20,-100,  10,   "place:wall wind:-30 phase:60"},
  {"ceil_throw",  20, 24,   176, 176,    90,  92,  188, 180,    110,  10,  80,    90, -10,  70,   "place:ceiling armF*1.6 foreF*1.6 wind:-20 phase:60"},
  {"seal",        20, 24,   180, 180,    40, 150,   35, 150,     25, -10,  90,   -25,  10,  90,   "face:blink wind:-30 phase:200"},
  {"item_get",    20, 24,   184, 188,   125, 150,  115, 145,     12,  -5,  90,   -12,   5,  90,   "face:blink wind:-40"},
  // Poses of Luka's and Ironclaw's own states.
  {"dash_end",    20, 24,   200, 190,    60,  90,  -30,  10,     70,  60, 100,   -10, -60,  90,   "sword=100 wind:-100"},
  {"zap_a",       20, 24,   180, 180,   120, 130, -120,-130,     15,  15,  90,   -15, -15,  90,   "face:hurt wind:115 phase:0"},
  {"zap_b",       20, 24,   180, 178,   100, 140, -100,-140,     18,  18,  90,   -18, -18,  90,   "face:ko wind:110 phase:180"},
  {"slump",       20, 24,   150, 150,    10,   0,    0,  -5,     80, -20,  90,    20,-100, 180,   "face:ko wind:-20"},
  {"squash_a",    20, 28,    90,  90,    95, 100,  -80, -85,    -88, -92,   0,   -95,-100,  10,   "face:ko wind:-90 torso*0.85"},
  {"squash_b",    20, 28,    90,  90,    95, 100,  -80, -85,    -70, -40,  20,   -95,-100,  10,   "face:ko wind:-80 phase:90 torso*0.85"},
  {"dizzy_a",     20, 28,   185, 190,    30,  60,  -30, -10,     85,  92, 170,    80,  88, 160,   "face:ko show:stars wind:-30"},
  {"dizzy_b",     20, 28,   178, 175,    25,  55,  -35, -15,     85,  92, 170,    80,  88, 160,   "face:ko show:stars stars:b wind:-35 phase:90"},
  {"crawl_a",     18, 26,   120, 150,    25,   5,   -5, -15,      5, -90,   0,   -25, -92,   0,   "face:hurt wind:-100"},
  {"crawl_b",     18, 26,   122, 152,     5, -10,   15,   0,    -20, -92,   0,     5, -90,   0,   "face:hurt wind:-100 phase:90"},
  {"collapse_a",  20, 28,    90,  90,   160, 140,  -80, -85,    -88, -92,   0,   -95,-100,  10,   "face:ko wind:-90"},
  {"collapse_b",  20, 28,    90,  90,   140, 120,  -80, -85,    -88, -92,   0,   -95,-100,  10,   "face:ko wind:-90 phase:90"},
  {"tied_a",      20, 27,   178, 182,   -30, -60,  -40, -70,    120,  10,  90,   110,   0,  90,   "face:hurt show:rope_a,rope_b wind:-20"},
  {"tied_b",      20, 27,   170, 170,   -30, -60,  -40, -70,    120,  10,  90,   110,   0,  90,   "face:blink show:rope_a,rope_b wind:-30 phase:120"},
  {"sit_a",       20, 27,   160, 150,   100,  80,   90,  70,    130,  10,  90,   120,   0,  90,   "face:blink wind:-10"},
  {"sit_b",       20, 27,   163, 156,    95,  75,   85,  65,    130,  10,  90,   120,   0,  90,   "face:blink wind:-15 phase:120"},
  {"blast",       20, 22,   235, 230,   160, 190,  200, 220,     60,  30,  60,    20, -10,  40,   "place:centre face:soot wind:150"},
  {"sooty_sit",   20, 28,   185, 188,    30,  60,  -30, -10,     85,  92, 170,    80,  88, 160,   "face:soot show:soot_cloud wind:-30"},
  {"sooty_cough", 20, 28,   160, 150,    60,  90,  -30, -10,     85,  92, 170,    80,  88, 160,   "face:soot show:soot_cloud soot_cloud:b wind:-50 phase:90"},
  {"bonk",        20, 24,   176, 185,   120, 200,  110, 200,     15,  -5,  90,   -15,   5,  90,   "face:hurt show:bump hide:bow,ribbon1,ribbon2 wind:-20"},
  {"steam",       20, 24,   178, 180,   -10, -20,   10,  20,     12,  -3,  90,   -12,   3,  90,   "face:hurt show:bump,steam hide:bow,ribbon1,ribbon2 wind:-30 phase:90"},
  {"cry_a",       20, 28,   175, 185,   110, 190,  100, 185,     85,  92, 170,    80,  88, 160,   "face:blink show:tears hide:bow,ribbon1,ribbon2 wind:-30"},
  {"cry_b",       20, 28,   172, 190,   115, 195,  105, 190,     85,  92, 170,    80,  88, 160,   "face:hurt show:tears tears:b hide:bow,ribbon1,ribbon2 wind:-35 phase:120"},
  {"held",        20, 24,   178, 180,   170, 175,  160, 170,      5,   0,  40,    -5,  -5,  40,   "armN*1.4 foreN*1.4 armF*1.4 foreF*1.4 face:hurt wind:0"},
  {"shaken_a",    20, 24,   165, 170,   170, 175,  160, 170,     30,  20,  50,    20,  10,  40,   "armN*1.4 foreN*1.4 armF*1.4 foreF*1.4 face:ko wind:-60"},
  {"shaken_b",    20, 24,   195, 190,   175, 180,  165, 175,    -30, -20,  40,   -20, -10,  30,   "armN*1.4 foreN*1.4 armF*1.4 foreF*1.4 face:ko wind:60"},
  {"limp_a",      20, 24,   178, 160,   170, 175,  160, 170,      0,   0,  20,    -5,  -5,  20,   "armN*1.4 foreN*1.4 armF*1.4 foreF*1.4 face:ko wind:0"},
  {"limp_b",      20, 24,   176, 150,   170, 175,  160, 170,     10,   5,  30,    -5,  -5,  20,   "armN*1.4 foreN*1.4 armF*1.4 foreF*1.4 face:ko wind:0 phase:90"},
};

// Luka's own versions and poses: a lighter, quicker stance and her
// four-step dash with the sword held low and forward.
const PoseRow kLuka[] = {
  {"stand_a",     20, 24,   174, 180,    20,  75,  -15,  30,     18, -10,  90,   -15,  -5,  90,   "wind:-65 phase:0"},
  {"stand_b",     20, 24,   173, 178,    22,  80,  -13,  35,     18, -10,  90,   -15,  -5,  90,   "wind:-75 phase:140 torso*0.85"},
  {"kwind",       20, 26,   160, 172,    60,  30,  -25,  40,     75, -20,  90,    30, -60,  85,   "sword=100 wind:-60"},
  {"dash_1",      16, 23,   125, 160,    80,  85,  -70, -50,     70,  10,  90,   -60, -90,  60,   "sword=80 wind:-100 phase:0"},
  {"dash_2",      16, 23,   125, 160,    80,  85,  -70, -50,     20, -60,  70,     0, -10,  80,   "sword=82 wind:-100 phase:90"},
  {"dash_3",      16, 23,   125, 160,    80,  85,  -70, -50,    -60, -90,  60,    70,  10,  90,   "sword=80 wind:-100 phase:180"},
  {"dash_4",      16, 23,   125, 160,    80,  85,  -70, -50,      0, -10,  80,    20, -60,  70,   "sword=78 wind:-100 phase:270"},
  // The dive with her ponytail streaming up: the figure stands lower.
  {"dive",        20, 24,   170, 170,    30,   5,   40,  10,    100,  10,  60,    80, -15,  40,   "place:hip sword=2 wind:180"},
};

// Ironclaw's own: a heavy, low stance, the pounce of his long dash and the
// seven strikes of his katana chain.
const PoseRow kIronclaw[] = {
  {"stand_a",     20, 24,   170, 180,    30,  70,  -25,  30,     28, -14,  90,   -22, -10,  90,   "wind:-40 phase:0"},
  {"stand_b",     20, 24,   169, 178,    32,  74,  -23,  34,     28, -14,  90,   -22, -10,  90,   "wind:-45 phase:120 torso*0.85"},
  {"dash_wind",   20, 26,   140, 165,    40,  10,  -40, -20,     80, -25,  90,    35, -65,  85,   "wind:-60"},
  {"dash",        20, 22,    95, 120,    90,  90,  100,  95,    -80, -90,   0,   -95, -95,  10,   "wind:-90"},
  {"kwind_air",   20, 24,   150, 170,  -120,-150,   40,  80,     60,  10,  70,    10, -40,  60,   "sword=-150 wind:-30"},
  {"kwind_ground",20, 26,   150, 170,   -60,-100,   40,  60,     75, -20,  90,    30, -60,  85,   "sword=-100 wind:-60"},
  {"iw_high",     20, 24,   190, 180,   190, 210,   60, 120,     45, -10,  70,   -25, -40,  60,   "sword=240 wind:-60"},
  {"iw_low",      20, 24,   170, 175,   -50, -70,   60, 100,     50,   0,  80,   -35, -50,  60,   "sword=-130 wind:-70"},
  {"iw_back",     20, 24,   200, 185,   -90,-120,   70,  95,     40,  -5,  80,   -30, -30,  70,   "sword=-170 wind:-40"},
  {"iw_claw",     20, 24,   190, 180,    60, 120, -110,-150,     45, -10,  70,   -25, -40,  60,   "sword=160 front:armF,foreF,handF,clawF0,clawF1,clawF2 wind:-50"},
  {"is_chop",     20, 24,   155, 170,    95,  70,  -40,   0,     50,   0,  80,   -30, -45,  60,   "sword=50 show:slash_down wind:-80"},
  {"is_rise",     20, 26,   190, 190,   150, 160,  -60, -30,     20, -20,  60,   -20, -40,  50,   "place:hip sword=145 show:slash_up wind:-20"},
  {"is_flat",     20, 24,   165, 175,   110,  95,  -50, -20,     50,   0,  80,   -30, -40,  60,   "sword=100 show:slash_flat wind:-80"},
  {"is_thrust",   17, 24,   140, 160,    90,  90,  -70, -50,     70,  10,  90,   -50, -70,  70,   "sword=90 wind:-95"},
  {"is_spin",     20, 24,   200, 200,   -90, -80,   60,  90,     40, -10,  80,   -30, -40,  60,   "sword=-80 show:slash_spin wind:60"},
  {"is_claw",     20, 24,   160, 172,    20,  10,   95,  92,     50,   0,  80,   -35, -45,  60,   "sword=10 front:armF,foreF,handF,clawF0,clawF1,clawF2 show:slash_low wind:-80"},
  {"is_back",     20, 24,   195, 195,   -60, -90,   40,  60,     30, -10,  70,   -30, -40,  60,   "sword=-100 show:slash_back wind:30"},
  {"if_stand",    20, 24,   176, 180,    10,  -5,  -20,  20,     20,  -8,  90,   -20,   8,  90,   "sword=-5 face:blink wind:-40"},
  {"if_flip",     20, 22,   205, 205,   110,  40,  100,  30,    150,  30,  60,   130,  10,  50,   "place:centre face:blink sword=-60 wind:40"},
  {"if_kneel",    20, 26,   165, 178,    60,  20,  -20,  30,     90, -10,  90,    10, -95, 180,   "sword=20 wind:-40"},
};
// clang-format on

struct ParsedPose {
    rig::Pose pose;
    rig::Place place = rig::Place::Ground;
};

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "players: %s\n", what.c_str());
    std::abort();
}

ParsedPose FromRow(const PoseRow& r, const Model& model) {
    ParsedPose parsed;
    rig::Pose& p = parsed.pose;
    p.root = {r.hipX, r.hipY};
    p.angle = {{"torso", r.torso}, {"head", r.head}, {"armN", r.armN}, {"foreN", r.foreN}, {"armF", r.armF},
               {"foreF", r.foreF}, {"legN", r.legN}, {"shinN", r.shinN}, {"footN", r.footN}, {"legF", r.legF},
               {"shinF", r.shinF}, {"footF", r.footF}};
    parsed.place = rig::ReadPoseWords(model, r.extra, p, std::string("pose ") + r.name + " of " + model.name);
    return parsed;
}

template <size_t N>
const PoseRow* FindRow(const PoseRow (&table)[N], const std::string& name) {
    for (const PoseRow& r : table)
        if (name == r.name) return &r;
    return nullptr;
}

ParsedPose Parsed(Who who, const std::string& name) {
    const PoseRow* row = nullptr;
    if (who == Who::Luka) row = FindRow(kLuka, name);
    if (who == Who::Ironclaw) row = FindRow(kIronclaw, name);
    if (!row) row = OtherNinjaPose(who, name);
    if (!row) row = FindRow(kShared, name);
    if (!row) Fail("no pose named " + name);
    return FromRow(*row, ModelOf(who));
}

}  // namespace

const Model& ModelOf(Who who) {
    static const Model ninja = MakeNinja(), luka = MakeLuka(), ironclaw = MakeIronclaw();
    switch (who) {
        case Who::Ninja: return ninja;
        case Who::Luka: return luka;
        case Who::Ironclaw: return ironclaw;
        case Who::Kunoichi:
        case Who::Kusarigama:
        case Who::Robo: return OtherNinjaModel(who);
    }
    return ninja;
}

rig::Pose PoseOf(Who who, const std::string& name) { return Parsed(who, name).pose; }

Canvas DrawCell(Who who, const Cell& cell, const rig::CellGeometry& geometry) {
    // A sheet shared by several characters names its poses "who.pose".
    std::string name = cell.pose;
    if (const size_t dot = name.find('.'); dot != std::string::npos) name = name.substr(dot + 1);
    const ParsedPose parsed = Parsed(who, name);
    const Canvas drawn = rig::DrawPlaced(ModelOf(who), parsed.pose, parsed.place, geometry, std::string("pose ") + cell.pose);
    return cell.anchor == Anchor::Underside ? drawn.QuarterTurnLeft() : drawn;
}

const std::vector<Cell>& SecondSheetCells() {
    static const std::vector<Cell> cells = {
        {"sit_a", "162", 0, 0, Anchor::Feet},
        {"sit_b", "163", 40, 0, Anchor::Feet},
        {"blast", "170", 80, 0, Anchor::Centre},
        {"sooty_sit", "171", 120, 0, Anchor::Feet},
        {"sooty_cough", "172", 160, 0, Anchor::Feet},
        {"bonk", "180", 200, 0, Anchor::Feet},
        {"steam", "181", 0, 40, Anchor::Feet},
        {"cry_a", "182", 40, 40, Anchor::Feet},
        {"cry_b", "183", 80, 40, Anchor::Feet},
        {"held", "190", 120, 40, Anchor::Feet},
        {"shaken_a", "191", 160, 40, Anchor::Feet},
        {"shaken_b", "192", 200, 40, Anchor::Feet},
        {"limp_a", "193", 0, 80, Anchor::Feet},
        {"limp_b", "194", 40, 80, Anchor::Feet},
    };
    return cells;
}

std::vector<Cell> BorrowedCells(Who who, int dx, int dy) {
    // The Ninja's cells (by pose and anchor) whose records Luka and Ironclaw
    // share, with the states that show them in their tables. Only Luka's
    // dying spin 110 is among them; Ironclaw's is on his own sheet.
    struct Row {
        const char* pose;
        Anchor anchor;
        const char* states;
    };
    static const Row kRows[] = {
        {"stand_a", Anchor::Feet, "220 960 963 986 988"},
        {"stand_b", Anchor::Feet, "964 984 989"},
        {"crouch", Anchor::Feet, "280 360 363 443 444 445 969 980 987"},
        {"tumble", Anchor::Centre, "120 121 981 982"},
        {"down", Anchor::Feet, "983"},
        {"walk_1", Anchor::Feet, "250 961"},
        {"walk_2", Anchor::Feet, "251 962"},
        {"walk_3", Anchor::Feet, "252"},
        {"walk_4", Anchor::Feet, "253"},
        {"run_1", Anchor::Feet, "260"},
        {"run_2", Anchor::Feet, "261"},
        {"run_3", Anchor::Feet, "262"},
        {"run_4", Anchor::Feet, "263"},
        {"rise", Anchor::Centre, "440 965 966"},
        {"fall_a", Anchor::Centre, "304 967"},
        {"fall_b", Anchor::Centre, "968"},
        {"spin", Anchor::Centre, "281 361 362"},
        {"wall_a", Anchor::Wall, "384 404 424"},
        {"ceil_a", Anchor::Ceiling, "386 406 426"},
        {"victory", Anchor::Centre, "990"},
        {"victory", Anchor::Feet, "940 941 985"},
        {"dive", Anchor::Centre, "441 442"},
        {"throw_wind", Anchor::Centre, "380 400"},
        {"throw_wind", Anchor::Feet, "382 402"},
        {"throw", Anchor::Centre, "381 401 421"},
        {"throw", Anchor::Feet, "300-303 383 403 423"},
        {"wall_throw", Anchor::Wall, "385 405 425"},
        {"ceil_throw", Anchor::Ceiling, "387 407 427"},
        {"seal", Anchor::Centre, "420"},
        {"seal", Anchor::Feet, "422"},
        {"item_get", Anchor::Centre, "310"},
        {"item_get", Anchor::Feet, "311"},
    };
    // The cells name their poses for the layouts' lifetime (the program's).
    static std::deque<std::string> names;
    const std::string prefix = who == Who::Luka ? "luka." : "ironclaw.";
    std::vector<Cell> cells;
    for (const Row& r : kRows) {
        const Cell* ninja = nullptr;
        for (const Cell& c : NinjaCells())
            if (std::string(c.pose) == r.pose && c.anchor == r.anchor) ninja = &c;
        if (!ninja) Fail(std::string("the Ninja's sheet has no cell ") + r.pose);
        names.push_back(prefix + r.pose);
        const char* states = r.states;
        if (who == Who::Luka && std::string(r.pose) == "tumble") states = "110 120 121 981 982";
        cells.push_back({names.back().c_str(), states, ninja->x + dx, ninja->y + dy, r.anchor});
    }
    return cells;
}

Who OwnerOf(const Cell& cell) {
    const std::string pose = cell.pose;
    if (pose.rfind("luka.", 0) == 0) return Who::Luka;
    if (pose.rfind("ironclaw.", 0) == 0) return Who::Ironclaw;
    return Who::Ninja;
}

Canvas PaintOwnCell(const Layout& layout, const Cell& cell) { return DrawCell(OwnerOf(cell), cell, layout.cell); }

std::vector<ReviewStrip> SharedStrips(const std::string& who) {
    const std::string own = "120:" + who + ".";
    return {
        {"on sheet 19: walk run", {{own + "walk_1", 8}, {own + "walk_2", 8}, {own + "walk_3", 8}, {own + "walk_4", 8}, {own + "run_1", 4}, {own + "run_2", 4}, {own + "run_3", 4}, {own + "run_4", 4}}},
        {"on sheet 19: throws", {{own + "throw_wind", 4}, {own + "throw", 20}, {own + "wall_throw", 20}, {own + "ceil_throw", 20}, {own + "seal", 4}, {own + "item_get", 30}}},
        {"on sheet 19: air exit", {{own + "spin", 3}, {own + "spin", 3, -75}, {own + "rise", 4}, {own + "fall_a", 4}, {own + "fall_b", 4}, {own + "dive", 2}, {own + "victory", 40}}},
        {"22 squash", {{who + ".squash_a", 12}, {who + ".squash_b", 12}, {who + ".dizzy_a", 8}, {who + ".dizzy_b", 8}}},
        {"23 crawl 272", {{who + ".crawl_a", 12}, {who + ".crawl_b", 12}, {who + ".collapse_a", 12}, {who + ".collapse_b", 12}, {who + ".tied_a", 8}, {who + ".tied_b", 8}}},
        {"25 zap", {{"zap_a", 40}, {"zap_b", 40}, {"slump", 40}, {"tumble", 8, -60}, {"down", 30}}},
        {"26 27 273", {{"tumble", 8}, {"tumble", 8, -100}, {"down", 30}, {"sit_a", 20}, {"sit_b", 20}}},
        {"28 blast", {{"blast", 8}, {"blast", 8, -100}, {"sooty_sit", 30}, {"sooty_cough", 3}}},
        {"30 bonk", {{"bonk", 80}, {"steam", 80}, {"cry_a", 30}, {"cry_b", 3}}},
        {"29 kappa", {{"held", 20}, {"shaken_a", 2}, {"shaken_b", 2}, {"limp_a", 30}, {"limp_b", 3}}},
    };
}

void DrawLayoutCells(Canvas& sheet, Who who, const Layout& layout) {
    for (const Cell& c : layout.cells) sheet.Blit(DrawCell(who, c, layout.cell), c.x, c.y);
}

Canvas DrawLayoutSheet(Who who, const Layout& layout) {
    Canvas sheet(layout.sheetSize, layout.sheetSize, kKey);
    DrawLayoutCells(sheet, who, layout);
    return sheet;
}

Canvas DrawSharedSheet(const Layout& layout, Who (*whoOf)(const Cell&)) {
    Canvas sheet(layout.sheetSize, layout.sheetSize, kKey);
    for (const Cell& c : layout.cells) sheet.Blit(DrawCell(whoOf(c), c, layout.cell), c.x, c.y);
    return sheet;
}

}  // namespace players
