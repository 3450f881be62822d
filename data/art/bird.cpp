// The bird: texture slot 46 (resource 165), 256 x 256, 40 x 40 cells, and
// its egg (attack effect 740) in a 16 x 16 cell.
//
// A white crane with black wing tips, a red crown and trailing black legs,
// bright against the dusk sky. The egg dropper (11090) flaps along; the
// diver (11091) hovers flapping, then folds its wings and dives, its
// picture turned along its flight by the game.
//
//  cell     at       anchor  states
//  flap_a   0,0      centre  230 250      (wings up)
//  flap_b   40,0     centre  231 251      (wings down)
//  dive     80,0     centre  252 253      (wings folded back, beak up: the game turns it along its
//                                         flight, angle 0 pointing up)
//  hurt     120,0    centre  10 110 111
//  egg      160,0    centre  attack effect 740 (16 x 16)
#include "Enemies.h"
#include "Palette.h"

namespace {

using rig::CapsulePart;
using rig::EllipsePart;
using rig::MakeBone;
using rig::Ramp;
using rig::Sprite;

const Ramp kFeathers{kWhite, kCream, kStoneLight};
const Ramp kFeathersFar{kCream, kStoneLight, kStone};
const Ramp kTips{kStoneDark, kNight, kInk};
const rig::CellGeometry kBirdCell{40, 40, 36, 20, 20, 8, 8};

std::map<std::string, Sprite> Heads() {
    auto make = [](const char* eye, const char* beak) {
        return Sprite{{
                          ".rr.......",
                          "rrWWW.....",
                          std::string("WWW") + eye,
                          std::string("WWWW") + beak,
                          ".WWW......",
                      },
                      {1.5f, 3.5f}};
    };
    return {{"", make("kWbbbbb", "WBBBB.")}, {"blink", make("WWbbbbb", "WBBBB.")}, {"hurt", make("kkbbb..", "WBkBBB")}};
}

rig::Model MakeBird() {
    rig::Model m;
    m.name = "bird";
    m.legend = {{'r', kRed}, {'W', kWhite}, {'k', kInk}, {'b', kGold}, {'B', kAmber}};
    m.AddBone(MakeBone("body", "", 7.5f, 0, {0, 0}, -90));
    m.AddPart(EllipsePart("body", "body", 0, kFeathers, 3.6f, 5.6f, 0.4f));
    // The neck rising forward, the head on it.
    m.AddBone(MakeBone("neck", "body", 4.5f, 0, {2.0f, -1.0f}, 125));
    m.AddPart(CapsulePart("neck", "neck", 1, kFeathers, 1.5f, 1.2f));
    m.AddBone(MakeBone("head", "neck", 0, 1, {0, 0}, 90));
    m.AddPart(enemies::SpritePart("head", "head", 3, Heads()));
    // Tail feathers, black, and the long legs trailing behind.
    m.AddBone(enemies::Follow(MakeBone("tail", "body", 3.5f, 0.85f, {0, -0.5f}, -100)));
    m.AddPart(CapsulePart("tail", "tail", -1, kTips, 2.0f, 0.9f));
    m.AddBone(enemies::Follow(MakeBone("legs", "body", 8.0f, 0.55f, {0, 2.4f}, -112)));
    m.AddPart(CapsulePart("legs", "legs", -2, Ramp{kStoneDark, kNight, kInk}, 0.7f, 0.6f));
    // Wings from the shoulder: an inner white part and black-tipped primaries.
    auto wing = [&](const std::string& side, int layer, const Ramp& white, const Ramp& tips, float across) {
        const std::string a = "wing" + side + "1", b = "wing" + side + "2";
        m.AddBone(MakeBone(a, "body", 5.5f, 0.3f, {across, -2.2f}, 170));
        m.AddBone(MakeBone(b, a, 7.5f, 1, {0, 0}, 175));
        m.AddPart(CapsulePart(a, a, layer, white, 2.3f, 2.1f));
        m.AddPart(CapsulePart(b, b, layer, white, 2.1f, 1.7f, 0.0f, 0.68f));
        m.AddPart(CapsulePart(b + "tip", b, layer, tips, 1.6f, 0.6f, 0.65f, 1.0f));
    };
    wing("N", 5, kFeathers, kTips, 0.5f);
    wing("F", -5, kFeathersFar, Ramp{kNight, kInk, kInk}, -0.5f);
    return m;
}

const enemies::PoseLine kPoses[] = {
    {"flap_a", "root:22,22 place:centre wingN1=155 wingN2=200 wingF1=175 wingF2=215 neck=120"},
    {"flap_b", "root:22,20 place:centre wingN1=30 wingN2=-10 wingF1=55 wingF2=15 neck=128 face:blink"},
    {"dive", "root:20,17 place:centre body=0 neck=185 head=180 wingN1=-10 wingN2=-2 wingF1=-5 wingF2=2 legs=-5 tail=-2"},
    {"hurt", "root:20,20 place:centre body=-60 neck=175 wingN1=100 wingN2=60 wingF1=200 wingF2=230 legs=-30 face:hurt"},
};

Canvas PaintBird(const Layout& l, const Cell& c) {
    static const rig::Model bird = MakeBird();
    return enemies::DrawPose(bird, enemies::FindPose(kPoses, c.pose, "bird"), l, c);
}

rig::Model MakeEgg() {
    rig::Model m;
    m.name = "egg";
    m.legend = {{'s', kSand}};
    m.AddBone(MakeBone("egg", "", 0, 0, {0, 0}, 180));
    m.AddPart(EllipsePart("shell", "egg", 0, Ramp{kWhite, kCream, kSand}, 2.6f, 3.4f));
    m.AddPart(enemies::SpritePart("spots", "egg", 1, {{"", Sprite{{"s...", "...s", ".s.."}, {2, 1}}}}));
    return m;
}

Canvas PaintEgg(const Layout& l, const Cell& c) {
    static const rig::Model egg = MakeEgg();
    return enemies::DrawPose(egg, "root:8,8 place:centre", l, c);
}

const Layout kBirdLayout{165, 46, "bird_slot46", {
    {"flap_a", "230 250", 0, 0, Anchor::Centre},
    {"flap_b", "231 251", 40, 0, Anchor::Centre},
    {"dive", "252 253", 80, 0, Anchor::Centre},
    {"hurt", "10 110 111", 120, 0, Anchor::Centre},
}, 256, kBirdCell, PaintBird};
ART_LAYOUT(kBirdLayout);

const Layout kEggLayout{165, 46, "bird_shots_slot46", {
    {"egg", "effect 740", 160, 0, Anchor::Centre},
}, 256, enemies::kShotCell, PaintEgg};
ART_LAYOUT(kEggLayout);

const Review kBirdReview{"bird", {165}, {
    {"fly 230", {{"flap_a", 6}, {"flap_b", 6}, {"flap_a", 6}, {"flap_b", 6}, {"egg", 0}}},
    {"dive 250", {{"flap_a", 6}, {"flap_b", 6}, {"dive", 4, 120}, {"dive", 4, 135}, {"dive", 4, 150}}},
    {"hurt 10 110", {{"flap_a", 4}, {"hurt", 20}, {"flap_b", 4}}},
}, {{"flap_a", 0}, {"flap_b", 0}, {"dive", 0, 130}, {"egg", 0}, {"hurt", 0}}};
ART_REVIEW(kBirdReview);

}  // namespace
