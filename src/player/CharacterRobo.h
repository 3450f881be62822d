#pragma once
// The robot, a ninja variant. (Stand-in until the player characters land.)
#include <cstdint>

#include "player/CharacterNinja.h"

class CCharacterRobo : public CCharacterNinja {
public:
    CCharacterRobo() { typeId = 4; }

    // Extra attack damage from the held attack equipment.
    int32_t weaponBonus = 0;
};
