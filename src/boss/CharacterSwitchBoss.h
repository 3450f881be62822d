#pragma once
// What the bosses of the side rooms share (the mammoth, the boseki, the big
// ghost, the wanyudo and the kappa tank): each runs its own frame over its
// records and its own defeat, and all of them end the fight alike, handing
// control back to the player in the room they leave. Most of them are built
// of several objects of their own class (a body and its parts, kept in the
// body's B links).
#include <cstdint>

#include "boss/CharacterEnemyBoss.h"

class CCharacterSwitchBoss : public CCharacterEnemyBoss {
public:
    // The redraws a random point of the room gets before its spawn is
    // skipped: a room too narrow for any point to qualify must not hang the
    // game.
    static constexpr int32_t kPointTries = 64;

    // Where a spawn point may lie: drawn round the view's centre, x within
    // +-spreadX, y from yLow to yLow + spreadY; kept inside [left, right] of
    // the stage (stage units) and farther from the player than minDistance
    // (or at least minDistance when `atLeast`).
    struct PointRule {
        int32_t spreadX;
        int32_t yLow;
        int32_t spreadY;
        int32_t left;
        int32_t right;
        int32_t minDistance;
        bool atLeast;
    };

protected:
    using CCharacterEnemyBoss::CCharacterEnemyBoss;

    // How many fifths of its life the boss has lost, whole (0 to 4): its
    // pace grows with them.
    int32_t FifthsLost() const;

    // Stops the music, but on the maps that keep theirs.
    static void StopMusicUnlessQuiet();
    // The end of a fight: the player moves again and is open to harm, the
    // life bar goes and the stage's own music comes back (none when the
    // stage has none; none touched on the maps that keep their music).
    static void HandBackControl();
    // Removes the boss and the parts in its B links first..last.
    void RemoveWithParts(int32_t first, int32_t last);
    // Falling out of the room after the defeat: below 8000 the control is
    // handed back and the boss goes with its parts first..last.
    void FallOutOfRoom(bool spin, int32_t first, int32_t last);

    // Whether the body box reaches the stage's edge on a side (1 top, 2
    // left, 3 right, 4 bottom, as TouchesSolid counts them); a boss that
    // has gone past it is put back on it. The edges stop what no wall
    // stops: a room without walls must not let a charge run on for ever.
    bool AtStageEdge(int32_t side);
    // A solid or the stage's edge on that side.
    bool TouchesSideOrEdge(int32_t side) { return TouchesSolid(side) || AtStageEdge(side); }

    // A point of the room for a spawn (play-field units), or false when
    // every try fell outside the rule.
    static bool DrawRoomPoint(const PointRule& rule, int32_t& px, int32_t& py);

    // A part of this class made with the factory and put into the world:
    // linked to `parent` in its A link `parentLink`, at the given place.
    static CCharacter* MakePart(int32_t typeId, CCharacter* parent, int32_t parentLink, int32_t px, int32_t py,
                                bool front = false);
};
