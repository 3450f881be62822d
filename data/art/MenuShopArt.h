#pragma once
// The pictures of the in-stage menu and shop on the shared sheets (the map
// picture of slot 18, resource 118, is a sheet of its own in
// menu_shop.cpp).
//
// Slot 16 (resource 116, the HUD sheet), all drawn at 2x:
//   (0, 240 / 270 / 300)  190 x 23   the menu's header, one per tab shown
//   (0, 343)              190 x 97   the menu's page background
//   (0, 440)              180 x 40   the menu's description box
//   (110, 100)             30 x 20   the close button; (140, 100) 40 x 20 the
//                                    USE button's plate
//   (270..390, 180)        24 x 24   the ability icons: sandals, gauntlets,
//                                    silver gauntlets, scarf, amulet
//   (360, 240)             10 x 10   the map marker; (380, 240) and
//                                    (400, 240) 20 x 20 zoom in and out
//   (200, 260)            190 x 110  the shop window
//   (150, 150), (150, 180) 24 x 24   the scroll and the tank of heart
//   (480, 150), (480, 180) 24 x 24   bombs not in stock yet, the sold mark
// Slot 40 (resource 141): the shopkeeper's face, 16 x 16 at (182, 21), on
// the shop stall's counter.
#include "Canvas.h"

namespace menu_art {

void DrawMenuAndShopOnHud(Canvas& sheet);
void DrawShopkeeperOnSlot40(Canvas& sheet);

}  // namespace menu_art
