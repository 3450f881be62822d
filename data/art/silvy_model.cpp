// Silvy: the lizardfolk's young sorceress, the last boss and the heroine of
// the clear scene. Long silver hair, small gold horns, a teal dress with a
// gold sash, cream stockings, teal boots and a slender teal tail; her magic
// is violet. A little taller and slimmer than the player characters, drawn
// on the same rig with the same kind of face, so that she belongs to their
// world; the same model and pose table serve the fight and the scene.
//
// Her silhouette: the long hair, the horns and the tail; her main colours:
// teal and silver.
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

// Her head faces right with the neck at the pivot; the rows above the eyes
// are her silver hair and bangs, the variants change the eyes and mouth.
std::map<std::string, Sprite> Heads() {
    const std::vector<std::string> top = {
        "...hhhhh...",
        ".hhHHHHHHh.",
        "hHHHHHHHHHh",
        "HHHHHHHHHHH",
        "HHHHHHHhHHd",
        "dHHHHsHHsHH",
    };
    auto make = [&](const char* r6, const char* r7, const char* r8, const char* r9) {
        std::vector<std::string> rows = top;
        rows.insert(rows.end(), {r6, r7, r8, r9});
        return Sprite{rows, {5, 9}};
    };
    return {
        {"", make("dHHHsskssks", "dHHHssesses", ".dHHsssssms", "..ddzsssz..")},
        {"blink", make("dHHHssssss.", "dHHHskkskks", ".dHHsssssms", "..ddzsssz..")},
        {"hurt", make("dHHHskssskk", "dHHHssksks.", ".dHHssssmms", "..ddzsssz..")},
        {"ko", make("dHHHssssss.", "dHHHskkskks", ".dHHssssmms", "..ddzsssz..")},
        {"shout", make("dHHHsskssks", "dHHHssesses", ".dHHssssskk", "..ddzssskk.")},
        {"cry", make("dHHHskkskks", "dHHHssbssbs", ".dHHssbssms", "..ddzsbsz..")},
        {"cry2", make("dHHHskkskks", "dHHHssssssb", ".dHHssbsmms", "..ddzsssb..")},
        {"smile", make("dHHHssssss.", "dHHHsksksks", ".dHHsrssmms", "..ddzsssz..")},
        {"sparkle", make("dHHHssyssys", "dHHHsyyyyyy", ".dHHsrsyssy", "..ddzsssz..")},
        {"pout", make("dHHHsskssks", "dHHHssesses", ".dHHsrssmzs", "..ddzsssz..")},
        {"sad", make("dHHHssssss.", "dHHHskksskk", ".dHHssssszs", "..ddzsssz..")},
    };
}

// Four-pointed sparkles around her (the clear scene's shining pose) and the
// flash of a spell leaving her hand; laid over the figure without ink.
Sprite Sparkles(bool second) {
    if (!second)
        return Sprite{{"..y...........", ".yYy.......y..", "..y.......yYy.", "...........y..", "..............",
                       "..............", "y.............", "............y.", ".............."},
                      {7, 12}};
    return Sprite{{".......y......", "......yYy.....", ".y.....y......", "yYy...........", ".y..........y.",
                   "...........yYy", "............y.", "..............", ".....y........"},
                  {7, 12}};
}

Model MakeSilvy() {
    rig::Body b;
    b.torso = 6.6f;
    b.hipWidth = 2.5f;
    b.chestWidth = 2.7f;
    b.upperArm = 3.7f;
    b.foreArm = 3.4f;
    b.armRadius = 1.1f;
    b.handRadius = 1.3f;
    b.thigh = 5.0f;
    b.shin = 4.8f;
    b.legRadius = 1.3f;
    b.foot = 2.7f;
    b.footRadius = 1.1f;
    b.shoulderDown = 1.3f;
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
    m.legend = {{'h', kWhite}, {'H', kStoneLight}, {'d', kStone}, {'s', kSkin}, {'z', kSand}, {'k', kInk},
                {'e', kWater}, {'m', kRose}, {'r', kCoral}, {'b', kFoam}, {'y', kGold}, {'Y', kCream}};
    // Boots up the shins.
    m.AddPart(CapsulePart("bootN", "shinN", 2, kBoot, 1.35f, 1.25f, 0.55f, 1.0f));
    m.AddPart(CapsulePart("bootF", "shinF", -12, kBootFar, 1.35f, 1.25f, 0.55f, 1.0f));
    // Long silver hair down her back, and a lock beside her face.
    m.AddBone(rig::TrailBone("hair1", "head", 4.6f, 0, {-3.6f, -5.0f}, 8, 30));
    m.AddBone(rig::TrailBone("hair2", "hair1", 4.8f, 1, {0, 0}, 10, 30));
    m.AddBone(rig::TrailBone("hair3", "hair2", 4.2f, 1, {0, 0}, 12, 30));
    m.AddPart(CapsulePart("hair1", "hair1", -22, kHair, 2.7f, 2.2f));
    m.AddPart(CapsulePart("hair2", "hair2", -22, kHair, 2.2f, 1.6f));
    m.AddPart(CapsulePart("hair3", "hair3", -22, kHair, 1.6f, 0.5f));
    // Dark horns sweeping back from the crown, and a slender tail from
    // under the skirt, curling up behind her.
    m.AddBone(rig::FollowBone("hornF", "head", 2.8f, 0, {-2.6f, -9.2f}, -135));
    m.AddBone(rig::FollowBone("hornF2", "hornF", 2.4f, 1, {0, 0}, -100));
    m.AddBone(rig::FollowBone("hornN", "head", 3.2f, 0, {-1.0f, -9.6f}, -130));
    m.AddBone(rig::FollowBone("hornN2", "hornN", 2.8f, 1, {0, 0}, -95));
    m.AddPart(CapsulePart("hornF", "hornF", -21, Ramp{kDusk, kNight, kInk}, 1.0f, 0.7f));
    m.AddPart(CapsulePart("hornF2", "hornF2", -21, Ramp{kDusk, kNight, kInk}, 0.7f, 0.3f));
    m.AddPart(CapsulePart("hornN", "hornN", 11, Ramp{kMauve, kDusk, kNight}, 1.1f, 0.8f));
    m.AddPart(CapsulePart("hornN2", "hornN2", 11, Ramp{kMauve, kDusk, kNight}, 0.8f, 0.3f));
    m.AddBone(rig::FollowBone("tail1", "hip", 3.6f, 0, {-1.8f, 1.2f}, -65));
    m.AddBone(rig::FollowBone("tail2", "tail1", 3.4f, 1, {0, 0}, -108));
    m.AddBone(rig::FollowBone("tail3", "tail2", 3.0f, 1, {0, 0}, -155));
    m.AddPart(CapsulePart("tail1", "tail1", -16, kDress, 1.7f, 1.4f));
    m.AddPart(CapsulePart("tail2", "tail2", -16, kDress, 1.4f, 1.0f));
    m.AddPart(CapsulePart("tail3", "tail3", -16, kDress, 1.0f, 0.35f));
    // The dress: a flared skirt, a gold sash and cream cuffs.
    Part skirt;
    skirt.name = "skirt";
    skirt.bone = "torso";
    skirt.kind = rig::Kind::Poly;
    skirt.layer = 4;
    skirt.ramp = kDress;
    skirt.poly = {{-2.6f, -2.2f}, {2.6f, -2.2f}, {4.4f, 3.6f}, {-4.6f, 3.6f}};
    skirt.edge = true;
    m.AddPart(skirt);
    m.AddPart(EllipsePart("sash", "torso", 5, kGoldRamp, 2.8f, 0.7f, 0.2f));
    m.AddPart(CapsulePart("cuffN", "foreN", 12, kGoldRamp, 1.25f, 1.25f, 0.8f, 0.9f));
    m.AddPart(CapsulePart("cuffF", "foreF", -20, Ramp{kGold, kAmber, kWood}, 1.25f, 1.25f, 0.8f, 0.9f));

    // Magic, shown by the poses that cast: an orb in the near hand (two
    // sizes for the flicker of a charge), a large orb held overhead, the
    // flash of a spell leaving the hand, and sparkles.
    auto magic = [&](const char* name, const char* bone, float r, float at) {
        Part p = EllipsePart(name, bone, 30, kMagic, r, r, at);
        p.hidden = true;
        p.outline = false;
        m.AddPart(p);
    };
    magic("orb", "handN", 2.6f, 0);
    magic("orb2", "handN", 3.4f, 0);
    m.AddBone(rig::FollowBone("overhead", "head", 0, 0, {3.0f, -14.0f}, 180));
    magic("charge", "overhead", 4.0f, 0);
    magic("charge2", "overhead", 4.8f, 0);
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
{"leap",           "20,26    165   170   -40   -20   -60   -40    70   -30    60    10   -50    50", "place:hip wind:5"},
{"aim_wind",       "20,26    175   175   -80  -120    60    90    60   -40    60    20   -60    50", "place:hip show:orb wind:-20"},
{"aim_shot",       "20,26    160   165    85    85   -70   -50    50   -30    60    10   -60    50", "place:hip show:flash wind:-60"},
{"fall",           "20,26    178   182   120   150  -120  -150    20   -10    80   -10   -25    70", "place:hip wind:170"},
{"volley_wind_a",  "20,26    180   185   140   170   170   190    10   -10    60   -10   -25    50", "place:hip show:charge face:blink wind:10"},
{"volley_wind_b",  "20,26    181   186   143   173   168   188    10   -10    60   -10   -25    50", "place:hip show:charge2 face:blink wind:15 phase:90"},
{"volley_a",       "20,26    160   150    35    45    25    40    70   -40    60    30   -70    50", "place:hip show:flash face:shout wind:150"},
{"volley_b",       "20,26    162   152    45    60    20    30    70   -40    60    30   -70    50", "place:hip face:shout wind:155 phase:90"},
{"hurt",           "20,26    205   200    70   120   110   150    40    20    60   -15   -30    70", "place:hip face:hurt wind:70"},
// The defeat: struck, then thrown up spinning (the game turns it).
{"defeat_hit",     "20,26    210   215    80   140   120   170    25    10    70   -20   -30    70", "place:hip face:hurt wind:30"},
{"defeat_spin",    "20,26    235   230   160   190   200   220    60    30    60    20   -10    40", "place:centre face:ko wind:150"},
// The clear scene.
{"drop",           "20,26    185   190   150   175  -150  -170    15    20    50   -15    10    40", "place:hip face:ko wind:175"},
{"lying",          "26,28    272   275   110   100    80    90    88    92   175    92    95   170", "face:ko wind:-95"},
{"sit_a",          "20,30    150   160    20    40    10    30    80    40   100    70    30    95", "face:ko wind:-20"},
{"sit_b",          "20,30    172   180   -35   -20   -45   -30    80    40   100    70    30    95", "wind:-45"},
{"rise",           "20,28    160   170    60    40   -30   -10    90     0    90   -10  -100   180", "face:sad wind:-40"},
{"stand_sad",      "20,26    172   160    20    70    15    60     8    -4    90   -10    -4    90", "face:sad wind:-10"},
{"cry_a",          "20,26    176   170   130   200   120   195     8    -4    90   -10    -4    90", "face:cry wind:-10"},
{"cry_b",          "20,26    178   166    25    95    20    90     8    -4    90   -10    -4    90", "face:cry2 wind:-15 phase:120"},
{"sulk_a",         "20,26    178   175   -30   -10   -35   -15    10    25   120   -10    -4    90", "face:pout wind:-20"},
{"sulk_b",         "20,26    174   188   -32   -12   -36   -16     5    -4    90   -10    -4    90", "face:pout wind:-30 phase:120"},
{"bow_a",          "20,26    125   115    10     5     5     0     5    -4    90   -10    -4    90", "face:blink wind:20"},
{"bow_b",          "20,26    150   145    15    10     8     5     5    -4    90   -10    -4    90", "face:blink wind:0 phase:90"},
{"shine_a",        "20,26    180   185    30    85    25    80    10    -5    90   -12    -4    90", "face:sparkle show:sparkA wind:-30"},
{"shine_b",        "20,26    180   185    30    85    25    80    10    -5    90   -12    -4    90", "face:sparkle show:sparkB wind:-35 phase:90"},
{"farewell",       "20,26    178   188   128   150   -20   -60    10    -5    90   -12    -4    90", "face:smile armN*1.45 foreN*1.45 wind:-30"},
            // clang-format on
        }};
    return cast;
}

}  // namespace bosses
