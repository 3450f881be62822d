#pragma once
// The chain-sickle fighter, a ninja variant. (Stand-in until the player
// characters land.)
#include "player/CharacterNinja.h"

class CCharacterKusarigama : public CCharacterNinja {
public:
    CCharacterKusarigama() { typeId = 3; }
};
