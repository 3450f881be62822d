#pragma once
// The bosses the sheets draw (the king tengu in both forms, Silvy): each a
// rig model with its own pose table, and the small pictures of their shots.
//
// Every boss frame is anchored at the centre of the boss's body box, which
// is its position in every state; standing frames put the feet on the floor
// line at the bottom of that box (Anchor::Body), airborne ones keep the body
// where the pose puts it (Anchor::Centre). Cells are larger than the players'
// (rig::CellGeometry per sheet).
#include <map>
#include <string>
#include <vector>

#include "Rig.h"
#include "Sheets.h"

namespace bosses {

// One pose: numbers under the cast's columns, then pose words.
struct PoseLine {
    const char* name;
    const char* values;
    const char* words;
};

// A rigged boss: its model and the poses its cells name.
struct Cast {
    rig::Model model;
    const char* columns;  // what the values of a PoseLine set (rig::ReadPoseColumns)
    std::vector<PoseLine> poses;
};

const Cast& KingTengu();
const Cast& Silvy();

// The cells of their sheets. The anchor (the body's centre) lies as far
// above the floor line as the body box reaches below the position: 290
// units (14.5 texels at scale 2) for the king tengu, 190 (9.5) for Silvy;
// a standing figure's lowest row straddles the ground.
inline constexpr rig::CellGeometry kKingTenguCell{51, 64, 64, 25, 49, 10, 12};
inline constexpr rig::CellGeometry kKingTenguFlyingCell{64, 64, 64, 33, 45, 10, 12};
inline constexpr rig::CellGeometry kSilvyCell{40, 40, 36, 20, 26, 10, 12};
// Shots: the picture centred on the anchor.
inline constexpr rig::CellGeometry kShotCell{16, 16, 16, 8, 8, 0, 0};

// Draws the cell's pose into a cell-sized canvas, placed as the pose says;
// aborts on a pose the cast lacks or a figure the cell would cut. A pose
// name may carry its owner before a dot ("silvy.hurt" on the king tengu's
// sheet).
Canvas DrawCell(const Cast& cast, const Cell& cell, const rig::CellGeometry& geometry);
// Draws every cell of the layout into the sheet.
void DrawCells(Canvas& sheet, const Cast& cast, const Layout& layout);

// A small hand-drawn picture (a shot, a hazard): a pixel grid drawn centred
// on its cell's centre point, pointing right (+x) like every figure; in a
// cell anchored Stand it stands on the floor line instead (a shot that runs
// along the ground, its position on the ground).
struct Picture {
    const char* name;
    std::vector<std::string> rows;
};
// Draws the layout's cells from the pictures of the same names.
void DrawPictures(Canvas& sheet, const Layout& layout, const std::vector<Picture>& pictures,
                  const std::map<char, Rgb>& legend);

// The pictures of the shots and hazards, and the colours their grids use.
const std::vector<Picture>& KingTenguShots();
const std::vector<Picture>& SilvyShots();
const std::map<char, Rgb>& ShotLegend();

}  // namespace bosses
