// The flower: texture slot 45 (resource 164), 256 x 256, 40 x 40 cells.
//
// A golden chrysanthemum yokai on a leafy stem and two root feet, with a
// face in its dark brown heart that bares its fangs when it springs. It
// crouches while it turns to the player, then hops: straight up (11080) or forward
// (11081); both variants look the same, and both point records 110 and 111
// at the wilted picture. It throws nothing.
//
//  cell    at       anchor  states
//  ready   0,0      body    230 250       (crouched on its roots: the hop is coming)
//  hop     40,0     centre  231 251       (springing, leaves flung up, fangs bared)
//  hurt    80,0     centre  10
//  wilt    120,0    body    110 111       (drooping, petals fallen slack)
#include "EnemyLight.h"
#include "Enemies.h"
#include "Palette.h"

namespace {

using rig::CapsulePart;
using rig::EllipsePart;
using rig::MakeBone;
using rig::Ramp;
using rig::Sprite;

const Ramp kPetal{kCream, kGold, kAmber};
const Ramp kPetalBack{kGold, kAmber, kWood};
const Ramp kStem{kLeaf, kGrass, kPine};
const Ramp kStemFar{kGrass, kPine, kPineDark};

// The face in its heart: a seed disc ringed dark, lit on its upper left;
// the variants change the eyes and the mouth.
std::map<std::string, Sprite> Faces() {
    auto make = [](const char* eyes1, const char* eyes2, const char* mouth1, const char* mouth2) {
        return Sprite{{
                          "...eeeee...",
                          ".eeFFEEEee.",
                          std::string(".e") + eyes1,
                          std::string("e") + eyes2,
                          "eFEEEEEEEEe",
                          std::string("eE") + mouth1,
                          std::string(".e") + mouth2,
                          ".eeEEEEEee.",
                          "...eeeee...",
                      },
                      {5.5f, 4.5f}};
    };
    return {{"", make("FEkEEkEe.", "FEEkEEkEEe", "EEEmmmEEe", "EEEEEEEe.")},
            {"bite", make("FkEEEEkeE", "FEwkEEkwEe", "EEmtmtmEe", "EEmmmmEe.")},
            {"hurt", make("FkEEEkEe.", "FEEkEkEEEe", "EEEmmmEEe", "EEEmEmEe.")},
            {"ko", make("FEEEEEEe.", "FEkkEkkEEe", "EEEEEEEEe", "EEEmmEEe.")}};
}

rig::Model MakeFlower() {
    rig::Model m;
    m.name = "flower";
    m.legend = {{'e', kEarthDark}, {'E', kEarth}, {'F', kWood}, {'k', kInk}, {'w', kWhite}, {'m', kCrimson}, {'t', kWhite}};
    m.AddBone(MakeBone("base", "", 0, 0, {0, 0}, 180));
    m.AddBone(MakeBone("stem1", "base", 5.0f, 0, {0, 0}, 180));
    m.AddBone(MakeBone("stem2", "stem1", 5.0f, 1, {0, 0}, 180));
    m.AddBone(MakeBone("bloom", "stem2", 0, 1, {0, 0}, 180));
    // Pointed petals: eight around the heart and eight shorter between them,
    // each lined dark where it lies over the ones behind.
    for (int i = 0; i < 8; ++i) {
        const std::string index = std::to_string(i);
        const std::string n = "p" + index, s = "q" + index;
        m.AddBone(enemies::Follow(MakeBone(n, "bloom", 9.0f, 0, {0, 0}, 180.0f + 45.0f * static_cast<float>(i))));
        m.AddBone(enemies::Follow(MakeBone(s, "bloom", 8.0f, 0, {0, 0}, 202.5f + 45.0f * static_cast<float>(i))));
        rig::Part petal = CapsulePart(n, n, -2, kPetal, 2.6f, 1.0f, 0.25f, 1.0f);
        petal.edge = true;
        m.AddPart(petal);
        m.AddPart(CapsulePart(s, s, -3, kPetalBack, 2.4f, 0.8f, 0.25f, 1.0f));
    }
    m.AddPart(enemies::SpritePart("head", "bloom", 2, Faces(), 0));
    // The stem, a leaf on each side and two root feet.
    m.AddPart(CapsulePart("stem1", "stem1", 0, kStem, 1.5f, 1.2f));
    m.AddPart(CapsulePart("stem2", "stem2", 0, kStem, 1.2f, 1.0f));
    m.AddBone(enemies::Follow(MakeBone("leafN", "stem1", 5.0f, 0.7f, {0.6f, 0}, 240)));
    m.AddBone(enemies::Follow(MakeBone("leafF", "stem1", 5.0f, 0.5f, {-0.6f, 0}, 120)));
    m.AddPart(EllipsePart("leafN", "leafN", 4, kStem, 2.0f, 3.2f, 0.55f));
    m.AddPart(EllipsePart("leafF", "leafF", -5, kStemFar, 2.0f, 3.2f, 0.55f));
    m.AddBone(enemies::Follow(MakeBone("rootN", "base", 2.6f, 0, {0.8f, 0}, 40)));
    m.AddBone(enemies::Follow(MakeBone("rootF", "base", 2.6f, 0, {-0.8f, 0}, -40)));
    m.AddPart(CapsulePart("rootN", "rootN", 1, Ramp{kWood, kEarth, kEarthDark}, 1.3f, 0.7f));
    m.AddPart(CapsulePart("rootF", "rootF", -6, Ramp{kEarth, kEarthDark, kInk}, 1.3f, 0.7f));
    return m;
}

const enemies::PoseLine kPoses[] = {
    {"ready", "root:20,30 stem1=170 stem1*0.7 stem2=165 stem2*0.8 leafN=35 leafF=-35 rootN=60 rootF=-60"},
    {"hop", "root:20,27 place:hip stem1=178 stem1*1.15 stem2=182 stem2*1.1 leafN=140 leafF=-140 rootN=20 rootF=-20 "
            "face:bite"},
    {"hurt", "root:20,28 place:hip stem1=195 stem2=205 leafN=80 leafF=-100 rootN=30 rootF=-30 face:hurt p0*0.9 p4*0.8"},
    {"wilt", "root:20,30 stem1=165 stem1*0.9 stem2=120 stem2*0.9 bloom=100 leafN=10 leafF=-10 rootN=70 rootF=-70 "
             "face:ko p0=100 p1=130 p2=160 p3=180 p4=0 p5=30 p6=60 p7=80"},
};

Canvas PaintFlower(const Layout& l, const Cell& c) {
    static const rig::Model flower = MakeFlower();
    // The front petals keep the rig's own light: lit along every upper edge
    // as well, their thin tips would turn more cream than gold.
    static const std::vector<enemies::Sheen> sheens = enemies::Sheens({kPetalBack, kStem, kStemFar});
    return enemies::Lit(enemies::DrawPose(flower, enemies::FindPose(kPoses, c.pose, "flower"), l, c), sheens, kInk, kMist);
}

const Layout kFlowerLayout{164, 45, "flower_slot45", {
    {"ready", "230 250", 0, 0, Anchor::Body},
    {"hop", "231 251", 40, 0, Anchor::Centre},
    {"hurt", "10", 80, 0, Anchor::Centre},
    {"wilt", "110 111", 120, 0, Anchor::Body},
}, 256, {}, PaintFlower};
ART_LAYOUT(kFlowerLayout);

const Review kFlowerReview{"flower", {164}, {
    {"hop 230", {{"ready", 20}, {"hop", 30}, {"ready", 20}, {"hop", 30}}},
    {"hurt 10 110", {{"ready", 4}, {"hurt", 20}, {"ready", 4}, {"wilt", 20}}},
}, {{"ready", 0}, {"hop", 0}, {"hurt", 0}, {"wilt", 0}}};
ART_REVIEW(kFlowerReview);

}  // namespace
