#pragma once
// The title-side screens' parts of the interface sheet and the save-slot
// marks of the HUD sheet (stage_select_art.cpp).
#include "Canvas.h"

// The stage-select screen's preview frame, stage pictures, plates and
// buttons.
void DrawStageSelectParts(Canvas& sheet);
// The shop's, status and score screens' arrows, shopkeeper, balloon,
// panels, BUY, empty slot and owned mark (shop_art.cpp).
void DrawShopParts(Canvas& sheet);
// The save-slot rows' gauge mark and erase button, on the HUD sheet.
void DrawSaveSlotMarks(Canvas& sheet);
// The 20 x 20 plate of the interface buttons, at (x, y).
void DrawButtonPlate(Canvas& sheet, int x, int y);
