#pragma once
// The enemy ninja. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterEnemyNinja : public CCharacterEnemy {};
