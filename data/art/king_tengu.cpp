// The king tengu's sheets.
#include "Bosses.h"
#include "HookBosses.h"

namespace {


const Layout kPhase1Layout{133, 32, "kingtengu_slot32", {
    {"stand", "220 230 231 420", 0, 0, Anchor::Body},
    {"hurt", "10", 51, 0, Anchor::Body},
    {"leap", "240", 102, 0, Anchor::Centre},
    {"hang", "241", 153, 0, Anchor::Centre},
    {"fan", "242 243", 204, 0, Anchor::Centre},
    {"fall", "244", 0, 64, Anchor::Centre},
    {"shot_wind_a", "260", 51, 64, Anchor::Body},
    {"shot_wind_b", "261", 102, 64, Anchor::Body},
    {"shot", "262", 153, 64, Anchor::Body},
    {"aim_wind_a", "280", 204, 64, Anchor::Body},
    {"aim_wind_b", "281", 0, 128, Anchor::Body},
    {"aim_a", "282 284", 51, 128, Anchor::Body},
    {"aim_b", "283 285", 102, 128, Anchor::Body},
    {"ring", "300 301 302", 153, 128, Anchor::Body},
    {"ring_hold", "303 304 305-314", 204, 128, Anchor::Body},
    {"flung", "111", 0, 192, Anchor::Centre},
    {"gust_a", "421", 51, 192, Anchor::Body},
    {"gust_b", "422", 102, 192, Anchor::Body},
}, 256, bosses::kKingTenguCell};
ART_LAYOUT(kPhase1Layout);

// Silvy's hurt record (10) takes its picture from this sheet.
const Layout kSilvyHurtLayout{133, 32, "silvy_slot32", {
    {"silvy.hurt", "10", 209, 208, Anchor::Centre},
}, 256, bosses::kSilvyCell};
ART_LAYOUT(kSilvyHurtLayout);

const Layout kPhase2Layout{139, 38, "kingtengu_slot38", {
    {"defeat", "110", 0, 0, Anchor::Centre},
    {"rise_a", "320", 64, 0, Anchor::Centre},
    {"rise_b", "321", 128, 0, Anchor::Centre},
    {"hover_a", "340 382", 192, 0, Anchor::Centre},
    {"hover_b", "341 383", 0, 64, Anchor::Centre},
    {"back_a", "360", 64, 64, Anchor::Centre},
    {"back_b", "361", 128, 64, Anchor::Centre},
    {"fly_a", "362 364", 192, 64, Anchor::Centre},
    {"fly_b", "363 365", 0, 128, Anchor::Centre},
    {"gale_a", "380", 64, 128, Anchor::Centre},
    {"gale_b", "381", 128, 128, Anchor::Centre},
    {"charge_a", "400", 192, 128, Anchor::Centre},
    {"charge_b", "401", 0, 192, Anchor::Centre},
    {"fire", "402", 64, 192, Anchor::Centre},
    {"fire_hold", "403", 128, 192, Anchor::Centre},
}, 256, bosses::kKingTenguFlyingCell};
ART_LAYOUT(kPhase2Layout);

// The king tengu's shots (attack-effect states), in the last corner of the
// flying sheet.
const Layout kShotLayout{139, 38, "kingtengu_shots_slot38", {
    {"feather", "510", 192, 192, Anchor::Centre},
    {"hum_a", "520 522 524", 208, 192, Anchor::Centre},
    {"hum_b", "521 523 525", 224, 192, Anchor::Centre},
    {"orb", "540 542 543 545", 240, 192, Anchor::Centre},
    {"orb_b", "541 544", 192, 208, Anchor::Centre},
    {"ball", "550 551", 208, 208, Anchor::Centre},
    {"rock", "560", 224, 208, Anchor::Centre},
    {"pebble_a", "561", 240, 208, Anchor::Centre},
    {"pebble_b", "562", 192, 224, Anchor::Centre},
    {"pebble_c", "563", 208, 224, Anchor::Centre},
    {"lance", "570", 224, 224, Anchor::Centre},
    {"blade", "530", 240, 224, Anchor::Centre},
}, 256, bosses::kShotCell};
ART_LAYOUT(kShotLayout);

// The eyes of the second form (CCharacterKingTengu2ndEye), in the strip
// below the shots.
const Layout kEyeLayout{139, 38, "kingtengu2nd_eyes_slot38", {
    {"eye_open", "220 241 10", 192, 240, Anchor::Centre},
    {"eye_glow", "240", 208, 240, Anchor::Centre},
    {"eye_fire", "242", 224, 240, Anchor::Centre},
    {"eye_shut", "110 230", 240, 240, Anchor::Centre},
}, 256, bosses::kShotCell};
ART_LAYOUT(kEyeLayout);

// Each attack as it plays: frames with their ticks (the cycles of the
// frame records), the turn the game gives the spinning defeat.
const Review kKingTenguReview{"kingtengu", {133, 139, 141}, {
    {"wait 220 420", {{"stand", 20}, {"hurt", 10}}},
    {"fan 240", {{"stand", 10}, {"leap", 8}, {"hang", 4}, {"fan", 12}, {"fall", 10}, {"stand", 10}}},
    {"shot 260", {{"shot_wind_a", 1}, {"shot_wind_b", 1}, {"shot_wind_a", 1}, {"shot_wind_b", 1}, {"shot", 40}, {"stand", 10}}},
    {"aimed 280", {{"aim_wind_a", 6}, {"aim_wind_b", 6}, {"aim_wind_a", 6}, {"aim_wind_b", 6}, {"aim_b", 48}, {"aim_b", 126}, {"stand", 10}}},
    {"ring 300", {{"stand", 20}, {"ring", 6}, {"ring_hold", 40}, {"ring_hold", 6}, {"stand", 10}}},
    {"opening 421", {{"stand", 20}, {"gust_a", 6}, {"gust_b", 6}, {"gust_a", 6}, {"gust_b", 6}}},
    {"rise 320", {{"stand", 20}, {"rise_a", 6}, {"rise_b", 6}, {"rise_a", 6}, {"hover_a", 6}, {"hover_b", 6}}},
    {"fly-by 360", {{"hover_a", 6}, {"back_a", 2}, {"back_b", 2}, {"fly_a", 6}, {"fly_b", 4}, {"fly_a", 6}, {"fly_b", 4}}},
    {"gale 380", {{"hover_b", 6}, {"gale_a", 4}, {"gale_b", 4}, {"gale_a", 4}, {"gale_b", 4}, {"hover_a", 6}, {"hover_b", 6}}},
    {"charge 400", {{"hover_a", 6}, {"charge_a", 2}, {"charge_b", 2}, {"fire", 6}, {"fire_hold", 24}, {"fire", 6}, {"fire_hold", 24}}},
    {"defeat 110", {{"defeat", 260}, {"flung", 1}, {"flung", 1, -46}, {"flung", 1, -92}, {"fall_a", 8}, {"fall_b", 8}}},
    {"shots", {{"feather", 0}, {"hum_a", 0}, {"hum_b", 0}, {"orb", 0}, {"orb_b", 0}, {"ball", 0}, {"rock", 0}, {"pebble_a", 0}, {"lance", 0}, {"blade", 0}}},
}};
ART_REVIEW(kKingTenguReview);

}  // namespace

ART_SHEET(133, "king-tengu") {
    Canvas sheet(256, 256, kKey);
    bosses::DrawCells(sheet, bosses::KingTengu(), kPhase1Layout);
    bosses::DrawCells(sheet, bosses::Silvy(), kSilvyHurtLayout);
    return sheet;
}

ART_SHEET(139, "king-tengu-flying") {
    Canvas sheet(256, 256, kKey);
    bosses::DrawCells(sheet, bosses::KingTengu(), kPhase2Layout);
    bosses::DrawPictures(sheet, kShotLayout, bosses::KingTenguShots(), bosses::ShotLegend());
    bosses::DrawPictures(sheet, kEyeLayout, bosses::KingTengu2ndEyes(), bosses::ShotLegend());
    return sheet;
}
