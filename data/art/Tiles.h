#pragma once
// Shared pieces of the stage tile sheets. A tile is a 20 x 20 picture drawn
// at scale 2.0 over one 40-pixel map cell. Tile sheets are 256 x 256 with
// the tiles in a grid of 12 to a row: tile n of a sheet has its top-left
// texel at (20 * (n % 12), 20 * (n / 12)) and its anchor (the frame
// record's u, v) at the tile's centre, 10 texels further right and down.
// data/frames/CCharacterBlock.tab and CCharacterBackground.tab point at the
// tiles by those anchors.
#include <cstdint>

#include "Canvas.h"

constexpr int kTile = 20;
constexpr int kTilesPerRow = 12;
constexpr int kTileSheetSize = 256;

inline int TileX(int n) { return (n % kTilesPerRow) * kTile; }
inline int TileY(int n) { return (n / kTilesPerRow) * kTile; }

// Repeatable noise for textures: the same inputs give the same value on
// every build.
inline uint32_t TileHash(uint32_t a, uint32_t b, uint32_t c = 0) {
    uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

// True on roughly `percent` of the texels, the same ones every build.
inline bool TileSpeck(int x, int y, uint32_t seed, int percent) {
    return static_cast<int>(TileHash(static_cast<uint32_t>(x), static_cast<uint32_t>(y), seed) % 100) < percent;
}


