// The sheet of the first fights' bosses (resource 400, slot 72): the ghost
// in row 0, the one-eyed monster in rows 1 and 2, the tengu in rows 3 and 4;
// and the eyes of the king tengu's second form.
#include "HookBosses.h"
#include "Palette.h"

namespace {

// Cell n of the sheet: 8 a row, 64 x 64.
constexpr int X(int n) { return n % 8 * 64; }
constexpr int Y(int n) { return n / 8 * 64; }

const Layout kGhostLayout{400, 72, "hook_bosses_ghost_slot72", {
    {"float_a", "220 231", X(0), Y(0), Anchor::Centre},
    {"float_b", "230 246", X(1), Y(1), Anchor::Centre},
    {"cast_a", "240 242 244", X(2), Y(2), Anchor::Centre},
    {"cast_b", "241 243 245", X(3), Y(3), Anchor::Centre},
    {"defeat", "110-112", X(4), Y(4), Anchor::Centre},
    {"hurt", "10", X(5), Y(5), Anchor::Centre},
}, 512, bosses::kGhostCell};
ART_LAYOUT(kGhostLayout);

const Layout kOneEyeLayout{400, 72, "hook_bosses_oneeye_slot72", {
    {"oneeye.stand", "220 230 263", X(8), Y(8), Anchor::Body},
    {"oneeye.crouch", "260", X(9), Y(9), Anchor::Body},
    {"oneeye.jump", "240 242", X(10), Y(10), Anchor::Centre},
    {"oneeye.stomp", "241 243", X(11), Y(11), Anchor::Centre},
    {"oneeye.smash", "261", X(12), Y(12), Anchor::Body},
    {"oneeye.throw", "262", X(13), Y(13), Anchor::Body},
    {"oneeye.hop_up", "280 282 284 286 288", X(14), Y(14), Anchor::Centre},
    {"oneeye.hop_down", "281 283 285 287 289", X(15), Y(15), Anchor::Centre},
    {"oneeye.defeat", "110-112", X(16), Y(16), Anchor::Body},
    {"oneeye.hurt", "10", X(17), Y(17), Anchor::Body},
    {"oneeye.roar", "231", X(18), Y(18), Anchor::Body},
}, 512, bosses::kGroundBossCell};
ART_LAYOUT(kOneEyeLayout);

const Layout kTenguLayout{400, 72, "hook_bosses_tengu_slot72", {
    {"tengu.stand", "220 230", X(24), Y(24), Anchor::Body},
    {"tengu.ready", "231", X(25), Y(25), Anchor::Body},
    {"tengu.rise", "240 245 250", X(26), Y(26), Anchor::Centre},
    {"tengu.draw", "241 246 251", X(27), Y(27), Anchor::Centre},
    {"tengu.throw", "242 243 247 248 252 253", X(28), Y(28), Anchor::Centre},
    {"tengu.fall", "244 249 254", X(29), Y(29), Anchor::Centre},
    {"tengu.fan_a", "260", X(30), Y(30), Anchor::Body},
    {"tengu.fan_b", "261", X(31), Y(31), Anchor::Body},
    {"tengu.fan_throw_a", "262 264 266", X(32), Y(32), Anchor::Body},
    {"tengu.fan_throw_b", "263 265 267", X(33), Y(33), Anchor::Body},
    {"tengu.defeat", "110-112", X(34), Y(34), Anchor::Body},
    {"tengu.hurt", "10", X(35), Y(35), Anchor::Body},
}, 512, bosses::kGroundBossCell};
ART_LAYOUT(kTenguLayout);

// Each attack as it plays.
const Review kHookBossReview{"hook_bosses", {400}, {
    {"ghost 220 240", {{"float_a", 20}, {"float_b", 20}, {"cast_a", 20}, {"cast_b", 20}, {"cast_a", 20}, {"float_b", 20}}},
    {"ghost defeat", {{"hurt", 10}, {"defeat", 40}}},
    {"one-eye jump 240", {{"oneeye.roar", 20}, {"oneeye.stand", 20}, {"oneeye.jump", 24}, {"oneeye.stomp", 20}, {"oneeye.stand", 10}}},
    {"one-eye smash 260", {{"oneeye.crouch", 6}, {"oneeye.smash", 20}, {"oneeye.throw", 8}, {"oneeye.stand", 20}}},
    {"one-eye hops 280", {{"oneeye.hop_up", 8}, {"oneeye.hop_down", 8}, {"oneeye.hop_up", 8}, {"oneeye.hop_down", 8}}},
    {"one-eye defeat", {{"oneeye.hurt", 10}, {"oneeye.defeat", 40}}},
    {"tengu hops 240", {{"tengu.stand", 20}, {"tengu.rise", 20}, {"tengu.draw", 4}, {"tengu.throw", 2}, {"tengu.fall", 20}}},
    {"tengu fans 260", {{"tengu.ready", 10}, {"tengu.fan_a", 6}, {"tengu.fan_b", 6}, {"tengu.fan_throw_a", 6}, {"tengu.fan_throw_b", 6}}},
    {"tengu defeat", {{"tengu.hurt", 10}, {"tengu.defeat", 40}}},
}};
ART_REVIEW(kHookBossReview);

}  // namespace

ART_SHEET(400, "hook-bosses") {
    Canvas sheet(512, 512, kKey);
    bosses::DrawCells(sheet, bosses::Ghost(), kGhostLayout);
    bosses::DrawCells(sheet, bosses::OneEyedMonster(), kOneEyeLayout);
    bosses::DrawCells(sheet, bosses::Tengu(), kTenguLayout);
    return sheet;
}

namespace bosses {

// The turret eye, looking up (the game turns it toward the player): a
// crimson iris in a gold rim on a dark socket; glowing as it winds up,
// white-hot as it fires, a shut lid when its body dies.
const std::vector<Picture>& KingTengu2ndEyes() {
    static const std::vector<Picture> pictures = {
        {"eye_open", {
            "....kkkk....",
            "..kkaggakk..",
            ".kagwwwwgak.",
            ".kgwkkkkwgk.",
            "kagwkCCkwgak",
            "kgwwkCCkwwgk",
            "kgwwwkkwwwgk",
            "kagwwwwwwgak",
            ".kgwwwwwwgk.",
            ".kaggwwggak.",
            "..kkaggakk..",
            "....kkkk....",
        }},
        {"eye_glow", {
            "....kkkk....",
            "..kkgeegkk..",
            ".kgewwwwegk.",
            ".kewRRRRwek.",
            "kgewRccRwegk",
            "kewwRccRwwek",
            "kewwwRRwwwek",
            "kgewwwwwwegk",
            ".kewwwwwwek.",
            ".kgeewweegk.",
            "..kkgeegkk..",
            "....kkkk....",
        }},
        {"eye_fire", {
            "....keek....",
            "..kkewwekk..",
            ".kewwwwwwek.",
            ".kwwwccwwwk.",
            "kewwcwwcwwek",
            "kwwwcwwcwwwk",
            "kewwwccwwwek",
            "kewwwwwwwwek",
            ".kewwwwwwek.",
            ".keewwwweek.",
            "..kkeeeekk..",
            "....kkkk....",
        }},
        {"eye_shut", {
            "............",
            "............",
            "....kkkk....",
            "..kkaggakk..",
            ".kagggggggk.",
            "kaggggggggak",
            "kkkkkkkkkkkk",
            "kaddddddddak",
            ".kaddddddak.",
            "..kkaaaakk..",
            "....kkkk....",
            "............",
        }},
    };
    return pictures;
}

}  // namespace bosses

// --- Their shots (resource 180, slot 60) -------------------------------------------------

namespace {

// Each picture points up (a shot is turned along its flight) and keeps to its
// boss's colours: the ghost's violet fire, the tengu's crow feathers and leaf
// blade, the one-eyed monster's slate rocks, the second form's crimson bolt.
const std::vector<bosses::Picture>& HookBossShots() {
    static const std::vector<bosses::Picture> pictures = {
        {"feather_a", {
            "....k....", "...kdk...", "...kdk...", "..kndnk..", "..kndnk..", ".kndndnk.", ".kndndnk.",
            ".kndndnk.", ".knndnnk.", "..kndnk..", "..kndnk..", "...kdk...", "...kSk...", "....k....",
        }},
        {"feather_b", {
            "....k....", "...kmk...", "...kdk...", "..kdmdk..", "..kdmdk..", ".kdmdmdk.", ".kdndndk.",
            ".kndmdnk.", ".kndndnk.", "..kndnk..", "..kndnk..", "...kdk...", "...kSk...", "....k....",
        }},
        {"ghostfire_a", {
            "....kk......", "...kvk......", "...kvvk.....", "....kvvk....", "...kvffvk...", "..kvffffvk..",
            ".kvfwwwwfvk.", ".kvfwwwwfvk.", "kvfwwwwwwfvk", "kvfwwwwwwfvk", "kvffwwwwffvk", ".kvffffffvk.",
            "..kvvvvvvk..", "...kkkkkk...",
        }},
        {"ghostfire_b", {
            "......kk....", "......kvk...", ".....kvvk...", "....kvvk....", "...kvffvk...", "..kvffffvk..",
            ".kvfwwwwfvk.", ".kvfwwwwfvk.", "kvfwwwwwwfvk", "kvfwwwwwwfvk", "kvffwwwwffvk", ".kvffffffvk.",
            "..kvvvvvvk..", "...kkkkkk...",
        }},
        {"rock", {
            "....kkkkk.....", "..kkTTTttkk...", ".kTTTTtttttk..", ".kTTttttttKk..", "kTTtttttttKKk.",
            "kTttttKtttKKk.", "kTtttKKttKKKk.", "kttttKtttKKKk.", ".kttttttKKKk..", ".kKtttKKKKKk..",
            "..kkKKKKKkk...", "....kkkkk.....",
        }},
        {"shard_a", {"..kk..", ".kTtk.", "kTttKk", "ktKKk.", ".kkk.."}},
        {"shard_b", {"kk....", "kTk...", "kttkk.", "kttKKk", ".kKKk.", "..kk.."}},
        {"leafblade", {
            "....k....", "...klk...", "...klk...", "..klGlk..", "..klGlk..", ".klGGGlk.", ".klGpGlk.",
            ".klGpGlk.", "..kGpGk..", "..kGpGk..", "...kpk...", "...kok...", "....k....",
        }},
        {"eyebolt", {
            "...kk...", "..kcck..", "..kwck..", ".kcwwck.", ".kcwwck.", ".kRwwRk.", ".kRccRk.", "..kRRk..",
            "..kCCk..", "..kCCk..", "...kk...",
        }},
    };
    return pictures;
}

const Layout kShotsLayout{180, 60, "hook_boss_shots_slot60", {
    {"feather_a", "400", 0, 0, Anchor::Centre},
    {"feather_b", "401", 16, 0, Anchor::Centre},
    {"ghostfire_a", "410 412", 32, 0, Anchor::Centre},
    {"ghostfire_b", "411 413", 48, 0, Anchor::Centre},
    {"rock", "440 450 460", 64, 0, Anchor::Centre},
    {"shard_a", "480", 80, 0, Anchor::Centre},
    {"shard_b", "490", 96, 0, Anchor::Centre},
    {"leafblade", "500", 112, 0, Anchor::Centre},
    {"eyebolt", "580", 128, 0, Anchor::Centre},
}, 256, bosses::kShotCell};
ART_LAYOUT(kShotsLayout);

}  // namespace

ART_SHEET(180, "hook-boss-shots") {
    Canvas sheet(256, 256, kKey);
    bosses::DrawPictures(sheet, kShotsLayout, HookBossShots(), bosses::ShotLegend());
    return sheet;
}
