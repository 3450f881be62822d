// The dragon: texture slot 44 (resource 163), 256 x 256, 48 x 40 cells,
// and its fire shot (attack effect 730) in a 16 x 16 cell.
//
// A small red sky dragon: a serpent body that ripples as it flies, a gold
// belly, cream horns, mane and tail tuft, little clawed legs. Before each
// shot it rears its head and opens its jaws over a glow. The flying (11070,
// 11073) and the hovering (11071) dragons share every picture.
//
//  cell       at       anchor  states
//  fly_a      0,0      centre  230 250
//  fly_b      48,0     centre  231 251
//  breathe_a  96,0     centre  232 252      (jaws open, fire 730 leaves them)
//  breathe_b  144,0    centre  233 253
//  hurt       192,0    centre  10 110 111
//  fire       0,40     centre  attack effect 730 (16 x 16; points forward, the game turns it along its flight)
#include "EnemyLight.h"
#include "Enemies.h"
#include "Palette.h"

namespace {

using rig::CapsulePart;
using rig::EllipsePart;
using rig::MakeBone;
using rig::Ramp;
using rig::Sprite;

const Ramp kScales{kCoral, kRed, kCrimson};
const Ramp kScalesFar{kRed, kCrimson, kNight};
const Ramp kBelly{kGold, kAmber, kWood};
const Ramp kMane{kWhite, kCream, kSand};

const rig::CellGeometry kDragonCell{48, 40, 36, 24, 20, 8, 8};

// The head faces right, the neck at the pivot: branching antlers swept
// back, a white mane, a gold brow ridge over a round eye, a long snout lit
// along its top with a nostril at its end, and the jaw shaded beneath; the
// variants open the jaws (a glow behind the fangs), shut the eye or squeeze
// it in pain.
std::map<std::string, Sprite> Heads() {
    auto make = [](std::vector<std::string> jaw, const char* eye1, const char* eye2) {
        std::vector<std::string> rows = {
            ".c....c...........",
            ".cc..cc...........",
            "..cc.c...c........",
            "...ccccccc........",
            "....cc............",
            "..mmrrrrrr........",
            ".mmrrrrrrrrrr.....",
            std::string("mmRRR") + eye1,
            std::string("mmRRR") + eye2,
            ".mRRRRRRRRRRRRRRRk",
        };
        rows.insert(rows.end(), jaw.begin(), jaw.end());
        return Sprite{rows, {3, 10}};
    };
    const std::vector<std::string> shut = {"..DRRRRRRRRRRRRRRR", "..DDkkkkkkkkkkkkw.", "...DDgggggggggg...",
                                           "....DDDDD........."};
    const std::vector<std::string> open = {"..DRRRRRRRRRRRRRRw", "..DDkwkkkkkkwkk...", "..DDkFFFFFFFFk....",
                                           "...DDkkwkkkwkkw...", "....DDggggggg....."};
    return {{"", make(shut, "yyyRRRRRrrr..", "ywkRRRRRRRRR.")},
            {"blink", make(shut, "yyyRRRRRrrr..", "kkkRRRRRRRRR.")},
            {"breathe", make(open, "yyyyRRRRrrr..", "ywkRRRRRRRRR.")},
            {"hurt", make(open, "ykyRRRRRrrr..", "kykRRRRRRRRR.")}};
}

rig::Model MakeDragon() {
    rig::Model m;
    m.name = "dragon";
    m.legend = {{'c', kCream}, {'m', kWhite}, {'R', kRed},   {'r', kCoral}, {'D', kCrimson}, {'y', kGold},
                {'k', kInk},   {'g', kGold},  {'w', kWhite}, {'F', kAmber}};
    m.AddBone(MakeBone("core", "", 0, 0, {0, 0}, 90));
    // Neck and head forward, five links of body and the tail back.
    m.AddBone(MakeBone("neck", "core", 4.5f, 0, {0, 0}, 120));
    m.AddBone(MakeBone("head", "neck", 0, 1, {0, 0}, 90));
    const float lengths[] = {4.8f, 4.8f, 4.6f, 4.4f, 4.0f};
    const float radii[] = {3.4f, 3.2f, 2.8f, 2.3f, 1.7f, 1.0f};
    std::string parent = "core";
    for (int i = 0; i < 5; ++i) {
        const std::string index = std::to_string(i + 1);
        const std::string b = "b" + index;
        m.AddBone(MakeBone(b, parent, lengths[i], parent == "core" ? 0 : 1, {0, 0}, -90));
        rig::Part body = CapsulePart(b, b, -2 - i, kScales, radii[i], radii[i + 1]);
        m.AddPart(body);
        // The gold belly along the underside of each link.
        m.AddBone(enemies::Follow(MakeBone(b + "u", b, lengths[i], 0, {0, radii[i] * 0.5f}, -90)));
        m.AddPart(CapsulePart(b + "u", b + "u", -1 - i, kBelly, radii[i] * 0.5f, radii[i + 1] * 0.5f));
        // A cream spine standing up from the top of each link but the last.
        if (i < 4) {
            m.AddBone(enemies::Follow(MakeBone(b + "s", b, 3.6f - 0.4f * static_cast<float>(i), 0.45f, {0, -radii[i] * 0.7f}, 200)));
            m.AddPart(CapsulePart(b + "s", b + "s", -8, kMane, 1.3f, 0.3f));
        }
        parent = b;
    }
    m.AddPart(CapsulePart("neck", "neck", 0, kScales, 2.4f, 2.2f));
    m.AddBone(enemies::Follow(MakeBone("necku", "neck", 4.5f, 0, {0, 0.9f}, 120)));
    m.AddPart(CapsulePart("necku", "necku", 1, kBelly, 1.3f, 1.2f));
    m.AddPart(enemies::SpritePart("head", "head", 10, Heads()));
    // The mane behind the head and the tuft at the tail's end.
    m.AddBone(rig::TrailBone("mane1", "neck", 3.0f, 0.8f, {-1.0f, -2.0f}, 25, 0));
    m.AddBone(rig::TrailBone("mane2", "mane1", 2.6f, 1, {0, 0}, 25, 0));
    m.AddPart(CapsulePart("mane1", "mane1", -1, kMane, 1.5f, 1.2f));
    m.AddPart(CapsulePart("mane2", "mane2", -1, kMane, 1.2f, 0.5f));
    m.AddBone(rig::TrailBone("tuft", "b5", 3.2f, 1, {0, 0}, 30, 0));
    m.AddPart(CapsulePart("tuft", "tuft", -8, kMane, 1.6f, 0.4f));
    // Two long whiskers trailing from the snout.
    m.AddBone(rig::TrailBone("whisker", "head", 5.0f, 0, {12.0f, 0.5f}, 20, 0));
    m.AddBone(rig::TrailBone("whisker2", "whisker", 4.0f, 1, {0, 0}, 30, 0));
    m.AddPart(CapsulePart("whisker", "whisker", 11, kMane, 0.7f, 0.6f));
    m.AddPart(CapsulePart("whisker2", "whisker2", 11, kMane, 0.6f, 0.4f));
    m.AddBone(rig::TrailBone("whiskerB", "head", 4.5f, 0, {11.0f, 2.5f}, 45, 0));
    m.AddPart(CapsulePart("whiskerB", "whiskerB", 9, kMane, 0.6f, 0.4f));
    // Little legs with claws: front under the neck, back under the body.
    m.AddBone(enemies::Follow(MakeBone("legN", "core", 2.8f, 0, {1.0f, 1.8f}, 30)));
    m.AddBone(enemies::Follow(MakeBone("legF", "b3", 2.8f, 0.2f, {0, 1.2f}, -20)));
    m.AddPart(CapsulePart("legN", "legN", 3, kScales, 1.2f, 1.0f));
    m.AddPart(CapsulePart("legF", "legF", -9, kScalesFar, 1.2f, 1.0f));
    m.AddBone(enemies::Follow(MakeBone("clawN", "legN", 1.4f, 1, {0, 0}, 90)));
    m.AddBone(enemies::Follow(MakeBone("clawF", "legF", 1.4f, 1, {0, 0}, 70)));
    m.AddPart(CapsulePart("clawN", "clawN", 4, kMane, 0.6f, 0.4f));
    m.AddPart(CapsulePart("clawF", "clawF", -9, Ramp{kCream, kSand, kWood}, 0.6f, 0.4f));
    // The glow of the fire in its jaws, in two sizes for its flicker.
    m.AddBone(MakeBone("glowAt", "head", 0, 0, {12.5f, 2.0f}, 90));
    for (const auto& [name, r] : {std::pair{"glow", 2.6f}, std::pair{"glow2", 3.4f}}) {
        rig::Part glow = EllipsePart(name, "glowAt", 12, Ramp{kWhite, kCream, kAmber}, r, r);
        glow.outline = false;
        m.AddPart(enemies::Hidden(glow));
    }
    return m;
}

const enemies::PoseLine kPoses[] = {
    {"fly_a", "root:28,20 place:centre neck=125 b1=-145 b2=-50 b3=-35 b4=-120 b5=-160 legN=50 legF=0 wind:-60 phase:0"},
    {"fly_b", "root:28,20 place:centre neck=105 b1=-40 b2=-130 b3=-155 b4=-70 b5=-25 legN=10 legF=-40 wind:-110 phase:180 "
              "face:blink"},
    {"breathe_a", "root:28,21 place:centre neck=150 b1=-115 b2=-70 b3=-60 b4=-100 b5=-140 legN=80 legF=20 wind:-30 "
                  "face:breathe show:glow"},
    {"breathe_b", "root:28,21 place:centre neck=145 b1=-105 b2=-60 b3=-70 b4=-115 b5=-125 legN=90 legF=30 wind:-40 phase:90 "
                  "face:breathe show:glow2"},
    {"hurt", "root:24,20 place:centre neck=170 b1=-40 b2=-20 b3=-45 b4=-80 b5=-110 legN=100 legF=60 wind:0 face:hurt"},
};

Canvas PaintDragon(const Layout& l, const Cell& c) {
    static const rig::Model dragon = MakeDragon();
    static const std::vector<enemies::Sheen> sheens = enemies::Sheens({kScales, kScalesFar, kBelly, kMane});
    return enemies::Lit(enemies::DrawPose(dragon, enemies::FindPose(kPoses, c.pose, "dragon"), l, c), sheens, kInk, kMist);
}

// The fire shot: a ball of flame trailing tongues behind it.
rig::Model MakeFire() {
    rig::Model m;
    m.name = "dragon fire";
    m.AddBone(MakeBone("core", "", 0, 0, {0, 0}, 90));
    m.AddBone(MakeBone("tailA", "core", 8, 0, {0, -1.0f}, -95));
    m.AddBone(MakeBone("tailB", "core", 6, 0, {0, 1.5f}, -80));
    m.AddPart(CapsulePart("tailA", "tailA", 0, Ramp{kAmber, kCoral, kRed}, 2.6f, 0.4f));
    m.AddPart(CapsulePart("tailB", "tailB", 0, Ramp{kAmber, kCoral, kRed}, 2.2f, 0.4f));
    m.AddPart(EllipsePart("ball", "core", 1, Ramp{kCream, kGold, kAmber}, 3.2f, 3.2f));
    m.AddPart(EllipsePart("heart", "core", 2, Ramp{kWhite, kWhite, kCream}, 1.6f, 1.6f));
    for (rig::Part& p : m.parts) p.outline = false;
    return m;
}

Canvas PaintFire(const Layout& l, const Cell& c) {
    static const rig::Model fire = MakeFire();
    return enemies::DrawPose(fire, "root:10,8 place:centre", l, c);
}

const Layout kDragonLayout{163, 44, "dragon_slot44", {
    {"fly_a", "230 250", 0, 0, Anchor::Centre},
    {"fly_b", "231 251", 48, 0, Anchor::Centre},
    {"breathe_a", "232 252", 96, 0, Anchor::Centre},
    {"breathe_b", "233 253", 144, 0, Anchor::Centre},
    {"hurt", "10 110 111", 192, 0, Anchor::Centre},
}, 256, kDragonCell, PaintDragon};
ART_LAYOUT(kDragonLayout);

const Layout kFireLayout{163, 44, "dragon_shots_slot44", {
    {"fire", "effect 730", 0, 40, Anchor::Centre},
}, 256, enemies::kShotCell, PaintFire};
ART_LAYOUT(kFireLayout);

const Review kDragonReview{"dragon", {163}, {
    {"fly 230", {{"fly_a", 6}, {"fly_b", 6}, {"fly_a", 6}, {"fly_b", 6}}},
    {"fire 232", {{"fly_b", 6}, {"breathe_a", 6}, {"fire", 0}, {"breathe_b", 6}, {"breathe_a", 6}, {"fly_a", 6}}},
    {"hurt 10 110", {{"fly_a", 4}, {"hurt", 20}, {"fly_a", 4}}},
}, {{"fly_a", 0}, {"fly_b", 0}, {"breathe_a", 0}, {"fire", 0}, {"hurt", 0}}};
ART_REVIEW(kDragonReview);

}  // namespace
