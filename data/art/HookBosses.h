#pragma once
// The bosses of the first fights (the ghost, the one-eyed monster, the
// tengu), rigged like the king tengu, and the eyes of the king tengu's
// second form.
#include "Bosses.h"

namespace bosses {

const Cast& Ghost();
const Cast& OneEyedMonster();
const Cast& Tengu();

// Cells of their sheet (slot 72, 512 x 512): 64 x 64, the ghost's anchor 32
// texels down in the middle of its figure, the others' 48 down, 15 above
// the floor line where their feet stand.
inline constexpr rig::CellGeometry kGhostCell{64, 64, 64, 32, 32, 10, 12};
inline constexpr rig::CellGeometry kGroundBossCell{64, 64, 64, 32, 48, 10, 12};

// The turret eye of the king tengu's second form: open, glowing, firing,
// shut.
const std::vector<Picture>& KingTengu2ndEyes();

}  // namespace bosses
