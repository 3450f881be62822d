// The enemy sheets, each drawn from the layouts registered for it (the
// kinds' files under data/art draw their cells):
//   resource 130, slot 29   the snow fairy and the crow-billed goblin in the
//                           upper rows (snow_fairy_crow.cpp), the jade living
//                           armour in the bottom rows (living_armour.cpp)
//   resource 131, slot 30   the enemy ninja and its shots (enemy_ninja.cpp),
//                           the living armour and its crimson variant
//                           (living_armour.cpp)
//   resource 161, slot 42   the archer and its arrows (archer.cpp)
//   resource 162, slot 43   the lizardman (lizardman.cpp), drawn onto Luka's
//                           and Ironclaw's defeat sheet by defeats.cpp
//   resource 163, slot 44   the dragon and its fire (dragon.cpp)
//   resource 164, slot 45   the flower (flower.cpp)
//   resource 165, slot 46   the bird and its egg (bird.cpp)
//   resource 134, slot 33   the kappa and its plate (kappa.cpp)
#include "Sheets.h"

ART_SHEET(130, "snow-fairy-crow-armour") { return PaintedSheet(130); }
ART_SHEET(131, "enemy-ninja-armour") { return PaintedSheet(131); }
ART_SHEET(161, "archer") { return PaintedSheet(161); }
ART_SHEET(163, "dragon") { return PaintedSheet(163); }
ART_SHEET(164, "flower") { return PaintedSheet(164); }
ART_SHEET(165, "bird") { return PaintedSheet(165); }
ART_SHEET(134, "kappa") { return PaintedSheet(134); }

namespace {

// Every kind side by side on the stage grounds (art_review/enemies_dusk.png),
// to judge their sizes and colours against each other and the player.
const Review kAllEnemies{"enemies", {134, 131, 161, 164, 162, 163, 165}, {}, {
    {"stand", 0}, {"walk_1", 0}, {"bronze.walk_1", 0}, {"aim", 0}, {"ready", 0}, {"rust.walk_2", 0}, {"fly_a", 0}, {"flap_a", 0},
}};
ART_REVIEW(kAllEnemies);

}  // namespace
