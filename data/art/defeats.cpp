// The defeat poses that Luka and Ironclaw share a sheet for: texture slot
// 43 (resource 162), 256 x 256, 40 x 40 cells. Each character has its own
// cells; the records 130-145 of each class point at its own.
//
//  cell                 at          anchor  states
//  luka.squash_a/b      0,0 40,0    feet    130 / 131   (squashed by a leaping lizardman)
//  luka.dizzy_a/b       80,0 120,0  feet    132 / 133   (dazed, until a touch)
//  luka.crawl_a/b       160,0 200,0 feet    140 / 141   (crawling away)
//  luka.collapse_a/b    0,40 40,40  feet    142 / 143   (collapsing while the screen fades)
//  luka.tied_a/b        80,40 120,40 feet   144 / 145   (tied up in the first defeat stage)
//  ironclaw.*           the same, one row pair lower: 0,80 to 120,120
#include <cstring>

#include "Players.h"

namespace {

const Layout kDefeatLayout{162, 43, "defeats_slot43", {
    {"luka.squash_a", "130", 0, 0, Anchor::Feet},
    {"luka.squash_b", "131", 40, 0, Anchor::Feet},
    {"luka.dizzy_a", "132", 80, 0, Anchor::Feet},
    {"luka.dizzy_b", "133", 120, 0, Anchor::Feet},
    {"luka.crawl_a", "140", 160, 0, Anchor::Feet},
    {"luka.crawl_b", "141", 200, 0, Anchor::Feet},
    {"luka.collapse_a", "142", 0, 40, Anchor::Feet},
    {"luka.collapse_b", "143", 40, 40, Anchor::Feet},
    {"luka.tied_a", "144", 80, 40, Anchor::Feet},
    {"luka.tied_b", "145", 120, 40, Anchor::Feet},
    {"ironclaw.squash_a", "130", 0, 80, Anchor::Feet},
    {"ironclaw.squash_b", "131", 40, 80, Anchor::Feet},
    {"ironclaw.dizzy_a", "132", 80, 80, Anchor::Feet},
    {"ironclaw.dizzy_b", "133", 120, 80, Anchor::Feet},
    {"ironclaw.crawl_a", "140", 160, 80, Anchor::Feet},
    {"ironclaw.crawl_b", "141", 200, 80, Anchor::Feet},
    {"ironclaw.collapse_a", "142", 0, 120, Anchor::Feet},
    {"ironclaw.collapse_b", "143", 40, 120, Anchor::Feet},
    {"ironclaw.tied_a", "144", 80, 120, Anchor::Feet},
    {"ironclaw.tied_b", "145", 120, 120, Anchor::Feet},
}};
ART_LAYOUT(kDefeatLayout);

players::Who OwnerOf(const Cell& c) {
    return std::strncmp(c.pose, "luka.", 5) == 0 ? players::Who::Luka : players::Who::Ironclaw;
}

}  // namespace

ART_SHEET(162, "defeat-poses") { return players::DrawSharedSheet(kDefeatLayout, OwnerOf); }
