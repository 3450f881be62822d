#pragma once
// Ironclaw (character 6). (Stand-in until his own class lands: he plays as
// the ninja does, under his own type id.)
#include "player/CharacterNinja.h"

class CCharacterIronclaw : public CCharacterNinja {
public:
    CCharacterIronclaw() { typeId = 6; }
};
