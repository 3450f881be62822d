// Stand-in sheets for the two characters of the title's character page,
// Luka (126) and Ironclaw (128), until their own sheets are drawn: the
// first two 40 x 40 cells of each hold a standing figure and the same
// figure taking a breath, which the page steps between while the character
// is highlighted.
#include "Palette.h"
#include "Sheets.h"

namespace {

// Luka: a light ninja in a mist-blue hood with a long foam-green scarf.
const std::vector<std::string> kLuka[2] = {
    {
        "..........kkkkkk........",
        "........kkmmmmmmkk......",
        ".......kmmmmmmmmmmk.....",
        "......kmmmmmmmmmmmmk....",
        "......kmmsssssssmmmk....",
        "......kmsskksskkssmk....",
        "......kmsssssssssssk....",
        ".......kmmssssssmmk.....",
        "......kffffffffffffkk...",
        ".....kffffffffffffffffk.",
        ".....kmmmffffffmmmkkfffk",
        "....kmmmmmmffmmmmmmk.kk.",
        "....kmmkmmmmmmmmkmmk....",
        "....kmmkmmmmmmmmkmmk....",
        "....kssk.kwwwwk.kssk....",
        ".....kk..kmmmmk..kk.....",
        ".........kmmmmk.........",
        "........kmmkkmmk........",
        "........kmmk.kmmk.......",
        "........kmmk..kmk.......",
        "........kmmk..kmk.......",
        ".......kkkkk..kkkk......",
    },
    {
        "........................",
        "..........kkkkkk........",
        "........kkmmmmmmkk......",
        ".......kmmmmmmmmmmk.....",
        "......kmmmmmmmmmmmmk....",
        "......kmmsssssssmmmk....",
        "......kmsskksskkssmk....",
        "......kmsssssssssssk....",
        ".......kmmssssssmmk.....",
        "......kffffffffffffkkk..",
        ".....kffffffffffffffffkk",
        ".....kmmmffffffmmmkk.ffk",
        "....kmmmmmmffmmmmmmk..k.",
        "....kmmkmmmmmmmmkmmk....",
        "....kssk.kwwwwk.kssk....",
        ".....kk..kmmmmk..kk.....",
        ".........kmmmmk.........",
        "........kmmkkmmk........",
        "........kmmk.kmmk.......",
        "........kmmk..kmk.......",
        "........kmmk..kmk.......",
        ".......kkkkk..kkkk......",
    },
};

// Ironclaw: a broad figure in iron plates with a red eye slit and gold
// claws.
const std::vector<std::string> kIronclaw[2] = {
    {
        "........kkkkkkkk........",
        ".......kllllllllk.......",
        "......kllllllllldk......",
        "......klrrrrrrrrdk......",
        "......kllllllllddk......",
        "...kkkkkllllllddkkkkk...",
        "..kllllkkkkkkkkklllldk..",
        "..kllllllllllllllllldk..",
        "..kllkllllllllllllkdddk.",
        "..kllkllllllddllllkddk..",
        "..kllkllllllddllllkddk..",
        "..kllkllllllllllllkddk..",
        "..kllk.kkkkkkkkkk.kddk..",
        ".kggggk.kllllldk.kggggk.",
        ".kg.g.k.kllllldk.k.g.gk.",
        "..k.k...kllllldk..k.k...",
        ".......kllllklldk.......",
        ".......klllk.klddk......",
        ".......klllk..kldk......",
        "......kllllk..klldk.....",
        "......kkkkkk..kkkkk.....",
    },
    {
        "........................",
        "........kkkkkkkk........",
        ".......kllllllllk.......",
        "......kllllllllldk......",
        "......klrrrrrrrrdk......",
        "......kllllllllddk......",
        "..kkkkkkllllllddkkkkkk..",
        "..kllllkkkkkkkkklllldk..",
        "..kllllllllllllllllldk..",
        "..kllkllllllllllllkdddk.",
        "..kllkllllllddllllkddk..",
        "..kllkllllllddllllkddk..",
        "..kllk.kkkkkkkkkk.kddk..",
        ".kggggk.kllllldk.kggggk.",
        ".kg.g.k.kllllldk.k.g.gk.",
        "........kllllldk........",
        ".......kllllklldk.......",
        ".......klllk.klddk......",
        ".......klllk..kldk......",
        "......kllllk..klldk.....",
        "......kkkkkk..kkkkk.....",
    },
};

bool Legend(char ch, Rgb& out) {
    switch (ch) {
        case 'k': out = kInk; return true;
        case 'm': out = kMist; return true;
        case 's': out = kSkin; return true;
        case 'f': out = kFoam; return true;
        case 'w': out = kNavy; return true;
        case 'l': out = kStoneLight; return true;
        case 'd': out = kStone; return true;
        case 'r': out = kRed; return true;
        case 'g': out = kGold; return true;
        default: return false;
    }
}

// The two frames in cells (0, 0) and (40, 0), feet on the cell's floor.
Canvas Sheet(const std::vector<std::string> (&frames)[2]) {
    Canvas c(256, 256, kKey);
    for (int f = 0; f < 2; ++f) {
        const std::vector<std::string>& rows = frames[f];
        const int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
        c.Grid(40 * f + (40 - w) / 2, 40 - h - 2, rows, Legend);
    }
    return c;
}

}  // namespace

ART_PLACEHOLDER_SHEET(126, "luka-stand-in") { return Sheet(kLuka); }

ART_PLACEHOLDER_SHEET(128, "ironclaw-stand-in") { return Sheet(kIronclaw); }
