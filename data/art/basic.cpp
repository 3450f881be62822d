// Plain sheets: the page of slot 0 and the white texel of the screen effects.
#include "Palette.h"
#include "Sheets.h"

// Slot 0: wholly empty. Every record that points at it (the first record
// of each table, the one-way border blocks at the stage's edge) draws
// nothing.
ART_SHEET(100, "empty") { return Canvas(64, 64, kKey); }

ART_SHEET(101, "white") { return Canvas(8, 8, kWhite); }
