// The three other ninjas, on the players' humanoid rig with the Ninja's
// proportions, each its own person:
//
//   kunoichi    plum-violet suit with a gold sash and headband, a long black
//               ponytail, a short blade (tanto) on the back.
//   kusarigama  moss-green jacket, sand hakama, a wide straw hat; the
//               sickle in the near hand, the chain and its weight hanging
//               from the far hand.
//   robo        a stout coral-painted robot: a square head as wide as its
//               chest with a visor across the front and an antenna lamp, a
//               box chassis on steel piston limbs, and a drill bit for a near
//               hand that grows into the big drill when it charges and
//               gives way to the hammer fist when it rams; jets under its
//               feet carry it off in the ending.
//
// Their sheets (256 x 256, 40 x 40 cells; anchor kinds in
// tools/artgen/Sheets.h), whose cells their frame tables name
// (data/frames/CCharacterKunoichi.tab, CCharacterKusarigama.tab,
// CCharacterRobo.tab):
//   slot 21 (resource 122)  the kunoichi
//   slot 22 (resource 123)  the chain-sickle fighter
//   slot 23 (resource 124)  the robot
//   slot 24 (resource 125)  the robot's ending flight (962-971)
// The chain, the drill and the smoke are attack effects and effects of
// their own sheets.
#include "Palette.h"
#include "Players.h"

namespace players {

using rig::Bone;
using rig::CapsulePart;
using rig::EllipsePart;
using rig::Kind;
using rig::MakeBone;
using rig::Model;
using rig::Part;
using rig::Ramp;
using rig::Sprite;

namespace {

const Ramp kBlade{kWhite, kStoneLight, kStone};

namespace enemies_like {
// A polygon part on a bone (points in texels, rest-pose frame).
Part Poly(const std::string& name, const std::string& bone, int layer, const Ramp& ramp, std::vector<rig::Vec> pts) {
    Part p;
    p.name = name;
    p.bone = bone;
    p.kind = Kind::Poly;
    p.layer = layer;
    p.ramp = ramp;
    p.poly = std::move(pts);
    return p;
}
}  // namespace enemies_like
const Ramp kRope{kGold, kSand, kWood};

// ------------------------------------------------------------------ heads
// Heads face right; the pivot is the neck. Variants: "" normal, blink,
// hurt (squeezed eyes), ko (eyes shut).
std::map<std::string, Sprite> Heads(const std::vector<std::string>& top, const std::vector<std::string>& eyes,
                                    const std::vector<std::string>& blink, const std::vector<std::string>& hurt,
                                    const std::vector<std::string>& bottom, rig::Vec pivot) {
    auto make = [&](const std::vector<std::string>& middle) {
        std::vector<std::string> rows = top;
        rows.insert(rows.end(), middle.begin(), middle.end());
        rows.insert(rows.end(), bottom.begin(), bottom.end());
        return Sprite{rows, pivot};
    };
    return {{"", make(eyes)}, {"blink", make(blink)}, {"hurt", make(hurt)}, {"ko", make(blink)}};
}

// Black hair with a violet sheen, a gold headband, a plum mask.
std::map<std::string, Sprite> KunoichiHeads() {
    return Heads({"...hhhhh...", ".hhHHHHHHh.", "hHHHHHHHHHH", "rrrrrrrrrRr", "HHHHHsssssH"},
                 {"dHHHsskssks", "dHHHsskssks"}, {"dHHHssssss.", "dHHHskkskks"}, {"dHHHskssskk", "dHHHssksks."},
                 {".dHHmmmmmmm", "..ddmmmmm.."}, {5, 9});
}

// A wide straw hat over a plain face with a green scarf.
std::map<std::string, Sprite> KusarigamaHeads() {
    return Heads({"......hh.......", "....hhHHHd.....", "..hhHHHHHHHdd..", "hHHHHHHHHHHHHdd", "...ddssssss....",
                  "...dsssssss...."},
                 {"...dsskssks....", "...dsskssks...."}, {"...dssssss.....", "...dskkskks...."},
                 {"...dskssskk....", "...dssksks....."}, {"...gggggggg....", "....gggggg....."}, {7, 11});
}

// A square head as wide as the chassis, a visor across its front with two
// glowing eyes, and an antenna with a red lamp. Blinking dims the eyes to a
// line; hurt scrambles them.
std::map<std::string, Sprite> RoboHeads() {
    return Heads({"......y.....", "......a.....", "..hhhhhhhh..", ".hHHHHHHHHHd"},
                 {".HHvVevvVevv", ".HHvvvvvvvvv"}, {".HHvvvvvvvvv", ".HHvveevveev"}, {".HHvevvvevvv", ".HHvvevvvevv"},
                 {".HHHHHHHHHHH", ".HHHHHHHHHHd", "..dddddddd.."}, {6, 9});
}

// ------------------------------------------------------------------ models
// The short blade: drawn in the near hand when a pose names the `sword`
// bone, else its hilt shows over the back shoulder.
void AddTanto(Model& m) {
    Bone sheath = MakeBone("sheath", "torso", 6.5f, 0.1f, {-2.0f, 0}, 220);
    sheath.follow = true;
    m.AddBone(sheath);
    m.AddPart(CapsulePart("scabbard", "sheath", -15, Ramp{kMauve, kNight, kInk}, 0.7f, 0.8f, 0.0f, 0.62f));
    m.AddPart(CapsulePart("hilt_back", "sheath", -15, Ramp{kCoral, kRose, kCrimson}, 0.8f, 0.8f, 0.7f, 1.0f));
    Bone sword = MakeBone("sword", "handN", 8, 1, {0, 0}, 90);
    sword.reveals = {"blade", "hilt"};
    sword.conceals = {"hilt_back"};
    m.AddBone(sword);
    Part blade = CapsulePart("blade", "sword", 11, kBlade, 0.75f, 0.35f, 0.25f, 1.0f);
    blade.hidden = true;
    m.AddPart(blade);
    Part hilt = CapsulePart("hilt", "sword", 11, Ramp{kCoral, kRose, kCrimson}, 0.8f, 0.8f, -0.15f, 0.22f);
    hilt.hidden = true;
    m.AddPart(hilt);
}

Model MakeKunoichi() {
    rig::Body b;
    b.torso = 5.7f;
    b.hipWidth = 2.7f;
    b.chestWidth = 2.8f;
    b.upperArm = 3.3f;
    b.foreArm = 3.0f;
    b.armRadius = 1.25f;
    b.handRadius = 1.4f;
    b.thigh = 4.3f;
    b.shin = 4.2f;
    b.legRadius = 1.4f;
    b.foot = 2.7f;
    b.footRadius = 1.15f;
    // The suit in the palette's brightest plum so that she stands out of the
    // dusk forest's blue-black; the far limbs a tone down.
    const Ramp suit{kViolet, kViolet, kMauve}, farSuit{kMauve, kMauve, kDusk};
    b.top = b.sleeve = b.legs = suit;
    b.farSleeve = b.farLegs = farSuit;
    b.boots = Ramp{kMauve, kDusk, kNight};
    b.farBoots = Ramp{kDusk, kNight, kInk};
    b.gloves = Ramp{kCream, kSkin, kSand};
    b.farGloves = Ramp{kSkin, kSand, kWood};
    b.head = KunoichiHeads().at("");
    Model m = rig::Humanoid("kunoichi", b);
    m.FindPart("head")->sprites = KunoichiHeads();
    m.legend = {{'h', kViolet}, {'H', kViolet}, {'d', kDusk}, {'s', kSkin}, {'k', kInk},
                {'r', kGold}, {'R', kCream}, {'m', kCrimson}};
    // A long ponytail from the crown and the headband's two tails.
    const Ramp hair{kMauve, kDusk, kNight};
    m.AddBone(rig::TrailBone("pony1", "head", 3.6f, 0, {-4.5f, -6.5f}, 14, 12));
    m.AddBone(rig::TrailBone("pony2", "pony1", 3.6f, 1, {0, 0}, 14, 12));
    m.AddBone(rig::TrailBone("pony3", "pony2", 3.2f, 1, {0, 0}, 14, 12));
    m.AddPart(CapsulePart("pony1", "pony1", -23, hair, 1.9f, 1.7f));
    m.AddPart(CapsulePart("pony2", "pony2", -23, hair, 1.7f, 1.3f));
    m.AddPart(CapsulePart("pony3", "pony3", -23, hair, 1.3f, 0.5f));
    const Ramp band{kCream, kGold, kAmber};
    m.AddBone(rig::TrailBone("band1", "head", 2.6f, 0, {-4.8f, -4.0f}, 28, 12));
    m.AddBone(rig::TrailBone("band2", "band1", 2.2f, 1, {0, 0}, 28, 12));
    m.AddPart(CapsulePart("band1", "band1", -22, band, 0.8f, 0.7f));
    m.AddPart(CapsulePart("band2", "band2", -22, band, 0.7f, 0.4f));
    // The rose sash and its short tails at the hip.
    m.AddPart(EllipsePart("sash", "torso", 5, band, 2.9f, 0.8f, 0.14f));
    m.AddBone(rig::TrailBone("sashT", "torso", 2.6f, 0.14f, {-2.4f, 0}, 20, 12));
    m.AddPart(CapsulePart("sashT", "sashT", -24, band, 0.9f, 0.5f));
    // Pale wraps on the shins.
    const Ramp wraps{kCream, kStoneLight, kStone}, farWraps{kStoneLight, kStone, kStoneDark};
    m.AddPart(CapsulePart("legwrapN", "shinN", 2, wraps, 1.45f, 1.35f, 0.35f, 0.75f));
    m.AddPart(CapsulePart("legwrapF", "shinF", -12, farWraps, 1.45f, 1.35f, 0.35f, 0.75f));
    AddTanto(m);
    AddPlayerExtras(m, kRope, b.chestWidth);
    return m;
}

// The sickle in the near hand (the `sword` bone: a wooden handle with the
// blade across its end, curving forward), and the chain with its weight
// hanging from the far hand.
void AddKusarigama(Model& m) {
    Bone sword = MakeBone("sword", "handN", 6, 1, {0, 0}, 90);
    sword.reveals = {"handle", "sickle"};
    sword.conceals = {"hipSickle"};
    m.AddBone(sword);
    Part handle = CapsulePart("handle", "sword", 11, Ramp{kSand, kWood, kEarth}, 0.8f, 0.8f, -0.15f, 1.0f);
    handle.hidden = true;
    m.AddPart(handle);
    Part sickle;
    sickle.name = "sickle";
    sickle.bone = "sword";
    sickle.kind = Kind::Poly;
    sickle.layer = 12;
    sickle.ramp = kBlade;
    sickle.poly = {{5.0f, 0.8f}, {6.6f, 0.6f}, {7.6f, -1.5f}, {7.4f, -4.2f}, {6.2f, -6.0f},
                   {5.6f, -5.2f}, {6.2f, -3.6f}, {6.0f, -1.4f}};
    sickle.hidden = true;
    m.AddPart(sickle);
    // At rest the sickle hangs at the hip, blade down.
    Bone hip = MakeBone("hipSickleB", "torso", 5, 0.15f, {1.5f, 0}, 20);
    hip.follow = true;
    m.AddBone(hip);
    m.AddPart(CapsulePart("hipSickle", "hipSickleB", 6, Ramp{kSand, kWood, kEarth}, 0.7f, 0.7f, 0.0f, 0.8f));
    // The chain: four links of trailing bones and the weight.
    const Ramp chain{kStoneLight, kStone, kStoneDark};
    m.AddBone(rig::TrailBone("chain1", "handF", 2.6f, 1, {0, 0}, 10, 20));
    m.AddBone(rig::TrailBone("chain2", "chain1", 2.6f, 1, {0, 0}, 10, 20));
    m.AddBone(rig::TrailBone("chain3", "chain2", 2.6f, 1, {0, 0}, 10, 20));
    for (const char* link : {"chain1", "chain2", "chain3"}) m.AddPart(CapsulePart(link, link, -26, chain, 0.5f, 0.5f));
    m.AddPart(EllipsePart("weight", "chain3", -25, Ramp{kStone, kStoneDark, kNight}, 1.3f, 1.3f, 1.0f));
}

Model MakeKusarigama() {
    rig::Body b;
    b.torso = 6.0f;
    b.hipWidth = 2.9f;
    b.chestWidth = 3.1f;
    b.upperArm = 3.4f;
    b.foreArm = 3.0f;
    b.armRadius = 1.3f;
    b.handRadius = 1.5f;
    b.thigh = 4.2f;
    b.shin = 4.1f;
    b.legRadius = 1.7f;
    b.foot = 2.8f;
    b.footRadius = 1.2f;
    const Ramp jacket{kLeaf, kGrass, kPine}, farJacket{kGrass, kPine, kPineDark};
    const Ramp hakama{kGold, kSand, kWood}, farHakama{kSand, kSand, kEarth};
    b.top = b.sleeve = jacket;
    b.farSleeve = farJacket;
    b.legs = hakama;
    b.farLegs = farHakama;
    b.boots = Ramp{kEarth, kEarthDark, kNight};
    b.farBoots = Ramp{kEarthDark, kNight, kInk};
    b.gloves = Ramp{kCream, kSkin, kSand};
    b.farGloves = Ramp{kSkin, kSand, kWood};
    b.head = KusarigamaHeads().at("");
    Model m = rig::Humanoid("kusarigama", b);
    m.FindPart("head")->sprites = KusarigamaHeads();
    m.legend = {{'h', kGold}, {'H', kSand}, {'d', kEarth}, {'s', kSkin}, {'k', kInk}, {'g', kGrass}};
    // A dark sash, and the jacket's skirt over the hakama.
    m.AddPart(EllipsePart("obi", "torso", 5, Ramp{kPine, kPineDark, kInk}, 3.2f, 0.8f, 0.12f));
    Part skirt;
    skirt.name = "skirt";
    skirt.bone = "torso";
    skirt.kind = Kind::Poly;
    skirt.layer = 4;
    skirt.ramp = jacket;
    skirt.poly = {{-3.0f, -1.2f}, {3.0f, -1.2f}, {3.6f, 2.2f}, {-3.8f, 2.2f}};
    skirt.edge = true;
    m.AddPart(skirt);
    AddKusarigama(m);
    AddPlayerExtras(m, kRope, b.chestWidth);
    return m;
}

// The robot's tools: a short drill bit on the near forearm at rest (its
// hand); when it charges (a pose sets the `sword` bone) the big drill in
// its place, a steel cone as long as the robot's legs cut by a helical
// groove: dark bands with a bright edge above each, which the spinning
// frames show at four phases (the groove climbs the cone from frame to
// frame), sparks thrown off its tip; when it rams (the `hammer` bone) the
// hammer fist; and the jets under the feet of the ending flight.
void AddDrillAndJets(Model& m) {
    const Ramp steel{kWhite, kStoneLight, kStone};
    // The bit: it points along the forearm, with a dark groove across it.
    Bone bit = MakeBone("bit", "foreN", 5.0f, 1, {0, 0}, 0);
    bit.follow = true;
    m.AddBone(bit);
    m.AddPart(CapsulePart("bit", "bit", 14, steel, 2.2f, 0.3f, 0.0f, 1.0f));
    Part bitGroove = enemies_like::Poly("bitGroove", "bit", 15, Ramp{kNight, kNight, kNight},
                                        {{-1.6f, 1.0f}, {-0.6f, 1.0f}, {0.9f, 2.8f}, {-0.1f, 2.8f}});
    bitGroove.outline = false;
    bitGroove.shade = false;
    m.AddPart(bitGroove);

    constexpr float kDrillLength = 11.0f;
    constexpr float kBase = 4.0f, kTip = 0.3f;
    Bone drill = MakeBone("sword", "handN", kDrillLength, 1, {0, 0}, 90);
    drill.reveals = {"drill", "collarD"};
    drill.conceals = {"bit", "bitGroove"};
    m.AddBone(drill);
    Part cone = CapsulePart("drill", "sword", 12, steel, kBase, kTip, 0.08f, 1.0f);
    cone.hidden = true;
    m.AddPart(cone);
    // The collar where the cone meets the fist, in the robot's paint.
    Part collar = CapsulePart("collarD", "sword", 13, Ramp{kAmber, kCoral, kRed}, 2.3f, 2.3f, -0.1f, 0.08f);
    collar.hidden = true;
    m.AddPart(collar);
    // The groove: slanted dark bands across the cone, each with a bright
    // edge above it, a quarter of a turn further up in each frame.
    auto radius = [&](float x) { return kBase + (kTip - kBase) * (x / kDrillLength) - 0.2f; };
    for (int phase = 0; phase < 4; ++phase) {
        for (int n = 0; n < 3; ++n) {
            const float x = 1.4f + 0.8f * static_cast<float>(phase) + 3.2f * static_cast<float>(n);
            if (x + 2.6f > kDrillLength - 0.8f) continue;
            const float ra = radius(x), rb = radius(x + 2.6f);
            const std::string name = "groove" + std::to_string(phase) + std::string(1, static_cast<char>('a' + n));
            Part groove = enemies_like::Poly(name, "sword", 14, Ramp{kNight, kNight, kNight},
                                             {{x, -ra}, {x + 1.2f, -ra}, {x + 2.6f, rb}, {x + 1.4f, rb}});
            groove.hidden = true;
            groove.outline = false;
            groove.shade = false;
            m.AddPart(groove);
            Part shine = enemies_like::Poly(name + "_lit", "sword", 14, Ramp{kWhite, kWhite, kWhite},
                                            {{x - 0.7f, -ra}, {x, -ra}, {x + 1.4f, rb}, {x + 0.7f, rb}});
            shine.hidden = true;
            shine.outline = false;
            shine.shade = false;
            m.AddPart(shine);
        }
    }
    // Sparks off the tip, a different spray in each frame.
    const std::vector<std::vector<std::string>> sparks = {
        {"x.....x", ".......", "..z....", ".......", ".......", "......z", "z......"},
        {"...x...", "z......", ".......", ".......", "......x", ".......", "..z...."},
        {"......x", ".z.....", ".......", ".......", "x......", "....z..", "......."},
        {"z......", "....z..", ".......", ".......", ".......", "x....x.", "...z..."},
    };
    for (int i = 0; i < 4; ++i) {
        Part spark;
        spark.name = "sparks" + std::to_string(i);
        spark.bone = "sword";
        spark.kind = Kind::Sprite;
        spark.layer = 15;
        spark.from = 0.9f;
        spark.sprites = {{"", Sprite{sparks[static_cast<size_t>(i)], {3, 3}}}};
        spark.hidden = true;
        spark.outline = false;
        m.AddPart(spark);
    }
    // The hammer fist of the ram, in the bit's place: a short steel haft and
    // a steel head banded in the robot's paint; its swing trail and the
    // impact star where the head strikes.
    Bone hammer = MakeBone("hammer", "handN", 5, 1, {0, 0}, 90);
    hammer.reveals = {"haft", "mallet", "malletBand"};
    hammer.conceals = {"bit", "bitGroove"};
    m.AddBone(hammer);
    Part haft = CapsulePart("haft", "hammer", 12, Ramp{kStoneLight, kStone, kStoneDark}, 0.8f, 0.8f, -0.1f, 0.9f);
    haft.hidden = true;
    m.AddPart(haft);
    Part mallet = enemies_like::Poly("mallet", "hammer", 13, Ramp{kStoneLight, kStone, kStoneDark},
                                     {{3.6f, -3.4f}, {7.6f, -3.4f}, {7.6f, 3.4f}, {3.6f, 3.4f}});
    mallet.hidden = true;
    m.AddPart(mallet);
    Part band = enemies_like::Poly("malletBand", "hammer", 14, Ramp{kCoral, kCoral, kCoral},
                                   {{5.1f, -3.4f}, {6.1f, -3.4f}, {6.1f, 3.4f}, {5.1f, 3.4f}});
    band.hidden = true;
    band.outline = false;
    band.shade = false;
    m.AddPart(band);
    Part swing;
    swing.name = "swing";
    swing.bone = "hammer";
    swing.kind = Kind::Arc;
    swing.layer = -30;
    swing.ramp = Ramp{kCream, kMist, kSlate};
    swing.r0 = 6.5f;
    swing.r1 = 9.5f;
    swing.arcFrom = 95;
    swing.arcTo = 10;
    swing.outline = false;
    swing.hidden = true;
    m.AddPart(swing);
    Part impact;
    impact.name = "impact";
    impact.bone = "hammer";
    impact.kind = Kind::Sprite;
    impact.layer = 16;
    impact.from = 1.75f;
    impact.sprites = {{"", Sprite{{"...x...", "x..x..x", ".x.z.x.", "..zxz..", "xxzxzxx", "..zxz..", ".x.z.x.",
                                   "x..x..x", "...x..."},
                                  {3, 4}}}};
    impact.snap = 0;
    impact.hidden = true;
    impact.outline = false;
    m.AddPart(impact);
    for (const char* side : {"N", "F"}) {
        const std::string jet = std::string("jet") + side;
        m.AddBone(MakeBone(jet, std::string("shin") + side, 5, 1, {0, 0.6f}, 0));
        Part flame = CapsulePart(jet, jet, side[0] == 'N' ? 3 : -13, Ramp{kCream, kGold, kAmber}, 1.9f, 0.3f, 0.1f, 1.0f);
        flame.hidden = true;
        flame.outline = false;
        m.AddPart(flame);
    }
}

Model MakeRobo() {
    rig::Body b;
    b.torso = 7.2f;
    b.hipWidth = 3.0f;
    b.chestWidth = 1.2f;
    b.upperArm = 3.0f;
    b.foreArm = 2.8f;
    b.armRadius = 1.25f;
    b.handRadius = 1.5f;
    b.thigh = 3.3f;
    b.shin = 3.3f;
    b.legRadius = 1.65f;
    b.foot = 2.6f;
    b.footRadius = 1.55f;
    b.shoulderDown = 2.4f;
    // Coral paint lit amber, steel limbs.
    const Ramp paint{kAmber, kCoral, kRed};
    const Ramp steel{kStoneLight, kStone, kStoneDark}, farSteel{kStone, kStoneDark, kNight};
    b.top = paint;
    b.sleeve = b.legs = steel;
    b.farSleeve = b.farLegs = farSteel;
    b.boots = Ramp{kStone, kStoneDark, kNight};
    b.farBoots = Ramp{kStoneDark, kNight, kInk};
    b.gloves = steel;
    b.farGloves = farSteel;
    b.head = RoboHeads().at("");
    Model m = rig::Humanoid("robo", b);
    m.FindPart("head")->sprites = RoboHeads();
    m.FindPart("head")->edge = true;
    m.legend = {{'h', kAmber}, {'H', kCoral}, {'d', kRed}, {'v', kNavy}, {'e', kFoam},
                {'V', kWhite}, {'y', kRed}, {'a', kStoneDark}, {'x', kCream}, {'z', kAmber}};
    // The chassis: a box from the hips to the shoulders, as wide as the
    // head, with a lamp on its chest and a dark vent at its back.
    Part chassis = enemies_like::Poly("chassis", "torso", 4, paint,
                                      {{-5.6f, 1.0f}, {5.2f, 1.0f}, {6.0f, 0.2f}, {6.0f, -4.8f}, {5.0f, -5.8f},
                                       {-5.0f, -5.8f}, {-6.0f, -4.8f}, {-6.0f, 0.0f}});
    chassis.edge = true;
    m.AddPart(chassis);
    m.AddPart(EllipsePart("lamp", "torso", 6, Ramp{kWhite, kFoam, kWater}, 0.9f, 0.9f, 0.45f));
    // A short steel neck between the chassis and the head.
    m.AddPart(CapsulePart("neck", "torso", 2, Ramp{kStone, kStoneDark, kNight}, 1.6f, 1.6f, 0.78f, 1.0f));
    Part vent = enemies_like::Poly("vent", "torso", 6, Ramp{kNight, kNight, kNight},
                                   {{-4.6f, -1.2f}, {-1.0f, -1.2f}, {-1.0f, -0.4f}, {-4.6f, -0.4f}});
    vent.outline = false;
    vent.shade = false;
    m.AddPart(vent);
    AddDrillAndJets(m);
    AddPlayerExtras(m, kRope, b.chestWidth);
    return m;
}

// ------------------------------------------------------------------ poses
// The columns of players.cpp's table.
// clang-format off
// Poses the three share beyond the players' library: the fall drawn on its
// feet (their 290 lands on them), a second spinning frame, the wind-up of a
// homing start (lifted 100 from the ground, so drawn half a body higher in
// its cell than a crouch), a tucked ball.
const PoseRow kCommon[] = {
//  name          hip x   y   torso head   armN foreN  armF foreF   legN shinN footN  legF shinF footF  extra
  {"drop",        20, 25,   180, 185,    80, 120,  -80,-120,     25,  -5,  60,   -10, -30,  50,   "wind:-110 phase:0"},
  {"spin_b",      20, 22,   120, 135,   110,  70,   70,  30,    110, -30,  60,    90, -50,  50,   "place:centre face:blink sword=-150 show:slash_spin wind:-170"},
  {"kwind",       20, 21,   156, 172,    60,  30,  -25,  40,     75, -20,  90,    30, -60,  85,   "place:hip sword=100 wind:-60"},
  {"ball",        20, 22,   200, 200,   120,  40,  100,  30,    150,  30,  60,   130,  10,  50,   "place:centre face:blink wind:40"},
  {"wave",        20, 24,   176, 182,   110, 140,  -20,  30,     18,  -8,  90,   -15,  -5,  90,   "face:blink wind:-40"},
  // Holding on: against the wall the legs change over and the free hand
  // reaches, under the ceiling the body swings forward and back.
  {"wall_a",      20, 25,   172, 185,    40, 100, -115,-100,     70, -30,  90,   -20,-100,  10,   "place:wall wind:-20 phase:0"},
  {"wall_b",      20, 25,   176, 178,    75, 135, -110, -95,     25, -70,  80,    35, -60,  60,   "place:wall face:blink wind:-35 phase:150"},
  {"ceil_a",      20, 24,   172, 176,   172, 180,  188, 180,     70,  20,  80,    40,   0,  70,   "place:ceiling armN*1.6 foreN*1.6 armF*1.6 foreF*1.6 wind:20 phase:0"},
  {"ceil_b",      20, 24,   188, 184,   168, 176,  192, 184,    -15, -85,  20,   -35, -95,  10,   "place:ceiling armN*1.6 foreN*1.6 armF*1.6 foreF*1.6 face:blink wind:-40 phase:160"},
};

// The kunoichi: a light stance, the smoke's seal, and her cuts.
const PoseRow kKunoichi[] = {
  {"stand_a",     20, 24,   174, 180,    18,  70,  -20,  25,     20, -10,  90,   -15,  -5,  90,   "wind:-55 phase:0"},
  {"stand_b",     20, 24,   173, 178,    20,  75,  -18,  30,     20, -10,  90,   -15,  -5,  90,   "wind:-65 phase:140 torso*0.88"},
  {"vanish",      20, 26,   160, 172,    40, 150,   35, 150,     75, -20,  90,    30, -60,  85,   "face:blink wind:-60"},
};

// The chain-sickle fighter: the sickle ready at rest, the throws, the pull
// and the approach (drawn pointing up: the game turns them along their
// flight), the landing on the chain and the swing on it.
const PoseRow kKusarigamaPoses[] = {
  {"stand_a",     20, 24,   172, 180,    25,  65,  -12,  20,     22, -10,  90,   -18,  -6,  90,   "sword=25 wind:-50 phase:0"},
  {"stand_b",     20, 24,   171, 179,    27,  68,  -10,  24,     22, -10,  90,   -18,  -6,  90,   "sword=28 wind:-60 phase:140 torso*0.9"},
  {"throw_wind",  20, 24,   190, 182,    40,  70,  -95,-140,     40,  -5,  90,   -30, -10,  90,   "sword=60 wind:-50"},
  {"throw",       20, 24,   162, 172,    20,  60,   95,  92,     50,   0,  90,   -35, -25,  90,   "sword=40 wind:-70 phase:90"},
  {"pulled",      20, 22,   180, 175,    30,  60,  178, 180,     10,  -5,  40,   -10, -15,  30,   "place:centre sword=40 wind:0"},
  {"chase_a",     20, 22,   180, 180,   175, 180,   20,  40,     10,  -5,  40,   -10, -15,  30,   "place:centre sword=178 wind:0"},
  {"arrive",      20, 22,   175, 178,    40,  90,  120, 150,    100, -20,  60,    70, -40,  50,   "place:centre sword=60 wind:-120"},
  {"hang_a",      20, 26,   172, 168,    40,  70,  115, 145,     25,  -5,  40,   -10, -15,  40,   "place:centre sword=50 front:armF,foreF,handF wind:40 phase:0"},
  {"hang_b",      20, 26,   188, 176,    50,  80,  125, 155,    -15, -25,  40,    10,   5,  40,   "place:centre sword=60 front:armF,foreF,handF wind:-40 phase:180"},
};

// The robot: a stiff stance, the drill charge's wind-up and spin (the bands
// turning) and the homing charge, drawn pointing up (the game turns them
// along their flight), the ram, its exit dance and its ending flight on its
// jets.
const PoseRow kRobo[] = {
  {"stand_a",     20, 24,   180, 180,     8,  90,  -25, -15,     12,  -6,  90,   -12,  -4,  90,   "wind:-30"},
  {"stand_b",     20, 25,   182, 176,    14,  96,  -35, -30,     14,  -8,  90,   -10,  -2,  90,   "face:blink torso*0.92 wind:-30"},
  {"drill_wind",  20, 26,   150, 165,    90,  90,  -30,  20,     75, -20,  90,    30, -60,  85,   "sword=90 wind:-60"},
  {"drill_a",     20, 24,   178, 180,   178, 180,   15,  25,     70, -60,  60,    50, -80,  50,   "place:centre back:armN,foreN,handN armN*1.7 foreN*1.7 sword=180 sword*0.9 show:groove0a,groove0a_lit,groove0b,groove0b_lit,sparks0 wind:0"},
  {"drill_b",     20, 24,   184, 182,   176, 178,   45,  80,     80, -70,  60,    40, -65,  50,   "place:centre back:armN,foreN,handN armN*1.7 foreN*1.7 sword=178 sword*0.9 show:groove1a,groove1a_lit,groove1b,groove1b_lit,sparks1 face:blink wind:0 phase:90"},
  {"drill_c",     20, 24,   176, 178,   180, 182,    0, -20,     60, -50,  60,    60, -85,  50,   "place:centre back:armN,foreN,handN armN*1.7 foreN*1.7 sword=182 sword*0.9 show:groove2a,groove2a_lit,groove2b,groove2b_lit,sparks2 wind:0 phase:180"},
  {"drill_d",     20, 24,   182, 180,   177, 179,   30,  55,     75, -65,  60,    45, -75,  50,   "place:centre back:armN,foreN,handN armN*1.7 foreN*1.7 sword=179 sword*0.9 show:groove3a,groove3a_lit,groove3b,groove3b_lit,sparks3 face:blink wind:0 phase:270"},
  {"charge_a",    20, 22,   180, 180,   170, 178,  190, 182,     10,  -5,  40,   -10, -15,  30,   "place:centre wind:0"},
  {"charge_b",    20, 22,   180, 180,   160, 200,  200, 160,     30, -60,  40,    -5,  -5,  30,   "place:centre face:blink wind:0 phase:180"},
  {"ram_wind",    20, 24,   200, 190,  -120,-160,  -40,   0,     40,  -5,  80,   -30, -30,  70,   "hammer=-170 wind:-40"},
  {"ram",         18, 24,   145, 155,    95,  92,  -70, -40,     60,   5,  80,   -40, -40,  70,   "hammer=92 show:swing,impact wind:-90"},
  {"recoil",      20, 24,   195, 195,    40,  60,  -20,  10,     20, -20,  60,   -20, -40,  50,   "face:hurt wind:20"},
  {"exit_a",      20, 24,   180, 180,    90, 135,  -90,-135,     15,  -5,  90,   -15,   5,  90,   "wind:0"},
  {"exit_b",      20, 24,   184, 176,    60,  20,  -70, -20,     35, -40,  90,   -10,   5,  90,   "face:blink wind:0"},
  {"salute",      20, 24,   178, 180,    90, 150,  -25, -15,     12,  -6,  90,   -12,  -4,  90,   "wind:-30"},
  {"wave_a",      20, 24,   176, 184,   100, 110,  -25, -15,     12,  -6,  90,   -12,  -4,  90,   "wind:-30"},
  {"wave_b",      20, 24,   182, 176,   140, 200,  -30, -20,     14,  -6,  90,   -10,  -2,  90,   "face:blink wind:-30"},
  {"ready",       20, 26,   165, 175,    20,  40,  -20,  20,     75, -20,  90,    30, -60,  85,   "wind:-60"},
  {"jet_a",       20, 22,   180, 182,    15,  10,  -15, -10,      5,   0,  40,    -5,   0,  40,   "show:jetN,jetF wind:0"},
  {"jet_b",       20, 22,   180, 182,    25,  20,  -25, -20,      8,   0,  40,    -8,   0,  40,   "show:jetN,jetF jetN*0.55 jetF*1.1 wind:0"},
  {"jet_c",       20, 22,   180, 182,    10,   5,  -10,  -5,      2,   0,  40,    -2,   0,  40,   "show:jetN,jetF jetN*1.15 jetF*0.5 face:blink wind:0"},
  {"hover_a",     20, 22,   180, 180,    40,  60,  -40, -60,      5,   0,  40,    -5,   0,  40,   "show:jetN,jetF jetN*0.6 jetF*0.35 wind:0"},
  {"hover_b",     20, 21,   180, 184,    65,  95,  -60, -90,     10,  -8,  40,    -8,  -6,  40,   "face:blink show:jetN,jetF jetN*0.3 jetF*0.6 wind:0"},
  // Under the ceiling its arms reach less far: it is taller than the others.
  {"ceil_a",      20, 24,   172, 176,   172, 180,  188, 180,     70,  20,  80,    40,   0,  70,   "place:ceiling armN*1.25 foreN*1.25 armF*1.25 foreF*1.25 wind:20 phase:0"},
  {"ceil_b",      20, 24,   188, 184,   168, 176,  192, 184,    -15, -85,  20,   -35, -95,  10,   "place:ceiling armN*1.25 foreN*1.25 armF*1.25 foreF*1.25 face:blink wind:-40 phase:160"},
};
// clang-format on

template <size_t N>
const PoseRow* Find(const PoseRow (&table)[N], const std::string& name) {
    for (const PoseRow& r : table)
        if (name == r.name) return &r;
    return nullptr;
}

// ------------------------------------------------------------------ sheets
const Layout kKunoichiLayout{122, 21, "kunoichi_slot21", {
    {"stand_a", "230 960", 0, 0, Anchor::Feet},
    {"stand_b", "231", 40, 0, Anchor::Feet},
    {"crouch", "236 365", 80, 0, Anchor::Feet},
    {"hurt", "10", 120, 0, Anchor::Centre},
    {"tumble", "110", 160, 0, Anchor::Centre},
    {"wall_a", "232", 200, 0, Anchor::Wall},
    {"wall_b", "233", 0, 40, Anchor::Wall},
    {"ceil_a", "234", 40, 40, Anchor::Ceiling},
    {"ceil_b", "235", 80, 40, Anchor::Ceiling},
    {"walk_1", "250", 120, 40, Anchor::Feet},
    {"walk_2", "251", 160, 40, Anchor::Feet},
    {"walk_3", "252", 200, 40, Anchor::Feet},
    {"walk_4", "253", 0, 80, Anchor::Feet},
    {"rise", "280", 40, 80, Anchor::Feet},
    {"drop", "290", 80, 80, Anchor::Feet},
    {"vanish", "320", 120, 80, Anchor::Centre},
    {"vanish", "324", 120, 80, Anchor::Feet},
    {"ball", "321 331", 160, 80, Anchor::Centre},
    {"ball", "325", 160, 80, Anchor::Feet},
    {"kwind", "330", 200, 80, Anchor::Centre},
    {"cut_a_wind", "333", 0, 120, Anchor::Centre},
    {"cut_a", "334", 40, 120, Anchor::Centre},
    {"cut_a_end", "335 336", 80, 120, Anchor::Centre},
    {"cut_b_wind", "337", 120, 120, Anchor::Centre},
    {"cut_b", "338", 160, 120, Anchor::Centre},
    {"cut_b_end", "339 340", 200, 120, Anchor::Centre},
    {"victory", "341 342", 0, 160, Anchor::Centre},
    {"victory", "940 941", 0, 160, Anchor::Feet},
    {"flip", "343 344", 40, 160, Anchor::Centre},
    {"spin", "360 361 363", 80, 160, Anchor::Centre},
    {"spin_b", "362 364", 120, 160, Anchor::Centre},
}};
ART_LAYOUT(kKunoichiLayout);

const Layout kKusarigamaLayout{123, 22, "kusarigama_slot22", {
    {"stand_a", "230 960 964", 0, 0, Anchor::Feet},
    {"stand_b", "231", 40, 0, Anchor::Feet},
    {"crouch", "236 369", 80, 0, Anchor::Feet},
    {"hurt", "10", 120, 0, Anchor::Centre},
    {"tumble", "110", 160, 0, Anchor::Centre},
    {"wall_a", "232", 200, 0, Anchor::Wall},
    {"wall_b", "233", 0, 40, Anchor::Wall},
    {"ceil_a", "234", 40, 40, Anchor::Ceiling},
    {"ceil_b", "235", 80, 40, Anchor::Ceiling},
    {"walk_1", "250 961", 120, 40, Anchor::Feet},
    {"walk_2", "251", 160, 40, Anchor::Feet},
    {"walk_3", "252 962", 200, 40, Anchor::Feet},
    {"walk_4", "253", 0, 80, Anchor::Feet},
    {"rise", "280", 40, 80, Anchor::Feet},
    {"drop", "290", 80, 80, Anchor::Feet},
    {"throw_wind", "320 330", 120, 80, Anchor::Centre},
    {"throw_wind", "324", 120, 80, Anchor::Feet},
    {"throw", "321 331", 160, 80, Anchor::Centre},
    {"throw", "325", 160, 80, Anchor::Feet},
    {"pulled", "322", 200, 80, Anchor::Centre},
  {"arrive", "323", 0, 120, Anchor::Centre},
    {"hang_a", "326", 40, 120, Anchor::Centre},
    {"hang_b", "327", 80, 120, Anchor::Centre},
    {"chase_a", "332", 120, 120, Anchor::Centre},
    {"cut_a_wind", "333", 160, 120, Anchor::Centre},
    {"cut_a", "334", 200, 120, Anchor::Centre},
    {"cut_a_end", "335 336", 0, 160, Anchor::Centre},
    {"cut_b_wind", "337", 40, 160, Anchor::Centre},
    {"cut_b", "338", 80, 160, Anchor::Centre},
    {"cut_b_end", "339 340", 120, 160, Anchor::Centre},
    {"victory", "341 342", 160, 160, Anchor::Centre},
    {"victory", "940 941", 160, 160, Anchor::Feet},
    {"flip", "343 344", 200, 160, Anchor::Centre},
    {"spin", "360 361 363 365 367", 0, 200, Anchor::Centre},
    {"spin_b", "362 364 366 368", 40, 200, Anchor::Centre},
    {"wave", "963", 80, 200, Anchor::Feet},
}};
ART_LAYOUT(kKusarigamaLayout);

const Layout kRoboLayout{124, 23, "robo_slot23", {
    {"stand_a", "230 960", 0, 0, Anchor::Feet},
    {"stand_b", "231", 40, 0, Anchor::Feet},
    {"crouch", "236 328 375", 80, 0, Anchor::Feet},
    {"hurt", "10", 120, 0, Anchor::Centre},
    {"tumble", "110", 160, 0, Anchor::Centre},
    {"wall_a", "232", 200, 0, Anchor::Wall},
    {"wall_b", "233", 0, 40, Anchor::Wall},
    {"ceil_a", "234", 40, 40, Anchor::Ceiling},
    {"ceil_b", "235", 80, 40, Anchor::Ceiling},
    {"walk_1", "250", 120, 40, Anchor::Feet},
    {"walk_2", "251", 160, 40, Anchor::Feet},
    {"walk_3", "252", 200, 40, Anchor::Feet},
    {"walk_4", "253", 0, 80, Anchor::Feet},
    {"rise", "280", 40, 80, Anchor::Feet},
    {"drop", "290", 80, 80, Anchor::Feet},
    {"drill_wind", "320", 120, 80, Anchor::Centre},
    {"drill_wind", "329", 120, 80, Anchor::Feet},
    {"drill_a", "321 325", 160, 80, Anchor::Centre},
    {"drill_b", "322 326", 200, 80, Anchor::Centre},
    {"drill_c", "323 327", 0, 120, Anchor::Centre},
    {"drill_d", "324", 40, 120, Anchor::Centre},
    {"charge_a", "330 332", 80, 120, Anchor::Centre},
    {"charge_b", "331", 120, 120, Anchor::Centre},
    {"ram_wind", "333 337", 160, 120, Anchor::Centre},
    {"ram", "334 335 338 339", 200, 120, Anchor::Centre},
    {"recoil", "336 340", 0, 160, Anchor::Centre},
    {"victory", "341 342", 40, 160, Anchor::Centre},
    {"flip", "343 344", 80, 160, Anchor::Centre},
    {"spin", "360 361 363 365 367 369 371 373", 120, 160, Anchor::Centre},
    {"spin_b", "362 364 366 368 370 372 374", 160, 160, Anchor::Centre},
    {"exit_a", "940 942 944 946 947 949 951 953", 200, 160, Anchor::Feet},
    {"exit_b", "941 943 945 948 950 952", 0, 200, Anchor::Feet},
    {"salute", "961", 40, 200, Anchor::Feet},
    {"wave_a", "972", 80, 200, Anchor::Feet},
    {"wave_b", "973", 120, 200, Anchor::Feet},
}};
ART_LAYOUT(kRoboLayout);

const Layout kRoboEndingLayout{125, 24, "robo_slot24", {
    {"ready", "962", 0, 0, Anchor::Feet},
    {"jet_a", "963 966 969", 40, 0, Anchor::Feet},
    {"jet_b", "964 967", 80, 0, Anchor::Feet},
    {"jet_c", "965 968", 120, 0, Anchor::Feet},
    {"hover_a", "970", 160, 0, Anchor::Feet},
    {"hover_b", "971", 200, 0, Anchor::Feet},
}};
ART_LAYOUT(kRoboEndingLayout);

// ------------------------------------------------------------------ review
const Review kKunoichiReview{"kunoichi", {122}, {
    {"stand 230 walk 250", {{"stand_a", 10}, {"stand_b", 10}, {"walk_1", 8}, {"walk_2", 8}, {"walk_3", 8}, {"walk_4", 8}}},
    {"holds 232 234 fall 290", {{"wall_a", 10}, {"wall_b", 10}, {"ceil_a", 10}, {"ceil_b", 10}, {"rise", 4}, {"drop", 4}, {"crouch", 6}}},
    {"smoke dash 324", {{"vanish", 2}, {"ball", 2}, {"ball", 2, -90}, {"crouch", 2}, {"stand_a", 10}}},
    {"homing 330 cuts", {{"kwind", 2}, {"ball", 2}, {"cut_a_wind", 1}, {"cut_a", 1}, {"cut_a_end", 2}, {"cut_b_wind", 1}, {"cut_b", 1}, {"cut_b_end", 2}, {"victory", 2}, {"flip", 2}}},
    {"hurt 10 dying 110 launched 360", {{"hurt", 10}, {"tumble", 4}, {"tumble", 4, -120}, {"spin", 1}, {"spin_b", 1}, {"spin", 1, -60}}},
}};
ART_REVIEW(kKunoichiReview);

const Review kKusarigamaReview{"kusarigama", {123}, {
    {"stand 230 walk 250", {{"stand_a", 10}, {"stand_b", 10}, {"walk_1", 8}, {"walk_2", 8}, {"walk_3", 8}, {"walk_4", 8}}},
    {"holds 232 234 fall 290", {{"wall_a", 10}, {"wall_b", 10}, {"ceil_a", 10}, {"ceil_b", 10}, {"rise", 4}, {"drop", 4}, {"crouch", 6}}},
    {"chain 320 pull hang", {{"throw_wind", 2}, {"throw", 6}, {"pulled", 8}, {"arrive", 2}, {"hang_a", 8}, {"hang_b", 8}}},
    {"homing 330 cuts", {{"throw_wind", 2}, {"throw", 6}, {"chase_a", 6}, {"cut_a_wind", 3}, {"cut_a", 1}, {"cut_a_end", 2}, {"cut_b_wind", 3}, {"cut_b", 1}, {"cut_b_end", 2}, {"victory", 2}}},
    {"hurt 10 dying 110 exit 940 ending", {{"hurt", 10}, {"tumble", 4}, {"spin", 1}, {"spin_b", 1}, {"victory", 40}, {"wave", 12}, {"stand_a", 12}}},
}};
ART_REVIEW(kKusarigamaReview);

const Review kRoboReview{"robo", {124, 125}, {
    {"stand 230 walk 250", {{"stand_a", 4}, {"stand_b", 4}, {"walk_1", 4}, {"walk_2", 4}, {"walk_3", 4}, {"walk_4", 4}}},
    {"holds 232 234 fall 290", {{"wall_a", 10}, {"wall_b", 10}, {"ceil_a", 10}, {"ceil_b", 10}, {"rise", 4}, {"drop", 4}, {"crouch", 6}}},
    {"drill 329 spin", {{"drill_wind", 8}, {"drill_a", 1}, {"drill_b", 1}, {"drill_c", 1}, {"drill_d", 1}, {"drill_a", 1}, {"crouch", 2}}},
    {"ram 330", {{"charge_a", 1}, {"charge_b", 1}, {"ram_wind", 2}, {"ram", 6}, {"recoil", 2}, {"victory", 2}, {"flip", 2}}},
    {"exit 940 ending 960", {{"exit_a", 2}, {"exit_b", 2}, {"salute", 40}, {"ready", 10}, {"jet_a", 2}, {"jet_b", 2}, {"jet_c", 2}, {"hover_a", 2}, {"hover_b", 2}, {"wave_a", 4}, {"wave_b", 4}}},
}};
ART_REVIEW(kRoboReview);

}  // namespace

const Model& OtherNinjaModel(Who who) {
    static const Model kunoichi = MakeKunoichi(), kusarigama = MakeKusarigama(), robo = MakeRobo();
    if (who == Who::Kusarigama) return kusarigama;
    if (who == Who::Robo) return robo;
    return kunoichi;
}

const PoseRow* OtherNinjaPose(Who who, const std::string& name) {
    const PoseRow* row = nullptr;
    if (who == Who::Kunoichi) row = Find(kKunoichi, name);
    if (who == Who::Kusarigama) row = Find(kKusarigamaPoses, name);
    if (who == Who::Robo) row = Find(kRobo, name);
    if (row == nullptr && (who == Who::Kunoichi || who == Who::Kusarigama || who == Who::Robo)) row = Find(kCommon, name);
    return row;
}

}  // namespace players

ART_SHEET(122, "kunoichi") { return players::DrawLayoutSheet(players::Who::Kunoichi, players::kKunoichiLayout); }
ART_SHEET(123, "kusarigama") { return players::DrawLayoutSheet(players::Who::Kusarigama, players::kKusarigamaLayout); }
ART_SHEET(124, "robo") { return players::DrawLayoutSheet(players::Who::Robo, players::kRoboLayout); }
ART_SHEET(125, "robo-ending") { return players::DrawLayoutSheet(players::Who::Robo, players::kRoboEndingLayout); }
