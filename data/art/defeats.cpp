// The defeat poses that Luka and Ironclaw share a sheet for: texture slot
// 43 (resource 162), 256 x 256, 40 x 40 cells. Each character has its own
// cells; the records 130-145 of each class point at its own. The top two
// rows and four cells at the right belong to the lizardman, whose records
// fix two of its cells at (120, 0) and (120, 40) (lizardman.cpp).
//
//  cell                 at             anchor  states
//  luka.squash_a/b      0,80 40,80     feet    130 / 131   (squashed by a leaping lizardman)
//  luka.dizzy_a/b       80,80 120,80   feet    132 / 133   (dazed, until a touch)
//  luka.crawl_a/b       160,80 200,80  feet    140 / 141   (crawling away)
//  luka.collapse_a/b    0,120 40,120   feet    142 / 143   (collapsing while the screen fades)
//  luka.tied_a/b        80,120 120,120 feet    144 / 145   (tied up in the first defeat stage)
//  ironclaw.*           the same, two rows lower: 0,160 to 120,200
#include "Players.h"

namespace {

const Layout kDefeatLayout{162, 43, "defeats_slot43", {
    {"luka.squash_a", "130", 0, 80, Anchor::Feet},
    {"luka.squash_b", "131", 40, 80, Anchor::Feet},
    {"luka.dizzy_a", "132", 80, 80, Anchor::Feet},
    {"luka.dizzy_b", "133", 120, 80, Anchor::Feet},
    {"luka.crawl_a", "140", 160, 80, Anchor::Feet},
    {"luka.crawl_b", "141", 200, 80, Anchor::Feet},
    {"luka.collapse_a", "142", 0, 120, Anchor::Feet},
    {"luka.collapse_b", "143", 40, 120, Anchor::Feet},
    {"luka.tied_a", "144", 80, 120, Anchor::Feet},
    {"luka.tied_b", "145", 120, 120, Anchor::Feet},
    {"ironclaw.squash_a", "130", 0, 160, Anchor::Feet},
    {"ironclaw.squash_b", "131", 40, 160, Anchor::Feet},
    {"ironclaw.dizzy_a", "132", 80, 160, Anchor::Feet},
    {"ironclaw.dizzy_b", "133", 120, 160, Anchor::Feet},
    {"ironclaw.crawl_a", "140", 160, 160, Anchor::Feet},
    {"ironclaw.crawl_b", "141", 200, 160, Anchor::Feet},
    {"ironclaw.collapse_a", "142", 0, 200, Anchor::Feet},
    {"ironclaw.collapse_b", "143", 40, 200, Anchor::Feet},
    {"ironclaw.tied_a", "144", 80, 200, Anchor::Feet},
    {"ironclaw.tied_b", "145", 120, 200, Anchor::Feet},
}};
ART_LAYOUT(kDefeatLayout);

}  // namespace

ART_SHEET(162, "defeat-poses-lizardman") {
    Canvas sheet = players::DrawSharedSheet(kDefeatLayout, players::OwnerOf);
    PaintLayouts(sheet, 162);  // the lizardman's cells
    return sheet;
}
