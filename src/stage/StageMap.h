#pragma once
// The stage maps as the program carries them: three layers of 32-bit cells
// per stage, compiled from data/maps by tools/mapgen.
//
// A cell's low 16 bits are the type id to create (0: empty); bit 16 places
// the character half a cell lower, bit 17 half a cell further right; bits
// 18 to 31 are 0. A layer of a W x H stage holds (W + 10) x (H + 10) cells,
// row by row: a border of five cells on every side of the playfield. Cell
// (column c, row r) stands for the map position (c * 400 - 1800,
// r * 400 - 1800), the centre of its square; playfield cell (0, 0) is layer
// cell (5, 5).
#include <cstdint>

using StageMapCell = uint32_t;

inline constexpr StageMapCell kMapCellTypeMask = 0xFFFF;
inline constexpr StageMapCell kMapCellHalfDown = 0x10000;
inline constexpr StageMapCell kMapCellHalfRight = 0x20000;
inline constexpr int32_t kMapBorder = 5;

struct StageMapData {
    const char* name;  // "1_1" .. "1_8"
    int32_t width;     // playfield, in cells
    int32_t height;
    const StageMapCell* layerA;  // blocks and exit walls
    const StageMapCell* layerB;  // scenery
    const StageMapCell* layerC;  // enemies and the boss
};

// Map position of a layer cell's centre, in world units.
constexpr int32_t MapCellX(int32_t column) { return column * 400 - 1800; }
constexpr int32_t MapCellY(int32_t row) { return row * 400 - 1800; }
