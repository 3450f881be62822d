// Plain sheets: the page of slot 0 and the white texel of the screen effects.
#include "Palette.h"
#include "Sheets.h"
#include "Tiles.h"

// Slot 0: empty but for the one-way border tile at its bottom-right
// (texels 44..63, anchor 54, 54).
ART_SHEET(100, "empty") {
    Canvas c(64, 64, kKey);
    DrawBorderTile(c, 44, 44);
    return c;
}

ART_SHEET(101, "white") { return Canvas(8, 8, kWhite); }
