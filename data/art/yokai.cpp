// The floating and hopping yokai: texture slot 34 (resource 135), 256 x 256,
// 40 x 40 cells.
//
//  will-o'-wisp  a pale blue soul-flame with two dark eyes, its tail of
//                fire streaming back; it sparks into being as an ember
//  ghost         a yurei in a white burial kimono, long black hair
//                hanging over her face and down her back, the white
//                triangle of the headband on her brow, her arms held out
//                with wide hanging sleeves and limp hands; no feet, her
//                robe thins into a tail and a wisp
//  karakasa      a red oiled-paper umbrella with one great eye and a
//                lolling tongue, hopping on its one leg in a geta
//  chouchin      a yellow paper lantern split into a mouth, one eye above
//  snake         a violet snake, its head raised off the ground
//
//  cells (row y, from x = 0 in steps of 40):
//   0    wisp_a wisp_b wisp_spark_a wisp_spark_b wisp_kindle_a wisp_kindle_b
//   40   wisp_hurt ghost_float ghost_gather ghost_shoot ghost_hurt
//   80   kasa_stand kasa_spring kasa_air kasa_drift_a kasa_drift_b kasa_hurt
//   120  lantern_idle lantern_sway lantern_swell lantern_open lantern_spit lantern_hurt
//   160  snake_a snake_b snake_hurt
// Their shots (the ghost fire, the lantern fire) are the shared shots sheet's.
#include "Enemies.h"
#include "Palette.h"

ART_SHEET(135, "yokai") { return PaintedSheet(135); }

namespace {

using rig::CapsulePart;
using rig::EllipsePart;
using rig::MakeBone;
using rig::Ramp;
using rig::Sprite;

// --- The will-o'-wisp ----------------------------------------------------------

rig::Model MakeWisp() {
    rig::Model m;
    m.name = "wisp";
    m.legend = {{'k', kInk}, {'w', kWhite}};
    m.AddBone(MakeBone("core", "", 6, 0, {0, 0}, 180));
    m.AddBone(MakeBone("tail", "core", 10, 0.3f, {0, 0}, -135));
    m.AddPart(CapsulePart("tail", "tail", 0, Ramp{kFoam, kWater, kWaterDeep}, 4.2f, 0.6f));
    m.AddPart(EllipsePart("core", "core", 1, Ramp{kWhite, kFoam, kWater}, 5.0f, 5.0f, 0.2f));
    m.AddPart(enemies::Flat(EllipsePart("glow", "core", 2, Ramp{kWhite, kWhite, kFoam}, 2.0f, 2.0f, 0.45f)));
    m.AddPart(enemies::SpritePart("head", "core", 3,
                                  {{"", Sprite{{"k..k", "k..k"}, {1.5f, 0}}},
                                   {"hurt", Sprite{{"k..k", ".kk.", "k..k"}, {1.5f, 0}}}}));
    // The ember it sparks from, and the small flame it kindles to.
    m.AddPart(enemies::Hidden(EllipsePart("ember", "core", 5, Ramp{kWhite, kFoam, kWater}, 1.8f, 1.8f, 0)));
    m.AddPart(enemies::Hidden(CapsulePart("emberTail", "tail", 4, Ramp{kFoam, kWater, kWaterDeep}, 1.5f, 0.4f, 0.1f, 0.45f)));
    m.AddPart(enemies::Hidden(EllipsePart("kindle", "core", 5, Ramp{kWhite, kFoam, kWater}, 3.2f, 3.2f, 0.1f)));
    return m;
}

const char* const kFullWisp = "hide:ember,emberTail,kindle";
const char* const kEmber = "hide:core,glow,head,tail,kindle show:ember,emberTail";
const char* const kKindle = "hide:core,glow,head,ember show:kindle,emberTail";

// --- The ghost ---------------------------------------------------------------------

const Ramp kRobe{kWhite, kStoneLight, kMist};
const Ramp kHair{kMauve, kDusk, kNight};

// The yurei's head faces right; its pivot is the neck. H/h her long black
// hair and its sheen, hanging over her face and down past her chin; w the
// white triangle of the headband on her brow; s the pale face showing
// between the strands, k an eye, r the lips.
std::map<std::string, Sprite> GhostHeads() {
    auto make = [](const char* eye, const char* mouth) {
        return Sprite{{
                          "..HHHHH...",
                          ".HhHHwHH..",
                          ".HhHwwwH..",
                          "HHHwwwwwH.",
                          "HHHHHsHsH.",
                          std::string("HHHHs") + eye,
                          "HHHHssHsH.",
                          std::string("HHHHs") + mouth,
                          "HHHH.HH.H.",
                          "HHH..H..H.",
                          "HH...H....",
                      },
                      {5, 8}};
    };
    return {{"", make("kHsH.", "HHsH.")}, {"shout", make("kHsH.", "HrrH.")}, {"hurt", make("HkHk.", "HrrH.")}};
}

rig::Model MakeGhost() {
    rig::Model m;
    m.name = "ghost";
    m.legend = {{'k', kInk}, {'H', kDusk}, {'h', kMauve}, {'w', kWhite}, {'s', kStoneLight}, {'r', kCrimson}, {'m', kMist}};
    m.AddBone(MakeBone("torso", "", 7, 0, {0, 0}, 180));
    m.AddBone(MakeBone("tail", "torso", 10, 0, {0, 0}, -25));
    m.AddBone(enemies::Follow(MakeBone("wisp", "tail", 5, 1, {0, 0}, -40)));
    m.AddBone(MakeBone("neck", "torso", 3, 1, {0.5f, 0}, 175));
    m.AddBone(MakeBone("hair", "neck", 12, 1, {-1.5f, 0}, -20));
    m.AddBone(MakeBone("arm", "torso", 6, 0.8f, {1.5f, 0}, 75));
    m.AddBone(enemies::Follow(MakeBone("hand", "arm", 3, 1, {0, 0}, 10)));
    m.AddBone(MakeBone("sleeve", "arm", 4.5f, 0.75f, {0, 0}, 0));
    // The white burial kimono: no feet, the hem drawn out into a tail that
    // thins to a wisp.
    m.AddPart(CapsulePart("tail", "tail", -1, kRobe, 4.4f, 1.0f));
    rig::Part wisp = CapsulePart("wisp", "wisp", -1, Ramp{kStoneLight, kMist, kMist}, 1.0f, 0.3f);
    wisp.outline = false;
    m.AddPart(wisp);
    m.AddPart(CapsulePart("robe", "torso", 0, kRobe, 4.4f, 3.6f));
    // The collar crossed over her chest.
    m.AddPart(enemies::SpritePart("collar", "torso", 1, {{"", Sprite{{"m...", ".m..", "..m.", "..m.", "...m"}, {0, 0}}}}));
    m.FindPart("collar")->from = 0.95f;
    m.AddPart(CapsulePart("hair", "hair", -2, kHair, 3.4f, 1.2f));
    m.AddPart(enemies::SpritePart("head", "neck", 4, GhostHeads(), 360));
    m.FindPart("head")->from = 1.0f;
    // The arm held out, its wide sleeve hanging, the hand limp at the wrist.
    m.AddPart(CapsulePart("sleeve", "sleeve", 4, kRobe, 1.6f, 2.4f));
    m.AddPart(CapsulePart("arm", "arm", 5, kRobe, 1.8f, 1.6f));
    m.AddPart(CapsulePart("hand", "hand", 4, Ramp{kWhite, kStoneLight, kMist}, 1.0f, 0.6f));
    return m;
}

// --- The karakasa ----------------------------------------------------------------------

rig::Model MakeKarakasa() {
    rig::Model m;
    m.name = "karakasa";
    m.legend = {{'k', kInk}, {'w', kWhite}, {'y', kGold}};
    m.AddBone(MakeBone("shaft", "", 7, 0, {0, 0}, 180));
    m.AddBone(MakeBone("leg", "shaft", 8, 0, {0, 0}, 0));
    m.AddBone(enemies::Follow(MakeBone("geta", "leg", 3.5f, 1, {0, 0}, 90)));
    m.AddBone(MakeBone("tongue", "shaft", 6, 0.4f, {2.5f, 0}, 50));
    // The canopy: a dome over the shaft, its rim scalloped between the ribs.
    m.AddPart(enemies::PolyPart("canopy", "shaft", 0, Ramp{kCoral, kRed, kCrimson},
                                {{0, -17}, {6, -15}, {10, -11}, {12, -6}, {9, -5}, {6, -6}, {3, -5}, {0, -6},
                                 {-3, -5}, {-6, -6}, {-9, -5}, {-12, -6}, {-10, -11}, {-6, -15}}));
    m.AddPart(enemies::PolyPart("crown", "shaft", 1, Ramp{kGold, kAmber, kWood}, {{0, -18}, {2, -16}, {0, -15}, {-2, -16}}));
    m.AddPart(enemies::SpritePart("head", "shaft", 2,
                                  {{"", Sprite{{".kkkk.", "kwwwwk", "kwkkwk", "kwwwwk", ".kkkk."}, {2.5f, 2}}},
                                   {"blink", Sprite{{"......", ".kkkk.", "kwwwwk", ".kkkk.", "......"}, {2.5f, 2}}},
                                   {"hurt", Sprite{{"k....k", ".k..k.", "..kk..", ".k..k.", "k....k"}, {2.5f, 2}}}}, 90));
    m.FindPart("head")->from = 1.4f;
    m.AddPart(CapsulePart("tongue", "tongue", 3, Ramp{kRose, kRose, kCrimson}, 1.3f, 1.0f));
    m.AddPart(CapsulePart("leg", "leg", -1, Ramp{kSand, kWood, kEarth}, 1.0f, 0.9f));
    m.AddPart(CapsulePart("geta", "geta", -1, Ramp{kWood, kEarth, kEarthDark}, 1.2f, 1.1f, -0.4f, 1));
    return m;
}

// --- The chouchin ------------------------------------------------------------------------

rig::Model MakeLantern() {
    rig::Model m;
    m.name = "chouchin";
    m.legend = {{'k', kInk}, {'w', kWhite}, {'r', kCrimson}, {'R', kRed}, {'a', kAmber}, {'p', kRose}};
    m.AddBone(MakeBone("body", "", 10, 0, {0, 0}, 180));
    m.AddBone(MakeBone("hook", "body", 3, 1, {0, -1}, 180));
    m.AddBone(MakeBone("tongue", "body", 6, 0.3f, {2, 0}, 40));
    m.AddPart(CapsulePart("hook", "hook", -1, Ramp{kStone, kStoneDark, kNight}, 0.6f, 0.6f));
    m.AddPart(EllipsePart("paper", "body", 0, Ramp{kCream, kGold, kAmber}, 7.5f, 9.0f, 0.4f));
    m.AddPart(EllipsePart("capTop", "body", 1, Ramp{kDusk, kNight, kInk}, 4.5f, 1.5f, 1.3f));
    m.AddPart(EllipsePart("capBottom", "body", 1, Ramp{kDusk, kNight, kInk}, 4.5f, 1.5f, -0.5f));
    // The paper's ribs and the split that is its mouth, one eye above it.
    auto face = [](std::vector<std::string> mouth, const char* eye) {
        std::vector<std::string> rows = {"aaaaaaaaaaa", "...........", std::string("....") + eye + "....",
                                         "...........", "aaaaaaaaaaa"};
        rows.insert(rows.end(), mouth.begin(), mouth.end());
        rows.push_back("aaaaaaaaaaa");
        rows.push_back("...........");
        rows.push_back("aaaaaaaaaaa");
        return Sprite{rows, {5.5f, 6}};
    };
    const std::vector<std::string> shut = {"k.kkkkkkk.k", ".k.......k.", "..........."};
    const std::vector<std::string> ajar = {".kkkkkkkkk.", "..krrrrrk..", "...kkkkk..."};
    const std::vector<std::string> open = {"kkkkkkkkkkk", "krRRRRRRRrk", "krRRRRRRRrk", ".krrrrrrrk.", "..kkkkkkk.."};
    m.AddPart(enemies::SpritePart("head", "body", 2,
                                  {{"", face(shut, "kwk")},
                                   {"swell", face(ajar, "kwk")},
                                   {"open", face(open, "kwk")},
                                   {"hurt", face(ajar, "k.k")}}));
    m.FindPart("head")->from = 0.55f;
    m.AddPart(enemies::Hidden(CapsulePart("tongue", "tongue", 3, Ramp{kRose, kRose, kCrimson}, 1.6f, 1.2f)));
    return m;
}

// --- The snake ------------------------------------------------------------------------------

const Ramp kScales{kViolet, kDusk, kNight};

rig::Model MakeSnake() {
    rig::Model m;
    m.name = "snake";
    m.legend = {{'k', kInk}, {'y', kGold}, {'v', kViolet}, {'d', kDusk}, {'r', kRed}};
    m.AddBone(MakeBone("mid", "", 5, 0, {0, 0}, 90));
    m.AddBone(MakeBone("neck", "mid", 6, 1, {0, 0}, 155));
    m.AddBone(MakeBone("back1", "mid", 5, 0, {0, 0}, -90));
    m.AddBone(MakeBone("back2", "back1", 5, 1, {0, 0}, -90));
    m.AddBone(MakeBone("tail", "back2", 5, 1, {0, 0}, -90));
    m.AddPart(CapsulePart("mid", "mid", 1, kScales, 2.2f, 2.1f));
    m.AddPart(CapsulePart("back1", "back1", 0, kScales, 2.2f, 2.0f));
    m.AddPart(CapsulePart("back2", "back2", -1, kScales, 2.0f, 1.5f));
    m.AddPart(CapsulePart("tail", "tail", -2, kScales, 1.5f, 0.3f));
    m.AddPart(CapsulePart("neck", "neck", 2, kScales, 2.0f, 1.7f));
    // The pale belly along the raised neck, and the head with its tongue.
    m.AddPart(enemies::Flat(CapsulePart("belly", "neck", 3, Ramp{kGold, kGold, kSand}, 0.7f, 0.6f, 0.1f, 0.9f)));
    m.FindPart("belly")->outline = false;
    auto head = [](const char* eye, const char* tongue) {
        return Sprite{{".vvvvv..", std::string("vv") + eye + "vvv.", "dddddddd" + std::string(tongue), ".ddddd.."}, {2, 2}};
    };
    m.AddPart(enemies::SpritePart("head", "neck", 4,
                                  {{"", head("yk", "r.")}, {"flick", head("yk", "rr")}, {"hurt", head("kk", "..")}}));
    m.FindPart("head")->from = 1.05f;
    return m;
}

// --- Poses and the layout ---------------------------------------------------------------------

struct KindPose {
    const char* name;
    const rig::Model& (*model)();
    std::string words;
};

template <rig::Model (*Make)()>
const rig::Model& Cached() {
    static const rig::Model m = Make();
    return m;
}

const KindPose kPoses[] = {
    {"wisp_a", Cached<MakeWisp>, std::string("root:20,24 place:centre tail=-135 ") + kFullWisp},
    {"wisp_b", Cached<MakeWisp>, std::string("root:20,24 place:centre tail=-118 tail*1.15 ") + kFullWisp},
    {"wisp_spark_a", Cached<MakeWisp>, std::string("root:20,24 place:centre tail=-150 ") + kEmber},
    {"wisp_spark_b", Cached<MakeWisp>, std::string("root:20,24 place:centre tail=-110 tail*1.2 ") + kEmber},
    {"wisp_kindle_a", Cached<MakeWisp>, std::string("root:20,24 place:centre tail=-140 ") + kKindle},
    {"wisp_kindle_b", Cached<MakeWisp>, std::string("root:20,24 place:centre tail=-120 tail*1.2 ") + kKindle},
    {"wisp_hurt", Cached<MakeWisp>, std::string("root:20,24 place:centre tail=-80 tail*0.8 face:hurt ") + kFullWisp},
    {"ghost_float", Cached<MakeGhost>, "root:20,22 place:centre tail=-25 arm=75 hand=10 sleeve=5 hair=-20"},
    {"ghost_gather", Cached<MakeGhost>, "root:20,22 place:centre torso=170 tail=-40 arm=150 hand=170 sleeve=60 hair=-55 face:shout"},
    {"ghost_shoot", Cached<MakeGhost>, "root:20,22 place:centre torso=195 tail=-15 arm=95 hand=90 sleeve=10 hair=-10 face:shout"},
    {"ghost_hurt", Cached<MakeGhost>, "root:20,22 place:centre torso=215 tail=-60 arm=20 hand=-10 sleeve=-5 hair=-75 face:hurt"},
    {"kasa_stand", Cached<MakeKarakasa>, "root:20,22 shaft=180 leg=0 tongue=55"},
    {"kasa_spring", Cached<MakeKarakasa>, "root:20,22 shaft=172 leg=-12 leg*0.75 tongue=80 face:blink"},
    {"kasa_air", Cached<MakeKarakasa>, "root:20,22 place:centre shaft=185 leg=-25 geta=60 tongue=100"},
    {"kasa_drift_a", Cached<MakeKarakasa>, "root:20,22 place:centre shaft=168 leg=-15 tongue=70"},
    {"kasa_drift_b", Cached<MakeKarakasa>, "root:20,22 place:centre shaft=192 leg=10 tongue=45"},
    {"kasa_hurt", Cached<MakeKarakasa>, "root:20,22 place:centre shaft=215 leg=40 tongue=20 face:hurt"},
    {"lantern_idle", Cached<MakeLantern>, "root:20,28 place:centre body=180"},
    {"lantern_sway", Cached<MakeLantern>, "root:20,26 place:centre body=170 hook=190"},
    {"lantern_swell", Cached<MakeLantern>, "root:20,26 place:centre body=183 face:swell"},
    {"lantern_open", Cached<MakeLantern>, "root:20,26 place:centre body=188 face:open"},
    {"lantern_spit", Cached<MakeLantern>, "root:20,26 place:centre body=192 face:open show:tongue tongue=60"},
    {"lantern_hurt", Cached<MakeLantern>, "root:20,26 place:centre body=205 face:hurt"},
    {"snake_a", Cached<MakeSnake>, "root:22,28 back1=-70 back2=-115 tail=-70"},
    {"snake_b", Cached<MakeSnake>, "root:22,28 back1=-110 back2=-65 tail=-110 face:flick"},
    {"snake_hurt", Cached<MakeSnake>, "root:22,26 place:centre mid=110 neck=80 back1=-50 back2=-130 tail=-40 face:hurt"},
};

Canvas PaintYokai(const Layout& l, const Cell& c) {
    for (const KindPose& p : kPoses)
        if (c.pose == std::string(p.name)) return enemies::DrawPose(p.model(), p.words, l, c);
    enemies::FailNoPose("yokai", c.pose);
}

const Layout kYokaiLayout{135, 34, "yokai_slot34", {
    {"wisp_a", "220 230 250 294", 0, 0, Anchor::Centre},
    {"wisp_b", "231 251 295", 40, 0, Anchor::Centre},
    {"wisp_spark_a", "290", 80, 0, Anchor::Centre},
    {"wisp_spark_b", "291", 120, 0, Anchor::Centre},
    {"wisp_kindle_a", "292", 160, 0, Anchor::Centre},
    {"wisp_kindle_b", "293", 200, 0, Anchor::Centre},
    {"wisp_hurt", "10 110 111", 0, 40, Anchor::Centre},
    {"ghost_float", "220 230 231", 40, 40, Anchor::Centre},
    {"ghost_gather", "232", 80, 40, Anchor::Centre},
    {"ghost_shoot", "233", 120, 40, Anchor::Centre},
    {"ghost_hurt", "10 110 111", 160, 40, Anchor::Centre},
    {"kasa_stand", "220 231", 0, 80, Anchor::Body},
    {"kasa_spring", "232", 40, 80, Anchor::Body},
    {"kasa_air", "230", 80, 80, Anchor::Centre},
    {"kasa_drift_a", "250", 120, 80, Anchor::Centre},
    {"kasa_drift_b", "251", 160, 80, Anchor::Centre},
    {"kasa_hurt", "10 110 111", 200, 80, Anchor::Centre},
    {"lantern_idle", "220 230 250", 0, 120, Anchor::Centre},
    {"lantern_sway", "251", 40, 120, Anchor::Centre},
    {"lantern_swell", "231 235", 80, 120, Anchor::Centre},
    {"lantern_open", "232 234", 120, 120, Anchor::Centre},
    {"lantern_spit", "233", 160, 120, Anchor::Centre},
    {"lantern_hurt", "10 110 111", 200, 120, Anchor::Centre},
    {"snake_a", "220 230 250", 0, 160, Anchor::Body},
    {"snake_b", "231 251", 40, 160, Anchor::Body},
    {"snake_hurt", "10 110 111", 80, 160, Anchor::Centre},
}, 256, {}, PaintYokai};
ART_LAYOUT(kYokaiLayout);

const Review kYokaiReview{"yokai", {135}, {
    {"wisp 290", {{"wisp_spark_a", 8}, {"wisp_spark_b", 8}, {"wisp_kindle_a", 16}, {"wisp_kindle_b", 4}, {"wisp_a", 16}, {"wisp_b", 16}}},
    {"ghost 230", {{"ghost_float", 80}, {"ghost_gather", 20}, {"ghost_shoot", 20}, {"ghost_hurt", 20}}},
    {"karakasa 230", {{"kasa_stand", 20}, {"kasa_spring", 1}, {"kasa_air", 40}, {"kasa_stand", 20}, {"kasa_drift_a", 16}, {"kasa_drift_b", 16}, {"kasa_hurt", 20}}},
    {"chouchin 230", {{"lantern_idle", 50}, {"lantern_swell", 1}, {"lantern_open", 1}, {"lantern_spit", 30}, {"lantern_open", 2}, {"lantern_swell", 2}, {"lantern_sway", 16}, {"lantern_hurt", 20}}},
    {"snake 230", {{"snake_a", 12}, {"snake_b", 12}, {"snake_a", 12}, {"snake_hurt", 20}}},
}, {{"wisp_a", 0}, {"ghost_float", 0}, {"kasa_stand", 0}, {"lantern_idle", 0}, {"snake_a", 0}, {"ghost_shoot", 0}}};
ART_REVIEW(kYokaiReview);

}  // namespace
