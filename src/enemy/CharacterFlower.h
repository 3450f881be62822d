#pragma once
// The flower. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterFlower : public CCharacterEnemy {};
