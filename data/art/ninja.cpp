// The Ninja's sheet: texture slot 19, resource 120, 512 x 512, 40 x 40 cells.
//
// Luka and Ironclaw draw many states from this sheet too (walking, running,
// jumping, carrying, item get, launched, throws, ninjutsu, dive, stage exit,
// the scene poses, and Luka's dying spin 110). The Ninja's cells fill the
// top-left quarter; Luka's own versions of the poses those states show lie
// in the top-right quarter and Ironclaw's in the bottom-left, each at the
// place of the Ninja's cell moved by 256 texels (right for Luka, down for
// Ironclaw), so that each of the three is one person in every frame
// (luka.cpp, ironclaw.cpp). Their records are the Ninja's as they stand;
// the two classes take the picture from their quarter as they draw
// (kOwnPictures in CharacterLuka.h and CharacterIronclaw.h). The
// bottom-right quarter is free.
//
// The Ninja's cells (column x row of 40 x 40; anchor kinds in
// tools/artgen/Sheets.h; a second row for a cell gives the same picture with
// another anchor):
//
//  cell          at        anchor   states
//  stand_a       0,0       feet     230 220 960 963 986 988   (stage select key 1)
//  stand_b       40,0      feet     231 964 984 989
//  crouch        80,0      feet     236 280 320 322 330 360 363 443 444 445 969 980 987
//  hurt          120,0     centre   10
//  tumble        160,0     centre   110-119 130-199 (every defeat pose of the Ninja) 981 982
//  down          200,0     feet     983
//  walk_1..4     0..120,40 feet     250 251 252 253 961 962
//  run_1, run_2  160,40 200,40 feet 260 261 / 270 271     (stage select keys 2 and 4)
//  run_3, run_4  0,80 40,80  feet   262 263 / 272 273
//  rise          80,80     centre   282 440 965 966
//  fall_a        120,80    centre   290 292 304 967
//  fall_b        160,80    centre   291 968
//  spin          200,80    centre   281 321 343 344 361 362
//  wall_a        0,120     wall     232 384 404 424
//  wall_b        40,120    wall     233
//  ceil_a        80,120    ceiling  234 386 406 426
//  ceil_b        120,120   ceiling  235
//  chase_a       160,120   centre   331
//  chase_b       200,120   centre   332
//  cut_a_wind    0,160     centre   333
//  cut_a         40,160    centre   334 335 336
//  cut_b_wind    80,160    centre   337
//  cut_b         120,160   centre   338 339 340
//  victory       160,160   centre   341 342 990;  feet 940 941 985
//  dive          200,160   centre   441 442
//  throw_wind    0,200     centre   380 400;  feet 382 402
//  throw         40,200    centre   381 401 421;  feet 300-303 383 403 423
//  wall_throw    80,200    wall     385 405 425
//  ceil_throw    120,200   ceiling  387 407 427
//  seal          160,200   centre   420;  feet 422
//  item_get      200,200   centre   310;  feet 311 312 313
#include "Players.h"

const std::vector<Cell>& players::NinjaCells() {
    static const std::vector<Cell> cells = {
        {"stand_a", "230 220 960 963 986 988", 0, 0, Anchor::Feet},
        {"stand_b", "231 964 984 989", 40, 0, Anchor::Feet},
        {"crouch", "236 280 320 322 330 360 363 443 444 445 969 980 987", 80, 0, Anchor::Feet},
        {"hurt", "10", 120, 0, Anchor::Centre},
        {"tumble", "110-119 130-199 981 982", 160, 0, Anchor::Centre},
        {"down", "983", 200, 0, Anchor::Feet},
        {"walk_1", "250 961", 0, 40, Anchor::Feet},
        {"walk_2", "251 962", 40, 40, Anchor::Feet},
        {"walk_3", "252", 80, 40, Anchor::Feet},
        {"walk_4", "253", 120, 40, Anchor::Feet},
        {"run_1", "260 270", 160, 40, Anchor::Feet},
        {"run_2", "261 271", 200, 40, Anchor::Feet},
        {"run_3", "262 272", 0, 80, Anchor::Feet},
        {"run_4", "263 273", 40, 80, Anchor::Feet},
        {"rise", "282 440 965 966", 80, 80, Anchor::Centre},
        {"fall_a", "290 292 304 967", 120, 80, Anchor::Centre},
        {"fall_b", "291 968", 160, 80, Anchor::Centre},
        {"spin", "281 321 343 344 361 362", 200, 80, Anchor::Centre},
        {"wall_a", "232 384 404 424", 0, 120, Anchor::Wall},
        {"wall_b", "233", 40, 120, Anchor::Wall},
        {"ceil_a", "234 386 406 426", 80, 120, Anchor::Ceiling},
        {"ceil_b", "235", 120, 120, Anchor::Ceiling},
        {"chase_a", "331", 160, 120, Anchor::Centre},
        {"chase_b", "332", 200, 120, Anchor::Centre},
        {"cut_a_wind", "333", 0, 160, Anchor::Centre},
        {"cut_a", "334 335 336", 40, 160, Anchor::Centre},
        {"cut_b_wind", "337", 80, 160, Anchor::Centre},
        {"cut_b", "338 339 340", 120, 160, Anchor::Centre},
        {"victory", "341 342 990", 160, 160, Anchor::Centre},
        {"victory", "940 941 985", 160, 160, Anchor::Feet},
        {"dive", "441 442", 200, 160, Anchor::Centre},
        {"throw_wind", "380 400", 0, 200, Anchor::Centre},
        {"throw_wind", "382 402", 0, 200, Anchor::Feet},
        {"throw", "381 401 421", 40, 200, Anchor::Centre},
        {"throw", "300-303 383 403 423", 40, 200, Anchor::Feet},
        {"wall_throw", "385 405 425", 80, 200, Anchor::Wall},
        {"ceil_throw", "387 407 427", 120, 200, Anchor::Ceiling},
        {"seal", "420", 160, 200, Anchor::Centre},
        {"seal", "422", 160, 200, Anchor::Feet},
        {"item_get", "310", 200, 200, Anchor::Centre},
        {"item_get", "311 312 313", 200, 200, Anchor::Feet},
    };
    return cells;
}

namespace {

const Layout kNinjaLayout{120, 19, "ninja_slot19", players::NinjaCells(), 512};
ART_LAYOUT(kNinjaLayout);

// Review strips: frames with their lengths in ticks and the turn the game
// gives spinning states.
const Review kNinjaReview{"ninja", {120}, {
    {"stand 230", {{"stand_a", 10}, {"stand_b", 10}}},
    {"walk 250", {{"walk_1", 8}, {"walk_2", 8}, {"walk_3", 8}, {"walk_4", 8}}},
    {"run 260", {{"run_1", 4}, {"run_2", 4}, {"run_3", 4}, {"run_4", 4}}},
    {"dash 320", {{"crouch", 1}, {"spin", 1}, {"spin", 1, -75}, {"spin", 1, -150}, {"spin", 1, -225}, {"crouch", 2}}},
    {"fall 290 land", {{"fall_a", 4}, {"fall_b", 4}, {"fall_a", 4}, {"crouch", 6}, {"stand_a", 10}}},
    {"hurt 10", {{"stand_a", 4}, {"hurt", 10}, {"hurt", 10}, {"stand_a", 10}}},
    {"dying 110", {{"hurt", 2}, {"tumble", 4}, {"tumble", 4, -115}, {"tumble", 4, -230}, {"tumble", 4, -345}}},
    {"katana 330", {{"crouch", 4}, {"chase_a", 2}, {"chase_b", 2}, {"cut_a_wind", 2}, {"cut_a", 2}, {"cut_a", 2}, {"cut_b_wind", 2}, {"cut_b", 2}, {"victory", 2}}},
    {"wall 232", {{"wall_a", 10}, {"wall_b", 10}, {"wall_a", 4}, {"wall_throw", 20}}},
    {"ceiling 234", {{"ceil_a", 10}, {"ceil_b", 10}, {"ceil_a", 4}, {"ceil_throw", 20}}},
    {"throw 382", {{"throw_wind", 4}, {"throw", 20}, {"seal", 4}, {"throw", 8}}},
    {"dive 440", {{"rise", 4}, {"dive", 1}, {"dive", 1}, {"crouch", 7}}},
    {"item get 310", {{"item_get", 60}, {"victory", 40}, {"down", 40}}},
}};
ART_REVIEW(kNinjaReview);

}  // namespace

ART_SHEET(120, "ninja") {
    Canvas sheet = players::DrawLayoutSheet(players::Who::Ninja, kNinjaLayout);
    PaintLayouts(sheet, 120);  // Luka's and Ironclaw's quarters
    return sheet;
}
