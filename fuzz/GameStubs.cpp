// What the fuzz targets' few sources call of the rest of the game without
// the fuzzed paths reaching it: the inventory's texts and icons.
#include <cstdint>

#include "framework/TextTable.h"
#include "win/Sprite.h"

const char* GetText(int32_t) { return ""; }
void DrawSprite(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}
