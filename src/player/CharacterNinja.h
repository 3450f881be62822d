#pragma once
// The ninja, the default player character. (Stand-in until the player
// characters land.)
#include "player/CharacterPlayer.h"

class CCharacterNinja : public CCharacterPlayer {
public:
    CCharacterNinja() { typeId = 1; }
};
