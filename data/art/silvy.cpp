// Silvy's sheet.
#include "Bosses.h"
#include "EnemyLight.h"
#include "Palette.h"

namespace {

const Layout kSilvyLayout{166, 47, "silvy_slot47", {
    {"stand", "220 230 231", 0, 0, Anchor::Body},
    {"low_wind_a", "260", 40, 0, Anchor::Body},
    {"low_wind_b", "261", 80, 0, Anchor::Body},
    {"low_shot", "262", 120, 0, Anchor::Body},
    {"ring_call", "280", 160, 0, Anchor::Body},
    {"ring_burst", "281", 200, 0, Anchor::Body},
    {"ring_hold", "282", 0, 40, Anchor::Body},
    {"ring_point", "283", 40, 40, Anchor::Body},
    {"ring_sweep", "284", 80, 40, Anchor::Body},
    {"ring_wait", "285", 120, 40, Anchor::Body},
    {"leap", "240 300", 160, 40, Anchor::Centre},
    {"aim_wind", "241", 200, 40, Anchor::Centre},
    {"aim_shot", "242", 0, 80, Anchor::Centre},
    {"fall", "243 305", 40, 80, Anchor::Centre},
    {"volley_wind_a", "301", 80, 80, Anchor::Centre},
    {"volley_wind_b", "302", 120, 80, Anchor::Centre},
    {"volley_a", "303", 160, 80, Anchor::Centre},
    {"volley_b", "304", 200, 80, Anchor::Centre},
    {"defeat_hit", "110", 0, 120, Anchor::Centre},
    {"defeat_spin", "111", 40, 120, Anchor::Centre},
    {"drop", "112", 80, 120, Anchor::Centre},
    {"lying", "113", 120, 120, Anchor::Body},
    {"sit_a", "114", 160, 120, Anchor::Body},
    {"sit_b", "115", 200, 120, Anchor::Body},
    {"rise", "116", 0, 160, Anchor::Body},
    {"stand_sad", "117", 40, 160, Anchor::Body},
    {"cry_a", "118", 80, 160, Anchor::Body},
    {"cry_b", "119", 120, 160, Anchor::Body},
    {"sulk_a", "420", 160, 160, Anchor::Body},
    {"sulk_b", "421", 200, 160, Anchor::Body},
    {"bow_a", "422", 0, 200, Anchor::Body},
    {"bow_b", "423", 40, 200, Anchor::Body},
    {"shine_a", "424", 80, 200, Anchor::Body},
    {"shine_b", "425", 120, 200, Anchor::Body},
    {"farewell", "426", 160, 200, Anchor::Body},
}, 256, bosses::kSilvyCell};
ART_LAYOUT(kSilvyLayout);

// Her shots and hazards (attack-effect states) down the right edge.
const Layout kSilvyShotLayout{166, 47, "silvy_shots_slot47", {
    {"star", "750", 240, 0, Anchor::Centre},
    {"star_fly", "751", 240, 16, Anchor::Centre},
    {"dart_a", "760", 240, 32, Anchor::Centre},
    {"dart_b", "761", 240, 48, Anchor::Centre},
}, 256, bosses::kShotCell};
ART_LAYOUT(kSilvyShotLayout);

// The low shot runs along the floor: its position is on the ground (her
// feet's level), and the flame stands on it.
const Layout kSilvyFlameLayout{166, 47, "silvy_flame_slot47", {
    {"flame_a", "770", 240, 64, Anchor::Body},
    {"flame_b", "770", 240, 80, Anchor::Body},
}, 256, rig::CellGeometry{16, 16, 16, 8, 15, 0, 0}};
ART_LAYOUT(kSilvyFlameLayout);

// Her attacks and scenes as they play (ticks of the frame records; the
// thrown-up defeat turned as the game turns it, 0.8 radians a tick).
const Review kSilvyReview{"silvy", {166, 133}, {
    {"wait 220", {{"stand", 20}, {"silvy.hurt", 10}}},
    {"leap 240", {{"stand", 10}, {"leap", 10}, {"aim_wind", 4}, {"aim_shot", 12}, {"fall", 10}, {"stand", 10}}},
    {"low shot 260", {{"low_wind_a", 1}, {"low_wind_b", 1}, {"low_wind_a", 1}, {"low_wind_b", 1}, {"low_shot", 30}, {"stand", 10}}},
    {"ring 280", {{"ring_call", 8}, {"ring_burst", 8}, {"ring_hold", 50}, {"ring_point", 10}, {"ring_sweep", 20}, {"ring_wait", 90}}},
    {"volley 300", {{"leap", 12}, {"volley_wind_a", 2}, {"volley_wind_b", 2}, {"volley_wind_a", 2}, {"volley_a", 2}, {"volley_b", 2}, {"volley_a", 2}, {"fall", 10}}},
    {"defeat 110", {{"defeat_hit", 40}, {"defeat_spin", 1}, {"defeat_spin", 1, -46}, {"defeat_spin", 1, -92}, {"defeat_spin", 1, -138}}},
    {"scene 112", {{"drop", 20}, {"lying", 80}, {"sit_a", 80}, {"sit_b", 80}, {"rise", 20}, {"stand_sad", 40}, {"cry_a", 20}, {"cry_b", 20}}},
    {"scene 420", {{"sulk_a", 10}, {"sulk_b", 10}, {"bow_a", 6}, {"bow_b", 6}, {"shine_a", 2}, {"shine_b", 2}, {"farewell", 40}}},
    {"shots", {{"star", 0}, {"star_fly", 0}, {"dart_a", 0}, {"dart_b", 0}, {"flame_a", 0}, {"flame_b", 0}}},
}};
ART_REVIEW(kSilvyReview);

}  // namespace

ART_SHEET(166, "silvy") {
    Canvas sheet(256, 256, kKey);
    const std::vector<enemies::Sheen> sheens = enemies::Sheens({
        {kFoam, kWater, kWaterDeep}, {kWater, kWaterDeep, kNavy}, {kWhite, kStoneLight, kStone}, {kCream, kSkin, kSand},
        {kWhite, kCream, kSand}, {kCream, kGold, kAmber}});
    for (const Cell& c : kSilvyLayout.cells)
        sheet.Blit(enemies::Lit(bosses::DrawCell(bosses::Silvy(), c, kSilvyLayout.cell), sheens, kInk, kViolet), c.x, c.y);
    bosses::DrawPictures(sheet, kSilvyShotLayout, bosses::SilvyShots(), bosses::ShotLegend());
    bosses::DrawPictures(sheet, kSilvyFlameLayout, bosses::SilvyShots(), bosses::ShotLegend());
    return sheet;
}
