// Silvy: the lizardfolk's young sorceress, the last boss and the heroine of
// the clear scene. A long silver mane, dark swept-back horns, a long teal
// dress with wide gold-cuffed sleeves and a gold hem, cream stockings, teal
// boots and a heavy teal tail; her magic is violet, and so is the light on
// her edge. A head taller than the player characters, she fills her whole
// cell as a boss should; drawn on the same rig with the same kind of face,
// so that she belongs to their world; the same model and pose table serve
// the fight and the scene.
//
// Her silhouette: the mane, the horns and the tail; her main colours:
// silver and teal.
#include "Bosses.h"
#include "Palette.h"

namespace bosses {

namespace {

using rig::Bone;
using rig::CapsulePart;
using rig::EllipsePart;
using rig::MakeBone;
using rig::Model;
using rig::Part;
using rig::Ramp;
using rig::Sprite;

const Ramp kDress{kFoam, kWater, kWaterDeep};
const Ramp kDressFar{kWater, kWaterDeep, kNavy};
const Ramp kSkinRamp{kCream, kSkin, kSand};
const Ramp kSkinFar{kSkin, kSand, kWood};
const Ramp kHair{kWhite, kStoneLight, kStone};
const Ramp kStocking{kWhite, kCream, kSand};
const Ramp kStockingFar{kCream, kSand, kWood};
const Ramp kBoot{kWater, kWaterDeep, kNavy};
const Ramp kBootFar{kWaterDeep, kNavy, kInk};
const Ramp kGoldRamp{kCream, kGold, kAmber};
const Ramp kMagic{kWhite, kViolet, kDusk};
const Ramp kTail{kFoam, kWater, kWaterDeep};

// Her head faces right with the neck at the pivot; the rows above the eyes
// are her silver hair and bangs (lit on the crown, shaded under the bangs
// and at the nape), the variants change the eyes and mouth.
std::map<std::string, Sprite> Heads() {
    const std::vector<std::string> top = {
        "....hhhhh....",
        "..hhhhHHHHh..",
        ".hhhHHHHHHHH.",
        "hhhHHHHHHHHHd",
        "hhHHHHHHHHHHd",
        "hHHHHHHHdHHdd",
        "HHHHHHHdcHdcH",
    };
    auto make = [&](const char* r7, const char* r8, const char* r9, const char* r10) {
        std::vector<std::string> rows = top;
        rows.insert(rows.end(), {r7, r8, r9, r10, "..dd.zzzzz..."});
        return Sprite{rows, {5.5f, 12}};
    };
    return {
        {"", make("dHHHHcsskssks", "dHHHdssseslse", ".dHHdzsssssms", ".ddHdzzsssz..")},
        {"blink", make("dHHHHcsssssss", "dHHHdsskkskks", ".dHHdzsssssms", ".ddHdzzsssz..")},
        {"hurt", make("dHHHHcskssskk", "dHHHdssksksz.", ".dHHdzssssmms", ".ddHdzzsssz..")},
        {"ko", make("dHHHHcsssssss", "dHHHdsskkskks", ".dHHdzssssmms", ".ddHdzzsssz..")},
        {"shout", make("dHHHHcsskssks", "dHHHdssseslse", ".dHHdzssssskk", ".ddHdzzsskk..")},
        {"cry", make("dHHHHcskkskks", "dHHHdsssbssbs", ".dHHdzssbssms", ".ddHdzzsbsz..")},
        {"cry2", make("dHHHHcskkskks", "dHHHdssssssbs", ".dHHdzsbssmms", ".ddHdzzsssb..")},
        {"smile", make("dHHHHcsssssss", "dHHHdsksksksk", ".dHHdzsrssmms", ".ddHdzzsssz..")},
        {"sparkle", make("dHHHHcssyssys", "dHHHdsyyyyyyy", ".dHHdzsrsyssy", ".ddHdzzsssz..")},
        {"pout", make("dHHHHcsskssks", "dHHHdssseslse", ".dHHdzsrssmzs", ".ddHdzzsssz..")},
        {"sad", make("dHHHHcsssssss", "dHHHdsskksskk", ".dHHdzsssssz.", ".ddHdzzsssz..")},
    };
}

// Four-pointed sparkles around her (the clear scene's shining pose) and the
// flash of a spell leaving her hand; laid over the figure without ink.
Sprite Sparkles(bool second) {
    if (!second)
        return Sprite{{"..y.............", ".yYy.........y..", "..y.........yYy.", ".............y..", "................",
                       "................", "y...............", "..............y.", "................",
                       "................", "..y.............", ".yYy............", "..y............."},
                      {8, 16}};
    return Sprite{{"........y.......", ".......yYy......", ".y......y.......", "yYy.............", ".y............y.",
                   ".............yYy", "..............y.", "................", ".....y..........",
                   "................", "...............y", "..............yY", "...............y"},
                  {8, 16}};
}

Model MakeSilvy() {
    // A head and a half taller than the player characters, long-limbed, in a
    // long dress with wide sleeves and a mantle: the figure fills her cell.
    rig::Body b;
    b.torso = 7.2f;
    b.hipWidth = 3.0f;
    b.chestWidth = 3.1f;
    b.upperArm = 4.4f;
    b.foreArm = 4.0f;
    b.armRadius = 1.35f;
    b.handRadius = 1.45f;
    b.thigh = 5.5f;
    b.shin = 5.3f;
    b.legRadius = 1.6f;
    b.foot = 3.2f;
    b.footRadius = 1.3f;
    b.shoulderDown = 1.6f;
    b.top = b.sleeve = kDress;
    b.farSleeve = kDressFar;
    b.legs = kStocking;
    b.farLegs = kStockingFar;
    b.boots = kBoot;
    b.farBoots = kBootFar;
    b.gloves = kSkinRamp;
    b.farGloves = kSkinFar;
    b.head = Heads().at("");
    Model m = rig::Humanoid("silvy", b);
    m.FindPart("head")->sprites = Heads();
    m.legend = {{'h', kWhite}, {'H', kStoneLight}, {'d', kStone}, {'s', kSkin}, {'z', kSand}, {'c', kCream},
                {'k', kInk},   {'e', kViolet},     {'l', kWhite}, {'m', kRose}, {'r', kCoral}, {'b', kFoam},
                {'y', kGold},  {'Y', kCream},      {'o', kMauve}, {'n', kDusk}, {'N', kNight}, {'p', kDusk},
                {'q', kNight}};
    // Wide sleeves flaring to the wrist.
    for (const char* fore : {"foreN", "foreF"}) m.FindPart(fore)->r1 = 2.0f;
    // Boots up the shins.
    m.AddPart(CapsulePart("bootN", "shinN", 2, kBoot, 1.65f, 1.5f, 0.5f, 1.0f));
    m.AddPart(CapsulePart("bootF", "shinF", -12, kBootFar, 1.65f, 1.5f, 0.5f, 1.0f));
    // Long silver hair down her back in four locks.
    m.AddBone(rig::TrailBone("hair1", "head", 5.4f, 0, {-4.2f, -7.0f}, 8, 28));
    m.AddBone(rig::TrailBone("hair2", "hair1", 5.6f, 1, {0, 0}, 10, 28));
    m.AddBone(rig::TrailBone("hair3", "hair2", 5.0f, 1, {0, 0}, 12, 28));
    m.AddBone(rig::TrailBone("hair4", "hair3", 4.0f, 1, {0, 0}, 14, 28));
    m.AddPart(CapsulePart("hair1", "hair1", -22, kHair, 3.6f, 3.2f));
    m.AddPart(CapsulePart("hair2", "hair2", -22, kHair, 3.2f, 2.6f));
    m.AddPart(CapsulePart("hair3", "hair3", -22, kHair, 2.6f, 1.8f));
    m.AddPart(CapsulePart("hair4", "hair4", -22, kHair, 1.8f, 0.5f));
    // Dark horns rising from her crown and sweeping back over her hair,
    // curling up at the tips: lit along their upper edge.
    auto horn = [&](const char* name, int layer, const char* light, const char* mid, const char* dark, rig::Vec pivot) {
        std::vector<std::string> rows = {
            "o........",
            "on.......",
            "onN......",
            ".ooonnn..",
            "..NNnnnnn",
            "....NNNN.",
        };
        for (std::string& r : rows)
            for (char& ch : r) ch = ch == 'o' ? light[0] : ch == 'n' ? mid[0] : ch == 'N' ? dark[0] : ch;
        rig::Part p;
        p.name = name;
        p.bone = "head";
        p.kind = rig::Kind::Sprite;
        p.layer = layer;
        p.sprites[""] = Sprite{rows, pivot};
        m.AddPart(p);
    };
    horn("hornF", -21, "p", "q", "k", {5.0f, 14.0f});
    horn("hornN", 11, "o", "n", "N", {6.5f, 14.5f});

    // A lizard's tail from under the skirt, heavy at the root, curling up
    // behind her.
    m.AddBone(rig::FollowBone("tail1", "hip", 4.4f, 0, {-2.2f, 2.0f}, -60));
    m.AddBone(rig::FollowBone("tail2", "tail1", 4.2f, 1, {0, 0}, -100));
    m.AddBone(rig::FollowBone("tail3", "tail2", 3.8f, 1, {0, 0}, -150));
    m.AddPart(CapsulePart("tail1", "tail1", -16, kTail, 2.4f, 1.9f));
    m.AddPart(CapsulePart("tail2", "tail2", -16, kTail, 1.9f, 1.3f));
    m.AddPart(CapsulePart("tail3", "tail3", -16, kTail, 1.3f, 0.4f));
    // The dress: a long flared skirt with a gold hem, a gold sash and cuffs.
    Part skirt;
    skirt.name = "skirt";
    skirt.bone = "torso";
    skirt.kind = rig::Kind::Poly;
    skirt.layer = 4;
    skirt.ramp = kDress;
    skirt.poly = {{-3.0f, -2.6f}, {3.0f, -2.6f}, {5.6f, 5.4f}, {-5.8f, 5.4f}};
    skirt.edge = true;
    m.AddPart(skirt);
    Part hem = skirt;
    hem.name = "hem";
    hem.layer = 5;
    hem.ramp = kGoldRamp;
    hem.edge = false;
    hem.poly = {{-5.4f, 4.2f}, {5.2f, 4.2f}, {5.6f, 5.4f}, {-5.8f, 5.4f}};
    m.AddPart(hem);
    m.AddPart(EllipsePart("sash", "torso", 6, kGoldRamp, 3.2f, 0.8f, 0.22f));
    m.AddPart(CapsulePart("cuffN", "foreN", 12, kGoldRamp, 2.0f, 2.0f, 0.82f, 0.94f));
    m.AddPart(CapsulePart("cuffF", "foreF", -20, Ramp{kGold, kAmber, kWood}, 2.0f, 2.0f, 0.82f, 0.94f));

    // Magic, shown by the poses that cast: an orb in the near hand (two
    // sizes for the flicker of a charge), a large orb held overhead, the
    // flash of a spell leaving the hand, and sparkles.
    auto magic = [&](const char* name, const char* bone, float r, float at) {
        Part p = EllipsePart(name, bone, 30, kMagic, r, r, at);
        p.hidden = true;
        p.outline = false;
        m.AddPart(p);
    };
    magic("orb", "handN", 2.8f, 0);
    magic("orb2", "handN", 3.6f, 0);
    m.AddBone(rig::FollowBone("overhead", "head", 0, 0, {3.0f, -11.0f}, 180));
    magic("charge", "overhead", 4.2f, 0);
    magic("charge2", "overhead", 5.0f, 0);
    auto sparkle = [&](const char* name, const char* bone, Sprite s) {
        Part p;
        p.name = name;
        p.bone = bone;
        p.kind = rig::Kind::Sprite;
        p.layer = 40;
        p.sprites[""] = std::move(s);
        p.snap = 360;
        p.hidden = true;
        p.outline = false;
        m.AddPart(p);
    };
    sparkle("flash", "handN", Sprite{{"..Y..", ".yYy.", "YYwYY", ".yYy.", "..Y.."}, {2, 2}});
    sparkle("sparkA", "torso", Sparkles(false));
    sparkle("sparkB", "torso", Sparkles(true));
    m.legend['w'] = kWhite;
    // Her magic lights her edge: the rim facing the light is violet, not
    // the evening sky's blue of the other figures.
    m.rim = kViolet;
    return m;
}

}  // namespace

const Cast& Silvy() {
    static const Cast cast{
        MakeSilvy(),
        "root torso head armN foreN armF foreF legN shinN footN legF shinF footF",
        {
            // clang-format off
//                  root   torso  head  armN foreN  armF foreF  legN shinN footN  legF shinF footF
// The fight, on the ground.
{"stand",          "20,26    174   180    35   -80   -15    10    10    -5    90   -12    -4    90", "wind:-30"},
{"low_wind_a",     "20,26    150   165    20    60   -30   -10    75   -25    90    30   -70    80", "show:orb wind:-40"},
{"low_wind_b",     "20,26    151   166    22    62   -30   -10    75   -25    90    30   -70    80", "show:orb2 wind:-45 phase:90"},
{"low_shot",       "20,26    145   160    75    80   -60   -40    70   -10    90   -40   -30    80", "show:flash face:shout wind:-90"},
{"ring_call",      "20,26    172   170    30    80    25    75    25   -15    90   -20   -10    90", "face:blink show:orb wind:-30"},
{"ring_burst",     "20,26    186   192   125   145  -135  -160    25    -5    90   -25    -5    90", "face:shout show:sparkA,orb2 wind:0"},
{"ring_hold",      "20,26    180   183   165   175   175   185    12    -5    90   -14    -4    90", "face:blink show:sparkB wind:-20"},
{"ring_point",     "20,26    165   172    90    90   -30   -10    30    -5    90   -25    -8    90", "show:flash wind:-50"},
{"ring_sweep",     "20,26    170   175    40    20   100   100    30    -5    90   -25    -8    90", "wind:-40 phase:90"},
{"ring_wait",      "20,26    176   185    35   -80   150   170    10    -5    90   -12    -4    90", "face:blink wind:-25 phase:180"},
// The fight, in the air: the body on the anchor.
{"leap",           "20,24    165   170   -40   -20   -60   -40    70   -30    60    10   -50    50", "place:hip wind:5"},
{"aim_wind",       "20,24    175   175   -80  -120    60    90    60   -40    60    20   -60    50", "place:hip show:orb wind:-20"},
{"aim_shot",       "20,24    160   165    85    85   -70   -50    50   -30    60    10   -60    50", "place:hip show:flash wind:-60"},
{"fall",           "23,24    178   182   100   130  -110  -135    20   -10    80   -10   -25    70", "place:hip wind:-140"},
{"volley_wind_a",  "20,25    180   185   140   170   170   190    80   -40    60    40   -80    40", "place:hip show:charge face:blink wind:10"},
{"volley_wind_b",  "20,25    181   186   143   173   168   188    80   -40    60    40   -80    40", "place:hip show:charge2 face:blink wind:15 phase:90"},
{"volley_a",       "20,26    160   150    35    45    25    40    70   -40    60    30   -70    50", "place:hip show:flash face:shout wind:-125"},
{"volley_b",       "20,26    162   152    45    60    20    30    70   -40    60    30   -70    50", "place:hip face:shout wind:-120 phase:90"},
{"hurt",           "20,24    205   200    70   120   110   150    40    20    60   -15   -30    70", "place:hip face:hurt wind:70"},
// The defeat: struck, then thrown up spinning (the game turns it).
{"defeat_hit",     "20,24    210   215    80   140   120   170    25    10    70   -20   -30    70", "place:hip face:hurt wind:30"},
{"defeat_spin",    "20,26    250   245   150   120   190   160   120    20    60    80   -20    40", "place:centre face:ko wind:120"},
// The clear scene.
{"drop",           "24,25    185   190   120   145  -120  -145    45   -20    50    10   -40    40", "place:hip face:ko wind:-155"},
{"lying",          "27,30    272   275   120    60    60    90   140    40   120    95    92   170", "face:ko wind:-110 hair1,hair2,hair3,hair4*0.55"},
{"sit_a",          "20,30    150   160    20    40    10    30    80    40   100    70    30    95", "face:ko wind:-20"},
{"sit_b",          "20,30    172   180   -35   -20   -45   -30    80    40   100    70    30    95", "wind:-45"},
{"rise",           "20,28    160   170    60    40   -30   -10    90     0    90   -10  -100   180", "face:sad wind:-40"},
{"stand_sad",      "20,26    172   168    20    70    15    60     8    -4    90   -10    -4    90", "face:sad wind:-10"},
{"cry_a",          "20,26    176   170   130   200   120   195     8    -4    90   -10    -4    90", "face:cry wind:-10"},
{"cry_b",          "20,26    178   166    25    95    20    90     8    -4    90   -10    -4    90", "face:cry2 wind:-15 phase:120"},
{"sulk_a",         "20,26    178   175   -30   -10   -35   -15    10    25   120   -10    -4    90", "face:pout wind:-20"},
{"sulk_b",         "20,26    174   188   -32   -12   -36   -16     5    -4    90   -10    -4    90", "face:pout wind:-30 phase:120"},
{"bow_a",          "17,26    125   115    10     5     5     0     5    -4    90   -10    -4    90", "face:blink wind:20"},
{"bow_b",          "20,26    150   145    15    10     8     5     5    -4    90   -10    -4    90", "face:blink wind:0 phase:90"},
{"shine_a",        "20,26    180   185    30    85    25    80    10    -5    90   -12    -4    90", "face:sparkle show:sparkA wind:-30"},
{"shine_b",        "20,26    180   185    30    85    25    80    10    -5    90   -12    -4    90", "face:sparkle show:sparkB wind:-35 phase:90"},
{"farewell",       "20,26    178   188   128   150   -20   -60    10    -5    90   -12    -4    90", "face:smile armN*1.45 foreN*1.45 wind:-30"},
            // clang-format on
        }};
    return cast;
}

}  // namespace bosses
