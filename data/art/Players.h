#pragma once
// The three player characters the sheets draw (the Ninja, Luka, Ironclaw):
// their rig models and the pose library they share. A pose is a line of the
// table in players.cpp; a character may have its own version of a pose.
#include <string>
#include <vector>

#include "Rig.h"
#include "Sheets.h"

namespace players {

enum class Who { Ninja, Luka, Ironclaw };

const rig::Model& ModelOf(Who who);
// The pose by name, the character's own version first; aborts on a name
// that no table holds, so a layout cannot name a pose that does not exist.
rig::Pose PoseOf(Who who, const std::string& name);
// Draws the cell's pose into a cell-sized canvas, placed as the pose says
// (on the floor, against a wall or ceiling, centred); aborts when the figure
// does not fit the cell.
Canvas DrawCell(Who who, const Cell& cell, const rig::CellGeometry& geometry);
// A whole sheet: every cell of the layout.
Canvas DrawLayoutSheet(Who who, const Layout& layout);
// A sheet whose cells belong to several characters (the defeat poses):
// the character of each cell is chosen by its pose name's prefix.
Canvas DrawSharedSheet(const Layout& layout, Who (*whoOf)(const Cell&));

// The cells Luka's and Ironclaw's second sheets (slots 26 and 28) share:
// their defeat poses 162-194 and their own versions of the states their
// records take from the Ninja's sheet (the table at the head of luka.cpp).
const std::vector<Cell>& SecondSheetCells();
// Review strips that "luka" and "ironclaw" share: the Ninja's frames they
// borrow beside their own versions, and their defeat flows.
std::vector<ReviewStrip> SharedStrips(const std::string& who);

}  // namespace players
