#pragma once
// Luka (character 5). (Stand-in until her own class lands: she plays as the
// ninja does, under her own type id.)
#include "player/CharacterNinja.h"

class CCharacterLuka : public CCharacterNinja {
public:
    CCharacterLuka() { typeId = 5; }
};
