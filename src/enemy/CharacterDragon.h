#pragma once
// The dragon. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterDragon : public CCharacterEnemy {};
