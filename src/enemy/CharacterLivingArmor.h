#pragma once
// The living armour. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterLivingArmor : public CCharacterEnemy {};
