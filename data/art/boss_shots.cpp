// The bosses' own shots and hazards: small pixel grids, each pointing right
// (the way it flies when the game turns it to its velocity), with the ink
// outline of everything the player must dodge.
#include "Bosses.h"

namespace bosses {

// clang-format off
const std::vector<Picture>& KingTenguShots() {
    static const std::vector<Picture> pictures = {
        // A tengu feather, tip first (the fan's spray).
        {"feather", {
            "......kkkkkkk...",
            "...kkkooooooEkk.",
            "kkkTTTTTTTTTTTTk",
            "..kkkEEEEEEEEEkk",
            "....kkkkkkkkkk..",
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
        // A ball of tengu fire (the ring that slows and then aims).
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
        {"orb_aim", {
            "....kkkkk..",
            "..kkaagaak.",
            "kkcaagewegk",
            "kcaaaewwwek",
            "kkcaagewegk",
            "..kkcaaack.",
            "....kkkkk..",
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
            "......kkkkk.....",
            "kkkkkkfffwwkkk..",
            "kbbffffwwwwwwwkk",
            "kkkkkkfffwwkkk..",
            "......kkkkk.....",
        }},
        // The great blade of wind of the forward swing.
        {"blade", {
            "..........kkkk..........",
            "........kkwwwwkk........",
            "..........kkffwwkk......",
            "............kkfwwwk.....",
            "..............kbfwwk....",
            "...............kbfwwk...",
            "...............kbffwk...",
            "...............kbffwk...",
            "...............kbfwwk...",
            "..............kbfwwk....",
            "............kkfwwwk.....",
            "..........kkffwwkk......",
            "........kkwwwwkk........",
            "..........kkkk..........",
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
            "...........kk...",
            "..........kvk...",
            "kkkkkkkkkkkwvk..",
            "kdmmrrvvvvwwwvkk",
            "kdmmrrvvwwwwwwvk",
            "kkkkkkkkkkkwvkk.",
            "..........kvk...",
            "...........kk...",
        }},
        // The aimed darts (760, 761: two frames of their shimmer).
        {"dart_a", {
            "......kkk...",
            "kkkkkkvwvkk.",
            "kdmmrvwwwwvk",
            "kkkkkkvwvkk.",
            "......kkk...",
        }},
        {"dart_b", {
            "......kkk...",
            ".kkkkkvwvkk.",
            "kmrrrvwwwwvk",
            ".kkkkkvwvkk.",
            "......kkk...",
        }},
        // The low shot that runs along the floor: a rolling violet flame.
        {"flame_a", {
            ".......kkk....",
            "....kkkrvvk...",
            "..kkrrvvwvvk..",
            ".krrvvwwwwvvk.",
            "kdrvvwwwwwwvk.",
            "kdmrvvwwwwvvk.",
            ".kdmrvvvvvvk..",
            "..kkdmmrrkk...",
            "....kkkkk.....",
        }},
        {"flame_b", {
            "........kk....",
            "...kkk.krvk...",
            "..kdrrkrvvvk..",
            ".kdrvvvvwwvvk.",
            "kdmrvvwwwwwvk.",
            ".kmrvvwwwwvvk.",
            ".kdmrvvvvvvk..",
            "..kkdmmrrkk...",
            "....kkkkk.....",
        }},
    };
    return pictures;
}
// clang-format on

}  // namespace bosses
