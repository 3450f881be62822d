// Plain sheets: the empty page and the white texel of the screen effects.
#include "Palette.h"
#include "Sheets.h"

ART_SHEET(100, "empty") { return Canvas(64, 64, kKey); }

ART_SHEET(101, "white") { return Canvas(8, 8, kWhite); }
