#pragma once
// The player characters the sheets draw (the Ninja, Luka, Ironclaw, and the
// kunoichi, the chain-sickle fighter and the robot):
// their rig models and the pose library they share. A pose is a line of the
// table in players.cpp; a character may have its own version of a pose.
#include <string>
#include <vector>

#include "Rig.h"
#include "Sheets.h"

namespace players {

enum class Who { Ninja, Luka, Ironclaw, Kunoichi, Kusarigama, Robo };

// A pose as a line of a table (players.cpp explains the columns).
struct PoseRow {
    const char* name;
    float hipX, hipY, torso, head;
    float armN, foreN, armF, foreF;
    float legN, shinN, footN, legF, shinF, footF;
    const char* extra;
};

const rig::Model& ModelOf(Who who);
// The kunoichi's, the chain-sickle fighter's and the robot's models, and
// their own poses (null for a pose they take from the shared library);
// other_ninjas.cpp.
const rig::Model& OtherNinjaModel(Who who);
const PoseRow* OtherNinjaPose(Who who, const std::string& name);
// The slash trails, dizzy stars and rope every player model carries (shown
// by the poses that name them).
void AddPlayerExtras(rig::Model& m, const rig::Ramp& rope, float bodyRadius);
// The pose by name, the character's own version first; aborts on a name
// that no table holds, so a layout cannot name a pose that does not exist.
rig::Pose PoseOf(Who who, const std::string& name);
// Draws the cell's pose into a cell-sized canvas, placed as the pose says
// (on the floor, against a wall or ceiling, centred); aborts when the figure
// does not fit the cell.
Canvas DrawCell(Who who, const Cell& cell, const rig::CellGeometry& geometry);
// A whole sheet: every cell of the layout.
Canvas DrawLayoutSheet(Who who, const Layout& layout);
// Draws every cell of the layout onto a sheet.
void DrawLayoutCells(Canvas& sheet, Who who, const Layout& layout);
// The character a "who.pose" cell of a shared sheet belongs to (luka. or
// ironclaw.).
Who OwnerOf(const Cell& cell);
// A layout painter (Layout::paint) that draws each cell as its owner's.
Canvas PaintOwnCell(const Layout& layout, const Cell& cell);
// A sheet whose cells belong to several characters (the defeat poses):
// the character of each cell is chosen by its pose name's prefix.
Canvas DrawSharedSheet(const Layout& layout, Who (*whoOf)(const Cell&));

// The Ninja's cells on its sheet (slot 19's top-left quarter, ninja.cpp).
const std::vector<Cell>& NinjaCells();
// The cells Luka's and Ironclaw's second sheets (slots 26 and 28) share:
// their defeat poses 162-194.
const std::vector<Cell>& SecondSheetCells();
// Luka's (or Ironclaw's) own versions of the states whose records they share
// with the Ninja and which are drawn from the Ninja's sheet: each at the
// place of the Ninja's cell of the same pose, moved by (dx, dy) into the
// character's quarter of that sheet, and named "luka.pose" (or
// "ironclaw.pose").
std::vector<Cell> BorrowedCells(Who who, int dx, int dy);
// Review strips that "luka" and "ironclaw" share: their frames on the
// Ninja's sheet, and their defeat flows.
std::vector<ReviewStrip> SharedStrips(const std::string& who);

}  // namespace players
