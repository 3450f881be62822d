// The art tool's checks on the character sheets: the same bytes on every
// drawing, every layout cell inside its sheet and showing something, figures
// standing on their floor, the machine-readable layouts up to date, and the
// rig's conventions.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "Palette.h"
#include "Rig.h"
#include "Sheets.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

struct Bounds {
    int minX = 1 << 20, maxX = -1, minY = 1 << 20, maxY = -1;
    bool Empty() const { return maxX < 0; }
};

// The opaque pixels of a frame's sprite rectangle.
Bounds Opaque(const Canvas& sheet, const FramePlace& p) {
    Bounds b;
    for (int y = p.v + p.top; y <= p.v + p.bottom; ++y)
        for (int x = p.u + p.left; x <= p.u + p.right; ++x)
            if (!(sheet.Get(x, y) == kKey)) {
                b.minX = std::min(b.minX, x);
                b.maxX = std::max(b.maxX, x);
                b.minY = std::min(b.minY, y);
                b.maxY = std::max(b.maxY, y);
            }
    return b;
}

bool HasCellAt(const Layout& l, int x, int y, const std::string& state) {
    for (const Cell& c : l.cells)
        if (c.x == x && c.y == y && (" " + std::string(c.states) + " ").find(" " + state + " ") != std::string::npos)
            return true;
    return false;
}

const Layout* LayoutOf(int resourceId) {
    for (const Layout* l : Layouts())
        if (l->resourceId == resourceId) return l;
    return nullptr;
}

const Layout* LayoutNamed(const std::string& file) {
    for (const Layout* l : Layouts())
        if (file == l->file) return l;
    return nullptr;
}

}  // namespace

TEST(ArtSheets, EveryCharacterSheetIsDrawnTheSameTwice) {
    ASSERT_FALSE(Layouts().empty());
    for (const Layout* l : Layouts()) {
        const Canvas a = DrawSheet(l->resourceId), b = DrawSheet(l->resourceId);
        ASSERT_EQ(a.W(), b.W());
        ASSERT_EQ(a.H(), b.H());
        bool same = true;
        for (int y = 0; y < a.H() && same; ++y)
            for (int x = 0; x < a.W() && same; ++x) same = a.Get(x, y) == b.Get(x, y);
        EXPECT_TRUE(same) << "resource " << l->resourceId;
    }
}

TEST(ArtSheets, NoResourceIsDrawnTwice) {
    // A second drawing of a resource (say a placeholder left beside the real
    // sheet) would silently overwrite the first.
    std::set<int> seen;
    for (const SheetDef& s : Sheets()) EXPECT_TRUE(seen.insert(s.resourceId).second) << "resource " << s.resourceId;
}

TEST(ArtSheets, CellsLieInsideTheirSheetShowSomethingAndKeepToThePalette) {
    // The players' sheets and the enemies' (slots 29, 30, 42 to 47).
    const std::set<int> resources = {120, 126, 127, 128, 129, 130, 131, 133, 134, 139, 141, 161, 162, 163, 164, 165, 166};
    for (int id : resources) ASSERT_NE(LayoutOf(id), nullptr) << "no layout for resource " << id;
    for (const Layout* l : Layouts()) {
        const Canvas sheet = DrawSheet(l->resourceId);
        // The game loads these sheets as square textures of the slot's size
        // (256, or 512 for slots 19, 40, 72, 73 and 74).
        EXPECT_EQ(sheet.W(), l->sheetSize);
        EXPECT_EQ(sheet.H(), l->sheetSize);
        const bool large = l->slot == 40 || l->slot == 19 || l->slot == 72 || l->slot == 73 || l->slot == 74;
        EXPECT_EQ(l->sheetSize, large ? 512 : 256) << l->file;
        for (const Cell& c : l->cells) {
            const FramePlace p = l->Place(c);
            SCOPED_TRACE(std::string(l->file) + " " + c.pose);
            EXPECT_GE(p.u + p.left, 0);
            EXPECT_GE(p.v + p.top, 0);
            EXPECT_LT(p.u + p.right, sheet.W());
            EXPECT_LT(p.v + p.bottom, sheet.H());
            EXPECT_EQ(p.right - p.left + 1, l->cell.w);
            EXPECT_EQ(p.bottom - p.top + 1, l->cell.h);
            EXPECT_FALSE(Opaque(sheet, p).Empty());
            // Two rows of a layout share a cell only to give one picture
            // another anchor.
            for (const Cell& o : l->cells) {
                const bool overlap = std::abs(o.x - c.x) < l->cell.w && std::abs(o.y - c.y) < l->cell.h;
                if (&o != &c && overlap) {
                    EXPECT_EQ(std::string(o.pose), c.pose);
                    EXPECT_TRUE(o.x == c.x && o.y == c.y);
                }
            }
        }
        std::set<uint32_t> palette;
        for (const Rgb& c : kPaletteColours) palette.insert((c.r << 16) | (c.g << 8) | c.b);
        for (int y = 0; y < sheet.H(); ++y)
            for (int x = 0; x < sheet.W(); ++x) {
                const Rgb c = sheet.Get(x, y);
                if (c == kKey) continue;
                ASSERT_TRUE(palette.count((c.r << 16) | (c.g << 8) | c.b))
                    << l->file << ": colour off the palette at " << x << "," << y;
            }
    }
}

TEST(ArtSheets, FiguresTouchTheFloorWallOrCeilingTheirAnchorStandsFor) {
    for (const Layout* l : Layouts()) {
        const Canvas sheet = DrawSheet(l->resourceId);
        for (const Cell& c : l->cells) {
            const FramePlace p = l->Place(c);
            const Bounds b = Opaque(sheet, p);
            SCOPED_TRACE(std::string(l->file) + " " + c.pose);
            switch (c.anchor) {
                case Anchor::Feet: EXPECT_EQ(b.maxY, p.v - 1); break;     // on the floor, not a texel above it
                case Anchor::Body: EXPECT_EQ(b.maxY, c.y + l->cell.floorY - 1); break;  // the same, anchored 10 texels up
                case Anchor::Ceiling: EXPECT_EQ(b.minY, p.v); break;      // hands on the ceiling
                case Anchor::Wall: EXPECT_EQ(b.minX, p.u); break;         // back against the wall
                case Anchor::Underside: EXPECT_EQ(b.maxX, p.u - 1); break;  // the floor it stood on, turned
                case Anchor::Centre: break;
            }
        }
    }
}

TEST(ArtSheets, LayoutsSharingASheetNeverDrawOverEachOther) {
    // Several characters (or cells of several sizes) share a sheet; a cell
    // of one layout inside another's would show the wrong picture. Cells of
    // one layout may share a place only to give a picture another anchor.
    for (const Layout* a : Layouts())
        for (const Layout* b : Layouts()) {
            if (a->resourceId != b->resourceId) continue;
            for (const Cell& c : a->cells)
                for (const Cell& o : b->cells) {
                    if (&c == &o) continue;
                    const bool overlap = c.x < o.x + b->cell.w && o.x < c.x + a->cell.w && c.y < o.y + b->cell.h &&
                                         o.y < c.y + a->cell.h;
                    if (!overlap) continue;
                    EXPECT_TRUE(a == b && c.x == o.x && c.y == o.y && std::string(c.pose) == o.pose)
                        << a->file << " " << c.pose << " overlaps " << b->file << " " << o.pose;
                }
        }
}

// The frame of `state` on a sheet whose anchor lies at (u, v), if any.
const Cell* CellAnchoredAt(int resourceId, int u, int v, const std::string& state, const Layout** layout = nullptr) {
    for (const Layout* l : Layouts()) {
        if (l->resourceId != resourceId) continue;
        for (const Cell& c : l->cells) {
            const FramePlace p = l->Place(c);
            if (p.u == u && p.v == v && (" " + std::string(c.states) + " ").find(" " + state + " ") != std::string::npos) {
                if (layout) *layout = l;
                return &c;
            }
        }
    }
    return nullptr;
}

TEST(ArtSheets, EnemyVariantsFindTheirHurtPicturesAtTheAnchorsTheirRecordsName) {
    // The variants' records 10, 110 and 111 take their sprite from fixed
    // anchors: the thrower ninja on slot 30 at (105, 45), the standing and
    // throwing armours on slot 30 at (105, 105) and slot 29 at (105, 225),
    // the two lizardmen on slot 43 at (140, 20) and (140, 60).
    const struct {
        int resource, u, v;
    } anchors[] = {{131, 105, 45}, {131, 105, 105}, {130, 105, 225}, {162, 140, 20}, {162, 140, 60}};
    for (const auto& a : anchors) {
        SCOPED_TRACE("resource " + std::to_string(a.resource) + " at " + std::to_string(a.u) + "," + std::to_string(a.v));
        for (const char* state : {"10", "110", "111"}) {
            const Layout* l = nullptr;
            const Cell* c = CellAnchoredAt(a.resource, a.u, a.v, state, &l);
            ASSERT_NE(c, nullptr) << "state " << state;
            // The picture is a hurt figure in the character's own cell.
            EXPECT_NE(std::string(c->pose).find("hurt"), std::string::npos);
            EXPECT_EQ(c->anchor, Anchor::Centre);
            EXPECT_FALSE(Opaque(DrawSheet(a.resource), l->Place(*c)).Empty());
        }
    }
}

int CountColour(const Canvas& sheet, const FramePlace& p, Rgb colour) {
    int n = 0;
    for (int y = p.v + p.top; y <= p.v + p.bottom; ++y)
        for (int x = p.u + p.left; x <= p.u + p.right; ++x) n += sheet.Get(x, y) == colour;
    return n;
}

TEST(ArtSheets, EachVariantIsHurtInItsOwnColours) {
    // The variants of a kind wear their own colours, so a record that takes
    // another variant's hurt picture would change the enemy's colour as it
    // is hit. The picture at each fixed anchor must be drawn in the colours
    // of the variant that reads it, like that variant's own frames.
    const struct {
        int resource, u, v;
        const char* ownFrame;  // a frame of the variant's own behaviour
        Rgb own;
        std::vector<Rgb> others;  // the other variants' main colours
    } variants[] = {
        {131, 105, 45, "olive.stand", kPine, {kCrimson}},           // thrower ninja, 10092
        {131, 105, 105, "crimson.stand", kCrimson, {kWood, kPine}},  // standing armour, 10122
        {130, 105, 225, "jade.stand", kPine, {kWood, kCrimson}},     // throwing armour, 10123
        {162, 140, 20, "jump", kWater, {kWood}},                     // jumping lizardman, 11060
        {162, 140, 60, "rust.walk_1", kWood, {kWater}},              // walking lizardman, 11061
    };
    for (const auto& t : variants) {
        SCOPED_TRACE(std::string("resource ") + std::to_string(t.resource) + " " + t.ownFrame);
        const Canvas sheet = DrawSheet(t.resource);
        const Layout* hurtLayout = nullptr;
        const Cell* hurt = CellAnchoredAt(t.resource, t.u, t.v, "10", &hurtLayout);
        ASSERT_NE(hurt, nullptr);
        const Layout* ownLayout = nullptr;
        for (const Layout* l : Layouts())
            if (l->resourceId == t.resource && l->Find(t.ownFrame)) ownLayout = l;
        ASSERT_NE(ownLayout, nullptr);
        for (const FramePlace& p : {hurtLayout->Place(*hurt), ownLayout->Place(*ownLayout->Find(t.ownFrame))}) {
            const int own = CountColour(sheet, p, t.own);
            EXPECT_GT(own, 20);
            for (const Rgb& other : t.others) EXPECT_GT(own, 3 * CountColour(sheet, p, other));
        }
    }
}

// The enemies the stages place, and Silvy, stay lit and outlined: in every
// picture of its sheet a kind shows the light, mid and shadow tones of its
// main colour, and its silhouette is closed in ink (or, where it faces the
// light, its rim colour), so that it reads at 1x against its stage.
namespace {

struct ToneKind {
    const char* file;     // the layout
    const char* variant;  // cells whose pose starts so ("" = all the others)
    rig::Ramp main;       // light, mid and shadow of its main colour
    Rgb rim;
};

const ToneKind kToneKinds[] = {
    {"archer_slot42", "", {kRose, kMauve, kDusk}, kMist},
    {"lizardman_slot43", "", {kFoam, kWater, kWaterDeep}, kMist},
    {"lizardman_slot43", "rust.", {kAmber, kWood, kEarth}, kMist},
    {"dragon_slot44", "", {kCoral, kRed, kCrimson}, kMist},
    {"flower_slot45", "", {kCream, kGold, kAmber}, kMist},
    {"bird_slot46", "", {kWhite, kCream, kStoneLight}, kMist},
    {"kappa_slot33", "", {kLeaf, kGrass, kPine}, kMist},
    {"silvy_slot47", "", {kWhite, kStoneLight, kStone}, kViolet},
};

}  // namespace

TEST(EnemyArt, EveryPictureShowsThreeTonesOfItsMainColourInsideAnOutline) {
    for (const ToneKind& k : kToneKinds) {
        const Layout* l = LayoutNamed(k.file);
        ASSERT_NE(l, nullptr) << k.file;
        const Canvas sheet = DrawSheet(l->resourceId);
        const std::string prefix = k.variant;
        for (const Cell& c : l->cells) {
            const std::string pose = c.pose;
            const bool ofVariant = prefix.empty() ? pose.find('.') == std::string::npos : pose.rfind(prefix, 0) == 0;
            if (!ofVariant) continue;
            SCOPED_TRACE(std::string(k.file) + " " + pose);
            auto empty = [&](int x, int y) {
                return x < c.x || y < c.y || x >= c.x + l->cell.w || y >= c.y + l->cell.h || sheet.Get(x, y) == kKey;
            };
            int light = 0, mid = 0, dark = 0, edge = 0, inked = 0;
            for (int y = c.y; y < c.y + l->cell.h; ++y)
                for (int x = c.x; x < c.x + l->cell.w; ++x) {
                    if (empty(x, y)) continue;
                    const Rgb px = sheet.Get(x, y);
                    light += px == k.main.light;
                    mid += px == k.main.mid;
                    dark += px == k.main.dark;
                    if (empty(x - 1, y) || empty(x + 1, y) || empty(x, y - 1) || empty(x, y + 1)) {
                        ++edge;
                        inked += px == kInk || px == k.rim;
                    }
                }
            EXPECT_GE(light, 1);
            EXPECT_GE(mid, 1);
            EXPECT_GE(dark, 1);
            // Glows and sparkles laid over a figure carry no ink.
            EXPECT_GE(inked * 5, edge * 4) << inked << " of " << edge << " edge texels inked";
        }
    }
}

// A figure's main colours: the palette colour covering the most texels of
// its frame, not counting the ink outline, the rim light on its lit edge
// (mist) and skin, and any colour covering at least four fifths as much (a
// figure split that evenly reads as both, and a few texels of shading
// cannot move its colour unseen).
std::set<uint32_t> MainColours(const std::string& file, const std::string& pose) {
    const Layout* l = LayoutNamed(file);
    const Cell* c = l ? l->Find(pose) : nullptr;
    if (c == nullptr) return {};
    const Canvas sheet = DrawSheet(l->resourceId);
    const FramePlace p = l->Place(*c);
    std::map<uint32_t, int> cover;
    for (int y = p.v + p.top; y <= p.v + p.bottom; ++y)
        for (int x = p.u + p.left; x <= p.u + p.right; ++x) {
            const Rgb v = sheet.Get(x, y);
            if (!(v == kKey || v == kInk || v == kMist || v == kSkin)) ++cover[(v.r << 16) | (v.g << 8) | v.b];
        }
    int most = 0;
    for (const auto& [colour, n] : cover) most = std::max(most, n);
    std::set<uint32_t> mains;
    for (const auto& [colour, n] : cover)
        if (5 * n >= 4 * most) mains.insert(colour);
    return mains;
}

// How far apart two colours look: the distance of their CIE L*a*b* values
// (sRGB, D65 white).
double LookApart(uint32_t a, uint32_t b) {
    auto lab = [](uint32_t c) {
        double v[3];
        for (int i = 0; i < 3; ++i) {
            const double s = ((c >> (16 - 8 * i)) & 0xFF) / 255.0;
            v[i] = s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        }
        const double xyz[3] = {(0.4124 * v[0] + 0.3576 * v[1] + 0.1805 * v[2]) / 0.95047,
                               0.2126 * v[0] + 0.7152 * v[1] + 0.0722 * v[2],
                               (0.0193 * v[0] + 0.1192 * v[1] + 0.9505 * v[2]) / 1.08883};
        double f[3];
        for (int i = 0; i < 3; ++i) f[i] = xyz[i] > 0.008856 ? std::cbrt(xyz[i]) : 7.787 * xyz[i] + 16.0 / 116;
        return std::array<double, 3>{116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
    };
    const auto p = lab(a), q = lab(b);
    return std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
}

TEST(ArtSheets, EveryPlayableCharacterAndEnemyKindWearsItsOwnMainColour) {
    // Each standing (or idling) frame: the six playable characters by type
    // id, then every enemy kind in its first variant.
    const struct {
        const char *who, *layout, *pose;
    } figures[] = {
        {"1 ninja", "ninja_slot19", "stand_a"}, {"2 kunoichi", "kunoichi_slot21", "stand_a"},
        {"3 kusarigama", "kusarigama_slot22", "stand_a"}, {"4 robo", "robo_slot23", "stand_a"},
        {"5 Luka", "luka_slot25", "stand_a"}, {"6 Ironclaw", "ironclaw_slot27", "stand_a"},
        {"wisp", "yokai_slot34", "wisp_a"}, {"ghost", "yokai_slot34", "ghost_float"},
        {"karakasa", "yokai_slot34", "kasa_stand"}, {"chouchin", "yokai_slot34", "lantern_idle"},
        {"snake", "yokai_slot34", "snake_a"}, {"kappa", "kappa_slot33", "stand"},
        {"enemy ninja", "enemy_ninja_slot30", "walk_1"}, {"living armour", "living_armour_slot30", "bronze.walk_1"},
        {"fox", "shooters_slot39", "fox_sit_a"}, {"spider", "shooters_slot39", "spider_a"},
        {"zen priest", "shooters_slot39", "priest_stand"}, {"thunderer", "thunder_cat_bat_frog_slot31", "thunder_a"},
        {"goblin cat", "thunder_cat_bat_frog_slot31", "cat_walk_a"}, {"bat", "thunder_cat_bat_frog_slot31", "bat_a"},
        {"frog", "thunder_cat_bat_frog_slot31", "frog_sit"}, {"soldier", "soldier_slot35", "stand"},
        {"snow fairy", "snow_fairy_slot29", "fairy.stand"}, {"crow-billed goblin", "crow_slot29", "crow.fly_a"},
        {"archer", "archer_slot42", "stand"}, {"flower", "flower_slot45", "ready"}, {"dragon", "dragon_slot44", "fly_a"},
        {"bird", "bird_slot46", "flap_a"}, {"lizardman", "lizardman_slot43", "walk_1"},
    };
    std::vector<std::set<uint32_t>> mains;
    for (const auto& f : figures) {
        mains.push_back(MainColours(f.layout, f.pose));
        ASSERT_FALSE(mains.back().empty()) << f.who << ": no frame " << f.layout << " " << f.pose;
    }
    // No two share a main colour, nor wear two that a glance takes for one:
    // nearer than 10 apart in L*a*b* (the palette's night and navy lie 8
    // apart, its slate and deep water 10.3).
    for (size_t i = 0; i < mains.size(); ++i)
        for (size_t j = i + 1; j < mains.size(); ++j)
            for (uint32_t a : mains[i])
                for (uint32_t b : mains[j])
                    EXPECT_GE(LookApart(a, b), 10.0) << figures[i].who << " and " << figures[j].who << " wear " << std::hex
                                                     << a << " and " << b;
}

TEST(ArtSheets, ABodyAnchorIsTheBodysCentreTenTexelsAboveTheFloor) {
    Layout l{1, 1, "test", {{"stand", "230", 40, 80, Anchor::Body}, {"hop", "231", 80, 80, Anchor::Centre}}};
    l.cell = rig::CellGeometry{40, 48, 44, 20, 34, 10, 14};
    const FramePlace stand = l.Place(l.cells[0]), hop = l.Place(l.cells[1]);
    EXPECT_EQ(stand.u, 60);
    EXPECT_EQ(stand.v, 114);
    EXPECT_EQ(stand.bottom, 13);  // the floor line of the cell lies 10 below
    EXPECT_EQ(stand.top, -34);
    // A standing frame and an airborne one keep the body at the same point.
    EXPECT_EQ(stand.v - l.cells[0].y, hop.v - l.cells[1].y);
}

TEST(ArtSheets, ScreensFindTheFramesTheyReadAtFixedCells) {
    // The stage select's running animation reads the Ninja's sheet at (0, 0),
    // (160, 40) and (200, 40); the title's character buttons read the first
    // two cells of Luka's and Ironclaw's sheets.
    const Layout* ninja = LayoutNamed("ninja_slot19");
    ASSERT_NE(ninja, nullptr);
    EXPECT_TRUE(HasCellAt(*ninja, 0, 0, "230"));
    EXPECT_TRUE(HasCellAt(*ninja, 160, 40, "260"));
    EXPECT_TRUE(HasCellAt(*ninja, 200, 40, "261"));
    for (int id : {126, 128}) {
        const Layout* l = LayoutOf(id);
        ASSERT_NE(l, nullptr);
        EXPECT_TRUE(HasCellAt(*l, 0, 0, "230")) << id;
        EXPECT_TRUE(HasCellAt(*l, 40, 0, "231")) << id;
    }
}

TEST(ArtSheets, LukaAndIronclawDrawTheirOwnVersionsWhereTheNinjasCellsLieInTheirQuarters) {
    // Their records that the Ninja's sheet draws are the Ninja's records with
    // the texture position moved into their quarter: each of their cells
    // there must be the Ninja's cell of the same pose, moved so.
    const Layout* ninja = LayoutNamed("ninja_slot19");
    ASSERT_NE(ninja, nullptr);
    struct Quarter {
        const char* file;
        const char* prefix;
        int dx, dy;
    };
    for (const Quarter q : {Quarter{"luka_slot19", "luka.", 256, 0}, Quarter{"ironclaw_slot19", "ironclaw.", 0, 256}}) {
        const Layout* own = LayoutNamed(q.file);
        ASSERT_NE(own, nullptr) << q.file;
        EXPECT_EQ(own->resourceId, 120);
        EXPECT_GE(own->cells.size(), 25u);
        for (const Cell& c : own->cells) {
            const std::string pose = c.pose;
            ASSERT_EQ(pose.rfind(q.prefix, 0), 0u) << pose;
            const Cell* original = ninja->Find(pose.substr(std::strlen(q.prefix)));
            ASSERT_NE(original, nullptr) << pose;
            EXPECT_EQ(c.x, original->x + q.dx) << pose;
            EXPECT_EQ(c.y, original->y + q.dy) << pose;
        }
    }
    // The two quarters hold different people: Luka's coral is not
    // Ironclaw's steel, and neither is the Ninja's picture.
    const Canvas sheet = DrawSheet(120);
    const FramePlace n = ninja->Place(*ninja->Find("walk_1"));
    int differLuka = 0, differIron = 0;
    for (int y = n.top; y <= n.bottom; ++y)
        for (int x = n.left; x <= n.right; ++x) {
            differLuka += sheet.Get(n.u + x, n.v + y) == sheet.Get(n.u + x + 256, n.v + y) ? 0 : 1;
            differIron += sheet.Get(n.u + x, n.v + y) == sheet.Get(n.u + x, n.v + y + 256) ? 0 : 1;
        }
    EXPECT_GT(differLuka, 100);
    EXPECT_GT(differIron, 100);
}

TEST(ArtSheets, ReviewsNameOnlyFramesTheSheetsHold) {
    // A renamed or moved cell must not leave a review strip or a mock screen
    // pointing at nothing (the review tool would stop half-way).
    for (const Review* r : Reviews()) {
        std::vector<std::string> names;
        for (const ReviewStrip& s : r->strips)
            for (const ReviewFrame& f : s.frames) names.push_back(f.pose);
        for (const ReviewFrame& f : r->lineup) names.push_back(f.pose);
        for (std::string pose : names) {
            std::vector<int> ids = r->resources;
            if (const size_t colon = pose.find(':'); colon != std::string::npos) {
                ids = {std::stoi(pose.substr(0, colon))};
                pose = pose.substr(colon + 1);
            }
            bool found = false;
            for (const Layout* l : Layouts())
                for (int id : ids) found = found || (l->resourceId == id && l->Find(pose));
            EXPECT_TRUE(found) << r->character << ": " << pose;
        }
    }
}

TEST(ArtSheets, MachineReadableLayoutsAreUpToDate) {
    for (const Layout* l : Layouts()) {
        const std::string path = std::string(ART_LAYOUT_DIR) + "/" + l->file + ".txt";
        EXPECT_EQ(ReadFile(path), l->Text()) << path << " is out of date: run `cmake --build build --target art_layouts`";
    }
}

TEST(Rig, AnglesPointDownForwardAndUpAndOffsetsTurnWithTheirParent) {
    rig::Body body;
    body.head.rows = {"x"};
    rig::Model m = rig::Humanoid("test", body);
    m.legend['x'] = kInk;
    rig::Pose upright;
    upright.root = {20, 24};
    const auto a = rig::Solve(m, upright);
    EXPECT_NEAR(a.at("torso").end.y, 24 - body.torso, 0.1);  // 180 points up
    EXPECT_GT(a.at("armN").end.y, a.at("armN").start.y);     // 0 hangs down
    rig::Pose leaning = upright;
    leaning.angle["torso"] = 150;  // leans forward
    leaning.angle["armN"] = 90;    // points forward
    const auto b = rig::Solve(m, leaning);
    EXPECT_GT(b.at("torso").end.x, 20.5);
    EXPECT_GT(b.at("armN").end.x, b.at("armN").start.x + body.upperArm - 0.1);
    // The near shoulder sits forward of the far one and both move forward
    // with the leaning torso.
    EXPECT_GT(a.at("armN").start.x, a.at("armF").start.x);
    EXPECT_GT(b.at("armF").start.x, a.at("armF").start.x);
}

TEST(Rig, PoseWordsSetWhatTheyNameAndRefuseUnknownBones) {
    rig::Body body;
    body.head.rows = {"x"};
    rig::Model m = rig::Humanoid("test", body);
    rig::Pose pose;
    const rig::Place place =
        rig::ReadPoseWords(m, "root:20,26 place:wall armN=95 legF*1.5 head+0,-1 face:blink wind:40 show:head", pose, "test");
    EXPECT_EQ(place, rig::Place::Wall);
    EXPECT_FLOAT_EQ(pose.root.y, 26);
    EXPECT_FLOAT_EQ(pose.angle.at("armN"), 95);
    EXPECT_FLOAT_EQ(pose.stretch.at("legF"), 1.5f);
    EXPECT_FLOAT_EQ(pose.shift.at("head").y, -1);
    EXPECT_EQ(pose.variant.at("head"), "blink");
    EXPECT_FLOAT_EQ(pose.wind, 40);
    // A misspelt bone must stop the build, not draw a pose that ignores it.
    EXPECT_DEATH(rig::ReadPoseWords(m, "amrN=95", pose, "test"), "no bone 'amrN'");
    EXPECT_DEATH(rig::ReadPoseWords(m, "place:floor", pose, "test"), "unknown placement");
}

TEST(Rig, ALineRunsFromItsBonesEndToItsTargetsEnd) {
    // A bowstring drawn back to the hand: one texel wide, from the bow's tip
    // to the hand, whatever the angle.
    rig::Model m;
    m.name = "test";
    m.AddBone(rig::MakeBone("root", "", 0, 0, {0, 0}, 180));
    m.AddBone(rig::MakeBone("tip", "root", 10, 0, {0, 0}, 180));
    m.AddBone(rig::MakeBone("hand", "root", 8, 0, {0, 0}, -90));
    rig::Part line;
    line.name = "string";
    line.bone = "tip";
    line.target = "hand";
    line.kind = rig::Kind::Line;
    line.ramp = {kWhite, kCream, kSand};
    line.outline = false;
    m.AddPart(line);
    rig::Pose pose;
    pose.root = {20.5f, 20.5f};
    const Canvas c = rig::Render(m, pose, 40, 40);
    EXPECT_EQ(c.Get(20, 10), kCream);  // the tip, 10 up
    EXPECT_EQ(c.Get(12, 20), kCream);  // the hand, 8 back
    int drawn = 0, wide = 0;
    for (int y = 0; y < 40; ++y) {
        int row = 0;
        for (int x = 0; x < 40; ++x) row += c.Get(x, y) == kCream;
        drawn += row;
        wide += row > 2;
    }
    EXPECT_GE(drawn, 11);
    EXPECT_LE(drawn, 13);
    EXPECT_EQ(wide, 0);
    // A line to a bone the model lacks stops the build.
    m.parts[0].target = "hnad";
    EXPECT_DEATH(rig::Render(m, pose, 40, 40), "missing bone hnad");
}

TEST(Rig, TheSilhouetteIsClosedInInkLitOnItsUpperLeftAndSlashTrailsStayOutside) {
    rig::Body body;
    body.top = body.sleeve = body.legs = body.boots = body.gloves = {kMist, kSlate, kNavy};
    body.farSleeve = body.farLegs = body.farBoots = body.farGloves = {kSlate, kNavy, kNight};
    body.head.rows = {"xxxx", "xxxx", "xxxx"};
    body.head.pivot = {2, 3};
    rig::Model m = rig::Humanoid("test", body);
    m.legend['x'] = kSkin;
    rig::Part trail;
    trail.name = "trail";
    trail.bone = "torso";
    trail.kind = rig::Kind::Arc;
    trail.ramp = {kWhite, kCream, kGold};
    trail.r0 = 8;
    trail.r1 = 12;
    trail.arcFrom = 0;
    trail.arcTo = 120;
    trail.outline = false;
    m.AddPart(trail);
    rig::Pose pose;
    pose.root = {20, 24};
    pose.angle["armN"] = 60;
    const Canvas c = rig::Render(m, pose, 40, 40);
    int ink = 0, rim = 0, trailPixels = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const Rgb p = c.Get(x, y);
            if (p == kKey) continue;
            if (p == kWhite || p == kCream) ++trailPixels;
            if (p == kInk) ++ink;
            const bool edge = c.Get(x - 1, y) == kKey || c.Get(x + 1, y) == kKey || c.Get(x, y - 1) == kKey ||
                              c.Get(x, y + 1) == kKey;
            // Every opaque pixel at the silhouette's edge is ink, or the light
            // rim where the edge faces the upper left (open to the left and
            // above), except the trail, which is laid over the finished
            // figure without one.
            if (edge && !(p == kWhite || p == kCream || p == kGold)) {
                if (p == m.rim) {
                    ++rim;
                    auto outside = [&](int px, int py) {
                        const Rgb q = c.Get(px, py);
                        return q == kKey || q == kInk || q == m.rim;
                    };
                    EXPECT_TRUE(outside(x - 1, y) && outside(x, y - 1)) << "rim at " << x << "," << y;
                } else {
                    EXPECT_EQ(p, kInk) << x << "," << y;
                }
            }
        }
    EXPECT_GT(ink, 20);
    EXPECT_GT(rim, 3);
    EXPECT_GT(trailPixels, 10);
}

namespace {

// The states of a layout's cells (numbers and ranges such as "305-314").
std::set<int> StatesOf(const Layout& l) {
    std::set<int> out;
    for (const Cell& c : l.cells) {
        std::istringstream words(c.states);
        std::string w;
        while (words >> w) {
            int a = 0, b = 0;
            if (std::sscanf(w.c_str(), "%d-%d", &a, &b) == 2)
                for (int s = a; s <= b; ++s) out.insert(s);
            else if (std::sscanf(w.c_str(), "%d", &a) == 1)
                out.insert(a);
        }
    }
    return out;
}

std::set<int> Range(std::initializer_list<std::pair<int, int>> spans) {
    std::set<int> out;
    for (const auto& [a, b] : spans)
        for (int s = a; s <= b; ++s) out.insert(s);
    return out;
}

bool IsBossFile(const std::string& file) { return file.rfind("kingtengu", 0) == 0 || file.rfind("silvy", 0) == 0; }
bool IsShotFile(const std::string& file) {
    for (const char* kind : {"shots", "blade", "flame"})
        if (file.find(kind) != std::string::npos) return true;
    return false;
}

}  // namespace


TEST(BossSheets, EveryStateOfTheBossTablesHasAPictureOnItsTextureSlot) {
    // Which records draw from which slot is fixed by the boss classes: the
    // king tengu's ground form, entrance, hurt, opening scene and the throw
    // of its defeat on 32, its flying form and the defeat explosions on 38,
    // its fall back on 40 (the landing and fade show nothing, slot 0);
    // Silvy's own records on 47 and her hurt record on 32.
    struct Need {
        const char* owner;
        int slot;
        std::set<int> states;
    };
    const Need needs[] = {
        {"kingtengu", 32, Range({{10, 10}, {111, 111}, {220, 220}, {230, 231}, {240, 244}, {260, 262}, {280, 285},
                                 {300, 314}, {420, 422}})},
        {"kingtengu", 38, Range({{110, 110}, {320, 321}, {340, 341}, {360, 365}, {380, 383}, {400, 403}})},
        {"kingtengu", 40, Range({{112, 113}})},
        {"silvy", 47, Range({{110, 119}, {220, 220}, {230, 231}, {240, 243}, {260, 262}, {280, 285}, {300, 305},
                             {420, 426}})},
        {"silvy", 32, Range({{10, 10}})},
    };
    for (const Need& n : needs) {
        std::set<int> have;
        for (const Layout* l : Layouts())
            if (std::string(l->file).rfind(n.owner, 0) == 0 && l->slot == n.slot && !IsShotFile(l->file)) {
                const std::set<int> s = StatesOf(*l);
                have.insert(s.begin(), s.end());
            }
        for (int state : n.states) EXPECT_TRUE(have.count(state)) << n.owner << " state " << state << " on slot " << n.slot;
    }
    // Their shots and hazards (attack-effect states).
    std::set<int> kingShots, silvyShots;
    for (const Layout* l : Layouts()) {
        if (!IsShotFile(l->file)) continue;
        const std::set<int> s = StatesOf(*l);
        (std::string(l->file).rfind("silvy", 0) == 0 ? silvyShots : kingShots).insert(s.begin(), s.end());
    }
    for (int state : Range({{510, 510}, {520, 525}, {530, 530}, {540, 545}, {550, 551}, {560, 563}, {570, 570}}))
        EXPECT_TRUE(kingShots.count(state)) << "king tengu shot " << state;
    for (int state : Range({{750, 751}, {760, 761}, {770, 770}})) EXPECT_TRUE(silvyShots.count(state)) << "Silvy shot " << state;
}


TEST(BossSheets, FiguresReachTheTopOfTheirBodyBoxAndCoverTheirAnchor) {
    // A boss's position is the centre of its body box, as far above the
    // floor as the box reaches below it: a standing figure must reach at
    // least as high as the box, or the player's blows would land on air,
    // and every figure must show something at its anchor, or the game would
    // draw it beside where it is.
    for (const Layout* l : Layouts()) {
        if (!IsBossFile(l->file) || IsShotFile(l->file)) continue;
        const Canvas sheet = DrawSheet(l->resourceId);
        const int half = l->cell.floorY - l->cell.centreY;
        for (const Cell& c : l->cells) {
            SCOPED_TRACE(std::string(l->file) + " " + c.pose);
            const FramePlace p = l->Place(c);
            const Bounds b = Opaque(sheet, p);
            EXPECT_TRUE(b.minX <= p.u && p.u <= b.maxX && b.minY <= p.v && p.v <= b.maxY);
            // Only the fight's records carry a hurt box; the scene poses
            // (lying, sitting) may lie low.
            bool fights = false;
            for (int state : StatesOf(Layout{0, 0, "", {c}})) fights = fights || state == 10 || (state >= 220 && state <= 314);
            if (c.anchor == Anchor::Body && fights) {
                EXPECT_LE(b.minY, p.v - half);
            }
        }
    }
}


TEST(BossSheets, ShotsAreOutlinedInInk) {
    // The bosses' shots; the enemies' fire and glow keep their soft edges.
    for (const Layout* l : Layouts()) {
        if (!IsBossFile(l->file) || !IsShotFile(l->file)) continue;
        const Canvas sheet = DrawSheet(l->resourceId);
        for (const Cell& c : l->cells) {
            for (int y = c.y; y < c.y + l->cell.h; ++y)
                for (int x = c.x; x < c.x + l->cell.w; ++x) {
                    const Rgb px = sheet.Get(x, y);
                    if (px == kKey) continue;
                    auto empty = [&](int xx, int yy) {
                        return xx < c.x || yy < c.y || xx >= c.x + l->cell.w || yy >= c.y + l->cell.h ||
                               sheet.Get(xx, yy) == kKey;
                    };
                    if (empty(x - 1, y) || empty(x + 1, y) || empty(x, y - 1) || empty(x, y + 1)) {
                        EXPECT_EQ(px, kInk) << l->file << " " << c.pose << " at " << x - c.x << "," << y - c.y;
                    }
                }
        }
    }
}


TEST(Rig, PoseColumnsSetBonesByHeaderAndRefuseMiscountedRows) {
    rig::Body body;
    body.head.rows = {"x"};
    rig::Model m = rig::Humanoid("test", body);
    rig::Pose pose;
    const rig::Place place =
        rig::ReadPoseColumns(m, "root torso armN,armF legN* hip~", "20,26 170 45 1.5 0.5", "place:hip", pose, "test");
    EXPECT_EQ(place, rig::Place::Hip);
    EXPECT_FLOAT_EQ(pose.root.x, 20);
    EXPECT_FLOAT_EQ(pose.angle.at("torso"), 170);
    EXPECT_FLOAT_EQ(pose.angle.at("armN"), 45);
    EXPECT_FLOAT_EQ(pose.angle.at("armF"), 45);
    EXPECT_FLOAT_EQ(pose.stretch.at("legN"), 1.5f);
    EXPECT_FLOAT_EQ(pose.spread.at("hip"), 0.5f);
    // A row with a value too few or too many is a table out of step with
    // its header: stop rather than shift every later column.
    EXPECT_DEATH(rig::ReadPoseColumns(m, "root torso head", "20,26 170", "", pose, "test"), "2 values for 3 columns");
}


TEST(Rig, FollowingBonesFanBySpreadAndMayTurnWithAnotherBone) {
    rig::Model m;
    m.name = "wing";
    m.AddBone(rig::MakeBone("arm", "", 10, 0, {0, 0}, 90));
    m.AddBone(rig::MakeBone("hand", "arm", 5, 1, {0, 0}, 120));
    m.FindBone("hand")->follow = true;
    rig::Bone feather = rig::MakeBone("feather", "arm", 6, 0.5f, {0, 0}, 150);
    feather.follow = true;
    feather.turnsWith = "hand";
    m.AddBone(feather);
    rig::Pose pose;
    pose.angle["arm"] = 90;
    pose.angle["hand"] = 100;
    // Rest angle 30 beyond the hand's, kept to the hand, not the arm it sits on.
    EXPECT_NEAR(rig::Solve(m, pose).at("feather").angle, 130, 0.01);
    EXPECT_NEAR(rig::Solve(m, pose).at("feather").start.x, 5, 0.1);
    pose.spread["hand"] = 0;  // folded along the hand
    EXPECT_NEAR(rig::Solve(m, pose).at("feather").angle, 100, 0.01);
    pose.spread["hand"] = 2;
    EXPECT_NEAR(rig::Solve(m, pose).at("feather").angle, 160, 0.01);
}
