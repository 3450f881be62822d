// Texture slot 40 (resource 141, 512 x 512) is shared: the stage objects
// draw from it as well as the king tengu's fall back to the ground after its
// defeat (records 112 and 113). Each user keeps to its own region and draws
// it here:
//
//  region                 user
//  256,448 - 383,511      the king tengu falling (two 64 x 64 cells)
//  182,21 - 197,36       the shopkeeper's face (MenuShopArt.h), on the
//                         shop stall's counter
//  the regions listed in StageObjectArt.h   the stage objects (their
//                         records fix where; the falling block's ropes run
//                         down to 489 in columns 440..479)
//  everything else        free
#include "Bosses.h"
#include "MenuShopArt.h"
#include "StageObjectArt.h"

namespace {

const Layout kFallLayout{141, 40, "kingtengu_slot40", {
    {"fall_a", "112", 256, 448, Anchor::Centre},
    {"fall_b", "113", 320, 448, Anchor::Centre},
}, 512, rig::CellGeometry{64, 64, 64, 32, 30, 10, 12}};
ART_LAYOUT(kFallLayout);

}  // namespace

ART_SHEET(141, "slot-40") {
    Canvas sheet(512, 512, kKey);
    bosses::DrawCells(sheet, bosses::KingTengu(), kFallLayout);
    stage_art::DrawStageObjectsOnSlot40(sheet);
    menu_art::DrawShopkeeperOnSlot40(sheet);
    return sheet;
}
