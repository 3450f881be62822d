#pragma once
// The pictures of the stage objects (room exits, doors, locks, gates,
// switches, targets, the shop and save points, blocks, hazards and
// decorations), drawn in the style of the stage tiles: 20 x 20 texels to a
// map cell at scale 2, an ink outline on everything the player touches or
// fights, light from the upper left. data/frames/CCharacterStageObject.tab
// and the door columns of data/maps/exits.txt point at them.
//
// The regions each picture takes on a shared sheet:
//   slot 40 (resource 141)  see DrawStageObjectsOnSlot40
//   slot 14 (resource 114)  the save point and the goal target, three
//                           20 x 20 frames at (0..59, 180..199)
//   slot 16 (resource 116)  the enemy lock's flash, (480..499, 220..239)
// The sheets of their own (stage_objects.cpp): slot 17 (117) the large
// decorations, 50 (170), 54 (174) and 61 (181) the doors of the exit rows,
// 66 (304) the locked door, 69 (307) the hazard blocks.
#include "Canvas.h"

namespace stage_art {

// Every stage-object picture of slot 40:
//   (400, 0)    20 x 20   the room exit's marker, an arrow to the exit
//   (220, 0)    20 x 20   target; (240, 0) the target once hit
//   (120, 0)    80 x 40   the shop point's stall (its anchor at the right)
//   (320, 20)   40 x 40   decoration: a stone lantern
//   (360, 20)   40 x 40   decoration: a guardian statue
//   (400, 20)   40 x 20   decoration: a low shrub
//   (0, 60)     20 x 80   the flag gate, a portcullis of wooden bars
//   (20, 60)    20 x 70   the key lock, a barred post with its padlock
//   (40, 60)    20 x 40   a switch's lantern unlit; (60, 80, 100) lit
//   (40, 100)   80 x 40   the lantern going out, four frames
//   (0, 160)    40 x 40   the breakable block, cracked stone two cells square
//   (40, 160)   20 x 20   the sealed block, bound with a paper charm
//   (440, 20)   40 x 470  the falling block: its ropes, the slab at
//                         (440..479, 470..480)
void DrawStageObjectsOnSlot40(Canvas& sheet);
// The save point's (and goal target's) three frames at (0..59, 180..199).
void DrawSavePoint(Canvas& sheet);
// The enemy lock's flash at (480..499, 220..239).
void DrawLockFlash(Canvas& sheet);

}  // namespace stage_art
