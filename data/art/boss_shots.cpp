// The bosses' own shots and hazards: small pixel grids with the ink outline
// of everything the player must dodge. Shots that the game turns to face
// their velocity point up (angle 0 is straight up); the others face right
// like every figure (the game mirrors them for facing -1).
#include "Bosses.h"

namespace bosses {

// clang-format off
const std::vector<Picture>& KingTenguShots() {
    static const std::vector<Picture> pictures = {
        // A tengu feather, tip first (the fan's spray).
        {"feather", {
            "...k...",
            "..kok..",
            ".kooEk.",
            "kooTEEk",
            "kooTEEk",
            "kooTEEk",
            "kooTEEk",
            "kooTEEk",
            ".koTEk.",
            ".koTEk.",
            "..kTk..",
            "..kTk..",
            "..kTk..",
            "...k...",
        }},
        // A humming whirl of wind, two frames of its turn.
        {"hum_a", {
            "..kkkkkkk..",
            "..kffwwfbk.",
            ".kfwkkkwfbk",
            "kfwkbbbkwbk",
            "kfkbfwfbkbk",
            "kfkbwkwbkfk",
            "kbkbfwfbkfk",
            "kbwkbbbkwfk",
            ".kbfwkkkfk.",
            "..kbffwfk..",
            "...kkkkk...",
        }},
        {"hum_b", {
            "...kkkkk...",
            "..kbfwffk..",
            ".kbfkkkwfk.",
            "kbwkbbbkwfk",
            "kbkbfwfbkfk",
            "kfkbwkwbkfk",
            "kfkbfwfbkbk",
            "kfwkbbbkwbk",
            ".kfwkkkfbk.",
            "..kfwffbk..",
            "...kkkkk...",
        }},
        // A ball of tengu fire, two frames of its flicker (the ring that slows
        // and then aims).
        {"orb", {
            "..kkkkk..",
            ".kaagaak.",
            "kagewegak",
            "kaewwweak",
            "kagewegak",
            "kcaagaack",
            ".kcaaack.",
            "..kkkkk..",
        }},
        {"orb_b", {
            "..kkkkkk..",
            ".kaaggaak.",
            "kagewweegk",
            "kaewwwweak",
            "kaewwwweak",
            "kageweegak",
            "kcaaggaack",
            ".kccaacck.",
            "..kkkkkk..",
        }},
        // The ball thrown from far away that grows as it comes near.
        {"ball", {
            "..kkkkk..",
            ".kfwwffk.",
            "kfwwffbbk",
            "kfwffbbbk",
            "kffbbbbBk",
            "kfbbbbBBk",
            "kbbbbBBBk",
            ".kbBBBBk.",
            "..kkkkk..",
        }},
        // A stone carried by the gale, and the pebbles it bursts into.
        {"rock", {
            "...kkkk...",
            ".kkTTTtkk.",
            "kTTTtttKtk",
            "kTtttttKKk",
            "ktttttKKKk",
            "kttKKKKKk.",
            ".kKKKKkk..",
            "..kkkk....",
        }},
        {"pebble_a", {
            ".kkk.",
            "kTtKk",
            "ktKKk",
            ".kkk.",
        }},
        {"pebble_b", {
            "kkk.",
            "kTtk",
            "kKKk",
            ".kk.",
        }},
        {"pebble_c", {
            ".kk.",
            "kTtk",
            ".kk.",
        }},
        // The charged shot: a spear of bright wind.
        {"lance", {
            "..k..",
            "..k..",
            ".kwk.",
            ".kwk.",
            ".kwk.",
            "kwwwk",
            "kwwwk",
            "kfwfk",
            "kfwfk",
            "kfffk",
            ".kfk.",
            ".kfk.",
            ".kfk.",
            ".kbk.",
            ".kbk.",
            ".kkk.",
        }},
        // The great blade of wind of the forward swing.
        {"blade", {
            ".....kkkk.....",
            "....kwwwwk....",
            "...kwwffwwk...",
            "..kwwffffwwk..",
            "..kwfbbbbfwk..",
            ".kwwbkkkkbwwk.",
            ".kwfk....kfwk.",
            "kwfk......kfwk",
            "kwfk......kfwk",
            "kwk........kwk",
            "kwk........kwk",
            ".k..........k.",
            ".k..........k.",
        }},
    };
    return pictures;
}

const std::vector<Picture>& SilvyShots() {
    static const std::vector<Picture> pictures = {
        // The spinning star of the ring of four hazards (750), and the same
        // star when it flies at the player (751), its trail behind.
        {"star", {
            ".....kk.....",
            "....kvvk....",
            "....kvwk....",
            "kkkkkvwvkkkk",
            "kvvvvwwvvvvk",
            ".kvwwwwwwvk.",
            ".kvwwwwwwvk.",
            "kvvvvwwvvvvk",
            "kkkkkvwvkkkk",
            "....kvwk....",
            "....kvvk....",
            ".....kk.....",
        }},
        {"star_fly", {
            "...kk...",
            "...kvk..",
            "..kvwk..",
            "kkvwwvkk",
            "kvwwwwvk",
            ".kkwwkk.",
            "..kvwk..",
            "..kvwk..",
            "..kvvk..",
            "..kvvk..",
            "..krrk..",
            "..krrk..",
            "..kmmk..",
            "..kmmk..",
            "..kddk..",
            "..kkkk..",
        }},
        // The aimed darts (760, 761: two frames of their shimmer).
        {"dart_a", {
            "..k..",
            ".kvk.",
            ".kwk.",
            "kvwvk",
            "kwwwk",
            "kvwvk",
            ".kvk.",
            ".krk.",
            ".kmk.",
            ".kmk.",
            ".kdk.",
            ".kkk.",
        }},
        {"dart_b", {
            "..k..",
            ".kvk.",
            ".kwk.",
            "kvwvk",
            "kwwwk",
            "kvwvk",
            ".kvk.",
            ".krk.",
            ".krk.",
            ".krk.",
            ".kmk.",
            "..k..",
        }},
        // The low shot that runs along the floor: a rolling violet flame.
        {"flame_a", {
            ".......kkk...",
            "....kkkrvvk..",
            "..kkrrvvwvvk.",
            ".krrvvwwwwvvk",
            "kdrvvwwwwwwvk",
            "kdmrvvwwwwvvk",
            ".kdmrvvvvvvk.",
            "..kkdmmrrkk..",
            "....kkkkk....",
        }},
        {"flame_b", {
            "........kk...",
            "...kkk.krvk..",
            "..kdrrkrvvvk.",
            ".kdrvvvvwwvvk",
            "kdmrvvwwwwwvk",
            ".kmrvvwwwwvvk",
            ".kdmrvvvvvvk.",
            "..kkdmmrrkk..",
            "....kkkkk....",
        }},
    };
    return pictures;
}
// clang-format on

}  // namespace bosses
