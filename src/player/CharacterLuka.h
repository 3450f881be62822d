#pragma once
// Luka, a player class of its own. (Stand-in until the player characters
// land.)
#include "player/CharacterPlayer.h"

class CCharacterLuka : public CCharacterPlayer {
public:
    CCharacterLuka() {
        typeId = 5;
        UseStandInSheet(25);
    }
};
