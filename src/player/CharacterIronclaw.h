#pragma once
// Ironclaw, a player class of its own. (Stand-in until the player
// characters land.)
#include "player/CharacterPlayer.h"

class CCharacterIronclaw : public CCharacterPlayer {
public:
    CCharacterIronclaw() {
        typeId = 6;
        UseStandInSheet(27);
    }
};
