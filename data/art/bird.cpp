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
#include "EnemyLight.h"
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
const Ramp kTips{kStone, kStoneDark, kNight};
const Ramp kTipsFar{kStoneDark, kNight, kInk};
const rig::CellGeometry kBirdCell{40, 40, 36, 20, 20, 8, 8};

// The head faces right on the neck's end: a red crown, a dark eye and a
// long gold bill, the white shaded grey under the jaw.
std::map<std::string, Sprite> Heads() {
    auto make = [](const char* eye, const char* bill) {
        return Sprite{{
                          ".rrr........",
                          "rrRRW.......",
                          std::string("WWW") + eye,
                          std::string("WWWW") + bill,
                          ".wwww.......",
                      },
                      {1.5f, 3.5f}};
    };
    return {{"", make("WkWbbbbbb", "WwBBBBB.")},
            {"blink", make("WWWbbbbbb", "kwBBBBB.")},
            {"hurt", make("kWkbbbb..", "WwBkBBBB")}};
}

rig::Model MakeBird() {
    rig::Model m;
    m.name = "bird";
    m.legend = {{'r', kRed}, {'R', kCrimson}, {'W', kWhite}, {'w', kStoneLight}, {'k', kInk}, {'b', kGold}, {'B', kAmber}};
    m.AddBone(MakeBone("body", "", 7.5f, 0, {0, 0}, -90));
    m.AddPart(EllipsePart("body", "body", 0, kFeathers, 3.8f, 5.8f, 0.4f));
    // The long neck reaching forward, the head on it.
    m.AddBone(MakeBone("neck", "body", 6.0f, 0, {2.0f, -1.0f}, 115));
    m.AddPart(CapsulePart("neck", "neck", 1, kFeathers, 1.6f, 1.2f));
    m.AddBone(MakeBone("head", "neck", 0, 1, {0, 0}, 90));
    m.AddPart(enemies::SpritePart("head", "head", 3, Heads()));
    // Black tail feathers, and the long legs trailing behind.
    m.AddBone(enemies::Follow(MakeBone("tail", "body", 3.5f, 0.85f, {0, -0.5f}, -100)));
    m.AddPart(CapsulePart("tail", "tail", -1, kTips, 2.2f, 0.9f));
    m.AddBone(enemies::Follow(MakeBone("legs", "body", 9.0f, 0.55f, {0, 2.4f}, -112)));
    m.AddPart(CapsulePart("legs", "legs", -2, Ramp{kStoneDark, kNight, kInk}, 0.7f, 0.6f));
    // Wings from the shoulder: a white arm with its secondaries, and a hand
    // whose long primaries are black, fanned so that the wing is broad and
    // its feathers read one by one.
    auto wing = [&](const std::string& side, int layer, const Ramp& white, const Ramp& tips, float across) {
        const std::string a = "wing" + side + "1", b = "wing" + side + "2";
        m.AddBone(MakeBone(a, "body", 6.5f, 0.3f, {across, -2.2f}, 170));
        m.AddBone(enemies::Follow(MakeBone(b, a, 5.5f, 1, {0, 0}, 175)));
        m.AddPart(CapsulePart(a, a, layer, white, 2.6f, 2.2f));
        m.AddPart(CapsulePart(b, b, layer, white, 2.2f, 1.6f));
        const struct {
            bool onHand;
            float along, angle, length, r0;
        } feathers[] = {{true, 1.0f, 176, 6.5f, 1.5f},  {true, 0.65f, 192, 7.0f, 1.6f}, {true, 0.3f, 208, 6.5f, 1.6f},
                        {false, 0.9f, 222, 6.0f, 1.8f}, {false, 0.5f, 236, 5.5f, 1.8f}};
        int i = 0;
        for (const auto& f : feathers) {
            const std::string bone = "feather" + side + std::to_string(i++);
            rig::Bone fb = enemies::Follow(MakeBone(bone, f.onHand ? b : a, f.length, f.along, {0, 0}, f.angle));
            fb.turnsWith = b;
            m.AddBone(fb);
            m.AddPart(CapsulePart(bone, bone, layer - (f.onHand ? 2 : 1), f.onHand ? tips : white, f.r0, 0.5f, 0.1f, 1.0f));
        }
    };
    wing("N", 5, kFeathers, kTips, 0.5f);
    wing("F", -5, kFeathersFar, kTipsFar, -0.5f);
    return m;
}

const enemies::PoseLine kPoses[] = {
    {"flap_a", "root:22,22 place:centre wingN1=165 wingN2=212 wingF1=140 wingF2=180 neck=120"},
    {"flap_b", "root:22,20 place:centre wingN1=30 wingN2=-10 wingF1=55 wingF2=15 neck=128 face:blink"},
    {"dive", "root:20,17 place:centre body=0 neck=185 neck*0.7 head=180 wingN1=-10 wingN2=-2 wingF1=-5 wingF2=2 legs=-5 legs*0.8 tail=-2"},
    {"hurt", "root:20,20 place:centre body=-60 neck=175 wingN1=100 wingN2=60 wingF1=200 wingF2=230 legs=-30 face:hurt"},
};

Canvas PaintBird(const Layout& l, const Cell& c) {
    static const rig::Model bird = MakeBird();
    static const std::vector<enemies::Sheen> sheens = enemies::Sheens({kFeathers, kFeathersFar, kTips});
    return enemies::Lit(enemies::DrawPose(bird, enemies::FindPose(kPoses, c.pose, "bird"), l, c), sheens, kInk, kMist);
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
