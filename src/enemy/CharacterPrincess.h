#pragma once
// The princess of the opening and ending scenes. (Stand-in until the
// enemies land: she holds whatever pose the scenes set.)
#include "enemy/CharacterEnemyStandIn.h"

class CCharacterPrincess : public CCharacterEnemyStandIn {
public:
    CCharacterPrincess() {
        typeId = 101;
        hp = hpMax = 200;
        frame = 230;
    }
};
