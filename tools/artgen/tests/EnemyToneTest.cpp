// The enemies the stages place, and Silvy, stay lit and outlined: in every
// picture of its sheet a kind shows the light, mid and shadow tones of its
// main colour, and its silhouette is closed in ink (or, where it faces the
// light, its rim colour), so that it reads at 1x against its stage.
#include <gtest/gtest.h>

#include <string>

#include "Palette.h"
#include "Rig.h"
#include "Sheets.h"

namespace {

struct Kind {
    const char* file;     // the layout
    const char* variant;  // cells whose pose starts so ("" = all the others)
    rig::Ramp main;       // light, mid and shadow of its main colour
    Rgb rim;
};

const Kind kKinds[] = {
    {"archer_slot42", "", {kRose, kMauve, kDusk}, kMist},
    {"lizardman_slot43", "", {kFoam, kWater, kWaterDeep}, kMist},
    {"lizardman_slot43", "rust.", {kAmber, kWood, kEarth}, kMist},
    {"dragon_slot44", "", {kCoral, kRed, kCrimson}, kMist},
    {"flower_slot45", "", {kCream, kGold, kAmber}, kMist},
    {"bird_slot46", "", {kWhite, kCream, kStoneLight}, kMist},
    {"kappa_slot33", "", {kLeaf, kGrass, kPine}, kMist},
    {"silvy_slot47", "", {kWhite, kStoneLight, kStone}, kViolet},
};

const Layout* Named(const std::string& file) {
    for (const Layout* l : Layouts())
        if (file == l->file) return l;
    return nullptr;
}

}  // namespace

TEST(EnemyArt, EveryPictureShowsThreeTonesOfItsMainColourInsideAnOutline) {
    for (const Kind& k : kKinds) {
        const Layout* l = Named(k.file);
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
