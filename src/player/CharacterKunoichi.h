#pragma once
// The kunoichi, a ninja variant. (Stand-in until the player characters land.)
#include "player/CharacterNinja.h"

class CCharacterKunoichi : public CCharacterNinja {
public:
    CCharacterKunoichi() { typeId = 2; }
};
