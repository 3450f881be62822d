#pragma once
// The princess of the opening and ending scenes. (Stand-in until the
// enemies land: she holds whatever pose the scenes set.)
#include "enemy/CharacterEnemy.h"

class CCharacterPrincess : public CCharacterEnemy {
public:
    CCharacterPrincess() {
        typeId = 101;
        hp = hpMax = 200;
        frame = 230;
    }
};
