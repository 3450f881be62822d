// Luka's sheets: texture slot 25 (resource 126) and slot 26 (resource 127),
// 256 x 256, 40 x 40 cells. Luka draws her hurt pose, standing, holds, fall,
// katana attack, dash and her own defeat poses from these, and her squashed,
// crawling and tied-up poses from the shared defeat sheet (slot 43). The
// first two cells of slot 25 are the title screen's button (normal: 0,0;
// highlighted: both, 10 frames each).
//
// The states whose records she shares with the Ninja (walking, running,
// jumping, carrying, item get, launched, throws, ninjutsu, dive, stage exit,
// scene poses, her dying spin 110) take their pictures from the Ninja's
// sheet (slot 19): her own versions of those poses are drawn in its top-right
// quarter, at the Ninja's cells moved 256 texels right (ninja.cpp).
//
// Slot 25 (anchor kinds in tools/artgen/Sheets.h):
//  cell          at            anchor   states
//  stand_a       0,0           feet     230
//  stand_b       40,0          feet     231
//  crouch        80,0          feet     236 320
//  hurt          120,0         centre   10
//  fall_a        160,0         centre   290 (taken at its lowest foot: the fall lands on it)
//  down          200,0         feet     111 154 161
//  wall_a/b      0,40 40,40    wall     232 / 233
//  ceil_a/b      80,40 120,40  ceiling  234 / 235
//  kwind         160,40        centre   330 (drawn half a body lower: the wind-up lifts her by 100)
//  chase_a       200,40        centre   331
//  chase_b       0,80          centre   332
//  cut_a_wind    40,80         centre   333
//  cut_a         80,80         centre   334 335
//  cut_a_end     120,80        centre   336
//  cut_b_wind    160,80        centre   337
//  cut_b         200,80        centre   338 339
//  cut_b_end     0,120         centre   340
//  victory       40,120        centre   341 342
//  flip          80,120        centre   343 344
//  zap_a, zap_b  120,120 160,120 feet   150 / 151
//  slump         200,120       feet     152
//  tumble        0,160         centre   153 160
//  dash_1..4     40..160,160   feet     321 322 323 324 (a low run along the ground)
//  dash_end      200,160       feet     325
//
// Slot 26:
//  sit_a/b       0,0 40,0      feet     162 / 163   (the second defeat stage)
//  blast         80,0          centre   170
//  sooty_sit     120,0         feet     171
//  sooty_cough   160,0         feet     172
//  bonk          200,0         feet     180
//  steam         0,40          feet     181
//  cry_a/b       40,40 80,40   feet     182 / 183
//  held          120,40        feet     190   (held up by the wrists, the feet at the holder's hand line)
//  shaken_a/b    160,40 200,40 feet     191 / 192
//  limp_a/b      0,80 40,80    feet     193 / 194
#include "Players.h"

namespace {

const Layout kLukaLayout{126, 25, "luka_slot25", {
    {"stand_a", "230", 0, 0, Anchor::Feet},
    {"stand_b", "231", 40, 0, Anchor::Feet},
    {"crouch", "236 320", 80, 0, Anchor::Feet},
    {"hurt", "10", 120, 0, Anchor::Centre},
    {"fall_a", "290", 160, 0, Anchor::Centre},
    {"down", "111 154 161", 200, 0, Anchor::Feet},
    {"wall_a", "232", 0, 40, Anchor::Wall},
    {"wall_b", "233", 40, 40, Anchor::Wall},
    {"ceil_a", "234", 80, 40, Anchor::Ceiling},
    {"ceil_b", "235", 120, 40, Anchor::Ceiling},
    {"kwind", "330", 160, 40, Anchor::Centre},
    {"chase_a", "331", 200, 40, Anchor::Centre},
    {"chase_b", "332", 0, 80, Anchor::Centre},
    {"cut_a_wind", "333", 40, 80, Anchor::Centre},
    {"cut_a", "334 335", 80, 80, Anchor::Centre},
    {"cut_a_end", "336", 120, 80, Anchor::Centre},
    {"cut_b_wind", "337", 160, 80, Anchor::Centre},
    {"cut_b", "338 339", 200, 80, Anchor::Centre},
    {"cut_b_end", "340", 0, 120, Anchor::Centre},
    {"victory", "341 342", 40, 120, Anchor::Centre},
    {"flip", "343 344", 80, 120, Anchor::Centre},
    {"zap_a", "150", 120, 120, Anchor::Feet},
    {"zap_b", "151", 160, 120, Anchor::Feet},
    {"slump", "152", 200, 120, Anchor::Feet},
    {"tumble", "153 160", 0, 160, Anchor::Centre},
    {"dash_1", "321", 40, 160, Anchor::Feet},
    {"dash_2", "322", 80, 160, Anchor::Feet},
    {"dash_3", "323", 120, 160, Anchor::Feet},
    {"dash_4", "324", 160, 160, Anchor::Feet},
    {"dash_end", "325", 200, 160, Anchor::Feet},
}};
ART_LAYOUT(kLukaLayout);

const Layout kLukaDefeatLayout{127, 26, "luka_slot26", players::SecondSheetCells()};
ART_LAYOUT(kLukaDefeatLayout);

// Her quarter of the Ninja's sheet.
const Layout kLukaOnNinjaSheet{120, 19, "luka_slot19", players::BorrowedCells(players::Who::Luka, 256, 0), 512, {},
                               players::PaintOwnCell};
ART_LAYOUT(kLukaOnNinjaSheet);

Review LukaReview() {
    Review r{"luka", {126, 127, 162, 120}, {
    {"stand 230 title", {{"stand_a", 10}, {"stand_b", 10}}},
    {"hurt 10 fall 290", {{"stand_a", 4}, {"hurt", 10}, {"fall_a", 8}, {"crouch", 6}, {"stand_a", 10}}},
    {"holds 232 234", {{"wall_a", 10}, {"wall_b", 10}, {"ceil_a", 10}, {"ceil_b", 10}}},
    {"dash 320", {{"crouch", 1}, {"dash_1", 2}, {"dash_2", 2}, {"dash_3", 2}, {"dash_4", 2}, {"dash_1", 2}, {"dash_end", 2}}},
    {"katana 330", {{"kwind", 4}, {"chase_a", 2}, {"chase_b", 2}, {"cut_a_wind", 2}, {"cut_a", 4}, {"cut_a_end", 2}, {"cut_b_wind", 2}, {"cut_b", 4}, {"cut_b_end", 2}, {"victory", 2}, {"flip", 2}}},
    {"dying 110", {{"120:luka.tumble", 4}, {"120:luka.tumble", 4, -100}, {"120:luka.tumble", 4, -200}, {"down", 30}}},
    }};
    for (ReviewStrip& s : players::SharedStrips("luka")) r.strips.push_back(s);
    return r;
}
const Review kLukaReview = LukaReview();
ART_REVIEW(kLukaReview);

}  // namespace

ART_SHEET(126, "luka") { return players::DrawLayoutSheet(players::Who::Luka, kLukaLayout); }
ART_SHEET(127, "luka-more") { return players::DrawLayoutSheet(players::Who::Luka, kLukaDefeatLayout); }
