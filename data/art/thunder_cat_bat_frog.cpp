// The thunderer, the goblin cat, the bat and the frog: texture slot 31
// (resource 132), 256 x 256, 40 x 40 cells.
//
//  thunderer   a jade-skinned thunder oni with gold horns and wild black
//              hair, riding a storm cloud, a ring of drums on his back and
//              a drumstick in each fist
//  goblin cat  a white two-tailed nekomata with gold eyes
//  bat         a brown bat with dusky wings and big ears
//  frog        a leaf-green toad with a cream belly and gold eyes
//
//  cells (row y, from x = 0 in steps of 40):
//   0    thunder_a thunder_b thunder_charge_a thunder_charge_b thunder_strike_a thunder_strike_b
//   40   thunder_hurt
//   80   cat_walk_a cat_walk_b cat_jump cat_sit cat_shoot_a cat_shoot_b
//   120  cat_hurt bat_a bat_b bat_hang bat_hurt
//   160  frog_sit frog_hop frog_shoot_a frog_shoot_b frog_hurt
// Their shots (lightning, the spiral shots) are the shared shots sheet's.
#include "Enemies.h"
#include "Palette.h"

ART_SHEET(132, "thunderer-cat-bat-frog") { return PaintedSheet(132); }

namespace {

using rig::CapsulePart;
using rig::EllipsePart;
using rig::MakeBone;
using rig::Ramp;
using rig::Sprite;

// --- The thunderer ---------------------------------------------------------------

const Ramp kOniSkin{kFoam, kJade, kPine};
const Ramp kCloud{kStoneLight, kStone, kStoneDark};
const Ramp kDrum{kGold, kAmber, kWood};
const Ramp kStick{kSand, kWood, kEarth};

rig::Model MakeThunderer() {
    rig::Model m;
    m.name = "thunderer";
    m.legend = {{'k', kInk}, {'w', kWhite}, {'y', kGold}, {'R', kJade}, {'r', kCrimson}, {'n', kNight}};
    m.AddBone(MakeBone("cloud", "", 6, 0, {0, 0}, 90));
    m.AddBone(MakeBone("torso", "cloud", 5, 0.5f, {0, -2}, 180));
    m.AddBone(MakeBone("neck", "torso", 1, 1, {0, 0}, 180));
    m.AddBone(MakeBone("armN", "torso", 4, 0.85f, {0.8f, 0}, 120));
    m.AddBone(enemies::Follow(MakeBone("stickN", "armN", 5, 1, {0, 0}, 150)));
    m.AddBone(MakeBone("armF", "torso", 4, 0.85f, {-0.8f, 0}, -120));
    m.AddBone(enemies::Follow(MakeBone("stickF", "armF", 5, 1, {0, 0}, -150)));
    m.AddBone(enemies::Follow(MakeBone("ring", "torso", 0, 0.6f, {-2.5f, 0}, 180)));
    // The drums on their ring behind him.
    m.AddPart((enemies::ArcPart("hoop", "ring", -6, Ramp{kWood, kWood, kEarth}, 6.0f, 7.2f, -150, 150)));
    m.FindPart("hoop")->outline = true;
    const rig::Vec drums[5] = {{-6, -3}, {-3, -6.5f}, {-7, 2.5f}, {1.5f, -7.5f}, {-4.5f, 6}};
    for (int i = 0; i < 5; ++i) {
        const std::string b = "drumB" + std::to_string(i);
        m.AddBone(enemies::Follow(MakeBone(b, "ring", 0, 0, drums[i], 180)));
        m.AddPart(EllipsePart("drum" + std::to_string(i), b, -5, kDrum, 2.0f, 1.6f));
    }
    m.AddPart(CapsulePart("armF", "armF", -3, Ramp{kJade, kPine, kPine}, 1.2f, 1.1f));
    m.AddPart(CapsulePart("stickF", "stickF", -4, kStick, 0.6f, 0.9f));
    m.AddPart(EllipsePart("cloudB", "cloud", 0, kCloud, 3.4f, 2.6f, -0.4f));
    m.AddPart(EllipsePart("cloudM", "cloud", 1, kCloud, 3.6f, 3.4f, 0.3f));
    m.AddPart(EllipsePart("cloudF", "cloud", 0, kCloud, 2.9f, 2.6f, 1.0f));
    m.AddPart(CapsulePart("torso", "torso", 2, kOniSkin, 2.8f, 3.1f));
    m.AddPart(enemies::Flat(EllipsePart("loin", "torso", 3, Ramp{kGold, kAmber, kAmber}, 3.0f, 1.3f, 0.05f)));
    m.AddPart(enemies::SpritePart("stripes", "torso", 4, {{"", Sprite{{"k.k.k"}, {2, 0}}}}));
    m.FindPart("stripes")->from = 0.05f;
    auto head = [](const char* eye, const char* mouth) {
        return Sprite{{"y.kkkk.y.", "ykkkkkkky", "kkRRRRRkk", std::string("kRRRR") + eye + "R", "kRRRRRRRR",
                       std::string("kRRR") + mouth, "kkRRRRRR.", ".k......."},
                      {4, 7}};
    };
    m.AddPart(enemies::SpritePart("head", "neck", 5,
                                  {{"", head("wk", "wkkw")}, {"roar", head("wk", "krrk")}, {"hurt", head("kk", "kwwk")}}));
    m.AddPart(CapsulePart("armN", "armN", 6, kOniSkin, 1.3f, 1.2f));
    m.AddPart(CapsulePart("stickN", "stickN", 7, kStick, 0.6f, 0.9f));
    // The flash of a struck drum.
    m.AddPart(enemies::Hidden(enemies::ArcPart("flash", "ring", 8, Ramp{kWhite, kGold, kAmber}, 7.5f, 9.5f, -60, 40)));
    return m;
}

// --- The goblin cat -------------------------------------------------------------------

// White fur: the lit side and the body alike white, shaded cool grey.
const Ramp kCatFur{kWhite, kWhite, kStoneLight};
const Ramp kCatFar{kStoneLight, kStone, kStoneDark};

rig::Model MakeCat() {
    rig::Model m;
    m.name = "goblin cat";
    m.legend = {{'k', kInk}, {'w', kWhite}, {'y', kGold}, {'g', kWhite}, {'G', kStoneLight}, {'p', kRose},
                {'r', kCrimson}};
    m.AddBone(MakeBone("body", "", 8, 0, {-4, 0}, 90));
    m.AddBone(MakeBone("neck", "body", 2, 1, {0, 0}, 150));
    m.AddBone(MakeBone("frontN", "body", 6, 0.9f, {0, 0.6f}, 10));
    m.AddBone(MakeBone("frontF", "body", 6, 0.85f, {0, -0.6f}, -10));
    m.AddBone(MakeBone("hindN", "body", 6, 0.1f, {0, 0.6f}, -10));
    m.AddBone(MakeBone("hindF", "body", 6, 0.15f, {0, -0.6f}, 10));
    m.AddBone(MakeBone("tail1", "body", 8, 0, {0, 0}, -140));
    m.AddBone(MakeBone("tail2", "body", 8, 0, {0, 0}, -165));
    m.AddPart(CapsulePart("tail2", "tail2", -4, kCatFar, 1.0f, 0.8f));
    m.AddPart(CapsulePart("tail1", "tail1", -3, kCatFur, 1.0f, 0.8f));
    m.AddPart(CapsulePart("frontF", "frontF", -2, kCatFar, 1.0f, 0.8f));
    m.AddPart(CapsulePart("hindF", "hindF", -2, kCatFar, 1.2f, 0.8f));
    m.AddPart(CapsulePart("body", "body", 0, kCatFur, 2.8f, 2.6f));
    m.AddPart(CapsulePart("frontN", "frontN", 2, kCatFur, 1.1f, 0.9f));
    m.AddPart(CapsulePart("hindN", "hindN", 2, kCatFur, 1.4f, 0.9f));
    auto head = [](const char* eye, const char* mouth) {
        return Sprite{{".k....k.", "kpk..kpk", "gggggggg.", std::string("gG") + eye + "Gg" + eye, "ggggggggk",
                       std::string(".gg") + mouth, "..gggg..."},
                      {3, 5}};
    };
    m.AddPart(enemies::SpritePart("head", "neck", 4,
                                  {{"", head("yk", "wwww")}, {"hiss", head("yk", "krrk")}, {"hurt", head("kk", "k.k.")}}));
    m.FindPart("head")->from = 1;
    return m;
}

// --- The bat -----------------------------------------------------------------------------

rig::Model MakeBat() {
    rig::Model m;
    m.name = "bat";
    m.legend = {{'k', kInk}, {'w', kWhite}, {'b', kWood}, {'B', kEarth}, {'r', kRed}, {'p', kRose}};
    m.AddBone(MakeBone("body", "", 4, 0, {0, 0}, 180));
    // The wings spread to either side, their trailing edges scalloped
    // between the fingers.
    m.AddBone(MakeBone("wingN", "body", 1, 0.7f, {1, 0}, 90));
    m.AddBone(MakeBone("wingF", "body", 1, 0.7f, {-1, 0}, -90));
    const std::vector<rig::Vec> wingN = {{0, -1}, {4, -4}, {8, -5}, {12, -3}, {11, 1}, {9, 0}, {8, 3}, {6, 1}, {4, 4}, {2, 2}, {0, 2}};
    std::vector<rig::Vec> wingF = wingN;
    for (rig::Vec& v : wingF) v.x = -v.x;
    m.AddPart(enemies::PolyPart("wingF", "wingF", -2, Ramp{kDusk, kDusk, kNight}, wingF));
    m.AddPart(EllipsePart("body", "body", 0, Ramp{kWood, kEarth, kEarthDark}, 2.6f, 3.2f, 0.3f));
    auto head = [](const char* eye, const char* mouth) {
        return Sprite{{"k...k.", "bk.bk.", "bbbbbb", std::string("bb") + eye + "bb", std::string("bbb") + mouth, ".BBBB."}, {2.5f, 4}};
    };
    m.AddPart(enemies::SpritePart("head", "body", 2,
                                  {{"", head("rk", "w.w")}, {"shut", head("kk", "BBB")}, {"hurt", head("kk", "kkk")}}));
    m.FindPart("head")->from = 1.1f;
    m.AddPart(enemies::PolyPart("wingN", "wingN", 3, Ramp{kMauve, kDusk, kNight}, wingN));
    return m;
}

// --- The frog -----------------------------------------------------------------------------

const Ramp kToad{kGold, kLeaf, kGrass};

rig::Model MakeFrog() {
    rig::Model m;
    m.name = "frog";
    m.legend = {{'k', kInk}, {'w', kWhite}, {'y', kGold}, {'t', kGold}, {'T', kLeaf}, {'d', kGrass},
                {'r', kCrimson}, {'p', kRose}};
    // A squat toad: a wide, low body, the hind leg folded at its side, the
    // front leg propping up its chest, eyes bulging on top of its head.
    m.AddBone(MakeBone("body", "", 9, 0, {-4.5f, 0}, 95));
    m.AddBone(MakeBone("thigh", "body", 4, 0.25f, {0, 1.5f}, 150));
    m.AddBone(enemies::Follow(MakeBone("shin", "thigh", 5, 1, {0, 0}, -60)));
    m.AddBone(enemies::Follow(MakeBone("foot", "shin", 3.5f, 1, {0, 0}, 70)));
    m.AddBone(MakeBone("arm", "body", 4, 0.8f, {0, 2.0f}, 10));
    m.AddPart(CapsulePart("body", "body", 0, kToad, 3.8f, 4.2f, 0.1f, 0.75f));
    m.AddPart(enemies::Flat(EllipsePart("belly", "body", 1, Ramp{kCream, kCream, kSand}, 1.6f, 3.4f, 0.6f)));
    m.FindPart("belly")->outline = false;
    m.AddPart(enemies::SpritePart("warts", "body", 2, {{"", Sprite{{"d..d..d", "..d..d.", "d......"}, {3, 1}}}}));
    m.FindPart("warts")->from = 0.3f;
    m.AddPart(CapsulePart("arm", "arm", -1, kToad, 1.0f, 0.9f));
    m.AddPart(EllipsePart("haunch", "thigh", 3, kToad, 2.6f, 2.4f, 0.1f));
    m.AddPart(CapsulePart("thigh", "thigh", 3, kToad, 2.4f, 1.6f));
    m.AddPart(CapsulePart("shin", "shin", 3, kToad, 1.3f, 1.0f));
    m.AddPart(CapsulePart("foot", "foot", 3, kToad, 1.0f, 0.8f));
    auto head = [](std::vector<std::string> mouth) {
        std::vector<std::string> rows = {"..kkk.....", ".kywwk....", ".kykkTTT..", "TTTTTTTTT.", "TTTTTTTTTT"};
        rows.insert(rows.end(), mouth.begin(), mouth.end());
        return Sprite{rows, {5, 5}};
    };
    m.AddPart(enemies::SpritePart("head", "body", 4,
                                  {{"", head({"kkkkkkkkkk", "tttttttt.."})},
                                   {"open", head({"kkkkkkkkkk", "rrrrrrppk.", "kkkkkkkk.."})},
                                   {"wide", head({"kkkkkkkkkk", "rrrrrrrrrk", "rppppppprk", "kkkkkkkkk."})},
                                   {"hurt", head({"kk.kk.kk.k", "tttttttt.."})}}));
    m.FindPart("head")->from = 0.72f;
    return m;
}

// --- Poses and the layout -----------------------------------------------------------------

struct KindPose {
    const char* name;
    const rig::Model& (*model)();
    const char* words;
};

template <rig::Model (*Make)()>
const rig::Model& Cached() {
    static const rig::Model m = Make();
    return m;
}

const KindPose kPoses[] = {
    {"thunder_a", Cached<MakeThunderer>, "root:18,26 place:centre cloud=88 armN=110 armF=-110"},
    {"thunder_b", Cached<MakeThunderer>, "root:18,24 place:centre cloud=96 armN=135 armF=-80 torso=174"},
    {"thunder_charge_a", Cached<MakeThunderer>, "root:18,26 place:centre cloud=90 armN=165 armF=-160 face:roar"},
    {"thunder_charge_b", Cached<MakeThunderer>, "root:18,24 place:centre cloud=86 armN=145 armF=-178 torso=188 face:roar"},
    {"thunder_strike_a", Cached<MakeThunderer>, "root:18,26 place:centre cloud=90 armN=60 armF=-60 show:flash face:roar"},
    {"thunder_strike_b", Cached<MakeThunderer>, "root:18,26 place:centre cloud=90 armN=75 armF=-75 torso=176 show:flash face:roar"},
    {"thunder_hurt", Cached<MakeThunderer>, "root:18,26 place:centre cloud=80 torso=210 armN=30 armF=-170 face:hurt"},
    {"cat_walk_a", Cached<MakeCat>, "root:22,24 frontN=30 frontF=-15 hindN=-30 hindF=15 tail1=-135 tail2=-160"},
    {"cat_walk_b", Cached<MakeCat>, "root:22,24 frontN=-15 frontF=30 hindN=15 hindF=-30 tail1=-145 tail2=-170"},
    {"cat_jump", Cached<MakeCat>, "root:22,22 place:centre body=80 frontN=70 frontF=60 hindN=-60 hindF=-70 tail1=-110 tail2=-125"},
    {"cat_sit", Cached<MakeCat>, "root:22,24 body=125 neck=120 frontN=0 frontF=-5 hindN=60 hindF=50 tail1=-100 tail2=-125"},
    {"cat_shoot_a", Cached<MakeCat>, "root:22,24 body=125 neck=130 frontN=0 frontF=-5 hindN=60 hindF=50 tail1=-170 tail2=-200 face:hiss"},
    {"cat_shoot_b", Cached<MakeCat>, "root:22,24 body=135 neck=150 frontN=40 frontF=-5 hindN=60 hindF=50 tail1=-150 tail2=-120 face:hiss"},
    {"cat_hurt", Cached<MakeCat>, "root:22,22 place:centre body=60 neck=170 frontN=120 frontF=100 hindN=-100 hindF=-120 tail1=-60 tail2=-90 face:hurt"},
    {"bat_a", Cached<MakeBat>, "root:20,24 place:centre wingN=120 wingF=-120"},
    {"bat_b", Cached<MakeBat>, "root:20,22 place:centre wingN=65 wingF=-65"},
    {"bat_hang", Cached<MakeBat>, "root:20,20 place:centre body=0 wingN=15 wingF=-15 wingN*0.7 face:shut"},
    {"bat_hurt", Cached<MakeBat>, "root:20,22 place:centre body=210 wingN=150 wingF=-40 face:hurt"},
    {"frog_sit", Cached<MakeFrog>, "root:20,24"},
    {"frog_hop", Cached<MakeFrog>, "root:20,22 place:centre body=125 thigh=-60 shin=-80 foot=-90 arm=70"},
    {"frog_shoot_a", Cached<MakeFrog>, "root:20,24 body=102 arm=0 face:open"},
    {"frog_shoot_b", Cached<MakeFrog>, "root:20,24 body=118 arm=25 face:wide"},
    {"frog_hurt", Cached<MakeFrog>, "root:20,22 place:centre body=150 thigh=100 arm=120 face:hurt"},
};

Canvas PaintSlot31(const Layout& l, const Cell& c) {
    for (const KindPose& p : kPoses)
        if (c.pose == std::string(p.name)) return enemies::DrawPose(p.model(), std::string(p.words), l, c);
    enemies::FailNoPose("thunderer, cat, bat, frog", c.pose);
}

const Layout kSlot31Layout{132, 31, "thunder_cat_bat_frog_slot31", {
    {"thunder_a", "220 230 250", 0, 0, Anchor::Centre},
    {"thunder_b", "231 251", 40, 0, Anchor::Centre},
    {"thunder_charge_a", "232 252", 80, 0, Anchor::Centre},
    {"thunder_charge_b", "233 253", 120, 0, Anchor::Centre},
    {"thunder_strike_a", "234 254", 160, 0, Anchor::Centre},
    {"thunder_strike_b", "235 255", 200, 0, Anchor::Centre},
    {"thunder_hurt", "10 110 111", 0, 40, Anchor::Centre},
    {"cat_walk_a", "220 230", 0, 80, Anchor::Body},
    {"cat_walk_b", "231", 40, 80, Anchor::Body},
    {"cat_jump", "232 233", 80, 80, Anchor::Centre},
    {"cat_sit", "250", 120, 80, Anchor::Body},
    {"cat_shoot_a", "251", 160, 80, Anchor::Body},
    {"cat_shoot_b", "252", 200, 80, Anchor::Body},
    {"cat_hurt", "10 110 111", 0, 120, Anchor::Centre},
    {"bat_a", "220 230 250 270", 40, 120, Anchor::Centre},
    {"bat_b", "231 251 271", 80, 120, Anchor::Centre},
    {"bat_hang", "290", 120, 120, Anchor::Centre},  // also the hanging bat's 10, 110, 111
    {"bat_hurt", "10 110 111", 160, 120, Anchor::Centre},
    {"frog_sit", "220 230 250", 0, 160, Anchor::Body},
    {"frog_hop", "231", 40, 160, Anchor::Centre},
    {"frog_shoot_a", "251", 80, 160, Anchor::Body},
    {"frog_shoot_b", "252", 120, 160, Anchor::Body},
    {"frog_hurt", "10 110 111", 160, 160, Anchor::Centre},
}, 256, {}, PaintSlot31};
ART_LAYOUT(kSlot31Layout);

const Review kSlot31Review{"thunderer_cat_bat_frog", {132}, {
    {"thunderer 230", {{"thunder_a", 8}, {"thunder_b", 8}, {"thunder_charge_a", 2}, {"thunder_charge_b", 2}, {"thunder_charge_a", 2}, {"thunder_charge_b", 2}, {"thunder_strike_a", 2}, {"thunder_strike_b", 2}, {"thunder_strike_a", 2}, {"thunder_hurt", 20}}},
    {"goblin cat", {{"cat_walk_a", 6}, {"cat_walk_b", 6}, {"cat_walk_a", 6}, {"cat_jump", 12}, {"cat_sit", 20}, {"cat_shoot_a", 6}, {"cat_shoot_b", 6}, {"cat_hurt", 20}}},
    {"bat", {{"bat_a", 6}, {"bat_b", 6}, {"bat_a", 6}, {"bat_b", 6}, {"bat_hang", 30}, {"bat_hurt", 20}}},
    {"frog", {{"frog_sit", 10}, {"frog_hop", 20}, {"frog_sit", 10}, {"frog_shoot_a", 6}, {"frog_shoot_b", 6}, {"frog_hurt", 20}}},
}, {{"thunder_a", 0}, {"cat_walk_a", 0}, {"bat_a", 0}, {"frog_sit", 0}, {"thunder_strike_a", 0}, {"bat_hang", 0}}};
ART_REVIEW(kSlot31Review);

}  // namespace
