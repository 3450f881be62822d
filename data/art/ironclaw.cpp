// Ironclaw's sheets: texture slot 27 (resource 128) and slot 28 (resource
// 129), 256 x 256, 40 x 40 cells. Ironclaw draws his standing, holds, fall,
// hurt, dying, long dash, katana chain and his own defeat poses from these,
// and his squashed, crawling and tied-up poses from the shared defeat sheet
// (slot 43). The first two cells of slot 27 are the title screen's button.
//
// The states whose records he shares with the Ninja (walking, running,
// jumping, carrying, item get, launched, throws, ninjutsu, dive, stage exit,
// scene poses) take their pictures from the Ninja's sheet (slot 19): his own
// versions of those poses are drawn in its bottom-left quarter, at the
// Ninja's cells moved 256 texels down (ninja.cpp).
//
// Slot 27 (anchor kinds in tools/artgen/Sheets.h):
//  cell          at            anchor   states
//  stand_a       0,0           feet     230
//  stand_b       40,0          feet     231
//  crouch        80,0          feet     236
//  hurt          120,0         centre   10
//  fall_a        160,0         centre   290 (taken at its lowest foot: the fall lands on it)
//  down          200,0         feet     111 154 161
//  wall_a/b      0,40 40,40    wall     232 / 233
//  ceil_a/b      80,40 120,40  ceiling  234 / 235
//  tumble        160,40        centre   110 153 160
//  zap_a         200,40        feet     150
//  zap_b, slump  0,80 40,80    feet     151 / 152
//  dash_wind     80,80         feet     320          (the six-tick wind-up)
//  dash          120,80        underside 321         (drawn pointing up, as the game's angle 0; the game turns it along the flight about its underside)
//  dash_end      160,80        feet     325
//  kwind_air     200,80        centre   330
//  kwind_ground  0,120         centre   331          (drawn half a body lower: the wind-up lifts him by 100)
//  chase_a       40,120        centre   332 333
//  iw_high       80,120        centre   334 338      (first halves of the strike pairs)
//  iw_low        120,120       centre   336 346
//  iw_back       160,120       centre   340 342
//  iw_claw       200,120       centre   344
//  is_chop       0,160         centre   335          (second halves: the strikes)
//  is_rise       40,160        centre   337
//  is_flat       80,160        centre   339
//  is_thrust     120,160       centre   341
//  is_spin       160,160       centre   343
//  is_claw       200,160       centre   345
//  is_back       0,200         centre   347
//  if_stand      40,200        centre   348 351 354  (finish poses)
//  if_flip       80,200        centre   349 352
//  if_kneel      120,200       centre   350 353
//
// Slot 28: his defeat poses 162-194, at the same cells as Luka's slot 26.
#include "Players.h"

namespace {

const Layout kIronclawLayout{128, 27, "ironclaw_slot27", {
    {"stand_a", "230", 0, 0, Anchor::Feet},
    {"stand_b", "231", 40, 0, Anchor::Feet},
    {"crouch", "236", 80, 0, Anchor::Feet},
    {"hurt", "10", 120, 0, Anchor::Centre},
    {"fall_a", "290", 160, 0, Anchor::Centre},
    {"down", "111 154 161", 200, 0, Anchor::Feet},
    {"wall_a", "232", 0, 40, Anchor::Wall},
    {"wall_b", "233", 40, 40, Anchor::Wall},
    {"ceil_a", "234", 80, 40, Anchor::Ceiling},
    {"ceil_b", "235", 120, 40, Anchor::Ceiling},
    {"tumble", "110 153 160", 160, 40, Anchor::Centre},
    {"zap_a", "150", 200, 40, Anchor::Feet},
    {"zap_b", "151", 0, 80, Anchor::Feet},
    {"slump", "152", 40, 80, Anchor::Feet},
    {"dash_wind", "320", 80, 80, Anchor::Feet},
    {"dash", "321", 120, 80, Anchor::Underside},
    {"dash_end", "325", 160, 80, Anchor::Feet},
    {"kwind_air", "330", 200, 80, Anchor::Centre},
    {"kwind_ground", "331", 0, 120, Anchor::Centre},
    {"chase_a", "332 333", 40, 120, Anchor::Centre},
    {"iw_high", "334 338", 80, 120, Anchor::Centre},
    {"iw_low", "336 346", 120, 120, Anchor::Centre},
    {"iw_back", "340 342", 160, 120, Anchor::Centre},
    {"iw_claw", "344", 200, 120, Anchor::Centre},
    {"is_chop", "335", 0, 160, Anchor::Centre},
    {"is_rise", "337", 40, 160, Anchor::Centre},
    {"is_flat", "339", 80, 160, Anchor::Centre},
    {"is_thrust", "341", 120, 160, Anchor::Centre},
    {"is_spin", "343", 160, 160, Anchor::Centre},
    {"is_claw", "345", 200, 160, Anchor::Centre},
    {"is_back", "347", 0, 200, Anchor::Centre},
    {"if_stand", "348 351 354", 40, 200, Anchor::Centre},
    {"if_flip", "349 352", 80, 200, Anchor::Centre},
    {"if_kneel", "350 353", 120, 200, Anchor::Centre},
}};
ART_LAYOUT(kIronclawLayout);

const Layout kIronclawDefeatLayout{129, 28, "ironclaw_slot28", players::SecondSheetCells()};
ART_LAYOUT(kIronclawDefeatLayout);

// His quarter of the Ninja's sheet.
const Layout kIronclawOnNinjaSheet{120, 19, "ironclaw_slot19", players::BorrowedCells(players::Who::Ironclaw, 0, 256),
                                   512, {}, players::PaintOwnCell};
ART_LAYOUT(kIronclawOnNinjaSheet);

Review IronclawReview() {
    Review r{"ironclaw", {128, 129, 162, 120}, {
    {"stand 230 title", {{"stand_a", 10}, {"stand_b", 10}}},
    {"hurt 10 fall 290", {{"stand_a", 4}, {"hurt", 10}, {"fall_a", 8}, {"crouch", 6}, {"stand_a", 10}}},
    {"holds 232 234", {{"wall_a", 10}, {"wall_b", 10}, {"ceil_a", 10}, {"ceil_b", 10}}},
    {"dash 320", {{"dash_wind", 6}, {"dash", 4, 90}, {"dash", 4, 70}, {"dash", 4, 120}, {"dash_end", 2}, {"stand_a", 10}}},
    {"katana 331", {{"kwind_ground", 6}, {"chase_a", 2}, {"iw_high", 2}, {"is_chop", 2}, {"iw_low", 2}, {"is_rise", 2}, {"iw_high", 2}, {"is_flat", 2}, {"if_stand", 2}}},
    {"strikes", {{"iw_back", 2}, {"is_thrust", 2}, {"iw_back", 2}, {"is_spin", 2}, {"iw_claw", 2}, {"is_claw", 2}, {"iw_low", 2}, {"is_back", 2}}},
    {"finishes 348", {{"kwind_air", 6}, {"if_stand", 2}, {"if_flip", 2}, {"if_kneel", 2}}},
    {"dying 110", {{"tumble", 4}, {"tumble", 4, -100}, {"tumble", 4, -200}, {"down", 30}}},
    }};
    for (ReviewStrip& s : players::SharedStrips("ironclaw")) r.strips.push_back(s);
    return r;
}
const Review kIronclawReview = IronclawReview();
ART_REVIEW(kIronclawReview);

}  // namespace

ART_SHEET(128, "ironclaw") { return players::DrawLayoutSheet(players::Who::Ironclaw, kIronclawLayout); }
ART_SHEET(129, "ironclaw-more") { return players::DrawLayoutSheet(players::Who::Ironclaw, kIronclawDefeatLayout); }
